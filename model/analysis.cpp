#include "analysis.h"

#include "airfoil.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

// The points, scaled by a power of two when their largest coordinate is far from 1. Such a
// scaling is exact, and the normalised contour does not depend on it, so contours of any
// size normalise alike instead of losing the splines to overflow or underflow. Ordinary
// sizes are left as they stand.
struct ScaledContour
{
    std::vector<double> x;
    std::vector<double> y;

    ScaledContour(int n, const double *px, const double *py)
        : x(px, px + std::max(n, 0))
        , y(py, py + std::max(n, 0))
    {
        double largest = 0.0;
        for (size_t i = 0; i < x.size(); ++i) {
            if (std::isfinite(x[i]) && std::isfinite(y[i]))
                largest = std::max({largest, std::fabs(x[i]), std::fabs(y[i])});
        }
        if (largest == 0.0 || (largest >= 0x1p-64 && largest <= 0x1p64))
            return;
        int exponent = 0;
        std::frexp(largest, &exponent);
        for (size_t i = 0; i < x.size(); ++i) {
            x[i] = std::ldexp(x[i], -exponent);
            y[i] = std::ldexp(y[i], -exponent);
        }
    }

    int count() const { return int(x.size()); }
};

} // namespace

std::string contourProblem(int n, const double *x, const double *y)
{
    const ScaledContour contour(n, x, y);
    return Airfoil::analysisProblem(contour.count(), contour.x.data(), contour.y.data());
}

Airfoil *normalizedAirfoil(int n, const double *x, const double *y)
{
    // The airfoil copies the points; the caller's arrays stay as they are.
    ScaledContour contour(n, x, y);
    Airfoil *airfoil = new Airfoil(contour.count(), contour.x.data(), contour.y.data());
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
