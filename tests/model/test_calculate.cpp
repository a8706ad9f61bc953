// The design calculation end to end: projects built in code, results against numbers worked out
// independently (closed-form beam formulas, published section values, hand statics) in the
// comments.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "model/KdClasses.h"
#include "reference_projects.h"

using namespace vantrel;

namespace {

// W18x50 with its published properties (in, in^2, in^3, in^4).
TSteelShape W18x50() {
    TSteelShape s;
    s.Name = "W18X50";
    s.D = 18.0L;
    s.Bf = 7.5L;
    s.Tf = 0.57L;
    s.Tw = 0.355L;
    s.Ix = 800.0L;
    s.Iy = 40.1L;
    s.Sx = 88.9L;
    s.Zx = 101.0L;
    s.Ry = 1.65L;
    s.J = 1.24L;
    s.A = 14.7L;
    s.Aw = 18.0L * 0.355L;
    return s;
}

// The pressure lists of a wall of height H: `active` ksf from the top to H, nothing on the
// embedded part of the loading side, `passive` ksf on the passive side below H.
void UniformUserPressure(TKdData& d, Ext active, Ext passive) {
    const Ext H = d.ShoredHeight;
    const Ext loadingDepths[8] = {0.0L, H / 3.0L, 2.0L * H / 3.0L, H, H, 1.3L * H, 1.6L * H, 2.0L * H};
    for (int i = 0; i < 8; ++i)
        d.LoadingSidePoints[i] = {loadingDepths[i], i < 4 ? active : 0.0L};
    for (int i = 0; i < 4; ++i)
        d.PassiveSidePoints[i] = {H + i * 0.5L * H, passive};
}

// An English soldier-pile wall: H 10 ft, piles at 6 ft, W18x50 (user-defined row) in a 2 ft
// drilled hole of 3 ksi concrete, steel E 29000, Fy 50; no extra loads, no axial load.
TKdData SoldierWall() {
    TKdData d;
    d.SetUnits(usEnglish);
    d.SetPileType(ptSoldierBeam);
    d.PileSection = psIBeam;
    d.Installation = 0;
    d.SetShapeIndex(-1);
    d.SetCustomShape(W18x50());
    d.ShoredHeight = 10.0L;
    d.PileSpacing = 6.0L;
    d.PileWidth = 2.0L;
    d.IgnorePassive = 0.0L;
    d.ConcreteFc = 3.0L;
    d.SteelE = 29000.0L;
    d.SteelFy = 50.0L;
    d.AxialLoad = 0.0L;
    d.AuxInput2 = d.AuxInput3 = d.AuxInput6 = 0.0L;
    d.DesignFlag1 = d.DesignFlag2 = false;
    UniformUserPressure(d, 0.5L, 0.0L);
    return d;
}

} // namespace

// --- Section properties ---------------------------------------------------------------------

TEST(CalculateSection, StiffnessOfEachPileSection) {
    // I-beam: PileEI = 800 in^4 x 29000 ksi / 144 = 161111.1 kip-ft^2. The hole: D = 2 ft = 24 in,
    // PierI = pi 24^4 / 64 = 16286.02 in^4, Ec = 57000 sqrt(3000) / 1000 = 3122.019 ksi,
    // EncasedEI = 3122.019 x 16286.02 / 144 = 353092.0 kip-ft^2.
    TKdData beam = SoldierWall();
    beam.Calculate();
    EXPECT_NEAR(beam.SectionIx, 800.0L, 1e-12L);
    EXPECT_NEAR(beam.PileEI, 161111.11L, 0.01L);
    EXPECT_NEAR(beam.PierI, 16286.016L, 1e-3L);
    EXPECT_NEAR(beam.Ec, 3122.0186L, 1e-4L);
    EXPECT_NEAR(beam.EncasedEI, 353091.98L, 0.01L);
    EXPECT_NEAR(beam.RowStep, 1.0L / 3.0L, 1e-15L);
    // Beam diagonal: sqrt(7.5^2 + 18^2) = 19.5 in.
    EXPECT_NEAR(beam.BeamDiagonal, 19.5L, 1e-12L);

    // Pipe pile: I from the pipe row itself (HSS20X.500, I = 1360 in^4, not 100 times it):
    // 1360 x 29000 / 144 = 273888.9 kip-ft^2; filled with concrete it bends as the hole.
    TKdData pipe = SoldierWall();
    pipe.PileSection = psPipe;
    TOShape row;
    row.Name = "HSS20X.500";
    row.A = 28.5L, row.OD = 20.0L, row.TNominal = 0.5L, row.T = 0.465L, row.I = 1360.0L;
    row.Z = 177.0L, row.S = 136.0L, row.R = 6.91L;
    pipe.PipeShapes = {row};
    pipe.ShapeIndex = 0;
    pipe.Calculate();
    EXPECT_NEAR(pipe.SectionIx, 1360.0L, 1e-12L);
    EXPECT_NEAR(pipe.PileEI, 273888.89L, 0.01L);
    pipe.PipeFilledWithConcrete = true;
    pipe.Calculate();
    EXPECT_NEAR(pipe.PileEI, 353091.98L, 0.01L);

    // SI: Ix 41500 cm^4 x 200000 MPa / 10^5 = 83000 kN-m^2; a 0.6 m hole of 30 MPa concrete:
    // PierI = pi 0.6^4 / 64 m^4 = 636172.5 cm^4, Ec = 4700 sqrt(30) = 25742.96 MPa,
    // EncasedEI = 25742.96e3 kPa x 6.361725e-3 m^4 = 163769.6 kN-m^2.
    TKdData si = SoldierWall();
    si.SetUnits(usSI);
    TSteelShape siRow;
    siRow.Ix = 41500.0L;
    si.SetShapeIndex(-1);
    si.SetCustomShape(siRow);
    si.PileWidth = 0.6L;
    si.ConcreteFc = 30.0L;
    si.SteelE = 200000.0L;
    si.Calculate();
    EXPECT_NEAR(si.PileEI, 83000.0L, 1e-9L);
    EXPECT_NEAR(si.PierI, 636172.51L, 0.01L);
    EXPECT_NEAR(si.Ec, 25742.960L, 1e-3L);
    EXPECT_NEAR(si.EncasedEI, 163769.64L, 0.01L);
}

// --- Cantilever table -----------------------------------------------------------------------

