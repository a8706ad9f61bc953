// Both demo projects through the whole report into a PDF file, read back with pdftotext.

#include <QDateEdit>
#include <QDir>
#include <QFile>
#include <QLocale>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "platform/Version.h"
#include "report/PrintReport.h"
#include "tests/report/DemoReportHost.h"

namespace vantrel::report::testing {
namespace {

QString PdfText(const QString& pdf, int page = 0) {
    QStringList args{QStringLiteral("-layout")};
    if (page > 0)
        args << QStringLiteral("-f") << QString::number(page) << QStringLiteral("-l")
             << QString::number(page);
    args << pdf << QStringLiteral("-");
    QProcess p;
    p.start(QStringLiteral("pdftotext"), args);
    p.waitForFinished(60000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

int PdfPages(const QString& pdf) {
    QProcess p;
    p.start(QStringLiteral("pdfinfo"), {pdf});
    p.waitForFinished(60000);
    for (const QString& line : QString::fromUtf8(p.readAllStandardOutput()).split('\n'))
        if (line.startsWith(QStringLiteral("Pages:"))) return line.mid(6).trimmed().toInt();
    return -1;
}

class ReportEndToEnd : public ::testing::TestWithParam<const char*> {};

TEST_P(ReportEndToEnd, DemoProjectPrintsEveryPartWithItsFooter) {
    const QString demo = QStringLiteral(VANTREL_BINARY_DIR "/") + QLatin1String(GetParam());
    ASSERT_TRUE(QFile::exists(demo)) << demo.toStdString();
    DemoReportHost host(demo);
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("report.pdf"));
    QString error;
    ASSERT_TRUE(WriteReportPdf(host, pdf, &error)) << error.toStdString();
    if (qEnvironmentVariableIsSet("VANTREL_KEEP_REPORT"))
        QFile::copy(pdf,
                    qEnvironmentVariable("VANTREL_KEEP_REPORT") + "/" + QFileInfo(demo).baseName() + ".pdf");

    const int pages = PdfPages(pdf);
    // Title, inputs, results with settlement, test results table, four chart pages, and at least
    // the last chart page's notes.
    ASSERT_GE(pages, 8);
    const QString all = PdfText(pdf);
    for (const char* heading : {"Vantrel Analysis", "Inputs", "Results", "Surface Settlement",
                                "Table of Test Results", "Charts", "NOTES:", "References:", "General Data",
                                "Main Results", "Depth,", "22. Quarnel Software: Vantrel v"})
        EXPECT_TRUE(all.contains(QLatin1String(heading))) << heading;
    EXPECT_EQ(all.contains(QStringLiteral("Guardrail Design")), host.data.UseGuardrail);
    EXPECT_TRUE(all.contains(QString::fromStdString(host.data.ProjectName).left(20)));
    // The project's date on the title page and in the project section, as the picker shows it.
    const QString date = qobject_cast<QDateEdit*>(host.Control("DateTimePicker1"))
                             ->date()
                             .toString(QLocale().dateFormat(QLocale::ShortFormat));
    EXPECT_GE(all.count(date), 2) << date.toStdString();
    const QString footer = QStringLiteral("Vantrel v") + platform::ProgramVersion();
    for (int page = 1; page <= pages; ++page) {
        const QString text = PdfText(pdf, page);
        EXPECT_TRUE(text.contains(footer)) << "page " << page;
        EXPECT_TRUE(text.contains(QStringLiteral("www.quarnel.com"))) << "page " << page;
        const QStringList lines = text.trimmed().split('\n');
        EXPECT_TRUE(lines.last().trimmed().endsWith(QString::number(page))) << "page " << page;
    }
}

INSTANTIATE_TEST_SUITE_P(Demos, ReportEndToEnd,
                         ::testing::Values("ENGLISH UNITS DEMO EXAMPLE.kpw", "SI UNITS DEMO EXAMPLE.kpw"));

} // namespace
} // namespace vantrel::report::testing
