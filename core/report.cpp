#include "report.h"

#include "airfoil.h"
#include "coefficients.h"
#include "modification.h"
#include "study.h"

#include <algorithm>

namespace Report {

namespace {

QString panelEntry(double value)
{
    return QStringLiteral(" %1").arg(value, 9, 'f', 4, QLatin1Char(' '));
}

QString angleAndMomentLine(const char *label, double alpha0, double cm0)
{
    return QStringLiteral("%1:  a0=%2  cm0=%3")
        .arg(QLatin1String(label))
        .arg(degrees(alpha0), 8, 'f', 3, QLatin1Char(' '))
        .arg(cm0, 8, 'f', 4, QLatin1Char(' '));
}

QString pointCountLine(int npoints) { return QString::number(npoints) + QStringLiteral(" points"); }

} // namespace

double fieldValue(double v, double minimum, double maximum, int decimals)
{
    return qBound(minimum, QString::number(v, 'f', decimals).toDouble(), maximum);
}

QString fixed(double v, int decimals)
{
    QString text = QString::number(v, 'f', decimals);
    // "-0.000" and the like: every digit zero.
    if (text.startsWith(QLatin1Char('-')) && std::all_of(text.begin() + 1, text.end(), [](QChar c) {
            return c == QLatin1Char('0') || c == QLatin1Char('.');
        }))
        text.remove(0, 1);
    return text;
}

QStringList fileLines(const Study &study)
{
    const AirfoilData &data = study.data();
    QStringList notes;
    if (data.layout == AirfoilData::Layout::Lednicer)
        notes << QStringLiteral("Lednicer format");
    if (data.repeatsDropped == 1)
        notes << QStringLiteral("1 repeated point dropped");
    else if (data.repeatsDropped > 1)
        notes << QStringLiteral("%1 repeated points dropped").arg(data.repeatsDropped);
    QString count = pointCountLine(data.count());
    if (!notes.isEmpty())
        count += QStringLiteral(" (%1)").arg(notes.join(QStringLiteral(", ")));
    const SectionGeometry &g = study.geometry();
    const auto percent = [](double v) { return fixed(100.0 * v, 1); };
    const QString camber = fixed(100.0 * g.maxCamber, 1) == QLatin1String("0.0")
        ? QStringLiteral("camber 0.0 %")
        : QStringLiteral("camber %1 % at %2 % chord")
              .arg(percent(g.maxCamber), percent(g.maxCamberX));
    return QStringList {data.title, count} + study.warnings() + QStringList {QString()}
    + coefficientLines(study.referenceCoefficients())
        + QStringList {QString(),
            QStringLiteral("thickness %1 % at %2 % chord")
                .arg(percent(g.maxThickness), percent(g.maxThicknessX)),
            camber,
            QStringLiteral("trailing edge gap %1 %").arg(fixed(100.0 * g.trailingEdgeGap, 2))};
}

QStringList panelingLines(const Study &study)
{
    QStringList lines;
    if (!study.presses().empty())
        lines = reshapingLines(study.presses().back());
    return lines << pointCountLine(study.paneledLine()->npoints())
                 << coefficientLines(study.paneledCoefficients());
}

QStringList coefficientLines(const Coefficients &c)
{
    return {
        QStringLiteral("cl0 = ") + QString::number(c.cl0, 'f', 3),
        QStringLiteral("alpha0 = ") + QString::number(degrees(c.alpha0), 'f', 3)
            + QStringLiteral(" deg"),
        QStringLiteral("cm0 = ") + QString::number(c.cm0, 'f', 4),
        QStringLiteral("d(cl)/da = ") + QString::number(c.dclda, 'f', 3),
        QStringLiteral("alpha(sf) = ") + QString::number(degrees(c.alphaSF), 'f', 3)
            + QStringLiteral(" deg"),
        QStringLiteral("cl(sf) = ") + QString::number(c.clSF, 'f', 3),
    };
}

QString panelWidthLine(const Camberline &line)
{
    QString text = QStringLiteral(" ");
    for (int i = 0; i + 1 < line.npoints(); ++i)
        text += panelEntry(line.xpoint(i + 1) - line.xpoint(i));
    return text;
}

QString panelAngleLine(const Camberline &line)
{
    QString text = QStringLiteral(" ");
    for (int i = 0; i + 1 < line.npoints(); ++i)
        text += panelEntry(degrees(line.panelAngle(i)));
    return text;
}

QStringList reshapingLines(const CamberReshaping &reshaping)
{
    QStringList lines = {
        QStringLiteral("modified paneling"),
        angleAndMomentLine("start  ", reshaping.startAlpha0, reshaping.startCm0),
        angleAndMomentLine("target ", reshaping.target.alpha0, reshaping.target.cm0),
        QStringLiteral("coefficients :  a=%1  b=%2")
            .arg(reshaping.a, 8, 'f', 4, QLatin1Char(' '))
            .arg(reshaping.b, 8, 'f', 4, QLatin1Char(' ')),
    };
    if (!reshaping.applied)
        lines << QStringLiteral("the two shapes cannot reach these targets: line unchanged");
    return lines;
}

} // namespace Report
