// Builds the two demo example projects, "ENGLISH UNITS DEMO EXAMPLE.kpw" and "SI UNITS DEMO
// EXAMPLE.kpw", through the model and saves them into the folder named on the command line.
//
// Both are the same design: a 20 ft (6 m) soldier-pile wall of drilled W12X26 (W310X38.7) piles at
// 8 ft (2.4 m), retaining stiff clay under a 250 psf (12 kPa) surcharge and a strip load, held by
// two tieback levels bonded in dense sand, timber lagging, a double-channel waler on the lower
// level, the guardrail and the basal heave check. The SI values are the English ones converted
// and rounded the way an engineer would enter them.
//
//   make_demos <folder>      (the committed copies live in resources/demo)

#include <cstdio>
#include <exception>
#include <filesystem>
#include <string>

#include "model/KdClasses.h"

using namespace vantrel;

namespace {

int RowOf(const TArrSteelShapes& table, const std::string& name) {
    for (size_t i = 0; i < table.size(); ++i)
        if (table[i].Name == name) return static_cast<int>(i);
    throw std::runtime_error("section " + name + " is not in the catalog");
}

TKdData BuildDemo(uint8_t units) {
    const bool si = units == usSI;
    // The value of the project's unit system: English first, SI second.
    const auto pick = [si](Ext english, Ext metric) { return si ? metric : english; };

    TKdData d; // built-in defaults
    d.SetUnits(units);

    d.Organization = "Vantrel Demonstration Engineering";
    d.ProjectName = "Soldier pile and tieback wall";
    d.JobNumber = "VTR-DEMO-01";
    d.DesignedBy = "Vantrel";
    d.Date = 46037; // 2026-01-15

    // General and structural data: drilled soldier beams of a North American W shape.
    d.PressureMethod = 0;
    d.Installation = 0;
    d.SetPileType(ptSoldierBeam);
    d.PileSection = psIBeam;
    d.SetShapeFamily(sfNorthAmerican);
    d.SetShapeIndex(RowOf(d.SteelShapes, si ? "W310X38.7" : "W12X26"));
    d.ShoredHeight = pick(20.0L, 6.0L);
    d.PileSpacing = pick(8.0L, 2.4L);
    d.PileWidth = pick(2.0L, 0.6L); // drilled hole
    d.SteelE = pick(29000.0L, 200000.0L);
    d.SteelFy = pick(50.0L, 345.0L);
    d.ConcreteFc = pick(3.0L, 21.0L);
    d.IgnorePassive = pick(2.0L, 0.6L);
    d.SoilRecords[0].UnitWeight = pick(120.0L, 19.0L);
    d.AxialLoad = pick(10.0L, 45.0L);
    d.AllowSkinFriction = pick(1.0L, 50.0L);
    d.AllowEndBearing = pick(10.0L, 480.0L);

    // Rebar cage data (used when the pile section is a cage): 8 #8 (25) verticals, #4 (13) ties.
    d.RebarStandard = rsUS;
    d.VerticalBarSize = si ? 25 : 8;
    d.VerticalBarCount = 8;
    d.TieOrSpiral = 0;
    d.LateralBarSize = si ? 13 : 4;
    d.ClearCover = pick(3.0L, 75.0L);
    d.PitchOverride = 0.0L; // the calculated spacing
    d.ConcretePlacement = 0;

    // Cantilever check of the pile under the user pressure lists (ksf | kPa): a 0.72 ksf
    // (34.5 kPa) trapezoid on the loading side, passive resistance below the excavation.
    const Ext h = d.ShoredHeight;
    const Ext toe = h + pick(11.0L, 3.3L);
    const Ext p = pick(0.72L, 34.5L);
    const Ext depths[8] = {
        0.0L, 0.25L * h, 0.75L * h, h, h, h + (toe - h) / 3.0L, h + 2.0L * (toe - h) / 3.0L, toe};
    for (int i = 0; i < 8; ++i)
        d.LoadingSidePoints[i] = {depths[i], i == 0 ? 0.0L : p};
    const Ext passive[4] = {0.0L, pick(-1.2L, -57.5L), pick(-2.8L, -134.0L), pick(-4.4L, -211.0L)};
    for (int i = 0; i < 4; ++i)
        d.PassiveSidePoints[i] = {depths[4 + i], passive[i]};
    // Unfactored diagram of the user-defined soil type (psf | kPa), the same trapezoid.
    const Ext unfactored[4] = {0.0L, pick(720.0L, 34.5L), pick(720.0L, 34.5L), 0.0L};
    for (int i = 0; i < 4; ++i)
        d.UnfactoredPoints[i] = {depths[i], unfactored[i]};

    // Timber lagging, #2 grade, not Southern Pine.
    d.LaggingType = ltTimber;
    d.TimberFb = pick(1100.0L, 7.6L);
    d.TimberFv = pick(150.0L, 1.0L);
    d.TimberFcPerp = pick(625.0L, 4.3L);
    d.TimberE = pick(1.4L, 9.7L);
    d.LaggingSizeFactor = 1.0L;
    d.LaggingFlatUseFactor = 1.0L;
    d.ArchingFactor = 0.6L;
    d.LaggingConcreteSet = 0;
    d.SouthernPine = false;
    d.LumberGrade = 1;

    // Guardrail post of the first angle, one post per pile.
    d.UseGuardrail = true;
    d.GuardrailAngle = 0;
    d.GuardrailLength = pick(3.5L, 1.07L);
    d.GuardrailBracing = d.GuardrailLength;
    d.GuardrailSpacing = d.PileSpacing;
    d.GuardrailLoad = pick(50.0L, 0.73L);
    d.GuardrailPointLoad = pick(200.0L, 0.89L);

    // Basal heave of a wide excavation in stiff clay.
    d.UseBasalHeave = true;
    d.BasalCondition = 0;
    d.BasalCohesion = pick(2000.0L, 96.0L);
    d.BasalNc = 5.14L;
    d.BasalUnitWeight = pick(120.0L, 19.0L);
    d.BasalHeight = d.ShoredHeight;
    d.BasalSurcharge = pick(250.0L, 12.0L);
    d.BasalWidth = pick(40.0L, 12.0L);

    // Anchor system: stiff clay, construction surcharge, a strip load behind the wall.
    TAnchor& a = d.Anchors;
    a.SoilType = 4; // "Stiff Clay"
    a.LoadingHeight = d.ShoredHeight;
    a.EmbedmentRatio = 0.55L;
    a.Cb = 1.0L;
    a.K = 1.0L;
    a.MaxDeflection = pick(0.5L, 12.7L);
    a.TestLoadFactor = 1.33L;
    a.AnchorSpacingItem = 1; // one tieback per pile
    a.SurchargeK = 0.33L;
    a.Kh = 0.0L;
    a.UniformSurcharge = pick(250.0L, 12.0L);
    a.WaterDepth = pick(30.0L, 9.0L);
    a.StripLoadOn = true;
    a.StripLoad = si ? 14.4 : 300.0;
    a.StripOffset = si ? 1.5 : 5.0;
    a.StripWidth = si ? 3.0 : 10.0;
    a.StripDepth = 0.0;
    a.LineLoadOn = false;
    a.LineLoad = si ? 14.6 : 1000.0;
    a.LineOffset = si ? 2.7 : 9.0;
    a.LineDepth = 0.0;
    a.PointLoadOn = false;
    a.PointLoad = si ? 6.7 : 1500.0;
    a.PointOffset = si ? 3.0 : 10.0;
    a.PointDepth = 0.0;
    a.LevelCount = 2;
    d.ResizeAnchorLevels();

    // Level A: threaded bar #10 (32 mm), grade 150, 5 ft (1.5 m) down.
    TAnchLevel& upper = a.Levels[0];
    upper.Kind = lkTieback;
    upper.HeightFromPrevious = pick(5.0L, 1.5L);
    upper.Angle = 15.0L;
    upper.TendonType = ttThreadedBar;
    upper.BarSize = 4;
    upper.Grade = 150;
    // Level B: strands, 8 ft (2.4 m) below level A, with a waler of two C12X20.7 (C310X30.8).
    TAnchLevel& lower = a.Levels[1];
    lower.Kind = lkTieback;
    lower.HeightFromPrevious = pick(8.0L, 2.4L);
    lower.Angle = 15.0L;
    lower.TendonType = ttStrand;
    lower.Grade = 270;
    TWaler& w = lower.Waler;
    w.HasWaler = true;
    w.TwoSpans = false;
    w.Wa = pick(2.0L, 0.6L);
    w.Wb = pick(8.0L, 2.4L);
    w.Wc = pick(2.0L, 0.6L);
    w.WLeft = pick(8.0L, 2.4L);
    w.Fy = pick(50.0L, 345.0L);
    w.E = pick(29000.0L, 200000.0L);
    w.ShapeFamily = sfNorthAmerican;
    // Channels follow the single sections of the family in the waler section list.
    TArrSteelShapes family;
    d.LoadShapeTable(sfNorthAmerican, family);
    w.ShapeRow = static_cast<int32_t>(family.size()) + RowOf(d.ChannelShapes, si ? "C310X30.8" : "C12X20.7");
    w.TwoChannels = true;

    d.CornerBraces.TestLoadFactor = 1.33L;
    d.BondSoilType = 3; // "Dense Sand"

    // The stored design values are those of the calculation, as when the program saves; the
    // corner-brace system then takes over the shared settings again, as loading the file does.
    d.Calculate();
    d.ResizeAnchorLevels();
    return d;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_demos <folder>\n");
        return 2;
    }
    try {
        const std::filesystem::path folder(argv[1]);
        BuildDemo(usEnglish).SaveToFile((folder / "ENGLISH UNITS DEMO EXAMPLE.kpw").string());
        BuildDemo(usSI).SaveToFile((folder / "SI UNITS DEMO EXAMPLE.kpw").string());
    } catch (const std::exception& e) {
        std::fprintf(stderr, "make_demos: %s\n", e.what());
        return 1;
    }
    return 0;
}
