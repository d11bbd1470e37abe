#include "loadingchart.h"

#include "chartaxis.h"
#include "plotstyle.h"
#include "report.h"
#include "study.h"

#include <QtCharts>

#include <algorithm>

namespace {

// Whether the segment from a to b passes through the box.
bool crosses(const QRectF &box, const QPointF &a, const QPointF &b)
{
    if (box.contains(a) || box.contains(b))
        return true;
    const QLineF segment(a, b);
    for (const QLineF &edge :
        {QLineF(box.topLeft(), box.topRight()), QLineF(box.bottomLeft(), box.bottomRight()),
            QLineF(box.topLeft(), box.bottomLeft()), QLineF(box.topRight(), box.bottomRight())}) {
        if (segment.intersects(edge, nullptr) == QLineF::BoundedIntersection)
            return true;
    }
    return false;
}

} // namespace

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
    connect(chart, &QChart::plotAreaChanged, this, &LoadingChart::placeSpikeLabels);
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
    resetZoom();
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
    // Another count or density shows the whole chord again.
    if (!(study->paneling() == shownPaneling))
        resetZoom();
    shownPaneling = study->paneling();
    fitLoadAxis();
    fitLegend(overlaySeries());
}

void LoadingChart::setOverlays(const QList<SectionOverlay> &overlays)
{
    // The series there are take the new sections' loads: a chart lays out a series added or
    // removed anew, which with twenty sections costs more than the switch itself.
    while (overlayLines.size() > overlays.size()) {
        overlaySections.removeLast();
        QLineSeries *series = overlayLines.takeLast();
        chart()->removeSeries(series);
        delete series;
    }
    const bool added = overlayLines.size() < overlays.size();
    while (overlayLines.size() < overlays.size()) {
        auto *series = new QLineSeries;
        chart()->addSeries(series);
        series->attachAxis(xAxis());
        series->attachAxis(loadAxis);
        overlayLines << series;
    }
    // The study's loads stay on top of the new ones: a switch reuses the series and adds none.
    if (added)
        bringToFront(QList<QAbstractSeries *>(std::begin(lines), std::end(lines)));
    // A series that shows its section's load already, as most do on a switch, is left alone.
    overlaySections.resize(overlays.size(), nullptr);
    for (qsizetype i = 0; i < overlays.size(); ++i) {
        const SectionOverlay &overlay = overlays.at(i);
        QLineSeries *series = overlayLines.at(i);
        if (series->name() != overlay.name)
            series->setName(overlay.name);
        QPen pen(overlay.colour);
        pen.setCosmetic(true);
        if (series->pen() != pen)
            series->setPen(pen);
        // The section a save writes: reshaped once pressed.
        const Study::Section *section = overlay.study->section();
        if (overlaySections.at(i) == section)
            continue;
        overlaySections[i] = section;
        series->replace(LoadingPlot::points(*overlay.study,
            overlay.study->reshapedSection() ? LoadingPlot::SectionReference
                                             : LoadingPlot::Reference));
    }
    fitLoadAxis();
    fitLegend(overlaySeries());
}

void LoadingChart::fitValueAxes() { fitLoadAxis(); }

QList<QAbstractSeries *> LoadingChart::overlaySeries() const
{
    return QList<QAbstractSeries *>(overlayLines.cbegin(), overlayLines.cend());
}

void LoadingChart::fitLoadAxis()
{
    double low = 0.0;
    double high = 0.0;
    const auto widen = [&](const QLineSeries *series) {
        if (series->isVisible())
            widenToShown(series->points(), xAxis()->min(), xAxis()->max(), &low, &high, 1);
    };
    for (const QLineSeries *series : lines)
        widen(series);
    for (const QLineSeries *series : std::as_const(overlayLines))
        widen(series);
    fitValueAxis(loadAxis, low, high);
    placeSpikeLabels();
}

