#ifndef LIFTWISE_VORTEXMETHOD_H
#define LIFTWISE_VORTEXMETHOD_H

#include "coefficients.h"

class Camberline;

// Discrete-vortex thin-airfoil theory (lumped vortex elements, Katz and Plotkin, Low-Speed
// Aerodynamics, ch. 5): one vortex at each panel's quarter point, the flow made to follow the
// panel at its three-quarter point. Chord 1 and free stream 1, so the circulations give the
// coefficients directly; the lift slope is 2 pi for any paneling.
// The inverses of the influence matrix of the reference paneling and of the paneling last used
// are kept and reused for the same stations (see vortexmethod.cpp); thread-safe.
Coefficients coefficientsOf(const Camberline &line);

// Whether inverses are kept (the default) or made anew for every line, to compare the two.
void keepInverses(bool on);

#endif // LIFTWISE_VORTEXMETHOD_H
