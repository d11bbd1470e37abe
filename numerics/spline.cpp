#include "spline.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

// Roots of dy/dt that rounding pushes just outside their segment still belong to it.
const double kSegmentSlack = 1e-9;
// Newton refinement in findInverse: stop when a step is this small; give up after kMaxSteps.
const double kNewtonTolerance = 1e-06;
const int kMaxSteps = 50;

} // namespace

Spline::Spline(int n, const double *values)
    : n(n > 0 ? n : 0)
    , value(values, values + this->n)
    , d2(this->n, 0.0)
{
    computeDerivatives();
    computeSamples();
}

void Spline::computeDerivatives()
{
    // Natural spline on unit knot spacing: M[0] = M[n - 1] = 0 and, for the interior knots,
    // (M[k - 1] + 4 M[k] + M[k + 1]) / 6 = y[k - 1] - 2 y[k] + y[k + 1]. Tridiagonal
    // elimination without pivoting (the system is diagonally dominant).
    if (n < 3)
        return;
    std::vector<double> p(n);
    // 1. Forward sweep: p[k] is the eliminated diagonal, M[k] the eliminated right-hand
    //    side divided by it.
    for (int k = 1; k <= n - 2; ++k) {
        const double w = k == 1 ? 0.0 : (1.0 / 6.0) / p[k - 1];
        p[k] = (4.0 - w) / 6.0;
        d2[k] = (value[k - 1] - 2.0 * value[k] + value[k + 1] + d2[k - 1] / (-6.0)) / p[k];
    }
    // 2. Back substitution; M[n - 2] keeps its forward value.
    for (int k = n - 3; k >= 1; --k)
        d2[k] = d2[k] - ((1.0 / 6.0) / p[k]) * d2[k + 1];
}

void Spline::computeSamples()
{
    // f(k * 0.05), a segment at a time in a loop the compiler vectorises. Every sample of
    // segment i lies in it (0.05 is stored a little above 1/20, so 20 i * 0.05 is never below
    // i), so these are f's values bit for bit; the last is the last knot, f(n - 1).
    if (n < 2)
        return;
    samples.resize(20 * (n - 1) + 1);
    for (int i = 0; i <= n - 2; ++i) {
        const double y0 = value[i];
        const double y1 = value[i + 1];
        const double m0 = d2[i];
        const double m1 = d2[i + 1];
        double *segment = samples.data() + 20 * i;
        for (int j = 0; j < 20; ++j) {
            const double s = (20 * i + j) * 0.05 - i;
            const double r = 1.0 - s;
            segment[j] = r * y0 + s * y1 + (r * r * r - r) / 6.0 * m0 + (s * s * s - s) / 6.0 * m1;
        }
    }
    samples.back() = value[n - 1];

    // The range of each block of samples k = b B ... (b + 1) B, the ends shared with the
    // neighbouring blocks, for the intervals ending at k = b B + 1 ... (b + 1) B. A block
    // holding a NaN has no range and is never passed over.
    const int last = int(samples.size()) - 1;
    const int blocks = (last + BlockSamples - 1) / BlockSamples;
    blockLow.assign(blocks, 0.0);
    blockHigh.assign(blocks, 0.0);
    for (int b = 0; b < blocks; ++b) {
        double low = samples[b * BlockSamples];
        double high = low;
        for (int k = b * BlockSamples; k <= std::min((b + 1) * BlockSamples, last); ++k) {
            low = std::isnan(samples[k]) || std::isnan(low) ? NAN : std::min(low, samples[k]);
            high = std::isnan(samples[k]) || std::isnan(high) ? NAN : std::max(high, samples[k]);
        }
        blockLow[b] = std::isnan(low) ? -INFINITY : low;
        blockHigh[b] = std::isnan(high) ? INFINITY : high;
    }
}

double Spline::f(double t) const
{
    // The negated test also rejects NaN; t <= n - 1 keeps floor(t) within int range.
    if (!(t >= 0.0 && t <= n - 1))
        return 0.0;
    if (n == 1)
        return value[0];
    // t = n - 1 belongs to the last segment, at s = 1, where the formula gives the last knot.
    const int i = std::min(static_cast<int>(std::floor(t)), n - 2);
    const double s = t - i;
    const double r = 1.0 - s;
    return r * value[i] + s * value[i + 1] + (r * r * r - r) / 6.0 * d2[i]
        + (s * s * s - s) / 6.0 * d2[i + 1];
}

