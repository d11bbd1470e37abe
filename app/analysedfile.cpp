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
    file->airfoil = std::move(airfoil);
    file->reference = std::move(reference);
    std::copy(coeff, coeff + 6, file->coeff);
    return QString();
}
