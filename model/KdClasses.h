#pragma once
// The project object of a shoring design and its records.
//
// TKdData holds every input of one project, its unit system, the selected sections, the two
// support systems (anchors or braces, and corner braces) and every result of the last
// calculation. Values are held in the project's own unit system (Units: 0 English, 1 SI); the
// unit named in a comment is the English one, its SI counterpart follows the unit table of the
// unit switch (ft/m, in/mm or cm, kips/kN, ksi/MPa, psf/kPa, pcf/kN/m^3, plf/kN/m).
//
// Working tables (field limits, section, rebar and angle tables) are members, not program-wide
// globals, so several projects can live in one process.

#include <algorithm>
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "model/MatrixCalc.h"
#include "model/NumberText.h"
#include "model/Numeric.h"
#include "model/SectionTypes.h"

namespace vantrel {

// ---------------------------------------------------------------------------------------------
// Enumerations. Values are stored as the integers below; the display texts are the items the
// window shows, in item order.

enum TUnitSystem : uint8_t { usEnglish = 0, usSI = 1 };
enum TShapeFamily : uint8_t { sfNorthAmerican = 0, sfAustralian = 1, sfBritish = 2, sfEuropean = 3 };
enum TPileType : int32_t { ptSoldierBeam = 0, ptTangent = 1, ptSecant = 2, ptSheet = 3 };
enum TPileSection : int32_t { psIBeam = 0, psPipe = 1, psRebarCage = 2 };
enum TRebarStandard : int32_t { rsUS = 0, rsEuropean = 1, rsCanadian = 2 };
enum TLaggingType : int32_t { ltNone = 0, ltTimber = 1, ltSteelPlate = 2, ltConcrete = 3 };
enum TLevelKind : int32_t { lkUnused = -1, lkTieback = 0, lkTieRod = 1, lkStrut = 2, lkRaker = 3 };
enum TTendonType : int32_t { ttThreadedBar = 0, ttStrand = 1 };

namespace Texts {
extern const std::vector<std::string> UnitSystem;       // "English", "SI"
extern const std::vector<std::string> ShapeFamily;      // "North American", ...
extern const std::vector<std::string> PressureMethod;   // "Apparent Earth Press.", "User Defined"
extern const std::vector<std::string> Installation;     // "Drilled", "Driven"
extern const std::vector<std::string> PileType;         // "Soldier Beam (King Pile)", ...
extern const std::vector<std::string> PileSection;      // "I-Beam", "O-Pipe", "Rebar Cage"
extern const std::vector<std::string> RebarStandard;    // "US", "European", "Canadian"
extern const std::vector<std::string> TieOrSpiral;      // "Tie", "Spiral"
extern const std::vector<std::string> LaggingType;      // "None", "Timber Lagging", ...
extern const std::vector<std::string> LumberGrade;      // "#1", "#2", "S.S."
extern const std::vector<std::string> BasalCondition;   // "H/B > 1", "H/B < 1"
extern const std::vector<std::string> AnchorSoilType;   // 11 items, 10 = "User Defined"
extern const std::vector<std::string> BondSoilType;     // 19 items, 18 = "User Defined"
extern const std::vector<std::string> LevelKind;        // "Tieback", "Tie Rod", "Strut (Cross Brace)", "Raker"
extern const std::vector<std::string> CornerBraceKind;  // "None" (-1), "Strut" (2)
extern const std::vector<std::string> TendonType;       // "Threaded Bar", "Steel Strand"
extern const std::vector<std::string> TieRodAnchorage;  // "Shallow Concrete Anchor", "Deep Anchor Pile"
extern const std::vector<std::string> ConcretePlacement;// "Concrete on Shored Height", "Slurry on Shored Height"
extern const std::vector<std::string> PressureComponent;// "Strip" .. "Total"
} // namespace Texts

// ---------------------------------------------------------------------------------------------
// Field limits of the numeric inputs, indexed by the control's Tag (1..189).

struct TFieldLimit {
    Ext Min = 0;
    Ext Max = 0;
    int Digits = 0;
    bool HasLimit() const { return !(Min == 0.0L && Max == 0.0L); }
};
inline constexpr int kFieldLimitCount = 189;
using TFieldLimitTable = std::array<TFieldLimit, kFieldLimitCount + 1>; // element 0 unused

extern const TFieldLimitTable FieldLimitsEnglish;
extern const TFieldLimitTable FieldLimitsSI;

// ---------------------------------------------------------------------------------------------
// Records.

struct TSoilRecord {
    Ext Value1 = 0, Angle = 0, Value3 = 0, Angle2 = 0, UnitWeight = 0, Surcharge = 0;
};

// A user pressure point. The loading- and passive-side lists hold ksf (kPa); the unfactored
// earth pressure points of the soil section hold psf (kPa).
struct TPressurePoint {
    Ext X = 0; // depth, ft
    Ext W = 0; // pressure
};

struct TDiagramPoint {
    Ext Depth = 0; // ft
    Ext Load = 0;  // kips/ft
};

// Results of the steel member check of a strut or raker (allowable strength design).
struct TShapeRes {
    Ext Kc = 0, Rpg = 0, HOverTw = 0, Aw = 0, H = 0;
    Ext KLrX = 0, KLrY = 0, KLr = 0, Fe = 0, Fcr = 0, Spare = 0;
    Ext Qs = 0, Qa = 0, Pa = 0;
    Ext LambdaF = 0, LambdaPf = 0, LambdaRf = 0, PUtil = 0;
    Ext Lp = 0, Lr = 0, LbOverRts = 0, Fbx = 0;
    Ext MnFlb = 0, MnLtb = 0, MnCf = 0, MnTf = 0, MnY = 0, MnYFlb = 0;
    // Further intermediate values: Mp = Fy Zx and MyP = Fy Zy (plastic moments), MnYield the governing
    // strong-axis nominal moment, FcrLtb the lateral-torsional buckling stress (section units), LambdaW
    // = h/tw with its compact and noncompact limits LambdaPw, LambdaRw. Moments in kip-ft or kN-m.
    Ext Mp = 0, MnYield = 0, FcrLtb = 0, MyP = 0, LambdaW = 0, LambdaPw = 0, LambdaRw = 0;
    Ext MxAllow = 0, MxUtil = 0, Fby = 0, MyAllow = 0, MyUtil = 0;
    std::string ClassText; // "Compact", "Noncompact" or "Slender"
};

struct TWalerPoint {
    Ext X = 0; // position along the waler, ft
    Ext Y = 0; // deflection, in
};

struct TWaler {
    bool HasWaler = false;
    bool TwoSpans = false;
    Ext Wa = 0, Wb = 0, Wc = 0, WLeft = 0;
    Ext WalerDepth = 0, WalerLoad = 0;
    Ext Fy = 0, E = 0, WalerIx = 0;
    uint8_t ShapeFamily = 0;
    int32_t ShapeRow = 0;
    bool TwoChannels = false;
    // Results of the waler design.
    Ext TotalLength = 0, WalerW = 0, R1 = 0, R2 = 0;
    Ext V1 = 0, V2 = 0, V3 = 0, V4 = 0, MaxShearW = 0;
    Ext M1 = 0, M2 = 0, M3 = 0, MaxMomentW = 0;
    Ext RequiredS = 0, ProvidedS = 0;
    Ext MaxDeflectionW = 0, MaxDeflectionX = 0, AllowableDeflectionW = 0;
    std::array<TWalerPoint, 51> WalerDeflections{};
    bool ModulusPass = false, DeflectionPass = false;
};

struct TAnchLevel {
    int32_t Kind = 0; // TLevelKind
    Ext HeightFromPrevious = 0; // ft
    Ext Angle = 0;              // degrees below horizontal
    Ext BondLength = 0;         // ft, result
    int32_t TendonType = 0;
    int32_t TieRodAnchorage = 0;
    int32_t BarSize = 0; // 0..9 into the anchor bar table
    int32_t Grade = 0;   // 75, 80, 150 (270 for strands)
    int32_t BarCount = 0; // result; -1 undefined
    int32_t PileSoilInterface = 0;
    int32_t PileInstallation = 0;
    int32_t MemberKind = 0; // 0 I/H shape, 1 pipe
    Ext MemberWidth = 0, MemberLength = 0, MemberE = 0;
    Ext MemberArea = 0, MemberPerimeter = 0, MemberTipArea = 0, MemberInertia = 0;
    bool StructuralDesign = false;
    int32_t ShapeFamily = 0;
    int32_t MemberType = 0;
    int32_t ShapeRow = 0; // -1 user defined
    Ext CombinedRatio = 0;
    Ext TestLoad = 0, Mx = 0, My = 0, Fy = 0, Kx = 0, Ky = 0, Lx = 0, Ly = 0, Lb = 0, Cb = 0, Cmx = 0, Fc = 0;
    bool ConcreteFilled = false;
    TShapeRes Result;
    TIShape IShape;
    TOShape OShape;
    TWaler Waler;
};
using TArrAnchLevels = std::vector<TAnchLevel>;

// One row of the earth pressure table of the anchor system (psf, or kPa in SI).
struct TPressureRow {
    Ext Depth = 0;
    Ext StripAngle1 = 0, StripAngle2 = 0, StripBeta = 0, StripAlpha = 0, StripTermA = 0, StripTermB = 0;
    Ext Strip = 0, Uniform = 0, PoreWater = 0, ApparentEarth = 0, LineLoad = 0, PointLoad = 0, Seismic = 0;
    Ext Total = 0;
    Ext PileLoad = 0; // kip/ft on one pile
    // Component c (0 Strip .. 7 Total).
    Ext Component(int c) const;
};
inline constexpr int kPressureRows = 61;

// One analysis point along the pile.
struct TAnchNode {
    Ext Depth = 0, Load = 0, Shear = 0, Moment = 0, Slope = 0, Deflection = 0;
    Ext Shear2 = 0, Moment2 = 0, Slope2 = 0, Deflection2 = 0;
};
inline constexpr int kSpanNodes = 101;

// One segment of the beam analysis.
struct TArrAnchOne {
    TMatrix SpanMatrix;
    TVector SpanRhs;
    TVector SpanSolution;
    Ext EndShear = 0;
    Ext EndMoment = 0;
    std::array<TAnchNode, kSpanNodes> Nodes{};
};
using TArrAnchNodes = std::vector<TArrAnchOne>;

// The most support levels a system can have: the upper limit of the "Number of Anchors" field
// (Tag 107). Project files with more are refused, and the beam analysis of a system with more
// levels is not run (its results stay undefined).
inline constexpr int kMaxLevelCount = 8;
inline constexpr int kLevelCountTag = 107;

// One system of support levels with its surcharges and analysis.
struct TAnchor {
    int32_t LevelCount = 0;
    int32_t AnchorSpacingItem = 1; // anchor spacing multiple 1..5
    int32_t SoilType = 0;
    Ext SheetPileSpacingStep = 0; // ft
    TArrAnchLevels Levels;
    Ext E = 0, Fy = 0;     // copies of the pile steel's, ksi
    Ext MaxDeflection = 0; // in, allowed
    std::array<TDiagramPoint, 4> DiagramPoints{};
    Ext LoadingHeight = 0;   // ft
    Ext EmbedmentRatio = 0;  // times H
    Ext Embedment = 0;       // ft, result
    Ext Lb = 0;              // in, result
    Ext Cb = 0;
    Ext TotalVerticalLoad = 0; // kips
    Ext MaxSpan = 0;           // ft, result
    Ext K = 0;
    Ext TestLoadFactor = 0;
    bool PointLoadOn = false, LineLoadOn = false, StripLoadOn = false;
    double PointDepth = 0, LineDepth = 0, StripDepth = 0; // ft
    double PointLoad = 0;  // lbf
    double PointOffset = 0; // ft
    double LineLoad = 0;   // lb/ft
    double LineOffset = 0; // ft
    double StripLoad = 0;  // psf
    double StripOffset = 0; // ft
    double StripWidth = 0;  // ft
    Ext SurchargeK = 0;
    Ext Kh = 0;
    Ext PileSpacing = 0;     // ft, copy
    Ext SoilUnitWeight = 0;  // pcf, copy
    Ext ApparentPressure = 0;
    Ext UniformSurcharge = 0; // psf
    Ext WaterDepth = 0;       // ft
    // Analysis data of the beam analysis.
    TVector JointShears, JointMoments;
    Ext CantileverShear = 0, CantileverMoment = 0;
    TMatrix RotationMatrix, ShearMatrix;
    TVector Rotations, ShearCorrections, Reactions;
    Ext SumOfReactions = 0, SumOfLoads = 0;
    Ext ReferenceSlope = 0, ReferenceDeflection = 0;
    Ext MaxShear = 0, MaxShearDepth = 0;
    Ext MaxMoment = 0, MaxMomentDepth = 0;
    Ext MaxDeflectionResult = 0, MaxDeflectionDepth = 0;
    Ext ShearAreaRequired = 0, ShearAreaProvided = 0;
    Ext ModulusRequired = 0, ModulusProvided = 0;
    Ext UtilizedIx = 0; // percent
    TVector LevelLoads, FreeLengths, TestLoads;
    // Pile member check of the beam analysis.
    Ext H0 = 0, Rts = 0, Lp = 0, Lr = 0;
    Ext BucklingCheck = 0;  // kip-ft, flexural strength / Omega
    Ext Slenderness = 0;    // KL/r
    Ext Fe = 0, Fcr = 0;
    Ext AxialCheck = 0;     // kips, compression strength / Omega
    Ext CombinedUtilization = 0; // percent
    std::array<TPressureRow, kPressureRows> PressureTable{};
    TArrAnchNodes SpanNodes; // element k = span k integrated with its top fixed
    TArrAnchNodes PileNodes; // segment 0 = the cantilever above level 1

