// Support loads from the reactions, free lengths, tendon counts, corner-brace loads and bond
// lengths. Expected values are worked out by hand in the comments.

#include <gtest/gtest.h>

#include <cmath>

#include "model/KdClasses.h"

using namespace vantrel;

namespace {

struct LevelInput {
    int kind;
    Ext heightFromPrevious; // ft or m
    Ext angle;              // degrees
};

void SetLevels(TAnchor& a, std::initializer_list<LevelInput> levels) {
    a.LevelCount = static_cast<int32_t>(levels.size());
    a.Levels.assign(levels.size(), TAnchLevel{});
    size_t k = 0;
    for (const LevelInput& in : levels) {
        a.Levels[k].Kind = in.kind;
        a.Levels[k].HeightFromPrevious = in.heightFromPrevious;
        a.Levels[k].Angle = in.angle;
        ++k;
    }
}

Ext At(const TVector& v, size_t i) {
    return v.at(i);
}

} // namespace

TEST(SupportLoads, LevelLoadsFromReactionsWithSpacingMultipleAndInclination) {
    // Anchors at every second pile (multiple 2), test load factor 1.33:
    //   level 0 horizontal, R = 10: 10 x 2 = 20, test 26.6;
    //   level 1 at 20 deg, R = -12: |-12 / cos 20| x 2 = 12 / 0.93969262 x 2 = 25.54026654, test 33.96855450;
    //   level 2 at 90 deg: no horizontal capacity, undefined.
    TKdData d;
    d.Units = usEnglish;
    d.PileType = ptSoldierBeam;
    d.ShoredHeight = 30.0L;
    SetLevels(d.Anchors, {{lkStrut, 5.0L, 0.0L}, {lkStrut, 8.0L, 20.0L}, {lkRaker, 8.0L, 90.0L}});
    d.Anchors.AnchorSpacingItem = 2;
    d.Anchors.TestLoadFactor = 1.33L;
    d.Anchors.Reactions = {10.0L, -12.0L, 8.0L, 5.0L};
    d.LevelLoadsFromReactions(d.Anchors);
    ASSERT_EQ(d.Anchors.LevelLoads.size(), 3u);
    EXPECT_NEAR(At(d.Anchors.LevelLoads, 0), 20.0L, 1e-12L);
    EXPECT_NEAR(At(d.Anchors.TestLoads, 0), 26.6L, 1e-12L);
    EXPECT_NEAR(At(d.Anchors.LevelLoads, 1), 25.54026653942189L, 1e-9L);
    EXPECT_NEAR(At(d.Anchors.TestLoads, 1), 33.968554497431114L, 1e-9L);
    EXPECT_TRUE(IsNaN(At(d.Anchors.LevelLoads, 2)));
    EXPECT_TRUE(IsNaN(At(d.Anchors.TestLoads, 2)));
    // Struts and rakers have no free length.
    for (size_t j = 0; j < 3; ++j)
        EXPECT_TRUE(IsNaN(At(d.Anchors.FreeLengths, j)));

    // A sheet-pile wall: reaction per unit width times the spacing step of 4 ft: 10 x 4 = 40.
    d.PileType = ptSheet;
    d.Anchors.SheetPileSpacingStep = 4.0L;
    d.LevelLoadsFromReactions(d.Anchors);
    EXPECT_NEAR(At(d.Anchors.LevelLoads, 0), 40.0L, 1e-12L);
    EXPECT_NEAR(At(d.Anchors.TestLoads, 0), 53.2L, 1e-12L);

    // Reactions missing (the analysis could not run): undefined loads, not the previous ones.
    d.Anchors.Reactions.clear();
    d.LevelLoadsFromReactions(d.Anchors);
    for (size_t j = 0; j < 3; ++j)
        EXPECT_TRUE(IsNaN(At(d.Anchors.LevelLoads, j)));
}

