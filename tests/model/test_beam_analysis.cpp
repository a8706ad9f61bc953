// Beam analysis of the pile against exact continuous-beam solutions and hand calculations.
//
// The exact solutions come from tests/model/ContinuousBeam.h (three-moment equation, exact
// integrals). The analysis integrates by the trapezoidal rule at 100 steps per segment, which is
// good to about (1/100)^2 of a value: reactions and shears are held to 1e-4 of the total load,
// moments to 5e-4 of the peak moment, deflections (integrated four times, then carried from the
// top down the whole pile) to 5e-3 of the peak deflection. A wrong sign, span length or end
// condition shows as errors of whole percents.

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <string>
#include <vector>

#include "model/ContinuousBeam.h"
#include "model/KdClasses.h"

using namespace vantrel;
using beamcheck::ContinuousBeam;
using beamcheck::LoadPoint;

namespace {

// A W14X90 pile: Ix 999 in^4, E 29000 ksi -> EI = 999 x 29000 / 144 kip-ft^2.
constexpr Ext kEI = 999.0L * 29000.0L / 144.0L;

struct BeamCase {
    std::string name;
    std::vector<Ext> spacings; // HeightFromPrevious of the levels, ft
    Ext loadingHeight;         // ft
    std::array<TDiagramPoint, 4> diagram;
};

std::array<TDiagramPoint, 4> Uniform(Ext hl, Ext w) {
    return {{{0, w}, {hl / 4, w}, {hl * 3 / 4, w}, {hl, w}}};
}
std::array<TDiagramPoint, 4> Trapezoid(Ext hl, Ext p) {
    return {{{0, 0}, {hl / 4, p}, {hl * 3 / 4, p}, {hl, 0}}};
}

// Levels (horizontal tiebacks), loading height = shored height, and the pile stiffness.
void SetLevels(TKdData& d, const std::vector<Ext>& spacings, Ext hl) {
    TAnchor& a = d.Anchors;
    a.LevelCount = static_cast<int32_t>(spacings.size());
    d.ResizeAnchorLevels();
    for (size_t k = 0; k < spacings.size(); ++k) {
        a.Levels[k].HeightFromPrevious = spacings[k];
        a.Levels[k].Angle = 0;
    }
    a.LoadingHeight = hl;
    d.ShoredHeight = hl;
    d.PileEI = kEI;
}

std::vector<Ext> SupportDepths(const std::vector<Ext>& spacings, Ext hl) {
    std::vector<Ext> s;
    Ext depth = 0;
    for (Ext h : spacings)
        s.push_back(depth += h);
    s.push_back(hl);
    return s;
}

ContinuousBeam ExactBeam(const BeamCase& c) {
    std::vector<LoadPoint> load;
    for (const TDiagramPoint& p : c.diagram)
        load.push_back({p.Depth, p.Load});
    return ContinuousBeam(SupportDepths(c.spacings, c.loadingHeight), load, kEI);
}

// Compares every result along the pile with the exact solution.
void ExpectMatchesExact(const BeamCase& c, const TAnchor& a) {
    SCOPED_TRACE(c.name);
    const ContinuousBeam beam = ExactBeam(c);
    const std::vector<Ext> supports = SupportDepths(c.spacings, c.loadingHeight);
    const size_t n = c.spacings.size();
    const Ext total = beam.LoadArea(0, c.loadingHeight);

    // Node layout: segment 0 from the top to level 1, then level to level, the last to the bottom.
    ASSERT_EQ(a.PileNodes.size(), n + 1);
    ASSERT_EQ(a.SpanNodes.size(), n + 1);
    for (size_t k = 0; k <= n; ++k) {
        EXPECT_NEAR(a.PileNodes[k].Nodes[0].Depth, k == 0 ? 0.0L : supports[k - 1], 1e-9L);
        EXPECT_NEAR(a.PileNodes[k].Nodes[100].Depth, supports[k], 1e-9L);
    }

    // Reactions and equilibrium.
    ASSERT_EQ(a.Reactions.size(), n + 1);
    for (size_t j = 0; j <= n; ++j)
        EXPECT_NEAR(a.Reactions[j], beam.Reactions()[j], 1e-4L * total) << "support " << j;
    EXPECT_NEAR(a.SumOfLoads, total, 1e-12L * total);
    EXPECT_NEAR(a.SumOfReactions, a.SumOfLoads, 1e-12L * total); // the shear keeps the whole load

    // Peak shear: the shear rises with the load between supports, so its extremes lie just above
    // or just below a support.
    Ext peakShear = 0;
    for (Ext s : supports) {
        peakShear = std::max({peakShear, std::fabs(beam.Shear(s, false)), std::fabs(beam.Shear(s, true))});
    }
    EXPECT_NEAR(std::fabs(a.MaxShear), peakShear, 1e-4L * total);
    const Ext shearThere =
        std::max(std::fabs(beam.Shear(a.MaxShearDepth, false)), std::fabs(beam.Shear(a.MaxShearDepth, true)));
    EXPECT_NEAR(shearThere, peakShear, 1e-4L * total) << "peak shear reported at " << a.MaxShearDepth;

    // Peak moment, sampled finely; the analysis sees it only at its nodes (spacing dx), where the
    // moment is flat to within w dx^2 / 8.
    Ext peakMoment = 0;
    Ext wMax = 0;
    Ext dxMax = 0;
    for (const TDiagramPoint& p : c.diagram)
        wMax = std::max(wMax, std::fabs(p.Load));
    for (size_t k = 0; k <= n; ++k)
        dxMax = std::max(dxMax, (supports[k] - (k ? supports[k - 1] : 0)) / 100);
    for (int i = 0; i <= 8000; ++i)
        peakMoment = std::max(peakMoment, std::fabs(beam.Moment(c.loadingHeight * i / 8000)));
    for (Ext s : supports)
        peakMoment = std::max(peakMoment, std::fabs(beam.Moment(s)));
    const Ext momentTol = 5e-4L * peakMoment + wMax * dxMax * dxMax / 8;
    EXPECT_NEAR(std::fabs(a.MaxMoment), peakMoment, momentTol);
    EXPECT_NEAR(a.MaxMoment, beam.Moment(a.MaxMomentDepth), momentTol) << "at " << a.MaxMomentDepth;

    // Shear, moment, displayed deflection (in, positive against the load) and slope along the pile.
    Ext peakDeflection = 0;
    Ext peakSlope = 0;
    for (int i = 0; i <= 400; ++i) {
        const Ext x = c.loadingHeight * i / 400;
        peakDeflection = std::max(peakDeflection, std::fabs(12 * beam.Deflection(x)));
        peakSlope = std::max(peakSlope, std::fabs(beam.Slope(x)));
    }
    // With one level the slope is reported with the opposite sign (the slope of the displayed
    // deflection line); with several it is the slope in the direction of the load.
    const Ext slopeSign = n == 1 ? -1 : 1;
    for (size_t k = 0; k <= n; ++k) {
        for (int i = 5; i <= 95; i += 10) {
            const TAnchNode& node = a.PileNodes[k].Nodes[i];
            EXPECT_NEAR(node.Shear, beam.Shear(node.Depth, true), 1e-4L * total) << "x=" << node.Depth;
            EXPECT_NEAR(node.Moment, beam.Moment(node.Depth), 5e-4L * peakMoment) << "x=" << node.Depth;
            EXPECT_NEAR(node.Deflection2, -12 * beam.Deflection(node.Depth), 5e-3L * peakDeflection)
                << "x=" << node.Depth;
            EXPECT_NEAR(node.Slope2, slopeSign * beam.Slope(node.Depth), 5e-3L * peakSlope)
                << "x=" << node.Depth;
        }
    }
    EXPECT_NEAR(std::fabs(a.MaxDeflectionResult), peakDeflection, 5e-3L * peakDeflection);
}

} // namespace

