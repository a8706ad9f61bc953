// Drawing the cross section, the plan view and the guardrail of both demo projects, at the size
// of the main window's pictures and at the size the report prints (they are redrawn on every
// committed input, three at a time); and the cross section of the English demo with eight levels,
// where the labels crowd most.

#include <benchmark/benchmark.h>

#include "BenchSupport.h"
#include "drawing/DiagramDraw.h"
#include "model/KdClasses.h"
#include "tests/model/reference_projects.h"

#include <memory>
#include <string>

using namespace vantrel;

namespace {

// A demo project, with its own level count (0) or another.
const TKdData& Demo(int units, int levels) {
    static std::unique_ptr<TKdData> demos[2][9];
    std::unique_ptr<TKdData>& demo = demos[units][levels];
    if (!demo) {
        demo = std::make_unique<TKdData>();
        demo->LoadFromFile(testing::DemoFile(static_cast<uint8_t>(units)));
        if (levels != 0) {
            demo->Anchors.LevelCount = levels;
            demo->ResizeAnchorLevels();
        }
        demo->Calculate();
    }
    return *demo;
}

// Arguments: kind, units, report size (0 window, 1 report), level count (0 the demo's).
void BM_Diagram(benchmark::State& state) {
    bench::EnsureApplication();
    const int kind = int(state.range(0));
    const TKdData& d = Demo(int(state.range(1)), int(state.range(3)));
    // Window: a drawing page of the main window; report: 7.5 in of printable width at 200 px per
    // inch for the cross section and 300 for the others (the report's bitmap sizes).
    const QSize window(600, 700);
    const QSize report = kind == dkCrossSection ? QSize(1500, 1218) : QSize(2250, 1500);
    const QSize size = state.range(2) ? report : window;
    for (auto _ : state) {
        QImage picture = RenderDiagram(d, kind, size);
        benchmark::DoNotOptimize(picture.bits());
    }
    state.SetLabel(std::string(state.range(1) ? "SI" : "English") + (state.range(2) ? " report" : " window") +
                   (state.range(3) ? ", " + std::to_string(state.range(3)) + " levels" : std::string()));
}
BENCHMARK(BM_Diagram)
    ->ArgsProduct({{dkCrossSection, dkPilePlanView, dkGuardrail}, {0, 1}, {0, 1}, {0}})
    ->Args({dkCrossSection, 0, 0, 8})
    ->Args({dkCrossSection, 0, 1, 8})
    ->Unit(benchmark::kMillisecond);

} // namespace
