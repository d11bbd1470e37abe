#include "convergencechart.h"

#include "chartaxis.h"
#include "convergence.h"
#include "study.h"

#include <QtCharts>

#include <algorithm>

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

QValueAxis *addValueAxis(
    QChart *chart, const QString &title, const QColor &color, Qt::Alignment side)
{
    QValueAxis *axis = new QValueAxis;
    axis->setTitleText(title);
    axis->setLinePenColor(color);
    axis->setLabelsColor(color);
    axis->setTitleBrush(color);
    chart->addAxis(axis, side);
    return axis;
}

// The series of one coefficient: its curve, its reference and its mark.
using Group = std::initializer_list<QXYSeries *>;

void fit(QValueAxis *axis, Group group)
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

// Given its chart at once: a chart view made without one makes its own, which setChart() would
// only release.
ConvergenceChart::ConvergenceChart(const Study *study, QWidget *parent)
    : QChartView(new QChart, parent)
    , study(study)
    , convergence(new Convergence(Convergence::Priority::Background, this))
{
    connect(
        convergence, &Convergence::resultReady, this, [this](int panels, const Coefficients &c) {
            results.insert(panels, c);
            showResults();
        });
    QChart *chart = this->chart();
    alpha0 = addSeries<QLineSeries>(chart, tr("alpha0 [deg]"), alpha0Color, Qt::SolidLine);
    cm0 = addSeries<QLineSeries>(chart, tr("cm0"), cm0Color, Qt::SolidLine);
    alpha0Reference = addSeries<QLineSeries>(chart, tr("200 panels"), alpha0Color, Qt::DashLine);
    cm0Reference = addSeries<QLineSeries>(chart, tr("200 panels"), cm0Color, Qt::DashLine);
    alpha0Paneled = addMark(chart, tr("paneled line"), alpha0Color);
    cm0Paneled = addMark(chart, tr("paneled line"), cm0Color);

    panelsAxis = new QLogValueAxis;
    panelsAxis->setTitleText(tr("panels"));
    panelsAxis->setBase(10.0);
    panelsAxis->setLabelFormat(QStringLiteral("%g"));
    panelsAxis->setMinorTickCount(-1);
    chart->addAxis(panelsAxis, Qt::AlignBottom);
    alpha0Axis = addValueAxis(chart, tr("alpha0 [deg]"), alpha0Color, Qt::AlignLeft);
    cm0Axis = addValueAxis(chart, tr("cm0"), cm0Color, Qt::AlignRight);
    for (QXYSeries *series : Group {alpha0, alpha0Reference, alpha0Paneled}) {
        series->attachAxis(panelsAxis);
        series->attachAxis(alpha0Axis);
    }
    for (QXYSeries *series : Group {cm0, cm0Reference, cm0Paneled}) {
        series->attachAxis(panelsAxis);
        series->attachAxis(cm0Axis);
    }
    panelsAxis->setRange(Paneling::MinPanels, Paneling::reference().panels);
    chart->legend()->setAlignment(Qt::AlignBottom);
    // The tab is small: the plot gets the room a chart's frame would take.
    chart->setBackgroundRoundness(0.0);
    chart->layout()->setContentsMargins(0, 0, 0, 0);
    // One legend entry for both marks.
    chart->legend()->markers(cm0Paneled).constFirst()->setVisible(false);
    setRenderHint(QPainter::Antialiasing);
    connect(study, &Study::fileChanged, this, &ConvergenceChart::fileChanged);
    connect(study, &Study::lineChanged, this, &ConvergenceChart::lineChanged);
    if (study->isLoaded())
        fileChanged();
}

bool ConvergenceChart::isComputing() const { return convergence->isRunning(); }

void ConvergenceChart::fileChanged() { restart(); }

void ConvergenceChart::lineChanged()
{
    const Paneling &p = study->paneling();
    if (p.leDensity != densities.leDensity || p.teDensity != densities.teDensity) {
        restart();
        return;
    }
    complete();
    showPaneling();
}

void ConvergenceChart::restart()
{
    convergence->cancel();
    results.clear();
    densities = study->paneling();
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
        convergence->start(*study, missing, densities);
}

void ConvergenceChart::showResults()
{
    QList<QPointF> alpha0Points;
    QList<QPointF> cm0Points;
    for (auto it = results.cbegin(); it != results.cend(); ++it) {
        alpha0Points << QPointF(it.key(), degrees(it->alpha0));
        cm0Points << QPointF(it.key(), it->cm0);
    }
    alpha0->replace(alpha0Points);
    cm0->replace(cm0Points);
    fitAxes();
}

void ConvergenceChart::showPaneling()
{
    const int panels = study->paneling().panels;
    const Coefficients &c = study->paneledCoefficients();
    alpha0Paneled->replace({QPointF(panels, degrees(c.alpha0))});
    cm0Paneled->replace({QPointF(panels, c.cm0)});
    // A little room beyond the first count and the mark, so that neither sits on the frame.
    const double left = 0.9 * Paneling::MinPanels;
    const double right = 1.1 * std::max(panels, Paneling::reference().panels);
    const Coefficients &reference = study->referenceCoefficients();
    alpha0Reference->replace(
        {QPointF(left, degrees(reference.alpha0)), QPointF(right, degrees(reference.alpha0))});
    cm0Reference->replace({QPointF(left, reference.cm0), QPointF(right, reference.cm0)});
    panelsAxis->setRange(left, right);
    fitAxes();
}

void ConvergenceChart::fitAxes()
{
    fit(alpha0Axis, {alpha0, alpha0Reference, alpha0Paneled});
    fit(cm0Axis, {cm0, cm0Reference, cm0Paneled});
}
