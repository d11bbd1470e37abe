#include "plotpicture.h"

#include "study.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>

namespace {

// Qt Charts' light theme, which the window's charts keep.
const QColor GridColour(0xe2, 0xe2, 0xe2);
const QColor AxisColour(0xd6, 0xd6, 0xd6);
const QColor LabelColour(0x40, 0x40, 0x44);

// The layout, in pixels: the margin round the chart, the gaps beside the vertical axes' titles
// and labels, the ticks, the gaps below the x axis' labels and title, and the legend's row, its
// marker and the gaps beside it.
constexpr double Margin = 20;
constexpr double TitleGap = 5;
constexpr double LabelGap = 1;
constexpr double TickLength = 5;
constexpr double BelowLabels = 6;
constexpr double BelowTitle = 9;
constexpr double LegendPadding = 7;
constexpr double LegendBelow = 5;
constexpr double MarkerGap = 6.4;
constexpr double EntryGap = 10.3;

double widest(const QFontMetricsF &metrics, const QStringList &texts)
{
    double width = 0;
    for (const QString &text : texts)
        width = std::max(width, metrics.horizontalAdvance(text));
    return width;
}

// The range a group of series spans, as the charts fit their axes to it.
AxisTicks fittedTo(const QList<QList<QPointF>> &group)
{
    double low = qInf();
    double high = -qInf();
    for (const QList<QPointF> &points : group) {
        for (const QPointF &p : points) {
            low = std::min(low, p.y());
            high = std::max(high, p.y());
        }
    }
    return AxisTicks::fitted(low, high);
}

} // namespace

PlotPicture PlotPicture::loading(const Study &study, const QList<SectionOverlay> &overlays)
{
    PlotPicture plot;
    plot.x = {LoadingPlot::xTitle(), AxisTicks::round(0.0, 1.0, 11), QColor()};
    QList<QList<QPointF>> loads;
    for (const SectionOverlay &overlay : overlays) {
        // The section a save writes: reshaped once pressed.
        plot.series.append({overlay.name,
            LoadingPlot::points(*overlay.study,
                overlay.study->reshapedSection() ? LoadingPlot::SectionReference
                                                 : LoadingPlot::Reference),
            SeriesStyle {overlay.colour}});
    }
    for (const LoadingPlot::Series kind : LoadingPlot::AllSeries) {
        plot.series.append(
            {LoadingPlot::name(kind), LoadingPlot::points(study, kind), PlotStyle::loading(kind)});
        loads << plot.series.last().points;
    }
    for (qsizetype i = 0; i < overlays.size(); ++i)
        loads << plot.series.at(i).points;
    const auto [low, high] = LoadingPlot::loadRange(loads);
    plot.left = {LoadingPlot::loadTitle(), AxisTicks::fitted(low, high), QColor()};
    // A first panel's load beyond the axis is said beside the edge that clips it, for every
    // line alike.
    for (const QList<QPointF> &load : std::as_const(loads)) {
        if (load.size() < 2)
            continue;
        const QPointF first = load.first();
        const double edge = std::clamp(first.y(), plot.left.ticks.min, plot.left.ticks.max);
        if (edge != first.y())
            plot.notes.append(
                Note {QPointF(first.x(), edge), LoadingPlot::spikeText(first.y()), edge < 0});
    }
    return plot;
}

PlotPicture PlotPicture::convergence(const Study &study, const QMap<int, Coefficients> &results)
{
    using namespace ConvergencePlot;
    PlotPicture plot;
    const auto [first, last] = xRange(study.paneling().panels);
    plot.x = {xTitle(), AxisTicks::counts(first, last), QColor()};
    QList<QList<QPointF>> alpha0;
    QList<QList<QPointF>> cm0;
    for (const ConvergencePlot::Series kind : AllSeries) {
        const QList<QPointF> shown
            = kind == Alpha0 || kind == Cm0 ? curve(results, kind) : points(study, kind);
        plot.series.append({name(kind, study.reshapedSection()), shown,
            PlotStyle::convergence(kind), !isAlpha0(kind)});
        (isAlpha0(kind) ? alpha0 : cm0) << shown;
    }
    plot.left = {alpha0Title(), fittedTo(alpha0), PlotStyle::convergence(Alpha0).colour};
    plot.right = Axis {cm0Title(), fittedTo(cm0), PlotStyle::convergence(Cm0).colour};
    return plot;
}

