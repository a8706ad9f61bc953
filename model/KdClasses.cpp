// The project object: creation, enumeration texts and the level arrays.

#include "model/KdClasses.h"

#include <algorithm>

namespace vantrel {

namespace Texts {
const std::vector<std::string> UnitSystem = {"English", "SI"};
const std::vector<std::string> ShapeFamily = {"North American", "Australian", "British", "European"};
const std::vector<std::string> PressureMethod = {"Apparent Earth Press.", "User Defined"};
const std::vector<std::string> Installation = {"Drilled", "Driven"};
const std::vector<std::string> PileType = {"Soldier Beam (King Pile)", "Tangent Pile", "Secant Pile", "Sheet Pile"};
const std::vector<std::string> PileSection = {"I-Beam", "O-Pipe", "Rebar Cage"};
const std::vector<std::string> RebarStandard = {"US", "European", "Canadian"};
const std::vector<std::string> TieOrSpiral = {"Tie", "Spiral"};
const std::vector<std::string> LaggingType = {"None", "Timber Lagging", "Steel Plate", "Conc. Lagging"};
const std::vector<std::string> LumberGrade = {"#1", "#2", "S.S."};
const std::vector<std::string> BasalCondition = {"H/B > 1", "H/B < 1"};
const std::vector<std::string> AnchorSoilType = {
    "Loose Sand",       "Medium Dense Sand", "Dense Sand",        "Soft to Firm Clay",
    "Stiff Clay",       "Very Stiff Clay",   "Stratified Soils",  "Sandstone Bedrock",
    "Siltstone Bedrock", "Claystone Bedrock", "User Defined"};
const std::vector<std::string> BondSoilType = {
    "Very Loose Sand", "Loose Sand",         "Med-Dense Sand",      "Dense Sand",     "Very Dense Sand",
    "Very Soft Clay",  "Soft Clay",          "Firm Clay",           "Stiff Clay",     "Very Stiff Clay",
    "Hard Clay",       "Granite or Basalt",  "Dolomotic Limestone", "Soft Limestone", "Sandstone",
    "Slates & Shales", "Siltstone",          "Claystone",           "User Defined"};
const std::vector<std::string> LevelKind = {"Tieback", "Tie Rod", "Strut (Cross Brace)", "Raker"};
const std::vector<std::string> CornerBraceKind = {"None", "Strut"};
const std::vector<std::string> TendonType = {"Threaded Bar", "Steel Strand"};
const std::vector<std::string> TieRodAnchorage = {"Shallow Concrete Anchor", "Deep Anchor Pile"};
const std::vector<std::string> ConcretePlacement = {"Concrete on Shored Height", "Slurry on Shored Height"};
const std::vector<std::string> PressureComponent = {"Strip",      "Uniform",    "Pore Water", "App. Earth",
                                                    "Line Load",  "Point Load", "Seismic",    "Total"};
} // namespace Texts

Ext TPressureRow::Component(int c) const {
    switch (c) {
    case 0: return Strip;
    case 1: return Uniform;
    case 2: return PoreWater;
    case 3: return ApparentEarth;
    case 4: return LineLoad;
    case 5: return PointLoad;
    case 6: return Seismic;
    case 7: return Total;
    default: return kNaN;
    }
}

int BarGradeIndex(int grade) {
    if (grade == 80) return 1;
    if (grade == 150) return 2;
    return 0;
}

TKdData::TKdData(std::string programFolder) : ProgramFolder(std::move(programFolder)) {
    // Every field starts at zero (the member initialisers); English units, then a new project.
    SetUnits(usEnglish);
    NewProject(false);
}

void TKdData::ResetFields() {
    // Keep what is not project state: the program folder. The working tables are reloaded by
    // the caller (SetUnits / ReloadUnitTables) so that they match the project's units.
    std::string folder = std::move(ProgramFolder);
    TFieldLimitTable limits = FieldLimits;
    TSteelShapeTable steel = std::move(SteelShapes);
    TOShapeTable pipes = std::move(PipeShapes);
    TSteelShapeTable channels = std::move(ChannelShapes);
    TRebarTable rebar = RebarTable;
    TAngleTable angles = AngleTable;
    TIShapeTable memberI = std::move(MemberIShapes);
    TOShapeTable memberO = std::move(MemberOShapes);

    *this = TKdData(ConstructBare{});

    ProgramFolder = std::move(folder);
    FieldLimits = limits;
    SteelShapes = std::move(steel);
    PipeShapes = std::move(pipes);
    ChannelShapes = std::move(channels);
    RebarTable = rebar;
    AngleTable = angles;
    MemberIShapes = std::move(memberI);
    MemberOShapes = std::move(memberO);
}

namespace {

// The defaults every new level gets, in both systems; `anchor` marks the anchor array.
void DefaultNewLevel(TAnchLevel& lv, bool anchor, const TKdData& data) {
    lv.Kind = anchor ? lkTieback : lkUnused;
    lv.HeightFromPrevious = 1.0L;
    lv.Angle = 20.0L;
    lv.TendonType = 0;
    lv.TieRodAnchorage = 0;
    lv.BarSize = 0;
    lv.Grade = 75;
    if (anchor) {
        lv.MemberE = data.UnitVal(200000.0L, 29000.0L);
        lv.Fy = data.UnitVal(345.0L, 50.0L);
        lv.Waler.Fy = data.UnitVal(345.0L, 50.0L);
        // The waler's modulus in SI is 199948 MPa (29000 ksi converted), not 200000.
        lv.Waler.E = data.UnitVal(199948.0L, 29000.0L);
        lv.Waler.TwoChannels = false;
    }
}

} // namespace

void TKdData::ResizeAnchorLevels() {
    // A negative level count is taken as none.
    if (Anchors.LevelCount < 0) Anchors.LevelCount = 0;
    const int count = Anchors.LevelCount;
    const int oldAnchors = static_cast<int>(Anchors.Levels.size());
    const int oldCorners = static_cast<int>(CornerBraces.Levels.size());

    Anchors.Levels.resize(count);

    CornerBraces.LevelCount = Anchors.LevelCount;
    CornerBraces.Levels.resize(count);
    CopySharedSettings();

    // New anchor levels get the level defaults from the anchor array's previous length; new
    // corner-brace slots from the corner array's own previous length, so that a slot the resize
    // adds is never a zero-filled Kind 0 (which would count as a tieback).
    for (int i = oldAnchors; i < count; ++i) DefaultNewLevel(Anchors.Levels[i], true, *this);
    for (int i = oldCorners; i < count; ++i) DefaultNewLevel(CornerBraces.Levels[i], false, *this);
}

TAnchLevel TKdData::NewLevel(bool anchor) const {
    TAnchLevel level;
    DefaultNewLevel(level, anchor, *this);
    return level;
}

void TKdData::CopySharedSettings() {
    // TestLoadFactor, Lb, Embedment and ApparentPressure of the corner-brace system are its own.
    CornerBraces.AnchorSpacingItem = Anchors.AnchorSpacingItem;
    CornerBraces.SheetPileSpacingStep = Anchors.SheetPileSpacingStep;
    CornerBraces.SoilType = Anchors.SoilType;
    CornerBraces.LoadingHeight = Anchors.LoadingHeight;
    CornerBraces.EmbedmentRatio = Anchors.EmbedmentRatio;
    CornerBraces.Cb = Anchors.Cb;
    CornerBraces.TotalVerticalLoad = Anchors.TotalVerticalLoad;
    CornerBraces.K = Anchors.K;
    CornerBraces.MaxDeflection = Anchors.MaxDeflection;
    CornerBraces.UniformSurcharge = Anchors.UniformSurcharge;
    CornerBraces.WaterDepth = Anchors.WaterDepth;
    CornerBraces.SurchargeK = Anchors.SurchargeK;
    CornerBraces.Kh = Anchors.Kh;
    CornerBraces.PointLoadOn = Anchors.PointLoadOn;
    CornerBraces.LineLoadOn = Anchors.LineLoadOn;
    CornerBraces.StripLoadOn = Anchors.StripLoadOn;
    CornerBraces.PointDepth = Anchors.PointDepth;
    CornerBraces.LineDepth = Anchors.LineDepth;
    CornerBraces.StripDepth = Anchors.StripDepth;
    CornerBraces.PointLoad = Anchors.PointLoad;
    CornerBraces.PointOffset = Anchors.PointOffset;
    CornerBraces.LineLoad = Anchors.LineLoad;
    CornerBraces.LineOffset = Anchors.LineOffset;
    CornerBraces.StripLoad = Anchors.StripLoad;
    CornerBraces.StripOffset = Anchors.StripOffset;
    CornerBraces.StripWidth = Anchors.StripWidth;
}

} // namespace vantrel
