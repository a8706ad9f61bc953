// The printed report of the real main window: both demo projects written to PDF and read back
// with pdftotext, the Print command with its preview, and the failures it reports.

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGraphicsView>
#include <QLabel>
#include <QLineEdit>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QProcess>
#include <QProgressDialog>
#include <QRegularExpression>
#include <QTabBar>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "platform/Dialogs.h"
#include "platform/Version.h"
#include "report/PrintReport.h"
#include "report/ReportDriver.h"
#include "tests/report/FakeReportHost.h"
#include "tests/ui/KdCycleFixture.h"
#include "tests/ui/KdMainFixture.h"
#include "ui/Globals.h"
#include "ui/KdMain.h"
#include "ui/KdMainReport.h"
#include "ui/Widgets.h"

namespace vantrel::report::testing {
namespace {

QString Run(const QString& program, const QStringList& args) {
    QProcess p;
    p.start(program, args);
    p.waitForFinished(60000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

QString PdfText(const QString& pdf, int page = 0) {
    QStringList args{QStringLiteral("-layout")};
    if (page > 0) args << "-f" << QString::number(page) << "-l" << QString::number(page);
    return Run(QStringLiteral("pdftotext"), args << pdf << QStringLiteral("-"));
}

int PdfPages(const QString& pdf) {
    for (const QString& line : Run(QStringLiteral("pdfinfo"), {pdf}).split('\n'))
        if (line.startsWith(QStringLiteral("Pages:"))) return line.mid(6).trimmed().toInt();
    return -1;
}

QString Demo(const char* name) {
    return QStringLiteral(VANTREL_BINARY_DIR "/") + QLatin1String(name);
}

// The printable sections of a column as the report picks them: the sections it leaves out by
// their own rules, and the waler sections, whose captions name the level, are not counted.
QStringList PrintedCaptions(const std::vector<QWidget*>& sections, const TKdData& d, bool inputs) {
    QStringList captions;
    for (QWidget* s : sections) {
        const QString name = s->objectName();
        if (s->isHidden() || name == "Panel16" || name == "Panel48") continue;
        if (inputs &&
            ((name == "Panel21" && d.LaggingType == ltNone) ||
             (name == "Panel54" && d.CountCornerBraces() == 0) || (name == "Panel15" && !d.UseBasalHeave)))
            continue;
        captions << ui::TfrmKdMain::GetSectionCaption(s);
    }
    return captions;
}

QString WalerCaption(int level) {
    return QStringLiteral("Waler Design - Level ") + QChar('A' + level);
}

class ReportWindow : public vantrel::testing::KdMainTest {
  protected:
    // Opens a project file through the Open command, as the user does.
    void Open(const QString& file) {
        platform::ScopedFileHandler files([&file](const platform::FileRequest&) { return file; });
        Window().AOpen->trigger();
        ASSERT_EQ(Window().FileName(), file);
    }
    QString Text(const char* name) {
        return ui::KdMainReport(Window()).Control(name)->property("text").toString();
    }
    int Tab(const char* name) { return Get<ui::TabControl>(name)->Tabs()->currentIndex(); }
    QTemporaryDir dir_;
};

class ReportWindowDemo : public ReportWindow, public ::testing::WithParamInterface<const char*> {};

// The whole report of a demo project through the window: every section it shows, one waler
// section per level with a waler in inputs and results, the footer with its number on every page,
// and the window left as it was.
TEST_P(ReportWindowDemo, WholeReportToPdf) {
    Open(Demo(GetParam()));
    const TKdData& d = Window().Data();
    ASSERT_GE(d.CountWalerLevels(), 1);
    // The user looks at the first level, which has no waler in the demos; the report shows the
    // others' and must put the tabs and the first level's inputs back.
    const int shown = 0;
    ASSERT_FALSE(d.Anchors.Levels[shown].Waler.HasWaler);
    Get<ui::TabControl>("TabControl1")->Tabs()->setCurrentIndex(shown);
    const QString walerLoad = Text("Edit_Wwl"), walerLength = Text("Edit_RWl");
    const bool modified = Window().Modified();

    ui::KdMainReport host(Window());
    const QString pdf = dir_.filePath(QStringLiteral("report.pdf"));
    QString error;
    ASSERT_TRUE(WriteReportPdf(host, pdf, &error)) << error.toStdString();
    if (qEnvironmentVariableIsSet("VANTREL_KEEP_REPORT"))
        QFile::copy(pdf, qEnvironmentVariable("VANTREL_KEEP_REPORT") + "/window-" +
                             QFileInfo(GetParam()).baseName() + ".pdf");

    const int pages = PdfPages(pdf);
    ASSERT_GE(pages, 9); // title, inputs, results, test results, four chart pages at least
    std::vector<QString> text(pages + 1);
    for (int p = 1; p <= pages; ++p)
        text[p] = PdfText(pdf, p);
    auto pageOf = [&](const QString& heading) {
        for (int p = 1; p <= pages; ++p)
            if (text[p].contains(heading)) return p;
        return -1;
    };
    EXPECT_EQ(pageOf("Vantrel Analysis"), 1);
    EXPECT_TRUE(text[1].contains(Text("Edit33"))); // the project name as the window shows it
    EXPECT_EQ(pageOf("Inputs"), 2);
    EXPECT_EQ(pageOf("Results"), 3);
    EXPECT_EQ(pageOf("Table of Test Results"), pages - 4);
    for (int p = pages - 3; p <= pages - 1; ++p)
        EXPECT_TRUE(text[p].contains("Charts")) << "page " << p;
    EXPECT_TRUE(text[pages].contains("NOTES:"));
    EXPECT_TRUE(text[pages].contains("22. Quarnel Software: Vantrel v" + platform::ProgramVersion()));
    EXPECT_EQ(pageOf("Guardrail Design Results") > 0, d.UseGuardrail);

    const QString all = PdfText(pdf);
    for (const QString& caption :
         PrintedCaptions(host.InputSections(), d, true) + PrintedCaptions(host.ResultSections(), d, false))
        EXPECT_TRUE(all.contains(caption)) << caption.toStdString();
    for (int level = 0; level < d.Anchors.UsedLevels(); ++level)
        EXPECT_EQ(all.count(WalerCaption(level)), d.Anchors.Levels[level].Waler.HasWaler ? 2 : 0) << level;

    const QString footer = QStringLiteral("Vantrel v") + platform::ProgramVersion();
    for (int p = 1; p <= pages; ++p) {
        EXPECT_TRUE(text[p].contains(footer)) << "page " << p;
        EXPECT_TRUE(text[p].contains("www.quarnel.com")) << "page " << p;
        EXPECT_TRUE(text[p].trimmed().split('\n').last().trimmed().endsWith(QString::number(p)))
            << "page " << p;
    }

    // The window shows what it showed before: captions, tabs, the level's waler, nothing stored.
    EXPECT_EQ(Text("Label84"), "Waler Design");
    EXPECT_EQ(Text("Label101"), "Waler Design");
    EXPECT_EQ(Tab("TabControl1"), shown);
    EXPECT_EQ(Tab("TabControl2"), shown);
    EXPECT_EQ(Text("Edit_Wwl"), walerLoad);
    EXPECT_EQ(Text("Edit_RWl"), walerLength);
    EXPECT_EQ(Window().Modified(), modified);
}

INSTANTIATE_TEST_SUITE_P(Demos, ReportWindowDemo,
                         ::testing::Values("ENGLISH UNITS DEMO EXAMPLE.kpw", "SI UNITS DEMO EXAMPLE.kpw"));

// The window's layout as the panel printer reads it: the waler sections' caption labels by their
// names, clickable texts and pictures never taken for row captions.
TEST_F(ReportWindow, LayoutFollowsThePanelPrintersConventions) {
    ui::KdMainReport host(Window());
    EXPECT_EQ(host.SectionCaption(host.Control("Panel16")), Text("Label84"));
    EXPECT_EQ(host.SectionCaption(host.Control("Panel48")), Text("Label101"));
    // The project lines of the title page take their captions from the window.
    for (const char* name : {"Label57", "Label59", "Label58", "Label55", "Label56"})
        EXPECT_NE(qobject_cast<QLabel*>(host.Control(name)), nullptr) << name;
    for (const char* name : {"Label122", "Logo", "Image7"})
        EXPECT_TRUE(host.Control(name)->property("clickHandler").toBool()) << name;
    // Hidden sections stay in the lists; the lists follow the tab order.
    const std::vector<QWidget*> inputs = host.InputSections();
    ASSERT_EQ(inputs.size(), 12u);
    EXPECT_EQ(inputs.front()->objectName(), "Panel3");
    EXPECT_EQ(inputs.back()->objectName(), "Panel36");
    EXPECT_EQ(host.ResultSections().size(), 10u);
}

// A failing status mark in the window turns its row's value and unit red in the report; the
// caption stays black.
TEST_F(ReportWindow, FailingMarkTurnsItsRowRed) {
    Open(Demo("ENGLISH UNITS DEMO EXAMPLE.kpw"));
    ui::SetToggleImage(false, Get<QLabel>("Image4")); // beside the combined forces utilization
    ui::KdMainReport host(Window());
    const ReportDocument doc = BuildReport(host);
    const int page = PageOf(doc, "Combined Forces Utilization");
    ASSERT_GE(page, 0);
    const TextItem* caption = FindText(doc, page, "Combined Forces Utilization");
    EXPECT_EQ(caption->color, QColor(Qt::black));
    QStringList red;
    for (const TextItem* t : Texts(doc, page))
        if (std::abs(t->anchor.y() - caption->anchor.y()) < 1e-9 && t != caption &&
            t->color == QColor(Qt::red))
            red << t->text;
    EXPECT_EQ(red, (QStringList{Text("Edit_R114"), Text("unitEdit_R114")}));
}

// The logo chosen in the window prints at the right of the project lines, as tall as they are, in
// the proportions of the window's logo picture.
TEST_F(ReportWindow, LogoAtTheRightOfTheProjectLines) {
    QImage logo(300, 100, QImage::Format_RGB32);
    logo.fill(Qt::darkCyan);
    const QString file = dir_.filePath("logo.jpg");
    ASSERT_TRUE(logo.save(file, "JPEG"));
    {
        platform::ScopedFileHandler files([&file](const platform::FileRequest&) { return file; });
        QTest::mouseClick(Get<QWidget>("Button1"), Qt::LeftButton);
    }
    const QSize shown = Get<QLabel>("Logo")->size();
    ASSERT_FALSE(shown.isEmpty());
    ui::KdMainReport host(Window());
    EXPECT_EQ(host.LogoSize(), shown);
    const ReportDocument doc = BuildReport(host);
    const PictureItem* picture = nullptr;
    for (const PictureItem* p : Pictures(doc, 0))
        if (p->type == "JPG") picture = p;
    ASSERT_NE(picture, nullptr);
    // Right edge at the right margin (1 in), top and bottom at the first and last project line.
    EXPECT_NEAR(picture->rect.right(), 8.5 - 1.0, 1e-9);
    EXPECT_NEAR(picture->rect.width() / picture->rect.height(), double(shown.width()) / shown.height(), 1e-9);
    const TextItem* date = FindText(doc, 0, Text("Label56") + ": ");
    ASSERT_NE(date, nullptr);
    EXPECT_NEAR(picture->rect.bottom(), date->anchor.y(), 1e-9);
}

// The Print command commits the value being typed, writes the report into the maximised preview
// and prints it from there through "Output Options"; a file that cannot be written is told.
class ReportWindowPrint : public vantrel::testing::KdCycleTest {
  protected:
    void SetUp() override {
        KdCycleTest::SetUp();
        previous_ = ui::TfrmKdMain::SetPrintHandler(ui::PrintMainWindowReport);
    }
    void TearDown() override {
        ui::TfrmKdMain::SetPrintHandler(previous_);
        KdCycleTest::TearDown();
    }
    ui::TfrmKdMain::PrintHandler previous_;
};

TEST_F(ReportWindowPrint, PrintCommandPreviewAndOutputOptions) {
    QTemporaryDir dir;
    QString output = dir.filePath("printed.pdf");
    Type("Edit_16", "21"); // shored height typed, not yet left
    std::vector<QString> titles;
    int previewPages = 0;
    bool maximised = false;
    Ext heightAtPreview = 0;
    platform::ScopedModalHandler modal([&](QDialog& d) {
        titles.push_back(d.windowTitle());
        if (auto* preview = qobject_cast<QPrintPreviewDialog*>(&d)) {
            heightAtPreview = D().ShoredHeight;
            maximised = d.windowState() & Qt::WindowMaximized;
            preview->show();
            Settle();
            auto* view = preview->findChild<QPrintPreviewWidget*>();
            view->updatePreview();
            previewPages = view->pageCount();
            for (QAction* action : preview->findChildren<QAction*>())
                if (action->text() == "Print") action->trigger();
            preview->hide();
            return static_cast<int>(QDialog::Accepted);
        }
        if (auto* options = qobject_cast<QPrintDialog*>(&d)) {
            options->printer()->setOutputFormat(QPrinter::PdfFormat);
            options->printer()->setOutputFileName(output);
            return static_cast<int>(QDialog::Accepted);
        }
        return static_cast<int>(QDialog::Rejected);
    });
    W().APrint->trigger();
    Settle();
    EXPECT_EQ(heightAtPreview, 21);
    EXPECT_EQ(titles, (std::vector<QString>{"Report Preview", "Output Options"}));
    EXPECT_TRUE(maximised);
    EXPECT_GE(previewPages, 8);
    EXPECT_EQ(PdfPages(output), previewPages);
    EXPECT_TRUE(PdfText(output, 2).contains("Inputs"));
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);

    // Printing into a folder that does not exist: a message naming the file, nothing else.
    output = dir.filePath("missing/printed.pdf");
    titles.clear();
    W().APrint->trigger();
    Settle();
    EXPECT_EQ(titles.size(), 2u);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].icon, QMessageBox::Critical);
    EXPECT_TRUE(messages[0].text.contains(output)) << messages[0].text.toStdString();
    EXPECT_FALSE(QFileInfo::exists(output));
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);

