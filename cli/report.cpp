// liftwise-cli report: the window's printable page as a PDF, without a display.

#include "command.h"
#include "reportpage.h"
#include "study.h"

#include <QDateTime>

namespace Cli {

int report(const QStringList &args)
{
    Command command(QStringLiteral("report"), QStringLiteral("FILE"),
        QStringLiteral("Writes the window's printable report of FILE at the given paneling as a "
                       "one-page A4 PDF: the coefficients, the geometry, the diagram, the "
                       "loading and the convergence plot."));
    command.addFileArgument();
    command.addPanelingOptions();
    command.parser.addOption({QStringLiteral("output"),
        QStringLiteral("The PDF to write (required; - for standard output)."),
        QStringLiteral("OUT.pdf")});
    if (const int status = command.parse(args); status != Continue)
        return status;
    const QString path = command.singleFile();
    if (path.isEmpty())
        return UsageError;
    Paneling paneling;
    if (!command.readPaneling(&paneling))
        return UsageError;
    const QString output = command.parser.value(QStringLiteral("output"));
    if (output.isEmpty())
        return command.usageError(QStringLiteral("--output OUT.pdf names the PDF to write"));

    // 1. The file, its extrapolation and every count of the convergence plot, as the window's
    //    study works them out but in the foreground, with no user's steps to give way to; waited
    //    for to the end: the page shows them whole, as the window's does once its plot is
    //    complete.
    Study study;
    study.setPaneling(paneling);
    study.convergence().setPriority(Convergence::Priority::Foreground);
    study.convergence().setSampling(true);
    study.convergence().setExtrapolating(true);
    if (!load(&study, path))
        return FileError;
    study.convergence().waitForFinished();

    // 2. The page, to standard output for "-", as every --output takes it.
    QString problem;
    if (output == QLatin1String("-")) {
        const QByteArray bytes = ReportPage::pdf(
            study, study.convergence().results(), QDateTime::currentDateTime(), &problem);
        if (problem.isEmpty())
            writeOut(bytes);
    } else {
        problem = ReportPage::writePdf(
            output, study, study.convergence().results(), QDateTime::currentDateTime());
    }
    if (!problem.isEmpty()) {
        tell({Study::Refusal::Unwritable, problem}, output);
        return FileError;
    }
    return Success;
}

} // namespace Cli
