#include "vortexmethod.h"

#include "airfoil.h"
#include "linalgebra.h"

#include <cmath>
#include <memory>
#include <vector>

namespace {

const double kTwoPi = 6.283185307179586;

} // namespace

Coefficients coefficientsOf(const Camberline &line)
{
    const int n = line.npoints() - 1;
    const std::vector<double> &x = line.stations();
    std::vector<double> xv(n);
    std::vector<double> xc(n);
    std::vector<double> angle(n);
    std::vector<double> gamma(n);
    std::vector<double> ones(n, 1.0);
    std::unique_ptr<double[]> m(new double[static_cast<size_t>(n) * n]);

    // 1. Vortex at each panel's quarter point, control point at its three-quarter point, and
    //    the panel's angle against the chord, positive where the line falls.
    for (int i = 0; i < n; ++i) {
        xv[i] = 0.75 * x[i] + 0.25 * x[i + 1];
        xc[i] = 0.25 * x[i] + 0.75 * x[i + 1];
        angle[i] = line.panelAngle(i);
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
    MatrVecProd(m.get(), angle.data(), gamma.data(), n);
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
    Coefficients c;
    c.cl0 = lift;
    c.cm0 = moment;
    c.dclda = slope;
    c.alpha0 = -lift / slope;
    c.alphaSF = -leadingGamma / gamma[0];
    c.clSF = c.alphaSF * slope + lift;
    return c;
}

void Camberline::computeCoeff(
    double *cl0, double *alpha0, double *cm0, double *dclda, double *alphaSF, double *clSF) const
{
    const Coefficients c = coefficientsOf(*this);
    *cl0 = c.cl0;
    *alpha0 = c.alpha0;
    *cm0 = c.cm0;
    *dclda = c.dclda;
    *alphaSF = c.alphaSF;
    *clSF = c.clSF;
}
