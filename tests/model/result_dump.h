#pragma once
// A text dump of every value of a project, inputs and results alike, at full precision: one line
// per value, "<path> <value>", or per record of plain values (a node, a row of a table, a point),
// "<path> <values in declaration order>"; extended values with 21 significant digits (enough to
// give back every bit of the 64-bit mantissa), NaN as "nan". The working catalog tables are not
// part of it.
//
// CompareResultDumps sets two dumps side by side: the same paths in the same order, numbers equal
// within a relative tolerance (NaN only where NaN), everything else exactly equal.

#include <cinttypes>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>
#include <type_traits>
#include <vector>

#include "model/KdClasses.h"

namespace vantrel::testing {

class ResultDump;
inline void DumpFields(ResultDump& o, const std::string& at, const TWalerPoint& v);
inline void DumpFields(ResultDump& o, const std::string& at, const TDiagramPoint& v);
inline void DumpFields(ResultDump& o, const std::string& at, const TPressurePoint& v);
inline void DumpFields(ResultDump& o, const std::string& at, const TSoilRecord& v);
inline void DumpFields(ResultDump& o, const std::string& at, const TOShape& v);
inline void DumpFields(ResultDump& o, const std::string& at, const TIShape& v);
inline void DumpFields(ResultDump& o, const std::string& at, const TSteelShape& v);
inline void DumpFields(ResultDump& o, const std::string& at, const TPileResultRow& v);
inline void DumpFields(ResultDump& o, const std::string& at, const TInteractionPoint& v);
inline void DumpFields(ResultDump& o, const std::string& at, const TPierResults& v);
inline void DumpFields(ResultDump& o, const std::string& at, const TLaggingResults& v);
inline void DumpFields(ResultDump& o, const std::string& at, const TGuardrailResults& v);
inline void DumpFields(ResultDump& o, const std::string& at, const TPressureRow& v);
inline void DumpFields(ResultDump& o, const std::string& at, const TAnchNode& v);
inline void DumpFields(ResultDump& o, const std::string& at, const TArrAnchOne& v);
inline void DumpFields(ResultDump& o, const std::string& at, const TShapeRes& v);
inline void DumpFields(ResultDump& o, const std::string& at, const TWaler& v);
inline void DumpFields(ResultDump& o, const std::string& at, const TAnchLevel& v);
inline void DumpFields(ResultDump& o, const std::string& at, const TAnchor& v);
inline void DumpFields(ResultDump& o, const std::string& at, const TKdData& v);

class ResultDump {
  public:
    void Put(const std::string& key, Ext v) {
        char text[64];
        if (std::isnan(v))
            std::snprintf(text, sizeof text, "nan");
        else
            std::snprintf(text, sizeof text, "%.21Lg", v);
        Line(key, text);
    }
    void Put(const std::string& key, double v) { Put(key, static_cast<Ext>(v)); }
    void Put(const std::string& key, int32_t v) { Line(key, std::to_string(v)); }
    void Put(const std::string& key, uint8_t v) { Line(key, std::to_string(v)); }
    void Put(const std::string& key, bool v) { Line(key, v ? "true" : "false"); }
    void Put(const std::string& key, const std::string& v) { Line(key, "\"" + v + "\""); }
    void Put(const std::string& key, const std::vector<uint8_t>& bytes) {
        uint64_t hash = 1469598103934665603ull; // FNV-1a of the bytes
        for (uint8_t b : bytes)
            hash = (hash ^ b) * 1099511628211ull;
        char text[64];
        std::snprintf(text, sizeof text, "%zu bytes, FNV-1a %016" PRIx64, bytes.size(), hash);
        Line(key, text);
    }
    template <class T> void Put(const std::string& key, const std::vector<T>& v) {
        Line(key + ".size", std::to_string(v.size()));
        for (size_t i = 0; i < v.size(); ++i)
            Put(key + "[" + std::to_string(i) + "]", v[i]);
    }
    template <class T, size_t N> void Put(const std::string& key, const std::array<T, N>& v) {
        for (size_t i = 0; i < N; ++i)
            Put(key + "[" + std::to_string(i) + "]", v[i]);
    }
    template <class T>
    requires std::is_class_v<T>
    void Put(const std::string& key, const T& record) {
        if constexpr (kOneLine<T>) {
            // A record of plain values goes on one line, its values in declaration order.
            ResultDump row;
            row.row_ = true;
            DumpFields(row, "", record);
            Line(key, row.text_.substr(1));
        } else {
            DumpFields(*this, key + ".", record);
        }
    }

