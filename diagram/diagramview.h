#ifndef LIFTWISE_DIAGRAMVIEW_H
#define LIFTWISE_DIAGRAMVIEW_H

#include <QGraphicsView>

// Shows the diagram scene at a zoom between 0.05 and 50 viewport pixels per scene unit. A drag
// with the left button pans, with no bounds; a usage hint and a legend of the lines stay in
// the viewport's corners, the same size at every zoom.
class DiagramView : public QGraphicsView
{
    Q_OBJECT

public:
    explicit DiagramView(QGraphicsScene *scene);

    // Multiplies the zoom by scaleFactor, unless the result would leave 0.05 ... 50;
    // such a request is dropped as a whole, not clamped. The point under the mouse stays
    // where it is, or the centre when the mouse is elsewhere.
    void scaleView(double scaleFactor);
    // The same, keeping the scene point at the viewport position fixed where it is.
    void scaleView(double scaleFactor, const QPointF &fixed);
    // Zooms so that rect (scene units) fills the viewport but for a margin of a twentieth on
    // every side, within the zoom limits, and centres it. Nothing for an empty rect.
    void fit(const QRectF &rect);

protected:
    void wheelEvent(QWheelEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void drawForeground(QPainter *painter, const QRectF &rect) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    // Where the hint and the legend are painted, in viewport pixels.
    QRect hintRect() const;
    QRect legendRect() const;

    // The scene point the last zoom step kept still.
    QPointF anchor;
};

#endif // LIFTWISE_DIAGRAMVIEW_H
