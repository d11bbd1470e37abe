#include "rib.h"

#include "filesystem.h"
#include "format.h"
#include "spline.h"

#include <dl_dxf.h>

#include <QFile>
#include <QPainter>
#include <QPainterPath>
#include <QScopeGuard>
#include <QTransform>
#include <QXmlStreamWriter>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <limits>
#include <memory>
#include <vector>

#include <sys/mman.h>
#include <unistd.h>

namespace {

// Halvings of a point interval before its chord is taken as it is, whatever the spline does.
constexpr int MaxHalvings = 14;
// The crosshair's arms, and the most a hole's circle strays from the true one, in millimetres.
constexpr double CrosshairArm = 4.0;
constexpr double HoleTolerance = 0.01;
// The longest a miter may grow, in offsets: a sharper corner is bevelled instead.
constexpr double MiterLimit = 2.0;
// How much nearer than the offset an offset point may come to the outline by rounding, in
// millimetres.
constexpr double OffsetSlack = 1e-3;
// Line widths in millimetres, and the dashes of the marks.
constexpr double CutWidth = 0.25;
constexpr double MarkWidth = 0.18;
const QList<double> DashedPattern {2.0, 1.0};
const QList<double> CenterPattern {6.0, 1.0, 1.0, 1.0};

const auto mm = RibDrawing::mm;

const char *layerName(RibLayer layer)
{
    switch (layer) {
    case RibLayer::Cut:
        return "CUT";
    case RibLayer::Sheeting:
        return "SHEETING";
    case RibLayer::Spar:
        return "SPAR";
    case RibLayer::Hole:
        return "HOLE";
    case RibLayer::Mark:
        break;
    }
    return "MARK";
}

// The layer's colour: black (AutoCAD's 7) for what is cut, blue for the sheeting's line, and
// grey (8), which cutters do not take for a cut, for what is only marked.
QColor layerColour(RibLayer layer)
{
    return layer == RibLayer::Cut || layer == RibLayer::Hole ? QColor(Qt::black)
        : layer == RibLayer::Sheeting                        ? QColor(Qt::blue)
                                                             : QColor(128, 128, 128);
}

int layerAci(RibLayer layer)
{
    return layer == RibLayer::Cut || layer == RibLayer::Hole ? 7
        : layer == RibLayer::Sheeting                        ? 5
                                                             : 8;
}

double lineWidth(RibLayer layer)
{
    return layer == RibLayer::Cut || layer == RibLayer::Hole ? CutWidth : MarkWidth;
}

const QList<double> &pattern(RibPath::Line line)
{
    static const QList<double> solid;
    return line == RibPath::Dashed ? DashedPattern
        : line == RibPath::Center  ? CenterPattern
                                   : solid;
}

double cross(const QPointF &a, const QPointF &b) { return a.x() * b.y() - a.y() * b.x(); }

double distanceToSegment(const QPointF &p, const QPointF &a, const QPointF &b)
{
    const QPointF ab = b - a;
    const double length2 = QPointF::dotProduct(ab, ab);
    const double s
        = length2 > 0.0 ? std::clamp(QPointF::dotProduct(p - a, ab) / length2, 0.0, 1.0) : 0.0;
    const QPointF d = a + s * ab - p;
    return std::hypot(d.x(), d.y());
}

// Where segments ab and cd cross, if they do.
bool crossing(const QPointF &a, const QPointF &b, const QPointF &c, const QPointF &d, QPointF *at)
{
    const QPointF r = b - a;
    const QPointF s = d - c;
    const double denominator = cross(r, s);
    if (denominator == 0.0)
        return false;
    const double t = cross(c - a, s) / denominator;
    const double u = cross(c - a, r) / denominator;
    if (t < 0.0 || t > 1.0 || u < 0.0 || u > 1.0)
        return false;
    *at = a + t * r;
    return true;
}

// The nearest a closed polygon comes to the segment ab, which lies inside it.
double distanceToPolygon(const QList<QPointF> &polygon, const QPointF &a, const QPointF &b)
{
    double nearest = std::numeric_limits<double>::max();
    for (qsizetype i = 0; i < polygon.size(); ++i) {
        const QPointF &p = polygon[i];
        const QPointF &q = polygon[(i + 1) % polygon.size()];
        nearest = std::min({nearest, distanceToSegment(p, a, b), distanceToSegment(q, a, b),
            distanceToSegment(a, p, q), distanceToSegment(b, p, q)});
    }
    return nearest;
}

qsizetype noseOf(const QList<QPointF> &outline)
{
    return std::min_element(outline.cbegin(), outline.cend(),
               [](const QPointF &a, const QPointF &b) { return a.x() < b.x(); })
        - outline.cbegin();
}

// The two surfaces of an outline in file order, each from the nose to the trailing edge.
struct Surfaces
{
    explicit Surfaces(const QList<QPointF> &outline)
    {
        const qsizetype nose = noseOf(outline);
        upper = outline.mid(0, nose + 1);
        std::reverse(upper.begin(), upper.end());
        lower = outline.mid(nose);
    }
    // The surface's height at x, by its chords; the nearer end's outside them.
    static double at(const QList<QPointF> &surface, double x)
    {
        for (qsizetype i = 0; i + 1 < surface.size(); ++i) {
            const QPointF &a = surface[i];
            const QPointF &b = surface[i + 1];
            if ((a.x() <= x && x <= b.x()) || (b.x() <= x && x <= a.x()))
                return a.x() == b.x() ? std::max(a.y(), b.y())
                                      : a.y() + (x - a.x()) / (b.x() - a.x()) * (b.y() - a.y());
        }
        return x < surface.first().x() ? surface.first().y() : surface.last().y();
    }
    double top(double x) const { return at(upper, x); }
    double bottom(double x) const { return at(lower, x); }
    // The thickness at x, and its most over the upper surface's stations.
    double thickness(double x) const { return top(x) - bottom(x); }
    double largestThickness() const
    {
        double most = 0.0;
        for (const QPointF &p : upper)
            most = std::max(most, p.y() - bottom(p.x()));
        return most;
    }

