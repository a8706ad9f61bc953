// Unit system, field limits, the unit switch and the level arrays of the project model.

#include <gtest/gtest.h>

#include <cmath>

#include "model/KdClasses.h"

using namespace vantrel;

namespace {

// A project holding the English defaults that the unit switch knows, set field by field so that
// these tests do not depend on how a new project is made.
void SetEnglishDefaults(TKdData& d, int levels) {
    d.Anchors.LevelCount = 0;
    d.Anchors.Levels.clear();
    d.CornerBraces.Levels.clear();
    d.Anchors.LevelCount = levels;
    d.ResizeAnchorLevels();
    d.Anchors.SheetPileSpacingStep = 4.0L;
    d.GuardrailLength = 3.5L;
    d.GuardrailLoad = 50.0L;
    d.GuardrailPointLoad = 200.0L;
    d.SteelFy = 50.0L;
    d.AllowSkinFriction = 0.5L;
    d.AllowEndBearing = 3.0L;
    d.ShoredHeight = 20.0L;
}

} // namespace

TEST(Units, UnitValChoosesBySystemWithDoublePrecision) {
    TKdData d;
    d.SetUnits(usEnglish);
    EXPECT_EQ(d.UnitVal(4.57L, 15.0L), 15.0L);
    EXPECT_EQ(d.UnitStr("m", "ft"), "ft");
    d.SetUnits(usSI);
    // 4.57 is not exact in binary: the constant comes back as the double nearest to it.
    EXPECT_EQ(d.UnitVal(4.57L, 15.0L), static_cast<Ext>(4.57));
    EXPECT_NE(d.UnitVal(4.57L, 15.0L), 4.57L);
    EXPECT_EQ(d.UnitStr("m", "ft"), "m");
}

TEST(Units, FieldLimitsOfBothSystems) {
    struct Case {
        int tag;
        Ext engMin, engMax;
        int engDigits;
        Ext siMin, siMax;
        int siDigits;
    };
    // Soil unit weight, shored height, number of anchors, embedment ratio, Ka, tip area.
    const Case cases[] = {
        {5, 90.0L, 140.0L, 1, 14.5L, 23.0L, 1},  {17, 4.0L, 105.0L, 2, 1.2L, 32.0L, 2},
        {107, 1.0L, 8.0L, 0, 1.0L, 8.0L, 0},     {113, 0.0L, 0.65L, 2, 0.45L, 0.65L, 2},
        {118, 0.3L, 0.9L, 2, 0.0L, 0.0L, 2},     {153, 0.0L, 0.0L, 3, 0.01L, 1000000.0L, 4},
    };
    TKdData d;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.tag);
        d.SetUnits(usEnglish);
        EXPECT_EQ(d.FieldLimits[c.tag].Min, c.engMin);
        EXPECT_EQ(d.FieldLimits[c.tag].Max, c.engMax);
        EXPECT_EQ(d.FieldLimits[c.tag].Digits, c.engDigits);
        d.SetUnits(usSI);
        EXPECT_EQ(d.FieldLimits[c.tag].Min, c.siMin);
        EXPECT_EQ(d.FieldLimits[c.tag].Max, c.siMax);
        EXPECT_EQ(d.FieldLimits[c.tag].Digits, c.siDigits);
    }
}

TEST(Units, DecimalsOfUnlimitedFields) {
    // Entries without limits still carry their decimals: (English, SI).
    const int cases[][3] = {{27, 4, 4}, {60, 3, 2}, {65, 0, 1}, {83, 0, 3}, {155, 1, 4}, {187, 3, 1}, {99, 2, 3}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c[0]);
        EXPECT_FALSE(FieldLimitsEnglish[c[0]].HasLimit());
        EXPECT_FALSE(FieldLimitsSI[c[0]].HasLimit());
        EXPECT_EQ(FieldLimitsEnglish[c[0]].Digits, c[1]);
        EXPECT_EQ(FieldLimitsSI[c[0]].Digits, c[2]);
    }
}

