#include "ribset.h"

#include "airfoil.h"
#include "format.h"
#include "sectionops.h"
#include "study.h"

#include <QBuffer>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QRegularExpression>
#include <QTransform>
#include <QXmlStreamWriter>

#include <cmath>
#include <memory>
#include <vector>

namespace {

// Round the sheet's edge, between ribs, and below each for its label, in millimetres.
constexpr double Margin = 10.0;
constexpr double Gap = 6.0;
constexpr double LabelDrop = 2.0;
// A character's width in text heights, generously, for the room a label takes.
constexpr double CharacterWidth = 0.6;
constexpr int PdfResolution = 1200;

const auto mm = RibDrawing::mm;

// The section's points in file order as an airfoil, normalised as a loaded one is.
std::unique_ptr<Airfoil> airfoilOf(const QList<QPointF> &points)
{
    std::vector<double> x;
    std::vector<double> y;
    for (const QPointF &p : points) {
        x.push_back(p.x());
        y.push_back(p.y());
    }
    auto airfoil = std::make_unique<Airfoil>(int(x.size()), x.data(), y.data());
    airfoil->normalize();
    return airfoil;
}

QList<QPointF> pointsOf(const SectionPoints &section)
{
    QList<QPointF> points;
    for (size_t i = 0; i < section.x.size(); ++i)
        points << QPointF(section.x[i], section.y[i]);
    return points;
}

// A rib with its label, and the box the two take.
struct Item
{
    RibDrawing drawing;
    QRectF box;
};

Item labelled(RibDrawing drawing, const QString &label)
{
    QRectF box = drawing.bounds();
    const QPointF at(box.left(), box.top() - LabelDrop - RibDrawing::TextSize);
    drawing.labels << RibLabel {at, label};
    const double width = label.size() * CharacterWidth * RibDrawing::TextSize;
    box.setTop(at.y());
    box.setWidth(std::max(box.width(), width));
    return {drawing, box};
}

QString sizeText(const QSizeF &size)
{
    return QStringLiteral("%1 × %2 mm")
        .arg(QString::number(size.width(), 'f', 0), QString::number(size.height(), 'f', 0));
}

} // namespace

bool SheetSize::parse(const QString &text, QSizeF *size)
{
    const QString name = text.trimmed().toUpper();
    if (name == QLatin1String("A4")) {
        *size = QSizeF(297, 210);
        return true;
    }
    if (name == QLatin1String("A3")) {
        *size = QSizeF(420, 297);
        return true;
    }
    const QRegularExpressionMatch match
        = QRegularExpression(QStringLiteral("^(\\d+(?:\\.\\d+)?)X(\\d+(?:\\.\\d+)?)$")).match(name);
    if (!match.hasMatch())
        return false;
    const QSizeF given(match.captured(1).toDouble(), match.captured(2).toDouble());
    for (const double side : {given.width(), given.height()})
        if (!(side >= MinSide && side <= MaxSide))
            return false;
    *size = given;
    return true;
}

