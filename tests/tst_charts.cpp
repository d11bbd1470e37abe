#include "diagramview.h"
#include "loadingchart.h"
#include "mainwindow.h"
#include "naca.h"
#include "named.h"
#include "oddfiles.h"
#include "study.h"

#include <QtCharts>
#include <QtTest>

#include <functional>

namespace {

// The series of the chart that the legend names so.
QXYSeries *series(QChartView *view, const QString &name)
{
    for (QAbstractSeries *series : view->chart()->series())
        if (series->name() == name)
            return static_cast<QXYSeries *>(series);
    return nullptr;
}

// The pressure jumps of the loading at incidence alpha as the chart should show them.
QList<QPointF> expectedLoad(const Loading &loading, double alpha)
{
    const std::vector<double> jumps = loading.pressureJumps(alpha);
    QList<QPointF> points;
    for (size_t i = 0; i < jumps.size(); ++i)
        points << QPointF(loading.x[i], jumps[i]);
    return points;
}

} // namespace

class tst_Charts : public QObject
{
    Q_OBJECT

private slots:
    void tabsNamed();
    void loadingFollowsTheLine_data();
    void loadingFollowsTheLine();

private:
    // A NACA section of camber m at p, 12 % thick, as a user's file would hold it.
    QString section(const QString &name, double m, double p);

    QTemporaryDir dir;
};

QString tst_Charts::section(const QString &name, double m, double p)
{
    const NacaSection s = nacaFourDigit(m, p, 0.12, 61, false);
    QByteArray text = name.toLatin1() + "\n";
    for (size_t i = 0; i < s.x.size(); ++i)
        text
            += QByteArray::number(s.x[i], 'f', 6) + " " + QByteArray::number(s.y[i], 'f', 6) + "\n";
    return writeFile(dir, name, text);
}

void tst_Charts::tabsNamed()
{
    // Screen readers find the tabs by name; the diagram is the first and shown at the start.
    MainWindow window;
    QTabWidget *tabs = named<QTabWidget>(&window, QStringLiteral("diagram"));
    const QStringList names {"Airfoil", "Loading"};
    QCOMPARE(tabs->count(), names.size());
    for (int i = 0; i < tabs->count(); ++i) {
        QCOMPARE(tabs->tabText(i), names.at(i));
        QCOMPARE(tabs->tabBar()->accessibleTabName(i), names.at(i));
        QCOMPARE(tabs->widget(i)->accessibleName(), names.at(i));
    }
    QCOMPARE(tabs->currentIndex(), 0);
    QVERIFY(qobject_cast<DiagramView *>(tabs->currentWidget()));
    QVERIFY(qobject_cast<LoadingChart *>(tabs->widget(1)));
}

void tst_Charts::loadingFollowsTheLine_data()
{
    QTest::addColumn<std::function<void(Study *)>>("change");
    QTest::newRow("load") << std::function<void(Study *)>([](Study *) {});
    QTest::newRow("paneling edit") << std::function<void(Study *)>([](Study *s) {
        s->setPaneling(Paneling {20, 4.0, 1.5});
    });
    QTest::newRow("Modify press") << std::function<void(Study *)>([](Study *s) {
        s->modify(Targets {radians(-3.0), -0.08});
    });
    QTest::newRow("second load") << std::function<void(Study *)>([this](Study *s) {
        s->loadFile(section(QStringLiteral("second.dat"), 0.06, 0.4), Paneling {5, 3.0, 2.0});
    });
}

void tst_Charts::loadingFollowsTheLine()
{
    QFETCH(std::function<void(Study *)>, change);
    Study study;
    LoadingChart chart;
    chart.showStudy(&study);
    QVERIFY(
        !study.loadFile(section(QStringLiteral("first.dat"), 0.04, 0.4), Paneling {8, 3.0, 2.0}));
    change(&study);
    const Loading &loading = study.paneledLoading();
    QCOMPARE(series(&chart, "zero incidence")->points(), expectedLoad(loading, 0.0));
    QCOMPARE(series(&chart, "smooth entry")->points(),
        expectedLoad(loading, study.paneledCoefficients().alphaSF));
    QCOMPARE(series(&chart, "200 panels, zero incidence")->points(),
        expectedLoad(study.referenceLoading(), 0.0));
}

QTEST_MAIN(tst_Charts)
#include "tst_charts.moc"
