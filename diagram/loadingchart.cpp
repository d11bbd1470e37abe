#include "loadingchart.h"

#include "chartaxis.h"
#include "plotstyle.h"
#include "report.h"
#include "study.h"

#include <QtCharts>

#include <algorithm>

LoadingChart::LoadingChart(const Study *study, QWidget *parent)
    : ChartView(parent)
    , study(study)
{
    QChart *chart = this->chart();
    for (const LoadingPlot::Series kind : LoadingPlot::AllSeries) {
        const SeriesStyle style = PlotStyle::loading(kind);
        QLineSeries *series = new QLineSeries;
        series->setName(LoadingPlot::name(kind));
        series->setPen(style.pen());
        series->setPointsVisible(style.marks == SeriesStyle::Marks::Dots);
        series->setMarkerSize(style.dotRadius());
        chart->addSeries(series);
        lines[kind] = series;
    }
    for (const LoadingPlot::Series kind : {LoadingPlot::SectionReference,
             LoadingPlot::OriginalZeroIncidence, LoadingPlot::OriginalSmoothEntry})
        shown(kind)->hide();

    xAxis()->setTitleText(LoadingPlot::xTitle());
    loadAxis = new QCategoryAxis;
    loadAxis->setTitleText(LoadingPlot::loadTitle());
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
    setStudy(study);
}

void LoadingChart::setStudy(const Study *next)
{
    if (study)
        disconnect(study, nullptr, this, nullptr);
    study = next;
    connect(study, &Study::fileChanged, this, &LoadingChart::fileChanged);
    connect(study, &Study::lineChanged, this, &LoadingChart::lineChanged);
    fileChanged();
    lineChanged();
}

void LoadingChart::labelXAxis() { labelRoundValues(xAxis(), 11); }

QString LoadingChart::describe(const QXYSeries *, const QPointF &point) const
{
    return tr("x = %1, ΔCp = %2").arg(Format::fixed(point.x(), 3), Format::fixed(point.y(), 3));
}

void LoadingChart::fileChanged()
{
    shown(LoadingPlot::Reference)->replace(LoadingPlot::points(*study, LoadingPlot::Reference));
    fitLoadAxis();
}

void LoadingChart::lineChanged()
{
    for (const LoadingPlot::Series kind : {LoadingPlot::ZeroIncidence, LoadingPlot::SmoothEntry})
        shown(kind)->replace(LoadingPlot::points(*study, kind));
    QLineSeries *originalZero = shown(LoadingPlot::OriginalZeroIncidence);
    QLineSeries *originalSmooth = shown(LoadingPlot::OriginalSmoothEntry);
    const bool pressed = study->originalLoading();
    // The same at every press after the first: the chart is laid out anew only for a change.
    const QList<QPointF> zero = LoadingPlot::points(*study, LoadingPlot::OriginalZeroIncidence);
    if (zero != originalZero->points()) {
        originalZero->replace(zero);
        originalSmooth->replace(LoadingPlot::points(*study, LoadingPlot::OriginalSmoothEntry));
    }
    originalZero->setVisible(pressed);
    originalSmooth->setVisible(pressed);
    QLineSeries *section = shown(LoadingPlot::SectionReference);
    section->replace(LoadingPlot::points(*study, LoadingPlot::SectionReference));
    section->setVisible(study->reshapedSection());
    // One legend entry for both.
    chart()->legend()->markers(originalSmooth).constFirst()->setVisible(false);
    fitLoadAxis();
}

void LoadingChart::setOverlays(const QList<SectionOverlay> &overlays)
{
    // The series there are take the new sections' loads: a chart lays out a series added or
    // removed anew, which with twenty sections costs more than the switch itself.
    while (overlayLines.size() > overlays.size()) {
        QLineSeries *series = overlayLines.takeLast();
        chart()->removeSeries(series);
        delete series;
    }
    while (overlayLines.size() < overlays.size()) {
        auto *series = new QLineSeries;
        chart()->addSeries(series);
        series->attachAxis(xAxis());
        series->attachAxis(loadAxis);
        overlayLines << series;
    }
    for (qsizetype i = 0; i < overlays.size(); ++i) {
        const SectionOverlay &overlay = overlays.at(i);
        QLineSeries *series = overlayLines.at(i);
        series->setName(overlay.name);
        QPen pen(overlay.colour);
        pen.setCosmetic(true);
        series->setPen(pen);
        // The section a save writes: reshaped once pressed.
        series->replace(LoadingPlot::points(*overlay.study,
            overlay.study->reshapedSection() ? LoadingPlot::SectionReference
                                             : LoadingPlot::Reference));
    }
    fitLoadAxis();
}

void LoadingChart::fitLoadAxis()
{
    QList<QList<QPointF>> loads;
    for (const QLineSeries *series : lines)
        loads << series->points();
    for (const QLineSeries *series : std::as_const(overlayLines))
        loads << series->points();
    const auto [low, high] = LoadingPlot::loadRange(loads);
    fitValueAxis(loadAxis, low, high);
    placeSpikeLabel();
}

void LoadingChart::placeSpikeLabel()
{
    // The series are clipped at the plot's edge; the label says how far the spike goes.
    spikeLabel->hide();
    QLineSeries *zeroIncidence = shown(LoadingPlot::ZeroIncidence);
    if (zeroIncidence->count() < 2)
        return;
    const QPointF first = zeroIncidence->at(0);
    const double edge = std::clamp(first.y(), loadAxis->min(), loadAxis->max());
    if (edge == first.y())
        return;
    spikeLabel->setText(LoadingPlot::spikeText(first.y()));
    const QPointF at = chart()->mapToPosition(QPointF(first.x(), edge), zeroIncidence);
    const QRectF box = spikeLabel->boundingRect();
    spikeLabel->setPos(at.x() + 4.0, edge > 0.0 ? at.y() : at.y() - box.height());
    spikeLabel->show();
}
