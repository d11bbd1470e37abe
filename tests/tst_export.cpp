#include "contourtemplate.h"
#include "oddfiles.h"
#include "ribset.h"
#include "spline.h"
#include "study.h"

#include <dl_creationadapter.h>
#include <dl_dxf.h>

#include <QPainter>
#include <QSvgRenderer>
#include <QtTest>

#include <memory>
#include <sstream>

namespace {

// What a chordwise error may be, in millimetres, wherever the templates are measured.
constexpr double Tolerance = 0.05;

// A DXF drawing as a cutter's importer reads it, through dxflib's own reader.
struct DxfDrawing : DL_CreationAdapter
{
    struct Polyline
    {
        QString layer;
        bool closed = false;
        QList<QPointF> points;
    };
    QList<Polyline> polylines;
    QList<QPair<QString, QLineF>> lines;
    QStringList texts;
    int units = -1;

    using DL_CreationAdapter::setVariableInt;
    void setVariableInt(const std::string &key, int value, int) override
    {
        if (key == "$INSUNITS")
            units = value;
    }
    void addPolyline(const DL_PolylineData &data) override
    {
        polylines.append({layer(), (data.flags & 1) != 0, {}});
    }
    void addVertex(const DL_VertexData &data) override
    {
        polylines.last().points << QPointF(data.x, data.y);
    }
    void addLine(const DL_LineData &data) override
    {
        lines.append({layer(), QLineF(data.x1, data.y1, data.x2, data.y2)});
    }
    void addText(const DL_TextData &data) override { texts << QString::fromStdString(data.text); }
    QString layer() { return QString::fromStdString(getAttributes().getLayer()); }
    QList<Polyline> on(const QString &name) const
    {
        QList<Polyline> found;
        for (const Polyline &p : polylines)
            if (p.layer == name)
                found << p;
        return found;
    }
};

DxfDrawing readDxf(const QByteArray &bytes)
{
    std::istringstream stream(bytes.toStdString());
    DxfDrawing drawing;
    DL_Dxf().in(stream, &drawing);
    return drawing;
}

double distanceToSegment(const QPointF &p, const QPointF &a, const QPointF &b)
{
    const QPointF ab = b - a;
    const double length2 = QPointF::dotProduct(ab, ab);
    const double s
        = length2 > 0 ? std::clamp(QPointF::dotProduct(p - a, ab) / length2, 0.0, 1.0) : 0.0;
    return QLineF(p, a + s * ab).length();
}

double distanceToPolygon(const QPointF &p, const QList<QPointF> &polygon)
{
    double nearest = std::numeric_limits<double>::max();
    for (qsizetype i = 0; i < polygon.size(); ++i)
        nearest = std::min(
            nearest, distanceToSegment(p, polygon[i], polygon[(i + 1) % polygon.size()]));
    return nearest;
}

// Whether two edges of the closed polygon that are not neighbours cross.
bool crossesItself(const QList<QPointF> &polygon)
{
    const qsizetype n = polygon.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QLineF a(polygon[i], polygon[(i + 1) % n]);
        for (qsizetype j = i + 2; j < n; ++j) {
            if (i == 0 && j == n - 1)
                continue;
            const QLineF b(polygon[j], polygon[(j + 1) % n]);
            if (a.intersects(b, nullptr) == QLineF::BoundedIntersection)
                return true;
        }
    }
    return false;
}

// The height of the polygon's top or bottom at x: the highest or lowest of its crossings.
double surfaceAt(const QList<QPointF> &polygon, double x, bool top)
{
    double found = top ? -1e9 : 1e9;
    for (qsizetype i = 0; i < polygon.size(); ++i) {
        const QPointF &a = polygon[i];
        const QPointF &b = polygon[(i + 1) % polygon.size()];
        if (a.x() == b.x() || (a.x() - x) * (b.x() - x) > 0)
            continue;
        const double y = a.y() + (x - a.x()) / (b.x() - a.x()) * (b.y() - a.y());
        found = top ? std::max(found, y) : std::min(found, y);
    }
    return found;
}

} // namespace

Q_DECLARE_METATYPE(RibFeatures)

