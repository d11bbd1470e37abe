#ifndef LIFTWISE_LINALGEBRA_P_H
#define LIFTWISE_LINALGEBRA_P_H

// Not public: lets the tests run MatrixInverse on each set of row kernels, not only on the widest
// one this processor supports, which is the one MatrixInverse uses.

enum class RowKernelSet { Plain, Avx2, Avx512 };

// Whether this build and this processor can run the set.
bool rowKernelSetSupported(RowKernelSet set);

// MatrixInverse on the given set; touches nothing when the set is not supported.
void MatrixInverseWith(RowKernelSet set, double *a, int n);

#endif // LIFTWISE_LINALGEBRA_P_H
