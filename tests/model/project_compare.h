#pragma once
// Field-for-field comparison of the stored part of two projects (what a project file holds), the
// outcome of a load, and the scratch folders the file tests write into.

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <string>

#include "model/KdClasses.h"
#include "model/ProjectFile.h"

namespace vantrel::testing {

// Extended values compare by their 10 significant bytes, so that NaN equals NaN and -0 differs
// from 0: a file round trip must give the very same value.
inline bool SameBits(Ext a, Ext b) {
    return std::memcmp(&a, &b, 10) == 0;
}

inline void ExpectSame(Ext a, Ext b, const std::string& what) {
    EXPECT_TRUE(SameBits(a, b)) << what << ": " << static_cast<double>(a) << " vs " << static_cast<double>(b);
}
template <class T> void ExpectSame(const T& a, const T& b, const std::string& what) {
    EXPECT_EQ(a, b) << what;
}

#define VANTREL_SAME(field) ExpectSame(a.field, b.field, where + #field)

// The field lists read best packed.
// clang-format off

inline void ExpectSameSteelShape(const TSteelShape& a, const TSteelShape& b, const std::string& where) {
    VANTREL_SAME(Name); VANTREL_SAME(Zx); VANTREL_SAME(Ix); VANTREL_SAME(Aw); VANTREL_SAME(Iy); VANTREL_SAME(Tf);
    VANTREL_SAME(D); VANTREL_SAME(Ry); VANTREL_SAME(Sx); VANTREL_SAME(A); VANTREL_SAME(Bf); VANTREL_SAME(J);
    VANTREL_SAME(K1); VANTREL_SAME(Tw);
}

inline void ExpectSameLevel(const TAnchLevel& a, const TAnchLevel& b, const std::string& where) {
    VANTREL_SAME(Kind); VANTREL_SAME(HeightFromPrevious); VANTREL_SAME(Angle); VANTREL_SAME(TendonType);
    VANTREL_SAME(TieRodAnchorage); VANTREL_SAME(BarSize); VANTREL_SAME(Grade); VANTREL_SAME(PileSoilInterface);
    VANTREL_SAME(PileInstallation); VANTREL_SAME(MemberKind); VANTREL_SAME(MemberWidth); VANTREL_SAME(MemberLength);
    VANTREL_SAME(MemberE); VANTREL_SAME(MemberArea); VANTREL_SAME(MemberPerimeter); VANTREL_SAME(MemberTipArea);
    VANTREL_SAME(MemberInertia); VANTREL_SAME(StructuralDesign); VANTREL_SAME(ShapeFamily);
    VANTREL_SAME(MemberType); VANTREL_SAME(ShapeRow); VANTREL_SAME(CombinedRatio); VANTREL_SAME(TestLoad);
    VANTREL_SAME(Mx); VANTREL_SAME(My); VANTREL_SAME(Fy); VANTREL_SAME(Kx); VANTREL_SAME(Ky); VANTREL_SAME(Lx);
    VANTREL_SAME(Ly); VANTREL_SAME(Lb); VANTREL_SAME(Cb); VANTREL_SAME(Cmx); VANTREL_SAME(Fc);
    VANTREL_SAME(ConcreteFilled);
    EXPECT_TRUE(a.IShape == b.IShape) << where << "IShape";
    EXPECT_TRUE(a.OShape == b.OShape) << where << "OShape";
    VANTREL_SAME(Waler.HasWaler); VANTREL_SAME(Waler.TwoSpans); VANTREL_SAME(Waler.WLeft); VANTREL_SAME(Waler.Wa);
    VANTREL_SAME(Waler.Wb); VANTREL_SAME(Waler.Wc); VANTREL_SAME(Waler.WalerDepth); VANTREL_SAME(Waler.WalerLoad);
    VANTREL_SAME(Waler.Fy); VANTREL_SAME(Waler.ShapeFamily); VANTREL_SAME(Waler.ShapeRow); VANTREL_SAME(Waler.E);
    VANTREL_SAME(Waler.WalerIx); VANTREL_SAME(Waler.TwoChannels);
}

inline void ExpectSameSystem(const TAnchor& a, const TAnchor& b, const std::string& where) {
    VANTREL_SAME(LevelCount); VANTREL_SAME(AnchorSpacingItem); VANTREL_SAME(SheetPileSpacingStep);
    VANTREL_SAME(SoilType); VANTREL_SAME(MaxDeflection); VANTREL_SAME(LoadingHeight); VANTREL_SAME(EmbedmentRatio);
    VANTREL_SAME(Lb); VANTREL_SAME(Cb); VANTREL_SAME(TotalVerticalLoad); VANTREL_SAME(MaxSpan); VANTREL_SAME(K);
    VANTREL_SAME(TestLoadFactor); VANTREL_SAME(SurchargeK); VANTREL_SAME(Kh); VANTREL_SAME(ApparentPressure);
    VANTREL_SAME(UniformSurcharge); VANTREL_SAME(WaterDepth); VANTREL_SAME(PointLoadOn); VANTREL_SAME(LineLoadOn);
    VANTREL_SAME(StripLoadOn); VANTREL_SAME(PointDepth); VANTREL_SAME(LineDepth); VANTREL_SAME(StripDepth);
    VANTREL_SAME(PointLoad); VANTREL_SAME(PointOffset); VANTREL_SAME(LineLoad); VANTREL_SAME(LineOffset);
    VANTREL_SAME(StripLoad); VANTREL_SAME(StripOffset); VANTREL_SAME(StripWidth);
    ASSERT_EQ(a.Levels.size(), b.Levels.size()) << where << "Levels";
    for (size_t i = 0; i < a.Levels.size(); ++i)
        ExpectSameLevel(a.Levels[i], b.Levels[i], where + "Levels[" + std::to_string(i) + "].");
}

// Every field a project file holds.
inline void ExpectSameStoredFields(const TKdData& a, const TKdData& b) {
    const std::string where;
    VANTREL_SAME(Organization); VANTREL_SAME(Logo); VANTREL_SAME(ProjectName); VANTREL_SAME(JobNumber);
    VANTREL_SAME(DesignedBy); VANTREL_SAME(Date); VANTREL_SAME(Units); VANTREL_SAME(PressureMethod);
    VANTREL_SAME(Installation); VANTREL_SAME(PileType); VANTREL_SAME(PileSection); VANTREL_SAME(SoilInputMode);
    VANTREL_SAME(SoilPressureRate); VANTREL_SAME(SpareValue4); VANTREL_SAME(SpareValue5); VANTREL_SAME(SpareValue6);
    VANTREL_SAME(LaggingType); VANTREL_SAME(TimberFb); VANTREL_SAME(TimberFv); VANTREL_SAME(LaggingSizeFactor);
    VANTREL_SAME(LaggingFlatUseFactor); VANTREL_SAME(TimberFcPerp); VANTREL_SAME(ArchingFactor);
    VANTREL_SAME(LaggingConcreteSet); VANTREL_SAME(TimberE); VANTREL_SAME(SouthernPine); VANTREL_SAME(LumberGrade);
    for (int r = 0; r < 3; ++r) {
        VANTREL_SAME(SoilRecords[r].Value1); VANTREL_SAME(SoilRecords[r].Angle); VANTREL_SAME(SoilRecords[r].Value3);
        VANTREL_SAME(SoilRecords[r].Angle2); VANTREL_SAME(SoilRecords[r].UnitWeight);
        VANTREL_SAME(SoilRecords[r].Surcharge);
    }
    VANTREL_SAME(SpareValue1); VANTREL_SAME(SpareValue2); VANTREL_SAME(IgnorePassive); VANTREL_SAME(DiagramScale);
    VANTREL_SAME(PileSpacing); VANTREL_SAME(ShoredHeight); VANTREL_SAME(SteelE); VANTREL_SAME(SteelFy);
    VANTREL_SAME(SpareValue3); VANTREL_SAME(PileWidth); VANTREL_SAME(ConcreteFc); VANTREL_SAME(AxialLoad);
    VANTREL_SAME(RowBaseValue); VANTREL_SAME(AllowSkinFriction); VANTREL_SAME(AllowEndBearing);
    VANTREL_SAME(DesignFlag1); VANTREL_SAME(DesignFlag2); VANTREL_SAME(AuxInput1); VANTREL_SAME(AuxInput2);
    VANTREL_SAME(AuxInput3); VANTREL_SAME(AuxInput4); VANTREL_SAME(AuxInput5); VANTREL_SAME(AuxInput6);
    VANTREL_SAME(AuxInput7); VANTREL_SAME(ShapeFamily); VANTREL_SAME(ShapeIndex); VANTREL_SAME(SheetIndex);
    for (int i = 0; i < 8; ++i) {
        VANTREL_SAME(LoadingSidePoints[i].X); VANTREL_SAME(LoadingSidePoints[i].W);
    }
    for (int i = 0; i < 4; ++i) {
        VANTREL_SAME(PassiveSidePoints[i].X); VANTREL_SAME(PassiveSidePoints[i].W);
        VANTREL_SAME(UnfactoredPoints[i].X); VANTREL_SAME(UnfactoredPoints[i].W);
    }
    VANTREL_SAME(RebarStandard); VANTREL_SAME(VerticalBarSize); VANTREL_SAME(VerticalBarCount);
    VANTREL_SAME(TieOrSpiral); VANTREL_SAME(LateralBarSize); VANTREL_SAME(ClearCover); VANTREL_SAME(PitchOverride);
    VANTREL_SAME(ConcretePlacement);
    ExpectSameSteelShape(a.CustomSection, b.CustomSection, "CustomSection.");
    VANTREL_SAME(PipeFilledWithConcrete); VANTREL_SAME(SpareFlag); VANTREL_SAME(UseGuardrail);
    VANTREL_SAME(GuardrailAngle); VANTREL_SAME(GuardrailLength); VANTREL_SAME(GuardrailLoad);
    VANTREL_SAME(GuardrailPointLoad); VANTREL_SAME(GuardrailSpacing);
    ExpectSameSystem(a.Anchors, b.Anchors, "Anchors.");
    VANTREL_SAME(UseCornerBraces);
    ExpectSameSystem(a.CornerBraces, b.CornerBraces, "CornerBraces.");
    VANTREL_SAME(BondSoilType); VANTREL_SAME(AllowLoadTransfer); VANTREL_SAME(UseBasalHeave);
    VANTREL_SAME(BasalCondition); VANTREL_SAME(BasalCohesion); VANTREL_SAME(BasalNc); VANTREL_SAME(BasalUnitWeight);
    VANTREL_SAME(BasalHeight); VANTREL_SAME(BasalSurcharge); VANTREL_SAME(BasalWidth);
}

// clang-format on

#undef VANTREL_SAME

// The message of a refused image, empty when it loads into d.
inline std::string WhatOfLoad(const std::vector<uint8_t>& bytes, TKdData& d) {
    try {
        DecodeProject(bytes, d);
    } catch (const std::runtime_error& e) {
        return e.what();
    }
    return std::string();
}

// A fresh, empty folder under the build tree, removed again when the object goes.
class ScratchFolder {
  public:
    explicit ScratchFolder(const std::string& name)
        : path_(std::filesystem::path(VANTREL_BINARY_DIR) / "test-scratch" / name) {
        std::filesystem::remove_all(path_);
        std::filesystem::create_directories(path_);
    }
    ~ScratchFolder() {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    std::string File(const std::string& name) const { return (path_ / name).string(); }
    const std::filesystem::path& Path() const { return path_; }

  private:
    std::filesystem::path path_;
};

} // namespace vantrel::testing