// The cutting templates, read back as a cutter, a browser and a printer would take them: the
// contour a save writes, at true size, as a rib a builder can cut.
class tst_Export : public QObject
{
    Q_OBJECT

private slots:
    void smoothOutline();
    void ribFeatures_data();
    void ribFeatures();
    void ribSet_data();
    void ribSet();
    void refusals_data();
    void refusals();
    void svgSize_data();
    void svgSize();
    void svgScale_data();
    void svgScale();
    void pdfPage_data();
    void pdfPage();

private:
    std::unique_ptr<Study> loadedStudy();
    QTemporaryDir dir;
};

std::unique_ptr<Study> tst_Export::loadedStudy()
{
    QByteArray text = nacaFile(0.04, 0.4, 0.12, 41, "export test section");
    QBuffer file(&text);
    file.open(QIODevice::ReadOnly);
    auto study = std::make_unique<Study>();
    if (study->load(&file, dir.filePath(QStringLiteral("wing.dat")), Paneling()))
        qFatal("the test section is refused");
    return study;
}

void tst_Export::smoothOutline()
{
    // After a press, the contour to cut is the reshaped one that Save Airfoil As writes, taken
    // on its spline: every saved point on the outline, the spline between them too.
    const std::unique_ptr<Study> study = loadedStudy();
    QVERIFY(study->modify({qDegreesToRadians(-6.0), -0.12}).applied);
    const double chord = 237.5;
    QString problem;
    const QByteArray bytes = ContourTemplate::of(*study, chord).dxf(&problem);
    QVERIFY2(problem.isEmpty(), qPrintable(problem));
    QVERIFY(!bytes.contains("SPLINE"));
    const DxfDrawing dxf = readDxf(bytes);
    QCOMPARE(dxf.units, 4);
    const QList<DxfDrawing::Polyline> cut = dxf.on(QStringLiteral("CUT"));
    QCOMPARE(cut.size(), 1);
    QVERIFY(cut[0].closed);
    const QList<QPointF> &outline = cut[0].points;

    const QByteArrayList saved = study->airfoilText().trimmed().split('\n').mid(1);
    std::vector<double> x, y;
    for (const QByteArray &line : saved) {
        const QByteArrayList xy = line.simplified().split(' ');
        x.push_back(xy[0].toDouble() * chord);
        y.push_back(xy[1].toDouble() * chord);
    }
    const Spline xs(int(x.size()), x.data());
    const Spline ys(int(y.size()), y.data());
    double worst = 0.0;
    for (int k = 0; k <= 20 * (xs.length() - 1); ++k) {
        const double t = k / 20.0;
        worst = std::max(worst, distanceToPolygon(QPointF(xs.f(t), ys.f(t)), outline));
    }
    QVERIFY2(worst <= Tolerance, qPrintable(QStringLiteral("%1 mm off the spline").arg(worst)));
    QVERIFY(!crossesItself(outline));

    // Denser where it bends most: the nose's chords are far shorter than the longest.
    double longest = 0.0;
    double longestAtNose = 0.0;
    for (qsizetype i = 0; i + 1 < outline.size(); ++i) {
        const double length = QLineF(outline[i], outline[i + 1]).length();
        longest = std::max(longest, length);
        if (std::max(outline[i].x(), outline[i + 1].x()) < 0.01 * chord)
            longestAtNose = std::max(longestAtNose, length);
    }
    QVERIFY2(longestAtNose < longest / 4,
        qPrintable(QStringLiteral("%1 against %2 mm").arg(longestAtNose).arg(longest)));

    // The camber line and the chord are marks, open, from the nose to the trailing edge.
    QCOMPARE(dxf.polylines.size(), 2);
    const DxfDrawing::Polyline &camber = dxf.polylines[1];
    QCOMPARE(camber.layer, QStringLiteral("MARK"));
    QVERIFY(!camber.closed);
    QVERIFY(QLineF(camber.points.first(), QPointF(0, 0)).length() < 1e-3);
    QVERIFY(QLineF(camber.points.last(), QPointF(chord, 0)).length() < 1e-3);
    QCOMPARE(dxf.lines.size(), 1);
    QCOMPARE(dxf.lines[0].first, QStringLiteral("MARK"));
    QCOMPARE(dxf.lines[0].second, QLineF(0, 0, chord, 0));
}

