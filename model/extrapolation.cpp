#include "extrapolation.h"

#include "analysis.h"
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

Extrapolation::Extrapolation(
    const Coefficients &reference, const Coefficients &refined, const Coefficients &finest)
    : coarse(reference)
    , fine(finest)
{
    for (double Coefficients::*q : {&Coefficients::cl0, &Coefficients::alpha0, &Coefficients::cm0,
             &Coefficients::alphaSF, &Coefficients::clSF}) {
        const Estimate e = estimate(reference.*q, refined.*q, finest.*q);
        value.*q = e.value;
        error.*q = e.error;
    }
    value.dclda = finest.dclda;
    error.dclda = 0.0;
}

bool Extrapolation::isConverged(double Coefficients::*q) const { return !std::isnan(error.*q); }

Extrapolation extrapolationOf(
    const Airfoil &airfoil, const Coefficients &reference, InverseCache *cache)
{
    return Extrapolation(reference,
        coefficientsOf(camberlineOf(airfoil, Paneling::refined()), cache),
        coefficientsOf(camberlineOf(airfoil, Paneling::finest()), cache));
}
