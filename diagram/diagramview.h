#ifndef LIFTWISE_DIAGRAMVIEW_H
#define LIFTWISE_DIAGRAMVIEW_H

#include <QGraphicsView>

// Shows the diagram scene at a zoom between 0.05 and 50 viewport pixels per scene unit,
// with a usage hint painted into the background.
class DiagramView : public QGraphicsView
{
    Q_OBJECT

public:
    explicit DiagramView(QGraphicsScene *scene);

    // Multiplies the zoom by scaleFactor, unless the result would leave 0.05 ... 50;
    // such a request is dropped as a whole, not clamped.
    void scaleView(double scaleFactor);

protected:
    void wheelEvent(QWheelEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void drawBackground(QPainter *painter, const QRectF &rect) override;
};

#endif // LIFTWISE_DIAGRAMVIEW_H
