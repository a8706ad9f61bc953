// Drilled pier (rebar cage) design: section values, interaction rows and the moment strength at
// an axial load. Expected numbers are worked by hand in the comments (calculator precision).

#include <gtest/gtest.h>

#include <cmath>

#include "model/KdClasses.h"

using namespace vantrel;

namespace {

// A 30 in drilled pier: eight #8 verticals (0.79 in^2, 1.0 in), #4 ties (0.5 in), 3 in cover,
// f'c 4 ksi, Fy 60 ksi, E 29000 ksi.
TKdData ThirtyInchPier() {
    TKdData d;
    d.SetUnits(usEnglish);
    d.SetPileType(ptSoldierBeam);
    d.PileSection = psRebarCage;
    d.Installation = 0; // drilled: the pier diameter is the pile width
    d.PileWidth = 2.5L;
    d.RebarStandard = rsUS;
    d.LoadRebarTable();
    d.VerticalBarSize = 8;
    d.VerticalBarCount = 8;
    d.LateralBarSize = 4;
    d.TieOrSpiral = 0;
    d.ClearCover = 3.0L;
    d.PitchOverride = 0.0L;
    d.ConcreteFc = 4.0L;
    d.SteelFy = 60.0L;
    d.SteelE = 29000.0L;
    d.AxialLoad = 100.0L;
    d.Anchors.MaxMoment = -250.0L;
    d.PeakShearC = 40.0L;
    return d;
}

bool UsBarsLoaded(const TKdData& d) {
    return d.GetRebar(8).Area == 0.79 && d.GetRebar(4).Diameter == 0.5;
}

} // namespace

TEST(PierDesign, SectionValuesOfThirtyInchPier) {
    TKdData d = ThirtyInchPier();
    ASSERT_TRUE(UsBarsLoaded(d));
    d.DesignPier();
    // As = 8 x 0.79 = 6.32 in^2; ratio = 6.32 / (pi 15^2 = 706.858) = 0.8941 %.
    EXPECT_NEAR(d.Pier.SteelArea, 6.32L, 1e-12L);
    EXPECT_NEAR(d.VerticalSteelPercent, 0.89410L, 1e-4L);
    // Ties: min(16 x 1.0, 48 x 0.5, 30) = 16 in.
    EXPECT_NEAR(d.CalculatedPitch, 16.0L, 1e-12L);
    EXPECT_NEAR(d.Pier.PhiC, 0.65L, 1e-15L);
    // R = 15 - 3 - 0.5 - 0.5 = 11 in; e = 11 cos 30 = 9.526279 in.
    EXPECT_NEAR(d.Pier.BarRowOffset, 9.526279L, 1e-6L);
    // Pmax = 0.52 (60 x 6.32 + 0.85 x 4 (706.858 - 6.32)) = 0.52 x 2761.030 = 1435.736 kips;
    // tension strength = -0.9 x 60 x 6.32 = -341.28 kips.
    EXPECT_NEAR(d.Pier.PmaxPier, 1435.736L, 1e-3L);
    EXPECT_NEAR(d.Pier.TensionStrength, -341.28L, 1e-9L);
    // Balanced point: c = 0.003 (15 + 9.526279) / (0.003 + 60/29000) = 14.51555 in; at it the
    // extreme row yields exactly (eps3 = -Fy/E = -0.0020690), phi = 0.48 + 83 x 0.0020690 = 0.65172.
    EXPECT_NEAR(d.Interaction[3].c, 14.51555L, 1e-5L);
    EXPECT_NEAR(d.Interaction[3].Eps3, -60.0L / 29000.0L, 1e-12L);
    EXPECT_NEAR(d.Interaction[3].Phi, 0.651724L, 1e-6L);
    // Factored loads: 1.2 x 100 = 120 kips; 1.6 x |-250| = 400 kip-ft; 1.6 x 40 = 64 kips.
    EXPECT_NEAR(d.FactoredAxial, 120.0L, 1e-12L);
    EXPECT_NEAR(d.FactoredMoment, 400.0L, 1e-12L);
    EXPECT_NEAR(d.PierResult1, 64.0L, 1e-12L);
}