    // Levels that exist both by count and in the array.
    int UsedLevels() const { return LevelCount < 0 ? 0 : std::min(LevelCount, static_cast<int>(Levels.size())); }
};

// One row of the cantilever check of the pile (64 rows).
struct TPileResultRow {
    Ext Depth = 0, Pressure = 0, Load = 0, Shear = 0, Moment = 0, RawSlope = 0, Slope = 0, RawDeflection = 0,
        Deflection = 0;
    Ext Load2 = 0, Shear2 = 0, Moment2 = 0, RawSlope2 = 0, Slope2 = 0, RawDeflection2 = 0, Deflection2 = 0;
};
inline constexpr int kPileResultRows = 64;

// One point of the interaction diagram of the drilled pier.
struct TInteractionPoint {
    Ext c = 0, Eps1 = 0, Fs1 = 0, Eps2 = 0, Fs2 = 0, Eps3 = 0, Fs3 = 0;
    Ext Theta = 0, a = 0, Ac = 0, Fc = 0, yc = 0, Ft = 0, yt = 0;
    Ext Phi = 0, PhiPn = 0, PhiMn = 0;
};

struct TGuardrailResults {
    Ext GrFy = 0, GrFu = 0, GrE = 0, GrCb = 0;
    Ext GrSlenderness = 0, GrFe = 0, GrFcr = 0, GrPn = 0, GrAllowCompression = 0, GrLoad = 0;
    Ext GrMy = 0, GrMyLimit = 0, GrMe = 0, GrMnLtb = 0, GrMyLimitCopy = 0, GrAllowMoment = 0, GrMoment = 0;
    Ext GrFexx = 0, GrWeldFactor = 0, GrPx = 0, GrPy = 0, GrPz = 0;
    Ext GrWeldSize = 0, GrThroat = 0, GrWeldLength = 0, GrLeg = 0;
    Ext GrMx = 0, GrMy2 = 0, GrMz = 0;
    Ext GrWeldArea = 0, GrWeldAreaZ = 0, GrWeldAreaTotal = 0, GrWeldSx = 0, GrWeldSy = 0, GrWeldSz = 0;
    Ext GrShearY = 0, GrNormalY = 0, GrAngleY = 0, GrStressY = 0, GrAllowY = 0;
    Ext GrShearX = 0, GrNormalX = 0, GrAngleX = 0, GrStressX = 0, GrAllowX = 0;
};

struct TLaggingResults {
    int32_t SizeIndex = 0;       // 0..6
    int32_t NominalThickness = 0; // in
    int32_t NominalThicknessSI = 0; // mm
    Ext ClearSpan = 0;  // lu, in
    Ext CoefficientOfVariation = 0;
    Ext Thickness = 0;  // dressed t, in
    Ext BoardWidth = 0; // w, in
    // Adjustment factors.
    Ext CD = 0, CF = 0, Cfu = 0, Ct = 0, CMFb = 0, CMFv = 0, CME = 0, CEGrade = 0, Ci = 0, Cr = 0, CP = 0, CT = 0,
        Cb = 0;
    Ext Le = 0, Emin = 0, EminPrime = 0, RB = 0, FbE = 0, FbStar = 0, CL = 0;
    Ext S = 0, Q = 0, I = 0;
    Ext M = 0, FbPrime = 0, fb = 0;
    Ext V = 0, FvPrime = 0, fv = 0;
    Ext EPrime = 0, Deflection = 0;
    bool LaggingPass = false;
};

struct TPierResults {
    Ext Beta1 = 0, SteelArea = 0, SteelRatio = 0, PhiC = 0;
    Ext BarRowOffset = 0, AreaPerRow = 0;
    Ext PmaxPier = 0, MomentNoAxial = 0, TensionStrength = 0;
    // The three design points of the interaction chart.
    Ext DesignAxial = 0, DesignMoment = 0, DesignUtilization = 0;
    // Lateral reinforcement ratio value and concrete shear value (left to the display).
    Ext LateralValue = 0, ConcreteShear = 0;
};

// ---------------------------------------------------------------------------------------------

class TKdData {
public:
    // Creation: every field zero, then SetUnits(0) and NewProject(false). The program folder is
    // where the demo example projects lie (empty: no demo, built-in defaults).
    explicit TKdData(std::string programFolder = std::string());

