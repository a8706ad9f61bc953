// Waler design: statics of the two layouts, required and provided section modulus, deflection curve,
// section choice and the undefined cases.
//
// Statics are checked against hand statics of the beam (moments about the supports, the classic
// coefficients of two equal spans); deflections against closed forms (5 w L^4/384 EI of a simple
// span, w l^4/185 EI of a propped span, the free-end deflection of a beam overhanging one support,
// w a (4 a^2 l - l^3 + 3 a^3)/24 EI, also checked by a numerical double integration of M/EI).

#include <gtest/gtest.h>

#include <cmath>

#include "model/KdClasses.h"

using namespace vantrel;

namespace {

TSteelShape Channel(const char* name, Ext Ix, Ext Sx) {
    TSteelShape c;
    c.Name = name;
    c.Ix = Ix;
    c.Sx = Sx;
    return c;
}

// Two levels 4 ft apart, piles 8 ft apart; the level loads give w = load / 8. Level 0 has a waler
// of Fy 50 ksi on the first channel row (Ix 100 in^4, Sx 12 in^3); the second channel row is
// Ix 400, Sx 40.
struct WalerProject {
    TKdData d;
    int familyRows = 0;

    explicit WalerProject(uint8_t units = usEnglish) {
        d.Units = units;
        d.PileType = ptSoldierBeam;
        d.PileSpacing = 8.0L;
        d.ChannelShapes = {Channel("C-A", 100.0L, 12.0L), Channel("C-B", 400.0L, 40.0L)};
        d.Anchors.LevelCount = 2;
        d.Anchors.Levels.assign(2, TAnchLevel{});
        d.Anchors.LevelLoads = {16.0L, 16.0L};
        for (TAnchLevel& lv : d.Anchors.Levels) {
            lv.HeightFromPrevious = 4.0L;
            lv.Waler.HasWaler = true;
            lv.Waler.Fy = 50.0L;
        }
        TArrSteelShapes family;
        d.LoadIShapeTable(0, family);
        familyRows = static_cast<int>(family.size());
        for (TAnchLevel& lv : d.Anchors.Levels)
            lv.Waler.ShapeRow = familyRows;
    }
    TWaler& Waler(int i = 0) { return d.Anchors.Levels[static_cast<size_t>(i)].Waler; }
};

} // namespace

// Two equal spans l = 10 ft, w = 2 kip/ft: R1 = 3/8 (20) = 7.5, R2 = 10/8 (20) = 25, V2 = 12.5,
// M1 = -w l^2/8 = -25, M2 = -9 w l^2/128 = -14.0625 kip-ft; RequiredS = 25 (12)/(0.6 (50)) = 10 in^3
// < 12. EI = 100 (29000)/144 = 20138.9 kip-ft^2; the largest deflection w l^4/185 EI = 2 (10^4)/(185
// (20138.9)) ft = 0.064418 in at 0.4215 l = 4.215 ft, below 20 (12)/480 = 0.5 in.
TEST(Waler, TwoEqualSpans) {
    WalerProject p;
    TWaler& w = p.Waler();
    w.TwoSpans = true;
    w.WLeft = 10.0L;
    w.E = 1.0L; // replaced by the design
    p.d.DesignWaler(0);
    EXPECT_EQ(w.E, 29000.0L);
    EXPECT_NEAR(w.WalerDepth, 4.0L, 1e-15L);
    EXPECT_EQ(w.TotalLength, 20.0L);
    EXPECT_EQ(w.WalerW, 2.0L);
    EXPECT_EQ(w.WalerLoad, 20.0L);
    EXPECT_NEAR(w.R1, 7.5L, 1e-15L);
    EXPECT_NEAR(w.R2, 25.0L, 1e-15L);
    EXPECT_NEAR(w.V2, 12.5L, 1e-15L);
    EXPECT_NEAR(w.M1, -25.0L, 1e-15L);
    EXPECT_NEAR(w.M2, -14.0625L, 1e-15L);
    EXPECT_NEAR(w.MaxShearW, 12.5L, 1e-15L);
    EXPECT_NEAR(w.MaxMomentW, 25.0L, 1e-15L);
    EXPECT_NEAR(w.RequiredS, 10.0L, 1e-15L);
    EXPECT_EQ(w.ProvidedS, 12.0L);
    EXPECT_TRUE(w.ModulusPass);
    EXPECT_NEAR(w.MaxDeflectionW, -0.0644175L, 1e-7L);
    EXPECT_NEAR(w.MaxDeflectionX, 4.215L, 1e-15L);
    EXPECT_EQ(w.AllowableDeflectionW, 0.5L);
    EXPECT_TRUE(w.DeflectionPass);
    // The plotted curve is zero at the three supports and symmetric about the middle one.
    EXPECT_EQ(w.WalerDeflections[0].Y, 0.0L);
    EXPECT_NEAR(w.WalerDeflections[25].Y, 0.0L, 1e-15L);
    EXPECT_NEAR(w.WalerDeflections[50].Y, 0.0L, 1e-15L);
    EXPECT_NEAR(w.WalerDeflections[50].X, 20.0L, 1e-15L);
    for (int i = 1; i < 25; ++i) {
        EXPECT_LT(w.WalerDeflections[i].Y, 0.0L);
        EXPECT_NEAR(w.WalerDeflections[i].Y, w.WalerDeflections[50 - i].Y, 1e-12L);
        EXPECT_GE(w.WalerDeflections[i].Y, w.MaxDeflectionW - 1e-15L);
    }
}

