#ifndef LIFTWISE_NACA_H
#define LIFTWISE_NACA_H

#include <vector>

// A NACA 4-digit section on the unit chord: camber m and its position p in chords, thickness
// t in chords (NACA 2412: m = 0.02, p = 0.4, t = 0.12). Cosine-spaced stations, Selig order:
// from the trailing edge over the upper surface to the leading edge and back, 2 * stations - 1
// points with the leading edge once. closedTrailingEdge uses the -0.1036 coefficient in the
// thickness law instead of -0.1015.
struct NacaSection
{
    std::vector<double> x;
    std::vector<double> y;
};
NacaSection nacaFourDigit(double m, double p, double t, int stations, bool closedTrailingEdge);

#endif // LIFTWISE_NACA_H
