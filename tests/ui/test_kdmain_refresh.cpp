// The refresh: what the window shows, hides, enables and makes read-only for the project, with
// model values set in code and UpdateForm; the results with their pass conditions, texts and
// colours through the results-only path; the waler of the selected level; and two cases through
// the real calculation.

#include <QAbstractItemView>
#include <QBuffer>
#include <QCheckBox>
#include <QFile>
#include <QImage>
#include <QMenuBar>
#include <QRegularExpression>
#include <QScreen>
#include <QScrollArea>
#include <QTabBar>
#include <QToolBar>
#include <QtTest/QTest>

#include <cmath>
#include <functional>
#include <limits>
#include <map>

#include "KdCycleFixture.h"
#include "model/ProjectFile.h"
#include "report/ReportDriver.h"
#include "tests/report/FakeReportHost.h"
#include "ui/Globals.h"
#include "ui/KdMainReport.h"
#include "ui/SectionLists.h"
#include "ui/Widgets.h"

using namespace vantrel;
using vantrel::testing::KdCycleTest;

namespace {

constexpr Ext kInf = std::numeric_limits<Ext>::infinity();

class KdRefresh : public KdCycleTest {
  protected:
    bool Shown(const char* name) { return !C<QWidget>(name)->isHidden(); }
    bool Enabled(const char* name) { return C<QWidget>(name)->isEnabled(); }
    int Bottom(const char* name) { return C<QWidget>(name)->geometry().bottom() + 1; }
    int Top(const char* name) { return C<QWidget>(name)->y(); }
    bool Pass(const char* image) { return ui::Tag(C<QLabel>(image)) == 0; }
    QString Text(const char* name) {
        if (auto* edit = qobject_cast<QLineEdit*>(W().Control(QString::fromLatin1(name))))
            return edit->text();
        return C<QLabel>(name)->text();
    }
    double Number(const char* name) { return Text(name).toDouble(); }
    QColor TextColour(const char* label) { return C<QLabel>(label)->palette().color(QPalette::WindowText); }
    void OpenDemo(bool si) {
        fileAnswers.push_back(QString::fromLatin1(VANTREL_SOURCE_DIR "/resources/demo/") +
                              (si ? "SI UNITS DEMO EXAMPLE.kpw" : "ENGLISH UNITS DEMO EXAMPLE.kpw"));
        W().AOpen->trigger();
        ASSERT_FALSE(W().FileName().isEmpty());
    }
};

} // namespace

// --- Refresh ------------------------------------------------------------------------------------

TEST_F(KdRefresh, PileTypeAndInstallation) {
    D().PileType = ptSheet;
    D().SetPileType(ptSheet);
    D().Installation = 1;
    W().UpdateForm();
    EXPECT_TRUE(Edit("Edit_17")->isReadOnly());
    EXPECT_TRUE(Edit("Edit_18")->isReadOnly());
    EXPECT_TRUE(Edit("Edit_108")->isReadOnly());
    EXPECT_FALSE(Shown("Panel65"));
    EXPECT_FALSE(Shown("Panel66"));
    EXPECT_FALSE(Shown("Image8"));
    EXPECT_EQ(Combo("ComboBox5")->itemText(Combo("ComboBox5")->count() - 1), "User Defined");
    // Guardrail spacing of sheet piles: 8 ft and twice that.
    ASSERT_EQ(Combo("ComboBox18")->count(), 2);
    EXPECT_EQ(Combo("ComboBox18")->itemText(0).toDouble(), 8.0);
    EXPECT_EQ(Combo("ComboBox18")->itemText(1).toDouble(), 16.0);

    D().SetPileType(ptTangent);
    D().Installation = 0;
    W().UpdateForm();
    EXPECT_TRUE(Edit("Edit_17")->isReadOnly());
    EXPECT_FALSE(Edit("Edit_18")->isReadOnly());
    EXPECT_FALSE(Edit("Edit_108")->isReadOnly());
    EXPECT_TRUE(Shown("Panel65"));
    D().SetPileType(ptSecant);
    D().Installation = 1; // driven: the flange width bears, the diagonal check does not apply
    W().UpdateForm();
    EXPECT_FALSE(Edit("Edit_17")->isReadOnly());
    EXPECT_TRUE(Edit("Edit_18")->isReadOnly());
    EXPECT_FALSE(Shown("Image8"));
    EXPECT_FALSE(Shown("Panel21")) << "lagging is a soldier beam's";
}

TEST_F(KdRefresh, LaggingBlocksOfTheFourTypes) {
    D().SetPileType(ptSoldierBeam);
    const struct {
        int type;
        bool timberInputs, results, arching, concreteList, pressure, timber, concreteTexts, size;
    } cases[] = {
        {ltNone, false, false, false, false, true, false, false, true},
        {ltTimber, true, true, true, false, false, true, false, true},
        {ltSteelPlate, false, true, true, false, true, false, false, true},
        {ltConcrete, false, true, true, true, true, false, true, false},
    };
    for (const auto& c : cases) {
        D().LaggingType = c.type;
        W().UpdateForm();
        EXPECT_FALSE(Shown("pnlLagging")) << c.type;
        EXPECT_EQ(Shown("pnlLagging2"), c.timberInputs) << c.type;
        EXPECT_EQ(Shown("Panel24"), c.results) << c.type;
        EXPECT_EQ(Shown("Edit_34"), c.arching) << c.type;
        EXPECT_EQ(Shown("ComboBox9"), c.concreteList) << c.type;
        EXPECT_EQ(Shown("Panel34"), c.pressure) << c.type;
        EXPECT_EQ(Shown("Panel35"), c.timber) << c.type;
        EXPECT_EQ(Shown("Label206"), c.concreteTexts) << c.type;
        if (c.type != ltNone) {
            EXPECT_EQ(Shown("Edit_R25"), c.size) << c.type;
        }
        switch (c.type) {
        case ltTimber:
            EXPECT_EQ(Top("pnlLagging2"), Top("Edit_34") + 26);
            EXPECT_EQ(Top("Panel35"), Top("Panel34"));
            EXPECT_EQ(Top("Edit_R25"), Bottom("Panel35") + 4);
            EXPECT_EQ(Top("Image24"), Top("Edit_R25") - 2);
            EXPECT_EQ(Top("Label185"), Top("Edit_R25") + 3);
            break;
        case ltSteelPlate:
            EXPECT_FALSE(Shown("Edit_R23"));
            EXPECT_TRUE(Shown("Edit_R24"));
            EXPECT_EQ(Top("Edit_R24"), Top("Edit_R22") + 27);
            EXPECT_EQ(C<QWidget>("Panel34")->height(), Bottom("Edit_R24") + 2);
            EXPECT_EQ(Top("Edit_R25"), Bottom("Panel34") + 4);
            break;
        case ltConcrete:
            EXPECT_FALSE(Shown("Edit_R24"));
            EXPECT_EQ(C<QWidget>("Panel34")->height(), Bottom("Edit_R22") + 2);
            EXPECT_EQ(Top("Label206"), Bottom("Panel34") + 7);
            EXPECT_EQ(Top("Label207"), Top("Label206"));
            EXPECT_EQ(Top("Label208"), Top("Label206") + 27);
            EXPECT_EQ(Top("Label209"), Top("Label208"));
            break;
        default:
            break;
        }
    }
}