TEST(CalculateCantilever, UniformPressureOnAStiffPier) {
    // A 30 in rebar-cage pier (4 ksi) bends as its concrete section over the whole length:
    // EI = 3604.997 ksi x 39760.78 in^4 / 144 = 995399.2 kip-ft^2. H = 20 ft, 0.5 ksf at 6 ft
    // spacing = w = 3 kips/ft down to H, nothing below; fixed at the deepest row, L = 2.2 H = 44 ft.
    TKdData d = SoldierWall();
    d.PileSection = psRebarCage;
    d.PileWidth = 2.5L;
    d.ConcreteFc = 4.0L;
    d.ShoredHeight = 20.0L;
    UniformUserPressure(d, 0.5L, 0.0L);
    d.Calculate();
    EXPECT_NEAR(d.PileEI, 995399.18L, 0.01L);
    EXPECT_NEAR(d.PileResults[63].Depth, 44.0L, 1e-12L);
    EXPECT_NEAR(d.PileResults[15].Load, 3.0L, 1e-15L);
    // V(x) = w x, M(x) = w x^2 / 2 to H (the trapezoidal rule is exact for these), then
    // V = wH = 60 kips and M = wH (x - H/2): 600 kip-ft at H, 3 x 20 x 34 = 2040 kip-ft at 44 ft.
    EXPECT_NEAR(d.PileResults[15].Shear, 30.0L, 1e-12L);
    EXPECT_NEAR(d.PileResults[15].Moment, 150.0L, 1e-12L);
    EXPECT_NEAR(d.PileResults[30].Moment, 600.0L, 1e-12L);
    EXPECT_NEAR(d.PileResults[63].Moment, 2040.0L, 1e-9L);
    // All moments positive: the second case equals the first.
    EXPECT_NEAR(d.PileResults[40].Moment2, d.PileResults[40].Moment, 1e-12L);
    EXPECT_NEAR(d.PeakShearC, 60.0L, 1e-12L);
    EXPECT_NEAR(d.PeakShearDepth, 20.0L, 1e-12L);
    EXPECT_NEAR(d.PeakMomentAbove, 600.0L, 1e-12L);
    EXPECT_NEAR(d.PeakMomentAboveDepth, 20.0L, 1e-12L);
    EXPECT_NEAR(d.PeakMomentBelow, 2040.0L, 1e-9L);
    EXPECT_NEAR(d.PeakMomentBelowDepth, 44.0L, 1e-12L);
    // Free-end deflection of a cantilever loaded over the top a = H of its length L (unit load):
    // delta = w/EI [a^4/8 + a ((L^3 - a^3)/3 - a (L^2 - a^2)/4)] = 1.148162 ft = 13.7779 in. The
    // trapezoidal slopes over steps of 0.67..0.83 ft agree to better than 0.2 %.
    EXPECT_NEAR(d.TopDeflection, 13.7779L, 0.002L * 13.7779L);
    EXPECT_NEAR(d.PileResults[63].Deflection, 0.0L, 1e-12L);
    EXPECT_NEAR(d.PileResults[63].Slope, 0.0L, 1e-15L);
}

TEST(CalculateCantilever, SecondCaseStopsWhereTheMomentTurns) {
    // H = 10 ft, 1 ksf at 1 ft spacing above H, passive -4 ksf below. With u = x - H:
    // V = 10 - 4u, M = 50 + 10u - 2u^2 (exact under the trapezoidal rule), zero at u = 8.09 ft.
    // Rows below H: 33..43 at u = 0.4 (i - 33), 44..55 at u = 4 + (i - 43) 5/12.
    TKdData d = SoldierWall();
    d.PileSpacing = 1.0L;
    UniformUserPressure(d, 1.0L, -4.0L);
    d.Calculate();
    // Row 0 takes the load of the pressure times the spacing, in both cases.
    EXPECT_NEAR(d.PileResults[0].Load2, 1.0L, 1e-15L);
    // Row 52: u = 7.75, M = 50 + 77.5 - 120.125 = 7.375 > 0, V = -21.
    EXPECT_NEAR(d.PileResults[52].Moment, 7.375L, 1e-9L);
    EXPECT_NEAR(d.PileResults[52].Moment2, 7.375L, 1e-9L);
    EXPECT_NEAR(d.PileResults[52].Shear2, -21.0L, 1e-9L);
    // Row 53: u = 8.1667, M = -1.7222: the second case carries nothing from here down.
    EXPECT_NEAR(d.PileResults[53].Moment, -1.72222L, 1e-5L);
    for (int i = 53; i < kPileResultRows; ++i) {
        EXPECT_EQ(d.PileResults[i].Load2, 0.0L) << i;
        EXPECT_EQ(d.PileResults[i].Shear2, 0.0L) << i;
        EXPECT_EQ(d.PileResults[i].Moment2, 0.0L) << i;
    }
    // Peak shear of the second case: -21 at u = 7.75 outweighs +10 at H.
    EXPECT_NEAR(d.PeakShearC, -21.0L, 1e-9L);
    EXPECT_NEAR(d.PeakShearDepth, 17.75L, 1e-12L);
    // Peak moments: 50 at H above; below the largest row value is at u = 2.4 (row 39):
    // 50 + 24 - 11.52 = 62.48 kip-ft (the true peak 62.5 lies at u = 2.5, between rows).
    EXPECT_NEAR(d.PeakMomentAbove, 50.0L, 1e-12L);
    EXPECT_NEAR(d.PeakMomentBelow, 62.48L, 1e-9L);
    EXPECT_NEAR(d.PeakMomentBelowDepth, 12.4L, 1e-12L);
}

// --- Extra pile loads -----------------------------------------------------------------------

TEST(CalculateExtraLoads, BlockAAndItsCompanion) {
    // b = 2, a = 4, depth 1 -> z1 = 3 ft; strip 500 x factor 0.5 x cos 60 = 0.5 x share 4/8 and
    // 1.35 (soldier beam): q = 84.375; load = (3 + 7/2) x 84.375 x 7 / 1000 = 3.8390625 kip-ft.
    // Tangent piles take 1.7: q = 106.25, load = 4.834375. Companion: 2000 x 1.5 / 1000 = 3.
    struct Case {
        int pileType;
        Ext a, b;
        bool flag1, flag2;
        Ext load1, topMoment;
    };
    const Case cases[] = {
        {ptSoldierBeam, 4.0L, 2.0L, false, false, 3.8390625L, 0.0L},
        {ptSoldierBeam, 4.0L, 2.0L, true, false, 3.8390625L, 3.8390625L},
        {ptSoldierBeam, 4.0L, 2.0L, true, true, 3.8390625L, 6.8390625L},
        {ptTangent, 4.0L, 2.0L, true, false, 4.834375L, 4.834375L},
        {ptSoldierBeam, 2.0L, -1.0L, true, false, 0.0L, 0.0L}, // a + 2b = 0: no strip, no load
        {ptSoldierBeam, 0.0L, 0.0L, true, true, 0.0L, 3.0L},
    };
    for (const Case& c : cases) {
        TKdData d = SoldierWall();
        d.SetPileType(c.pileType);
        d.AuxInput2 = c.b;
        d.AuxInput3 = c.a;
        d.AuxInput4 = 3.0L - c.b;
        d.AuxInput5 = 500.0L;
        d.AuxFactor = 0.5L;
        d.SoilRecords[0].Angle = 60.0L;
        d.AuxInput6 = 2000.0L;
        d.AuxInput7 = 1.5L;
        d.DesignFlag1 = c.flag1;
        d.DesignFlag2 = c.flag2;
        d.Calculate();
        EXPECT_NEAR(d.ExtraPileLoad1, c.load1, 1e-12L) << c.pileType << " " << static_cast<double>(c.b);
        EXPECT_NEAR(d.ExtraPileLoad2, 3.0L, 1e-12L);
        EXPECT_NEAR(d.PileResults[0].Moment, c.topMoment, 1e-12L);
        EXPECT_NEAR(d.PileResults[0].Moment2, c.topMoment, 1e-12L);
    }
}

// --- Soldier pile check ---------------------------------------------------------------------

