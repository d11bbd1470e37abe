#include "vortexmethod.h"

#include "camberline.h"
#include "influence.h"
#include "linalgebra.h"

#include <cassert>
#include <chrono>
#include <cmath>
#include <vector>

namespace {

const double kTwoPi = 6.283185307179586;

using Inverse = InverseCache::Inverse;

// The influence matrix on the stations, inverted, and its product with ones.
Inverse invertedInfluence(const std::vector<double> &x)
{
    const int n = int(x.size()) - 1;
    const auto inverted = std::make_shared<InverseCache::Inverted>();
    inverted->matrix = influenceMatrix(x);
    MatrixInverse(inverted->matrix.data(), n);
    const std::vector<double> ones(n, 1.0);
    inverted->ofOnes.resize(n);
    MatrVecProd(inverted->matrix.data(), ones.data(), inverted->ofOnes.data(), n);
    return inverted;
}

} // namespace

InverseCache::InverseCache(bool keeping)
    : keeping(keeping)
    , reference {Camberline(Paneling::reference()).stations(), {}}
    , refined {Camberline(Paneling::refined()).stations(), {}}
    , finest {Camberline(Paneling::finest()).stations(), {}}
{
}

InverseCache::Inverse InverseCache::of(const std::vector<double> &stations, bool keep)
{
    assert(stations.size() >= 2);
    std::unique_lock<std::mutex> lock(mutex);
    for (const Entry *entry : {&reference, &refined, &finest, &last}) {
        if (entry->inverse.valid() && entry->stations == stations) {
            const std::shared_future<Inverse> inverse = entry->inverse;
            lock.unlock();
            return inverse.get();
        }
    }
    if (!keeping || !keep) {
        lock.unlock();
        return invertedInfluence(stations);
    }
    // 1. Say that these stations are being inverted, so that other callers wait for it.
    Entry &slot = stations == reference.stations ? reference
        : stations == refined.stations           ? refined
        : stations == finest.stations            ? finest
                                                 : last;
    std::promise<Inverse> made;
    slot.stations = stations;
    slot.inverse = made.get_future().share();
    // 2. Outside the lock: other threads go on with their own stations meanwhile.
    lock.unlock();
    const Inverse inverse = invertedInfluence(stations);
    made.set_value(inverse);
    return inverse;
}

bool InverseCache::has(const std::vector<double> &stations) const
{
    std::lock_guard<std::mutex> lock(mutex);
    for (const Entry *entry : {&reference, &refined, &finest, &last}) {
        if (entry->inverse.valid() && entry->stations == stations)
            return entry->inverse.wait_for(std::chrono::seconds(0)) == std::future_status::ready;
    }
    return false;
}

Loading loadingOf(const Camberline &line, InverseCache *cache, bool keep)
{
    return loadingsOf({&line}, cache, keep).front();
}

std::vector<Loading> loadingsOf(
    const std::vector<const Camberline *> &lines, InverseCache *cache, bool keep)
{
    const std::vector<double> &x = lines.front()->stations();
    const int n = int(x.size()) - 1;
    std::vector<Loading> loadings(lines.size());
    std::vector<std::vector<double>> angles(lines.size(), std::vector<double>(n));
    std::vector<const double *> vectors;
    std::vector<double *> results;
    for (size_t k = 0; k < lines.size(); ++k) {
        assert(lines[k]->stations() == x);
        // 1. Vortex at each panel's quarter point, and the panel's angle against the chord,
        //    positive where the line falls.
        Loading &loading = loadings[k];
        loading.x.resize(n);
        loading.width.resize(n);
        loading.zeroIncidence.resize(n);
        for (int i = 0; i < n; ++i) {
            loading.x[i] = 0.75 * x[i] + 0.25 * x[i + 1];
            loading.width[i] = x[i + 1] - x[i];
            angles[k][i] = lines[k]->panelAngle(i);
        }
        vectors.push_back(angles[k].data());
        results.push_back(loading.zeroIncidence.data());
    }

    // 2. One inverse of the influence matrix serves every loading, in one pass over it: zero
    //    incidence, where the flow follows the panels; one radian, where it meets every panel
    //    alike, was worked out with the inverse.
    const Inverse inverse = cache ? cache->of(x, keep) : invertedInfluence(x);
    MatrVecProds(inverse->matrix.data(), vectors.data(), results.data(), int(vectors.size()), n);
    std::vector<double> perRadian = inverse->ofOnes;
    for (int j = 0; j < n; ++j)
        perRadian[j] *= kTwoPi;
    for (Loading &loading : loadings) {
        loading.perRadian = perRadian;
        for (int j = 0; j < n; ++j)
            loading.zeroIncidence[j] *= kTwoPi;
    }
    return loadings;
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
    assert(n >= 1 && loading.zeroIncidence.size() == n && loading.perRadian.size() == n);

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

Coefficients coefficientsOf(const Camberline &line, InverseCache *cache, bool keep)
{
    return coefficientsOf(loadingOf(line, cache, keep));
}

void computeCoeff(const Camberline &line, double *cl0, double *alpha0, double *cm0, double *dclda,
    double *alphaSF, double *clSF)
{
    const Coefficients c = coefficientsOf(line);
    *cl0 = c.cl0;
    *alpha0 = c.alpha0;
    *cm0 = c.cm0;
    *dclda = c.dclda;
    *alphaSF = c.alphaSF;
    *clSF = c.clSF;
}
