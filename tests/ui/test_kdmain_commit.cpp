// The input commit cycle driven as a user drives it: typing marks the project modified, leaving
// the input commits it, a list commits at once; the structural rules the commit applies; and the
// sound readings of the spacing, soil type, limits and waler inputs.

#include <QCheckBox>
#include <QDateEdit>
#include <QFile>
#include <QLocale>
#include <QRadioButton>
#include <QTabBar>

#include <functional>

#include "KdCycleFixture.h"
#include "model/ProjectFile.h"
#include "tests/model/result_dump.h"
#include "ui/Globals.h"
#include "ui/Widgets.h"

using namespace vantrel;
using vantrel::testing::KdCycleTest;

namespace {

class KdCommit : public KdCycleTest {};

int TabIndex(ui::TfrmKdMain& w, const char* name) {
    auto* tabs = qobject_cast<ui::TabControl*>(w.Control(QString::fromLatin1(name)));
    return tabs ? tabs->Tabs()->currentIndex() : -2;
}

} // namespace

TEST_F(KdCommit, TypingMarksModifiedAndLeavingCommits) {
    const Ext before = D().ShoredHeight;
    ASSERT_FALSE(W().Modified());
    Type("Edit_16", QStringLiteral("23"));
    EXPECT_TRUE(W().Modified());
    EXPECT_EQ(D().ShoredHeight, before) << "typing alone computes nothing";
    Tab();
    EXPECT_EQ(D().ShoredHeight, 23.0L);
    EXPECT_EQ(D().Anchors.LoadingHeight >= 23.0L, true) << "the loading height follows H within its limits";

    Type("Edit_16", QStringLiteral("24"));
    Enter();
    EXPECT_EQ(D().ShoredHeight, 24.0L) << "Enter commits like Tab";
}

TEST_F(KdCommit, ListCommitsAtOnce) {
    ASSERT_NE(D().LaggingType, ltSteelPlate);
    Choose("ComboBox7", ltSteelPlate);
    EXPECT_EQ(D().LaggingType, ltSteelPlate);
    EXPECT_TRUE(W().Modified());
    Click("CheckBox4");
    EXPECT_EQ(D().UseGuardrail, C<QCheckBox>("CheckBox4")->isChecked());
}

TEST_F(KdCommit, SaveStoresTheValueBeingTyped) {
    const QString file = scratch_->filePath(QStringLiteral("typed.kpw"));
    fileAnswers.push_back(file);
    Type("Edit_16", QStringLiteral("27"));
    W().ASave->trigger(); // Ctrl+S: the tool button and short-cut leave the focus in the edit
    TKdData saved;
    saved.LoadFromFile(QFile::encodeName(file).toStdString());
    EXPECT_EQ(saved.ShoredHeight, 27.0L);
    EXPECT_FALSE(W().Modified());
}

TEST_F(KdCommit, SheetPileIsDrivenWithoutRebarCageAndUnitSpacing) {
    Choose("ComboBox4", ptSheet);
    EXPECT_EQ(D().PileType, ptSheet);
    EXPECT_EQ(D().Installation, 1);
    EXPECT_EQ(D().PileSpacing, 1.0L);
    EXPECT_EQ(Combo("ComboBox12")->count(), 2) << "a driven pile offers no rebar cage";
    EXPECT_TRUE(Combo("ComboBox12")->isHidden());
    EXPECT_FALSE(Combo("ComboBox10")->isHidden());
    EXPECT_TRUE(Combo("ComboBox8")->isHidden());
    EXPECT_EQ(C<QLabel>("lblBeamSize")->text(), "Sheet Size");
    EXPECT_EQ(C<QLabel>("lblBeamType")->text(), "Type");
    EXPECT_EQ(Combo("ComboBox5")->itemText(Combo("ComboBox5")->count() - 1), "User Defined");
}

