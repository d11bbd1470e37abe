#include "reportpage.h"

#include "camberline.h"
#include "diagrampicture.h"
#include "extrapolation.h"
#include "filesystem.h"
#include "plotpicture.h"
#include "report.h"
#include "study.h"
#include "vortexmethod.h"

#include <QBuffer>
#include <QPainter>
#include <QPdfWriter>

#include <algorithm>
#include <functional>

namespace ReportPage {

namespace {

// The pages are laid out in tenths of a millimetre on A4, 210 by 297 mm.
constexpr double PageWidth = 2100;
constexpr double PageHeight = 2970;
constexpr double Margin = 150;
constexpr double Gap = 40;
constexpr double PlotHeight = 620;
// Below the last line of a page, the page's number.
constexpr double FooterHeight = 60;
// The pixels of the window a picture drawn on the page has for a tenth of a millimetre: a
// little more than a screen gives, so that its text comes out somewhat smaller than the page's
// own.
constexpr double PixelsPerTenth = 96.0 / 254.0 * 1.3;

// A font of the size in points, in the page's units.
QFont pageFont(double points, bool bold = false)
{
    QFont font;
    font.setPixelSize(qRound(points * 254.0 / 72.0));
    font.setBold(bold);
    // Shaped as the outlines have it, not fitted to pixels the page does not have.
    font.setHintingPreference(QFont::PreferNoHinting);
    // Without ligatures, which the shaper leaves out at any spacing but the default: a reader
    // searching the PDF for "Coefficients" finds it, not "Coeﬃcients".
    font.setLetterSpacing(QFont::AbsoluteSpacing, 0.05);
    return font;
}
QFont textFont() { return pageFont(8); }
QFont headingFont() { return pageFont(10, true); }
QFont tableFont() { return pageFont(7.5); }
QFont headFont() { return pageFont(7.5, true); }

// "As loaded" for a heading of "as loaded".
QString capitalised(QString text)
{
    if (!text.isEmpty())
        text[0] = text.at(0).toUpper();
    return text;
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

// The pages as they fill, top to bottom: each block takes the room it needs where the page has
// it, else at the top of a new page; each page ends with its number.
class Pages
{
public:
    Pages(QPainter *painter, QPagedPaintDevice *device, int count)
        : painter(painter)
        , device(device)
        , count(count)
    {
    }

    double width() const { return PageWidth - 2 * Margin; }
    double room() const { return bottom() - y; }
    bool atTop() const { return y == Margin; }
    // A box across the page of the height, on a new page where this one has no room for it.
    QRectF take(double height)
    {
        if (height > room() && !atTop())
            newPage();
        const QRectF box(Margin, y, width(), height);
        y += height;
        return box;
    }
    void skip(double gap) { y = std::min(y + gap, bottom()); }
    void newPage()
    {
        footer();
        device->newPage();
        ++page;
        y = Margin;
    }
    // Numbers the last page; the pages it took.
    int finish()
    {
        footer();
        return page;
    }
    QPainter *painter;

private:
    double bottom() const { return PageHeight - Margin - FooterHeight; }
    void footer()
    {
        painter->save();
        painter->setFont(textFont());
        painter->setPen(Qt::black);
        painter->drawText(
            QRectF(Margin, PageHeight - Margin - FooterHeight / 2, width(), FooterHeight),
            Qt::AlignHCenter | Qt::AlignBottom,
            QStringLiteral("page %1 of %2").arg(page).arg(std::max(count, page)));
        painter->restore();
    }

    QPagedPaintDevice *device;
    int count;
    int page = 1;
    double y = Margin;
};

// The lines in the box, wrapped to its width and cut short with "…" where a word is wider
// still; the height they take. Drawn only when asked.
double drawLines(QPainter *painter, const QRectF &box, const QStringList &lines, const QFont &font,
    bool draw = true)
{
    painter->setFont(font);
    const QFontMetricsF metrics(painter->fontMetrics());
    double y = box.top();
    for (const QString &line : lines) {
        for (const QString &part : wrapped(line, metrics, box.width())) {
            if (draw)
                painter->drawText(QPointF(box.left(), y + metrics.ascent()),
                    metrics.elidedText(part, Qt::ElideRight, box.width()));
            y += metrics.height();
        }
    }
    return y - box.top();
}

double linesHeight(QPainter *painter, double width, const QStringList &lines, const QFont &font)
{
    return drawLines(painter, QRectF(0, 0, width, 0), lines, font, false);
}

// A heading's height across the page: its lines, wrapped, and a little room below.
double headingHeight(QPainter *painter, const QString &text, double width)
{
    painter->setFont(headingFont());
    return linesHeight(painter, width, {text}, headingFont())
        + 0.4 * painter->fontMetrics().height();
}

// A heading, kept on the page of at least the first part of what it heads.
void heading(Pages *pages, const QString &text, double keepWith)
{
    QPainter *painter = pages->painter;
    const double height = headingHeight(painter, text, pages->width());
    const QRectF box = pages->take(height + keepWith);
    drawLines(painter, box, {text}, headingFont());
    // Back to just below the heading: the room taken was only to keep the two together.
    pages->skip(height - box.height());
}

// A paragraph wrapped at words.
void paragraph(Pages *pages, const QString &text)
{
    QPainter *painter = pages->painter;
    painter->setFont(textFont());
    const QRectF fits = painter->fontMetrics().boundingRect(
        QRect(0, 0, int(pages->width()), 10000), Qt::TextWordWrap, text);
    const QRectF box = pages->take(fits.height());
    painter->drawText(box, Qt::TextWordWrap, text);
}

// A picture of the window's, painted into the box at its own pixels, with the window's font: 9
// points at the 96 dots an inch of a screen.
QFont pictureFont()
{
    QFont font;
    font.setPixelSize(qRound(9 * 96.0 / 72.0));
    font.setHintingPreference(QFont::PreferNoHinting);
    font.setLetterSpacing(QFont::AbsoluteSpacing, 0.05);
    return font;
}
void drawPicture(
    QPainter *painter, const QRectF &box, const std::function<void(const QRectF &)> &paint)
{
    painter->save();
    painter->setClipRect(box);
    painter->translate(box.topLeft());
    painter->scale(1 / PixelsPerTenth, 1 / PixelsPerTenth);
    painter->setFont(pictureFont());
    paint(QRectF(QPointF(0, 0), box.size() * PixelsPerTenth));
    painter->restore();
}

// The diagram, as tall as the sections need across the page.
void diagram(
    Pages *pages, const QString &title, const Study &study, const QList<SectionOverlay> &others)
{
    QPainter *painter = pages->painter;
    const double height
        = DiagramPicture::heightFor(pages->width() * PixelsPerTenth, pictureFont(), study, others)
        / PixelsPerTenth;
    heading(pages, title, height);
    drawPicture(painter, pages->take(height),
        [&](const QRectF &box) { DiagramPicture::paint(painter, box, study, others); });
    pages->skip(Gap);
}

void plot(Pages *pages, const QString &title, const PlotPicture &picture)
{
    heading(pages, title, PlotHeight);
    drawPicture(pages->painter, pages->take(PlotHeight),
        [&](const QRectF &box) { picture.paint(pages->painter, box); });
    pages->skip(Gap);
}

// A table: its head row, then its rows, the first column on the left and the others on the
// right. Where it is narrow, rows go in several groups side by side; where it is long, it goes
// on over pages under its heading, "continued".
void table(Pages *pages, const QString &title, const QList<QStringList> &rows)
{
    if (rows.size() < 2)
        return;
    QPainter *painter = pages->painter;
    painter->setFont(tableFont());
    const QFontMetricsF metrics(painter->fontMetrics());
    const double cellGap = metrics.horizontalAdvance(QStringLiteral("  "));
    QList<double> widths(rows.first().size(), 0.0);
    const QFontMetricsF heads(headFont());
    for (qsizetype r = 0; r < rows.size(); ++r)
        for (qsizetype c = 0; c < rows.at(r).size() && c < widths.size(); ++c)
            widths[c] = std::max(
                widths[c], (r == 0 ? heads : metrics).horizontalAdvance(rows.at(r).at(c)));
    double groupWidth = 0;
    for (const double w : widths)
        groupWidth += w + cellGap;
    const int groups = std::clamp(int((pages->width() + 2 * Gap) / (groupWidth + 2 * Gap)), 1, 4);
    const double lineHeight = metrics.height();
    const QList<QStringList> body = rows.mid(1);
    qsizetype done = 0;
    while (done < body.size()) {
        // At least a few rows under the heading, or the table starts on the next page.
        const QString shownTitle = done == 0 ? title : title + QStringLiteral(" (continued)");
        const double head = headingHeight(painter, shownTitle, pages->width());
        const int fit = int((pages->room() - head) / lineHeight) - 1;
        if (fit < 3 && !pages->atTop()) {
            pages->newPage();
            continue;
        }
        const qsizetype rest = body.size() - done;
        const qsizetype perGroup
            = std::min<qsizetype>(std::max(fit, 1), (rest + groups - 1) / groups);
        const qsizetype shown = std::min<qsizetype>(rest, perGroup * groups);
        heading(pages, shownTitle, 0);
        const QRectF box = pages->take((perGroup + 1) * lineHeight);
        painter->setFont(tableFont());
        for (qsizetype k = 0; k * perGroup < shown; ++k) {
            double x = box.left() + k * (groupWidth + 2 * Gap);
            QList<QStringList> lines {rows.first()};
            lines << body.mid(done + k * perGroup, std::min(perGroup, shown - k * perGroup));
            for (qsizetype c = 0; c < widths.size(); ++c) {
                for (qsizetype r = 0; r < lines.size(); ++r) {
                    const QString cell = c < lines.at(r).size() ? lines.at(r).at(c) : QString();
                    const QRectF at(x, box.top() + r * lineHeight, widths.at(c), lineHeight);
                    painter->setFont(r == 0 ? headFont() : tableFont());
                    painter->drawText(
                        at, (c == 0 ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignVCenter, cell);
                }
                x += widths.at(c) + cellGap;
            }
        }
        done += shown;
        pages->skip(Gap);
    }
}

// Blocks of lines under their headings, two a row.
void blocks(Pages *pages, const QList<std::pair<QString, QStringList>> &shown)
{
    QPainter *painter = pages->painter;
    const double column = (pages->width() - Gap) / 2;
    for (qsizetype i = 0; i < shown.size(); i += 2) {
        double height = 0;
        for (qsizetype k = i; k < i + 2 && k < shown.size(); ++k)
            height = std::max(height,
                linesHeight(painter, column, {shown.at(k).first}, pageFont(9, true))
                    + linesHeight(painter, column, shown.at(k).second, textFont()));
        const QRectF box = pages->take(height);
        for (qsizetype k = i; k < i + 2 && k < shown.size(); ++k) {
            const QRectF at(box.left() + (k - i) * (column + Gap), box.top(), column, height);
            const double head = drawLines(painter, at, {shown.at(k).first}, pageFont(9, true));
            drawLines(painter, at.adjusted(0, head, 0, 0), shown.at(k).second, textFont());
        }
        pages->skip(Gap / 2);
    }
    pages->skip(Gap / 2);
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

QString methodNote(const Study &study)
{
    return QStringLiteral(
        "Thin-airfoil theory: at small angles a section's lift and moment come from its camber "
        "line alone; thickness is ignored. The contour is normalised to a unit chord, from its "
        "foremost point to the middle of the trailing edge, and the camber line is the mean of "
        "the upper and lower surface at each station. The discrete-vortex method cuts that line "
        "into panels, each with a point vortex at its quarter point and the flow made to follow "
        "the panel at its three-quarter point; one linear system gives cl0, alpha0, cm0 (about "
        "the quarter chord), the lift slope (2π at any paneling) and the angle alpha(sf) and lift "
        "cl(sf) of smooth leading-edge entry. The section's values come from %1 panels, the "
        "paneled line's from the paneling chosen (%2). The values at %1 are extrapolated from "
        "%1, %3 and %4 panels with the order of convergence they show; ± is that estimate's "
        "error, and a value that did not converge is given as its range over the three. Against "
        "the analytic NACA 4-digit mean lines, alpha0 at %1 panels lies within 3 % and alpha(sf) "
        "within 15 %; read from a thick section's contour, whose chord and mean line are the "
        "contour's, alpha0 lies 3 to 7 % from that of the NACA mean line, more where the mean "
        "line rises steeply at the nose.")
        .arg(Paneling::reference().panels)
        .arg(Report::panelingDescription(study.paneling()))
        .arg(2 * Paneling::reference().panels)
        .arg(4 * Paneling::reference().panels);
}

// The section's coefficients as loaded and as reshaped, each with its extrapolation, the
// paneled line's, and the section's points and geometry.
QList<std::pair<QString, QStringList>> coefficientBlocks(const Study &study)
{
    const int reference = Paneling::reference().panels;
    QList<std::pair<QString, QStringList>> shown;
    const Coefficients &asLoaded = study.loadedSection()->referenceCoefficients;
    QStringList loaded = Report::coefficientLines(asLoaded);
    const bool pressed = !study.presses().empty();
    if (const Extrapolation *e = pressed ? study.loadedExtrapolation() : study.extrapolation())
        loaded << Report::extrapolationLines(*e);
    else if (pressed)
        // Pressed before its extrapolation came in: the page gives the error bars all the same.
        loaded << Report::extrapolationLines(
            extrapolationOf(*study.airfoil(), asLoaded, study.inverses().get()));
    shown.append(
        {QStringLiteral("%1, %2 panels").arg(capitalised(Report::asLoaded())).arg(reference),
            loaded});
    if (pressed) {
        QStringList reshaped;
        if (const Coefficients *c = study.reshapedReference()) {
            reshaped << Report::coefficientLines(*c);
            if (const Extrapolation *e = study.extrapolation())
                reshaped << Report::extrapolationLines(*e);
        } else {
            reshaped << QStringLiteral("refused: %1").arg(study.sectionRefusal());
        }
        shown.append({QStringLiteral("%1, %2 panels")
                          .arg(capitalised(Report::reshapedSection()))
                          .arg(reference),
            reshaped});
    }
    shown.append({capitalised(Report::paneledLine(study.paneling().panels)),
        Report::coefficientLines(study.paneledCoefficients())});
    const QList<QStringList> parts = fileParts(study);
    shown.append({QStringLiteral("Section"), parts.at(0) + parts.at(2)});
    return shown;
}

// Each panel of the paneled line: where it lies, its width and angle, and its load at zero
// incidence and at smooth entry.
QList<QStringList> panelRows(const Study &study)
{
    const Camberline &line = *study.paneledLine();
    const Loading &loading = study.paneledLoading();
    const std::vector<double> zero = loading.pressureJumps(0.0);
    const std::vector<double> smooth = loading.pressureJumps(study.paneledCoefficients().alphaSF);
    QList<QStringList> rows {{QStringLiteral("panel"), QStringLiteral("x from"),
        QStringLiteral("x to"), QStringLiteral("width"), QStringLiteral("angle [deg]"),
        QStringLiteral("ΔCp at 0 deg"), QStringLiteral("ΔCp at alpha(sf)")}};
    for (int i = 0; i + 1 < line.npoints(); ++i) {
        rows.append({QString::number(i + 1), Format::fixed(line.xpoint(i), 4),
            Format::fixed(line.xpoint(i + 1), 4),
            Format::fixed(line.xpoint(i + 1) - line.xpoint(i), 4),
            Format::fixed(degrees(line.panelAngle(i)), 4),
            size_t(i) < zero.size() ? Format::fixed(zero[size_t(i)], 4) : QString(),
            size_t(i) < smooth.size() ? Format::fixed(smooth[size_t(i)], 4) : QString()});
    }
    return rows;
}

// The comparison turned on its side: a row a value, a column a section followed by its
// difference from the baseline; as many sections a table as the page is wide for.
QList<QList<QStringList>> comparisonTables(
    QPainter *painter, double width, const Comparison &comparison)
{
    painter->setFont(tableFont());
    const QFontMetricsF metrics(painter->fontMetrics());
    const double cellGap = metrics.horizontalAdvance(QStringLiteral("  "));
    const auto widest = [&](const QStringList &cells) {
        double w = 0;
        for (const QString &cell : cells)
            w = std::max(w, metrics.horizontalAdvance(cell));
        return w + cellGap;
    };
    const auto name = [&](int row) {
        QString shown = metrics.elidedText(comparison.name(row), Qt::ElideRight, 260);
        return row == comparison.baseline() ? shown + QStringLiteral(" (baseline)") : shown;
    };
    QStringList heads;
    for (int c = 0; c < comparison.columnCount(); ++c)
        heads << comparison.header(c);
    const double labels = widest(heads);
    QList<QList<QStringList>> tables;
    int row = 0;
    while (row < comparison.rowCount()) {
        double used = labels;
        QList<QStringList> rows {QStringList {QString()}};
        for (const QString &head : heads)
            rows << QStringList {head};
        for (; row < comparison.rowCount(); ++row) {
            QStringList values {name(row)};
            QStringList deltas {QStringLiteral("Δ")};
            for (int c = 0; c < comparison.columnCount(); ++c) {
                values << (comparison.problem(row).isEmpty() || c > 0
                        ? comparison.shown(row, c)
                        : metrics.elidedText(comparison.problem(row), Qt::ElideRight, 400));
                deltas << (row == comparison.baseline() ? QString()
                                                        : comparison.shownDelta(row, c));
            }
            const double needs = widest(values) + widest(deltas);
            if (rows.first().size() > 1 && used + needs > width)
                break;
            used += needs;
            for (qsizetype r = 0; r < rows.size(); ++r)
                rows[r] << values.at(r) << deltas.at(r);
        }
        tables << rows;
    }
    return tables;
}

void comparisonPage(Pages *pages, const Contents &c)
{
    if (c.others.isEmpty())
        return;
    if (!pages->atTop())
        pages->newPage();
    const Study &study = *c.study;
    heading(pages, QStringLiteral("Comparison of %1 sections").arg(c.others.size() + 1), 0);
    diagram(pages, QStringLiteral("The sections, each as a save writes it"), study, c.others);
    const QList<QList<QStringList>> tables
        = comparisonTables(pages->painter, pages->width(), c.comparison);
    QString title = QStringLiteral("Values, each beside its difference Δ from the baseline's");
    for (const QList<QStringList> &rows : tables)
        table(pages, title, rows);
    plot(pages, QStringLiteral("Loading of the sections: ΔCp of each panel at its vortex"),
        PlotPicture::loading(study, c.others));
}

// The whole report, page after page; the pages it took.
int paintPages(QPainter *painter, QPagedPaintDevice *device, const Contents &c, int count)
{
    const Study &study = *c.study;
    Pages pages(painter, device, count);
    painter->setPen(Qt::black);

    // 1. The title block: what, by whom, for what, from where, when and by what.
    const QString blank = QStringLiteral("____________________________");
    const QStringList title {Format::printable(study.data().title)};
    const QStringList block {
        QStringLiteral("Author: %1").arg(c.author.isEmpty() ? blank : c.author),
        QStringLiteral("Course: %1").arg(c.course.isEmpty() ? blank : c.course),
        QStringLiteral("File: %1").arg(Format::printable(study.path())),
        QStringLiteral("%1 — Liftwise %2")
            .arg(QLocale::c().toString(c.when, QStringLiteral("yyyy-MM-dd HH:mm")),
                QStringLiteral(LIFTWISE_VERSION)),
        QStringLiteral("Paneling: ") + Report::panelingDescription(study.paneling())};
    drawLines(painter, pages.take(linesHeight(painter, pages.width(), title, pageFont(14, true))),
        title, pageFont(14, true));
    drawLines(painter, pages.take(linesHeight(painter, pages.width(), block, textFont())), block,
        textFont());
    pages.skip(Gap / 2);
    const QRectF rule = pages.take(Gap / 2);
    painter->drawLine(rule.topLeft(), rule.topRight());

    // 2. How the numbers are found, and how far to trust them.
    heading(&pages, QStringLiteral("Method"), 0);
    paragraph(&pages, methodNote(study));
    pages.skip(Gap);

    // 3. The diagram, cropped to the section.
    diagram(&pages, QStringLiteral("Diagram"), study, {});

    // 4. The numbers.
    const QList<std::pair<QString, QStringList>> numbers = coefficientBlocks(study);
    heading(&pages, QStringLiteral("Coefficients"), 0);
    blocks(&pages, numbers);

    // 5. The two plots.
    plot(&pages, QStringLiteral("Loading: ΔCp of each panel at its vortex"),
        PlotPicture::loading(study));
    plot(&pages,
        QStringLiteral("Convergence: the paneled line's alpha0 and cm0 against the number of "
                       "panels"),
        PlotPicture::convergence(study, c.convergence));

    // 6. The presses, if any, and the panels of the paneled line.
    table(&pages,
        QStringLiteral("Modify presses: the targets, and what the line (%1) and the section "
                       "(%2, %3 panels) reached")
            .arg(Report::paneledLine(study.paneling().panels), Report::reshapedSection())
            .arg(Paneling::reference().panels),
        Report::historyTable(study));
    table(&pages,
        QStringLiteral("Panels of the %1").arg(Report::paneledLine(study.paneling().panels)),
        panelRows(study));

    // 7. The other sections, where there are any.
    comparisonPage(&pages, c);
    return pages.finish();
}

bool paintOn(QPagedPaintDevice *device, const Contents &contents, int count, int *pages)
{
    QPainter painter;
    if (!contents.study || !contents.study->isLoaded() || !painter.begin(device))
        return false;
    painter.setRenderHint(QPainter::Antialiasing);
    // Tenths of a millimetre, the same in both directions whatever the device's pixels.
    const double scale = std::min(device->width() / PageWidth, device->height() / PageHeight);
    painter.setWindow(0, 0, int(PageWidth), int(PageHeight));
    painter.setViewport(0, 0, qRound(PageWidth * scale), qRound(PageHeight * scale));
    *pages = paintPages(&painter, device, contents, count);
    return painter.end();
}

// A PDF writer of the report's pages, on the buffer.
void setUp(QPdfWriter *writer, const Contents &contents)
{
    writer->setPageSize(QPageSize(QPageSize::A4));
    writer->setPageOrientation(QPageLayout::Portrait);
    writer->setPageMargins(QMarginsF(0, 0, 0, 0));
    writer->setResolution(600);
    writer->setTitle(Format::printable(contents.study->data().title));
    writer->setCreator(QStringLiteral("Liftwise %1").arg(QStringLiteral(LIFTWISE_VERSION)));
}

} // namespace

int pageCount(const Contents &contents)
{
    if (!contents.study || !contents.study->isLoaded())
        return 0;
    // Laid out once on a page of the report's own, unseen, for the number the footers give.
    QBuffer unseen;
    unseen.open(QIODevice::WriteOnly);
    QPdfWriter writer(&unseen);
    setUp(&writer, contents);
    int pages = 0;
    return paintOn(&writer, contents, 0, &pages) ? pages : 0;
}

bool paint(QPagedPaintDevice *device, const Contents &contents)
{
    int pages = 0;
    return paintOn(device, contents, pageCount(contents), &pages);
}

QByteArray pdf(const Contents &contents, QString *problem)
{
    QBuffer pdf;
    pdf.open(QIODevice::WriteOnly);
    {
        if (!contents.study || !contents.study->isLoaded()) {
            *problem = QStringLiteral("the PDF cannot be drawn");
            return QByteArray();
        }
        QPdfWriter writer(&pdf);
        setUp(&writer, contents);
        if (!paint(&writer, contents)) {
            *problem = QStringLiteral("the PDF cannot be drawn");
            return QByteArray();
        }
    }
    return pdf.data();
}

QString writePdf(const QString &path, const Contents &contents)
{
    QString problem;
    const QByteArray bytes = pdf(contents, &problem);
    return problem.isEmpty() ? FileSystem::saveFile(path, bytes) : problem;
}

} // namespace ReportPage
