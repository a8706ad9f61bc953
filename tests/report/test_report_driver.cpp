// The report driver with a fake window: page order, pictures, skip rules, waler levels, column
// rules, settlement and guardrail places, chart pages, notes, references and the error path.

#include <QApplication>
#include <QBuffer>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>

#include <gtest/gtest.h>

#include "platform/Dialogs.h"
#include "platform/Version.h"
#include "report/PrintReport.h"
#include "report/ReportDriver.h"
#include "tests/report/FakeReportHost.h"

namespace vantrel::report::testing {
namespace {

constexpr double kEps = 1e-6;

class ReportDriver : public ::testing::Test {
  protected:
    ReportDriver() {
        TKdData& d = host.data;
        d.LaggingType = ltNone;
        d.UseBasalHeave = false;
        d.UseCornerBraces = false;
        d.UseGuardrail = false;
        d.Anchors.LevelCount = 3;
        d.Anchors.Levels.resize(3);
        for (TAnchLevel& level : d.Anchors.Levels)
            level.Waler.HasWaler = false;
        d.Logo.clear();
        host.Input("Panel3", "Project").Row("Label57", "Organization", "Edit28", "Quarnel Test Org");
        host.Input("Panel5", "General Data").Row("Label1", "Shored Height", "Edit1", "20.00", "ft");
        host.Input("Panel21", "Lagging").Row("Label2", "Lagging Type", "Edit2", "None");
        host.Input("Panel54", "Corner Braces").Row("Label3", "Corner Braces", "Edit3", "0");
        host.Input("Panel15", "Basal Heave").Row("Label4", "Basal Heave", "Edit4", "1.5");
        auto waler = host.Input("Panel16");
        waler.panel()->setProperty("captionLabel", "Label84");
        waler.Label("Label84", "Waler Design", 0, 500)->hide();
        auto* inner = new QWidget(waler.panel());
        inner->setObjectName("Panel18");
        auto* e = new QLineEdit(inner);
        e->setObjectName("Edit_WalerLevel");
        e->setGeometry(160, 8, 80, 21);
        auto* l = new QLabel("Waler of level", inner);
        l->setObjectName("Label85");
        l->setGeometry(8, 11, 100, 16);
        host.Input("Panel36", "Guardrail").Row("Label5", "Guardrail Length", "Edit5", "10.00", "ft");
        host.Result("Panel44", "Main Results").Row("Label10", "Embedment", "Edit10", "11.00", "ft");
        host.Result("Panel60", "Bond").Row("Label11", "Bond Length", "Edit11", "15.00", "ft");
        host.Result("Panel39", "Guardrail Results").Row("Label12", "Compression", "Edit12", "1.00", "kips");
    }
    ReportDocument Build() { return BuildReport(host); }
    double LineOf(double size) const { return 1.2 * size / 72; }

