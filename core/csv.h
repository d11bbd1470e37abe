#ifndef LIFTWISE_CSV_H
#define LIFTWISE_CSV_H

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

// The one way Liftwise writes CSV (RFC 4180), from the window and from liftwise-cli alike: every
// record ended by CR LF, numbers with a '.' whatever the locale, as the shortest text that reads
// back as the very same double, and text fields made safe for a spreadsheet.
namespace Csv {

// The shortest text that reads back as the very same double.
QString number(double v);
// A text field as a spreadsheet opens it safely: one it would take for a formula (starting with
// =, +, -, @, a tab or CR) starts with a quote mark, control characters are shown as U+FFFD,
// and it is quoted when it holds a comma, a quote or a line break.
QString text(const QString &text);
// One record of fields already made by number() or text() (or whole counts), with its CR LF.
QString record(const QStringList &fields);
// The header (text fields) and the rows (fields made by number() or text()) as UTF-8.
QByteArray table(const QStringList &header, const QList<QStringList> &rows);

} // namespace Csv

#endif // LIFTWISE_CSV_H