TEST(CalculateSoldierPile, W18x50OverTenFeet) {
    // Published W18x50 limits for Fy 50: Lp = 1.76 x 1.65 sqrt(580) = 69.94 in = 5.83 ft;
    // h0 = 17.43, rts = sqrt(17.43 x 40.1 / 177.8) = 1.9827 in, Lr = 203.58 in = 16.97 ft.
    // Lb = H = 120 in lies between: Mn = 5050 - (5050 - 3111.5)(120 - 69.94)/(203.58 - 69.94)
    // = 4323.84 kip-in; /1.67/12 = 215.760 kip-ft. Below: 5050 / 1.67 / 12 = 251.996 kip-ft.
    // Shear: 0.6 x 50 x 6.39 / 1.5 = 127.8 kips. KL/r = 2.1 x 120 / 1.65 = 152.73 > 4.71 sqrt(580):
    // Fe = 12.2706, Fcr = 0.877 Fe = 10.7613 ksi, Pa = 10.7613 x 14.7 / 1.67 = 94.725 kips.
    TKdData d = SoldierWall();
    d.Calculate();
    EXPECT_NEAR(d.LpLength, 5.82813L, 1e-5L);
    EXPECT_NEAR(d.LrLength, 16.9650L, 1e-4L);
    EXPECT_NEAR(d.AllowableMoment, 215.760L, 1e-3L);
    EXPECT_NEAR(d.AllowableMomentBelow, 251.996L, 1e-3L);
    EXPECT_NEAR(d.AllowableShear, 127.8L, 1e-9L);
    EXPECT_NEAR(d.SlendernessKLr, 152.7273L, 1e-4L);
    EXPECT_NEAR(d.AllowableAxial, 94.7251L, 1e-4L);
    // w = 3 kips/ft over H = 10 ft, L = 22 ft: moment 150 at H and 3 x 10 x 17 = 510 at the tip;
    // without axial load the tip governs: 510 / 251.996 = 202.384 %; shear 30 / 127.8 = 23.474 %.
    EXPECT_NEAR(d.BendingRatio, 202.384L, 1e-3L);
    EXPECT_NEAR(d.ShearRatio, 23.4742L, 1e-4L);
    EXPECT_NEAR(d.AxialRatio, 0.0L, 1e-15L);
    EXPECT_NEAR(d.CombinedRatio, 202.384L, 1e-3L);

    // With 20 kips on the pile: the top deflection by unit load with EI1 = 161111.1 over H and
    // EI2 = 353092.0 below: delta = w H^4/(8 EI1) + w H/EI2 [(L^3 - H^3)/3 - H (L^2 - H^2)/4]
    // = 0.214954 ft. Bending = (510 + 20 x 0.214954) / 251.996 = 204.090 %; axial = 2000 / 94.725
    // = 21.114 % (at least 20: Pr/Pc + 8/9 Mr/Mc) -> combined = 21.114 + 8/9 x 204.090 = 202.527 %.
    d.AxialLoad = 20.0L;
    d.Calculate();
    EXPECT_NEAR(d.TopDeflection, 2.57945L, 0.002L * 2.57945L);
    EXPECT_NEAR(d.BendingRatio, 204.090L, 0.01L);
    EXPECT_NEAR(d.AxialRatio, 21.1137L, 1e-4L);
    EXPECT_NEAR(d.CombinedRatio, 202.527L, 0.01L);
}

TEST(CalculateSoldierPile, AxialBucklingBranchesAtFeOf044Fy) {
    // The soldier pile buckles elastically only where Fe < 0.44 Fy (KL/r > pi sqrt(E / 22 ksi)
    // = 114.063 for Fy 50), not from 4.71 sqrt(580) = 113.433 on. W18x50 over H = 120 in, A 14.7:
    //   ry 2.215: KL/r = 252 / 2.215 = 113.7698, Fe = pi^2 29000 / 113.7698^2 = 22.11282 >= 22:
    //     Fcr = 0.658^(50/22.11282) 50 = 19.40684 ksi, Pa = 19.40684 x 14.7 / 1.67 = 170.8267 kips
    //     (the elastic 0.877 Fe would give 170.7043);
    //   ry 2.19: KL/r = 115.0685, Fe = 21.61648 < 22: Fcr = 0.877 Fe = 18.95765 ksi,
    //     Pa = 166.8727 kips.
    struct Case {
        Ext ry, klr, pa;
    };
    const Case cases[] = {{2.215L, 113.769752L, 170.82666L}, {2.19L, 115.068493L, 166.87272L}};
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<double>(c.ry));
        TKdData d = SoldierWall();
        TSteelShape s = W18x50();
        s.Ry = c.ry;
        d.SetCustomShape(s);
        d.Calculate();
        EXPECT_NEAR(d.SlendernessKLr, c.klr, 1e-6L);
        EXPECT_NEAR(d.AllowableAxial, c.pa, 1e-4L);
    }
}

TEST(CalculateSoldierPile, CombinedRatioSwitchesFormAtAnAxialRatioOf20) {
    // From an axial ratio of 20 % on: axial + 8/9 bending; below it: axial / 2 + bending. With the
    // bending ratio near 200 % the two forms differ by some 12 %.
    TKdData d = SoldierWall();
    d.Calculate();
    const Ext pa = d.AllowableAxial;
    // The axial load whose ratio 100 P / Pa is exactly 20 (P = Pa / 5 may be an ulp off).
    Ext p = pa / 5.0L;
    for (int k = 0; k < 16 && 100.0L * p / pa != 20.0L; ++k)
        p = std::nextafter(p, 100.0L * p / pa < 20.0L ? 2.0L * pa : 0.0L);
    d.AxialLoad = p;
    d.Calculate();
    ASSERT_EQ(d.AxialRatio, 20.0L);
    EXPECT_NEAR(d.CombinedRatio, 20.0L + 8.0L / 9.0L * d.BendingRatio, 1e-9L);
    // 19.9 %: 9.95 + bending.
    d.AxialLoad = 0.199L * pa;
    d.Calculate();
    EXPECT_NEAR(d.AxialRatio, 19.9L, 1e-9L);
    EXPECT_NEAR(d.CombinedRatio, 9.95L + d.BendingRatio, 1e-9L);
}

TEST(CalculateSoldierPile, PipePileFromItsOwnRow) {
    // HSS20X.500: A 28.5, S 136, r 6.91. Moment 50 x 0.78 x 136 / 12 = 442 kip-ft; shear
    // 0.18 x 50 x 28.5 = 256.5 kips; KL/r = 2.1 x 120 / 6.91 = 36.469, Fe = 215.205 ksi,
    // Fcr = 0.658^(50/215.205) x 50 = 45.3667 ksi, Pa = 45.3667 x 28.5 / 1.67 = 774.222 kips.
    TKdData d = SoldierWall();
    d.PileSection = psPipe;
    TOShape row;
    row.A = 28.5L, row.OD = 20.0L, row.T = 0.465L, row.I = 1360.0L, row.Z = 177.0L, row.S = 136.0L;
    row.R = 6.91L;
    d.PipeShapes = {row};
    d.ShapeIndex = 0;
    d.Calculate();
    EXPECT_TRUE(IsNaN(d.LpLength));
    EXPECT_TRUE(IsNaN(d.LrLength));
    EXPECT_NEAR(d.AllowableMoment, 442.0L, 1e-9L);
    EXPECT_NEAR(d.AllowableMomentBelow, 442.0L, 1e-9L);
    EXPECT_NEAR(d.AllowableShear, 256.5L, 1e-9L);
    EXPECT_NEAR(d.SlendernessKLr, 36.46889L, 1e-5L);
    EXPECT_NEAR(d.AllowableAxial, 774.222L, 1e-3L);
    // Tip moment 510 kip-ft: 510 / 442 = 115.385 %.
    EXPECT_NEAR(d.BendingRatio, 115.385L, 1e-3L);
}

// --- Lagging loads --------------------------------------------------------------------------

