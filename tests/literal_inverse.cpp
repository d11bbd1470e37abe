#include "literal_inverse.h"

#include <cmath>
#include <utility>

void MatrixInverseLiteral(double *a, int n)
{
    if (n <= 0)
        return;
    int *used = new int[n]();
    int *pivotRow = new int[n];
    int *pivotCol = new int[n];
    for (int s = 0; s < n; ++s) {
        // 1. The largest remaining element; ties go to the one scanned last.
        double largest = 0.0;
        int row = 0;
        int col = 0;
        for (int j = 0; j < n; ++j) {
            if (used[j] == 1)
                continue;
            for (int k = 0; k < n; ++k) {
                if (used[k] == 0 && std::fabs(a[j * n + k]) >= largest) {
                    largest = std::fabs(a[j * n + k]);
                    row = j;
                    col = k;
                }
            }
        }
        ++used[col];

        // 2. Bring the pivot onto the diagonal and remember where it came from.
        if (row != col) {
            for (int k = 0; k < n; ++k)
                std::swap(a[row * n + k], a[col * n + k]);
        }
        pivotRow[s] = row;
        pivotCol[s] = col;

        // 3. Scale the pivot row, then clear the pivot column in every other row.
        const int p = col;
        const double inv = 1.0 / a[p * n + p];
        a[p * n + p] = 1.0;
        for (int k = 0; k < n; ++k)
            a[p * n + k] *= inv;
        for (int r = 0; r < n; ++r) {
            if (r == p)
                continue;
            const double d = a[r * n + p];
            a[r * n + p] = 0.0;
            for (int k = 0; k < n; ++k)
                a[r * n + k] = a[r * n + k] - a[p * n + k] * d;
        }
    }

    // 4. The row swaps permuted the columns of the inverse; undo them in reverse.
    for (int s = n - 1; s >= 0; --s) {
        if (pivotRow[s] != pivotCol[s]) {
            for (int r = 0; r < n; ++r)
                std::swap(a[r * n + pivotRow[s]], a[r * n + pivotCol[s]]);
        }
    }
    delete[] used;
    delete[] pivotRow;
    delete[] pivotCol;
}