struct PlotPicture::Frame
{
    QFont labelFont;
    QFont titleFont;
    QFontMetricsF labels;
    QFontMetricsF titles;
    double legendRow;
    double legendTop;
    double xTitleTop;
    double xLabelsTop;
    QRectF plot;
    const PlotPicture *picture;

    double along(double v) const
    {
        const AxisTicks &t = picture->x.ticks;
        return plot.left() + (v - t.min) / (t.max - t.min) * plot.width();
    }
    double up(const Axis &axis, double v) const
    {
        return plot.bottom()
            - (v - axis.ticks.min) / (axis.ticks.max - axis.ticks.min) * plot.height();
    }
    QPointF at(const Series &s, const QPointF &p) const
    {
        return QPointF(along(p.x()), up(s.right ? *picture->right : picture->left, p.y()));
    }
};

void PlotPicture::paint(QPainter *painter, const QRectF &box) const
{
    if (x.ticks.values.isEmpty() || left.ticks.values.isEmpty())
        return;
    painter->save();
    const Frame frame = frameIn(box, painter->font());
    paintGrid(painter, frame);
    paintSeries(painter, frame);
    paintXAxis(painter, frame);
    paintValueAxis(painter, frame, left);
    if (right)
        paintValueAxis(painter, frame, *right);
    paintNotes(painter, frame);
    paintLegend(painter, frame, box);
    painter->restore();
}

PlotPicture::Frame PlotPicture::frameIn(const QRectF &box, const QFont &labelFont) const
{
    // The plot's rectangle: the vertical axes' titles and labels beside it, the x axis' labels
    // and title and the legend's row below it.
    QFont titleFont = labelFont;
    titleFont.setBold(true);
    const QFontMetricsF labels(labelFont);
    const QFontMetricsF titles(titleFont);
    const double legendRow = labels.height() + 2 * LegendPadding;
    const double rows = std::max<qsizetype>(1, legendRows(labels, box.width() - 2 * Margin).size());
    const double legendTop = box.bottom() - Margin - LegendBelow - rows * legendRow;
    const double xTitleTop = legendTop - BelowTitle - titles.height();
    const double xLabelsTop = xTitleTop - BelowLabels - labels.height();
    const auto besideAxis = [&](const Axis &axis) {
        return TitleGap + titles.height() + LabelGap + widest(labels, axis.ticks.labels) + LabelGap
            + TickLength;
    };
    const QRectF plot(QPointF(box.left() + Margin + besideAxis(left), box.top() + Margin),
        QPointF(box.right() - Margin - (right ? besideAxis(*right) : 0), xLabelsTop - TickLength));
    return Frame {labelFont, titleFont, labels, titles, legendRow, legendTop, xTitleTop, xLabelsTop,
        plot, this};
}

void PlotPicture::paintGrid(QPainter *painter, const Frame &f) const
{
    // At every tick and round the plot.
    painter->setPen(QPen(GridColour, 1));
    for (const double v : x.ticks.values + QList<double> {x.ticks.min, x.ticks.max})
        painter->drawLine(QPointF(f.along(v), f.plot.top()), QPointF(f.along(v), f.plot.bottom()));
    for (const Axis *axis : {&left, right ? &*right : nullptr}) {
        if (!axis)
            continue;
        for (const double v : axis->ticks.values + QList<double> {axis->ticks.min, axis->ticks.max})
            painter->drawLine(
                QPointF(f.plot.left(), f.up(*axis, v)), QPointF(f.plot.right(), f.up(*axis, v)));
    }
}

