// Layout audit of the main window: every control the window's topics, the drawings and the
// report look up by name exists exactly once, numeric edits carry their field-limit tag, and the
// sections stand in their fixed order with their captions.

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpression>
#include <QScrollArea>
#include <QTabBar>

#include "KdMainFixture.h"
#include "ui/Globals.h"
#include "ui/KdMainLayout.h"

namespace vantrel::testing {
namespace {

// The names used by the window's topics and the panel printer. Per-level row controls are named
// by prefix + level number: row 1 belongs to the layout.
const char* const kNamedControls = R"(
AAbout AAutoUpdate ACheckUpdates AExit AHelp ANew AOpen APrint ASave ASaveAs AWeb Button1 Button3 CBLine CBPoint
CBStripAnch CheckBox1 CheckBox2 CheckBox3 CheckBox4 CheckBox5 CheckBox6 CheckBox7 CheckBox8 ComboBox1 ComboBox10
ComboBox11 ComboBox12 ComboBox13 ComboBox14 ComboBox15 ComboBox16 ComboBox17 ComboBox18 ComboBox19 ComboBox2
ComboBox20 ComboBox21 ComboBox22 ComboBox23 ComboBox24 ComboBox25 ComboBox26 ComboBox3 ComboBox4 ComboBox5 ComboBox6
ComboBox7 ComboBox8 ComboBox9 DateTimePicker1 EPStatusBar1 EPStatusBar2 Edit27 Edit28 Edit29 Edit33 Edit_101 Edit_102
Edit_103 Edit_104 Edit_105 Edit_106 Edit_107 Edit_108 Edit_109 Edit_110 Edit_112 Edit_113 Edit_114 Edit_115 Edit_116
Edit_117 Edit_118 Edit_119 Edit_120 Edit_16 Edit_17 Edit_18 Edit_18a Edit_22 Edit_23 Edit_25 Edit_29 Edit_30 Edit_31
Edit_32 Edit_33 Edit_34 Edit_35 Edit_5 Edit_81 Edit_82 Edit_83 Edit_84 Edit_85 Edit_86 Edit_87 Edit_88 Edit_89 Edit_90
Edit_92 Edit_93 Edit_94 Edit_95 Edit_96 Edit_AnchXLast Edit_Ax1 Edit_Ax2 Edit_Ax3 Edit_Ax4 Edit_Ax5 Edit_Ax6 Edit_Ax7
Edit_BH1 Edit_BH2 Edit_BH3 Edit_BH4 Edit_BH5 Edit_Ld Edit_Lq Edit_Lx Edit_Pd Edit_Pq Edit_Px Edit_R102 Edit_R110
Edit_R111 Edit_R112 Edit_R113 Edit_R114 Edit_R115 Edit_R115at Edit_R116 Edit_R116at Edit_R117 Edit_R117at
Edit_R118prov Edit_R118req Edit_R119prov Edit_R119req Edit_R120 Edit_R121prov Edit_R121req Edit_R20 Edit_R21 Edit_R22
Edit_R23 Edit_R24 Edit_R25 Edit_R26 Edit_R27 Edit_R28act Edit_R28adj Edit_R29act Edit_R29adj Edit_R30 Edit_R31 Edit_R32
Edit_R32a Edit_R33 Edit_R34 Edit_R35 Edit_R35a Edit_R36 Edit_R36a Edit_R37 Edit_R37a Edit_R81 Edit_R81ut Edit_R82
Edit_R82ut Edit_R84 Edit_R85prov Edit_R85req Edit_RAx1 Edit_RBH1 Edit_RWDeflLoc1 Edit_RWDeflLoc2 Edit_RWDeflProv
Edit_RWDeflReq Edit_RWM1 Edit_RWM2 Edit_RWM3 Edit_RWMmax Edit_RWR1 Edit_RWR2 Edit_RWSxProv Edit_RWSxReq Edit_RWV1
Edit_RWV2 Edit_RWV3 Edit_RWV4 Edit_RWVmax Edit_RWl Edit_RWw Edit_Sa Edit_Sb Edit_Sd Edit_Sq Edit_WE Edit_WFy Edit_WIx
Edit_WLeft Edit_WRight Edit_Wa Edit_Wb Edit_Wc Edit_Wtop Edit_Wwl Image13 Image14 Image16 Image19 Image2 Image20
Image22 Image23 Image24 Image25 Image26 Image27 Image28 Image29 Image3 Image31 Image32 Image33 Image34 Image35 Image37
Image4 Image7 Image8 Image9 ImgBasal ImgDistHor ImgLineLoad ImgPointLoad ImgStripLoadAnch Label100 Label102 Label103
Label104 Label105 Label106 Label107 Label108 Label109 Label110 Label111 Label112 Label113 Label114 Label115 Label116
Label117 Label118 Label119 Label120 Label121 Label122 Label123 Label124 Label125 Label126 Label128 Label129 Label130
Label131 Label133 Label136 Label137 Label138 Label139 Label140 Label142 Label144 Label147 Label156 Label157 Label158
Label16 Label160 Label161 Label168 Label17 Label172 Label18 Label184 Label185 Label188 Label190 Label193 Label196
Label20 Label200 Label201 Label202 Label205 Label206 Label207 Label208 Label209 Label21 Label210 Label211 Label22
Label220 Label221 Label249 Label25 Label252 Label253 Label257 Label26 Label27 Label28 Label280 Label282 Label287 Label29
Label30 Label306 Label307 Label308 Label322 Label323 Label329 Label330 Label332 Label333 Label334 Label335 Label336
Label338 Label339 Label340 Label341 Label342 Label343 Label344 Label345 Label348 Label354 Label359 Label36 Label371
Label372 Label374 Label378 Label379 Label380 Label382 Label386 Label392 Label40 Label404 Label405 Label406 Label407
Label41 Label410 Label419 Label420 Label60 Label61 Label65 Label66 Label71 Label76 Label77 Label78 Label79 Label80
Label96 Label97 Label98 Label99 Logo PageControl1 PageControl2 Panel1 Panel10 Panel12 Panel14 Panel15 Panel16 Panel18
Panel19 Panel2 Panel21 Panel23 Panel24 Panel27 Panel28 Panel29 Panel3 Panel30 Panel32 Panel34 Panel35 Panel36 Panel37
Panel39 Panel4 Panel41 Panel43 Panel44 Panel45 Panel48 Panel49 Panel50 Panel51 Panel53 Panel54 Panel56 Panel57 Panel59
Panel6 Panel61 Panel63 Panel64 Panel65 Panel66 Panel68 Panel69 Panel70 Panel9 PopupMenu2 PopupMenu3 RadioButton1
RadioButton2 ScrollBox1 ScrollBox2 SettStatusBar1 SettStatusBar2 SpeedButton1 SpeedButton2 TabControl1 TabControl2
TabSheet1 TabSheet10 TabSheet11 TabSheet2 TabSheet3 TabSheet4 TabSheet5 TabSheet6 TabSheet7 TabSheet8 TabSheet9 Timer1
ToolBar1 imgDiag imgDiag2 imgDiag3 imgDiag4 imgDiag5 labAnchLast labBondUnR1 pnlDiagram pnlLagging pnlLagging2
)";

const char* const kRowPrefixes = R"(
Edit_AnchAng Edit_AnchX Edit_CornerAng Edit_CornerX Edit_RBnd Edit_RDpth Edit_RDpthCorner Edit_RStrutComb
Edit_RStrutCombC Edit_RStrutMx Edit_RStrutMxC Edit_RStrutMy Edit_RStrutMyC Edit_RStrutP Edit_RStrutPC Edit_RTBF
Edit_RTBFCorner Edit_RTL Edit_RTLCorner Edit_RUTBL cmbAnchType cmbCornerType imgRStrutComb imgRStrutCombC imgRStrutMx
imgRStrutMxC imgRStrutMy imgRStrutMyC imgRStrutP imgRStrutPC labAnch labAnchR labAnchRText labBondR labBondUnR
labCorner labCornerR labStrutR labStrutRC pnlAnch pnlAnchR pnlBondR pnlCorner pnlCornerR pnlStrutR pnlStrutRC
sbAnchEdit sbCornerEdit
)";

