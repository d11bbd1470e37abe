#ifndef LIFTWISE_REPORTPAGE_H
#define LIFTWISE_REPORTPAGE_H

#include "coefficients.h"

#include <QDateTime>
#include <QMap>
#include <QString>

QT_BEGIN_NAMESPACE
class QPainter;
class QPagedPaintDevice;
QT_END_NAMESPACE

class Study;

// A study on one printed A4 page, portrait, the same from the window and from liftwise-cli: the
// title, the file's path, the date and Liftwise's version, the paneling; the coefficients of the
// reference line (with their extrapolation where it is done) and of the paneled line, and the
// section's geometry, as the panels word them; the diagram, the loading plot and the convergence
// plot of the counts given; and the Modify presses, if any, with what each reached.
namespace ReportPage {

// Paints the page on the device, set to A4 (a PDF writer or a printer); false before a load and
// when the device cannot be painted on.
bool paint(QPagedPaintDevice *device, const Study &study,
    const QMap<int, Coefficients> &convergence, const QDateTime &when);
// The page as a PDF document, or why it cannot be drawn.
QByteArray pdf(const Study &study, const QMap<int, Coefficients> &convergence,
    const QDateTime &when, QString *problem);
// Writes the page as a PDF to path, replacing the file there only once it is written whole and
// only if it is a regular file. Why it could not be written, or an empty string.
QString writePdf(const QString &path, const Study &study,
    const QMap<int, Coefficients> &convergence, const QDateTime &when);

} // namespace ReportPage

#endif // LIFTWISE_REPORTPAGE_H
