#ifndef LIFTWISE_ANALYSIS_H
#define LIFTWISE_ANALYSIS_H

#include <string>

class Airfoil;
class Camberline;

// The steps every front end takes from a file's points to coefficients.

// The reference paneling, whatever the user's paneling is.
constexpr int ReferencePanels = 200;
constexpr double ReferenceLeDensity = 3.0;
constexpr double ReferenceTeDensity = 2.0;

// Why n points, of any size, cannot be analysed, or an empty string.
std::string contourProblem(int n, const double *x, const double *y);
// The point that lies farthest from the chord line, when it lies more than a chord from it,
// or -1; its distance in chords goes to distance. Judged on the points themselves, with the
// lowest x as the leading edge, since such a point spoils the splines. Contours whose frame
// cannot be told (non-finite, no chord) are left to contourProblem.
int wildPoint(int n, const double *x, const double *y, double *distance);
// A new airfoil from n points, normalised. The points must pass contourProblem.
Airfoil *normalizedAirfoil(int n, const double *x, const double *y);
// A new camber line of n panels with its ordinates taken from the airfoil's contour.
Camberline *camberlineOf(Airfoil *airfoil, int n, double leDensity, double teDensity);
// The six coefficients cl0, alpha0, cm0, dclda, alphaSF, clSF into coeff[0 ... 5].
void computeCoefficients(Camberline *line, double *coeff);
// The angle of panel i in degrees, positive where it falls towards the trailing edge.
double panelAngleDegrees(Camberline *line, int i);

#endif // LIFTWISE_ANALYSIS_H