QStringList AllNames() {
    QStringList names =
        QString::fromLatin1(kNamedControls).split(QRegularExpression("\\s+"), Qt::SkipEmptyParts);
    for (const QString& prefix :
         QString::fromLatin1(kRowPrefixes).split(QRegularExpression("\\s+"), Qt::SkipEmptyParts))
        names << prefix + "1";
    for (int i = 1; i <= 8; ++i)
        names << QString("Edit_6%1x").arg(i) << QString("Edit_6%1w").arg(i);
    for (int i = 1; i <= 4; ++i)
        names << QString("Edit_7%1x").arg(i) << QString("Edit_7%1w").arg(i) << QString("Edit_EPx%1").arg(i)
              << QString("Edit_EPw%1").arg(i) << QString("Edit_R101x%1").arg(i)
              << QString("Edit_R101w%1").arg(i);
    for (int i = 1; i <= 10; ++i)
        names << QString("ImgLoadDiag%1").arg(i);
    return names;
}

using KdMainLayout = KdMainTest;

TEST_F(KdMainLayout, EveryNamedControlExistsOnce) {
    for (const QString& name : AllNames()) {
        const auto found = Window().findChildren<QObject*>(name);
        EXPECT_EQ(found.size(), 1) << name.toStdString();
    }
    // No two objects of the window share a name (Qt's own parts of tab bars aside).
    QHash<QString, int> counts;
    for (QObject* o : Window().findChildren<QObject*>())
        if (!o->objectName().isEmpty() && !o->objectName().startsWith("qt_") &&
            !o->objectName().startsWith("Scroll") && !qobject_cast<QTabBar*>(o->parent()))
            ++counts[o->objectName()];
    for (auto it = counts.cbegin(); it != counts.cend(); ++it)
        EXPECT_EQ(it.value(), 1) << it.key().toStdString();
}

