#include "analysis.h"

#include "airfoil.h"

#include <cmath>
#include <vector>

Airfoil *normalizedAirfoil(int n, const double *x, const double *y)
{
    // The airfoil copies the points; the caller's arrays stay as they are.
    std::vector<double> xs(x, x + n);
    std::vector<double> ys(y, y + n);
    Airfoil *airfoil = new Airfoil(n, xs.data(), ys.data());
    airfoil->normalize();
    return airfoil;
}

Camberline *camberlineOf(Airfoil *airfoil, int n, double leDensity, double teDensity)
{
    Camberline *line = new Camberline(n, leDensity, teDensity);
    line->computePoints(airfoil);
    return line;
}

void computeCoefficients(Camberline *line, double *coeff)
{
    line->computeCoeff(&coeff[0], &coeff[1], &coeff[2], &coeff[3], &coeff[4], &coeff[5]);
}

double panelAngleDegrees(Camberline *line, int i)
{
    const double dx = line->xpoint(i + 1) - line->xpoint(i);
    return std::atan((line->ypoint(i) - line->ypoint(i + 1)) / dx) * 57.29577951308232;
}
