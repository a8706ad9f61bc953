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