TEST(SupportLoads, FreeLengthOfTiebacksToTheFailurePlaneWithItsMinimum) {
    // Failure plane rising at 55 deg from the excavation bottom, H/5 behind the wall:
    // x = (H/5 tan55 + (H - z)) / (tan55 + tan a), length = x / cos a; tan55 = 1.42814801.
    struct Case {
        uint8_t units;
        Ext h, z, angle, expected;
    };
    const Case cases[] = {
        // H 40, z 8, 15 deg: x = (11.4251841 + 32)/(1.4281480 + 0.2679492) = 25.6031; / 0.9659258
        // = 26.5062 -> 26.5 ft.
        {usEnglish, 40.0L, 8.0L, 15.0L, 26.5L},
        // H 40, z 14, 30 deg: x = (11.4251841 + 26)/(1.4281480 + 0.5773503) = 18.6613; / 0.8660254
        // = 21.5482 -> 21.5 ft.
        {usEnglish, 40.0L, 14.0L, 30.0L, 21.5L},
        // H 20, z 5, 15 deg: x = (5.7125921 + 15)/1.6960972 = 12.2119; / 0.9659258 = 12.6427
        // -> 12.6, raised to the 15 ft minimum.
        {usEnglish, 20.0L, 5.0L, 15.0L, 15.0L},
        // H 6 m, z 4 m, 30 deg: x = (1.7137776 + 2)/2.0054983 = 1.8518; / 0.8660254 = 2.1383
        // -> 2.1, raised to the 4.57 m minimum.
        {usSI, 6.0L, 4.0L, 30.0L, 4.57L},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<double>(c.expected));
        TKdData d;
        d.Units = c.units;
        d.PileType = ptSoldierBeam;
        d.ShoredHeight = c.h;
        // The tieback lies below a strut so that its depth is the sum of the two heights.
        SetLevels(d.Anchors, {{lkStrut, c.z / 2.0L, 0.0L}, {lkTieback, c.z / 2.0L, c.angle}});
        d.Anchors.AnchorSpacingItem = 1;
        d.Anchors.TestLoadFactor = 1.0L;
        d.Anchors.Reactions = {1.0L, 1.0L, 1.0L};
        d.LevelLoadsFromReactions(d.Anchors);
        EXPECT_TRUE(IsNaN(At(d.Anchors.FreeLengths, 0)));
        EXPECT_NEAR(At(d.Anchors.FreeLengths, 1), c.expected, 1e-6L);
    }
}

TEST(SupportLoads, StrandCountsAtExactMultiples) {
    // 3 x 35.2 = 105.6 kips is exactly three strands, one kip more needs four; in SI one strand
    // carries 35.2 kips = 156.6 kN, so 2 x 156.6 = 313.2 kN is two strands.
    struct Case {
        uint8_t units;
        Ext testLoad;
        int strands;
    };
    const Case cases[] = {
        {usEnglish, 105.6L, 3}, {usEnglish, 106.6L, 4}, {usEnglish, -105.6L, 3},
        {usEnglish, 0.0L, 0},   {usSI, 313.2L, 2},      {usSI, 314.2L, 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<double>(c.testLoad));
        TKdData d;
        d.SetUnits(c.units);
        SetLevels(d.Anchors, {{lkTieback, 5.0L, 15.0L}});
        d.Anchors.Levels[0].TendonType = ttStrand;
        d.Anchors.Levels[0].Grade = 75;
        d.Anchors.TestLoads = {c.testLoad};
        d.CountTendons();
        EXPECT_EQ(d.Anchors.Levels[0].BarCount, c.strands);
        EXPECT_EQ(d.Anchors.Levels[0].Grade, 270);
    }
}

TEST(SupportLoads, BarCountsByGradeColumn) {
    // Capacities of one bar from the anchor bar tables: #8 59 / 63 / 76.5 kips (grades 75, 80,
    // 150), #10 95 / 102 / 113, #6 33 / 35 / none; SI 25 mm 264 / 280 / 340 kN.
    struct Case {
        uint8_t units;
        int barSize, grade;
        Ext testLoad;
        int bars;
    };
    const Case cases[] = {
        {usEnglish, 2, 75, 118.0L, 2}, // 2 x 59 exactly
        {usEnglish, 2, 75, 118.5L, 3},
        {usEnglish, 2, 60, 118.0L, 2},  // any other grade reads the first column
        {usEnglish, 2, 80, 126.0L, 2},  // 2 x 63
        {usEnglish, 2, 150, 229.5L, 3}, // 3 x 76.5
        {usEnglish, 4, 80, 306.0L, 3},  // 3 x 102
        {usEnglish, 0, 150, 10.0L, -1}, // #6 does not exist in grade 150
        {usEnglish, 12, 75, 10.0L, -1}, // no such size
        {usEnglish, -1, 75, 10.0L, -1},
        {usSI, 2, 150, 1020.0L, 3}, // 3 x 340 kN
        {usSI, 2, 75, 265.0L, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << c.barSize << " grade " << c.grade << " load " << static_cast<double>(c.testLoad));
        TKdData d;
        d.SetUnits(c.units);
        SetLevels(d.Anchors, {{lkTieRod, 5.0L, 0.0L}});
        d.Anchors.Levels[0].TendonType = ttThreadedBar;
        d.Anchors.Levels[0].BarSize = c.barSize;
        d.Anchors.Levels[0].Grade = c.grade;
        d.Anchors.TestLoads = {c.testLoad};
        d.CountTendons();
        EXPECT_EQ(d.Anchors.Levels[0].BarCount, c.bars);
        EXPECT_EQ(d.Anchors.Levels[0].Grade, c.grade);
    }
}