void tst_Export::ribFeatures_data()
{
    QTest::addColumn<RibFeatures>("features");
    RibFeatures top;
    top.spars << Spar {25.0, true, 6.0, 5.0, true};
    RibFeatures bottom;
    bottom.spars << Spar {120.0, false, 4.0, 3.0, false};
    RibFeatures sheeted;
    sheeted.sheeting = 2.0;
    RibFeatures both = top;
    both.spars << bottom.spars;
    both.sheeting = 1.5;
    RibFeatures marked = both;
    marked.hole = 10.0;
    marked.holeAt = 45.0;
    marked.holeLength = 25.0;
    marked.registration = 30.0;
    marked.mirror = true;
    QTest::newRow("top spar at 25 %") << top;
    QTest::newRow("bottom spar at 120 mm") << bottom;
    QTest::newRow("sheeting 2 mm") << sheeted;
    // The nose is rounder than that: its offset would loop without the trim.
    RibFeatures thick;
    thick.sheeting = 6.0;
    QTest::newRow("sheeting 6 mm") << thick;
    QTest::newRow("two spars and sheeting") << both;
    QTest::newRow("hole, crosshair and mirrored copy") << marked;
}

void tst_Export::ribFeatures()
{
    QFETCH(RibFeatures, features);
    const double chord = 200.0;
    ContourTemplate drawing = ContourTemplate::of(*loadedStudy(), chord);
    QString problem;
    const QList<QPointF> plain = readDxf(drawing.dxf(&problem)).on(QStringLiteral("CUT"))[0].points;
    drawing.features = features;
    const DxfDrawing dxf = readDxf(drawing.dxf(&problem));
    QVERIFY2(problem.isEmpty(), qPrintable(problem));

    // One closed outline a rib, its mirrored copy below the first.
    const QList<DxfDrawing::Polyline> cut = dxf.on(QStringLiteral("CUT"));
    QCOMPARE(cut.size(), features.mirror ? 2 : 1);
    for (const DxfDrawing::Polyline &outline : cut) {
        QVERIFY(outline.closed);
        QVERIFY(!crossesItself(outline.points));
    }
    const QList<QPointF> &outline = cut[0].points;

    // Each slot where it was asked for, as wide and as deep from the surface at its middle,
    // its floor's corners on the outline.
    const QList<DxfDrawing::Polyline> slotLines = dxf.on(QStringLiteral("SPAR"));
    QCOMPARE(slotLines.size(), cut.size() * features.spars.size());
    for (qsizetype k = 0; k < features.spars.size(); ++k) {
        const Spar &spar = features.spars[k];
        const QRectF slot = QPolygonF(slotLines[k].points).boundingRect();
        QVERIFY(qAbs(slot.center().x() - spar.at(chord)) < Tolerance);
        QVERIFY(qAbs(slot.width() - spar.width) < Tolerance);
        const double face = surfaceAt(plain, spar.at(chord), spar.top);
        const double floor = spar.top ? face - spar.depth : face + spar.depth;
        QVERIFY2(qAbs((spar.top ? slot.top() : slot.bottom()) - floor) < Tolerance,
            qPrintable(QStringLiteral("floor at %1, not %2").arg(slot.top()).arg(floor)));
        for (const double x : {slot.left(), slot.right()})
            QVERIFY(distanceToPolygon(QPointF(x, floor), outline) < Tolerance);
        QVERIFY(qAbs(surfaceAt(outline, spar.at(chord), spar.top) - floor) < Tolerance);
    }

    // The sheeting's line closes without crossing itself, its thickness from the outline
    // wherever no slot cuts it.
    const QList<DxfDrawing::Polyline> sheeting = dxf.on(QStringLiteral("SHEETING"));
    QCOMPARE(sheeting.size(), features.sheeting > 0 ? cut.size() : 0);
    if (features.sheeting > 0) {
        QVERIFY(sheeting[0].closed);
        QVERIFY(!crossesItself(sheeting[0].points));
        int measured = 0;
        for (const QPointF &p : sheeting[0].points) {
            bool inSlot = false;
            for (const Spar &spar : features.spars)
                inSlot = inSlot || qAbs(p.x() - spar.at(chord)) < spar.width / 2 + 0.1;
            if (inSlot)
                continue;
            ++measured;
            QVERIFY2(qAbs(distanceToPolygon(p, plain) - features.sheeting) < Tolerance,
                qPrintable(QStringLiteral("(%1, %2) lies %3 mm in")
                               .arg(p.x())
                               .arg(p.y())
                               .arg(distanceToPolygon(p, plain))));
        }
        QVERIFY(measured > 50);
    }

    // The hole keeps its web to every cut line; the crosshair stands on the chord.
    const QList<DxfDrawing::Polyline> holes = dxf.on(QStringLiteral("HOLE"));
    QCOMPARE(holes.size(), features.hole > 0 ? cut.size() : 0);
    if (features.hole > 0) {
        const QRectF box = QPolygonF(holes[0].points).boundingRect();
        QVERIFY(qAbs(box.height() - features.hole) < Tolerance);
        QVERIFY(qAbs(box.width() - features.holeLength) < Tolerance);
        for (const QPointF &p : holes[0].points) {
            QVERIFY(distanceToPolygon(p, outline) >= features.web);
            QVERIFY(distanceToPolygon(p, sheeting[0].points) >= features.web);
        }
    }
    int crosshairs = 0;
    for (const auto &[layer, line] : dxf.lines)
        crosshairs += layer == QStringLiteral("MARK") && line.dx() == 0.0
            && qAbs(line.x1() - features.registration / 100 * chord) < Tolerance;
    QCOMPARE(crosshairs, features.registration >= 0 ? 1 : 0);

    // The copy for the left wing is the rib turned over: its nose at the trailing edge's x.
    if (features.mirror) {
        const QRectF right = QPolygonF(outline).boundingRect();
        const QRectF left = QPolygonF(cut[1].points).boundingRect();
        QVERIFY(qAbs(left.width() - right.width()) < 1e-6);
        QVERIFY(left.bottom() < right.top());
    }
}

