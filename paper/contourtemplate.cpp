#include "contourtemplate.h"

#include "camberline.h"
#include "filesystem.h"
#include "format.h"
#include "modification.h"
#include "report.h"
#include "study.h"

#include <QBuffer>
#include <QFileInfo>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QXmlStreamWriter>

#include <algorithm>

namespace {

// The drawing's margins, in millimetres: beside the chord, above the contour, and below it, where
// the scale bar and the caption go.
constexpr double SideMargin = 20.0;
constexpr double TopMargin = 20.0;
constexpr double BottomMargin = 30.0;
// The scale bar and the caption's baseline, below the contour's lowest point.
constexpr double ScaleBarDrop = 8.0;
constexpr double CaptionDrop = 16.0;
constexpr double ScaleBarLength = 10.0;
constexpr double TickHeight = 2.0;
// Text height in millimetres (10 pt), and the width of a character, generously, in heights:
// enough room for the caption where the chord is short.
constexpr double TextSize = 3.5;
constexpr double CharacterWidth = 0.6;
// The scale bar's line width, in millimetres.
constexpr double LineWidth = 0.18;
// Between a rib and its mirrored copy below it, in millimetres.
constexpr double MirrorGap = 10.0;
// A PDF's page is A4 landscape up to this chord, in millimetres, and A3 landscape above it.
constexpr double A4Chord = 250.0;
// Device units per inch of the PDF.
constexpr int PdfResolution = 1200;

const auto mm = RibDrawing::mm;

// The highest and the lowest y of the drawing's lines, the chord's 0 among them.
std::pair<double, double> heights(const RibDrawing &drawing)
{
    const QRectF box = drawing.bounds();
    return {std::max(box.bottom(), 0.0), std::min(box.top(), 0.0)};
}

// Where everything lies on the sheet, in millimetres from its top left corner, y down.
struct Sheet
{
    Sheet(const ContourTemplate &t, const RibDrawing &drawing)
    {
        const auto [top, bottom] = heights(drawing);
        const double text = t.caption().size() * CharacterWidth * TextSize;
        left = SideMargin;
        right = SideMargin + std::max(0.0, text - t.chord);
        size = QSizeF(left + t.chord + right, TopMargin + top - bottom + BottomMargin);
        nose = QPointF(left, TopMargin + top);
        lowest = nose.y() - bottom;
    }
    // A point of the template on the sheet.
    QPointF at(const QPointF &p) const { return QPointF(nose.x() + p.x(), nose.y() - p.y()); }
    double scaleBarY() const { return lowest + ScaleBarDrop; }
    double captionY() const { return lowest + CaptionDrop; }

    QSizeF size;
    QPointF nose;
    double left = 0.0;
    double right = 0.0;
    double lowest = 0.0;
};

void writePath(
    QXmlStreamWriter *svg, const QString &id, const QString &d, const QColor &colour, double width)
{
    svg->writeEmptyElement(QStringLiteral("path"));
    svg->writeAttribute(QStringLiteral("id"), id);
    svg->writeAttribute(QStringLiteral("d"), d);
    svg->writeAttribute(QStringLiteral("stroke"), colour.name());
    svg->writeAttribute(QStringLiteral("stroke-width"), mm(width));
}

void writeText(QXmlStreamWriter *svg, const QPointF &at, const QString &text)
{
    svg->writeStartElement(QStringLiteral("text"));
    svg->writeAttribute(QStringLiteral("x"), mm(at.x()));
    svg->writeAttribute(QStringLiteral("y"), mm(at.y()));
    svg->writeCharacters(text);
    svg->writeEndElement();
}

} // namespace

ContourTemplate::Type ContourTemplate::typeOf(const QString &path)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    return suffix == QLatin1String("dxf") ? Type::Dxf
        : suffix == QLatin1String("svg")  ? Type::Svg
        : suffix == QLatin1String("pdf")  ? Type::Pdf
                                          : Type::Unknown;
}