RibSet RibSet::make(const Study &root, const Study *tip, const WingPlan &plan,
    const RibFeatures &features, const QSizeF &sheet, QString *problem)
{
    RibSet set;
    set.size = sheet;
    const ContourTemplate rootSection = ContourTemplate::of(root, 1.0);
    set.title = rootSection.title;
    std::unique_ptr<Airfoil> first;
    std::unique_ptr<Airfoil> last;
    if (tip) {
        first = airfoilOf(rootSection.contour);
        last = airfoilOf(ContourTemplate::of(*tip, 1.0).contour);
    }

    // 1. Each rib at its station: the section, the chord, the spars behind the root's leading
    // edge, the washout about the quarter chord; its mirrored copy after it.
    QList<Item> items;
    const double sweep = std::tan(plan.sweep * M_PI / 180.0);
    for (int i = 0; i < plan.count; ++i) {
        const double w = plan.weight(i);
        const double chord = plan.chordAt(i);
        QList<QPointF> section = tip ? pointsOf(blended(*first, *last, w)) : rootSection.contour;
        for (QPointF &p : section)
            p *= chord;
        RibFeatures here = features;
        for (Spar &spar : here.spars)
            if (!spar.inPercent)
                spar.position -= w * plan.span * sweep;
        RibDrawing rib = makeRib(section, {}, chord, here, problem);
        if (!problem->isEmpty()) {
            problem->prepend(QStringLiteral("rib %1: ").arg(i + 1));
            return RibSet();
        }
        const double twist = plan.washout * w;
        if (twist != 0.0)
            rib.transform(
                QTransform().translate(chord / 4, 0).rotate(twist).translate(-chord / 4, 0));
        const QString chordText = QString::number(chord, 'f', ContourTemplate::ChordDecimals);
        set.ribChords << chord;
        items << labelled(rib, QStringLiteral("Rib %1 — chord %2 mm").arg(i + 1).arg(chordText));
        if (features.mirror)
            items << labelled(mirroredRib(rib, chord),
                QStringLiteral("Rib %1L — chord %2 mm").arg(i + 1).arg(chordText));
    }

    // 2. Rows on sheets, from the top left, a new row where one is full and a new sheet
    // where the rows are.
    const QSizeF room = sheet - QSizeF(2 * Margin, 2 * Margin);
    for (const Item &item : items) {
        if (item.box.width() > room.width() || item.box.height() > room.height()) {
            *problem
                = QStringLiteral("a sheet of %1 is too small for rib %2, %3 with its "
                                 "label: its width may be %4 mm and its height %5 mm")
                      .arg(sizeText(sheet), item.drawing.labels.first().text.section(' ', 1, 1),
                          sizeText(item.box.size()),
                          Format::range(
                              std::ceil(item.box.width() + 2 * Margin), SheetSize::MaxSide),
                          Format::range(
                              std::ceil(item.box.height() + 2 * Margin), SheetSize::MaxSide));
            return RibSet();
        }
    }
    double x = Margin;
    double rowTop = sheet.height() - Margin;
    double rowHeight = 0.0;
    RibDrawing page;
    const auto newSheet = [&] {
        set.sheets << page;
        page = RibDrawing();
        x = Margin;
        rowTop = sheet.height() - Margin;
        rowHeight = 0.0;
    };
    for (const Item &item : items) {
        if (x + item.box.width() > sheet.width() - Margin) {
            x = Margin;
            rowTop -= rowHeight + Gap;
            rowHeight = 0.0;
        }
        if (rowTop - item.box.height() < Margin)
            newSheet();
        page.add(item.drawing, QPointF(x - item.box.left(), rowTop - item.box.bottom()));
        x += item.box.width() + Gap;
        rowHeight = std::max(rowHeight, item.box.height());
    }
    newSheet();

    // 3. Each sheet framed and named in its bottom margin.
    for (int s = 0; s < set.sheets.size(); ++s) {
        RibDrawing &drawing = set.sheets[s];
        drawing.paths << RibPath {RibLayer::Mark,
            {QPointF(0, 0), QPointF(sheet.width(), 0), QPointF(sheet.width(), sheet.height()),
                QPointF(0, sheet.height())},
            true};
        drawing.labels << RibLabel {QPointF(Margin, (Margin - RibDrawing::TextSize) / 2),
            QStringLiteral("%1 — sheet %2 of %3 — %4")
                .arg(set.title)
                .arg(s + 1)
                .arg(set.sheets.size())
                .arg(sizeText(sheet))};
    }
    return set;
}

void RibSet::paintSheet(QPainter *painter, int index, const QPointF &origin, double k) const
{
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(std::max(1, qRound(RibDrawing::TextSize * k)));
    painter->setFont(font);
    const double height = size.height();
    sheets[index].paint(
        painter, [&](const QPointF &p) { return origin + QPointF(p.x(), height - p.y()) * k; }, k);
}