    // --- Project information ---
    std::string Organization;
    std::vector<uint8_t> Logo; // JPEG bytes as stored; empty = no logo
    std::string ProjectName;
    std::string JobNumber;
    std::string DesignedBy;
    double Date = 0; // whole days since 1899-12-30

    // --- Options ---
    uint8_t Units = 0;
    uint8_t ShapeFamily = 0;
    int32_t PressureMethod = 0;
    int32_t Installation = 0;
    int32_t PileType = 0;
    int32_t PileSection = 0;
    int32_t SoilInputMode = 0;

    // --- Soil and pile inputs ---
    std::array<TSoilRecord, 3> SoilRecords{};
    Ext SpareValue1 = 0, SpareValue2 = 0;
    Ext IgnorePassive = 0;            // ft
    Ext PileSpacing = 0;              // ft
    Ext PileWidthLessHalfSpacing = 0; // ft, result
    Ext ShoredHeight = 0;             // ft
    Ext SteelE = 0;                   // ksi
    Ext SteelFy = 0;                  // ksi
    Ext SpareValue3 = 0;
    Ext PileWidth = 0;  // ft
    Ext ConcreteFc = 0; // ksi
    Ext AxialLoad = 0;  // kips
    Ext RowBaseValue = 0;
    Ext AuxCopy = 0;
    Ext VerticalAxialComponent = 0; // kips, result
    Ext TotalVerticalLoad = 0;      // kips, result
    Ext AllowSkinFriction = 0;      // ksf
    Ext AllowEndBearing = 0;        // ksf
    Ext AllowableAxialLoad = 0;     // kips, result
    bool DesignFlag1 = false, DesignFlag2 = false;
    Ext AuxInput1 = 0, AuxInput2 = 0, AuxInput3 = 0, AuxInput4 = 0, AuxInput5 = 0, AuxInput6 = 0, AuxInput7 = 0;
    Ext AuxResult1 = 0, AuxResult2 = 0, AuxResult3 = 0, AuxResult4 = 0, AuxResult5 = 0, AuxResult6 = 0;

