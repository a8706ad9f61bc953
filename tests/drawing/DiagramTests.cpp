// The four diagrams drawn from projects: texts drawn, named positions, colour probes at interior
// points and output sizes, in both unit systems, and the drawings of damaged or degenerate projects.
// The demo projects' inputs quoted below are those of resources/demo (English: H 20 ft, levels 5 and
// 8 ft down, tiebacks at 15 degrees, W12X26 in a 2 ft drilled pier at 8 ft; SI: H 6 m, levels 1.5
// and 2.4 m, W310X38.7 in a 0.6 m pier at 2.4 m).

#include "DiagramFixtures.h"

#include <QLabel>

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace vantrel {
namespace {

using namespace testing_drawing;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
const QSize kWindow(600, 700);

class DiagramDraw_Demo : public ::testing::TestWithParam<int> {
  protected:
    static void SetUpTestSuite() {
        for (int u = 0; u < 2; ++u)
            Demo[u] = new TKdData(DemoProject(u));
    }
    static void TearDownTestSuite() {
        for (auto*& p : Demo)
            delete p, p = nullptr;
    }
    const TKdData& D() const { return *Demo[GetParam()]; }
    TKdData Copy() const { return *Demo[GetParam()]; }
    bool SI() const { return GetParam() == 1; }
    static TKdData* Demo[2];
};
TKdData* DiagramDraw_Demo::Demo[2] = {nullptr, nullptr};

// Whether some pixel of colour c lies in the rectangle.
bool HasColour(const Rendered& r, QRect box, TColor c) {
    for (int y = box.top(); y <= box.bottom(); ++y)
        for (int x = box.left(); x <= box.right(); ++x)
            if (r.Pixel(x, y) == c) return true;
    return false;
}

// --- cross section ---------------------------------------------------------------------------

TEST_P(DiagramDraw_Demo, CrossSectionTextsAndLevels) {
    const Rendered r = Render(D(), dkCrossSection, kWindow);
    for (const char* t : {"A", "B", "Excav.", "Top", "Bottom", "Pile", "Tip", "Failure Plane", "Stiff Clay"})
        EXPECT_TRUE(r.HasText(t)) << t;
    const char* dims[2][6] = {{" 20 ft ", " 11 ft ", " 5 ft ", " 8 ft ", " 7 ft ", " 4 ft "},
                              {" 6 m ", " 3.3 m ", " 1.5 m ", " 2.4 m ", " 2.1 m ", " 1.2 m "}};
    for (const char* t : dims[GetParam()])
        EXPECT_TRUE(r.HasText(t)) << t;
    EXPECT_TRUE(r.HasText(SI() ? "Axial: 45 kN" : "Axial: 10 kips"));
    // Unbonded 15 ft (4.57 m) and bond 23 ft (7 m) along both tiebacks.
    EXPECT_TRUE(r.HasText(SI() ? " 4.57 m " : " 15' "));
    EXPECT_TRUE(r.HasText(SI() ? " 7 m " : " 23' "));
    EXPECT_TRUE(r.HasText(SI() ? "15" + QString(QChar(0xB0)) : "15" + QString(QChar(0xB0))));

    // The levels stand at their depths: 5 and 13 ft (1.5 and 3.9 m) below the top.
    const double scale = r.Value("Scale");
    const int yTop = int(r.Value("yTop"));
    const double depths[2][2] = {{5, 13}, {1.5, 3.9}};
    for (int i = 0; i < 2; ++i) {
        const double y = r.Value("Level" + std::to_string(i) + ".y");
        EXPECT_NEAR(y, yTop + depths[GetParam()][i] * scale, 1.0);
        const TTextRecord* letter = r.Text(QString(QChar('A' + i)));
        ASSERT_NE(letter, nullptr);
        EXPECT_NEAR(letter->Y, y, r.Value("FontSize"));
        EXPECT_LT(letter->X, r.Value("xL"));
    }
    EXPECT_NEAR(r.Value("yExc") - yTop, (SI() ? 6.0 : 20.0) * scale, 1.0);
    // The output is cut to what was drawn.
    EXPECT_EQ(r.Image.width(), int(r.Value("OutW")));
    EXPECT_EQ(r.Image.height(), int(r.Value("OutH")));
    EXPECT_GE(r.Image.height(), r.Value("yTip"));
}

TEST_P(DiagramDraw_Demo, CrossSectionColours) {
    const Rendered r = Render(D(), dkCrossSection, kWindow);
    const int fs = int(r.Value("FontSize"));
    const int xR = int(r.Value("xR")), xL2 = int(r.Value("xL2")), xL = int(r.Value("xL"));
    const int yTop = int(r.Value("yTop")), yExc = int(r.Value("yExc")), yTip = int(r.Value("yTip"));
    // Retained soil hatch right of the wall, excavation hatch left of it below the bottom.
    EXPECT_TRUE(HasColour(r, QRect(QPoint(xR + 2, yTop + 2), QPoint(xR + 8 * fs, yExc - 2)), 0x0002CBE8));
    EXPECT_TRUE(HasColour(r, QRect(QPoint(xL2 - 5 * fs, yExc + 2), QPoint(xL2 - 2, yTip - 4)), 0x005EA3FF));
    EXPECT_FALSE(
        HasColour(r, QRect(QPoint(xL2 - 5 * fs, yTop + 2), QPoint(xL2 - 2 * fs, yExc - 2)), 0x005EA3FF));
    // Concrete of the drilled pier beside the beam, below the excavation.
    EXPECT_EQ(r.Pixel((xL2 + xL) / 2, (yExc + yTip) / 2), 0xC7C7C7u);
    // The axial load arrow in red above the pile.
    EXPECT_TRUE(HasColour(r, QRect(int(r.Value("xc")) - 1, yTop - 6, 3, 4), clRed));
    // The bond zones in their hatch colour, at the middle of the bond.
    const int bx = int((r.Value("Level0.p1X") + r.Value("Level0.p2X")) / 2);
    const int by = int((r.Value("Level0.p1Y") + r.Value("Level0.p2Y")) / 2);
    EXPECT_TRUE(HasColour(r, QRect(bx - 1, by - 1, 3, 3), 0x005EA3FF));
}

TEST_P(DiagramDraw_Demo, CrossSectionPileAtItsScale) {
    // The beam's depth across the wall: 12.2 in = 1.0167 ft, or 31 cm = 0.31 m (cm to m by 100).
    const Rendered r = Render(D(), dkCrossSection, QSize(1500, 1218));
    const double depth = SI() ? 0.31 : 12.2 / 12.0;
    EXPECT_NEAR(r.Value("xR") - r.Value("xL"), depth * r.Value("Scale"), 1.5);
    // The pier: 2 ft or 0.6 m.
    EXPECT_NEAR(r.Value("xR2") - r.Value("xL2"), (SI() ? 0.6 : 2.0) * r.Value("Scale"), 1.5);
}

TEST_P(DiagramDraw_Demo, CrossSectionTakesTheWindowTexts) {
    TCrossSectionTexts texts;
    texts.SoilName = "Made Ground";
    texts.UniformUnit = "u-uni";
    texts.StripUnit = "u-strip";
    texts.WaterUnit = "u-water";
    texts.AxialUnit = "u-axial";
    const Rendered r = Render(D(), dkCrossSection, kWindow, nullptr, &texts);
    EXPECT_TRUE(r.HasText("Made Ground"));
    EXPECT_TRUE(r.HasText(SI() ? "Axial: 45 u-axial" : "Axial: 10 u-axial"));
    EXPECT_TRUE(r.HasText(SI() ? "Uniform surcharge: 12 u-uni" : "Uniform surcharge: 250 u-uni"));
    EXPECT_TRUE(
        r.HasText(SI() ? "Strip load: 14.4 u-strip @ 1.5 - 4.5 m" : "Strip load: 300 u-strip @ 5 - 15 ft"));
    EXPECT_TRUE(r.HasText(SI() ? "9 u-water" : "30 u-water"));
}

TEST_P(DiagramDraw_Demo, CrossSectionShortTiebackAndStrip) {
    TKdData d = Copy();
    d.Anchors.FreeLengths[0] = SI() ? 2.7L : 9.0L; // shorter than the minimum
    d.Anchors.StripWidth = 0.5;                    // drawn one unit wide
    const Rendered r = Render(d, dkCrossSection, kWindow);
    EXPECT_TRUE(r.HasText(SI() ? " 4.57 m " : " 15' "));
    // The whole tieback is 15 + 23 ft (4.57 + 7 m) long at 15 degrees: P2 - P1 along the bond.
    const double bond = SI() ? 7.0 : 23.0;
    const double dx = r.Value("Level0.p2X") - r.Value("Level0.p1X");
    EXPECT_NEAR(dx, bond * std::cos(15 * M_PI / 180) * r.Value("Scale"), 1.5);
    EXPECT_TRUE(r.HasTextContaining(SI() ? "@ 1.5 - 2 m" : "@ 5 - 5.5 ft"));
}

TEST_P(DiagramDraw_Demo, CrossSectionWithoutSurcharges) {
    TKdData d = Copy();
    d.Anchors.UniformSurcharge = 0;
    d.Anchors.StripLoadOn = d.Anchors.LineLoadOn = d.Anchors.PointLoadOn = false;
    const Rendered r = Render(d, dkCrossSection, kWindow);
    EXPECT_FALSE(r.HasTextContaining("surcharge"));
    EXPECT_FALSE(r.HasTextContaining("load:"));
    EXPECT_FALSE(r.Layout.Boxes.count("Strip"));
    EXPECT_TRUE(r.HasText("A"));
}

TEST_P(DiagramDraw_Demo, CrossSectionGrowsForALongLabel) {
    TCrossSectionTexts texts = TCrossSectionTexts::Defaults(D());
    const Rendered plain = Render(D(), dkCrossSection, kWindow, nullptr, &texts);
    texts.StripUnit = "psf, a caption far longer than the room the layout reserves for it";
    const Rendered wide = Render(D(), dkCrossSection, kWindow, nullptr, &texts);
    ASSERT_TRUE(wide.Layout.Boxes.count("Strip"));
    const QRect box = wide.Layout.Boxes.at("Strip");
    EXPECT_GT(wide.Image.width(), plain.Image.width());
    EXPECT_LT(box.right(), wide.Image.width()) << "the label is not clipped";
    // The end of the label is drawn: ink in its last tenth.
    EXPECT_TRUE(HasColour(wide, QRect(QPoint(box.right() - box.width() / 10, box.top()), box.bottomRight()),
                          clBlack));
}

TEST_P(DiagramDraw_Demo, CrossSectionUserDefinedPressure) {
    TKdData d = Copy();
    d.PressureMethod = 1;
    const Rendered r = Render(d, dkCrossSection, kWindow);
    int n = 0;
    for (const TTextRecord& t : r.Texts)
        n += t.Text == "User Defined";
    EXPECT_EQ(n, 2);
}

// --- guardrail -------------------------------------------------------------------------------

TEST_P(DiagramDraw_Demo, GuardrailTexts) {
    const Rendered r = Render(D(), dkGuardrail, kWindow);
    for (const char* t : {"GUARDRAIL", "MAX INTERVALS FOR", "TENSIONING"})
        EXPECT_TRUE(r.HasText(t)) << t;
    if (SI()) {
        // 10 in x 25.4 = 254 mm; 30 ft = 9.144 m; cable 12.7 mm (the angle's thickness).
        for (const char* t : {"L89X89X12.7", "254 mm WELD", "TURNBUCKLES @ 9.144 m", "152.4 mm MAX",
                              "12.7 mm STEEL CABLE W/", " 1.07 m ", " 381 mm ", " 304.8 mm "})
            EXPECT_TRUE(r.HasTextContaining(t)) << t;
    } else {
        for (const char* t : {"L3-1/2X3-1/2X1/2", "10\" WELD", "TURNBUCKLES @ 30'", "6\" MAX",
                              "0.5\" STEEL CABLE W/", " 3.5' ", " 15\" ", " 12\" "})
            EXPECT_TRUE(r.HasTextContaining(t)) << t;
    }
    EXPECT_EQ(r.Image.size(), kWindow);
    // Post 3.5 ft (1.07 m) tall at the scale.
    EXPECT_NEAR(r.Value("yPost") - r.Value("yTop"), (SI() ? 1.07 : 3.5) * r.Value("Scale"), 1.0);
}

TEST_P(DiagramDraw_Demo, GuardrailPostStaysInTheUpperPart) {
    for (const QSize size : {QSize(400, 2000), QSize(600, 700), QSize(1500, 400)}) {
        const Rendered r = Render(D(), dkGuardrail, size);
        const double top = r.Value("yTop"), bottom = r.Value("yBottom");
        EXPECT_GE(r.Value("yPost"), top + std::floor((bottom - top) / 2)) << size.height();
        // Two overlaps of 12 in below the post fit above the bottom.
        EXPECT_LE(r.Value("yPost") + 2 * (SI() ? 0.3048 : 1.0) * r.Value("Scale"), bottom + 10);
    }
}

TEST_P(DiagramDraw_Demo, GuardrailWithoutALengthIsWhite) {
    for (const double length : {0.0, -2.0, kNaN, HUGE_VAL}) {
        TKdData d = Copy();
        d.GuardrailLength = length;
        const Rendered r = Render(d, dkGuardrail, kWindow);
        EXPECT_EQ(r.Inked(), 0) << length;
    }
}

// --- member sections -------------------------------------------------------------------------

TEST_P(DiagramDraw_Demo, MemberSectionsScaleAndColours) {
    TKdData d = Copy();
    MakeBraced(d, lkStrut);
    const TAnchLevel& flanged = d.Anchors.Levels[0];
    const TAnchLevel& pipe = d.Anchors.Levels[1];
    ASSERT_EQ(flanged.MemberKind, 0);
    ASSERT_EQ(pipe.MemberKind, 1);
    const double per = SI() ? 1000.0 : 12.0;
    const QString unit = SI() ? "mm" : "in";

    // A tall narrow picture is scaled by its width, a wide one by its height.
    for (const QSize size : {QSize(240, 700), QSize(900, 260)}) {
        const Rendered r = Render(d, dkFlangedSection, size, &flanged);
        const double outerW = std::max(double(flanged.MemberWidth), double(flanged.IShape.Bf) / per);
        const double outerH = std::max(double(flanged.MemberLength), double(flanged.IShape.D) / per);
        const double byWidth = (r.Value("right") - r.Value("left")) / outerW;
        const double byHeight = (r.Value("bottom") - r.Value("top")) / outerH;
        if (size.width() < size.height())
            EXPECT_LT(r.Value("Scale") * outerH, size.height() * 0.9) << "height not the limit";
        else
            EXPECT_LT(r.Value("Scale") * outerW, size.width() * 0.9) << "width not the limit";
        EXPECT_NEAR(byWidth, r.Value("Scale"), r.Value("Scale") * 0.05);
        EXPECT_NEAR(byHeight, r.Value("Scale"), r.Value("Scale") * 0.05);
        // Steel in the top flange, white outside the section.
        const int xc = int((r.Value("left") + r.Value("right")) / 2);
        EXPECT_EQ(r.Pixel(xc - 3, int(r.Value("top")) + 1), 0x0000BFu);
        EXPECT_EQ(r.Pixel(int(r.Value("left")) + 2, int((r.Value("top") + r.Value("bottom")) / 2)), clWhite);
        EXPECT_TRUE(r.HasText(" " + TDiagramDraw::FormatValue(double(flanged.IShape.Bf), 2, unit) + " "));
        EXPECT_TRUE(r.HasText(" " + TDiagramDraw::FormatValue(double(flanged.IShape.Tw), 2, unit) + " "));
    }

    for (const bool filled : {false, true}) {
        TAnchLevel p = pipe;
        p.ConcreteFilled = filled;
        const Rendered r = Render(d, dkPipeSection, kWindow, &p);
        const int xc = int(r.Value("xc")), yc = int(r.Value("yc"));
        EXPECT_EQ(r.Pixel(xc, yc), filled ? 0xC7C7C7u : clWhite);
        const int ring = int((r.Value("r") + r.Value("rInner")) / 2);
        EXPECT_EQ(r.Pixel(xc, yc - ring), 0x0000BFu);
        EXPECT_NEAR(2 * r.Value("r"), double(p.OShape.OD) / per * r.Value("Scale"), 1.0);
        EXPECT_TRUE(r.HasText(" " + TDiagramDraw::FormatValue(double(p.OShape.OD), 2, unit) + " "));
    }
    // A wall that fills the pipe leaves no inside.
    TAnchLevel solid = pipe;
    solid.OShape.T = solid.OShape.OD / 2;
    const Rendered r = Render(d, dkPipeSection, kWindow, &solid);
    EXPECT_EQ(r.Pixel(int(r.Value("xc")), int(r.Value("yc"))), 0x0000BFu);
}

TEST_P(DiagramDraw_Demo, MemberSectionsWithoutAMemberAreWhite) {
    TKdData d = Copy();
    MakeBraced(d, lkStrut);
    TAnchLevel none = d.Anchors.Levels[0];
    none.MemberWidth = 0;
    TAnchLevel notDesigned = d.Anchors.Levels[0];
    notDesigned.StructuralDesign = false;
    for (int kind : {int(dkFlangedSection), int(dkPipeSection)}) {
        EXPECT_EQ(Render(d, kind, kWindow, &none).Inked(), 0);
        EXPECT_EQ(Render(d, kind, kWindow, &notDesigned).Inked(), 0);
        EXPECT_EQ(Render(d, kind, kWindow, nullptr).Inked(), 0);
    }
}

// --- plan view -------------------------------------------------------------------------------

TEST_P(DiagramDraw_Demo, PlanViewSoldierPiles) {
    const Rendered r = Render(D(), dkPilePlanView, kWindow);
    const double rs = r.Value("RowScale");
    // Two piers one spacing (8 ft or 2.4 m) apart, no intermediate piers.
    EXPECT_NEAR(r.Value("X2") - r.Value("X1"), (SI() ? 2.4 : 8.0) * rs, 1.0);
    EXPECT_FALSE(r.Layout.Has("Secondary0"));
    const int rPier = RoundPx((SI() ? 0.6 : 2.0) * rs / 2);
    for (const char* x : {"X1", "X2"})
        EXPECT_EQ(r.Pixel(int(r.Value(x)) - rPier * 2 / 3, int(r.Value("Yr")) + rPier / 3), 0xC7C7C7u) << x;
    EXPECT_TRUE(r.HasText("pier spacing"));
    EXPECT_TRUE(r.HasText(SI() ? "2.4 m" : "8 ft"));
    // The detail: W12X26 12.2 in deep (31 cm), 6.49 in wide (16.5 cm), in a 24 in (60 cm) pier.
    const char* sizes[2][3] = {{" 12.2 in ", " 6.49 in ", " 24 in "}, {" 31 cm ", " 16.5 cm ", " 60 cm "}};
    for (const char* t : sizes[GetParam()])
        EXPECT_TRUE(r.HasText(t)) << t;
    EXPECT_NEAR(r.Value("SectionRight") - r.Value("SectionLeft"),
                (SI() ? 0.31 : 12.2 / 12) * r.Value("Scale"), 1.5);
    const int xWeb = int((r.Value("Xc") + r.Value("SectionRight")) / 2);
    EXPECT_EQ(r.Pixel(xWeb, int(r.Value("Yc")) + 1), 0x0000BFu) << "the web";
    EXPECT_EQ(r.Value("PierOutline"), double(0x9C703F));
    // Half clear gap (24 - 13.82) / 2 = 5.09 in; SI (60 - 35.12) / 2 = 12.44 cm.
    EXPECT_TRUE(r.HasText(SI() ? "12.44 cm" : "5.09 in"));
    EXPECT_EQ(r.Image.size(), kWindow);
}

TEST_P(DiagramDraw_Demo, PlanViewTangentAndSecantRows) {
    for (const int type : {int(ptTangent), int(ptSecant)}) {
        TKdData d = Copy();
        MakePile(d, type, psRebarCage, 0);
        const Rendered r = Render(d, dkPilePlanView, kWindow);
        const double rs = r.Value("RowScale");
        const double s = double(d.PileSpacing), tw = double(d.TributaryWidth());
        EXPECT_NEAR(r.Value("X2") - r.Value("X1"), s * rs, 1.0) << "the dimension S spans the two piers";
        ASSERT_TRUE(r.Layout.Has("Secondary1"));
        EXPECT_NEAR(r.Value("Secondary0") - r.Value("X1"), s / 2 * rs, 1.0);
        // The last intermediate pier lies inside the picture.
        EXPECT_LE(r.Value("Secondary1") + tw / 2 * rs, kWindow.width());
        EXPECT_EQ(r.Pixel(int(r.Value("Secondary1")), int(r.Value("Yr"))), 0xC7C7C7u);
    }
}

TEST_P(DiagramDraw_Demo, PlanViewBeamTooCloseToThePierSurface) {
    TKdData d = Copy();
    // Half clear gap of 1 in (2.5 cm): below the 2 in (5 cm) limit.
    d.PileWidth = (d.BeamDiagonal + 2 * (SI() ? 2.5L : 1.0L)) / (SI() ? 100.0L : 12.0L);
    ASSERT_FALSE(d.IsClearGapWide());
    const Rendered r = Render(d, dkPilePlanView, kWindow);
    EXPECT_EQ(r.Value("PierOutline"), double(0x0000FF));
    EXPECT_TRUE(HasColour(r, QRect(int(r.Value("Xc") - r.Value("HalfTW")) - 1, int(r.Value("Yc")) - 1, 4, 3),
                          0x0000FF));
}

TEST_P(DiagramDraw_Demo, PlanViewRebarCageLabels) {
    TKdData d = Copy();
    MakePile(d, ptSoldierBeam, psRebarCage, 0);
    d.VerticalBarCount = 8;
    d.VerticalBarSize = SI() ? 25 : 8;
    d.LateralBarSize = SI() ? 13 : 4;
    d.TieOrSpiral = 0;
    d.ClearCover = SI() ? 75 : 3;
    d.PitchOverride = SI() ? 300 : 12;
    Rendered r = Render(d, dkPilePlanView, QSize(900, 700));
    EXPECT_TRUE(r.HasText(SI() ? "8 25M vert. bars" : "8 #8 vert. bars"));
    EXPECT_TRUE(r.HasText(SI() ? "13M ties @ 300 mm" : "#4 ties @ 12 in"));
    EXPECT_TRUE(r.HasText(SI() ? "75 mm clear" : "3 in clear"));
    for (const char* box : {"Bars", "Cover", "Ties"}) {
        const QRect b = r.Layout.Boxes.at(box);
        EXPECT_GE(b.left(), 0) << box;
        EXPECT_LE(b.right(), 900) << box;
    }
    // A pitch override of 0 shows the calculated pitch.
    d.PitchOverride = 0;
    d.CalculatedPitch = SI() ? 250 : 10;
    d.TieOrSpiral = 1;
    r = Render(d, dkPilePlanView, QSize(900, 700));
    EXPECT_TRUE(r.HasText(SI() ? "13M spiral @ 250 mm" : "#4 spiral @ 10 in"));
    // Eight bars from the top clockwise: the fifth at the bottom of the bar circle, the third at
    // its right.
    EXPECT_EQ(r.Pixel(int(r.Value("Xc")), int(r.Value("Yc") + r.Value("BarCircle"))), clBlack);
    EXPECT_EQ(r.Pixel(int(r.Value("Xc") + r.Value("BarCircle")), int(r.Value("Yc"))), clBlack);
    EXPECT_EQ(r.Pixel(int(r.Value("Xc")), int(r.Value("Yc"))), 0xC7C7C7u);
}

TEST_P(DiagramDraw_Demo, PlanViewBandKeepsToAnEighthOfTheHeight) {
    TKdData d = Copy();
    // Close piles in a wide picture would make the band taller than an eighth: it stays there.
    d.PileSpacing = SI() ? 0.9 : 3;
    const Rendered r = Render(d, dkPilePlanView, QSize(1200, 700));
    EXPECT_EQ(r.Value("Bottom") - r.Value("RowTop"), 88); // 700 / 8 = 87.5 -> 88
    EXPECT_NEAR(r.Value("X2") - r.Value("X1"), double(d.PileSpacing) * r.Value("RowScale"), 1.0);
    // A wide spacing leaves a lower band across the width.
    d.PileSpacing = SI() ? 30 : 100;
    const Rendered n = Render(d, dkPilePlanView, QSize(1200, 700));
    EXPECT_LT(n.Value("Bottom") - n.Value("RowTop"), 88);
}

TEST_P(DiagramDraw_Demo, PlanViewSheetPiles) {
    TKdData d = Copy();
    MakePile(d, ptSheet, psIBeam, 1);
    const Rendered r = Render(d, dkPilePlanView, kWindow);
    EXPECT_FALSE(r.HasText("pier spacing"));
    EXPECT_GT(r.Value("RowSheets"), 1);
    EXPECT_TRUE(HasColour(
        r, QRect(0, int(r.Value("RowTop")), kWindow.width(), int(r.Value("Bottom") - r.Value("RowTop"))),
        0x0000BF));
    // PZ 40: 19.7 in (50 cm) wide, 16.1 in (40.9 cm) high, 0.6 in (1.267 cm) thick. At the report's
    // size the band's sheets are some 4 pixels thick: the bottom flange is solid steel across its
    // thickness under the first sheet and under the second, turned over so that the two join.
    const Rendered big = Render(d, dkPilePlanView, QSize(1500, 1218));
    const double rs = big.Value("RowScale") / (SI() ? 100 : 12); // pixels per in | cm
    const double left = big.Value("X1") - RoundPx(double(d.TributaryWidth()) * big.Value("RowScale") / 2);
    const double w = (SI() ? 50 : 19.7) * rs, t = (SI() ? 1.267 : 0.6) * rs;
    const double yFlange = big.Value("Yr") + (SI() ? 40.9 : 16.1) * rs / 2 - t / 2;
    ASSERT_GE(t, 3.5);
    for (const double x : {left + w * 5 / 6, left + w * 7 / 6})
        for (int dy = -1; dy <= 1; ++dy)
            EXPECT_EQ(big.Pixel(int(x), int(std::lround(yFlange)) + dy), kSteel) << x << ' ' << dy;
}

TEST_P(DiagramDraw_Demo, PlanViewPipeShowsItsNominalWall) {
    // HSS18X.375 (SI HSS457.2X9.5): nominal wall 0.375 in (9.53 mm), design wall 0.349 in (8.86 mm).
    TKdData d = Copy();
    MakePile(d, ptSoldierBeam, psPipe, 0);
    const Rendered r = Render(d, dkPilePlanView, kWindow);
    EXPECT_TRUE(r.HasText(SI() ? " 0.95 cm " : " 0.38 in ")) << "the wall thickness dimension";
    EXPECT_EQ(r.Value("Wall"), RoundPx((SI() ? 0.953 / 100 : 0.375 / 12) * r.Value("Scale")));
}

TEST_P(DiagramDraw_Demo, PlanViewWithoutWidthIsWhite) {
    TKdData d = Copy();
    d.PileWidth = 0; // drilled: the tributary width is the pile width
    ASSERT_EQ(d.TributaryWidth(), 0.0L);
    EXPECT_EQ(Render(d, dkPilePlanView, kWindow).Inked(), 0);
}

INSTANTIATE_TEST_SUITE_P(DiagramDraw, DiagramDraw_Demo, ::testing::Values(0, 1),
                         [](const auto& info) { return info.param ? "SI" : "English"; });

// --- faults and entry points -----------------------------------------------------------------

class DiagramDraw_Faults : public ::testing::Test {
  protected:
    TKdData d = DemoProject(0);
};

TEST_F(DiagramDraw_Faults, NothingToDrawLeavesWhite) {
    TKdData noPile = d;
    noPile.PileLength = 0;
    EXPECT_EQ(Render(noPile, dkCrossSection, kWindow).Inked(), 0);
    TKdData undefined = d;
    undefined.PileLength = kNaN;
    undefined.ShoredHeight = kNaN;
    EXPECT_EQ(Render(undefined, dkCrossSection, kWindow).Inked(), 0);
    // No width at all: no levels, no surcharges, a section of no size.
    TKdData narrow = d;
    narrow.Anchors.LevelCount = 0;
    narrow.Anchors.StripLoadOn = narrow.Anchors.LineLoadOn = narrow.Anchors.PointLoadOn = false;
    narrow.PileWidth = 0;
    narrow.CustomSection = TSteelShape{};
    narrow.ShapeIndex = -1;
    ASSERT_EQ(narrow.DiagramWidth(), 0.0L);
    EXPECT_EQ(Render(narrow, dkCrossSection, kWindow).Inked(), 0);
}

TEST_F(DiagramDraw_Faults, MembersWithoutAFiniteDrawingAreLeftOut) {
    // A tieback straight down and a raker lying flat: their levels' ticks and letters stay.
    TKdData d2 = d;
    d2.Anchors.Levels[0].Angle = 90;
    d2.Anchors.Levels[1].Kind = lkRaker;
    d2.Anchors.Levels[1].Angle = 0;
    ASSERT_TRUE(IsFinite(d2.DiagramWidth()));
    const Rendered r = Render(d2, dkCrossSection, kWindow);
    EXPECT_TRUE(r.HasText("A"));
    EXPECT_TRUE(r.HasText("B"));
    EXPECT_FALSE(r.Layout.Has("Level0.startX"));
    EXPECT_FALSE(r.Layout.Has("Level1.p2X"));
    EXPECT_TRUE(r.HasText("Failure Plane"));
    EXPECT_GT(r.Inked(), 1000);
}

TEST_F(DiagramDraw_Faults, UndefinedBondDrawsTheFreeLengthOnly) {
    TKdData u = d;
    u.Anchors.Levels[0].BondLength = kNaN; // a user bond soil without load transfer
    // As computed for the tables the free length stays undefined; the drawing's width does not.
    EXPECT_TRUE(IsNaN(u.MaxFreeProjection(false)));
    // 15 ft free at 15 degrees, the other tieback 15 + 23 ft: width 2 ft + 38 cos 15 (surcharges
    // reach less).
    EXPECT_NEAR(double(u.DiagramWidth()), 2.0 + 38 * std::cos(15 * M_PI / 180), 1e-9);
    const Rendered r = Render(u, dkCrossSection, kWindow);
    ASSERT_TRUE(r.Layout.Has("Level0.p2X"));
    EXPECT_EQ(r.Value("Level0.p2X"), r.Value("Level0.p1X"));
    EXPECT_NE(r.Value("Level1.p2X"), r.Value("Level1.p1X"));
    EXPECT_TRUE(r.HasText(" 15' "));
    EXPECT_TRUE(r.HasText(" 23' ")) << "the second tieback keeps its bond";
    // Unchanged model results where everything is defined.
    EXPECT_EQ(d.DiagramWidth(), d.EffectivePileWidth() + d.MaxFreeProjection(true) +
                                    std::max(d.MaxFreeProjection(false), d.SurchargeExtent()));
}

TEST_F(DiagramDraw_Faults, EmptyTargetsAndUnknownKinds) {
    EXPECT_TRUE(RenderDiagram(d, dkCrossSection, QSize(0, 0)).isNull());
    EXPECT_TRUE(RenderDiagram(d, dkGuardrail, QSize(0, 50)).isNull());
    const QImage unknown = RenderDiagram(d, 9, QSize(50, 40));
    ASSERT_EQ(unknown.size(), QSize(50, 40));
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 50; ++x)
            ASSERT_EQ(FromQRgb(unknown.pixel(x, y)), clWhite);
}

TEST_F(DiagramDraw_Faults, EntryPointsFillTheirTargets) {
    QLabel label;
    label.resize(300, 250);
    DrawToImage(label, d, dkCrossSection);
    const QPixmap shown = label.pixmap();
    ASSERT_FALSE(shown.isNull());
    EXPECT_LE(shown.width(), 300);
    EXPECT_LE(shown.height(), 250);
    QImage target(400, 300, QImage::Format_RGB32);
    DrawToGraphic(target, d, dkGuardrail);
    EXPECT_EQ(target.size(), QSize(400, 300));
    QImage section(500, 500, QImage::Format_RGB32);
    DrawToGraphic(section, d, dkCrossSection);
    EXPECT_FALSE(section.isNull());
    EXPECT_LE(section.height(), 500) << "cut to what was drawn";
    QImage none;
    DrawToGraphic(none, d, dkPilePlanView);
    EXPECT_TRUE(none.isNull());
}

TEST_F(DiagramDraw_Faults, DamagedProjectRendersAtOnce) {
    // Everything degenerate at once: no crash, no hang, a picture of the asked size or smaller.
    TKdData bad = d;
    bad.Anchors.LevelCount = 4;
    bad.ResizeAnchorLevels();
    bad.Anchors.FreeLengths = {kNaN, 1e300L, -5, 0};
    bad.Anchors.Levels[0].Angle = 90;
    bad.Anchors.Levels[1].Kind = lkRaker;
    bad.Anchors.Levels[1].Angle = 0;
    bad.Anchors.Levels[2].Kind = lkTieRod;
    bad.Anchors.Levels[2].BondLength = 1e300L;
    bad.Anchors.Levels[3].Kind = lkStrut;
    bad.Anchors.Levels[3].HeightFromPrevious = -100;
    bad.Anchors.Levels[0].BarSize = 99;
    bad.Anchors.StripWidth = -3;
    bad.Anchors.PointOffset = 1e12;
    bad.Anchors.WaterDepth = -5;
    bad.ShoredHeight = 1e9L;
    bad.GuardrailLength = 1e-12L;
    bad.GuardrailAngle = 77;
    bad.PileSpacing = 0;
    bad.VerticalBarCount = 0;
    bad.PileSection = psRebarCage;
    bad.LateralBarSize = -4;
    bad.ClearCover = 1e6L;
    TAnchLevel level = bad.Anchors.Levels[0];
    level.StructuralDesign = true;
    level.MemberWidth = 1;
    level.OShape.OD = 0;
    level.IShape = TIShape{};
    for (const QSize size : {QSize(1, 1), QSize(40, 30), kWindow}) {
        for (int kind = 0; kind <= 5; ++kind) {
            const QImage picture = RenderDiagram(bad, kind, size, &level);
            EXPECT_FALSE(picture.isNull()) << kind;
        }
    }
}

} // namespace
} // namespace vantrel