TEST(CalculateLagging, LoadsAndRequiredSections) {
    // Clear span s = 6 - 2 = 4 ft; p = (4 x 0.35 x 150 + 0.4 x 120 x 4) x 1.0 = 402;
    // M = (2/2 + 0.3125 x 4) x 402 x 4/3 = 1206 lb-ft.
    // Timber: V = 402 x 4 / 2 = 804 -> 1.5 x 804 / 150 = 8.04 in^2; 1206 x 12 / (1100 x 1 x 1)
    // = 13.156 in^3. Steel plate: 1206 x 12 / 50000 = 0.28944 in^3, no area.
    // With the companion extra load (3 kip-ft) switched on: M = 1206 + 3000 = 4206 lb-ft.
    struct Case {
        int type;
        bool flag2;
        Ext moment, area, modulus;
    };
    const Case cases[] = {
        {ltTimber, false, 1206.0L, 8.04L, 1206.0L * 12.0L / 1100.0L},
        {ltSteelPlate, false, 1206.0L, 0.0L, 0.28944L},
        {ltConcrete, true, 4206.0L, 0.0L, 4206.0L * 12.0L / 50000.0L},
    };
    for (const Case& c : cases) {
        TKdData d = SoldierWall();
        d.Anchors.UniformSurcharge = 150.0L;
        d.Anchors.SurchargeK = 0.4L;
        d.SoilRecords[0].UnitWeight = 120.0L;
        d.ArchingFactor = 1.0L;
        d.TimberFb = 1100.0L;
        d.TimberFv = 150.0L;
        d.LaggingSizeFactor = d.LaggingFlatUseFactor = 1.0L;
        d.LaggingType = c.type;
        d.AuxInput6 = 2000.0L;
        d.AuxInput7 = 1.5L;
        d.DesignFlag2 = c.flag2;
        d.Calculate();
        EXPECT_NEAR(d.LaggingSoilPressure, 402.0L, 1e-12L);
        EXPECT_NEAR(d.LaggingMoment, c.moment, 1e-9L) << c.type;
        EXPECT_NEAR(d.LaggingAreaRequired, c.area, 1e-12L) << c.type;
        EXPECT_NEAR(d.LaggingModulusRequired, c.modulus, 1e-9L) << c.type;
        // Derived inputs: 120 x 0.4 = 48 and the surcharge copy.
        EXPECT_NEAR(d.SoilPressureRate, 48.0L, 1e-15L);
        EXPECT_NEAR(d.SoilRecords[0].Surcharge, 150.0L, 0.0L);
        EXPECT_NEAR(d.PileWidthLessHalfSpacing, -1.0L, 0.0L);
    }
}

// --- Results of an earlier calculation never survive ------------------------------------------

TEST(CalculateReset, StepsThatDoNotApplyLeaveUndefinedResults) {
    TKdData d = SoldierWall();
    d.LaggingType = ltSteelPlate;
    d.Calculate();
    ASSERT_TRUE(IsFinite(d.AllowableMoment));
    ASSERT_TRUE(IsFinite(d.LaggingMoment));
    // The same wall as a rebar-cage pier: no steel member and no lagging check apply.
    d.PileSection = psRebarCage;
    d.SetPileType(ptTangent);
    d.Calculate();
    EXPECT_TRUE(IsNaN(d.AllowableMoment));
    EXPECT_TRUE(IsNaN(d.BendingRatio));
    EXPECT_TRUE(IsNaN(d.CombinedRatio));
    EXPECT_TRUE(IsNaN(d.LaggingMoment));
    EXPECT_TRUE(IsNaN(d.LaggingModulusRequired));
    EXPECT_FALSE(d.LaggingResults.LaggingPass);
    // ...while the cantilever table is fresh.
    EXPECT_NEAR(d.PileResults[30].Moment, 3.0L * 100.0L / 2.0L, 1e-12L);
    // A section index outside the catalog: the section results are undefined, nothing throws.
    d.PileSection = psIBeam;
    d.SetPileType(ptSoldierBeam);
    d.ShapeIndex = 100000;
    d.Calculate();
    EXPECT_TRUE(IsNaN(d.SectionIx));
    EXPECT_TRUE(IsNaN(d.AllowableMoment));
    EXPECT_TRUE(IsNaN(d.TopDeflection));
    EXPECT_NEAR(d.PileResults[30].Moment, 150.0L, 1e-12L);
}

// --- Whole projects -------------------------------------------------------------------------

namespace {

// Project 1: a 20 ft soldier-pile wall, W18x50 at 8 ft in 2 ft drilled holes (3 ksi), one
// tieback (strands) 5 ft down at 15 degrees. Loose sand (0.33) at 120 pcf and 100 psf surcharge
// at K 0.4, no water, no seismic, no strip, line or point load: the wall carries a rectangle of
// 0.33 x 120 x 20 + 0.4 x 100 = 832 psf, w = 0.832 x 8 = 6.656 kips/ft per pile to Hl = H.
TKdData OneLevelTiebackWall() {
    TKdData d = SoldierWall();
    d.ShoredHeight = 20.0L;
    d.PileSpacing = 8.0L;
    d.AxialLoad = 10.0L;
    d.PressureMethod = 0;
    d.SoilRecords[0].UnitWeight = 120.0L;
    d.AllowSkinFriction = 0.5L;
    d.AllowEndBearing = 3.0L;
    d.LaggingType = ltTimber;
    TAnchor& a = d.Anchors;
    a.SoilType = 0;
    a.SurchargeK = 0.4L;
    a.UniformSurcharge = 100.0L;
    a.WaterDepth = 100.0L;
    a.Kh = 0.0L;
    a.PointLoadOn = a.LineLoadOn = a.StripLoadOn = false;
    a.LoadingHeight = 20.0L;
    a.EmbedmentRatio = 0.55L;
    a.TestLoadFactor = 1.33L;
    a.AnchorSpacingItem = 1;
    a.K = 1.0L;
    a.Cb = 1.0L;
    a.MaxDeflection = 0.5L;
    a.LevelCount = 1;
    d.ResizeAnchorLevels();
    TAnchLevel& level = a.Levels[0];
    level.Kind = lkTieback;
    level.HeightFromPrevious = 5.0L;
    level.Angle = 15.0L;
    level.TendonType = ttStrand;
    level.Waler.HasWaler = true;
    level.Waler.TwoSpans = false;
    level.Waler.Wa = 2.0L, level.Waler.Wb = 8.0L, level.Waler.Wc = 2.0L;
    level.Waler.ShapeFamily = 0;
    level.Waler.ShapeRow = 0;
    level.Waler.Fy = 50.0L;
    d.BondSoilType = 2; // medium dense sand: 4.5 kips/ft
    d.UseGuardrail = true;
    d.GuardrailAngle = 0; // L3-1/2X3-1/2X1/2: A 3.25 in^2, r 1.05 in
    d.GuardrailLength = 3.5L;
    d.GuardrailSpacing = 8.0L;
    d.GuardrailLoad = 50.0L;
    d.GuardrailPointLoad = 200.0L;
    d.UseBasalHeave = true;
    d.BasalCondition = 0;
    d.BasalCohesion = 700.0L, d.BasalNc = 5.14L, d.BasalUnitWeight = 115.0L, d.BasalSurcharge = 100.0L;
    return d;
}

// Unit factors from English to SI.
constexpr Ext kM = 0.3048L;                           // ft -> m
constexpr Ext kKN = 4.4482216152605L;                 // kips -> kN
constexpr Ext kKNm = kKN * kM;                        // kip-ft -> kN-m
constexpr Ext kMPa = 6.894757293168L;                 // ksi -> MPa
constexpr Ext kKPa = kKN / (kM * kM);                 // ksf -> kPa
constexpr Ext kPsf = kKPa / 1000.0L;                  // psf -> kPa
constexpr Ext kKNm3 = kKN / (kM * kM * kM) / 1000.0L; // pcf -> kN/m^3 (lbf/ft^3)
constexpr Ext kCm = 2.54L;                            // in -> cm

// Project 1 with every input converted to SI.
TKdData OneLevelTiebackWallSI() {
    const TKdData e = OneLevelTiebackWall();
    TKdData d = e;
    d.SetUnits(usSI);
    d.ShoredHeight = e.ShoredHeight * kM;
    d.PileSpacing = e.PileSpacing * kM;
    d.PileWidth = e.PileWidth * kM;
    d.ConcreteFc = e.ConcreteFc * kMPa;
    d.SteelE = e.SteelE * kMPa;
    d.SteelFy = e.SteelFy * kMPa;
    d.AxialLoad = e.AxialLoad * kKN;
    d.SoilRecords[0].UnitWeight = e.SoilRecords[0].UnitWeight * kKNm3;
    d.AllowSkinFriction = e.AllowSkinFriction * kKPa;
    d.AllowEndBearing = e.AllowEndBearing * kKPa;
    d.Anchors.UniformSurcharge = e.Anchors.UniformSurcharge * kPsf;
    d.Anchors.WaterDepth = e.Anchors.WaterDepth * kM;
    d.Anchors.LoadingHeight = e.Anchors.LoadingHeight * kM;
    d.Anchors.Levels[0].HeightFromPrevious = 5.0L * kM;
    d.Anchors.Levels[0].Waler.Wa = 2.0L * kM;
    d.Anchors.Levels[0].Waler.Wb = 8.0L * kM;
    d.Anchors.Levels[0].Waler.Wc = 2.0L * kM;
    d.Anchors.Levels[0].Waler.Fy = 50.0L * kMPa;
    for (TPressurePoint& p : d.LoadingSidePoints)
        p = {p.X * kM, p.W * kKPa};
    for (TPressurePoint& p : d.PassiveSidePoints)
        p = {p.X * kM, p.W * kKPa};
    d.GuardrailLength = e.GuardrailLength * kM;
    d.GuardrailSpacing = e.GuardrailSpacing * kM;
    d.GuardrailLoad = e.GuardrailLoad * kKN / kM / 1000.0L;
    d.GuardrailPointLoad = e.GuardrailPointLoad * kKN / 1000.0L;
    d.BasalCohesion = e.BasalCohesion * kPsf;
    d.BasalUnitWeight = e.BasalUnitWeight * kKNm3;
    d.BasalSurcharge = e.BasalSurcharge * kPsf;
    // The pile row in the SI (cm-based) layout: lengths cm, inertia cm^4, moduli cm^3, Aw cm^2,
    // A mm^2, ry mm.
    TSteelShape s = W18x50();
    const Ext c2 = kCm * kCm, c3 = c2 * kCm, c4 = c2 * c2;
    s.D *= kCm, s.Bf *= kCm, s.Tf *= kCm, s.Tw *= kCm;
    s.Ix *= c4, s.Iy *= c4, s.J *= c4, s.Sx *= c3, s.Zx *= c3, s.Aw *= c2;
    s.A *= 100.0L * c2;
    s.Ry *= 10.0L * kCm;
    d.SetShapeIndex(-1);
    d.SetCustomShape(s);
    d.ResizeAnchorLevels();
    return d;
}

} // namespace

