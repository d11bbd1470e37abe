#include "linalgebra.h"
#include "literal_inverse.h"

#include <Eigen/Dense>
#include <benchmark/benchmark.h>

#include <cmath>
#include <vector>

namespace {

// The influence matrix of the default paneling: n panels clustered towards both edges by
// densities 3 and 2, vortex at the quarter and collocation point at the three-quarter point of
// each panel, M[i][j] = 1 / (xc[i] - xv[j]). Row by row.
std::vector<double> influenceMatrix(int n)
{
    const double a = 3.0;
    const double b = 2.0;
    const double phi0 = std::atan(-a);
    const double range = std::atan(b) - phi0;
    std::vector<double> x(n + 1);
    x[0] = 0.0;
    x[n] = 1.0;
    for (int i = 1; i < n; ++i) {
        const double t = (double(i) / n) * (a + b) - a;
        x[i] = (std::atan(t) - phi0) / range;
    }
    std::vector<double> m(std::size_t(n) * n);
    for (int i = 0; i < n; ++i) {
        const double xc = 0.25 * x[i] + 0.75 * x[i + 1];
        for (int j = 0; j < n; ++j) {
            const double xv = 0.75 * x[j] + 0.25 * x[j + 1];
            m[std::size_t(i) * n + j] = 1.0 / (xc - xv);
        }
    }
    return m;
}

// Each iteration inverts a fresh copy of the matrix. The O(n^2) copy is timed with the O(n^3)
// inversion; pausing the timer around it would cost more than the copy at small orders.
template <void (*invert)(double *, int)> void invertInPlace(benchmark::State &state)
{
    const int n = int(state.range(0));
    const std::vector<double> source = influenceMatrix(n);
    std::vector<double> work(source.size());
    for (auto _ : state) {
        work = source;
        invert(work.data(), n);
        benchmark::DoNotOptimize(work.data());
        benchmark::ClobberMemory();
    }
}

// MatrixInverse as the program calls it, on all cores from the order where that pays, and kept
// to the calling thread, which shows what the other cores add.
void invertByOrder(double *a, int n) { MatrixInverse(a, n); }
void invertOnOneThread(double *a, int n) { MatrixInverse(a, n, InverseThreads::One); }

void BM_MatrixInverse(benchmark::State &state) { invertInPlace<invertByOrder>(state); }

void BM_MatrixInverseOneThread(benchmark::State &state) { invertInPlace<invertOnOneThread>(state); }

void BM_MatrixInverseLiteral(benchmark::State &state)
{
    invertInPlace<MatrixInverseLiteral>(state);
}

// Eigen's LU with full pivoting, the nearest library equivalent; its decomposition copies the
// matrix, which stands for the copy the other two make.
void BM_EigenFullPivLUInverse(benchmark::State &state)
{
    const int n = int(state.range(0));
    const std::vector<double> source = influenceMatrix(n);
    const Eigen::MatrixXd m
        = Eigen::Map<const Eigen::Matrix<double, Eigen::Dynamic, Eigen::Dynamic, Eigen::RowMajor>>(
            source.data(), n, n);
    Eigen::MatrixXd inverse(n, n);
    for (auto _ : state) {
        inverse = m.fullPivLu().inverse();
        benchmark::DoNotOptimize(inverse.data());
        benchmark::ClobberMemory();
    }
}

} // namespace

// Microseconds for the smallest order, milliseconds for the orders of a real paneling.
BENCHMARK(BM_MatrixInverse)->Arg(8)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_MatrixInverse)->Arg(200)->Arg(500)->Arg(999)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MatrixInverseOneThread)->Arg(200)->Arg(999)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MatrixInverseLiteral)->Arg(8)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_MatrixInverseLiteral)->Arg(200)->Arg(500)->Arg(999)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EigenFullPivLUInverse)->Arg(8)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_EigenFullPivLUInverse)->Arg(200)->Arg(500)->Arg(999)->Unit(benchmark::kMillisecond);