    // A PDF written directly into such a folder gives the reason instead.
    QString error;
    EXPECT_FALSE(ui::WriteMainWindowReportPdf(W(), output, &error));
    EXPECT_TRUE(error.contains(output));
}

// The paper chosen in the output options lays the report out again: on A4 as on Letter, every
// word of the PDF stays within 0.5 in of the paper's sides and the lowest, the footer, sits 0.4 in
// above its bottom; the preview then shows the pages as printed, on that paper.
TEST_F(ReportWindowPrint, ReportFillsThePaperChosenInTheOutputOptions) {
    struct Paper {
        QPageSize::PageSizeId id;
        double width, height; // points
    };
    for (const Paper& paper : {Paper{QPageSize::A4, 595.28, 841.89}, Paper{QPageSize::Letter, 612, 792}}) {
        QTemporaryDir dir;
        const QString output = dir.filePath("report.pdf");
        QImage shown;
        platform::ScopedModalHandler modal([&](QDialog& d) {
            if (auto* options = qobject_cast<QPrintDialog*>(&d)) {
                options->printer()->setPageSize(QPageSize(paper.id));
                options->printer()->setOutputFormat(QPrinter::PdfFormat);
                options->printer()->setOutputFileName(output);
                return static_cast<int>(QDialog::Accepted);
            }
            d.show();
            for (const char* text : {"Print", "Fit page"})
                for (QAction* action : d.findChildren<QAction*>())
                    if (action->text() == text) action->trigger();
            Settle();
            shown = d.findChild<QGraphicsView*>()->viewport()->grab().toImage();
            d.hide();
            return static_cast<int>(QDialog::Accepted);
        });
        W().APrint->trigger();
        Settle();
        ASSERT_GE(PdfPages(output), 8);
        if (qEnvironmentVariableIsSet("VANTREL_KEEP_REPORT"))
            QFile::copy(output, qEnvironmentVariable("VANTREL_KEEP_REPORT") + "/paper-" +
                                    QPageSize::key(paper.id) + ".pdf");

        const QString boxes = testing::Run("pdftotext", {"-bbox", output, "-"});
        const QRegularExpression page(R"re(<page width="([\d.]+)" height="([\d.]+)">)re");
        const QRegularExpression word(
            R"re(<word xMin="([\d.]+)" yMin="[\d.]+" xMax="([\d.]+)" yMax="([\d.]+)">)re");
        const QStringList pages = boxes.split("</page>", Qt::SkipEmptyParts);
        // The references' heading and their first entry share a page.
        const auto withHeading = std::find_if(pages.begin(), pages.end(),
                                              [](const QString& p) { return p.contains(">References:<"); });
        ASSERT_NE(withHeading, pages.end());
        EXPECT_TRUE(withHeading->contains(">Performance<"));
        for (int p = 0; p + 1 < pages.size(); ++p) {
            const auto size = page.match(pages[p]);
            ASSERT_TRUE(size.hasMatch());
            EXPECT_NEAR(size.captured(1).toDouble(), paper.width, 0.5);
            EXPECT_NEAR(size.captured(2).toDouble(), paper.height, 0.5);
            double left = paper.width, right = 0, lowest = 0;
            for (auto it = word.globalMatch(pages[p]); it.hasNext();) {
                const auto m = it.next();
                left = std::min(left, m.captured(1).toDouble());
                right = std::max(right, m.captured(2).toDouble());
                lowest = std::max(lowest, m.captured(3).toDouble());
            }
            EXPECT_GE(left, 36 - 1) << "page " << p + 1;
            EXPECT_LE(right, paper.width - 36 + 1) << "page " << p + 1;
            EXPECT_NEAR(lowest, paper.height - 0.4 * 72, 3) << "page " << p + 1;
        }

        // The preview fitted to its first page: the paper is the lightest area, the footer the
        // lowest dark mark on it, 0.4 in above its bottom edge.
        QRect sheet, ink;
        for (int pass = 0; pass < 2; ++pass)
            for (int y = 0; y < shown.height(); ++y)
                for (int x = 0; x < shown.width(); ++x) {
                    const int grey = qGray(shown.pixel(x, y));
                    if (pass == 0 && grey == 255) sheet |= QRect(x, y, 1, 1);
                    if (pass == 1 && grey < 128 && sheet.contains(x, y)) ink |= QRect(x, y, 1, 1);
                }
        ASSERT_GT(sheet.height(), 200);
        EXPECT_NEAR(double(sheet.width()) / sheet.height(), paper.width / paper.height, 0.01);
        EXPECT_NEAR(double(sheet.bottom() - ink.bottom()) / sheet.height(), 0.4 * 72 / paper.height, 0.01);
    }
}

} // namespace
} // namespace vantrel::report::testing