TEST(SupportLoads, CountTendonsLeavesBracesAloneAndGoesOnAfterAnUndefinedLevel) {
    TKdData d;
    d.SetUnits(usEnglish);
    SetLevels(d.Anchors, {{lkTieback, 5.0L, 15.0L}, {lkStrut, 5.0L, 0.0L}, {lkTieback, 5.0L, 15.0L}});
    d.Anchors.Levels[0].TendonType = ttThreadedBar;
    d.Anchors.Levels[0].BarSize = 0;
    d.Anchors.Levels[0].Grade = 150; // no #6 in grade 150
    d.Anchors.Levels[1].BarCount = 7;
    d.Anchors.Levels[1].Grade = 80;
    d.Anchors.Levels[2].TendonType = ttStrand;
    d.Anchors.TestLoads = {100.0L, 100.0L, 70.4L};
    d.CountTendons();
    EXPECT_EQ(d.Anchors.Levels[0].BarCount, -1);
    EXPECT_EQ(d.Anchors.Levels[1].BarCount, 7);
    EXPECT_EQ(d.Anchors.Levels[1].Grade, 80);
    EXPECT_EQ(d.Anchors.Levels[2].BarCount, 2); // 70.4 / 35.2
}

TEST(SupportLoads, CornerBraceCarriesTheAnchorLoadAlongItsOwnAngle) {
    // Level loads 20, 30 (a strut), 40, 50 kips; corner braces: none, 45 deg, 0 deg, 90 deg; factor 1.25:
    //   level 1: 30 / cos45 = 42.42640687, test 53.03300859;
    //   level 2: 40, test 50;
    //   level 3: a brace parallel to the wall carries nothing of it: undefined.
    TKdData d;
    d.Units = usEnglish;
    SetLevels(d.Anchors, {{lkTieback, 4.0L, 15.0L},
                          {lkStrut, 4.0L, 0.0L},
                          {lkTieback, 4.0L, 15.0L},
                          {lkTieback, 4.0L, 15.0L}});
    SetLevels(d.CornerBraces,
              {{-1, 4.0L, 30.0L}, {lkStrut, 4.0L, 45.0L}, {lkStrut, 4.0L, 0.0L}, {lkStrut, 4.0L, 90.0L}});
    d.CornerBraces.TestLoadFactor = 1.25L;
    d.Anchors.LevelLoads = {20.0L, 30.0L, 40.0L, 50.0L};
    d.CornerBraces.LevelLoads = {1.0L, 1.0L, 1.0L, 1.0L, 1.0L};
    d.Anchors.Levels[0].TestLoad = d.CornerBraces.Levels[0].TestLoad = -5.0L;
    d.CornerBraceLoads();
    ASSERT_EQ(d.CornerBraces.LevelLoads.size(), 4u);
    EXPECT_TRUE(IsNaN(At(d.CornerBraces.LevelLoads, 0)));
    EXPECT_NEAR(At(d.CornerBraces.LevelLoads, 1), 42.426406871192846L, 1e-9L);
    EXPECT_NEAR(At(d.CornerBraces.TestLoads, 1), 53.03300858899106L, 1e-9L);
    EXPECT_NEAR(At(d.CornerBraces.LevelLoads, 2), 40.0L, 1e-12L);
    EXPECT_NEAR(At(d.CornerBraces.TestLoads, 2), 50.0L, 1e-12L);
    EXPECT_TRUE(IsNaN(At(d.CornerBraces.LevelLoads, 3)));
    EXPECT_TRUE(IsNaN(At(d.CornerBraces.TestLoads, 3)));

    // The member checks take each member's own design load: the anchor strut of level 1 its 30
    // kips, the corner brace of level 1 its 42.43 kips. Tiebacks and unused slots are not checked.
    EXPECT_NEAR(d.Anchors.Levels[1].TestLoad, 30.0L, 1e-12L);
    EXPECT_NEAR(d.CornerBraces.Levels[1].TestLoad, 42.426406871192846L, 1e-9L);
    EXPECT_EQ(d.Anchors.Levels[0].TestLoad, -5.0L);
    EXPECT_EQ(d.CornerBraces.Levels[0].TestLoad, -5.0L);
}

