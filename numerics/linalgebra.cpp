#include "linalgebra.h"
#include "workerpool.h"

#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

// The row loops are compiled for each of these instruction sets, with the helpers inlined, and
// the loader picks the widest the processor runs. Each element is computed as a[k] - pivot[k] * d
// with the product rounded on its own (no contraction), the same bits at any vector width.
// ThreadSanitizer would instrument the loader's pick, which runs before it is set up.
#if defined(__x86_64__) && !defined(LIFTWISE_ROW_TARGETS)
#define LIFTWISE_ROW_TARGETS "avx512f", "avx2", "default"
#endif
#ifndef __has_feature
#define __has_feature(feature) 0
#endif
#if defined(LIFTWISE_ROW_TARGETS) && !defined(__SANITIZE_THREAD__)                                 \
    && !__has_feature(thread_sanitizer)
#define FOR_EACH_TARGET __attribute__((target_clones(LIFTWISE_ROW_TARGETS)))
#else
#define FOR_EACH_TARGET
#endif
#define ROW_HELPER inline __attribute__((always_inline))

namespace {

// Eight columns a vector; the compiler splits it where the registers are narrower. Rows start
// anywhere, so they are read and written through the unaligned types: AT(p) is the eight
// doubles from p on (a macro, as clang keeps the lowered alignment only on a direct access).
typedef double Vec __attribute__((vector_size(64)));
typedef long long Bits __attribute__((vector_size(64)));
typedef double VecAt __attribute__((vector_size(64), aligned(8), may_alias));
constexpr int lanes = 8;
#define AT(p) (*(VecAt *)(p))

ROW_HELPER void keepMax(Vec &largest, const Vec &x) { largest = x > largest ? x : largest; }

// The scans look at the columns nobody has pivoted on yet and never count NaN. The others are
// NaN in `unusable`, whose bits turn their magnitude into a NaN too.
ROW_HELPER void keepLarger(Vec &largest, const Vec &x, const double *unusable)
{
    keepMax(largest, (Vec)(((Bits)x & 0x7fffffffffffffffLL) | (Bits)AT(unusable)));
}

// m vectors of columns from k on through the steps; m independent chains of subtractions.
template <int m, bool search>
ROW_HELPER void updateVectors(double *a, int k, const double *const *pivots, const double *d,
    int count, const double *unusable, Vec *largest)
{
    Vec x[m];
    for (int v = 0; v < m; ++v)
        x[v] = AT(a + k + v * lanes);
    for (int t = 0; t < count; ++t)
        for (int v = 0; v < m; ++v)
            x[v] = x[v] - AT(pivots[t] + k + v * lanes) * d[t];
    for (int v = 0; v < m; ++v) {
        if (count > 0)
            AT(a + k + v * lanes) = x[v];
        if (search)
            keepLarger(largest[v], x[v], unusable + k + v * lanes);
    }
}

// a[k] = (a[k] - pivots[0][k] * d[0]) - pivots[1][k] * d[1] ...: one step of the elimination,
// several to bring a row up to date, none to scan it. With search, returns the largest |a[k]|
// afterwards over the unused columns, -1 if none. Rows hold a vector at least (short ones are
// padded); the last vector overlaps the one before, computed from the row as it was.
template <bool search>
ROW_HELPER double updateRow(double *__restrict a, const double *const *pivots, const double *d,
    int count, const double *unusable, int width)
{
    const int last = width - lanes;
    Vec tail = AT(a + last);
    for (int t = 0; t < count; ++t)
        tail = tail - AT(pivots[t] + last) * d[t];
    Vec largest[4] = {Vec {} - 1.0, Vec {} - 1.0, Vec {} - 1.0, Vec {} - 1.0};
    int k = 0;
    for (; k + 4 * lanes <= last; k += 4 * lanes)
        updateVectors<4, search>(a, k, pivots, d, count, unusable, largest);
    for (; k < last; k += lanes)
        updateVectors<1, search>(a, k, pivots, d, count, unusable, largest);
    if (count > 0)
        AT(a + last) = tail;
    if (!search)
        return 0.0;
    Vec &v = largest[0];
    keepLarger(v, tail, unusable + last);
    for (int i = 1; i < 4; ++i)
        keepMax(v, largest[i]);
    keepMax(v, __builtin_shufflevector(v, v, 4, 5, 6, 7, 0, 1, 2, 3));
    keepMax(v, __builtin_shufflevector(v, v, 2, 3, 0, 1, 6, 7, 4, 5));
    keepMax(v, __builtin_shufflevector(v, v, 1, 0, 3, 2, 5, 4, 7, 6));
    return v[0];
}

// Former pivot rows are no candidates any more, and no step reads them while pivots keep coming
// from fresh columns. They are left behind for a window of steps and then brought up to date,
// each with the steps it missed: one pass over such a row per window instead of one per step,
// about half the traffic to memory at large orders. Eight steps were best from 200 to 999.
constexpr int window = 8;

// The pivot search keeps the element scanned last among the largest, as a running
// "|x| >= largest" over rows then columns does: the last row holding the largest magnitude
// (row -1: none, NaN never counts), and in it the last unused column holding it.
using Candidate = std::pair<double, int>; // largest magnitude, row

// One round for the rows one thread owns: those left behind brought up to date with the window
// of steps first .. first + count - 1 (pivotCol[0 .. caughtUp): earlier windows' pivot rows with
// all the steps, the window's own with the steps after theirs) from copies of its pivot rows,
// then the others cleared with the pivot row (none: scan only) and searched right after.
struct Round
{
    double *a;
    int n, width, caughtUp, p, first, count;
    const int *used, *owner, *pivotCol;
    const double *unusable, *pivot;
    const double *pivots[window];
    bool leaveBehind, searchNext;
};

// Applies to row a the window's steps from .. count - 1, exactly as one by one.
ROW_HELPER void catchUpRow(double *a, const Round &r, int from)
{
    // 1. The pivot columns first: each step's factor is the element in its own pivot column as
    //    the earlier steps left it, and that element is zeroed before the step's subtraction.
    double pending[window], d[window] = {};
    for (int u = from; u < r.count; ++u)
        pending[u] = a[r.pivotCol[r.first + u]];
    for (int t = from; t < r.count; ++t) {
        d[t] = pending[t];
        pending[t] = 0.0;
        for (int u = from; u < r.count; ++u)
            pending[u] = pending[u] - r.pivots[t][r.pivotCol[r.first + u]] * d[t];
    }
    // 2. Every column through all the steps, then the pivot columns put right.
    updateRow<false>(a, r.pivots + from, d + from, r.count - from, r.unusable, r.width);
    for (int u = from; u < r.count; ++u)
        a[r.pivotCol[r.first + u]] = pending[u];
}

FOR_EACH_TARGET Candidate shareOfRound(const Round &r, int thread)
{
    for (int j = 0; j < r.caughtUp; ++j)
        if (r.owner[r.pivotCol[j]] == thread)
            catchUpRow(r.a + r.pivotCol[j] * r.width, r, std::max(0, j - r.first + 1));
    Candidate search {0.0, -1};
    for (int i = 0; i < r.n; ++i) {
        if (r.owner[i] != thread || (r.leaveBehind && r.used[i] == 1))
            continue;
        // Column p is zeroed before its subtraction; written after the row, so that the loads do
        // not wait on a fresh store. The scan never looks at it: it is used.
        double *ar = r.a + i * r.width;
        const bool candidate = r.searchNext && r.used[i] != 1;
        const int steps = r.pivot && i != r.p ? 1 : 0;
        const double d = steps ? ar[r.p] : 0.0;
        const double rowLargest = candidate
            ? updateRow<true>(ar, &r.pivot, &d, steps, r.unusable, r.width)
            : updateRow<false>(ar, &r.pivot, &d, steps, r.unusable, r.width);
        if (steps)
            ar[r.p] = 0.0 - r.pivot[r.p] * d;
        if (candidate && rowLargest >= search.first)
            search = {rowLargest, i};
    }
    return search;
}

// Below this order the steps are too short for the threads to pay their way (two cores).
constexpr int sharedFrom = 400;

// n rows of `width` >= lanes doubles; the columns from n on are padding.
void invert(double *a, int n, int width, WorkerTeam &team)
{
    // Each thread keeps to its own rows, so that they stay in its cache: four blocks each, dealt
    // in turn, which shares out about evenly the rows still in play and those left behind
    // whatever the order of the pivots, with few cache lines written by two threads.
    const int threads = team.size();
    std::vector<int> used(n), pivotRow(n), pivotCol(n), owner(n);
    for (int row = 0; row < n; ++row)
        owner[row] = row / std::max(1, n / (threads * 4)) % threads;
    std::vector<double> unusable(width, std::nan(""));
    std::fill_n(unusable.begin(), n, 0.0);
    std::vector<double> copies(std::size_t(window) * width);
    std::vector<Candidate> shares(threads);
    Round r {a, n, width, 0, 0, 0, 0, used.data(), owner.data(), pivotCol.data(), unusable.data(),
        nullptr, {}, true, true};

    // The pivot: the last row among the largest over all threads, then its column. The last
    // round also undoes the row swaps as column swaps, last step first, row by row.
    auto round = [&](const double *pivot, int p, bool searchNext, bool last) {
        r.pivot = pivot;
        r.p = p;
        r.searchNext = searchNext;
        team.run([&](int t) {
            shares[t] = shareOfRound(r, t);
            for (int row = 0; last && row < n; ++row) {
                for (int s = n - 1; s >= 0 && owner[row] == t; --s)
                    std::swap(a[row * width + pivotRow[s]], a[row * width + pivotCol[s]]);
            }
        });
        r.caughtUp = 0;
        const auto [largest, best] = *std::max_element(shares.begin(), shares.end());
        int col = n - 1;
        while (best >= 0 && col > 0
            && (unusable[col] != 0 || std::fabs(a[best * width + col]) != largest))
            --col;
        return best < 0 ? std::pair(0, 0) : std::pair(best, col);
    };
    // The rows left behind, to be brought up to date with steps first .. last - 1 in the next
    // round.
    auto catchUp = [&](int first, int last) {
        r.first = first;
        r.count = last - first;
        for (int t = 0; t < r.count; ++t)
            r.pivots[t]
                = std::copy_n(a + pivotCol[first + t] * width, width, &copies[t * width]) - width;
        r.caughtUp = last - 1;
    };

    // 1. Search the first pivot; every later one is searched during the previous elimination.
    std::pair<int, int> next = round(nullptr, 0, true, false);

    // While every pivot comes from a fresh column, use counts are 0 or 1 and the rows with
    // count 1 are exactly the former pivot rows: those are left behind since windowStart. A
    // search that finds nothing but NaN falls back on (0, 0) even when column 0 is used; from
    // then on every row is brought up to date and kept so at every step.
    int windowStart = 0;
    for (int s = 0; s < n; ++s) {
        giveWayToForeground();
        const auto [row, p] = next;
        if (r.leaveBehind && used[p] != 0) {
            if (r.caughtUp == 0 && s > windowStart)
                catchUp(windowStart, s);
            round(nullptr, 0, false, false);
            r.leaveBehind = false;
        }
        ++used[p];
        unusable[p] = std::nan("");

        // 2. Move the pivot onto the diagonal: row swap now, column swap at the end.
        if (row != p)
            std::swap_ranges(a + row * width, a + row * width + width, a + p * width);
        pivotRow[s] = row;
        pivotCol[s] = p;

        // 3. Scale the pivot row; the 1 written into the pivot becomes the inverse's element.
        double *pivot = a + p * width;
        const double inv = 1.0 / pivot[p];
        pivot[p] = 1.0;
        for (int k = 0; k < width; ++k)
            pivot[k] *= inv;

        // 4. Clear column p in every other row and search the next pivot.
        next = round(pivot, p, s + 1 < n, false);

        // 5. Leave the rows behind until the window is full or the steps are over.
        if (r.leaveBehind && (s + 1 - windowStart == window || s + 1 == n)) {
            catchUp(windowStart, s + 1);
            windowStart = s + 1;
        }
    }
    round(nullptr, 0, false, true);
}

} // namespace

