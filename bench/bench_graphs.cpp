// Chart rendering: the two chart pages of the main window redraw their chart on every committed
// input while they show (kinds 16 and 18 at window size); the report renders the earth pressure and
// pile charts at print size (kinds 7 and 0).

#include <benchmark/benchmark.h>

#include <memory>

#include "BenchSupport.h"
#include "drawing/Graphs.h"
#include "model/KdClasses.h"

namespace {

using namespace vantrel;

const TKdData& DemoProject() {
    static const std::unique_ptr<TKdData> data = [] {
        auto d = std::make_unique<TKdData>();
        d->LoadFromFile(bench::DemoPath(usEnglish));
        d->Calculate();
        return d;
    }();
    return *data;
}

// Renders one chart use per iteration: a new renderer, set up and filled by `render`.
template <typename Render> void RenderLoop(benchmark::State& state, Render render) {
    bench::EnsureApplication();
    const TKdData& data = DemoProject();
    for (auto _ : state) {
        TGraphsRenderer r;
        render(r, data);
        benchmark::DoNotOptimize(r.Image(1).constBits());
    }
}

// The chart pages: white charts, hit points kept scaled and at scale 1.
void ChartPage(benchmark::State& state, TChartKind kind) {
    RenderLoop(state, [kind](TGraphsRenderer& r, const TKdData& data) {
        r.SetChartColor(clWhite);
        if (kind == 18)
            r.ShowSettlement(data, 18, false);
        else
            r.ShowEarthPressures(data, kind);
        TEPGrPoints scaled, full;
        r.ScaleHitPoints(scaled, 0.8);
        r.ScaleHitPoints(full, 1.0);
    });
}
void BM_ChartCombinedEarthPressures(benchmark::State& state) {
    ChartPage(state, 16);
}
BENCHMARK(BM_ChartCombinedEarthPressures)->Unit(benchmark::kMillisecond);
void BM_ChartSettlement(benchmark::State& state) {
    ChartPage(state, 18);
}
BENCHMARK(BM_ChartSettlement)->Unit(benchmark::kMillisecond);

// The report: every pile chart, and every earth pressure component, at print size.
void BM_ChartPrintPileCharts(benchmark::State& state) {
    RenderLoop(state, [](TGraphsRenderer& r, const TKdData& data) {
        r.PrepareForPrint();
        r.ShowPileGraphs(data, 0);
    });
}
BENCHMARK(BM_ChartPrintPileCharts)->Unit(benchmark::kMillisecond);

void BM_ChartPrintEarthPressures(benchmark::State& state) {
    RenderLoop(state, [](TGraphsRenderer& r, const TKdData& data) {
        r.PrepareForPrint();
        r.ShowEarthPressures(data, 7);
    });
}
BENCHMARK(BM_ChartPrintEarthPressures)->Unit(benchmark::kMillisecond);

} // namespace
