// Earth pressure table of the anchor system and its four-point load diagram.
//
// Expected values are worked out by hand from the pressure formulas (apparent pressure coefficient
// x unit weight x loading height with its ramps, the strip, line and point load solutions, water
// and seismic pressures); each test says how.

#include <gtest/gtest.h>

#include <cmath>

#include "model/KdClasses.h"

using namespace vantrel;

namespace {

constexpr Ext kTol = 1e-9L;

// A project whose anchor system has no surcharge, no water within the loading height and no
// seismic load, so that each test switches on only what it checks.
void QuietSystem(TKdData& d, uint8_t units, int soilType, Ext unitWeight, Ext loadingHeight, Ext spacing) {
    d.Units = units;
    TAnchor& a = d.Anchors;
    a.SoilType = soilType;
    a.SoilUnitWeight = unitWeight;
    a.LoadingHeight = loadingHeight;
    a.PileSpacing = spacing;
    a.UniformSurcharge = 0.0L;
    a.SurchargeK = 0.0L;
    a.WaterDepth = 10.0L * loadingHeight;
    a.Kh = 0.0L;
    a.StripLoadOn = a.LineLoadOn = a.PointLoadOn = false;
    a.StripDepth = a.LineDepth = a.PointDepth = 0.0;
}

const TPressureRow& Row(const TKdData& d, int i) {
    return d.Anchors.PressureTable[static_cast<size_t>(i)];
}

} // namespace

TEST(EarthPressure, ApparentDiagramShapeOfEverySoilType) {
    // Unit weight 100 pcf, loading height 30 ft: full pressure = coefficient x 100 x 30. Rows 0..14
    // of the clays and stratified soils (3, 4, 5, 6, 9) carry i/15 of it (row 6: 0.4), rows 46..60
    // of the trapezoids (4, 5, 6, 9) carry (60 - i)/15 (row 54: 0.4); the rest is constant.
    struct Case {
        int soil;
        Ext coefficient;
        Ext row0, row6, row30, row54, row60; // psf
    };
    const Case cases[] = {
        {0, 0.33L, 990, 990, 990, 990, 990},  {1, 0.228L, 684, 684, 684, 684, 684},
        {2, 0.163L, 489, 489, 489, 489, 489}, {3, 0.4L, 0, 480, 1200, 1200, 1200},
        {4, 0.3L, 0, 360, 900, 360, 0},       {5, 0.2L, 0, 240, 600, 240, 0},
        {6, 0.33L, 0, 396, 990, 396, 0},      {7, 0.15L, 450, 450, 450, 450, 450},
        {8, 0.2L, 600, 600, 600, 600, 600},   {9, 0.15L, 0, 180, 450, 180, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.soil);
        TKdData d;
        QuietSystem(d, usEnglish, c.soil, 100.0L, 30.0L, 5.0L);
        // A uniform surcharge of 100 psf with K = 0.5 adds 50 psf to every row, row 0 included.
        d.Anchors.UniformSurcharge = 100.0L;
        d.Anchors.SurchargeK = 0.5L;
        d.BuildPressureTable(d.Anchors);
        EXPECT_NEAR(d.Anchors.ApparentPressure, c.coefficient * 100.0L, kTol);
        const int rows[] = {0, 6, 30, 54, 60};
        const Ext expected[] = {c.row0, c.row6, c.row30, c.row54, c.row60};
        for (int k = 0; k < 5; ++k) {
            const TPressureRow& r = Row(d, rows[k]);
            EXPECT_NEAR(r.Depth, rows[k] * 0.5L, kTol);
            EXPECT_NEAR(r.ApparentEarth, expected[k], 1e-9L);
            EXPECT_NEAR(r.Uniform, 50.0L, kTol);
            // Nothing else is switched on: the total is uniform + apparent, the pile load that
            // times 5 ft of spacing in kip/ft.
            EXPECT_NEAR(r.Total, expected[k] + 50.0L, 1e-9L);
            EXPECT_NEAR(r.PileLoad, (expected[k] + 50.0L) * 5.0L / 1000.0L, 1e-12L);
        }
    }
}

