#ifndef LIFTWISE_EXTRAPOLATION_H
#define LIFTWISE_EXTRAPOLATION_H

#include "coefficients.h"

class Airfoil;
class Camberline;
class InverseCache;

// The reference coefficients carried to the limit of ever more panels, from three panelings at
// the same densities, each twice as fine as the one before (200, 400 and 800 panels, see
// Paneling). Per coefficient, with d1 = v400 - v200 and d2 = v800 - v400, the observed order is
// p = log2(d1 / d2). Where the three approach their limit monotonically at an order near one,
// as the method does once the panels resolve the camber line, the value is Richardson's with
// that order and the error SafetyFactor times its distance from v800, widened by what the 800
// panels leave of the camber line unresolved (see extrapolationOf) unless that is still moving
// at ever finer lines; otherwise the coefficient
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

    // The panelings whose camber lines stand for the line itself: finer than the file's points
    // and spline show, as a rule. Where the thin-airfoil limit still moves between the two by
    // more than the error from the three panelings, the file's shape goes on to matter at ever
    // more panels (the nose of a file rounded to few decimals): that coefficient has not
    // converged.
    static constexpr int ResolvedPanels = 12800;
    static constexpr int CheckPanels = 25600;

    Extrapolation() = default;
    // unresolved: how far, per coefficient, the limit of the resolved line lies from that of the
    // finest paneling's line; drift: how far it still moves from the resolved line to the check
    // line (both zero where they are not known). The error takes both in, the drift twice, for
    // the rest of a series that halves at each doubling at worst.
    Extrapolation(const Coefficients &reference, const Coefficients &refined,
        const Coefficients &finest, const Coefficients &unresolved = Coefficients(),
        const Coefficients &drift = Coefficients());

    // Whether the coefficient q (&Coefficients::alpha0 and so on) converged.
    bool isConverged(double Coefficients::*q) const;
};

// The extrapolation of the airfoil's reference coefficients: its camber line worked out at the
// two finer panelings, with the inverses from the cache if one is given. A spline through
// rounded or noisy points has shape finer than 800 panels resolve, which no estimate from the
// three panelings can see, yet the method converges to it: its share is the difference of the
// thin-airfoil limits (limitOf) of the 800-panel line and of a ResolvedPanels line, which cost
// no inversion, and how far that limit still drifts by CheckPanels. Slow (two lines of up to 800
// panels): for a background thread.
Extrapolation extrapolationOf(
    const Airfoil &airfoil, const Coefficients &reference, InverseCache *cache = nullptr);

// What the method converges to on a line with these stations, as panels are added within each
// of its panels: the thin-airfoil (Glauert) integrals over the chord, each panel's direction its
// angle, as the vortices' boundary condition takes it, integrated exactly panel by panel.
Coefficients limitOf(const Camberline &line);

#endif // LIFTWISE_EXTRAPOLATION_H
