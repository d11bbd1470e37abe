#include "convergencechart.h"

#include "chartaxis.h"
#include "convergencemodel.h"
#include "report.h"
#include "study.h"

#include <QtCharts>

#include <algorithm>
#include <cmath>

namespace {

const QColor alpha0Color(31, 119, 180);
const QColor cm0Color(44, 160, 44);

template <typename Series>
Series *addSeries(QChart *chart, const QString &name, const QColor &color, Qt::PenStyle style)
{
    Series *series = new Series;
    series->setName(name);
    series->setPen(QPen(color, 2.0, style));
    chart->addSeries(series);
    return series;
}

QScatterSeries *addMark(QChart *chart, const QString &name, const QColor &color)
{
    QScatterSeries *mark = new QScatterSeries;
    mark->setName(name);
    mark->setMarkerSize(11.0);
    mark->setColor(Qt::transparent);
    mark->setBorderColor(color);
    mark->setPen(QPen(color, 2.0));
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

// Where the count n lies along the axis.
double along(double n) { return std::log10(n); }

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
    const ConvergenceModel *convergence = &study->convergence();
    connect(convergence, &ConvergenceModel::resultsChanged, this,
        [this, convergence] { showResults(convergence->results()); });
    connect(study, &Study::lineChanged, this, &ConvergenceChart::showPaneling);
    if (!study->isLoaded())
        return;
    showResults(convergence->results());
    showPaneling();
}

ConvergenceChart::ConvergenceChart(
    const Study *study, const QMap<int, Coefficients> &results, QWidget *parent)
    : ChartView(parent)
    , study(study)
{
    createSeries();
    if (!study->isLoaded())
        return;
    showResults(results);
    showPaneling();
}

void ConvergenceChart::createSeries()
{
    QChart *chart = this->chart();
    alpha0 = addSeries<QLineSeries>(chart, tr("alpha0 [deg]"), alpha0Color, Qt::SolidLine);
    cm0 = addSeries<QLineSeries>(chart, tr("cm0"), cm0Color, Qt::SolidLine);
    const int reference = Paneling::reference().panels;
    alpha0Reference = addSeries<QLineSeries>(
        chart, tr("alpha0 at %1 panels").arg(reference), alpha0Color, Qt::DashLine);
    cm0Reference = addSeries<QLineSeries>(
        chart, tr("cm0 at %1 panels").arg(reference), cm0Color, Qt::DashLine);
    alpha0Paneled = addMark(chart, tr("paneled line"), alpha0Color);
    cm0Paneled = addMark(chart, tr("paneled line"), cm0Color);

    xAxis()->setTitleText(tr("panels"));
    alpha0Axis = addValueAxis(chart, tr("alpha0 [deg]"), alpha0Color, Qt::AlignLeft);
    cm0Axis = addValueAxis(chart, tr("cm0"), cm0Color, Qt::AlignRight);
    for (QXYSeries *series : Group {alpha0, alpha0Reference, alpha0Paneled}) {
        series->attachAxis(xAxis());
        series->attachAxis(alpha0Axis);
    }
    for (QXYSeries *series : Group {cm0, cm0Reference, cm0Paneled}) {
        series->attachAxis(xAxis());
        series->attachAxis(cm0Axis);
    }
    setFullXRange(along(Paneling::MinPanels), along(reference));
    // One legend entry for both marks.
    chart->legend()->markers(cm0Paneled).constFirst()->setVisible(false);
}

void ConvergenceChart::labelXAxis()
{
    // Counts of 1, 2 and 5 times a power of ten, or of every digit where those are too few to
    // read the axis by, or else round counts across the range.
    const double low = std::pow(10.0, xAxis()->min());
    const double high = std::pow(10.0, xAxis()->max());
    QList<double> counts;
    for (const QList<double> &digits :
        {QList<double> {1, 2, 5}, QList<double> {1, 2, 3, 4, 5, 6, 7, 8, 9}}) {
        counts.clear();
        for (double power = 1; power <= high; power *= 10)
            for (const double digit : digits)
                if (digit * power >= low && digit * power <= high)
                    counts << digit * power;
        if (counts.size() >= 3)
            break;
    }
    int decimals = 0;
    if (counts.size() < 3)
        counts = roundValues(low, high, 5, &decimals);
    QList<double> positions;
    QStringList labels;
    for (const double n : counts) {
        positions << along(n);
        labels << Format::fixed(n, decimals);
    }
    setTicks(xAxis(), positions, labels);
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

void ConvergenceChart::showResults(const QMap<int, Coefficients> &results)
{
    QList<QPointF> alpha0Points;
    QList<QPointF> cm0Points;
    for (auto it = results.cbegin(); it != results.cend(); ++it) {
        alpha0Points << QPointF(along(it.key()), degrees(it->alpha0));
        cm0Points << QPointF(along(it.key()), it->cm0);
    }
    alpha0->replace(alpha0Points);
    cm0->replace(cm0Points);
    fitAxes();
}

void ConvergenceChart::showPaneling()
{
    const int panels = study->paneling().panels;
    const Coefficients &c = study->paneledCoefficients();
    alpha0Paneled->replace({QPointF(along(panels), degrees(c.alpha0))});
    cm0Paneled->replace({QPointF(along(panels), c.cm0)});
    // A little room beyond the first count and the mark, so that neither sits on the frame.
    const double left = along(0.9 * Paneling::MinPanels);
    const double right = along(1.1 * std::max(panels, Paneling::reference().panels));
    const Coefficients &reference = study->referenceCoefficients();
    alpha0Reference->replace(
        {QPointF(left, degrees(reference.alpha0)), QPointF(right, degrees(reference.alpha0))});
    cm0Reference->replace({QPointF(left, reference.cm0), QPointF(right, reference.cm0)});
    setFullXRange(left, right);
    fitAxes();
}

void ConvergenceChart::fitAxes()
{
    fitToSeries(alpha0Axis, {alpha0, alpha0Reference, alpha0Paneled});
    fitToSeries(cm0Axis, {cm0, cm0Reference, cm0Paneled});
}
