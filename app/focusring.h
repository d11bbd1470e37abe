#ifndef LIFTWISE_FOCUSRING_H
#define LIFTWISE_FOCUSRING_H

#include <QPointer>
#include <QWidget>

// A ring two pixels wide in the highlight colour round whichever widget of the window has the
// keyboard focus, since the style's own marks (a tinted frame, a dotted line) are faint or
// missing on many. The diagram and the plots, which frame themselves, are left to do so. Lies
// over the widget's neighbours and lets the mouse through.
class FocusRing : public QWidget
{
    Q_OBJECT

public:
    // Follows the focus within the window from now on.
    explicit FocusRing(QWidget *window);

    // The widget ringed now; none while the focus is elsewhere.
    QWidget *ringed() const { return target; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    void follow(QWidget *now);
    void place();

    QWidget *window;
    QPointer<QWidget> target;
};

#endif // LIFTWISE_FOCUSRING_H
