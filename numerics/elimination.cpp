// The Gauss-Jordan elimination of MatrixInverse: its steps, the pivot search and the rows that
// wait. Every element receives exactly the operations of the literal transcription
// (tests/literal_inverse.cpp), in the same order, so the bits are the same; only the moment at
// which a row receives its steps differs.
//
// Rows that cannot hold the next pivot wait. The steps are grouped in windows; a row receives the
// window's steps when the pivot search needs to look at it, else all at once at the window's
// end, from copies of the pivot rows as they were at their steps. To tell whether the search
// needs a row, each row that may still hold a pivot keeps an upper bound of its largest unused
// magnitude: exact when the row was last scanned, grown by every step it has not received.
// The search brings the row with the largest bound up to date first, then only those whose bound
// is not below the best magnitude found so far.
#include "inverse_internal.h"
#include "workerpool.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <limits>
#include <utility>
#include <vector>

namespace inverse {
namespace {

// Rows that one thread takes at a time at a window's end.
constexpr int rowsPerBlock = 16;
// How far ahead the loops that read a column ask for its elements.
constexpr int prefetchRows = 16;

// |x - p * d| <= |x| + |p| * |d| for every unused column; the factor and the smallest normal
// number cover the rounding and underflow of the bound's own arithmetic with room to spare.
constexpr double boundGrowth = 1.0 + 8.0 * DBL_EPSILON;

// A row and its largest unused magnitude; row -1: nothing countable (NaN never counts).
struct Candidate
{
    double largest = -1.0;
    int row = -1;
};

struct Pivot
{
    int row, column;
};

class Elimination
{
public:
    Elimination(double *a, int n, int window, WorkerTeam &team)
        : a(a)
        , n(n)
        , window(window)
        , team(team)
        , kernels(rowKernels())
        , useCount(n)
        , usedMask(n, 0.0)
        , stepsReceived(n, 0)
        , pivotRowOf(n)
        , pivotColumnOf(n)
        , bound(n)
        , pendingFactors(std::size_t(n) * window)
        , pivotCopies(std::size_t(n) * window)
        , pivotLargest(window)
        , crossing(std::size_t(window) * window)
    {
    }

    void run()
    {
        bringAllUpToDate(0, Pass::FirstScan);
        Candidate next = searchUpToDate();
        for (int s = 0; s < n; ++s) {
            giveWayToForeground();
            startStep(s, pivotOf(next));
            if (s + 1 < n && s + 1 - windowStart < windowLength()) {
                next = searchWaiting(s + 1, growBounds(s));
                if (next.row >= 0)
                    continue;
                // Nothing countable is left: from now on every row receives every step at once.
                lazy = false;
            }
            bringAllUpToDate(s + 1, s + 1 == n ? Pass::Last : Pass::WindowEnd);
            windowStart = s + 1;
            next = searchUpToDate();
        }
    }

private:
    enum class Pass {
        FirstScan, // every row scanned
        WindowEnd, // every row brought up to date and scanned
        Last, // every row brought up to date, and the row swaps undone as column swaps
    };

    double *row(int i) const { return a + std::size_t(i) * n; }
    // The pivot row of the window's t-th step as it was at its step.
    double *pivotCopy(int t) { return pivotCopies.data() + std::size_t(t) * n; }
    double *factorsOf(int i) { return pendingFactors.data() + std::size_t(i) * window; }
    // Rows whose bound is kept: the candidates of the literal pivot search.
    bool mayHoldPivot(int i) const { return useCount[i] != 1; }
    int windowLength() const { return lazy ? window : 1; }

    // ---- The steps

    // Brings the pivot onto the diagonal (row swap now, column swap at the end), scales its row
    // and keeps a copy of it for the rows that receive the step later.
    void startStep(int s, Pivot pivot)
    {
        const auto [r, p] = pivot;
        if (++useCount[p] == 1)
            usedMask[p] = std::numeric_limits<double>::quiet_NaN();
        pivotRowOf[s] = r;
        pivotColumnOf[s] = p;
        if (r != p)
            swapRows(r, p);
        double *x = row(p);
        const double inv = 1.0 / x[p];
        x[p] = 1.0;
        kernels.scale(x, inv, n);
        stepsReceived[p] = s + 1;

        const int t = s - windowStart;
        std::copy_n(x, n, pivotCopy(t));
        for (int u = 0; u <= t; ++u) {
            crossing[t * window + u] = pivotCopy(t)[pivotColumnOf[windowStart + u]];
            crossing[u * window + t] = pivotCopy(u)[p];
        }
        // The pivot row is up to date: its bound is exact (it may hold a later pivot once the
        // search has fallen back on a used column).
        RowTile scan {{x}, 1, n, nullptr, nullptr, 0, usedMask.data()};
        kernels.update(scan, &bound[p]);
        pivotLargest[t] = std::max(0.0, bound[p]);
    }

