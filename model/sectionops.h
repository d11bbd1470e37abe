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

// The contour behind x = hinge turned about the hinge point on the camber line by deflection
// (radians, positive trailing edge down). On the side that closes, the points that would
// overlap go and the two surfaces meet where they cross; on the side that opens, a circular arc
// about the hinge joins them. The hinge is a station of both surfaces.
SectionPoints flapped(const Airfoil &airfoil, double hinge, double deflection, int stations = 121);
constexpr double MinFlapHinge = 0.5;
constexpr double MaxFlapHinge = 0.95;
constexpr double MaxFlapDegrees = 30.0;

// A section's zero-lift angle (radians) and moment, or the change of the two.
struct ZeroLift
{
    double alpha0 = 0.0;
    double cm0 = 0.0;
};
// Glauert's change of a thin section's zero-lift angle and moment by a flap hinged at
// x_h = (1 - cos theta_h) / 2 and deflected by deflection (radians), in the unflapped chord's
// frame: -(pi - theta_h + sin theta_h) / pi and -sin theta_h (1 - cos theta_h) / 2, each times
// the deflection.
ZeroLift glauertFlapChange(double hinge, double deflection);
// A section's alpha0 and cm0 as Liftwise gives them, from its own chord, taken back to the
// frame its contour had before normalize() levelled it (for a flapped section read from its
// file, the unflapped chord's): the angle plus the chord's tilt, the moment times the square of
// the chord's length there, a zero-lift moment being a couple.
ZeroLift inFileFrame(const Airfoil &normalised, const ZeroLift &own);

#endif // LIFTWISE_SECTIONOPS_H