TEST_F(KdCommit, TangentAndSecantSpacing) {
    Choose("ComboBox3", 0); // drilled: the width is the pier diameter
    Type("Edit_18", QStringLiteral("2"));
    Tab();
    ASSERT_EQ(D().PileWidth, 2.0L);
    Choose("ComboBox4", ptTangent);
    Type("Edit_17", QStringLiteral("9"));
    Tab();
    EXPECT_EQ(D().PileSpacing, 4.0L) << "a tangent wall is two widths whatever is typed";

    Choose("ComboBox4", ptSecant);
    // Secant piles overlap: S within 1.33 and 1.67 widths.
    const struct {
        const char* typed;
        Ext stored;
    } cases[] = {{"5", 1.67L * 2.0L}, {"2", 1.33L * 2.0L}, {"3", 3.0L}};
    for (const auto& c : cases) {
        Type("Edit_17", QString::fromLatin1(c.typed));
        Tab();
        EXPECT_NEAR(static_cast<double>(D().PileSpacing), static_cast<double>(c.stored), 1e-12) << c.typed;
    }
}

TEST_F(KdCommit, PipeCaptionsAndYieldStrengthSwap) {
    Choose("ComboBox3", 0);
    Choose("ComboBox4", ptSoldierBeam);
    Type("Edit_23", QStringLiteral("50"));
    Tab();
    Choose("ComboBox12", psPipe);
    EXPECT_EQ(C<QLabel>("lblBeamType")->text(), "HSS Type");
    EXPECT_EQ(C<QLabel>("lblBeamSize")->text(), "HSS Size");
    EXPECT_EQ(C<QLabel>("lblFamily")->text(), "O-Pipe");
    EXPECT_EQ(D().SteelFy, 50.0L) << "50 is the default of steel sections";
    Choose("ComboBox12", psRebarCage);
    EXPECT_EQ(D().SteelFy, 60.0L) << "a rebar cage takes reinforcing steel";
    Choose("ComboBox12", psIBeam);
    EXPECT_EQ(D().SteelFy, 50.0L);
    EXPECT_EQ(C<QLabel>("lblBeamType")->text(), "Beam Type");
}

TEST_F(KdCommit, LevelAnglesAndDistances) {
    Type("Edit_101", QStringLiteral("2"));
    Tab();
    ASSERT_EQ(D().Anchors.UsedLevels(), 2);
    auto* type1 = Combo("cmbAnchType1");
    auto* angle1 = Edit("Edit_AnchAng1");
    const struct {
        int kind;
        const char* typed;
        Ext stored;
    } cases[] = {{lkTieback, "70", 60.0L}, {lkTieback, "5", 15.0L}, {lkRaker, "10", 18.7L},
                 {lkRaker, "50", 45.0L},   {lkTieRod, "-5", 0.0L},  {lkTieRod, "30", 30.0L}};
    for (const auto& c : cases) {
        Choose(type1, c.kind);
        Type(angle1, QString::fromLatin1(c.typed));
        Tab();
        EXPECT_NEAR(static_cast<double>(D().Anchors.Levels[0].Angle), static_cast<double>(c.stored), 1e-12)
            << c.kind << " " << c.typed;
        EXPECT_NEAR(angle1->text().toDouble(), static_cast<double>(c.stored), 1e-9)
            << "the edit shows what is stored";
    }
    Choose(type1, lkStrut);
    EXPECT_EQ(D().Anchors.Levels[0].Angle, 0.0L);
    EXPECT_TRUE(angle1->isReadOnly()) << "a strut's angle is computed";

    // Level B lies at most what is left of H below level A.
    Type("Edit_16", QStringLiteral("20"));
    Tab();
    Type("Edit_AnchX1", QStringLiteral("6"));
    Tab();
    Type("Edit_AnchX2", QStringLiteral("30"));
    Tab();
    EXPECT_EQ(D().Anchors.Levels[1].HeightFromPrevious, 14.0L);
    Type("Edit_AnchX2", QStringLiteral("-3"));
    Tab();
    EXPECT_EQ(D().Anchors.Levels[1].HeightFromPrevious, 0.0L) << "0 is a real lower limit";
}

TEST_F(KdCommit, FootingDepthsAndBearingStayAtOrAboveZero) {
    Click("CBStripAnch");
    if (!D().Anchors.StripLoadOn) Click("CBStripAnch");
    for (const char* edit : {"Edit_Sd", "Edit_Ld", "Edit_Pd"}) {
        Type(edit, QStringLiteral("-4"));
        Tab();
        EXPECT_EQ(Edit(edit)->text().toDouble(), 0.0) << edit;
    }
    EXPECT_EQ(D().Anchors.StripDepth, 0.0);
    EXPECT_EQ(D().Anchors.LineDepth, 0.0);
    EXPECT_EQ(D().Anchors.PointDepth, 0.0);
}