TEST_F(KdRefresh, PileSectionBlocks) {
    D().SetPileType(ptSoldierBeam);
    D().Installation = 0;
    for (int section : {psIBeam, psPipe, psRebarCage}) {
        D().PileSection = section;
        W().UpdateForm();
        const bool cage = section == psRebarCage;
        EXPECT_EQ(Shown("Panel27"), !cage) << section;
        EXPECT_EQ(Shown("Panel29"), cage) << section;
        EXPECT_EQ(Shown("Panel23"), cage) << "rebar cage checks: " << section;
        EXPECT_FALSE(Shown("Panel30"));
        EXPECT_EQ(Top(cage ? "Panel29" : "Panel27"), 33);
        EXPECT_EQ(Top("Panel28"), Bottom(cage ? "Panel29" : "Panel27"));
        if (!cage) {
            EXPECT_EQ(Shown("CheckBox1"), section == psPipe);
            EXPECT_EQ(C<QWidget>("Panel27")->height(),
                      section == psPipe ? Bottom("CheckBox1") + 10 : Bottom("Edit_R102") + 6);
        }
        EXPECT_EQ(Shown("Panel51"), section == psIBeam) << "the member check of rolled beams";
    }
}

// Choosing a section kind from its list's pop-up, as a user does, grows the open section to the
// rows the choice shows: every input, the list just used among them, stays inside it.
TEST_F(KdRefresh, ChoosingRebarCageGrowsTheStructuralData) {
    QWidget* section = C<QWidget>("Panel10");
    QComboBox* list = Combo("ComboBox12");
    list->setFocus(Qt::MouseFocusReason); // entering the list opens its section
    Settle();
    ASSERT_EQ(ui::Tag(section), 0);
    const int item = list->findText(QStringLiteral("Rebar Cage"));
    ASSERT_GE(item, 0);
    list->showPopup();
    Settle();
    QAbstractItemView* popup = list->view();
    QTest::mouseClick(popup->viewport(), Qt::LeftButton, Qt::NoModifier,
                      popup->visualRect(popup->model()->index(item, 0)).center());
    Settle();
    ASSERT_EQ(D().PileSection, psRebarCage);
    ASSERT_TRUE(Shown("Panel29"));
    int inputs = 0;
    for (QWidget* w : section->findChildren<QWidget*>()) {
        if (!w->isVisibleTo(section) || !(qobject_cast<QLineEdit*>(w) || qobject_cast<QComboBox*>(w) ||
                                          qobject_cast<QAbstractButton*>(w)))
            continue;
        ++inputs;
        const QRect at(w->mapTo(section, QPoint(0, 0)), w->size());
        EXPECT_TRUE(section->rect().contains(at))
            << w->objectName().toStdString() << " at " << at.y() << ".." << at.bottom() << " in a section "
            << section->height() << " high";
    }
    EXPECT_GT(inputs, 10);
}

// Every caption of both columns holds its text whole in either unit system: a unit caption that
// changes with the system ("lbf/span", "kN/m/span") as much as a fixed one.
TEST_F(KdRefresh, NoCaptionIsCutInEitherUnitSystem) {
    answer = QMessageBox::Yes; // the switch's values may change
    for (const int units : {usEnglish, usSI}) {
        Choose("ComboBox1", units);
        ASSERT_EQ(D().Units, units);
        for (QScrollArea* column : {W().ScrollBox1, W().ScrollBox2})
            for (const QLabel* label : column->widget()->findChildren<QLabel*>()) {
                if (label->text().isEmpty()) continue;
                const std::string what =
                    label->objectName().toStdString() + " in " + (units == usSI ? "SI" : "English");
                if (label->wordWrap()) { // its lines as they wrap
                    EXPECT_LE(label->heightForWidth(label->width()), label->height()) << what;
                    continue;
                }
                for (const QString& line :
                     label->text().split(QRegularExpression(QStringLiteral("[\\r\\n]"))))
                    EXPECT_LE(label->fontMetrics().horizontalAdvance(line), label->contentsRect().width())
                        << what << ": \"" << line.toStdString() << '"';
            }
    }
}

TEST_F(KdRefresh, PressureMethodAndUserDefinedSoil) {
    D().PressureMethod = 1;
    W().UpdateForm();
    for (const char* name : {"Panel19", "Label200", "Label201", "Edit_35", "Label144", "Label142"})
        EXPECT_TRUE(Shown(name)) << name;
    D().PressureMethod = 0;
    auto* soil = Combo("ComboBox6");
    D().Anchors.SoilType = soil->count() - 1; // user defined
    D().UnfactoredPoints[2].W = 750.0L;       // psf
    W().UpdateForm();
    for (const char* name : {"Panel19", "Label200", "Edit_35", "Label142"})
        EXPECT_FALSE(Shown(name)) << name;
    EXPECT_FALSE(Shown("Panel1"));
    EXPECT_TRUE(Shown("Panel4"));
    EXPECT_EQ(Top("Panel4"), Top("Panel1"));
    EXPECT_EQ(Top("Panel2"), Bottom("Panel4") + 8);
    EXPECT_FALSE(Enabled("SpeedButton2"));
    EXPECT_EQ(Number("Edit_EPw3"), 0.75) << "shown in ksf";
    D().Anchors.SoilType = 0;
    W().UpdateForm();
    EXPECT_TRUE(Shown("Panel1"));
    EXPECT_EQ(Top("Panel2"), Bottom("Panel1"));
    EXPECT_TRUE(Enabled("SpeedButton2"));
}