TEST(PierDesign, InteractionRowsBracketTheSection) {
    TKdData d = ThirtyInchPier();
    ASSERT_TRUE(UsBarsLoaded(d));
    d.DesignPier();
    // Row 0 carries no axial load: the search stops when the compressed concrete is within 0.5 %
    // of the area that balances the bars, i.e. a few kips out of a section of 1400 kips.
    EXPECT_LT(std::fabs(d.Interaction[0].PhiPn), 0.005L * d.Pier.PmaxPier);
    // Row 8 meets Pmax to the resolution of the halving search (last step below D/100 = 0.3 in at
    // roughly 55 kips per inch of c): within 3 %.
    EXPECT_NEAR(d.Interaction[8].PhiPn, d.Pier.PmaxPier, 0.03L * d.Pier.PmaxPier);
    // Depths grow from row 0 to row 8 and so does the axial strength.
    for (int k = 0; k < 8; ++k) {
        EXPECT_LT(d.Interaction[k].c, d.Interaction[k + 1].c) << "row " << k;
        EXPECT_LT(d.Interaction[k].PhiPn, d.Interaction[k + 1].PhiPn) << "row " << k;
    }
    // Moment strength at the factored axial load (120 kips) lies between rows 0 and 1 and
    // above the pure-bending strength.
    EXPECT_GT(d.MomentCapacity, d.Interaction[0].PhiMn);
    EXPECT_LT(d.MomentCapacity, d.Interaction[1].PhiMn + 1e-9L);
}

TEST(PierDesign, StrengthAtHalfDepth) {
    TKdData d = ThirtyInchPier();
    ASSERT_TRUE(UsBarsLoaded(d));
    d.DesignPier();
    TInteractionPoint row;
    row.c = 15.0L;
    d.PierSectionStrength(row);
    // c = 15: a = 0.85 x 15 = 12.75; Theta = acos((15 - 12.75)/15) = acos(0.15) = 1.420228.
    // Segment (Theta - sin cos) x 900/4 = 286.1788, less row 1 (depth 5.47372 < a): As/3 = 2.10667
    // -> Ac = 284.0765 in^2. eps1 = (15 - 5.47372) 0.003/15 = 0.00190526, fs1 = 55.2524 ksi;
    // row 2 at the axis: 0; row 3 symmetric to row 1 in tension: -55.2524 ksi.
    EXPECT_NEAR(row.Theta, 1.4202281L, 1e-7L);
    EXPECT_NEAR(row.Ac, 284.0765L, 1e-4L);
    EXPECT_NEAR(row.Fs1, 55.25242L, 1e-5L);
    EXPECT_NEAR(row.Fs2, 0.0L, 1e-9L);
    EXPECT_NEAR(row.Fs3, -55.25242L, 1e-5L);
    // Fc = 0.85 x 4 x 284.0765 + 55.2524 x 2.10667 = 1082.2585; Ft = -116.3984 kips.
    EXPECT_NEAR(row.Fc, 1082.2585L, 1e-3L);
    EXPECT_NEAR(row.Ft, -116.3984L, 1e-3L);
    // phi = 0.48 + 83 x 0.00190526 = 0.638 -> not below 0.65 for ties.
    EXPECT_NEAR(row.Phi, 0.65L, 1e-15L);
    // PhiPn = 0.65 (1082.2585 - 116.3984) = 627.809 kips.
    EXPECT_NEAR(row.PhiPn, 627.809L, 1e-3L);
    // Moments about the centre: concrete 0.85 x 4 x 30^3 x sin^3(Theta) / 12 = 7393.40 kip-in;
    // each bar row 116.3984 x 9.52628 = 1108.84 kip-in; PhiMn = 0.65 x 9611.08 / 12 = 520.594 kip-ft.
    EXPECT_NEAR(row.PhiMn, 520.594L, 1e-3L);
    EXPECT_NEAR(row.yt, -9.526279L, 1e-6L);
}