TEST(BeamAnalysis, MatchesExactContinuousBeams) {
    const std::vector<BeamCase> cases = {
        {"one level, uniform", {5}, 20, Uniform(20, 1.2L)},
        {"one level, trapezoid, support in the top ramp", {3}, 18, Trapezoid(18, 2.0L)},
        {"two levels, equal spans, uniform", {4, 8}, 20, Uniform(20, 1.5L)},
        {"two levels, unequal spans, trapezoid", {3, 9}, 22, Trapezoid(22, 2.0L)},
        {"three levels, unequal, trapezoid", {5, 6, 4}, 24, Trapezoid(24, 1.8L)},
        {"four levels, equal spans, uniform", {4, 5, 5, 5}, 25, Uniform(25, 2.0L)},
        {"five levels, user diagram with kinks inside spans",
         {2.5L, 4, 6, 3.5L, 5},
         26,
         {{{0, 0.5L}, {7, 2.4L}, {15, 1.6L}, {26, 0.9L}}}},
        {"two levels, a step in the diagram", {4, 7}, 20, {{{0, 0}, {6, 1.5L}, {6, 2.5L}, {20, 2.5L}}}},
        {"six levels, unequal, uniform", {2, 3, 5, 2.5L, 4, 3}, 24, Uniform(24, 1.1L)},
        {"eight levels, equal spans, uniform", {2, 4, 4, 4, 4, 4, 4, 4}, 34, Uniform(34, 1.0L)},
        {"eight levels, unequal spans, trapezoid", {3, 4.5L, 3, 5, 4, 3.5L, 4, 3}, 34, Trapezoid(34, 2.2L)},
    };
    for (const BeamCase& c : cases) {
        TKdData d;
        SetLevels(d, c.spacings, c.loadingHeight);
        d.Anchors.DiagramPoints = c.diagram;
        d.AnalysePileOnSupports(d.Anchors);
        ExpectMatchesExact(c, d.Anchors);
    }
}

