// The calculation in its steady state, as the window runs it on every committed input: the
// reference projects of the regression dumps, the heap allocations each calculation makes, and
// the heap after 10,000 calculations.
//
// Global operator new is replaced here by a counting one, so that the counter AllocsPerCalc can
// say how many allocations one calculation makes (the count costs one relaxed increment).

#include <benchmark/benchmark.h>

#include <malloc.h>

#include <atomic>
#include <cstdlib>
#include <new>

#include "tests/model/reference_projects.h"

namespace {
std::atomic<long long> gAllocations{0};
} // namespace

void* operator new(std::size_t size) {
    gAllocations.fetch_add(1, std::memory_order_relaxed);
    if (void* p = std::malloc(size == 0 ? 1 : size)) return p;
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept {
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
    std::free(p);
}

using namespace vantrel;
using namespace vantrel::testing;

// Argument: the reference project, 0 English demo, 1 SI demo, 2 eight levels, 3 sheet piles.
static void BM_CalculateReference(benchmark::State& state) {
    auto projects = ReferenceProjects();
    auto& [name, d] = projects.at(static_cast<size_t>(state.range(0)));
    state.SetLabel(name);
    d.Calculate();
    const long long before = gAllocations.load();
    for (auto _ : state) {
        d.Calculate();
        benchmark::DoNotOptimize(d.Anchors.MaxMoment);
    }
    state.counters["AllocsPerCalc"] = benchmark::Counter(static_cast<double>(gAllocations.load() - before),
                                                         benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_CalculateReference)->DenseRange(0, 3)->Unit(benchmark::kMicrosecond);

// The eight-level project with its strip load moved on every calculation, so that nothing of the
// earth pressure table carries over from the calculation before.
static void BM_CalculateStripChanging(benchmark::State& state) {
    TKdData d = EightLevelProject();
    const double offset = d.Anchors.StripOffset;
    int i = 0;
    for (auto _ : state) {
        d.Anchors.StripOffset = offset + (++i % 2) * 0.5;
        d.Calculate();
        benchmark::DoNotOptimize(d.Anchors.MaxMoment);
    }
}
BENCHMARK(BM_CalculateStripChanging)->Unit(benchmark::kMicrosecond);

// 10,000 calculations of the English demo in one go; argument 1 moves its strip load at every
// calculation (0 does not). HeapGrowth: bytes in use after them less those after the first one.
static void BM_TenThousandCalculations(benchmark::State& state) {
    for (auto _ : state) {
        TKdData d = DemoProject(usEnglish);
        d.Calculate();
        const double offset = d.Anchors.StripOffset;
        const auto heapBefore = mallinfo2().uordblks;
        const long long before = gAllocations.load();
        for (int i = 0; i < 10000; ++i) {
            d.Anchors.StripOffset = offset + static_cast<double>(state.range(0) * (i % 2)) * 0.5;
            d.Calculate();
        }
        benchmark::DoNotOptimize(d.Anchors.MaxMoment);
        const auto heapAfter = mallinfo2().uordblks;
        const long long allocations = gAllocations.load() - before;
        state.counters["HeapGrowth"] = static_cast<double>(heapAfter) - static_cast<double>(heapBefore);
        state.counters["AllocsPerCalc"] = static_cast<double>(allocations) / 10000.0;
    }
}
BENCHMARK(BM_TenThousandCalculations)->Arg(0)->Arg(1)->Iterations(1)->Unit(benchmark::kMillisecond);

// Creating a project object, with the allocations it makes.
static void BM_CreateProjectAllocations(benchmark::State& state) {
    const long long before = gAllocations.load();
    for (auto _ : state) {
        TKdData d;
        benchmark::DoNotOptimize(d.Units);
    }
    state.counters["AllocsPerProject"] = benchmark::Counter(static_cast<double>(gAllocations.load() - before),
                                                            benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_CreateProjectAllocations)->Unit(benchmark::kMicrosecond);
