// Start-up of the main window, offscreen: creating it (layout, project, new project on screen)
// and showing it until its first paint.

#include <benchmark/benchmark.h>

#include <QApplication>

#include "BenchSupport.h"
#include "ui/KdMain.h"

using namespace vantrel;

namespace {

// A widget that records its first paint.
bool Painted(QWidget& w) {
    return w.isVisible() && !w.visibleRegion().isEmpty();
}

} // namespace

static void BM_MainWindowStartToFirstShow(benchmark::State& state) {
    bench::EnsureApplication();
    for (auto _ : state) {
        ui::TfrmKdMain window;
        window.show();
        QApplication::processEvents();
        benchmark::DoNotOptimize(Painted(window));
        state.PauseTiming();
        window.hide();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_MainWindowStartToFirstShow)->Unit(benchmark::kMillisecond);

static void BM_MainWindowCreate(benchmark::State& state) {
    bench::EnsureApplication();
    for (auto _ : state) {
        ui::TfrmKdMain window;
        benchmark::DoNotOptimize(window.Control(QStringLiteral("Edit_16")));
    }
}
BENCHMARK(BM_MainWindowCreate)->Unit(benchmark::kMillisecond);

// The project part of the creation (demo project loaded): the rest of BM_MainWindowCreate is the
// layout.
static void BM_MainWindowProjectOnly(benchmark::State& state) {
    bench::EnsureApplication();
    for (auto _ : state) {
        TKdData data(std::string(VANTREL_BINARY_DIR) + "/");
        benchmark::DoNotOptimize(data.Units);
    }
}
BENCHMARK(BM_MainWindowProjectOnly)->Unit(benchmark::kMillisecond);

static void BM_UnitCaptions(benchmark::State& state) {
    bench::EnsureApplication();
    ui::TfrmKdMain window;
    for (auto _ : state)
        window.SetUnits();
}
BENCHMARK(BM_UnitCaptions)->Unit(benchmark::kMicrosecond);
