// liftwise-cli naca: a NACA 4-digit section as an airfoil file.

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

} // namespace

int naca(const QStringList &args)
{
    Command command(QStringLiteral("naca"), QStringLiteral("DIGITS"),
        QStringLiteral("Writes a NACA 4-digit section (e.g. 2412) as an airfoil file to standard "
                       "output, from the trailing edge over the upper surface to the leading edge "
                       "and back."));
    command.parser.addPositionalArgument(
        QStringLiteral("DIGITS"), QStringLiteral("Four digits: camber, its position, thickness."));
    // A section needs a leading edge and two points on each side of it, and a file no more
    // points than an open takes.
    const QString range = Format::range(MinPoints, AirfoilData::MaxPoints);
    command.parser.addOptions({
        {QStringLiteral("points"), QStringLiteral("Number of points, odd, %1 (121).").arg(range),
            QStringLiteral("N")},
        {QStringLiteral("closed-te"),
            QStringLiteral("Close the trailing edge (thickness coefficient -0.1036).")},
    });
    if (const int status = command.parse(args); status != Continue)
        return status;
    const QStringList positional = command.parser.positionalArguments();
    const QString digits = positional.value(0);
    if (positional.size() != 1
        || !QRegularExpression(QStringLiteral("^\\d{4}$")).match(digits).hasMatch())
        return command.usageError(QStringLiteral("DIGITS takes four digits, such as 2412"));
    const double m = digits.mid(0, 1).toInt() / 100.0;
    const double p = digits.mid(1, 1).toInt() / 10.0;
    const double t = digits.mid(2, 2).toInt() / 100.0;
    if ((m > 0) != (p > 0))
        return command.usageError(
            QStringLiteral("a cambered section needs both camber and its position (first two "
                           "digits)"));
    // Thickness 00 is the mean line alone, on both surfaces: the section theory speaks of.
    if (t >= 0.4)
        return command.usageError(
            QStringLiteral("the thickness (last two digits) must be below 40"));
    int points = 121;
    if (!command.readInt(QStringLiteral("points"), MinPoints, AirfoilData::MaxPoints, &points))
        return UsageError;
    if (points % 2 == 0)
        return command.usageError(
            QStringLiteral("--points takes an odd number from %1").arg(range));

    const NacaSection section = nacaFourDigit(
        m, p, t, (points + 1) / 2, command.parser.isSet(QStringLiteral("closed-te")));
    out() << "NACA " << digits << '\n';
    for (size_t i = 0; i < section.x.size(); ++i)
        out() << coordinate(section.x[i]) << ' ' << coordinate(section.y[i]) << '\n';
    return Success;
}

} // namespace Cli
