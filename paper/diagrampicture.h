#ifndef LIFTWISE_DIAGRAMPICTURE_H
#define LIFTWISE_DIAGRAMPICTURE_H

#include "sectionoverlay.h"

#include <QList>

QT_BEGIN_NAMESPACE
class QFont;
class QPainter;
class QRectF;
QT_END_NAMESPACE

class Study;

// The diagram of a study for the printed page: the lines of DiagramDrawing in their order, the
// other sections compared with it beneath them in their colours, and the legend to the right of
// the section, where it covers nothing. Painted into a box of the painter's units, each a pixel
// of the window, with the painter's font for the scale's figures and the legend; nothing before
// a load.
namespace DiagramPicture {

// The height a box of this width needs to show the section across it with the scale's figures
// below in the font: the page crops the diagram to the section rather than leave empty space round
// it.
double heightFor(double width, const QFont &font, const Study &study,
    const QList<SectionOverlay> &overlays = {});
void paint(QPainter *painter, const QRectF &box, const Study &study,
    const QList<SectionOverlay> &overlays = {});

} // namespace DiagramPicture

#endif // LIFTWISE_DIAGRAMPICTURE_H
