#ifndef LIFTWISE_DIAGRAMSCENE_H
#define LIFTWISE_DIAGRAMSCENE_H

#include <QGraphicsScene>
#include <QList>

QT_BEGIN_NAMESPACE
class QGraphicsEllipseItem;
class QGraphicsLineItem;
QT_END_NAMESPACE

class Airfoil;
class Camberline;
class Spline2D;
class Study;

// The diagram: one chord length is 1000 scene units, the model point (x, y) lies at
// (1000 x, -1000 y) so that y points up on the screen. Shows a study: a new file redraws
// everything, a new or reshaped paneled line only the paneling.
class DiagramScene : public QGraphicsScene
{
    Q_OBJECT

public:
    // Draws the study, from now on as it changes.
    explicit DiagramScene(const Study *study, QObject *parent = nullptr);

    // The bounds of the contour's markers and lines, without the axes; empty before a load.
    QRectF contourRect() const;

private:
    // Contour markers and polygon, the two axes, then the smooth contour.
    void plotAirfoil(const Airfoil &airfoil);
    // One red segment per panel.
    void plotCamberline(const Camberline &camberline);
    // The panels, then a marker at every interior station: the items of the paneling drawn
    // before are moved into place, and only as many added or removed as the count changes.
    void plotPaneling(const Camberline &camberline);
    // The curve as a polyline of 20 segments per knot interval.
    void plotSpline2D(const Spline2D &curve);
    void fileChanged();
    void lineChanged();
    // A line, or a circle of diameter 4 round p, added to the scene and to the items being
    // collected, if any.
    void line(const QPointF &from, const QPointF &to, const QPen &pen);
    void marker(const QPointF &p, const QPen &pen);

    const Study *study;
    // The items of the contour, and of the paneling, which is redrawn on its own when the
    // line changes.
    QList<QGraphicsItem *> contour;
    QList<QGraphicsLineItem *> panels;
    QList<QGraphicsEllipseItem *> stations;
    QList<QGraphicsItem *> *collecting = nullptr;
};

#endif // LIFTWISE_DIAGRAMSCENE_H
