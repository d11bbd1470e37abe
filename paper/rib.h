#ifndef LIFTWISE_RIB_H
#define LIFTWISE_RIB_H

#include <QList>
#include <QPointF>
#include <QRectF>
#include <QString>

#include <functional>

QT_BEGIN_NAMESPACE
class QPainter;
class QTransform;
class QXmlStreamWriter;
QT_END_NAMESPACE

// A rectangular slot for a spar, cut square to the chord into the top or bottom surface.
struct Spar
{
    // From the leading edge: per cent of the chord where inPercent, else millimetres.
    double position = 25.0;
    bool inPercent = true;
    // Across the slot and into the section from the surface at its middle, in millimetres.
    double width = 5.0;
    double depth = 5.0;
    bool top = true;

    // "25 %" or "50 mm".
    QString where() const;
    // "X,W,D,top" or "X,W,D,bottom", X "25%" of the chord or "50" mm, W and D in millimetres
    // from MinLength to RibFeatures::MaxSize; false for anything else.
    static bool parse(const QString &text, Spar *spar);
    // The same as parse reads it.
    QString text() const;
    static constexpr double MinLength = 0.1;
    static constexpr double MaxPosition = 10000.0; // mm, the longest chord
    // The slot's middle on a rib of the chord, in millimetres from its leading edge.
    double at(double chord) const { return inPercent ? position / 100.0 * chord : position; }
};

// What a rib's template carries besides its outline; each is left out at its zero value.
struct RibFeatures
{
    QList<Spar> spars;
    // The sheeting's thickness, in millimetres: the outline offset inwards by it.
    double sheeting = 0.0;
    // A lightening hole's diameter in millimetres, centred on the camber line at holeAt (per
    // cent of the chord); a slot as long as holeLength, rounded at both ends, where that
    // exceeds the diameter.
    double hole = 0.0;
    double holeAt = 40.0;
    double holeLength = 0.0;
    // The least material left round the hole, in millimetres.
    double web = 3.0;
    // The crosshair's station, per cent of the chord; none below 0.
    double registration = -1.0;
    // A mirrored copy beside each rib, for the left wing.
    bool mirror = false;

    static constexpr double MaxSheeting = 100.0;
    static constexpr double MaxSize = 1000.0;
};

// The layers a cutter tells apart: the outline and the hole to cut, the sheeting's inner line,
// the spar slots' rectangles, and the marks that are drawn and never cut.
enum class RibLayer { Cut, Sheeting, Spar, Hole, Mark };

struct RibPath
{
    enum Line { Solid, Dashed, Center };
    RibLayer layer = RibLayer::Cut;
    QList<QPointF> points;
    bool closed = false;
    Line line = Solid;
};

struct RibLabel
{
    QPointF at; // the baseline's left end
    QString text;
};

// Lines and labels in millimetres, y up, as a cutter takes them; written as DXF (AutoCAD R12,
// a layer for each RibLayer), as SVG paths, or painted.
struct RibDrawing
{
    // A length in millimetres as the drawings write it: every digit it has, up to ten.
    static QString mm(double v) { return QString::number(v, 'g', 10); }

    QList<RibPath> paths;
    QList<RibLabel> labels;

    // The box round the lines, labels left out.
    QRectF bounds() const;
    void transform(const QTransform &matrix);
    void add(const RibDrawing &other, const QPointF &offset = QPointF());

    // The whole drawing as an R12 DXF file, without its extents when bounds is empty; why it
    // could not be made in problem, and no bytes then.
    QByteArray dxf(QString *problem) const;
    // The paths as SVG elements in a group that turns y up; labels are left to the caller.
    void writeSvgPaths(QXmlStreamWriter *svg) const;
    // Paints the paths and labels, the points placed by at, at k device units a millimetre.
    void paint(QPainter *painter, const std::function<QPointF(QPointF)> &at, double k) const;

    static constexpr double TextSize = 3.5;
};

// The outline of the contour's spline (over the point index, as the diagram draws it), taken
// at every point of the contour and between them densely enough that no chord of the written
// polygon strays more than tolerance from the spline. In the contour's order and units.
QList<QPointF> smoothOutline(const QList<QPointF> &contour, double tolerance);
// The most a written line strays from the spline, in millimetres.
constexpr double OutlineTolerance = 0.02;

// The rib of a contour (millimetres, nose at the origin, in the order of airfoil files) with
// its chord: the smooth outline on CUT, notched by the spars, the sheeting's line, the hole and
// the marks (the camber line given, or the outline's own midline, the chord and the crosshair).
// Why the features do not fit the section in problem, with what would fit; no paths then.
RibDrawing makeRib(const QList<QPointF> &contour, const QList<QPointF> &camber, double chord,
    const RibFeatures &features, QString *problem);
// The same rib for the left wing: turned over about its mid-chord, labels kept readable.
RibDrawing mirroredRib(const RibDrawing &rib, double chord);

#endif // LIFTWISE_RIB_H