    QList<QPointF> upper;
    QList<QPointF> lower;
};

// The closed outline (trailing edge, top to the nose, bottom back) with a slot from x0 to x1
// cut into the top or the bottom down to floor, its sides square to the chord. False where the
// surface does not reach both sides.
bool notch(QList<QPointF> *outline, double x0, double x1, double floor, bool top)
{
    const QList<QPointF> &p = *outline;
    const qsizetype nose = noseOf(p);
    // The top runs towards the nose, x falling; the bottom away from it.
    const qsizetype from = top ? 0 : nose;
    const qsizetype to = top ? nose : p.size() - 1;
    const double first = top ? x1 : x0;
    const double second = top ? x0 : x1;
    const auto crossed = [&](double x, qsizetype start) -> qsizetype {
        for (qsizetype k = start; k < to; ++k)
            if (p[k].x() != p[k + 1].x() && (p[k].x() - x) * (p[k + 1].x() - x) <= 0.0)
                return k;
        return -1;
    };
    const qsizetype a = crossed(first, from);
    const qsizetype b = a < 0 ? -1 : crossed(second, a);
    if (b < 0)
        return false;
    const auto on = [&](qsizetype k, double x) {
        return p[k] + (x - p[k].x()) / (p[k + 1].x() - p[k].x()) * (p[k + 1] - p[k]);
    };
    QList<QPointF> cut = p.mid(0, a + 1);
    cut << on(a, first) << QPointF(first, floor) << QPointF(second, floor) << on(b, second);
    cut += p.mid(b + 1);
    *outline = cut;
    return true;
}

// The outline offset inwards by d: each point moved along the mitred normal of its two chords,
// the trailing edge's ends along their one; where the two surfaces' offsets cross near a thin
// trailing edge, both are cut off there, so that the line closes without crossing itself.
QList<QPointF> inwardOffset(const QList<QPointF> &outline, double d)
{
    // 1. The side the inside lies on: file order runs round it counter-clockwise, usually.
    double area = 0.0;
    for (qsizetype i = 0; i < outline.size(); ++i)
        area += cross(outline[i], outline[(i + 1) % outline.size()]);
    const double side = area >= 0.0 ? 1.0 : -1.0;
    const auto normal = [side](const QPointF &from, const QPointF &to) {
        const QPointF t = to - from;
        const double length = std::hypot(t.x(), t.y());
        return length > 0.0 ? side * QPointF(-t.y(), t.x()) / length : QPointF();
    };
    // 2. The open chain of offset points, mitred.
    qsizetype n = outline.size();
    QList<QPointF> chain;
    chain.reserve(n);
    for (qsizetype i = 0; i < n; ++i) {
        const QPointF before = i > 0 ? normal(outline[i - 1], outline[i]) : QPointF();
        const QPointF after = i + 1 < n ? normal(outline[i], outline[i + 1]) : QPointF();
        QPointF bisector = before + after;
        const double length = std::hypot(bisector.x(), bisector.y());
        if (length == 0.0) {
            chain << outline[i];
            continue;
        }
        bisector /= length;
        const QPointF one = i > 0 ? before : after;
        const double cosine = QPointF::dotProduct(bisector, one);
        chain << outline[i] + bisector * d / std::max(cosine, 1.0 / MiterLimit);
    }
    // 3. Points nearer the outline than d lie in a loop the offset makes where the outline bends
    // tighter than d (round a small nose) or where the other surface is nearer (at a thin
    // trailing edge): they go, their neighbours joined across the corner they leave.
    QList<QRectF> boxes;
    boxes.reserve(n);
    for (qsizetype i = 0; i < n; ++i)
        boxes << QRectF(outline[i], outline[(i + 1) % n]).normalized().adjusted(-d, -d, d, d);
    QList<QPointF> kept;
    kept.reserve(n);
    for (const QPointF &p : std::as_const(chain)) {
        bool clear = true;
        for (qsizetype i = 0; i < n && clear; ++i)
            clear = !boxes[i].contains(p)
                || distanceToSegment(p, outline[i], outline[(i + 1) % n]) >= d - OffsetSlack;
        if (clear)
            kept << p;
    }
    chain = kept;
    n = chain.size();
    if (n < 3)
        return QList<QPointF>();
    // 4. The crossing of the top's offset with the bottom's nearest the nose, if any.
    const qsizetype nose = noseOf(chain);
    qsizetype bestI = -1;
    qsizetype bestJ = -1;
    QPointF meet;
    for (qsizetype i = nose - 1; i >= 0 && bestI < 0; --i) {
        const double left = std::min(chain[i].x(), chain[i + 1].x());
        const double right = std::max(chain[i].x(), chain[i + 1].x());
        for (qsizetype j = nose + (i + 1 == nose ? 1 : 0); j + 1 < n; ++j) {
            if (std::max(chain[j].x(), chain[j + 1].x()) < left
                || std::min(chain[j].x(), chain[j + 1].x()) > right)
                continue;
            QPointF at;
            if (crossing(chain[i], chain[i + 1], chain[j], chain[j + 1], &at)
                && (bestI < 0 || j < bestJ)) {
                bestI = i;
                bestJ = j;
                meet = at;
            }
        }
    }
    if (bestI < 0)
        return chain;
    QList<QPointF> trimmed {meet};
    trimmed += chain.mid(bestI + 1, bestJ - bestI);
    return trimmed;
}

// A circle of radius r about centre, or a slot rounded at both ends round the segment from a
// to b, its points no further than HoleTolerance inside the true line.
QList<QPointF> roundedSlot(const QPointF &a, const QPointF &b, double r)
{
    const int half = std::max(
        4, int(std::ceil(M_PI / (2.0 * std::acos(std::max(0.0, 1.0 - HoleTolerance / r))))));
    QList<QPointF> points;
    for (int end = 0; end < 2; ++end) {
        const QPointF &centre = end == 0 ? b : a;
        for (int k = 0; k <= half; ++k) {
            const double angle = -M_PI / 2 + M_PI * (end + double(k) / half);
            points << centre + r * QPointF(std::cos(angle), std::sin(angle));
        }
    }
    if (a == b)
        points.removeLast();
    return points;
}

// A label as R12 text, which is in the drawing's code page: the dash as ASCII, anything else
// beyond ASCII as AutoCAD's \\U+XXXX.
std::string dxfText(const QString &text)
{
    std::string bytes;
    for (const QChar c : text) {
        if (c == QChar(0x2014))
            bytes += '-';
        else if (c.unicode() < 0x80)
            bytes += char(c.unicode());
        else
            bytes += QStringLiteral("\\U+%1")
                         .arg(int(c.unicode()), 4, 16, QLatin1Char('0'))
                         .toUpper()
                         .toStdString();
    }
    return bytes;
}

} // namespace