void tst_Export::ribSet_data()
{
    // The chords grow linearly from the root to the tip, whatever the sheet, the washout turns
    // each rib's chord by its share of it, the sweep moves a spar placed in millimetres forward
    // on the ribs by the leading edge's way back.
    QTest::addColumn<QString>("sheet");
    QTest::addColumn<double>("washout");
    QTest::addColumn<double>("sweep");
    QTest::addColumn<bool>("mirror");
    QTest::addColumn<int>("sheets");
    QTest::newRow("A3, one sheet, swept") << "A3" << 0.0 << 5.0 << false << 1;
    QTest::newRow("A4 with mirrored copies") << "A4" << 0.0 << 0.0 << true << 3;
    QTest::newRow("300x60 mm, a rib a sheet, washout") << "300x60" << 3.0 << 0.0 << false << 6;
}

void tst_Export::ribSet()
{
    QFETCH(QString, sheet);
    QFETCH(double, washout);
    QFETCH(double, sweep);
    QFETCH(bool, mirror);
    QFETCH(int, sheets);
    WingPlan plan;
    plan.root = 250;
    plan.tip = 150;
    plan.span = 500;
    plan.count = 6;
    plan.washout = washout;
    plan.sweep = sweep;
    RibFeatures features;
    features.spars << Spar {25.0, true, 5.0, 4.0, true} << Spar {60.0, false, 4.0, 3.0, false};
    features.sheeting = 1.0;
    features.mirror = mirror;
    QSizeF size;
    QVERIFY(SheetSize::parse(sheet, &size));
    QString problem;
    const RibSet set = RibSet::make(*loadedStudy(), nullptr, plan, features, size, &problem);
    QVERIFY2(problem.isEmpty(), qPrintable(problem));
    QCOMPARE(set.sheetCount(), sheets);
    const DxfDrawing dxf = readDxf(set.dxf(&problem));

    const QList<DxfDrawing::Polyline> cut = dxf.on(QStringLiteral("CUT"));
    QCOMPARE(cut.size(), plan.count * (mirror ? 2 : 1));
    QList<QLineF> chords;
    for (const auto &[layer, line] : dxf.lines)
        if (line.length() > 20.0)
            chords << line;
    QCOMPARE(chords.size(), cut.size());
    for (int i = 0; i < plan.count; ++i) {
        const int k = mirror ? 2 * i : i;
        const double chord = 250.0 - 20.0 * i;
        QVERIFY2(qAbs(chords[k].length() - chord) < Tolerance,
            qPrintable(QStringLiteral("rib %1 is %2 mm long").arg(i + 1).arg(chords[k].length())));
        const double twist = washout * i / (plan.count - 1);
        // Nose down is the trailing edge up, y being up.
        const double angle = qRadiansToDegrees(std::atan2(chords[k].dy(), chords[k].dx()));
        QVERIFY2(qAbs(angle - twist) < 1e-4, qPrintable(QStringLiteral("%1°").arg(angle)));
        QVERIFY(dxf.texts.contains(
            QStringLiteral("Rib %1 - chord %2 mm").arg(i + 1).arg(QString::number(chord, 'f', 1))));
        if (washout == 0.0) {
            const double behind = 60.0 - 100.0 * i * std::tan(qDegreesToRadians(sweep));
            const QRectF slot
                = QPolygonF(dxf.on(QStringLiteral("SPAR"))[2 * k + 1].points).boundingRect();
            QVERIFY(qAbs(slot.center().x() - chords[k].x1() - behind) < Tolerance);
        }
    }

    // A frame a sheet, side by side, every rib inside one.
    QList<QRectF> frames;
    for (const DxfDrawing::Polyline &p : dxf.on(QStringLiteral("MARK")))
        if (p.closed && p.points.size() == 4)
            frames << QPolygonF(p.points).boundingRect();
    QCOMPARE(frames.size(), sheets);
    for (const DxfDrawing::Polyline &rib : cut) {
        const QRectF box = QPolygonF(rib.points).boundingRect();
        QVERIFY(std::any_of(frames.cbegin(), frames.cend(),
            [&](const QRectF &frame) { return frame.contains(box); }));
    }
}