TEST_F(KdCommit, BasalHeaveConditionRelabelsTheSharedInput) {
    D().BasalWidth = 30.0L;
    D().BasalSurcharge = 250.0L;
    W().UpdateForm();
    Click("CheckBox6");
    if (!D().UseBasalHeave) Click("CheckBox6");
    Choose("ComboBox22", 1);
    EXPECT_EQ(C<QLabel>("Label172")->text(), "Width of Excavation, B");
    EXPECT_EQ(Edit("Edit_BH5")->text().toDouble(), 30.0);
    EXPECT_EQ(ui::Tag(Edit("Edit_BH5")), 184);
    EXPECT_EQ(D().BasalSurcharge, 250.0L) << "nothing typed is lost";
    Choose("ComboBox22", 0);
    EXPECT_EQ(C<QLabel>("Label172")->text(), "Vertical Uniform Surcharge");
    EXPECT_EQ(Edit("Edit_BH5")->text().toDouble(), 250.0);
    EXPECT_EQ(D().BasalWidth, 30.0L);
}

TEST_F(KdCommit, UserDiagramPressuresAreShownInKsfAndStoredInPsf) {
    auto* soil = Combo("ComboBox6");
    Choose(soil, soil->count() - 1); // user defined
    ASSERT_EQ(D().Anchors.SoilType, soil->count() - 1) << "the soil type is stored";
    Type("Edit_EPw2", QStringLiteral("0.5"));
    Tab();
    EXPECT_EQ(D().UnfactoredPoints[1].W, 500.0L);
}

TEST_F(KdCommit, AnchorSpacingIsTheChosenMultipleAndStaysThroughCommits) {
    Choose("ComboBox25", 2);
    EXPECT_EQ(D().Anchors.AnchorSpacingItem, 3);
    for (int i = 0; i < 3; ++i) {
        Type("Edit_16", QString::number(20 + i));
        Tab();
    }
    EXPECT_EQ(D().Anchors.AnchorSpacingItem, 3);
    EXPECT_EQ(Combo("ComboBox25")->currentIndex(), 2);
}

TEST_F(KdCommit, LaggingConcreteStrengthIsReadWhereItShows) {
    Choose("ComboBox4", ptSoldierBeam);
    Choose("ComboBox7", ltConcrete);
    ASSERT_FALSE(Combo("ComboBox9")->isHidden());
    Choose("ComboBox9", 1);
    EXPECT_EQ(D().LaggingConcreteSet, 1);
    Choose("ComboBox9", 0);
    EXPECT_EQ(D().LaggingConcreteSet, 0);
}

TEST_F(KdCommit, GuardrailSpacingIsTheBaseTheListShows) {
    Choose("ComboBox4", ptSheet);
    Click("CheckBox4");
    if (!D().UseGuardrail) Click("CheckBox4");
    Choose("ComboBox18", 1);
    EXPECT_EQ(D().GuardrailSpacing, 16.0L) << "sheet piles: 8 ft x 2";
    Choose("ComboBox18", 0);
    EXPECT_EQ(D().GuardrailSpacing, 8.0L);
    Choose("ComboBox4", ptSoldierBeam);
    Type("Edit_17", QStringLiteral("6"));
    Tab();
    Choose("ComboBox18", 1);
    EXPECT_EQ(D().GuardrailSpacing, 12.0L);
    EXPECT_EQ(Combo("ComboBox18")->currentIndex(), 1);
}

TEST_F(KdCommit, EmbedmentRatioOfAShortWallShowsWhatIsStored) {
    Type("Edit_16", QStringLiteral("10"));
    Tab();
    // 8 ft / 10 ft = 0.8 is the least ratio of a 10 ft wall, above the list's 0.65.
    EXPECT_NEAR(static_cast<double>(D().Anchors.EmbedmentRatio), 0.8, 1e-12);
    EXPECT_NEAR(Combo("ComboBox19")->currentText().toDouble(), 0.8, 1e-9);
    Type("Edit_16", QStringLiteral("30"));
    Tab();
    Type(Combo("ComboBox19"), QStringLiteral("0.9"));
    Tab();
    EXPECT_NEAR(static_cast<double>(D().Anchors.EmbedmentRatio), 0.65, 1e-12);
}