TEST_F(KdRefresh, EnablingOfGuardrailCornerBasalAndSurcharges) {
    D().UseGuardrail = false;
    D().UseCornerBraces = false;
    D().UseBasalHeave = false;
    D().Anchors.LineLoadOn = false;
    D().Anchors.StripLoadOn = true;
    W().UpdateForm();
    EXPECT_TRUE(Enabled("CheckBox4"));
    EXPECT_FALSE(Enabled("Edit_89"));
    EXPECT_FALSE(Shown("Panel39"));
    EXPECT_TRUE(Enabled("CheckBox5"));
    EXPECT_FALSE(Enabled("ComboBox26"));
    EXPECT_FALSE(Enabled("cmbCornerType1"));
    EXPECT_TRUE(Enabled("CheckBox6"));
    EXPECT_FALSE(Enabled("Edit_BH1"));
    EXPECT_FALSE(Shown("Panel61"));
    EXPECT_FALSE(Enabled("Edit_Lq"));
    EXPECT_FALSE(Enabled("Label335"));
    EXPECT_TRUE(Enabled("Edit_Sq"));

    D().UseGuardrail = true;
    D().UseCornerBraces = true;
    D().UseBasalHeave = true;
    D().Anchors.LineLoadOn = true;
    W().UpdateForm();
    EXPECT_TRUE(Enabled("Edit_89"));
    EXPECT_TRUE(Shown("Panel39"));
    EXPECT_TRUE(Enabled("ComboBox26"));
    EXPECT_TRUE(Enabled("cmbCornerType1"));
    EXPECT_TRUE(Enabled("Edit_BH1"));
    EXPECT_TRUE(Shown("Panel61"));
    EXPECT_TRUE(Enabled("Edit_Lq"));
}

TEST_F(KdRefresh, BondSoilAnchorSpacingAndDerivedLoads) {
    auto* bond = Combo("ComboBox21");
    D().BondSoilType = bond->count() - 1;
    W().UpdateForm();
    EXPECT_FALSE(Edit("Edit_120")->isReadOnly()) << "the user-defined soil takes a typed transfer";
    D().BondSoilType = 0;
    W().UpdateForm();
    EXPECT_TRUE(Edit("Edit_120")->isReadOnly());
    EXPECT_EQ(C<QLabel>("Label40")->text(), bond->itemText(0));

    D().SetPileType(ptSoldierBeam);
    D().PileSpacing = 7.5L;
    D().Anchors.AnchorSpacingItem = 4;
    W().UpdateForm();
    auto* spacing = Combo("ComboBox25");
    ASSERT_EQ(spacing->count(), 5);
    for (int k = 1; k <= 5; ++k)
        EXPECT_DOUBLE_EQ(spacing->itemText(k - 1).toDouble(), 7.5 * k);
    EXPECT_EQ(spacing->currentIndex(), 3);

    // Loading per foot = apparent pressure x loading height; per pile = that x the spacing.
    const TAnchor& a = D().Anchors;
    EXPECT_NEAR(Number("Edit_117"), static_cast<double>(a.ApparentPressure * a.LoadingHeight), 0.01);
    EXPECT_NEAR(Number("Edit_118"), static_cast<double>(a.ApparentPressure * a.LoadingHeight * a.PileSpacing),
                0.01);
}

TEST_F(KdRefresh, GuardrailSpacingListSelectsTheDoubledItem) {
    D().SetPileType(ptSoldierBeam);
    D().PileSpacing = 1.1L;
    D().GuardrailSpacing = 2.2L; // 2 x 1.1 differs from 2.2 in its last bits
    W().UpdateForm();
    EXPECT_EQ(Combo("ComboBox18")->currentIndex(), 1);
    D().GuardrailSpacing = 1.1L;
    W().UpdateForm();
    EXPECT_EQ(Combo("ComboBox18")->currentIndex(), 0);
}

TEST_F(KdRefresh, ARefreshChangesNeitherTheProjectNorTheFlag) {
    W().UpdateForm();
    const std::vector<uint8_t> before = EncodeProject(D());
    ASSERT_FALSE(W().Modified());
    W().UpdateForm();
    W().UpdateForm();
    EXPECT_EQ(EncodeProject(D()), before);
    EXPECT_FALSE(W().Modified());
}

// --- Results ------------------------------------------------------------------------------------

TEST_F(KdRefresh, PassConditionsAtTheirBoundaries) {
    TKdData& d = D();
    const struct {
        const char* name;
        std::function<void(Ext)> set;
        Ext boundary, beyond;
        const char* image;
        bool passAtBoundary;
    } cases[] = {
        // |P| < |Pallow|, strictly.
        {"axial",
         [&](Ext v) {
             d.TotalVerticalLoad = v;
             d.AllowableAxialLoad = 50.0L;
         },
         50.0L, 50.01L, "Image35", false},
        {"slenderness", [&](Ext v) { d.Anchors.Slenderness = v; }, 200.0L, 200.001L, "Image2", true},
        {"deflection",
         [&](Ext v) {
             d.Anchors.MaxDeflectionResult = -v;
             d.Anchors.MaxDeflection = 0.5L;
         },
         0.5L, 0.5001L, "Image3", true},
        {"utilized Ix", [&](Ext v) { d.Anchors.UtilizedIx = v; }, 100.0L, 100.01L, "Image32", true},
        {"basal heave", [&](Ext v) { d.BasalSafetyFactor = 3.0L - v; }, 1.5L, 1.5001L, "Image28", true},
        {"post compression",
         [&](Ext v) {
             d.Gr.GrLoad = v;
             d.Gr.GrAllowCompression = 4.0L;
         },
         4.0L, 4.001L, "Image19", true},
        {"combined", [&](Ext v) { d.Anchors.CombinedUtilization = -v; }, 100.0L, 100.01L, "Image4", true},
    };
    for (const auto& c : cases) {
        c.set(c.boundary);
        W().ShowResults();
        EXPECT_EQ(Pass(c.image), c.passAtBoundary) << c.name << " at the boundary";
        c.set(c.beyond);
        W().ShowResults();
        EXPECT_FALSE(Pass(c.image)) << c.name << " beyond";
        c.set(kNaN);
        W().ShowResults();
        EXPECT_FALSE(Pass(c.image)) << c.name << " undefined";
    }
}