    // --- Section choice ---
    int32_t ShapeIndex = 0; // -1 = CustomSection
    int32_t SheetIndex = 0;

    // --- Pier reinforcement and pile results ---
    bool PipeFilledWithConcrete = false;
    int32_t RebarStandard = 0;
    int32_t VerticalBarSize = 0;
    int32_t VerticalBarCount = 0;
    int32_t TieOrSpiral = 0;
    int32_t LateralBarSize = 0;
    Ext ClearCover = 0;    // in
    Ext PitchOverride = 0; // in
    Ext FactoredAxial = 0; // kips, result
    Ext FactoredMoment = 0; // kip-ft, result
    Ext PierResult1 = 0;
    Ext MomentCapacity = 0; // kip-ft, result
    Ext CalculatedPitch = 0; // in, result
    Ext VerticalSteelPercent = 0; // %, result
    int32_t ConcretePlacement = 0;
    Ext SectionModulusProvided = 0; // in^3, result
    Ext SectionModulusRequired = 0; // in^3, result

    // --- Guardrail ---
    bool UseGuardrail = false;
    int32_t GuardrailAngle = 0;
    Ext GuardrailLength = 0;  // ft
    Ext GuardrailBracing = 0; // ft
    Ext GuardrailSpacing = 0; // ft
    Ext GuardrailLoad = 0;    // plf
    Ext GuardrailPointLoad = 0; // lbf
    Ext GuardrailCompressionFactor = 0;
    Ext GuardrailBendingFactor = 0;
    TGuardrailResults Gr;

