#include "modification.h"

#include "airfoil.h"
#include "analysis.h"

#include <cmath>

namespace {

void angleAndMoment(Camberline *line, double *alpha0, double *cm0)
{
    double coeff[6];
    computeCoefficients(line, coeff);
    *alpha0 = coeff[1];
    *cm0 = coeff[2];
}

} // namespace

CamberReshaping reshapeCamberline(Camberline *line, int n, double leDensity, double teDensity,
    double targetAlpha0, double targetCm0)
{
    CamberReshaping r;
    r.targetAlpha0 = targetAlpha0;
    r.targetCm0 = targetCm0;

    // 1. The two shapes, zero at both ends, at the stations of the paneling.
    Camberline arc(n, leDensity, teDensity);
    Camberline sShape(n, leDensity, teDensity);
    for (int i = 1; i < n; ++i) {
        const double x = arc.xpoint(i);
        arc.sety(i, 0.04 * x * (1 - x));
        sShape.sety(i, 0.1 * x * (1 - x) * (0.5 - x));
    }

    // 2. Where the line starts and how much each shape moves angle and moment.
    angleAndMoment(line, &r.startAlpha0, &r.startCm0);
    double a1, m1, a2, m2;
    angleAndMoment(&arc, &a1, &m1);
    angleAndMoment(&sShape, &a2, &m2);

    // 3. a * (a1, m1) + b * (a2, m2) = -(da, dm), solved by Cramer's rule.
    const double da = r.startAlpha0 - targetAlpha0;
    const double dm = r.startCm0 - targetCm0;
    r.a = (a2 * dm - m2 * da) / (a1 * m2 - a2 * m1);
    r.b = (a1 * dm - m1 * da) / (a2 * m1 - a1 * m2);
    r.applied = a1 * m2 - a2 * m1 != 0.0 && std::isfinite(r.a) && std::isfinite(r.b);
    if (!r.applied)
        return r;

    // 4. Only the interior ordinates move: the ends stay on the chord.
    for (int i = 1; i < n; ++i)
        line->sety(i, line->ypoint(i) + r.a * arc.ypoint(i) + r.b * sShape.ypoint(i));
    return r;
}
