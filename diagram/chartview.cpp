#include "chartview.h"

#include <QtCharts>

#include <algorithm>
#include <cmath>

namespace {

// How near, in pixels, the mouse must come to a series for its readout, and how far a drag must
// reach to zoom.
constexpr double Near = 10.0;
constexpr double LeastDrag = 5.0;
// The narrowest zoom, as a part of the whole range.
constexpr double LeastSpan = 1e-3;

double distance(const QPointF &p, const QPointF &a, const QPointF &b)
{
    const QPointF ab = b - a;
    const double length2 = QPointF::dotProduct(ab, ab);
    const double t
        = length2 > 0 ? std::clamp(QPointF::dotProduct(p - a, ab) / length2, 0.0, 1.0) : 0.0;
    return QLineF(p, a + t * ab).length();
}

} // namespace

// Given its chart at once: a chart view made without one makes its own, which setChart() would
// only release.
ChartView::ChartView(QWidget *parent)
    : QChartView(new QChart, parent)
    , x(new QCategoryAxis)
    , band(new QRubberBand(QRubberBand::Rectangle, viewport()))
{
    x->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    chart()->addAxis(x, Qt::AlignBottom);
    chart()->legend()->setAlignment(Qt::AlignBottom);
    // A sample of each line as it is drawn, not a square of its colour.
    chart()->legend()->setMarkerShape(QLegend::MarkerShapeFromSeries);
    // The tab is small: the plot gets the room a chart's frame would take.
    chart()->setBackgroundRoundness(0.0);
    chart()->layout()->setContentsMargins(0, 0, 0, 0);
    setRenderHint(QPainter::Antialiasing);
    setMouseTracking(true);
}

QStringList ChartView::legendNames() const
{
    // Entries of one name are shown once, those of series hidden now not at all, and other
    // sections' are left to shorten: with many sections they could not all be read in one row
    // anyway.
    QStringList names;
    for (QLegendMarker *marker : chart()->legend()->markers()) {
        if (marker->series()->isVisible() && !overlaid.contains(marker->series()))
            names << marker->label();
    }
    names.removeDuplicates();
    return names;
}

QSize ChartView::minimumSizeHint() const
{
    // 1. Across: the legend in one row, each entry a sample, its label and a gap; and a plot
    //    between the vertical axes, each with its labels and its title. A sample of the line
    //    and the gaps round it take about four lines of height.
    const QFontMetrics legend(chart()->legend()->font());
    int legendWidth = 0;
    for (const QString &name : legendNames())
        legendWidth += legend.horizontalAdvance(name) + 4 * legend.height();
    const QFontMetrics labels(x->labelsFont());
    const QFontMetrics titles(x->titleFont());
    int longestTitle = 0;
    int axesWidth = 0;
    for (const QAbstractAxis *axis : chart()->axes(Qt::Vertical)) {
        longestTitle = std::max(longestTitle, titles.horizontalAdvance(axis->titleText()));
        axesWidth += labels.horizontalAdvance(QStringLiteral("-0.0000")) + 2 * titles.height();
    }
    const int width = std::max(legendWidth, axesWidth + 10 * labels.height());
    // 2. Down: a plot as high as the longest vertical title and some, room for its ticks'
    //    labels, the x axis's labels and title, and the legend.
    const int plot = std::max(longestTitle, 8 * labels.height()) + 3 * labels.height();
    const int height = plot + 2 * labels.height() + 2 * titles.height() + 2 * legend.height();
    return QSize(width, height);
}

void ChartView::fitLegend(const QList<QAbstractSeries *> &overlays)
{
    overlaid = overlays;
    // Measuring the names costs more than a switch of sections should: only new ones are.
    const QStringList names = legendNames();
    if (names == sizedFor)
        return;
    sizedFor = names;
    setMinimumSize(minimumSizeHint());
}

void ChartView::fit()
{
    zoomed = false;
    setXRange(fullMin, fullMax);
}

void ChartView::resetZoom()
{
    if (zoomed)
        fit();
}

QString ChartView::zoomHint() { return tr("zoomed — Fit Plot (Ctrl+0) or double-click shows all"); }

void ChartView::bringToFront(const QList<QAbstractSeries *> &series)
{
    for (QAbstractSeries *s : series) {
        const QList<QAbstractAxis *> axes = s->attachedAxes();
        const bool visible = s->isVisible();
        chart()->removeSeries(s);
        chart()->addSeries(s);
        for (QAbstractAxis *axis : axes)
            s->attachAxis(axis);
        s->setVisible(visible);
    }
}

void ChartView::setFullXRange(double min, double max)
{
    fullMin = min;
    fullMax = max;
    if (!zoomed || x->min() < min || x->max() > max)
        fit();
}

void ChartView::setXRange(double min, double max)
{
    x->setRange(min, max);
    labelXAxis();
    fitValueAxes();
    viewport()->update();
}

QRectF ChartView::plotRect() const
{
    return viewportTransform().mapRect(chart()->mapRectToScene(chart()->plotArea()));
}

QPointF ChartView::position(const QPointF &point, QXYSeries *series) const
{
    return viewportTransform().map(chart()->mapToScene(chart()->mapToPosition(point, series)));
}

