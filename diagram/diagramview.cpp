#include "diagramview.h"

#include "diagramscene.h"
#include "format.h"

#include <QKeyEvent>
#include <QPainter>
#include <QScrollBar>
#include <QWheelEvent>

#include <cmath>

namespace {

using DiagramDrawing::Inset;
using DiagramDrawing::MaxZoom;
using DiagramDrawing::MinZoom;

// How far, in scene units, the view reaches beyond the diagram's scene rectangle: more than the
// widest viewport shows at the smallest zoom, so that no scroll limit ever stops a zoom, a drag
// or a fit.
constexpr double Reach = 100000;
// The width of the focus frame along the viewport's edges, in pixels.
constexpr int FocusWidth = 2;

} // namespace

DiagramView::DiagramView(DiagramScene *scene)
    : QGraphicsView(static_cast<QWidget *>(nullptr))
    , diagram(scene)
{
    // Items are few and always rebuilt as a whole: an index would only cost time.
    scene->setItemIndexMethod(QGraphicsScene::NoIndex);
    scene->setSceneRect(-100, -300, 1200, 600);
    setScene(scene);
    setSceneRect(scene->sceneRect().adjusted(-Reach, -Reach, Reach, Reach));
    // Scroll bars over that reach would say nothing; dragging and Fit Airfoil take their place.
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setDragMode(ScrollHandDrag);
    setViewportUpdateMode(BoundingRectViewportUpdate);
    setRenderHint(QPainter::Antialiasing);
    setTransformationAnchor(AnchorUnderMouse);
    setResizeAnchor(AnchorViewCenter);
    scale(0.35, 0.35);
    setMinimumSize(200, 100);
    setAccessibleDescription(hintText());
    connect(scene, &DiagramScene::contourChanged, this, &DiagramView::fitContour);
    // A new contour brings the hint back.
    connect(scene, &DiagramScene::contourChanged, this, [this] { moved = false; });
    // The legend's rows come and go with the reshaping; the old rows' pixels go with them.
    connect(scene, &DiagramScene::legendChanged, viewport(), qOverload<>(&QWidget::update));
}

QString DiagramView::hintText() const
{
    if (!diagram->hasContour())
        return tr("Open an airfoil file (Ctrl+O) or drop one here");
    return tr(
        "zoom with the mouse wheel or the '+' and '-' keys, drag to pan, Ctrl+0 fits the airfoil");
}

int DiagramView::hintFlags() const
{
    // What to do before a load stands in the middle of the empty diagram.
    return Qt::TextWordWrap | (diagram->hasContour() ? Qt::AlignLeft : Qt::AlignCenter);
}

QPoint DiagramView::scrollPosition() const
{
    return QPoint(horizontalScrollBar()->value(), verticalScrollBar()->value());
}

void DiagramView::scaleView(double scaleFactor)
{
    const qreal factor
        = transform().scale(scaleFactor, scaleFactor).mapRect(QRectF(0, 0, 1, 1)).width();
    if (factor < MinZoom || factor > MaxZoom)
        return;
    scale(scaleFactor, scaleFactor);
    fitted = false;
    userMoved();
}

void DiagramView::scaleView(double scaleFactor, const QPointF &fixed)
{
    // The view scrolls by whole pixels. Successive steps at one place keep the point the first
    // one took, or the rounding of each step would add up, magnified by the steps after it.
    if (QLineF(viewportTransform().map(anchor), fixed).length() > 1.0)
        anchor = viewportTransform().inverted().map(fixed);
    scaleView(scaleFactor);
    const QPointF drift = viewportTransform().map(anchor) - fixed;
    horizontalScrollBar()->setValue(horizontalScrollBar()->value() + qRound(drift.x()));
    verticalScrollBar()->setValue(verticalScrollBar()->value() + qRound(drift.y()));
}

void DiagramView::fitContour()
{
    fit(diagram->contourRect());
    fitted = diagram->hasContour();
    setAccessibleDescription(hintText());
}

void DiagramView::userMoved()
{
    if (moved || !diagram->hasContour())
        return;
    moved = true;
    viewport()->update();
}

void DiagramView::setHintVisible(bool visible)
{
    hintVisible = visible;
    viewport()->update();
}

void DiagramView::fit(const QRectF &rect)
{
    if (rect.isEmpty())
        return;
    const QRectF room
        = DiagramDrawing::fitRoom(viewport()->rect(), hintRect().height(), legendRect().height());
    const double zoom = DiagramDrawing::fitZoom(room, rect);
    setTransform(QTransform::fromScale(zoom, zoom));
    centerOn(rect.center() + (QRectF(viewport()->rect()).center() - room.center()) / zoom);
}

