// liftwise-cli: the window's analysis without a display, for scripts and reproducible runs.

#include "airfoil.h"
#include "analysedfile.h"
#include "analysis.h"
#include "modification.h"
#include "naca.h"
#include "report.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QTextStream>

#include <cmath>
#include <cstdio>
#include <memory>
#include <unistd.h>

namespace {

enum ExitCode { Success = 0, FileError = 1, UsageError = 2 };

const char AnalyzeUsage[]
    = "Usage: liftwise-cli analyze FILE.dat [--panels N] [--le A] [--te B]\n"
      "                            [--modify] [--alpha0 DEG] [--cm0 CM] [--presses K] [--json]\n"
      "\n"
      "Prints the window's three panels after opening FILE.dat at the given paneling.\n"
      "  --panels N     number of panels, 3 to 999 (8)\n"
      "  --le A         leading edge density, 1.00 to 10.00 (3.00)\n"
      "  --te B         trailing edge density, 1.00 to 10.00 (2.00)\n"
      "  --modify       press Modify, with the targets preset from the reference line\n"
      "  --alpha0 DEG   target zero-lift angle, bounded to -10 ... 10 (implies --modify)\n"
      "  --cm0 CM       target moment coefficient, bounded to -0.2 ... 0.2 (implies --modify)\n"
      "  --presses K    press Modify K times (1)\n"
      "  --json         one JSON document at full precision instead of the panels\n";

const char SweepUsage[]
    = "Usage: liftwise-cli sweep FILE.dat --panels FROM:TO[:STEP] [--le A] [--te B]\n"
      "\n"
      "CSV of the six coefficients (angles in degrees) for each panel count, with the\n"
      "difference of alpha0 and cm0 from the 200-panel reference.\n";

const char NacaUsage[]
    = "Usage: liftwise-cli naca DIGITS [--points N] [--closed-te]\n"
      "\n"
      "Writes a NACA 4-digit section (e.g. 2412) as an airfoil file to standard output,\n"
      "from the trailing edge over the upper surface to the leading edge and back.\n"
      "  --points N     number of points, odd, 5 to 999 (121)\n"
      "  --closed-te    close the trailing edge (thickness coefficient -0.1036)\n";

const char MainUsage[] = "Usage: liftwise-cli analyze|sweep|naca ... (COMMAND --help for more)\n";

QTextStream &out()
{
    static QTextStream stream(stdout);
    return stream;
}

QTextStream &err()
{
    static QTextStream stream(stderr);
    return stream;
}

int usageError(const QString &message, const char *usage)
{
    err() << "liftwise-cli: " << message << "\n\n" << usage;
    err().flush();
    return UsageError;
}

struct Arguments
{
    QString positional;
    QHash<QString, QString> values;
    QStringList flags;
};

// Splits "--name value", "--name=value" and "--flag"; anything else is the one positional.
bool parseArguments(const QStringList &args, const QStringList &valueOptions,
    const QStringList &flagOptions, Arguments *parsed, QString *error)
{
    for (int i = 0; i < args.size(); ++i) {
        QString arg = args.at(i);
        if (!arg.startsWith(QLatin1String("--")) || arg == QLatin1String("--")) {
            if (!parsed->positional.isNull()) {
                *error = QStringLiteral("unexpected argument '%1'").arg(arg);
                return false;
            }
            parsed->positional = arg;
            continue;
        }
        QString value;
        const int eq = int(arg.indexOf(QLatin1Char('=')));
        const bool hasValue = eq > 0;
        if (hasValue) {
            value = arg.mid(eq + 1);
            arg = arg.left(eq);
        }
        const QString name = arg.mid(2);
        if (flagOptions.contains(name) && !hasValue) {
            parsed->flags << name;
        } else if (valueOptions.contains(name)) {
            if (!hasValue) {
                if (i + 1 >= args.size()) {
                    *error = QStringLiteral("%1 needs a value").arg(arg);
                    return false;
                }
                value = args.at(++i);
            }
            parsed->values.insert(name, value);
        } else {
            *error = QStringLiteral("unknown option '%1'").arg(args.at(i));
            return false;
        }
    }
    return true;
}

const int Continue = -1;

// Parses a command's arguments and answers --help; Continue when the command is to run.
int parseCommand(const QStringList &args, const QStringList &valueOptions, QStringList flagOptions,
    const char *usage, Arguments *parsed)
{
    QString error;
    if (!parseArguments(args, valueOptions, flagOptions << "help", parsed, &error))
        return usageError(error, usage);
    if (parsed->flags.contains("help")) {
        out() << usage;
        return Success;
    }
    return Continue;
}

// A number as the window's spin box takes it: rounded to its decimals, then checked against
// (bounded == false) or bounded to (bounded == true) its range.
bool spinValue(
    const QString &text, double minimum, double maximum, int decimals, bool bounded, double *value)
{
    bool ok = false;
    const double v = text.toDouble(&ok);
    if (!ok || !std::isfinite(v))
        return false;
    if (bounded) {
        *value = Report::spinBoxValue(v, minimum, maximum, decimals);
        return true;
    }
    const double rounded = QString::number(v, 'f', decimals).toDouble();
    *value = rounded;
    return rounded >= minimum && rounded <= maximum;
}

struct Paneling
{
    int panels = 8;
    double leDensity = 3.0;
    double teDensity = 2.0;
};

bool readDensities(const Arguments &args, Paneling *paneling, QString *error)
{
    if (args.values.contains("le")
        && !spinValue(args.values["le"], 1.0, 10.0, 2, false, &paneling->leDensity)) {
        *error = QStringLiteral("--le takes a number from 1.00 to 10.00");
        return false;
    }
    if (args.values.contains("te")
        && !spinValue(args.values["te"], 1.0, 10.0, 2, false, &paneling->teDensity)) {
        *error = QStringLiteral("--te takes a number from 1.00 to 10.00");
        return false;
    }
    return true;
}

bool readPanelCount(const QString &text, int *panels)
{
    bool ok = false;
    *panels = text.toInt(&ok);
    return ok && *panels >= 3 && *panels <= 999;
}

// Opens and analyses the file as the window does; on failure says why and returns false.
bool load(const QString &path, AnalysedFile *loaded)
{
    QFile file(path);
    // Not in text mode: the reader itself takes CR, LF and CR LF as line ends.
    if (!file.open(QFile::ReadOnly)) {
        err() << QStringLiteral("liftwise-cli: Cannot read file %1: %2.\n")
                     .arg(path, file.errorString());
        return false;
    }
    QTextStream in(&file);
    const QString reason = analyseFile(in, loaded);
    if (!reason.isEmpty()) {
        err() << QStringLiteral("liftwise-cli: Cannot analyse file %1: %2.\n").arg(path, reason);
        return false;
    }
    for (const QString &warning : loaded->warnings)
        err() << QStringLiteral("%1: warning: %2\n").arg(path, warning);
    return true;
}

std::unique_ptr<Camberline> paneledLine(const AnalysedFile &loaded, const Paneling &paneling)
{
    return std::unique_ptr<Camberline>(camberlineOf(
        loaded.airfoil.get(), paneling.panels, paneling.leDensity, paneling.teDensity));
}

QJsonObject coefficientsJson(const double *c)
{
    return QJsonObject {
        {"cl0", c[0]},
        {"alpha0", c[1]},
        {"alpha0Deg", c[1] * Report::DegreesPerRadian},
        {"cm0", c[2]},
        {"dclda", c[3]},
        {"alphaSF", c[4]},
        {"alphaSFDeg", c[4] * Report::DegreesPerRadian},
        {"clSF", c[5]},
    };
}

QJsonObject panelingJson(Camberline *line, const Paneling &paneling, const double *c)
{
    QJsonArray stations, ordinates, widths, angles;
    const int n = line->npoints() - 1;
    for (int i = 0; i <= n; ++i) {
        stations.append(line->xpoint(i));
        ordinates.append(line->ypoint(i));
    }
    for (int i = 0; i < n; ++i) {
        widths.append(line->xpoint(i + 1) - line->xpoint(i));
        angles.append(panelAngleDegrees(line, i));
    }
    return QJsonObject {
        {"panels", n},
        {"leDensity", paneling.leDensity},
        {"teDensity", paneling.teDensity},
        {"coefficients", coefficientsJson(c)},
        {"stations", stations},
        {"ordinates", ordinates},
        {"panelWidths", widths},
        {"panelAnglesDeg", angles},
    };
}

int analyze(const QStringList &args)
{
    Arguments parsed;
    if (const int status = parseCommand(args, {"panels", "le", "te", "alpha0", "cm0", "presses"},
            {"modify", "json"}, AnalyzeUsage, &parsed);
        status != Continue)
        return status;
    QString error;
    if (parsed.positional.isEmpty())
        return usageError(QStringLiteral("no airfoil file given"), AnalyzeUsage);

    Paneling paneling;
    if (parsed.values.contains("panels")
        && !readPanelCount(parsed.values["panels"], &paneling.panels))
        return usageError(
            QStringLiteral("--panels takes a whole number from 3 to 999"), AnalyzeUsage);
    if (!readDensities(parsed, &paneling, &error))
        return usageError(error, AnalyzeUsage);
    int presses = 0;
    if (parsed.flags.contains("modify") || parsed.values.contains("alpha0")
        || parsed.values.contains("cm0") || parsed.values.contains("presses")) {
        presses = 1;
        bool ok = true;
        if (parsed.values.contains("presses"))
            presses = parsed.values["presses"].toInt(&ok);
        if (!ok || presses < 1 || presses > 1000)
            return usageError(
                QStringLiteral("--presses takes a whole number from 1 to 1000"), AnalyzeUsage);
    }
    double alpha0Target = 0.0;
    double cm0Target = 0.0;
    if (parsed.values.contains("alpha0")
        && !spinValue(parsed.values["alpha0"], -10.0, 10.0, 4, true, &alpha0Target))
        return usageError(QStringLiteral("--alpha0 takes a number of degrees"), AnalyzeUsage);
    if (parsed.values.contains("cm0")
        && !spinValue(parsed.values["cm0"], -0.2, 0.2, 4, true, &cm0Target))
        return usageError(QStringLiteral("--cm0 takes a number"), AnalyzeUsage);

    AnalysedFile loaded;
    if (!load(parsed.positional, &loaded))
        return FileError;
    // The targets start from the reference line, as the window presets its fields.
    if (!parsed.values.contains("alpha0"))
        alpha0Target = Report::spinBoxValue(loaded.coeff[1] * Report::DegreesPerRadian, -10, 10, 4);
    if (!parsed.values.contains("cm0"))
        cm0Target = Report::spinBoxValue(loaded.coeff[2], -0.2, 0.2, 4);

    std::unique_ptr<Camberline> line = paneledLine(loaded, paneling);
    double coeff[6];
    computeCoefficients(line.get(), coeff);
    QStringList panelingLines = Report::panelingLines(line.get(), coeff);
    QJsonArray pressesJson;
    for (int k = 0; k < presses; ++k) {
        const CamberReshaping r = reshapeCamberline(line.get(), paneling.panels, paneling.leDensity,
            paneling.teDensity, alpha0Target * Report::RadiansPerDegree, cm0Target);
        computeCoefficients(line.get(), coeff);
        panelingLines = Report::reshapingLines(r) + Report::panelingLines(line.get(), coeff);
        pressesJson.append(QJsonObject {
            {"targetAlpha0", r.targetAlpha0},
            {"targetAlpha0Deg", r.targetAlpha0 * Report::DegreesPerRadian},
            {"targetCm0", r.targetCm0},
            {"startAlpha0", r.startAlpha0},
            {"startAlpha0Deg", r.startAlpha0 * Report::DegreesPerRadian},
            {"startCm0", r.startCm0},
            {"a", r.a},
            {"b", r.b},
            {"applied", r.applied},
            {"coefficients", coefficientsJson(coeff)},
        });
    }

    if (parsed.flags.contains("json")) {
        const QJsonObject document {
            {"file", parsed.positional},
            {"title", loaded.data.title},
            {"points", loaded.data.count()},
            {"layout", loaded.data.layout == AirfoilData::Layout::Lednicer ? "lednicer" : "plain"},
            {"reference",
                QJsonObject {
                    {"panels", ReferencePanels},
                    {"leDensity", ReferenceLeDensity},
                    {"teDensity", ReferenceTeDensity},
                    {"coefficients", coefficientsJson(loaded.coeff)},
                }},
            {"paneling", panelingJson(line.get(), paneling, coeff)},
            {"modifications", pressesJson},
            {"warnings", QJsonArray::fromStringList(loaded.warnings)},
        };
        out() << QJsonDocument(document).toJson(QJsonDocument::Indented);
        return Success;
    }

    out() << "[file]\n"
          << Report::fileLines(loaded).join(QLatin1Char('\n')) << "\n[paneling]\n"
          << panelingLines.join(QLatin1Char('\n')) << "\n[results]\n"
          << Report::panelWidthLine(line.get()) << '\n'
          << Report::panelAngleLine(line.get()) << '\n';
    return Success;
}

int sweep(const QStringList &args)
{
    Arguments parsed;
    if (const int status = parseCommand(args, {"panels", "le", "te"}, {}, SweepUsage, &parsed);
        status != Continue)
        return status;
    QString error;
    if (parsed.positional.isEmpty())
        return usageError(QStringLiteral("no airfoil file given"), SweepUsage);
    const QStringList range = parsed.values.value("panels").split(QLatin1Char(':'));
    int from = 0, to = 0, step = 1;
    bool stepOk = true;
    if (range.size() == 3)
        step = range.at(2).toInt(&stepOk);
    if ((range.size() != 2 && range.size() != 3) || !readPanelCount(range.at(0), &from)
        || !readPanelCount(range.at(1), &to) || from > to || !stepOk || step < 1)
        return usageError(QStringLiteral("--panels takes FROM:TO[:STEP] with 3 <= FROM <= TO "
                                         "<= 999 and STEP >= 1"),
            SweepUsage);
    Paneling paneling;
    if (!readDensities(parsed, &paneling, &error))
        return usageError(error, SweepUsage);

    AnalysedFile loaded;
    if (!load(parsed.positional, &loaded))
        return FileError;

    const auto number = [](double v) { return QString::number(v, 'g', 17); };
    const double deg = Report::DegreesPerRadian;
    out() << "panels,cl0,alpha0_deg,cm0,dclda,alphaSF_deg,clSF,alpha0_minus_ref_deg,"
             "cm0_minus_ref\n";
    // Long sweeps say how far they are, but only to a person watching.
    const bool showProgress = isatty(STDERR_FILENO);
    QElapsedTimer clock;
    clock.start();
    bool progressShown = false;
    const int rows = (to - from) / step + 1;
    for (int row = 0; row < rows; ++row) {
        paneling.panels = from + row * step;
        std::unique_ptr<Camberline> line = paneledLine(loaded, paneling);
        double c[6];
        computeCoefficients(line.get(), c);
        out() << paneling.panels << ',' << number(c[0]) << ',' << number(c[1] * deg) << ','
              << number(c[2]) << ',' << number(c[3]) << ',' << number(c[4] * deg) << ','
              << number(c[5]) << ',' << number((c[1] - loaded.coeff[1]) * deg) << ','
              << number(c[2] - loaded.coeff[2]) << '\n';
        if (showProgress && clock.elapsed() > 1000) {
            out().flush();
            err() << QStringLiteral("\rsweep: %1 panels, row %2 of %3 ")
                         .arg(paneling.panels)
                         .arg(row + 1)
                         .arg(rows);
            err().flush();
            progressShown = true;
        }
    }
    if (progressShown)
        err() << "\rsweep: done" << QString(30, QLatin1Char(' ')) << '\n';
    return Success;
}

// Fixed six decimals, without a "-0.000000".
QString coordinate(double v)
{
    const double rounded = std::round(v * 1e6) / 1e6 + 0.0;
    return QString::asprintf("%9.6f", rounded == 0.0 ? 0.0 : rounded);
}

int naca(const QStringList &args)
{
    Arguments parsed;
    if (const int status = parseCommand(args, {"points"}, {"closed-te"}, NacaUsage, &parsed);
        status != Continue)
        return status;
    const QString digits = parsed.positional;
    if (!QRegularExpression(QStringLiteral("^\\d{4}$")).match(digits).hasMatch())
        return usageError(QStringLiteral("DIGITS takes four digits, such as 2412"), NacaUsage);
    const double m = digits.mid(0, 1).toInt() / 100.0;
    const double p = digits.mid(1, 1).toInt() / 10.0;
    const double t = digits.mid(2, 2).toInt() / 100.0;
    if ((m > 0) != (p > 0))
        return usageError(QStringLiteral("a cambered section needs both camber and its position "
                                         "(first two digits)"),
            NacaUsage);
    if (t <= 0)
        return usageError(
            QStringLiteral("the thickness (last two digits) must not be 00"), NacaUsage);
    int points = 121;
    bool ok = true;
    if (parsed.values.contains("points"))
        points = parsed.values["points"].toInt(&ok);
    if (!ok || points < 5 || points > 999 || points % 2 == 0)
        return usageError(QStringLiteral("--points takes an odd number from 5 to 999"), NacaUsage);

    const NacaSection section
        = nacaFourDigit(m, p, t, (points + 1) / 2, parsed.flags.contains("closed-te"));
    out() << "NACA " << digits << '\n';
    for (size_t i = 0; i < section.x.size(); ++i)
        out() << coordinate(section.x[i]) << ' ' << coordinate(section.y[i]) << '\n';
    return Success;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QStringList args = QCoreApplication::arguments().mid(1);
    const QString command = args.isEmpty() ? QString() : args.takeFirst();
    int status;
    if (command == QLatin1String("analyze"))
        status = analyze(args);
    else if (command == QLatin1String("sweep"))
        status = sweep(args);
    else if (command == QLatin1String("naca"))
        status = naca(args);
    else if (command == QLatin1String("--help") || command == QLatin1String("-h")) {
        out() << MainUsage;
        status = Success;
    } else
        status = usageError(command.isEmpty() ? QStringLiteral("no command given")
                                              : QStringLiteral("unknown command '%1'").arg(command),
            MainUsage);
    out().flush();
    err().flush();
    return status;
}
