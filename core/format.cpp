#include "format.h"

#include <QCommandLineParser>

#include <algorithm>
#include <cmath>

namespace Format {

double rounded(double v, int decimals)
{
    // Adding zero turns a -0.0 into 0.0, which a field shows without a sign.
    return QString::number(v, 'f', decimals).toDouble() + 0.0;
}

double fieldValue(double v, double minimum, double maximum, int decimals)
{
    return qBound(minimum, rounded(v, decimals), maximum);
}

QString fixed(double v, int decimals)
{
    // A value that rounds to zero is shown as zero, without the minus sign that -0.0004 or
    // -0.0 would keep.
    QString text = QString::number(v, 'f', decimals);
    if (text.startsWith(QLatin1Char('-'))
        && std::all_of(text.cbegin() + 1, text.cend(),
            [](QChar c) { return c == QLatin1Char('0') || c == QLatin1Char('.'); }))
        text.remove(0, 1);
    return text;
}

QString uncertainty(double e, int decimals)
{
    if (!(e > 0) || !std::isfinite(e))
        return fixed(e, decimals);
    // At most three places beyond the decimals: an error smaller still is the round-off of a
    // value that has none (a symmetric section's alpha0), and is given as that bound.
    const int finest = decimals + 3;
    const double bound = std::pow(10.0, -finest);
    if (e < bound)
        return fixed(bound, finest);
    // The decimals at which e's first significant digit shows, rounded.
    const int first = int(std::ceil(-std::log10(e) + 1e-12));
    int shown = std::clamp(first, decimals, finest);
    // Rounding up may carry the digit a place to the left: 0.0000096 shows as 0.00001.
    while (shown > decimals && QString::number(e, 'f', shown - 1).toDouble() != 0)
        --shown;
    return fixed(e, shown);
}

QString wrappingBetweenValues(const QString &line)
{
    QString kept = line;
    for (qsizetype i = 0; i < kept.size(); ++i) {
        if (kept.at(i) != QLatin1Char(' ') || i == 0)
            continue;
        const QChar before = kept.at(i - 1);
        // "-0.0841 to -0.0839 over 200–800 panels": a range, then the counts it spans.
        const bool beforeCounts = QStringView(kept).mid(i + 1).startsWith(QLatin1String("over "));
        if (before != QLatin1Char(',') && before != QLatin1Char(':') && before != QLatin1Char(';')
            && !beforeCounts)
            kept[i] = QChar::Nbsp;
    }
    // A text layout breaks after a dash too: "200–800 panels" is one value.
    kept.replace(QChar(0x2013), QStringLiteral("\u2013\u2060"));
    return kept;
}

QString range(double minimum, double maximum)
{
    return QStringLiteral("%1 to %2").arg(QString::number(minimum), QString::number(maximum));
}

QString range(double minimum, double maximum, int decimals)
{
    return QStringLiteral("%1 to %2").arg(fixed(minimum, decimals), fixed(maximum, decimals));
}

QString printable(const QString &text)
{
    QString shown = text;
    for (qsizetype i = 0; i < shown.size(); ++i) {
        const QChar c = shown.at(i);
        if (c.isHighSurrogate() && i + 1 < shown.size() && shown.at(i + 1).isLowSurrogate()) {
            ++i;
            continue;
        }
        if (c.isSurrogate() || (c.category() == QChar::Other_Control && c != QLatin1Char('\t')))
            shown[i] = QChar::ReplacementCharacter;
    }
    return shown;
}

QString helpText(const QCommandLineParser &parser, const QString &name)
{
    QString text = parser.helpText();
    text.replace(0, text.indexOf(QLatin1String(" [options]")), QStringLiteral("Usage: ") + name);
    return text;
}

QString versionText(const QString &name, const QString &version)
{
    return QStringLiteral("%1 %2\n"
                          "License GPL-3.0-or-later: GNU GPL version 3 or later "
                          "<https://www.gnu.org/licenses/gpl-3.0.html>.\n"
                          "This is free software: you are free to change and redistribute it.\n"
                          "There is NO WARRANTY, to the extent permitted by law.\n")
        .arg(name, version);
}

} // namespace Format
