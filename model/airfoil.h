#ifndef LIFTWISE_AIRFOIL_H
#define LIFTWISE_AIRFOIL_H

#include "spline.h"

#include <string>
#include <vector>

// Airfoil contour: the points in file order, a spline of x and one of y over the point
// index, and the plane curve of the two. Neither copied nor moved: the curve points into it.
class Airfoil
{
public:
    // Copies n points; builds the splines and the curve. Does not normalise.
    Airfoil(int n, const double *x, const double *y);
    Airfoil(const Airfoil &) = delete;
    Airfoil &operator=(const Airfoil &) = delete;

    int npoints() const;
    // Coordinates of point i; 0.0 outside 0 <= i < n.
    double px(int i) const;
    double py(int i) const;
    // Leading edge (the lowest stationary point of x(t)) to (0, 0), trailing-edge ends to
    // x = 1 with their midpoint on y = 0, x and y in chord lengths; rebuilds the splines and
    // the curve. A contour that cannot be analysed is left as it is, and why is returned in
    // the user's words; an empty string when it is normalised.
    std::string normalize();
    // What the user should know of how normalize() went, or an empty string: a trailing-edge
    // end extended by more than 2 % of the chord, and a chord tilted by more than
    // MaxLevelTilt, each in a sentence of its own, joined by "; ".
    std::string normalizationWarning() const;
    // The angle of the chord, from the leading edge to the trailing-edge midpoint, against the
    // x axis before normalize() sheared it level, in radians, positive where the trailing edge
    // lies higher; 0 before a normalize().
    double chordTilt() const { return tilt; }
    // The tilt beyond which the shear is warned of (1 degree): there the sheared section's cm0
    // lies about half a per cent from that of the section rotated level, and more with the tilt.
    static constexpr double MaxLevelTilt = 0.017453292519943295;
    // The chord's length along x before normalize(), in the file's units; 1 before one.
    double chordLength() const { return chord; }

    // Whether the points run from the trailing edge over the upper surface first.
    bool upperSurfaceFirst() const;

    const Spline &xSpline() const { return xs; }
    const Spline &ySpline() const { return ys; }
    const Spline2D &curve() const { return xy; }

private:
    struct Frame;
    std::string findFrame(Frame *frame) const;
    // "upper" or "lower": the surface that ends at point end (0 or n - 1).
    std::string surfaceOf(int end) const;

    std::vector<double> xcoord;
    std::vector<double> ycoord;
    Spline xs;
    Spline ys;
    Spline2D xy;
    // The trailing-edge end normalize() extended to the other's x (0 or n - 1, -1 for none),
    // and the x in chords where it ended before.
    int extendedEnd = -1;
    double extendedFrom = 1.0;
    double tilt = 0.0;
    double chord = 1.0;
};

#endif // LIFTWISE_AIRFOIL_H