TEST(CalculateProject, OneLevelTiebackSoldierPileWall) {
    TKdData d = OneLevelTiebackWall();
    d.Calculate();
    const TAnchor& a = d.Anchors;
    // The pile over the tieback (5 ft) and the pin at Hl = 20 ft is statically determinate:
    // R1 = w 20 x 10 / 15 = 88.7467 kips, bottom 44.3733 kips; shear below the anchor
    // 88.7467 - 5w = 55.4667; moments -w 5^2/2 = -83.2 over the anchor and, 8.333 ft below it,
    // -83.2 + 55.4667 x 8.3333 - w 8.3333^2/2 = 147.911 kip-ft.
    ASSERT_EQ(a.Reactions.size(), 2u);
    EXPECT_NEAR(std::fabs(a.Reactions[0]), 88.7467L, 1e-3L);
    EXPECT_NEAR(a.SumOfLoads, 133.12L, 1e-9L);
    EXPECT_NEAR(a.SumOfReactions, 133.12L, 1e-3L);
    EXPECT_NEAR(std::fabs(a.MaxShear), 55.4667L, 0.01L);
    EXPECT_NEAR(std::fabs(a.MaxMoment), 147.911L, 0.02L);
    EXPECT_NEAR(a.MaxMomentDepth, 13.333L, 0.11L); // node spacing 0.15 ft
    EXPECT_NEAR(a.Embedment, 11.0L, 1e-12L);
    // Level load R1 / cos 15 = 91.8773; test load x 1.33 = 122.197; strands 122.197 / 35.2 = 3.47 -> 4.
    EXPECT_NEAR(a.LevelLoads[0], 91.8773L, 1e-3L);
    EXPECT_NEAR(a.TestLoads[0], 122.197L, 1e-3L);
    EXPECT_EQ(a.Levels[0].BarCount, 4);
    EXPECT_EQ(a.Levels[0].Grade, 270);
    // Free length: the failure plane is 12.64 ft away along 15 degrees: the 15 ft minimum holds.
    EXPECT_NEAR(a.FreeLengths[0], 15.0L, 1e-12L);
    // Bond: 122.197 / 4.5 = 27.155 ft (above the 23 ft minimum).
    EXPECT_NEAR(d.AllowLoadTransfer, 4.5L, 1e-12L);
    EXPECT_NEAR(a.Levels[0].BondLength, 27.155L, 1e-3L);
    // Vertical loads: 122.197 sin 15 = 31.6269; + 10 = 41.6269 kips; allowable
    // 0.5 x 11 x 2 x pi + pi x 3 x 1^2 = 43.9823 kips.
    EXPECT_NEAR(d.VerticalAxialComponent, 31.6269L, 1e-3L);
    EXPECT_NEAR(d.TotalVerticalLoad, 41.6269L, 1e-3L);
    EXPECT_NEAR(d.AllowableAxialLoad, 43.9823L, 1e-4L);
    // The pile check of the analysis uses this calculation's vertical load: MaxSpan 15 ft = 180 in,
    // Mn/Omega = [5050 - 1938.5 (180 - 69.94)/(203.58 - 69.94)] / 1.67 / 12 = 172.332 kip-ft;
    // KL/r = 180 / 1.65 = 109.09, Fe = 24.0503, Fcr = 0.658^(50/24.0503) 50 = 20.9443,
    // Pc = 184.360 kips; P/Pc = 41.6269/184.360 = 0.22579 -> 0.22579 + 8/9 x 147.911/172.332
    // = 98.87 %.
    EXPECT_NEAR(a.TotalVerticalLoad, 41.6269L, 1e-3L);
    EXPECT_NEAR(a.BucklingCheck, 172.332L, 1e-3L);
    EXPECT_NEAR(a.AxialCheck, 184.360L, 1e-3L);
    EXPECT_NEAR(a.CombinedUtilization, 98.87L, 0.02L);
    // A heavier axial load of 30 kips reaches the pile check in the same calculation:
    // P/Pc = 61.6269 / 184.360 = 0.334275 -> 0.334275 + 8/9 x 0.858291 = 109.72 %.
    d.AxialLoad = 30.0L;
    d.Calculate();
    EXPECT_NEAR(a.TotalVerticalLoad, 61.6269L, 1e-3L);
    EXPECT_NEAR(a.CombinedUtilization, 109.72L, 0.02L);
    d.AxialLoad = 10.0L;
    d.Calculate();
    // Waler: w = 91.8773 / 8 = 11.4847 kips/ft over 2 + 8 + 2 ft: R1 = 137.816 x 8/16 = 68.908,
    // M3 = 68.908 (68.908 / (2 x 11.4847) - 2) = 68.908 kip-ft, required 68.908 x 12 / 30 = 27.563 in^3.
    const TWaler& wal = a.Levels[0].Waler;
    EXPECT_NEAR(wal.WalerW, 11.4847L, 1e-4L);
    EXPECT_NEAR(wal.R1, 68.908L, 1e-3L);
    EXPECT_NEAR(wal.MaxMomentW, 68.908L, 1e-3L);
    EXPECT_NEAR(wal.RequiredS, 27.563L, 1e-3L);
    // Guardrail: P = max(8 x 50, 200) lb = 0.4 kips; moment 3.5 x 0.4 = 1.4 kip-ft; L/r = 42/1.05
    // = 40 -> KL/r = 102, Fe = 27.5104, Fcr = 0.658^(36/27.5104) 36 = 20.8178, Pn/1.67 = 40.5136 kips.
    EXPECT_NEAR(d.Gr.GrLoad, 0.4L, 1e-12L);
    EXPECT_NEAR(d.Gr.GrMoment, 1.4L, 1e-12L);
    EXPECT_NEAR(d.Gr.GrAllowCompression, 40.5136L, 1e-4L);
    // Basal heave: 700 x 5.14 / (115 x 20 + 100) = 1.49917.
    EXPECT_NEAR(d.BasalSafetyFactor, 1.49917L, 1e-5L);
    // Timber lagging: the loop stops at the first size that passes.
    ASSERT_TRUE(d.LaggingResults.LaggingPass);
    const int chosen = d.LaggingResults.SizeIndex;
    for (int size = 0; size < chosen; ++size)
        EXPECT_FALSE(d.CheckLagging(size)) << size;
    // The cantilever check and the soldier pile check run on the same wall.
    EXPECT_TRUE(IsFinite(d.BendingRatio));
    EXPECT_TRUE(IsFinite(d.CombinedRatio));
    EXPECT_TRUE(IsNaN(d.MomentCapacity)); // an I-beam pile has no pier design
}