TEST(SupportLoads, AllowableLoadTransferByBondSoil) {
    struct Case {
        uint8_t units;
        int soil;
        Ext kh;
        Ext entered;
        Ext expected; // kip/ft or kN/m
    };
    const Case cases[] = {
        {usEnglish, 3, 0.0L, 0.0L, 6.0L},    // dense sand, static
        {usEnglish, 3, 0.15L, 0.0L, 8.0L},   // dense sand, seismic
        {usEnglish, 11, 0.0L, 0.0L, 10.0L},  // granite
        {usEnglish, 12, 0.3L, 0.0L, 10.33L}, // dolomitic limestone, seismic
        {usEnglish, 18, 0.15L, 5.5L, 5.5L},  // user defined keeps its value
        {usSI, 8, 0.0L, 0.0L, 14.6L},        // stiff clay 1.0 x 14.6
        {usSI, 0, 0.2L, 0.0L, 2.0L * 14.6L}, // very loose sand, seismic 2.0 x 14.6
        {usSI, 18, 0.0L, 80.0L, 80.0L},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.soil);
        TKdData d;
        d.Units = c.units;
        d.ShoredHeight = 20.0L;
        SetLevels(d.Anchors, {});
        d.BondSoilType = c.soil;
        d.Anchors.Kh = c.kh;
        d.AllowLoadTransfer = c.entered;
        d.DesignBond();
        EXPECT_NEAR(d.AllowLoadTransfer, c.expected, 1e-12L);
    }
    TKdData d;
    d.BondSoilType = 19;
    d.AllowLoadTransfer = 3.0L;
    d.DesignBond();
    EXPECT_TRUE(IsNaN(d.AllowLoadTransfer));
}

TEST(SupportLoads, BondLengthsOfTiebacksAndTieRods) {
    // English, dense sand static 6.0 kip/ft, H = 20 ft, minimum 23 ft:
    //   tieback, test 200 kips: 200/6 = 33.333 ft;  tieback, test 60: 10 ft -> 23 ft;
    //   strut, test 150: 25 ft (the tieback rule);  tie rod at 6 ft: 1.8 x (20 - 6) = 25.2 ft;
    //   tie rod at 22 ft, below the excavation bottom: 0.
    TKdData d;
    d.Units = usEnglish;
    d.ShoredHeight = 20.0L;
    d.BondSoilType = 3;
    d.Anchors.Kh = 0.0L;
    SetLevels(d.Anchors, {{lkTieback, 3.0L, 15.0L},
                          {lkTieRod, 3.0L, 0.0L},
                          {lkTieback, 4.0L, 15.0L},
                          {lkStrut, 4.0L, 0.0L},
                          {lkTieRod, 8.0L, 0.0L}});
    d.Anchors.TestLoads = {200.0L, 999.0L, 60.0L, 150.0L, 999.0L};
    d.DesignBond();
    const Ext expected[] = {200.0L / 6.0L, 25.2L, 23.0L, 25.0L, 0.0L};
    for (size_t j = 0; j < 5; ++j)
        EXPECT_NEAR(d.Anchors.Levels[j].BondLength, expected[j], 1e-9L) << j;

    // SI, stiff clay 14.6 kN/m, H = 6 m, minimum 7.0 m: test 300 kN: 300/14.6 = 20.5479 m;
    // test 50 kN: 3.42 m -> 7.0 m; tie rod at 2 m: 1.8 x 4 = 7.2 m.
    TKdData s;
    s.Units = usSI;
    s.ShoredHeight = 6.0L;
    s.BondSoilType = 8;
    s.Anchors.Kh = 0.0L;
    SetLevels(s.Anchors, {{lkTieback, 1.0L, 15.0L}, {lkTieRod, 1.0L, 0.0L}, {lkTieback, 1.0L, 15.0L}});
    s.Anchors.TestLoads = {300.0L, 1.0L, 50.0L};
    s.DesignBond();
    EXPECT_NEAR(s.Anchors.Levels[0].BondLength, 300.0L / 14.6L, 1e-9L);
    EXPECT_NEAR(s.Anchors.Levels[1].BondLength, 7.2L, 1e-9L);
    EXPECT_NEAR(s.Anchors.Levels[2].BondLength, 7.0L, 1e-12L);

    // No transfer entered: the tieback bond length cannot be found and is undefined, not the one
    // of the calculation before; the tie rod length does not depend on it.
    d.BondSoilType = 18;
    d.AllowLoadTransfer = 0.0L;
    d.DesignBond();
    EXPECT_TRUE(IsNaN(d.Anchors.Levels[0].BondLength));
    EXPECT_NEAR(d.Anchors.Levels[1].BondLength, 25.2L, 1e-9L);
}