QString Spar::where() const
{
    return inPercent ? QStringLiteral("%1 %").arg(mm(position))
                     : QStringLiteral("%1 mm").arg(mm(position));
}

bool Spar::parse(const QString &text, Spar *spar)
{
    const QStringList parts = text.split(QLatin1Char(','));
    if (parts.size() != 4)
        return false;
    Spar given;
    QString position = parts[0].trimmed();
    given.inPercent = position.endsWith(QLatin1Char('%'));
    if (given.inPercent)
        position.chop(1);
    bool ok[3] = {};
    given.position = position.trimmed().toDouble(&ok[0]);
    given.width = Format::rounded(parts[1].trimmed().toDouble(&ok[1]), 2);
    given.depth = Format::rounded(parts[2].trimmed().toDouble(&ok[2]), 2);
    const QString side = parts[3].trimmed().toLower();
    given.top = side == QLatin1String("top");
    const auto length = [](double v) { return v >= MinLength && v <= RibFeatures::MaxSize; };
    if (!ok[0] || !ok[1] || !ok[2] || !(given.top || side == QLatin1String("bottom"))
        || !(given.position >= 0.0 && given.position <= (given.inPercent ? 100.0 : MaxPosition))
        || !length(given.width) || !length(given.depth))
        return false;
    *spar = given;
    return true;
}

