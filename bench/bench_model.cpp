// Benchmarks of the model.

#include <benchmark/benchmark.h>

#include "model/KdClasses.h"

using namespace vantrel;

static void BM_CreateProject(benchmark::State& state) {
    for (auto _ : state) {
        TKdData d;
        benchmark::DoNotOptimize(d.Units);
    }
}
BENCHMARK(BM_CreateProject);
