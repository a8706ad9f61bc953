// Geometry and text services of the project.

#include <gtest/gtest.h>

#include <cmath>
#include <initializer_list>
#include <string>

#include "model/KdClasses.h"

using namespace vantrel;

namespace {

// A project with the given anchor levels (heights from the previous level, ft | m) and nothing
// else that the services read.
TKdData ProjectWithLevels(uint8_t units, Ext shoredHeight, std::initializer_list<Ext> heights) {
    TKdData d;
    d.Units = units;
    d.ShoredHeight = shoredHeight;
    d.Anchors.LevelCount = static_cast<int>(heights.size());
    d.Anchors.Levels.assign(heights.size(), TAnchLevel{});
    int i = 0;
    for (const Ext h : heights)
        d.Anchors.Levels[i++].HeightFromPrevious = h;
    d.Anchors.FreeLengths.clear();
    return d;
}

} // namespace

// Depths are running sums of the heights from the previous level: 2, 2 + 3.5, 2 + 3.5 + 4.
TEST(GeometryLevels, DepthsAndHeights) {
    const TKdData d = ProjectWithLevels(usEnglish, 12.0L, {2.0L, 3.5L, 4.0L});
    struct Case {
        int level;
        Ext depth;
    };
    for (const Case& c : {Case{-1, 0.0L}, Case{-7, 0.0L}, Case{0, 2.0L}, Case{1, 5.5L}, Case{2, 9.5L},
                          // past the last level: the existing levels only
                          Case{3, 9.5L}, Case{10, 9.5L}}) {
        EXPECT_EQ(c.depth, d.LevelDepth(c.level)) << "level " << c.level;
        EXPECT_EQ(12.0L - c.depth, d.HeightAboveBase(c.level)) << "level " << c.level;
    }

    // The other system is summed from its own levels.
    TAnchor corner;
    corner.Levels.assign(2, TAnchLevel{});
    corner.Levels[0].HeightFromPrevious = 1.25L;
    corner.Levels[1].HeightFromPrevious = 0.5L;
    EXPECT_EQ(1.75L, d.LevelDepth(1, corner));
    EXPECT_EQ(0.0L, d.LevelDepth(0, TAnchor{}));
}

// Lowest level at 9.5 ft: 12 - 9.5 = 2.5 above the bottom; at or below the bottom it is 0.
TEST(GeometryLevels, LowestLevelHeightNeverNegative) {
    struct Case {
        Ext shoredHeight;
        Ext expected;
    };
    for (const Case& c : {Case{12.0L, 2.5L}, Case{9.5L, 0.0L}, Case{8.0L, 0.0L}}) {
        const TKdData d = ProjectWithLevels(usSI, c.shoredHeight, {2.0L, 3.5L, 4.0L});
        EXPECT_EQ(c.expected, d.LowestLevelHeight()) << "H = " << static_cast<double>(c.shoredHeight);
    }
    // Without levels the whole shored height stands above the bottom.
    EXPECT_EQ(6.0L, ProjectWithLevels(usEnglish, 6.0L, {}).LowestLevelHeight());
}

// Distances along an anchor line to the 55-degree failure plane through the point H/5 behind the
// wall at the excavation bottom, for H = 20, z = 5 (h = 15), worked out by geometry:
//   alpha 0:  horizontal line, H/5 + h / tan55 = 4 + 15 / 1.428148 = 14.503113;
//   alpha 35: the line is perpendicular to the plane, so the length is the distance from the point
//             to the plane, H/5 sin55 + h cos55 = 3.276608 + 8.603647 = 11.880255;
//   alpha 90: vertical line meets the plane extended below the bottom at h + H/5 tan55 = 20.712592;
//   alpha 20: intersection of (s cos20, z + s sin20) with (H/5 + u cos55, H - u sin55) solved by
//             Cramer's rule, s = 12.299345.
// SI, H = 6, z = 1.5, alpha 15 by the same intersection: 3.792811 (no unit constant enters).
TEST(GeometryFailurePlane, DistanceAlongAnchorLine) {
    struct Case {
        uint8_t units;
        Ext shoredHeight, alpha, z, expected;
    };
    for (const Case& c :
         {Case{usEnglish, 20, 0, 5, 14.503113073145647L}, Case{usEnglish, 20, 35, 5, 11.88025472242166L},
          Case{usEnglish, 20, 90, 5, 20.71259202696846L}, Case{usEnglish, 20, 20, 5, 12.299344731327546L},
          Case{usSI, 6, 15, 1.5L, 3.792810902085935L}}) {
        TKdData d = ProjectWithLevels(c.units, c.shoredHeight, {});
        EXPECT_NEAR(static_cast<double>(c.expected),
                    static_cast<double>(d.FailurePlaneDistance(c.alpha, c.z)), 1e-12)
            << "alpha " << static_cast<double>(c.alpha);
    }
    // A line rising at 55 degrees runs parallel to the plane and never meets it.
    EXPECT_TRUE(std::isnan(ProjectWithLevels(usEnglish, 20, {}).FailurePlaneDistance(-55, 5)));
}

