#ifndef LIFTWISE_DIAGRAMEXPORT_H
#define LIFTWISE_DIAGRAMEXPORT_H

#include <QString>

QT_BEGIN_NAMESPACE
class QWidget;
QT_END_NAMESPACE

// Writes what the widget shows, with a line of caption below it, to path: an SVG drawing when
// the name ends in ".svg", else a PNG image at twice the widget's pixels. The file is replaced
// only once it is written whole, and only a regular file is replaced. Why it could not be
// written, or an empty string.
QString exportWidget(QWidget *widget, const QString &path, const QString &caption);

#endif // LIFTWISE_DIAGRAMEXPORT_H