TEST(EarthPressure, StiffClayTrapezoidAndItsDiagramPoints) {
    // Stiff clay, 110 pcf, L = 20 ft: 0.3 x 110 = 33 pcf, 33 x 20 = 660 psf from row 15 to 45;
    // row 7 = 7/15 x 660 = 308, row 54 = 6/15 x 660 = 264. With S = 6 ft the plateau loads the
    // pile with 660 x 6 / 1000 = 3.96 kip/ft; the diagram corners are rows 0, 15, 45, 60.
    TKdData d;
    QuietSystem(d, usEnglish, 4, 110.0L, 20.0L, 6.0L);
    d.BuildPressureTable(d.Anchors);
    EXPECT_NEAR(d.Anchors.ApparentPressure, 33.0L, kTol);
    EXPECT_NEAR(Row(d, 0).ApparentEarth, 0.0L, kTol);
    EXPECT_NEAR(Row(d, 7).ApparentEarth, 308.0L, 1e-9L);
    for (int i = 15; i <= 45; ++i)
        EXPECT_NEAR(Row(d, i).ApparentEarth, 660.0L, 1e-9L) << i;
    EXPECT_NEAR(Row(d, 54).ApparentEarth, 264.0L, 1e-9L);
    EXPECT_NEAR(Row(d, 60).ApparentEarth, 0.0L, 1e-9L);

    const Ext depths[] = {0.0L, 5.0L, 15.0L, 20.0L};
    const Ext loads[] = {0.0L, 3.96L, 3.96L, 0.0L};
    for (int k = 0; k < 4; ++k) {
        EXPECT_NEAR(d.Anchors.DiagramPoints[static_cast<size_t>(k)].Depth, depths[k], 1e-12L) << k;
        EXPECT_NEAR(d.Anchors.DiagramPoints[static_cast<size_t>(k)].Load, loads[k], 1e-12L) << k;
    }
}

TEST(EarthPressure, UserDiagramThroughFourPoints) {
    // Points (0, 200), (5, 600), (15, 600), (20, 100) psf over L = 20 ft (dz = 1/3 ft): the first
    // and last depths are forced to 0 and L, r1 = 60 x 5/20 = 15, r2 = 60 x 15/20 = 45.
    TKdData d;
    QuietSystem(d, usEnglish, 10, 110.0L, 20.0L, 8.0L);
    d.UnfactoredPoints = {{{1.0L, 200.0L}, {5.0L, 600.0L}, {15.0L, 600.0L}, {17.0L, 100.0L}}};
    d.BuildPressureTable(d.Anchors);
    EXPECT_EQ(d.UnfactoredPoints[0].X, 0.0L);
    EXPECT_EQ(d.UnfactoredPoints[3].X, 20.0L);
    EXPECT_EQ(d.Anchors.ApparentPressure, 0.0L);

    struct Case {
        int row;
        Ext pressure; // psf
    };
    const Case cases[] = {
        {0, 200.0L},  // first point
        {6, 360.0L},  // depth 2: 200 + 400 x 2/5
        {30, 600.0L}, // plateau
        // depth 50/3: 600 - 500 x (50/3 - 15)/5 = 433 1/3
        {50, 600.0L - 500.0L * (50.0L / 3.0L - 15.0L) / 5.0L},
        {60, 100.0L}, // last point
    };
    for (const Case& c : cases)
        EXPECT_NEAR(Row(d, c.row).ApparentEarth, c.pressure, 1e-9L) << c.row;
    // Corners at rows 0, 15, 45 and 60, loads x 8 ft / 1000.
    const Ext loads[] = {1.6L, 4.8L, 4.8L, 0.8L};
    const Ext depths[] = {0.0L, 5.0L, 15.0L, 20.0L};
    for (int k = 0; k < 4; ++k) {
        EXPECT_NEAR(d.Anchors.DiagramPoints[static_cast<size_t>(k)].Depth, depths[k], 1e-12L) << k;
        EXPECT_NEAR(d.Anchors.DiagramPoints[static_cast<size_t>(k)].Load, loads[k], 1e-12L) << k;
    }
}

