// liftwise-cli design: operations on a whole section, in the order given, and the result
// written as an airfoil file.

#include "command.h"
#include "filesystem.h"
#include "format.h"
#include "sectionops.h"
#include "study.h"

#include <QBuffer>

#include <cmath>
#include <memory>

namespace Cli {

namespace {

struct Operation
{
    QString name; // the option's
    QString value;
};

// The operations in the order the arguments give them, as --name VALUE or --name=VALUE.
QList<Operation> operationsIn(const QStringList &args, const QStringList &names)
{
    QList<Operation> operations;
    for (qsizetype i = 0; i < args.size(); ++i) {
        for (const QString &name : names) {
            const QString option = QStringLiteral("--") + name;
            if (args.at(i) == option && i + 1 < args.size())
                operations.append({name, args.at(++i)});
            else if (args.at(i).startsWith(option + QLatin1Char('=')))
                operations.append({name, args.at(i).mid(option.size() + 1)});
        }
    }
    return operations;
}

// The points as an airfoil file under the title, as a save writes them.
QByteArray fileText(const QString &title, const SectionPoints &points)
{
    QByteArray text = title.toUtf8() + '\n';
    for (size_t i = 0; i < points.x.size(); ++i)
        text += Format::fixed(points.x[i], 7).toLatin1() + "  "
            + Format::fixed(points.y[i], 7).toLatin1() + '\n';
    return text;
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

// The operations' options, and --output.
void addDesignOptions(Command *command)
{
    command->parser.addOptions({
        {QStringLiteral("scale-camber"),
            QStringLiteral("Scale the camber by K, -5 to 5, the thickness kept."),
            QStringLiteral("K")},
        {QStringLiteral("scale-thickness"),
            QStringLiteral("Scale the thickness by K, 0 to 5, the camber kept."),
            QStringLiteral("K")},
        {QStringLiteral("camber-at"),
            QStringLiteral("Move the largest camber to X, 0.1 to 0.9 of the chord."),
            QStringLiteral("X")},
        {QStringLiteral("te-gap"),
            QStringLiteral("Open or close the trailing edge to PCT per cent of the chord, 0 to 5, "
                           "over the rear half."),
            QStringLiteral("PCT")},
        {QStringLiteral("blend"),
            QStringLiteral("Blend camber and thickness with the section in OTHER at weight W, 0 "
                           "(this one) to 1 (OTHER)."),
            QStringLiteral("OTHER,W")},
        {QStringLiteral("repanel"),
            QStringLiteral("Take the contour again at N points, %1 to %2, cosine-spaced.")
                .arg(MinRepanelPoints)
                .arg(AirfoilData::MaxPoints),
            QStringLiteral("N")},
        {QStringLiteral("output"),
            QStringLiteral("Write the airfoil to OUT.dat instead of standard output (-)."),
            QStringLiteral("OUT.dat")},
        {QStringLiteral("json"),
            QStringLiteral("Print what analyze --json prints for the result instead of the "
                           "airfoil, which goes only to --output then.")},
    });
}

// A number from minimum to maximum, or NaN.
double numberIn(const QString &text, double minimum, double maximum)
{
    bool ok = false;
    const double v = text.toDouble(&ok);
    return ok && v >= minimum && v <= maximum ? v : qQNaN();
}

// The operation on the airfoil: its points and the title's note of it, or the usage error's
// text in problem (an empty result then).
SectionPoints apply(const Operation &operation, const Airfoil &airfoil, QString *note,
    QString *problem, Study *other)
{
    const QString &v = operation.value;
    const auto refuse = [&](const QString &range) {
        *problem = QStringLiteral("--%1 takes %2").arg(operation.name, range);
        return SectionPoints();
    };
    if (operation.name == QLatin1String("scale-camber")) {
        const double k = numberIn(v, -5.0, 5.0);
        if (qIsNaN(k))
            return refuse(QStringLiteral("a number from -5 to 5"));
        *note = QStringLiteral("camber x%1").arg(k);
        return scaledCamber(airfoil, k);
    }
    if (operation.name == QLatin1String("scale-thickness")) {
        const double k = numberIn(v, 0.0, 5.0);
        if (qIsNaN(k))
            return refuse(QStringLiteral("a number from 0 to 5"));
        *note = QStringLiteral("thickness x%1").arg(k);
        return scaledThickness(airfoil, k);
    }
    if (operation.name == QLatin1String("camber-at")) {
        const double x = numberIn(v, 0.1, 0.9);
        if (qIsNaN(x))
            return refuse(QStringLiteral("a number from 0.1 to 0.9"));
        *note = QStringLiteral("camber at %1 %").arg(100 * x);
        return cambersAt(airfoil, x);
    }
    if (operation.name == QLatin1String("te-gap")) {
        const double gap = numberIn(v, 0.0, 5.0);
        if (qIsNaN(gap))
            return refuse(QStringLiteral("a number from 0 to 5"));
        *note = QStringLiteral("trailing edge %1 %").arg(gap);
        return withTrailingEdgeGap(airfoil, gap / 100);
    }
    if (operation.name == QLatin1String("repanel")) {
        const double n = numberIn(v, MinRepanelPoints, AirfoilData::MaxPoints);
        if (qIsNaN(n) || n != std::floor(n))
            return refuse(QStringLiteral("a whole number from %1 to %2")
                              .arg(MinRepanelPoints)
                              .arg(AirfoilData::MaxPoints));
        *note = QStringLiteral("%1 points").arg(int(n));
        return repaneled(airfoil, int(n));
    }
    const qsizetype comma = v.lastIndexOf(QLatin1Char(','));
    const double w = comma < 0 ? qQNaN() : numberIn(v.mid(comma + 1), 0.0, 1.0);
    if (qIsNaN(w))
        return refuse(QStringLiteral("OTHER,W with a weight W from 0 to 1"));
    other->setPaneling(Paneling::reference());
    if (!load(other, v.left(comma)))
        return SectionPoints {{}, {}, "-"};
    *note
        = QStringLiteral("blend %1 % %2").arg(100 * w).arg(Format::printable(other->data().title));
    return blended(airfoil, *other->section()->airfoil, w);
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
    const QList<Operation> operations = operationsIn(args,
        {QStringLiteral("scale-camber"), QStringLiteral("scale-thickness"),
            QStringLiteral("camber-at"), QStringLiteral("te-gap"), QStringLiteral("blend"),
            QStringLiteral("repanel")});
    if (operations.isEmpty())
        return command.usageError(QStringLiteral("no operation given"));

    auto study = std::make_unique<Study>();
    study->setPaneling(Paneling::reference());
    if (!load(study.get(), path))
        return FileError;
    QString title = Format::printable(study->data().title);
    QByteArray text;
    for (const Operation &operation : operations) {
        QString note;
        QString problem;
        Study other;
        const SectionPoints points
            = apply(operation, *study->section()->airfoil, &note, &problem, &other);
        if (!problem.isEmpty())
            return command.usageError(problem);
        if (points.problem == "-")
            return FileError;
        // The result is a file as an open takes it, or nothing is written.
        title += QStringLiteral(", ") + note;
        text = fileText(title, points);
        auto next = std::make_unique<Study>();
        QBuffer buffer(&text);
        buffer.open(QIODevice::ReadOnly);
        const Study::Refusal refusal = points.problem.empty()
            ? next->load(&buffer, path, Paneling::reference())
            : Study::Refusal {Study::Refusal::Refused, QString::fromStdString(points.problem)};
        if (refusal) {
            err() << QStringLiteral("liftwise-cli design: --%1 %2: the result would be refused: "
                                    "%3.\n")
                         .arg(operation.name, operation.value, refusal.reason);
            return FileError;
        }
        study = std::move(next);
    }
    const QString output = command.parser.value(QStringLiteral("output"));
    if (!command.parser.isSet(QStringLiteral("json")))
        return written(text, output);
    if (!output.isEmpty() && output != QLatin1String("-")) {
        if (const int status = written(text, output); status != Success)
            return status;
    }
    study->convergence().setExtrapolating(true);
    study->convergence().waitForExtrapolation();
    out() << analysisJson(*study);
    return Success;
}

} // namespace Cli
