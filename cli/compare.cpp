// liftwise-cli compare: several sections side by side, each value beside its difference from a
// baseline's, as a table, CSV or JSON.

#include "command.h"
#include "comparison.h"
#include "format.h"
#include "study.h"

#include <QJsonDocument>

#include <memory>
#include <vector>

namespace Cli {

int compare(const QStringList &args)
{
    Command command(QStringLiteral("compare"), QStringLiteral("FILE..."),
        QStringLiteral("The sections of the files side by side, each value beside its difference "
                       "from the baseline's: the 200-panel reference values (angles in "
                       "degrees), their extrapolation, the geometry (in per cent of the chord "
                       "in the table, in chords in CSV and JSON) and, with a paneling given, "
                       "the paneled line's values."));
    command.parser.addPositionalArgument(QStringLiteral("FILE"),
        QStringLiteral("Airfoil files (- for standard input)."), QStringLiteral("FILE..."));
    command.addPanelingOptions();
    command.parser.addOptions({
        {QStringLiteral("baseline"),
            QStringLiteral("The file, as given, the differences are taken from (the first)."),
            QStringLiteral("FILE")},
        {QStringLiteral("json"),
            QStringLiteral("One JSON document at full precision instead of the table.")},
        {QStringLiteral("csv"), QStringLiteral("The table as CSV at full precision instead.")},
    });
    if (const int status = command.parse(args); status != Continue)
        return status;
    const QCommandLineParser &options = command.parser;
    const QStringList files = options.positionalArguments();
    if (files.isEmpty())
        return command.usageError(noFileGiven());
    if (options.isSet("json") && options.isSet("csv"))
        return command.usageError(QStringLiteral("--json and --csv: one or the other"));
    Paneling paneling;
    if (!command.readPaneling(&paneling))
        return UsageError;
    int baseline = 0;
    if (options.isSet("baseline")) {
        baseline = int(files.indexOf(options.value("baseline")));
        if (baseline < 0)
            return command.usageError(QStringLiteral("--baseline names none of the files given: %1")
                                          .arg(Format::printable(options.value("baseline"))));
    }
    // The paneled line's values are shown for the paneling asked for, not for the default one.
    const bool paneled = options.isSet("panels") || options.isSet("le") || options.isSet("te");

    // All files share the reference and the paneling: one inversion of each serves them all.
    // Every file is loaded before any extrapolation is waited for, so that theirs run at once.
    const auto inverses = std::make_shared<InverseCache>();
    std::vector<std::unique_ptr<Study>> studies;
    QList<Study::Refusal> refusals;
    for (const QString &path : files) {
        auto study = std::make_unique<Study>(inverses);
        study->setPaneling(paneling);
        study->convergence().setExtrapolating(true);
        Study::Refusal refusal;
        load(study.get(), path, &refusal);
        refusals << refusal;
        studies.push_back(std::move(study));
    }
    Comparison comparison(paneled ? std::optional<Paneling>(paneling) : std::nullopt);
    bool allTaken = true;
    for (size_t i = 0; i < studies.size(); ++i) {
        const QString &path = files.at(qsizetype(i));
        if (const Study::Refusal &refusal = refusals.at(qsizetype(i))) {
            comparison.appendRefused(path, refusal.reason);
            allTaken = false;
            continue;
        }
        studies[i]->convergence().waitForExtrapolation();
        comparison.append(path, *studies[i]);
    }
    comparison.setBaseline(baseline);

    if (options.isSet("csv"))
        writeOut(comparison.csv());
    else if (options.isSet("json"))
        out() << QJsonDocument(comparison.json()).toJson(QJsonDocument::Indented);
    else
        out() << comparison.alignedText();
    return allTaken ? Success : FileError;
}

} // namespace Cli