void tst_Export::refusals_data()
{
    QTest::addColumn<RibFeatures>("features");
    QTest::addColumn<QString>("sheet");
    QTest::addColumn<QString>("said");
    RibFeatures deep;
    deep.spars << Spar {30.0, true, 5.0, 30.0, true};
    RibFeatures thick;
    thick.sheeting = 13.0;
    RibFeatures hole;
    hole.hole = 20.0;
    RibFeatures overlapping;
    overlapping.spars << Spar {30.0, true, 5.0, 3.0, true} << Spar {32.0, true, 5.0, 3.0, true};
    QTest::newRow("spar deeper than the section")
        << deep << "A3"
        << "the spar at 30 % is 30 mm deep and the section is 24.0 mm thick "
           "there: its depth may be 0.1 to 23.9 mm";
    QTest::newRow("sheeting over half the thickness")
        << thick << "A3"
        << "sheeting of 13 mm is more than half the section's thickness: it may be 0.1 to 12.0 mm";
    QTest::newRow("hole beyond its web")
        << hole << "A3"
        << "a hole 20 mm across at 40 % leaves less than the 3 mm web";
    QTest::newRow("overlapping slots") << overlapping << "A3"
                                       << "the spar at 32 % overlaps another";
    QTest::newRow("sheet smaller than the root rib")
        << RibFeatures() << "200x100"
        << "a sheet of 200 × 100 mm is too small for rib 1";
}

void tst_Export::refusals()
{
    // Told why, with what would do, at the rib the problem has; no sheets to write then.
    QFETCH(RibFeatures, features);
    QFETCH(QString, sheet);
    QFETCH(QString, said);
    WingPlan plan;
    plan.root = 200;
    plan.tip = 200;
    plan.count = 2;
    QSizeF size;
    QVERIFY(SheetSize::parse(sheet, &size));
    QString problem;
    const RibSet set = RibSet::make(*loadedStudy(), nullptr, plan, features, size, &problem);
    QVERIFY2(problem.contains(said), qPrintable(problem));
    QCOMPARE(set.sheetCount(), 0);
}

void tst_Export::svgSize_data()
{
    // A short chord leaves its caption more room on the right than the margin.
    QTest::addColumn<double>("chord");
    QTest::newRow("200 mm") << 200.0;
    QTest::newRow("10 mm") << 10.0;
}

