#ifndef LIFTWISE_LINALGEBRA_H
#define LIFTWISE_LINALGEBRA_H

// Dense square matrices of order n: n * n doubles row by row, element (i, j) at i * n + j.

// Replaces a by its inverse (Gauss-Jordan, full pivoting). No singularity test: a singular
// matrix comes back with non-finite entries. n = 0 touches nothing.
void MatrixInverse(double *a, int n);

// result = a * v; result must not overlap a or v.
void MatrVecProd(double *a, double *v, double *result, int n);

// Replaces a by its transpose.
void MatrixTranspose(double *a, int n);

#endif // LIFTWISE_LINALGEBRA_H
