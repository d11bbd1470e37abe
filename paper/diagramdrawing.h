#ifndef LIFTWISE_DIAGRAMDRAWING_H
#define LIFTWISE_DIAGRAMDRAWING_H

#include <QColor>

#include <QList>
#include <QPainterPath>
#include <QPen>
#include <QString>
#include <iterator>

#include <vector>

QT_BEGIN_NAMESPACE
class QFontMetrics;
class QPainter;
QT_END_NAMESPACE

class Airfoil;
class Camberline;
struct CamberReshaping;

// The colours of the diagram's lines, which its legend names too.
// The lines a colour-blind eye must tell apart (the reference and the paneled line, which
// overlay each other at fine panelings, and the difference) take Okabe and Ito's vermillion,
// blue and reddish purple; the contour's straight lines and the axes shades of grey, which the
// other sections' colours keep clear of.
namespace DiagramColour {
inline const QColor Contour = Qt::black;
inline const QColor Polygon = QColor(90, 90, 90);
inline const QColor Axes = QColor(175, 175, 175);
inline const QColor Reference = QColor(213, 94, 0);
inline const QColor Paneling = QColor(0, 114, 178);
inline const QColor Scale = QColor(64, 64, 64);
// The section as loaded, under its reshaped lines.
inline const QColor Original = QColor(140, 140, 140);
inline const QColor Difference = QColor(204, 121, 167);
// A section a Design dialog is about to make, over the one there is.
inline const QColor Preview = QColor(0, 140, 160);
// The colours of the sections compared with the current one, told apart by colour-blind eyes
// too (Okabe and Ito's palette, its black last, for the contour is black).
inline const QColor Sections[]
    = {QColor(230, 159, 0), QColor(86, 180, 233), QColor(0, 158, 115), QColor(0, 114, 178),
        QColor(213, 94, 0), QColor(204, 121, 167), QColor(240, 228, 66), QColor(0, 0, 0)};
inline const QColor &section(int colour) { return Sections[colour % std::size(Sections)]; }
} // namespace DiagramColour

// One row of the diagram's legend: a sample of the line's pen, with a station marker where the
// line has them.
struct DiagramLegendEntry
{
    QPen pen;
    bool marker = false;
    QString text;
};

// The diagram as the window's scene draws it and the printed page paints it. One chord length is
// 1000 scene units, the model point (x, y) lies at (1000 x, -1000 y) so that y points up. Lines
// are a pixel wide at every zoom; markers, ticks, labels and the legend keep their size in
// pixels.
namespace DiagramDrawing {

// A marker's diameter and a tick's length, in pixels.
constexpr double MarkerSize = 4;
// Above this many stations the paneled line's markers shrink to dots, so that they leave the
// reference line beneath them in view.
constexpr int ManyStations = 60;
constexpr double DotSize = 1.5;
constexpr double TickLength = 5;
// The zooms a view takes, in pixels a scene unit.
constexpr double MinZoom = 0.05;
constexpr double MaxZoom = 50;
// The legend's distance from the corner and the length of its line samples, in pixels.
constexpr int Inset = 4;
constexpr int SampleLength = 24;

QPointF scenePoint(double x, double y);
QPen thinPen(const QColor &colour);
QPen dashedPen(const QColor &colour);

// The contour's points joined by straight lines.
QPainterPath polygonPath(const Airfoil &airfoil);
// The smooth contour through them, 20 segments per knot interval.
QPainterPath splinePath(const Airfoil &airfoil);
QPainterPath camberPath(const Camberline &line);
// The chord and the vertical axis through the nose.
QLineF chordLine();
QLineF verticalAxis();
// What the axis says at the tick at a tenth of the chord: 0, 0.5 and 1; nothing at the others.
QString tickLabel(int tenth);
// The vertical axis' ticks stand at every twentieth of the chord from -4 to 4 (y/c -0.2 to
// 0.2); what the tick says: -0.2, -0.1, 0.1 and 0.2; nothing at the others (0 is the chord's).
constexpr int YTicks = 4;
QString yTickLabel(int twentieth);
// The diameter of the paneled line's markers at that many interior stations.
double stationMarkerSize(int stations);

// Whether any of the presses changed the line.
bool isReshaped(const std::vector<CamberReshaping> &presses);
// The polyline with each point raised by the applied presses' offset at its x, as a save would.
QPainterPath reshapedPath(const QPainterPath &path, const std::vector<CamberReshaping> &presses);
// What the reshaping's change of the camber line is enlarged by so that its largest value is a
// tenth of the chord, to two significant figures; 0 where it changed nothing.
double differenceFactor(const std::vector<CamberReshaping> &presses);
// The factor that makes the largest of these differences a tenth of the chord, rounded as
// differenceFactor's; 0 where there is none.
double differenceFactor(double largest);
// That change along the chord, enlarged by the factor.
QPainterPath differencePath(const std::vector<CamberReshaping> &presses, double factor);

// The legend's rows: the contour, its points joined straight, the reference and the paneled
// camber line, the chord and the axis, then the section as loaded where the presses reshaped
// it, and the difference where it is drawn (factor > 0).
QList<DiagramLegendEntry> legend(bool original, double factor);
// The legend's size in the font, and the legend painted into rect over a veil of the
// background, its texts in the colour.
QSize legendSize(const QFontMetrics &metrics, const QList<DiagramLegendEntry> &entries);
void paintLegend(QPainter *painter, const QRect &rect, const QList<DiagramLegendEntry> &entries,
    const QColor &text, const QColor &background);

// Where a view fits the contour: its viewport clear of the hint above and the legend below,
// where that leaves at least half of it.
QRectF fitRoom(const QRectF &viewport, double hintHeight, double legendHeight);
// The zoom that fits rect into the room but for a margin of a twentieth on every side, within
// the zooms a view takes.
double fitZoom(const QRectF &room, const QRectF &rect);

} // namespace DiagramDrawing

#endif // LIFTWISE_DIAGRAMDRAWING_H
