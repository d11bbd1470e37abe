#ifndef LIFTWISE_AIRFOIL_H
#define LIFTWISE_AIRFOIL_H

#include <string>

class Spline;
class Spline2D;

// Airfoil contour: the points in file order, a spline of x and one of y over the point
// index, and the plane curve of the two.
class Airfoil
{
public:
    // Copies n points; builds the splines and the curve. Does not normalise.
    Airfoil(int n, double *x, double *y);
    ~Airfoil();
    Airfoil(const Airfoil &) = delete;
    Airfoil &operator=(const Airfoil &) = delete;

    // Why the n points cannot be analysed, in the user's words; empty when they can.
    // Checks exactly what normalize() relies on.
    static std::string analysisProblem(int n, const double *x, const double *y);

    int npoints();
    // Coordinates of point i; 0.0 outside 0 <= i < n.
    double px(int i);
    double py(int i);
    // Leading edge (the lowest stationary point of x(t)) to (0, 0), trailing-edge ends to
    // x = 1 with their midpoint on y = 0, x and y in chord lengths; rebuilds the splines and
    // the curve. Leaves a contour that analysisProblem() rejects as it is.
    void normalize();

    Spline2D *curve;
    Spline *xSpline;
    Spline *ySpline;
    int n;
    double *xcoord;
    double *ycoord;
    // The trailing-edge end that normalize() extended to the other's x (0 or n - 1, -1 for
    // none), and the x in chords where it ended before.
    int extendedEnd = -1;
    double extendedFrom = 1.0;

    // What the user should know of how normalize() went, or an empty string: a trailing-edge
    // end extended by more than 2 % of the chord.
    std::string normalizationWarning() const;

private:
    struct Frame;
    std::string findFrame(Frame *frame);
    // "upper" or "lower": the surface that ends at point end (0 or n - 1).
    std::string surfaceOf(int end) const;
};

// Paneled mean line on the unit chord: n panels between n + 1 stations clustered towards
// both ends by an arctangent mapping.
class Camberline
{
public:
    // n >= 1 panels; densities > 0 (the window offers 1.0 to 10.0).
    Camberline(int n, double leDensity, double teDensity);
    ~Camberline();
    Camberline(const Camberline &) = delete;
    Camberline &operator=(const Camberline &) = delete;

    // n + 1.
    int npoints();
    // Station i in chord lengths; 0.0 outside 0 <= i <= n.
    double xpoint(int i);
    // Ordinate i; 0.0 outside 0 <= i <= n.
    double ypoint(int i);
    // Sets ordinate i; ignored outside 0 <= i <= n.
    void sety(int i, double v);
    // Ordinates as the mean of upper and lower contour at each station; 0 where the
    // contour is not crossed exactly twice.
    void computePoints(Airfoil *airfoil);
    // Discrete-vortex thin-airfoil coefficients; angles in radians, slope per radian,
    // moment about the quarter chord. Also writes panelAngle.
    void computeCoeff(
        double *cl0, double *alpha0, double *cm0, double *dclda, double *alphaSF, double *clSF);

    int npanels;
    double *x;
    double *y;
    double *panelAngle;
};

#endif // LIFTWISE_AIRFOIL_H