void DiagramView::wheelEvent(QWheelEvent *event)
{
    scaleView(std::pow(2.0, event->angleDelta().y() / 240.0), event->position());
}

void DiagramView::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Plus:
    case Qt::Key_Equal:
        scaleView(1.2);
        break;
    case Qt::Key_Minus:
        scaleView(1 / 1.2);
        break;
    default: {
        // The arrow keys and their kin scroll: a pan.
        const QPoint before = scrollPosition();
        QGraphicsView::keyPressEvent(event);
        if (scrollPosition() != before) {
            fitted = false;
            userMoved();
        }
    }
    }
}

void DiagramView::mouseMoveEvent(QMouseEvent *event)
{
    const QPoint before = scrollPosition();
    QGraphicsView::mouseMoveEvent(event);
    if (scrollPosition() != before) {
        fitted = false;
        userMoved();
    }
    if (diagram->hasContour()) {
        const QPointF at = mapToScene(event->position().toPoint());
        emit pointed(tr("x/c = %1, y/c = %2")
                         .arg(Format::fixed(at.x() / 1000, 3), Format::fixed(-at.y() / 1000, 3)));
    }
}

void DiagramView::leaveEvent(QEvent *event)
{
    emit pointed(QString());
    QGraphicsView::leaveEvent(event);
}

void DiagramView::focusInEvent(QFocusEvent *event)
{
    QGraphicsView::focusInEvent(event);
    viewport()->update();
}

void DiagramView::focusOutEvent(QFocusEvent *event)
{
    QGraphicsView::focusOutEvent(event);
    viewport()->update();
}

void DiagramView::resizeEvent(QResizeEvent *event)
{
    QGraphicsView::resizeEvent(event);
    if (fitted)
        fit(diagram->contourRect());
}

QRect DiagramView::hintRect() const
{
    if (!hintVisible || (moved && diagram->hasContour()))
        return QRect();
    const QRect room = viewport()->rect().adjusted(Inset, Inset, -Inset, -Inset);
    const QRect hint = fontMetrics().boundingRect(room, hintFlags(), hintText()) & room;
    // In a small diagram the hint would cover the airfoil; the description still says it.
    if (diagram->hasContour()
        && (hint.height() > fontMetrics().height() || room.height() < 8 * hint.height()))
        return QRect();
    return hint;
}

QRect DiagramView::legendRect() const
{
    if (!diagram->hasContour())
        return QRect();
    const QSize size = DiagramDrawing::legendSize(fontMetrics(), diagram->legend());
    return QRect(QPoint(viewport()->width() - Inset - size.width(),
                     viewport()->height() - Inset - size.height()),
        size);
}

void DiagramView::drawForeground(QPainter *painter, const QRectF &)
{
    // In viewport pixels, whatever the zoom and the scroll position.
    painter->save();
    painter->resetTransform();
    painter->setFont(font());
    // A veil of the background keeps the grey text legible over the diagram's lines.
    QColor veil = palette().color(QPalette::Base);
    veil.setAlphaF(0.75);
    const QRect hint = hintRect();
    // An empty rectangle would not clip the text but draw it from the corner, word by word.
    if (!hint.isEmpty()) {
        painter->fillRect(hint, veil);
        // Before a load the text says what to do, in the text's own colour; after it, a hint.
        painter->setPen(diagram->hasContour() ? palette().color(QPalette::PlaceholderText)
                                              : palette().color(QPalette::Text));
        painter->drawText(hint, hintFlags(), hintText());
    }
    if (hasFocus() && painter->device() == viewport()) {
        painter->setPen(QPen(palette().color(QPalette::Highlight), 2 * FocusWidth));
        painter->drawRect(viewport()->rect());
    }
    if (const QRect legend = legendRect(); !legend.isEmpty())
        DiagramDrawing::paintLegend(painter, legend, diagram->legend(),
            palette().color(QPalette::Text), palette().color(QPalette::Base));
    painter->restore();
}

void DiagramView::scrollContentsBy(int dx, int dy)
{
    QGraphicsView::scrollContentsBy(dx, dy);
    // The scroll moved the pixels of the hint and the legend along: paint them where they stay
    // and the diagram where they were moved to.
    QRegion stale;
    for (const QRect &rect : {hintRect(), legendRect()})
        stale += QRegion(rect) + rect.translated(dx, dy);
    if (hasFocus()) {
        const QRect all = viewport()->rect();
        const QRegion frame
            = QRegion(all) - all.adjusted(FocusWidth, FocusWidth, -FocusWidth, -FocusWidth);
        stale += frame + frame.translated(dx, dy);
    }
    viewport()->update(stale);
}