void MatrixInverse(double *a, int n, InverseThreads threads)
{
    if (n <= 0)
        return;
    WorkerTeam team(
        threads == InverseThreads::All || (threads == InverseThreads::ByOrder && n >= sharedFrom));
    if (n >= lanes)
        return invert(a, n, n, team);
    std::vector<double> padded(n * lanes);
    for (int i = 0; i < n; ++i)
        std::copy_n(a + i * n, n, padded.begin() + i * lanes);
    invert(padded.data(), n, lanes, team);
    for (int i = 0; i < n; ++i)
        std::copy_n(padded.begin() + i * lanes, n, a + i * n);
}

// Each sum from 0.0 in column order; four rows at a time keep four sums in flight.
void MatrVecProd(const double *a, const double *v, double *result, int n)
{
    for (int i = 0, rows = std::min(4, n); i < n; i += 4, rows = std::min(4, n - i)) {
        double sum[4] = {};
        for (int j = 0; j < n; ++j)
            for (int k = 0; k < rows; ++k)
                sum[k] += a[static_cast<size_t>(i + k) * n + j] * v[j];
        std::copy(sum, sum + rows, result + i);
    }
}
void MatrixTranspose(double *a, int n)
{
    for (int i = 0; i < n - 1; ++i)
        for (int j = i + 1; j < n; ++j)
            std::swap(a[i * n + j], a[j * n + i]);
}