// SI: a 750 mm pier with eight US #8 bars (number 25 in SI: 25.4 mm, 0.79 x 25.4^2 = 509.676 mm^2),
// #4 ties (13: 12.7 mm), 75 mm cover, f'c 28 MPa, Fy 414 MPa, E 200000 MPa.
// As = 4077.41 mm^2, ratio 4077.41 / 441786.47 = 0.92294 %; ties min(16 (25.4), 48 (12.7), 750) =
// 406.4 mm; R = 375 - 75 - 12.7 - 12.7 = 274.6 mm, e = 274.6 cos 30 = 237.8106 mm.
// Pmax = 0.52 (414 (4077.41) + 0.85 (28)(441786.47 - 4077.41)) N = 0.52 (1688048 + 10417476) / 1000 =
// 6294.87 kN; tension -0.9 (414)(4077.41) / 1000 = -1519.24 kN. Balanced c = 0.003 (375 + 237.81) /
// (0.003 + 414/200000) = 362.610 mm.
// At c = 375 mm (the English half-depth case scaled by 25 mm per in, so Theta = acos(0.15) = 1.420228):
// segment (Theta - sin cos) 750^2/4 = 178864.47 less row 1 (As/3 = 1359.137) gives Ac = 177505.34 mm^2;
// eps1 = 237.8106 (0.003)/375 = 0.00190249, fs1 = 380.497 MPa, fs3 = -380.497 MPa.
// Fc = (0.85 (28)(177505.34) + 380.497 (1359.137)) / 1000 = (4224627.0 + 517147.5) / 1000 = 4741.77 kN,
// Ft = -517.147 kN; yc = (0.85 (28) 750^3 sin^3 Theta / 12 = 808638939 + 517147.5 (237.8106)) N mm /
// 4741774.5 N = 196.471 mm; yt = -237.811 mm; phi = 0.48 + 83 (0.0019025) = 0.638 -> 0.65;
// PhiPn = 0.65 (4224.627) = 2746.01 kN; PhiMn = 0.65 (808638939 + 2 (122983138)) / 10^6 = 685.493 kN-m.
TEST(PierDesign, SiUnits) {
    TKdData d = ThirtyInchPier();
    d.SetUnits(usSI);
    ASSERT_EQ(d.VerticalBarSize, 25);
    ASSERT_EQ(d.LateralBarSize, 13);
    d.PileWidth = 0.75L;
    d.ClearCover = 75.0L;
    d.ConcreteFc = 28.0L;
    d.SteelFy = 414.0L;
    d.SteelE = 200000.0L;
    d.DesignPier();
    EXPECT_NEAR(d.Pier.Beta1, 0.85L, 1e-15L);
    EXPECT_NEAR(d.Pier.SteelArea, 4077.4112L, 1e-4L);
    EXPECT_NEAR(d.VerticalSteelPercent, 0.922937L, 1e-6L);
    EXPECT_NEAR(d.CalculatedPitch, 406.4L, 1e-9L);
    EXPECT_NEAR(d.Pier.BarRowOffset, 237.810576L, 1e-6L);
    EXPECT_NEAR(d.Pier.PmaxPier, 6294.8724L, 1e-3L);
    EXPECT_NEAR(d.Pier.TensionStrength, -1519.24341L, 1e-5L);
    EXPECT_NEAR(d.Interaction[3].c, 362.6098L, 1e-4L);
    EXPECT_LT(std::fabs(d.Interaction[0].PhiPn), 0.005L * d.Pier.PmaxPier);
    EXPECT_NEAR(d.Interaction[8].PhiPn, d.Pier.PmaxPier, 0.03L * d.Pier.PmaxPier);

    TInteractionPoint row;
    row.c = 375.0L;
    d.PierSectionStrength(row);
    EXPECT_NEAR(row.Theta, 1.4202281L, 1e-7L);
    EXPECT_NEAR(row.Ac, 177505.338L, 1e-3L);
    EXPECT_NEAR(row.Fs1, 380.49692L, 1e-5L);
    EXPECT_NEAR(row.Fs3, -380.49692L, 1e-5L);
    EXPECT_NEAR(row.Fc, 4741.7745L, 1e-3L);
    EXPECT_NEAR(row.Ft, -517.1475L, 1e-3L);
    EXPECT_NEAR(row.yc, 196.4712L, 1e-3L);
    EXPECT_NEAR(row.yt, -237.810576L, 1e-6L);
    EXPECT_NEAR(row.Phi, 0.65L, 1e-15L);
    EXPECT_NEAR(row.PhiPn, 2746.0076L, 1e-3L);
    EXPECT_NEAR(row.PhiMn, 685.4934L, 1e-3L);
}

