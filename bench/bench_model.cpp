#include "airfoil.h"
#include "analysis.h"
#include "camberline.h"
#include "convergence.h"
#include "naca.h"
#include "sectionops.h"
#include "study.h"
#include "vortexmethod.h"

#include <QBuffer>

#include <benchmark/benchmark.h>

#include <cmath>
#include <vector>

namespace {

// NACA 2412 with the thickness laid off normal to the mean line; 300 points on a cosine
// distribution round the contour, from the upper trailing edge back to the lower one.
void naca2412(std::vector<double> *x, std::vector<double> *y)
{
    const double m = 0.02, p = 0.4, t = 0.12;
    const int n = 300;
    for (int j = 0; j < n; ++j) {
        const double theta = 2.0 * M_PI * j / (n - 1);
        const double xc = 0.5 * (1.0 + std::cos(theta));
        const double thickness = 5.0 * t
            * (0.2969 * std::sqrt(xc) - 0.1260 * xc - 0.3516 * xc * xc + 0.2843 * xc * xc * xc
                - 0.1015 * xc * xc * xc * xc);
        const double camber = xc < p ? m / (p * p) * (2 * p * xc - xc * xc)
                                     : m / ((1 - p) * (1 - p)) * (1 - 2 * p + 2 * p * xc - xc * xc);
        const double slope
            = xc < p ? 2 * m / (p * p) * (p - xc) : 2 * m / ((1 - p) * (1 - p)) * (p - xc);
        const double angle = std::atan(slope);
        const double side = theta < M_PI ? 1.0 : -1.0;
        x->push_back(xc - side * thickness * std::sin(angle));
        y->push_back(camber + side * thickness * std::cos(angle));
    }
}

void BM_ComputeCoeff(benchmark::State &state)
{
    const int n = static_cast<int>(state.range(0));
    Camberline line(n, 3.0, 2.0);
    for (int i = 0; i <= n; ++i)
        line.sety(i, 0.16 * line.xpoint(i) * (1.0 - line.xpoint(i)));
    double c[6];
    for (auto _ : state) {
        computeCoeff(line, &c[0], &c[1], &c[2], &c[3], &c[4], &c[5]);
        benchmark::DoNotOptimize(c);
    }
}
BENCHMARK(BM_ComputeCoeff)->Arg(8)->Arg(200)->Arg(999)->Unit(benchmark::kMillisecond);

void BM_ComputePoints(benchmark::State &state)
{
    const int n = static_cast<int>(state.range(0));
    std::vector<double> x, y;
    naca2412(&x, &y);
    Airfoil airfoil(static_cast<int>(x.size()), x.data(), y.data());
    airfoil.normalize();
    Camberline line(n, 3.0, 2.0);
    for (auto _ : state) {
        line.computePoints(airfoil);
        benchmark::DoNotOptimize(line.ordinates().data());
    }
}
BENCHMARK(BM_ComputePoints)->Arg(8)->Arg(200)->Arg(999)->Unit(benchmark::kMillisecond);

// A 121-point NACA 2412 loaded at the paneling.
void loadSection(Study *study, const Paneling &paneling)
{
    const NacaSection section = nacaFourDigit(0.02, 0.4, 0.12, 61, false);
    QByteArray text = "NACA 2412\n";
    for (size_t i = 0; i < section.x.size(); ++i)
        text += QByteArray::number(section.x[i], 'f', 6) + " "
            + QByteArray::number(section.y[i], 'f', 6) + "\n";
    QBuffer file(&text);
    file.open(QBuffer::ReadOnly);
    study->load(&file, QStringLiteral("naca2412.dat"), paneling);
}

// The analysis of liftwise-cli sweep --panels 3:200 on a 121-point NACA 2412, on one thread
// (T = 1) or all cores (T = 0).
void BM_SweepTo200(benchmark::State &state)
{
    Study study;
    loadSection(&study, Paneling());
    QList<int> counts;
    for (int n = 3; n <= 200; ++n)
        counts << n;
    Convergence sweep(Convergence::Priority::Foreground);
    if (state.range(0) > 0)
        sweep.setThreads(int(state.range(0)));
    for (auto _ : state) {
        sweep.start(study, counts, Paneling());
        sweep.waitForFinished();
        benchmark::DoNotOptimize(sweep.resultAt(counts.size() - 1));
    }
}
BENCHMARK(BM_SweepTo200)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond)->UseRealTime();

// The whole background job of the window's Convergence tab for a line of N panels at
// densities 3 and 2, loaded at that paneling (so its own count finds the inverse kept).
void BM_ConvergenceTab(benchmark::State &state)
{
    const Paneling paneling {int(state.range(0)), 3.0, 2.0};
    Study study;
    loadSection(&study, paneling);
    const QList<int> counts = Convergence::sampledCounts(paneling.panels);
    Convergence tab(Convergence::Priority::Background);
    for (auto _ : state) {
        tab.start(study, counts, paneling);
        tab.waitForFinished();
        benchmark::DoNotOptimize(tab.resultAt(counts.size() - 1));
    }
    state.counters["counts"] = counts.size();
}
BENCHMARK(BM_ConvergenceTab)->Arg(999)->Unit(benchmark::kMillisecond)->UseRealTime();

// A design operation on a 121-point NACA 2412 as the Design menu's OK and liftwise-cli design
// run it, at the reference paneling: the new contour, its text read back as an open reads it,
// its analysis and geometry, and the paneled line built anew. 0 flap at 75 % by 5 degrees,
// 1 scale camber, 2 scale thickness, 3 camber at 30 %, 4 trailing-edge gap, 5 repanel at 160
// points, 6 blend with a NACA 4415.
void BM_DesignOperation(benchmark::State &state)
{
    Study study;
    loadSection(&study, Paneling::reference());
    const NacaSection other = nacaFourDigit(0.04, 0.4, 0.15, 61, false);
    std::string problem;
    SectionOperation operation;
    operation.kind = SectionOperation::Kinds[state.range(0)];
    const double values[] = {0.75, 2.0, 1.5, 0.3, 1.0, 160, 0.5};
    operation.value = values[state.range(0)];
    operation.deflectionDegrees = 5.0;
    operation.other
        = normalizedAirfoil(int(other.x.size()), other.x.data(), other.y.data(), &problem);
    const Study::LineState loaded = study.lineState();
    for (auto _ : state) {
        if (study.design(operation))
            state.SkipWithError("refused");
        benchmark::DoNotOptimize(study.referenceCoefficients());
        study.restoreLineState(loaded);
    }
}
BENCHMARK(BM_DesignOperation)->DenseRange(0, 6)->Unit(benchmark::kMillisecond);

} // namespace
