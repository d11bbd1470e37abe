#ifndef LIFTWISE_DIAGRAMSCENE_H
#define LIFTWISE_DIAGRAMSCENE_H

#include "diagramdrawing.h"
#include "sectionoverlay.h"

#include <QGraphicsScene>
#include <QList>
#include <QPainterPath>

#include <vector>

QT_BEGIN_NAMESPACE
class QGraphicsEllipseItem;
class QGraphicsPathItem;
QT_END_NAMESPACE

class Airfoil;
class Camberline;
class Study;

// The diagram as DiagramDrawing draws it, in its units. Shows a study: a new file redraws
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

    // Draws another study from now on, as it stands.
    void setStudy(const Study *study);
    // The bounds of the contour's lines, without the axes; empty before a load.
    QRectF contourRect() const;
    bool hasContour() const { return polygon != nullptr; }

    // Whether the reshaping's change of the camber line is drawn along the chord, enlarged so
    // that its largest value is a tenth of the chord.
    void setDifferenceVisible(bool visible);
    bool isDifferenceVisible() const { return differenceVisible; }
    // What the change is enlarged by as drawn; 0 while none is drawn.
    double differenceFactor() const { return factor; }
    // A section about to be made, its points joined in order and drawn dashed over the rest
    // until the next call; no points draw none. A new file clears it.
    void setPreview(const std::vector<double> &x, const std::vector<double> &y);
    // The preview's path, in scene units; empty while none is drawn.
    QPainterPath previewPath() const;
    // Other sections drawn under this one, each contour and reference camber line in its colour
    // and named in the legend; none draws none.
    using Overlay = SectionOverlay;
    void setOverlays(const QList<Overlay> &overlays);
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
    // contour.
    void plotAirfoil(const Airfoil &airfoil);
    // The chord and a vertical axis through the nose, with ticks along the chord at every
    // tenth, labelled at 0, 0.5 and 1 below bottom, the contour's lowest scene y, and along the
    // axis at every twentieth, labelled at every tenth.
    void plotAxes(double bottom);
    // The panels, then a marker at every interior station: the markers of the paneling drawn
    // before are moved into place, and only as many added or removed as the count changes.
    void plotPaneling(const Camberline &camberline);
    void plotOverlays();
    // Each overlay's camber line less the current section's, at their common 200-panel stations,
    // enlarged alike, dashed in its colour along the chord.
    void plotOverlayDifferences();
    // A marker of the diameter in pixels, whatever the zoom.
    QGraphicsEllipseItem *addMarker(const QColor &colour, double size);

    const Study *study;
    QGraphicsPathItem *polygon = nullptr;
    QGraphicsPathItem *spline = nullptr;
    QGraphicsPathItem *reference = nullptr;
    QGraphicsPathItem *panels = nullptr;
    QGraphicsPathItem *originalContour = nullptr;
    QGraphicsPathItem *originalCamber = nullptr;
    QGraphicsPathItem *difference = nullptr;
    QGraphicsPathItem *preview = nullptr;
    QList<Overlay> overlays;
    QList<QGraphicsPathItem *> overlayItems;
    // What the overlays' differences from the current camber line are enlarged by; 0 for none.
    double overlayFactor = 0;
    QList<QGraphicsEllipseItem *> contourPoints;
    QList<QGraphicsEllipseItem *> stations;
    // The stations' markers' diameter, in pixels.
    double stationSize = DiagramDrawing::MarkerSize;
    // The lines as loaded, in scene units, which a reshaping moves point by point.
    QPainterPath loadedPolygon;
    QPainterPath loadedSpline;
    QPainterPath loadedReference;
    bool differenceVisible = false;
    double factor = 0;
};

#endif // LIFTWISE_DIAGRAMSCENE_H
