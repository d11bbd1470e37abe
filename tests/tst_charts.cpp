#include "convergencechart.h"
#include "diagramview.h"
#include "loadingchart.h"
#include "mainwindow.h"
#include "named.h"
#include "oddfiles.h"
#include "plotpicture.h"
#include "study.h"

#include <QtCharts>
#include <QtTest>

#include <functional>

namespace {

// The viewport position of the point of the series.
QPoint shownAt(QChartView *view, QXYSeries *series, const QPointF &point)
{
    return view->viewportTransform()
        .map(view->chart()->mapToScene(view->chart()->mapToPosition(point, series)))
        .toPoint();
}

void send(QChartView *view, QEvent::Type type, const QPoint &pos, Qt::MouseButton button)
{
    QWidget *viewport = view->viewport();
    const Qt::MouseButtons held = type == QEvent::MouseMove ? Qt::MouseButtons(button) : button;
    QMouseEvent event(type, pos, viewport->mapToGlobal(pos), button,
        type == QEvent::MouseButtonRelease ? Qt::NoButton : held, Qt::NoModifier);
    QCoreApplication::sendEvent(viewport, &event);
}

using Range = QPair<double, double>;

QValueAxis *xAxisOf(QChartView *view)
{
    return qobject_cast<QValueAxis *>(view->chart()->axes(Qt::Horizontal).constFirst());
}

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

// The one series shown under the name.
QXYSeries *series(QChartView *view, const QString &name)
{
    QList<QXYSeries *> found = seriesNamed(view, name);
    if (found.size() > 1)
        found.removeIf([](const QXYSeries *s) { return !s->isVisible(); });
    return found.size() == 1 ? found.first() : nullptr;
}

// The values said beside the edges that clip first panels, shown.
QStringList spikeTexts(QChartView *view)
{
    QStringList texts;
    for (QGraphicsItem *item : view->chart()->childItems())
        if (item->data(0) == QStringLiteral("spike value") && item->isVisible())
            texts << static_cast<QGraphicsSimpleTextItem *>(item)->text();
    texts.sort();
    return texts;
}

// The panel count at a point of the convergence plot, which holds log10 n.
int countAt(const QPointF &p) { return qRound(std::pow(10.0, p.x())); }

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
    void convergenceDrawsTheModel();
    void axesAndLegends_data();
    void axesAndLegends();
    void hoverReadout_data();
    void hoverReadout();
    void zoomAlongX_data();
    void zoomAlongX();
    void overlaysUnderTheStudy_data();
    void overlaysUnderTheStudy();
    void printedAsShown_data();
    void printedAsShown();

private:
    // The two plots of a study, shown, with a section of camber m at p loaded at the paneling.
    struct Shown
    {
        Shown();
        QChartView *chart(const QString &name)
        {
            return name == "loading" ? static_cast<QChartView *>(&loading) : &convergence;
        }
        Study study;
        LoadingChart loading {&study};
        ConvergenceChart convergence {&study};
    };
    // A NACA section of camber m at p, 12 % thick, as a user's file would hold it.
    QString section(const QString &name, double m, double p);

    QTemporaryDir dir;
};

tst_Charts::Shown::Shown()
{
    study.convergence().setSampling(true);
    for (QChartView *view : {chart("loading"), chart("convergence")}) {
        view->resize(800, 500);
        view->show();
        QVERIFY(QTest::qWaitForWindowExposed(view));
    }
}

QString tst_Charts::section(const QString &name, double m, double p)
{
    return writeFile(dir, name, nacaFile(m, p, 0.12, 61, name.toLatin1()));
}