void PlotPicture::paintSeries(QPainter *painter, const Frame &f) const
{
    // Each over those before, within the plot.
    painter->save();
    painter->setClipRect(f.plot, Qt::IntersectClip);
    for (const Series &s : series) {
        if (s.points.isEmpty())
            continue;
        QPainterPath line(f.at(s, s.points.first()));
        for (qsizetype i = 1; i < s.points.size(); ++i)
            line.lineTo(f.at(s, s.points.at(i)));
        painter->setPen(s.style.pen());
        painter->setBrush(Qt::NoBrush);
        if (s.style.marks == SeriesStyle::Marks::Rings) {
            for (const QPointF &p : s.points)
                painter->drawEllipse(f.at(s, p), s.style.ringSize / 2, s.style.ringSize / 2);
            continue;
        }
        painter->drawPath(line);
        if (s.style.marks == SeriesStyle::Marks::Dots) {
            painter->setPen(Qt::NoPen);
            painter->setBrush(s.style.colour);
            for (const QPointF &p : s.points)
                painter->drawEllipse(f.at(s, p), s.style.dotRadius(), s.style.dotRadius());
        }
    }
    painter->restore();
}

void PlotPicture::paintXAxis(QPainter *painter, const Frame &f) const
{
    // Line, ticks, labels and title, in the axis' colour.
    painter->setPen(QPen(x.colour.isValid() ? x.colour : AxisColour, 1));
    painter->drawLine(f.plot.bottomLeft(), f.plot.bottomRight());
    for (const double v : x.ticks.values)
        painter->drawLine(QPointF(f.along(v), f.plot.bottom()),
            QPointF(f.along(v), f.plot.bottom() + TickLength));
    painter->setFont(f.labelFont);
    painter->setPen(x.colour.isValid() ? x.colour : LabelColour);
    for (qsizetype i = 0; i < x.ticks.values.size(); ++i) {
        const QString &label = x.ticks.labels.at(i);
        painter->drawText(
            QPointF(f.along(x.ticks.values.at(i)) - f.labels.horizontalAdvance(label) / 2,
                f.xLabelsTop + f.labels.ascent()),
            label);
    }
    painter->setFont(f.titleFont);
    painter->drawText(QPointF(f.plot.center().x() - f.titles.horizontalAdvance(x.title) / 2,
                          f.xTitleTop + f.titles.ascent()),
        x.title);
}

void PlotPicture::paintValueAxis(QPainter *painter, const Frame &f, const Axis &axis) const
{
    // Line, ticks, labels and title, in the axis' colour, the title reading upwards.
    const bool onLeft = &axis == &left;
    const double edge = onLeft ? f.plot.left() : f.plot.right();
    const double outwards = onLeft ? -1 : 1;
    painter->setPen(QPen(axis.colour.isValid() ? axis.colour : AxisColour, 1));
    painter->drawLine(QPointF(edge, f.plot.top()), QPointF(edge, f.plot.bottom()));
    for (const double v : axis.ticks.values)
        painter->drawLine(
            QPointF(edge, f.up(axis, v)), QPointF(edge + outwards * TickLength, f.up(axis, v)));
    painter->setFont(f.labelFont);
    painter->setPen(axis.colour.isValid() ? axis.colour : LabelColour);
    const double labelEdge = edge + outwards * (TickLength + LabelGap);
    for (qsizetype i = 0; i < axis.ticks.values.size(); ++i) {
        const QString &label = axis.ticks.labels.at(i);
        const double width = f.labels.horizontalAdvance(label);
        painter->drawText(
            QPointF(onLeft ? labelEdge - width : labelEdge,
                f.up(axis, axis.ticks.values.at(i)) - f.labels.height() / 2 + f.labels.ascent()),
            label);
    }
    const double titleLeft = onLeft
        ? labelEdge - widest(f.labels, axis.ticks.labels) - LabelGap - f.titles.height()
        : labelEdge + widest(f.labels, axis.ticks.labels) + LabelGap;
    painter->save();
    painter->setFont(f.titleFont);
    painter->translate(titleLeft + f.titles.ascent(),
        f.plot.center().y() + f.titles.horizontalAdvance(axis.title) / 2);
    painter->rotate(-90);
    painter->drawText(QPointF(0, 0), axis.title);
    painter->restore();
}

