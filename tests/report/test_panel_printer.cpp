// The panel printer on synthetic offscreen sections: what is written where, in which colour.

#include <QDateEdit>

#include <gtest/gtest.h>

#include "report/PanelPrinter.h"
#include "tests/report/FakeReportHost.h"

namespace vantrel::report::testing {
namespace {

constexpr double kEps = 1e-9;
const QColor kRed(255, 0, 0);

class ReportPanelPrinter : public ::testing::Test {
  protected:
    ReportPanelPrinter() {
        w.MarginLeft = w.MarginRight = w.MarginTop = w.MarginBottom = 0.5;
        w.UseColumns(2, 0.2);
        w.MoveCursor(0.5, 1.0);
    }
    // Column width of the panel printer: (8.5 - 1.0 - 0.2) / 2.
    static constexpr double cw = 3.65;
    static constexpr double x0 = 0.5;

    void Print(QWidget* panel) {
        PanelPrinter printer(host, w);
        printer.PrintPanel(panel);
    }
    const TextItem* Text(const QString& text) const { return FindText(w.Document(), 0, text); }
    // Texts of the line whose baseline is `y`, left to right.
    QStringList Line(double y) const {
        std::vector<const TextItem*> line;
        for (const TextItem* t : Texts(w.Document(), 0))
            if (std::abs(t->anchor.y() - y) < 1e-6) line.push_back(t);
        std::sort(line.begin(), line.end(), [](auto a, auto b) { return a->anchor.x() < b->anchor.x(); });
        QStringList out;
        for (const TextItem* t : line)
            out << t->text;
        return out;
    }

