#include "csv.h"

#include "format.h"

#include <QLocale>
#include <QRegularExpression>

namespace Csv {

QString number(double v) { return QString::number(v, 'g', QLocale::FloatingPointShortest); }

QString text(const QString &text)
{
    static const QRegularExpression formula(QStringLiteral("^[=+\\-@\\t\\r]"));
    static const QRegularExpression special(QStringLiteral("[,\"\r\n]"));
    QString cell = Format::printable(text.contains(formula) ? QLatin1Char('\'') + text : text);
    if (!cell.contains(special))
        return cell;
    return QLatin1Char('"') + cell.replace(QLatin1Char('"'), QStringLiteral("\"\""))
        + QLatin1Char('"');
}

QString record(const QStringList &fields)
{
    return fields.join(QLatin1Char(',')) + QLatin1String("\r\n");
}

QByteArray table(const QStringList &header, const QList<QStringList> &rows)
{
    QStringList names;
    for (const QString &name : header)
        names << text(name);
    QString all = record(names);
    for (const QStringList &row : rows)
        all += record(row);
    return all.toUtf8();
}

} // namespace Csv