void tst_Charts::loadingFollowsTheLine_data()
{
    QTest::addColumn<std::function<void(Study *)>>("change");
    QTest::newRow("load") << std::function<void(Study *)>([](Study *) {});
    QTest::newRow("fine paneling") << std::function<void(Study *)>([](Study *s) {
        s->setPaneling(Paneling {200, 3.0, 2.0});
    });
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
    chart.resize(800, 500);
    chart.show();
    QVERIFY(QTest::qWaitForWindowExposed(&chart));
    QVERIFY(
        !study.loadFile(section(QStringLiteral("first.dat"), 0.04, 0.4), Paneling {8, 3.0, 2.0}));
    const Loading loaded = study.paneledLoading();
    change(&study);
    const Loading &loading = study.paneledLoading();
    // A press keeps the line as loaded in view, dashed under the reshaped one.
    const bool pressed = QTest::currentDataTag() == QLatin1String("Modify press");
    const QList<QXYSeries *> original {
        series(&chart, "as loaded, zero incidence"), series(&chart, "as loaded, at alpha(sf)")};
    QCOMPARE(original.first()->isVisible(), pressed);
    QCOMPARE(original.last()->isVisible(), pressed);
    // The reshaped section's load at the reference paneling beside the grey one as loaded.
    QXYSeries *section = series(&chart, "reshaped section, 200 panels");
    QCOMPARE(section->isVisible(), pressed);
    if (pressed) {
        QCOMPARE(original.first()->points(), expectedLoad(loaded, 0.0));
        QCOMPARE(section->points(), expectedLoad(study.reshapedSection()->referenceLoading, 0.0));
    }
    QCOMPARE(series(&chart, "zero incidence")->points(), expectedLoad(loading, 0.0));
    QCOMPARE(series(&chart, "at alpha(sf)")->points(),
        expectedLoad(loading, study.paneledCoefficients().alphaSF));
    QCOMPARE(series(&chart, "as loaded, 200 panels")->points(),
        expectedLoad(study.referenceLoading(), 0.0));
    // The axis takes every panel but the first, whose leading-edge spike is clipped at its edge
    // and labelled with its value, for every line alike.
    const QValueAxis *axis = nullptr;
    for (QAbstractAxis *a : chart.chart()->axes(Qt::Vertical))
        axis = static_cast<QValueAxis *>(a);
    QStringList beyond;
    for (QAbstractSeries *abstract : chart.chart()->series()) {
        const auto *line = static_cast<QXYSeries *>(abstract);
        if (!line->isVisible())
            continue;
        const QList<QPointF> load = line->points();
        for (qsizetype i = 1; i < load.size(); ++i)
            QVERIFY(load.at(i).y() >= axis->min() && load.at(i).y() <= axis->max());
        if (load.first().y() < axis->min() || load.first().y() > axis->max())
            beyond << QStringLiteral("ΔCp = ") + QString::number(load.first().y(), 'f', 2);
    }
    beyond.sort();
    // At 200 panels the leading one is thin, and its load far beyond the others'.
    QVERIFY(!beyond.isEmpty() || QTest::currentDataTag() != QLatin1String("fine paneling"));
    QCOMPARE(spikeTexts(&chart), beyond);
    // Each value clear of every line drawn, and of the others.
    QList<QRectF> boxes;
    for (QGraphicsItem *item : chart.chart()->childItems())
        if (item->data(0) == QStringLiteral("spike value") && item->isVisible())
            boxes << item->mapRectToParent(item->boundingRect());
    for (qsizetype i = 0; i < boxes.size(); ++i) {
        for (qsizetype j = i + 1; j < boxes.size(); ++j)
            QVERIFY(!boxes.at(i).intersects(boxes.at(j)));
        for (QAbstractSeries *abstract : chart.chart()->series()) {
            auto *line = static_cast<QXYSeries *>(abstract);
            if (!line->isVisible())
                continue;
            for (const QPointF &p : line->points())
                QVERIFY(!boxes.at(i).contains(chart.chart()->mapToPosition(p, line)));
        }
    }
}

