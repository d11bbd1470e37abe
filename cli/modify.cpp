// liftwise-cli modify: Modify presses without a window, and the reshaped airfoil written out.

#include "command.h"
#include "report.h"
#include "study.h"

namespace Cli {

// The presses a modify without --presses makes at most.
constexpr int MaxUncountedPresses = 20;

namespace {

// "alpha0 = -4.467 deg, cm0 = -0.0597"
QString values(const Coefficients &c)
{
    return QStringLiteral("alpha0 = %1 deg, cm0 = %2")
        .arg(Format::fixed(degrees(c.alpha0), 3), Format::fixed(c.cm0, 4));
}

} // namespace

int modify(const QStringList &args)
{
    Command command(QStringLiteral("modify"), QStringLiteral("FILE"),
        QStringLiteral("Presses Modify towards the targets, at the reference paneling unless "
                       "another is given, until the reshaped section's own reference values "
                       "reach them, and writes it as an airfoil file; each press's alpha0 and "
                       "cm0, and the section's, go to standard error."));
    command.addFileArgument();
    command.addPanelingOptions(Paneling::reference());
    command.addModifyOptions(QString(),
        QStringLiteral("until the section's values are within 0.001 deg and 0.00001, at most %1")
            .arg(MaxUncountedPresses));
    command.parser.addOptions({
        {QStringLiteral("output"),
            QStringLiteral("Write the airfoil to OUT.dat instead of standard output (-)."),
            QStringLiteral("OUT.dat")},
    });
    if (const int status = command.parse(args); status != Continue)
        return status;
    const QString path = command.singleFile();
    if (path.isEmpty())
        return UsageError;
    const QCommandLineParser &options = command.parser;
    if (!options.isSet("alpha0") || !options.isSet("cm0"))
        return command.usageError(QStringLiteral("--alpha0 and --cm0 give the targets"));
    // The section is what is saved: its values are those of the reference paneling, and a
    // line paneled as the reference is reshapes the section most nearly as it reshapes itself.
    Paneling paneling = Paneling::reference();
    const bool counted = options.isSet("presses");
    int presses = MaxUncountedPresses;
    Targets targets;
    if (!command.readPaneling(&paneling) || !command.readModify(&targets, &presses))
        return UsageError;

    Study study;
    study.setPaneling(paneling);
    if (!load(&study, path))
        return FileError;
    // Counted presses aim at the targets, as the window's do. Otherwise each press aims past
    // them by what the section still misses, since the section's values differ a little from
    // the paneled line's, until the section's are within a hundredth of what is promised.
    Targets aim = targets;
    const Coefficients *section = nullptr;
    for (int k = 1; k <= presses; ++k) {
        if (!study.modify(aim).applied) {
            err() << QStringLiteral("liftwise-cli: press %1: the two shapes cannot reach these "
                                    "targets.\n")
                         .arg(k);
            return FileError;
        }
        section = study.reshapedReference();
        err() << QStringLiteral("press %1: %2").arg(k).arg(values(study.paneledCoefficients()))
              << (section ? QStringLiteral(", reference: ") + values(*section) : QString()) << '\n';
        if (!section || (!counted && targets.reachedBy(*section, radians(0.001), 1e-5)))
            break;
        if (!counted) {
            aim.alpha0 += targets.alpha0 - section->alpha0;
            aim.cm0 += targets.cm0 - section->cm0;
        }
    }
    if (section
        && !targets.reachedBy(
            *section, radians(Targets::ReachedAlpha0Degrees), Targets::ReachedCm0)) {
        err() << QStringLiteral("liftwise-cli modify: %1target not reached: %2\n")
                     .arg(counted ? QStringLiteral("warning: ") : QString(), values(*section));
        if (!counted)
            return FileError;
    }

    // Only what an open takes is written out, to a file or to standard output alike.
    const QString output = options.value(QStringLiteral("output"));
    const bool toStandardOutput = output.isEmpty() || output == QLatin1String("-");
    QByteArray text;
    Study::Refusal refusal = study.savedText(&text);
    if (!refusal && toStandardOutput)
        writeOut(text);
    else if (!refusal)
        refusal = study.save(output);
    if (refusal) {
        tell(refusal, toStandardOutput ? QStringLiteral("-") : output);
        return FileError;
    }
    return Success;
}

} // namespace Cli