TEST(EarthPressure, UserBreakRowsRoundHalvesToEven) {
    // Second depth 2.5 ft over L = 20 ft: 60 x 2.5/20 = 7.5 goes to row 8, so row 8 (depth 8/3)
    // already lies on the flat piece (500 psf) while row 7 (depth 7/3) lies on the rising one
    // (500 x (7/3)/2.5 = 466 2/3).
    {
        TKdData d;
        QuietSystem(d, usEnglish, 10, 110.0L, 20.0L, 1.0L);
        d.UnfactoredPoints = {{{0.0L, 0.0L}, {2.5L, 500.0L}, {15.0L, 500.0L}, {20.0L, 0.0L}}};
        d.BuildPressureTable(d.Anchors);
        EXPECT_NEAR(Row(d, 7).ApparentEarth, 500.0L * (7.0L / 3.0L) / 2.5L, 1e-9L);
        EXPECT_NEAR(Row(d, 8).ApparentEarth, 500.0L, 1e-9L);
        EXPECT_NEAR(d.Anchors.DiagramPoints[1].Depth, 8.0L / 3.0L, 1e-12L);
    }
    // L = 60 ft makes the break row equal the depth: 8.5 ft goes to row 8 (even), 9.5 ft to row 10.
    const Ext depths[] = {8.5L, 9.5L};
    const Ext rows[] = {8.0L, 10.0L};
    for (int k = 0; k < 2; ++k) {
        TKdData d;
        QuietSystem(d, usEnglish, 10, 110.0L, 60.0L, 1.0L);
        d.UnfactoredPoints = {{{0.0L, 0.0L}, {depths[k], 500.0L}, {40.0L, 500.0L}, {60.0L, 0.0L}}};
        d.BuildPressureTable(d.Anchors);
        EXPECT_NEAR(d.Anchors.DiagramPoints[1].Depth, rows[k], 1e-12L) << k;
    }
}

TEST(EarthPressure, UserPointsAtOneDepthMakeAStep) {
    // Points 3 and 4 both at the loading height: the last piece has no length. Row 60 lies at the
    // step and continues the piece above it (500 psf), nothing divides by zero.
    {
        TKdData d;
        QuietSystem(d, usEnglish, 10, 110.0L, 20.0L, 2.0L);
        d.UnfactoredPoints = {{{0.0L, 100.0L}, {5.0L, 500.0L}, {20.0L, 500.0L}, {20.0L, 0.0L}}};
        d.BuildPressureTable(d.Anchors);
        EXPECT_NEAR(Row(d, 59).ApparentEarth, 500.0L, 1e-9L);
        EXPECT_NEAR(Row(d, 60).ApparentEarth, 500.0L, 1e-9L);
        EXPECT_NEAR(d.Anchors.DiagramPoints[3].Load, 1.0L, 1e-12L); // 500 x 2 / 1000
    }
    // Points 2 and 3 both at 10 ft: r1 = r2 = 30, the pressure jumps from the rising piece
    // (400 x depth/10) to the flat 800 psf at row 30.
    {
        TKdData d;
        QuietSystem(d, usEnglish, 10, 110.0L, 20.0L, 1.0L);
        d.UnfactoredPoints = {{{0.0L, 0.0L}, {10.0L, 400.0L}, {10.0L, 800.0L}, {20.0L, 800.0L}}};
        d.BuildPressureTable(d.Anchors);
        EXPECT_NEAR(Row(d, 15).ApparentEarth, 200.0L, 1e-9L);
        EXPECT_NEAR(Row(d, 29).ApparentEarth, 400.0L * (29.0L / 3.0L) / 10.0L, 1e-9L);
        EXPECT_NEAR(Row(d, 30).ApparentEarth, 800.0L, 1e-9L);
        for (const TPressureRow& r : d.Anchors.PressureTable)
            EXPECT_TRUE(IsFinite(r.Total));
    }
}

