#include "diagrampicture.h"

#include "diagramdrawing.h"
#include "study.h"

#include <QPainter>

#include <algorithm>

namespace DiagramPicture {

using namespace DiagramDrawing;

namespace {

// The lines of a study as they are drawn: as loaded and as the presses moved them.
struct Lines
{
    explicit Lines(const Study &study)
    {
        const std::vector<CamberReshaping> &presses = study.presses();
        reshaped = isReshaped(presses);
        loadedPolygon = polygonPath(*study.airfoil());
        loadedSpline = splinePath(*study.airfoil());
        loadedReference = camberPath(*study.reference());
        polygon = shown(loadedPolygon, presses);
        spline = shown(loadedSpline, presses);
        reference = shown(loadedReference, presses);
        panels = camberPath(*study.paneledLine());
    }
    QPainterPath shown(const QPainterPath &path, const std::vector<CamberReshaping> &presses) const
    {
        return reshaped ? reshapedPath(path, presses) : path;
    }

    bool reshaped = false;
    QPainterPath loadedPolygon;
    QPainterPath loadedSpline;
    QPainterPath loadedReference;
    QPainterPath polygon;
    QPainterPath spline;
    QPainterPath reference;
    QPainterPath panels;
};

// The sections' smooth contours and reference lines, as a save writes each.
QList<QPainterPath> overlayPaths(const SectionOverlay &overlay)
{
    const Study::Section &section = *overlay.study->section();
    return {splinePath(*section.airfoil), camberPath(section.reference)};
}

QList<DiagramLegendEntry> entriesOf(const Lines &lines, const QList<SectionOverlay> &overlays)
{
    QList<DiagramLegendEntry> entries = legend(lines.reshaped, 0);
    for (const SectionOverlay &overlay : overlays)
        entries.append({thinPen(overlay.colour), false, overlay.name});
    return entries;
}

// What is drawn of the sections, in scene units, and the lowest point the scale's figures go
// under.
QRectF drawnRect(const Lines &lines, const QList<SectionOverlay> &overlays)
{
    QRectF rect = lines.polygon.boundingRect() | lines.spline.boundingRect();
    for (const SectionOverlay &overlay : overlays)
        for (const QPainterPath &path : overlayPaths(overlay))
            rect |= path.boundingRect();
    return rect;
}

// The room the section is fitted into: the box but for the legend at its right and the scale's
// figures below.
QRectF roomIn(const QRectF &box, const QSize &legend, const QFontMetricsF &metrics)
{
    return box.adjusted(0, 0, -legend.width() - 2 * Inset, -TickLength - metrics.height());
}

} // namespace

double heightFor(
    double width, const QFont &font, const Study &study, const QList<SectionOverlay> &overlays)
{
    if (!study.isLoaded())
        return 0;
    const Lines lines(study);
    const QFontMetricsF metrics(font);
    const QSize legend = legendSize(QFontMetrics(font), entriesOf(lines, overlays));
    const QRectF drawn = drawnRect(lines, overlays);
    // As wide as the room is, a twentieth to spare on every side as a view fits it.
    const double roomWidth = roomIn(QRectF(0, 0, width, 0), legend, metrics).width();
    const double room = drawn.height() * (roomWidth * 0.9 / drawn.width()) / 0.9;
    return std::max(room + TickLength + metrics.height(), legend.height() + 2.0 * Inset);
}

void paint(
    QPainter *painter, const QRectF &box, const Study &study, const QList<SectionOverlay> &overlays)
{
    if (!study.isLoaded())
        return;
    // 1. The lines as loaded, and as the presses moved them.
    const Lines lines(study);

    // 2. The sections fitted as a view fits them, clear of the legend and the scale's figures.
    const QList<DiagramLegendEntry> entries = entriesOf(lines, overlays);
    const QFontMetricsF metrics(painter->fontMetrics());
    const QSize legend = legendSize(painter->fontMetrics(), entries);
    const QRectF drawn = drawnRect(lines, overlays);
    const QRectF room = roomIn(box, legend, metrics);
    const double zoom = fitZoom(room, drawn);
    QTransform view;
    view.translate(room.center().x(), room.center().y());
    view.scale(zoom, zoom);
    view.translate(-drawn.center().x(), -drawn.center().y());

    painter->save();
    painter->setClipRect(box, Qt::IntersectClip);
    painter->setBrush(Qt::NoBrush);
    const auto marker = [&](const QPointF &at) {
        painter->drawEllipse(view.map(at), MarkerSize / 2, MarkerSize / 2);
    };
    // 3. Beneath the contour, the axes and the chord's scale, its figures under the lowest point
    //    drawn.
    painter->setPen(thinPen(DiagramColour::Axes));
    painter->drawLine(view.map(chordLine()));
    painter->drawLine(view.map(verticalAxis()));
    const double bottom = std::max(drawn.bottom(), 0.0);
    for (int tenth = 0; tenth <= 10; ++tenth) {
        painter->setPen(thinPen(DiagramColour::Scale));
        const QPointF tick = view.map(QPointF(100 * tenth, 0));
        painter->drawLine(tick, tick + QPointF(0, TickLength));
        const QString label = tickLabel(tenth);
        if (label.isEmpty())
            continue;
        painter->setPen(DiagramColour::Scale);
        const QPointF at = view.map(QPointF(100 * tenth, bottom));
        painter->drawText(QPointF(at.x() - metrics.horizontalAdvance(label) / 2,
                              at.y() + TickLength + metrics.ascent()),
            label);
    }
    // 4. The other sections, then the section as loaded under its reshaped lines.
    for (const SectionOverlay &overlay : overlays) {
        painter->setPen(thinPen(overlay.colour));
        for (const QPainterPath &path : overlayPaths(overlay))
            painter->drawPath(view.map(path));
    }
    if (lines.reshaped) {
        painter->setPen(dashedPen(DiagramColour::Original));
        painter->drawPath(view.map(lines.loadedSpline));
        painter->drawPath(view.map(lines.loadedReference));
    }
    // 5. The contour's points, joined and marked, the smooth contour, the reference line, and
    //    the paneled line with a marker at each interior station.
    painter->setPen(thinPen(DiagramColour::Polygon));
    painter->drawPath(view.map(lines.polygon));
    painter->setPen(thinPen(DiagramColour::Contour));
    for (int i = 0; i < lines.polygon.elementCount(); ++i)
        marker(lines.polygon.elementAt(i));
    painter->drawPath(view.map(lines.spline));
    painter->setPen(thinPen(DiagramColour::Reference));
    painter->drawPath(view.map(lines.reference));
    painter->setPen(thinPen(DiagramColour::Paneling));
    painter->drawPath(view.map(lines.panels));
    for (int i = 1; i + 1 < lines.panels.elementCount(); ++i)
        marker(lines.panels.elementAt(i));

    // 6. The legend, at the right, beside the section rather than over it.
    const QRect side(
        QPoint(qRound(box.right() - Inset - legend.width()), qRound(box.top() + Inset)), legend);
    paintLegend(painter, side, entries, Qt::black, Qt::white);
    painter->restore();
}

} // namespace DiagramPicture
