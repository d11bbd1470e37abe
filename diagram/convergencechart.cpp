#include "convergencechart.h"

#include "axisticks.h"
#include "chartaxis.h"
#include "convergencemodel.h"
#include "plotstyle.h"
#include "report.h"
#include "study.h"

#include <QtCharts>

#include <algorithm>
#include <cmath>

namespace {

using ConvergencePlot::along;

QLineSeries *addSeries(QChart *chart, ConvergencePlot::Series kind)
{
    QLineSeries *series = new QLineSeries;
    series->setName(ConvergencePlot::name(kind));
    series->setPen(PlotStyle::convergence(kind).pen());
    chart->addSeries(series);
    return series;
}

QScatterSeries *addMark(QChart *chart, ConvergencePlot::Series kind)
{
    const SeriesStyle style = PlotStyle::convergence(kind);
    QScatterSeries *mark = new QScatterSeries;
    mark->setName(ConvergencePlot::name(kind));
    mark->setMarkerSize(style.ringSize);
    mark->setColor(Qt::transparent);
    mark->setBorderColor(style.colour);
    mark->setPen(style.pen());
    chart->addSeries(mark);
    return mark;
}

QCategoryAxis *addValueAxis(
    QChart *chart, const QString &title, const QColor &color, Qt::Alignment side)
{
    QCategoryAxis *axis = new QCategoryAxis;
    axis->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    axis->setTitleText(title);
    axis->setLinePenColor(color);
    axis->setLabelsColor(color);
    axis->setTitleBrush(color);
    chart->addAxis(axis, side);
    return axis;
}

// Fits the axis to what the series show between x = min and x = max.
void fitToSeries(QCategoryAxis *axis, const QList<QXYSeries *> &group, double min, double max)
{
    double low = qInf();
    double high = -qInf();
    for (const QXYSeries *series : group) {
        if (series->isVisible())
            widenToShown(series->points(), min, max, &low, &high);
    }
    fitValueAxis(axis, low, high);
}

} // namespace

ConvergenceChart::ConvergenceChart(const Study *study, QWidget *parent)
    : ChartView(parent)
    , study(study)
{
    createSeries();
    setStudy(study);
}

void ConvergenceChart::setStudy(const Study *next)
{
    if (study) {
        disconnect(study, nullptr, this, nullptr);
        disconnect(&study->convergence(), nullptr, this, nullptr);
    }
    study = next;
    const ConvergenceModel *convergence = &study->convergence();
    connect(convergence, &ConvergenceModel::resultsChanged, this,
        [this, convergence] { showResults(convergence->results()); });
    connect(study, &Study::lineChanged, this, &ConvergenceChart::showPaneling);
    connect(study, &Study::fileChanged, this, &ConvergenceChart::resetZoom);
    resetZoom();
    showResults(convergence->results());
    showPaneling();
}

void ConvergenceChart::createSeries()
{
    QChart *chart = this->chart();
    alpha0 = addSeries(chart, ConvergencePlot::Alpha0);
    cm0 = addSeries(chart, ConvergencePlot::Cm0);
    alpha0Loaded = addSeries(chart, ConvergencePlot::Alpha0Loaded);
    cm0Loaded = addSeries(chart, ConvergencePlot::Cm0Loaded);
    alpha0Reference = addSeries(chart, ConvergencePlot::Alpha0Reference);
    cm0Reference = addSeries(chart, ConvergencePlot::Cm0Reference);
    alpha0Paneled = addMark(chart, ConvergencePlot::Alpha0Paneled);
    cm0Paneled = addMark(chart, ConvergencePlot::Cm0Paneled);

    xAxis()->setTitleText(ConvergencePlot::xTitle());
    alpha0Axis = addValueAxis(chart, ConvergencePlot::alpha0Title(),
        PlotStyle::convergence(ConvergencePlot::Alpha0).colour, Qt::AlignLeft);
    cm0Axis = addValueAxis(chart, ConvergencePlot::cm0Title(),
        PlotStyle::convergence(ConvergencePlot::Cm0).colour, Qt::AlignRight);
    for (QXYSeries *series :
        std::initializer_list<QXYSeries *> {alpha0, alpha0Loaded, alpha0Reference, alpha0Paneled}) {
        series->attachAxis(xAxis());
        series->attachAxis(alpha0Axis);
    }
    for (QXYSeries *series :
        std::initializer_list<QXYSeries *> {cm0, cm0Loaded, cm0Reference, cm0Paneled}) {
        series->attachAxis(xAxis());
        series->attachAxis(cm0Axis);
    }
    setFullXRange(along(Paneling::MinPanels), along(Paneling::reference().panels));
    mergeMarks();
}

void ConvergenceChart::mergeMarks()
{
    chart()->legend()->markers(cm0Paneled).constFirst()->setVisible(false);
}

QList<QAbstractSeries *> ConvergenceChart::ownSeries() const
{
    return {alpha0, cm0, alpha0Loaded, cm0Loaded, alpha0Reference, cm0Reference, alpha0Paneled,
        cm0Paneled};
}

QList<QAbstractSeries *> ConvergenceChart::overlaySeries() const
{
    QList<QAbstractSeries *> series(overlayAlpha0.cbegin(), overlayAlpha0.cend());
    for (QLineSeries *cm0Curve : overlayCm0)
        series << cm0Curve;
    return series;
}

