#include "modification.h"

#include "airfoil.h"
#include "camberline.h"
#include "vortexmethod.h"

#include <cmath>

namespace {

double arc(double x) { return 0.04 * x * (1 - x); }

double sShape(double x) { return 0.1 * x * (1 - x) * (0.5 - x); }

// Only the interior ordinates move: the ends stay on the chord.
void addShapes(Camberline &line, double a, double b)
{
    for (int i = 1; i + 1 < line.npoints(); ++i) {
        const double x = line.xpoint(i);
        line.sety(i, line.ypoint(i) + a * arc(x) + b * sShape(x));
    }
}

} // namespace

double CamberReshaping::offset(double x) const { return a * arc(x) + b * sShape(x); }

void applyPresses(Camberline &line, const std::vector<CamberReshaping> &presses)
{
    for (const CamberReshaping &press : presses) {
        if (press.applied)
            addShapes(line, press.a, press.b);
    }
}

void reshapedContour(const Airfoil &airfoil, const std::vector<CamberReshaping> &presses,
    std::vector<double> *x, std::vector<double> *y)
{
    const int n = airfoil.npoints();
    const bool forwards = airfoil.upperSurfaceFirst();
    x->resize(n);
    y->resize(n);
    for (int k = 0; k < n; ++k) {
        const int i = forwards ? k : n - 1 - k;
        (*x)[k] = airfoil.px(i);
        (*y)[k] = airfoil.py(i);
        for (const CamberReshaping &press : presses) {
            if (press.applied)
                (*y)[k] += press.offset((*x)[k]);
        }
    }
}

CamberReshaping reshapeCamberline(Camberline &line, const Targets &targets, InverseCache *cache)
{
    CamberReshaping r;
    r.target = targets;
    const int n = line.npoints() - 1;

    // 1. The two shapes, zero at both ends, at the stations of the line.
    Camberline arcLine(line.paneling());
    Camberline sLine(line.paneling());
    for (int i = 1; i < n; ++i) {
        const double x = arcLine.xpoint(i);
        arcLine.sety(i, arc(x));
        sLine.sety(i, sShape(x));
    }

    // 2. Where the line starts and how much each shape moves angle and moment.
    const std::vector<Loading> loadings = loadingsOf({&line, &arcLine, &sLine}, cache);
    const Coefficients start = coefficientsOf(loadings[0]);
    const Coefficients first = coefficientsOf(loadings[1]);
    const Coefficients second = coefficientsOf(loadings[2]);
    r.startAlpha0 = start.alpha0;
    r.startCm0 = start.cm0;
    const double a1 = first.alpha0, m1 = first.cm0, a2 = second.alpha0, m2 = second.cm0;

    // 3. a * (a1, m1) + b * (a2, m2) = -(da, dm), solved by Cramer's rule.
    const double da = r.startAlpha0 - targets.alpha0;
    const double dm = r.startCm0 - targets.cm0;
    r.a = (a2 * dm - m2 * da) / (a1 * m2 - a2 * m1);
    r.b = (a1 * dm - m1 * da) / (a2 * m1 - a1 * m2);
    r.applied = a1 * m2 - a2 * m1 != 0.0 && std::isfinite(r.a) && std::isfinite(r.b);
    if (!r.applied)
        return r;

    // 4. The shapes added to the line, as applyPresses adds them to another.
    addShapes(line, r.a, r.b);
    return r;
}