QString Spar::text() const
{
    return QStringLiteral("%1%2,%3,%4,%5")
        .arg(mm(position), inPercent ? QStringLiteral("%") : QString(), mm(width), mm(depth),
            top ? QStringLiteral("top") : QStringLiteral("bottom"));
}

QRectF RibDrawing::bounds() const
{
    double left = std::numeric_limits<double>::max();
    double right = -left;
    double low = left;
    double high = right;
    for (const RibPath &path : paths) {
        for (const QPointF &p : path.points) {
            left = std::min(left, p.x());
            right = std::max(right, p.x());
            low = std::min(low, p.y());
            high = std::max(high, p.y());
        }
    }
    return left <= right ? QRectF(QPointF(left, low), QPointF(right, high)) : QRectF();
}

void RibDrawing::transform(const QTransform &matrix)
{
    for (RibPath &path : paths)
        for (QPointF &p : path.points)
            p = matrix.map(p);
    for (RibLabel &label : labels)
        label.at = matrix.map(label.at);
}

void RibDrawing::add(const RibDrawing &other, const QPointF &offset)
{
    for (RibPath path : other.paths) {
        for (QPointF &p : path.points)
            p += offset;
        paths << path;
    }
    for (RibLabel label : other.labels) {
        label.at += offset;
        labels << label;
    }
}

