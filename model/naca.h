#ifndef LIFTWISE_NACA_H
#define LIFTWISE_NACA_H

#include <functional>
#include <string>
#include <vector>

// A mean line on the unit chord from its closed form: its ordinate and its slope at x.
struct MeanLine
{
    std::function<double(double)> y;
    std::function<double(double)> slope;
};

// The NACA 4-digit mean line: camber m at p (chords); flat where either is zero.
MeanLine fourDigitMeanLine(double m, double p);
// The NACA 5-digit mean line of the three digits LPQ (230, 231): design lift 0.15 L, the largest
// camber near 0.05 P, Q = 1 for the reflexed line whose moment about the quarter chord is nearly
// zero. The tabulated constants are those of L = 2, scaled by L / 2. Empty y where the digits
// name no line (P outside 1 to 5, a reflexed P of 1, Q above 1, L of 0).
MeanLine fiveDigitMeanLine(int l, int p, int q);
// The NACA a-series mean line: uniform load from the leading edge to a (0 to 1), falling
// linearly to zero at the trailing edge, for the design lift coefficient cl.
MeanLine aSeriesMeanLine(double a, double cl);

// A section on the unit chord: the mean line with the NACA 4-digit thickness law of thickness
// t (chords) laid off perpendicular to it. Cosine-spaced stations, Selig order: from the trailing
// edge over the upper surface to the leading edge and back, 2 * stations - 1 points with the
// leading edge once. closedTrailingEdge uses the -0.1036 coefficient in the thickness law instead
// of -0.1015.
struct NacaSection
{
    std::vector<double> x;
    std::vector<double> y;
};
NacaSection nacaSection(const MeanLine &meanLine, double t, int stations, bool closedTrailingEdge);
// A NACA 4-digit section (NACA 2412: m = 0.02, p = 0.4, t = 0.12).
NacaSection nacaFourDigit(double m, double p, double t, int stations, bool closedTrailingEdge);

#endif // LIFTWISE_NACA_H
