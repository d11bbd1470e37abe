#include "report.h"

#include "airfoil.h"
#include "airfoilfile.h"
#include "analysedfile.h"
#include "analysis.h"
#include "modification.h"

#include <cmath>

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
        .arg(alpha0 * DegreesPerRadian, 8, 'f', 3, QLatin1Char(' '))
        .arg(cm0, 8, 'f', 4, QLatin1Char(' '));
}

QString pointCountLine(int npoints) { return QString::number(npoints) + QStringLiteral(" points"); }

} // namespace

double spinBoxValue(double v, double minimum, double maximum, int decimals)
{
    return qBound(minimum, QString::number(v, 'f', decimals).toDouble(), maximum);
}

QStringList fileLines(const AnalysedFile &file)
{
    const AirfoilData &data = file.data;
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
    return QStringList {data.title, count} + file.warnings + QStringList {QString()}
    + coefficientLines(file.coeff);
}

QStringList panelingLines(Camberline *line, const double *coeff)
{
    return QStringList {pointCountLine(line->npoints())} + coefficientLines(coeff);
}

QStringList coefficientLines(const double *coeff)
{
    return {
        QStringLiteral("cl0 = ") + QString::number(coeff[0], 'f', 3),
        QStringLiteral("alpha0 = ") + QString::number(coeff[1] * DegreesPerRadian, 'f', 3)
            + QStringLiteral(" deg"),
        QStringLiteral("cm0 = ") + QString::number(coeff[2], 'f', 4),
        QStringLiteral("d(cl)/da = ") + QString::number(coeff[3], 'f', 3),
        QStringLiteral("alpha(sf) = ") + QString::number(coeff[4] * DegreesPerRadian, 'f', 3)
            + QStringLiteral(" deg"),
        QStringLiteral("cl(sf) = ") + QString::number(coeff[5], 'f', 3),
    };
}

QString panelWidthLine(Camberline *line)
{
    QString text = QStringLiteral(" ");
    const int n = line->npoints() - 1;
    for (int i = 0; i < n; ++i)
        text += panelEntry(line->xpoint(i + 1) - line->xpoint(i));
    return text;
}

QString panelAngleLine(Camberline *line)
{
    QString text = QStringLiteral(" ");
    const int n = line->npoints() - 1;
    for (int i = 0; i < n; ++i) {
        text += panelEntry(panelAngleDegrees(line, i));
    }
    return text;
}

QStringList reshapingLines(const CamberReshaping &reshaping)
{
    QStringList lines = {
        QStringLiteral("modified paneling"),
        angleAndMomentLine("start  ", reshaping.startAlpha0, reshaping.startCm0),
        angleAndMomentLine("target ", reshaping.targetAlpha0, reshaping.targetCm0),
        QStringLiteral("coefficients :  a=%1  b=%2")
            .arg(reshaping.a, 8, 'f', 4, QLatin1Char(' '))
            .arg(reshaping.b, 8, 'f', 4, QLatin1Char(' ')),
    };
    if (!reshaping.applied)
        lines << QStringLiteral("the two shapes cannot reach these targets: line unchanged");
    return lines;
}

} // namespace Report