QByteArray RibDrawing::dxf(QString *problem) const
{
    // dxflib writes to a named file only: a file in memory, named through /proc, which no
    // kill can leave behind and no full disk can cut short. Its write's reason is kept.
    const int memory = ::memfd_create("liftwise-dxf", MFD_CLOEXEC);
    if (memory < 0) {
        *problem = FileSystem::reason(QString());
        return QByteArray();
    }
    const auto closeMemory = qScopeGuard([memory] { ::close(memory); });
    const QByteArray name = "/proc/self/fd/" + QByteArray::number(memory);
    int writeError = 0;
    {
        DL_Dxf dxf;
        errno = 0;
        std::unique_ptr<DL_WriterA> writer(dxf.out(name.constData(), DL_Codes::AC1009));
        if (!writer) {
            *problem = FileSystem::reason(QString());
            return QByteArray();
        }
        DL_WriterA &w = *writer;
        const QRectF box = bounds();
        dxf.writeHeader(w);
        w.dxfString(9, "$INSUNITS");
        w.dxfInt(70, 4); // millimetres
        w.dxfString(9, "$EXTMIN");
        w.coord(10, box.left(), box.top());
        w.dxfString(9, "$EXTMAX");
        w.coord(10, box.right(), box.bottom());
        w.sectionEnd();

        w.sectionTables();
        double dashed[] = {DashedPattern[0], -DashedPattern[1]};
        double center[]
            = {CenterPattern[0], -CenterPattern[1], CenterPattern[2], -CenterPattern[3]};
        w.tableLinetypes(3);
        dxf.writeLinetype(w, DL_LinetypeData("CONTINUOUS", "Solid line", 0, 0, 0.0));
        dxf.writeLinetype(w, DL_LinetypeData("DASHED", "Dashed __ __ __", 0, 2, 3.0, dashed));
        dxf.writeLinetype(w, DL_LinetypeData("CENTER", "Center ____ _ ____", 0, 4, 9.0, center));
        w.tableEnd();
        const RibLayer layers[]
            = {RibLayer::Cut, RibLayer::Sheeting, RibLayer::Spar, RibLayer::Hole, RibLayer::Mark};
        w.tableLayers(int(std::size(layers)));
        for (const RibLayer layer : layers)
            dxf.writeLayer(w, DL_LayerData(layerName(layer), 0),
                DL_Attributes("", layerAci(layer), 0, -1, "CONTINUOUS"));
        w.tableEnd();
        w.tableStyle(1);
        dxf.writeStyle(w, DL_StyleData("STANDARD", 0, 0.0, 1.0, 0.0, 0, TextSize, "txt", ""));
        w.tableEnd();
        w.sectionEnd();

        w.sectionEntities();
        for (const RibPath &path : paths) {
            const char *line = path.line == RibPath::Dashed ? "DASHED"
                : path.line == RibPath::Center              ? "CENTER"
                                                            : "BYLAYER";
            const DL_Attributes attributes(layerName(path.layer), 256, -1, -1, line);
            if (path.points.size() == 2 && !path.closed) {
                const QPointF &a = path.points[0];
                const QPointF &b = path.points[1];
                dxf.writeLine(w, DL_LineData(a.x(), a.y(), 0.0, b.x(), b.y(), 0.0), attributes);
                continue;
            }
            dxf.writePolyline(
                w, DL_PolylineData(int(path.points.size()), 0, 0, path.closed ? 1 : 0), attributes);
            for (const QPointF &p : path.points)
                dxf.writeVertex(w, DL_VertexData(p.x(), p.y()));
            dxf.writePolylineEnd(w);
        }
        for (const RibLabel &label : labels) {
            const QPointF &p = label.at;
            dxf.writeText(w,
                DL_TextData(p.x(), p.y(), 0.0, p.x(), p.y(), 0.0, TextSize, 1.0, 0, 0, 0,
                    dxfText(label.text), "STANDARD", 0.0),
                DL_Attributes(layerName(RibLayer::Mark), 256, -1, -1, "BYLAYER"));
        }
        w.sectionEnd();
        w.dxfEOF();
        w.close();
        writeError = errno;
    }
    // A write that stopped short shows in the end the file lacks.
    QFile file;
    QByteArray bytes;
    if (file.open(memory, QIODevice::ReadOnly) && file.seek(0))
        bytes = file.readAll();
    if (!bytes.endsWith("EOF\n")) {
        errno = writeError;
        *problem = FileSystem::reason(QString());
        return QByteArray();
    }
    return bytes;
}

