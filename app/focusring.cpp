#include "focusring.h"

#include <QApplication>
#include <QEvent>
#include <QGraphicsView>
#include <QPainter>

namespace {

// The ring's width and its gap from the widget, in pixels.
constexpr int Width = 2;
constexpr int Gap = 1;

} // namespace

FocusRing::FocusRing(QWidget *window)
    : QWidget(window)
    , window(window)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    hide();
    connect(
        qApp, &QApplication::focusChanged, this, [this](QWidget *, QWidget *now) { follow(now); });
}

void FocusRing::follow(QWidget *now)
{
    if (target)
        target->removeEventFilter(this);
    target = nullptr;
    const bool framesItself = qobject_cast<QGraphicsView *>(now) != nullptr;
    if (!now || framesItself || now->window() != window || !now->parentWidget()) {
        // Back to the window, whose widgets may go with their parents meanwhile.
        hide();
        if (parentWidget() != window)
            setParent(window);
        return;
    }
    target = now;
    target->installEventFilter(this);
    place();
}

void FocusRing::place()
{
    QWidget *parent = target->parentWidget();
    if (parentWidget() != parent)
        setParent(parent);
    const int out = Width + Gap;
    setGeometry(target->geometry().adjusted(-out, -out, out, out) & parent->rect());
    setVisible(target->isVisible());
    raise();
    update();
}

bool FocusRing::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == target) {
        switch (event->type()) {
        case QEvent::Move:
        case QEvent::Resize:
        case QEvent::Show:
        case QEvent::Hide:
            place();
            break;
        default:
            break;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void FocusRing::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    QPen pen(palette().color(QPalette::Highlight), Width);
    pen.setJoinStyle(Qt::MiterJoin);
    painter.setPen(pen);
    painter.drawRect(QRectF(rect()).adjusted(Width / 2.0, Width / 2.0, -Width / 2.0, -Width / 2.0));
}