TEST(Units, ClampToField) {
    TKdData d;
    d.SetUnits(usEnglish);
    EXPECT_EQ(d.ClampToField(17, 2.0L), 4.0L);     // below the shored height minimum
    EXPECT_EQ(d.ClampToField(17, 200.0L), 105.0L); // above the maximum
    EXPECT_EQ(d.ClampToField(17, 20.0L), 20.0L);
    EXPECT_EQ(d.ClampToField(113, 0.0L), 0.0L);    // English allows an embedment ratio of 0
    EXPECT_EQ(d.ClampToField(118, 0.1L), 0.3L);
    EXPECT_EQ(d.ClampToField(23, -5.0L), -5.0L);   // no limit in either system
    EXPECT_EQ(d.ClampToField(0, 7.0L), 7.0L);      // outside the table: untouched
    EXPECT_EQ(d.ClampToField(190, 7.0L), 7.0L);
    EXPECT_TRUE(std::isnan(d.ClampToField(17, kNaN)));
    d.SetUnits(usSI);
    EXPECT_EQ(d.ClampToField(113, 0.0L), 0.45L);
    EXPECT_EQ(d.ClampToField(118, 0.1L), 0.1L); // Ka is unlimited in SI
    // The English guardrail load default 50 plf becomes 0.07 kN/m, below the SI minimum 0.7.
    EXPECT_EQ(d.ClampToField(101, 0.07L), 0.7L);
}

TEST(Units, SwitchReplacesDefaultsAndRoundTripsExactly) {
    TKdData d;
    d.SetUnits(usEnglish);
    SetEnglishDefaults(d, 2);
    d.Anchors.Levels[1].Fy = 50.000001L; // edited a little: not a default
    d.Anchors.Levels[0].Waler.E = 29000.0L;
    d.CornerBraces.Levels[0].Fy = 50.0L; // corner braces are never swapped

    d.SetUnits(usSI);
    EXPECT_EQ(d.Units, usSI);
    EXPECT_EQ(d.SteelFy, 345.0L);
    EXPECT_EQ(d.Anchors.Levels[0].MemberE, 200000.0L);
    EXPECT_EQ(d.Anchors.Levels[0].Fy, 345.0L);
    EXPECT_EQ(d.Anchors.Levels[0].Waler.Fy, 345.0L);
    EXPECT_EQ(d.Anchors.Levels[1].Fy, 50.000001L);
    EXPECT_EQ(d.Anchors.Levels[0].Waler.E, 29000.0L); // the waler modulus is not swapped
    EXPECT_EQ(d.CornerBraces.Levels[0].Fy, 50.0L);
    EXPECT_EQ(d.Anchors.SheetPileSpacingStep, 1.25L);
    EXPECT_EQ(d.GuardrailLength, 1.07L);
    EXPECT_EQ(d.GuardrailLoad, 0.07L);
    EXPECT_EQ(d.GuardrailPointLoad, 0.89L);
    EXPECT_EQ(d.AllowSkinFriction, 100.0L);
    EXPECT_EQ(d.AllowEndBearing, 150.0L);
    EXPECT_EQ(d.ShoredHeight, 20.0L); // values are relabelled, never converted

    d.SetUnits(usEnglish);
    EXPECT_EQ(d.SteelFy, 50.0L);
    EXPECT_EQ(d.Anchors.Levels[0].MemberE, 29000.0L);
    EXPECT_EQ(d.Anchors.Levels[0].Fy, 50.0L);
    EXPECT_EQ(d.Anchors.Levels[0].Waler.Fy, 50.0L);
    EXPECT_EQ(d.Anchors.Levels[1].Fy, 50.000001L);
    EXPECT_EQ(d.Anchors.SheetPileSpacingStep, 4.0L);
    EXPECT_EQ(d.GuardrailLength, 3.5L);
    EXPECT_EQ(d.GuardrailLoad, 50.0L);
    EXPECT_EQ(d.GuardrailPointLoad, 200.0L);
    EXPECT_EQ(d.AllowSkinFriction, 0.5L);
    EXPECT_EQ(d.AllowEndBearing, 3.0L);
}

TEST(Units, ValueTypedAsTheSIDefaultIsTakenForIt) {
    TKdData d;
    d.SetUnits(usSI);
    d.SteelFy = 345.0L; // typed in SI
    d.GuardrailLength = 1.0L;
    d.SetUnits(usEnglish);
    EXPECT_EQ(d.SteelFy, 50.0L);
    EXPECT_EQ(d.GuardrailLength, 1.0L);
}

TEST(Units, SameSystemChangesNothingButReloadsTables) {
    TKdData d;
    d.SetUnits(usSI);
    SetEnglishDefaults(d, 1); // English numbers in an SI project stay: no switch happens
    d.FieldLimits[17].Max = 1.0L;
    d.SetUnits(usSI);
    EXPECT_EQ(d.SteelFy, 50.0L);
    EXPECT_EQ(d.GuardrailLength, 3.5L);
    EXPECT_EQ(d.FieldLimits[17].Max, 32.0L);
}

TEST(Units, AnyOtherValueMeansEnglish) {
    TKdData d;
    d.SetUnits(usSI);
    d.SteelFy = 345.0L;
    d.SetUnits(7);
    EXPECT_EQ(d.Units, usEnglish);
    EXPECT_EQ(d.SteelFy, 50.0L);
    EXPECT_EQ(d.FieldLimits[5].Min, 90.0L);
}

