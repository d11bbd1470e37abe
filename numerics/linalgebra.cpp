// The row kernels of the matrix inverse, written once with Google Highway: foreach_target.h
// includes this file again for each instruction set Highway targets, and rowKernels() hands out
// those of the best target the processor runs, at its own vector width. Every element is computed
// as x - pivot * factor with the product rounded on its own (separate Mul and Sub, and
// -ffp-contract=off), so the bits are the same on every target.
#undef HWY_TARGET_INCLUDE
#define HWY_TARGET_INCLUDE "linalgebra.cpp"
#include <hwy/foreach_target.h> // before highway.h
#include <hwy/highway.h>

#include "inverse_internal.h"
#include "linalgebra.h"
#include "workerpool.h"

#include <algorithm>
#include <cstddef>
#include <utility>

#if HWY_ARCH_ARM_A64 && HWY_HAVE_RUNTIME_DISPATCH
#include <asm/hwcap.h>
#include <sys/auxv.h>
#endif

HWY_BEFORE_NAMESPACE();
namespace inverse {
namespace HWY_NAMESPACE {
namespace hn = hwy::HWY_NAMESPACE;

// The scans never count NaN: a used column's magnitude is made NaN by the mask's bits, and a
// magnitude replaces the largest so far only when it compares greater.
template <class D, class V> HWY_INLINE void keepLarger(D d, V &largest, V x, const double *usedMask)
{
    const V magnitude = hn::Or(hn::Abs(x), hn::LoadU(d, usedMask));
    largest = hn::IfThenElse(hn::Gt(magnitude, largest), magnitude, largest);
}

template <class D, class V> HWY_INLINE double largestLane(D d, V largest)
{
    HWY_ALIGN double lanes[hn::MaxLanes(D())];
    hn::Store(largest, d, lanes);
    double result = -1.0;
    for (size_t i = 0; i < hn::Lanes(d); ++i)
        result = lanes[i] > result ? lanes[i] : result;
    return result;
}

// The kernels keep R * U vectors in flight (R rows, U vectors of columns each), in slots x0 .. x15:
// slot j holds row j / U from column k + (j % U) * N on. Vectors are named, not kept in arrays,
// as SVE's are sizeless.
template <int j, int R, int U, class D, class V>
HWY_INLINE void loadSlot(D d, const RowTile &t, size_t k, V &x)
{
    if constexpr (j < R * U)
        x = hn::LoadU(d, t.rows[j / U] + k + j % U * hn::Lanes(d));
}

// One step: the pivot vectors p0 .. p3 hold the pivot row from column k on.
template <int j, int R, int U, class D, class V>
HWY_INLINE void stepSlot(D d, V &x, V p0, V p1, V p2, V p3, const double *factors)
{
    if constexpr (j < R * U) {
        const V f = hn::Set(d, factors[j / U]);
        if constexpr (j % U == 0)
            x = hn::Sub(x, hn::Mul(p0, f));
        else if constexpr (j % U == 1)
            x = hn::Sub(x, hn::Mul(p1, f));
        else if constexpr (j % U == 2)
            x = hn::Sub(x, hn::Mul(p2, f));
        else
            x = hn::Sub(x, hn::Mul(p3, f));
    }
}

// The largest magnitudes are kept per row, not per slot: a maximum comes out the same in any
// order, and four vectors fewer in flight leave room in sixteen registers.
template <int j, int R, int U, class D, class V>
HWY_INLINE void finishSlot(D d, const RowTile &t, size_t k, V x, V &m0, V &m1, V &m2, V &m3)
{
    if constexpr (j < R * U) {
        const size_t at = k + j % U * hn::Lanes(d);
        if (t.steps > 0)
            hn::StoreU(x, d, t.rows[j / U] + at);
        if (t.usedMask) {
            V &largest = j / U == 0 ? m0 : j / U == 1 ? m1 : j / U == 2 ? m2 : m3;
            keepLarger(d, largest, x, t.usedMask + at);
        }
    }
}

template <int r, int R, class D, class V>
HWY_INLINE void reduceRow(D d, V largestOfRow, double *largest)
{
    if constexpr (r < R)
        largest[r] = std::max(largest[r], largestLane(d, largestOfRow));
}

// Columns [k, end) of the tile's R rows, U vectors of d at a time: R * U chains of subtractions
// in flight, each pivot vector loaded once for all rows.
template <int R, int U, class D>
HWY_INLINE void updateColumns(D d, const RowTile &t, size_t k, size_t end, double *largest)
{
    static_assert(R * U <= 16 && U <= 4, "sixteen slots, four pivot vectors");
    using V = hn::Vec<D>;
    const size_t N = hn::Lanes(d);
    const V none = hn::Set(d, -1.0);
    V m0 = none, m1 = none, m2 = none, m3 = none;
    for (; k < end; k += U * N) {
        V x0 = none, x1 = none, x2 = none, x3 = none, x4 = none, x5 = none, x6 = none, x7 = none,
          x8 = none, x9 = none, x10 = none, x11 = none, x12 = none, x13 = none, x14 = none,
          x15 = none;
        loadSlot<0, R, U>(d, t, k, x0);
        loadSlot<1, R, U>(d, t, k, x1);
        loadSlot<2, R, U>(d, t, k, x2);
        loadSlot<3, R, U>(d, t, k, x3);
        loadSlot<4, R, U>(d, t, k, x4);
        loadSlot<5, R, U>(d, t, k, x5);
        loadSlot<6, R, U>(d, t, k, x6);
        loadSlot<7, R, U>(d, t, k, x7);
        loadSlot<8, R, U>(d, t, k, x8);
        loadSlot<9, R, U>(d, t, k, x9);
        loadSlot<10, R, U>(d, t, k, x10);
        loadSlot<11, R, U>(d, t, k, x11);
        loadSlot<12, R, U>(d, t, k, x12);
        loadSlot<13, R, U>(d, t, k, x13);
        loadSlot<14, R, U>(d, t, k, x14);
        loadSlot<15, R, U>(d, t, k, x15);
        for (int s = 0; s < t.steps; ++s) {
            const double *pivot = t.pivots[s] + k, *f = t.factors + s * tileRows;
            const V p0 = hn::LoadU(d, pivot);
            const V p1 = U > 1 ? hn::LoadU(d, pivot + N) : p0;
            const V p2 = U > 2 ? hn::LoadU(d, pivot + 2 * N) : p0;
            const V p3 = U > 3 ? hn::LoadU(d, pivot + 3 * N) : p0;
            stepSlot<0, R, U>(d, x0, p0, p1, p2, p3, f);
            stepSlot<1, R, U>(d, x1, p0, p1, p2, p3, f);
            stepSlot<2, R, U>(d, x2, p0, p1, p2, p3, f);
            stepSlot<3, R, U>(d, x3, p0, p1, p2, p3, f);
            stepSlot<4, R, U>(d, x4, p0, p1, p2, p3, f);
            stepSlot<5, R, U>(d, x5, p0, p1, p2, p3, f);
            stepSlot<6, R, U>(d, x6, p0, p1, p2, p3, f);
            stepSlot<7, R, U>(d, x7, p0, p1, p2, p3, f);
            stepSlot<8, R, U>(d, x8, p0, p1, p2, p3, f);
            stepSlot<9, R, U>(d, x9, p0, p1, p2, p3, f);
            stepSlot<10, R, U>(d, x10, p0, p1, p2, p3, f);
            stepSlot<11, R, U>(d, x11, p0, p1, p2, p3, f);
            stepSlot<12, R, U>(d, x12, p0, p1, p2, p3, f);
            stepSlot<13, R, U>(d, x13, p0, p1, p2, p3, f);
            stepSlot<14, R, U>(d, x14, p0, p1, p2, p3, f);
            stepSlot<15, R, U>(d, x15, p0, p1, p2, p3, f);
        }
        finishSlot<0, R, U>(d, t, k, x0, m0, m1, m2, m3);
        finishSlot<1, R, U>(d, t, k, x1, m0, m1, m2, m3);
        finishSlot<2, R, U>(d, t, k, x2, m0, m1, m2, m3);
        finishSlot<3, R, U>(d, t, k, x3, m0, m1, m2, m3);
        finishSlot<4, R, U>(d, t, k, x4, m0, m1, m2, m3);
        finishSlot<5, R, U>(d, t, k, x5, m0, m1, m2, m3);
        finishSlot<6, R, U>(d, t, k, x6, m0, m1, m2, m3);
        finishSlot<7, R, U>(d, t, k, x7, m0, m1, m2, m3);
        finishSlot<8, R, U>(d, t, k, x8, m0, m1, m2, m3);
        finishSlot<9, R, U>(d, t, k, x9, m0, m1, m2, m3);
        finishSlot<10, R, U>(d, t, k, x10, m0, m1, m2, m3);
        finishSlot<11, R, U>(d, t, k, x11, m0, m1, m2, m3);
        finishSlot<12, R, U>(d, t, k, x12, m0, m1, m2, m3);
        finishSlot<13, R, U>(d, t, k, x13, m0, m1, m2, m3);
        finishSlot<14, R, U>(d, t, k, x14, m0, m1, m2, m3);
        finishSlot<15, R, U>(d, t, k, x15, m0, m1, m2, m3);
    }
    if (!t.usedMask)
        return;
    reduceRow<0, R>(d, m0, largest);
    reduceRow<1, R>(d, m1, largest);
    reduceRow<2, R>(d, m2, largest);
    reduceRow<3, R>(d, m3, largest);
}

// Groups of U full vectors, then single ones, then the last columns one lane at a time.
template <int R, int U> void updateTile(const RowTile &t, double *largest)
{
    const hn::ScalableTag<double> d;
    const hn::CappedTag<double, 1> one;
    const size_t N = hn::Lanes(d), n = size_t(t.columns);
    const size_t groups = n / (U * N) * (U * N), vectors = n / N * N;
    std::fill_n(largest, R, -1.0);
    updateColumns<R, U>(d, t, 0, groups, largest);
    updateColumns<R, 1>(d, t, groups, vectors, largest);
    updateColumns<R, 1>(one, t, vectors, n, largest);
}

// Sixteen vectors in flight where there are 32 registers to hold them and the pivot's, eight
// where there are 16.
#if (HWY_ARCH_X86 && HWY_TARGET <= HWY_AVX3) || HWY_ARCH_ARM_A64
constexpr int slots = 16;
#else
constexpr int slots = 8;
#endif

void UpdateRows(const RowTile &tile, double *largest)
{
    static_assert(tileRows == 4, "one case for each row count");
    switch (tile.rowCount) {
    case 1:
        return updateTile<1, 4>(tile, largest);
    case 2:
        return updateTile<2, 4>(tile, largest);
    case 3:
        return updateTile<3, slots / 4>(tile, largest);
    default:
        return updateTile<4, slots / 4>(tile, largest);
    }
}

// The tile's rows side by side (in parts where vectors are narrower), all steps' pivot columns at
// once for each step. Each load reads what one store wrote, which the processor forwards at once.
void ChainPivotColumns(const ChainOfSteps &c)
{
    const hn::CappedTag<double, tileRows> d;
    using V = hn::Vec<decltype(d)>;
    for (int t = 0; t < c.steps; ++t) {
        const double *crossed = c.crossing + t * c.crossingStride;
        for (size_t r = 0; r < tileRows; r += hn::Lanes(d)) {
            double *own = c.pivotColumns + t * tileRows + r;
            const V f = hn::LoadU(d, own);
            hn::StoreU(f, d, c.factors + t * tileRows + r);
            hn::StoreU(hn::Zero(d), d, own);
            for (int u = 0; u < c.steps; ++u) {
                double *x = c.pivotColumns + u * tileRows + r;
                hn::StoreU(hn::Sub(hn::LoadU(d, x), hn::Mul(hn::Set(d, crossed[u]), f)), d, x);
            }
        }
    }
}

void ScaleRow(double *row, double factor, int columns)
{
    const hn::ScalableTag<double> d;
    const size_t N = hn::Lanes(d), n = size_t(columns);
    const auto f = hn::Set(d, factor);
    size_t k = 0;
    for (; k + N <= n; k += N)
        hn::StoreU(hn::Mul(hn::LoadU(d, row + k), f), d, row + k);
    for (; k < n; ++k)
        row[k] *= factor;
}

const RowKernels *TargetKernels()
{
    static constexpr RowKernels kernels {&UpdateRows, &ChainPivotColumns, &ScaleRow};
    return &kernels;
}

} // namespace HWY_NAMESPACE
} // namespace inverse
HWY_AFTER_NAMESPACE();