TEST_F(KdMainLayout, NumericEditsCarryAFieldLimitTag) {
    int numeric = 0;
    for (QLineEdit* edit : Window().findChildren<QLineEdit*>()) {
        if (!edit->property("numeric").toBool()) continue;
        ++numeric;
        EXPECT_GE(ui::Tag(edit), 1) << edit->objectName().toStdString();
        EXPECT_LE(ui::Tag(edit), 189) << edit->objectName().toStdString();
    }
    EXPECT_GT(numeric, 200);
    // Samples of the tags the field limits are written for.
    const std::pair<const char*, int> samples[] = {
        {"Edit_5", 5},      {"Edit_16", 17},        {"Edit_17", 16},          {"Edit_101", 107},
        {"Edit_BH5", 183},  {"Edit_AnchAng1", 109}, {"Edit_CornerAng1", 178}, {"Edit_WFy", 171},
        {"ComboBox19", 113}};
    for (const auto& [name, tag] : samples)
        EXPECT_EQ(ui::Tag(Window().Control(name)), tag) << name;
    // Text inputs take the longest text the project file holds.
    for (const char* name : {"Edit28", "Edit33", "Edit27", "Edit29"})
        EXPECT_EQ(Get<QLineEdit>(name)->maxLength(), ui::kMaxProjectText);
}

TEST_F(KdMainLayout, SectionsStandInTheirOrderWithTheirCaptions) {
    struct Column {
        const char* box;
        std::vector<std::pair<const char*, const char*>> sections;
    };
    const Column columns[] = {
        {"ScrollBox1",
         {{"Panel3", "General Data"},
          {"Panel45", "Earth Pressure and Surcharges"},
          {"Panel10", "Structural Data"},
          {"Panel32", "Loads Applied to the Pile"},
          {"Panel19", "Pressure Data (ASD) per ft Length of Wall"},
          {"Panel41", "Anchors or Braces"},
          {"Panel54", "Corner Braces"},
          {"Panel16", "Waler Design"},
          {"Panel6", "Bond Length"},
          {"Panel15", "Basal Heave @ Excav. Bottom"},
          {"Panel21", "Lagging Design"},
          {"Panel36", "Guardrail Design"}}},
        {"ScrollBox2",
         {{"Panel44", "Vantrel Results"},
          {"Panel56", "Corner Braces Results"},
          {"Panel48", "Waler Design"},
          {"Panel23", "Rebar Cage Checks"},
          {"Panel30", "Section Check"},
          {"Panel12", "Bond Length"},
          {"Panel66", "Loads Applied to the Pile"},
          {"Panel61", "Basal Heave @ Excav. Bottom"},
          {"Panel24", "Lagging Design"},
          {"Panel39", "Guardrail Design Results"}}},
    };
    for (const Column& column : columns) {
        auto* box = Get<QScrollArea>(column.box);
        // Every section shown for the test, then listed in tab order.
        for (const auto& [panel, caption] : column.sections)
            Window().Control(panel)->show();
        QList<QWidget*> list;
        ui::TfrmKdMain::CollectControlsByTabOrder(box, list);
        ASSERT_EQ(list.size(), static_cast<qsizetype>(column.sections.size()));
        for (size_t i = 0; i < column.sections.size(); ++i) {
            EXPECT_EQ(list[i]->objectName(), column.sections[i].first);
            EXPECT_EQ(ui::TfrmKdMain::GetSectionCaption(list[i]), column.sections[i].second);
            EXPECT_EQ(ui::TfrmKdMain::FindParentScrollBox(list[i]), box);
        }
        // Stacked top-down in that order without overlap.
        ui::TfrmKdMain::ArrangeColumn(box);
        for (qsizetype i = 1; i < list.size(); ++i)
            EXPECT_EQ(list[i]->y(), list[i - 1]->geometry().bottom() + 11);
    }
}