    // --- Basal heave ---
    bool UseBasalHeave = false;
    int32_t BasalCondition = 0;
    Ext BasalCohesion = 0;   // psf
    Ext BasalNc = 0;
    Ext BasalUnitWeight = 0; // pcf
    Ext BasalHeight = 0;     // ft
    Ext BasalSurcharge = 0;  // psf
    Ext BasalWidth = 0;      // ft
    Ext BasalSafetyFactor = 0;

    bool UseCornerBraces = false;

    // --- Pier design results ---
    TPierResults Pier;

    // --- Soil values ---
    Ext SoilPressureRate = 0;
    Ext SpareValue4 = 0;
    Ext AuxFactor = 0;
    Ext SpareValue5 = 0, SpareValue6 = 0;
    bool SpareFlag = false;

    // --- User pressure ---
    std::array<TPressurePoint, 8> LoadingSidePoints{};
    std::array<TPressurePoint, 4> PassiveSidePoints{};
    std::array<TPressurePoint, 4> UnfactoredPoints{};

    // --- Geometry and pile results ---
    Ext DiagramScale = 0;
    Ext PileLength = 0;   // ft
    Ext BeamDiagonal = 0; // in
    Ext PileEI = 0;       // kip-ft^2
    Ext PierI = 0;        // in^4 (cm^4 in SI)
    Ext Ec = 0;           // ksi
    Ext SectionIx = 0;    // in^4 (cm^4)
    Ext EncasedEI = 0;    // kip-ft^2
    Ext RowStep = 0;      // ft
    Ext PeakShearC = 0, PeakShearDepth = 0;
    Ext PeakMomentAbove = 0, PeakMomentAboveDepth = 0;
    Ext PeakMomentBelow = 0, PeakMomentBelowDepth = 0;
    Ext TopDeflection = 0;
    // Soldier pile member check (percent ratios are ratio x 100).
    Ext LpLength = 0, LrLength = 0;
    Ext AllowableMoment = 0, AllowableMomentBelow = 0, BendingRatio = 0;
    Ext AllowableShear = 0, ShearRatio = 0;
    Ext AllowableAxial = 0, AxialRatio = 0, CombinedRatio = 0, SlendernessKLr = 0;
    // Extra pile loads of the pile loads section (block A and its companion), kips/kN.
    Ext ExtraPileLoad1 = 0, ExtraPileLoad2 = 0;

