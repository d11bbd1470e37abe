#include "diagramscene.h"

#include "airfoil.h"
#include "modification.h"
#include "spline.h"
#include "study.h"

#include <QGraphicsEllipseItem>
#include <QGraphicsLineItem>
#include <QGraphicsPathItem>
#include <QGraphicsSimpleTextItem>
#include <QPainterPath>
#include <QPen>

#include <algorithm>
#include <cmath>

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

QPen dashedPen(const QColor &colour)
{
    QPen pen = thinPen(colour);
    pen.setStyle(Qt::DashLine);
    return pen;
}

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

// The polyline with each point raised by the presses' offset at its x, as a save would.
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

// Two significant figures, so that the legend's factor is the one drawn.
double roundedFactor(double factor)
{
    const double unit = std::pow(10.0, std::floor(std::log10(factor)) - 1);
    return std::round(factor / unit) * unit;
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
    polygon = spline = reference = panels = nullptr;
    originalContour = originalCamber = difference = nullptr;
    contourPoints.clear();
    stations.clear();
    factor = 0;
    if (!study->isLoaded()) {
        emit legendChanged();
        return;
    }
    plotAirfoil(*study->airfoil());
    plotAxes(contourRect().bottom());
    loadedReference = camberPath(*study->reference());
    reference = addPath(loadedReference, thinPen(DiagramColour::Reference));
    panels = addPath(QPainterPath(), thinPen(DiagramColour::Paneling));
    // Under the reshaped lines, which mostly run close by.
    originalContour = addPath(loadedSpline, dashedPen(DiagramColour::Original));
    originalCamber = addPath(loadedReference, dashedPen(DiagramColour::Original));
    difference = addPath(QPainterPath(), thinPen(DiagramColour::Difference));
    for (QGraphicsPathItem *item : {originalContour, originalCamber}) {
        item->setZValue(-0.5);
        item->hide();
    }
    difference->hide();
    emit contourChanged();
    emit legendChanged();
}

void DiagramScene::lineChanged()
{
    if (!study->isLoaded())
        return;
    plotPaneling(*study->paneledLine());
    plotReshaping();
}

void DiagramScene::setDifferenceVisible(bool visible)
{
    differenceVisible = visible;
    if (study->isLoaded())
        plotReshaping();
}

QList<DiagramLegendEntry> DiagramScene::legend() const
{
    if (!hasContour())
        return {};
    QList<DiagramLegendEntry> entries {
        {thinPen(DiagramColour::Contour), false, tr("contour")},
        {thinPen(DiagramColour::Reference), false, tr("reference camber line")},
        {thinPen(DiagramColour::Paneling), true, tr("paneled camber line")},
    };
    if (originalContour->isVisible())
        entries.append({dashedPen(DiagramColour::Original), false, tr("original")});
    if (factor > 0)
        entries.append({thinPen(DiagramColour::Difference), false,
            tr("difference ×%1").arg(QString::number(factor, 'g', 6))});
    return entries;
}

void DiagramScene::plotReshaping()
{
    const std::vector<CamberReshaping> &presses = study->presses();
    const bool reshaped = std::any_of(
        presses.begin(), presses.end(), [](const CamberReshaping &press) { return press.applied; });
    // A paneling step on the section as loaded leaves the contour as it is drawn.
    if (!reshaped && !originalContour->isVisible() && factor == 0)
        return;
    const auto shown
        = [&](const QPainterPath &path) { return reshaped ? reshapedPath(path, presses) : path; };
    polygon->setPath(shown(loadedPolygon));
    spline->setPath(shown(loadedSpline));
    reference->setPath(shown(loadedReference));
    for (int i = 0; i < contourPoints.size(); ++i)
        contourPoints[i]->setPos(polygon->path().elementAt(i));
    originalContour->setVisible(reshaped);
    originalCamber->setVisible(reshaped);

    // The change along the chord, its largest value a tenth of the chord.
    constexpr int Samples = 400;
    double largest = 0;
    for (int k = 0; k <= Samples; ++k)
        largest = std::max(largest, std::abs(offsetAt(presses, double(k) / Samples)));
    factor = differenceVisible && std::isfinite(largest) && largest > 0
        ? roundedFactor(0.1 / largest)
        : 0;
    QPainterPath change;
    if (factor > 0) {
        change.moveTo(0, 0);
        for (int k = 1; k <= Samples; ++k) {
            const double x = double(k) / Samples;
            change.lineTo(scenePoint(x, factor * offsetAt(presses, x)));
        }
    }
    difference->setPath(change);
    difference->setVisible(factor > 0);
    emit legendChanged();
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
    loadedPolygon = points;
    polygon = addPath(points, thinPen(DiagramColour::Polygon));
    for (int i = 0; i < n; ++i) {
        contourPoints.append(addMarker(DiagramColour::Contour));
        contourPoints.last()->setPos(points.elementAt(i));
    }

    const Spline2D &curve = airfoil.curve();
    const int samples = 20 * (curve.length() - 1);
    QPainterPath smooth(scenePoint(curve.fx(0), curve.fy(0)));
    for (int k = 1; k <= samples; ++k)
        smooth.lineTo(scenePoint(curve.fx(k * 0.05), curve.fy(k * 0.05)));
    loadedSpline = smooth;
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