TEST(BeamAnalysis, LowestLevelBelowTheExcavationSpansToTheLoadingHeight) {
    // The last span runs from the lowest level to the bottom of the loading height (3 ft here),
    // not over the loading height below the excavation (4 ft).
    const BeamCase c{"lowest level below the excavation", {6, 7, 6}, 22, Uniform(22, 1.4L)};
    TKdData d;
    SetLevels(d, c.spacings, c.loadingHeight);
    d.ShoredHeight = 18;
    d.Anchors.DiagramPoints = c.diagram;
    d.AnalysePileOnSupports(d.Anchors);
    ExpectMatchesExact(c, d.Anchors);
}

TEST(BeamAnalysis, TwoEqualSpansWithoutCantileverMatchTheTextbookCase) {
    // Level 1 at the top of the wall, level 2 at L = 10 ft, loading height 2L, w = 1.5 kip/ft.
    // Two equal spans under a uniform load: reactions 3wL/8, 10wL/8, 3wL/8 = 5.625, 18.75, 5.625;
    // moment over the middle support wL^2/8 = 18.75 kip-ft; largest shear 5wL/8 = 9.375 kips beside
    // it. Each span deflects as a propped cantilever: v = w x (L^3 - 3 L x^2 + 2 x^3) / (48 EI),
    // x from the end support, largest at x = L (1 + sqrt 33) / 16 = 4.2154 ft.
    const Ext w = 1.5L;
    const Ext L = 10;
    TKdData d;
    SetLevels(d, {0, L}, 2 * L);
    d.Anchors.DiagramPoints = Uniform(2 * L, w);
    d.AnalysePileOnSupports(d.Anchors);
    const TAnchor& a = d.Anchors;

    const Ext tol = 1e-4L * 2 * w * L; // of the total load
    ASSERT_EQ(a.Reactions.size(), 3u);
    EXPECT_NEAR(a.Reactions[0], 5.625L, tol);
    EXPECT_NEAR(a.Reactions[1], 18.75L, tol);
    EXPECT_NEAR(a.Reactions[2], 5.625L, tol);
    EXPECT_NEAR(a.SumOfReactions, 30.0L, 1e-12L);
    EXPECT_NEAR(a.MaxMoment, 18.75L, 5e-4L * 18.75L);
    EXPECT_NEAR(a.MaxMomentDepth, L, 1e-9L);
    EXPECT_NEAR(std::fabs(a.MaxShear), 9.375L, tol);
    EXPECT_NEAR(a.MaxShearDepth, L, 1e-9L);

    const Ext x = L * (1 + std::sqrt(33.0L)) / 16;
    const Ext vMaxIn = 12 * w * x * (L * L * L - 3 * L * x * x + 2 * x * x * x) / (48 * kEI);
    EXPECT_NEAR(a.MaxDeflectionResult, -vMaxIn, 5e-3L * vMaxIn); // toward the excavation: negative
    const Ext depth = a.MaxDeflectionDepth;
    EXPECT_TRUE(std::fabs(depth - x) <= 0.1L || std::fabs(depth - (2 * L - x)) <= 0.1L) << depth;
}

