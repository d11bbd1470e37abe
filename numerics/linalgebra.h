#ifndef LIFTWISE_LINALGEBRA_H
#define LIFTWISE_LINALGEBRA_H

// Dense square matrices of order n: n * n doubles row by row, element (i, j) at i * n + j.

// The threads an inversion runs on. Shared among threads, the rows of each step get the same
// operations in the same order: the result is the same bits on any of them.
enum class InverseThreads {
    ByOrder, // all cores from order 400 on, where sharing pays, the calling thread below
    One, // the calling thread only
    All, // all cores at any order
};

// Replaces a by its inverse (Gauss-Jordan, full pivoting), the same bits as the plain
// transcription of the algorithm on every processor. No singularity test: a singular matrix comes
// back with non-finite entries. n = 0 touches nothing. Safe to call from several threads at once:
// the cores are shared only while one inversion runs; with several at once, each keeps to its
// calling thread. On a background thread (BackgroundWork, workerpool.h) it keeps to that thread
// and pauses between its steps while foreground work is in progress.
void MatrixInverse(double *a, int n, InverseThreads threads = InverseThreads::ByOrder);

// result = a * v; result must not overlap a or v.
void MatrVecProd(const double *a, const double *v, double *result, int n);
// results[k] = a * vectors[k] for the count vectors, in one pass over a: each the same bits as
// MatrVecProd gives it.
void MatrVecProds(
    const double *a, const double *const *vectors, double *const *results, int count, int n);

// Replaces a by its transpose.
void MatrixTranspose(double *a, int n);

#endif // LIFTWISE_LINALGEBRA_H