    FakeReportHost host;
    ReportWriter w;
};

TEST_F(ReportPanelPrinter, CaptionBarThenCaptionValueUnitRows) {
    auto p = host.Input("Panel5", "General Data");
    p.Row("Label1", "Shored Height", "Edit1", "20.00", "ft").Row("Label2", "Soil && Rock", "Edit2", "Sand");
    p.Row("Label3", "Section Area", "Edit3", "12.5", "in");
    p.Label("Label3Exp", "2", 262, p.y() - 24 - 2, 10); // raised exponent above the unit
    p.Row("Label56", "Date");
    p.Add<QDateEdit>("DateTimePicker1", 160, p.y() - 24)->setDate(QDate(2026, 1, 15));
    Print(p.panel());

    const TextItem* caption = Text("General Data");
    ASSERT_TRUE(caption);
    EXPECT_TRUE(caption->bold);
    const auto* shade = std::get_if<ShadeItem>(&w.Document().pages[0].items.front());
    ASSERT_TRUE(shade);
    EXPECT_NEAR(shade->rect.left(), x0, kEps);
    EXPECT_NEAR(shade->rect.width(), cw, kEps);
    EXPECT_EQ(shade->color, QColor(211, 229, 248)); // $F0CAA6 at 50 %

    const double lh = 1.2 * 9 / 72;
    EXPECT_EQ(Line(1.0 + lh), (QStringList{"Shored Height", "20.00", "ft"}));
    EXPECT_EQ(Line(1.0 + 2 * lh), (QStringList{"Soil & Rock", "Sand"}));
    EXPECT_EQ(Line(1.0 + 3 * lh), (QStringList{"Section Area", "12.5", "in^2"}));
    EXPECT_EQ(Line(1.0 + 4 * lh),
              (QStringList{"Date", host.Control("DateTimePicker1")->property("text").toString()}));
    const TextItem* value = Text("20.00");
    EXPECT_EQ(value->align, Align::Right);
    EXPECT_NEAR(value->anchor.x(), x0 + .84 * cw - 0.03, 1e-6); // value tab (.40, .44, R)
    EXPECT_NEAR(Text("ft")->anchor.x(), x0 + .85 * cw + 0.03, 1e-6);
    EXPECT_FALSE(Text("Shored Height")->bold);
}

TEST_F(ReportPanelPrinter, CheckBoxesPrintYesOrNoAndOnTheSurchargePanelOnlyWhenTicked) {
    auto p = host.Input("Panel45", "Earth Pressure");
    p.Check("CheckBox1", "Water Table", true).Check("CheckBox2", "Seismic", false);
    p.Check("CheckBox4", "Use Guardrail Design", true);
    p.panel()->findChild<QCheckBox*>("CheckBox2")->hide(); // hidden check boxes count too
    auto* sub = new QWidget(p.panel());
    sub->setObjectName("Panel2");
    sub->setGeometry(0, 100, 330, 60);
    for (auto [name, text, ticked, y] : {std::tuple{"CheckBox10", "Strip Load", true, 0},
                                         std::tuple{"CheckBox11", "Line Load", false, 24}}) {
        auto* c = new QCheckBox(text, sub);
        c->setObjectName(name);
        c->setChecked(ticked);
        c->setGeometry(8, y, 120, 20);
    }
    Print(p.panel());
    const double lh = 1.2 * 9 / 72;
    EXPECT_EQ(Line(1.0 + lh), (QStringList{"Water Table", "Yes"}));
    EXPECT_EQ(Line(1.0 + 2 * lh), (QStringList{"Seismic", "No"}));
    EXPECT_EQ(Line(1.0 + 3 * lh), (QStringList{"Strip Load"}));
    EXPECT_FALSE(Text("Line Load"));
    EXPECT_FALSE(Text("Use Guardrail Design"));
}

TEST_F(ReportPanelPrinter, FlaggedRowsPrintValueAndUnitInRed) {
    auto p = host.Result("Panel44", "Main Results");
    p.Row("Label10", "Bending Ratio", "Edit10", "112.0", "%")
        .Row("Label11", "Shear Ratio", "Edit11", "40.0", "%");
    p.Row("Label12", "Axial Ratio", "Edit12", "130.0", "%");
    p.Image("img10", 1, 300, 8);
    p.Image("img11", 0, 300, 32);
    p.Image("img12", 1, 300, 56)->hide(); // a hidden mark flags nothing
    Print(p.panel());
    EXPECT_EQ(Text("Bending Ratio")->color, QColor(Qt::black));
    EXPECT_EQ(Text("112.0")->color, kRed);
    EXPECT_EQ(Text("40.0")->color, QColor(Qt::black));
    EXPECT_EQ(Text("130.0")->color, QColor(Qt::black));
    const double lh = 1.2 * 9 / 72;
    for (const TextItem* t : Texts(w.Document(), 0)) {
        if (t->text == "%" && std::abs(t->anchor.y() - (1.0 + lh)) < 1e-6) {
            EXPECT_EQ(t->color, kRed);
        }
    }
}

TEST_F(ReportPanelPrinter, HiddenSectionPrintsNothing) {
    auto p = host.Input("Panel7", "Hidden");
    p.Row("Label1", "Value", "Edit1", "1");
    p.panel()->hide();
    Print(p.panel());
    EXPECT_TRUE(w.Document().pages[0].items.empty());
    EXPECT_NEAR(w.CursorY(), 1.0, kEps);
}

TEST_F(ReportPanelPrinter, SectionTooLongForTheColumnStartsInTheNextOne) {
    auto p = host.Input("Panel5", "General Data");
    for (int i = 0; i < 5; ++i)
        p.Row(QString("Label%1").arg(i), QString("Row %1").arg(i), QString("Edit%1").arg(i), "1");
    w.ColumnTop = 1.0;
    // 7 lines of 0.15 in left above 10.5 in: fewer than 5 captions + 3.
    w.SelectFont("Arial", 9);
    w.MoveCursor(0.5, 10.5 - 6 * 0.15 - 0.01);
    ASSERT_EQ(w.RemainingLines(), 7);
    Print(p.panel());
    const TextItem* caption = Text("General Data");
    ASSERT_TRUE(caption);
    EXPECT_NEAR(caption->anchor.y(), 1.0, kEps);
    EXPECT_NEAR(caption->anchor.x(), 4.35 + 0.03, kEps);
}

TEST_F(ReportPanelPrinter, HeadingRowsAndCaptionsFoundAgainstTheLeftMostValue) {
    auto p = host.Input("Panel8", "Soil");
    // Created before any edit of the panel, yet a caption: it stands near the left-most edit.
    p.Label("Label50", "Cohesion", 150, 200, 10);
    p.Label("Label40", "Retained Soil", 8, 8);       // heading from the left edge
    p.Label("Label41", "Below Excavation", 100, 32); // heading ending at .85 cw
    p.Edit("Edit50", "250", 160, 197);
    p.Edit("Edit51", "0", 400, 300)->hide(); // hidden edits do not count
    p.Label("Label52", "Wrapped note", 8, 240)->setWordWrap(true);
    p.Label("Label53", "Video", 8, 260)->setProperty("clickHandler", true);
    p.Label("Label54", "Disabled", 8, 280)->setEnabled(false);
    Print(p.panel());
    const TextItem* left = Text("Retained Soil");
    ASSERT_TRUE(left);
    EXPECT_EQ(left->align, Align::Left);
    EXPECT_NEAR(left->anchor.x(), x0 + 0.03, kEps);
    const TextItem* right = Text("Below Excavation");
    ASSERT_TRUE(right);
    EXPECT_EQ(right->align, Align::Right);
    EXPECT_NEAR(right->anchor.x(), x0 + .85 * cw, kEps);
    const double lh = 1.2 * 9 / 72;
    EXPECT_EQ(Line(1.0 + 3 * lh), (QStringList{"Cohesion", "250"}));
    for (const char* absent : {"Wrapped note", "Video", "Disabled"})
        EXPECT_FALSE(Text(absent)) << absent;
}

TEST_F(ReportPanelPrinter, WalerGridKeepsTheMaximumInTheSixthCell) {
    for (bool fourth : {true, false}) {
        FakeReportHost h;
        auto p = h.Result("Panel48", "Waler Design");
        auto* grid = new QWidget(p.panel());
        grid->setObjectName("Panel53");
        int y = 0;
        for (const char* name :
             {"Label105", "Edit_RWV1", "Edit_RWV2", "Edit_RWV3", "Edit_RWV4", "Edit_RWVmax", "Label106",
              "Label109", "Label110", "Label107", "Label108", "Label111"}) {
            QWidget* c = QString(name).startsWith("Edit") ? static_cast<QWidget*>(new QLineEdit(name, grid))
                                                          : static_cast<QWidget*>(new QLabel(name, grid));
            c->setObjectName(name);
            c->setGeometry(8, y += 2, 40, 16);
        }
        h.Control("Edit_RWV4")->setVisible(fourth);
        h.Control("Label108")->setVisible(fourth);
        ReportWriter out;
        out.MarginLeft = out.MarginRight = out.MarginTop = out.MarginBottom = 0.5;
        out.MoveCursor(0.5, 1.0);
        PanelPrinter(h, out).PrintPanel(p.panel());
        const ReportDocument& doc = out.Document();
        const double sixth = x0 + (.70 + .075) * cw;
        EXPECT_NEAR(FindText(doc, 0, "Edit_RWVmax")->anchor.x(), sixth, kEps) << fourth;
        EXPECT_TRUE(FindText(doc, 0, "Edit_RWVmax")->bold);
        EXPECT_NEAR(FindText(doc, 0, "Label111")->anchor.x(), sixth, kEps) << fourth;
        EXPECT_NEAR(FindText(doc, 0, "Edit_RWV1")->anchor.x(), x0 + (fourth ? .175 : .325) * cw, kEps);
        EXPECT_EQ(FindText(doc, 0, "Edit_RWV4") != nullptr, fourth);
    }
}

TEST_F(ReportPanelPrinter, AnchorCornerAndStrutTablesFollowTheLevels) {
    host.data.Anchors.LevelCount = 2;
    host.data.Anchors.Levels.resize(2);
    host.data.CornerBraces.LevelCount = 3;
    host.data.CornerBraces.Levels.resize(3);
    host.data.CornerBraces.Levels[0].Kind = lkStrut;
    host.data.CornerBraces.Levels[1].Kind = lkUnused;
    host.data.CornerBraces.Levels[2].Kind = lkStrut;
    auto p = host.Input("Panel54", "Corner Braces");
    p.Row("Label168", "Number of Corner Braces", "Edit_Corners", "3");
    for (const char* h : {"Label133", "Label131", "Label125", "Label126"})
        p.Label(h, QString(h) + "\r\nline", 0, 500)->hide();
    auto* rows = new QWidget(p.panel());
    rows->setObjectName("Panel57");
    rows->setGeometry(0, 40, 330, 100);
    for (int n = 1; n <= 3; ++n) {
        auto* l = new QLabel(QString("Corner %1").arg(n), rows);
        l->setObjectName(QString("labCorner%1").arg(n));
        l->setGeometry(300, n * 24, 20, 16); // far right: not a caption of the section
        for (const char* e : {"cmbCornerType", "Edit_CornerX", "Edit_CornerAng"}) {
            auto* edit = new QLineEdit(QString("%1%2").arg(e).arg(n), rows);
            edit->setObjectName(QString("%1%2").arg(e).arg(n));
            edit->hide();
        }
    }
    Print(p.panel());
    EXPECT_TRUE(Text("Corner 1"));
    EXPECT_FALSE(Text("Corner 2")); // a corner brace not in use
    EXPECT_TRUE(Text("Corner 3"));
    EXPECT_TRUE(Text("Label133 line")); // header lines flattened
    ASSERT_TRUE(Text("Edit_CornerX3"));
    // Cells (0, .10, C) (next, .30, C) (next, .30, C): the third centred at .55 cw.
    EXPECT_NEAR(Text("Edit_CornerX3")->anchor.x(), x0 + .55 * cw, kEps);
    // The caption row itself follows the table.
    EXPECT_GT(Text("Number of Corner Braces")->anchor.y(), Text("Corner 3")->anchor.y());

    // Strut results: failing members red cell by cell.
    auto r = host.Result("Panel12", "Strut Check");
    r.Row("Label80", "Level");
    for (const char* h : {"Label60", "Label61", "Label65", "Label78"})
        r.Label(h, h, 0, 500)->hide();
    for (int n = 1; n <= 2; ++n) {
        r.Label(QString("labStrutR%1").arg(n), QString("Strut %1").arg(n), 0, 500)->hide();
        r.panel()->findChild<QLabel*>(QString("labStrutR%1").arg(n))->show();
        r.panel()->findChild<QLabel*>(QString("labStrutR%1").arg(n))->setGeometry(300, 400 + n, 10, 10);
        for (const char* part : {"P", "Mx", "My", "Comb"}) {
            r.Edit(QString("Edit_RStrut%1%2").arg(part).arg(n), QString("%1%2").arg(part).arg(n), 0, 500)
                ->hide();
            r.Image(QString("imgRStrut%1%2").arg(part).arg(n), n == 2 && QString(part) == "My", 0, 500)
                ->hide();
        }
    }
    ReportWriter out;
    out.MarginLeft = out.MarginRight = out.MarginTop = out.MarginBottom = 0.5;
    out.MoveCursor(0.5, 1.0);
    PanelPrinter(host, out).PrintPanel(r.panel());
    EXPECT_EQ(FindText(out.Document(), 0, "My2")->color, kRed);
    EXPECT_EQ(FindText(out.Document(), 0, "Mx2")->color, QColor(Qt::black));
    EXPECT_EQ(FindText(out.Document(), 0, "My1")->color, QColor(Qt::black));
    EXPECT_TRUE(FindText(out.Document(), 0, "Level")); // the caption heads the table's first column
}

TEST_F(ReportPanelPrinter, BeamDiagonalRowTellsWhetherTheClearGapIsWide) {
    struct Case {
        uint8_t units;
        double pileWidth, diagonal;
        const char* suffix;
    };
    // Drilled soldier beams: the gap beside the beam is (tributary width - diagonal) / 2 and
    // must be at least 2 in (5 cm); 2 ft = 24 in, 0.5 m = 50 cm.
    const Case cases[] = {{usEnglish, 2.0, 20, " (<24 in - 4 in, O.K.)"},
                          {usEnglish, 2.0, 22, " (>24 in - 4 in, N.G.)"},
                          {usSI, 0.5, 40, " (<50 cm - 10 cm, O.K.)"}};
    for (const Case& c : cases) {
        FakeReportHost h;
        h.data.Units = c.units;
        h.data.PileType = ptSoldierBeam;
        h.data.Installation = 0;
        h.data.PileWidth = c.pileWidth;
        h.data.BeamDiagonal = c.diagonal;
        auto p = h.Input("Panel11", "Pile Section");
        p.Row("Label22", "Beam Diagonal Length", "Edit22", "20.0", "in");
        ReportWriter out;
        PanelPrinter(h, out).PrintPanel(p.panel());
        EXPECT_TRUE(FindText(out.Document(), 0, QStringLiteral("Beam Diagonal Length") + c.suffix))
            << c.suffix;
    }
}

TEST_F(ReportPanelPrinter, SpecialRowsBondsAndAnchorResults) {
    host.data.Anchors.LevelCount = 2;
    host.data.Anchors.Levels.resize(2);
    auto p = host.Result("Panel44", "Main Results");
    p.Row("Label374", "Bars", "Edit374", "4", "#8");
    p.Edit("Edit374b", "12.0", 200, p.y() - 24);
    p.Label("Label374u2", "in", 285, p.y() - 21, 30);
    p.Row("Label406", "Shear", "Edit406", "10.0", "kips");
    p.Edit("Edit406b", "20.0", 200, p.y() - 24);
    p.Label("Label28", "(Vmax)", 0, 500)->hide();
    p.Label("Label404", "Actual", 0, 500)->hide();
    p.Label("Label405", "Allowed", 0, 500)->hide();
    p.Row("Label36", "Bond Lengths");
    p.Label("Label40", "Soil: Sand", 0, 500)->hide();
    for (int n = 1; n <= 2; ++n) {
        p.Label(QString("labBondR%1").arg(n), QString("Level %1").arg(n), 0, 500)->hide();
        p.panel()->findChild<QLabel*>(QString("labBondR%1").arg(n))->setGeometry(300, 500, 10, 10);
        p.panel()->findChild<QLabel*>(QString("labBondR%1").arg(n))->show();
        p.Edit(QString("Edit_RBnd%1").arg(n), QString("%1.5").arg(n), 0, 500)->hide();
        p.Label(QString("labBondUnR%1").arg(n), "ft", 0, 500)->hide();
    }
    p.Row("Label372", "Pressure Points");
    for (const char* h : {"Label359", "Label371", "Label79", "Label16", "Label378", "Label379", "Label380"})
        p.Label(h, QString(h) + "\r\nsecond\r\nthird", 0, 500)->hide();
    for (int k = 1; k <= 4; ++k) {
        p.Edit(QString("Edit_R101x%1").arg(k), QString("x%1").arg(k), 0, 500)->hide();
        p.Edit(QString("Edit_R101w%1").arg(k), QString("w%1").arg(k), 0, 500)->hide();
    }
    auto* rows = new QWidget(p.panel());
    rows->setObjectName("Panel49");
    rows->setGeometry(0, 400, 330, 100);
    for (int n = 1; n <= 2; ++n) {
        auto* l = new QLabel(QString("Anchor %1").arg(n), rows);
        l->setObjectName(QString("labAnchR%1").arg(n));
        l->setGeometry(300, 0, 10, 10);
        l->hide(); // rows print by name, not as captions of the section
        for (const char* e : {"Edit_RDpth", "Edit_RTBF", "Edit_RUTBL", "Edit_RTL"}) {
            auto* edit = new QLineEdit(QString("%1%2").arg(e).arg(n), rows);
            edit->setObjectName(QString("%1%2").arg(e).arg(n));
            edit->hide();
        }
        auto* bar = new QLabel(QString("2 - #8\r\nbars"), rows);
        bar->setObjectName(QString("labAnchRText%1").arg(n));
        bar->hide();
    }
    Print(p.panel());
    EXPECT_TRUE(Text("4 #8 @ 12.0"));
    EXPECT_TRUE(Text("in"));
    const TextItem* shear = Text("Shear");
    const TextItem* after = Text(" (Vmax)");
    ASSERT_TRUE(shear && after);
    EXPECT_NEAR(after->anchor.y(), shear->anchor.y(), kEps);
    EXPECT_GT(after->anchor.x(), shear->anchor.x());
    EXPECT_LT(Text("Actual")->anchor.y(), shear->anchor.y());
    EXPECT_TRUE(Text("Soil: Sand"));
    EXPECT_TRUE(Text("Level 2"));
    EXPECT_TRUE(Text("2.5"));
    // The point table and the three-line anchor result header; the caption itself is not printed.
    EXPECT_TRUE(Text("x4"));
    EXPECT_TRUE(Text("Pressure Points")->bold); // heads the point table
    for (const char* part : {"Label79", "second", "third"})
        EXPECT_TRUE(Text(part)) << part;
    // Anchor rows: the bar text centred under cells 2 to 5, (.10 + 1.0) / 2 of the column.
    const TextItem* bar = Text("2 - #8 bars");
    ASSERT_TRUE(bar);
    EXPECT_EQ(bar->align, Align::Center);
    EXPECT_NEAR(bar->anchor.x(), x0 + (.10 + .90) / 2 * cw, kEps);
    EXPECT_TRUE(Text("Edit_RUTBL2"));
}

TEST_F(ReportPanelPrinter, CheckTablesAndLaggingResultColumns) {
    auto p = host.Result("Panel23", "Rebar Cage Checks");
    p.Row("Label212", "Moment", "Edit212", "100.0", "k-ft");
    p.Edit("Edit212b", "150.0", 200, p.y() - 24);
    p.Label("Label212u", "k-ft", 262, p.y() - 21, 30);
    p.Label("Label210", "Actual", 0, 500)->hide();
    p.Label("Label211", "Capacity", 0, 500)->hide();
    Print(p.panel());
    // Header tabs (.43, .25, R) and (.69, .25, C); row tabs (.43, .15, R) (.59, .10, L)
    // (.69, .15, R) (.85, .15, L).
    EXPECT_NEAR(Text("Actual")->anchor.x(), x0 + .68 * cw - 0.03, kEps);
    EXPECT_NEAR(Text("Capacity")->anchor.x(), x0 + .815 * cw, kEps);
    EXPECT_NEAR(Text("100.0")->anchor.x(), x0 + .58 * cw - 0.03, kEps);
    EXPECT_NEAR(Text("150.0")->anchor.x(), x0 + .84 * cw - 0.03, kEps);

    FakeReportHost h;
    auto lag = h.Result("Panel24", "Lagging Results");
    auto* shown = new QWidget(lag.panel());
    shown->setObjectName("Panel35");
    shown->setGeometry(0, 0, 330, 100);
    for (auto [name, text, x, y, edit] :
         {std::tuple{"Label287", "Bending", 8, 3, false}, std::tuple{"Edit287a", "1.5", 160, 0, true},
          std::tuple{"Edit287b", "2.5", 200, 0, true}, std::tuple{"Label287u", "ksi", 244, 3, false},
          std::tuple{"Label185", "Size", 8, 27, false}, std::tuple{"Edit185", "3 x 12", 160, 24, true},
          std::tuple{"Label280", "Actual", 0, 200, false},
          std::tuple{"Label282", "Allowed", 0, 200, false}}) {
        QWidget* c = edit ? static_cast<QWidget*>(new QLineEdit(text, shown)) : new QLabel(text, shown);
        c->setObjectName(name);
        c->setGeometry(x, y, 40, 16);
    }
    h.Control("Label280")->hide();
    h.Control("Label282")->hide();
    ReportWriter out;
    out.MarginLeft = out.MarginRight = 0.5;
    PanelPrinter(h, out).PrintPanel(lag.panel());
    const ReportDocument& doc = out.Document();
    EXPECT_NEAR(FindText(doc, 0, "1.5")->anchor.x(), x0 + .68 * cw - 0.03, kEps);
    EXPECT_NEAR(FindText(doc, 0, "2.5")->anchor.x(), x0 + .84 * cw - 0.03, kEps);
    EXPECT_NEAR(FindText(doc, 0, "ksi")->anchor.x(), x0 + .85 * cw + 0.03, kEps);
    EXPECT_NEAR(FindText(doc, 0, "3 x 12")->anchor.x(), x0 + .84 * cw - 0.03, kEps);
    EXPECT_LT(FindText(doc, 0, "Actual")->anchor.y(), FindText(doc, 0, "Bending")->anchor.y());
}

TEST_F(ReportPanelPrinter, PressureTablesPrintTheirPointsByName) {
    // The user-defined diagram: two point tables of four, then four more points.
    auto p = host.Input("Panel19", "Pressure Data");
    for (const char* h : {"Label160", "Label161", "Label147", "Label156", "Label157", "Label158"})
        p.Label(h, h, 0, 500)->hide();
    for (int k = 1; k <= 8; ++k)
        for (const char* xw : {"x", "w"}) {
            p.Edit(QString("Edit_6%1%2").arg(k).arg(xw), QString("a%1%2").arg(k).arg(xw), 0, 500)->hide();
            if (k <= 4)
                p.Edit(QString("Edit_7%1%2").arg(k).arg(xw), QString("b%1%2").arg(k).arg(xw), 0, 500)->hide();
        }
    p.Row("Label999", "Not printed", "Edit999", "1");
    Print(p.panel());
    const double lh = 1.2 * 9 / 72;
    EXPECT_EQ(Line(1.0 + lh), (QStringList{"Label160", "Label161"}));
    EXPECT_TRUE(Text("Label160")->bold);
    EXPECT_EQ(Line(1.0 + 2 * lh), (QStringList{"Label147", "Label156", "Label157", "Label158"}));
    EXPECT_EQ(Line(1.0 + 3 * lh), (QStringList{"a1x", "a1w", "b1x", "b1w"}));
    EXPECT_EQ(Line(1.0 + 6 * lh), (QStringList{"a4x", "a4w", "b4x", "b4w"}));
    EXPECT_EQ(Line(1.0 + 10 * lh), (QStringList{"a8x", "a8w"}));
    EXPECT_NEAR(Text("b1w")->anchor.x(), x0 + .875 * cw, kEps);
    EXPECT_FALSE(Text("Not printed"));

    // The apparent pressure points of Panel4: only its first caption prints, as a point table.
    FakeReportHost h;
    auto ep = h.Input("Panel45", "Earth Pressure");
    ep.Row("Label70", "Soil Type", "Edit70", "Sand");
    auto* sub = new QWidget(ep.panel());
    sub->setObjectName("Panel4");
    sub->setGeometry(0, 40, 330, 200);
    auto add = [sub](const QString& name, const QString& text, int x, int y, bool edit) {
        QWidget* w = edit ? static_cast<QWidget*>(new QLineEdit(text, sub)) : new QLabel(text, sub);
        w->setObjectName(name);
        w->setGeometry(x, y, 60, 16);
    };
    add("Label77", "Point", 8, 3, false);
    add("Label71", "Depth", 100, 3, false);
    add("Label76", "Pressure", 200, 3, false);
    add("Label78x", "Other caption", 8, 30, false);
    for (int k = 1; k <= 4; ++k) {
        add(QString("Edit_EPx%1").arg(k), QString("x%1").arg(k), 100, 24 * k + 30, true);
        add(QString("Edit_EPw%1").arg(k), QString("w%1").arg(k), 200, 24 * k + 30, true);
    }
    ReportWriter out;
    out.MarginLeft = out.MarginRight = 0.5;
    out.MoveCursor(0.5, 1.0);
    PanelPrinter(h, out).PrintPanel(ep.panel());
    const ReportDocument& doc = out.Document();
    ASSERT_TRUE(FindText(doc, 0, "Point"));
    EXPECT_TRUE(FindText(doc, 0, "Point")->bold);
    EXPECT_NEAR(FindText(doc, 0, "Depth")->anchor.x(), x0 + .61 * cw, kEps);
    EXPECT_NEAR(FindText(doc, 0, "w4")->anchor.x(), x0 + .78 * cw, kEps);
    EXPECT_FALSE(FindText(doc, 0, "Other caption"));
    EXPECT_FALSE(FindText(doc, 0, "x4")->bold);
}

TEST(ReportPanelText, LineBreakHelpersAndShownTexts) {
    struct Case {
        QString text, flat;
        QStringList parts;
    };
    const Case cases[] = {
        {"Free\r\nLength", "Free Length", {"Free", "Length"}},
        {"Free\rLength", "Free Length", {"Free", "Length"}},
        {"Free\n Length\n  (ft)", "Free  Length   (ft)", {"Free", "Length", "(ft)"}},
        {QString("A") + QChar(0) + "B", "AB", {QString("A") + QChar(0) + "B"}},
        {"One", "One", {"One"}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FlattenLineBreaks(c.text), c.flat) << c.text.toStdString();
        for (int k = 0; k < c.parts.size(); ++k)
            EXPECT_EQ(SplitPart(c.text, k), c.parts[k]);
        EXPECT_EQ(SplitPart(c.text, c.parts.size()), QString());
    }
    QCheckBox box("&Use && Print");
    EXPECT_EQ(ShownText(&box), "Use & Print");
    QLabel plain("Soil && Rock");
    EXPECT_EQ(ShownText(&plain), "Soil && Rock"); // no buddy: shown as written
    QComboBox combo;
    combo.addItems({"a", "b"});
    combo.setCurrentIndex(1);
    EXPECT_EQ(ShownText(&combo), "b");
}

} // namespace
} // namespace vantrel::report::testing
