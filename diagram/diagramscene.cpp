#include "diagramscene.h"

#include "airfoil.h"
#include "spline.h"
#include "study.h"

#include <QBrush>
#include <QGraphicsEllipseItem>
#include <QGraphicsLineItem>
#include <QPen>

#include <utility>

namespace {

QPointF scenePoint(double x, double y) { return QPointF(1000 * x, -1000 * y); }

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

// A circle of diameter 4 round p.
QRectF markerRect(const QPointF &p) { return QRectF(p.x() - 2, p.y() - 2, 4, 4); }

// Grows or shrinks the items to count, making new ones with make, deleting those left over from
// the end.
template <typename Item, typename Make> void resize(QList<Item *> *items, int count, Make make)
{
    while (items->size() > count)
        delete items->takeLast();
    while (items->size() < count)
        items->append(make());
}

} // namespace

DiagramScene::DiagramScene(const Study *study, QObject *parent)
    : QGraphicsScene(parent)
    , study(study)
{
    connect(study, &Study::fileChanged, this, &DiagramScene::fileChanged);
    connect(study, &Study::lineChanged, this, &DiagramScene::lineChanged);
    fileChanged();
    lineChanged();
}

QRectF DiagramScene::contourRect() const
{
    QRectF bounds;
    for (const QGraphicsItem *item : contour)
        bounds |= item->sceneBoundingRect();
    return bounds;
}

void DiagramScene::fileChanged()
{
    clear();
    contour.clear();
    panels.clear();
    stations.clear();
    if (!study->isLoaded())
        return;
    collecting = &contour;
    plotAirfoil(*study->airfoil());
    collecting = nullptr;
    plotCamberline(*study->reference());
}

void DiagramScene::lineChanged()
{
    if (study->isLoaded())
        plotPaneling(*study->paneledLine());
}

void DiagramScene::line(const QPointF &from, const QPointF &to, const QPen &pen)
{
    QGraphicsItem *item = addLine(QLineF(from, to), pen);
    if (collecting)
        collecting->append(item);
}

void DiagramScene::marker(const QPointF &p, const QPen &pen)
{
    QGraphicsItem *item = addEllipse(markerRect(p), pen, Qt::NoBrush);
    if (collecting)
        collecting->append(item);
}

void DiagramScene::plotAirfoil(const Airfoil &airfoil)
{
    const QPen markerPen = thinPen(Qt::black);
    const QPen polygonPen = thinPen(Qt::blue);
    const int n = airfoil.npoints();
    QPointF previous = scenePoint(airfoil.px(0), airfoil.py(0));
    marker(previous, markerPen);
    for (int i = 1; i < n; ++i) {
        const QPointF p = scenePoint(airfoil.px(i), airfoil.py(i));
        line(previous, p, polygonPen);
        marker(p, markerPen);
        previous = p;
    }
    // The axes are no part of the contour's items.
    QList<QGraphicsItem *> *contourItems = std::exchange(collecting, nullptr);
    const QPen axisPen = thinPen(Qt::green);
    line(QPointF(0, 0), QPointF(1000, 0), axisPen);
    line(QPointF(0, -200), QPointF(0, 200), axisPen);
    collecting = contourItems;
    plotSpline2D(airfoil.curve());
}

void DiagramScene::plotSpline2D(const Spline2D &curve)
{
    const int length = curve.length();
    if (length <= 1)
        return;
    const QPen pen = thinPen(Qt::black);
    const int samples = 20 * (length - 1);
    QPointF previous = scenePoint(curve.fx(0), curve.fy(0));
    for (int k = 1; k <= samples; ++k) {
        const QPointF p = scenePoint(curve.fx(k * 0.05), curve.fy(k * 0.05));
        line(previous, p, pen);
        previous = p;
    }
}

void DiagramScene::plotCamberline(const Camberline &camberline)
{
    const QPen pen = camberPen();
    const int m = camberline.npoints();
    for (int i = 1; i < m; ++i)
        line(scenePoint(camberline.xpoint(i - 1), camberline.ypoint(i - 1)),
            scenePoint(camberline.xpoint(i), camberline.ypoint(i)), pen);
}

void DiagramScene::plotPaneling(const Camberline &camberline)
{
    // A new paneling mostly has about as many panels as the last one: moving items is far
    // cheaper than taking thousands out of the scene and putting them back.
    const int m = camberline.npoints();
    resize(&panels, m - 1, [this] { return addLine(QLineF(), camberPen()); });
    resize(&stations, qMax(m - 2, 0),
        [this] { return addEllipse(QRectF(), thinPen(Qt::red), Qt::NoBrush); });
    for (int i = 1; i < m; ++i) {
        const QPointF p = scenePoint(camberline.xpoint(i), camberline.ypoint(i));
        panels[i - 1]->setLine(
            QLineF(scenePoint(camberline.xpoint(i - 1), camberline.ypoint(i - 1)), p));
        if (i < m - 1)
            stations[i - 1]->setRect(markerRect(p));
    }
}