TEST_F(KdRefresh, UndefinedAndInfiniteResults) {
    TKdData& d = D();
    d.Anchors.CombinedUtilization = kNaN;
    d.FactoredAxial = 100.0L;
    d.Pier.PmaxPier = 0.0L;
    d.FactoredMoment = 40.0L;
    d.MomentCapacity = kInf;
    d.Anchors.SumOfReactions = kNaN;
    W().ShowResults();
    EXPECT_EQ(Text("Edit_R114"), "N.A.");
    EXPECT_FALSE(Shown("Image4")) << "an undefined utilisation has no mark";
    EXPECT_EQ(Text("Edit_R110"), "N.A.");
    EXPECT_EQ(Text("Edit_R81ut"), "N.A.") << "no division by 0";
    EXPECT_EQ(Text("Edit_R82ut"), "N.A.") << "no division by infinity";
    d.Pier.PmaxPier = 400.0L;
    d.MomentCapacity = 80.0L;
    W().ShowResults();
    EXPECT_DOUBLE_EQ(Number("Edit_R81ut"), 25.0); // 100 x 100 / 400
    EXPECT_DOUBLE_EQ(Number("Edit_R82ut"), 50.0); // 40 x 100 / 80
    EXPECT_TRUE(Pass("Image13"));
    EXPECT_TRUE(Pass("Image14"));
}

TEST_F(KdRefresh, PassAndFailTextsAndColours) {
    TKdData& d = D();
    const QColor passColour = C<QLabel>("Label28")->palette().color(QPalette::ButtonText);
    d.Anchors.ShearAreaRequired = 2.0L;
    d.Anchors.ShearAreaProvided = 2.0L;
    d.Anchors.ModulusRequired = 120.0L;
    d.Anchors.ModulusProvided = 100.0L;
    d.Anchors.UtilizedIx = 99.0L;
    W().ShowResults();
    EXPECT_EQ(Text("Label28"), "(Adequate for Shear)");
    EXPECT_EQ(TextColour("Label28"), passColour);
    EXPECT_EQ(Text("Label29"), "(Not Adequate for Bending)");
    EXPECT_EQ(TextColour("Label29"), QColor(Qt::red));
    EXPECT_EQ(Text("Label30"), "(Adequate for Deflection)");
    EXPECT_EQ(Number("Edit_R119prov"), 100.0);
}

TEST_F(KdRefresh, PipePileBendingUsesThePipesModulus) {
    D().SetPileType(ptSoldierBeam);
    D().Installation = 0;
    D().PileSection = psPipe;
    D().SetShapeIndex(0);
    D().Calculate();
    D().Anchors.ModulusRequired = 1.0L;
    W().ShowResults();
    ASSERT_FALSE(D().PipeShapes.empty());
    EXPECT_NEAR(Number("Edit_R119prov"), static_cast<double>(D().PipeShapes[0].Z), 0.01);
    EXPECT_EQ(Text("Label29"), "(Adequate for Bending)");
}

TEST_F(KdRefresh, LaggingSizeTexts) {
    TKdData& d = D();
    d.SetPileType(ptSoldierBeam);
    const struct {
        uint8_t units;
        int type;
        Ext required;
        bool pass;
        int nominal;
        const char* text;
    } cases[] = {
        {usEnglish, ltSteelPlate, 0.781L, false, 0, "5/8 inch steel plate"},
        {usEnglish, ltSteelPlate, 0.782L, false, 0, "3/4 inch steel plate"},
        {usEnglish, ltSteelPlate, 2.0L, false, 0, "1.0 inch steel plate"},
        {usEnglish, ltSteelPlate, 2.53L, false, 0, "1.25 inch steel plate"},
        {usEnglish, ltSteelPlate, 2.6L, false, 0, "1.50 inch steel plate"},
        {usEnglish, ltSteelPlate, 8.0L, false, 0, "2.0 inch steel plate"},
        {usEnglish, ltSteelPlate, 9.0L, false, 0, "None"},
        {usSI, ltSteelPlate, 12798.0L, false, 0, "16 mm steel plate"},
        {usSI, ltSteelPlate, 41459.0L, false, 0, "32 mm steel plate"},
        {usSI, ltSteelPlate, 131097.0L, false, 0, "51 mm steel plate"},
        {usSI, ltSteelPlate, 131098.0L, false, 0, "None"},
        {usEnglish, ltTimber, 0.0L, true, 4, "4x12 timber"},
        {usSI, ltTimber, 0.0L, true, 100, "100mm timber"},
        {usEnglish, ltTimber, 0.0L, false, 4, "None"},
    };
    for (const auto& c : cases) {
        d.Units = c.units;
        d.LaggingType = c.type;
        d.LaggingModulusRequired = c.required;
        d.LaggingResults.LaggingPass = c.pass;
        d.LaggingResults.NominalThickness = c.nominal;
        d.LaggingResults.NominalThicknessSI = c.nominal;
        W().ShowResults();
        EXPECT_EQ(Text("Edit_R25"), c.text) << c.text;
        EXPECT_EQ(Pass("Image24"), QString::fromLatin1(c.text) != "None") << c.text;
    }
}

