// liftwise-cli modify: Modify presses without a window, and the reshaped airfoil written out.

#include "command.h"
#include "pressing.h"
#include "report.h"
#include "study.h"

namespace Cli {

namespace {

// "press 2: paneled line (200 panels): alpha0 = ...; reshaped section: alpha0 = ...", on
// standard error.
bool tellPress(int panels, int press, const Coefficients &line, const Coefficients *section)
{
    err() << QStringLiteral("press %1: %2: %3")
                 .arg(press)
                 .arg(Report::paneledLine(panels), Pressing::values(line))
          << (section ? QStringLiteral("; %1: %2")
                            .arg(Report::reshapedSection(), Pressing::values(*section))
                      : QString())
          << '\n';
    return true;
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
        QStringLiteral("until the section's values are within %1 deg and %2, at most %3")
            .arg(Study::ReachAlpha0Degrees)
            .arg(Study::ReachCm0, 0, 'f', 5)
            .arg(Study::ReachPresses));
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
    int presses = Study::ReachPresses;
    Targets targets;
    if (!command.readPaneling(&paneling) || !command.readModify(&targets, &presses))
        return UsageError;

    Study study;
    study.setPaneling(paneling);
    if (!load(&study, path))
        return FileError;
    const Pressing::Pressed told
        = [&](int k, const Coefficients &line, const Coefficients *section) {
              return tellPress(paneling.panels, k, line, section);
          };
    const Pressing::Outcome outcome = Pressing::press(&study, targets, counted ? presses : 0, told);
    if (outcome.unreachable) {
        err() << QStringLiteral("liftwise-cli: %1.\n")
                     .arg(Pressing::unreachableText(outcome.unreachable));
        return FileError;
    }
    // A section an open would refuse is said so below, as it is not written.
    if (outcome.missed) {
        err() << QStringLiteral("liftwise-cli modify: %1%2\n")
                     .arg(counted ? QStringLiteral("warning: ") : QString(),
                         Pressing::missedText(outcome.section));
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
