#include "diagramscene.h"

#include "airfoil.h"
#include "modification.h"
#include "study.h"

#include <QGraphicsEllipseItem>
#include <QGraphicsLineItem>
#include <QGraphicsPathItem>
#include <QGraphicsSimpleTextItem>

using namespace DiagramDrawing;

DiagramScene::DiagramScene(const Study *study, QObject *parent)
    : QGraphicsScene(parent)
    , study(study)
{
    setStudy(study);
}

void DiagramScene::setStudy(const Study *next)
{
    disconnect(study, nullptr, this, nullptr);
    study = next;
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
    originalContour = originalCamber = difference = preview = nullptr;
    overlayItems.clear();
    contourPoints.clear();
    stations.clear();
    stationSize = MarkerSize;
    factor = 0;
    if (!study->isLoaded()) {
        emit legendChanged();
        return;
    }
    plotAirfoil(*study->airfoil());
    plotAxes(contourRect().bottom());
    loadedReference = camberPath(*study->reference());
    reference = addPath(loadedReference, thinPen(DiagramColour::Reference));
    // Over the paneled line's markers, which bury it at fine panelings otherwise.
    reference->setZValue(0.5);
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
    preview = addPath(QPainterPath(), dashedPen(DiagramColour::Preview));
    preview->setZValue(1);
    preview->hide();
    plotOverlays();
    emit contourChanged();
    emit legendChanged();
}

void DiagramScene::lineChanged()
{
    if (!study->isLoaded())
        return;
    plotPaneling(*study->paneledLine());
    plotReshaping();
    // The differences are from the section a save writes, which a press reshapes.
    if (differenceVisible && !overlays.isEmpty())
        setOverlays(overlays);
}

void DiagramScene::setDifferenceVisible(bool visible)
{
    differenceVisible = visible;
    setOverlays(overlays);
    if (study->isLoaded())
        plotReshaping();
}

void DiagramScene::setPreview(const std::vector<double> &x, const std::vector<double> &y)
{
    if (!preview)
        return;
    QPainterPath path;
    for (size_t i = 0; i < x.size() && i < y.size(); ++i) {
        if (i == 0)
            path.moveTo(scenePoint(x[i], y[i]));
        else
            path.lineTo(scenePoint(x[i], y[i]));
    }
    preview->setPath(path);
    preview->setVisible(!path.isEmpty());
}

void DiagramScene::setOverlays(const QList<Overlay> &sections)
{
    overlays = sections;
    for (QGraphicsPathItem *item : std::as_const(overlayItems))
        delete item;
    overlayItems.clear();
    if (study->isLoaded())
        plotOverlays();
    emit legendChanged();
}

void DiagramScene::plotOverlays()
{
    // Under the current section, which stays on top, drawn full.
    for (const Overlay &overlay : std::as_const(overlays)) {
        const Study::Section &section = *overlay.study->section();
        for (const QPainterPath &path :
            {splinePath(*section.airfoil), camberPath(section.reference)}) {
            QGraphicsPathItem *item = addPath(path, thinPen(overlay.colour));
            item->setZValue(-0.75);
            overlayItems << item;
        }
    }
    plotOverlayDifferences();
}

void DiagramScene::plotOverlayDifferences()
{
    overlayFactor = 0;
    if (!differenceVisible || overlays.isEmpty())
        return;
    const Camberline &current = study->section()->reference;
    const auto differenceAt
        = [&](const Camberline &line, int i) { return line.ypoint(i) - current.ypoint(i); };
    double largest = 0;
    for (const Overlay &overlay : std::as_const(overlays)) {
        const Camberline &line = overlay.study->section()->reference;
        for (int i = 0; i < line.npoints() && i < current.npoints(); ++i)
            largest = std::max(largest, std::abs(differenceAt(line, i)));
    }
    overlayFactor = DiagramDrawing::differenceFactor(largest);
    if (overlayFactor == 0)
        return;
    for (const Overlay &overlay : std::as_const(overlays)) {
        const Camberline &line = overlay.study->section()->reference;
        QPainterPath path(scenePoint(line.xpoint(0), overlayFactor * differenceAt(line, 0)));
        for (int i = 1; i < line.npoints() && i < current.npoints(); ++i)
            path.lineTo(scenePoint(line.xpoint(i), overlayFactor * differenceAt(line, i)));
        QGraphicsPathItem *item = addPath(path, dashedPen(overlay.colour));
        item->setZValue(-0.75);
        overlayItems << item;
    }
}

