// The commit cycle of the main window, offscreen: one commit (every input read, the calculation
// and the refresh) on each demo project, a level count change that builds and frees the rows, and
// the refresh alone on the demo projects and an eight-level wall, and the two refreshed in turn for
// their ratio; and a commit of a changed value and a level count change each with the paint that
// follows.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QLineEdit>
#include <QObject>

#include <malloc.h>

#include <chrono>

#include <string>

#include "BenchSupport.h"
#include "platform/Dialogs.h"
#include "tests/model/reference_projects.h"
#include "ui/KdMain.h"

using namespace vantrel;

namespace {

// A shown window holding a demo project, opened as the user opens it.
void OpenDemo(ui::TfrmKdMain& window, int units) {
    const platform::ScopedFileHandler files([units](const platform::FileRequest&) {
        return QString::fromStdString(testing::DemoFile(static_cast<uint8_t>(units)));
    });
    window.show();
    window.AOpenExecute();
    QApplication::processEvents();
}

void SetLevels(ui::TfrmKdMain& window, int count) {
    qobject_cast<QLineEdit*>(window.Control(QStringLiteral("Edit_101")))->setText(QString::number(count));
    window.ReadInputs();
}

// Counts the paint events of every widget while it lives.
struct PaintCount : QObject {
    PaintCount() { qApp->installEventFilter(this); }
    ~PaintCount() override { qApp->removeEventFilter(this); }
    bool eventFilter(QObject*, QEvent* event) override {
        paints += event->type() == QEvent::Paint;
        return false;
    }
    long paints = 0;
};

// Runs the events (deferred deletions included) until a round paints nothing more: the window has
// painted what changed.
void PaintChanges() {
    const PaintCount count;
    for (long before = -1; count.paints != before;) {
        before = count.paints;
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QApplication::processEvents();
    }
}

} // namespace