ContourTemplate ContourTemplate::of(const Study &study, double chord)
{
    ContourTemplate t;
    if (!study.isLoaded())
        return t;
    t.title = Format::printable(study.data().title);
    t.fileName = Format::printable(QFileInfo(study.path()).fileName());
    t.chord = chord;
    t.presses = int(study.presses().size());
    // The very points a save writes, and the reference line through the same presses.
    std::vector<double> x, y;
    reshapedContour(*study.airfoil(), study.presses(), &x, &y);
    for (size_t i = 0; i < x.size(); ++i)
        t.contour << QPointF(x[i] * chord, y[i] * chord);
    Camberline line = *study.reference();
    applyPresses(line, study.presses());
    for (int i = 0; i < line.npoints(); ++i)
        t.camber << QPointF(line.xpoint(i) * chord, line.ypoint(i) * chord);
    return t;
}

QString ContourTemplate::caption() const
{
    return QStringLiteral("%1 — chord %2 mm — %3").arg(title, mm(chord), fileName)
        + Report::pressesNote(size_t(std::max(presses, 0)));
}

RibDrawing ContourTemplate::drawing(QString *problem) const
{
    RibDrawing rib = makeRib(contour, camber, chord, features, problem);
    if (!problem->isEmpty())
        return RibDrawing();
    // The left-hand rib below the right-hand one, the chords level.
    if (features.mirror)
        rib.add(mirroredRib(rib, chord), QPointF(0, -(rib.bounds().height() + MirrorGap)));
    return rib;
}

QByteArray ContourTemplate::dxf(QString *problem) const
{
    const RibDrawing rib = drawing(problem);
    return problem->isEmpty() ? rib.dxf(problem) : QByteArray();
}

QByteArray ContourTemplate::svg(QString *problem) const
{
    // Written by hand rather than by QSvgGenerator, which ends a closed path without closing
    // it and, under a view box in millimetres, takes fonts and dashes at the wrong size.
    QString unfit;
    const RibDrawing rib = drawing(problem ? problem : &unfit);
    if (!(problem ? problem : &unfit)->isEmpty())
        return QByteArray();
    const Sheet sheet(*this, rib);
    // The view box puts the nose at the origin: the drawing's own coordinates are millimetres
    // of the template.
    const QPointF origin = -sheet.nose;
    const auto local = [&](const QPointF &p) { return p + origin; };
    QByteArray bytes;
    QXmlStreamWriter svg(&bytes);
    svg.setAutoFormatting(true);
    svg.writeStartDocument();
    svg.writeStartElement(QStringLiteral("svg"));
    svg.writeDefaultNamespace(QStringLiteral("http://www.w3.org/2000/svg"));
    svg.writeAttribute(QStringLiteral("version"), QStringLiteral("1.1"));
    svg.writeAttribute(QStringLiteral("width"), mm(sheet.size.width()) + QStringLiteral("mm"));
    svg.writeAttribute(QStringLiteral("height"), mm(sheet.size.height()) + QStringLiteral("mm"));
    svg.writeAttribute(QStringLiteral("viewBox"),
        QStringList {
            mm(origin.x()), mm(origin.y()), mm(sheet.size.width()), mm(sheet.size.height())}
            .join(' '));
    svg.writeTextElement(QStringLiteral("title"), title);
    svg.writeTextElement(QStringLiteral("desc"),
        QStringLiteral("%1. At true size, in millimetres, the nose at the origin; margins: left "
                       "%2 mm and right %3 mm of the chord, top %4 mm above the contour and "
                       "bottom %5 mm below it.")
            .arg(caption(), mm(sheet.left), mm(sheet.right), mm(TopMargin), mm(BottomMargin)));

    rib.writeSvgPaths(&svg);

    const QPointF bar = local(QPointF(sheet.nose.x(), sheet.scaleBarY()));
    svg.writeStartElement(QStringLiteral("g"));
    svg.writeAttribute(QStringLiteral("font-family"), QStringLiteral("DejaVu Sans, sans-serif"));
    svg.writeAttribute(QStringLiteral("font-size"), mm(TextSize));
    writePath(&svg, QStringLiteral("scale"),
        QStringLiteral("M%1,%2 v%3 M%1,%4 h%5 M%6,%2 v%3")
            .arg(mm(bar.x()), mm(bar.y() - TickHeight / 2), mm(TickHeight), mm(bar.y()),
                mm(ScaleBarLength), mm(bar.x() + ScaleBarLength)),
        Qt::black, LineWidth);
    writeText(&svg, bar + QPointF(ScaleBarLength + 3, TextSize / 3), QStringLiteral("10 mm"));
    writeText(&svg, local(QPointF(sheet.nose.x(), sheet.captionY())), caption());
    svg.writeEndElement();
    svg.writeEndElement();
    svg.writeEndDocument();
    return bytes;
}