TEST(CalculateProject, SIProjectMirrorsTheEnglishOne) {
    TKdData e = OneLevelTiebackWall();
    TKdData s = OneLevelTiebackWallSI();
    e.Calculate();
    s.Calculate();
    // Forces and moments convert by the unit factors (expected English values worked above).
    EXPECT_NEAR(std::fabs(s.Anchors.Reactions[0]), 88.7467L * kKN, 1e-3L * kKN);
    EXPECT_NEAR(std::fabs(s.Anchors.MaxMoment), 147.911L * kKNm, 0.02L * kKNm);
    EXPECT_NEAR(s.Anchors.LevelLoads[0], 91.8773L * kKN, 1e-3L * kKN);
    EXPECT_NEAR(s.VerticalAxialComponent, 31.6269L * kKN, 1e-3L * kKN);
    EXPECT_NEAR(s.AllowableAxialLoad, 43.9823L * kKN, 1e-3L * kKN);
    EXPECT_NEAR(s.BasalSafetyFactor, 1.49917L, 1e-5L);
    // Bond: SI transfer 4.5 x 14.6 = 65.7 kN/m; 122.197 x 4.44822 / 65.7 = 8.2733 m.
    EXPECT_NEAR(s.Anchors.Levels[0].BondLength, 8.2733L, 1e-3L);
    // Section values and the pile checks are the same physics in other units: the steel
    // stiffness converts (1 kip-ft^2 = 4.44822 x 0.3048^2 kN-m^2); the SI concrete modulus
    // 4700 sqrt(f'c) is its own rule: f'c = 20.6843 MPa, Ec = 21375.6 MPa, I = pi 0.6096^4 / 64
    // = 6.77883e-3 m^4, EncasedEI = 144899.8 kN-m^2 (0.7 % below the English value converted).
    EXPECT_NEAR(s.PileEI, e.PileEI * kKN * kM * kM, 1e-6L * s.PileEI);
    EXPECT_NEAR(s.EncasedEI, 144899.8L, 0.1L);
    EXPECT_NEAR(s.LpLength, 5.82813L * kM, 1e-5L);
    EXPECT_NEAR(s.AllowableMomentBelow, 251.996L * kKNm, 1e-3L * kKNm);
    // The softer SI concrete below the excavation lets the top deflect up to 0.7 % more; through
    // the axial load that moves the bending ratio (P x deflection is under 2 % of it) by < 0.02 %.
    EXPECT_GE(s.TopDeflection, e.TopDeflection * 25.4L);
    EXPECT_LE(s.TopDeflection, 1.007L * e.TopDeflection * 25.4L);
    EXPECT_NEAR(s.BendingRatio, e.BendingRatio, 2e-4L * e.BendingRatio);
    EXPECT_NEAR(s.ShearRatio, e.ShearRatio, 1e-9L * e.ShearRatio);
    EXPECT_NEAR(s.CombinedRatio, e.CombinedRatio, 2e-4L * e.CombinedRatio);
    EXPECT_NEAR(s.Anchors.CombinedUtilization, 98.87L, 0.02L);
}

TEST(CalculateProject, RebarCagePierUsesThisCalculationsMoment) {
    // Project 1 as a 30 in rebar-cage pier (eight #8, #4 ties): on its very first calculation the
    // factored moment is 1.6 x 147.911 = 236.66 kip-ft and the factored axial 1.2 x 10 = 12 kips.
    TKdData d = OneLevelTiebackWall();
    d.PileSection = psRebarCage;
    d.PileWidth = 2.5L;
    d.ConcreteFc = 4.0L;
    d.SteelFy = 60.0L;
    d.RebarStandard = rsUS;
    d.LoadRebarTable();
    d.VerticalBarSize = 8, d.VerticalBarCount = 8, d.LateralBarSize = 4, d.ClearCover = 3.0L;
    d.Calculate();
    EXPECT_NEAR(d.FactoredMoment, 1.6L * 147.911L, 0.04L);
    EXPECT_NEAR(d.FactoredAxial, 12.0L, 1e-12L);
    // The moment strength at 12 kips lies just above the pure-bending strength.
    EXPECT_GT(d.MomentCapacity, d.Interaction[0].PhiMn);
    EXPECT_LT(d.MomentCapacity, d.Interaction[1].PhiMn);
    EXPECT_TRUE(IsNaN(d.AllowableMoment)); // no steel member check for a pier
}

TEST(CalculateProject, PierFollowsTheBarStandardWithoutATableReload) {
    // The bar standard changed by a caller that does not reload the bar table itself: eight
    // European 25 mm bars of 491 mm^2 are 8 x 491 / 645.16 = 6.0884 in^2 in an English project.
    TKdData d = OneLevelTiebackWall();
    d.PileSection = psRebarCage;
    d.PileWidth = 2.5L;
    d.ConcreteFc = 4.0L;
    d.SteelFy = 60.0L;
    d.RebarStandard = rsEuropean;
    d.VerticalBarSize = 25, d.VerticalBarCount = 8, d.LateralBarSize = 10, d.ClearCover = 3.0L;
    d.Calculate();
    EXPECT_NEAR(d.Pier.SteelArea, 8.0L * 491.0L / 645.16L, 1e-4L);
}