    // A row swap takes the rows' progress along.
    void swapRows(int r, int p)
    {
        std::swap_ranges(row(r), row(r) + n, row(p));
        std::swap(stepsReceived[r], stepsReceived[p]);
        std::swap(bound[r], bound[p]);
        std::swap_ranges(factorsOf(r), factorsOf(r) + window, factorsOf(p));
    }

    // ---- The rows that wait

    // The factor of step s for every row that may hold a pivot, computed on the pivot column
    // alone through the row's earlier waiting steps, and the bound grown by the step. Returns
    // the first row of the largest bound (a NaN bound counts as largest), -1 if none may hold
    // a pivot: the row the search brings up to date first.
    int growBounds(int s)
    {
        const int t = s - windowStart, p = pivotColumnOf[s];
        int first = -1;
        for (int i = 0; i < n; ++i) {
            if (i + prefetchRows < n)
                __builtin_prefetch(row(i + prefetchRows) + p);
            if (!mayHoldPivot(i))
                continue;
            double *factors = factorsOf(i);
            double x = row(i)[p];
            for (int u = stepsReceived[i] - windowStart; u < t; ++u)
                x = x - crossing[u * window + t] * factors[u];
            factors[t] = x;
            bound[i] = bound[i] + (std::fabs(x) * pivotLargest[t] * boundGrowth + DBL_MIN);
            if (first < 0 || !(bound[i] <= bound[first]))
                first = i;
        }
        return first;
    }

    // Rows that have all received the same steps get those up to step `to`, and are scanned
    // when asked: their bounds become exact. The kernel takes every column through the steps,
    // the chain puts the steps' pivot columns right.
    void bringUpToDate(const int *rows, int count, int to, bool scan)
    {
        const int from = stepsReceived[rows[0]], first = from - windowStart, steps = to - from;
        const double *pivots[maxWindow];
        double factors[maxWindow * tileRows], pivotColumns[maxWindow * tileRows] = {};
        double largest[tileRows];
        RowTile tile {{}, count, n, pivots, factors, steps, scan ? usedMask.data() : nullptr};
        for (int t = 0; t < steps; ++t)
            pivots[t] = pivotCopy(first + t);
        for (int r = 0; r < count; ++r) {
            tile.rows[r] = row(rows[r]);
            for (int u = 0; u < steps; ++u)
                pivotColumns[u * tileRows + r] = tile.rows[r][pivotColumnOf[from + u]];
        }
        if (steps > 0) {
            kernels.chain(
                {steps, &crossing[first * window + first], window, pivotColumns, factors});
        }
        if (steps > 0 || scan)
            kernels.update(tile, largest);
        for (int r = 0; r < count; ++r) {
            for (int u = 0; u < steps; ++u)
                tile.rows[r][pivotColumnOf[from + u]] = pivotColumns[u * tileRows + r];
            stepsReceived[rows[r]] = to;
            if (scan)
                bound[rows[r]] = largest[r];
        }
    }

    // ---- The pivot search. The literal one keeps the element scanned last among the largest
    // (rows, then columns, in index order): the last row holding the largest magnitude, and in
    // it the last unused column holding it; (0, 0) when nothing is countable.

    Pivot pivotOf(Candidate best) const
    {
        if (best.row < 0)
            return {0, 0};
        const double *x = row(best.row);
        int column = n - 1;
        while (column > 0 && (usedMask[column] != 0.0 || std::fabs(x[column]) != best.largest))
            --column;
        return {best.row, column};
    }

    // Every row is up to date and every bound exact.
    Candidate searchUpToDate() const
    {
        Candidate best;
        for (int i = 0; i < n; ++i) {
            if (mayHoldPivot(i) && bound[i] >= 0.0 && bound[i] >= best.largest)
                best = {bound[i], i};
        }
        return best;
    }

