#ifndef LIFTWISE_SECTIONOPS_H
#define LIFTWISE_SECTIONOPS_H

#include <string>
#include <vector>

class Airfoil;

// What a designer does to a whole section, on the normalised contour as Liftwise reads it: the
// camber as the mean of the two surfaces and the thickness between them, vertically at the same
// x. Each gives the points of a new contour in the order of airfoil files, from the trailing
// edge over the upper surface to the leading edge and back, the surfaces taken at cosine-spaced
// stations: the upper one at upperStations, the lower one at lowerStations, the nose shared.
struct SectionPoints
{
    std::vector<double> x;
    std::vector<double> y;
    // Why the contour could not be taken apart into its two surfaces at every station; empty
    // when the points are whole.
    std::string problem;
};

// The camber scaled by factor, the thickness kept; or the thickness scaled, the camber kept.
SectionPoints scaledCamber(const Airfoil &airfoil, double factor, int stations = 121);
SectionPoints scaledThickness(const Airfoil &airfoil, double factor, int stations = 121);
// The camber lines and thicknesses of the two sections blended at the same stations: weight 0
// is the first, 1 the second.
SectionPoints blended(
    const Airfoil &first, const Airfoil &second, double weight, int stations = 121);
// The largest camber moved to x = at (0.1 to 0.9) by the smooth mapping x -> x^p, which keeps
// both ends; the thickness kept at each x. A flat line stays flat.
SectionPoints cambersAt(const Airfoil &airfoil, double at, int stations = 121);
// The trailing edge opened or closed to gap (chords), the thickness changed over the rear half
// only, by the square of the way along it.
SectionPoints withTrailingEdgeGap(const Airfoil &airfoil, double gap, int stations = 121);
// The same section at points of its own count, 40 to 999: the spline's contour taken again.
SectionPoints repaneled(const Airfoil &airfoil, int points);
constexpr int MinRepanelPoints = 40;

#endif // LIFTWISE_SECTIONOPS_H
