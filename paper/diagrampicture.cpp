#include "diagrampicture.h"

#include "diagramdrawing.h"
#include "study.h"

#include <QPainter>

#include <algorithm>

namespace DiagramPicture {

using namespace DiagramDrawing;

void paint(QPainter *painter, const QRectF &box, const Study &study)
{
    if (!study.isLoaded())
        return;
    // 1. The lines as loaded, and as the presses moved them.
    const std::vector<CamberReshaping> &presses = study.presses();
    const bool reshaped = isReshaped(presses);
    const QPainterPath loadedPolygon = polygonPath(*study.airfoil());
    const QPainterPath loadedSpline = splinePath(*study.airfoil());
    const QPainterPath loadedReference = camberPath(*study.reference());
    const auto shown
        = [&](const QPainterPath &path) { return reshaped ? reshapedPath(path, presses) : path; };
    const QPainterPath polygon = shown(loadedPolygon);
    const QPainterPath spline = shown(loadedSpline);
    const QPainterPath panels = camberPath(*study.paneledLine());

    // 2. The contour fitted as a view fits it, clear of the legend in the corner.
    const QList<DiagramLegendEntry> entries = legend(reshaped, 0);
    const QSize legendSize = DiagramDrawing::legendSize(painter->fontMetrics(), entries);
    const QRectF contour = polygon.boundingRect() | spline.boundingRect();
    const QRectF room = fitRoom(box, 0, legendSize.height());
    const double zoom = fitZoom(room, contour);
    QTransform view;
    view.translate(room.center().x(), room.center().y());
    view.scale(zoom, zoom);
    view.translate(-contour.center().x(), -contour.center().y());

    painter->save();
    painter->setClipRect(box, Qt::IntersectClip);
    painter->setBrush(Qt::NoBrush);
    const auto marker = [&](const QPointF &at) {
        painter->drawEllipse(view.map(at), MarkerSize / 2, MarkerSize / 2);
    };
    // 3. Beneath the contour, the axes and the chord's scale, its figures under the lowest point
    //    of the section as loaded.
    painter->setPen(thinPen(DiagramColour::Axes));
    painter->drawLine(view.map(chordLine()));
    painter->drawLine(view.map(verticalAxis()));
    const double bottom
        = std::max((loadedPolygon.boundingRect() | loadedSpline.boundingRect()).bottom(), 0.0);
    const QFontMetricsF metrics(painter->fontMetrics());
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
    // 4. The section as loaded under its reshaped lines.
    if (reshaped) {
        painter->setPen(dashedPen(DiagramColour::Original));
        painter->drawPath(view.map(loadedSpline));
        painter->drawPath(view.map(loadedReference));
    }
    // 5. The contour's points, joined and marked, the smooth contour, the reference line, and
    //    the paneled line with a marker at each interior station.
    painter->setPen(thinPen(DiagramColour::Polygon));
    painter->drawPath(view.map(polygon));
    painter->setPen(thinPen(DiagramColour::Contour));
    for (int i = 0; i < polygon.elementCount(); ++i)
        marker(polygon.elementAt(i));
    painter->drawPath(view.map(spline));
    painter->setPen(thinPen(DiagramColour::Reference));
    painter->drawPath(view.map(shown(loadedReference)));
    painter->setPen(thinPen(DiagramColour::Paneling));
    painter->drawPath(view.map(panels));
    for (int i = 1; i + 1 < panels.elementCount(); ++i)
        marker(panels.elementAt(i));

    // 6. The legend.
    const QRect corner(QPoint(qRound(box.right() - Inset - legendSize.width()),
                           qRound(box.bottom() - Inset - legendSize.height())),
        legendSize);
    paintLegend(painter, corner, entries, Qt::black, Qt::white);
    painter->restore();
}

} // namespace DiagramPicture
