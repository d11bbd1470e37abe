#ifndef LIFTWISE_DIAGRAMPICTURE_H
#define LIFTWISE_DIAGRAMPICTURE_H

#include <QtGlobal>

QT_BEGIN_NAMESPACE
class QPainter;
class QRectF;
QT_END_NAMESPACE

class Study;

// The diagram of a study as the window's view shows it fitted, without its hint: the lines of
// DiagramDrawing in their order, the legend in the lower right corner. Painted into a box of the
// painter's units, each a pixel of the window, with the painter's font for the scale's figures
// and the legend; nothing before a load.
namespace DiagramPicture {

void paint(QPainter *painter, const QRectF &box, const Study &study);

} // namespace DiagramPicture

#endif // LIFTWISE_DIAGRAMPICTURE_H