TEST(BeamAnalysis, OneLevelMatchesTheHandAnalysisOfTheOverhangingSpan) {
    // One level at a = 5 ft, loading height 20 ft (span L = 15 ft pinned at both ends, 5 ft free
    // above), w = 1.2 kip/ft, W = 24 kips at 10 ft.
    // Moments about level 1: R_bottom = W (10 - 5) / 15 = 8; R_1 = 24 - 8 = 16.
    // Over the level: w a^2 / 2 = 15 kip-ft. Zero shear at x0 = R_1 / w = 13.333 ft:
    // M = w x0^2 / 2 - R_1 (x0 - a) = 106.667 - 133.333 = -26.667 kip-ft (the peak).
    // Shear just below the level: w a - R_1 = -10 kips (the peak; 6 above it, 8 at the bottom).
    // Top of the wall: slope at the level v'(a) = w L^3 / (24 EI) - (w a^2 / 2) L / (3 EI) = 93.75 / EI,
    // v(0) = -a v'(a) + w a^4 / (8 EI) = -375 / EI ft, shown as -12 v(0) = 4500 / EI in.
    TKdData d;
    SetLevels(d, {5}, 20);
    d.Anchors.DiagramPoints = Uniform(20, 1.2L);
    d.AnalysePileOnSupports(d.Anchors);
    const TAnchor& a = d.Anchors;

    ASSERT_EQ(a.Reactions.size(), 2u);
    const Ext tol = 1e-4L * 24;
    EXPECT_NEAR(a.Reactions[0], 16.0L, tol);
    EXPECT_NEAR(a.Reactions[1], 8.0L, tol);
    EXPECT_NEAR(a.SumOfReactions, 24.0L, 1e-12L);
    EXPECT_NEAR(a.SumOfLoads, 24.0L, 1e-12L);
    EXPECT_NEAR(a.PileNodes[0].Nodes[100].Moment, 15.0L, 5e-4L * 15);
    EXPECT_NEAR(a.MaxMoment, -26.6667L, 5e-3L);
    EXPECT_NEAR(a.MaxMomentDepth, 13.3333L, 0.15L);
    EXPECT_NEAR(a.MaxShear, -10.0L, tol);
    EXPECT_NEAR(a.MaxShearDepth, 5.0L, 1e-9L);
    EXPECT_NEAR(a.PileNodes[0].Nodes[0].Deflection2, 4500.0L / kEI, 5e-3L * 4500.0L / kEI);
}

