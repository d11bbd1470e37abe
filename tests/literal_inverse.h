#ifndef LIFTWISE_LITERAL_INVERSE_H
#define LIFTWISE_LITERAL_INVERSE_H

// Gauss-Jordan inversion with full pivoting written step by step, without any reordering of the
// loops: the yardstick that MatrixInverse must match bit for bit and beat in time.
void MatrixInverseLiteral(double *a, int n);

#endif // LIFTWISE_LITERAL_INVERSE_H
