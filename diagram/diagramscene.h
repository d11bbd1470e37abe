#ifndef LIFTWISE_DIAGRAMSCENE_H
#define LIFTWISE_DIAGRAMSCENE_H

#include <QColor>
#include <QGraphicsScene>
#include <QList>
#include <QPainterPath>
#include <QPen>

QT_BEGIN_NAMESPACE
class QGraphicsEllipseItem;
class QGraphicsPathItem;
QT_END_NAMESPACE

class Airfoil;
class Camberline;
class Spline2D;
class Study;

// The colours of the diagram's lines, which its legend names too.
namespace DiagramColour {
inline const QColor Contour = Qt::black;
inline const QColor Polygon = Qt::blue;
inline const QColor Axes = Qt::green;
inline const QColor Reference = Qt::red;
// Far from the reference's red, which it overlays at fine panelings.
inline const QColor Paneling = QColor(150, 40, 200);
inline const QColor Scale = QColor(64, 64, 64);
// The section as loaded, under its reshaped lines.
inline const QColor Original = QColor(140, 140, 140);
inline const QColor Difference = QColor(220, 110, 0);
} // namespace DiagramColour

// One row of the diagram's legend: a sample of the line's pen, with a station marker where the
// line has them.
struct DiagramLegendEntry
{
    QPen pen;
    bool marker = false;
    QString text;
};

// The diagram: one chord length is 1000 scene units, the model point (x, y) lies at
// (1000 x, -1000 y) so that y points up on the screen. Shows a study: a new file redraws
// everything, a new or reshaped paneled line only the paneling. Each line is one path; the
// point markers and the chord scale keep their size on the screen at every zoom. Once Modify has
// reshaped the line, the contour and the reference camber line are drawn reshaped, over the
// section as loaded in dashed grey.
class DiagramScene : public QGraphicsScene
{
    Q_OBJECT

public:
    // Draws the study, from now on as it changes.
    explicit DiagramScene(const Study *study, QObject *parent = nullptr);

    // The bounds of the contour's lines, without the axes; empty before a load.
    QRectF contourRect() const;
    bool hasContour() const { return polygon != nullptr; }

    // Whether the reshaping's change of the camber line is drawn along the chord, enlarged so
    // that its largest value is a tenth of the chord.
    void setDifferenceVisible(bool visible);
    bool isDifferenceVisible() const { return differenceVisible; }
    // What the change is enlarged by as drawn; 0 while none is drawn.
    double differenceFactor() const { return factor; }
    // The lines drawn now, in the order of the legend.
    QList<DiagramLegendEntry> legend() const;

signals:
    // A new contour is drawn.
    void contourChanged();
    // The lines the legend names changed.
    void legendChanged();

private:
    void fileChanged();
    void lineChanged();
    // The contour and the reference camber line moved by the presses, the section as loaded
    // under them and the difference, or the lines as loaded alone when no press applied.
    void plotReshaping();
    // The contour's points joined by straight lines, with a marker at each, and the smooth
    // contour, 20 segments per knot interval.
    void plotAirfoil(const Airfoil &airfoil);
    // The chord and a vertical axis through the nose, with ticks along the chord at every
    // tenth, labelled at 0, 0.5 and 1 below bottom, the contour's lowest scene y.
    void plotAxes(double bottom);
    // The panels, then a marker at every interior station: the markers of the paneling drawn
    // before are moved into place, and only as many added or removed as the count changes.
    void plotPaneling(const Camberline &camberline);
    QGraphicsEllipseItem *addMarker(const QColor &colour);

    const Study *study;
    QGraphicsPathItem *polygon = nullptr;
    QGraphicsPathItem *spline = nullptr;
    QGraphicsPathItem *reference = nullptr;
    QGraphicsPathItem *panels = nullptr;
    QGraphicsPathItem *originalContour = nullptr;
    QGraphicsPathItem *originalCamber = nullptr;
    QGraphicsPathItem *difference = nullptr;
    QList<QGraphicsEllipseItem *> contourPoints;
    QList<QGraphicsEllipseItem *> stations;
    // The lines as loaded, in scene units, which a reshaping moves point by point.
    QPainterPath loadedPolygon;
    QPainterPath loadedSpline;
    QPainterPath loadedReference;
    bool differenceVisible = false;
    double factor = 0;
};

#endif // LIFTWISE_DIAGRAMSCENE_H
