#include "diagramview.h"

#include <QKeyEvent>
#include <QTextOption>
#include <QWheelEvent>

#include <cmath>

DiagramView::DiagramView(QGraphicsScene *scene)
    : QGraphicsView(static_cast<QWidget *>(nullptr))
{
    // Items are few and always rebuilt as a whole: an index would only cost time.
    scene->setItemIndexMethod(QGraphicsScene::NoIndex);
    scene->setSceneRect(-100, -300, 1200, 600);
    setScene(scene);
    setCacheMode(CacheBackground);
    setViewportUpdateMode(BoundingRectViewportUpdate);
    setRenderHint(QPainter::Antialiasing);
    setTransformationAnchor(AnchorUnderMouse);
    setResizeAnchor(AnchorViewCenter);
    scale(0.35, 0.35);
    setMinimumSize(500, 250);
}

void DiagramView::scaleView(double scaleFactor)
{
    const qreal factor
        = transform().scale(scaleFactor, scaleFactor).mapRect(QRectF(0, 0, 1, 1)).width();
    if (factor < 0.05 || factor > 50)
        return;
    scale(scaleFactor, scaleFactor);
}

void DiagramView::wheelEvent(QWheelEvent *event)
{
    scaleView(std::pow(2.0, event->angleDelta().y() / 240.0));
}

void DiagramView::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Plus:
        scaleView(1.2);
        break;
    case Qt::Key_Minus:
        scaleView(1 / 1.2);
        break;
    default:
        QGraphicsView::keyPressEvent(event);
    }
}

void DiagramView::drawBackground(QPainter *painter, const QRectF &)
{
    const QRectF sceneRect = this->sceneRect();
    const QRectF textRect(
        sceneRect.left() + 4, sceneRect.top() + 4, sceneRect.width() - 4, sceneRect.height() - 4);
    const QString message = tr("zoom with the mouse wheel or the '+' and '-' keys");

    QFont font = painter->font();
    font.setWeight(QFont::Normal);
    font.setPointSize(20);
    painter->setFont(font);
    painter->setPen(Qt::gray);
    painter->drawText(textRect, message, QTextOption());
}
