#ifndef LIFTWISE_REPORTPAGE_H
#define LIFTWISE_REPORTPAGE_H

#include "coefficients.h"
#include "comparison.h"
#include "sectionoverlay.h"

#include <QDateTime>
#include <QList>
#include <QMap>
#include <QString>

QT_BEGIN_NAMESPACE
class QPagedPaintDevice;
QT_END_NAMESPACE

class Study;

// A study as a report on A4 pages, portrait, the same from the window and from liftwise-cli,
// to be handed in: a title block with the author and the course, a note on the method, the
// diagram cropped to the section, the coefficients of the section as loaded and reshaped with
// their error bars and of the paneled line, the section's geometry, the loading and the
// convergence plot, the Modify presses as a table, the panel table of the user's paneling, and
// a page comparing the other visible sections where there are any. Each page is numbered
// "page 1 of N".
namespace ReportPage {

struct Contents
{
    const Study *study = nullptr;
    // The convergence plot's counts, worked out for the study's densities and presses.
    QMap<int, Coefficients> convergence;
    QDateTime when;
    // Who hands it in and for what; a line to write on where there is none.
    QString author;
    QString course;
    // The other visible sections, drawn beneath the study in their colours, and the table of
    // all of them: the comparison page, where there are other sections.
    QList<SectionOverlay> others;
    Comparison comparison;
};

// Paints the report on the device, set to A4 (a PDF writer or a printer), a page after
// another; false before a load and when the device cannot be painted on.
bool paint(QPagedPaintDevice *device, const Contents &contents);
// The report as a PDF document, or why it cannot be drawn.
QByteArray pdf(const Contents &contents, QString *problem);
// Writes the report as a PDF to path, replacing the file there only once it is written whole
// and only if it is a regular file. Why it could not be written, or an empty string.
QString writePdf(const QString &path, const Contents &contents);
// How many pages the report takes.
int pageCount(const Contents &contents);

} // namespace ReportPage

#endif // LIFTWISE_REPORTPAGE_H
