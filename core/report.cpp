#include "report.h"

#include "airfoil.h"
#include "coefficients.h"
#include "extrapolation.h"
#include "modification.h"
#include "paneling.h"
#include "study.h"

#include <algorithm>

namespace Report {

using Format::fixed;

namespace {

// fixed(v, decimals) right-aligned in a field of width characters, not cut if longer.
QString field(double v, int width, int decimals)
{
    return fixed(v, decimals).rightJustified(width);
}

QString panelEntry(double value) { return QLatin1Char(' ') + field(value, 9, 4); }

QString angleAndMomentLine(const char *label, double alpha0, double cm0)
{
    return QStringLiteral("%1:  alpha0=%2  cm0=%3")
        .arg(QLatin1String(label), field(degrees(alpha0), 8, 3), field(cm0, 8, 4));
}

} // namespace

QStringList fileLines(const Study &study)
{
    if (!study.isLoaded())
        return {};
    const AirfoilData &data = study.data();
    QStringList notes;
    if (data.layout == AirfoilData::Layout::Lednicer)
        notes << QStringLiteral("Lednicer format");
    if (data.repeatsDropped == 1)
        notes << QStringLiteral("1 repeated point dropped");
    else if (data.repeatsDropped > 1)
        notes << QStringLiteral("%1 repeated points dropped").arg(data.repeatsDropped);
    QString count = QString::number(data.count()) + QStringLiteral(" points");
    if (!notes.isEmpty())
        count += QStringLiteral(" (%1)").arg(notes.join(QStringLiteral(", ")));
    const QString reference
        = QStringLiteral("reference paneling: %1 panels").arg(Paneling::reference().panels);
    const Study::Section &section = *study.section();
    const Study::Section *loaded = study.loadedSection();
    const bool reshaped = &section != loaded;
    const SectionGeometry &g = section.geometry;
    const auto percent = [](double v) { return fixed(100.0 * v, 1); };
    // A largest value of zero lies nowhere in particular.
    const auto at = [&](double value, double x) {
        return percent(value) == QLatin1String("0.0")
            ? QStringLiteral("0.0 %")
            : QStringLiteral("%1 % at %2 % chord").arg(percent(value), percent(x));
    };
    QString camber = QStringLiteral("camber ") + at(g.maxCamber, g.maxCamberX);
    if (reshaped)
        camber += QStringLiteral(" (%1 %2)")
                      .arg(asLoaded(), at(loaded->geometry.maxCamber, loaded->geometry.maxCamberX));
    QStringList coefficients;
    if (reshaped) {
        coefficients << reshapedSection() + pressesNote(study.presses().size()) + QLatin1Char(':');
    } else if (!study.presses().empty()) {
        coefficients << QStringLiteral("%1: an open would refuse it: %2")
                            .arg(reshapedSection(), study.sectionRefusal())
                     << asLoaded() + QLatin1Char(':');
    }
    coefficients << coefficientLines(section.referenceCoefficients);
    if (const Extrapolation *e = study.extrapolation())
        coefficients << extrapolationLines(*e);
    if (reshaped)
        coefficients << sectionLine(asLoaded(), loaded->referenceCoefficients);
    return QStringList {Format::printable(data.title), count, reference} + study.warnings()
        + QStringList {QString()} + coefficients
        + QStringList {QString(),
            QStringLiteral("thickness ") + at(g.maxThickness, g.maxThicknessX), camber,
            QStringLiteral("trailing edge gap %1 %").arg(fixed(100.0 * g.trailingEdgeGap, 2))};
}

QStringList extrapolationLines(const Extrapolation &e)
{
    struct Shown
    {
        const char *label;
        double Coefficients::*q;
        double scale;
        int decimals;
        const char *unit;
    };
    const Shown alpha0 {"alpha0", &Coefficients::alpha0, DegreesPerRadian, 3, " deg"};
    const Shown cm0 {"cm0", &Coefficients::cm0, 1.0, 4, ""};
    const Shown alphaSF {"alpha(sf)", &Coefficients::alphaSF, DegreesPerRadian, 3, " deg"};
    const auto text = [](const Shown &s, const Coefficients &c) {
        return fixed(s.scale * (c.*s.q), s.decimals);
    };
    const auto estimate = [&](const Shown &s) {
        return QStringLiteral("%1 = %2 ± %3%4")
            .arg(QLatin1String(s.label), text(s, e.value),
                Format::uncertainty(s.scale * (e.error.*s.q), s.decimals), QLatin1String(s.unit));
    };
    const auto notConverged = [&](const Shown &s) {
        return QStringLiteral("%1 not converged: %2 to %3 over %4–%5 panels")
            .arg(QLatin1String(s.label), text(s, e.coarse), text(s, e.fine))
            .arg(Paneling::reference().panels)
            .arg(Paneling::finest().panels);
    };
    // alpha0 and cm0 share a line, as they always have; alpha(sf) has its own; what did not
    // converge comes last.
    QStringList lines;
    QStringList shared;
    QStringList unconverged;
    for (const Shown &s : {alpha0, cm0}) {
        if (e.isConverged(s.q))
            shared << estimate(s);
        else
            unconverged << notConverged(s);
    }
    if (!shared.isEmpty())
        lines << QStringLiteral("extrapolated: ") + shared.join(QStringLiteral(", "));
    if (e.isConverged(alphaSF.q))
        lines << QStringLiteral("extrapolated: ") + estimate(alphaSF);
    else
        unconverged << notConverged(alphaSF);
    return lines + unconverged;
}

QStringList panelingLines(const Study &study)
{
    if (!study.isLoaded())
        return {};
    QStringList lines;
    if (!study.presses().empty())
        lines = reshapingLines(study.presses().back());
    return lines << countLine(*study.paneledLine())
                 << coefficientLines(study.paneledCoefficients());
}

QString countLine(const Camberline &line)
{
    return QStringLiteral("%1, %2 points").arg(paneledLine(line.npoints() - 1)).arg(line.npoints());
}

QString panelingDescription(const Paneling &p)
{
    return QStringLiteral("%1 panels, leading edge density %2, trailing edge density %3")
        .arg(p.panels)
        .arg(Format::fixed(p.leDensity, Paneling::DensityDecimals),
            Format::fixed(p.teDensity, Paneling::DensityDecimals));
}

QString pressesNote(size_t presses)
{
    if (presses == 0)
        return QString();
    if (presses == 1)
        return QStringLiteral(", after 1 Modify press");
    return QStringLiteral(", after %1 Modify presses").arg(presses);
}

QStringList coefficientLines(const Coefficients &c)
{
    return {
        QStringLiteral("cl0 = ") + fixed(c.cl0, 3),
        QStringLiteral("alpha0 = ") + fixed(degrees(c.alpha0), 3) + QStringLiteral(" deg"),
        QStringLiteral("cm0 = ") + fixed(c.cm0, 4),
        QStringLiteral("d(cl)/da = ") + fixed(c.dclda, 3),
        QStringLiteral("alpha(sf) = ") + fixed(degrees(c.alphaSF), 3) + QStringLiteral(" deg"),
        QStringLiteral("cl(sf) = ") + fixed(c.clSF, 3),
    };
}

QString panelWidthLine(const Camberline &line)
{
    QString text = QStringLiteral(" ");
    text.reserve(10 * line.npoints());
    for (int i = 0; i + 1 < line.npoints(); ++i)
        text += panelEntry(line.xpoint(i + 1) - line.xpoint(i));
    return text;
}

QString panelAngleLine(const Camberline &line)
{
    QString text = QStringLiteral(" ");
    text.reserve(10 * line.npoints());
    for (int i = 0; i + 1 < line.npoints(); ++i)
        text += panelEntry(degrees(line.panelAngle(i)));
    return text;
}

QStringList resultLines(const Camberline &line)
{
    return {QStringLiteral("width").leftJustified(11) + panelWidthLine(line),
        QStringLiteral("angle [deg]") + panelAngleLine(line)};
}

QString analysisText(const Study &study)
{
    if (!study.isLoaded())
        return QString();
    return QStringLiteral("[file]\n%1\n[paneling]\n%2\n[results]\n%3\n")
        .arg(fileLines(study).join(QLatin1Char('\n')), panelingLines(study).join(QLatin1Char('\n')),
            resultLines(*study.paneledLine()).join(QLatin1Char('\n')));
}

QString asLoaded() { return QStringLiteral("as loaded"); }

QString reshapedSection() { return QStringLiteral("reshaped section"); }

QString paneledLine(int panels) { return QStringLiteral("paneled line (%1 panels)").arg(panels); }

QString angleAndMoment(const Coefficients &c)
{
    return QStringLiteral("alpha0 %1 deg, cm0 %2")
        .arg(fixed(degrees(c.alpha0), 3), fixed(c.cm0, 4));
}

QString pressStatus(const Study &study, bool cameCloser)
{
    QString section;
    if (const Coefficients *reshaped = study.reshapedReference())
        section = QStringLiteral("; %1 %2").arg(reshapedSection(), angleAndMoment(*reshaped));
    return QStringLiteral("Modify press %1: %2%3 %4%5")
        .arg(study.presses().size())
        .arg(cameCloser ? QString()
                        : QStringLiteral("target not reached, the press comes no closer: "),
            paneledLine(study.paneling().panels), angleAndMoment(study.paneledCoefficients()),
            section);
}

QString metAlreadyStatus(const Study &study, const Targets &targets)
{
    const Coefficients &saved = study.section()->referenceCoefficients;
    QString message
        = QStringLiteral("Modify: the targets are met already: %1 %2; %3 %4")
              .arg(paneledLine(study.paneling().panels),
                  angleAndMoment(study.paneledCoefficients()),
                  study.reshapedSection() ? reshapedSection() : asLoaded(), angleAndMoment(saved));
    if (targets.missOf(saved) > 1.0)
        message += QStringLiteral(" (Reach Targets brings the section to them)");
    return message;
}

QString reachStatus(const Study &study, bool reached, int presses)
{
    const QString values = angleAndMoment(study.section()->referenceCoefficients);
    if (reached)
        return QStringLiteral("section reached: %1").arg(values);
    return QStringLiteral("section not reached after %1 %2: %3")
        .arg(presses)
        .arg(presses == 1 ? QStringLiteral("press") : QStringLiteral("presses"), values);
}

QString sectionLine(const QString &name, const Coefficients &reference)
{
    return QStringLiteral("%1: alpha0 = %2 deg, cm0 = %3")
        .arg(name, fixed(degrees(reference.alpha0), 3), fixed(reference.cm0, 4));
}

QList<QStringList> historyTable(const Study &study)
{
    const std::vector<CamberReshaping> &presses = study.presses();
    if (presses.empty())
        return {};
    QList<QStringList> rows {{QStringLiteral("press"), QStringLiteral("target alpha0 [deg]"),
        QStringLiteral("target cm0"), QStringLiteral("line alpha0 [deg]"),
        QStringLiteral("line cm0"), QStringLiteral("section alpha0 [deg]"),
        QStringLiteral("section cm0"), QStringLiteral("arc a"), QStringLiteral("S-shape b")}};
    const std::vector<std::optional<Coefficients>> &sections = study.pressedSections();
    const Coefficients &last = study.paneledCoefficients();
    for (size_t k = 0; k < presses.size(); ++k) {
        const CamberReshaping &press = presses[k];
        // Each press starts from the line the one before left: what a press reached is where
        // the next one started, and the last reached the paneled line as it stands.
        const bool isLast = k + 1 == presses.size();
        const double alpha0 = isLast ? last.alpha0 : presses[k + 1].startAlpha0;
        const double cm0 = isLast ? last.cm0 : presses[k + 1].startCm0;
        QStringList row {QString::number(k + 1), fixed(degrees(press.target.alpha0), 3),
            fixed(press.target.cm0, 4)};
        if (press.applied)
            row << fixed(degrees(alpha0), 3) << fixed(cm0, 4);
        else
            row << QStringLiteral("not applied") << QString();
        const std::optional<Coefficients> section
            = k < sections.size() ? sections[k] : std::nullopt;
        if (section)
            row << fixed(degrees(section->alpha0), 3) << fixed(section->cm0, 4);
        else
            row << QStringLiteral("refused") << QString();
        rows << (row << fixed(press.a, 4) << fixed(press.b, 4));
    }
    return rows;
}

QStringList reshapingLines(const CamberReshaping &reshaping)
{
    QStringList lines = {
        QStringLiteral("modified paneling"),
        angleAndMomentLine("start  ", reshaping.startAlpha0, reshaping.startCm0),
        angleAndMomentLine("target ", reshaping.target.alpha0, reshaping.target.cm0),
        QStringLiteral("coefficients :  a=%1  b=%2")
            .arg(field(reshaping.a, 8, 4), field(reshaping.b, 8, 4)),
    };
    if (!reshaping.applied)
        lines << QStringLiteral("the two shapes cannot reach these targets: line unchanged");
    return lines;
}

} // namespace Report