TEST_F(KdRefresh, RebarCageSpacingMessages) {
    TKdData& d = D();
    d.SetPileType(ptSoldierBeam);
    d.Installation = 0;
    d.PileWidth = 2.0L; // a 24 in pier
    const struct {
        uint8_t units;
        int tieOrSpiral;
        Ext pitch, calculated;
        const char* text;
    } cases[] = {
        {usEnglish, 1, 0.0L, 0, "Must be between 1 and 3 in"},
        {usEnglish, 1, 1.0L, 0, "Spacing Good"},
        {usEnglish, 1, 3.01L, 0, "Must be between 1 and 3 in"},
        {usSI, 1, 24.9L, 0, "Must be between 25 and 75 mm"},
        {usSI, 1, 75.0L, 0, "Spacing Good"},
        {usEnglish, 0, 6.04L, 6.0L, "Spacing Good"}, // within 0.05 of the calculated pitch
        {usEnglish, 0, 6.06L, 6.0L, "Must be less than 16db, 48dl and Pier Diameter (24in)"},
    };
    for (const auto& c : cases) {
        d.Units = c.units;
        d.TieOrSpiral = c.tieOrSpiral;
        d.PitchOverride = c.pitch;
        d.CalculatedPitch = c.calculated;
        W().ShowResults();
        EXPECT_EQ(Text("Label249"), c.text) << static_cast<double>(c.pitch);
    }
}

TEST_F(KdRefresh, SectionRollUpIgnoresHiddenMarks) {
    TKdData& d = D();
    W().UpdateForm();
    d.Anchors.CombinedUtilization = kNaN; // its mark hides and does not count
    d.Anchors.Slenderness = 100.0L;
    d.Anchors.MaxDeflectionResult = 0.1L;
    d.Anchors.MaxDeflection = 0.5L;
    W().ShowResults();
    const bool othersPass =
        Pass("Image2") && Pass("Image3") && Pass("Image29") && Pass("Image31") && Pass("Image32");
    EXPECT_EQ(Pass("imgPanel44"), othersPass);
    d.Anchors.Slenderness = 300.0L;
    W().ShowResults();
    EXPECT_FALSE(Pass("imgPanel44"));
}

TEST_F(KdRefresh, LogoFitsItsSlot) {
    const struct {
        int width, height, expected;
    } cases[] = {{1000, 100, 173}, {100, 100, 73}, {146, 73, 146}};
    for (const auto& c : cases) {
        QImage image(c.width, c.height, QImage::Format_RGB32);
        image.fill(Qt::blue);
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        image.save(&buffer, "JPEG");
        D().SetPicture(std::vector<uint8_t>(bytes.begin(), bytes.end()));
        W().UpdateForm();
        auto* logo = C<QLabel>("Logo");
        ASSERT_EQ(logo->height(), 73);
        EXPECT_EQ(logo->width(), c.expected) << c.width << "x" << c.height;
        const int parent = logo->parentWidget()->width();
        EXPECT_EQ(logo->x(), parent - c.expected - 4 - (173 - c.expected) / 2);
    }
}

TEST_F(KdRefresh, SectionsStackWithTenPixelGaps) {
    W().UpdateForm();
    for (QList<QWidget*>* list : {&W().InputSections(), &W().ResultSections()})
        for (int i = 1; i < list->size(); ++i)
            EXPECT_EQ((*list)[i]->y(), (*list)[i - 1]->geometry().bottom() + 1 + 10)
                << (*list)[i]->objectName().toStdString();
}

// --- Walers -------------------------------------------------------------------------------------

TEST_F(KdRefresh, WalerOfOneAndTwoSpans) {
    TKdData& d = D();
    d.Anchors.Levels[0].Waler.HasWaler = true;
    W().UpdateForm();
    TWaler& w = d.Anchors.Levels[0].Waler;
    w.TotalLength = 24.0L;
    w.MaxDeflectionX = 9.0L;
    w.ModulusPass = true;
    w.DeflectionPass = true;
    const int pitch = Top("Edit_RWV1") >= 0 ? C<QWidget>("Edit_RWV2")->x() - C<QWidget>("Edit_RWV1")->x() : 0;

    w.TwoSpans = false;
    W().ShowResults();
    EXPECT_TRUE(Shown("Edit_RWV4"));
    EXPECT_TRUE(Shown("Edit_RWM3"));
    EXPECT_FALSE(Shown("Edit_RWDeflLoc1"));
    EXPECT_FALSE(Shown("Label419"));
    EXPECT_EQ(C<QWidget>("Edit_RWV3")->x(), C<QWidget>("Edit_RWV4")->x() - pitch);

    w.TwoSpans = true;
    W().ShowResults();
    EXPECT_FALSE(Shown("Edit_RWV4"));
    EXPECT_FALSE(Shown("Label108")) << "the V4 heading follows its value";
    EXPECT_FALSE(Shown("Edit_RWM3"));
    EXPECT_TRUE(Shown("Edit_RWDeflLoc1"));
    EXPECT_TRUE(Shown("Edit_RWDeflLoc2"));
    EXPECT_EQ(C<QWidget>("Edit_RWV3")->x(), C<QWidget>("Edit_RWVmax")->x() - pitch);
    EXPECT_EQ(C<QWidget>("Edit_RWM2")->x(), C<QWidget>("Edit_RWMmax")->x() - pitch);
    EXPECT_EQ(Number("Edit_RWDeflLoc1"), 9.0);
    EXPECT_EQ(Number("Edit_RWDeflLoc2"), 15.0) << "measured from the other end";
    EXPECT_EQ(Top("Label122"), Top("Label419") + 27);
}