void ConvergenceChart::setOverlays(const QList<SectionOverlay> &overlays)
{
    // 1. The series there are take the new sections' curves, as the Loading plot's do; new ones
    //    go under the study's.
    while (overlayAlpha0.size() > overlays.size()) {
        overlayStudies.removeLast();
        delete overlayWatches.takeLast();
        for (QLineSeries *series : {overlayAlpha0.takeLast(), overlayCm0.takeLast()}) {
            chart()->removeSeries(series);
            delete series;
        }
    }
    const bool added = overlayAlpha0.size() < overlays.size();
    while (overlayAlpha0.size() < overlays.size()) {
        for (QList<QLineSeries *> *curves : {&overlayAlpha0, &overlayCm0}) {
            auto *series = new QLineSeries;
            chart()->addSeries(series);
            series->attachAxis(xAxis());
            series->attachAxis(curves == &overlayAlpha0 ? alpha0Axis : cm0Axis);
            *curves << series;
        }
        // The legend names the section once, by its alpha0 curve.
        chart()->legend()->markers(overlayCm0.last()).constFirst()->setVisible(false);
        overlayStudies << nullptr;
        overlayWatches << nullptr;
    }
    if (added) {
        bringToFront(ownSeries());
        mergeMarks();
    }
    // 2. Each in its section's colour, following its model; a series that shows its section
    //    already, as most do on a switch, is left as it is.
    for (qsizetype i = 0; i < overlays.size(); ++i) {
        const SectionOverlay &overlay = overlays.at(i);
        for (const bool isAlpha0 : {true, false}) {
            QLineSeries *series = (isAlpha0 ? overlayAlpha0 : overlayCm0).at(i);
            if (series->name() != overlay.name)
                series->setName(overlay.name);
            const QPen pen = PlotStyle::convergenceOverlay(overlay.colour, isAlpha0).pen();
            if (series->pen() != pen)
                series->setPen(pen);
        }
        if (overlayStudies.at(i) == overlay.study)
            continue;
        overlayStudies[i] = overlay.study;
        delete overlayWatches.at(i);
        overlayWatches[i] = new QObject(this);
        connect(&overlay.study->convergence(), &ConvergenceModel::resultsChanged,
            overlayWatches.at(i), [this, i] {
                showOverlay(i);
                fitValueAxes();
            });
        showOverlay(i);
    }
    fitValueAxes();
    fitLegend(overlaySeries());
}

void ConvergenceChart::showOverlay(qsizetype i)
{
    const QMap<int, Coefficients> &results = overlayStudies.at(i)->convergence().results();
    overlayAlpha0.at(i)->replace(ConvergencePlot::curve(results, ConvergencePlot::Alpha0));
    overlayCm0.at(i)->replace(ConvergencePlot::curve(results, ConvergencePlot::Cm0));
}

void ConvergenceChart::labelXAxis()
{
    setTicks(xAxis(), AxisTicks::counts(xAxis()->min(), xAxis()->max()));
}

QString ConvergenceChart::describe(const QXYSeries *series, const QPointF &point) const
{
    const bool isAlpha0 = series == alpha0 || series == alpha0Loaded || series == alpha0Reference
        || series == alpha0Paneled || overlayAlpha0.contains(series);
    const QString value = isAlpha0 ? tr("alpha0 = %1 deg").arg(Format::fixed(point.y(), 3))
                                   : tr("cm0 = %1").arg(Format::fixed(point.y(), 4));
    // The reference lines hold one value along the whole axis.
    if (series == alpha0Reference || series == cm0Reference || series == alpha0Loaded
        || series == cm0Loaded)
        return value;
    return tr("n = %1, %2").arg(qRound(std::pow(10.0, point.x()))).arg(value);
}

void ConvergenceChart::showResults(const QMap<int, Coefficients> &results)
{
    alpha0->replace(ConvergencePlot::curve(results, ConvergencePlot::Alpha0));
    cm0->replace(ConvergencePlot::curve(results, ConvergencePlot::Cm0));
    fitValueAxes();
}

void ConvergenceChart::showPaneling()
{
    using namespace ConvergencePlot;
    alpha0Paneled->replace(points(*study, Alpha0Paneled));
    cm0Paneled->replace(points(*study, Cm0Paneled));
    alpha0Reference->replace(points(*study, Alpha0Reference));
    cm0Reference->replace(points(*study, Cm0Reference));
    // The section's lines are named for what it is; the grey ones as loaded show beside a
    // reshaped section only, under one legend entry.
    const bool reshaped = study->reshapedSection();
    alpha0Reference->setName(name(Alpha0Reference, reshaped));
    cm0Reference->setName(name(Cm0Reference, reshaped));
    alpha0Loaded->replace(points(*study, Alpha0Loaded));
    cm0Loaded->replace(points(*study, Cm0Loaded));
    alpha0Loaded->setVisible(reshaped);
    cm0Loaded->setVisible(reshaped);
    // Another count or density shows its whole range, where the paneled line's mark is.
    if (!(study->paneling() == shownPaneling))
        resetZoom();
    shownPaneling = study->paneling();
    const auto [left, right] = xRange(study->paneling().panels);
    setFullXRange(left, right);
    fitValueAxes();
    fitLegend(overlaySeries());
}

void ConvergenceChart::fitValueAxes()
{
    const double min = xAxis()->min();
    const double max = xAxis()->max();
    QList<QXYSeries *> alpha0Group {alpha0, alpha0Loaded, alpha0Reference, alpha0Paneled};
    QList<QXYSeries *> cm0Group {cm0, cm0Loaded, cm0Reference, cm0Paneled};
    for (QLineSeries *series : std::as_const(overlayAlpha0))
        alpha0Group << series;
    for (QLineSeries *series : std::as_const(overlayCm0))
        cm0Group << series;
    fitToSeries(alpha0Axis, alpha0Group, min, max);
    fitToSeries(cm0Axis, cm0Group, min, max);
}