// Argument: 0 the English demo, 1 the SI demo.
static void BM_CommitDemo(benchmark::State& state) {
    bench::EnsureApplication();
    ui::TfrmKdMain window;
    OpenDemo(window, static_cast<int>(state.range(0)));
    for (auto _ : state) {
        window.ReadInputs();
        benchmark::DoNotOptimize(window.Data().Anchors.MaxMoment);
    }
}
BENCHMARK(BM_CommitDemo)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// 1 -> 8 -> 1 levels: rows of every kind built, then freed, each with its nested commit.
static void BM_LevelCountChange(benchmark::State& state) {
    bench::EnsureApplication();
    ui::TfrmKdMain window;
    OpenDemo(window, usEnglish);
    SetLevels(window, 1);
    for (auto _ : state) {
        SetLevels(window, 8);
        SetLevels(window, 1);
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}
BENCHMARK(BM_LevelCountChange)->Unit(benchmark::kMillisecond);

// The refresh alone (calculation included): the demo projects (0, 1) and the English demo with
// eight levels (2).
static void BM_Refresh(benchmark::State& state) {
    bench::EnsureApplication();
    ui::TfrmKdMain window;
    OpenDemo(window, state.range(0) == 1 ? usSI : usEnglish);
    if (state.range(0) == 2) SetLevels(window, 8);
    for (auto _ : state) {
        window.UpdateForm();
        benchmark::DoNotOptimize(window.Data().Anchors.MaxMoment);
    }
}
BENCHMARK(BM_Refresh)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

// The refresh of the eight-level wall against the English demo's, the two windows refreshed in
// turn so that both meet the machine in the same state: on a shared machine a separate run of each
// may catch it busier for one than for the other. Counters: each one's mean time in ms and their
// ratio.
static void BM_RefreshEightLevelsOverDemo(benchmark::State& state) {
    bench::EnsureApplication();
    ui::TfrmKdMain demo, eight;
    OpenDemo(demo, usEnglish);
    OpenDemo(eight, usEnglish);
    SetLevels(eight, 8);
    using Clock = std::chrono::steady_clock;
    Clock::duration demoTime{}, eightTime{};
    for (auto _ : state) {
        const auto t0 = Clock::now();
        demo.UpdateForm();
        const auto t1 = Clock::now();
        eight.UpdateForm();
        eightTime += Clock::now() - t1;
        demoTime += t1 - t0;
    }
    const double n = static_cast<double>(state.iterations());
    const double demoMs = std::chrono::duration<double, std::milli>(demoTime).count() / n;
    const double eightMs = std::chrono::duration<double, std::milli>(eightTime).count() / n;
    state.counters["demo_ms"] = demoMs;
    state.counters["eight_ms"] = eightMs;
    state.counters["ratio"] = eightMs / demoMs;
}
BENCHMARK(BM_RefreshEightLevelsOverDemo)->Unit(benchmark::kMillisecond);

// Commits of a typed value in the shown demo: the strip load's setback moved by half a unit and
// back on alternate commits, which changes the pressures, the support loads and the vertical load.
class SetbackCommits {
  public:
    explicit SetbackCommits(ui::TfrmKdMain& window)
        : window_(window), edit_(qobject_cast<QLineEdit*>(window.Control(QStringLiteral("Edit_Sa")))),
          texts_{edit_->text(), QString::number(edit_->text().toDouble() + 0.5)} {}
    void Next() {
        edit_->setText(texts_[++count_ % 2]);
        window_.ReadInputs();
    }

  private:
    ui::TfrmKdMain& window_;
    QLineEdit* edit_;
    QString texts_[2];
    int count_ = 0;
};

// One commit of a typed value and its paint. Argument: 0 the English demo, 1 the SI demo.
// Paints: paint events per commit.
static void BM_CommitDemoPainted(benchmark::State& state) {
    bench::EnsureApplication();
    ui::TfrmKdMain window;
    OpenDemo(window, static_cast<int>(state.range(0)));
    PaintChanges();
    SetbackCommits commits(window);
    const PaintCount count;
    for (auto _ : state) {
        commits.Next();
        PaintChanges();
    }
    state.counters["Paints"] =
        benchmark::Counter(static_cast<double>(count.paints), benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_CommitDemoPainted)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// One change of the level count of the English demo and its paint: 2 -> 3 and back on alternate
// changes, a row of every kind built or freed each time.
static void BM_LevelCountChangePainted(benchmark::State& state) {
    bench::EnsureApplication();
    ui::TfrmKdMain window;
    OpenDemo(window, usEnglish);
    PaintChanges();
    int i = 0;
    for (auto _ : state) {
        SetLevels(window, ++i % 2 ? 3 : 2);
        PaintChanges();
    }
}
BENCHMARK(BM_LevelCountChangePainted)->Unit(benchmark::kMillisecond);

// 1,000 commits of the English demo with their paints, every other one a level count change (2 -> 3
// and back), the others a typed value. HeapGrowth: bytes in use after them less those after the
// first four; run with GLIBC_TUNABLES=glibc.malloc.tcache_count=0, else the chunks that threads
// keep in their caches count as in use.
static void BM_ThousandCommits(benchmark::State& state) {
    bench::EnsureApplication();
    for (auto _ : state) {
        ui::TfrmKdMain window;
        OpenDemo(window, usEnglish);
        SetbackCommits setback(window);
        const auto commit = [&](int i) {
            if (i % 2)
                SetLevels(window, i % 4 == 1 ? 3 : 2);
            else
                setback.Next();
            PaintChanges();
        };
        for (int i = 0; i < 4; ++i)
            commit(i);
        const auto heapBefore = mallinfo2().uordblks;
        for (int i = 0; i < 1000; ++i)
            commit(i);
        state.counters["HeapGrowth"] =
            static_cast<double>(mallinfo2().uordblks) - static_cast<double>(heapBefore);
    }
}
BENCHMARK(BM_ThousandCommits)->Iterations(1)->Unit(benchmark::kMillisecond);
