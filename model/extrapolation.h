#ifndef LIFTWISE_EXTRAPOLATION_H
#define LIFTWISE_EXTRAPOLATION_H

#include "coefficients.h"

class Airfoil;
class InverseCache;

// The reference coefficients carried to the limit of ever more panels, from three panelings at
// the same densities, each twice as fine as the one before (200, 400 and 800 panels, see
// Paneling). Per coefficient, with d1 = v400 - v200 and d2 = v800 - v400, the observed order is
// p = log2(d1 / d2). Where the three approach their limit monotonically at an order near one,
// as the method does once the panels resolve the camber line, the value is Richardson's with
// that order and the error SafetyFactor times its distance from v800; otherwise the coefficient
// has not converged: its value is v800 and its error NaN, and only coarse and fine tell how far
// it still moves. The lift slope is 2 pi at any paneling, converged with error 0.
struct Extrapolation
{
    // The order band and the safety factor, checked against the method's own limit (the
    // Glauert integrals over the camber line) on real and generated sections: inside the band
    // the limit lay within 1.9 times the distance from v800 at worst; outside it the order is
    // not yet first order's and Richardson's value can be off by many times that distance.
    static constexpr double MinOrder = 0.7;
    static constexpr double MaxOrder = 1.3;
    static constexpr double SafetyFactor = 3.0;
    // Differences this small (radians, or coefficients) are the inverses' rounding: the values
    // have settled far below any digit shown.
    static constexpr double Settled = 1e-10;

    Coefficients value;
    Coefficients error; // NaN where not converged
    Coefficients coarse; // at the reference paneling
    Coefficients fine; // at four times its panels

    Extrapolation() = default;
    Extrapolation(
        const Coefficients &reference, const Coefficients &refined, const Coefficients &finest);

    // Whether the coefficient q (&Coefficients::alpha0 and so on) converged.
    bool isConverged(double Coefficients::*q) const;
};

// The extrapolation of the airfoil's reference coefficients: its camber line worked out at the
// two finer panelings, with the inverses from the cache if one is given. Slow (two lines of up
// to 800 panels): for a background thread.
Extrapolation extrapolationOf(
    const Airfoil &airfoil, const Coefficients &reference, InverseCache *cache = nullptr);

#endif // LIFTWISE_EXTRAPOLATION_H
