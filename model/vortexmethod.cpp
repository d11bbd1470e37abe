#include "vortexmethod.h"

#include "airfoil.h"
#include "linalgebra.h"

#include <cmath>
#include <memory>
#include <mutex>
#include <vector>

namespace {

const double kTwoPi = 6.283185307179586;

using Inverse = std::shared_ptr<const double[]>;

// The influence matrix of vortices at the panels' quarter points on control points at their
// three-quarter points, inverted. M[i][j] = 1 / (xc[i] - xv[j]); the 1 / (2 pi) is applied to
// the solutions.
Inverse invertedInfluence(const std::vector<double> &x)
{
    const int n = int(x.size()) - 1;
    std::vector<double> xv(n);
    std::vector<double> xc(n);
    for (int i = 0; i < n; ++i) {
        xv[i] = 0.75 * x[i] + 0.25 * x[i + 1];
        xc[i] = 0.25 * x[i] + 0.75 * x[i + 1];
    }
    // Every element is written before it is read: no need to clear 8 MB first.
    std::shared_ptr<double[]> m(new double[static_cast<size_t>(n) * n]);
    for (int i = 0; i < n; ++i) {
        double *row = m.get() + static_cast<size_t>(i) * n;
        for (int j = 0; j < n; ++j)
            row[j] = 1.0 / (xc[i] - xv[j]);
    }
    MatrixInverse(m.get(), n);
    return m;
}

// The matrix depends on the stations alone, never on the ordinates: a Modify press solves three
// lines on the same stations, every load solves the reference paneling, and every edit solves
// the new paneling once. The inverses of the reference stations and of the stations last used
// besides are kept, keyed by the stations' bits, so that an inverse can only serve the very
// stations it was made for.
class KeptInverses
{
public:
    // The inverse kept for the stations, or null.
    Inverse kept(const std::vector<double> &stations)
    {
        std::lock_guard<std::mutex> lock(mutex);
        if (keeping && stations == reference.stations && reference.inverse)
            return reference.inverse;
        if (keeping && stations == last.stations && last.inverse)
            return last.inverse;
        return nullptr;
    }

    // The inverse for the stations, kept from before or made now, and kept for next time
    // when keep says so.
    Inverse of(const std::vector<double> &stations, bool keep)
    {
        if (Inverse inverse = kept(stations))
            return inverse;
        // Outside the lock: other threads go on with their own stations meanwhile.
        Inverse inverse = invertedInfluence(stations);
        std::lock_guard<std::mutex> lock(mutex);
        if (!keeping || !keep)
            return inverse;
        Entry &slot = stations == reference.stations ? reference : last;
        slot.stations = stations;
        slot.inverse = inverse;
        return inverse;
    }

    void keep(bool on)
    {
        std::lock_guard<std::mutex> lock(mutex);
        keeping = on;
        last = Entry();
        reference.inverse.reset();
    }

private:
    struct Entry
    {
        std::vector<double> stations;
        Inverse inverse;
    };
    std::mutex mutex;
    bool keeping = true;
    Entry reference {Camberline(Paneling::reference()).stations(), nullptr};
    Entry last;
};

KeptInverses &keptInverses()
{
    static KeptInverses kept;
    return kept;
}

} // namespace

void keepInverses(bool on) { keptInverses().keep(on); }

bool isInverseKept(const Camberline &line) { return bool(keptInverses().kept(line.stations())); }

Loading loadingOf(const Camberline &line, bool keep)
{
    const int n = line.npoints() - 1;
    const std::vector<double> &x = line.stations();
    Loading loading;
    loading.x.resize(n);
    loading.width.resize(n);
    loading.zeroIncidence.resize(n);
    loading.perRadian.resize(n);
    std::vector<double> angle(n);
    std::vector<double> ones(n, 1.0);

    // 1. Vortex at each panel's quarter point, and the panel's angle against the chord,
    //    positive where the line falls.
    for (int i = 0; i < n; ++i) {
        loading.x[i] = 0.75 * x[i] + 0.25 * x[i + 1];
        loading.width[i] = x[i + 1] - x[i];
        angle[i] = line.panelAngle(i);
    }

    // 2. One inverse of the influence matrix serves both loadings.
    const Inverse inverse = keptInverses().of(x, keep);
    const double *m = inverse.get();

    // 3. Zero incidence: the flow follows the panels. Then one radian: it meets every panel
    //    alike.
    MatrVecProd(m, angle.data(), loading.zeroIncidence.data(), n);
    MatrVecProd(m, ones.data(), loading.perRadian.data(), n);
    for (int j = 0; j < n; ++j) {
        loading.zeroIncidence[j] *= kTwoPi;
        loading.perRadian[j] *= kTwoPi;
    }
    return loading;
}

std::vector<double> Loading::pressureJumps(double alpha) const
{
    std::vector<double> jumps(x.size());
    for (size_t i = 0; i < x.size(); ++i)
        jumps[i] = 2.0 * zeroIncidence[i] / width[i] + alpha * (2.0 * perRadian[i] / width[i]);
    return jumps;
}

Coefficients coefficientsOf(const Loading &loading)
{
    const size_t n = loading.x.size();

    // 1. Lift and quarter-chord moment of the zero-incidence loading, lift per radian.
    double lift = 0.0;
    double moment = 0.0;
    double slope = 0.0;
    for (size_t j = 0; j < n; ++j) {
        lift += 2.0 * loading.zeroIncidence[j];
        moment += 2.0 * loading.zeroIncidence[j] * (0.25 - loading.x[j]);
        slope += 2.0 * loading.perRadian[j];
    }

    // 2. Zero lift, and smooth entry: the incidence at which the leading vortex vanishes.
    Coefficients c;
    c.cl0 = lift;
    c.cm0 = moment;
    c.dclda = slope;
    c.alpha0 = -lift / slope;
    c.alphaSF = -loading.zeroIncidence[0] / loading.perRadian[0];
    c.clSF = c.alphaSF * slope + lift;
    return c;
}

Coefficients coefficientsOf(const Camberline &line, bool keep)
{
    return coefficientsOf(loadingOf(line, keep));
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
