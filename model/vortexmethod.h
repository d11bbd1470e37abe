#ifndef LIFTWISE_VORTEXMETHOD_H
#define LIFTWISE_VORTEXMETHOD_H

#include "coefficients.h"

#include <vector>

class Camberline;

// The circulations of a paneled camber line, panel by panel, at chord 1 and free stream 1:
// the zero-incidence loading, where the flow follows the panels, and the loading per radian of
// incidence. Any incidence alpha (radians) carries zeroIncidence + alpha * perRadian.
struct Loading
{
    std::vector<double> x; // each panel's vortex, at its quarter point, in chords
    std::vector<double> width; // each panel's width in chords
    std::vector<double> zeroIncidence;
    std::vector<double> perRadian;

    // The pressure difference of lower and upper surface over each panel at incidence alpha
    // (radians): 2 circulation / width, so that its sum times the widths is the lift.
    std::vector<double> pressureJumps(double alpha) const;
};

// Discrete-vortex thin-airfoil theory (lumped vortex elements, Katz and Plotkin, Low-Speed
// Aerodynamics, ch. 5): one vortex at each panel's quarter point, the flow made to follow the
// panel at its three-quarter point. Both loadings come from one inverse of the influence matrix.
// The inverses of the influence matrix of the reference paneling and of the paneling last used
// are kept and reused for the same stations (see vortexmethod.cpp); thread-safe. A line that
// passes by, as a sweep's many panelings do, may leave its inverse unkept (keep false), so that
// it does not push out the one the user's paneling needs again.
Loading loadingOf(const Camberline &line, bool keep = true);
// The coefficients the loading sums up to; the lift slope is 2 pi for any paneling.
Coefficients coefficientsOf(const Loading &loading);
// coefficientsOf(loadingOf(line, keep)).
Coefficients coefficientsOf(const Camberline &line, bool keep = true);
// Whether the inverse for the line's stations is kept: its coefficients need no inversion.
bool isInverseKept(const Camberline &line);

// Whether inverses are kept (the default) or made anew for every line, to compare the two.
void keepInverses(bool on);

#endif // LIFTWISE_VORTEXMETHOD_H