void tst_Export::svgSize()
{
    QFETCH(double, chord);
    const QByteArray svg = ContourTemplate::of(*loadedStudy(), chord).svg();
    QXmlStreamReader xml(svg);
    QVERIFY(xml.readNextStartElement());
    QCOMPARE(xml.name(), QStringLiteral("svg"));
    const QXmlStreamAttributes root = xml.attributes();
    QString desc;
    QString contour;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == QStringLiteral("desc"))
            desc = xml.readElementText();
        else if (xml.attributes().value(QStringLiteral("class")) == QStringLiteral("CUT"))
            contour = xml.attributes().value(QStringLiteral("d")).toString();
    }
    QVERIFY2(!xml.hasError(), qPrintable(xml.errorString()));

    // The width in millimetres is the chord and the margins the drawing states; the view box
    // is in millimetres too, the nose at its origin, the left margin before it.
    const QRegularExpressionMatch margins
        = QRegularExpression(QStringLiteral("left ([\\d.]+) mm and right ([\\d.]+) mm"))
              .match(desc);
    QVERIFY2(margins.hasMatch(), qPrintable(desc));
    const double left = margins.captured(1).toDouble();
    const double right = margins.captured(2).toDouble();
    const QString width = root.value(QStringLiteral("width")).toString();
    const QString height = root.value(QStringLiteral("height")).toString();
    QVERIFY(width.endsWith(QStringLiteral("mm")) && height.endsWith(QStringLiteral("mm")));
    QCOMPARE(width.chopped(2).toDouble(), chord + left + right);
    const QStringList box = root.value(QStringLiteral("viewBox")).toString().split(' ');
    QCOMPARE(box.size(), 4);
    QCOMPARE(box[0].toDouble(), -left);
    QCOMPARE(box[2], width.chopped(2));
    QCOMPARE(box[3], height.chopped(2));

    // One closed path, as long as the chord in those units.
    QVERIFY(contour.startsWith(QLatin1Char('M')) && contour.endsWith(QLatin1Char('Z')));
    double lowest = chord;
    double highest = 0.0;
    for (const QString &point : contour.split(' ')) {
        const double x = point.mid(1).section(',', 0, 0).toDouble();
        if (point != QStringLiteral("Z")) {
            lowest = std::min(lowest, x);
            highest = std::max(highest, x);
        }
    }
    QVERIFY(lowest > -Tolerance && lowest < 1e-3 * chord);
    QCOMPARE(highest, chord);
}

void tst_Export::svgScale_data()
{
    QTest::addColumn<bool>("ribs");
    QTest::addColumn<double>("chord");
    QTest::newRow("template of 200 mm") << false << 200.0;
    QTest::newRow("a rib set's one rib of 150 mm") << true << 150.0;
}

void tst_Export::svgScale()
{
    // Rendered at 10 dots a millimetre, the black of the drawing spans the chord and the
    // outline's line width: the drawing is at true size.
    QFETCH(bool, ribs);
    QFETCH(double, chord);
    ContourTemplate single = ContourTemplate::of(*loadedStudy(), chord);
    WingPlan plan;
    plan.root = plan.tip = chord;
    plan.count = 1;
    QString problem;
    const QByteArray svg = ribs
        ? RibSet::make(*loadedStudy(), nullptr, plan, RibFeatures(), QSizeF(297, 210), &problem)
              .svg()
        : single.svg(&problem);
    QVERIFY2(problem.isEmpty(), qPrintable(problem));
    QSvgRenderer renderer(svg);
    QVERIFY(renderer.isValid());
    // The sheet's size as the drawing states it in millimetres, the view box drawn over it.
    const QRegularExpressionMatch size
        = QRegularExpression(QStringLiteral("width=\"([\\d.]+)mm\" height=\"([\\d.]+)mm\""))
              .match(QString::fromUtf8(svg));
    QVERIFY(size.hasMatch());
    const QSizeF sheet(size.captured(1).toDouble(), size.captured(2).toDouble());
    QImage image((sheet * 10.0).toSize(), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    renderer.render(&painter, QRectF(QPointF(), sheet * 10.0));
    painter.end();
    int first = image.width();
    int last = -1;
    for (int y = 0; y < image.height(); ++y) {
        const auto *row = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if (qGray(row[x]) < 60) {
                first = std::min(first, x);
                last = std::max(last, x);
            }
        }
    }
    QVERIFY2(qAbs((last - first + 1) / 10.0 - (chord + 0.25)) < 0.2,
        qPrintable(QStringLiteral("%1 mm").arg((last - first + 1) / 10.0)));
}

