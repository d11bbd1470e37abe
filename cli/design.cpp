// liftwise-cli design: operations on a whole section, in the order given, and the result
// written as an airfoil file.

#include "command.h"
#include "filesystem.h"
#include "format.h"
#include "sectionoperation.h"
#include "study.h"

#include <QJsonObject>

#include <cmath>

namespace Cli {

namespace {

struct Option
{
    SectionOperation::Kind kind;
    QString value;
};

// The operations in the order the arguments give them, as --name VALUE or --name=VALUE.
QList<Option> optionsIn(const QStringList &args)
{
    QList<Option> options;
    for (qsizetype i = 0; i < args.size(); ++i) {
        for (const SectionOperation::Kind kind : SectionOperation::Kinds) {
            const QString option = QStringLiteral("--") + SectionOperation::option(kind);
            if (args.at(i) == option && i + 1 < args.size())
                options.append({kind, args.at(++i)});
            else if (args.at(i).startsWith(option + QLatin1Char('=')))
                options.append({kind, args.at(i).mid(option.size() + 1)});
        }
    }
    return options;
}

// Writes the text to the file at output, or to standard output for none or "-"; the status.
int written(const QByteArray &text, const QString &output)
{
    if (output.isEmpty() || output == QLatin1String("-")) {
        writeOut(text);
    } else if (const QString problem = FileSystem::saveFile(output, text); !problem.isEmpty()) {
        tell({Study::Refusal::Unwritable, problem}, output);
        return FileError;
    }
    return Success;
}

// "0.5 to 0.95", from the operation's own bounds.
QString rangeText(const SectionOperation::Range &range)
{
    return QStringLiteral("%1 to %2").arg(range.minimum).arg(range.maximum);
}

// The operations' options, and --output.
void addDesignOptions(Command *command)
{
    using Op = SectionOperation;
    command->parser.addOptions({
        {Op::option(Op::Flap),
            QStringLiteral("Deflect a flap hinged at XH (%1 of the chord) by DEG degrees (%2), "
                           "positive trailing edge down.")
                .arg(rangeText(Op::range(Op::Flap)), rangeText(Op::deflectionRange())),
            QStringLiteral("XH,DEG")},
        {Op::option(Op::ScaleCamber),
            QStringLiteral("Scale the camber by K, %1, the thickness kept.")
                .arg(rangeText(Op::range(Op::ScaleCamber))),
            QStringLiteral("K")},
        {Op::option(Op::ScaleThickness),
            QStringLiteral("Scale the thickness by K, %1, the camber kept.")
                .arg(rangeText(Op::range(Op::ScaleThickness))),
            QStringLiteral("K")},
        {Op::option(Op::CamberAt),
            QStringLiteral("Move the largest camber to X, %1 of the chord.")
                .arg(rangeText(Op::range(Op::CamberAt))),
            QStringLiteral("X")},
        {Op::option(Op::TrailingEdgeGap),
            QStringLiteral("Open or close the trailing edge to PCT per cent of the chord, %1, "
                           "over the rear half.")
                .arg(rangeText(Op::range(Op::TrailingEdgeGap))),
            QStringLiteral("PCT")},
        {Op::option(Op::Blend),
            QStringLiteral("Blend camber and thickness with the section in OTHER at weight W, 0 "
                           "(this one) to 1 (OTHER)."),
            QStringLiteral("OTHER,W")},
        {Op::option(Op::Repanel),
            QStringLiteral("Take the contour again at N points, %1, cosine-spaced.")
                .arg(rangeText(Op::range(Op::Repanel))),
            QStringLiteral("N")},
        {QStringLiteral("output"),
            QStringLiteral("Write the airfoil to OUT.dat instead of standard output (-)."),
            QStringLiteral("OUT.dat")},
        {QStringLiteral("json"),
            QStringLiteral("Print what analyze --json prints for the result instead of the "
                           "airfoil, which goes only to --output then; for a flap, with its "
                           "change of alpha0 and cm0 beside Glauert's.")},
    });
}

// The operation an option gives, or the usage error's text in problem. A blend's other section
// is loaded into other, and a file it refuses is told: problem is "-" then.
SectionOperation operationOf(const Option &option, Study *other, QString *problem)
{
    using Op = SectionOperation;
    Op operation;
    operation.kind = option.kind;
    // A flap and a blend take two values, "XH,DEG" and "OTHER,W": the last one after a comma.
    const qsizetype comma = option.value.lastIndexOf(QLatin1Char(','));
    const bool pair = option.kind == Op::Flap || option.kind == Op::Blend;
    bool ok = false;
    operation.value = (pair ? option.value.mid(comma + 1) : option.value).toDouble(&ok);
    ok = ok && (!pair || comma >= 0);
    if (option.kind == Op::Flap) {
        bool hingeOk = false;
        operation.deflectionDegrees = operation.value;
        operation.value = option.value.left(comma).toDouble(&hingeOk);
        ok = ok && hingeOk;
    }
    if (option.kind == Op::Blend && ok && Op::range(Op::Blend).minimum <= operation.value
        && operation.value <= Op::range(Op::Blend).maximum) {
        other->setPaneling(Paneling::reference());
        if (!load(other, option.value.left(comma))) {
            *problem = QStringLiteral("-");
            return operation;
        }
        operation.other = other->section()->airfoil;
        operation.otherTitle = Format::printable(other->data().title);
    }
    if (ok && operation.isValid())
        return operation;
    const QString range = rangeText(Op::range(option.kind));
    *problem = QStringLiteral("--%1 takes ").arg(Op::option(option.kind))
        + (option.kind == Op::Flap
                ? QStringLiteral("XH,DEG with a hinge XH from %1 and a deflection DEG from %2")
                      .arg(range, rangeText(Op::deflectionRange()))
                : option.kind == Op::Blend
                ? QStringLiteral("OTHER,W with a weight W from %1").arg(range)
                : option.kind == Op::Repanel ? QStringLiteral("a whole number from %1").arg(range)
                                             : QStringLiteral("a number from %1").arg(range));
    return operation;
}

// The section's extrapolated alpha0 and cm0, from its own chord.
ZeroLift extrapolatedZeroLift(Study *study)
{
    study->convergence().setExtrapolating(true);
    study->convergence().waitForExtrapolation();
    const Coefficients &c = study->extrapolation()->value;
    return {c.alpha0, c.cm0};
}

// The flap's change of alpha0 and cm0 beside Glauert's, in the unflapped chord's frame, from
// the extrapolated values before and after it; and the flapped section's own.
QJsonObject flapJson(const SectionOperation &flap, const ZeroLift &before, Study *flapped)
{
    const ZeroLift own = extrapolatedZeroLift(flapped);
    const ZeroLift after = inFileFrame(*flapped->airfoil(), own);
    const ZeroLift glauert = glauertFlapChange(flap.value, radians(flap.deflectionDegrees));
    const auto change = [](double alpha0, double cm0) {
        return QJsonObject {{"dAlpha0Deg", degrees(alpha0)}, {"dCm0", cm0}};
    };
    return QJsonObject {
        {"hinge", flap.value},
        {"deflectionDeg", flap.deflectionDegrees},
        {"frame", QStringLiteral("unflapped chord")},
        {"glauert", change(glauert.alpha0, glauert.cm0)},
        {"computed", change(after.alpha0 - before.alpha0, after.cm0 - before.cm0)},
        {"ownChord",
            QJsonObject {{"alpha0Deg", degrees(own.alpha0)}, {"cm0", own.cm0},
                {"tiltDeg", degrees(flapped->airfoil()->chordTilt())}}},
    };
}

} // namespace

int design(const QStringList &args)
{
    Command command(QStringLiteral("design"), QStringLiteral("FILE"),
        QStringLiteral("Applies operations to the section in FILE, in the order given, and writes "
                       "the result as an airfoil file; each result must open as a file does."));
    command.addFileArgument();
    addDesignOptions(&command);
    if (const int status = command.parse(args); status != Continue)
        return status;
    const QString path = command.singleFile();
    if (path.isEmpty())
        return UsageError;
    const QList<Option> options = optionsIn(args);
    if (options.isEmpty())
        return command.usageError(QStringLiteral("no operation given"));
    const bool json = command.parser.isSet(QStringLiteral("json"));

    Study study;
    study.setPaneling(Paneling::reference());
    if (!load(&study, path))
        return FileError;
    QJsonObject flap;
    for (const Option &option : options) {
        Study other;
        QString problem;
        const SectionOperation operation = operationOf(option, &other, &problem);
        if (problem == QLatin1String("-"))
            return FileError;
        if (!problem.isEmpty())
            return command.usageError(problem);
        const bool flapping = json && operation.kind == SectionOperation::Flap;
        const ZeroLift before = flapping ? extrapolatedZeroLift(&study) : ZeroLift();
        // The result is a file as an open takes it, or nothing is written.
        if (const Study::Refusal refusal = study.design(operation)) {
            err() << QStringLiteral("liftwise-cli design: --%1 %2: the result would be refused: "
                                    "%3.\n")
                         .arg(SectionOperation::option(option.kind), option.value, refusal.reason);
            return FileError;
        }
        if (flapping)
            flap = flapJson(operation, before, &study);
    }
    QByteArray text;
    if (const Study::Refusal refusal = study.savedText(&text)) {
        tell(refusal, path);
        return FileError;
    }
    const QString output = command.parser.value(QStringLiteral("output"));
    if (!json)
        return written(text, output);
    if (!output.isEmpty() && output != QLatin1String("-")) {
        if (const int status = written(text, output); status != Success)
            return status;
    }
    extrapolatedZeroLift(&study);
    out() << analysisJson(study, flap.isEmpty() ? QJsonObject() : QJsonObject {{"flap", flap}});
    return Success;
}

} // namespace Cli
