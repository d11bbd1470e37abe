#ifndef LIFTWISE_DIAGRAMSCENE_H
#define LIFTWISE_DIAGRAMSCENE_H

#include <QColor>
#include <QGraphicsScene>
#include <QList>

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
} // namespace DiagramColour

// The diagram: one chord length is 1000 scene units, the model point (x, y) lies at
// (1000 x, -1000 y) so that y points up on the screen. Shows a study: a new file redraws
// everything, a new or reshaped paneled line only the paneling. Each line is one path; the
// point markers and the chord scale keep their size on the screen at every zoom.
class DiagramScene : public QGraphicsScene
{
    Q_OBJECT

public:
    // Draws the study, from now on as it changes.
    explicit DiagramScene(const Study *study, QObject *parent = nullptr);

    // The bounds of the contour's lines, without the axes; empty before a load.
    QRectF contourRect() const;
    bool hasContour() const { return polygon != nullptr; }

signals:
    // A new contour is drawn.
    void contourChanged();

private:
    void fileChanged();
    void lineChanged();
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
    QGraphicsPathItem *panels = nullptr;
    QList<QGraphicsEllipseItem *> stations;
};

#endif // LIFTWISE_DIAGRAMSCENE_H
