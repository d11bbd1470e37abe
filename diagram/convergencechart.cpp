#include "convergencechart.h"

#include "axisticks.h"
#include "chartaxis.h"
#include "convergence.h"
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

// The presses that changed the line; the others change nothing.
std::vector<CamberReshaping> appliedPresses(const std::vector<CamberReshaping> &presses)
{
    std::vector<CamberReshaping> applied;
    std::copy_if(presses.cbegin(), presses.cend(), std::back_inserter(applied),
        [](const CamberReshaping &press) { return press.applied; });
    return applied;
}

bool samePresses(const std::vector<CamberReshaping> &a, const std::vector<CamberReshaping> &b)
{
    return std::equal(a.cbegin(), a.cend(), b.cbegin(), b.cend(),
        [](const CamberReshaping &p, const CamberReshaping &q) {
            return p.a == q.a && p.b == q.b;
        });
}

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
    , convergence(new Convergence(Convergence::Priority::Background, this))
{
    connect(
        convergence, &Convergence::resultReady, this, [this](int panels, const Coefficients &c) {
            results.insert(panels, c);
            showResults();
        });
    createSeries();
    connect(study, &Study::fileChanged, this, &ConvergenceChart::fileChanged);
    connect(study, &Study::lineChanged, this, &ConvergenceChart::lineChanged);
    if (study->isLoaded())
        fileChanged();
}

ConvergenceChart::ConvergenceChart(
    const Study *study, const QMap<int, Coefficients> &results, QWidget *parent)
    : ChartView(parent)
    , study(study)
    , densities(study->paneling())
    , presses(appliedPresses(study->presses()))
    , convergence(nullptr)
    , results(results)
{
    createSeries();
    if (!study->isLoaded())
        return;
    showResults();
    showPaneling();
}

void ConvergenceChart::createSeries()
{
    QChart *chart = this->chart();
    alpha0 = addSeries(chart, ConvergencePlot::Alpha0);
    cm0 = addSeries(chart, ConvergencePlot::Cm0);
    alpha0Reference = addSeries(chart, ConvergencePlot::Alpha0Reference);
    cm0Reference = addSeries(chart, ConvergencePlot::Cm0Reference);
    alpha0Paneled = addMark(chart, ConvergencePlot::Alpha0Paneled);
    cm0Paneled = addMark(chart, ConvergencePlot::Cm0Paneled);

    xAxis()->setTitleText(ConvergencePlot::xTitle());
    alpha0Axis = addValueAxis(chart, ConvergencePlot::alpha0Title(),
        PlotStyle::convergence(ConvergencePlot::Alpha0).colour, Qt::AlignLeft);
    cm0Axis = addValueAxis(chart, ConvergencePlot::cm0Title(),
        PlotStyle::convergence(ConvergencePlot::Cm0).colour, Qt::AlignRight);
    for (QXYSeries *series : Group {alpha0, alpha0Reference, alpha0Paneled}) {
        series->attachAxis(xAxis());
        series->attachAxis(alpha0Axis);
    }
    for (QXYSeries *series : Group {cm0, cm0Reference, cm0Paneled}) {
        series->attachAxis(xAxis());
        series->attachAxis(cm0Axis);
    }
    setFullXRange(along(Paneling::MinPanels), along(Paneling::reference().panels));
    // One legend entry for both marks.
    chart->legend()->markers(cm0Paneled).constFirst()->setVisible(false);
}

bool ConvergenceChart::isComputing() const
{
    // Until the last result is shown: a run may be over with its results still on their way.
    if (!study->isLoaded())
        return false;
    for (int panels : Convergence::sampledCounts(study->paneling().panels))
        if (!results.contains(panels))
            return true;
    return false;
}

void ConvergenceChart::labelXAxis()
{
    setTicks(xAxis(), AxisTicks::counts(xAxis()->min(), xAxis()->max()));
}

QString ConvergenceChart::describe(const QXYSeries *series, const QPointF &point) const
{
    const bool isAlpha0 = series == alpha0 || series == alpha0Reference || series == alpha0Paneled;
    const QString value = isAlpha0 ? tr("alpha0 = %1 deg").arg(Format::fixed(point.y(), 3))
                                   : tr("cm0 = %1").arg(Format::fixed(point.y(), 4));
    // The reference lines hold one value along the whole axis.
    if (series == alpha0Reference || series == cm0Reference)
        return value;
    return tr("n = %1, %2").arg(qRound(std::pow(10.0, point.x()))).arg(value);
}

void ConvergenceChart::fileChanged() { restart(); }

void ConvergenceChart::lineChanged()
{
    const Paneling &p = study->paneling();
    if (p.leDensity != densities.leDensity || p.teDensity != densities.teDensity) {
        restart();
        return;
    }
    const std::vector<CamberReshaping> pressed = appliedPresses(study->presses());
    if (!samePresses(pressed, presses)) {
        reshape(pressed);
        return;
    }
    complete();
    showPaneling();
}

void ConvergenceChart::restart()
{
    convergence->cancel();
    results.clear();
    contourResults.clear();
    presses.clear();
    densities = study->paneling();
    reshape(appliedPresses(study->presses()));
}

void ConvergenceChart::reshape(const std::vector<CamberReshaping> &pressed)
{
    // The contour's own line comes back with the next edit: its counts are kept for it.
    convergence->cancel();
    if (presses.empty())
        contourResults = results;
    presses = pressed;
    results = presses.empty() ? contourResults : QMap<int, Coefficients>();
    complete();
    showResults();
    showPaneling();
}

void ConvergenceChart::complete()
{
    // The run under way goes on when it works out every count still missing.
    QList<int> missing;
    bool underWay = convergence->isRunning();
    for (int panels : Convergence::sampledCounts(study->paneling().panels)) {
        if (results.contains(panels))
            continue;
        missing << panels;
        underWay = underWay && convergence->counts().contains(panels);
    }
    if (!missing.isEmpty() && !underWay)
        convergence->start(*study, missing, densities, presses);
}

void ConvergenceChart::showResults()
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
    const auto [left, right] = xRange(study->paneling().panels);
    setFullXRange(left, right);
    fitAxes();
}

void ConvergenceChart::fitAxes()
{
    fitToSeries(alpha0Axis, {alpha0, alpha0Reference, alpha0Paneled});
    fitToSeries(cm0Axis, {cm0, cm0Reference, cm0Paneled});
}
