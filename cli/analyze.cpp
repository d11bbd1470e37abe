// liftwise-cli analyze: the window's three panels, every value as JSON, or the panel table as CSV.

#include "command.h"
#include "datatables.h"
#include "extrapolation.h"
#include "report.h"
#include "study.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <utility>

namespace Cli {

namespace {

QJsonObject coefficientsJson(const Coefficients &c)
{
    return QJsonObject {
        {"cl0", c.cl0},
        {"alpha0", c.alpha0},
        {"alpha0Deg", degrees(c.alpha0)},
        {"cm0", c.cm0},
        {"dclda", c.dclda},
        {"alphaSF", c.alphaSF},
        {"alphaSFDeg", degrees(c.alphaSF)},
        {"clSF", c.clSF},
    };
}

QJsonObject geometryJson(const SectionGeometry &g)
{
    return QJsonObject {
        {"maxThickness", g.maxThickness},
        {"maxThicknessX", g.maxThicknessX},
        {"maxCamber", g.maxCamber},
        {"maxCamberX", g.maxCamberX},
        {"trailingEdgeGap", g.trailingEdgeGap},
    };
}

QJsonObject panelingJson(const Paneling &paneling)
{
    return QJsonObject {
        {"panels", paneling.panels},
        {"leDensity", paneling.leDensity},
        {"teDensity", paneling.teDensity},
    };
}

QJsonObject lineJson(const Camberline &line, const Coefficients &c)
{
    QJsonArray widths, angles;
    for (int i = 0; i + 1 < line.npoints(); ++i) {
        widths.append(line.xpoint(i + 1) - line.xpoint(i));
        angles.append(degrees(line.panelAngle(i)));
    }
    QJsonObject json = panelingJson(line.paneling());
    json.insert("coefficients", coefficientsJson(c));
    json.insert("stations",
        QJsonArray::fromVariantList(QVariantList(line.stations().begin(), line.stations().end())));
    json.insert("ordinates",
        QJsonArray::fromVariantList(
            QVariantList(line.ordinates().begin(), line.ordinates().end())));
    json.insert("panelWidths", widths);
    json.insert("panelAnglesDeg", angles);
    return json;
}

QJsonArray numbers(const std::vector<double> &values)
{
    QJsonArray array;
    for (const double v : values)
        array.append(v);
    return array;
}

// The chordwise load of the paneled line at its vortices, at zero incidence and at smooth entry.
QJsonObject loadingJson(const Loading &loading, const Coefficients &c)
{
    return QJsonObject {
        {"x", numbers(loading.x)},
        {"dcpZeroIncidence", numbers(loading.pressureJumps(0.0))},
        {"dcpSmoothEntry", numbers(loading.pressureJumps(c.alphaSF))},
    };
}

QJsonObject pressJson(const CamberReshaping &r, const Coefficients &reached)
{
    return QJsonObject {
        {"targetAlpha0", r.target.alpha0},
        {"targetAlpha0Deg", degrees(r.target.alpha0)},
        {"targetCm0", r.target.cm0},
        {"startAlpha0", r.startAlpha0},
        {"startAlpha0Deg", degrees(r.startAlpha0)},
        {"startCm0", r.startCm0},
        {"a", r.a},
        {"b", r.b},
        {"applied", r.applied},
        {"coefficients", coefficientsJson(reached)},
    };
}

// The values and their errors as coefficientsJson gives them; an error is null where its value
// did not converge, and "range" gives such a value at 200 and at 800 panels, in the same keys.
QJsonObject extrapolationJson(const Extrapolation &e)
{
    QJsonObject error = coefficientsJson(e.error);
    QJsonObject range;
    const QJsonObject coarse = coefficientsJson(e.coarse);
    const QJsonObject fine = coefficientsJson(e.fine);
    const std::pair<double Coefficients::*, QStringList> keys[] = {
        {&Coefficients::cl0, {"cl0"}},
        {&Coefficients::alpha0, {"alpha0", "alpha0Deg"}},
        {&Coefficients::cm0, {"cm0"}},
        {&Coefficients::alphaSF, {"alphaSF", "alphaSFDeg"}},
        {&Coefficients::clSF, {"clSF"}},
    };
    for (const auto &[q, names] : keys) {
        if (e.isConverged(q))
            continue;
        for (const QString &key : names) {
            error.insert(key, QJsonValue::Null);
            range.insert(key, QJsonArray {coarse[key], fine[key]});
        }
    }
    QJsonObject json = coefficientsJson(e.value);
    json.insert("error", error);
    json.insert("range", range);
    return json;
}

QByteArray json(const Study &study, const QJsonArray &presses, const QJsonObject &more = {})
{
    const AirfoilData &data = study.data();
    QJsonArray warnings;
    for (const QString &warning : study.warnings())
        warnings.append(Format::printable(warning));
    QJsonObject reference = panelingJson(Paneling::reference());
    reference.insert("coefficients", coefficientsJson(study.referenceCoefficients()));
    const auto extrapolatedJson
        = [](const Extrapolation *e) { return e ? extrapolationJson(*e) : QJsonObject(); };
    // The section a save writes, once presses have reshaped it; "reference" and "extrapolated"
    // stay the section's as loaded.
    QJsonValue reshaped;
    if (const Study::Section *section = study.reshapedSection()) {
        reshaped = QJsonObject {
            {"coefficients", coefficientsJson(section->referenceCoefficients)},
            {"extrapolated", extrapolatedJson(study.extrapolation())},
            {"geometry", geometryJson(section->geometry)},
        };
    }
    QJsonObject document {
        {"file", Format::printable(study.path())},
        {"title", Format::printable(data.title)},
        {"points", data.count()},
        {"layout", data.layoutName()},
        {"reference", reference},
        {"extrapolated", extrapolatedJson(study.loadedExtrapolation())},
        {"reshapedSection", reshaped},
        {"paneling", lineJson(*study.paneledLine(), study.paneledCoefficients())},
        {"loading", loadingJson(study.paneledLoading(), study.paneledCoefficients())},
        {"modifications", presses},
        {"warnings", warnings},
        {"geometry", geometryJson(study.geometry())},
    };
    for (auto entry = more.begin(); entry != more.end(); ++entry)
        document.insert(entry.key(), entry.value());
    return QJsonDocument(document).toJson(QJsonDocument::Indented);
}

} // namespace

QByteArray analysisJson(const Study &study, const QJsonObject &more)
{
    return json(study, QJsonArray(), more);
}

int analyze(const QStringList &args)
{
    Command command(QStringLiteral("analyze"), QStringLiteral("FILE"),
        QStringLiteral("Prints the window's three panels after opening FILE (- for standard "
                       "input) at the given paneling."));
    command.parser.addPositionalArgument(QStringLiteral("FILE"), QStringLiteral("Airfoil file."));
    command.addPanelingOptions();
    command.addModifyOptions(QStringLiteral(" (implies --modify)"));
    command.parser.addOptions({
        {QStringLiteral("modify"),
            QStringLiteral("Press Modify, with the targets preset from the reference line.")},
        {QStringLiteral("json"),
            QStringLiteral("One JSON document at full precision instead of the panels.")},
        {QStringLiteral("csv"),
            QStringLiteral("The paneled line's panels as CSV instead: x of the vortex, width, "
                           "angle [deg] and ΔCp at zero incidence and at smooth entry.")},
    });
    if (const int status = command.parse(args); status != Continue)
        return status;
    const QString path = command.singleFile();
    if (path.isEmpty())
        return UsageError;

    // 1. Paneling and targets, each within the range its window field has; the targets the
    //    options leave open are preset from the reference line, as the window presets its fields.
    Paneling paneling;
    if (!command.readPaneling(&paneling))
        return UsageError;
    const QCommandLineParser &options = command.parser;
    if (options.isSet("json") && options.isSet("csv"))
        return command.usageError(QStringLiteral("--json and --csv: one or the other"));
    const bool modify = options.isSet("modify") || options.isSet("alpha0") || options.isSet("cm0");
    if (options.isSet("presses") && !modify)
        return command.usageError(
            QStringLiteral("--presses needs --modify, --alpha0 or --cm0 to press"));
    int presses = 1;
    Targets given;
    if (!command.readModify(&given, &presses))
        return UsageError;

    // 2. The file at that paneling, and the presses.
    Study study;
    study.setPaneling(paneling);
    study.convergence().setExtrapolating(true);
    if (!load(&study, path))
        return FileError;
    study.convergence().waitForExtrapolation();
    Targets targets = study.presetTargets();
    if (options.isSet("alpha0"))
        targets.alpha0 = given.alpha0;
    if (options.isSet("cm0"))
        targets.cm0 = given.cm0;
    if (!modify)
        presses = 0;
    QJsonArray pressesJson;
    for (int k = 0; k < presses; ++k)
        pressesJson.append(pressJson(study.modify(targets), study.paneledCoefficients()));
    study.convergence().waitForExtrapolation();

    if (options.isSet("csv")) {
        writeOut(DataTables::panels(
            *study.paneledLine(), study.paneledLoading(), study.paneledCoefficients().alphaSF));
        return Success;
    }
    if (options.isSet("json")) {
        out() << json(study, pressesJson);
        return Success;
    }
    out() << Report::analysisText(study);
    return Success;
}

} // namespace Cli
