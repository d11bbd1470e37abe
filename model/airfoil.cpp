#include "airfoil.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

namespace {

// Coordinates up to this size, before and after normalising, keep every spline value and
// camber ordinate far from overflow.
const double kLargest = 1e300;

bool tame(double v) { return std::fabs(v) <= kLargest; }

std::string fixed2(double v)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.2f", v);
    return text;
}

std::string fixed3(double v)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.3f", v);
    return text;
}

} // namespace

// Where normalize() moves the contour.
struct Airfoil::Frame
{
    double xle;
    double yle;
    int extendedEnd; // the trailing-edge end moved out to the other's x, or -1
    double xEnd;
    double yEnd;
    double chord;
    double h; // height of the trailing-edge midpoint above the leading edge

    // Translation of the leading edge to the origin, x to the unit chord, a shear that brings
    // the trailing-edge midpoint onto the axis, then y to the same scale as x.
    void place(double x, double y, double *xn, double *yn) const
    {
        *xn = (x - xle) / chord;
        *yn = ((y - yle) - *xn * h) / chord;
    }
};

Airfoil::Airfoil(int n, const double *x, const double *y)
    : xcoord(x, x + std::max(n, 0))
    , ycoord(y, y + std::max(n, 0))
    , xs(npoints(), xcoord.data())
    , ys(npoints(), ycoord.data())
    , xy(&xs, &ys)
{
}

int Airfoil::npoints() const { return int(xcoord.size()); }

double Airfoil::px(int i) const { return i >= 0 && i < npoints() ? xcoord[i] : 0.0; }

double Airfoil::py(int i) const { return i >= 0 && i < npoints() ? ycoord[i] : 0.0; }

std::string Airfoil::findFrame(Frame *frame) const
{
    const int n = npoints();
    if (n < 2)
        return "the contour has fewer than 2 points";
    for (int j = 0; j < n; ++j) {
        if (!std::isfinite(xcoord[j]) || !std::isfinite(ycoord[j]))
            return "the contour has non-finite coordinates";
        if (!tame(xcoord[j]) || !tame(ycoord[j]))
            return "the contour has coordinates beyond 1e300";
    }

    // 1. Leading edge: the lowest stationary value of x(t), the first of equal ones.
    std::vector<double> stationary(2 * n);
    const int count = xs.findExtrema(stationary.data(), 2 * n);
    if (count == 0)
        return "no leading edge found";
    frame->xle = xs.f(stationary[0]);
    frame->yle = ys.f(stationary[0]);
    for (int k = 1; k < count; ++k) {
        const double xk = xs.f(stationary[k]);
        if (xk < frame->xle) {
            frame->xle = xk;
            frame->yle = ys.f(stationary[k]);
        }
    }

    // 2. Trailing edge: the end with the smaller x is extended along its last segment to the
    //    x of the other end. Equal ends stay as they are.
    const double *x = xcoord.data();
    const double *y = ycoord.data();
    double xte = x[0];
    frame->extendedEnd = -1;
    if (x[n - 1] > x[0]) {
        if (x[0] == x[1])
            return "the first two points have equal x, so the trailing edge cannot be extended";
        const double lambda = (x[n - 1] - x[1]) / (x[0] - x[1]);
        frame->extendedEnd = 0;
        frame->xEnd = (x[0] - x[1]) * lambda + x[1];
        frame->yEnd = (y[0] - y[1]) * lambda + y[1];
        xte = x[n - 1];
    } else if (x[n - 1] < x[0]) {
        if (x[n - 1] == x[n - 2])
            return "the last two points have equal x, so the trailing edge cannot be extended";
        const double mu = (x[0] - x[n - 2]) / (x[n - 1] - x[n - 2]);
        frame->extendedEnd = n - 1;
        frame->xEnd = (x[n - 1] - x[n - 2]) * mu + x[n - 2];
        frame->yEnd = (y[n - 1] - y[n - 2]) * mu + y[n - 2];
    }

    // 3. Chord and shear, with the aligned ends.
    frame->chord = xte - frame->xle;
    if (frame->chord == 0.0)
        return "the chord is zero";
    // A contour that starts at its nose, part way along a surface, or lists both surfaces
    // from the nose would be analysed turned round, cut short or stretched: its ends are not
    // the trailing edge.
    const char *endsNotAtTrailingEdge
        = "the contour does not start and end at its trailing edge, behind its leading edge";
    if (frame->chord < 0.0)
        return endsNotAtTrailingEdge;
    // Ends a little apart are extended; ends a quarter of the chord apart are a contour cut
    // short (an interrupted download), whose camber the extension would make up.
    if (std::fabs(x[n - 1] - x[0]) > 0.25 * frame->chord) {
        const int shortEnd = x[0] < x[n - 1] ? 0 : n - 1;
        const double reached = (x[shortEnd] - frame->xle) / frame->chord;
        if (reached < 0.25)
            return endsNotAtTrailingEdge;
        return "the " + surfaceOf(shortEnd) + " surface ends at x = " + fixed3(reached)
            + ", too far from the trailing edge to be extended";
    }
    const double yFirst = frame->extendedEnd == 0 ? frame->yEnd : y[0];
    const double yLast = frame->extendedEnd == n - 1 ? frame->yEnd : y[n - 1];
    frame->h = (yFirst + yLast) * 0.5 - frame->yle;

    // 4. Every point must come out at a size the rebuilt splines can take.
    for (int j = 0; j < n; ++j) {
        double xn;
        double yn;
        if (j == frame->extendedEnd)
            frame->place(frame->xEnd, frame->yEnd, &xn, &yn);
        else
            frame->place(x[j], y[j], &xn, &yn);
        if (!tame(xn) || !tame(yn))
            return "the contour is too large for its chord";
        if (xn > 1.01)
            return endsNotAtTrailingEdge;
    }
    return std::string();
}