#if HWY_ONCE
namespace inverse {
namespace {

// The targets Highway is told the processor runs, or 0 where its own detection is right. Debian
// 12's Highway (1.0.3) takes its NEON target to need the AES instructions: on an ARM64 processor
// without them (a Raspberry Pi 4) its detection warns on standard error and finds no target built
// here but SCALAR. The kernels use no AES instruction, so there NEON, and SVE where present, is
// told from the processor's own capabilities.
std::int64_t processorTargets()
{
#if HWY_ARCH_ARM_A64 && HWY_HAVE_RUNTIME_DISPATCH && defined(HWCAP_AES) && defined(HWCAP_SVE)
    const unsigned long capabilities = getauxval(AT_HWCAP);
    if (!(capabilities & HWCAP_AES))
        return HWY_NEON | HWY_SCALAR | HWY_EMU128 | (capabilities & HWCAP_SVE ? HWY_SVE : 0);
#endif
    return 0;
}

// Before Highway's first dispatch.
void tellTargetsOnce()
{
    static const bool told = [] {
        if (const std::int64_t processor = processorTargets())
            hwy::SetSupportedTargetsForTest(processor);
        return true;
    }();
    (void)told;
}

} // namespace

HWY_EXPORT(TargetKernels);

const RowKernels &rowKernels()
{
    tellTargetsOnce();
    return *HWY_DYNAMIC_DISPATCH(TargetKernels)();
}

std::vector<std::int64_t> targets()
{
    tellTargetsOnce();
    return hwy::SupportedAndGeneratedTargets();
}

void useTarget(std::int64_t target)
{
    tellTargetsOnce();
    hwy::SetSupportedTargetsForTest(target != 0 ? target : processorTargets());
}

} // namespace inverse