TEST(BeamAnalysis, CompleteAnalysisLoadsThePileWithTheApparentPressureDiagram) {
    // Soil 0 (rectangle): 0.33 x 120 pcf x 20 ft = 792 psf, times S = 8 ft: w = 6.336 kip/ft.
    // Soil 4 (trapezoid): 0.3 x 120 x 20 = 720 psf -> p = 5.76 kip/ft, reached at 5 ft, released
    // from 15 ft; total 0.75 x 20 x 5.76 = 86.4 kips.
    struct Shape {
        int soilType;
        BeamCase beam;
    };
    const std::vector<Shape> shapes = {
        {0, {"rectangle", {5, 8}, 20, Uniform(20, 6.336L)}},
        {4, {"trapezoid", {3, 6, 6}, 20, Trapezoid(20, 5.76L)}},
    };
    for (const Shape& s : shapes) {
        TKdData d;
        SetLevels(d, s.beam.spacings, s.beam.loadingHeight);
        TAnchor& a = d.Anchors;
        a.SoilType = s.soilType;
        a.UniformSurcharge = 0;
        a.Kh = 0;
        a.WaterDepth = 100;
        a.PointLoadOn = a.LineLoadOn = a.StripLoadOn = false;
        a.AnchorSpacingItem = 2;
        a.TestLoadFactor = 1.33L;
        a.EmbedmentRatio = 0.55L;
        d.SoilRecords[0].UnitWeight = 120;
        d.PileSpacing = 8;
        d.SetPileType(ptSoldierBeam);
        d.AnalyseBeam(a);
        ExpectMatchesExact(s.beam, a);

        // Set-up: the longest unbraced length is the largest spacing or the height of the lowest
        // level above the excavation bottom (rectangle: 8 vs 7; trapezoid: 6 vs 5).
        const Ext maxSpan = s.soilType == 0 ? 8 : 6;
        EXPECT_EQ(a.MaxSpan, maxSpan);
        EXPECT_EQ(a.Lb, maxSpan * 12);
        EXPECT_NEAR(a.Embedment, 11.0L, 1e-12L);
        EXPECT_NEAR(d.PileLength, 31.0L, 1e-12L);
        // Horizontal levels carry their reaction times the anchor spacing multiple.
        for (size_t j = 0; j < s.beam.spacings.size(); ++j) {
            EXPECT_NEAR(a.LevelLoads[j], 2 * a.Reactions[j], 1e-12L);
            EXPECT_NEAR(a.TestLoads[j], 1.33L * 2 * a.Reactions[j], 1e-12L);
        }
    }
}

TEST(BeamAnalysis, UndefinedWhenThePileCannotBeAnalysed) {
    struct Fault {
        std::string name;
        std::vector<Ext> spacings;
        Ext ei;
    };
    const Ext hl = 20;
    const std::vector<Fault> faults = {
        {"two levels at one depth", {5, 0}, kEI},
        {"level at the loading height", {5, 15}, kEI},
        {"level below the loading height", {5, 16}, kEI},
        {"negative spacing", {-1, 6}, kEI},
        {"no stiffness", {5, 8}, 0},
        {"undefined stiffness", {5, 8}, kNaN},
        {"no levels", {}, kEI},
    };
    for (const Fault& f : faults) {
        SCOPED_TRACE(f.name);
        TKdData d;
        TAnchor& a = d.Anchors;
        // A sound analysis first, so that nothing of it may survive the faulty one.
        SetLevels(d, {5, 8}, hl);
        a.DiagramPoints = Uniform(hl, 1.0L);
        d.AnalysePileOnSupports(a);
        ASSERT_TRUE(IsFinite(a.MaxMoment));

        SetLevels(d, f.spacings, hl);
        d.PileEI = f.ei;
        d.AnalysePileOnSupports(a);
        const size_t n = f.spacings.size();
        ASSERT_EQ(a.Reactions.size(), n + 1);
        for (Ext r : a.Reactions)
            EXPECT_TRUE(IsNaN(r));
        ASSERT_EQ(a.LevelLoads.size(), n);
        for (Ext l : a.LevelLoads)
            EXPECT_TRUE(IsNaN(l));
        EXPECT_TRUE(IsNaN(a.SumOfReactions));
        EXPECT_NEAR(a.SumOfLoads, 20.0L, 1e-12L); // the load itself stays known
        for (Ext v :
             {a.MaxShear, a.MaxShearDepth, a.MaxMoment, a.MaxMomentDepth, a.MaxDeflectionResult,
              a.ShearAreaRequired, a.ModulusRequired, a.UtilizedIx, a.ReferenceSlope, a.CantileverMoment})
            EXPECT_TRUE(IsNaN(v));
        ASSERT_EQ(a.PileNodes.size(), n + 1);
        for (const TArrAnchOne& seg : a.PileNodes) {
            for (const TAnchNode& node : seg.Nodes) {
                ASSERT_TRUE(IsNaN(node.Shear) && IsNaN(node.Moment) && IsNaN(node.Slope2) &&
                            IsNaN(node.Deflection2));
            }
        }
    }
}