TEST_F(KdCommit, WalerInputsOfALevelThatIsGone) {
    Type("Edit_101", QStringLiteral("3"));
    Tab();
    auto* tabs = qobject_cast<ui::TabControl*>(W().Control(QStringLiteral("TabControl1")));
    ASSERT_NE(tabs, nullptr);
    ASSERT_EQ(tabs->Tabs()->count(), 3);
    tabs->Tabs()->setCurrentIndex(2);
    Settle();
    Type("Edit_101", QStringLiteral("1"));
    Tab();
    EXPECT_EQ(D().Anchors.Levels.size(), 1u);
    EXPECT_EQ(TabIndex(W(), "TabControl1"), 0);
    EXPECT_EQ(TabIndex(W(), "TabControl2"), 0);
}

TEST_F(KdCommit, UnitSwitchRebuildsListsAndKeepsNumbers) {
    answer = QMessageBox::Yes; // the values the other system's limits change
    Choose("ComboBox1", usSI);
    EXPECT_EQ(D().Units, usSI);
    auto* waler = Combo("ComboBox23");
    EXPECT_EQ(waler->itemText(waler->count() - 1), "C200X17.1");
    EXPECT_EQ(D().SteelFy, 345.0L) << "the English default becomes the SI one";
    Choose("ComboBox1", usEnglish);
    EXPECT_EQ(waler->itemText(waler->count() - 1), "C8X11.5");
    EXPECT_EQ(D().SteelFy, 50.0L);
}

TEST_F(KdCommit, DateAndBearingCommitWhenLeft) {
    auto* date = C<QDateEdit>("DateTimePicker1");
    date->setFocus(Qt::MouseFocusReason);
    Settle();
    const double before = D().Date;
    date->setDate(QDate(2024, 3, 15)); // as the user's choice in the picker
    EXPECT_TRUE(W().Modified());
    EXPECT_EQ(D().Date, before) << "the date commits when it is left";
    Edit("Edit_16")->setFocus(Qt::TabFocusReason);
    Settle();
    EXPECT_EQ(D().Date, static_cast<double>(QDate(1899, 12, 30).daysTo(QDate(2024, 3, 15))));

    // The pier's skin friction and end bearing: 0 is a real lower limit.
    Choose("ComboBox4", ptSoldierBeam);
    Choose("ComboBox3", 0);
    for (const char* edit : {"Edit_Ax6", "Edit_Ax7"}) {
        Type(edit, QStringLiteral("-2"));
        Tab();
        EXPECT_EQ(Edit(edit)->text().toDouble(), 0.0) << edit;
    }
    EXPECT_EQ(D().AllowSkinFriction, 0.0L);
    EXPECT_EQ(D().AllowEndBearing, 0.0L);
}

// A key is judged by the text it produces: a separator typed over a selected number replaces it,
// and the keypad's decimal key types the locale's separator. Each number is checked where it is
// stored.
TEST_F(KdCommit, TypedDecimalsReplaceTheSelection) {
    struct CLocaleAfter {
        ~CLocaleAfter() { QLocale::setDefault(QLocale::c()); }
    } restore;
    ASSERT_EQ(D().PileType, ptSoldierBeam);
    // ".5" over "8.00" is 0.5, which S's least 1.5 ft lifts; never 5.
    Type("Edit_17", QStringLiteral("8"));
    Tab();
    Type("Edit_17", QStringLiteral(".5"));
    Tab();
    EXPECT_EQ(D().PileSpacing, 1.5L);
    EXPECT_EQ(Edit("Edit_17")->text(), "1.50");
    // The embedment ratio list completes "0" to "0.45" with ".45" selected; "." replaces it.
    Type("Edit_16", QStringLiteral("20")); // a ratio of 0.4 gives the least embedment, 8 ft
    Tab();
    Type(Combo("ComboBox19"), QStringLiteral("0.5"));
    Tab();
    EXPECT_EQ(D().Anchors.EmbedmentRatio, 0.5L);
    // Under a comma locale the keypad's "." types ",".
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    Type("Edit_17", QStringLiteral("2"));
    Key(Qt::Key_Period, Qt::KeypadModifier, QStringLiteral("."));
    Key(Qt::Key_5, Qt::KeypadModifier, QStringLiteral("5"));
    EXPECT_EQ(Edit("Edit_17")->text(), "2,5");
    Tab();
    EXPECT_EQ(D().PileSpacing, 2.5L);
    // The main block's "." is no separator there.
    Type("Edit_17", QStringLiteral("3.5"));
    Tab();
    EXPECT_EQ(D().PileSpacing, 15.0L) << "\"35\" is S's greatest, 15 ft";
}