    FakeReportHost host;
};

TEST_F(ReportDriver, PagesFollowInOrderEachWithItsFooter) {
    const ReportDocument doc = Build();
    ASSERT_EQ(doc.pages.size(), 8u); // notes and references fit on the last chart page
    EXPECT_EQ(PageOf(doc, "Vantrel Analysis"), 0);
    EXPECT_EQ(PageOf(doc, "Inputs"), 1);
    EXPECT_EQ(PageOf(doc, "Results"), 2);
    EXPECT_EQ(PageOf(doc, "Surface Settlement"), 2);
    EXPECT_EQ(PageOf(doc, "Table of Test Results"), 3);
    EXPECT_EQ(PageOf(doc, "Charts"), 4);
    EXPECT_TRUE(FindText(doc, 5, "Charts"));
    EXPECT_TRUE(FindText(doc, 6, "Charts"));
    EXPECT_FALSE(FindText(doc, 7, "Charts"));
    EXPECT_EQ(PageOf(doc, "NOTES:"), 7);
    EXPECT_EQ(PageOf(doc, "Guardrail Design"), -1);
    EXPECT_EQ(host.chartCalls, (std::vector<int>{18, 7, 0}));
    const QString version = QStringLiteral("Vantrel v") + platform::ProgramVersion();
    for (int p = 0; p < static_cast<int>(doc.pages.size()); ++p) {
        const TextItem* number = FindText(doc, p, QString::number(p + 1) + "  ");
        ASSERT_TRUE(number) << p;
        EXPECT_EQ(number->align, Align::Right);
        // A page's footer takes the margins in force when the page ends: 0.5 in up to the table.
        EXPECT_NEAR(number->anchor.x(), 8.5 - (p <= 3 ? 0.5 : 1.0), kEps) << p;
        const TextItem* centre = FindText(doc, p, version);
        ASSERT_TRUE(centre) << p;
        EXPECT_TRUE(centre->bold);
        EXPECT_TRUE(FindText(doc, p, "  www.quarnel.com")) << p;
        // The rule sits one Arial 9 line above 0.4 in from the bottom.
        bool rule = false;
        for (const PageItem& item : doc.pages[p].items)
            if (const auto* l = std::get_if<LineItem>(&item))
                rule |= std::abs(l->from.y() - (11 - 0.4 - LineOf(9))) < kEps;
        EXPECT_TRUE(rule) << p;
    }
    // Every body text stays above 0.6 in from the bottom, clear of the footer.
    for (int p = 0; p < static_cast<int>(doc.pages.size()); ++p) {
        for (const TextItem* t : Texts(doc, p)) {
            if (!t->text.contains("Vantrel v") && !t->text.contains("quarnel") && !t->text.endsWith("  ")) {
                EXPECT_LE(t->anchor.y(), 10.4 + kEps) << t->text.toStdString();
            }
        }
    }
}

TEST_F(ReportDriver, TitleBlockLogoAndDrawingsInTheirPlaces) {
    QImage logo(200, 100, QImage::Format_RGB32);
    logo.fill(Qt::green);
    QByteArray jpeg;
    QBuffer buffer(&jpeg);
    buffer.open(QIODevice::WriteOnly);
    logo.save(&buffer, "JPG");
    host.data.Logo.assign(jpeg.begin(), jpeg.end());
    const ReportDocument doc = Build();

    // Title at 1.0; y0 one 14-pt line below; the 9-pt project lines from two 14-pt lines below.
    const double y0 = 1.0 + LineOf(14);
    const double firstLine = 1.0 + 2 * LineOf(14);
    const double y1 = firstLine + 4 * LineOf(9);
    const TextItem* org = FindText(doc, 0, "Quarnel Test Org");
    ASSERT_TRUE(org);
    EXPECT_TRUE(org->bold);
    EXPECT_NEAR(org->anchor.y(), firstLine, kEps);
    EXPECT_NEAR(FindText(doc, 0, "Organization: ")->anchor.x(), 1.03, kEps);
    EXPECT_NEAR(org->anchor.x(), 2.03, kEps);

    const auto pictures = Pictures(doc, 0);
    ASSERT_EQ(pictures.size(), 3u);
    // Logo: right edge at PW - ML = 7.5, from y0 to y1, width by the logo's 2 : 1.
    EXPECT_EQ(pictures[0]->type, "JPG");
    EXPECT_NEAR(pictures[0]->rect.right(), 7.5, kEps);
    EXPECT_NEAR(pictures[0]->rect.top(), y0, kEps);
    EXPECT_NEAR(pictures[0]->rect.bottom(), y1, kEps);
    EXPECT_NEAR(pictures[0]->rect.width(), 2 * (y1 - y0), kEps);

    // Cross section: 6.5 in x 200 = 1300 px wide, 1300 x 13 div 16 = 1056 high; at full width it
    // would pass the limit 11 - 2 - 1.65 = 7.35, so it is cut there, narrowed and centred.
    ASSERT_GE(host.diagramCalls.size(), 2u);
    EXPECT_EQ(host.diagramCalls[0], std::make_pair(0, QSize(1300, 1056)));
    const double ya = y1 + LineOf(9) + 0.2;
    const double width = (7.35 - ya) * 1300 / 1056;
    EXPECT_NEAR(pictures[1]->rect.top(), ya, kEps);
    EXPECT_NEAR(pictures[1]->rect.bottom(), 7.35, kEps);
    EXPECT_NEAR(pictures[1]->rect.width(), width, kEps);
    EXPECT_NEAR(pictures[1]->rect.left(), 1.0 + (6.5 - width) / 2, kEps);
    EXPECT_TRUE(pictures[1]->transparent);
    // Plan view: 1950 px wide, round(1950 x (11 - 1 - 7.35) / 6.5) = 795 high, down to 10.0.
    EXPECT_EQ(host.diagramCalls[1], std::make_pair(1, QSize(1950, 795)));
    EXPECT_NEAR(pictures[2]->rect.top(), 7.35, kEps);
    EXPECT_NEAR(pictures[2]->rect.bottom(), 10.0, kEps);
    EXPECT_NEAR(pictures[2]->rect.left(), 1.0, kEps);
    EXPECT_NEAR(pictures[2]->rect.right(), 7.5, kEps);
}

TEST_F(ReportDriver, ACroppedCrossSectionKeepsItsOwnProportions) {
    // Asked 1300 x 1056, drawn 1300 x 650: 6.5 in wide and 3.25 in high, under the limit.
    host.crossSectionCrop = QSize(1300, 650);
    const ReportDocument doc = Build();
    const auto pictures = Pictures(doc, 0);
    ASSERT_EQ(pictures.size(), 2u);
    EXPECT_NEAR(pictures[0]->rect.width(), 6.5, kEps);
    EXPECT_NEAR(pictures[0]->rect.height(), 3.25, kEps);
    // The plan view starts below it and still ends at the bottom margin.
    EXPECT_NEAR(pictures[1]->rect.top(), pictures[0]->rect.bottom(), kEps);
    EXPECT_NEAR(pictures[1]->rect.bottom(), 10.0, 0.01);
}

TEST_F(ReportDriver, OptionalInputSectionsFollowTheProject) {
    struct Case {
        int lagging;
        bool corner, basal;
    };
    for (const Case& c : {Case{ltNone, false, false}, Case{ltTimber, true, true}}) {
        host.data.LaggingType = c.lagging;
        host.data.UseCornerBraces = c.corner;
        host.data.CornerBraces.LevelCount = 1;
        host.data.CornerBraces.Levels.resize(1);
        host.data.CornerBraces.Levels[0].Kind = lkStrut;
        host.data.UseBasalHeave = c.basal;
        const ReportDocument doc = Build();
        EXPECT_EQ(PageOf(doc, "Lagging") == 1, c.lagging != ltNone);
        EXPECT_EQ(PageOf(doc, "Corner Braces") == 1, c.corner);
        EXPECT_EQ(PageOf(doc, "Basal Heave") == 1, c.basal);
        EXPECT_EQ(PageOf(doc, "Guardrail"), -1); // never among the inputs
    }
}

TEST_F(ReportDriver, OneWalerSectionPerLevelWithAWalerAndTheWindowRestored) {
    host.data.Anchors.Levels[0].Waler.HasWaler = true;
    host.data.Anchors.Levels[2].Waler.HasWaler = true;
    auto results = host.Result("Panel48");
    results.panel()->setProperty("captionLabel", "Label101");
    results.Label("Label101", "Waler Design", 0, 500)->hide();
    auto* grid = new QWidget(results.panel());
    grid->setObjectName("Panel53");
    host.tabs[1] = 1;
    host.tabs[2] = 2;
    const ReportDocument doc = Build();
    for (const char* caption : {"Waler Design - Level A", "Waler Design - Level C"}) {
        EXPECT_TRUE(FindText(doc, 1, caption)) << caption;
        EXPECT_TRUE(FindText(doc, 2, caption)) << caption;
    }
    EXPECT_EQ(PageOf(doc, "Waler Design - Level B"), -1);
    // Each input section shows the level selected (the window refreshes on the tab switch).
    EXPECT_TRUE(FindText(doc, 1, "level 1"));
    EXPECT_TRUE(FindText(doc, 1, "level 3"));
    EXPECT_EQ(host.tabCalls,
              (std::vector<std::pair<int, int>>{{1, 0}, {1, 2}, {1, 1}, {2, 0}, {2, 2}, {2, 2}}));
    EXPECT_EQ(qobject_cast<QLabel*>(host.Control("Label84"))->text(), "Waler Design");
    EXPECT_EQ(qobject_cast<QLabel*>(host.Control("Label101"))->text(), "Waler Design");
    EXPECT_EQ(host.tabs[1], 1);
    EXPECT_EQ(host.tabs[2], 2);
}

TEST_F(ReportDriver, ColumnRulesOfInputsAndResults) {
    const ReportDocument doc = Build();
    // Inputs: the sections run down the left column.
    const TextItem* general = FindText(doc, 1, "General Data");
    ASSERT_TRUE(general);
    EXPECT_NEAR(general->anchor.x(), 0.53, kEps);
    // Results: with fewer than 6 sections the second starts at the top of the right column.
    const TextItem* main = FindText(doc, 2, "Main Results");
    const TextItem* bond = FindText(doc, 2, "Bond");
    ASSERT_TRUE(main && bond);
    EXPECT_NEAR(bond->anchor.x(), 4.35 + 0.03, kEps);
    EXPECT_NEAR(bond->anchor.y(), main->anchor.y(), kEps);
    EXPECT_EQ(PageOf(doc, "Guardrail Results"), -1); // only with the guardrail design

    // Second-last input section with under 15 lines left goes to the right column.
    auto p = PanelBuilder(host.root()->findChild<QWidget*>("ScrollBox1"), "Panel9", "Long Section");
    for (int i = 0; i < 52; ++i)
        p.Row(QString("LongLabel%1").arg(i), QString("Row %1").arg(i), QString("LongEdit%1").arg(i), "1");
    host.inputs.insert(host.inputs.begin() + 2, p.panel());
    // Printed sections: Project, General, Long, Basal heave (second-last), Waler; lagging and
    // corner braces are not used and the guardrail is left out of the inputs.
    host.data.UseBasalHeave = true;
    host.data.Anchors.Levels[0].Waler.HasWaler = true;
    const ReportDocument longer = Build();
    const TextItem* basal = FindText(longer, 1, "Basal Heave");
    ASSERT_TRUE(basal);
    EXPECT_NEAR(basal->anchor.x(), 4.35 + 0.03, kEps);
}

// A section the project does not use prints nothing and takes no part in the column rules: the
// last section never stands alone in the right column of a page whose left column is empty.
TEST_F(ReportDriver, SkippedSectionLeavesNoColumnEmpty) {
    host.data.LaggingType = ltTimber;
    host.data.UseBasalHeave = false;
    // Two long sections fill the left column and most of the right one.
    for (const auto& [name, rows] : {std::pair{"Panel8", 55}, std::pair{"Panel9", 52}}) {
        auto p = PanelBuilder(host.root()->findChild<QWidget*>("ScrollBox1"), name, name);
        for (int i = 0; i < rows; ++i)
            p.Row(QString("L%1_%2").arg(name).arg(i), QString("Row %1").arg(i),
                  QString("E%1_%2").arg(name).arg(i), "1");
        host.inputs.push_back(p.panel());
    }
    // Then corner braces, walers and basal heave, which the project does not use, and lagging
    // last: the second-last section that prints is the second long one.
    const std::vector<QString> order{"Panel3",  "Panel5",  "Panel8",  "Panel9", "Panel54",
                                     "Panel16", "Panel15", "Panel21", "Panel36"};
    std::sort(host.inputs.begin(), host.inputs.end(), [&order](QWidget* a, QWidget* b) {
        return std::find(order.begin(), order.end(), a->objectName()) <
               std::find(order.begin(), order.end(), b->objectName());
    });
    const ReportDocument doc = Build();
    const int page = PageOf(doc, "Lagging");
    ASSERT_GT(page, 0);
    const TextItem* lagging = FindText(doc, page, "Lagging");
    bool leftColumnUsed = lagging->anchor.x() < 4;
    for (const TextItem* t : Texts(doc, page))
        leftColumnUsed |= t->anchor.x() < 4 && t->anchor.y() < 10.4 && t->text != "Inputs";
    EXPECT_TRUE(leftColumnUsed) << "page " << page << " x " << lagging->anchor.x();
}

TEST_F(ReportDriver, SectionsAfterAPageChangeAreSharedBetweenTheColumns) {
    // Sixteen sections of eight rows after Project and General: 18 input sections print (lagging,
    // corner braces, basal heave and walers are not used; the guardrail is not among them). When
    // section i is the first on the next page, the column breaks floor((18 - i) / 2) sections later.
    for (int s = 0; s < 16; ++s) {
        auto p = host.Input(QString("PanelX%1").arg(s), QString("Extra %1").arg(s));
        for (int i = 0; i < 8; ++i)
            p.Row(QString("LX%1_%2").arg(s).arg(i), QString("Input %1.%2").arg(s).arg(i),
                  QString("EX%1_%2").arg(s).arg(i), "1.00");
    }
    std::rotate(host.inputs.begin() + 2, host.inputs.end() - 16, host.inputs.end());
    const ReportDocument doc = Build();
    int first = -1;
    for (int s = 0; s < 16 && first < 0; ++s)
        if (PageOf(doc, QString("Extra %1").arg(s)) == 2) first = s;
    ASSERT_GT(first, 0);
    const int breakAt = first + (18 - (2 + first)) / 2; // section index within the extras
    ASSERT_LT(breakAt, 16);
    ASSERT_GT(breakAt, first + 1); // both columns hold sections
    for (int s = first; s <= breakAt; ++s) {
        const TextItem* caption = FindText(doc, 2, QString("Extra %1").arg(s));
        ASSERT_TRUE(caption) << s;
        EXPECT_NEAR(caption->anchor.x(), s < breakAt ? 0.53 : 4.38, kEps) << s;
    }
    // The right column starts at the column top of the inputs pages.
    EXPECT_NEAR(FindText(doc, 2, QString("Extra %1").arg(breakAt))->anchor.y(),
                FindText(doc, 2, QString("Extra %1").arg(first))->anchor.y(), kEps);
}

TEST_F(ReportDriver, SettlementTakesTheRightHalfOrGoesBelowOrToANewPage) {
    // Few results: the left column is short, the right column shorter; the centred picture
    // (4.25 x 620 / 450 high) does not fit above the left column's end: centred below.
    ReportDocument doc = Build();
    auto settlement = [](const ReportDocument& d, int page) {
        for (const PictureItem* p : Pictures(d, page))
            return p;
        return static_cast<const PictureItem*>(nullptr);
    };
    const PictureItem* centred = settlement(doc, 2);
    ASSERT_TRUE(centred);
    EXPECT_NEAR(centred->rect.left(), 8.5 / 4, kEps);
    EXPECT_NEAR(centred->rect.right(), 8.5 - 8.5 / 4, kEps);
    EXPECT_NEAR(centred->rect.height(), 4.25 * 620 / 450, kEps);

    // A left column much longer than the right one: the picture goes into the right half.
    auto tall = host.Result("Panel61", "Tall");
    for (int i = 0; i < 45; ++i)
        tall.Row(QString("TallLabel%1").arg(i), QString("Row %1").arg(i), QString("TallEdit%1").arg(i), "1");
    // Tall first, alone in the left column; the short main results and bond on the right.
    std::rotate(host.results.begin(), host.results.end() - 1, host.results.end());
    doc = Build();
    const PictureItem* right = settlement(doc, 2);
    ASSERT_TRUE(right);
    EXPECT_NEAR(right->rect.left(), 8.5 / 2, kEps);
    EXPECT_NEAR(right->rect.right(), 8.5 - 0.5, kEps);
    const TextItem* tallLast = FindText(doc, 2, "Row 44");
    ASSERT_TRUE(tallLast);
    EXPECT_LT(right->rect.bottom(), tallLast->anchor.y() + 0.2 + kEps);

    // Both columns long: no room below them on the page, the picture starts a new page.
    auto tall2 = host.Result("Panel62", "Tall Two");
    for (int i = 0; i < 45; ++i)
        tall2.Row(QString("Tall2Label%1").arg(i), QString("Line %1").arg(i), QString("Tall2Edit%1").arg(i),
                  "1");
    // Tall, Tall Two, Main, Bond: the second tall one fills the right column.
    std::rotate(host.results.begin() + 1, host.results.end() - 1, host.results.end());
    doc = Build();
    const int page = PageOf(doc, "Surface Settlement");
    EXPECT_EQ(page, 3);
    const PictureItem* moved = settlement(doc, page);
    ASSERT_TRUE(moved);
    EXPECT_NEAR(moved->rect.top(), 0.5 + LineOf(12), 0.25);
    EXPECT_NEAR(moved->rect.height(), 4.25 * 620 / 450, kEps); // never squashed
    EXPECT_EQ(PageOf(doc, "Table of Test Results"), page + 1);
}

TEST_F(ReportDriver, GuardrailSectionsSideBySideThenTheDetailBelowBoth) {
    host.data.UseGuardrail = true;
    auto extra = host.Control("Panel36");
    PanelBuilder more(extra->parentWidget(), "Dummy");
    delete more.panel();
    for (int i = 0; i < 6; ++i) {
        auto* l = new QLabel(QString("Extra %1").arg(i), extra);
        l->setObjectName(QString("ExtraLabel%1").arg(i));
        l->setGeometry(8, 40 + 24 * i, 100, 16);
        auto* e = new QLineEdit("2", extra);
        e->setObjectName(QString("ExtraEdit%1").arg(i));
        e->setGeometry(160, 37 + 24 * i, 80, 21);
    }
    const ReportDocument doc = Build();
    const int page = PageOf(doc, "Guardrail Design");
    ASSERT_GE(page, 2);
    const TextItem* left = FindText(doc, page, "Guardrail");
    const TextItem* right = FindText(doc, page, "Guardrail Results");
    ASSERT_TRUE(left && right);
    EXPECT_NEAR(left->anchor.y(), right->anchor.y(), kEps);
    EXPECT_GT(right->anchor.x(), 4.0);
    const TextItem* lastLeft = FindText(doc, page, "Extra 5");
    ASSERT_TRUE(lastLeft);
    const PictureItem* detail = Pictures(doc, page).back();
    EXPECT_GT(detail->rect.top(), lastLeft->anchor.y() + 0.2);
    EXPECT_NEAR(detail->rect.left(), 0.5, kEps);
    EXPECT_NEAR(detail->rect.right(), 8.0, kEps);
    EXPECT_LE(detail->rect.bottom(), 11 - 0.51 + kEps);
    EXPECT_EQ(host.diagramCalls.back().first, 2);
    EXPECT_EQ(host.diagramCalls.back().second.width(), 2250);
    // The table that follows spans the page, not a column.
    const int table = PageOf(doc, "Table of Test Results");
    EXPECT_EQ(table, page + 1);
    const TextItem* lastDepth = FindText(doc, table, "Total per Pile,");
    ASSERT_TRUE(lastDepth);
    EXPECT_NEAR(lastDepth->anchor.x(), 0.5 + 0.5 + 0.5 + 8 * 0.7 + 0.375, kEps);
}

TEST_F(ReportDriver, GuardrailDetailGoesToANewPageWhenUnderTwoInchesRemain) {
    host.data.UseGuardrail = true;
    QWidget* panel = host.Control("Panel36");
    // 56 rows of 9 pt under the heading on a fresh page end below 8.5 in: under 2 in remain.
    for (int i = 0; i < 56; ++i) {
        auto* l = new QLabel(QString("Rail %1").arg(i), panel);
        l->setObjectName(QString("RailLabel%1").arg(i));
        l->setGeometry(8, 40 + 24 * i, 100, 16);
        auto* e = new QLineEdit("2", panel);
        e->setObjectName(QString("RailEdit%1").arg(i));
        e->setGeometry(160, 37 + 24 * i, 80, 21);
    }
    const ReportDocument doc = Build();
    const int page = PageOf(doc, "Guardrail Design");
    const int last = PageOf(doc, "Rail 55");
    ASSERT_GE(page, 0);
    ASSERT_EQ(last, page);
    ASSERT_GT(FindText(doc, page, "Rail 55")->anchor.y(), 11 - 0.5 - 2.0);
    // The detail starts near the top of the next page, with the height it asked for.
    const auto pictures = Pictures(doc, page + 1);
    ASSERT_FALSE(pictures.empty());
    EXPECT_NEAR(pictures.front()->rect.top(), 0.5 + 0.2, kEps);
    const QSize asked = host.diagramCalls.back().second;
    EXPECT_EQ(asked.height(), std::lround(2250 * std::min(11 - 0.5 - 0.5, 5.5) / 7.5));
    EXPECT_EQ(PageOf(doc, "Table of Test Results"), page + 2);
}

TEST_F(ReportDriver, ChartPagesNotesAndReferences) {
    for (bool interaction : {false, true}) {
        host.showInteraction = interaction;
        const ReportDocument doc = Build();
        const int a = PageOf(doc, "Charts");
        ASSERT_GT(a, 0);
        EXPECT_EQ(Pictures(doc, a).size(), 4u);
        EXPECT_EQ(Pictures(doc, a + 1).size(), 4u);
        EXPECT_EQ(Pictures(doc, a + 2).size(), 4u);
        const int d = a + 3;
        EXPECT_EQ(Pictures(doc, d).size(), interaction ? 2u : 1u);
        // Grid: w = (11 - 1.6) / 2 x 450 / 620; top left from (0.5, 0.5) to (0.5 + w, 5.5).
        const double w = 4.7 * 450 / 620;
        const QRectF tl = Pictures(doc, a)[0]->rect;
        EXPECT_NEAR(tl.left(), 0.5, kEps);
        EXPECT_NEAR(tl.width(), w, kEps);
        EXPECT_NEAR(tl.bottom(), 5.5, kEps);
        const QRectF br = Pictures(doc, a)[3]->rect;
        EXPECT_NEAR(br.left(), 8.5 - w - 0.5, kEps);
        EXPECT_NEAR(br.bottom(), 11 - 0.8, kEps);

        const TextItem* notes = FindText(doc, d, "NOTES:");
        ASSERT_TRUE(notes);
        EXPECT_NEAR(notes->anchor.x(), 8.5 / 2 - 0.3, kEps);
        if (interaction)
            EXPECT_GT(notes->anchor.y(), 5.5);
        else
            EXPECT_NEAR(notes->anchor.y(), 1.0, kEps);
        const int refPage = PageOf(doc, "References:");
        const TextItem* refs = FindText(doc, refPage, "References:");
        EXPECT_NEAR(refs->anchor.x(), 1.0, kEps);
        if (refPage == d) {
            EXPECT_GT(refs->anchor.y(), 5.5);
        }
        const int last = PageOf(doc, "22. Quarnel Software: Vantrel v" + platform::ProgramVersion());
        EXPECT_GE(last, refPage);
        // Each note line stays inside PW - MR / 2 = 8.0.
        ReportWriter measure;
        measure.SelectFont("Arial", 9);
        for (int p = d; p < static_cast<int>(doc.pages.size()); ++p) {
            for (const TextItem* t : Texts(doc, p)) {
                if (std::abs(t->anchor.x() - 3.95) < kEps && t->size == 9) {
                    EXPECT_LE(t->anchor.x() + measure.TextWidth(t->text), 8.0 + kEps);
                }
            }
        }
    }
}

// The guardrail heading on the settlement's page leaves its two-column top low on that page; the
// notes below the interaction chart run onto further pages, which start at the top margin (1 in).
TEST_F(ReportDriver, NotesRunningOverStartTheirPagesAtTheTopMargin) {
    host.data.UseGuardrail = true;
    host.showInteraction = true;
    host.chartSize = QSize(620, 300); // a low settlement picture leaves room for the guardrail
    const ReportDocument doc = Build();
    const int guardrail = PageOf(doc, "Guardrail Design");
    ASSERT_EQ(guardrail, PageOf(doc, "Surface Settlement"));
    ASSERT_GT(FindText(doc, guardrail, "Guardrail")->anchor.y(), 1.5);
    const int notes = PageOf(doc, "NOTES:");
    ASSERT_LT(notes + 1, static_cast<int>(doc.pages.size()));
    for (int p = notes + 1; p < static_cast<int>(doc.pages.size()); ++p) {
        double first = 11;
        for (const TextItem* t : Texts(doc, p))
            if (t->anchor.y() < 10.4) first = std::min(first, t->anchor.y());
        EXPECT_NEAR(first, 1.0, kEps) << "page " << p;
    }
}

TEST_F(ReportDriver, PrintOpensThePreviewOrShowsTheErrorWithTheWindowRestored) {
    host.data.Anchors.Levels[1].Waler.HasWaler = true;
    host.tabs[1] = 2;
    int previewPages = 0;
    std::vector<QString> titles;
    bool maximised = false;
    double zoom = 0;
    platform::ScopedModalHandler modal([&](QDialog& d) {
        titles.push_back(d.windowTitle());
        if (auto* preview = qobject_cast<QPrintPreviewDialog*>(&d)) {
            maximised = d.windowState() & Qt::WindowMaximized;
            auto* view = preview->findChild<QPrintPreviewWidget*>();
            view->updatePreview();
            previewPages = view->pageCount();
            zoom = view->zoomFactor();
            // The preview's print button asks for the output options first.
            for (QAction* action : preview->findChildren<QAction*>())
                if (action->text() == "Print") action->trigger();
        }
        return 0;
    });
    std::vector<QString> errors;
    platform::ScopedMessageHandler messages([&](const platform::MessageRequest& r) {
        errors.push_back(r.text);
        return QMessageBox::Ok;
    });
    PrintReport(host, nullptr);
    EXPECT_EQ(host.commits, 1);
    EXPECT_EQ(titles, (std::vector<QString>{"Report Preview", "Output Options"}));
    EXPECT_TRUE(maximised);
    EXPECT_EQ(previewPages, static_cast<int>(Build().pages.size()));
    EXPECT_DOUBLE_EQ(zoom, 1.0);
    EXPECT_TRUE(errors.empty());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);

    // A chart that cannot be made ends the report: a message, no preview, everything restored.
    host.failOnChartKind = 7;
    PrintReport(host, nullptr);
    EXPECT_EQ(titles.size(), 2u);
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_TRUE(errors[0].contains("chart failed"));
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(host.tabs[1], 2);
    EXPECT_EQ(qobject_cast<QLabel*>(host.Control("Label84"))->text(), "Waler Design");

    // A PDF file that cannot be written says so.
    QString error;
    host.failOnChartKind = -1;
    EXPECT_FALSE(WriteReportPdf(host, "/nonexistent-folder/report.pdf", &error));
    EXPECT_FALSE(error.isEmpty());
}

} // namespace
} // namespace vantrel::report::testing
