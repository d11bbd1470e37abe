#include "linalgebra.h"
#include "linalgebra_p.h"

#include <algorithm>
#include <cmath>
#include <utility>

#if defined(__GNUC__) && defined(__x86_64__)
#include <immintrin.h>
#define LIFTWISE_X86_KERNELS
#endif

namespace {

// Row kernels of the elimination. Each element is computed as a[k] - pivot[k] * d with the
// product rounded on its own (the library is built without contraction), so the bits are the
// same whatever the vector width. The scans look at the columns nobody has pivoted on yet
// (used[k] == 0), never count NaN, and return the largest |a[k]| when it is at least floor;
// otherwise any value below floor.

using ScanFn = double (*)(const double *a, const int *used, int n, double floor);
using EliminateFn = void (*)(double *__restrict a, const double *__restrict pivot, double d, int n);
using EliminateScanFn = double (*)(double *__restrict a, const double *__restrict pivot, double d,
    const int *used, int n, double floor);
// Several eliminations in a row: a[k] = (a[k] - pivots[0][k] * d[0]) - pivots[1][k] * d[1] ...
using CatchUpFn = void (*)(
    double *__restrict a, const double *const *pivots, const double *d, int count, int n);

struct RowKernels
{
    ScanFn scan;
    EliminateFn eliminate;
    EliminateScanFn eliminateScan;
    CatchUpFn catchUp;
};

double scanPlain(const double *a, const int *used, int n, double)
{
    double largest = -1.0;
    for (int k = 0; k < n; ++k) {
        const double v = std::fabs(a[k]);
        if (used[k] == 0 && v > largest)
            largest = v;
    }
    return largest;
}

void eliminatePlain(double *__restrict a, const double *__restrict pivot, double d, int n)
{
    for (int k = 0; k < n; ++k)
        a[k] = a[k] - pivot[k] * d;
}

double eliminateScanPlain(double *__restrict a, const double *__restrict pivot, double d,
    const int *used, int n, double floor)
{
    eliminatePlain(a, pivot, d, n);
    return scanPlain(a, used, n, floor);
}

void catchUpPlain(
    double *__restrict a, const double *const *pivots, const double *d, int count, int n)
{
    for (int k = 0; k < n; ++k) {
        double x = a[k];
        for (int t = 0; t < count; ++t)
            x = x - pivots[t][k] * d[t];
        a[k] = x;
    }
}

#ifdef LIFTWISE_X86_KERNELS

// AVX-512: eight columns a vector, the tail under a mask. MAXPD returns its second operand when
// the first is NaN, which is what keeps NaN out of the running maximum.

__attribute__((target("avx512f"))) inline __mmask8 unusedColumns(const int *used, __mmask8 live)
{
    const __m512i u = _mm512_maskz_loadu_epi32(live, used);
    return __mmask8(_mm512_mask_cmpeq_epi32_mask(live, u, _mm512_setzero_si512()));
}

__attribute__((target("avx512f"))) inline __mmask8 tailMask(int remaining)
{
    return remaining >= 8 ? __mmask8(0xff) : __mmask8((1u << remaining) - 1);
}

// Most rows hold nothing as large as the best so far; for them one comparison settles it.
__attribute__((target("avx512f"))) inline double reduceMax(__m512d v, double floor)
{
    if (_mm512_cmp_pd_mask(v, _mm512_set1_pd(floor), _CMP_GE_OQ) == 0)
        return -1.0;
    v = _mm512_maskz_max_pd(0xff, v, _mm512_maskz_shuffle_f64x2(0xff, v, v, 0x4e));
    v = _mm512_maskz_max_pd(0xff, v, _mm512_maskz_shuffle_f64x2(0xff, v, v, 0xb1));
    v = _mm512_maskz_max_pd(0xff, v, _mm512_maskz_permute_pd(0xff, v, 0x55));
    return _mm512_cvtsd_f64(v);
}

__attribute__((target("avx512f"))) double scanAvx512(
    const double *a, const int *used, int n, double floor)
{
    __m512d largest = _mm512_set1_pd(-1.0);
    for (int k = 0; k < n; k += 8) {
        const __mmask8 live = tailMask(n - k);
        const __m512d v = _mm512_abs_pd(_mm512_maskz_loadu_pd(live, a + k));
        largest = _mm512_mask_max_pd(largest, unusedColumns(used + k, live), v, largest);
    }
    return reduceMax(largest, floor);
}

__attribute__((target("avx512f"))) void eliminateAvx512(
    double *__restrict a, const double *__restrict pivot, double d, int n)
{
    const __m512d dv = _mm512_set1_pd(d);
    int k = 0;
    for (; k + 16 <= n; k += 16) {
        const __m512d x0
            = _mm512_sub_pd(_mm512_loadu_pd(a + k), _mm512_mul_pd(_mm512_loadu_pd(pivot + k), dv));
        const __m512d x1 = _mm512_sub_pd(
            _mm512_loadu_pd(a + k + 8), _mm512_mul_pd(_mm512_loadu_pd(pivot + k + 8), dv));
        _mm512_storeu_pd(a + k, x0);
        _mm512_storeu_pd(a + k + 8, x1);
    }
    for (; k < n; k += 8) {
        const __mmask8 live = tailMask(n - k);
        const __m512d x = _mm512_sub_pd(_mm512_maskz_loadu_pd(live, a + k),
            _mm512_mul_pd(_mm512_maskz_loadu_pd(live, pivot + k), dv));
        _mm512_mask_storeu_pd(a + k, live, x);
    }
}

__attribute__((target("avx512f"))) double eliminateScanAvx512(double *__restrict a,
    const double *__restrict pivot, double d, const int *used, int n, double floor)
{
    const __m512d dv = _mm512_set1_pd(d);
    __m512d largest0 = _mm512_set1_pd(-1.0);
    __m512d largest1 = largest0;
    int k = 0;
    for (; k + 16 <= n; k += 16) {
        const __m512d x0
            = _mm512_sub_pd(_mm512_loadu_pd(a + k), _mm512_mul_pd(_mm512_loadu_pd(pivot + k), dv));
        const __m512d x1 = _mm512_sub_pd(
            _mm512_loadu_pd(a + k + 8), _mm512_mul_pd(_mm512_loadu_pd(pivot + k + 8), dv));
        _mm512_storeu_pd(a + k, x0);
        _mm512_storeu_pd(a + k + 8, x1);
        largest0 = _mm512_mask_max_pd(
            largest0, unusedColumns(used + k, 0xff), _mm512_abs_pd(x0), largest0);
        largest1 = _mm512_mask_max_pd(
            largest1, unusedColumns(used + k + 8, 0xff), _mm512_abs_pd(x1), largest1);
    }
    for (; k < n; k += 8) {
        const __mmask8 live = tailMask(n - k);
        const __m512d x = _mm512_sub_pd(_mm512_maskz_loadu_pd(live, a + k),
            _mm512_mul_pd(_mm512_maskz_loadu_pd(live, pivot + k), dv));
        _mm512_mask_storeu_pd(a + k, live, x);
        largest0 = _mm512_mask_max_pd(
            largest0, unusedColumns(used + k, live), _mm512_abs_pd(x), largest0);
    }
    return reduceMax(_mm512_maskz_max_pd(0xff, largest0, largest1), floor);
}

// Four vectors of columns at a time keep four independent chains of subtractions in flight.
__attribute__((target("avx512f"))) void catchUpAvx512(
    double *__restrict a, const double *const *pivots, const double *d, int count, int n)
{
    int k = 0;
    for (; k + 32 <= n; k += 32) {
        __m512d x0 = _mm512_loadu_pd(a + k);
        __m512d x1 = _mm512_loadu_pd(a + k + 8);
        __m512d x2 = _mm512_loadu_pd(a + k + 16);
        __m512d x3 = _mm512_loadu_pd(a + k + 24);
        for (int t = 0; t < count; ++t) {
            const double *pivot = pivots[t] + k;
            const __m512d dv = _mm512_set1_pd(d[t]);
            x0 = _mm512_sub_pd(x0, _mm512_mul_pd(_mm512_loadu_pd(pivot), dv));
            x1 = _mm512_sub_pd(x1, _mm512_mul_pd(_mm512_loadu_pd(pivot + 8), dv));
            x2 = _mm512_sub_pd(x2, _mm512_mul_pd(_mm512_loadu_pd(pivot + 16), dv));
            x3 = _mm512_sub_pd(x3, _mm512_mul_pd(_mm512_loadu_pd(pivot + 24), dv));
        }
        _mm512_storeu_pd(a + k, x0);
        _mm512_storeu_pd(a + k + 8, x1);
        _mm512_storeu_pd(a + k + 16, x2);
        _mm512_storeu_pd(a + k + 24, x3);
    }
    for (; k < n; k += 8) {
        const __mmask8 live = tailMask(n - k);
        __m512d x = _mm512_maskz_loadu_pd(live, a + k);
        for (int t = 0; t < count; ++t) {
            const __m512d dv = _mm512_set1_pd(d[t]);
            x = _mm512_sub_pd(x, _mm512_mul_pd(_mm512_maskz_loadu_pd(live, pivots[t] + k), dv));
        }
        _mm512_mask_storeu_pd(a + k, live, x);
    }
}

// AVX2: four columns a vector, the tail in scalar code.

__attribute__((target("avx2"))) inline __m256d maxUnused(
    __m256d largest, __m256d x, const int *used)
{
    const __m128i u = _mm_loadu_si128(reinterpret_cast<const __m128i *>(used));
    const __m256d unused
        = _mm256_castsi256_pd(_mm256_cvtepi32_epi64(_mm_cmpeq_epi32(u, _mm_setzero_si128())));
    const __m256d v = _mm256_andnot_pd(_mm256_set1_pd(-0.0), x);
    return _mm256_blendv_pd(largest, _mm256_max_pd(v, largest), unused);
}

__attribute__((target("avx2"))) double reduceMax(__m256d v)
{
    const __m128d half = _mm_max_pd(_mm256_castpd256_pd128(v), _mm256_extractf128_pd(v, 1));
    return std::max(_mm_cvtsd_f64(half), _mm_cvtsd_f64(_mm_unpackhi_pd(half, half)));
}

__attribute__((target("avx2"))) double scanAvx2(
    const double *a, const int *used, int n, double floor)
{
    __m256d largest = _mm256_set1_pd(-1.0);
    int k = 0;
    for (; k + 4 <= n; k += 4)
        largest = maxUnused(largest, _mm256_loadu_pd(a + k), used + k);
    return std::max(reduceMax(largest), scanPlain(a + k, used + k, n - k, floor));
}

__attribute__((target("avx2"))) void eliminateAvx2(
    double *__restrict a, const double *__restrict pivot, double d, int n)
{
    const __m256d dv = _mm256_set1_pd(d);
    int k = 0;
    for (; k + 8 <= n; k += 8) {
        const __m256d x0
            = _mm256_sub_pd(_mm256_loadu_pd(a + k), _mm256_mul_pd(_mm256_loadu_pd(pivot + k), dv));
        const __m256d x1 = _mm256_sub_pd(
            _mm256_loadu_pd(a + k + 4), _mm256_mul_pd(_mm256_loadu_pd(pivot + k + 4), dv));
        _mm256_storeu_pd(a + k, x0);
        _mm256_storeu_pd(a + k + 4, x1);
    }
    eliminatePlain(a + k, pivot + k, d, n - k);
}

__attribute__((target("avx2"))) double eliminateScanAvx2(double *__restrict a,
    const double *__restrict pivot, double d, const int *used, int n, double floor)
{
    const __m256d dv = _mm256_set1_pd(d);
    __m256d largest0 = _mm256_set1_pd(-1.0);
    __m256d largest1 = largest0;
    int k = 0;
    for (; k + 8 <= n; k += 8) {
        const __m256d x0
            = _mm256_sub_pd(_mm256_loadu_pd(a + k), _mm256_mul_pd(_mm256_loadu_pd(pivot + k), dv));
        const __m256d x1 = _mm256_sub_pd(
            _mm256_loadu_pd(a + k + 4), _mm256_mul_pd(_mm256_loadu_pd(pivot + k + 4), dv));
        _mm256_storeu_pd(a + k, x0);
        _mm256_storeu_pd(a + k + 4, x1);
        largest0 = maxUnused(largest0, x0, used + k);
        largest1 = maxUnused(largest1, x1, used + k + 4);
    }
    const double tail = eliminateScanPlain(a + k, pivot + k, d, used + k, n - k, floor);
    return std::max(reduceMax(_mm256_max_pd(largest0, largest1)), tail);
}

__attribute__((target("avx2"))) void catchUpAvx2(
    double *__restrict a, const double *const *pivots, const double *d, int count, int n)
{
    int k = 0;
    for (; k + 16 <= n; k += 16) {
        __m256d x0 = _mm256_loadu_pd(a + k);
        __m256d x1 = _mm256_loadu_pd(a + k + 4);
        __m256d x2 = _mm256_loadu_pd(a + k + 8);
        __m256d x3 = _mm256_loadu_pd(a + k + 12);
        for (int t = 0; t < count; ++t) {
            const double *pivot = pivots[t] + k;
            const __m256d dv = _mm256_set1_pd(d[t]);
            x0 = _mm256_sub_pd(x0, _mm256_mul_pd(_mm256_loadu_pd(pivot), dv));
            x1 = _mm256_sub_pd(x1, _mm256_mul_pd(_mm256_loadu_pd(pivot + 4), dv));
            x2 = _mm256_sub_pd(x2, _mm256_mul_pd(_mm256_loadu_pd(pivot + 8), dv));
            x3 = _mm256_sub_pd(x3, _mm256_mul_pd(_mm256_loadu_pd(pivot + 12), dv));
        }
        _mm256_storeu_pd(a + k, x0);
        _mm256_storeu_pd(a + k + 4, x1);
        _mm256_storeu_pd(a + k + 8, x2);
        _mm256_storeu_pd(a + k + 12, x3);
    }
    for (; k < n; ++k) {
        double x = a[k];
        for (int t = 0; t < count; ++t)
            x = x - pivots[t][k] * d[t];
        a[k] = x;
    }
}

#endif

bool supported(RowKernelSet set)
{
#ifdef LIFTWISE_X86_KERNELS
    __builtin_cpu_init();
    if (set == RowKernelSet::Avx512)
        return __builtin_cpu_supports("avx512f");
    if (set == RowKernelSet::Avx2)
        return __builtin_cpu_supports("avx2");
#endif
    return set == RowKernelSet::Plain;
}

RowKernels rowKernels(RowKernelSet set)
{
#ifdef LIFTWISE_X86_KERNELS
    if (set == RowKernelSet::Avx512)
        return RowKernels {scanAvx512, eliminateAvx512, eliminateScanAvx512, catchUpAvx512};
    if (set == RowKernelSet::Avx2)
        return RowKernels {scanAvx2, eliminateAvx2, eliminateScanAvx2, catchUpAvx2};
#endif
    return RowKernels {scanPlain, eliminatePlain, eliminateScanPlain, catchUpPlain};
}

// The widest set this processor runs, chosen once.
const RowKernels &widestRowKernels()
{
    static const RowKernels kernels = [] {
        for (RowKernelSet set : {RowKernelSet::Avx512, RowKernelSet::Avx2}) {
            if (supported(set))
                return rowKernels(set);
        }
        return rowKernels(RowKernelSet::Plain);
    }();
    return kernels;
}

// The pivot search keeps the element scanned last among the largest, as a running
// "|x| >= largest" over rows then columns does: the last unused column holding the row's maximum,
// and a later row replacing an earlier one on equal magnitude. Rows come in increasing order.
struct PivotSearch
{
    double largest = 0.0;
    int row = 0;
    int col = 0;