double ChartView::valueAt(double viewportX) const
{
    const QRectF plot = plotRect();
    return x->min() + (viewportX - plot.left()) / plot.width() * (x->max() - x->min());
}

void ChartView::showReadout(const QPointF &pos, const QPoint &globalPos)
{
    // 1. The series that passes nearest, lines by their segments, marks by their points.
    QXYSeries *nearest = nullptr;
    double best = Near;
    if (plotRect().adjusted(-Near, -Near, Near, Near).contains(pos)) {
        for (QAbstractSeries *abstract : chart()->series()) {
            auto *series = qobject_cast<QXYSeries *>(abstract);
            if (!series || !series->isVisible() || series->count() == 0)
                continue;
            const bool marks = series->type() == QAbstractSeries::SeriesTypeScatter;
            QPointF previous = position(series->at(0), series);
            double d = QLineF(pos, previous).length();
            for (int i = 1; i < series->count(); ++i) {
                const QPointF p = position(series->at(i), series);
                d = std::min(d, marks ? QLineF(pos, p).length() : distance(pos, previous, p));
                previous = p;
            }
            if (d < best) {
                best = d;
                nearest = series;
            }
        }
    }
    if (!nearest) {
        QToolTip::hideText();
        return;
    }
    // 2. Its point nearest to the mouse.
    QPointF point = nearest->at(0);
    for (const QPointF &p : nearest->points()) {
        if (QLineF(pos, position(p, nearest)).length()
            < QLineF(pos, position(point, nearest)).length())
            point = p;
    }
    QToolTip::showText(
        globalPos, nearest->name() + QLatin1Char('\n') + describe(nearest, point), viewport());
}

void ChartView::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && plotRect().contains(event->position())) {
        dragStart = event->position().x();
        QToolTip::hideText();
    }
    QChartView::mousePressEvent(event);
}

void ChartView::mouseMoveEvent(QMouseEvent *event)
{
    const QRectF plot = plotRect();
    if (dragStart >= 0 && (event->buttons() & Qt::LeftButton)) {
        const double end = std::clamp(event->position().x(), plot.left(), plot.right());
        band->setGeometry(QRectF(QPointF(std::min(dragStart, end), plot.top()),
            QPointF(std::max(dragStart, end), plot.bottom()))
                              .toRect());
        band->setVisible(std::abs(end - dragStart) >= LeastDrag);
    } else {
        showReadout(event->position(), event->globalPosition().toPoint());
    }
    QChartView::mouseMoveEvent(event);
}

void ChartView::mouseReleaseEvent(QMouseEvent *event)
{
    if (dragStart >= 0 && event->button() == Qt::LeftButton) {
        const QRectF plot = plotRect();
        const double end = std::clamp(event->position().x(), plot.left(), plot.right());
        if (std::abs(end - dragStart) >= LeastDrag) {
            zoomed = true;
            setXRange(valueAt(std::min(dragStart, end)), valueAt(std::max(dragStart, end)));
        }
        dragStart = -1.0;
        band->hide();
    }
    QChartView::mouseReleaseEvent(event);
}

void ChartView::mouseDoubleClickEvent(QMouseEvent *event)
{
    fit();
    QChartView::mouseDoubleClickEvent(event);
}

void ChartView::wheelEvent(QWheelEvent *event)
{
    // Towards the screen narrows the range round the value under the mouse, by a factor of
    // the square root of two a notch, within the whole range.
    const double factor = std::pow(2.0, -event->angleDelta().y() / 240.0);
    const double whole = fullMax - fullMin;
    const double span = std::clamp((x->max() - x->min()) * factor, LeastSpan * whole, whole);
    const double at = std::clamp(valueAt(event->position().x()), x->min(), x->max());
    const double share = (at - x->min()) / (x->max() - x->min());
    const double min = std::clamp(at - share * span, fullMin, fullMax - span);
    zoomed = span < whole;
    setXRange(min, min + span);
    event->accept();
}

void ChartView::focusInEvent(QFocusEvent *event)
{
    QChartView::focusInEvent(event);
    viewport()->update();
}

void ChartView::focusOutEvent(QFocusEvent *event)
{
    QChartView::focusOutEvent(event);
    viewport()->update();
}

void ChartView::drawForeground(QPainter *painter, const QRectF &rect)
{
    QChartView::drawForeground(painter, rect);
    // For the window's user only: a picture of the plot shows neither.
    if (painter->device() != viewport())
        return;
    painter->save();
    painter->resetTransform();
    if (zoomed) {
        const QRect plot = plotRect().toRect().adjusted(4, 4, -4, -4);
        const QSize size = fontMetrics().size(0, zoomHint()) + QSize(8, 4);
        const QRect box(QPoint(plot.right() - size.width(), plot.top()), size);
        QColor veil = palette().color(QPalette::Base);
        veil.setAlphaF(0.85);
        painter->fillRect(box, veil);
        painter->setPen(palette().color(QPalette::Text));
        painter->drawText(box, Qt::AlignCenter, zoomHint());
    }
    if (hasFocus()) {
        painter->setPen(QPen(palette().color(QPalette::Highlight), 4));
        painter->drawRect(viewport()->rect());
    }
    painter->restore();
}

void ChartView::leaveEvent(QEvent *event)
{
    QToolTip::hideText();
    QChartView::leaveEvent(event);
}
