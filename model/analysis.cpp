#include "analysis.h"

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

int wildPoint(int n, const double *x, const double *y, double *distance)
{
    if (n < 2)
        return -1;
    int le = 0;
    double right = x[0];
    for (int i = 0; i < n; ++i) {
        if (!std::isfinite(x[i]) || !std::isfinite(y[i]))
            return -1;
        if (x[i] < x[le])
            le = i;
        right = std::max(right, x[i]);
    }
    // The chord from the foremost point to the ends' midpoint; a frame that spans less than
    // half the points' width is no frame (a point far behind the ends, a contour from the
    // nose) and left to the contour check.
    const double xte = std::max(x[0], x[n - 1]);
    const double chord = xte - x[le];
    if (!(chord > 0.0) || chord < 0.5 * (right - x[le]))
        return -1;
    const double rise = (0.5 * (y[0] + y[n - 1]) - y[le]) / chord;
    int far = -1;
    *distance = 1.0;
    for (int i = 0; i < n; ++i) {
        const double d = std::fabs((y[i] - y[le]) - (x[i] - x[le]) * rise) / chord;
        if (!(d <= *distance)) {
            *distance = d;
            far = i;
        }
    }
    return far;
}

int strayNose(int n, const double *x, double *ahead)
{
    if (n < 3)
        return -1;
    int le = 0;
    for (int i = 1; i < n; ++i) {
        if (!std::isfinite(x[i]))
            return -1;
        if (x[i] < x[le])
            le = i;
    }
    double next = HUGE_VAL;
    double right = -HUGE_VAL;
    for (int i = 0; i < n; ++i) {
        if (i != le)
            next = std::min(next, x[i]);
        right = std::max(right, x[i]);
    }
    const double span = right - next;
    *ahead = (next - x[le]) / span;
    return span > 0.0 && !(*ahead <= 0.5) ? le : -1;
}

std::unique_ptr<Airfoil> normalizedAirfoil(
    int n, const double *x, const double *y, std::string *problem)
{
    const ScaledContour contour(n, x, y);
    auto airfoil = std::make_unique<Airfoil>(contour.count(), contour.x.data(), contour.y.data());
    *problem = airfoil->normalize();
    if (!problem->empty())
        airfoil.reset();
    return airfoil;
}

Camberline camberlineOf(const Airfoil &airfoil, const Paneling &paneling)
{
    Camberline line(paneling);
    line.computePoints(airfoil);
    return line;
}