TEST(EarthPressure, SurchargeWaterAndSeismicEnglish) {
    // Loose sand, 110 pcf, L = 30 ft (dz = 0.5 ft, row 20 at 10 ft), S = 8 ft.
    TKdData d;
    QuietSystem(d, usEnglish, 0, 110.0L, 30.0L, 8.0L);
    TAnchor& a = d.Anchors;
    a.UniformSurcharge = 150.0L;
    a.SurchargeK = 0.4L;
    a.WaterDepth = 5.0L;
    a.Kh = 0.15L;
    a.StripLoadOn = a.LineLoadOn = a.PointLoadOn = true;
    a.StripLoad = 500.0;
    a.StripOffset = 7.5;
    a.StripWidth = 6.0;
    a.LineLoad = 1000.0;
    a.LineOffset = 9.0;
    a.PointLoad = 1500.0;
    a.PointOffset = 10.0;
    d.BuildPressureTable(a);

    const TPressureRow& r = Row(d, 20);
    // Strip, d = 10: angle1 = atan(13.5/10) = 53.47114463 deg, angle2 = atan(7.5/10) = 36.86989765
    // deg; beta = 16.60124699 deg = 0.289746 rad, alpha = 45.17052114 deg;
    // A = (500/pi)(beta + sin beta) = 91.58661030, B = (500/pi)(beta - sin beta) = 0.64253963;
    // strip = 2 sin^2(alpha) A + cos^2(alpha) B = 92.45111656 psf.
    EXPECT_NEAR(r.StripAngle1, 53.47114463301483L, 1e-9L);
    EXPECT_NEAR(r.StripAngle2, 36.86989764584402L, 1e-9L);
    EXPECT_NEAR(r.StripBeta, 53.47114463301483L - 36.86989764584402L, 1e-9L);
    EXPECT_NEAR(r.StripAlpha, (53.47114463301483L + 36.86989764584402L) / 2.0L, 1e-9L);
    EXPECT_NEAR(r.StripTermA, 91.58661029871578L, 1e-9L);
    EXPECT_NEAR(r.StripTermB, 0.6425396300109538L, 1e-9L);
    const Ext strip = 92.45111656445268L;
    EXPECT_NEAR(r.Strip, strip, 1e-9L);
    // Line, h = 30, m = 9/30 = 0.3, n = 10/30: 1.2732 x 1000 x 0.09 x (1/3) / (30 x (0.09 + 1/9)^2)
    // = 38.196 / 1.2133 = 31.47925887 psf.
    const Ext line = 31.479258874881715L;
    EXPECT_NEAR(r.LineLoad, line, 1e-9L);
    // Point, x = 10, d = 10: 0.955 x 1500 x 100 x 10 / 200^2.5 = 1432500 / 565685.42 = 2.53232616 psf.
    const Ext point = 2.532326160124323L;
    EXPECT_NEAR(r.PointLoad, point, 1e-9L);
    // Water 62.4 x (10 - 5) = 312; seismic 0.75 x 0.15 x 110 x 10 = 123.75; uniform 150 x 0.4 = 60;
    // apparent 0.33 x 110 x 30 = 1089 psf.
    EXPECT_NEAR(r.PoreWater, 312.0L, 1e-9L);
    EXPECT_NEAR(r.Seismic, 123.75L, 1e-9L);
    EXPECT_NEAR(r.Uniform, 60.0L, 1e-9L);
    EXPECT_NEAR(r.ApparentEarth, 1089.0L, 1e-9L);
    const Ext total = strip + line + point + 312.0L + 123.75L + 60.0L + 1089.0L;
    EXPECT_NEAR(r.Total, total, 1e-9L);
    EXPECT_NEAR(r.PileLoad, total * 8.0L / 1000.0L, 1e-12L);
    for (int c = 0; c < 8; ++c) {
        const Ext parts[] = {strip, 60.0L, 312.0L, 1089.0L, line, point, 123.75L, total};
        EXPECT_NEAR(r.Component(c), parts[c], 1e-9L) << c;
    }

    // Row 10 lies at the water table: no water pressure yet.
    EXPECT_EQ(Row(d, 10).PoreWater, 0.0L);
    // The top of the wall carries only the uniform surcharge and the apparent pressure.
    const TPressureRow& top = Row(d, 0);
    EXPECT_EQ(top.Strip, 0.0L);
    EXPECT_EQ(top.LineLoad, 0.0L);
    EXPECT_EQ(top.PointLoad, 0.0L);
    EXPECT_EQ(top.PoreWater, 0.0L);
    EXPECT_EQ(top.Seismic, 0.0L);
    EXPECT_NEAR(top.Total, 60.0L + 1089.0L, 1e-9L);

    // Even with the water table 1 ft above the top of the wall (a flooded site) row 0 carries no
    // water; row 1 at 0.5 ft carries 62.4 x 1.5 = 93.6 psf.
    a.WaterDepth = -1.0L;
    d.BuildPressureTable(a);
    EXPECT_EQ(Row(d, 0).PoreWater, 0.0L);
    EXPECT_NEAR(Row(d, 1).PoreWater, 93.6L, 1e-9L);
}

