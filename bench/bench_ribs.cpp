#include "naca.h"
#include "ribset.h"
#include "study.h"

#include <QBuffer>

#include <benchmark/benchmark.h>

namespace {

// NACA 2412 at the 69 points of its usual file, loaded as the window loads it.
std::unique_ptr<Study> naca2412Study()
{
    const NacaSection section = nacaFourDigit(0.02, 0.4, 0.12, 35, false);
    QByteArray text = "NACA 2412\n";
    for (size_t i = 0; i < section.x.size(); ++i)
        text += QByteArray::number(section.x[i], 'f', 6) + ' '
            + QByteArray::number(section.y[i], 'f', 6) + '\n';
    QBuffer file(&text);
    file.open(QIODevice::ReadOnly);
    auto study = std::make_unique<Study>();
    study->load(&file, QStringLiteral("naca2412.dat"), Paneling());
    return study;
}

// A tapered wing's 20 ribs with two spars and sheeting, laid out and written whole, by type:
// DXF, SVG, PDF.
void BM_RibSet(benchmark::State &state)
{
    const std::unique_ptr<Study> study = naca2412Study();
    WingPlan plan;
    plan.root = 250;
    plan.tip = 150;
    plan.span = 800;
    plan.count = 20;
    plan.washout = 2;
    RibFeatures features;
    features.spars << Spar {25.0, true, 6.0, 5.0, true} << Spar {60.0, true, 4.0, 3.0, false};
    features.sheeting = 1.5;
    const auto type = ContourTemplate::Type(state.range(0));
    state.SetLabel(type == ContourTemplate::Type::Dxf ? "DXF"
            : type == ContourTemplate::Type::Svg      ? "SVG"
                                                      : "PDF");
    for (auto _ : state) {
        QString problem;
        const RibSet set
            = RibSet::make(*study, nullptr, plan, features, QSizeF(420, 297), &problem);
        const QByteArray bytes = type == ContourTemplate::Type::Dxf ? set.dxf(&problem)
            : type == ContourTemplate::Type::Svg                    ? set.svg()
                                                                    : set.pdf(&problem);
        if (!problem.isEmpty() || bytes.isEmpty())
            state.SkipWithError("the ribs were not written");
        benchmark::DoNotOptimize(bytes.data());
    }
}
BENCHMARK(BM_RibSet)
    ->Arg(int(ContourTemplate::Type::Dxf))
    ->Arg(int(ContourTemplate::Type::Svg))
    ->Arg(int(ContourTemplate::Type::Pdf))
    ->Unit(benchmark::kMillisecond);

} // namespace