TEST_F(KdRefresh, WalerAdequacyAndRollUpOverAllLevels) {
    TKdData& d = D();
    d.Anchors.LevelCount = 2;
    d.ResizeAnchorLevels();
    d.Anchors.Levels[0].Waler.HasWaler = true;
    d.Anchors.Levels[1].Waler.HasWaler = true;
    W().UpdateForm();
    ASSERT_TRUE(Shown("Panel48"));
    TWaler& a = d.Anchors.Levels[0].Waler;
    TWaler& b = d.Anchors.Levels[1].Waler;
    a.ModulusPass = true;
    a.DeflectionPass = false; // fails the deflection only
    b.ModulusPass = true;
    b.DeflectionPass = true;
    W().ShowResults();
    EXPECT_EQ(Text("Label120"), "(Waler is Adequate)");
    EXPECT_FALSE(Pass("Image33"));
    EXPECT_FALSE(Pass("imgPanel48"));
    a.DeflectionPass = true;
    b.ModulusPass = false; // the level not shown in the tab
    W().ShowResults();
    EXPECT_TRUE(Pass("Image33"));
    EXPECT_FALSE(Pass("imgPanel48")) << "the section sums up every level";
    a.ModulusPass = false;
    W().ShowResults();
    EXPECT_EQ(Text("Label120"), "(Redesign the Waler)");
    EXPECT_EQ(TextColour("Label120"), QColor(Qt::red));

    // A level without waler: no mark, no text.
    a.HasWaler = false;
    W().ShowResults();
    EXPECT_FALSE(Shown("Image9"));
    EXPECT_FALSE(Shown("Label120"));
    b.HasWaler = false;
    W().UpdateForm();
    EXPECT_FALSE(Shown("Panel48")) << "no waler in the project";
}

TEST_F(KdRefresh, TwoChannelsOnlyForChannelSections) {
    TKdData& d = D();
    TWaler& w = d.Anchors.Levels[0].Waler;
    w.HasWaler = true;
    w.ShapeFamily = sfNorthAmerican;
    w.ShapeRow = 3;
    W().UpdateForm();
    EXPECT_FALSE(Enabled("CheckBox7"));
    const int familyRows = static_cast<int>(lists::WalerSectionItems(d, sfNorthAmerican).size()) - 16;
    d.Anchors.Levels[0].Waler.ShapeRow = familyRows + 2; // a channel
    W().UpdateForm();
    EXPECT_TRUE(Enabled("CheckBox7"));
    EXPECT_EQ(Combo("ComboBox23")->currentText(), Combo("ComboBox23")->itemText(familyRows + 2));
}

TEST_F(KdRefresh, WalerTabsStayTogetherAndKeepTheInputsOfTheLevelLeft) {
    TKdData& d = D();
    d.Anchors.LevelCount = 2;
    d.ResizeAnchorLevels();
    d.Anchors.Levels[0].Waler.HasWaler = true;
    d.Anchors.Levels[1].Waler.HasWaler = true;
    d.Anchors.Levels[1].Waler.Wa = 3.0L;
    W().UpdateForm();
    W().SetSectionExpanded(W().Control(QStringLiteral("Panel16")), true); // shows the level tabs
    Type("Edit_Wa", QStringLiteral("4"));
    auto* results = qobject_cast<ui::TabControl*>(W().Control(QStringLiteral("TabControl2")));
    auto* inputs = qobject_cast<ui::TabControl*>(W().Control(QStringLiteral("TabControl1")));
    results->Tabs()->setCurrentIndex(1); // the user picks level B on the result side
    Settle();
    EXPECT_EQ(inputs->Tabs()->currentIndex(), 1);
    EXPECT_EQ(d.Anchors.Levels[0].Waler.Wa, 4.0L) << "the level left keeps what was typed";
    EXPECT_EQ(Number("Edit_Wa"), 3.0) << "level B's own input";
    inputs->Tabs()->setCurrentIndex(0);
    Settle();
    EXPECT_EQ(results->Tabs()->currentIndex(), 0);
    EXPECT_EQ(Number("Edit_Wa"), 4.0);
    EXPECT_EQ(d.Anchors.Levels[1].Waler.Wa, 3.0L);
}

// --- Through the real calculation ---------------------------------------------------------------

TEST_F(KdRefresh, BasalHeaveResultOfBothConditions) {
    Type("Edit_16", QStringLiteral("20"));
    Tab();
    Click("CheckBox6");
    ASSERT_TRUE(D().UseBasalHeave);
    Choose("ComboBox22", 0);
    for (const auto& [edit, value] : {std::pair{"Edit_BH1", "700"}, std::pair{"Edit_BH2", "5.14"},
                                      std::pair{"Edit_BH3", "115"}, std::pair{"Edit_BH5", "100"}}) {
        Type(edit, QString::fromLatin1(value));
        Tab();
    }
    // H/B > 1: FS = C Nc / (gamma H + q) = 3598 / 2400.
    EXPECT_NEAR(Number("Edit_RBH1"), 3598.0 / 2400.0, 0.01);
    EXPECT_FALSE(Pass("Image28")) << "1.499 is below 1.5";
    Choose("ComboBox22", 1);
    Type("Edit_BH5", QStringLiteral("40"));
    Tab();
    // H/B < 1: the shear on the sides of the heaving block, C H / (0.7 B) = 700 x 20 / 28 = 500 psf,
    // lightens the driving load: FS = 3598 / (115 x 20 + 100 - 500) = 3598 / 1900.
    EXPECT_NEAR(Number("Edit_RBH1"), 3598.0 / 1900.0, 0.01);
    EXPECT_TRUE(Pass("Image28"));
    EXPECT_TRUE(Shown("Panel61"));
}

TEST_F(KdRefresh, DemoProjectsShowEveryMainResult) {
    for (bool si : {false, true}) {
        OpenDemo(si);
        for (const char* name :
             {"Edit_R101x2", "Edit_R101w2", "Edit_R110", "Edit_R111", "Edit_R112", "Edit_R113", "Edit_R114",
              "Edit_R20", "Edit_R115", "Edit_R116", "Edit_R117", "Edit_R118req", "Edit_R118prov",
              "Edit_R119req", "Edit_R119prov", "Edit_R120", "Edit_RDpth1", "Edit_RTBF1", "Edit_RTL1"})
            EXPECT_NE(Text(name), "N.A.") << name << (si ? " SI" : " English");
    }
}

