#include "diagramscene.h"

#include "airfoil.h"
#include "spline.h"

#include <QBrush>
#include <QPen>

namespace {

QPointF scenePoint(double x, double y) { return QPointF(1000 * x, -1000 * y); }

QRectF marker(const QPointF &p) { return QRectF(p.x() - 2, p.y() - 2, 4, 4); }

QPen camberPen()
{
    return QPen(QBrush(Qt::red, Qt::SolidPattern), 0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

QPen thinPen(Qt::GlobalColor color)
{
    QPen pen(color);
    pen.setWidth(0);
    return pen;
}

} // namespace

DiagramScene::DiagramScene(QObject *parent)
    : QGraphicsScene(parent)
{
}

void DiagramScene::plotAirfoil(Airfoil *airfoil)
{
    const QPen markerPen = thinPen(Qt::black);
    const QPen polygonPen = thinPen(Qt::blue);
    const int n = airfoil->npoints();
    QPointF previous = scenePoint(airfoil->px(0), airfoil->py(0));
    addEllipse(marker(previous), markerPen, Qt::NoBrush);
    for (int i = 1; i < n; ++i) {
        const QPointF p = scenePoint(airfoil->px(i), airfoil->py(i));
        addLine(QLineF(previous, p), polygonPen);
        addEllipse(marker(p), markerPen, Qt::NoBrush);
        previous = p;
    }
    const QPen axisPen = thinPen(Qt::green);
    addLine(QLineF(0, 0, 1000, 0), axisPen);
    addLine(QLineF(0, -200, 0, 200), axisPen);
    plotSpline2D(airfoil->curve);
}

void DiagramScene::plotSpline2D(Spline2D *curve)
{
    const int length = curve->length();
    if (length <= 1)
        return;
    const QPen pen = thinPen(Qt::black);
    const int samples = 20 * (length - 1);
    QPointF previous = scenePoint(curve->fx(0), curve->fy(0));
    for (int k = 1; k <= samples; ++k) {
        const QPointF p = scenePoint(curve->fx(k * 0.05), curve->fy(k * 0.05));
        addLine(QLineF(previous, p), pen);
        previous = p;
    }
}

void DiagramScene::plotCamberline(Camberline *camberline)
{
    const QPen pen = camberPen();
    const int m = camberline->npoints();
    for (int i = 1; i < m; ++i)
        addLine(QLineF(scenePoint(camberline->xpoint(i - 1), camberline->ypoint(i - 1)),
                    scenePoint(camberline->xpoint(i), camberline->ypoint(i))),
            pen);
}

void DiagramScene::plotPaneling(Camberline *camberline)
{
    plotCamberline(camberline);
    const QPen pen = thinPen(Qt::red);
    const int m = camberline->npoints();
    for (int i = 1; i < m - 1; ++i)
        addEllipse(
            marker(scenePoint(camberline->xpoint(i), camberline->ypoint(i))), pen, Qt::NoBrush);
}
