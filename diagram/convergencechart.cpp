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

// The series of one coefficient: its curve, its reference and its mark.
using Group = std::initializer_list<QXYSeries *>;

void fitToSeries(QCategoryAxis *axis, Group group)
{
    double low = qInf();
    double high = -qInf();
    for (const QXYSeries *series : group) {
        for (const QPointF &p : series->points()) {
            low = std::min(low, p.y());
            high = std::max(high, p.y());
        }
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
    for (QXYSeries *series : Group {alpha0, alpha0Loaded, alpha0Reference, alpha0Paneled}) {
        series->attachAxis(xAxis());
        series->attachAxis(alpha0Axis);
    }
    for (QXYSeries *series : Group {cm0, cm0Loaded, cm0Reference, cm0Paneled}) {
        series->attachAxis(xAxis());
        series->attachAxis(cm0Axis);
    }
    setFullXRange(along(Paneling::MinPanels), along(Paneling::reference().panels));
    // One legend entry for both marks.
    chart->legend()->markers(cm0Paneled).constFirst()->setVisible(false);
}

void ConvergenceChart::labelXAxis()
{
    setTicks(xAxis(), AxisTicks::counts(xAxis()->min(), xAxis()->max()));
}

QString ConvergenceChart::describe(const QXYSeries *series, const QPointF &point) const
{
    const bool isAlpha0 = series == alpha0 || series == alpha0Loaded || series == alpha0Reference
        || series == alpha0Paneled;
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
    fitAxes();
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
    chart()->legend()->markers(cm0Loaded).constFirst()->setVisible(false);
    const auto [left, right] = xRange(study->paneling().panels);
    setFullXRange(left, right);
    fitAxes();
}

void ConvergenceChart::fitAxes()
{
    fitToSeries(alpha0Axis, {alpha0, alpha0Loaded, alpha0Reference, alpha0Paneled});
    fitToSeries(cm0Axis, {cm0, cm0Loaded, cm0Reference, cm0Paneled});
}