namespace {

TAnchLevel Level(int kind, Ext heightFromPrevious, Ext angle, Ext bondLength = 0) {
    TAnchLevel level;
    level.Kind = kind;
    level.HeightFromPrevious = heightFromPrevious;
    level.Angle = angle;
    level.BondLength = bondLength;
    return level;
}

TKdData ProjectWith(uint8_t units, Ext shoredHeight, std::vector<TAnchLevel> levels, TVector freeLengths) {
    TKdData d = ProjectWithLevels(units, shoredHeight, {});
    d.Anchors.LevelCount = static_cast<int>(levels.size());
    d.Anchors.Levels = std::move(levels);
    d.Anchors.FreeLengths = std::move(freeLengths);
    return d;
}

void ExpectLength(Ext expected, Ext actual, const std::string& what) {
    EXPECT_NEAR(static_cast<double>(expected), static_cast<double>(actual), 1e-12) << what;
}

} // namespace

// Whole length of each kind of level. Tieback: max(free length, 15 ft | 4.57 m) + bond length.
// Tie rod: its stored length. Strut: 10 ft | 3 m, or the longest tieback projection when that is
// longer. Raker: height above the bottom / sin(angle).
TEST(GeometryFreeLength, ByKindInBothSystems) {
    const Ext nan = kNaN;
    struct Case {
        const char* what;
        uint8_t units;
        TAnchLevel level;
        TVector freeLengths; // of level 0
        bool ignoreStrutMinimum;
        Ext expected;
    };
    const Case cases[] = {
        {"tieback, short free length: 15 + 20", usEnglish, Level(lkTieback, 5, 15, 20), {9}, true, 35},
        {"tieback, long free length: 18 + 20", usEnglish, Level(lkTieback, 5, 15, 20), {18}, true, 38},
        {"tieback, free length not computed", usEnglish, Level(lkTieback, 5, 15, 20), {}, true, 35},
        {"tieback, free length undefined", usEnglish, Level(lkTieback, 5, 15, 20), {nan}, true, 35},
        {"tieback SI: 4.57 + 6", usSI, Level(lkTieback, 2, 15, 6), {2}, true, 10.57L},
        {"tieback SI: 5 + 6", usSI, Level(lkTieback, 2, 15, 6), {5}, true, 11},
        {"tieback SI, not computed", usSI, Level(lkTieback, 2, 15, 6), {}, true, 10.57L},
        {"tie rod", usEnglish, Level(lkTieRod, 5, 0, 12), {nan}, true, 12},
        {"strut, minimum", usEnglish, Level(lkStrut, 5, 0), {nan}, true, 10},
        {"strut SI, minimum", usSI, Level(lkStrut, 2, 0), {nan}, false, 3},
        // H = 20, level at 5: 15 above the bottom; 15 / sin 30 = 30, 15 / sin 90 = 15.
        {"raker 30 degrees", usEnglish, Level(lkRaker, 5, 30), {nan}, true, 30},
        {"raker 90 degrees", usEnglish, Level(lkRaker, 5, 90), {nan}, true, 15},
        {"raker SI, H = 20 m, 4 m above: 16 / sin 30", usSI, Level(lkRaker, 4, 30), {}, true, 32},
        {"horizontal raker", usEnglish, Level(lkRaker, 5, 0), {nan}, true, nan},
        {"unused slot", usEnglish, Level(lkUnused, 5, 0), {nan}, true, 0},
    };
    for (const Case& c : cases) {
        const TKdData d = ProjectWith(c.units, 20, {c.level}, c.freeLengths);
        const Ext length = d.FreeLength(0, c.ignoreStrutMinimum);
        if (std::isnan(c.expected)) {
            EXPECT_TRUE(std::isnan(length)) << c.what;
        } else {
            ExpectLength(c.expected, length, c.what);
        }
    }
    EXPECT_TRUE(std::isnan(ProjectWith(usEnglish, 20, {}, {}).FreeLength(0, true)));
}

