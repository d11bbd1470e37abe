#ifndef LIFTWISE_INVERSE_INTERNAL_H
#define LIFTWISE_INVERSE_INTERNAL_H

// The parts of MatrixInverse: the row kernels (linalgebra.cpp, compiled for each instruction set)
// and the elimination that drives them (elimination.cpp). For numerics, its tests and benchmarks.

#include "linalgebra.h"

#include <cstdint>
#include <vector>

namespace inverse {

// From this order on, the rows of an inversion (InverseThreads::ByOrder) and of MatrVecProds are
// shared among the cores: below it, handing them out costs more than it saves.
constexpr int sharedFrom = 400;

// The steps of the elimination are grouped in windows of this many (the program's choice), at
// most maxWindow.
constexpr int defaultWindow = 24;
constexpr int maxWindow = 64;

// MatrixInverse with a window of the given length (clamped to [1, maxWindow]). The bits do not
// depend on it.
void invert(double *a, int n, InverseThreads threads, int window);

// The Highway targets (HWY_AVX2, ...) that the kernels were compiled for and that the processor
// runs, best first; the portable one (HWY_SCALAR, or HWY_EMU128) always among them.
std::vector<std::int64_t> targets();

// The kernels dispatch to `target` alone (one of targets()) until the next call; 0: to the best
// the processor runs again. For the tests and benchmarks.
void useTarget(std::int64_t target);

// At most this many rows share one call of a kernel, so that each pivot element is loaded once
// for all of them.
constexpr int tileRows = 4;

// Rows that receive the same steps of the elimination: in every column k of every row x,
// x[k] = x[k] - pivots[s][k] * factors[s * tileRows + r] for s = 0, 1 .. steps - 1 in turn (r:
// the row's place in the tile), each product rounded on its own.
struct RowTile
{
    double *rows[tileRows];
    int rowCount;
    int columns;
    const double *const *pivots;
    const double *factors;
    int steps;
    // 0 for a column nobody has pivoted on yet, NaN for the others; null: no scan.
    const double *usedMask;
};

// The pivot columns of a tile's rows through `steps` steps. pivotColumns[u * tileRows + r] holds
// row r's element in step u's pivot column before the steps and its final value after them (rows
// beyond the tile's hold anything finite); factors[t * tileRows + r] receives row r's factor of
// step t: the element in step t's own pivot column as the earlier steps left it, which the step
// zeroes before its subtraction. crossing[t * crossingStride + u]: step t's pivot row in step u's
// pivot column.
struct ChainOfSteps
{
    int steps;
    const double *crossing;
    int crossingStride;
    double *pivotColumns;
    double *factors;
};

struct RowKernels
{
    // Applies the tile's steps. With a mask, largest[r] is afterwards the largest |x[k]| of row r
    // over the unused columns, NaN never counting; -1 when there is none.
    void (*update)(const RowTile &tile, double *largest);
    void (*chain)(const ChainOfSteps &chain);
    // row[k] = row[k] * factor in every column.
    void (*scale)(double *row, double factor, int columns);
};

// The kernels of the best target the processor runs (or the one the tests have chosen).
const RowKernels &rowKernels();

} // namespace inverse

#endif // LIFTWISE_INVERSE_INTERNAL_H