TEST(CalculateProject, TwoLevelStrutWallWithMemberCheck) {
    // Struts 4 and 12 ft down, pin at 20 ft, w = 6.656 kips/ft. Three moments over the spans of
    // 8 ft with M_A = -8w: 32 M_B = -256 w + 64 w -> M_B = -6w. Reactions: 4w + 4.25w = 8.25w
    // = 54.912, 3.75w + 4.75w = 8.5w = 56.576, 3.25w = 21.632 kips; largest moment -8w = -53.248.
    TKdData d = OneLevelTiebackWall();
    d.Anchors.LevelCount = 2;
    d.ResizeAnchorLevels();
    TIShape w10;
    w10.Name = "W10X49";
    w10.W = 49.0L, w10.A = 14.4L, w10.D = 10.0L, w10.Bf = 10.0L, w10.Tw = 0.34L, w10.Tf = 0.56L;
    w10.Ix = 272.0L, w10.Zx = 60.4L, w10.Sx = 54.6L, w10.Rx = 4.35L, w10.Iy = 93.4L, w10.Zy = 28.3L;
    w10.Sy = 18.7L, w10.Ry = 2.54L, w10.J = 1.39L, w10.Cw = 2070.0L, w10.Rts = 2.82L, w10.H0 = 9.44L;
    for (int j = 0; j < 2; ++j) {
        TAnchLevel& level = d.Anchors.Levels[static_cast<size_t>(j)];
        level.Kind = lkStrut;
        level.HeightFromPrevious = j == 0 ? 4.0L : 8.0L;
        level.Angle = 0.0L;
        level.Waler.HasWaler = false;
        level.StructuralDesign = true;
        level.MemberKind = 0;
        level.ShapeRow = -1;
        level.IShape = w10;
        level.MemberE = 29000.0L, level.Fy = 50.0L;
        level.Kx = level.Ky = 1.0L;
        level.Lx = level.Ly = level.Lb = 20.0L;
        level.Cb = 1.0L, level.Mx = level.My = 0.0L;
    }
    d.Calculate();
    const TAnchor& a = d.Anchors;
    // (The analysis integrates the spans in 100 steps: within 2e-3 kips.)
    EXPECT_NEAR(a.LevelLoads[0], 54.912L, 2e-3L);
    EXPECT_NEAR(a.LevelLoads[1], 56.576L, 2e-3L);
    EXPECT_NEAR(std::fabs(a.Reactions[2]), 21.632L, 2e-3L);
    EXPECT_NEAR(std::fabs(a.MaxMoment), 53.248L, 1e-3L);
    EXPECT_NEAR(a.MaxMomentDepth, 4.0L, 1e-9L);
    // Struts: no strands, no vertical component; their tendon fields are left as they were.
    EXPECT_NEAR(d.VerticalAxialComponent, 0.0L, 1e-12L);
    EXPECT_EQ(a.Levels[0].BarCount, 0);
    EXPECT_EQ(a.Levels[0].Grade, 75);
    // W10x49 over 20 ft: KL/ry = 240 / 2.54 = 94.488, Fe = 32.0585, Fcr = 0.658^(50/32.0585) 50
    // = 26.0295 ksi, Pa = 26.0295 x 14.4 / 1.67 = 224.446 kips (no slender elements).
    // Level 1: 54.912 / 224.446 = 0.24466 > 0.2 with no moment: combined 0.24466;
    // level 2: 56.576 / 224.446 = 0.25207.
    EXPECT_NEAR(a.Levels[0].TestLoad, 54.912L, 1e-3L);
    EXPECT_NEAR(a.Levels[0].Result.Pa, 224.446L, 1e-3L);
    EXPECT_NEAR(a.Levels[0].CombinedRatio, 0.24466L, 1e-5L);
    EXPECT_NEAR(a.Levels[1].CombinedRatio, 0.25207L, 1e-5L);
}

TEST(CalculateProject, SheetPileWall) {
    // Project 1 as a sheet-pile wall (PZ 22, Sx 18.1 in^3/ft) per ft of wall: w = 0.832 kips/ft,
    // R1 = 0.832 x 200 / 15 = 11.0933; level load x spacing step 4 = 44.3733 kips; moment
    // 147.911 x 0.832 / 6.656 = 18.4889 kip-ft -> required 18.4889 x 12 / (0.6 x 50) = 7.3956 in^3.
    TKdData d = OneLevelTiebackWall();
    d.SetPileType(ptSheet);
    d.PileSpacing = 1.0L;
    d.SheetIndex = 0;
    d.Anchors.SheetPileSpacingStep = 4.0L;
    d.Anchors.Levels[0].Waler.HasWaler = false;
    d.Calculate();
    EXPECT_NEAR(d.Anchors.LevelLoads[0], 44.3733L * 1.0L / std::cos(15.0L * kPi / 180.0L), 1e-3L);
    EXPECT_NEAR(d.SectionModulusProvided, 18.1L, 1e-12L);
    EXPECT_NEAR(d.SectionModulusRequired, 7.3956L, 1e-3L);
    // No vertical loads, no soldier pile check, no lagging for sheet piles; EI as the section's.
    EXPECT_TRUE(IsNaN(d.VerticalAxialComponent));
    EXPECT_TRUE(IsNaN(d.AllowableAxialLoad));
    EXPECT_TRUE(IsNaN(d.AllowableMoment));
    EXPECT_TRUE(IsNaN(d.LaggingMoment));
    EXPECT_NEAR(d.EncasedEI, d.PileEI, 0.0L);
    EXPECT_NEAR(d.PileEI, 84.38L * 29000.0L / 144.0L, 1e-6L);
}

TEST(CalculateProject, FourLevelsUnequalSpacings) {
    // Levels at 3, 7, 12, 16 ft (spacings 4, 5, 4, 4 to the pin at 20 ft), w = 6.656 kips/ft.
    // Three-moment equations with M_A = -4.5w = -29.952, M_E = 0, solved exactly:
    // M_B = -7.12974, M_C = -13.27055, M_D = -9.99436 kip-ft; reactions 38.98557, 23.01827,
    // 31.99921, 28.30354 and 10.81341 kips (sum 133.12 = 20 w).
    TKdData d = OneLevelTiebackWall();
    d.Anchors.LevelCount = 4;
    d.ResizeAnchorLevels();
    const Ext spacing[4] = {3.0L, 4.0L, 5.0L, 4.0L};
    for (int j = 0; j < 4; ++j) {
        TAnchLevel& level = d.Anchors.Levels[static_cast<size_t>(j)];
        level.Kind = lkTieback;
        level.HeightFromPrevious = spacing[j];
        level.Angle = 0.0L;
        level.Waler.HasWaler = false;
    }
    d.Calculate();
    const Ext expected[5] = {38.98557L, 23.01827L, 31.99921L, 28.30354L, 10.81341L};
    ASSERT_EQ(d.Anchors.Reactions.size(), 5u);
    for (int j = 0; j < 5; ++j)
        EXPECT_NEAR(std::fabs(d.Anchors.Reactions[j]), expected[j], 2e-3L) << j;
    for (int j = 0; j < 4; ++j)
        EXPECT_NEAR(d.Anchors.LevelLoads[j], expected[j], 2e-3L) << j;
    EXPECT_NEAR(std::fabs(d.Anchors.MaxMoment), 29.952L, 1e-3L);
    EXPECT_NEAR(d.Anchors.MaxMomentDepth, 3.0L, 1e-9L);
    EXPECT_NEAR(d.Anchors.MaxSpan, 5.0L, 1e-12L);
    // Horizontal tiebacks: no vertical component.
    EXPECT_NEAR(d.TotalVerticalLoad, 10.0L, 1e-9L);
}