namespace {

// The number an edit shows, as the user reads it.
Ext ShownNumber(const QLineEdit* edit) {
    Ext shown = -1.0e30L;
    EXPECT_TRUE(ui::ParseNumber(edit->text(), shown)) << edit->objectName().toStdString();
    return shown;
}

} // namespace

// A number typed with more decimals than its edit shows is stored as the edit shows it, so that
// no result moves at a later commit with nothing typed.
TEST_F(KdCommit, TypedDecimalsAreStoredAsShown) {
    const struct {
        const char* edit;
        const char* typed;
        Ext stored;
        std::function<Ext(const TKdData&)> field;
    } cases[] = {
        {"Edit_17", "7.224", 7.22L, [](const TKdData& d) { return d.PileSpacing; }},
        {"Edit_16", "20.337", 20.34L, [](const TKdData& d) { return d.ShoredHeight; }},
        {"Edit_AnchX1", "4.996", 5.0L, [](const TKdData& d) { return d.Anchors.Levels[0].HeightFromPrevious; }},
        {"Edit_AnchAng1", "20.004", 20.0L, [](const TKdData& d) { return d.Anchors.Levels[0].Angle; }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.edit);
        Type(c.edit, QString::fromLatin1(c.typed));
        Tab();
        EXPECT_EQ(c.field(D()), c.stored);
        EXPECT_EQ(c.field(D()), ShownNumber(Edit(c.edit)));
        const std::string before = vantrel::testing::DumpProject(D());
        Type(c.edit, QString());
        Tab();
        EXPECT_EQ(vantrel::testing::CompareResultDumps(before, vantrel::testing::DumpProject(D()), 0.0L), "");
    }
}

// Limits the commit works out replace the field's own: the edit shows what they store.
TEST_F(KdCommit, CommitLimitsAreShownAsStored) {
    Choose("ComboBox3", 0); // drilled, 1 ft wide: a secant S within 1.33 and 1.67 ft
    Type("Edit_18", QStringLiteral("1"));
    Tab();
    Choose("ComboBox4", ptSecant);
    Type("Edit_17", QStringLiteral("1"));
    Tab();
    EXPECT_NEAR(static_cast<double>(D().PileSpacing), 1.33, 1e-12);
    EXPECT_EQ(ShownNumber(Edit("Edit_17")), D().PileSpacing);
    // A level right at the one above it.
    Type("Edit_AnchX1", QStringLiteral("0"));
    Tab();
    EXPECT_EQ(D().Anchors.Levels[0].HeightFromPrevious, 0.0L);
    EXPECT_EQ(ShownNumber(Edit("Edit_AnchX1")), 0.0L);
    // The user's pressure diagram of a lowered wall, as the commit that shows it stores it: its
    // inner points within the ends the wall now gives them.
    Type("Edit_16", QStringLiteral("9"));
    Tab();
    Choose("ComboBox2", 1);
    const struct {
        const TPressurePoint* group;
        const char *second, *third;
    } groups[] = {{&D().LoadingSidePoints[0], "Edit_62x", "Edit_63x"},
                  {&D().LoadingSidePoints[4], "Edit_66x", "Edit_67x"},
                  {&D().PassiveSidePoints[0], "Edit_72x", "Edit_73x"}};
    for (const auto& g : groups) {
        SCOPED_TRACE(g.second);
        EXPECT_EQ(ShownNumber(Edit(g.second)), g.group[1].X);
        EXPECT_EQ(ShownNumber(Edit(g.third)), g.group[2].X);
        EXPECT_LE(g.group[1].X, g.group[3].X - 0.02L + 1e-9L);
        EXPECT_LE(g.group[2].X, g.group[3].X - 0.01L + 1e-9L);
    }
}