// Two supports with overhangs, w = 2 kip/ft:
// - Wa 3, Wb 10, Wc 2 (L 15, W 30): R1 = 30 (15 - 4)/20 = 16.5, R2 = 30 (15 - 6)/20 = 13.5; V1 = 6,
//   V2 = 10.5, V4 = 4, V3 = 9.5; M1 = -2 (9)/2 = -9, M2 = -4; zero shear at x = 16.5/2 = 8.25 ft where
//   M = 16.5 (5.25) - 2 (8.25^2)/2 = 18.5625 kip-ft; RequiredS = 18.5625 (12)/30 = 7.425 in^3.
// - Wa 0, Wb 20, Wc 0: a simple span, 5 w L^4/384 EI = 5 (2)(20^4)/(384 (20138.9)) ft = 2.48276 in at
//   mid-span (point 25), above 0.5 in: the deflection fails.
// - Wa 0, Wb 10, Wc 3: R1 = 26 (7)/20 = 9.1, R2 = 16.9; free end lifts by 2 (3)(360 - 1000 + 81)/
//   (24 EI) ft = 0.0832717 in (point 50); the largest deflection -0.121767 in lies at point 19 (x = 4.94
//   ft), from a numerical double integration of M/EI with y = 0 at both supports.
TEST(Waler, OverhangLayout) {
    {
        WalerProject p;
        TWaler& w = p.Waler();
        w.Wa = 3.0L;
        w.Wb = 10.0L;
        w.Wc = 2.0L;
        p.d.DesignWaler(0);
        EXPECT_EQ(w.TotalLength, 15.0L);
        EXPECT_EQ(w.WalerLoad, 30.0L);
        const Ext expected[] = {16.5L, 13.5L, 6.0L,     10.5L, 9.5L,     4.0L,
                                -9.0L, -4.0L, 18.5625L, 10.5L, 18.5625L, 7.425L};
        const Ext actual[] = {w.R1, w.R2, w.V1, w.V2,        w.V3,         w.V4,
                              w.M1, w.M2, w.M3, w.MaxShearW, w.MaxMomentW, w.RequiredS};
        for (size_t i = 0; i < std::size(expected); ++i)
            EXPECT_NEAR(actual[i], expected[i], 1e-14L) << i;
        // Zero deflection at both supports (x = 3 is point 10, x = 13 is point 43.33: check point 10).
        EXPECT_NEAR(w.WalerDeflections[10].X, 3.0L, 1e-15L);
        EXPECT_NEAR(w.WalerDeflections[10].Y, 0.0L, 1e-12L);
    }
    {
        WalerProject p;
        TWaler& w = p.Waler();
        w.Wb = 20.0L;
        p.d.DesignWaler(0);
        EXPECT_NEAR(w.MaxDeflectionW, -2.4827586L, 1e-6L);
        EXPECT_NEAR(w.MaxDeflectionX, 10.0L, 1e-12L);
        EXPECT_NEAR(w.WalerDeflections[0].Y, 0.0L, 1e-12L);
        EXPECT_NEAR(w.WalerDeflections[50].Y, 0.0L, 1e-12L);
        EXPECT_FALSE(w.DeflectionPass);
    }
    {
        WalerProject p;
        TWaler& w = p.Waler();
        w.Wb = 10.0L;
        w.Wc = 3.0L;
        p.d.DesignWaler(0);
        EXPECT_NEAR(w.R1, 9.1L, 1e-14L);
        EXPECT_NEAR(w.R2, 16.9L, 1e-14L);
        EXPECT_NEAR(w.WalerDeflections[50].Y, 0.0832717L, 1e-7L);
        EXPECT_NEAR(w.MaxDeflectionW, -0.1217672L, 1e-6L);
        EXPECT_NEAR(w.MaxDeflectionX, 4.94L, 1e-12L);
    }
}

