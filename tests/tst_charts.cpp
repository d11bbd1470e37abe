#include "convergence.h"
#include "convergencechart.h"
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

// The series of the chart that the legend names so; marks and references come in pairs,
// alpha0's first.
QList<QXYSeries *> seriesNamed(QChartView *view, const QString &name)
{
    QList<QXYSeries *> found;
    for (QAbstractSeries *series : view->chart()->series())
        if (series->name() == name)
            found << static_cast<QXYSeries *>(series);
    return found;
}

QXYSeries *series(QChartView *view, const QString &name)
{
    const QList<QXYSeries *> found = seriesNamed(view, name);
    return found.size() == 1 ? found.first() : nullptr;
}

QList<double> ys(const QXYSeries *series)
{
    QList<double> values;
    for (const QPointF &p : series->points())
        values << p.y();
    return values;
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
    void loadingFollowsTheLine_data();
    void loadingFollowsTheLine();
    void convergenceIsTheSweep();
    void secondLoadDropsTheFirstRun();

private:
    // A NACA section of camber m at p, 12 % thick, as a user's file would hold it.
    QString section(const QString &name, double m, double p);
    // Waits for the chart's run, then checks the counts: every one from 3 to 30, then steps of
    // at most 12 %, with 200, up to last; and compares the curves with a sweep of the study's
    // file at its densities.
    void compareWithSweep(const Study &study, ConvergenceChart *chart, int last);

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
    LoadingChart chart(&study);
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

void tst_Charts::compareWithSweep(const Study &study, ConvergenceChart *chart, int last)
{
    QTRY_VERIFY_WITH_TIMEOUT(!chart->isComputing(), 60000);
    const QXYSeries *alpha0 = series(chart, "alpha0 [deg]");
    const QXYSeries *cm0 = series(chart, "cm0");
    QList<int> counts;
    for (const QPointF &p : alpha0->points())
        counts << int(p.x());
    QCOMPARE(counts.first(), 3);
    QCOMPARE(counts.indexOf(30), 27);
    for (int i = 28; i < counts.size(); ++i)
        QVERIFY(counts.at(i) > counts.at(i - 1) && counts.at(i) <= 1.12 * counts.at(i - 1));
    QVERIFY(counts.contains(200));
    QCOMPARE(counts.last(), last);

    Convergence sweep(Convergence::Priority::Foreground);
    sweep.start(study, counts, study.paneling());
    QList<Coefficients> rows;
    for (int i = 0; i < counts.size(); ++i)
        rows << sweep.resultAt(i);
    QList<double> alpha0Rows;
    QList<double> cm0Rows;
    for (const Coefficients &c : rows) {
        alpha0Rows << degrees(c.alpha0);
        cm0Rows << c.cm0;
    }
    QCOMPARE(ys(alpha0), alpha0Rows);
    QCOMPARE(ys(cm0), cm0Rows);
}

void tst_Charts::convergenceIsTheSweep()
{
    Study study;
    ConvergenceChart chart(&study);
    QVERIFY(
        !study.loadFile(section(QStringLiteral("wing.dat"), 0.04, 0.4), Paneling {230, 2.5, 3.0}));
    compareWithSweep(study, &chart, 230);
    const QList<QXYSeries *> references = seriesNamed(&chart, "200 panels");
    QCOMPARE(ys(references.at(0)).constLast(), degrees(study.referenceCoefficients().alpha0));
    QCOMPARE(ys(references.at(1)).constLast(), study.referenceCoefficients().cm0);

    // A count whose plan is worked out already moves the marks only; beyond the curves the
    // curves grow.
    const QList<QPointF> curve = series(&chart, "alpha0 [deg]")->points();
    int known = 0;
    for (const QPointF &p : curve)
        known = p.x() > 200 && p.x() < 230 ? int(p.x()) : known;
    QVERIFY(known > 0);
    study.setPaneling(Paneling {known, 2.5, 3.0});
    QVERIFY(!chart.isComputing());
    QCOMPARE(series(&chart, "alpha0 [deg]")->points(), curve);
    const QList<QXYSeries *> marks = seriesNamed(&chart, "paneled line");
    QCOMPARE(marks.at(0)->points().constFirst(),
        QPointF(known, degrees(study.paneledCoefficients().alpha0)));
    QCOMPARE(marks.at(1)->points().constFirst(), QPointF(known, study.paneledCoefficients().cm0));
    study.setPaneling(Paneling {260, 2.5, 3.0});
    compareWithSweep(study, &chart, 260);

    // New densities start anew, up to 200 for fewer panels.
    study.setPaneling(Paneling {12, 2.5, 6.0});
    QVERIFY(chart.isComputing());
    compareWithSweep(study, &chart, 200);
}

void tst_Charts::secondLoadDropsTheFirstRun()
{
    // The first file's run is under way, or done with its results not yet shown, when the
    // second file comes: none of its counts past 200 nor any of its values may show.
    Study study;
    ConvergenceChart chart(&study);
    QVERIFY(
        !study.loadFile(section(QStringLiteral("first.dat"), 0.06, 0.3), Paneling {500, 3.0, 2.0}));
    QVERIFY(
        !study.loadFile(section(QStringLiteral("second.dat"), 0.02, 0.4), Paneling {8, 3.0, 2.0}));
    compareWithSweep(study, &chart, 200);
}

QTEST_MAIN(tst_Charts)
#include "tst_charts.moc"
