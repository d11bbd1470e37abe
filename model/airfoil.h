#ifndef LIFTWISE_AIRFOIL_H
#define LIFTWISE_AIRFOIL_H

#include "paneling.h"
#include "spline.h"

#include <string>
#include <vector>

struct Coefficients;

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
    // end extended by more than 2 % of the chord.
    std::string normalizationWarning() const;

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
};

// Paneled mean line on the unit chord: n panels between n + 1 stations clustered towards
// both ends by an arctangent mapping.
class Camberline
{
public:
    // The stations of the paneling (at least one panel; densities > 0), every ordinate 0.
    explicit Camberline(const Paneling &paneling);
    Camberline(int n, double leDensity, double teDensity);

    const Paneling &paneling() const { return p; }
    // n + 1.
    int npoints() const;
    // Station i in chord lengths; 0.0 outside 0 <= i <= n.
    double xpoint(int i) const;
    // Ordinate i; 0.0 outside 0 <= i <= n.
    double ypoint(int i) const;
    // Sets ordinate i; ignored outside 0 <= i <= n.
    void sety(int i, double v);
    // Angle of panel i against the chord in radians, positive where the line falls towards
    // the trailing edge.
    double panelAngle(int i) const;
    const std::vector<double> &stations() const { return x; }
    const std::vector<double> &ordinates() const { return y; }
    // Ordinates as the mean of upper and lower contour at each station; 0 where the
    // contour is not crossed exactly twice.
    void computePoints(const Airfoil &airfoil);
    // The discrete-vortex coefficients (see vortexmethod.h) into six doubles; angles in
    // radians, slope per radian, moment about the quarter chord.
    void computeCoeff(double *cl0, double *alpha0, double *cm0, double *dclda, double *alphaSF,
        double *clSF) const;

private:
    Paneling p;
    std::vector<double> x;
    std::vector<double> y;
};

#endif // LIFTWISE_AIRFOIL_H