// SI, two spans l = 3 m, w = 240 kN / 8 m = 30 kN/m, channel Ix 4000 cm^4, Sx 200 cm^3, Fy 345 MPa:
// M1 = 30 (9)/8 = 33.75 kN-m, RequiredS = 33.75 (1000)/(0.6 (345)) = 163.043 cm^3; E = 200000 MPa,
// EI = 4000 (200000)/10^5 = 8000 kN m^2, deflection 30 (3^4)/(185 (8000)) m = 1.64189 mm; allowable
// 6000/480 = 12.5 mm.
TEST(Waler, SiTwoSpans) {
    WalerProject p(usSI);
    TArrSteelShapes channels = p.d.ChannelShapes;
    channels[0] = Channel("C-SI", 4000.0L, 200.0L);
    p.d.ChannelShapes = channels;
    p.d.Anchors.LevelLoads[0] = 240.0L;
    TWaler& w = p.Waler();
    w.Fy = 345.0L;
    w.TwoSpans = true;
    w.WLeft = 3.0L;
    p.d.DesignWaler(0);
    EXPECT_EQ(w.E, 200000.0L);
    EXPECT_NEAR(w.M1, -33.75L, 1e-14L);
    EXPECT_NEAR(w.RequiredS, 163.043478L, 1e-6L);
    EXPECT_TRUE(w.ModulusPass);
    EXPECT_NEAR(w.MaxDeflectionW, -1.6418919L, 1e-7L);
    EXPECT_NEAR(w.AllowableDeflectionW, 12.5L, 1e-15L);
    EXPECT_TRUE(w.DeflectionPass);
}

// The section: a row inside the family's I-shape table is used as is and clears the two-channel
// flag; one past its end is the first channel row, two past the second; two channels double Sx of a
// channel only. On a sheet-pile wall the waler still takes the I-shape table of its family.
TEST(Waler, SectionChoice) {
    WalerProject p;
    ASSERT_GT(p.familyRows, 0);
    TArrSteelShapes family;
    p.d.LoadIShapeTable(0, family);

    TWaler& w = p.Waler();
    w.Wb = 10.0L;
    w.ShapeRow = 0;
    w.TwoChannels = true;
    p.d.DesignWaler(0);
    EXPECT_FALSE(w.TwoChannels);
    EXPECT_EQ(w.WalerIx, family[0].Ix);
    EXPECT_EQ(w.ProvidedS, family[0].Sx);
    EXPECT_FALSE(p.d.WalerIndexOutOfRange(0));

    w.ShapeRow = p.familyRows + 1;
    w.TwoChannels = true;
    p.d.DesignWaler(0);
    EXPECT_TRUE(w.TwoChannels);
    EXPECT_EQ(w.WalerIx, 400.0L);
    EXPECT_EQ(w.ProvidedS, 80.0L);
    EXPECT_TRUE(p.d.WalerIndexOutOfRange(0));
    w.TwoChannels = false;
    p.d.DesignWaler(0);
    EXPECT_EQ(w.ProvidedS, 40.0L);

    w.ShapeRow = p.familyRows + 2; // past the channels too
    p.d.DesignWaler(0);
    EXPECT_TRUE(std::isnan(w.WalerIx));
    EXPECT_FALSE(w.ModulusPass);
    EXPECT_FALSE(w.DeflectionPass);

    p.d.PileType = ptSheet;
    TArrSteelShapes onSheetWall;
    p.d.LoadIShapeTable(0, onSheetWall);
    ASSERT_EQ(onSheetWall.size(), family.size());
    EXPECT_EQ(onSheetWall.front().Name, family.front().Name);
    TArrSteelShapes sheets;
    p.d.LoadShapeTable(0, sheets);
    EXPECT_NE(sheets.front().Name, family.front().Name);
    w.ShapeRow = 0;
    p.d.DesignWaler(0);
    EXPECT_EQ(w.ProvidedS, family[0].Sx);
}