// A strut takes the longest tieback or tie-rod projection when that is longer than its minimum.
TEST(GeometryFreeLength, StrutFollowsLongestTensionProjection) {
    struct Case {
        const char* what;
        uint8_t units;
        TAnchLevel tieback;
        Ext freeLength;
        Ext expected; // strut length with the minimum in force
    };
    const Case cases[] = {
        // (15 + 20) x cos 30 = 30.310889 > 10.
        {"long tieback", usEnglish, Level(lkTieback, 5, 30, 20), 9, 35 * std::sqrt(3.0L) / 2},
        // 15 x cos 60 = 7.5 < 10.
        {"short tieback", usEnglish, Level(lkTieback, 5, 60, 0), 9, 10},
        // Free length 2 m raised to 4.57: 4.57 x cos 60 = 2.285 < 3.
        {"short tieback SI", usSI, Level(lkTieback, 2, 60, 0), 2, 3},
        // (6 + 4) x cos 0 = 10 > 3.
        {"long tieback SI", usSI, Level(lkTieback, 2, 0, 4), 6, 10},
    };
    for (const Case& c : cases) {
        const TKdData d = ProjectWith(c.units, 20, {c.tieback, Level(lkStrut, 3, 0)}, {c.freeLength, kNaN});
        ExpectLength(c.expected, d.FreeLength(1, false), c.what);
        ExpectLength(c.units == usSI ? 3 : 10, d.FreeLength(1, true), c.what);
    }
}

// One wall, H = 20 ft, four levels (depth = running sum of the heights):
//   0 tieback at 5 ft, 30 deg, free 20 + bond 10 = 30: projection 30 cos30 = 25.980762,
//     bottom end 5 + 30 sin30 = 20;
//   1 strut at 10 ft, 0 deg, 10 (minimum ignored): projection 10, end 10;
//   2 raker at 14 ft, 60 deg: 6 / sin60 = 6.928203, projection 3.464102, end 14 + 6 = 20;
//   3 tie rod at 16 ft, 60 deg, 12: projection 6, end 16 + 12 sin60 = 26.392305.
TEST(GeometryExtent, ProjectionsDepthsAndDiagramWidth) {
    const std::vector<TAnchLevel> levels = {Level(lkTieback, 5, 30, 10), Level(lkStrut, 5, 0),
                                            Level(lkRaker, 4, 60), Level(lkTieRod, 2, 60, 12)};
    TKdData d = ProjectWith(usEnglish, 20, levels, {20, kNaN, kNaN, kNaN});
    ExpectLength(15 * std::sqrt(3.0L), d.MaxFreeProjection(false), "tension projection");
    ExpectLength(10, d.MaxFreeProjection(true), "brace projection");
    ExpectLength(16 + 6 * std::sqrt(3.0L), d.MaxAnchorDepth(), "anchor depth");

    // Only levels with an entry in the free lengths count: levels 0 and 1.
    d.Anchors.FreeLengths = {20, kNaN};
    d.Anchors.Levels[0].Angle = 60; // 30 cos60 = 15, end 5 + 30 sin60 = 30.980762
    d.Anchors.Levels[3].BondLength = 100;
    ExpectLength(15, d.MaxFreeProjection(false), "two levels, tension");
    ExpectLength(5 + 15 * std::sqrt(3.0L), d.MaxAnchorDepth(), "two levels, depth");
    d.Anchors.FreeLengths.clear();
    EXPECT_EQ(0.0L, d.MaxFreeProjection(false));
    EXPECT_EQ(0.0L, d.MaxAnchorDepth());

    // Diagram width = effective pile width + brace projection + max(tension projection, surcharge
    // reach): pile 2 ft wide with an 18 in deep section (1.5 ft) gives 2.
    d = ProjectWith(usEnglish, 20, levels, {20, kNaN, kNaN, kNaN});
    d.PileWidth = 2;
    d.ShapeIndex = -1;
    d.CustomSection.D = 18;
    d.Anchors.StripLoadOn = true;
    d.Anchors.StripOffset = 7.5;
    d.Anchors.StripWidth = 6; // reach 13.5 < 25.98
    ExpectLength(2 + 10 + 15 * std::sqrt(3.0L), d.DiagramWidth(), "tieback governs");
    d.Anchors.LineLoadOn = true;
    d.Anchors.LineOffset = 30; // 30 > 25.98
    ExpectLength(2 + 10 + 30, d.DiagramWidth(), "line load governs");
}