// What a sheet pile overrode comes back through its edit, within the limits of the wall as it is
// now; a unit switch forgets it. A block shown again stores what its edits show.
TEST_F(KdCommit, ValuesGivenBackMeetTheirLimits) {
    answer = QMessageBox::Yes; // a unit switch that changes values may ask first
    Choose("ComboBox4", ptSoldierBeam);
    Type("Edit_16", QStringLiteral("20"));
    Tab();
    Type("Edit_17", QStringLiteral("8"));
    Tab();
    Type("Edit_108", QStringLiteral("1"));
    Tab();
    ASSERT_EQ(D().Anchors.MaxDeflection, 1.0L);
    // A wall lowered while it was a sheet pile deflects at most 14 x 12 / 240 = 0.70 in.
    Choose("ComboBox4", ptSheet);
    Type("Edit_16", QStringLiteral("14"));
    Tab();
    Choose("ComboBox4", ptSoldierBeam);
    EXPECT_NEAR(static_cast<double>(D().Anchors.MaxDeflection), 0.7, 1e-12);
    EXPECT_EQ(D().PileSpacing, 8.0L) << "S comes back";
    // Across a unit switch, S and the deflection are those the edits show in the new system.
    Choose("ComboBox4", ptSheet);
    Choose("ComboBox1", usSI);
    Choose("ComboBox4", ptSoldierBeam);
    EXPECT_EQ(D().PileSpacing, ShownNumber(Edit("Edit_17")));
    EXPECT_EQ(D().Anchors.MaxDeflection, ShownNumber(Edit("Edit_108")));

    // A drilled rebar cage made driven, then drilled again in the other unit system.
    Choose("ComboBox1", usEnglish);
    Choose("ComboBox3", 0);
    Type("Edit_18", QStringLiteral("3"));
    Tab();
    Choose("ComboBox12", psRebarCage);
    Type("Edit_82", QStringLiteral("6.5"));
    Tab();
    ASSERT_EQ(D().ClearCover, 6.5L);
    Choose("ComboBox3", 1);
    Choose("ComboBox1", usSI);
    Choose("ComboBox3", 0);
    ASSERT_EQ(D().PileSection, psRebarCage);
    EXPECT_EQ(D().ClearCover, ShownNumber(Edit("Edit_82")));
    EXPECT_GE(D().ClearCover, 50.0L) << "the least cover in mm";
    EXPECT_EQ(D().VerticalBarSize, ui::GetComboItemNumber(Combo("ComboBox14"), D().RebarTable));
    EXPECT_EQ(D().LateralBarSize, ui::GetComboItemNumber(Combo("ComboBox16"), D().RebarTable));
}

// A choice that the project before switched away from is that project's: the project opened after
// it comes back as its file holds it.
TEST_F(KdCommit, OpenForgetsWhatTheProjectBeforeSwitchedAway) {
    answer = QMessageBox::No; // the changes before Open are not saved
    const auto saveAs = [this](const QString& name) {
        const QString file = scratch_->filePath(name);
        fileAnswers.push_back(file);
        W().ASaveAs->trigger();
        Settle();
        return file;
    };
    const auto open = [this](const QString& file) {
        fileAnswers.push_back(file);
        W().AOpen->trigger();
        Settle();
        ASSERT_EQ(W().FileName(), file);
    };
    Choose("ComboBox4", ptSoldierBeam);
    Choose("ComboBox3", 1);
    Choose("ComboBox12", psIBeam);
    Type("Edit_17", QStringLiteral("6"));
    Tab();
    const QString beam = saveAs(QStringLiteral("driven beam.kpw"));
    Choose("ComboBox4", ptSheet);
    const QString sheet = saveAs(QStringLiteral("sheet.kpw"));

    // A soldier beam of S 9 made a sheet pile, then the sheet pile file made a soldier beam.
    Choose("ComboBox4", ptSoldierBeam);
    Type("Edit_17", QStringLiteral("9"));
    Tab();
    Choose("ComboBox4", ptSheet);
    open(sheet);
    Choose("ComboBox4", ptSoldierBeam);
    EXPECT_NE(D().PileSpacing, 9.0L) << "the S of the project before";
    EXPECT_EQ(D().PileSpacing, ShownNumber(Edit("Edit_17")));

    // A drilled rebar cage made driven, then the driven I-beam's file drilled.
    Choose("ComboBox3", 0);
    Choose("ComboBox12", psRebarCage);
    Choose("ComboBox3", 1);
    open(beam);
    Choose("ComboBox3", 0);
    EXPECT_EQ(D().PileSection, psIBeam) << "drilled again, the opened I-beam is no cage";
}
