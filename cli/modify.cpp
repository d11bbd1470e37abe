// liftwise-cli modify: Modify presses without a window, and the reshaped airfoil written out.

#include "command.h"
#include "report.h"
#include "study.h"

namespace Cli {

namespace {

// "alpha0 = -4.467 deg, cm0 = -0.0597"
QString values(const Coefficients &c)
{
    return QStringLiteral("alpha0 = %1 deg, cm0 = %2")
        .arg(Format::fixed(degrees(c.alpha0), 3), Format::fixed(c.cm0, 4));
}

using Pressed = std::function<bool(int, const Coefficients &, const Coefficients *)>;

// "press 2: paneled line (200 panels): alpha0 = ...; reshaped section: alpha0 = ...", on
// standard error.
bool tellPress(int panels, int press, const Coefficients &line, const Coefficients *section)
{
    err() << QStringLiteral("press %1: %2: %3")
                 .arg(press)
                 .arg(Report::paneledLine(panels), values(line))
          << (section ? QStringLiteral("; %1: %2").arg(Report::reshapedSection(), values(*section))
                      : QString())
          << '\n';
    return true;
}

// Presses Modify towards the targets themselves, told press by press, until the count or a
// section an open would refuse; false where the two shapes cannot reach them.
bool pressCounted(Study *study, const Targets &targets, int presses, const Pressed &tell)
{
    for (int k = 1; k <= presses; ++k) {
        if (!study->modify(targets).applied) {
            err() << QStringLiteral("liftwise-cli: press %1: the two shapes cannot reach these "
                                    "targets.\n")
                         .arg(k);
            return false;
        }
        tell(k, study->paneledCoefficients(), study->reshapedReference());
        if (!study->reshapedReference())
            break;
    }
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
    // Counted presses aim at the targets, as the window's Modify does. Otherwise the study
    // presses until the section's own values reach them, as the window's Reach Targets does.
    const Pressed told = [&](int k, const Coefficients &line, const Coefficients *section) {
        return tellPress(paneling.panels, k, line, section);
    };
    if (counted && !pressCounted(&study, targets, presses, told))
        return FileError;
    if (!counted)
        study.reachTargets(targets, paneling, presses, told);
    // A section an open would refuse is said so below, as it is not written.
    const Coefficients &section = study.section()->referenceCoefficients;
    if ((study.presses().empty() || study.reshapedSection())
        && !targets.reachedBy(
            section, radians(Targets::ReachedAlpha0Degrees), Targets::ReachedCm0)) {
        err() << QStringLiteral("liftwise-cli modify: %1target not reached: %2\n")
                     .arg(counted ? QStringLiteral("warning: ") : QString(), values(section));
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
