#include "loadingchart.h"

#include "chartaxis.h"
#include "report.h"
#include "study.h"
#include "vortexmethod.h"

#include <QtCharts>

#include <algorithm>

namespace {

QLineSeries *addSeries(QChart *chart, const QString &name, const QColor &color, bool markers)
{
    QLineSeries *series = new QLineSeries;
    series->setName(name);
    series->setPen(QPen(color, markers ? 2.0 : 1.0));
    series->setPointsVisible(markers);
    series->setMarkerSize(3.0);
    chart->addSeries(series);
    return series;
}

// The pressure jumps at incidence alpha at each vortex of the loading.
QList<QPointF> loadPoints(const Loading &loading, double alpha)
{
    const std::vector<double> jumps = loading.pressureJumps(alpha);
    QList<QPointF> points;
    points.reserve(qsizetype(jumps.size()));
    for (size_t i = 0; i < jumps.size(); ++i)
        points << QPointF(loading.x[i], jumps[i]);
    return points;
}

} // namespace

LoadingChart::LoadingChart(const Study *study, QWidget *parent)
    : ChartView(parent)
    , study(study)
{
    QChart *chart = this->chart();
    reference = addSeries(chart, tr("200 panels, zero incidence"), QColor(170, 170, 170), false);
    // Under the reshaped line's loads, thin and dashed as the diagram draws the original.
    const QColor originalColour(120, 120, 120);
    originalZeroIncidence = addSeries(chart, tr("original"), originalColour, false);
    originalSmoothEntry = addSeries(chart, tr("original"), originalColour, false);
    for (QLineSeries *series : {originalZeroIncidence, originalSmoothEntry}) {
        QPen pen = series->pen();
        pen.setStyle(Qt::DashLine);
        series->setPen(pen);
        series->hide();
    }
    zeroIncidence = addSeries(chart, tr("zero incidence"), QColor(31, 119, 180), true);
    smoothEntry = addSeries(chart, tr("smooth entry"), QColor(214, 39, 40), true);

    xAxis()->setTitleText(tr("x/c"));
    loadAxis = new QCategoryAxis;
    loadAxis->setTitleText(tr("ΔCp"));
    loadAxis->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    chart->addAxis(loadAxis, Qt::AlignLeft);
    for (QAbstractSeries *series : chart->series()) {
        series->attachAxis(xAxis());
        series->attachAxis(loadAxis);
    }
    setFullXRange(0.0, 1.0);
    spikeLabel = new QGraphicsSimpleTextItem(chart);
    spikeLabel->setBrush(palette().text());
    spikeLabel->setZValue(10.0);
    spikeLabel->hide();
    spikeLabel->setData(0, QStringLiteral("spike value"));
    connect(chart, &QChart::plotAreaChanged, this, &LoadingChart::placeSpikeLabel);
    connect(study, &Study::fileChanged, this, &LoadingChart::fileChanged);
    connect(study, &Study::lineChanged, this, &LoadingChart::lineChanged);
    if (study->isLoaded()) {
        fileChanged();
        lineChanged();
    }
}

void LoadingChart::labelXAxis() { labelRoundValues(xAxis(), 11); }

QString LoadingChart::describe(const QXYSeries *, const QPointF &point) const
{
    return tr("x = %1, ΔCp = %2").arg(Format::fixed(point.x(), 3), Format::fixed(point.y(), 3));
}

void LoadingChart::fileChanged()
{
    reference->replace(loadPoints(study->referenceLoading(), 0.0));
    fitLoadAxis();
}

void LoadingChart::lineChanged()
{
    const Loading &loading = study->paneledLoading();
    zeroIncidence->replace(loadPoints(loading, 0.0));
    smoothEntry->replace(loadPoints(loading, study->paneledCoefficients().alphaSF));
    const Loading *original = study->originalLoading();
    if (original) {
        // The same at every press after the first: the chart is laid out anew only for a change.
        const QList<QPointF> zero = loadPoints(*original, 0.0);
        if (zero != originalZeroIncidence->points()) {
            originalZeroIncidence->replace(zero);
            originalSmoothEntry->replace(loadPoints(*original, coefficientsOf(*original).alphaSF));
        }
    } else {
        originalZeroIncidence->clear();
        originalSmoothEntry->clear();
    }
    originalZeroIncidence->setVisible(original);
    originalSmoothEntry->setVisible(original);
    // One legend entry for both.
    chart()->legend()->markers(originalSmoothEntry).constFirst()->setVisible(false);
    fitLoadAxis();
}

void LoadingChart::fitLoadAxis()
{
    double low = 0.0;
    double high = 0.0;
    for (const QLineSeries *series :
        {reference, zeroIncidence, smoothEntry, originalZeroIncidence, originalSmoothEntry}) {
        const QList<QPointF> points = series->points();
        for (qsizetype i = points.size() > 1 ? 1 : 0; i < points.size(); ++i) {
            low = std::min(low, points.at(i).y());
            high = std::max(high, points.at(i).y());
        }
    }
    fitValueAxis(loadAxis, low, high);
    placeSpikeLabel();
}

void LoadingChart::placeSpikeLabel()
{
    // The series are clipped at the plot's edge; the label says how far the spike goes.
    spikeLabel->hide();
    if (zeroIncidence->count() < 2)
        return;
    const QPointF first = zeroIncidence->at(0);
    const double edge = std::clamp(first.y(), loadAxis->min(), loadAxis->max());
    if (edge == first.y())
        return;
    spikeLabel->setText(tr("ΔCp = %1").arg(Format::fixed(first.y(), 2)));
    const QPointF at = chart()->mapToPosition(QPointF(first.x(), edge), zeroIncidence);
    const QRectF box = spikeLabel->boundingRect();
    spikeLabel->setPos(at.x() + 4.0, edge > 0.0 ? at.y() : at.y() - box.height());
    spikeLabel->show();
}
