// New project: the demo example project of the current unit system, or the built-in defaults.

#include <exception>
#include <filesystem>

#include "model/KdClasses.h"
#include "model/ProjectFile.h"

namespace vantrel {

std::string TKdData::DemoFileName() const {
    if (ProgramFolder.empty()) return std::string(); // no program folder: no demo
    const char* name = Units == usSI ? "SI UNITS DEMO EXAMPLE.kpw" : "ENGLISH UNITS DEMO EXAMPLE.kpw";
    return (std::filesystem::path(ProgramFolder) / name).string();
}

void TKdData::NewProject(bool blank) {
    const std::string demo = DemoFileName();
    std::error_code ec;
    if (!blank && !demo.empty() && std::filesystem::is_regular_file(demo, ec)) {
        try {
            LoadFromFile(demo);
            Organization.clear();
            ProjectName.clear();
            JobNumber.clear();
            DesignedBy.clear();
            Logo.clear();
            Date = TodayAsDateTime();
            return;
        } catch (const std::exception&) {
            // A damaged demo, or one of a newer program: the built-in defaults follow, silently.
        }
    }

    // Built-in defaults (English). Everything they do not name starts from zero, as at creation.
    ResetFields();
    Date = TodayAsDateTime();

    Units = usEnglish;
    PressureMethod = 0;
    Installation = 0;
    SetPileType(ptSoldierBeam);
    PileSection = psIBeam;
    SoilInputMode = 0;

    for (TSoilRecord& r : SoilRecords) {
        r = TSoilRecord{};
        r.Angle2 = 90.0L;
    }
    SpareValue1 = 0.0L;
    SpareValue2 = 0.0L;
    IgnorePassive = 0.0L;
    PileSpacing = 1.0L;
    ShoredHeight = 5.0L;
    SteelE = 0.0L;
    SteelFy = 50.0L;
    SpareValue3 = 0.0L;
    PileWidth = 0.0L;
    ConcreteFc = 0.0L;
    AxialLoad = 0.0L;
    RowBaseValue = 0.0L;
    AuxCopy = 0.0L;
    AllowSkinFriction = 0.5L;
    AllowEndBearing = 3.0L;

    TimberFb = 1100.0L;
    TimberFv = 150.0L;
    LaggingSizeFactor = 1.0L;
    LaggingFlatUseFactor = 1.0L;
    TimberFcPerp = 625.0L;
    LaggingType = ltNone;
    ArchingFactor = 1.0L;
    LaggingConcreteSet = 3;
    DiagramScale = 2.0L;
    TimberE = 1.4L;
    SouthernPine = false;
    LumberGrade = 0;

    SetShapeFamily(sfNorthAmerican);
    ShapeIndex = 0;
    PipeFilledWithConcrete = false;
    SpareFlag = false;

    RebarStandard = rsUS;
    VerticalBarSize = 0;
    VerticalBarCount = 0;
    TieOrSpiral = 0;
    LateralBarSize = 0;
    ClearCover = 3.0L;
    PitchOverride = 3.0L;
    ConcretePlacement = 0;

    AuxInput1 = AuxInput2 = AuxInput3 = AuxInput4 = AuxInput5 = AuxInput6 = AuxInput7 = 0.0L;

    UseGuardrail = true;
    GuardrailAngle = 0;
    GuardrailLength = 3.5L;
    GuardrailBracing = GuardrailLength;
    GuardrailSpacing = PileSpacing;
    GuardrailLoad = 50.0L;
    GuardrailPointLoad = 200.0L;
    GuardrailCompressionFactor = 1.67L;
    GuardrailBendingFactor = 1.67L;

    UseBasalHeave = false;
    BasalCondition = 0;
    BasalCohesion = 700.0L;
    BasalNc = 5.14L;
    BasalUnitWeight = 115.0L;
    BasalSurcharge = 100.0L;
    BasalWidth = 40.0L;
    UseCornerBraces = false;

    TAnchor& a = Anchors;
    a.LevelCount = 1;
    a.AnchorSpacingItem = 1;
    a.SheetPileSpacingStep = 4.0L;
    a.SoilType = 0;
    a.LoadingHeight = ShoredHeight;
    a.Levels.resize(1);
    TAnchLevel& first = a.Levels[0];
    first.Kind = lkTieback;
    first.HeightFromPrevious = 1.0L;
    first.Angle = 20.0L;
    first.TendonType = ttThreadedBar;
    first.TieRodAnchorage = 0;
    first.BarSize = 0;
    first.Grade = 75;
    first.MemberE = 29000.0L;
    first.Fy = 50.0L;
    first.Waler.Fy = 50.0L;
    first.Waler.E = 29000.0L;
    first.Waler.TwoChannels = false;
    a.EmbedmentRatio = 0.55L;
    a.Cb = 1.0L;
    a.TotalVerticalLoad = 10.0L;
    a.K = 1.0L;
    a.MaxDeflection = 0.5L;
    a.TestLoadFactor = 1.33L;
    a.SurchargeK = 0.4L;
    a.Kh = 0.15L;
    a.ApparentPressure = 25.0L;
    a.UniformSurcharge = 150.0L;
    a.WaterDepth = 5.0L;
    a.PointLoadOn = a.LineLoadOn = a.StripLoadOn = true;
    a.PointDepth = a.LineDepth = a.StripDepth = 0.0;
    a.PointLoad = 1500.0;
    a.PointOffset = 10.0;
    a.LineLoad = 1000.0;
    a.LineOffset = 9.0;
    a.StripLoad = 500.0;
    a.StripOffset = 7.5;
    a.StripWidth = 6.0;

    ResizeAnchorLevels();

    BondSoilType = 0;
    AllowLoadTransfer = 0.0L;

    // Limits and section, rebar and angle tables of English units.
    ReloadUnitTables();
}

} // namespace vantrel
