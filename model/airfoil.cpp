#include "airfoil.h"

#include "linalgebra.h"
#include "spline.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <memory>
#include <vector>

namespace {

// Coordinates up to this size, before and after normalising, keep every spline value and
// camber ordinate far from overflow.
const double kLargest = 1e300;
const double kTwoPi = 6.283185307179586;

bool tame(double v) { return std::fabs(v) <= kLargest; }

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

Airfoil::Airfoil(int n, double *x, double *y)
    : n(n > 0 ? n : 0)
    , xcoord(new double[this->n])
    , ycoord(new double[this->n])
{
    std::copy(x, x + this->n, xcoord);
    std::copy(y, y + this->n, ycoord);
    xSpline = new Spline(this->n, xcoord);
    ySpline = new Spline(this->n, ycoord);
    curve = new Spline2D(xSpline, ySpline);
}

Airfoil::~Airfoil()
{
    delete curve;
    delete xSpline;
    delete ySpline;
    delete[] xcoord;
    delete[] ycoord;
}

std::string Airfoil::analysisProblem(int n, const double *x, const double *y)
{
    // The airfoil takes copies; the caller's arrays stay as they are.
    const int count = std::max(n, 0);
    std::vector<double> xs(x, x + count);
    std::vector<double> ys(y, y + count);
    Airfoil airfoil(count, xs.data(), ys.data());
    Frame frame;
    return airfoil.findFrame(&frame);
}

int Airfoil::npoints() { return n; }

double Airfoil::px(int i) { return i >= 0 && i < n ? xcoord[i] : 0.0; }

double Airfoil::py(int i) { return i >= 0 && i < n ? ycoord[i] : 0.0; }

std::string Airfoil::findFrame(Frame *frame)
{
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
    const int count = xSpline->findExtrema(stationary.data(), 2 * n);
    if (count == 0)
        return "no leading edge found";
    frame->xle = xSpline->f(stationary[0]);
    frame->yle = ySpline->f(stationary[0]);
    for (int k = 1; k < count; ++k) {
        const double xs = xSpline->f(stationary[k]);
        if (xs < frame->xle) {
            frame->xle = xs;
            frame->yle = ySpline->f(stationary[k]);
        }
    }

    // 2. Trailing edge: the end with the smaller x is extended along its last segment to the
    //    x of the other end. Equal ends stay as they are.
    const double *x = xcoord;
    const double *y = ycoord;
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

std::string Airfoil::surfaceOf(int end) const
{
    // Round the contour the way airfoil files list it, over the upper surface first, the
    // enclosed area is positive.
    double area = 0.0;
    for (int i = 0; i < n; ++i) {
        const int j = (i + 1) % n;
        area += xcoord[i] * ycoord[j] - xcoord[j] * ycoord[i];
    }
    return (end == 0) == (area > 0.0) ? "upper" : "lower";
}

std::string Airfoil::normalizationWarning() const
{
    if (extendedEnd < 0 || !(1.0 - extendedFrom > 0.02))
        return std::string();
    return "the " + surfaceOf(extendedEnd) + " surface ends at x = " + fixed3(extendedFrom)
        + " and is extended to the trailing edge";
}

void Airfoil::normalize()
{
    Frame frame;
    if (!findFrame(&frame).empty())
        return;
    extendedEnd = frame.extendedEnd;
    if (extendedEnd >= 0) {
        extendedFrom = (xcoord[extendedEnd] - frame.xle) / frame.chord;
        xcoord[extendedEnd] = frame.xEnd;
        ycoord[extendedEnd] = frame.yEnd;
    }
    for (int j = 0; j < n; ++j)
        frame.place(xcoord[j], ycoord[j], &xcoord[j], &ycoord[j]);

    delete curve;
    delete xSpline;
    delete ySpline;
    xSpline = new Spline(n, xcoord);
    ySpline = new Spline(n, ycoord);
    curve = new Spline2D(xSpline, ySpline);
}

Camberline::Camberline(int n, double leDensity, double teDensity)
    : npanels(n > 0 ? n : 1)
    , x(new double[npanels + 1])
    , y(new double[npanels + 1])
    , panelAngle(new double[npanels])
{
    x[0] = 0.0;
    x[npanels] = 1.0;
    std::fill(y, y + npanels + 1, 0.0);
    std::fill(panelAngle, panelAngle + npanels, 0.0);
    if (npanels == 1)
        return;
    // The uniform i / n is mapped onto t from -a to b and back onto the chord through the
    // arctangent: spacing 1 / (1 + t^2), finest at both ends.
    const double phi0 = std::atan(-leDensity);
    const double range = std::atan(teDensity) - phi0;
    for (int i = 1; i < npanels; ++i) {
        const double t = static_cast<double>(i) / npanels * (leDensity + teDensity) - leDensity;
        x[i] = (std::atan(t) - phi0) / range;
    }
}

Camberline::~Camberline()
{
    delete[] x;
    delete[] y;
    delete[] panelAngle;
}

int Camberline::npoints() { return npanels + 1; }

double Camberline::xpoint(int i) { return i >= 0 && i <= npanels ? x[i] : 0.0; }

double Camberline::ypoint(int i) { return i >= 0 && i <= npanels ? y[i] : 0.0; }

void Camberline::sety(int i, double v)
{
    if (i >= 0 && i <= npanels)
        y[i] = v;
}

void Camberline::computePoints(Airfoil *airfoil)
{
    double t[10];
    y[0] = 0.0;
    y[npanels] = 0.0;
    // Mean of the upper and the lower surface; a station crossed other than twice (a loop,
    // a wavy nose, a missed crossing) gets 0.
    for (int i = 1; i < npanels; ++i) {
        if (airfoil->xSpline->findInverse(x[i], t, 10) == 2)
            y[i] = 0.5 * (airfoil->ySpline->f(t[0]) + airfoil->ySpline->f(t[1]));
        else
            y[i] = 0.0;
    }
}

void Camberline::computeCoeff(
    double *cl0, double *alpha0, double *cm0, double *dclda, double *alphaSF, double *clSF)
{
    // Discrete-vortex thin-airfoil theory (lumped vortex elements, Katz and Plotkin,
    // Low-Speed Aerodynamics): chord 1 and free stream 1, so the circulations give the
    // coefficients directly.
    const int n = npanels;
    std::vector<double> xv(n);
    std::vector<double> xc(n);
    std::vector<double> gamma(n);
    std::vector<double> ones(n, 1.0);
    std::unique_ptr<double[]> m(new double[static_cast<size_t>(n) * n]);

    // 1. Vortex at each panel's quarter point, control point at its three-quarter point, and
    //    the panel's angle against the chord, positive where the line falls.
    for (int i = 0; i < n; ++i) {
        xv[i] = 0.75 * x[i] + 0.25 * x[i + 1];
        xc[i] = 0.25 * x[i] + 0.75 * x[i + 1];
        panelAngle[i] = std::atan(-(y[i + 1] - y[i]) / (x[i + 1] - x[i]));
    }

    // 2. Influence of vortex j at control point i; the 1 / (2 pi) is applied to the solutions.
    for (int i = 0; i < n; ++i) {
        double *row = m.get() + static_cast<size_t>(i) * n;
        const double xci = xc[i];
        for (int j = 0; j < n; ++j)
            row[j] = 1.0 / (xci - xv[j]);
    }

    // 3. One inverse serves both loadings.
    MatrixInverse(m.get(), n);

    // 4. Zero-incidence loading: the flow follows the panels. Lift and quarter-chord moment.
    MatrVecProd(m.get(), panelAngle, gamma.data(), n);
    double lift = 0.0;
    double moment = 0.0;
    for (int j = 0; j < n; ++j) {
        gamma[j] *= kTwoPi;
        lift += 2.0 * gamma[j];
        moment += 2.0 * gamma[j] * (0.25 - xv[j]);
    }
    const double leadingGamma = gamma[0];

    // 5. Loading per radian of incidence.
    MatrVecProd(m.get(), ones.data(), gamma.data(), n);
    double slope = 0.0;
    for (int j = 0; j < n; ++j) {
        gamma[j] *= kTwoPi;
        slope += 2.0 * gamma[j];
    }

    // 6. Zero lift, and smooth entry: the incidence at which the leading vortex vanishes.
    *cl0 = lift;
    *cm0 = moment;
    *dclda = slope;
    *alpha0 = -lift / slope;
    *alphaSF = -leadingGamma / gamma[0];
    *clSF = *alphaSF * slope + lift;
}