QByteArray RibSet::dxf(QString *problem) const
{
    RibDrawing all;
    for (int s = 0; s < sheets.size(); ++s)
        all.add(sheets[s], QPointF(s * (size.width() + SheetGap), 0));
    return all.dxf(problem);
}

QByteArray RibSet::svg() const
{
    // The sheets one below the other, y up inside the drawing as in the DXF one.
    RibDrawing all;
    for (int s = 0; s < sheets.size(); ++s)
        all.add(sheets[s], QPointF(0, -s * (size.height() + SheetGap)));
    const double height = sheets.size() * (size.height() + SheetGap) - SheetGap;
    QByteArray bytes;
    QXmlStreamWriter svg(&bytes);
    svg.setAutoFormatting(true);
    svg.writeStartDocument();
    svg.writeStartElement(QStringLiteral("svg"));
    svg.writeDefaultNamespace(QStringLiteral("http://www.w3.org/2000/svg"));
    svg.writeAttribute(QStringLiteral("version"), QStringLiteral("1.1"));
    svg.writeAttribute(QStringLiteral("width"), mm(size.width()) + QStringLiteral("mm"));
    svg.writeAttribute(QStringLiteral("height"), mm(height) + QStringLiteral("mm"));
    svg.writeAttribute(QStringLiteral("viewBox"),
        QStringList {QStringLiteral("0"), mm(-size.height()), mm(size.width()), mm(height)}.join(
            ' '));
    svg.writeTextElement(QStringLiteral("title"), title);
    svg.writeTextElement(QStringLiteral("desc"),
        QStringLiteral("%1 ribs at true size, in millimetres, on %2 sheets of %3, one below "
                       "the other.")
            .arg(ribChords.size())
            .arg(sheets.size())
            .arg(sizeText(size)));
    all.writeSvgPaths(&svg);
    svg.writeStartElement(QStringLiteral("g"));
    svg.writeAttribute(QStringLiteral("font-family"), QStringLiteral("DejaVu Sans, sans-serif"));
    svg.writeAttribute(QStringLiteral("font-size"), mm(RibDrawing::TextSize));
    svg.writeAttribute(QStringLiteral("fill"), QStringLiteral("#808080"));
    for (const RibLabel &label : all.labels) {
        svg.writeStartElement(QStringLiteral("text"));
        svg.writeAttribute(QStringLiteral("x"), mm(label.at.x()));
        svg.writeAttribute(QStringLiteral("y"), mm(-label.at.y()));
        svg.writeCharacters(label.text);
        svg.writeEndElement();
    }
    svg.writeEndElement();
    svg.writeEndElement();
    svg.writeEndDocument();
    return bytes;
}

QByteArray RibSet::pdf(QString *problem) const
{
    Q_UNUSED(problem);
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setCreator(QStringLiteral("Liftwise"));
        writer.setTitle(title);
        // Page sizes are given upright; the orientation turns them.
        const bool landscape = size.width() > size.height();
        const QPageSize page(landscape ? size.transposed() : size, QPageSize::Millimeter, QString(),
            QPageSize::ExactMatch);
        writer.setPageLayout(QPageLayout(
            page, landscape ? QPageLayout::Landscape : QPageLayout::Portrait, QMarginsF()));
        writer.setResolution(PdfResolution);
        QPainter painter(&writer);
        painter.setRenderHint(QPainter::Antialiasing);
        for (int s = 0; s < sheets.size(); ++s) {
            if (s > 0)
                writer.newPage();
            paintSheet(&painter, s, QPointF(), PdfResolution / 25.4);
        }
    }
    return buffer.data();
}

QString RibSet::save(const QString &path, ContourTemplate::Type type) const
{
    using Type = ContourTemplate::Type;
    return ContourTemplate::save(path, type, [this](Type type, QString *problem) {
        return type == Type::Dxf ? dxf(problem) : type == Type::Svg ? svg() : pdf(problem);
    });
}