TEST(CalculateRobustness, BrokenInputsLeaveTheirOwnResultsUndefined) {
    TKdData d = OneLevelTiebackWall();
    d.Calculate();
    ASSERT_TRUE(IsFinite(d.Anchors.LevelLoads[0]));
    ASSERT_TRUE(IsFinite(d.Gr.GrAllowCompression));
    ASSERT_TRUE(IsFinite(d.Anchors.Levels[0].Waler.MaxMomentW));

    // Two levels at one depth (a span of zero), a guardrail angle outside the table, a rebar cage
    // without bars and a waler with no span between its supports; and two fresh inputs.
    d.Anchors.LevelCount = 2;
    d.ResizeAnchorLevels();
    d.Anchors.Levels[1].Kind = lkTieback;
    d.Anchors.Levels[1].HeightFromPrevious = 0.0L;
    d.GuardrailAngle = 99;
    d.PileSection = psRebarCage;
    d.VerticalBarCount = 0;
    d.Anchors.Levels[0].Waler.Wb = 0.0L;
    d.BasalCohesion = 800.0L;
    UniformUserPressure(d, 0.4L, 0.0L);
    d.Calculate();

    // Undefined: the analysis of the supports and all that follows from it...
    EXPECT_TRUE(IsNaN(d.Anchors.Reactions[0]));
    EXPECT_TRUE(IsNaN(d.Anchors.MaxMoment));
    EXPECT_TRUE(IsNaN(d.Anchors.LevelLoads[0]));
    EXPECT_TRUE(IsNaN(d.Anchors.TestLoads[1]));
    EXPECT_EQ(d.Anchors.Levels[0].BarCount, -1);
    EXPECT_TRUE(IsNaN(d.Anchors.Levels[0].BondLength));
    EXPECT_TRUE(IsNaN(d.VerticalAxialComponent));
    // ...the guardrail, the pier and the waler.
    EXPECT_TRUE(IsNaN(d.Gr.GrAllowCompression));
    EXPECT_TRUE(IsNaN(d.Gr.GrMoment));
    EXPECT_TRUE(IsNaN(d.MomentCapacity));
    EXPECT_TRUE(IsNaN(d.Interaction[0].PhiMn));
    EXPECT_TRUE(IsNaN(d.Anchors.Levels[0].Waler.MaxMomentW));
    EXPECT_FALSE(d.Anchors.Levels[0].Waler.ModulusPass);

    // Fresh: basal heave 800 x 5.14 / 2400 = 1.71333; the cantilever table under 0.4 ksf at 8 ft:
    // 3.2 kips/ft, M(H) = 3.2 x 20^2 / 2 = 640 kip-ft; the pier's section: 24 in,
    // PierI = pi 24^4 / 64 = 16286.02 in^4; lagging loads of the soldier-beam wall.
    EXPECT_NEAR(d.BasalSafetyFactor, 4112.0L / 2400.0L, 1e-12L);
    EXPECT_NEAR(d.PileResults[30].Moment, 640.0L, 1e-9L);
    EXPECT_NEAR(d.PierI, 16286.016L, 1e-3L);
    EXPECT_TRUE(IsFinite(d.LaggingMoment));
    EXPECT_NEAR(d.FactoredAxial, 12.0L, 1e-12L);
}

TEST(CalculateRobustness, MoreLevelsThanTheFieldAllowsAreNotAnalysed) {
    // A wall of 30 ft with n levels spread over its top 25 ft, all above the excavation bottom.
    // Up to the field's limit of 8 the pile is analysed; beyond it the support solve (which grows
    // with the cube of the level count) is not run and the analysis results are undefined, while
    // the per-level results keep one undefined entry per level.
    for (const int n : {8, 9, 1000}) {
        SCOPED_TRACE(n);
        TKdData d = vantrel::testing::WallWithLevels(n);
        d.Calculate();
        const TAnchor& a = d.Anchors;
        const bool analysed = n <= kMaxLevelCount;
        for (const Ext v : {a.MaxShear, a.MaxMoment, a.MaxDeflectionResult, a.SumOfReactions})
            EXPECT_EQ(IsFinite(v), analysed);
        ASSERT_EQ(a.LevelLoads.size(), static_cast<size_t>(n));
        EXPECT_EQ(IsFinite(a.LevelLoads.front()), analysed);
        EXPECT_EQ(IsFinite(a.LevelLoads.back()), analysed);
        EXPECT_EQ(IsFinite(a.Levels.back().BondLength), analysed);
        EXPECT_EQ(IsFinite(a.Levels.back().Waler.WalerDepth), analysed);
        // Results that do not need the analysis are still computed.
        EXPECT_TRUE(IsFinite(d.PileEI));
        EXPECT_TRUE(IsFinite(d.PeakMomentAbove));
        if (!analysed) {
            EXPECT_LE(a.PileNodes.size(), 1u);
            EXPECT_TRUE(a.RotationMatrix.empty());
        }
    }
}

TEST(CalculateRobustness, LevelCountsBeyondTheLevelArraysSizeNothingPastThem) {
    // Counts set in code without resizing the level arrays: the calculation works on the levels
    // there are and sizes no result by the count (2^31 - 1 entries would not fit in memory).
    TKdData d = vantrel::testing::WallWithLevels(2);
    d.Anchors.LevelCount = std::numeric_limits<int32_t>::max();
    d.CornerBraces.LevelCount = std::numeric_limits<int32_t>::max();
    d.Calculate();
    EXPECT_LE(d.Anchors.LevelLoads.size(), 2u);
    EXPECT_LE(d.CornerBraces.LevelLoads.size(), 2u);
    EXPECT_TRUE(IsNaN(d.Anchors.MaxMoment));
    EXPECT_TRUE(IsFinite(d.PileEI));
}

TEST(CalculateDemo, BothDemoProjectsComputeEveryMainResult) {
    for (const char* name : {"ENGLISH UNITS DEMO EXAMPLE.kpw", "SI UNITS DEMO EXAMPLE.kpw"}) {
        SCOPED_TRACE(name);
        TKdData d;
        d.LoadFromFile(std::string(VANTREL_SOURCE_DIR) + "/resources/demo/" + name);
        d.Calculate();
        const TAnchor& a = d.Anchors;
        const Ext main[] = {d.PileEI,
                            d.TopDeflection,
                            d.PeakMomentAbove,
                            d.BendingRatio,
                            d.ShearRatio,
                            d.CombinedRatio,
                            d.LaggingMoment,
                            d.VerticalAxialComponent,
                            d.TotalVerticalLoad,
                            d.AllowableAxialLoad,
                            d.Gr.GrAllowCompression,
                            d.Gr.GrStressY,
                            d.BasalSafetyFactor,
                            a.MaxShear,
                            a.MaxMoment,
                            a.MaxDeflectionResult,
                            a.SumOfReactions,
                            a.ModulusRequired,
                            a.CombinedUtilization,
                            a.Embedment};
        for (size_t i = 0; i < std::size(main); ++i)
            EXPECT_TRUE(IsFinite(main[i])) << "main result " << i;
        ASSERT_GT(a.LevelCount, 0);
        for (int j = 0; j < a.LevelCount; ++j) {
            EXPECT_TRUE(IsFinite(a.LevelLoads[j])) << "level " << j;
            EXPECT_TRUE(IsFinite(a.TestLoads[j])) << "level " << j;
            EXPECT_TRUE(IsFinite(a.Levels[j].BondLength)) << "level " << j;
            if (a.Levels[j].Kind <= lkTieRod) {
                EXPECT_GT(a.Levels[j].BarCount, 0) << "level " << j;
            }
            if (a.Levels[j].Waler.HasWaler) {
                EXPECT_TRUE(IsFinite(a.Levels[j].Waler.MaxMomentW)) << "level " << j;
            }
        }
        if (d.LaggingType == ltTimber) {
            EXPECT_TRUE(IsFinite(d.LaggingResults.fb));
        }
    }
}
