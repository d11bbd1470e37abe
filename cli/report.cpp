// liftwise-cli report: the window's printable page as a PDF, without a display.

#include "command.h"
#include "reportpage.h"
#include "study.h"

#include <QDateTime>

namespace Cli {

int report(const QStringList &args)
{
    Command command(QStringLiteral("report"), QStringLiteral("FILE"),
        QStringLiteral("Writes the window's printable report of FILE at the given paneling as an "
                       "A4 PDF of numbered pages: a title block, a note on the method, the "
                       "diagram, the coefficients with their error bars, the geometry, the "
                       "loading and the convergence plot, and the panel table."));
    command.addFileArgument();
    command.addPanelingOptions();
    command.parser.addOption({QStringLiteral("output"),
        QStringLiteral("The PDF to write (required; - for standard output)."),
        QStringLiteral("OUT.pdf")});
    command.parser.addOptions({
        {QStringLiteral("author"), QStringLiteral("The author the title block names."),
            QStringLiteral("NAME")},
        {QStringLiteral("course"), QStringLiteral("The course the title block names."),
            QStringLiteral("NAME")},
    });
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

    // 2. The pages, to standard output for "-", as every --output takes it.
    ReportPage::Contents contents;
    contents.study = &study;
    contents.convergence = study.convergence().results();
    contents.when = QDateTime::currentDateTime();
    contents.author = command.parser.value(QStringLiteral("author")).trimmed();
    contents.course = command.parser.value(QStringLiteral("course")).trimmed();
    QString problem;
    if (output == QLatin1String("-")) {
        const QByteArray bytes = ReportPage::pdf(contents, &problem);
        if (problem.isEmpty())
            writeOut(bytes);
    } else {
        problem = ReportPage::writePdf(output, contents);
    }
    if (!problem.isEmpty()) {
        tell({Study::Refusal::Unwritable, problem}, output);
        return FileError;
    }
    return Success;
}

} // namespace Cli
