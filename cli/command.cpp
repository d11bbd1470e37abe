#include "command.h"

#include "filesystem.h"
#include "report.h"
#include "study.h"

#include <QCoreApplication>
#include <QFile>

#include <cmath>
#include <cstdio>

#include <unistd.h>

namespace Cli {

namespace {

// Standard output written with the system's own calls, so that a full disk or a file-size limit
// is known with its reason instead of passing for success.
class StandardOutput : public QIODevice
{
public:
    StandardOutput() { open(QIODevice::WriteOnly | QIODevice::Unbuffered); }
    bool isSequential() const override { return true; }

    QString problem;

protected:
    qint64 readData(char *, qint64) override { return -1; }
    qint64 writeData(const char *data, qint64 size) override
    {
        if (problem.isEmpty())
            problem = FileSystem::writeAll(STDOUT_FILENO, data, size);
        if (!problem.isEmpty()) {
            setErrorString(problem);
            return -1;
        }
        return size;
    }
};

StandardOutput &standardOutput()
{
    static StandardOutput device;
    return device;
}

} // namespace

QTextStream &out()
{
    static QTextStream stream(&standardOutput());
    return stream;
}

void writeOut(const QByteArray &bytes)
{
    out().flush();
    standardOutput().write(bytes);
}

QString outputProblem() { return standardOutput().problem; }

QTextStream &err()
{
    static QTextStream stream(stderr);
    return stream;
}

const QStringList &commandNames()
{
    static const QStringList names {QStringLiteral("analyze"), QStringLiteral("sweep"),
        QStringLiteral("batch"), QStringLiteral("modify"), QStringLiteral("naca"),
        QStringLiteral("meanline"), QStringLiteral("design"), QStringLiteral("compare"),
        QStringLiteral("export"), QStringLiteral("ribs"), QStringLiteral("report")};
    return names;
}

QStringList arguments(int argc, char *argv[])
{
    QStringList args;
    for (int i = 1; i < argc; ++i)
        args << FileSystem::decodeName(argv[i]);
    return args;
}

void nameApplication()
{
    QCoreApplication::setApplicationName(QStringLiteral("liftwise-cli"));
    QCoreApplication::setApplicationVersion(QStringLiteral(LIFTWISE_VERSION));
}

int finish(const QString &command, int status)
{
    out().flush();
    if (const QString problem = outputProblem(); !problem.isEmpty()) {
        const bool known = commandNames().contains(command);
        err() << QStringLiteral("liftwise-cli%1: cannot write standard output: %2\n")
                     .arg(known ? QLatin1Char(' ') + command : QString(), problem);
        status = FileError;
    }
    err().flush();
    return status;
}

Command::Command(const QString &name, const QString &arguments, const QString &description)
    : name(name)
    , arguments(arguments)
{
    parser.setApplicationDescription(description);
    parser.addHelpOption();
    parser.addVersionOption();
}

int Command::parse(const QStringList &args)
{
    if (!parser.parse(QStringList {QStringLiteral("liftwise-cli")} + args))
        return usageError(parser.errorText());
    if (parser.isSet(QStringLiteral("help"))) {
        // The usage line names the command, which the parser does not know of.
        out() << Format::helpText(parser, QStringLiteral("liftwise-cli ") + name);
        return Success;
    }
    if (parser.isSet(QStringLiteral("version"))) {
        out() << Format::versionText(
            QStringLiteral("liftwise-cli"), QCoreApplication::applicationVersion());
        return Success;
    }
    return Continue;
}

int Command::usageError(const QString &problem) const
{
    err() << QStringLiteral("liftwise-cli %1: %2\nTry 'liftwise-cli %1 --help'.\n")
                 .arg(name, problem);
    return UsageError;
}

void Command::addFileArgument()
{
    parser.addPositionalArgument(
        QStringLiteral("FILE"), QStringLiteral("Airfoil file (- for standard input)."));
}

QString Command::singleFile() const
{
    const QStringList files = parser.positionalArguments();
    if (files.size() == 1)
        return files.first();
    usageError(files.isEmpty() ? noFileGiven() : QStringLiteral("one airfoil file at a time"));
    return QString();
}

void Command::addPanelingOptions(const Paneling &start, bool ranged)
{
    const QString panels = Format::range(Paneling::MinPanels, Paneling::MaxPanels);
    const QString densities
        = Format::range(Paneling::MinDensity, Paneling::MaxDensity, Paneling::DensityDecimals);
    parser.addOptions({
        {QStringLiteral("panels"),
            ranged ? QStringLiteral("Panel counts FROM to TO in steps of STEP (1), or one count, "
                                    "%1.")
                         .arg(panels)
                   : QStringLiteral("Number of panels, %1 (%2).").arg(panels).arg(start.panels),
            ranged ? QStringLiteral("FROM:TO[:STEP]") : QStringLiteral("N")},
        {QStringLiteral("le"),
            QStringLiteral("Leading edge density, %1 (%2).")
                .arg(densities, Format::fixed(start.leDensity, Paneling::DensityDecimals)),
            QStringLiteral("A")},
        {QStringLiteral("te"),
            QStringLiteral("Trailing edge density, %1 (%2).")
                .arg(densities, Format::fixed(start.teDensity, Paneling::DensityDecimals)),
            QStringLiteral("B")},
    });
}

bool Command::readPaneling(Paneling *paneling) const
{
    return readInt(QStringLiteral("panels"), Paneling::MinPanels, Paneling::MaxPanels,
               &paneling->panels)
        && readDensities(paneling);
}

void Command::addModifyOptions(const QString &note, const QString &pressesDefault)
{
    parser.addOptions({
        {QStringLiteral("alpha0"),
            QStringLiteral("Target zero-lift angle, %1 degrees%2.")
                .arg(Format::range(-Targets::MaxAlpha0Degrees, Targets::MaxAlpha0Degrees), note),
            QStringLiteral("DEG")},
        {QStringLiteral("cm0"),
            QStringLiteral("Target moment coefficient, %1%2.")
                .arg(Format::range(-Targets::MaxCm0, Targets::MaxCm0), note),
            QStringLiteral("CM")},
        {QStringLiteral("presses"),
            QStringLiteral("Press Modify K times, %1 (%2).")
                .arg(Format::range(1, Targets::MaxPresses), pressesDefault),
            QStringLiteral("K")},
    });
}

bool Command::readModify(Targets *targets, int *presses) const
{
    double alpha0 = degrees(targets->alpha0);
    if (!readInt(QStringLiteral("presses"), 1, Targets::MaxPresses, presses)
        || !readExactNumber(QStringLiteral("alpha0"), -Targets::MaxAlpha0Degrees,
            Targets::MaxAlpha0Degrees, Targets::Decimals, &alpha0)
        || !readExactNumber(QStringLiteral("cm0"), -Targets::MaxCm0, Targets::MaxCm0,
            Targets::Decimals, &targets->cm0))
        return false;
    if (parser.isSet(QStringLiteral("alpha0")))
        targets->alpha0 = radians(alpha0);
    return true;
}

bool Command::readDensities(Paneling *paneling) const
{
    return readNumber(QStringLiteral("le"), Paneling::MinDensity, Paneling::MaxDensity,
               Paneling::DensityDecimals, &paneling->leDensity)
        && readNumber(QStringLiteral("te"), Paneling::MinDensity, Paneling::MaxDensity,
            Paneling::DensityDecimals, &paneling->teDensity);
}

bool Command::readInt(const QString &option, int minimum, int maximum, int *value) const
{
    if (!parser.isSet(option))
        return true;
    bool ok = false;
    const int v = parser.value(option).toInt(&ok);
    if (!ok || v < minimum || v > maximum) {
        usageError(QStringLiteral("--%1 takes a whole number from %2")
                       .arg(option, Format::range(minimum, maximum)));
        return false;
    }
    *value = v;
    return true;
}

bool Command::readNumber(
    const QString &option, double minimum, double maximum, int decimals, double *value) const
{
    return readNumber(option, minimum, maximum, decimals, true, value);
}

bool Command::readExactNumber(
    const QString &option, double minimum, double maximum, int decimals, double *value) const
{
    return readNumber(option, minimum, maximum, decimals, false, value);
}

bool Command::readNumber(const QString &option, double minimum, double maximum, int decimals,
    bool rounding, double *value) const
{
    if (!parser.isSet(option))
        return true;
    bool ok = false;
    const double v = parser.value(option).toDouble(&ok);
    const double rounded = rounding ? Format::rounded(v, decimals) : v;
    if (!ok || !std::isfinite(v) || rounded < minimum || rounded > maximum) {
        usageError(QStringLiteral("--%1 takes a number from %2")
                       .arg(option, Format::range(minimum, maximum, decimals)));
        return false;
    }
    *value = rounded;
    return true;
}

void tell(const Study::Refusal &refusal, const QString &path)
{
    err() << QStringLiteral("liftwise-cli: ")
          << refusal.message(Format::printable(path)).replace(QLatin1Char('\n'), QLatin1Char(' '))
          << '\n';
}

bool load(Study *study, const QString &path, Study::Refusal *refused)
{
    QFile standardInput;
    Study::Refusal refusal;
    if (path == QLatin1String("-")) {
        standardInput.open(stdin, QFile::ReadOnly);
        refusal = study->load(&standardInput, path, study->paneling());
    } else {
        refusal = study->loadFile(path);
    }
    if (refused)
        *refused = refusal;
    if (refusal) {
        tell(refusal, path);
        return false;
    }
    for (const QString &warning : study->warnings())
        err() << QStringLiteral("%1: warning: %2\n").arg(Format::printable(path), warning);
    return true;
}

} // namespace Cli
