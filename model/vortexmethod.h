#ifndef LIFTWISE_VORTEXMETHOD_H
#define LIFTWISE_VORTEXMETHOD_H

#include "coefficients.h"

#include <future>
#include <memory>
#include <mutex>
#include <vector>

class Camberline;

// The circulations of a paneled camber line, panel by panel, at chord 1 and free stream 1:
// the zero-incidence loading, where the flow follows the panels, and the loading per radian of
// incidence. Any incidence alpha (radians) carries zeroIncidence + alpha * perRadian.
struct Loading
{
    std::vector<double> x; // each panel's vortex, at its quarter point, in chords
    std::vector<double> width; // each panel's width in chords
    std::vector<double> zeroIncidence;
    std::vector<double> perRadian;

    // The pressure difference of lower and upper surface over each panel at incidence alpha
    // (radians): 2 circulation / width, so that its sum times the widths is the lift.
    std::vector<double> pressureJumps(double alpha) const;
};

// The inverses of the influence matrix, which depends on the stations alone, never on the
// ordinates: a Modify press solves three lines on the same stations, every load solves the
// reference paneling, and every edit solves the new paneling once. Kept are the inverses of the
// reference stations, of the two finer panelings every load is extrapolated from (see Paneling)
// and of the stations last used besides, keyed by the stations' bits, so that an inverse serves
// only the very stations it was made for. Thread-safe: callers that want
// stations being inverted wait for that one inversion rather than make their own.
class InverseCache
{
public:
    // The inverse of the influence matrix, row by row, and its product with ones: the loading at
    // one radian before the factor 2 pi, where the flow meets every panel alike, the same for
    // every line on the stations.
    struct Inverted
    {
        std::vector<double> matrix;
        std::vector<double> ofOnes;
    };
    using Inverse = std::shared_ptr<const Inverted>;

    // keeping false keeps nothing: every line is inverted anew, to compare the two.
    explicit InverseCache(bool keeping = true);

    // The inverse on the stations (n + 1 of them, n >= 1): kept from before, awaited from another
    // caller, or made now and kept when keep says so. A line that passes by, as a sweep's many
    // panelings do, is not kept (keep false), so that it does not push out the one the user's
    // paneling needs again.
    Inverse of(const std::vector<double> &stations, bool keep = true);
    // Whether the inverse for the stations is kept and made: asking for it costs no inversion.
    bool has(const std::vector<double> &stations) const;

private:
    struct Entry
    {
        std::vector<double> stations;
        std::shared_future<Inverse> inverse;
    };
    mutable std::mutex mutex;
    const bool keeping;
    Entry reference;
    Entry refined;
    Entry finest;
    Entry last;
};

// Discrete-vortex thin-airfoil theory (lumped vortex elements, Katz and Plotkin, Low-Speed
// Aerodynamics, ch. 5): one vortex at each panel's quarter point, the flow made to follow the
// panel at its three-quarter point. Both loadings come from one inverse of the influence matrix,
// taken from the cache when one is given (see InverseCache::of for keep), made anew otherwise.
Loading loadingOf(const Camberline &line, InverseCache *cache = nullptr, bool keep = true);
// The loadings of several lines on the same stations, as loadingOf gives each, with one pass
// over the inverse.
std::vector<Loading> loadingsOf(
    const std::vector<const Camberline *> &lines, InverseCache *cache = nullptr, bool keep = true);
// The coefficients the loading sums up to (one panel at least, as loadingOf gives); the lift
// slope is 2 pi for any paneling.
Coefficients coefficientsOf(const Loading &loading);
// coefficientsOf(loadingOf(line, cache, keep)).
Coefficients coefficientsOf(
    const Camberline &line, InverseCache *cache = nullptr, bool keep = true);
// The same six values into six doubles, with an inverse made anew: angles in radians, slope per
// radian, moment about the quarter chord.
void computeCoeff(const Camberline &line, double *cl0, double *alpha0, double *cm0, double *dclda,
    double *alphaSF, double *clSF);

#endif // LIFTWISE_VORTEXMETHOD_H