QPainterPath DiagramScene::previewPath() const
{
    return preview && preview->isVisible() ? preview->path() : QPainterPath();
}

QList<DiagramLegendEntry> DiagramScene::legend() const
{
    if (!hasContour())
        return {};
    QList<DiagramLegendEntry> entries
        = DiagramDrawing::legend(originalContour->isVisible(), factor);
    for (const Overlay &overlay : overlays)
        entries.append({thinPen(overlay.colour), false, overlay.name});
    if (overlayFactor > 0)
        entries.append({dashedPen(DiagramColour::Original), false,
            tr("difference from this section ×%1").arg(QString::number(overlayFactor, 'g', 6))});
    return entries;
}

void DiagramScene::plotReshaping()
{
    const std::vector<CamberReshaping> &presses = study->presses();
    const bool reshaped = isReshaped(presses);
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

    factor = differenceVisible ? DiagramDrawing::differenceFactor(presses) : 0;
    difference->setPath(differencePath(presses, factor));
    difference->setVisible(factor > 0);
    emit legendChanged();
}

QGraphicsEllipseItem *DiagramScene::addMarker(const QColor &colour, double size)
{
    QGraphicsEllipseItem *marker
        = addEllipse(QRectF(-size / 2, -size / 2, size, size), thinPen(colour));
    marker->setFlag(QGraphicsItem::ItemIgnoresTransformations);
    return marker;
}

void DiagramScene::plotAirfoil(const Airfoil &airfoil)
{
    loadedPolygon = polygonPath(airfoil);
    polygon = addPath(loadedPolygon, thinPen(DiagramColour::Polygon));
    for (int i = 0; i < airfoil.npoints(); ++i) {
        contourPoints.append(addMarker(DiagramColour::Contour, MarkerSize));
        contourPoints.last()->setPos(loadedPolygon.elementAt(i));
    }
    loadedSpline = splinePath(airfoil);
    spline = addPath(loadedSpline, thinPen(DiagramColour::Contour));
}

void DiagramScene::plotAxes(double bottom)
{
    // Beneath the contour, which they would otherwise cross.
    const QPen axisPen = thinPen(DiagramColour::Axes);
    addLine(chordLine(), axisPen)->setZValue(-1);
    addLine(verticalAxis(), axisPen)->setZValue(-1);
    const QPen tickPen = thinPen(DiagramColour::Scale);
    // The y scale: ticks to the left of the vertical axis, their figures beyond them.
    for (int twentieth = -YTicks; twentieth <= YTicks; ++twentieth) {
        if (twentieth == 0)
            continue;
        QGraphicsLineItem *tick = addLine(QLineF(-TickLength, 0, 0, 0), tickPen);
        tick->setFlag(QGraphicsItem::ItemIgnoresTransformations);
        tick->setPos(scenePoint(0, twentieth / 20.0));
        tick->setZValue(-1);
        const QString text = yTickLabel(twentieth);
        if (text.isEmpty())
            continue;
        QGraphicsSimpleTextItem *label = addSimpleText(text);
        label->setFlag(QGraphicsItem::ItemIgnoresTransformations);
        label->setBrush(DiagramColour::Scale);
        label->setPos(scenePoint(0, twentieth / 20.0));
        label->setTransform(QTransform::fromTranslate(
            -label->boundingRect().width() - TickLength - 2, -label->boundingRect().height() / 2));
    }
    for (int tenth = 0; tenth <= 10; ++tenth) {
        QGraphicsLineItem *tick = addLine(QLineF(0, 0, 0, TickLength), tickPen);
        tick->setFlag(QGraphicsItem::ItemIgnoresTransformations);
        tick->setPos(100 * tenth, 0);
        tick->setZValue(-1);
        if (tickLabel(tenth).isEmpty())
            continue;
        // Under the lowest point of the contour, so that no line crosses the figures.
        QGraphicsSimpleTextItem *label = addSimpleText(tickLabel(tenth));
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
    const double size = stationMarkerSize(interior);
    if (size != stationSize) {
        stationSize = size;
        for (QGraphicsEllipseItem *station : std::as_const(stations))
            station->setRect(QRectF(-size / 2, -size / 2, size, size));
    }
    while (stations.size() < interior)
        stations.append(addMarker(DiagramColour::Paneling, size));
    for (int i = 0; i < interior; ++i)
        stations[i]->setPos(scenePoint(camberline.xpoint(i + 1), camberline.ypoint(i + 1)));
}