TEST(Units, UsBarsKeepTheirSizeAcrossASwitch) {
    TKdData d;
    d.SetUnits(usEnglish);
    d.RebarStandard = rsUS;
    d.VerticalBarSize = 8; // #8 is the 25 mm bar
    d.LateralBarSize = 4;  // #4 is the 13 mm bar
    d.SetUnits(usSI);
    EXPECT_EQ(d.VerticalBarSize, 25);
    EXPECT_EQ(d.LateralBarSize, 13);
    d.SetUnits(usEnglish);
    EXPECT_EQ(d.VerticalBarSize, 8);
    EXPECT_EQ(d.LateralBarSize, 4);

    d.RebarStandard = rsEuropean; // metric standards number their bars the same in both systems
    d.VerticalBarSize = 16;
    d.SetUnits(usSI);
    EXPECT_EQ(d.VerticalBarSize, 16);
}

TEST(Levels, ResizeKeepsEarlierLevelsAndDefaultsNewOnes) {
    for (uint8_t units : {usEnglish, usSI}) {
        SCOPED_TRACE(static_cast<int>(units));
        TKdData d;
        d.SetUnits(units);
        d.Anchors.Levels.clear();
        d.CornerBraces.Levels.clear();
        d.Anchors.LevelCount = 1;
        d.ResizeAnchorLevels();
        d.Anchors.Levels[0].HeightFromPrevious = 5.0L;
        d.Anchors.Levels[0].Kind = lkStrut;
        d.CornerBraces.Levels[0].Kind = lkStrut;

        d.Anchors.LevelCount = 4;
        d.ResizeAnchorLevels();
        ASSERT_EQ(d.Anchors.Levels.size(), 4u);
        ASSERT_EQ(d.CornerBraces.Levels.size(), 4u);
        EXPECT_EQ(d.CornerBraces.LevelCount, 4);
        EXPECT_EQ(d.Anchors.Levels[0].HeightFromPrevious, 5.0L);
        EXPECT_EQ(d.Anchors.Levels[0].Kind, lkStrut);
        EXPECT_EQ(d.CornerBraces.Levels[0].Kind, lkStrut);
        for (int i = 1; i < 4; ++i) {
            const TAnchLevel& a = d.Anchors.Levels[i];
            const TAnchLevel& c = d.CornerBraces.Levels[i];
            EXPECT_EQ(a.Kind, lkTieback);
            EXPECT_EQ(c.Kind, lkUnused);
            EXPECT_EQ(a.HeightFromPrevious, 1.0L);
            EXPECT_EQ(c.HeightFromPrevious, 1.0L);
            EXPECT_EQ(a.Angle, 20.0L);
            EXPECT_EQ(c.Angle, 20.0L);
            EXPECT_EQ(a.Grade, 75);
            EXPECT_EQ(c.Grade, 75);
            EXPECT_EQ(a.MemberE, units == usSI ? 200000.0L : 29000.0L);
            EXPECT_EQ(a.Fy, units == usSI ? 345.0L : 50.0L);
            EXPECT_EQ(a.Waler.Fy, units == usSI ? 345.0L : 50.0L);
            // The waler modulus in SI is the converted 29000 ksi, not 200000.
            EXPECT_EQ(a.Waler.E, units == usSI ? 199948.0L : 29000.0L);
            EXPECT_EQ(c.MemberE, 0.0L); // corner-brace slots get the shared defaults only
            EXPECT_FALSE(a.Waler.HasWaler);
            EXPECT_FALSE(a.StructuralDesign);
        }
        d.Anchors.Levels[1].HeightFromPrevious = 7.0L;
        d.Anchors.Levels[3].HeightFromPrevious = 9.0L;

        d.Anchors.LevelCount = 2;
        d.ResizeAnchorLevels();
        ASSERT_EQ(d.Anchors.Levels.size(), 2u);
        ASSERT_EQ(d.CornerBraces.Levels.size(), 2u);
        EXPECT_EQ(d.Anchors.Levels[1].HeightFromPrevious, 7.0L);

        d.Anchors.LevelCount = 4;
        d.ResizeAnchorLevels();
        EXPECT_EQ(d.Anchors.Levels[0].HeightFromPrevious, 5.0L);
        EXPECT_EQ(d.Anchors.Levels[1].HeightFromPrevious, 7.0L);
        // Re-added levels get the defaults again, not their earlier contents.
        EXPECT_EQ(d.Anchors.Levels[3].HeightFromPrevious, 1.0L);
        EXPECT_EQ(d.CornerBraces.Levels[3].Kind, lkUnused);
    }
}

