#ifndef LIFTWISE_VORTEXMETHOD_H
#define LIFTWISE_VORTEXMETHOD_H

#include "coefficients.h"

class Camberline;

// Discrete-vortex thin-airfoil theory (lumped vortex elements, Katz and Plotkin, Low-Speed
// Aerodynamics, ch. 5): one vortex at each panel's quarter point, the flow made to follow the
// panel at its three-quarter point. Chord 1 and free stream 1, so the circulations give the
// coefficients directly; the lift slope is 2 pi for any paneling.
Coefficients coefficientsOf(const Camberline &line);

#endif // LIFTWISE_VORTEXMETHOD_H
