#include "linalgebra.h"

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
// same whatever the vector width. The scans return the largest |a[k]| over the columns nobody
// has pivoted on yet (used[k] == 0), NaN never counting, and -1 when there is no such column.

using ScanFn = double (*)(const double *a, const int *used, int n);
using EliminateFn = void (*)(double *__restrict a, const double *__restrict pivot, double d, int n);
using EliminateScanFn = double (*)(
    double *__restrict a, const double *__restrict pivot, double d, const int *used, int n);

struct RowKernels
{
    ScanFn scan;
    EliminateFn eliminate;
    EliminateScanFn eliminateScan;
};

double scanPlain(const double *a, const int *used, int n)
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

double eliminateScanPlain(
    double *__restrict a, const double *__restrict pivot, double d, const int *used, int n)
{
    eliminatePlain(a, pivot, d, n);
    return scanPlain(a, used, n);
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

// The lanes never hold NaN, so a plain maximum over them is safe.
__attribute__((target("avx512f"))) inline double reduceMax(__m512d v)
{
    alignas(64) double lanes[8];
    _mm512_store_pd(lanes, v);
    return *std::max_element(lanes, lanes + 8);
}

__attribute__((target("avx512f"))) double scanAvx512(const double *a, const int *used, int n)
{
    __m512d largest = _mm512_set1_pd(-1.0);
    for (int k = 0; k < n; k += 8) {
        const __mmask8 live = tailMask(n - k);
        const __m512d v = _mm512_abs_pd(_mm512_maskz_loadu_pd(live, a + k));
        largest = _mm512_mask_max_pd(largest, unusedColumns(used + k, live), v, largest);
    }
    return reduceMax(largest);
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

__attribute__((target("avx512f"))) double eliminateScanAvx512(
    double *__restrict a, const double *__restrict pivot, double d, const int *used, int n)
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
    return reduceMax(_mm512_maskz_max_pd(0xff, largest0, largest1));
}

// AVX2: four columns a vector, the tail in scalar code.

__attribute__((target("avx2"))) inline __m256d unusedColumnsAvx2(const int *used)
{
    const __m128i u = _mm_loadu_si128(reinterpret_cast<const __m128i *>(used));
    return _mm256_castsi256_pd(_mm256_cvtepi32_epi64(_mm_cmpeq_epi32(u, _mm_setzero_si128())));
}

__attribute__((target("avx2"))) inline __m256d maxUnused(
    __m256d largest, __m256d x, const int *used)
{
    const __m256d v = _mm256_andnot_pd(_mm256_set1_pd(-0.0), x);
    return _mm256_blendv_pd(largest, _mm256_max_pd(v, largest), unusedColumnsAvx2(used));
}

__attribute__((target("avx2"))) double reduceMax(__m256d v)
{
    const __m128d half = _mm_max_pd(_mm256_castpd256_pd128(v), _mm256_extractf128_pd(v, 1));
    return std::max(_mm_cvtsd_f64(half), _mm_cvtsd_f64(_mm_unpackhi_pd(half, half)));
}

__attribute__((target("avx2"))) double scanAvx2(const double *a, const int *used, int n)
{
    __m256d largest = _mm256_set1_pd(-1.0);
    int k = 0;
    for (; k + 4 <= n; k += 4)
        largest = maxUnused(largest, _mm256_loadu_pd(a + k), used + k);
    return std::max(reduceMax(largest), scanPlain(a + k, used + k, n - k));
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

__attribute__((target("avx2"))) double eliminateScanAvx2(
    double *__restrict a, const double *__restrict pivot, double d, const int *used, int n)
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
    const double tail = eliminateScanPlain(a + k, pivot + k, d, used + k, n - k);
    return std::max(reduceMax(_mm256_max_pd(largest0, largest1)), tail);
}

#endif

const RowKernels &rowKernels()
{
    static const RowKernels kernels = [] {
#ifdef LIFTWISE_X86_KERNELS
        __builtin_cpu_init();
        if (__builtin_cpu_supports("avx512f"))
            return RowKernels {scanAvx512, eliminateAvx512, eliminateScanAvx512};
        if (__builtin_cpu_supports("avx2"))
            return RowKernels {scanAvx2, eliminateAvx2, eliminateScanAvx2};
#endif
        return RowKernels {scanPlain, eliminatePlain, eliminateScanPlain};
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

} // namespace

void MatrixInverse(double *a, int n)
{
    if (n <= 0)
        return;
    const RowKernels &kernels = rowKernels();
    int *used = new int[n]();
    int *pivotRow = new int[n];
    int *pivotCol = new int[n];

    // 1. Search the first pivot; every later one is searched during the previous elimination,
    //    which visits the rows and columns in the order of the search, each row right after
    //    its last change in that step.
    PivotSearch search;
    for (int r = 0; r < n; ++r)
        search.offer(a + r * n, r, kernels.scan(a + r * n, used, n), used, n);

    for (int s = 0; s < n; ++s) {
        const int row = search.row;
        const int p = search.col;
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
                    search.offer(ar, r, kernels.scan(ar, used, n), used, n);
                continue;
            }
            const double d = ar[p];
            ar[p] = 0.0;
            if (candidate)
                search.offer(ar, r, kernels.eliminateScan(ar, pivot, d, used, n), used, n);
            else
                kernels.eliminate(ar, pivot, d, n);
        }
    }

    // 5. Undo the row swaps as column swaps, last step first. Each swap stays within a row, so
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
