#include "nacafamily.h"

#include "format.h"

#include <QRegularExpression>

#include <cmath>

namespace NacaFamily {

namespace {

NamedSection refused(const QString &problem)
{
    NamedSection section;
    section.problem = problem;
    return section;
}

// Fixed six decimals, without a "-0.000000".
QByteArray coordinate(double v)
{
    const double rounded = std::round(v * 1e6) / 1e6 + 0.0;
    return QString::asprintf("%9.6f", rounded == 0.0 ? 0.0 : rounded).toLatin1();
}

double taken(double v, const Range &range)
{
    return Format::fieldValue(v, range.minimum, range.maximum, range.decimals);
}

} // namespace

bool isPointCount(int points)
{
    return points >= MinPoints && points <= MaxPoints && points % 2 == 1;
}

QString pointCountRule()
{
    return QStringLiteral("an odd number from %1").arg(Format::range(MinPoints, MaxPoints));
}

NamedSection fromDigits(const QString &digits)
{
    if (!QRegularExpression(QStringLiteral("^\\d{4,5}$")).match(digits).hasMatch())
        return refused(
            QStringLiteral("DIGITS takes four digits, such as 2412, or five, such as 23012"));
    NamedSection section;
    section.title = QStringLiteral("NACA ") + digits;
    section.thickness = digits.right(2).toInt() / 100.0;
    // Thickness 00 is the mean line alone, on both surfaces: the section theory speaks of.
    if (section.thickness >= 0.4)
        return refused(QStringLiteral("the thickness (last two digits) must be below 40"));
    const auto digit = [&](int i) { return digits.mid(i, 1).toInt(); };
    if (digits.size() == 5) {
        section.meanLine = fiveDigitMeanLine(digit(0), digit(1), digit(2));
        if (!section.meanLine.y)
            return refused(QStringLiteral("the first three of five digits name a 5-digit mean "
                                          "line: design lift 1 to 9, position 1 to 5 and 0, or "
                                          "2 to 5 and 1 for a reflexed one (230, 231)"));
        return section;
    }
    const double m = digit(0) / 100.0;
    const double p = digit(1) / 10.0;
    if ((m > 0) != (p > 0))
        return refused(QStringLiteral("a cambered section needs both camber and its position "
                                      "(first two digits)"));
    section.meanLine = fourDigitMeanLine(m, p);
    return section;
}

NamedSection aSeries(double loadEnd, double designLift, double thicknessPercent)
{
    loadEnd = taken(loadEnd, LoadEndRange);
    designLift = taken(designLift, DesignLiftRange);
    thicknessPercent = taken(thicknessPercent, ThicknessRange);
    NamedSection section;
    section.title = QStringLiteral("NACA a=%1 mean line, cl %2, thickness %3 %")
                        .arg(Format::fixed(loadEnd, LoadEndRange.decimals),
                            Format::fixed(designLift, DesignLiftRange.decimals),
                            Format::fixed(thicknessPercent, ThicknessRange.decimals));
    section.meanLine = aSeriesMeanLine(loadEnd, designLift);
    section.thickness = thicknessPercent / 100.0;
    return section;
}

QByteArray fileText(const NamedSection &section, int points, bool closedTrailingEdge)
{
    if (!section.isValid() || !isPointCount(points))
        return QByteArray();
    const NacaSection contour
        = nacaSection(section.meanLine, section.thickness, (points + 1) / 2, closedTrailingEdge);
    QByteArray text = section.title.toUtf8() + '\n';
    for (size_t i = 0; i < contour.x.size(); ++i)
        text += coordinate(contour.x[i]) + ' ' + coordinate(contour.y[i]) + '\n';
    return text;
}

} // namespace NacaFamily
