// liftwise-cli modify: Modify presses without a window, and the reshaped airfoil written out.

#include "command.h"
#include "report.h"
#include "study.h"

namespace Cli {

int modify(const QStringList &args)
{
    Command command(QStringLiteral("modify"), QStringLiteral("FILE"),
        QStringLiteral("Presses Modify at the given paneling towards the targets and writes the "
                       "reshaped airfoil as an airfoil file; each press's reached alpha0 and cm0 "
                       "go to standard error."));
    command.parser.addPositionalArgument(
        QStringLiteral("FILE"), QStringLiteral("Airfoil file (- for standard input)."));
    command.addPanelingOptions();
    command.addModifyOptions(QString());
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
    Paneling paneling;
    int presses = 1;
    Targets targets;
    if (!command.readPaneling(&paneling) || !command.readModify(&targets, &presses))
        return UsageError;

    Study study;
    study.setPaneling(paneling);
    if (!load(&study, path))
        return FileError;
    for (int k = 1; k <= presses; ++k) {
        if (!study.modify(targets).applied) {
            err() << QStringLiteral("liftwise-cli: press %1: the two shapes cannot reach these "
                                    "targets.\n")
                         .arg(k);
            return FileError;
        }
        const Coefficients &reached = study.paneledCoefficients();
        err() << QStringLiteral("press %1: alpha0 = %2 deg, cm0 = %3\n")
                     .arg(QString::number(k), Format::fixed(degrees(reached.alpha0), 3),
                         Format::fixed(reached.cm0, 4));
    }

    // Only what an open takes is written out, to a file or to standard output alike.
    const QString output = options.value(QStringLiteral("output"));
    const bool toStandardOutput = output.isEmpty() || output == QLatin1String("-");
    const QByteArray text = study.airfoilText();
    Study::Refusal refusal = study.readBack(text);
    if (refusal)
        refusal.kind = Study::Refusal::WouldBeRefused;
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
