// liftwise-cli naca and meanline: NACA sections from their closed forms as airfoil files.

#include "naca.h"

#include "airfoilfile.h"
#include "command.h"
#include "format.h"

#include <QRegularExpression>

#include <cmath>

namespace Cli {

namespace {

constexpr int MinPoints = 5;

// Fixed six decimals, without a "-0.000000".
QString coordinate(double v)
{
    const double rounded = std::round(v * 1e6) / 1e6 + 0.0;
    return QString::asprintf("%9.6f", rounded == 0.0 ? 0.0 : rounded);
}

// The options both commands take: the point count and a closed trailing edge.
void addSectionOptions(Command *command)
{
    // A section needs a leading edge and two points on each side of it, and a file no more
    // points than an open takes.
    const QString range = Format::range(MinPoints, AirfoilData::MaxPoints);
    command->parser.addOptions({
        {QStringLiteral("points"), QStringLiteral("Number of points, odd, %1 (121).").arg(range),
            QStringLiteral("N")},
        {QStringLiteral("closed-te"),
            QStringLiteral("Close the trailing edge (thickness coefficient -0.1036).")},
    });
}

// Writes the mean line with the 4-digit thickness law at the points the options ask for, under
// the title; the exit status.
int writeSection(
    const Command &command, const QString &title, const MeanLine &meanLine, double thickness)
{
    int points = 121;
    if (!command.readInt(QStringLiteral("points"), MinPoints, AirfoilData::MaxPoints, &points))
        return UsageError;
    if (points % 2 == 0)
        return command.usageError(QStringLiteral("--points takes an odd number from %1")
                                      .arg(Format::range(MinPoints, AirfoilData::MaxPoints)));
    const NacaSection section = nacaSection(
        meanLine, thickness, (points + 1) / 2, command.parser.isSet(QStringLiteral("closed-te")));
    out() << title << '\n';
    for (size_t i = 0; i < section.x.size(); ++i)
        out() << coordinate(section.x[i]) << ' ' << coordinate(section.y[i]) << '\n';
    return Success;
}

} // namespace

int naca(const QStringList &args)
{
    Command command(QStringLiteral("naca"), QStringLiteral("DIGITS"),
        QStringLiteral("Writes a NACA 4-digit (e.g. 2412) or 5-digit (e.g. 23012, reflexed 23112) "
                       "section as an airfoil file to standard output, from the trailing edge "
                       "over the upper surface to the leading edge and back."));
    command.parser.addPositionalArgument(QStringLiteral("DIGITS"),
        QStringLiteral("Four digits: camber, its position, thickness; or five: design lift, "
                       "position, reflex, thickness."));
    addSectionOptions(&command);
    if (const int status = command.parse(args); status != Continue)
        return status;
    const QStringList positional = command.parser.positionalArguments();
    const QString digits = positional.value(0);
    if (positional.size() != 1
        || !QRegularExpression(QStringLiteral("^\\d{4,5}$")).match(digits).hasMatch())
        return command.usageError(
            QStringLiteral("DIGITS takes four digits, such as 2412, or five, such as 23012"));
    const int five = digits.size() == 5;
    const double t = digits.right(2).toInt() / 100.0;
    // Thickness 00 is the mean line alone, on both surfaces: the section theory speaks of.
    if (t >= 0.4)
        return command.usageError(
            QStringLiteral("the thickness (last two digits) must be below 40"));
    MeanLine meanLine;
    if (five) {
        meanLine = fiveDigitMeanLine(
            digits.mid(0, 1).toInt(), digits.mid(1, 1).toInt(), digits.mid(2, 1).toInt());
        if (!meanLine.y)
            return command.usageError(
                QStringLiteral("the first three of five digits name a 5-digit mean line: "
                               "design lift 1 to 9, position 1 to 5 and 0, or 2 to 5 and 1 "
                               "for a reflexed one (230, 231)"));
    } else {
        const double m = digits.mid(0, 1).toInt() / 100.0;
        const double p = digits.mid(1, 1).toInt() / 10.0;
        if ((m > 0) != (p > 0))
            return command.usageError(
                QStringLiteral("a cambered section needs both camber and its position (first "
                               "two digits)"));
        meanLine = fourDigitMeanLine(m, p);
    }
    return writeSection(command, QStringLiteral("NACA ") + digits, meanLine, t);
}

int meanline(const QStringList &args)
{
    Command command(QStringLiteral("meanline"), QString(),
        QStringLiteral("Writes a section on a NACA a-series mean line, with the 4-digit "
                       "thickness law, as an airfoil file to standard output."));
    command.parser.addOptions({
        {QStringLiteral("a"),
            QStringLiteral("Where the uniform load ends, 0 to 1 (1: uniform to the trailing "
                           "edge)."),
            QStringLiteral("A")},
        {QStringLiteral("cl"), QStringLiteral("Design lift coefficient, -2 to 2 (0.4)."),
            QStringLiteral("CL")},
        {QStringLiteral("thickness"),
            QStringLiteral("Thickness in per cent of the chord, 0 to 39.99 (0: the mean line "
                           "alone)."),
            QStringLiteral("PCT")},
    });
    addSectionOptions(&command);
    if (const int status = command.parse(args); status != Continue)
        return status;
    if (!command.parser.positionalArguments().isEmpty())
        return command.usageError(QStringLiteral("meanline takes options only"));
    double a = 1.0;
    double cl = 0.4;
    double thickness = 0.0;
    if (!command.readNumber(QStringLiteral("a"), 0.0, 1.0, 3, &a)
        || !command.readNumber(QStringLiteral("cl"), -2.0, 2.0, 3, &cl)
        || !command.readNumber(QStringLiteral("thickness"), 0.0, 39.99, 2, &thickness))
        return UsageError;
    const QString title
        = QStringLiteral("NACA a=%1 mean line, cl %2, thickness %3 %")
              .arg(Format::fixed(a, 3), Format::fixed(cl, 3), Format::fixed(thickness, 2));
    return writeSection(command, title, aSeriesMeanLine(a, cl), thickness / 100.0);
}

} // namespace Cli
