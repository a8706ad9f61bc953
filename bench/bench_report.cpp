// Writing and rendering the whole printed report of each demo project into a PDF file.

#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include "BenchSupport.h"
#include "report/PrintReport.h"
#include "report/ReportDriver.h"
#include "tests/model/reference_projects.h"
#include "tests/report/DemoReportHost.h"

namespace {

void ReportToPdf(benchmark::State& state, uint8_t units) {
    vantrel::bench::EnsureApplication();
    vantrel::report::testing::DemoReportHost host(QString::fromStdString(vantrel::testing::DemoFile(units)));
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("report.pdf"));
    for (auto _ : state) {
        QString error;
        if (!vantrel::report::WriteReportPdf(host, file, &error))
            state.SkipWithError(error.toStdString().c_str());
    }
}

void ReportPagesOnly(benchmark::State& state, uint8_t units) {
    vantrel::bench::EnsureApplication();
    vantrel::report::testing::DemoReportHost host(QString::fromStdString(vantrel::testing::DemoFile(units)));
    for (auto _ : state) {
        const vantrel::report::ReportDocument doc = vantrel::report::BuildReport(host);
        benchmark::DoNotOptimize(doc.pages.size());
    }
}

BENCHMARK_CAPTURE(ReportToPdf, English, vantrel::usEnglish)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ReportToPdf, SI, vantrel::usSI)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ReportPagesOnly, English, vantrel::usEnglish)->Unit(benchmark::kMillisecond);

} // namespace
