#include "diagramscene.h"

#include "airfoil.h"
#include "spline.h"
#include "study.h"

#include <QGraphicsEllipseItem>
#include <QGraphicsLineItem>
#include <QGraphicsPathItem>
#include <QGraphicsSimpleTextItem>
#include <QPainterPath>
#include <QPen>

namespace {

// A marker's diameter and a tick's length, in pixels at every zoom.
constexpr double MarkerSize = 4;
constexpr double TickLength = 5;

QPointF scenePoint(double x, double y) { return QPointF(1000 * x, -1000 * y); }

// One pixel wide at every zoom.
QPen thinPen(const QColor &colour)
{
    QPen pen(colour, 0);
    pen.setCosmetic(true);
    return pen;
}

QPainterPath camberPath(const Camberline &line)
{
    QPainterPath path(scenePoint(line.xpoint(0), line.ypoint(0)));
    for (int i = 1; i < line.npoints(); ++i)
        path.lineTo(scenePoint(line.xpoint(i), line.ypoint(i)));
    return path;
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
    return hasContour() ? polygon->sceneBoundingRect() | spline->sceneBoundingRect() : QRectF();
}

void DiagramScene::fileChanged()
{
    clear();
    polygon = spline = panels = nullptr;
    stations.clear();
    if (!study->isLoaded())
        return;
    plotAirfoil(*study->airfoil());
    plotAxes(contourRect().bottom());
    addPath(camberPath(*study->reference()), thinPen(DiagramColour::Reference));
    panels = addPath(QPainterPath(), thinPen(DiagramColour::Paneling));
    emit contourChanged();
}

void DiagramScene::lineChanged()
{
    if (study->isLoaded())
        plotPaneling(*study->paneledLine());
}

QGraphicsEllipseItem *DiagramScene::addMarker(const QColor &colour)
{
    QGraphicsEllipseItem *marker = addEllipse(
        QRectF(-MarkerSize / 2, -MarkerSize / 2, MarkerSize, MarkerSize), thinPen(colour));
    marker->setFlag(QGraphicsItem::ItemIgnoresTransformations);
    return marker;
}

void DiagramScene::plotAirfoil(const Airfoil &airfoil)
{
    const int n = airfoil.npoints();
    QPainterPath points(scenePoint(airfoil.px(0), airfoil.py(0)));
    for (int i = 1; i < n; ++i)
        points.lineTo(scenePoint(airfoil.px(i), airfoil.py(i)));
    polygon = addPath(points, thinPen(DiagramColour::Polygon));
    for (int i = 0; i < n; ++i)
        addMarker(DiagramColour::Contour)->setPos(points.elementAt(i));

    const Spline2D &curve = airfoil.curve();
    const int samples = 20 * (curve.length() - 1);
    QPainterPath smooth(scenePoint(curve.fx(0), curve.fy(0)));
    for (int k = 1; k <= samples; ++k)
        smooth.lineTo(scenePoint(curve.fx(k * 0.05), curve.fy(k * 0.05)));
    spline = addPath(smooth, thinPen(DiagramColour::Contour));
}

void DiagramScene::plotAxes(double bottom)
{
    // Beneath the contour, which they would otherwise cross.
    const QPen axisPen = thinPen(DiagramColour::Axes);
    addLine(QLineF(0, 0, 1000, 0), axisPen)->setZValue(-1);
    addLine(QLineF(0, -200, 0, 200), axisPen)->setZValue(-1);
    const QPen tickPen = thinPen(DiagramColour::Scale);
    for (int tenth = 0; tenth <= 10; ++tenth) {
        QGraphicsLineItem *tick = addLine(QLineF(0, 0, 0, TickLength), tickPen);
        tick->setFlag(QGraphicsItem::ItemIgnoresTransformations);
        tick->setPos(100 * tenth, 0);
        tick->setZValue(-1);
        if (tenth % 5 != 0)
            continue;
        // Under the lowest point of the contour, so that no line crosses the figures.
        QGraphicsSimpleTextItem *label = addSimpleText(QString::number(tenth / 10.0));
        label->setFlag(QGraphicsItem::ItemIgnoresTransformations);
        label->setBrush(DiagramColour::Scale);
        label->setPos(100 * tenth, qMax(bottom, 0.0));
        label->setTransform(
            QTransform::fromTranslate(-label->boundingRect().width() / 2, TickLength));
    }
}

void DiagramScene::plotPaneling(const Camberline &camberline)
{
    panels->setPath(camberPath(camberline));
    // A new paneling mostly has about as many stations as the last one: moving markers is far
    // cheaper than taking hundreds out of the scene and putting them back.
    const int interior = qMax(camberline.npoints() - 2, 0);
    while (stations.size() > interior)
        delete stations.takeLast();
    while (stations.size() < interior)
        stations.append(addMarker(DiagramColour::Paneling));
    for (int i = 0; i < interior; ++i)
        stations[i]->setPos(scenePoint(camberline.xpoint(i + 1), camberline.ypoint(i + 1)));
}