TEST(PierDesign, Beta1FromConcreteStrength) {
    // English f'c in ksi enters in psi: 0.85 to 4000 psi, 0.05 less per 1000 psi, at least 0.65.
    // SI: 0.85 to 28 MPa, 0.05 less per 7 MPa, at least 0.65.
    struct Case {
        TUnitSystem units;
        Ext fc;
        Ext beta1;
    };
    const Case cases[] = {
        {usEnglish, 3.0L, 0.85L},  {usEnglish, 4.0L, 0.85L}, {usEnglish, 5.0L, 0.80L},
        {usEnglish, 6.5L, 0.725L}, {usEnglish, 8.0L, 0.65L}, {usEnglish, 10.0L, 0.65L},
        {usSI, 21.0L, 0.85L},      {usSI, 35.0L, 0.80L},     {usSI, 56.0L, 0.65L},
    };
    for (const Case& c : cases) {
        TKdData d = ThirtyInchPier();
        if (c.units == usSI) {
            d.SetUnits(usSI);
            d.PileWidth = 0.75L;
        }
        d.ConcreteFc = c.fc;
        d.DesignPier();
        EXPECT_NEAR(d.Pier.Beta1, c.beta1, 1e-12L) << "f'c " << static_cast<double>(c.fc);
    }
}

TEST(PierDesign, MomentAtAxialInterpolatesAndEndsAtZero) {
    TKdData d;
    // A hand-made diagram: tension strength -300; rows (PhiPn, PhiMn) = (0, 400), then +100 kips
    // and +20 kip-ft per row: (100, 420) ... (800, 560).
    d.Pier.TensionStrength = -300.0L;
    for (int k = 0; k < 9; ++k) {
        d.Interaction[k].PhiPn = 100.0L * k;
        d.Interaction[k].PhiMn = 400.0L + 20.0L * k;
    }
    struct Case {
        Ext p, m;
    };
    const Case cases[] = {
        {-300.0L, 0.0L},   // at the tension strength
        {-150.0L, 200.0L}, // half way to row 0: 400 x 150/300
        {0.0L, 400.0L},    // row 0
        {250.0L, 450.0L},  // between rows 2 (440) and 3 (460)
        {799.0L, 559.8L},  // just below the last row
        {800.0L, 0.0L},    // at row 8: no strength left
        {5000.0L, 0.0L},   // beyond row 8
        {-301.0L, 0.0L},   // more tension than the bars give
    };
    for (const Case& c : cases) {
        EXPECT_NEAR(d.MomentAtAxial(c.p), c.m, 1e-9L) << "P " << static_cast<double>(c.p);
    }
    EXPECT_TRUE(IsNaN(d.MomentAtAxial(kNaN)));
    d.Interaction[4].PhiMn = kNaN;
    EXPECT_TRUE(IsNaN(d.MomentAtAxial(0.0L)));
}

TEST(PierDesign, UnusableSectionsGiveUndefinedResults) {
    // No bars; steel filling the section (400 #8 = 316 in^2 in a 1.5 ft pier of 254.5 in^2);
    // a pile that is not a rebar cage.
    TKdData noBars = ThirtyInchPier();
    noBars.VerticalBarCount = 0;
    TKdData solidSteel = ThirtyInchPier();
    solidSteel.PileWidth = 1.5L;
    solidSteel.VerticalBarCount = 400;
    TKdData iBeam = ThirtyInchPier();
    iBeam.PileSection = psIBeam;
    for (TKdData* d : {&noBars, &solidSteel, &iBeam}) {
        d->MomentCapacity = 123.0L;
        d->Interaction[0].PhiPn = 5.0L;
        d->DesignPier();
        EXPECT_TRUE(IsNaN(d->MomentCapacity));
        EXPECT_TRUE(IsNaN(d->Interaction[0].PhiPn));
        EXPECT_TRUE(IsNaN(d->Interaction[8].PhiMn));
        EXPECT_TRUE(IsNaN(d->Pier.PmaxPier));
    }
    EXPECT_TRUE(IsNaN(iBeam.FactoredAxial));
    // A rebar cage without bars still reports its factored loads.
    EXPECT_NEAR(noBars.FactoredAxial, 120.0L, 1e-12L);
}
