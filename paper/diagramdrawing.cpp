#include "diagramdrawing.h"

#include "airfoil.h"
#include "camberline.h"
#include "modification.h"
#include "spline.h"

#include <QCoreApplication>
#include <QFontMetrics>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace DiagramDrawing {

namespace {

// What the applied presses add to the camber line, and so to both surfaces, at x.
double offsetAt(const std::vector<CamberReshaping> &presses, double x)
{
    double dy = 0;
    for (const CamberReshaping &press : presses) {
        if (press.applied)
            dy += press.offset(x);
    }
    return dy;
}

// Two significant figures, so that the legend's factor is the one drawn.
double roundedFactor(double factor)
{
    const double unit = std::pow(10.0, std::floor(std::log10(factor)) - 1);
    return std::round(factor / unit) * unit;
}

// The change along the chord is drawn through this many steps.
constexpr int DifferenceSamples = 400;

QString tr(const char *text) { return QCoreApplication::translate("DiagramScene", text); }

} // namespace

QPointF scenePoint(double x, double y) { return QPointF(1000 * x, -1000 * y); }

QPen thinPen(const QColor &colour)
{
    // A pixel of the screen's logical size wide: two device pixels on a screen at scale 2.
    QPen pen(colour, 1);
    pen.setCosmetic(true);
    return pen;
}

QPen dashedPen(const QColor &colour)
{
    QPen pen = thinPen(colour);
    pen.setStyle(Qt::DashLine);
    return pen;
}

namespace {

// Straight lines through the n points (x(i), y(i)).
template <typename X, typename Y> QPainterPath pathThrough(int n, const X &x, const Y &y)
{
    QPainterPath path(scenePoint(x(0), y(0)));
    for (int i = 1; i < n; ++i)
        path.lineTo(scenePoint(x(i), y(i)));
    return path;
}

} // namespace

QPainterPath polygonPath(const Airfoil &airfoil)
{
    return pathThrough(
        airfoil.npoints(), [&](int i) { return airfoil.px(i); },
        [&](int i) { return airfoil.py(i); });
}

QPainterPath splinePath(const Airfoil &airfoil)
{
    const Spline2D &curve = airfoil.curve();
    const int samples = 20 * (curve.length() - 1);
    QPainterPath smooth(scenePoint(curve.fx(0), curve.fy(0)));
    for (int k = 1; k <= samples; ++k)
        smooth.lineTo(scenePoint(curve.fx(k * 0.05), curve.fy(k * 0.05)));
    return smooth;
}

QPainterPath camberPath(const Camberline &line)
{
    return pathThrough(
        line.npoints(), [&](int i) { return line.xpoint(i); },
        [&](int i) { return line.ypoint(i); });
}

QLineF chordLine() { return QLineF(0, 0, 1000, 0); }

QLineF verticalAxis() { return QLineF(0, -200, 0, 200); }

QString tickLabel(int tenth) { return tenth % 5 == 0 ? QString::number(tenth / 10.0) : QString(); }

QString yTickLabel(int twentieth)
{
    return twentieth != 0 && twentieth % 2 == 0 ? QString::number(twentieth / 20.0) : QString();
}

double stationMarkerSize(int stations) { return stations > ManyStations ? DotSize : MarkerSize; }

bool isReshaped(const std::vector<CamberReshaping> &presses)
{
    return std::any_of(
        presses.begin(), presses.end(), [](const CamberReshaping &press) { return press.applied; });
}

QPainterPath reshapedPath(const QPainterPath &path, const std::vector<CamberReshaping> &presses)
{
    QPainterPath moved;
    for (int i = 0; i < path.elementCount(); ++i) {
        const QPainterPath::Element point = path.elementAt(i);
        const QPointF to(point.x, point.y - 1000 * offsetAt(presses, point.x / 1000));
        if (i == 0)
            moved.moveTo(to);
        else
            moved.lineTo(to);
    }
    return moved;
}

double differenceFactor(const std::vector<CamberReshaping> &presses)
{
    double largest = 0;
    for (int k = 0; k <= DifferenceSamples; ++k)
        largest = std::max(largest, std::abs(offsetAt(presses, double(k) / DifferenceSamples)));
    return differenceFactor(largest);
}

double differenceFactor(double largest)
{
    return std::isfinite(largest) && largest > 0 ? roundedFactor(0.1 / largest) : 0;
}

QPainterPath differencePath(const std::vector<CamberReshaping> &presses, double factor)
{
    QPainterPath change;
    if (factor > 0) {
        change.moveTo(0, 0);
        for (int k = 1; k <= DifferenceSamples; ++k) {
            const double x = double(k) / DifferenceSamples;
            change.lineTo(scenePoint(x, factor * offsetAt(presses, x)));
        }
    }
    return change;
}

QList<DiagramLegendEntry> legend(bool original, double factor)
{
    QList<DiagramLegendEntry> entries {
        {thinPen(DiagramColour::Contour), false, tr("contour")},
        {thinPen(DiagramColour::Polygon), true, tr("contour's points joined straight")},
        {thinPen(DiagramColour::Reference), false, tr("reference camber line")},
        {thinPen(DiagramColour::Paneling), true, tr("paneled camber line")},
        {thinPen(DiagramColour::Axes), false, tr("chord and axis")},
    };
    if (original)
        entries.append({dashedPen(DiagramColour::Original), false, tr("as loaded")});
    if (factor > 0)
        entries.append({thinPen(DiagramColour::Difference), false,
            tr("difference ×%1").arg(QString::number(factor, 'g', 6))});
    return entries;
}

QSize legendSize(const QFontMetrics &metrics, const QList<DiagramLegendEntry> &entries)
{
    int width = 0;
    for (const DiagramLegendEntry &entry : entries)
        width = qMax(width, metrics.horizontalAdvance(entry.text));
    return QSize(
        SampleLength + metrics.averageCharWidth() + width, int(entries.size()) * metrics.height());
}

void paintLegend(QPainter *painter, const QRect &rect, const QList<DiagramLegendEntry> &entries,
    const QColor &text, const QColor &background)
{
    // A veil of the background keeps the texts legible over the diagram's lines.
    QColor veil = background;
    veil.setAlphaF(0.75);
    painter->fillRect(rect, veil);
    const QFontMetrics metrics = painter->fontMetrics();
    QRect row(rect.topLeft(), QSize(rect.width(), metrics.height()));
    for (const DiagramLegendEntry &entry : entries) {
        painter->setPen(entry.pen);
        const QPointF middle(row.left() + SampleLength / 2.0, row.center().y() + 0.5);
        painter->drawLine(
            QPointF(row.left(), middle.y()), QPointF(row.left() + SampleLength, middle.y()));
        if (entry.marker)
            painter->drawEllipse(middle, MarkerSize / 2, MarkerSize / 2);
        painter->setPen(text);
        painter->drawText(row.adjusted(SampleLength + metrics.averageCharWidth(), 0, 0, 0),
            Qt::AlignLeft | Qt::AlignVCenter, entry.text);
        row.translate(0, metrics.height());
    }
}

QRectF fitRoom(const QRectF &viewport, double hintHeight, double legendHeight)
{
    const QRectF clear = viewport.adjusted(0, hintHeight, 0, -legendHeight);
    return clear.height() >= viewport.height() / 2 ? clear : viewport;
}

double fitZoom(const QRectF &room, const QRectF &rect)
{
    const QSizeF inner = room.size() * 0.9;
    return qBound(
        MinZoom, qMin(inner.width() / rect.width(), inner.height() / rect.height()), MaxZoom);
}

} // namespace DiagramDrawing