TEST(EarthPressure, SurchargesStartBelowTheirFooting) {
    // Footings at 10 ft, L = 30 ft: row 20 lies exactly at the footing and gets none of the three
    // loads; row 21 (0.5 ft below) gets all three.
    TKdData d;
    QuietSystem(d, usEnglish, 0, 110.0L, 30.0L, 8.0L);
    TAnchor& a = d.Anchors;
    a.StripLoadOn = a.LineLoadOn = a.PointLoadOn = true;
    a.StripDepth = a.LineDepth = a.PointDepth = 10.0;
    a.StripLoad = 500.0;
    a.StripOffset = 2.0;
    a.StripWidth = 4.0;
    a.LineLoad = 1000.0;
    a.LineOffset = 5.0;
    a.PointLoad = 1500.0;
    a.PointOffset = 5.0;
    d.BuildPressureTable(a);
    for (int i = 0; i <= 20; ++i) {
        EXPECT_EQ(Row(d, i).Strip, 0.0L) << i;
        EXPECT_EQ(Row(d, i).StripAngle1, 0.0L) << i;
        EXPECT_EQ(Row(d, i).LineLoad, 0.0L) << i;
        EXPECT_EQ(Row(d, i).PointLoad, 0.0L) << i;
    }
    EXPECT_GT(Row(d, 21).Strip, 0.0L);
    // Line below a footing at 10 ft: h = 20, m = 0.25, n = 0.5/20 = 0.025:
    // 1.2732 x 1000 x 0.0625 x 0.025 / (20 x (0.0625 + 0.000625)^2) = 0.4974 psf.
    EXPECT_NEAR(Row(d, 21).LineLoad, 1.2732L * 1000.0L * 0.0625L * 0.025L / (20.0L * 0.063125L * 0.063125L),
                1e-9L);
    // Point, d = 0.5: 0.955 x 1500 x 25 x 0.5 / 25.25^2.5.
    EXPECT_NEAR(Row(d, 21).PointLoad, 0.955L * 1500.0L * 25.0L * 0.5L / std::pow(25.25L, 2.5L), 1e-9L);
}