void tst_Export::pdfPage_data()
{
    QTest::addColumn<bool>("ribs");
    QTest::addColumn<double>("chord");
    QTest::addColumn<QSizeF>("paper");
    QTest::addColumn<QString>("text");
    QTest::newRow("200 mm on A4") << false << 200.0 << QSizeF(297, 210)
                                  << "export test section — chord";
    QTest::newRow("300 mm on A3") << false << 300.0 << QSizeF(420, 297)
                                  << "export test section — chord";
    QTest::newRow("a rib set's one rib on a sheet of its own size")
        << true << 180.0 << QSizeF(250, 120) << "Rib 1 — chord 180.0 mm";
}

void tst_Export::pdfPage()
{
    QFETCH(bool, ribs);
    QFETCH(double, chord);
    QFETCH(QSizeF, paper);
    QFETCH(QString, text);
    for (const char *tool : {"pdfinfo", "pdftotext", "pdftoppm"})
        if (QStandardPaths::findExecutable(QString::fromLatin1(tool)).isEmpty())
            QSKIP("poppler-utils is not installed (scripts/install-deps.sh test installs it)");
    const QString path = dir.filePath(QStringLiteral("%1.pdf").arg(chord));
    if (ribs) {
        WingPlan plan;
        plan.root = plan.tip = chord;
        plan.count = 1;
        QString problem;
        const RibSet set
            = RibSet::make(*loadedStudy(), nullptr, plan, RibFeatures(), paper, &problem);
        QCOMPARE(set.save(path, ContourTemplate::Type::Pdf), QString());
    } else {
        QCOMPARE(ContourTemplate::of(*loadedStudy(), chord).save(path, ContourTemplate::Type::Pdf),
            QString());
    }
    const auto run = [](const QString &tool, const QStringList &arguments) {
        QProcess process;
        process.start(tool, arguments);
        process.waitForFinished(60000);
        return QString::fromUtf8(process.readAllStandardOutput());
    };

    // The sheet, landscape, in points; the caption's text.
    const QRegularExpressionMatch size
        = QRegularExpression(QStringLiteral("Page size: +([\\d.]+) x ([\\d.]+) pts"))
              .match(run(QStringLiteral("pdfinfo"), {path}));
    QVERIFY(size.hasMatch());
    QVERIFY(qAbs(size.captured(1).toDouble() / 72 * 25.4 - paper.width()) < 0.5);
    QVERIFY(qAbs(size.captured(2).toDouble() / 72 * 25.4 - paper.height()) < 0.5);
    QVERIFY(run(QStringLiteral("pdftotext"), {path, QStringLiteral("-")}).contains(text));

    // Printed at 10 dots a millimetre, the black of the drawing spans the chord and the
    // contour's line width: the page is at true size.
    const QString png = dir.filePath(QStringLiteral("page"));
    run(QStringLiteral("pdftoppm"),
        {QStringLiteral("-r"), QStringLiteral("254"), QStringLiteral("-png"),
            QStringLiteral("-singlefile"), path, png});
    const QImage page = QImage(png + QStringLiteral(".png")).convertToFormat(QImage::Format_RGB32);
    QVERIFY(!page.isNull());
    int first = page.width();
    int last = -1;
    for (int y = 0; y < page.height(); ++y) {
        const auto *row = reinterpret_cast<const QRgb *>(page.constScanLine(y));
        for (int x = 0; x < page.width(); ++x) {
            if (qGray(row[x]) < 60) {
                first = std::min(first, x);
                last = std::max(last, x);
            }
        }
    }
    QVERIFY2(qAbs((last - first + 1) / 10.0 - (chord + 0.25)) < 0.3,
        qPrintable(QStringLiteral("%1 mm").arg((last - first + 1) / 10.0)));
}

QTEST_MAIN(tst_Export)
#include "tst_export.moc"