    // --- Lagging ---
    int32_t LaggingType = 0;
    int32_t LaggingConcreteSet = 0;
    Ext TimberFb = 0, TimberFv = 0; // psi
    Ext LaggingSizeFactor = 0, LaggingFlatUseFactor = 0;
    Ext TimberFcPerp = 0; // psi
    Ext ArchingFactor = 0;
    Ext TimberE = 0; // 10^6 psi
    bool SouthernPine = false;
    int32_t LumberGrade = 0;
    Ext LaggingSoilPressure = 0;    // psf, result
    Ext LaggingMoment = 0;          // lb-ft, result
    Ext LaggingAreaRequired = 0;    // in^2, result
    Ext LaggingModulusRequired = 0; // in^3, result

    // --- Bond length ---
    int32_t BondSoilType = 0;
    Ext AllowLoadTransfer = 0; // kips/ft

    // --- Result tables ---
    std::array<TPileResultRow, kPileResultRows> PileResults{};
    std::array<TInteractionPoint, 9> Interaction{};

    TSteelShape CustomSection;
    TLaggingResults LaggingResults;

    TAnchor Anchors;
    TAnchor CornerBraces;

    // --- Working tables of the current units, family, pile type and bar standard ---
    TFieldLimitTable FieldLimits{};
    // The section tables refer to the program's shared catalogs (SharedCatalogs.h): selecting
    // one copies no rows. Assigning a vector gives a project rows of its own.
    TSteelShapeTable SteelShapes;
    TOShapeTable PipeShapes;
    TSteelShapeTable ChannelShapes;
    TRebarTable RebarTable{};
    TAngleTable AngleTable{};
    TIShapeTable MemberIShapes;
    TOShapeTable MemberOShapes;

