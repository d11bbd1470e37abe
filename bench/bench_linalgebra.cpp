#include "camberline.h"
#include "influence.h"
#include "inverse_internal.h"
#include "linalgebra.h"
#include "literal_inverse.h"
#include "paneling.h"

#include <Eigen/Dense>
#include <benchmark/benchmark.h>
#include <hwy/targets.h>

#include <atomic>
#include <cstdint>
#include <string>
#include <thread>
#include <vector>

namespace {

// The influence matrix of the default paneling (n panels at densities 3 and 2), as the program
// builds it.
std::vector<double> influence(int n)
{
    return influenceMatrix(Camberline(Paneling {n}).stations());
}

// Each iteration inverts a fresh copy of the matrix. The O(n^2) copy is timed with the O(n^3)
// inversion; pausing the timer around it would cost more than the copy at small orders.
template <class Invert> void invertInPlace(benchmark::State &state, const Invert &invert)
{
    const int n = int(state.range(0));
    const std::vector<double> source = influence(n);
    std::vector<double> work(source.size());
    for (auto _ : state) {
        work = source;
        invert(work.data(), n);
        benchmark::DoNotOptimize(work.data());
        benchmark::ClobberMemory();
    }
}

// MatrixInverse as the program calls it, on all cores from the order where that pays, and kept
// to the calling thread, which shows what the other cores add. Both at the best target the
// processor runs.
void invertByOrder(double *a, int n) { MatrixInverse(a, n); }
void invertOnOneThread(double *a, int n) { MatrixInverse(a, n, InverseThreads::One); }

void BM_MatrixInverse(benchmark::State &state) { invertInPlace(state, invertByOrder); }

void BM_MatrixInverseOneThread(benchmark::State &state) { invertInPlace(state, invertOnOneThread); }

// The same while one more thread keeps a core busy for the whole measurement, as another
// program would: sharing the rows must not make the inverse slower than one thread is.
template <void (*invert)(double *, int)> void withBusyNeighbour(benchmark::State &state)
{
    std::atomic<bool> stop {false};
    std::thread neighbour([&] {
        while (!stop.load(std::memory_order_relaxed)) { }
    });
    invertInPlace(state, invert);
    stop = true;
    neighbour.join();
}

void BM_MatrixInverseBusyNeighbour(benchmark::State &state)
{
    withBusyNeighbour<invertByOrder>(state);
}

void BM_MatrixInverseOneThreadBusyNeighbour(benchmark::State &state)
{
    withBusyNeighbour<invertOnOneThread>(state);
}

void BM_MatrixInverseLiteral(benchmark::State &state)
{
    invertInPlace(state, MatrixInverseLiteral);
}

// Eigen's LU with full pivoting, the nearest library equivalent; its decomposition copies the
// matrix, which stands for the copy the other two make.
void BM_EigenFullPivLUInverse(benchmark::State &state)
{
    const int n = int(state.range(0));
    const std::vector<double> source = influence(n);
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

// BM_MatrixInverseOneThread/<TARGET>/n for every target the kernels were built for and the
// processor runs: how the inverse fares on processors with narrower vectors than this one.
bool registerPerTarget()
{
    for (const std::int64_t target : inverse::targets()) {
        const std::string name
            = std::string("BM_MatrixInverseOneThread/") + hwy::TargetName(target);
        benchmark::RegisterBenchmark(name.c_str(),
            [target](benchmark::State &state) {
                inverse::useTarget(target);
                invertInPlace(state, invertOnOneThread);
                inverse::useTarget(0);
            })
            ->Arg(200)
            ->Arg(999)
            ->Unit(benchmark::kMillisecond);
    }
    return true;
}
[[maybe_unused]] const bool registeredPerTarget = registerPerTarget();

} // namespace

// Microseconds for the smallest order, milliseconds for the orders of a real paneling. Time is
// real time; with threads, the CPU time is the calling thread's.
BENCHMARK(BM_MatrixInverse)->Arg(8)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_MatrixInverse)->Arg(200)->Arg(500)->Arg(999)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MatrixInverseOneThread)->Arg(200)->Arg(999)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MatrixInverseBusyNeighbour)->Arg(999)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MatrixInverseOneThreadBusyNeighbour)->Arg(999)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MatrixInverseLiteral)->Arg(8)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_MatrixInverseLiteral)->Arg(200)->Arg(500)->Arg(999)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EigenFullPivLUInverse)->Arg(8)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_EigenFullPivLUInverse)->Arg(200)->Arg(500)->Arg(999)->Unit(benchmark::kMillisecond);
