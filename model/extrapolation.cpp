#include "extrapolation.h"

#include "analysis.h"
#include "camberline.h"
#include "vortexmethod.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

struct Estimate
{
    double value;
    double error;
};

// One coefficient at 200, 400 and 800 panels (Roache, Verification and Validation in
// Computational Science and Engineering, ch. 5, with his safety factor widened to what the
// method needs).
Estimate estimate(double v1, double v2, double v3)
{
    const double d1 = v2 - v1;
    const double d2 = v3 - v2;
    // 1. Settled to rounding: nothing left to extrapolate.
    if (std::max(std::fabs(d1), std::fabs(d2)) <= Extrapolation::Settled)
        return {v3, std::max(std::fabs(d1), std::fabs(d2))};
    // 2. Monotone convergence shrinks the differences with one sign; their ratio is 2^p.
    const double ratio = d1 / d2;
    const double order = ratio > 1.0 ? std::log2(ratio) : 0.0;
    if (!(order >= Extrapolation::MinOrder && order <= Extrapolation::MaxOrder))
        return {v3, std::numeric_limits<double>::quiet_NaN()};
    // 3. Richardson with the observed order: the rest of a geometric series of differences.
    const double rest = d2 / (ratio - 1.0);
    return {v3 + rest, Extrapolation::SafetyFactor * std::fabs(rest)};
}

} // namespace

Extrapolation::Extrapolation(const Coefficients &reference, const Coefficients &refined,
    const Coefficients &finest, const Coefficients &unresolved, const Coefficients &drift)
    : coarse(reference)
    , fine(finest)
{
    for (double Coefficients::*q : {&Coefficients::cl0, &Coefficients::alpha0, &Coefficients::cm0,
             &Coefficients::alphaSF, &Coefficients::clSF}) {
        const Estimate e = estimate(reference.*q, refined.*q, finest.*q);
        // A drift within rounding is none (a flat line's, for one).
        const double moving = std::fabs(drift.*q) > Settled ? std::fabs(drift.*q) : 0.0;
        value.*q = moving > e.error ? finest.*q : e.value;
        error.*q = moving > e.error ? std::numeric_limits<double>::quiet_NaN()
                                    : e.error + std::fabs(unresolved.*q) + 2.0 * moving;
    }
    value.dclda = finest.dclda;
    error.dclda = 0.0;
}

bool Extrapolation::isConverged(double Coefficients::*q) const { return !std::isnan(error.*q); }

Extrapolation extrapolationOf(
    const Airfoil &airfoil, const Coefficients &reference, InverseCache *cache)
{
    const Camberline finest = camberlineOf(airfoil, Paneling::finest());
    const auto limitAt = [&](int panels) {
        Paneling paneling = Paneling::finest();
        paneling.panels = panels;
        return limitOf(camberlineOf(airfoil, paneling));
    };
    const Coefficients seen = limitOf(finest);
    const Coefficients whole = limitAt(Extrapolation::ResolvedPanels);
    const Coefficients check = limitAt(Extrapolation::CheckPanels);
    Coefficients unresolved;
    Coefficients drift;
    for (double Coefficients::*q : {&Coefficients::cl0, &Coefficients::alpha0, &Coefficients::cm0,
             &Coefficients::alphaSF, &Coefficients::clSF}) {
        unresolved.*q = whole.*q - seen.*q;
        drift.*q = check.*q - whole.*q;
    }
    return Extrapolation(reference,
        coefficientsOf(camberlineOf(airfoil, Paneling::refined()), cache),
        coefficientsOf(finest, cache), unresolved, drift);
}

Coefficients limitOf(const Camberline &line)
{
    // With x = (1 - cos t) / 2 and the slope constant over each panel, each integral of the
    // slope times 1, cos t or cos 2t over t is a sum of exact panel integrals.
    double i0 = 0.0, i1 = 0.0, i2 = 0.0;
    for (int i = 0; i + 1 < line.npoints(); ++i) {
        const double slope = -line.panelAngle(i);
        const double a = std::acos(1.0 - 2.0 * line.xpoint(i));
        const double b = std::acos(1.0 - 2.0 * line.xpoint(i + 1));
        i0 += slope * (b - a);
        i1 += slope * (std::sin(b) - std::sin(a));
        i2 += slope * (std::sin(2.0 * b) - std::sin(2.0 * a)) / 2.0;
    }
    Coefficients c;
    c.alpha0 = (i0 - i1) / M_PI;
    c.cl0 = -2.0 * M_PI * c.alpha0;
    c.cm0 = (i2 - i1) / 2.0;
    c.dclda = 2.0 * M_PI;
    c.alphaSF = i0 / M_PI;
    c.clSF = 2.0 * i1;
    return c;
}