void tst_Charts::convergenceDrawsTheModel()
{
    // The curves are the model's counts each time they change, and fill as they come in; the
    // marks are the paneled line's, on the curves, and after a press the curves are emptied
    // for the reshaped line's counts. A still chart draws the counts it is given.
    const auto drawn = [](ConvergenceChart *chart, const QMap<int, Coefficients> &results) {
        QList<QPointF> alpha0;
        QList<QPointF> cm0;
        for (auto it = results.cbegin(); it != results.cend(); ++it) {
            alpha0 << QPointF(std::log10(it.key()), degrees(it->alpha0));
            cm0 << QPointF(std::log10(it.key()), it->cm0);
        }
        return series(chart, "alpha0 [deg]")->points() == alpha0
            && series(chart, "cm0")->points() == cm0;
    };
    Study study;
    ConvergenceModel &model = study.convergence();
    model.setSampling(true);
    ConvergenceChart chart(&study);
    int partly = 0;
    int wrongly = 0;
    connect(&model, &ConvergenceModel::resultsChanged, this, [&] {
        if (!drawn(&chart, model.results()))
            ++wrongly;
        else if (!model.results().isEmpty() && !model.isDone())
            ++partly;
    });
    QVERIFY(
        !study.loadFile(section(QStringLiteral("wing.dat"), 0.04, 0.4), Paneling {12, 2.5, 3.0}));
    QTRY_VERIFY_WITH_TIMEOUT(model.isDone(), 60000);
    QVERIFY(drawn(&chart, model.results()));
    QVERIFY(partly > 0);
    QCOMPARE(ys(series(&chart, "alpha0 as loaded, 200 panels")).constLast(),
        degrees(study.referenceCoefficients().alpha0));
    QCOMPARE(ys(series(&chart, "cm0 as loaded, 200 panels")).constLast(),
        study.referenceCoefficients().cm0);
    const QList<QXYSeries *> marks = seriesNamed(&chart, "paneled line");
    const auto marked = [&] {
        return countAt(marks.at(0)->points().constFirst()) == study.paneling().panels
            && series(&chart, "alpha0 [deg]")->points().contains(marks.at(0)->points().constFirst())
            && series(&chart, "cm0")->points().contains(marks.at(1)->points().constFirst());
    };
    QVERIFY(marked());
    study.setPaneling(Paneling {13, 2.5, 3.0});
    QVERIFY(marked());

    study.modify(Targets {radians(-2.0), -0.05});
    QVERIFY(series(&chart, "alpha0 [deg]")->points().isEmpty());
    // The dashed lines follow the reshaped section; those as loaded stay, grey.
    QCOMPARE(ys(series(&chart, "cm0 reshaped section, 200 panels")).constLast(),
        study.reshapedReference()->cm0);
    QCOMPARE(ys(series(&chart, "cm0 as loaded, 200 panels")).constLast(),
        study.referenceCoefficients().cm0);
    model.waitForFinished();
    QVERIFY(drawn(&chart, model.results()));
    QVERIFY(marked());
    QCOMPARE(wrongly, 0);
}

void tst_Charts::axesAndLegends_data()
{
    // Axes titled with their units, if any, labelled without a negative zero; a legend entry
    // for each line, the paneled line's two marks sharing one. A NACA 2412 at 8 panels put a tick a
    // hair below zero on the loading's axis.
    QTest::addColumn<QString>("chart");
    QTest::addColumn<double>("targetCm0");
    QTest::addColumn<QStringList>("titles");
    QTest::addColumn<QStringList>("legend");
    const QStringList loadingTitles {"x/c", "ΔCp"};
    const QStringList loadingLegend {"as loaded, 200 panels", "zero incidence", "at alpha(sf)"};
    const QStringList convergenceTitles {"panels", "alpha0 [deg]", "cm0"};
    const QStringList convergenceLegend {"alpha0 [deg]", "cm0", "alpha0 as loaded, 200 panels",
        "cm0 as loaded, 200 panels", "paneled line"};
    QTest::newRow("loading") << "loading" << qQNaN() << loadingTitles << loadingLegend;
    QTest::newRow("loading, moment zero")
        << "loading" << 0.0 << loadingTitles
        << QStringList {"as loaded, 200 panels", "reshaped section, 200 panels",
               "as loaded, zero incidence", "as loaded, at alpha(sf)", "zero incidence",
               "at alpha(sf)"};
    QTest::newRow("convergence") << "convergence" << qQNaN() << convergenceTitles
                                 << convergenceLegend;
    QTest::newRow("convergence, moment zero")
        << "convergence" << 0.0 << convergenceTitles
        << QStringList {"alpha0 [deg]", "cm0", "alpha0 as loaded, 200 panels",
               "cm0 as loaded, 200 panels", "alpha0 reshaped section, 200 panels",
               "cm0 reshaped section, 200 panels", "paneled line"};
}

void tst_Charts::axesAndLegends()
{
    QFETCH(QString, chart);
    QFETCH(double, targetCm0);
    QFETCH(QStringList, titles);
    QFETCH(QStringList, legend);
    Shown shown;
    QVERIFY(!shown.study.loadFile(
        section(QStringLiteral("wing.dat"), 0.02, 0.4), Paneling {8, 3.0, 2.0}));
    if (!qIsNaN(targetCm0))
        shown.study.modify(Targets {0.0, targetCm0});
    shown.study.convergence().waitForFinished();
    QChartView *view = shown.chart(chart);
    QStringList shownTitles;
    for (const QAbstractAxis *axis : view->chart()->axes())
        shownTitles << axis->titleText();
    QCOMPARE(shownTitles, titles);
    QStringList names;
    for (const QLegendMarker *marker : view->chart()->legend()->markers())
        if (marker->isVisible())
            names << marker->label();
    QCOMPARE(names, legend);
    const QRegularExpression negativeZero(QStringLiteral("^-0(\\.0*)?$"));
    int labels = 0;
    for (QGraphicsItem *item : view->scene()->items()) {
        if (auto *text = dynamic_cast<QGraphicsTextItem *>(item); text && text->isVisible()) {
            QVERIFY2(!negativeZero.match(text->toPlainText()).hasMatch(),
                qPrintable(text->toPlainText()));
            ++labels;
        }
    }
    QVERIFY(labels > 10);
}

