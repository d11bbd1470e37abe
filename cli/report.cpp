// liftwise-cli report: the window's printable page as a PDF, without a display.

#include "command.h"
#include "convergence.h"
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
    command.parser.addPositionalArgument(
        QStringLiteral("FILE"), QStringLiteral("Airfoil file (- for standard input)."));
    command.addPanelingOptions();
    command.parser.addOption({QStringLiteral("output"),
        QStringLiteral("The PDF to write (required)."), QStringLiteral("OUT.pdf")});
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

    // 1. The file, its extrapolation and every count of the convergence plot, worked out to the
    //    end: the page shows them whole, as the window's does once its plot is complete.
    Study study;
    study.setPaneling(paneling);
    study.setExtrapolating(true);
    if (!load(&study, path))
        return FileError;
    study.waitForExtrapolation();
    Convergence run(Convergence::Priority::Foreground);
    run.start(study, Convergence::sampledCounts(paneling.panels), paneling);
    run.waitForFinished();
    QMap<int, Coefficients> convergence;
    for (int i = 0; i < run.counts().size(); ++i)
        convergence.insert(run.counts().at(i), run.resultAt(i));

    // 2. The page.
    const QString problem
        = ReportPage::writePdf(output, study, convergence, QDateTime::currentDateTime());
    if (!problem.isEmpty()) {
        tell({Study::Refusal::Unwritable, problem}, output);
        return FileError;
    }
    return Success;
}

} // namespace Cli