void PlotPicture::paintNotes(QPainter *painter, const Frame &f) const
{
    // Side by side along the edge, right of the nose, clear of one another.
    painter->setFont(f.labelFont);
    painter->setPen(Qt::black);
    double from = 0;
    for (const Note &note : notes) {
        const QPointF point(f.along(note.at.x()), f.up(left, note.at.y()));
        const double x = std::max(point.x() + 4, from);
        painter->drawText(
            QPointF(
                x, (note.above ? point.y() - f.labels.height() : point.y()) + f.labels.ascent()),
            note.text);
        from = x + f.labels.horizontalAdvance(note.text) + f.labels.averageCharWidth();
    }
}

namespace {

// The width of an entry's sample, as long as the font is high for a dash to show.
double sampleWidth(const QFontMetricsF &labels) { return labels.height(); }

double entryWidth(const QFontMetricsF &labels, const QString &name)
{
    return sampleWidth(labels) + 1 + MarkerGap + labels.horizontalAdvance(name);
}

} // namespace

QList<QList<const PlotPicture::Series *>> PlotPicture::legendRows(
    const QFontMetricsF &labels, double width) const
{
    QList<QList<const Series *>> rows;
    QStringList names;
    double used = 0;
    for (const Series &s : series) {
        if (s.points.isEmpty() || names.contains(s.name))
            continue;
        names << s.name;
        const double wanted = entryWidth(labels, s.name);
        if (rows.isEmpty() || used + EntryGap + wanted > width) {
            rows.append(QList<const Series *>());
            used = -EntryGap;
        }
        rows.last() << &s;
        used += EntryGap + wanted;
    }
    return rows;
}

void PlotPicture::paintLegend(QPainter *painter, const Frame &f, const QRectF &box) const
{
    // In rows under the plot, each centred: a sample of each series as it is drawn (its line,
    // solid or dashed, with its dot, or its ring) and its name, once for the series of one name.
    const double marker = sampleWidth(f.labels);
    painter->setFont(f.labelFont);
    double middle = f.legendTop + f.legendRow / 2;
    for (const QList<const Series *> &row : legendRows(f.labels, box.width() - 2 * Margin)) {
        double width = -EntryGap;
        for (const Series *s : row)
            width += entryWidth(f.labels, s->name) + EntryGap;
        double from = box.center().x() - width / 2;
        for (const Series *s : row) {
            const QPointF centre(from + marker / 2, middle);
            painter->setPen(s->style.pen());
            painter->setBrush(Qt::NoBrush);
            if (s->style.marks == SeriesStyle::Marks::Rings) {
                const double r = std::min(s->style.ringSize, marker) / 2;
                painter->drawEllipse(centre, r, r);
            } else {
                painter->drawLine(QPointF(from, middle), QPointF(from + marker, middle));
            }
            if (s->style.marks == SeriesStyle::Marks::Dots) {
                painter->setPen(Qt::NoPen);
                painter->setBrush(s->style.colour);
                painter->drawEllipse(centre, s->style.dotRadius(), s->style.dotRadius());
            }
            from += marker + 1 + MarkerGap;
            painter->setPen(LabelColour);
            painter->drawText(
                QPointF(from, middle - f.labels.height() / 2 + f.labels.ascent()), s->name);
            from += f.labels.horizontalAdvance(s->name) + EntryGap;
        }
        middle += f.legendRow;
    }
}