TEST_F(KdMainLayout, ValuesCaptionsAndUnitsReadLeftToRight) {
    // Every value row of the tables: caption left of its value, unit right of it, on the value's row.
    for (const auto* layouts : {&ui::InputSectionLayouts(), &ui::ResultSectionLayouts()})
        for (const ui::SectionLayout& s : *layouts)
            for (const ui::ControlLayout& c : s.controls) {
                if (!c.name.starts_with("unit")) continue;
                QWidget* unit = Window().Control(QString::fromStdString(c.name));
                QWidget* value = Window().Control(QString::fromStdString(c.name.substr(4)));
                ASSERT_NE(unit, nullptr);
                if (!value) continue;
                EXPECT_EQ(unit->parentWidget(), value->parentWidget()) << c.name;
                EXPECT_GE(unit->x(), value->x() + value->width()) << c.name;
                EXPECT_LT(unit->x(), value->x() + value->width() + 10) << c.name;
                EXPECT_GE(unit->y(), value->y()) << c.name;
                EXPECT_LT(unit->y(), value->y() + value->height()) << c.name;
            }
}

// The report finds a row's caption, values and unit by position: of a panel's direct children in
// their order, labels not wrapped and without a click whose Left is at most m + 20 (m the smallest
// Left of the value controls met so far, 0 before any) are captions, others are units and notes;
// a unit is the first such label on a value's row, shorter than 10 characters, starting less than
// 10 pixels right of the value.
TEST_F(KdMainLayout, ReportReadsCaptionValueAndUnitOfEveryRow) {
    auto isValue = [](QWidget* w) { return qobject_cast<QLineEdit*>(w) || qobject_cast<QComboBox*>(w); };
    int units = 0;
    for (const auto* layouts : {&ui::InputSectionLayouts(), &ui::ResultSectionLayouts()})
        for (const ui::SectionLayout& section : *layouts)
            for (const ui::ControlLayout& c : section.controls) {
                if (c.english.empty() || c.english.find('\n') != std::string::npos) continue;
                auto* unit = qobject_cast<QLabel*>(Window().Control(QString::fromStdString(c.name)));
                ASSERT_NE(unit, nullptr);
                QWidget* parent = unit->parentWidget();
                if (parent->objectName().endsWith("Head") || unit->wordWrap()) continue; // column headings
                // m as the report has it when it meets this label.
                int m = 0;
                QWidget* value = nullptr;
                for (QObject* o : parent->children()) {
                    auto* w = qobject_cast<QWidget*>(o);
                    if (w == unit) break;
                    if (w && isValue(w)) {
                        m = m == 0 ? w->x() : std::min(m, w->x());
                        const bool onRow = unit->y() >= w->y() && unit->y() <= w->y() + w->height();
                        if (onRow && unit->x() >= w->x() + w->width() && unit->x() < w->x() + w->width() + 10)
                            value = w;
                    }
                }
                if (!value) continue; // a heading over a column, not the unit of a row
                ++units;
                EXPECT_GT(unit->x(), m + 20) << c.name;
                EXPECT_LT(c.english.size(), 10u) << c.name;
                EXPECT_LT(c.si.size(), 10u) << c.name;
                // The row's caption stands left of the value and reads as a caption.
                bool caption = false;
                for (QObject* o : parent->children())
                    if (auto* l = qobject_cast<QLabel*>(o); l && l != unit && !l->wordWrap() &&
                                                            l->x() <= 20 && l->y() >= value->y() &&
                                                            l->y() <= value->y() + value->height())
                        caption = true;
                EXPECT_TRUE(caption) << c.name;
            }
    EXPECT_GT(units, 100);
}

TEST_F(KdMainLayout, SketchesArePresent) {
    QStringList names = {"ImgDistHor", "ImgStripLoadAnch", "ImgLineLoad", "ImgPointLoad",
                         "ImgBasal",   "Image7",           "Image37"};
    for (int i = 1; i <= 10; ++i)
        names << QString("ImgLoadDiag%1").arg(i);
    for (const QString& name : names) {
        auto* sketch = Get<QLabel>(name.toLatin1().constData());
        ASSERT_NE(sketch, nullptr);
        EXPECT_FALSE(sketch->pixmap().isNull()) << name.toStdString();
    }
    EXPECT_TRUE(Window().Control("ImgBasal")->isHidden());
    // The two waler layouts differ.
    EXPECT_NE(Get<QLabel>("Image7")->pixmap().toImage(), Get<QLabel>("Image37")->pixmap().toImage());
}

} // namespace
} // namespace vantrel::testing