void LoadingChart::placeSpikeLabels()
{
    // 1. The study's lines whose first panel the axis clips, in the order drawn.
    QList<QLineSeries *> clipped;
    for (QLineSeries *series : lines) {
        if (!series->isVisible() || series->count() < 2)
            continue;
        const QPointF first = series->at(0);
        if (first.x() >= xAxis()->min() && first.x() <= xAxis()->max()
            && (first.y() < loadAxis->min() || first.y() > loadAxis->max()))
            clipped << series;
    }
    while (spikeLabels.size() < clipped.size()) {
        auto *label = new QGraphicsSimpleTextItem(chart());
        label->setBrush(palette().text());
        label->setZValue(10.0);
        label->setData(0, QStringLiteral("spike value"));
        spikeLabels << label;
        auto *mark = new QGraphicsPolygonItem(chart());
        mark->setZValue(10.0);
        spikeMarks << mark;
    }
    for (qsizetype i = 0; i < spikeLabels.size(); ++i) {
        spikeLabels.at(i)->setVisible(i < clipped.size());
        spikeMarks.at(i)->setVisible(i < clipped.size());
    }
    if (clipped.isEmpty())
        return;
    // 2. The lines as drawn, to keep the values off them.
    QList<QPolygonF> drawn;
    const auto addDrawn = [&](QLineSeries *series) {
        if (!series->isVisible())
            return;
        QPolygonF line;
        for (const QPointF &p : series->points())
            line << chart()->mapToPosition(p, series);
        drawn << line;
    };
    for (QLineSeries *series : lines)
        addDrawn(series);
    for (QLineSeries *series : std::as_const(overlayLines))
        addDrawn(series);
    const QRectF plot = chart()->plotArea();
    QList<QRectF> taken;
    const auto isClear = [&](const QRectF &box) {
        if (!plot.contains(box))
            return false;
        for (const QRectF &other : std::as_const(taken))
            if (other.intersects(box))
                return false;
        // The loads run along the chord: only the segments from the last point left of the box
        // to the first right of it can pass through it.
        for (const QPolygonF &line : std::as_const(drawn)) {
            auto k = std::lower_bound(line.cbegin(), line.cend(), box.left(),
                [](const QPointF &p, double x) { return p.x() < x; });
            for (k = k == line.cbegin() ? k : k - 1; k != line.cend() && k + 1 != line.cend();
                 ++k) {
                if (crosses(box, *k, *(k + 1)))
                    return false;
                if (k->x() > box.right())
                    break;
            }
        }
        return true;
    };
    // 3. Each a mark at the edge, pointing out, and its value along that edge, clear of every
    //    line and of the values placed before it: the first clear place right of the mark,
    //    or next to the mark where none is.
    constexpr double Size = 6.0;
    for (qsizetype i = 0; i < clipped.size(); ++i) {
        QLineSeries *series = clipped.at(i);
        const QPointF first = series->at(0);
        const bool above = first.y() > loadAxis->max();
        const double edge = above ? loadAxis->max() : loadAxis->min();
        const QPointF at = chart()->mapToPosition(QPointF(first.x(), edge), series);
        const double out = above ? -1.0 : 1.0;
        QGraphicsPolygonItem *mark = spikeMarks.at(i);
        mark->setPolygon(QPolygonF({at + QPointF(0, out * Size / 2),
            at + QPointF(-Size / 2, -out * Size / 2), at + QPointF(Size / 2, -out * Size / 2)}));
        mark->setBrush(series->pen().color());
        mark->setPen(QPen(palette().color(QPalette::Text), 0.5));
        QGraphicsSimpleTextItem *label = spikeLabels.at(i);
        label->setText(LoadingPlot::spikeText(first.y()));
        const QSizeF size = label->boundingRect().size();
        const double top = above ? plot.top() + 2.0 : plot.bottom() - 2.0 - size.height();
        QRectF box(QPointF(at.x() + Size, top), size);
        QRectF chosen = box;
        for (; box.right() <= plot.right(); box.translate(Size, 0)) {
            if (isClear(box)) {
                chosen = box;
                break;
            }
        }
        taken << chosen;
        label->setPos(chosen.topLeft());
    }
}