#ifndef LIFTWISE_LINALGEBRA_H
#define LIFTWISE_LINALGEBRA_H

// Dense square matrices of order n: n * n doubles row by row, element (i, j) at i * n + j.

// The threads an inversion runs on. Shared among threads, the rows of each step get the same
// operations in the same order: the result is the same bits on any of them.
enum class InverseThreads {
    ByOrder, // all cores from the order where sharing pays, the calling thread below it
    One, // the calling thread only
    All, // all cores at any order
};

// Replaces a by its inverse (Gauss-Jordan, full pivoting). No singularity test: a singular
// matrix comes back with non-finite entries. n = 0 touches nothing. Safe to call from several
// threads at once: the pooled workers serve one inversion at a time, and an inversion that finds
// them busy runs on its calling thread alone.
void MatrixInverse(double *a, int n, InverseThreads threads = InverseThreads::ByOrder);

// result = a * v; result must not overlap a or v.
void MatrVecProd(double *a, double *v, double *result, int n);

// Replaces a by its transpose.
void MatrixTranspose(double *a, int n);

#endif // LIFTWISE_LINALGEBRA_H