void RibDrawing::writeSvgPaths(QXmlStreamWriter *svg) const
{
    svg->writeStartElement(QStringLiteral("g"));
    svg->writeAttribute(QStringLiteral("fill"), QStringLiteral("none"));
    svg->writeAttribute(QStringLiteral("transform"), QStringLiteral("scale(1,-1)"));
    for (const RibPath &path : paths) {
        QStringList d;
        for (const QPointF &p : path.points)
            d << (d.isEmpty() ? QStringLiteral("M") : QStringLiteral("L")) + mm(p.x()) + ','
                    + mm(p.y());
        if (path.closed)
            d << QStringLiteral("Z");
        svg->writeEmptyElement(QStringLiteral("path"));
        svg->writeAttribute(QStringLiteral("class"), QString::fromLatin1(layerName(path.layer)));
        svg->writeAttribute(QStringLiteral("d"), d.join(' '));
        svg->writeAttribute(QStringLiteral("stroke"), layerColour(path.layer).name());
        svg->writeAttribute(QStringLiteral("stroke-width"), mm(lineWidth(path.layer)));
        if (path.line != RibPath::Solid) {
            QStringList lengths;
            for (const double length : pattern(path.line))
                lengths << mm(length);
            svg->writeAttribute(QStringLiteral("stroke-dasharray"), lengths.join(' '));
        }
    }
    svg->writeEndElement();
}

void RibDrawing::paint(QPainter *painter, const std::function<QPointF(QPointF)> &at, double k) const
{
    for (const RibPath &path : paths) {
        const double width = lineWidth(path.layer);
        // A line no thinner than a device unit, for a preview on the screen.
        QPen pen(layerColour(path.layer), std::max(width * k, 1.0));
        pen.setJoinStyle(Qt::MiterJoin);
        if (path.line != RibPath::Solid) {
            // Qt counts dashes in pen widths.
            QList<qreal> widths;
            for (const double length : pattern(path.line))
                widths << length / width;
            pen.setDashPattern(widths);
            pen.setCapStyle(Qt::FlatCap);
        }
        painter->setPen(pen);
        QPainterPath line;
        for (qsizetype i = 0; i < path.points.size(); ++i)
            i == 0 ? line.moveTo(at(path.points[i])) : line.lineTo(at(path.points[i]));
        if (path.closed)
            line.closeSubpath();
        painter->drawPath(line);
    }
    painter->setPen(layerColour(RibLayer::Mark));
    for (const RibLabel &label : labels)
        painter->drawText(at(label.at), label.text);
}

QList<QPointF> smoothOutline(const QList<QPointF> &contour, double tolerance)
{
    const int n = int(contour.size());
    if (n < 2)
        return contour;
    std::vector<double> xs(n);
    std::vector<double> ys(n);
    for (int i = 0; i < n; ++i) {
        xs[i] = contour[i].x();
        ys[i] = contour[i].y();
    }
    const Spline x(n, xs.data());
    const Spline y(n, ys.data());
    const auto at = [&](double t) { return QPointF(x.f(t), y.f(t)); };
    // Each interval between two points is halved until the spline at its quarters and middle
    // lies within tolerance of the chord: where it bends most, at the nose, most often.
    QList<QPointF> outline;
    outline.reserve(4 * n);
    struct Interval
    {
        double t0, t1;
        QPointF p0, p1;
        int depth;
    };
    std::vector<Interval> stack;
    for (int i = 0; i + 1 < n; ++i) {
        outline << contour[i];
        stack.push_back({double(i), double(i + 1), contour[i], contour[i + 1], 0});
        while (!stack.empty()) {
            const Interval v = stack.back();
            stack.pop_back();
            const double tm = (v.t0 + v.t1) / 2;
            const QPointF pm = at(tm);
            bool near = v.depth >= MaxHalvings;
            if (!near) {
                near = distanceToSegment(pm, v.p0, v.p1) <= tolerance
                    && distanceToSegment(at((v.t0 + tm) / 2), v.p0, v.p1) <= tolerance
                    && distanceToSegment(at((tm + v.t1) / 2), v.p0, v.p1) <= tolerance;
            }
            if (near) {
                if (v.t1 < double(i + 1))
                    outline << v.p1;
                continue;
            }
            // The second half waits below the first, so that points come in order.
            stack.push_back({tm, v.t1, pm, v.p1, v.depth + 1});
            stack.push_back({v.t0, tm, v.p0, pm, v.depth + 1});
        }
    }
    outline << contour.last();
    return outline;
}