// Reach of the surcharges: a strip reaches its setback plus its width, at least setback + 1.
TEST(GeometryExtent, SurchargeReach) {
    struct Case {
        const char* what;
        bool strip, line, point;
        double stripWidth;
        Ext expected;
    };
    const Case cases[] = {
        {"nothing on", false, false, false, 6, 0},
        {"narrow strip: 7.5 + 1", true, false, false, 0.5, 8.5L},
        {"wide strip: 7.5 + 6", true, false, false, 6, 13.5L},
        {"line load farther: 20", true, true, false, 6, 20},
        {"point load farther: 25", true, true, true, 6, 25},
        {"point load only", false, false, true, 6, 25},
    };
    for (const Case& c : cases) {
        TKdData d = ProjectWith(usEnglish, 20, {}, {});
        d.Anchors.StripLoadOn = c.strip;
        d.Anchors.LineLoadOn = c.line;
        d.Anchors.PointLoadOn = c.point;
        d.Anchors.StripOffset = 7.5;
        d.Anchors.StripWidth = c.stripWidth;
        d.Anchors.LineOffset = 20;
        d.Anchors.PointOffset = 25;
        EXPECT_EQ(c.expected, d.SurchargeExtent()) << c.what;
    }
}

// Section depth (in | cm), effective and tributary widths (ft | m), half the clear gap between the
// section and the hole (in | cm). Hand values in the comments.
TEST(GeometryPileWidths, BothSystems) {
    struct Case {
        const char* what;
        uint8_t units;
        int pileType, pileSection, installation;
        Ext pileWidth, clearCover, d, bf, beamDiagonal;
        Ext sectionDepth, effectiveWidth, tributaryWidth, halfGap;
        bool wide;
    };
    const Case cases[] = {
        // 2.5 ft hole, 14.2 in beam: 14.2 / 12 < 2.5; gap (30 - 17.5) / 2 = 6.25 in.
        {"drilled I-beam", usEnglish, ptSoldierBeam, psIBeam, 0, 2.5L, 0, 14.2L, 10.1L, 17.5L, 14.2L, 2.5L,
         2.5L, 6.25L, true},
        // Section deeper than the hole: 18 / 12 = 1.5 > 1; gap (12 - 17) / 2 = -2.5, narrow.
        {"deep section", usEnglish, ptSoldierBeam, psIBeam, 0, 1, 0, 18, 7.5L, 17, 18, 1.5L, 1, -2.5L, false},
        // Gap exactly 2 in: (18 - 14) / 2 is wide, (18 - 15) / 2 = 1.5 is not.
        {"gap at 2 in", usEnglish, ptSoldierBeam, psIBeam, 0, 1.5L, 0, 12, 8, 14, 12, 1.5L, 1.5L, 2, true},
        {"gap under 2 in", usEnglish, ptSoldierBeam, psIBeam, 0, 1.5L, 0, 12, 8, 15, 12, 1.5L, 1.5L, 1.5L,
         false},
        // Driven: the flange bears, 10.2 / 12 = 0.85 ft; gap (10.2 - 12) / 2, wide regardless.
        {"driven I-beam", usEnglish, ptSoldierBeam, psIBeam, 1, 2, 0, 14, 10.2L, 12, 14, 2, 0.85L, -0.9L,
         true},
        // Cage: 36 - 2 x 3 = 30 in, 30 / 12 = 2.5 < 3.
        {"rebar cage", usEnglish, ptSoldierBeam, psRebarCage, 0, 3, 3, 0, 0, 20, 30, 3, 3, 8, true},
        // Sheet pile: height Bf 11.7 in across the wall, one unit of wall length.
        {"sheet pile", usEnglish, ptSheet, psIBeam, 1, 0, 0, 19.7L, 11.7L, 0, 11.7L, 11.7L / 12, 1, 6, true},
        // SI sections in cm. 0.6 m hole, 36 cm beam; gap (60 - 40) / 2 = 10 cm.
        {"drilled I-beam SI", usSI, ptSoldierBeam, psIBeam, 0, 0.6L, 0, 36, 17, 40, 36, 0.6L, 0.6L, 10, true},
        // Gap exactly 5 cm is wide, 4.5 cm is not.
        {"gap at 5 cm", usSI, ptSoldierBeam, psIBeam, 0, 0.6L, 0, 36, 17, 50, 36, 0.6L, 0.6L, 5, true},
        {"gap under 5 cm", usSI, ptSoldierBeam, psIBeam, 0, 0.6L, 0, 36, 17, 51, 36, 0.6L, 0.6L, 4.5L, false},
        // Cage with the cover in mm: 90 cm - 2 x 7.5 cm = 75 cm, 0.75 m < 0.9 m.
        {"rebar cage SI", usSI, ptSoldierBeam, psRebarCage, 0, 0.9L, 75, 0, 0, 50, 75, 0.9L, 0.9L, 20, true},
        // Driven: flange 30 cm = 0.3 m.
        {"driven I-beam SI", usSI, ptSoldierBeam, psIBeam, 1, 0.5L, 0, 40, 30, 20, 40, 0.5L, 0.3L, 5, true},
        {"sheet pile SI", usSI, ptSheet, psIBeam, 1, 0, 0, 60, 30, 0, 30, 0.3L, 1, 50, true},
    };
    for (const Case& c : cases) {
        TKdData d = ProjectWith(c.units, 10, {}, {});
        d.PileType = c.pileType;
        d.PileSection = c.pileSection;
        d.Installation = c.installation;
        d.PileWidth = c.pileWidth;
        d.ClearCover = c.clearCover;
        d.ShapeIndex = -1;
        d.SheetIndex = -1;
        d.CustomSection.D = c.d;
        d.CustomSection.Bf = c.bf;
        d.BeamDiagonal = c.beamDiagonal;
        ExpectLength(c.sectionDepth, d.SectionDepth(), std::string(c.what) + ": section depth");
        ExpectLength(c.effectiveWidth, d.EffectivePileWidth(), std::string(c.what) + ": effective width");
        ExpectLength(c.tributaryWidth, d.TributaryWidth(), std::string(c.what) + ": tributary width");
        ExpectLength(c.halfGap, d.HalfClearGap(), std::string(c.what) + ": half gap");
        EXPECT_EQ(c.wide, d.IsClearGapWide()) << c.what;
    }

    // An undefined clearance never reads as a wide gap.
    TKdData d = ProjectWith(usEnglish, 10, {}, {});
    d.Installation = 0;
    d.PileWidth = 3;
    d.BeamDiagonal = kNaN;
    EXPECT_FALSE(d.IsClearGapWide());
}

