// Timing of the whole design calculation: both demo projects, an eight-level wall, and the cycle
// of loading a project, calculating it and saving it.

#include <benchmark/benchmark.h>

#include <malloc.h>

#include <filesystem>
#include <string>

#include "model/KdClasses.h"

using namespace vantrel;

namespace {

std::string DemoPath(int units) {
    return std::string(VANTREL_SOURCE_DIR) + "/resources/demo/" +
           (units == usSI ? "SI UNITS DEMO EXAMPLE.kpw" : "ENGLISH UNITS DEMO EXAMPLE.kpw");
}

} // namespace

// Argument: 0 the English demo, 1 the SI demo. The counter HeapGrowth is the heap in use after
// the timed calculations less that after the first one: a calculation keeps no memory of its own.
static void BM_CalculateDemo(benchmark::State& state) {
    TKdData d;
    d.LoadFromFile(DemoPath(static_cast<int>(state.range(0))));
    d.Calculate();
    const auto heapBefore = mallinfo2().uordblks;
    for (auto _ : state) {
        d.Calculate();
        benchmark::DoNotOptimize(d.Anchors.MaxMoment);
    }
    state.counters["HeapGrowth"] =
        static_cast<double>(mallinfo2().uordblks) - static_cast<double>(heapBefore);
}
BENCHMARK(BM_CalculateDemo)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// The English demo deepened to 30 ft with eight tieback levels 3 ft apart, each with a waler.
static void BM_CalculateEightLevels(benchmark::State& state) {
    TKdData d;
    d.LoadFromFile(DemoPath(usEnglish));
    d.ShoredHeight = 30.0L;
    d.Anchors.LoadingHeight = 30.0L;
    d.Anchors.LevelCount = 8;
    d.ResizeAnchorLevels();
    for (int k = 0; k < 8; ++k) {
        TAnchLevel& level = d.Anchors.Levels[static_cast<size_t>(k)];
        level.Kind = lkTieback;
        level.HeightFromPrevious = 3.0L;
        level.Waler = d.Anchors.Levels[0].Waler;
        level.Waler.HasWaler = true;
    }
    for (auto _ : state) {
        d.Calculate();
        benchmark::DoNotOptimize(d.Anchors.MaxMoment);
    }
}
BENCHMARK(BM_CalculateEightLevels)->Unit(benchmark::kMicrosecond);

// Open, calculate and save the English demo, as the window does on Open followed by Save.
static void BM_LoadCalculateSave(benchmark::State& state) {
    const std::string target = (std::filesystem::temp_directory_path() / "vantrel_bench_cycle.kpw").string();
    for (auto _ : state) {
        TKdData d;
        d.LoadFromFile(DemoPath(usEnglish));
        d.Calculate();
        d.SaveToFile(target);
        benchmark::DoNotOptimize(d.Anchors.MaxMoment);
    }
    std::filesystem::remove(target);
}
BENCHMARK(BM_LoadCalculateSave)->Unit(benchmark::kMicrosecond);
