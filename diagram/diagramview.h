#ifndef LIFTWISE_DIAGRAMVIEW_H
#define LIFTWISE_DIAGRAMVIEW_H

#include <QGraphicsView>

class DiagramScene;

// Shows the diagram scene at a zoom between 0.05 and 50 viewport pixels per scene unit. A drag
// with the left button pans, with no bounds; a usage hint and a legend of the lines stay in
// the viewport's corners, the same size at every zoom; the hint goes once the user has zoomed
// or panned, until the next contour. Before a load it says how to get one. The wheel, '+', '=',
// '-' and the same with Ctrl zoom. Where the mouse points is told in chords as it moves.
// With the focus, the viewport has a frame in the highlight colour (not in pictures of it).
// Every new contour is fitted, and kept fitted as the view is resized until the user zooms or
// pans; after that a resize keeps the view's centre.
class DiagramView : public QGraphicsView
{
    Q_OBJECT

public:
    explicit DiagramView(DiagramScene *scene);

    // Multiplies the zoom by scaleFactor, unless the result would leave 0.05 ... 50;
    // such a request is dropped as a whole, not clamped. The point under the mouse stays
    // where it is, or the centre when the mouse is elsewhere.
    void scaleView(double scaleFactor);
    // The same, keeping the scene point at the viewport position fixed where it is.
    void scaleView(double scaleFactor, const QPointF &fixed);
    // Zooms so that the contour fills the viewport but for a margin of a twentieth on every
    // side, within the zoom limits, and centres it; nothing before a load. It stays fitted
    // through resizes until the user zooms or pans.
    void fitContour();
    // Whether the usage hint is painted: an exported picture leaves it out.
    void setHintVisible(bool visible);
    // Whether the hint stands in the viewport now.
    bool isHintShown() const { return !hintRect().isEmpty(); }

signals:
    // The mouse points at (x/c, y/c) of the diagram, or has left it (no value).
    void pointed(const QString &where);

protected:
    void wheelEvent(QWheelEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void drawForeground(QPainter *painter, const QRectF &rect) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    void fit(const QRectF &rect);
    // A zoom or a pan of the user's: the hint goes.
    void userMoved();
    QPoint scrollPosition() const;
    // The text in the hint's place: the hint, or before a load what to do.
    QString hintText() const;
    int hintFlags() const;
    // Where the hint and the legend are painted, in viewport pixels; empty when not shown.
    QRect hintRect() const;
    QRect legendRect() const;

    DiagramScene *diagram;
    bool hintVisible = true;
    // The contour is fitted and kept so, since no zoom or pan of the user's came after.
    bool fitted = false;
    // The user zoomed or panned the contour on show: the hint has done its work.
    bool moved = false;
    // The scene point the last zoom step kept still.
    QPointF anchor;
};

#endif // LIFTWISE_DIAGRAMVIEW_H
