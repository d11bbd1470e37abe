#ifndef LIFTWISE_ANALYSIS_H
#define LIFTWISE_ANALYSIS_H

#include "airfoil.h"
#include "camberline.h"

#include <memory>
#include <string>

// The steps from a file's points to a camber line.

// The point that lies farthest from the chord line, when it lies more than a chord from it,
// or -1; its distance in chords goes to distance. Judged on the points themselves, with the
// lowest x as the leading edge, since such a point spoils the splines. Contours whose frame
// cannot be told (non-finite, no chord) are left to normalising.
int wildPoint(int n, const double *x, const double *y, double *distance);

// The foremost point, when it lies ahead of all the others by more than half the length they
// span, or -1; how far ahead, in those lengths, goes to ahead. Such a point would be taken for
// the nose and set the chord: every coefficient and the geometry would be the stray's.
int strayNose(int n, const double *x, double *ahead);
// A new airfoil from n points of any size, normalised; null when they cannot be, and why in
// problem.
std::unique_ptr<Airfoil> normalizedAirfoil(
    int n, const double *x, const double *y, std::string *problem);
// The camber line of the paneling with its ordinates taken from the airfoil's contour.
Camberline camberlineOf(const Airfoil &airfoil, const Paneling &paneling);

#endif // LIFTWISE_ANALYSIS_H