bool Airfoil::upperSurfaceFirst() const
{
    // Round the contour the way airfoil files list it, over the upper surface first, the
    // enclosed area is positive.
    const int n = npoints();
    double area = 0.0;
    for (int i = 0; i < n; ++i) {
        const int j = (i + 1) % n;
        area += xcoord[i] * ycoord[j] - xcoord[j] * ycoord[i];
    }
    return area >= 0.0;
}

std::string Airfoil::surfaceOf(int end) const
{
    return (end == 0) == upperSurfaceFirst() ? "upper" : "lower";
}

std::string Airfoil::normalizationWarning() const
{
    std::string warning;
    if (extendedEnd >= 0 && 1.0 - extendedFrom > 0.02)
        warning = "the " + surfaceOf(extendedEnd) + " surface ends at x = " + fixed3(extendedFrom)
            + " and is extended to the trailing edge";
    // Normalising shears the contour rather than rotating it: the mean of the surfaces at each
    // x and the foremost point are those of the tilted contour, about 1 % of cm0 at 1.5 deg.
    if (std::fabs(tilt) > MaxLevelTilt) {
        if (!warning.empty())
            warning += "; ";
        warning += "the chord is tilted " + fixed2(std::fabs(tilt) * 57.29577951308232)
            + " deg and sheared level, not rotated: the coefficients are those of the sheared "
              "section";
    }
    return warning;
}

std::string Airfoil::normalize()
{
    Frame frame;
    const std::string problem = findFrame(&frame);
    if (!problem.empty())
        return problem;
    extendedEnd = frame.extendedEnd;
    tilt = std::atan2(frame.h, frame.chord);
    chord = frame.chord;
    if (extendedEnd >= 0) {
        extendedFrom = (xcoord[extendedEnd] - frame.xle) / frame.chord;
        xcoord[extendedEnd] = frame.xEnd;
        ycoord[extendedEnd] = frame.yEnd;
    }
    for (int j = 0; j < npoints(); ++j)
        frame.place(xcoord[j], ycoord[j], &xcoord[j], &ycoord[j]);
    // The curve keeps pointing at the two splines, rebuilt in place.
    xs = Spline(npoints(), xcoord.data());
    ys = Spline(npoints(), ycoord.data());
    return std::string();
}
