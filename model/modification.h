#ifndef LIFTWISE_MODIFICATION_H
#define LIFTWISE_MODIFICATION_H

#include "coefficients.h"

#include <cmath>
#include <vector>

class Airfoil;
class Camberline;
class InverseCache;

// What a Modify step aims at: the zero-lift angle (radians) and the quarter-chord moment.
struct Targets
{
    double alpha0 = 0.0;
    double cm0 = 0.0;

    // What the user may ask for: the angle in degrees, both to four decimals. Wide enough for
    // the values of strongly cambered sections (S1223: -12.963 deg, -0.3579), so that the
    // targets preset from a file are that file's own.
    static constexpr double MaxAlpha0Degrees = 45.0;
    static constexpr double Alpha0StepDegrees = 0.1;
    static constexpr double MaxCm0 = 1.0;
    static constexpr double Cm0Step = 0.01;
    static constexpr int Decimals = 4;
    // How many presses one request may ask for.
    static constexpr int MaxPresses = 100;

    // Whether c lies within the tolerances of the targets (the angle's in radians).
    bool reachedBy(const Coefficients &c, double alpha0Tolerance, double cm0Tolerance) const
    {
        return std::fabs(c.alpha0 - alpha0) <= alpha0Tolerance
            && std::fabs(c.cm0 - cm0) <= cm0Tolerance;
    }
    // A press that ends farther than this from its targets has not reached them: the user is
    // told so.
    static constexpr double ReachedAlpha0Degrees = 0.01;
    static constexpr double ReachedCm0 = 2e-4;
    // How far c lies from the targets, in multiples of those tolerances: 1 or less is reached.
    double missOf(const Coefficients &c) const
    {
        return std::fmax(std::fabs(degrees(c.alpha0 - alpha0)) / ReachedAlpha0Degrees,
            std::fabs(c.cm0 - cm0) / ReachedCm0);
    }
};

// One Modify step: where the line started, what it aimed at and the factors of the two shapes.
struct CamberReshaping
{
    double startAlpha0 = 0.0; // radians
    double startCm0 = 0.0;
    Targets target;
    double a = 0.0; // factor of the arc 0.04 x (1 - x)
    double b = 0.0; // factor of the S-shape 0.1 x (1 - x) (0.5 - x)
    // False when the two shapes cannot be combined to reach the targets (singular system or
    // non-finite factors); the line is then left as it was.
    bool applied = false;

    // The ordinate the step added at x (0 to 1 along the chord).
    double offset(double x) const;
};

// Adds a times the arc and b times the S-shape to the interior ordinates of line so that,
// to first order, its zero-lift angle and quarter-chord moment reach the targets. The shapes
// are taken at the line's own stations. The three lines share their stations, and so one inverse,
// taken from the cache when one is given.
CamberReshaping reshapeCamberline(
    Camberline &line, const Targets &targets, InverseCache *cache = nullptr);

// Adds the shapes of the presses that were applied to the interior ordinates of line, each as it
// reshaped the line it was pressed on: a line built anew from the contour, at the same paneling
// or another, follows the presses.
void applyPresses(Camberline &line, const std::vector<CamberReshaping> &presses);

// The normalised contour of the airfoil with the presses' shapes added, at each point's x, to
// the y of both surfaces: the thickness stays and the camber line moves as the paneled line
// did. In the order of airfoil files, from the trailing edge over the upper surface to the
// leading edge and back over the lower one. Presses that were not applied add nothing.
void reshapedContour(const Airfoil &airfoil, const std::vector<CamberReshaping> &presses,
    std::vector<double> *x, std::vector<double> *y);

#endif // LIFTWISE_MODIFICATION_H