// A typed value shows the design it gives at once: every value of the pile loads, the bond soil's
// load transfer and every value of the result column, in the window and on its row of the printed
// report, is that of the same project calculated on its own.
TEST_F(KdRefresh, TypedValueShowsTheDesignItGives) {
    // A seismic coefficient also changes the bond soil's load transfer.
    for (const auto& [edit, typed] :
         {std::pair{"Edit_16", "25"}, std::pair{"Edit_Ax1", "30"}, std::pair{"Edit_115", "0.1"}}) {
        OpenDemo(false);
        Type(edit, QString::fromLatin1(typed));
        Tab();
        const std::string file = scratch_->filePath(QStringLiteral("typed.kpw")).toStdString();
        D().SaveToFile(file);
        TKdData m;
        m.LoadFromFile(file);
        m.Calculate();
        const TAnchor& a = m.Anchors;
        const TGuardrailResults& g = m.Gr;
        const TLaggingResults& r = m.LaggingResults;
        // clang-format off
        std::map<QString, Ext> expected = {
            {"Edit_Ax1", m.AxialLoad}, {"Edit_Ax2", m.VerticalAxialComponent},
            {"Edit_Ax3", m.TotalVerticalLoad}, {"Edit_Ax4", m.PileWidth}, {"Edit_Ax5", a.Embedment},
            {"Edit_Ax6", m.AllowSkinFriction}, {"Edit_Ax7", m.AllowEndBearing},
            {"Edit_120", m.AllowLoadTransfer}, {"Edit_RAx1", m.AllowableAxialLoad},
            {"Edit_R110", a.SumOfReactions}, {"Edit_R111", a.SumOfLoads}, {"Edit_R112", a.BucklingCheck},
            {"Edit_R113", a.AxialCheck}, {"Edit_R114", a.CombinedUtilization}, {"Edit_R20", a.Slenderness},
            {"Edit_R115", a.MaxShear}, {"Edit_R115at", a.MaxShearDepth}, {"Edit_R116", a.MaxMoment},
            {"Edit_R116at", a.MaxMomentDepth}, {"Edit_R117", a.MaxDeflectionResult},
            {"Edit_R117at", a.MaxDeflectionDepth}, {"Edit_R118req", a.ShearAreaRequired},
            {"Edit_R118prov", a.ShearAreaProvided}, {"Edit_R119req", a.ModulusRequired},
            {"Edit_R119prov", a.ModulusProvided}, {"Edit_R120", a.UtilizedIx},
            {"Edit_RBH1", m.BasalSafetyFactor}, {"Edit_R31", m.LaggingSoilPressure}, {"Edit_R26", r.M},
            {"Edit_R27", r.V}, {"Edit_R28adj", r.FbPrime}, {"Edit_R28act", r.fb}, {"Edit_R29adj", r.FvPrime},
            {"Edit_R29act", r.fv}, {"Edit_R30", r.Deflection}, {"Edit_R32a", g.GrAllowCompression},
            {"Edit_R32", g.GrLoad}, {"Edit_R33", g.GrMyLimit}, {"Edit_R34", g.GrMnLtb},
            {"Edit_R35a", g.GrAllowMoment}, {"Edit_R35", g.GrMoment}, {"Edit_R36a", g.GrAllowY},
            {"Edit_R36", g.GrStressY}, {"Edit_R37a", g.GrAllowX}, {"Edit_R37", g.GrStressX}};
        // clang-format on
        for (size_t i = 0; i < 4; ++i) {
            expected[QStringLiteral("Edit_R101x%1").arg(i + 1)] = a.DiagramPoints[i].Depth;
            expected[QStringLiteral("Edit_R101w%1").arg(i + 1)] = a.DiagramPoints[i].Load;
        }
        for (int i = 0; i < a.UsedLevels(); ++i) {
            const auto level = static_cast<size_t>(i);
            for (const auto& [prefix, value] :
                 {std::pair{"Edit_RDpth", m.LevelDepth(i)}, std::pair{"Edit_RTBF", a.LevelLoads[level]},
                  std::pair{"Edit_RUTBL", a.FreeLengths[level]}, std::pair{"Edit_RTL", a.TestLoads[level]},
                  std::pair{"Edit_RBnd", a.Levels[level].BondLength}})
                expected[QLatin1String(prefix) + QString::number(i + 1)] = value;
        }

        ui::KdMainReport host(W());
        const report::ReportDocument doc = report::BuildReport(host);
        for (const char* column : {"Panel32", "Panel6", "ScrollBox2"})
            for (const QLineEdit* e : C<QWidget>(column)->findChildren<QLineEdit*>()) {
                const QString name = e->objectName();
                if (!e->isVisibleTo(C<QWidget>(column)) || name.isEmpty() || name == "Edit_R25") continue;
                ASSERT_TRUE(expected.count(name)) << name.toStdString();
                // The number before a " (T)" or " (C)", to the decimals it shows.
                const QString number = e->text().section(' ', 0, 0).remove(',');
                const int decimals = number.contains('.') ? number.size() - number.indexOf('.') - 1 : 0;
                const double value = static_cast<double>(expected.at(name));
                if (std::isnan(value))
                    EXPECT_EQ(number, "N.A.") << name.toStdString();
                else
                    EXPECT_NEAR(number.toDouble(), value, 0.5 * std::pow(10.0, -decimals) + 1e-9)
                        << edit << " " << name.toStdString();
                // The report prints the window's text on the row of the value's caption.
                const auto* caption = qobject_cast<QLabel*>(W().Control("lbl" + name));
                if (!caption) continue;
                QStringList row;
                for (int p = 0; p < static_cast<int>(doc.pages.size()); ++p) {
                    const auto texts = report::testing::Texts(doc, p);
                    for (const auto* c : texts)
                        for (const auto* t : texts)
                            if (c->text == caption->text() && t->anchor.y() == c->anchor.y()) row << t->text;
                }
                EXPECT_TRUE(row.contains(e->text())) << edit << " " << name.toStdString();
            }
    }
}

