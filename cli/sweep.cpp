// liftwise-cli sweep: the coefficients over a range of panel counts, as CSV.

#include "command.h"
#include "convergence.h"
#include "csv.h"
#include "study.h"

#include <QElapsedTimer>

#include <unistd.h>

namespace Cli {

int sweep(const QStringList &args)
{
    Command command(QStringLiteral("sweep"), QStringLiteral("FILE"),
        QStringLiteral("CSV of the six coefficients (angles in degrees) for each panel count, "
                       "with the difference of alpha0 and cm0 from the 200-panel reference."));
    command.addFileArgument();
    command.addPanelingOptions(Paneling(), true);
    if (const int status = command.parse(args); status != Continue)
        return status;
    const QString path = command.singleFile();
    if (path.isEmpty())
        return UsageError;
    // 1. FROM:TO[:STEP], or a single count.
    const QStringList range = command.parser.value(QStringLiteral("panels")).split(':');
    QList<int> counts;
    bool ok = range.size() <= 3;
    for (const QString &part : range)
        counts << (ok ? part.toInt(&ok) : 0);
    const int from = counts.value(0);
    const int to = counts.value(1, from);
    const int step = counts.value(2, 1);
    if (!ok || from < Paneling::MinPanels || to > Paneling::MaxPanels || from > to || step < 1)
        return command.usageError(
            QStringLiteral("--panels takes FROM:TO[:STEP] or N, with %1 <= FROM <= TO <= %2 and "
                           "STEP >= 1")
                .arg(Paneling::MinPanels)
                .arg(Paneling::MaxPanels));
    Paneling paneling;
    if (!command.readDensities(&paneling))
        return UsageError;

    Study study;
    if (!load(&study, path))
        return FileError;

    // 2. One row a count, worked out on every core and written in order as each row and
    //    those before it are done. Long sweeps say how far they are, but only to a person
    //    watching.
    QList<int> panels;
    for (int count = from; count <= to; count += step)
        panels << count;
    Convergence rows(Convergence::Priority::Foreground);
    rows.start(study, panels, paneling);
    const Coefficients &reference = study.referenceCoefficients();
    out() << Csv::record({"panels", "cl0", "alpha0_deg", "cm0", "dclda", "alphaSF_deg", "clSF",
        "alpha0_minus_ref_deg", "cm0_minus_ref"});
    const bool showProgress = isatty(STDERR_FILENO);
    QElapsedTimer clock;
    clock.start();
    bool progressShown = false;
    for (int row = 0; row < panels.size(); ++row) {
        const Coefficients c = rows.resultAt(row);
        using Csv::number;
        out() << Csv::record(
            {QString::number(panels.at(row)), number(c.cl0), number(degrees(c.alpha0)),
                number(c.cm0), number(c.dclda), number(degrees(c.alphaSF)), number(c.clSF),
                number(degrees(c.alpha0 - reference.alpha0)), number(c.cm0 - reference.cm0)});
        if (showProgress && clock.elapsed() > 1000) {
            out().flush();
            err() << QStringLiteral("\rsweep: %1 panels, row %2 of %3 ")
                         .arg(panels.at(row))
                         .arg(row + 1)
                         .arg(panels.size());
            err().flush();
            progressShown = true;
        }
    }
    if (progressShown)
        err() << "\rsweep: done" << QString(30, QLatin1Char(' ')) << '\n';
    return Success;
}

} // namespace Cli