void tst_Charts::hoverReadout_data()
{
    // The mouse on a point of a series: its name and values, as the plot's own units say them.
    QTest::addColumn<QString>("chart");
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("readout");
    QTest::newRow("loading") << "loading"
                             << "zero incidence" << 2 << "x = %1, ΔCp = %2";
    QTest::newRow("loading, at alpha(sf)") << "loading"
                                           << "at alpha(sf)" << 5 << "x = %1, ΔCp = %2";
    QTest::newRow("convergence") << "convergence"
                                 << "alpha0 [deg]" << 20 << "n = %1, alpha0 = %2 deg";
    QTest::newRow("convergence, reference") << "convergence"
                                            << "cm0 as loaded, 200 panels" << 1 << "cm0 = %1";
}

void tst_Charts::hoverReadout()
{
    QFETCH(QString, chart);
    QFETCH(QString, name);
    QFETCH(int, index);
    QFETCH(QString, readout);
    Shown shown;
    QVERIFY(!shown.study.loadFile(
        section(QStringLiteral("wing.dat"), 0.04, 0.4), Paneling {8, 3.0, 2.0}));
    shown.study.convergence().waitForFinished();
    QChartView *view = shown.chart(chart);
    QXYSeries *hovered = series(view, name);
    QPointF point = hovered->at(index);
    // The reference line is read at any point along it.
    if (name.contains(", 200 panels"))
        point.setX(0.5 * (hovered->at(0).x() + hovered->at(1).x()));
    const QPoint pos = shownAt(view, hovered, point);
    send(view, QEvent::MouseMove, pos + QPoint(30, 30), Qt::NoButton);
    send(view, QEvent::MouseMove, pos, Qt::NoButton);
    const bool isX = chart == "loading";
    const QString first
        = isX ? QString::number(point.x(), 'f', 3) : QString::number(countAt(point));
    const QString second = QString::number(point.y(), 'f', readout.startsWith("cm0") ? 4 : 3);
    const QString expected
        = readout.contains("%2") ? readout.arg(first, second) : readout.arg(second);
    QCOMPARE(QToolTip::text(), name + "\n" + expected);
    // Far from every series, no readout.
    send(view, QEvent::MouseMove, QPoint(2, 2), Qt::NoButton);
    QTRY_VERIFY(!QToolTip::isVisible());
}

void tst_Charts::zoomAlongX_data()
{
    // A gesture over the x axis between two of its values: the wheel zooms in round the first,
    // a drag zooms to the stretch between them.
    QTest::addColumn<QString>("chart");
    QTest::addColumn<QString>("gesture");
    QTest::addColumn<double>("from");
    QTest::addColumn<double>("to");
    QTest::newRow("loading, wheel") << "loading"
                                    << "wheel" << 0.25 << 0.0;
    QTest::newRow("loading, drag") << "loading"
                                   << "drag" << 0.2 << 0.6;
    QTest::newRow("convergence, wheel") << "convergence"
                                        << "wheel" << 1.0 << 0.0;
    QTest::newRow("convergence, drag") << "convergence"
                                       << "drag" << 1.0 << 1.5;
}