// The guardrail moments of both demos by hand, for the first angle with Fy 36 ksi | 248.2 MPa and
// E 29000 ksi | 199948 MPa, Cb 1.5. English L3-1/2X3-1/2X1/2 (S 1.48 in^3, b 3.5, t 0.5 in), post
// 3.5 ft = 42 in: My = 1.48 x 36 / 12 = 4.44 kip-ft, 1.5 My = 6.66; Me = 1.25 x 0.66 E b^4 t Cb / L^2
// x (sqrt(1 + 0.78 (L t / b^2)^2) - 1) / 12 = 1.25 x 1221.17 x 0.81444 / 12 = 103.60 > My, so
// Mn = My (1.92 - 1.17 sqrt(My / Me)) = 4.44 x 1.67779 = 7.449. SI L89X89X12.7 (S 24.3 x 10^3 mm^3,
// b 88.9, t 12.7 mm), post 1070 mm: My = 24.3 x 248.2 / 1000 = 6.031 kN-m, 1.5 My = 9.047;
// Me = 1.25 x 0.66 E b^4 t Cb / L^2 x (sqrt(1 + 0.78 (L t / b^2)^2) - 1) / 10^6 = 140.28,
// Mn = 6.031 x (1.92 - 1.17 sqrt(6.031 / 140.28)) = 10.117.
TEST_F(KdRefresh, GuardrailMomentsOfTheDemos) {
    for (const auto& [si, yield, buckling] :
         {std::tuple{false, 6.66, 7.449}, std::tuple{true, 9.047, 10.117}}) {
        OpenDemo(si);
        EXPECT_NEAR(Number("Edit_R33"), yield, 0.0005) << si;
        EXPECT_NEAR(Number("Edit_R34"), buckling, 0.0005) << si;
    }
}

// A section shown by a commit carries the mark of its own results at the end of that commit.
TEST_F(KdRefresh, SectionShownByACommitCarriesItsOwnMark) {
    TKdData project; // no cohesion at the excavation bottom: a factor of safety of 0
    project.BasalCohesion = 0.0L;
    const QString file = scratch_->filePath(QStringLiteral("clay.kpw"));
    project.SaveToFile(file.toStdString());
    fileAnswers.push_back(file);
    W().AOpen->trigger();
    ASSERT_FALSE(Shown("Panel61"));
    Click("CheckBox6");
    EXPECT_EQ(Text("Edit_RBH1"), "0.00");
    EXPECT_FALSE(Pass("Image28"));
    EXPECT_FALSE(Pass("imgPanel61")) << "shown failing";

    // C Nc / (gamma H + q) = 700 x 5.14 / (115 x 40 + 100) = 0.77 fails, and at H = 5 ft
    // 3598 / 675 = 5.33 passes.
    Type("Edit_BH1", QStringLiteral("700"));
    Type("Edit_16", QStringLiteral("40"));
    Tab();
    ASSERT_FALSE(Pass("imgPanel61"));
    Click("CheckBox6");
    Type("Edit_16", QStringLiteral("5"));
    Tab();
    Click("CheckBox6");
    EXPECT_NEAR(Number("Edit_RBH1"), 3598.0 / 675.0, 0.005);
    EXPECT_TRUE(Pass("Image28"));
    EXPECT_TRUE(Pass("imgPanel61")) << "shown passing";
}

// "Two Equaly Spaced Spans" drops the a, b, c rows; the level's page ends as close under its last
// input either way, within one row.
TEST_F(KdRefresh, WalerInputTabEndsUnderItsInputs) {
    Click("CheckBox3");
    std::vector<int> gaps;
    for (int i = 0; i < 2; ++i) {
        Click("CheckBox8");
        const QWidget* last = C<QWidget>("CheckBox7");
        const auto* tabs = C<QWidget>("TabControl1");
        gaps.push_back(tabs->height() - last->mapTo(tabs, QPoint(0, last->height())).y());
        EXPECT_EQ(C<QWidget>("Panel16")->height(), tabs->geometry().bottom() + 1 + 8) << "the section fits";
    }
    ASSERT_TRUE(D().Anchors.Levels[0].Waler.HasWaler);
    EXPECT_EQ(gaps[0], gaps[1]);
    EXPECT_GT(gaps[0], 0);
    EXPECT_LT(gaps[0], 27) << "no empty row";
}

// A commit repaints what it changed, and neither the tool bar nor the menu bar; so does a commit
// that makes a level come or go. What the window then shows is what a full repaint of it shows.
TEST_F(KdRefresh, ACommitRepaintsOnlyWhatChanged) {
    const int flashTime = QApplication::cursorFlashTime();
    QApplication::setCursorFlashTime(0); // a caret that does not blink looks the same in both pictures
    OpenDemo(false);
    Settle();
    struct PaintLog : QObject {
        explicit PaintLog(QList<QWidget*> bars) : bars(std::move(bars)) { qApp->installEventFilter(this); }
        ~PaintLog() override { qApp->removeEventFilter(this); }
        bool eventFilter(QObject* object, QEvent* event) override {
            if (auto* w = qobject_cast<QWidget*>(object); w && event->type() == QEvent::Paint) {
                painted.insert(w->objectName());
                for (const QWidget* bar : bars)
                    barPaints += w == bar || bar->isAncestorOf(w);
            }
            return false;
        }
        QList<QWidget*> bars;
        QSet<QString> painted;
        int barPaints = 0;
    };
    const struct {
        const char* edit;
        const char* typed;
        const char* changed; // a result the commit changes
    } commits[] = {
        {"Edit_Sa", "6", "Edit_RTBF1"}, {"Edit_101", "3", "Edit_RTBF3"}, {"Edit_101", "2", "Edit_RTBF1"}};
    const auto shownText = [this](const char* name) { // empty while the row does not exist
        const auto* edit = qobject_cast<QLineEdit*>(W().Control(QString::fromLatin1(name)));
        return edit ? edit->text() : QString();
    };
    for (const auto& commit : commits) {
        SCOPED_TRACE(commit.typed);
        Type(commit.edit, QString::fromLatin1(commit.typed));
        const QString before = shownText(commit.changed);
        const PaintLog log({W().ToolBar1, W().menuBar()});
        Tab();
        EXPECT_NE(shownText(commit.changed), before);
        EXPECT_TRUE(log.painted.contains(QString::fromLatin1(commit.changed)));
        EXPECT_EQ(log.barPaints, 0);
        const QImage shown =
            W().screen()->grabWindow(W().winId()).toImage().convertToFormat(QImage::Format_RGB32);
        EXPECT_TRUE(shown == W().grab().toImage().convertToFormat(QImage::Format_RGB32));
    }
    QApplication::setCursorFlashTime(flashTime);
}