double Spline::dfdt(double t) const
{
    if (!(t >= 0.0 && t <= n - 1) || n == 1)
        return 0.0;
    const int i = std::min(static_cast<int>(std::floor(t)), n - 2);
    const double s = t - i;
    const double r = 1.0 - s;
    return (value[i + 1] - value[i]) + (1.0 - 3.0 * r * r) / 6.0 * d2[i]
        + (3.0 * s * s - 1.0) / 6.0 * d2[i + 1];
}

int Spline::findExtrema(double *out, int capacity) const
{
    if (n < 2)
        return 0;
    int count = 0;
    for (int i = 0; i <= n - 2; ++i) {
        // On segment i, dy/dt = (b - a) / 2 s^2 + a s + (y[i + 1] - y[i] - a / 3 - b / 6).
        const double a = d2[i];
        const double b = d2[i + 1];
        // 1. Three times the discriminant; a double root (D = 0) is no extremum.
        const double D = a * a + a * b + b * b - 6.0 * (value[i] - value[i + 1]) * (a - b);
        if (!(D > 0.0))
            continue;
        const double S = std::sqrt(3.0 * D);
        // 2. Both roots, s1 before s2. With a = b they are not finite and fail the test.
        const double roots[2] = {(3.0 * a - S) / (3.0 * (a - b)), (3.0 * a + S) / (3.0 * (a - b))};
        for (double s : roots) {
            // 3. A root on a knot can land a few ulps outside [0, 1]; take it in, clamped.
            if (!(s >= -kSegmentSlack && s <= 1.0 + kSegmentSlack) || count + 1 >= capacity)
                continue;
            out[count++] = i + std::fmin(std::fmax(s, 0.0), 1.0);
        }
    }
    return count;
}

int Spline::findInverse(double v, double *out, int capacity) const
{
    if (n < 2)
        return 0;
    // The samples t = k * 0.05, k = 0 ... 20 (n - 1), the last at t = n - 1 itself. A crossing
    // inside the interval before a sample comes before one on the sample.
    int count = 0;
    const auto keep = [&](double root) {
        if (count + 1 < capacity)
            out[count++] = root;
    };
    const double *f = samples.data();
    const int last = 20 * (n - 1);
    if (f[0] == v && !(f[1] == v))
        keep(0.0);
    for (int k = 1; k <= last; ++k) {
        // A block whose samples all lie on one side of v holds neither a crossing nor a
        // sample on v: most of the contour is passed over a block at a time.
        const int block = (k - 1) / BlockSamples;
        if (k == block * BlockSamples + 1 && !(v >= blockLow[block] && v <= blockHigh[block])) {
            k += BlockSamples - 1;
            continue;
        }
        const double t = k * 0.05;
        // 1. A sample equal to v between neighbours strictly on either side is the root; one
        //    where the curve only touches v is none.
        if (k >= 2 && f[k - 1] == v && ((f[k - 2] < v && v < f[k]) || (f[k - 2] > v && v > f[k])))
            keep(t - 0.05);
        // 2. A crossing strictly inside the interval ending at the sample.
        if (((f[k - 1] > v && v > f[k]) || (f[k - 1] < v && v < f[k])) && count + 1 < capacity)
            out[count++] = refineInverse(v, t - 0.05, f[k - 1], t, f[k]);
    }
    // 3. The end sample has no right neighbour: on v, it is a root unless the curve arrives
    //    there along v.
    if (f[last] == v && !(f[last - 1] == v))
        keep(n - 1);
    return count;
}

double Spline::refineInverse(double v, double lo, double flo, double hi, double fhi) const
{
    // 1. Newton from the linear interpolation between the bracketing samples, as long as it
    //    stays inside the bracket.
    double t = hi - 0.05 * (v - fhi) / (flo - fhi);
    for (int step = 0; step < kMaxSteps; ++step) {
        const double dt = (v - f(t)) / dfdt(t);
        t += dt;
        if (!std::isfinite(dt) || !(t >= lo && t <= hi))
            break;
        if (std::fabs(dt) < kNewtonTolerance)
            return t;
    }
    // 2. Otherwise bisection, which cannot leave it: f - v changes sign between lo and hi.
    const bool rising = flo < fhi;
    for (int step = 0; step < 64 && hi - lo > kNewtonTolerance * 1e-6; ++step) {
        const double mid = 0.5 * (lo + hi);
        if ((f(mid) < v) == rising)
            lo = mid;
        else
            hi = mid;
    }
    return 0.5 * (lo + hi);
}

int Spline::length() const { return n; }

Spline2D::Spline2D(const Spline *xSpline, const Spline *ySpline)
    : xSpline(xSpline)
    , ySpline(ySpline)
{
}

double Spline2D::fx(double t) const { return xSpline->f(t); }

double Spline2D::fy(double t) const { return ySpline->f(t); }

int Spline2D::length() const { return xSpline->length(); }