TEST(BeamAnalysis, UndefinedLoadDiagramLeavesEveryResultUndefined) {
    // The pressure table could not be built: its diagram points are undefined.
    TKdData d;
    SetLevels(d, {5, 8}, 20);
    d.Anchors.DiagramPoints = {{{kNaN, kNaN}, {kNaN, kNaN}, {kNaN, kNaN}, {kNaN, kNaN}}};
    d.AnalysePileOnSupports(d.Anchors);
    const TAnchor& a = d.Anchors;
    for (Ext r : a.Reactions)
        EXPECT_TRUE(IsNaN(r));
    for (Ext v : {a.SumOfLoads, a.SumOfReactions, a.MaxShear, a.MaxMoment, a.MaxDeflectionResult})
        EXPECT_TRUE(IsNaN(v));
}

TEST(BeamAnalysis, RequiredSectionValuesAndDeflectionInBothUnitSystems) {
    // Two equal spans of 10, w = 1.5 per unit depth (the textbook case above): |V| = 9.375,
    // |M| = 18.75. Each span deflects like a propped cantilever, largest
    // v = w x (L^3 - 3 L x^2 + 2 x^3) / (48 EI) at x = L (1 + sqrt 33) / 16.
    // English (ft, kip/ft, kip-ft^2; Fy 50 ksi; allowed 0.5 in):
    //   Aw = 1.5 x 9.375 / (0.6 x 50) = 0.46875 in^2; Sx = 1.67 x 12 x 18.75 / 50 = 7.515 in^3;
    //   deflection shown in in (x 12).
    // SI (m, kN/m, kN-m^2; Fy 345 MPa; allowed 12.7 mm):
    //   Aw = 1.5 x 9375 N / (0.6 x 345) = 67.9348 mm^2; Sx = 1.67 x 18.75e6 N-mm / 345 = 90.7609e3 mm^3;
    //   deflection shown in mm (x 1000).
    struct Case {
        bool si;
        Ext fy, allowed, area, modulus, toDisplay;
    };
    const std::vector<Case> cases = {{false, 50, 0.5L, 0.46875L, 7.515L, 12},
                                     {true, 345, 12.7L, 67.9348L, 90.7609L, 1000}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.si ? "SI" : "English");
        TKdData d;
        if (c.si) d.SetUnits(usSI);
        SetLevels(d, {0, 10}, 20);
        TAnchor& a = d.Anchors;
        a.DiagramPoints = Uniform(20, 1.5L);
        a.Fy = c.fy;
        a.MaxDeflection = c.allowed;
        d.AnalysePileOnSupports(a);
        EXPECT_NEAR(a.ShearAreaRequired, c.area, 1e-4L * c.area);
        EXPECT_NEAR(a.ModulusRequired, c.modulus, 5e-4L * c.modulus);
        const Ext x = 10 * (1 + std::sqrt(33.0L)) / 16;
        const Ext vMax = c.toDisplay * 1.5L * x * (1000 - 30 * x * x + 2 * x * x * x) / (48 * kEI);
        EXPECT_NEAR(a.MaxDeflectionResult, -vMax, 5e-3L * vMax);
        EXPECT_NEAR(a.UtilizedIx, vMax / c.allowed * 100, 5e-3L * vMax / c.allowed * 100);
    }
}