    // Folder of the program, where the demo example projects lie (with trailing separator or empty).
    std::string ProgramFolder;

    // =========================================================================================
    // Project model
    void ResizeAnchorLevels();
    // The level a raised level count adds: a tieback of the anchor system (`anchor`), or an
    // unused corner brace.
    TAnchLevel NewLevel(bool anchor) const;
    // Copies the settings the corner-brace system shares with the anchor system into it (those
    // ResizeAnchorLevels copies, the level count and the level arrays aside), so the corner-brace
    // record of a saved project always matches the one a load rebuilds.
    void CopySharedSettings();
    // Every field back to the state creation starts from (zero), working tables left alone.
    void ResetFields();

    // Unit system and field limits
    Ext UnitVal(Ext siValue, Ext englishValue) const;
    std::string UnitStr(const std::string& siText, const std::string& englishText) const;
    void SetUnits(uint8_t newUnits);
    // Clamp v to the limits of Tag (no limit when Min and Max are both 0).
    Ext ClampToField(int tag, Ext v) const;
    // Reload the unit-dependent working tables: field limits, pile section, pipe and channel
    // tables, rebar and angle tables.
    void ReloadUnitTables();

    // New project and built-in defaults
    void NewProject(bool blank);
    std::string DemoFileName() const;

    // Project file. Both report failure by throwing std::runtime_error with a message a person
    // can act on ("Wrong file format" for a refused file); a failed load leaves the project as it was.
    void SaveToFile(const std::string& fileName) const;
    void LoadFromFile(const std::string& fileName);
    void LoadPictureFromFile(const std::string& fileName);
    void SetPicture(const std::vector<uint8_t>& jpegBytes);