// A level without a waler has every result 0; a waler without load has zero results and passes; a
// waler whose span b is zero (or whose two spans have no length) is undefined for its level only, and
// the next level is still designed.
TEST(Waler, ZeroAndUndefinedCases) {
    WalerProject p;
    TWaler& none = p.Waler();
    none.HasWaler = false;
    none.Wb = 10.0L;
    none.R1 = 5.0L;
    none.WalerDeflections[7].Y = 1.0L;
    p.d.DesignWaler(0);
    for (const Ext v : {none.TotalLength, none.WalerW, none.WalerLoad, none.R1, none.R2, none.V2, none.M3,
                        none.MaxMomentW, none.RequiredS, none.ProvidedS, none.MaxDeflectionW,
                        none.AllowableDeflectionW, none.WalerDeflections[7].Y})
        EXPECT_EQ(v, 0.0L);
    EXPECT_FALSE(none.ModulusPass);

    WalerProject q;
    q.d.Anchors.LevelLoads[0] = 0.0L;
    TWaler& unloaded = q.Waler();
    unloaded.Wa = 2.0L;
    unloaded.Wb = 10.0L;
    q.d.DesignWaler(0);
    for (const Ext v : {unloaded.R1, unloaded.M1, unloaded.M3, unloaded.MaxMomentW, unloaded.RequiredS,
                        unloaded.MaxDeflectionW, unloaded.WalerDeflections[30].Y})
        EXPECT_EQ(v, 0.0L);
    EXPECT_TRUE(unloaded.ModulusPass);
    EXPECT_TRUE(unloaded.DeflectionPass);

    WalerProject r;
    TWaler& noSpan = r.Waler(0);
    noSpan.Wa = 2.0L;
    TWaler& next = r.Waler(1);
    next.Wb = 10.0L;
    r.d.DesignWaler(0);
    r.d.DesignWaler(1);
    for (const Ext v :
         {noSpan.R1, noSpan.M3, noSpan.RequiredS, noSpan.MaxDeflectionW, noSpan.WalerDeflections[3].Y})
        EXPECT_TRUE(std::isnan(v));
    EXPECT_FALSE(noSpan.ModulusPass);
    EXPECT_FALSE(noSpan.DeflectionPass);
    // Next level: a simple span of 10 ft under 2 kip/ft, M3 = w L^2/8 = 25 kip-ft.
    EXPECT_NEAR(next.M3, 25.0L, 1e-13L);
    EXPECT_NEAR(next.WalerDepth, 8.0L, 1e-15L);

    // Two spans of no length: as undefined as the overhang layout without its span b.
    WalerProject t;
    TWaler& noSpans = t.Waler();
    noSpans.TwoSpans = true;
    noSpans.Wb = 10.0L; // not a length of this layout
    t.d.DesignWaler(0);
    for (const Ext v :
         {noSpans.R1, noSpans.M1, noSpans.RequiredS, noSpans.MaxDeflectionW, noSpans.WalerDeflections[0].Y})
        EXPECT_TRUE(std::isnan(v));
    EXPECT_FALSE(noSpans.ModulusPass);
    EXPECT_FALSE(noSpans.DeflectionPass);
}
