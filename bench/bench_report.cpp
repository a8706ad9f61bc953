// Writing and rendering the whole printed report of each demo project into a PDF file, from a
// stand-in window and from the main window itself.

#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include "BenchSupport.h"
#include "platform/Dialogs.h"
#include "report/PrintReport.h"
#include "report/ReportDriver.h"
#include "tests/model/reference_projects.h"
#include "tests/report/DemoReportHost.h"
#include "ui/KdMain.h"
#include "ui/KdMainReport.h"

namespace {

using vantrel::bench::EnsureApplication;

QString DemoPath(uint8_t units) { return QString::fromStdString(vantrel::testing::DemoFile(units)); }

void ReportToPdf(benchmark::State& state, uint8_t units) {
    EnsureApplication();
    vantrel::report::testing::DemoReportHost host(DemoPath(units));
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("report.pdf"));
    for (auto _ : state) {
        QString error;
        if (!vantrel::report::WriteReportPdf(host, file, &error))
            state.SkipWithError(error.toStdString().c_str());
    }
}

void ReportPagesOnly(benchmark::State& state, uint8_t units) {
    EnsureApplication();
    vantrel::report::testing::DemoReportHost host(DemoPath(units));
    for (auto _ : state) {
        const vantrel::report::ReportDocument doc = vantrel::report::BuildReport(host);
        benchmark::DoNotOptimize(doc.pages.size());
    }
}

// The Print command's work on the main window holding a demo project opened as the user opens it:
// the report written from the window's controls and rendered into a PDF file.
void WindowReportToPdf(benchmark::State& state, uint8_t units) {
    EnsureApplication();
    QTemporaryDir scratch;
    vantrel::ui::TfrmKdMain window;
    {
        const QString path = DemoPath(units);
        const vantrel::platform::ScopedFileHandler files(
            [&path](const vantrel::platform::FileRequest&) { return path; });
        window.AOpenExecute();
    }
    const QString file = scratch.filePath(QStringLiteral("window-report.pdf"));
    for (auto _ : state) {
        QString error;
        if (!vantrel::ui::WriteMainWindowReportPdf(window, file, &error))
            state.SkipWithError(error.toStdString().c_str());
    }
}

BENCHMARK_CAPTURE(WindowReportToPdf, English, vantrel::usEnglish)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(WindowReportToPdf, SI, vantrel::usSI)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ReportToPdf, English, vantrel::usEnglish)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ReportToPdf, SI, vantrel::usSI)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ReportPagesOnly, English, vantrel::usEnglish)->Unit(benchmark::kMillisecond);

} // namespace
