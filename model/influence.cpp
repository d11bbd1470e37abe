#include "influence.h"

#include <cstddef>

std::vector<double> influenceMatrix(const std::vector<double> &x)
{
    const std::size_t n = x.empty() ? 0 : x.size() - 1;
    std::vector<double> xv(n), xc(n), m(n * n);
    for (std::size_t i = 0; i < n; ++i) {
        xv[i] = 0.75 * x[i] + 0.25 * x[i + 1];
        xc[i] = 0.25 * x[i] + 0.75 * x[i + 1];
    }
    for (std::size_t i = 0; i < n; ++i) {
        double *row = m.data() + i * n;
        for (std::size_t j = 0; j < n; ++j)
            row[j] = 1.0 / (xc[i] - xv[j]);
    }
    return m;
}
