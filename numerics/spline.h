#ifndef LIFTWISE_SPLINE_H
#define LIFTWISE_SPLINE_H

#include <vector>

// Natural cubic interpolating spline through n values at t = 0, 1, ..., n - 1.
// Evaluated on the closed range 0 <= t <= n - 1; 0.0 everywhere else.
class Spline
{
public:
    // Copies n values; n < 1 gives an empty spline that evaluates to 0.0.
    Spline(int n, const double *values);

    // y(t) for 0 <= t <= n - 1, the last knot's value at n - 1; 0.0 outside and for NaN.
    double f(double t) const;
    // dy/dt, same range rule as f.
    double dfdt(double t) const;
    // Parameters of the zeros of dy/dt, segment by segment, in [0, n - 1]; a root within
    // 1e-9 outside its segment is clamped onto it, so one on a knot is reported by both
    // neighbouring segments. Writes at most capacity - 1.
    int findExtrema(double *out, int capacity) const;
    // Parameters where y(t) crosses v, in increasing order: samples every 0.05 over [0, n - 1],
    // a crossing between two samples refined inside them (Newton, else bisection), a sample
    // equal to v taken where the curve crosses there (and at either end); two crossings within
    // one sample interval cancel out. Writes at most capacity - 1.
    int findInverse(double v, double *out, int capacity) const;
    // Number of knots.
    int length() const;
    // Second derivatives at the knots, zero at both ends.
    const std::vector<double> &secondDerivatives() const { return d2; }

private:
    void computeDerivatives();
    // The values findInverse scans, which do not depend on what it looks for, and the range of
    // each block of them.
    void computeSamples();
    static constexpr int BlockSamples = 32;
    std::vector<double> samples;
    std::vector<double> blockLow;
    std::vector<double> blockHigh;
    // The root of y(t) = v between lo and hi, where y(lo) = flo and y(hi) = fhi lie on either
    // side of v.
    double refineInverse(double v, double lo, double flo, double hi, double fhi) const;

    // Set once by the constructor, with the caches above: the spline cannot go stale.
    int n;
    std::vector<double> value;
    std::vector<double> d2;
};

// Plane curve (x(t), y(t)) over two splines that it does not own.
class Spline2D
{
public:
    Spline2D(const Spline *xSpline, const Spline *ySpline);

    double fx(double t) const;
    double fy(double t) const;
    // Knot count of the x spline.
    int length() const;

private:
    const Spline *xSpline;
    const Spline *ySpline;
};

#endif // LIFTWISE_SPLINE_H