RibDrawing makeRib(const QList<QPointF> &contour, const QList<QPointF> &camber, double chord,
    const RibFeatures &features, QString *problem)
{
    RibDrawing rib;
    // 1. The smooth outline, its surfaces, the sheeting's line.
    QList<QPointF> outline = smoothOutline(contour, OutlineTolerance);
    if (outline.size() < 3) {
        *problem = QStringLiteral("the contour has too few points");
        return rib;
    }
    const Surfaces surfaces(outline);
    QList<QPointF> sheeting;
    if (features.sheeting > 0.0) {
        const double most = surfaces.largestThickness() / 2;
        if (features.sheeting > most) {
            *problem = QStringLiteral("sheeting of %1 mm is more than half the section's "
                                      "thickness: it may be %2 mm")
                           .arg(mm(features.sheeting), Format::range(0.1, most, 1));
            return rib;
        }
        sheeting = inwardOffset(outline, features.sheeting);
        if (sheeting.isEmpty()) {
            *problem = QStringLiteral("sheeting of %1 mm leaves nothing of the section")
                           .arg(mm(features.sheeting));
            return rib;
        }
    }

    // 2. The spar slots, into the outline and the sheeting's line where it reaches them.
    QList<QPair<QRectF, bool>> slotsCut;
    for (const Spar &spar : features.spars) {
        const double middle = spar.at(chord);
        const double x0 = middle - spar.width / 2;
        const double x1 = middle + spar.width / 2;
        if (x0 <= 0.0 || x1 >= chord) {
            *problem = QStringLiteral("the spar at %1, %2 mm wide, runs past the section: its "
                                      "middle may lie at %3 mm from the leading edge")
                           .arg(spar.where(), mm(spar.width),
                               Format::range(spar.width / 2, chord - spar.width / 2, 1));
            return rib;
        }
        const QList<QPointF> &surface = spar.top ? surfaces.upper : surfaces.lower;
        const QList<QPointF> &other = spar.top ? surfaces.lower : surfaces.upper;
        const double sign = spar.top ? 1.0 : -1.0;
        const double face = Surfaces::at(surface, middle);
        // The floor must lie inside both of the slot's sides and short of the other surface.
        double least = 0.0;
        double most = std::numeric_limits<double>::max();
        for (const double x : {x0, x1})
            least = std::max(least, sign * (face - Surfaces::at(surface, x)));
        for (const QPointF &p : other)
            if (p.x() >= x0 && p.x() <= x1)
                most = std::min(most, sign * (face - p.y()));
        for (const double x : {x0, x1})
            most = std::min(most, sign * (face - Surfaces::at(other, x)));
        if (spar.depth <= least || spar.depth >= most) {
            *problem
                = QStringLiteral("the spar at %1 is %2 mm deep and the section is %3 mm "
                                 "thick there: its depth may be %4 mm")
                      .arg(spar.where(), mm(spar.depth),
                          QString::number(surfaces.thickness(middle), 'f', 1),
                          most > least ? Format::range(least, most, 1) : QStringLiteral("nothing"));
            return rib;
        }
        const QRectF slot(x0, std::min(face, face - sign * spar.depth), spar.width, spar.depth);
        for (const auto &[cut, top] : slotsCut) {
            if (top == spar.top && cut.left() < slot.right() && slot.left() < cut.right()) {
                *problem = QStringLiteral("the spar at %1 overlaps another").arg(spar.where());
                return rib;
            }
        }
        slotsCut.append({slot, spar.top});
        const double floor = face - sign * spar.depth;
        if (!notch(&outline, x0, x1, floor, spar.top)) {
            *problem = QStringLiteral("the spar at %1 misses the surface").arg(spar.where());
            return rib;
        }
        if (!sheeting.isEmpty()) {
            const Surfaces inner(sheeting);
            const QList<QPointF> &line = spar.top ? inner.upper : inner.lower;
            if (sign * (Surfaces::at(line, x0) - floor) > 0.0
                && sign * (Surfaces::at(line, x1) - floor) > 0.0)
                notch(&sheeting, x0, x1, floor, spar.top);
        }
        rib.paths << RibPath {RibLayer::Spar,
            {slot.topLeft(), slot.topRight(), slot.bottomRight(), slot.bottomLeft()}, true};
    }
    rib.paths.prepend(RibPath {RibLayer::Cut, outline, true});
    if (!sheeting.isEmpty())
        rib.paths << RibPath {RibLayer::Sheeting, sheeting, true};

    // 3. The lightening hole on the camber line, a web clear of every line it could cut.
    if (features.hole > 0.0) {
        const double x = features.holeAt / 100.0 * chord;
        const double y = (surfaces.top(x) + surfaces.bottom(x)) / 2;
        const double r = features.hole / 2;
        const double reach = std::max(0.0, features.holeLength / 2 - r);
        const QPointF a(x - reach, y);
        const QPointF b(x + reach, y);
        double clear = distanceToPolygon(outline, a, b);
        if (!sheeting.isEmpty())
            clear = std::min(clear, distanceToPolygon(sheeting, a, b));
        const double largest = 2 * (clear - features.web);
        if (x - reach <= 0.0 || x + reach >= chord || features.hole > largest) {
            *problem = QStringLiteral("a hole %1 mm across at %2 % leaves less than the %3 mm "
                                      "web: its diameter may be %4 mm there")
                           .arg(mm(features.hole), mm(features.holeAt), mm(features.web),
                               largest >= 1.0 ? Format::range(1.0, largest, 1)
                                              : QStringLiteral("nothing"));
            return rib;
        }
        rib.paths << RibPath {RibLayer::Hole, roundedSlot(a, b, r), true};
    }

    // 4. The marks: the camber line, the chord, the crosshair.
    QList<QPointF> midline = camber;
    if (midline.isEmpty()) {
        for (int i = 0; i <= 50; ++i) {
            const double x = chord * (1.0 - std::cos(M_PI * i / 50)) / 2;
            midline << QPointF(x, (surfaces.top(x) + surfaces.bottom(x)) / 2);
        }
    }
    rib.paths << RibPath {RibLayer::Mark, midline, false, RibPath::Dashed};
    rib.paths << RibPath {
        RibLayer::Mark, {QPointF(0, 0), QPointF(chord, 0)}, false, RibPath::Center};
    if (features.registration >= 0.0) {
        const double x = features.registration / 100.0 * chord;
        rib.paths << RibPath {
            RibLayer::Mark, {QPointF(x - CrosshairArm, 0), QPointF(x + CrosshairArm, 0)}, false};
        rib.paths << RibPath {
            RibLayer::Mark, {QPointF(x, -CrosshairArm), QPointF(x, CrosshairArm)}, false};
    }
    return rib;
}

RibDrawing mirroredRib(const RibDrawing &rib, double chord)
{
    RibDrawing mirrored = rib;
    for (RibPath &path : mirrored.paths)
        for (QPointF &p : path.points)
            p.setX(chord - p.x());
    return mirrored;
}