    // Section catalogs. The pile section table of a family (-1 = ShapeFamily), the pile type and
    // the current units: a copy, or a reference to the shared catalog.
    void LoadShapeTable(int family, TArrSteelShapes& table) const;
    void LoadShapeTable(int family, TSteelShapeTable& table) const;
    const TArrSteelShapes& ShapeCatalog(int family) const;
    // The rolled I-shape table of a family (-1 = ShapeFamily) in the current units, whatever the
    // pile type: the sections of walers.
    void LoadIShapeTable(int family, TArrSteelShapes& table) const;
    const TArrSteelShapes& IShapeCatalog(int family) const;
    static void ConvertShapeRow(const TSteelShape& siRow, TSteelShape& row);
    int CurrentShapeIndex() const;
    // False (and row left zero) when the index lies outside its table.
    bool GetShape(TSteelShape& shape) const;
    TSteelShape GetShape() const;
    void PipeAsShape(const TOShape& pipe, TSteelShape& shape) const;
    void SetShapeIndex(int index);
    void SetCustomShape(const TSteelShape& shape);
    void SetShapeFamily(uint8_t family);
    void SetPileType(int pileType);
    void LoadRebarTable();
    TRebarRow GetRebar(int barNumber) const;
    std::string BarLabel(int barNumber) const;
    void LoadAngleTable();
    bool GetAngle(TGRShape& angle) const;
    TAnchorBarTable GetAnchorBars() const;
    void LoadChannelTable();
    // PipeShapes := the pipe catalog of ShapeFamily in the current units.
    void LoadOShapesForPile();
    // The same US bar in the other system's numbering (#8 <-> 25); other numbers unchanged.
    static int ConvertUSBarNumber(int number, bool toSI);

    // Geometry and text services
    Ext LevelDepth(int i) const;
    Ext LevelDepth(int i, const TAnchor& system) const;
    Ext HeightAboveBase(int i) const;
    Ext LowestLevelHeight() const;
    Ext FreeLength(int i, bool ignoreStrutMinimum) const;
    // The same with another bond length (tiebacks and tie rods) in place of the level's own.
    Ext FreeLength(int i, bool ignoreStrutMinimum, Ext bondLength) const;
    Ext MaxFreeProjection(bool braces) const;
    // The projection the cross section can draw (DiagramWidth): undefined members left out.
    Ext MaxDrawnProjection(bool braces) const;
    Ext MaxAnchorDepth() const;
    Ext SurchargeExtent() const;
    Ext DiagramWidth() const;
    Ext SectionDepth() const;
    Ext EffectivePileWidth() const;
    Ext TributaryWidth() const;
    Ext HalfClearGap() const;
    bool IsClearGapWide() const;
    Ext LevelBarSize(int i) const;
    Ext FailurePlaneDistance(Ext alphaDeg, Ext z) const;
    // The concrete facing's design and the lagging concrete's strengths, with their numbers apart.
    TNumberText ConcreteFacingText() const;
    TNumberText ConcreteStrengthText() const;
    bool AllWalersPass() const;
    int CountWalerLevels() const;
    int CountCornerBraces() const;

    // Steel member check of a support level
    void CheckLevel(int i);
    void CheckLevelMember(TAnchLevel& level, int index);
    // The same with the design load taken from `system` (a corner brace carries its own load).
    void CheckLevelMember(TAnchLevel& level, int index, const TAnchor& system);
    void SelectMemberRow(TAnchLevel& level, int row) const;

    // Guardrail design
    void DesignGuardrail();

    // Design calculation
    void Calculate();
    void DesignSystem();
    void BuildPressureTable(TAnchor& anchor);
    void AnalyseBeam(TAnchor& anchor);
    // The beam analysis after its set-up: the pile on its supports under the system's current
    // four-point load diagram (AnalyseBeam builds the diagram first, then runs this).
    void AnalysePileOnSupports(TAnchor& anchor);
    // Level loads, free lengths and test loads of a system from its reactions (the step of the
    // beam analysis before the pile's member check).
    void LevelLoadsFromReactions(TAnchor& anchor);
    // Member check of the pile under the system's moment and total vertical load (the step after
    // the level loads; the only one that reads the vertical load).
    void CheckPileMember(TAnchor& anchor) const;
    void CountTendons();
    void CornerBraceLoads();
    void DesignBond();
    void DesignWaler(int level);
    bool WalerIndexOutOfRange(int level) const;
    bool CheckLagging(int sizeIndex);
    void DesignPier();
    void PierSectionStrength(TInteractionPoint& row) const;
    Ext MomentAtAxial(Ext p) const;
    void BasalHeaveCheck();

private:
    struct ConstructBare {};
    // Every field zero, no tables, no defaults: the state creation starts from.
    explicit TKdData(ConstructBare) {}
};

// Grade column of the anchor bar table: 80 gives 1, 150 gives 2, anything else 0.
int BarGradeIndex(int grade);

} // namespace vantrel