TEST(EarthPressure, SurchargeWaterAndSeismicSI) {
    // Medium dense sand, 18 kN/m^3, L = 9 m (row 20 at 3 m), S = 2 m.
    TKdData d;
    QuietSystem(d, usSI, 1, 18.0L, 9.0L, 2.0L);
    TAnchor& a = d.Anchors;
    a.UniformSurcharge = 10.0L;
    a.SurchargeK = 0.3L;
    a.WaterDepth = 2.0L;
    a.Kh = 0.1L;
    a.StripLoadOn = a.LineLoadOn = a.PointLoadOn = true;
    a.StripLoad = 20.0;
    a.StripOffset = 0.0;
    a.StripWidth = 3.0;
    a.LineLoad = 10.0;
    a.LineOffset = 3.0;
    a.PointLoad = 5.0;
    a.PointOffset = 3.0;
    d.BuildPressureTable(a);

    const TPressureRow& r = Row(d, 20);
    EXPECT_NEAR(r.Depth, 3.0L, 1e-12L);
    // Apparent 0.228 x 18 x 9 = 36.936 kPa; uniform 10 x 0.3 = 3; water 9.81 x (3 - 2) = 9.81;
    // seismic 0.75 x 0.1 x 18 x 3 = 4.05.
    const Ext apparent = 36.936L, uniform = 3.0L, water = 9.81L, seismic = 4.05L;
    // Strip from the wall (A = 0), B = d = 3 m: angle1 = 45, angle2 = 0, beta = pi/4, alpha = 22.5
    // deg, sin^2 alpha = (1 - sqrt2/2)/2, cos^2 alpha = (1 + sqrt2/2)/2, so with q = 20 kPa
    // strip = (q/pi)[(1 - sqrt2/2)(pi/4 + sqrt2/2) + (1 + sqrt2/2)/2 (pi/4 - sqrt2/2)] = 3.20837554.
    const Ext s = std::sqrt(2.0L) / 2.0L;
    const Ext strip = 20.0L / kPi * ((1.0L - s) * (kPi / 4.0L + s) + (1.0L + s) / 2.0L * (kPi / 4.0L - s));
    // Line, h = 9, m = n = 1/3: 1.2732 x 10 x (1/9)(1/3) / (9 x (2/9)^2) = 1.2732 x 10/12 = 1.061.
    const Ext line = 1.061L;
    // Point, x = d = 3: 0.955 x 5 x 9 x 3 / 18^2.5 = 128.925 / 1374.6236 = 0.09378986 kPa.
    const Ext point = 0.09378985778238233L;
    EXPECT_NEAR(r.ApparentEarth, apparent, 1e-9L);
    EXPECT_NEAR(r.Uniform, uniform, 1e-9L);
    EXPECT_NEAR(r.PoreWater, water, 1e-9L);
    EXPECT_NEAR(r.Seismic, seismic, 1e-9L);
    EXPECT_NEAR(r.Strip, strip, 1e-9L);
    EXPECT_NEAR(r.LineLoad, line, 1e-9L);
    EXPECT_NEAR(r.PointLoad, point, 1e-9L);
    const Ext total = apparent + uniform + water + seismic + strip + line + point;
    EXPECT_NEAR(r.Total, total, 1e-9L);
    // kPa x m = kN/m, no scale factor in SI.
    EXPECT_NEAR(r.PileLoad, total * 2.0L, 1e-9L);
}

TEST(EarthPressure, InputsThatCannotBeTabulatedGiveUndefinedResults) {
    // No loading height: nothing survives from the table before.
    {
        TKdData d;
        QuietSystem(d, usEnglish, 0, 110.0L, 20.0L, 8.0L);
        d.BuildPressureTable(d.Anchors);
        d.Anchors.LoadingHeight = 0.0L;
        d.BuildPressureTable(d.Anchors);
        for (const TPressureRow& r : d.Anchors.PressureTable) {
            EXPECT_TRUE(IsNaN(r.Total));
            EXPECT_TRUE(IsNaN(r.PileLoad));
        }
        for (const TDiagramPoint& p : d.Anchors.DiagramPoints)
            EXPECT_TRUE(IsNaN(p.Load));
    }
    // A soil type outside the list: the apparent pressure and everything it feeds is undefined,
    // the surcharge rows are still computed.
    {
        TKdData d;
        QuietSystem(d, usEnglish, 11, 110.0L, 20.0L, 8.0L);
        d.Anchors.UniformSurcharge = 100.0L;
        d.Anchors.SurchargeK = 0.5L;
        d.BuildPressureTable(d.Anchors);
        EXPECT_TRUE(IsNaN(d.Anchors.ApparentPressure));
        EXPECT_TRUE(IsNaN(Row(d, 30).ApparentEarth));
        EXPECT_TRUE(IsNaN(Row(d, 30).Total));
        EXPECT_NEAR(Row(d, 30).Uniform, 50.0L, kTol);
        EXPECT_TRUE(IsNaN(d.Anchors.DiagramPoints[2].Load));
    }
    // A user point below the loading height falls outside the table: its diagram corner is
    // undefined rather than read from beyond the last row.
    {
        TKdData d;
        QuietSystem(d, usEnglish, 10, 110.0L, 20.0L, 8.0L);
        d.UnfactoredPoints = {{{0.0L, 0.0L}, {5.0L, 500.0L}, {25.0L, 500.0L}, {20.0L, 0.0L}}};
        d.BuildPressureTable(d.Anchors);
        EXPECT_TRUE(IsNaN(d.Anchors.DiagramPoints[2].Depth));
        EXPECT_TRUE(IsNaN(d.Anchors.DiagramPoints[2].Load));
        EXPECT_NEAR(d.Anchors.DiagramPoints[1].Depth, 5.0L, 1e-12L);
    }
}