TEST(GeometryLevelBars, TendonSizeByKind) {
    struct Case {
        const char* what;
        int kind, tendon, barSize;
        Ext expected;
    };
    const Case cases[] = {
        {"strand tendon: 3 x 0.263", lkTieback, ttStrand, 3, 0.789L},
        {"strand tie rod: 7 x 0.263", lkTieRod, ttStrand, 7, 1.841L},
        {"threaded bar reads the zero column", lkTieback, ttThreadedBar, 4, 0},
        {"threaded bar outside the table", lkTieback, ttThreadedBar, 10, kNaN},
        {"strut", lkStrut, ttStrand, 3, 0},
        {"raker", lkRaker, ttStrand, 3, 0},
    };
    for (const uint8_t units : {usEnglish, usSI}) {
        for (const Case& c : cases) {
            TAnchLevel level = Level(c.kind, 5, 15);
            level.TendonType = c.tendon;
            level.BarSize = c.barSize;
            const TKdData d = ProjectWith(units, 20, {level}, {});
            const Ext size = d.LevelBarSize(0);
            if (std::isnan(c.expected)) {
                EXPECT_TRUE(std::isnan(size)) << c.what;
            } else {
                ExpectLength(c.expected, size, c.what);
            }
        }
    }
    EXPECT_TRUE(std::isnan(ProjectWith(usEnglish, 20, {}, {}).LevelBarSize(0)));
}

