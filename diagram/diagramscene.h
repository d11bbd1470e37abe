#ifndef LIFTWISE_DIAGRAMSCENE_H
#define LIFTWISE_DIAGRAMSCENE_H

#include <QGraphicsScene>

class Airfoil;
class Camberline;
class Spline2D;

// The diagram: one chord length is 1000 scene units, the model point (x, y) lies at
// (1000 x, -1000 y) so that y points up on the screen.
class DiagramScene : public QGraphicsScene
{
    Q_OBJECT

public:
    explicit DiagramScene(QObject *parent = nullptr);

    // Contour markers and polygon, the two axes, then the smooth contour.
    void plotAirfoil(Airfoil *airfoil);
    // One red segment per panel.
    void plotCamberline(Camberline *camberline);
    // The panels, then a marker at every interior station.
    void plotPaneling(Camberline *camberline);
    // The curve as a polyline of 20 segments per knot interval.
    void plotSpline2D(Spline2D *curve);
};

#endif // LIFTWISE_DIAGRAMSCENE_H
