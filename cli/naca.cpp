// liftwise-cli naca and meanline: NACA sections from their closed forms as airfoil files.

#include "command.h"
#include "format.h"
#include "nacafamily.h"

namespace Cli {

namespace {

// The options both commands take: the point count and a closed trailing edge.
void addSectionOptions(Command *command)
{
    command->parser.addOptions({
        {QStringLiteral("points"),
            QStringLiteral("Number of points, odd, %1 (%2).")
                .arg(Format::range(NacaFamily::MinPoints, NacaFamily::MaxPoints))
                .arg(NacaFamily::DefaultPoints),
            QStringLiteral("N")},
        {QStringLiteral("closed-te"),
            QStringLiteral("Close the trailing edge (thickness coefficient -0.1036).")},
    });
}

// Writes the section at the points the options ask for; the exit status.
int writeSection(const Command &command, const NacaFamily::NamedSection &section)
{
    if (!section.isValid())
        return command.usageError(section.problem);
    int points = NacaFamily::DefaultPoints;
    if (!command.readInt(
            QStringLiteral("points"), NacaFamily::MinPoints, NacaFamily::MaxPoints, &points))
        return UsageError;
    if (!NacaFamily::isPointCount(points))
        return command.usageError(
            QStringLiteral("--points takes %1").arg(NacaFamily::pointCountRule()));
    writeOut(
        NacaFamily::fileText(section, points, command.parser.isSet(QStringLiteral("closed-te"))));
    return Success;
}

// "0 to 1": the range a value of the a-series section takes, as its help says it.
QString helpRange(const NacaFamily::Range &range)
{
    return Format::range(range.minimum, range.maximum);
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
    // No digits, or more than one argument, name no section either.
    const QStringList positional = command.parser.positionalArguments();
    return writeSection(
        command, NacaFamily::fromDigits(positional.size() == 1 ? positional.first() : QString()));
}

int meanline(const QStringList &args)
{
    using namespace NacaFamily;
    Command command(QStringLiteral("meanline"), QString(),
        QStringLiteral("Writes a section on a NACA a-series mean line, with the 4-digit "
                       "thickness law, as an airfoil file to standard output."));
    command.parser.addOptions({
        {QStringLiteral("a"),
            QStringLiteral("Where the uniform load ends, %1 (1: uniform to the trailing edge).")
                .arg(helpRange(LoadEndRange)),
            QStringLiteral("A")},
        {QStringLiteral("cl"),
            QStringLiteral("Design lift coefficient, %1 (%2).")
                .arg(helpRange(DesignLiftRange), QString::number(DefaultDesignLift)),
            QStringLiteral("CL")},
        {QStringLiteral("thickness"),
            QStringLiteral("Thickness in per cent of the chord, %1 (0: the mean line alone).")
                .arg(helpRange(ThicknessRange)),
            QStringLiteral("PCT")},
    });
    addSectionOptions(&command);
    if (const int status = command.parse(args); status != Continue)
        return status;
    if (!command.parser.positionalArguments().isEmpty())
        return command.usageError(QStringLiteral("meanline takes options only"));
    double loadEnd = DefaultLoadEnd;
    double designLift = DefaultDesignLift;
    double thickness = DefaultThickness;
    const auto read = [&](const QString &option, const Range &range, double *value) {
        return command.readNumber(option, range.minimum, range.maximum, range.decimals, value);
    };
    if (!read(QStringLiteral("a"), LoadEndRange, &loadEnd)
        || !read(QStringLiteral("cl"), DesignLiftRange, &designLift)
        || !read(QStringLiteral("thickness"), ThicknessRange, &thickness))
        return UsageError;
    return writeSection(command, aSeries(loadEnd, designLift, thickness));
}

} // namespace Cli