    const std::string& Text() const { return text_; }

  private:
    template <class T>
    static constexpr bool kOneLine = std::is_same_v<T, TAnchNode> || std::is_same_v<T, TPileResultRow> ||
                                     std::is_same_v<T, TPressureRow> || std::is_same_v<T, TWalerPoint> ||
                                     std::is_same_v<T, TDiagramPoint> || std::is_same_v<T, TPressurePoint> ||
                                     std::is_same_v<T, TInteractionPoint> || std::is_same_v<T, TSoilRecord>;

    void Line(const std::string& key, const std::string& value) {
        if (row_)
            text_ += " " + value;
        else
            text_ += key + " " + value + "\n";
    }
    std::string text_;
    bool row_ = false;
};

#define VANTREL_DUMP(field) o.Put(at + #field, v.field)

// The field lists read best packed.
// clang-format off

inline void DumpFields(ResultDump& o, const std::string& at, const TWalerPoint& v) {
    VANTREL_DUMP(X); VANTREL_DUMP(Y);
}

inline void DumpFields(ResultDump& o, const std::string& at, const TDiagramPoint& v) {
    VANTREL_DUMP(Depth); VANTREL_DUMP(Load);
}

inline void DumpFields(ResultDump& o, const std::string& at, const TPressurePoint& v) {
    VANTREL_DUMP(X); VANTREL_DUMP(W);
}

inline void DumpFields(ResultDump& o, const std::string& at, const TSoilRecord& v) {
    VANTREL_DUMP(Value1); VANTREL_DUMP(Angle); VANTREL_DUMP(Value3); VANTREL_DUMP(Angle2); VANTREL_DUMP(UnitWeight);
    VANTREL_DUMP(Surcharge);
}

inline void DumpFields(ResultDump& o, const std::string& at, const TOShape& v) {
    VANTREL_DUMP(Name); VANTREL_DUMP(W); VANTREL_DUMP(A); VANTREL_DUMP(OD); VANTREL_DUMP(TNominal); VANTREL_DUMP(T);
    VANTREL_DUMP(DOverT); VANTREL_DUMP(I); VANTREL_DUMP(Z); VANTREL_DUMP(S); VANTREL_DUMP(R); VANTREL_DUMP(J);
}

inline void DumpFields(ResultDump& o, const std::string& at, const TIShape& v) {
    VANTREL_DUMP(Name); VANTREL_DUMP(W); VANTREL_DUMP(A); VANTREL_DUMP(D); VANTREL_DUMP(Bf); VANTREL_DUMP(Tw);
    VANTREL_DUMP(Tf); VANTREL_DUMP(Ix); VANTREL_DUMP(Zx); VANTREL_DUMP(Sx); VANTREL_DUMP(Rx); VANTREL_DUMP(Iy);
    VANTREL_DUMP(Zy); VANTREL_DUMP(Sy); VANTREL_DUMP(Ry); VANTREL_DUMP(J); VANTREL_DUMP(Cw); VANTREL_DUMP(Rts);
    VANTREL_DUMP(H0);
}

inline void DumpFields(ResultDump& o, const std::string& at, const TSteelShape& v) {
    VANTREL_DUMP(Name); VANTREL_DUMP(Zx); VANTREL_DUMP(Ix); VANTREL_DUMP(Aw); VANTREL_DUMP(Iy); VANTREL_DUMP(Tf);
    VANTREL_DUMP(D); VANTREL_DUMP(Ry); VANTREL_DUMP(Sx); VANTREL_DUMP(A); VANTREL_DUMP(Bf); VANTREL_DUMP(J);
    VANTREL_DUMP(K1); VANTREL_DUMP(Tw);
}

inline void DumpFields(ResultDump& o, const std::string& at, const TPileResultRow& v) {
    VANTREL_DUMP(Depth); VANTREL_DUMP(Pressure); VANTREL_DUMP(Load); VANTREL_DUMP(Shear); VANTREL_DUMP(Moment);
    VANTREL_DUMP(RawSlope); VANTREL_DUMP(Slope); VANTREL_DUMP(RawDeflection); VANTREL_DUMP(Deflection);
    VANTREL_DUMP(Load2); VANTREL_DUMP(Shear2); VANTREL_DUMP(Moment2); VANTREL_DUMP(RawSlope2); VANTREL_DUMP(Slope2);
    VANTREL_DUMP(RawDeflection2); VANTREL_DUMP(Deflection2);
}

inline void DumpFields(ResultDump& o, const std::string& at, const TInteractionPoint& v) {
    VANTREL_DUMP(c); VANTREL_DUMP(Eps1); VANTREL_DUMP(Fs1); VANTREL_DUMP(Eps2); VANTREL_DUMP(Fs2);
    VANTREL_DUMP(Eps3); VANTREL_DUMP(Fs3); VANTREL_DUMP(Theta); VANTREL_DUMP(a); VANTREL_DUMP(Ac); VANTREL_DUMP(Fc);
    VANTREL_DUMP(yc); VANTREL_DUMP(Ft); VANTREL_DUMP(yt); VANTREL_DUMP(Phi); VANTREL_DUMP(PhiPn);
    VANTREL_DUMP(PhiMn);
}

inline void DumpFields(ResultDump& o, const std::string& at, const TPierResults& v) {
    VANTREL_DUMP(Beta1); VANTREL_DUMP(SteelArea); VANTREL_DUMP(SteelRatio); VANTREL_DUMP(PhiC);
    VANTREL_DUMP(BarRowOffset); VANTREL_DUMP(AreaPerRow); VANTREL_DUMP(PmaxPier); VANTREL_DUMP(MomentNoAxial);
    VANTREL_DUMP(TensionStrength); VANTREL_DUMP(DesignAxial); VANTREL_DUMP(DesignMoment);
    VANTREL_DUMP(DesignUtilization); VANTREL_DUMP(LateralValue); VANTREL_DUMP(ConcreteShear);
}

inline void DumpFields(ResultDump& o, const std::string& at, const TLaggingResults& v) {
    VANTREL_DUMP(SizeIndex); VANTREL_DUMP(NominalThickness); VANTREL_DUMP(NominalThicknessSI);
    VANTREL_DUMP(ClearSpan); VANTREL_DUMP(CoefficientOfVariation); VANTREL_DUMP(Thickness);
    VANTREL_DUMP(BoardWidth); VANTREL_DUMP(CD); VANTREL_DUMP(CF); VANTREL_DUMP(Cfu); VANTREL_DUMP(Ct);
    VANTREL_DUMP(CMFb); VANTREL_DUMP(CMFv); VANTREL_DUMP(CME); VANTREL_DUMP(CEGrade); VANTREL_DUMP(Ci);
    VANTREL_DUMP(Cr); VANTREL_DUMP(CP); VANTREL_DUMP(CT); VANTREL_DUMP(Cb); VANTREL_DUMP(Le); VANTREL_DUMP(Emin);
    VANTREL_DUMP(EminPrime); VANTREL_DUMP(RB); VANTREL_DUMP(FbE); VANTREL_DUMP(FbStar); VANTREL_DUMP(CL);
    VANTREL_DUMP(S); VANTREL_DUMP(Q); VANTREL_DUMP(I); VANTREL_DUMP(M); VANTREL_DUMP(FbPrime); VANTREL_DUMP(fb);
    VANTREL_DUMP(V); VANTREL_DUMP(FvPrime); VANTREL_DUMP(fv); VANTREL_DUMP(EPrime); VANTREL_DUMP(Deflection);
    VANTREL_DUMP(LaggingPass);
}

inline void DumpFields(ResultDump& o, const std::string& at, const TGuardrailResults& v) {
    VANTREL_DUMP(GrFy); VANTREL_DUMP(GrFu); VANTREL_DUMP(GrE); VANTREL_DUMP(GrCb); VANTREL_DUMP(GrSlenderness);
    VANTREL_DUMP(GrFe); VANTREL_DUMP(GrFcr); VANTREL_DUMP(GrPn); VANTREL_DUMP(GrAllowCompression);
    VANTREL_DUMP(GrLoad); VANTREL_DUMP(GrMy); VANTREL_DUMP(GrMyLimit); VANTREL_DUMP(GrMe); VANTREL_DUMP(GrMnLtb);
    VANTREL_DUMP(GrMyLimitCopy); VANTREL_DUMP(GrAllowMoment); VANTREL_DUMP(GrMoment); VANTREL_DUMP(GrFexx);
    VANTREL_DUMP(GrWeldFactor); VANTREL_DUMP(GrPx); VANTREL_DUMP(GrPy); VANTREL_DUMP(GrPz);
    VANTREL_DUMP(GrWeldSize); VANTREL_DUMP(GrThroat); VANTREL_DUMP(GrWeldLength); VANTREL_DUMP(GrLeg);
    VANTREL_DUMP(GrMx); VANTREL_DUMP(GrMy2); VANTREL_DUMP(GrMz); VANTREL_DUMP(GrWeldArea);
    VANTREL_DUMP(GrWeldAreaZ); VANTREL_DUMP(GrWeldAreaTotal); VANTREL_DUMP(GrWeldSx); VANTREL_DUMP(GrWeldSy);
    VANTREL_DUMP(GrWeldSz); VANTREL_DUMP(GrShearY); VANTREL_DUMP(GrNormalY); VANTREL_DUMP(GrAngleY);
    VANTREL_DUMP(GrStressY); VANTREL_DUMP(GrAllowY); VANTREL_DUMP(GrShearX); VANTREL_DUMP(GrNormalX);
    VANTREL_DUMP(GrAngleX); VANTREL_DUMP(GrStressX); VANTREL_DUMP(GrAllowX);
}

inline void DumpFields(ResultDump& o, const std::string& at, const TPressureRow& v) {
    VANTREL_DUMP(Depth); VANTREL_DUMP(StripAngle1); VANTREL_DUMP(StripAngle2); VANTREL_DUMP(StripBeta);
    VANTREL_DUMP(StripAlpha); VANTREL_DUMP(StripTermA); VANTREL_DUMP(StripTermB); VANTREL_DUMP(Strip);
    VANTREL_DUMP(Uniform); VANTREL_DUMP(PoreWater); VANTREL_DUMP(ApparentEarth); VANTREL_DUMP(LineLoad);
    VANTREL_DUMP(PointLoad); VANTREL_DUMP(Seismic); VANTREL_DUMP(Total); VANTREL_DUMP(PileLoad);
}

inline void DumpFields(ResultDump& o, const std::string& at, const TAnchNode& v) {
    VANTREL_DUMP(Depth); VANTREL_DUMP(Load); VANTREL_DUMP(Shear); VANTREL_DUMP(Moment); VANTREL_DUMP(Slope);
    VANTREL_DUMP(Deflection); VANTREL_DUMP(Shear2); VANTREL_DUMP(Moment2); VANTREL_DUMP(Slope2);
    VANTREL_DUMP(Deflection2);
}

inline void DumpFields(ResultDump& o, const std::string& at, const TArrAnchOne& v) {
    VANTREL_DUMP(SpanMatrix); VANTREL_DUMP(SpanRhs); VANTREL_DUMP(SpanSolution); VANTREL_DUMP(EndShear);
    VANTREL_DUMP(EndMoment); VANTREL_DUMP(Nodes);
}

inline void DumpFields(ResultDump& o, const std::string& at, const TShapeRes& v) {
    VANTREL_DUMP(Kc); VANTREL_DUMP(Rpg); VANTREL_DUMP(HOverTw); VANTREL_DUMP(Aw); VANTREL_DUMP(H);
    VANTREL_DUMP(KLrX); VANTREL_DUMP(KLrY); VANTREL_DUMP(KLr); VANTREL_DUMP(Fe); VANTREL_DUMP(Fcr);
    VANTREL_DUMP(Spare); VANTREL_DUMP(Qs); VANTREL_DUMP(Qa); VANTREL_DUMP(Pa); VANTREL_DUMP(LambdaF);
    VANTREL_DUMP(LambdaPf); VANTREL_DUMP(LambdaRf); VANTREL_DUMP(PUtil); VANTREL_DUMP(Lp); VANTREL_DUMP(Lr);
    VANTREL_DUMP(LbOverRts); VANTREL_DUMP(Fbx); VANTREL_DUMP(MnFlb); VANTREL_DUMP(MnLtb); VANTREL_DUMP(MnCf);
    VANTREL_DUMP(MnTf); VANTREL_DUMP(MnY); VANTREL_DUMP(MnYFlb); VANTREL_DUMP(Mp); VANTREL_DUMP(MnYield);
    VANTREL_DUMP(FcrLtb); VANTREL_DUMP(MyP); VANTREL_DUMP(LambdaW); VANTREL_DUMP(LambdaPw); VANTREL_DUMP(LambdaRw);
    VANTREL_DUMP(MxAllow); VANTREL_DUMP(MxUtil); VANTREL_DUMP(Fby); VANTREL_DUMP(MyAllow); VANTREL_DUMP(MyUtil);
    VANTREL_DUMP(ClassText);
}

inline void DumpFields(ResultDump& o, const std::string& at, const TWaler& v) {
    VANTREL_DUMP(HasWaler); VANTREL_DUMP(TwoSpans); VANTREL_DUMP(Wa); VANTREL_DUMP(Wb); VANTREL_DUMP(Wc);
    VANTREL_DUMP(WLeft); VANTREL_DUMP(WalerDepth); VANTREL_DUMP(WalerLoad); VANTREL_DUMP(Fy); VANTREL_DUMP(E);
    VANTREL_DUMP(WalerIx); VANTREL_DUMP(ShapeFamily); VANTREL_DUMP(ShapeRow); VANTREL_DUMP(TwoChannels);
    VANTREL_DUMP(TotalLength); VANTREL_DUMP(WalerW); VANTREL_DUMP(R1); VANTREL_DUMP(R2); VANTREL_DUMP(V1);
    VANTREL_DUMP(V2); VANTREL_DUMP(V3); VANTREL_DUMP(V4); VANTREL_DUMP(MaxShearW); VANTREL_DUMP(M1);
    VANTREL_DUMP(M2); VANTREL_DUMP(M3); VANTREL_DUMP(MaxMomentW); VANTREL_DUMP(RequiredS); VANTREL_DUMP(ProvidedS);
    VANTREL_DUMP(MaxDeflectionW); VANTREL_DUMP(MaxDeflectionX); VANTREL_DUMP(AllowableDeflectionW);
    VANTREL_DUMP(WalerDeflections); VANTREL_DUMP(ModulusPass); VANTREL_DUMP(DeflectionPass);
}

inline void DumpFields(ResultDump& o, const std::string& at, const TAnchLevel& v) {
    VANTREL_DUMP(Kind); VANTREL_DUMP(HeightFromPrevious); VANTREL_DUMP(Angle); VANTREL_DUMP(BondLength);
    VANTREL_DUMP(TendonType); VANTREL_DUMP(TieRodAnchorage); VANTREL_DUMP(BarSize); VANTREL_DUMP(Grade);
    VANTREL_DUMP(BarCount); VANTREL_DUMP(PileSoilInterface); VANTREL_DUMP(PileInstallation);
    VANTREL_DUMP(MemberKind); VANTREL_DUMP(MemberWidth); VANTREL_DUMP(MemberLength); VANTREL_DUMP(MemberE);
    VANTREL_DUMP(MemberArea); VANTREL_DUMP(MemberPerimeter); VANTREL_DUMP(MemberTipArea);
    VANTREL_DUMP(MemberInertia); VANTREL_DUMP(StructuralDesign); VANTREL_DUMP(ShapeFamily);
    VANTREL_DUMP(MemberType); VANTREL_DUMP(ShapeRow); VANTREL_DUMP(CombinedRatio); VANTREL_DUMP(TestLoad);
    VANTREL_DUMP(Mx); VANTREL_DUMP(My); VANTREL_DUMP(Fy); VANTREL_DUMP(Kx); VANTREL_DUMP(Ky); VANTREL_DUMP(Lx);
    VANTREL_DUMP(Ly); VANTREL_DUMP(Lb); VANTREL_DUMP(Cb); VANTREL_DUMP(Cmx); VANTREL_DUMP(Fc);
    VANTREL_DUMP(ConcreteFilled); VANTREL_DUMP(Result); VANTREL_DUMP(IShape); VANTREL_DUMP(OShape);
    VANTREL_DUMP(Waler);
}

inline void DumpFields(ResultDump& o, const std::string& at, const TAnchor& v) {
    VANTREL_DUMP(LevelCount); VANTREL_DUMP(AnchorSpacingItem); VANTREL_DUMP(SoilType);
    VANTREL_DUMP(SheetPileSpacingStep); VANTREL_DUMP(Levels); VANTREL_DUMP(E); VANTREL_DUMP(Fy);
    VANTREL_DUMP(MaxDeflection); VANTREL_DUMP(DiagramPoints); VANTREL_DUMP(LoadingHeight);
    VANTREL_DUMP(EmbedmentRatio); VANTREL_DUMP(Embedment); VANTREL_DUMP(Lb); VANTREL_DUMP(Cb);
    VANTREL_DUMP(TotalVerticalLoad); VANTREL_DUMP(MaxSpan); VANTREL_DUMP(K); VANTREL_DUMP(TestLoadFactor);
    VANTREL_DUMP(PointLoadOn); VANTREL_DUMP(LineLoadOn); VANTREL_DUMP(StripLoadOn); VANTREL_DUMP(PointDepth);
    VANTREL_DUMP(LineDepth); VANTREL_DUMP(StripDepth); VANTREL_DUMP(PointLoad); VANTREL_DUMP(PointOffset);
    VANTREL_DUMP(LineLoad); VANTREL_DUMP(LineOffset); VANTREL_DUMP(StripLoad); VANTREL_DUMP(StripOffset);
    VANTREL_DUMP(StripWidth); VANTREL_DUMP(SurchargeK); VANTREL_DUMP(Kh); VANTREL_DUMP(PileSpacing);
    VANTREL_DUMP(SoilUnitWeight); VANTREL_DUMP(ApparentPressure); VANTREL_DUMP(UniformSurcharge);
    VANTREL_DUMP(WaterDepth); VANTREL_DUMP(JointShears); VANTREL_DUMP(JointMoments); VANTREL_DUMP(CantileverShear);
    VANTREL_DUMP(CantileverMoment); VANTREL_DUMP(RotationMatrix); VANTREL_DUMP(ShearMatrix);
    VANTREL_DUMP(Rotations); VANTREL_DUMP(ShearCorrections); VANTREL_DUMP(Reactions); VANTREL_DUMP(SumOfReactions);
    VANTREL_DUMP(SumOfLoads); VANTREL_DUMP(ReferenceSlope); VANTREL_DUMP(ReferenceDeflection);
    VANTREL_DUMP(MaxShear); VANTREL_DUMP(MaxShearDepth); VANTREL_DUMP(MaxMoment); VANTREL_DUMP(MaxMomentDepth);
    VANTREL_DUMP(MaxDeflectionResult); VANTREL_DUMP(MaxDeflectionDepth); VANTREL_DUMP(ShearAreaRequired);
    VANTREL_DUMP(ShearAreaProvided); VANTREL_DUMP(ModulusRequired); VANTREL_DUMP(ModulusProvided);
    VANTREL_DUMP(UtilizedIx); VANTREL_DUMP(LevelLoads); VANTREL_DUMP(FreeLengths); VANTREL_DUMP(TestLoads);
    VANTREL_DUMP(H0); VANTREL_DUMP(Rts); VANTREL_DUMP(Lp); VANTREL_DUMP(Lr); VANTREL_DUMP(BucklingCheck);
    VANTREL_DUMP(Slenderness); VANTREL_DUMP(Fe); VANTREL_DUMP(Fcr); VANTREL_DUMP(AxialCheck);
    VANTREL_DUMP(CombinedUtilization); VANTREL_DUMP(PressureTable); VANTREL_DUMP(SpanNodes);
    VANTREL_DUMP(PileNodes);
}

inline void DumpFields(ResultDump& o, const std::string& at, const TKdData& v) {
    VANTREL_DUMP(Organization); VANTREL_DUMP(Logo); VANTREL_DUMP(ProjectName); VANTREL_DUMP(JobNumber);
    VANTREL_DUMP(DesignedBy); VANTREL_DUMP(Date); VANTREL_DUMP(Units); VANTREL_DUMP(ShapeFamily);
    VANTREL_DUMP(PressureMethod); VANTREL_DUMP(Installation); VANTREL_DUMP(PileType); VANTREL_DUMP(PileSection);
    VANTREL_DUMP(SoilInputMode); VANTREL_DUMP(SoilRecords); VANTREL_DUMP(SpareValue1); VANTREL_DUMP(SpareValue2);
    VANTREL_DUMP(IgnorePassive); VANTREL_DUMP(PileSpacing); VANTREL_DUMP(PileWidthLessHalfSpacing);
    VANTREL_DUMP(ShoredHeight); VANTREL_DUMP(SteelE); VANTREL_DUMP(SteelFy); VANTREL_DUMP(SpareValue3);
    VANTREL_DUMP(PileWidth); VANTREL_DUMP(ConcreteFc); VANTREL_DUMP(AxialLoad); VANTREL_DUMP(RowBaseValue);
    VANTREL_DUMP(AuxCopy); VANTREL_DUMP(VerticalAxialComponent); VANTREL_DUMP(TotalVerticalLoad);
    VANTREL_DUMP(AllowSkinFriction); VANTREL_DUMP(AllowEndBearing); VANTREL_DUMP(AllowableAxialLoad);
    VANTREL_DUMP(DesignFlag1); VANTREL_DUMP(DesignFlag2); VANTREL_DUMP(AuxInput1); VANTREL_DUMP(AuxInput2);
    VANTREL_DUMP(AuxInput3); VANTREL_DUMP(AuxInput4); VANTREL_DUMP(AuxInput5); VANTREL_DUMP(AuxInput6);
    VANTREL_DUMP(AuxInput7); VANTREL_DUMP(AuxResult1); VANTREL_DUMP(AuxResult2); VANTREL_DUMP(AuxResult3);
    VANTREL_DUMP(AuxResult4); VANTREL_DUMP(AuxResult5); VANTREL_DUMP(AuxResult6); VANTREL_DUMP(ShapeIndex);
    VANTREL_DUMP(SheetIndex); VANTREL_DUMP(PipeFilledWithConcrete); VANTREL_DUMP(RebarStandard);
    VANTREL_DUMP(VerticalBarSize); VANTREL_DUMP(VerticalBarCount); VANTREL_DUMP(TieOrSpiral);
    VANTREL_DUMP(LateralBarSize); VANTREL_DUMP(ClearCover); VANTREL_DUMP(PitchOverride);
    VANTREL_DUMP(FactoredAxial); VANTREL_DUMP(FactoredMoment); VANTREL_DUMP(PierResult1);
    VANTREL_DUMP(MomentCapacity); VANTREL_DUMP(CalculatedPitch); VANTREL_DUMP(VerticalSteelPercent);
    VANTREL_DUMP(ConcretePlacement); VANTREL_DUMP(SectionModulusProvided); VANTREL_DUMP(SectionModulusRequired);
    VANTREL_DUMP(UseGuardrail); VANTREL_DUMP(GuardrailAngle); VANTREL_DUMP(GuardrailLength);
    VANTREL_DUMP(GuardrailBracing); VANTREL_DUMP(GuardrailSpacing); VANTREL_DUMP(GuardrailLoad);
    VANTREL_DUMP(GuardrailPointLoad); VANTREL_DUMP(GuardrailCompressionFactor);
    VANTREL_DUMP(GuardrailBendingFactor); VANTREL_DUMP(Gr); VANTREL_DUMP(UseBasalHeave);
    VANTREL_DUMP(BasalCondition); VANTREL_DUMP(BasalCohesion); VANTREL_DUMP(BasalNc); VANTREL_DUMP(BasalUnitWeight);
    VANTREL_DUMP(BasalHeight); VANTREL_DUMP(BasalSurcharge); VANTREL_DUMP(BasalWidth);
    VANTREL_DUMP(BasalSafetyFactor); VANTREL_DUMP(UseCornerBraces); VANTREL_DUMP(Pier);
    VANTREL_DUMP(SoilPressureRate); VANTREL_DUMP(SpareValue4); VANTREL_DUMP(AuxFactor); VANTREL_DUMP(SpareValue5);
    VANTREL_DUMP(SpareValue6); VANTREL_DUMP(SpareFlag); VANTREL_DUMP(LoadingSidePoints);
    VANTREL_DUMP(PassiveSidePoints); VANTREL_DUMP(UnfactoredPoints); VANTREL_DUMP(DiagramScale);
    VANTREL_DUMP(PileLength); VANTREL_DUMP(BeamDiagonal); VANTREL_DUMP(PileEI); VANTREL_DUMP(PierI);
    VANTREL_DUMP(Ec); VANTREL_DUMP(SectionIx); VANTREL_DUMP(EncasedEI); VANTREL_DUMP(RowStep);
    VANTREL_DUMP(PeakShearC); VANTREL_DUMP(PeakShearDepth); VANTREL_DUMP(PeakMomentAbove);
    VANTREL_DUMP(PeakMomentAboveDepth); VANTREL_DUMP(PeakMomentBelow); VANTREL_DUMP(PeakMomentBelowDepth);
    VANTREL_DUMP(TopDeflection); VANTREL_DUMP(LpLength); VANTREL_DUMP(LrLength); VANTREL_DUMP(AllowableMoment);
    VANTREL_DUMP(AllowableMomentBelow); VANTREL_DUMP(BendingRatio); VANTREL_DUMP(AllowableShear);
    VANTREL_DUMP(ShearRatio); VANTREL_DUMP(AllowableAxial); VANTREL_DUMP(AxialRatio); VANTREL_DUMP(CombinedRatio);
    VANTREL_DUMP(SlendernessKLr); VANTREL_DUMP(ExtraPileLoad1); VANTREL_DUMP(ExtraPileLoad2);
    VANTREL_DUMP(LaggingType); VANTREL_DUMP(LaggingConcreteSet); VANTREL_DUMP(TimberFb); VANTREL_DUMP(TimberFv);
    VANTREL_DUMP(LaggingSizeFactor); VANTREL_DUMP(LaggingFlatUseFactor); VANTREL_DUMP(TimberFcPerp);
    VANTREL_DUMP(ArchingFactor); VANTREL_DUMP(TimberE); VANTREL_DUMP(SouthernPine); VANTREL_DUMP(LumberGrade);
    VANTREL_DUMP(LaggingSoilPressure); VANTREL_DUMP(LaggingMoment); VANTREL_DUMP(LaggingAreaRequired);
    VANTREL_DUMP(LaggingModulusRequired); VANTREL_DUMP(BondSoilType); VANTREL_DUMP(AllowLoadTransfer);
    VANTREL_DUMP(PileResults); VANTREL_DUMP(Interaction); VANTREL_DUMP(CustomSection); VANTREL_DUMP(LaggingResults);
    VANTREL_DUMP(Anchors); VANTREL_DUMP(CornerBraces);
}

// clang-format on

#undef VANTREL_DUMP

inline std::string DumpProject(const TKdData& d) {
    ResultDump o;
    DumpFields(o, "", d);
    return o.Text();
}

// Differences between an expected and an actual dump, at most `limit` of them, one line each;
// empty when they agree.
inline std::string CompareResultDumps(const std::string& expected, const std::string& actual,
                                      long double relative, int limit = 20) {
    std::istringstream a(expected), b(actual);
    std::string la, lb, report;
    int differences = 0;
    const auto note = [&](const std::string& what) {
        if (differences++ < limit) report += what + "\n";
    };
    const auto number = [](const std::string& text, long double& value) {
        if (text == "nan") {
            value = NAN;
            return true;
        }
        char* end = nullptr;
        value = std::strtold(text.c_str(), &end);
        return !text.empty() && end == text.c_str() + text.size();
    };
    size_t line = 0;
    while (true) {
        const bool moreA = static_cast<bool>(std::getline(a, la));
        const bool moreB = static_cast<bool>(std::getline(b, lb));
        ++line;
        if (!moreA && !moreB) break;
        if (moreA != moreB) {
            note("line " + std::to_string(line) + ": " + (moreA ? "missing " + la : "extra " + lb));
            break;
        }
        const size_t sa = la.find(' '), sb = lb.find(' ');
        const std::string keyA = la.substr(0, sa), keyB = lb.substr(0, sb);
        if (keyA != keyB) {
            note("line " + std::to_string(line) + ": " + keyA + " expected, " + keyB + " found");
            break; // the rest would not line up
        }
        const std::string va = la.substr(sa + 1), vb = lb.substr(sb + 1);
        if (va == vb) continue;
        std::istringstream ta(va), tb(vb);
        std::string xa, xb;
        bool same = true;
        while (same) {
            const bool moreX = static_cast<bool>(ta >> xa);
            const bool moreY = static_cast<bool>(tb >> xb);
            if (!moreX || !moreY) {
                same = moreX == moreY;
                break;
            }
            long double x = 0, y = 0;
            same = xa == xb || (number(xa, x) && number(xb, y) && !std::isnan(x) && !std::isnan(y) &&
                                std::fabs(x - y) <= relative * std::fmax(std::fabs(x), std::fabs(y)));
        }
        if (!same) note(keyA + ": " + va + " expected, " + vb + " found");
    }
    if (differences > limit) report += std::to_string(differences - limit) + " more\n";
    return report;
}

} // namespace vantrel::testing