QByteArray ContourTemplate::pdf(QString *problem) const
{
    // The SVG's sheet, centred on a landscape A4 or A3 sheet; a drawing larger than that gets
    // a sheet of its own size, still at true size, for a plotter, up to what a PDF page holds.
    const RibDrawing rib = drawing(problem);
    if (!problem->isEmpty())
        return QByteArray();
    const Sheet sheet(*this, rib);
    if (std::max(sheet.size.width(), sheet.size.height()) > MaxPdfPage) {
        *problem = QStringLiteral("the template is %1 mm wide and a PDF page holds at most %2 mm: "
                                  "export it as DXF or SVG")
                       .arg(qRound(sheet.size.width()))
                       .arg(qRound(MaxPdfPage));
        return QByteArray();
    }
    QPageSize page(chord > A4Chord ? QPageSize::A3 : QPageSize::A4);
    QSizeF paper = page.size(QPageSize::Millimeter).transposed();
    if (sheet.size.width() > paper.width() || sheet.size.height() > paper.height()) {
        paper = sheet.size;
        // Page sizes are given upright; the orientation turns them.
        page = QPageSize(paper.width() > paper.height() ? paper.transposed() : paper,
            QPageSize::Millimeter, QString(), QPageSize::ExactMatch);
    }
    const QPointF offset(
        (paper.width() - sheet.size.width()) / 2, (paper.height() - sheet.size.height()) / 2);

    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setCreator(QStringLiteral("Liftwise"));
        writer.setTitle(title);
        // No margins and a known resolution: a millimetre of the drawing is one on paper.
        writer.setPageLayout(QPageLayout(page,
            paper.width() > paper.height() ? QPageLayout::Landscape : QPageLayout::Portrait,
            QMarginsF()));
        writer.setResolution(PdfResolution);
        const double k = PdfResolution / 25.4;
        const auto at = [&](const QPointF &p) { return (sheet.at(p) + offset) * k; };
        const auto onSheet = [&](double x, double y) { return (QPointF(x, y) + offset) * k; };

        QPainter painter(&writer);
        painter.setRenderHint(QPainter::Antialiasing);
        rib.paint(&painter, at, k);

        const double x = sheet.nose.x();
        const double y = sheet.scaleBarY();
        painter.setPen(QPen(Qt::black, LineWidth * k));
        painter.drawLine(onSheet(x, y), onSheet(x + ScaleBarLength, y));
        for (const double end : {x, x + ScaleBarLength})
            painter.drawLine(onSheet(end, y - TickHeight / 2), onSheet(end, y + TickHeight / 2));
        QFont font(QStringLiteral("DejaVu Sans"));
        font.setPointSizeF(TextSize / 25.4 * 72);
        painter.setFont(font);
        painter.drawText(
            onSheet(x + ScaleBarLength + 3, y + TextSize / 3), QStringLiteral("10 mm"));
        const double room = (paper.width() - offset.x() - x - SideMargin / 2) * k;
        painter.drawText(onSheet(x, sheet.captionY()),
            painter.fontMetrics().elidedText(caption(), Qt::ElideMiddle, int(room)));
    }
    return buffer.data();
}

QString ContourTemplate::save(const QString &path, Type type) const
{
    return save(path, type, [this](Type type, QString *problem) {
        return type == Type::Dxf ? dxf(problem) : type == Type::Svg ? svg(problem) : pdf(problem);
    });
}

QString ContourTemplate::save(const QString &path, Type type,
    const std::function<QByteArray(Type type, QString *problem)> &bytes)
{
    if (type == Type::Unknown)
        return QStringLiteral("the file type is none of DXF, SVG and PDF");
    QString problem;
    const QByteArray written = bytes(type, &problem);
    if (!problem.isEmpty())
        return problem;
    return FileSystem::saveFile(path, written);
}