TEST(BeamAnalysis, PileMemberCheckInBothUnitSystems) {
    // Hand values (ASD, Omega 1.67, Cb = K = 1).
    // English W14X90 (d 14, tf 0.71, Iy 362, Sx 143, Zx 157, J 4.06, ry 3.7 in, A 26.5 in^2),
    // E 29000, Fy 50 ksi: h0 = 13.29 in; rts = sqrt(13.29 x 362 / 286) = 4.10142 in;
    // Lp = 1.76 x 3.7 x sqrt(580) = 156.830 in; Lr = 510.404 in.
    //   Lb 120 in < Lp: Mn = 50 x 157 = 7850 kip-in -> 7850 / 1.67 / 12 = 391.717 kip-ft;
    //     KL/r = 120 / 3.7 = 32.432, Fe = 272.106, Fcr = 0.658^(50/272.106) 50 = 46.2987 ksi,
    //     Pc = 46.2987 x 26.5 / 1.67 = 734.680 kips.
    //   Lb 180 in, between Lp and Lr: Mn = 7850 - (7850 - 0.7 x 50 x 143)(180 - 156.830)/(510.404 - 156.830)
    //     -> 382.413 kip-ft; KL/r = 48.649, Fe = 120.936, Fcr = 42.0549, Pc = 667.339 kips.
    //   Lb 540 in > Lr: elastic Fcr Sx with the 0.078 term -> 232.332 kip-ft; KL/r = 145.946 >
    //     4.71 sqrt(580) = 113.43, so Fcr = 0.877 Fe = 0.877 x 13.4374 = 11.7846 ksi, Pc = 187.000 kips.
    // SI W360X134 (cm table: d 35.6, tf 1.8, Iy 15100, Sx 2340, Zx 2570, J 169; ry 94 mm, A 17100 mm^2),
    // E 200000, Fy 345 MPa: Lp = 1.76 x 94 x sqrt(579.71) = 3983.3 mm = 3.9833 m; Lr = 12.9915 m.
    //   Lb 3 m < Lp: Mn = 345 x 2570e3 N-mm -> 530.928 kN-m; KL/r = 3000 / 94 = 31.915,
    //     Fe = 1937.95, Fcr = 320.228 MPa, Pc = 320.228 x 17100 / 1.67 = 3278.98 kN.
    struct Case {
        std::string name;
        bool si;
        std::vector<Ext> spacings;
        Ext hl;
        Ext lp, lr, flexural, klr, fcr, pc;
    };
    const std::vector<Case> cases = {
        {"English, plastic", false, {5, 10}, 20, 156.830L, 510.404L, 391.717L, 32.4324L, 46.2987L, 734.680L},
        {"English, inelastic",
         false,
         {4, 15},
         24,
         156.830L,
         510.404L,
         382.413L,
         48.6486L,
         42.0549L,
         667.339L},
        {"English, elastic", false, {45}, 50, 156.830L, 510.404L, 232.332L, 145.946L, 11.7846L, 187.000L},
        {"SI, plastic", true, {1.5L, 3}, 6, 3.98333L, 12.9915L, 530.928L, 31.9149L, 320.228L, 3278.98L},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TKdData d;
        if (c.si) d.SetUnits(usSI);
        d.SetPileType(ptSoldierBeam);
        SetLevels(d, c.spacings, c.hl);
        TSteelShape shape;
        if (c.si) {
            shape.D = 35.6L, shape.Tf = 1.8L, shape.Iy = 15100, shape.Sx = 2340, shape.Zx = 2570,
            shape.J = 169;
            shape.Ry = 94, shape.A = 17100, shape.Ix = 41600, shape.Aw = 39.872L;
        } else {
            shape.D = 14, shape.Tf = 0.71L, shape.Iy = 362, shape.Sx = 143, shape.Zx = 157, shape.J = 4.06L;
            shape.Ry = 3.7L, shape.A = 26.5L, shape.Ix = 999, shape.Aw = 6.16L;
        }
        d.SetShapeIndex(-1);
        d.SetCustomShape(shape);
        d.PileSection = psIBeam;
        d.SteelE = c.si ? 200000 : 29000;
        d.SteelFy = c.si ? 345 : 50;
        TAnchor& a = d.Anchors;
        a.SoilType = 0;
        a.UniformSurcharge = 0;
        a.Kh = 0;
        a.WaterDepth = 100;
        a.PointLoadOn = a.LineLoadOn = a.StripLoadOn = false;
        a.Cb = 1;
        a.K = 1;
        d.TotalVerticalLoad = c.si ? 800 : 150;
        d.AnalyseBeam(a);

        const Ext rel = 1e-5L;
        EXPECT_NEAR(a.Lp, c.lp, rel * c.lp);
        EXPECT_NEAR(a.Lr, c.lr, rel * c.lr);
        EXPECT_NEAR(a.BucklingCheck, c.flexural, rel * c.flexural);
        EXPECT_NEAR(a.Slenderness, c.klr, rel * c.klr);
        EXPECT_NEAR(a.Fcr, c.fcr, rel * c.fcr);
        EXPECT_NEAR(a.AxialCheck, c.pc, rel * c.pc);
        // Provided against required, in the units of the required values: web area d tw
        // (14 x 0.44 = 6.16 in^2; 35.6 x 1.12 = 39.872 cm^2 = 3987.2 mm^2) and Zx (157 in^3;
        // 2570 cm^3 = 2570 x 10^3 mm^3).
        EXPECT_NEAR(a.ShearAreaProvided, c.si ? 3987.2L : 6.16L, 1e-9L);
        EXPECT_NEAR(a.ModulusProvided, c.si ? 2570.0L : 157.0L, 1e-9L);

        // Combined: Mc is the smaller of the flexural strength and Fy Sx / 1.67 (English
        // 50 x 143 / 1.67 / 12 = 356.786 kip-ft; SI 345 x 2340e3 / 1.67 = 483.413 kN-m); the
        // moment is the exact peak of the continuous beam under the analysis's own diagram.
        std::vector<LoadPoint> load;
        for (const TDiagramPoint& p : a.DiagramPoints)
            load.push_back({p.Depth, p.Load});
        const ContinuousBeam beam(SupportDepths(c.spacings, c.hl), load, d.PileEI);
        Ext m = 0;
        for (int i = 0; i <= 8000; ++i)
            m = std::max(m, std::fabs(beam.Moment(c.hl * i / 8000)));
        const Ext mc = std::min(c.flexural, c.si ? 483.413L : 356.786L);
        const Ext p = d.TotalVerticalLoad / c.pc;
        const Ext ratio = (p >= 0.2L ? p + 8.0L / 9.0L * m / mc : p / 2 + m / mc) * 100;
        EXPECT_NEAR(a.CombinedUtilization, ratio, 1e-3L * ratio);
    }
}

TEST(BeamAnalysis, SheetPileHasNoBeamColumnCheck) {
    TKdData d;
    d.SetPileType(ptSheet);
    SetLevels(d, {5, 8}, 20);
    d.Anchors.SoilType = 0;
    d.AnalyseBeam(d.Anchors);
    EXPECT_TRUE(IsFinite(d.Anchors.MaxMoment));
    EXPECT_TRUE(IsNaN(d.Anchors.BucklingCheck));
    EXPECT_TRUE(IsNaN(d.Anchors.AxialCheck));
    EXPECT_TRUE(IsNaN(d.Anchors.CombinedUtilization));
    EXPECT_TRUE(IsNaN(d.Anchors.ShearAreaProvided));
}