// Facing of concrete lagging by soil pressure. At each limit the facing is that of the limit; just
// past it, the next one; past the last limit, a special design. The limits, as every unit-dependent
// constant, carry double precision, so the SI pressures are given as doubles.
TEST(GeometryConcreteFacing, AtAndPastEachLimit) {
    struct Set {
        const char* what;
        uint8_t units;
        int concreteSet;
        std::vector<double> limits;
        Ext justPast;
    };
    const Set sets[] = {
        {"English, 3 ksi", usEnglish, 0, {280, 330, 370, 400, 435, 465, 535}, 0.01L},
        {"English, 4.5 ksi", usEnglish, 1, {350, 400, 450, 495, 535, 575, 640}, 0.01L},
        {"SI, 21 MPa", usSI, 0, {13.4, 15.8, 17.7, 19.1, 20.8, 22.2, 25.6}, 0.001L},
        {"SI, 32 MPa", usSI, 1, {16.7, 19.1, 21.5, 23.7, 25.6, 27.5, 30.6}, 0.001L},
    };
    const char* english[] = {
        "3.0 in PCC with\r#4 bars at 12 in O.C.",  "4.0 in PCC with\r#4 bars at 12 in O.C.",
        "5.0 in PCC with\r#4 bars at 12 in O.C.",  "6.0 in PCC with\r#5 bars at 12 in O.C.",
        "7.0 in PCC with\r#5 bars at 12 in O.C.",  "8.0 in PCC with\r#5 bars at 12 in O.C.",
        "10.0 in PCC with\r#5 bars at 12 in O.C.", "SPECIAL DESIGN"};
    const char* si[] = {
        "75 mm CONC with\r12 mm bars at 250 mm O.C.",  "100 mm CONC with\r12 mm bars at 250 mm O.C.",
        "125 mm CONC with\r12 mm bars at 250 mm O.C.", "150 mm CONC with\r14 mm bars at 250 mm O.C.",
        "175 mm CONC with\r14 mm bars at 250 mm O.C.", "200 mm CONC with\r14 mm bars at 250 mm O.C.",
        "250 mm CONC with\r14 mm bars at 250 mm O.C.", "SPECIAL DESIGN"};
    for (const Set& s : sets) {
        const char** texts = s.units == usSI ? si : english;
        TKdData d = ProjectWith(s.units, 20, {}, {});
        d.LaggingConcreteSet = s.concreteSet;
        for (std::size_t k = 0; k < s.limits.size(); ++k) {
            d.LaggingSoilPressure = s.limits[k];
            EXPECT_EQ(texts[k], d.ConcreteFacingText().CForm()) << s.what << " at " << s.limits[k];
            d.LaggingSoilPressure = s.limits[k] + s.justPast;
            EXPECT_EQ(texts[k + 1], d.ConcreteFacingText().CForm()) << s.what << " past " << s.limits[k];
        }
        d.LaggingSoilPressure = 0;
        EXPECT_EQ(texts[0], d.ConcreteFacingText().CForm()) << s.what;
        d.LaggingSoilPressure = kNaN;
        EXPECT_EQ("SPECIAL DESIGN", d.ConcreteFacingText().CForm()) << s.what << " undefined pressure";
    }

    // Any set other than 0 reads as the 4.5 ksi set: 400 psf is its second step (the fourth of set 0),
    // 536 psf its sixth (past the last of set 0).
    TKdData d = ProjectWith(usEnglish, 20, {}, {});
    d.LaggingConcreteSet = 3;
    d.LaggingSoilPressure = 400;
    EXPECT_EQ("4.0 in PCC with\r#4 bars at 12 in O.C.", d.ConcreteFacingText().CForm());
    d.LaggingSoilPressure = 536;
    EXPECT_EQ("8.0 in PCC with\r#5 bars at 12 in O.C.", d.ConcreteFacingText().CForm());
    d.LaggingConcreteSet = 0;
    EXPECT_EQ("SPECIAL DESIGN", d.ConcreteFacingText().CForm());
}

