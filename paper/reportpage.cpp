#include "reportpage.h"

#include "diagrampicture.h"
#include "filesystem.h"
#include "plotpicture.h"
#include "report.h"
#include "study.h"

#include <QBuffer>
#include <QPainter>
#include <QPdfWriter>

#include <algorithm>

namespace ReportPage {

namespace {

// The page is laid out in tenths of a millimetre on A4, 210 by 297 mm.
constexpr double PageWidth = 2100;
constexpr double PageHeight = 2970;
constexpr double Margin = 150;
constexpr double Gap = 40;
constexpr double DiagramHeight = 480;
// The pixels of the window a picture drawn on the page has for a tenth of a millimetre: a
// little more than a screen gives, so that its text comes out somewhat smaller than the page's
// own.
constexpr double PixelsPerTenth = 96.0 / 254.0 * 1.3;

// A font of the size in points, in the page's units.
QFont pageFont(double points, bool bold = false, bool fixed = false)
{
    QFont font;
    if (fixed) {
        font.setFamily(QStringLiteral("DejaVu Sans Mono"));
        font.setStyleHint(QFont::TypeWriter);
        font.setFixedPitch(true);
    }
    font.setPixelSize(qRound(points * 254.0 / 72.0));
    font.setBold(bold);
    // Shaped as the outlines have it, not fitted to pixels the page does not have.
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

// The line as lines of at most width, broken after a comma or at a space where it is wider, the
// lines after the first indented.
QStringList wrapped(const QString &line, const QFontMetricsF &metrics, double width)
{
    QStringList lines;
    QString rest = line;
    const QString indent = QStringLiteral("    ");
    while (metrics.horizontalAdvance(rest) > width) {
        qsizetype cut = -1;
        for (const QString &after : {QStringLiteral(", "), QStringLiteral(" ")}) {
            for (qsizetype at = rest.indexOf(after); at > 0; at = rest.indexOf(after, at + 1)) {
                if (metrics.horizontalAdvance(rest.left(at + after.size() - 1)) > width)
                    break;
                cut = at + after.size() - 1;
            }
            if (cut > indent.size())
                break;
        }
        if (cut <= indent.size())
            break;
        lines << rest.left(cut);
        rest = indent + rest.mid(cut + 1);
    }
    return lines << rest;
}

// The presses' reports are columns of figures, in a fixed-pitch font.
QFont historyFont() { return pageFont(7.5, false, true); }

// The lines in the box, wrapped to its width and cut short with "…" where a word is wider
// still, as many as it holds; the height they took.
double drawLines(QPainter *painter, const QRectF &box, const QStringList &lines, const QFont &font)
{
    painter->setFont(font);
    const QFontMetricsF metrics(painter->fontMetrics());
    double y = box.top();
    for (const QString &line : lines) {
        for (const QString &part : wrapped(line, metrics, box.width())) {
            if (y + metrics.height() > box.bottom() + 0.5)
                return y - box.top();
            painter->drawText(QPointF(box.left(), y + metrics.ascent()),
                metrics.elidedText(part, Qt::ElideRight, box.width()));
            y += metrics.height();
        }
    }
    return y - box.top();
}

// A heading over a block of lines; the height both took.
double drawBlock(QPainter *painter, const QRectF &box, const QString &heading,
    const QStringList &lines, const QFont &font = pageFont(8))
{
    const double head = drawLines(painter, box, {heading}, pageFont(9, true));
    return head + drawLines(painter, box.adjusted(0, head, 0, 0), lines, font);
}

// A picture of the window's, painted into the box at its own pixels, with the window's font: 9
// points at the 96 dots an inch of a screen.
template <typename Paint> void drawPicture(QPainter *painter, const QRectF &box, const Paint &paint)
{
    painter->save();
    painter->setClipRect(box);
    painter->translate(box.topLeft());
    painter->scale(1 / PixelsPerTenth, 1 / PixelsPerTenth);
    QFont font;
    font.setPixelSize(qRound(9 * 96.0 / 72.0));
    font.setHintingPreference(QFont::PreferNoHinting);
    painter->setFont(font);
    paint(QRectF(QPointF(0, 0), box.size() * PixelsPerTenth));
    painter->restore();
}

// The file panel's lines in their parts: the points and the reference paneling with any
// warnings, the reference coefficients with their extrapolation, and the geometry.
QList<QStringList> fileParts(const Study &study)
{
    QList<QStringList> parts {{}};
    for (const QString &line : Report::fileLines(study).mid(1)) {
        if (line.isEmpty())
            parts << QStringList();
        else
            parts.last() << line;
    }
    while (parts.size() < 3)
        parts << QStringList();
    return parts;
}

// The presses' lines in columns, a press under another in each, at most two presses deep: the
// latest presses where not all of them fit.
struct History
{
    QStringList lines;
    int perPress = 0;
    int columns = 1;
    int deep = 0;
    int first = 0;
    double head = 0;
    double lineHeight = 0;
    double height() const { return head + deep * (perPress + 1) * lineHeight; }
};

History historyOf(QPainter *painter, double width, const Study &study)
{
    History h;
    const int presses = int(study.presses().size());
    if (presses == 0)
        return h;
    h.lines = Report::historyLines(study);
    h.perPress = int(h.lines.size()) / presses;
    painter->setFont(pageFont(9, true));
    h.head = painter->fontMetrics().height();
    painter->setFont(historyFont());
    const QFontMetricsF metrics(painter->fontMetrics());
    h.lineHeight = metrics.height();
    double widest = 0;
    for (const QString &line : h.lines)
        widest = std::max(widest, metrics.horizontalAdvance(line));
    h.columns = std::max(1, int((width + Gap) / (widest + 2 * Gap)));
    h.deep = std::min(2, (presses + h.columns - 1) / h.columns);
    h.first = std::max(0, presses - h.columns * h.deep);
    return h;
}

void drawHistory(QPainter *painter, const QRectF &box, const History &h)
{
    const int presses = int(h.lines.size()) / h.perPress;
    QString heading = QStringLiteral("Modify presses");
    if (h.first > 0)
        heading += QStringLiteral(", the last %1 of %2").arg(presses - h.first).arg(presses);
    drawLines(painter, box, {heading}, pageFont(9, true));
    const double columnWidth = (box.width() - (h.columns - 1) * Gap) / h.columns;
    for (int k = 0; k < presses - h.first; ++k) {
        const QRectF at(box.left() + k / h.deep * (columnWidth + Gap),
            box.top() + h.head + k % h.deep * (h.perPress + 1) * h.lineHeight, columnWidth,
            (h.perPress + 1) * h.lineHeight);
        drawLines(painter, at, h.lines.mid((h.first + k) * h.perPress, h.perPress), historyFont());
    }
}

} // namespace

bool paint(QPagedPaintDevice *device, const Study &study,
    const QMap<int, Coefficients> &convergence, const QDateTime &when)
{
    QPainter painter;
    if (!study.isLoaded() || !painter.begin(device))
        return false;
    painter.setRenderHint(QPainter::Antialiasing);
    // Tenths of a millimetre, the same in both directions whatever the device's pixels.
    const double scale = std::min(device->width() / PageWidth, device->height() / PageHeight);
    painter.setWindow(0, 0, int(PageWidth), int(PageHeight));
    painter.setViewport(0, 0, qRound(PageWidth * scale), qRound(PageHeight * scale));
    painter.setPen(Qt::black);
    const double width = PageWidth - 2 * Margin;
    double y = Margin;

    // 1. What, from where, when and by what.
    y += drawLines(&painter, QRectF(Margin, y, width, 80), {Format::printable(study.data().title)},
        pageFont(14, true));
    y += drawLines(&painter, QRectF(Margin, y, width, 200),
        {Format::printable(study.path()),
            QStringLiteral("%1 — Liftwise %2")
                .arg(QLocale::c().toString(when, QStringLiteral("yyyy-MM-dd HH:mm")),
                    QStringLiteral(LIFTWISE_VERSION)),
            QStringLiteral("paneling: ") + Report::panelingDescription(study.paneling())},
        pageFont(8));
    y += Gap / 2;
    painter.drawLine(QPointF(Margin, y), QPointF(Margin + width, y));
    y += Gap / 2;

    // 2. The diagram, across the page.
    drawPicture(&painter, QRectF(Margin, y, width, DiagramHeight),
        [&](const QRectF &box) { DiagramPicture::paint(&painter, box, study); });
    y += DiagramHeight + Gap;

    // 3. The numbers in three columns: the section's reference values, the paneled line, the
    //    section's points and geometry.
    const QList<QStringList> parts = fileParts(study);
    // The reference's column the widest, for the extrapolation's line.
    const double column = (width - 2 * Gap) * 0.3;
    const double wide = width - 2 * Gap - 2 * column;
    QStringList paneled {Report::countLine(*study.paneledLine())};
    paneled << Report::coefficientLines(study.paneledCoefficients());
    // The reshaped section's values are headed by its name, which the block's title gives.
    const bool reshaped = study.reshapedSection();
    const double numbers = std::max({
        drawBlock(&painter, QRectF(Margin, y, wide, 600),
            QStringLiteral("%1, %2 panels")
                .arg(reshaped ? QStringLiteral("Reshaped section") : QStringLiteral("As loaded"))
                .arg(Paneling::reference().panels),
            reshaped ? parts.at(1).mid(1) : parts.at(1)),
        drawBlock(&painter, QRectF(Margin + wide + Gap, y, column, 600),
            QStringLiteral("Paneled line"), paneled),
        drawBlock(&painter, QRectF(Margin + wide + column + 2 * Gap, y, column, 600),
            QStringLiteral("Section"), parts.at(0) + parts.at(2)),
    });
    y += numbers + Gap;

    // 4. The two plots, each across the page, where its legend has room for its names; as
    //    tall as the room the presses leave.
    const History history = historyOf(&painter, width, study);
    const double bottom = PageHeight - Margin;
    const double plotHeight = std::min(650.0, (bottom - y - history.height()) / 2 - Gap);
    const PlotPicture loading = PlotPicture::loading(study);
    const PlotPicture converging = PlotPicture::convergence(study, convergence);
    for (const auto &[plot, title] :
        {std::pair<const PlotPicture *, QString> {
             &loading, QStringLiteral("Loading: ΔCp of each panel at its vortex")},
            {&converging,
                QStringLiteral("Convergence: the paneled line's alpha0 and cm0 "
                               "against the number of panels")}}) {
        const double head
            = drawLines(&painter, QRectF(Margin, y, width, 60), {title}, pageFont(9, true));
        drawPicture(&painter, QRectF(Margin, y + head, width, plotHeight - head),
            [&](const QRectF &box) { plot->paint(&painter, box); });
        y += plotHeight + Gap;
    }

    // 5. The presses, if any.
    if (!history.lines.isEmpty())
        drawHistory(&painter, QRectF(Margin, y, width, bottom - y), history);
    return painter.end();
}

QByteArray pdf(const Study &study, const QMap<int, Coefficients> &convergence,
    const QDateTime &when, QString *problem)
{
    QBuffer pdf;
    pdf.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&pdf);
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setPageOrientation(QPageLayout::Portrait);
        writer.setPageMargins(QMarginsF(0, 0, 0, 0));
        writer.setResolution(600);
        writer.setTitle(Format::printable(study.data().title));
        writer.setCreator(QStringLiteral("Liftwise %1").arg(QStringLiteral(LIFTWISE_VERSION)));
        if (!paint(&writer, study, convergence, when)) {
            *problem = QStringLiteral("the PDF cannot be drawn");
            return QByteArray();
        }
    }
    return pdf.data();
}

QString writePdf(const QString &path, const Study &study,
    const QMap<int, Coefficients> &convergence, const QDateTime &when)
{
    QString problem;
    const QByteArray bytes = pdf(study, convergence, when, &problem);
    return problem.isEmpty() ? FileSystem::saveFile(path, bytes) : problem;
}

} // namespace ReportPage
