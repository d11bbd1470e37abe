#ifndef LIFTWISE_SPLINE_H
#define LIFTWISE_SPLINE_H

// Natural cubic interpolating spline through n values at t = 0, 1, ..., n - 1.
// Evaluated on the half-open range 0 <= t < n - 1; 0.0 everywhere else.
class Spline
{
public:
    // Copies n values; n < 1 gives an empty spline that evaluates to 0.0.
    Spline(int n, double *values);
    ~Spline();
    Spline(const Spline &) = delete;
    Spline &operator=(const Spline &) = delete;

    // Second derivatives at the knots, zero at both ends.
    void computeDerivatives();
    // y(t) for 0 <= t < n - 1; 0.0 outside, for non-finite t and t beyond int range.
    double f(double t);
    // dy/dt, same range rule as f.
    double dfdt(double t);
    // Parameters of the zeros of dy/dt, segment by segment, in [0, n - 1]; a root within
    // 1e-9 outside its segment is clamped onto it, so one on a knot is reported by both
    // neighbouring segments. Writes at most capacity - 1.
    int findExtrema(double *out, int capacity);
    // Parameters where y(t) == v, found by 0.05 sampling over [0, n - 1.05] and Newton
    // refinement; crossings within one sample interval or exactly on a sample are missed,
    // and a root whose refinement does not settle is dropped. Writes at most capacity - 1.
    int findInverse(double v, double *out, int capacity);
    // Number of knots.
    int length();

    int n;
    double *value;
    double *d2;

private:
    // Newton on y(t) = v from t; writes the root and returns true if the steps settle.
    bool refineInverse(double v, double t, double *root);
};

// Plane curve (x(t), y(t)) over two splines that it does not own.
class Spline2D
{
public:
    Spline2D(Spline *xSpline, Spline *ySpline);

    double fx(double t);
    double fy(double t);
    // Knot count of the x spline.
    int length();

    int n;
    Spline *xSpline;
    Spline *ySpline;
};

#endif // LIFTWISE_SPLINE_H