TEST(GeometryConcreteFacing, StrengthTexts) {
    struct Case {
        uint8_t units;
        int concreteSet;
        const char* expected;
    };
    const Case cases[] = {
        {usEnglish, 0, "fc = 3 ksi, fy = 60 ksi\rModulus of Rupture = 0.49 ksi"},
        {usEnglish, 1, "fc = 4.5 ksi, fy = 60 ksi\rModulus of Rupture = 0.60 ksi"},
        {usEnglish, 3, "fc = 4.5 ksi, fy = 60 ksi\rModulus of Rupture = 0.60 ksi"},
        {usSI, 0, "fc = 21 MPa, fy = 410 MPa\rModulus of Rupture = 3.4 MPa"},
        {usSI, 1, "fc = 32 MPa, fy = 410 MPa\rModulus of Rupture = 4.1 MPa"},
        {usSI, 3, "fc = 32 MPa, fy = 410 MPa\rModulus of Rupture = 4.1 MPa"},
    };
    for (const Case& c : cases) {
        TKdData d = ProjectWith(c.units, 20, {}, {});
        d.LaggingConcreteSet = c.concreteSet;
        EXPECT_EQ(c.expected, d.ConcreteStrengthText().CForm()) << int(c.units) << " set " << c.concreteSet;
    }
}

TEST(GeometryCounts, WalersAndCornerBraces) {
    std::vector<TAnchLevel> levels(5, Level(lkTieback, 2, 15));
    levels[0].Waler = {.HasWaler = true, .ModulusPass = true, .DeflectionPass = true};
    levels[2].Waler = {.HasWaler = true, .ModulusPass = true, .DeflectionPass = false};
    levels[3].Waler = {.HasWaler = true, .ModulusPass = true, .DeflectionPass = true};
    levels[1].Waler.ModulusPass = false; // no waler: its flags do not matter
    levels[4].Waler.HasWaler = true;     // beyond the level count: not a level of the project
    TKdData d = ProjectWith(usEnglish, 20, levels, {});
    d.Anchors.LevelCount = 4;
    EXPECT_EQ(3, d.CountWalerLevels());
    EXPECT_FALSE(d.AllWalersPass());
    d.Anchors.Levels[2].Waler.DeflectionPass = true;
    EXPECT_TRUE(d.AllWalersPass());
    d.Anchors.Levels[3].Waler.ModulusPass = false;
    EXPECT_FALSE(d.AllWalersPass());
    d.Anchors.LevelCount = 0;
    EXPECT_EQ(0, d.CountWalerLevels());
    EXPECT_TRUE(d.AllWalersPass());

    d.CornerBraces.LevelCount = 4;
    d.CornerBraces.Levels.assign(4, Level(lkUnused, 2, 0));
    d.CornerBraces.Levels[1].Kind = lkStrut;
    d.CornerBraces.Levels[3].Kind = lkStrut;
    d.UseCornerBraces = false;
    EXPECT_EQ(0, d.CountCornerBraces());
    d.UseCornerBraces = true;
    EXPECT_EQ(2, d.CountCornerBraces());
}
