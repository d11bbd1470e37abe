#include "analysedfile.h"

#include "airfoil.h"
#include "analysis.h"

#include <cmath>

AnalysedFile::AnalysedFile() = default;
AnalysedFile::~AnalysedFile() = default;

QString analyseFile(QTextStream &in, AnalysedFile *file)
{
    file->data = readAirfoilData(in);
    const AirfoilData &data = file->data;
    if (!data.problem.isEmpty())
        return data.problem;
    double distance = 0.0;
    const int wild = wildPoint(data.count(), data.x.constData(), data.y.constData(), &distance);
    if (wild >= 0) {
        const QString chords = !std::isfinite(distance) ? QStringLiteral("over 1e308")
            : distance < 1e6                            ? QString::number(distance, 'f', 1)
                                                        : QString::number(distance, 'g', 3);
        return QStringLiteral("the point on line %1 lies %2 chords from the chord line")
            .arg(QString::number(data.lineNumbers.at(wild)), chords);
    }
    const std::string problem
        = contourProblem(data.count(), data.x.constData(), data.y.constData());
    if (!problem.empty())
        return QString::fromStdString(problem);

    std::unique_ptr<Airfoil> airfoil(
        normalizedAirfoil(data.count(), data.x.constData(), data.y.constData()));
    std::unique_ptr<Camberline> reference(
        camberlineOf(airfoil.get(), ReferencePanels, ReferenceLeDensity, ReferenceTeDensity));
    double coeff[6];
    computeCoefficients(reference.get(), coeff);
    // Numbers that are no numbers would reach every panel and the targets; say so instead.
    for (double c : coeff) {
        if (!std::isfinite(c))
            return QStringLiteral("the analysis of this contour gives coefficients that are "
                                  "not finite");
    }
    file->warnings = data.warnings;
    const std::string warning = airfoil->normalizationWarning();
    if (!warning.empty())
        file->warnings << QString::fromStdString(warning);
    file->airfoil = std::move(airfoil);
    file->reference = std::move(reference);
    std::copy(coeff, coeff + 6, file->coeff);
    return QString();
}
