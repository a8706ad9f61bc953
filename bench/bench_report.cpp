// Writing and rendering the whole printed report of each demo project into a PDF file.

#include <QApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <memory>

#include "report/PrintReport.h"
#include "report/ReportDriver.h"
#include "tests/report/DemoReportHost.h"

namespace {

void EnsureApplication() {
    static int argc = 1;
    static char name[] = "vantrel_bench";
    static char* argv[] = {name, nullptr};
    static std::unique_ptr<QApplication> app;
    if (!QApplication::instance()) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        QApplication::setAttribute(Qt::AA_Use96Dpi);
        app = std::make_unique<QApplication>(argc, argv);
    }
}

void ReportToPdf(benchmark::State& state, const char* demo) {
    EnsureApplication();
    vantrel::report::testing::DemoReportHost host(QStringLiteral(VANTREL_BINARY_DIR "/") +
                                                  QLatin1String(demo));
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("report.pdf"));
    for (auto _ : state) {
        QString error;
        if (!vantrel::report::WriteReportPdf(host, file, &error))
            state.SkipWithError(error.toStdString().c_str());
    }
}

void ReportPagesOnly(benchmark::State& state, const char* demo) {
    EnsureApplication();
    vantrel::report::testing::DemoReportHost host(QStringLiteral(VANTREL_BINARY_DIR "/") +
                                                  QLatin1String(demo));
    for (auto _ : state) {
        const vantrel::report::ReportDocument doc = vantrel::report::BuildReport(host);
        benchmark::DoNotOptimize(doc.pages.size());
    }
}

BENCHMARK_CAPTURE(ReportToPdf, English, "ENGLISH UNITS DEMO EXAMPLE.kpw")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ReportToPdf, SI, "SI UNITS DEMO EXAMPLE.kpw")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ReportPagesOnly, English, "ENGLISH UNITS DEMO EXAMPLE.kpw")->Unit(benchmark::kMillisecond);

} // namespace