TEST(Levels, CornerSlotsCountFromTheirOwnLength) {
    // The anchor array was lengthened before the call (as a new project does with its first
    // level): the corner slot the call adds must still be marked unused, not a tieback.
    TKdData d;
    d.Anchors.Levels.clear();
    d.CornerBraces.Levels.clear();
    d.Anchors.Levels.resize(1);
    d.Anchors.LevelCount = 1;
    d.ResizeAnchorLevels();
    ASSERT_EQ(d.CornerBraces.Levels.size(), 1u);
    EXPECT_EQ(d.CornerBraces.Levels[0].Kind, lkUnused);
    EXPECT_EQ(d.CornerBraces.Levels[0].Grade, 75);
}

TEST(Levels, SharedSettingsCopiedButNotTheCornerTestFactor) {
    TKdData d;
    d.Anchors.LevelCount = 3;
    d.Anchors.AnchorSpacingItem = 2;
    d.Anchors.SheetPileSpacingStep = 4.0L;
    d.Anchors.SoilType = 4;
    d.Anchors.LoadingHeight = 22.0L;
    d.Anchors.EmbedmentRatio = 0.55L;
    d.Anchors.Kh = 0.15L;
    d.Anchors.StripLoad = 500.0;
    d.Anchors.PointLoadOn = true;
    d.Anchors.TestLoadFactor = 1.33L;
    d.Anchors.Lb = 99.0L;
    d.CornerBraces.TestLoadFactor = 1.5L;
    d.CornerBraces.Lb = 3.0L;
    d.ResizeAnchorLevels();
    EXPECT_EQ(d.CornerBraces.LevelCount, 3);
    EXPECT_EQ(d.CornerBraces.AnchorSpacingItem, 2);
    EXPECT_EQ(d.CornerBraces.SheetPileSpacingStep, 4.0L);
    EXPECT_EQ(d.CornerBraces.SoilType, 4);
    EXPECT_EQ(d.CornerBraces.LoadingHeight, 22.0L);
    EXPECT_EQ(d.CornerBraces.EmbedmentRatio, 0.55L);
    EXPECT_EQ(d.CornerBraces.Kh, 0.15L);
    EXPECT_EQ(d.CornerBraces.StripLoad, 500.0);
    EXPECT_TRUE(d.CornerBraces.PointLoadOn);
    EXPECT_EQ(d.CornerBraces.TestLoadFactor, 1.5L);
    EXPECT_EQ(d.CornerBraces.Lb, 3.0L);
}

TEST(Levels, NegativeOrZeroCountEmptiesBothArrays) {
    TKdData d;
    d.Anchors.LevelCount = 3;
    d.ResizeAnchorLevels();
    d.Anchors.LevelCount = -2;
    d.ResizeAnchorLevels();
    EXPECT_EQ(d.Anchors.LevelCount, 0);
    EXPECT_TRUE(d.Anchors.Levels.empty());
    EXPECT_TRUE(d.CornerBraces.Levels.empty());
    EXPECT_EQ(d.CornerBraces.LevelCount, 0);
}

TEST(Numeric, NaNAwareHelpers) {
    EXPECT_EQ(MaxOf(1.0L, 2.0L), 2.0L);
    EXPECT_TRUE(std::isnan(MaxOf(kNaN, 2.0L)));
    EXPECT_TRUE(std::isnan(MaxOf(2.0L, kNaN)));
    EXPECT_TRUE(std::isnan(MinOf(1.0L, 2.0L, kNaN)));
    EXPECT_TRUE(std::isnan(SafeDiv(1.0L, 0.0L)));
    // Strand counts are ceilings that tolerate rounding noise: 105.6 / 35.2 is 3 strands.
    EXPECT_EQ(CeilCount(105.6L / 35.2L), 3);
    EXPECT_EQ(CeilCount(105.7L / 35.2L), 4);
    EXPECT_EQ(CeilCount(kNaN), -1);
    EXPECT_EQ(CeilCount(1.0e12L), -1); // beyond any layout: undefined, never an int overflow
    EXPECT_EQ(RoundHalfEven(2.5L), 2.0L);
    EXPECT_EQ(RoundHalfEven(3.5L), 4.0L);

    AbsPeak peak;
    peak.Offer(-3.0L, 1.0L);
    peak.Offer(3.0L, 2.0L); // a tie keeps the first
    peak.Offer(2.0L, 3.0L);
    EXPECT_EQ(peak.value, -3.0L);
    EXPECT_EQ(peak.at, 1.0L);
    peak.Offer(kNaN, 4.0L);
    EXPECT_TRUE(std::isnan(peak.value));
}
