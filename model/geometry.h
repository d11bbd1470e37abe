#ifndef LIFTWISE_GEOMETRY_H
#define LIFTWISE_GEOMETRY_H

class Airfoil;

// The section's shape as designers quote it, in chords, measured on the normalised contour at
// the same x and vertical to its chord: thickness between the two surfaces, camber as their
// mean (the camber line the coefficients come from), and the gap between the trailing-edge
// ends.
struct SectionGeometry
{
    double maxThickness = 0.0;
    double maxThicknessX = 0.0;
    double maxCamber = 0.0; // the largest in magnitude, with its sign
    double maxCamberX = 0.0;
    double trailingEdgeGap = 0.0;
};

// The upper and the lower surface's y at x, where the contour crosses x exactly twice.
bool surfacesAt(const Airfoil &airfoil, double x, double *upper, double *lower);

// The geometry of a normalised airfoil; positions to better than 0.1 % of the chord.
SectionGeometry geometryOf(const Airfoil &airfoil);

#endif // LIFTWISE_GEOMETRY_H