void tst_Charts::zoomAlongX()
{
    QFETCH(QString, chart);
    QFETCH(QString, gesture);
    QFETCH(double, from);
    QFETCH(double, to);
    Shown shown;
    QVERIFY(!shown.study.loadFile(
        section(QStringLiteral("wing.dat"), 0.04, 0.4), Paneling {8, 3.0, 2.0}));
    QChartView *view = shown.chart(chart);
    QValueAxis *x = xAxisOf(view);
    QValueAxis *y = qobject_cast<QValueAxis *>(view->chart()->axes(Qt::Vertical).constFirst());
    const Range whole(x->min(), x->max());
    const Range load(y->min(), y->max());
    QXYSeries *any = static_cast<QXYSeries *>(view->chart()->series().constFirst());
    const auto at = [&](double value) { return shownAt(view, any, QPointF(value, y->min())); };
    const QPoint start = at(from) - QPoint(0, 40);
    if (gesture == "wheel") {
        QWheelEvent wheel(start, view->viewport()->mapToGlobal(start), {}, QPoint(0, 240),
            Qt::NoButton, {}, Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(view->viewport(), &wheel);
        // Half the range, with the value under the mouse kept in place.
        QVERIFY(qAbs((x->max() - x->min()) - 0.5 * (whole.second - whole.first)) < 1e-9);
        QVERIFY(qAbs(at(from).x() - start.x()) <= 1);
    } else {
        const QPoint end = at(to) - QPoint(0, 40);
        send(view, QEvent::MouseButtonPress, start, Qt::LeftButton);
        send(view, QEvent::MouseMove, (start + end) / 2, Qt::LeftButton);
        send(view, QEvent::MouseMove, end, Qt::LeftButton);
        send(view, QEvent::MouseButtonRelease, end, Qt::LeftButton);
        const double pixel = (whole.second - whole.first) / view->chart()->plotArea().width();
        QVERIFY(qAbs(x->min() - from) <= pixel && qAbs(x->max() - to) <= pixel);
    }
    // The value axis fits what the range shows, the first panel's spike aside.
    if (chart == "loading" && gesture == "drag")
        QVERIFY(y->max() - y->min() < load.second - load.first);
    for (QAbstractSeries *abstract : view->chart()->series()) {
        auto *line = static_cast<QXYSeries *>(abstract);
        for (qsizetype i = 1; line->isVisible() && i < line->count(); ++i) {
            const QPointF p = line->at(i);
            if (p.x() >= x->min() && p.x() <= x->max() && line->attachedAxes().contains(y))
                QVERIFY(p.y() >= y->min() && p.y() <= y->max());
        }
    }
    // The zoom stays through a press and a double click shows the whole range again; a new
    // paneling or a new load shows it too.
    QVERIFY(static_cast<ChartView *>(view)->isZoomed());
    const Range zoomed(x->min(), x->max());
    shown.study.modify(Targets {radians(-3.0), -0.08});
    QCOMPARE(Range(x->min(), x->max()), zoomed);
    send(view, QEvent::MouseButtonDblClick, start, Qt::LeftButton);
    QCOMPARE(Range(x->min(), x->max()), whole);
    QVERIFY(!static_cast<ChartView *>(view)->isZoomed());
    for (const auto &reset : {std::function<void()>([&] {
                                  shown.study.setPaneling(Paneling {9, 3.0, 2.0});
                              }),
             std::function<void()>([&] {
                 QVERIFY(!shown.study.loadFile(
                     section(QStringLiteral("other.dat"), 0.06, 0.3), Paneling {8, 3.0, 2.0}));
             })}) {
        send(view, QEvent::MouseButtonPress, start, Qt::LeftButton);
        send(view, QEvent::MouseMove, start + QPoint(60, 0), Qt::LeftButton);
        send(view, QEvent::MouseButtonRelease, start + QPoint(60, 0), Qt::LeftButton);
        QVERIFY(static_cast<ChartView *>(view)->isZoomed());
        reset();
        QVERIFY(!static_cast<ChartView *>(view)->isZoomed());
        QVERIFY(qAbs(x->max() - x->min() - (whole.second - whole.first)) < 1e-9);
    }
}

void tst_Charts::overlaysUnderTheStudy_data()
{
    // Another section's lines in its colour under its name, and the study's drawn after them,
    // on top, whether the overlay came before or after the study's series.
    QTest::addColumn<QString>("chart");
    QTest::addColumn<QString>("mine");
    QTest::newRow("loading") << "loading"
                             << "zero incidence";
    QTest::newRow("convergence") << "convergence"
                                 << "alpha0 [deg]";
}

void tst_Charts::overlaysUnderTheStudy()
{
    QFETCH(QString, chart);
    QFETCH(QString, mine);
    Shown shown;
    QVERIFY(!shown.study.loadFile(
        section(QStringLiteral("wing.dat"), 0.04, 0.4), Paneling {8, 3.0, 2.0}));
    Study other;
    other.convergence().setSampling(true);
    QVERIFY(
        !other.loadFile(section(QStringLiteral("other.dat"), 0.06, 0.3), Paneling {9, 3.0, 2.0}));
    const QColor colour(0, 158, 115);
    if (chart == "loading")
        shown.loading.setOverlays({{&other, colour, QStringLiteral("other")}});
    else
        shown.convergence.setOverlays({{&other, colour, QStringLiteral("other")}});
    QChartView *view = shown.chart(chart);
    other.convergence().waitForFinished();
    shown.study.convergence().waitForFinished();
    QTRY_VERIFY(!seriesNamed(view, "other").first()->points().isEmpty());
    const QList<QXYSeries *> overlay = seriesNamed(view, "other");
    if (chart == "loading") {
        QCOMPARE(overlay.size(), 1);
        QCOMPARE(overlay.first()->points(), expectedLoad(other.referenceLoading(), 0.0));
    } else {
        // Its alpha0 and cm0 curves, as its own model samples them, named once in the legend.
        QCOMPARE(overlay.size(), 2);
        QCOMPARE(overlay.first()->count(), other.convergence().results().size());
        QCOMPARE(
            ys(overlay.first()).constLast(), degrees(other.convergence().results().last().alpha0));
        QCOMPARE(view->chart()->legend()->markers(overlay.last()).first()->isVisible(), false);
    }
    QCOMPARE(overlay.first()->pen().color(), colour);
    QTRY_VERIFY(view->chart()->legend()->markers(overlay.first()).first()->isVisible());
    const QList<QAbstractSeries *> order = view->chart()->series();
    QVERIFY(order.indexOf(series(view, mine)) > order.indexOf(overlay.last()));
}

void tst_Charts::printedAsShown_data()
{
    // The printed page's plot says what the chart says: its axes' titles and labels, its
    // legend's names and, where the first panel's load lies beyond the axis, its value.
    QTest::addColumn<QString>("chart");
    QTest::addColumn<bool>("pressed");
    QTest::newRow("loading") << "loading" << false;
    QTest::newRow("loading, after a press") << "loading" << true;
    QTest::newRow("convergence") << "convergence" << false;
    QTest::newRow("convergence, after a press") << "convergence" << true;
}

void tst_Charts::printedAsShown()
{
    QFETCH(QString, chart);
    QFETCH(bool, pressed);
    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
        QSKIP("pdftotext (Debian poppler-utils) is not installed; scripts/install-deps.sh test "
              "installs it");
    Shown shown;
    QVERIFY(!shown.study.loadFile(
        section(QStringLiteral("wing.dat"), 0.04, 0.4), Paneling {8, 3.0, 2.0}));
    if (pressed)
        shown.study.modify(Targets {radians(-3.0), -0.12});
    shown.study.convergence().waitForFinished();
    QChartView *view = shown.chart(chart);
    QStringList shownTexts;
    for (QAbstractAxis *axis : view->chart()->axes())
        shownTexts << axis->titleText() << static_cast<QCategoryAxis *>(axis)->categoriesLabels();
    for (const QLegendMarker *marker : view->chart()->legend()->markers())
        if (marker->isVisible())
            shownTexts << marker->label();
    shownTexts << spikeTexts(view);

    const QString path = dir.filePath(QTest::currentDataTag() + QStringLiteral(".pdf"));
    {
        QPdfWriter pdf(path);
        pdf.setResolution(96);
        pdf.setPageSize(QPageSize(QSizeF(300, 150), QPageSize::Millimeter));
        QPainter painter(&pdf);
        QFont font;
        font.setPixelSize(12);
        painter.setFont(font);
        const PlotPicture plot = chart == "loading"
            ? PlotPicture::loading(shown.study)
            : PlotPicture::convergence(shown.study, shown.study.convergence().results());
        plot.paint(&painter, QRectF(0, 0, 1000, 500));
    }
    QProcess pdftotext;
    pdftotext.start(QStringLiteral("pdftotext"), {path, QStringLiteral("-")});
    QVERIFY(pdftotext.waitForFinished(60000));
    const QString printed = QString::fromUtf8(pdftotext.readAllStandardOutput());
    QStringList printedWords = printed.split(QRegularExpression("\\s+"), Qt::SkipEmptyParts);
    QStringList shownWords
        = shownTexts.join(' ').split(QRegularExpression("\\s+"), Qt::SkipEmptyParts);
    printedWords.sort();
    shownWords.sort();
    QCOMPARE(printedWords, shownWords);
}

QTEST_MAIN(tst_Charts)
#include "tst_charts.moc"
