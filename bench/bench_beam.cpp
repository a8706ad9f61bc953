// Timing of the beam analysis of the pile for a few support arrangements.

#include <benchmark/benchmark.h>

#include "model/KdClasses.h"

using namespace vantrel;

// A 24 ft wall on n equally spaced levels (the first 2 ft below the top), apparent pressure of
// stiff clay (a trapezoid), analysed completely: pressure table, beam, level loads, member check.
static void BM_AnalyseBeam(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    TKdData d;
    TAnchor& a = d.Anchors;
    a.LevelCount = n;
    d.ResizeAnchorLevels();
    const Ext height = 24;
    for (int k = 0; k < n; ++k)
        a.Levels[k].HeightFromPrevious = k == 0 ? 2.0L : (height - 4.0L) / n;
    d.ShoredHeight = height;
    a.LoadingHeight = height;
    a.SoilType = 4;
    d.PileEI = 999.0L * 29000.0L / 144.0L;
    for (auto _ : state) {
        d.AnalyseBeam(a);
        benchmark::DoNotOptimize(a.MaxMoment);
    }
}
BENCHMARK(BM_AnalyseBeam)->Arg(1)->Arg(4)->Arg(8);