void MatrixInverse(double *a, int n, InverseThreads threads)
{
    inverse::invert(a, n, threads, inverse::defaultWindow);
}

void MatrVecProd(const double *a, const double *v, double *result, int n)
{
    MatrVecProds(a, &v, &result, 1, n);
}

namespace {

// Each sum from 0.0 in column order. Eight rows at a time keep eight sums in flight and stay in
// the cache for every vector: the matrix is read from memory once, whatever the count.
template <int Rows>
void rowProducts(const double *a, const double *const *vectors, double *const *results, int count,
    int n, int first)
{
    for (int m = 0; m < count; ++m) {
        const double *v = vectors[m];
        double sum[Rows] = {};
        for (int j = 0; j < n; ++j)
            for (int k = 0; k < Rows; ++k)
                sum[k] += a[static_cast<size_t>(first + k) * n + j] * v[j];
        std::copy(sum, sum + Rows, results[m] + first);
    }
}

void rowProducts(const double *a, const double *const *vectors, double *const *results, int count,
    int n, int first, int last)
{
    constexpr int Rows = 8;
    int i = first;
    for (; i + Rows <= last; i += Rows)
        rowProducts<Rows>(a, vectors, results, count, n, i);
    for (; i < last; ++i)
        rowProducts<1>(a, vectors, results, count, n, i);
}

} // namespace

void MatrVecProds(
    const double *a, const double *const *vectors, double *const *results, int count, int n)
{
    // Each row's sums are the same whichever thread forms them; a press at a fine paneling
    // waits for little else.
    constexpr int blockRows = 64;
    if (n < inverse::sharedFrom) {
        rowProducts(a, vectors, results, count, n, 0, n);
        return;
    }
    WorkerTeam team(true);
    team.forEachBlock((n + blockRows - 1) / blockRows, [&](int block) {
        const int first = block * blockRows;
        rowProducts(a, vectors, results, count, n, first, std::min(n, first + blockRows));
    });
}

void MatrixTranspose(double *a, int n)
{
    for (int i = 0; i < n - 1; ++i)
        for (int j = i + 1; j < n; ++j)
            std::swap(a[i * n + j], a[j * n + i]);
}
#endif // HWY_ONCE