    // For step s, while rows wait: the row with the largest bound first (a non-finite bound
    // never prunes), then in index order every row whose bound is not below the best so far.
    Candidate searchWaiting(int s, int first)
    {
        bringUpToDate(&first, 1, s, true);
        Candidate best {bound[first], first};
        for (int i = 0; i < n; ++i) {
            if (i == first || !mayHoldPivot(i) || bound[i] < best.largest)
                continue;
            if (stepsReceived[i] < s)
                bringUpToDate(&i, 1, s, true);
            if (bound[i] > best.largest || (bound[i] == best.largest && i > best.row))
                best = {bound[i], i};
        }
        return best.largest >= 0.0 ? best : Candidate();
    }

    // ---- The passes over every row, shared among the team's threads in blocks of rows. The
    // rows are ordered by the steps they have received, so that tiles of rows with the same
    // steps form, most work first.
    void bringAllUpToDate(int to, Pass pass)
    {
        // A counting sort, in one pass over the rows: by the steps received, each group in
        // index order.
        const int last = pass == Pass::WindowEnd ? to - 1 : to;
        groupStart.assign(std::size_t(std::max(0, last - windowStart + 2)), 0);
        for (int i = 0; i < n; ++i) {
            if (stepsReceived[i] >= windowStart && stepsReceived[i] <= last)
                ++groupStart[std::size_t(stepsReceived[i] - windowStart + 1)];
        }
        for (std::size_t g = 1; g < groupStart.size(); ++g)
            groupStart[g] += groupStart[g - 1];
        order.resize(groupStart.empty() ? 0 : std::size_t(groupStart.back()));
        for (int i = 0; i < n; ++i) {
            if (stepsReceived[i] >= windowStart && stepsReceived[i] <= last)
                order[std::size_t(groupStart[std::size_t(stepsReceived[i] - windowStart)]++)] = i;
        }
        const int rows = int(order.size());
        team.forEachBlock((rows + rowsPerBlock - 1) / rowsPerBlock, [&](int block) {
            const int end = std::min(rows, (block + 1) * rowsPerBlock);
            for (int k = block * rowsPerBlock, count; k < end; k += count) {
                const int *tile = &order[k];
                for (int ahead = k + tileRows; ahead < std::min(end, k + 2 * tileRows); ++ahead)
                    prefetchPivotColumns(order[ahead], to);
                count = 1;
                while (count < tileRows && k + count < end
                    && stepsReceived[tile[count]] == stepsReceived[tile[0]])
                    ++count;
                bringUpToDate(tile, count, to, pass != Pass::Last);
                for (int r = 0; pass == Pass::Last && r < count; ++r)
                    undoRowSwaps(row(tile[r]));
            }
        });
    }

    // The elements the chain of row i reads, which lie a row apart in memory.
    void prefetchPivotColumns(int i, int to) const
    {
        for (int u = stepsReceived[i]; u < to; ++u)
            __builtin_prefetch(row(i) + pivotColumnOf[u]);
    }

    void undoRowSwaps(double *x) const
    {
        for (int s = n - 1; s >= 0; --s)
            std::swap(x[pivotRowOf[s]], x[pivotColumnOf[s]]);
    }

    double *const a;
    const int n, window;
    WorkerTeam &team;
    const RowKernels &kernels;
    bool lazy = true; // rows wait through windows of steps
    int windowStart = 0; // the first step of the current window

    // Per column: the times it was pivoted on, and its mask for the scans (RowTile::usedMask).
    std::vector<int> useCount;
    std::vector<double> usedMask;
    // Per row: the steps it has received (all those before this one).
    std::vector<int> stepsReceived;
    // Per step: where its pivot was found.
    std::vector<int> pivotRowOf, pivotColumnOf;
    // Per row: an upper bound of its largest unused magnitude, and its factors of the window's
    // steps it has not received.
    std::vector<double> bound, pendingFactors;
    // Per step of the window: its pivot row as it was at the step, that row's largest unused
    // magnitude (0 at least), and crossing[t * window + u], step t's pivot row in step u's pivot
    // column.
    std::vector<double> pivotCopies, pivotLargest, crossing;
    std::vector<int> order; // the rows of a pass
    std::vector<int> groupStart; // where each group of them starts in order, while it is made
};

} // namespace

void invert(double *a, int n, InverseThreads threads, int window)
{
    if (n <= 0)
        return;
    WorkerTeam team(
        threads == InverseThreads::All || (threads == InverseThreads::ByOrder && n >= sharedFrom));
    Elimination(a, n, std::clamp(window, 1, maxWindow), team).run();
}

} // namespace inverse
