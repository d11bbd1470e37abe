#include "geometry.h"

#include "airfoil.h"

#include <algorithm>
#include <cmath>
#include <functional>

namespace {

// The x in [from, to] where f is largest, given that it is the only peak there: golden-section
// search down to a millionth of the chord.
double peak(const std::function<double(double)> &f, double from, double to)
{
    const double ratio = 0.6180339887498949;
    double a = to - ratio * (to - from);
    double b = from + ratio * (to - from);
    double fa = f(a);
    double fb = f(b);
    while (to - from > 1e-6) {
        if (fa < fb) {
            from = a;
            a = b;
            fa = fb;
            b = from + ratio * (to - from);
            fb = f(b);
        } else {
            to = b;
            b = a;
            fb = fa;
            a = to - ratio * (to - from);
            fa = f(a);
        }
    }
    return 0.5 * (from + to);
}

// Where f is largest over the chord: a scan every half percent, then the peak between the
// neighbours of the best sample. Returns false when f is nowhere defined.
bool largest(const std::function<bool(double, double *)> &f, double *where, double *value)
{
    const int samples = 200;
    int best = -1;
    double bestValue = 0.0;
    for (int k = 1; k < samples; ++k) {
        double v;
        if (f(double(k) / samples, &v) && (best < 0 || v > bestValue)) {
            best = k;
            bestValue = v;
        }
    }
    if (best < 0)
        return false;
    const auto at = [&](double x) {
        double v;
        return f(x, &v) ? v : -1e300;
    };
    *where = peak(at, double(best - 1) / samples, double(best + 1) / samples);
    *value = at(*where);
    if (*value < bestValue) {
        *where = double(best) / samples;
        *value = bestValue;
    }
    return true;
}

} // namespace

bool surfacesAt(const Airfoil &airfoil, double x, double *upper, double *lower)
{
    double t[10];
    if (airfoil.xSpline().findInverse(x, t, 10) != 2)
        return false;
    const double y0 = airfoil.ySpline().f(t[0]);
    const double y1 = airfoil.ySpline().f(t[1]);
    *upper = std::max(y0, y1);
    *lower = std::min(y0, y1);
    return true;
}

SectionGeometry geometryOf(const Airfoil &airfoil)
{
    SectionGeometry g;
    const auto thickness = [&](double x, double *v) {
        double upper, lower;
        if (!surfacesAt(airfoil, x, &upper, &lower))
            return false;
        *v = upper - lower;
        return true;
    };
    largest(thickness, &g.maxThicknessX, &g.maxThickness);

    // The camber of larger magnitude, whichever its sign.
    for (const double sign : {1.0, -1.0}) {
        const auto camber = [&](double x, double *v) {
            double upper, lower;
            if (!surfacesAt(airfoil, x, &upper, &lower))
                return false;
            *v = sign * 0.5 * (upper + lower);
            return true;
        };
        double x, value;
        if (largest(camber, &x, &value) && value > std::fabs(g.maxCamber)) {
            g.maxCamber = sign * value;
            g.maxCamberX = x;
        }
    }
    // A symmetric section's mean line is zero up to rounding, and so is its position.
    if (std::fabs(g.maxCamber) < 1e-9) {
        g.maxCamber = 0.0;
        g.maxCamberX = 0.0;
    }
    const int n = airfoil.npoints();
    g.trailingEdgeGap = n > 1 ? std::fabs(airfoil.py(0) - airfoil.py(n - 1)) : 0.0;
    return g;
}