    void offer(const double *a, int r, double rowLargest, const int *used, int n)
    {
        if (!(rowLargest >= largest))
            return;
        largest = rowLargest;
        row = r;
        for (int k = n - 1; k >= 0; --k) {
            if (used[k] == 0 && std::fabs(a[k]) == rowLargest) {
                col = k;
                return;
            }
        }
    }
};

// Rows that have served as pivot rows are no candidates any more, and no step reads them while
// pivots keep coming from fresh columns. They are left behind for a window of steps and then
// brought up to date, each with the steps it missed: one pass over such a row per window
// instead of one per step, which about halves the traffic to memory at large orders. Eight
// steps were the best trade against the bookkeeping from 200 to 999 unknowns.
constexpr int window = 8;

// The steps of a window: their pivot columns, their pivot rows as each step scaled them, and
// the pivot rows' elements in the pivot columns, pivotAt[t * window + u] = pivots[t][cols[u]].
struct Window
{
    const int *cols;
    const double *pivots[window];
    double pivotAt[window * window];
    int count;
};

// Applies to row a the steps first .. w.count - 1 of the window, exactly as they would have
// been applied one by one.
void catchUp(double *a, const Window &w, int first, int n, const RowKernels &kernels)
{
    // 1. The pivot columns first: each step's factor is the element in its own pivot column as
    //    the earlier steps left it, and that element is zeroed before the step's subtraction.
    double pending[window];
    double d[window] = {};
    for (int u = first; u < w.count; ++u)
        pending[u] = a[w.cols[u]];
    for (int t = first; t < w.count; ++t) {
        d[t] = pending[t];
        pending[t] = 0.0;
        const double *at = w.pivotAt + t * window;
        for (int u = first; u < w.count; ++u)
            pending[u] = pending[u] - at[u] * d[t];
    }

    // 2. Every column through all the steps, then the pivot columns put right.
    kernels.catchUp(a, w.pivots + first, d + first, w.count - first, n);
    for (int u = first; u < w.count; ++u)
        a[w.cols[u]] = pending[u];
}

// Brings the rows left behind up to date with steps from .. to - 1: first those that were pivot
// rows before, then the window's own pivot rows in step order, so that each pivot row is still
// as its step left it for as long as others need it.
void catchUpWindow(
    double *a, int n, const int *pivotCol, int from, int to, const RowKernels &kernels)
{
    Window w;
    w.cols = pivotCol + from;
    w.count = to - from;
    for (int t = 0; t < w.count; ++t) {
        w.pivots[t] = a + w.cols[t] * n;
        for (int u = 0; u < w.count; ++u)
            w.pivotAt[t * window + u] = w.pivots[t][w.cols[u]];
    }
    for (int t = 0; t < from; ++t)
        catchUp(a + pivotCol[t] * n, w, 0, n, kernels);
    for (int t = 0; t + 1 < w.count; ++t)
        catchUp(a + w.cols[t] * n, w, t + 1, n, kernels);
}

void invert(double *a, int n, const RowKernels &kernels)
{
    if (n <= 0)
        return;
    int *used = new int[n]();
    int *pivotRow = new int[n];
    int *pivotCol = new int[n];

    // 1. Search the first pivot; every later one is searched during the previous elimination,
    //    which visits the rows and columns in the order of the search, each row right after
    //    its last change in that step.
    PivotSearch search;
    for (int r = 0; r < n; ++r)
        search.offer(a + r * n, r, kernels.scan(a + r * n, used, n, search.largest), used, n);

    // While every pivot comes from a fresh column, use counts are 0 or 1 and the rows with
    // count 1 are exactly the former pivot rows: those are left behind since windowStart. A
    // search that finds nothing but NaN falls back on (0, 0) even when column 0 is used; from
    // then on every row is kept up to date at every step.
    bool leaveBehind = true;
    int windowStart = 0;
    for (int s = 0; s < n; ++s) {
        const int row = search.row;
        const int p = search.col;
        if (leaveBehind && used[p] != 0) {
            catchUpWindow(a, n, pivotCol, windowStart, s, kernels);
            leaveBehind = false;
        }
        ++used[p];

        // 2. Move the pivot onto the diagonal: row swap now, column swap at the end.
        if (row != p) {
            for (int k = 0; k < n; ++k)
                std::swap(a[row * n + k], a[p * n + k]);
        }
        pivotRow[s] = row;
        pivotCol[s] = p;

        // 3. Scale the pivot row; the 1 written into the pivot becomes the inverse's element.
        double *pivot = a + p * n;
        const double inv = 1.0 / pivot[p];
        pivot[p] = 1.0;
        for (int k = 0; k < n; ++k)
            pivot[k] *= inv;

        // 4. Clear column p in every other row, in increasing order, and search the next pivot
        //    among the rows and columns the next step will consider. The pivot row is usually
        //    used up here; it is scanned in its place when it is not.
        const bool searchNext = s + 1 < n;
        search = PivotSearch();
        for (int r = 0; r < n; ++r) {
            double *ar = a + r * n;
            const bool candidate = searchNext && used[r] != 1;
            if (r == p) {
                if (candidate)
                    search.offer(ar, r, kernels.scan(ar, used, n, search.largest), used, n);
                continue;
            }
            if (leaveBehind && used[r] == 1)
                continue;
            // Column p is zeroed before its subtraction; written after the row, so that the
            // kernel's loads do not wait on a fresh store. The scan never looks at it: the
            // column is used.
            const double d = ar[p];
            if (candidate) {
                const double rowLargest
                    = kernels.eliminateScan(ar, pivot, d, used, n, search.largest);
                ar[p] = 0.0 - pivot[p] * d;
                search.offer(ar, r, rowLargest, used, n);
            } else {
                kernels.eliminate(ar, pivot, d, n);
                ar[p] = 0.0 - pivot[p] * d;
            }
        }

        // 5. Bring the rows left behind up to date when the window is full and after the last
        //    step.
        if (leaveBehind && (s + 1 - windowStart == window || s + 1 == n)) {
            catchUpWindow(a, n, pivotCol, windowStart, s + 1, kernels);
            windowStart = s + 1;
        }
    }

    // 6. Undo the row swaps as column swaps, last step first. Each swap stays within a row, so
    //    the rows can be done one after the other while they sit in cache.
    for (int r = 0; r < n; ++r) {
        double *ar = a + r * n;
        for (int s = n - 1; s >= 0; --s) {
            if (pivotRow[s] != pivotCol[s])
                std::swap(ar[pivotRow[s]], ar[pivotCol[s]]);
        }
    }
    delete[] used;
    delete[] pivotRow;
    delete[] pivotCol;
}

} // namespace

void MatrixInverse(double *a, int n) { invert(a, n, widestRowKernels()); }

bool rowKernelSetSupported(RowKernelSet set) { return supported(set); }

void MatrixInverseWith(RowKernelSet set, double *a, int n)
{
    if (supported(set))
        invert(a, n, rowKernels(set));
}

void MatrVecProd(double *a, double *v, double *result, int n)
{
    for (int i = 0; i < n; ++i) {
        result[i] = 0.0;
        for (int j = 0; j < n; ++j)
            result[i] += a[i * n + j] * v[j];
    }
}

void MatrixTranspose(double *a, int n)
{
    for (int i = 0; i < n - 1; ++i)
        for (int j = i + 1; j < n; ++j)
            std::swap(a[i * n + j], a[j * n + i]);
}
