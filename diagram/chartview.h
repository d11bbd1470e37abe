#ifndef LIFTWISE_CHARTVIEW_H
#define LIFTWISE_CHARTVIEW_H

#include <QChartView>

QT_BEGIN_NAMESPACE
class QAbstractSeries;
class QCategoryAxis;
class QRubberBand;
class QXYSeries;
QT_END_NAMESPACE

// A plot of the window's tabs that the user can query and zoom along its x axis: hovering near
// a series shows its value at the nearest point, the wheel zooms round the mouse, a drag with
// the left button zooms to the stretch dragged over, and a double click shows the whole range
// again. A zoom stays through new data until fit(), a double click or a new load or paneling
// (resetZoom()); while it lasts a hint in the plot's corner says how to see all again, and the
// value axes fit what the x range shows. With the focus, it has a frame in the highlight colour;
// neither the frame nor the hint shows in pictures of it. The legend's samples are drawn as the
// series are, solid, dashed or marked.
class ChartView : public QChartView
{
    Q_OBJECT

public:
    explicit ChartView(QWidget *parent = nullptr);

    // Shows the whole x range.
    void fit();
    bool isZoomed() const { return zoomed; }
    // What the corner says while zoomed.
    static QString zoomHint();
    // Below this size the axes' labels and the legend would be cut down to "...", but for other
    // sections' names, which may be.
    QSize minimumSizeHint() const override;

protected:
    // The x axis, along the bottom, in the units the series hold.
    QCategoryAxis *xAxis() const { return x; }
    // The range fit() shows; a zoom within it stays, a zoom beyond it is fitted.
    void setFullXRange(double min, double max);
    // Shows the whole x range of a new load or paneling, whatever the user zoomed to before.
    void resetZoom();
    // Labels the x axis for the range it shows.
    virtual void labelXAxis() = 0;
    // Fits the value axes to what the x range shows; called whenever that range changes.
    virtual void fitValueAxes() = 0;
    // Takes the series out of the chart and adds them again on the axes they had: Qt Charts draws
    // series in the order added, so that they come over every other.
    void bringToFront(const QList<QAbstractSeries *> &series);
    // Takes the legend's entries as they are now for the minimum size, the other sections'
    // series given aside: a scroll area round the plot scrolls rather than cut its legend.
    void fitLegend(const QList<QAbstractSeries *> &overlays);
    // What the readout says of the point of the series.
    virtual QString describe(const QXYSeries *series, const QPointF &point) const = 0;

    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void drawForeground(QPainter *painter, const QRectF &rect) override;

private:
    void setXRange(double min, double max);
    // The viewport position of a point of the series, and the x value at a viewport position.
    QPointF position(const QPointF &point, QXYSeries *series) const;
    double valueAt(double viewportX) const;
    QRectF plotRect() const;
    // The legend's names the minimum size makes room for.
    QStringList legendNames() const;
    // Shows the readout of the series point nearest to pos, if one lies near, or hides it.
    void showReadout(const QPointF &pos, const QPoint &globalPos);

    QCategoryAxis *x;
    double fullMin = 0.0;
    double fullMax = 1.0;
    bool zoomed = false;
    // Where a drag started, in viewport pixels, and the band over what it covers; a negative
    // start when there is no drag.
    double dragStart = -1.0;
    QRubberBand *band;
    QList<QAbstractSeries *> overlaid;
    // The legend's names the minimum size was last fitted to.
    QStringList sizedFor;
};

#endif // LIFTWISE_CHARTVIEW_H
