// New project: built-in defaults, the demo example projects of the program folder, and the unit
// tables that follow the project's units.

#include <gtest/gtest.h>

#include <ctime>
#include <fstream>

#include "model/ProjectFile.h"
#include "project_compare.h"

using namespace vantrel;
using namespace vantrel::testing;

namespace {

constexpr const char* kEnglishDemo = "ENGLISH UNITS DEMO EXAMPLE.kpw";
constexpr const char* kSIDemo = "SI UNITS DEMO EXAMPLE.kpw";

// Today as days since 1899-12-30 from the Unix clock: the Unix epoch is day 25569 of that count.
// Local time may differ from UTC by up to a day.
void ExpectToday(double date) {
    const double utcDays = 25569.0 + static_cast<double>(std::time(nullptr) / 86400);
    EXPECT_EQ(date, std::floor(date));
    EXPECT_LE(std::fabs(date - utcDays), 1.0) << date;
}

// A project unlike the defaults in every group, used as a demo and as a previous project.
TKdData MakeDemoLikeProject(uint8_t units) {
    TKdData d;
    d.SetUnits(units);
    d.Organization = "Vantrel Shoring Engineering Ltd.";
    d.ProjectName = "Demo";
    d.JobNumber = "7";
    d.DesignedBy = "QA";
    d.Date = 45000;
    d.SetPicture({0xFF, 0xD8, 0xFF, 0xD9});
    d.ShoredHeight = units == usSI ? 6.0L : 20.0L;
    d.PileSpacing = units == usSI ? 2.4L : 8.0L;
    d.SteelE = units == usSI ? 200000.0L : 29000.0L;
    d.Anchors.LevelCount = 2;
    d.ResizeAnchorLevels();
    d.Anchors.Levels[1].Waler.HasWaler = true;
    return d;
}

} // namespace

TEST(NewProject, BuiltInDefaults) {
    const TKdData d; // no program folder: no demo
    EXPECT_TRUE(d.Organization.empty() && d.ProjectName.empty() && d.JobNumber.empty() &&
                d.DesignedBy.empty());
    EXPECT_TRUE(d.Logo.empty());
    ExpectToday(d.Date);

    struct Case {
        const char* name;
        Ext value, expected;
    };
    // The built-in values of a new project, English units.
    const Case cases[] = {
        {"ShoredHeight", d.ShoredHeight, 5.0L},
        {"PileSpacing", d.PileSpacing, 1.0L},
        {"SteelE", d.SteelE, 0.0L},
        {"SteelFy", d.SteelFy, 50.0L},
        {"AllowSkinFriction", d.AllowSkinFriction, 0.5L},
        {"AllowEndBearing", d.AllowEndBearing, 3.0L},
        {"SoilRecords[1].Angle2", d.SoilRecords[1].Angle2, 90.0L},
        {"SoilRecords[2].UnitWeight", d.SoilRecords[2].UnitWeight, 0.0L},
        {"TimberFb", d.TimberFb, 1100.0L},
        {"TimberFv", d.TimberFv, 150.0L},
        {"TimberFcPerp", d.TimberFcPerp, 625.0L},
        {"TimberE", d.TimberE, 1.4L},
        {"DiagramScale", d.DiagramScale, 2.0L},
        {"ClearCover", d.ClearCover, 3.0L},
        {"PitchOverride", d.PitchOverride, 3.0L},
        {"GuardrailLength", d.GuardrailLength, 3.5L},
        {"GuardrailBracing = length", d.GuardrailBracing, 3.5L},
        {"GuardrailSpacing = pile spacing", d.GuardrailSpacing, 1.0L},
        {"GuardrailLoad", d.GuardrailLoad, 50.0L},
        {"GuardrailPointLoad", d.GuardrailPointLoad, 200.0L},
        {"GuardrailCompressionFactor", d.GuardrailCompressionFactor, 1.67L},
        {"BasalCohesion", d.BasalCohesion, 700.0L},
        {"BasalNc", d.BasalNc, 5.14L},
        {"BasalUnitWeight", d.BasalUnitWeight, 115.0L},
        {"BasalSurcharge", d.BasalSurcharge, 100.0L},
        {"BasalWidth", d.BasalWidth, 40.0L},
        {"LoadingHeight = H", d.Anchors.LoadingHeight, 5.0L},
        {"SheetPileSpacingStep", d.Anchors.SheetPileSpacingStep, 4.0L},
        {"EmbedmentRatio", d.Anchors.EmbedmentRatio, 0.55L},
        {"TotalVerticalLoad", d.Anchors.TotalVerticalLoad, 10.0L},
        {"MaxDeflection", d.Anchors.MaxDeflection, 0.5L},
        {"TestLoadFactor", d.Anchors.TestLoadFactor, 1.33L},
        {"SurchargeK", d.Anchors.SurchargeK, 0.4L},
        {"Kh", d.Anchors.Kh, 0.15L},
        {"ApparentPressure", d.Anchors.ApparentPressure, 25.0L},
        {"UniformSurcharge", d.Anchors.UniformSurcharge, 150.0L},
        {"WaterDepth", d.Anchors.WaterDepth, 5.0L},
        {"PointLoad", d.Anchors.PointLoad, 1500.0L},
        {"LineOffset", d.Anchors.LineOffset, 9.0L},
        {"StripOffset", d.Anchors.StripOffset, 7.5L},
        {"corner SurchargeK (shared)", d.CornerBraces.SurchargeK, 0.4L},
        {"corner StripWidth (shared)", d.CornerBraces.StripWidth, 6.0L},
        {"corner TestLoadFactor (own)", d.CornerBraces.TestLoadFactor, 0.0L},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.value, c.expected) << c.name;

    EXPECT_EQ(d.Units, usEnglish);
    EXPECT_EQ(d.LaggingConcreteSet, 3);
    EXPECT_TRUE(d.UseGuardrail);
    EXPECT_FALSE(d.UseBasalHeave);
    EXPECT_FALSE(d.UseCornerBraces);
    EXPECT_EQ(d.Anchors.AnchorSpacingItem, 1);
    ASSERT_EQ(d.Anchors.LevelCount, 1);
    ASSERT_EQ(d.Anchors.Levels.size(), 1u);
    ASSERT_EQ(d.CornerBraces.Levels.size(), 1u);
    const TAnchLevel& lv = d.Anchors.Levels[0];
    EXPECT_EQ(lv.Kind, lkTieback);
    EXPECT_EQ(lv.HeightFromPrevious, 1.0L);
    EXPECT_EQ(lv.Angle, 20.0L);
    EXPECT_EQ(lv.Grade, 75);
    EXPECT_EQ(lv.MemberE, 29000.0L);
    EXPECT_EQ(lv.Waler.E, 29000.0L);
    EXPECT_EQ(d.CornerBraces.Levels[0].Kind, lkUnused);
    // English limits: "Steel Modulus of Elasticity" 29000 .. 30000.
    EXPECT_EQ(d.FieldLimits[18].Min, 29000.0L);
}

TEST(NewProject, BuiltInPathForgetsThePreviousProject) {
    TKdData d = MakeDemoLikeProject(usSI);
    d.Anchors.LevelCount = 3;
    d.ResizeAnchorLevels();
    d.Anchors.Levels[0].ShapeRow = 12;
    d.Anchors.Levels[0].Waler.HasWaler = true;
    d.SheetIndex = 9;
    d.CustomSection.Name = "old";
    d.LoadingSidePoints[3].W = 4.0L;
    d.DesignFlag1 = true;
    d.SpareValue4 = 8.0L;
    d.CornerBraces.TestLoadFactor = 2.0L;
    d.Anchors.MaxMoment = 123.0L;
    d.BasalSafetyFactor = 1.9L;

    d.NewProject(true);
    EXPECT_EQ(d.Units, usEnglish);
    EXPECT_EQ(d.Anchors.Levels.size(), 1u);
    EXPECT_EQ(d.Anchors.Levels[0].ShapeRow, 0);
    EXPECT_FALSE(d.Anchors.Levels[0].Waler.HasWaler);
    EXPECT_EQ(d.SheetIndex, 0);
    EXPECT_EQ(d.CustomSection.Name, "");
    EXPECT_EQ(d.LoadingSidePoints[3].W, 0.0L);
    EXPECT_FALSE(d.DesignFlag1);
    EXPECT_EQ(d.SpareValue4, 0.0L);
    EXPECT_EQ(d.CornerBraces.TestLoadFactor, 0.0L);
    EXPECT_EQ(d.Anchors.MaxMoment, 0.0L);
    EXPECT_EQ(d.BasalSafetyFactor, 0.0L);
    // The whole stored state equals that of a project just created.
    ExpectSameStoredFields(TKdData(), d);
    // The tables follow the units again: the SI limit of Tag 18 is gone.
    EXPECT_EQ(d.FieldLimits[18].Min, 29000.0L);
}

TEST(NewProject, DemoFileNameFollowsUnitsAndProgramFolder) {
    TKdData d("/opt/vantrel/");
    EXPECT_EQ(d.DemoFileName(), std::string("/opt/vantrel/") + kEnglishDemo);
    d.SetUnits(usSI);
    EXPECT_EQ(d.DemoFileName(), std::string("/opt/vantrel/") + kSIDemo);
    d.ProgramFolder = "/opt/vantrel"; // without the separator
    EXPECT_EQ(d.DemoFileName(), std::string("/opt/vantrel/") + kSIDemo);
    d.ProgramFolder.clear();
    EXPECT_EQ(d.DemoFileName(), "");
}

TEST(NewProject, StartsFromTheDemoOfTheCurrentUnits) {
    ScratchFolder dir("new-demo");
    const TKdData english = MakeDemoLikeProject(usEnglish);
    const TKdData si = MakeDemoLikeProject(usSI);
    english.SaveToFile(dir.File(kEnglishDemo));
    si.SaveToFile(dir.File(kSIDemo));

    const auto expectDemo = [](const TKdData& demo, const TKdData& d) {
        EXPECT_EQ(d.Units, demo.Units);
        EXPECT_EQ(d.ShoredHeight, demo.ShoredHeight);
        EXPECT_EQ(d.Anchors.Levels.size(), 2u);
        EXPECT_TRUE(d.Anchors.Levels[1].Waler.HasWaler);
        // Project texts and logo cleared, today's date.
        EXPECT_EQ(d.Organization, "");
        EXPECT_EQ(d.ProjectName, "");
        EXPECT_EQ(d.JobNumber, "");
        EXPECT_EQ(d.DesignedBy, "");
        EXPECT_TRUE(d.Logo.empty());
        ExpectToday(d.Date);
    };

    TKdData d(dir.Path().string()); // creation runs NewProject(false) in English
    expectDemo(english, d);
    EXPECT_EQ(d.ProgramFolder, dir.Path().string());

    d.SetUnits(usSI);
    d.NewProject(false);
    expectDemo(si, d);
    // The limits are those of SI: "Steel Modulus of Elasticity" 175000 .. 250000.
    EXPECT_EQ(d.FieldLimits[18].Min, 175000.0L);

    // Blank never looks at the demo.
    d.NewProject(true);
    EXPECT_EQ(d.ShoredHeight, 5.0L);
    EXPECT_EQ(d.Units, usEnglish);
}

TEST(NewProject, MissingOrUnusableDemoGivesTheBuiltInDefaults) {
    ScratchFolder dir("new-bad-demo");
    const auto write = [&](const char* name, const std::vector<uint8_t>& bytes) {
        std::ofstream(dir.File(name), std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    };
    const TKdData demo = MakeDemoLikeProject(usEnglish);

    struct Case {
        const char* what;
        std::vector<uint8_t> englishDemo; // empty: no file
    };
    std::vector<uint8_t> damaged = EncodeProject(demo);
    damaged.resize(damaged.size() / 2);
    const Case cases[] = {
        {"no demo", {}},
        {"demo of a newer program", EncodeProject(demo, "1.19")},
        {"damaged demo", damaged},
        {"not a project file", {'h', 'e', 'l', 'l', 'o'}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::filesystem::remove(dir.File(kEnglishDemo));
        if (!c.englishDemo.empty()) write(kEnglishDemo, c.englishDemo);
        TKdData d(dir.Path().string());
        EXPECT_EQ(d.ShoredHeight, 5.0L);
        EXPECT_EQ(d.Anchors.Levels.size(), 1u);
        EXPECT_TRUE(d.Organization.empty());
    }

    // An SI project without an SI demo becomes an English project with the built-in defaults.
    TKdData d(dir.Path().string());
    d.SetUnits(usSI);
    d.NewProject(false);
    EXPECT_EQ(d.Units, usEnglish);
    EXPECT_EQ(d.SteelFy, 50.0L);
    EXPECT_EQ(d.GuardrailLength, 3.5L);
    EXPECT_EQ(d.FieldLimits[18].Min, 29000.0L);
}

TEST(NewProject, LoadingAFileOfTheOtherUnitsBringsItsTables) {
    ScratchFolder dir("new-units");
    MakeDemoLikeProject(usSI).SaveToFile(dir.File("si.kpw"));
    TKdData d;
    ASSERT_EQ(d.FieldLimits[18].Min, 29000.0L);
    d.LoadFromFile(dir.File("si.kpw"));
    EXPECT_EQ(d.Units, usSI);
    EXPECT_EQ(d.FieldLimits[18].Min, 175000.0L);
    EXPECT_EQ(d.FieldLimits[5].Min, 14.5L); // SI "Soil Unit Weight" 14.5 .. 23
}

// --- The demo example projects shipped with the program ---------------------------------------

namespace {

std::string DemoSource(const char* name) {
    return (std::filesystem::path(VANTREL_SOURCE_DIR) / "resources" / "demo" / name).string();
}

} // namespace

TEST(DemoProjects, OpenAndSaveBackByteIdentical) {
    ScratchFolder dir("demo-save");
    for (const char* name : {kEnglishDemo, kSIDemo}) {
        SCOPED_TRACE(name);
        const std::vector<uint8_t> stored = ReadWholeFile(DemoSource(name), "demo");
        TKdData d;
        d.LoadFromFile(DemoSource(name));
        EXPECT_EQ(d.Units, name == kSIDemo ? usSI : usEnglish);
        d.SaveToFile(dir.File(name));
        EXPECT_EQ(ReadWholeFile(dir.File(name), "copy"), stored);
        // The build puts a copy beside the executables, where New looks for it.
        EXPECT_EQ(ReadWholeFile((std::filesystem::path(VANTREL_BINARY_DIR) / name).string(), "copy"), stored);
        // The stored design values are those the calculation gives: calculating changes nothing
        // (after a change of the calculation, regenerate the demos with tools/make_demos).
        d.Calculate();
        EXPECT_TRUE(EncodeProject(d) == stored) << "the demo is not the current calculation's";
    }
    // New in the program folder starts from them.
    TKdData fresh(VANTREL_BINARY_DIR);
    EXPECT_EQ(fresh.Anchors.LevelCount, 2);
    EXPECT_TRUE(fresh.Organization.empty());
}

TEST(DemoProjects, DifferOnlyWhereTheUnitSystemRequires) {
    TKdData en, si;
    en.LoadFromFile(DemoSource(kEnglishDemo));
    si.LoadFromFile(DemoSource(kSIDemo));
    ASSERT_EQ(en.Units, usEnglish);
    ASSERT_EQ(si.Units, usSI);

    // Values with a unit: the SI value is the English one converted (published factors) and
    // rounded the way an engineer enters it, within 5 %.
    constexpr Ext ft = 0.3048L, in = 25.4L, kip = 4.4482216L, ksi = 6.8947573L, psf = 0.04788026L,
                  ksf = 47.88026L, pcf = 0.15708746L, plf = 0.01459390L, lbf = 0.0044482216L,
                  psi = 0.0068947573L,
                  msi = 6.8947573L; // 10^6 psi in GPa
    const TAnchor& ae = en.Anchors;
    const TAnchor& as = si.Anchors;
    const TAnchLevel& le = ae.Levels[1];
    const TAnchLevel& ls = as.Levels[1];
    struct Case {
        const char* name;
        Ext english, metric, factor;
    };
    const Case cases[] = {
        {"ShoredHeight", en.ShoredHeight, si.ShoredHeight, ft},
        {"PileSpacing", en.PileSpacing, si.PileSpacing, ft},
        {"PileWidth", en.PileWidth, si.PileWidth, ft},
        {"IgnorePassive", en.IgnorePassive, si.IgnorePassive, ft},
        {"SteelE", en.SteelE, si.SteelE, ksi},
        {"SteelFy", en.SteelFy, si.SteelFy, ksi},
        {"ConcreteFc", en.ConcreteFc, si.ConcreteFc, ksi},
        {"AxialLoad", en.AxialLoad, si.AxialLoad, kip},
        {"AllowSkinFriction", en.AllowSkinFriction, si.AllowSkinFriction, ksf},
        {"AllowEndBearing", en.AllowEndBearing, si.AllowEndBearing, ksf},
        {"soil unit weight", en.SoilRecords[0].UnitWeight, si.SoilRecords[0].UnitWeight, pcf},
        {"ClearCover", en.ClearCover, si.ClearCover, in},
        {"TimberFb", en.TimberFb, si.TimberFb, psi},
        {"TimberFv", en.TimberFv, si.TimberFv, psi},
        {"TimberFcPerp", en.TimberFcPerp, si.TimberFcPerp, psi},
        {"TimberE", en.TimberE, si.TimberE, msi},
        {"GuardrailLength", en.GuardrailLength, si.GuardrailLength, ft},
        {"GuardrailSpacing", en.GuardrailSpacing, si.GuardrailSpacing, ft},
        {"GuardrailLoad", en.GuardrailLoad, si.GuardrailLoad, plf},
        {"GuardrailPointLoad", en.GuardrailPointLoad, si.GuardrailPointLoad, lbf},
        {"BasalCohesion", en.BasalCohesion, si.BasalCohesion, psf},
        {"BasalUnitWeight", en.BasalUnitWeight, si.BasalUnitWeight, pcf},
        {"BasalSurcharge", en.BasalSurcharge, si.BasalSurcharge, psf},
        {"BasalWidth", en.BasalWidth, si.BasalWidth, ft},
        {"LoadingHeight", ae.LoadingHeight, as.LoadingHeight, ft},
        {"MaxDeflection", ae.MaxDeflection, as.MaxDeflection, in},
        {"UniformSurcharge", ae.UniformSurcharge, as.UniformSurcharge, psf},
        {"WaterDepth", ae.WaterDepth, as.WaterDepth, ft},
        {"StripLoad", ae.StripLoad, as.StripLoad, psf},
        {"StripOffset", ae.StripOffset, as.StripOffset, ft},
        {"StripWidth", ae.StripWidth, as.StripWidth, ft},
        {"LineLoad", ae.LineLoad, as.LineLoad, plf},
        {"LineOffset", ae.LineOffset, as.LineOffset, ft},
        {"PointLoad", ae.PointLoad, as.PointLoad, lbf},
        {"PointOffset", ae.PointOffset, as.PointOffset, ft},
        {"level A depth", ae.Levels[0].HeightFromPrevious, as.Levels[0].HeightFromPrevious, ft},
        {"level B spacing", le.HeightFromPrevious, ls.HeightFromPrevious, ft},
        {"waler a", le.Waler.Wa, ls.Waler.Wa, ft},
        {"waler b", le.Waler.Wb, ls.Waler.Wb, ft},
        {"waler c", le.Waler.Wc, ls.Waler.Wc, ft},
        {"waler Fy", le.Waler.Fy, ls.Waler.Fy, ksi},
        {"loading side 3 depth", en.LoadingSidePoints[2].X, si.LoadingSidePoints[2].X, ft},
        {"loading side 3 pressure", en.LoadingSidePoints[2].W, si.LoadingSidePoints[2].W, ksf},
        {"passive 4 depth", en.PassiveSidePoints[3].X, si.PassiveSidePoints[3].X, ft},
        {"passive 4 pressure", en.PassiveSidePoints[3].W, si.PassiveSidePoints[3].W, ksf},
        {"unfactored 2 pressure", en.UnfactoredPoints[1].W, si.UnfactoredPoints[1].W, psf},
    };
    for (const Case& c : cases) {
        EXPECT_NE(c.english, 0.0L) << c.name;
        EXPECT_NEAR(static_cast<double>(c.metric), static_cast<double>(c.english * c.factor),
                    0.05 * std::fabs(static_cast<double>(c.english * c.factor)))
            << c.name;
    }

    // The same pile section and waler channel: plastic and elastic moduli, in^3 x 16.387 = cm^3.
    const TSteelShape pe = en.GetShape(), ps = si.GetShape();
    EXPECT_NEAR(static_cast<double>(ps.Zx), static_cast<double>(pe.Zx * 16.387064L), 0.01 * ps.Zx);
    TArrSteelShapes familyEn, familySi;
    en.LoadShapeTable(le.Waler.ShapeFamily, familyEn);
    si.LoadShapeTable(ls.Waler.ShapeFamily, familySi);
    const TSteelShape& ce = en.ChannelShapes.at(le.Waler.ShapeRow - familyEn.size());
    const TSteelShape& cs = si.ChannelShapes.at(ls.Waler.ShapeRow - familySi.size());
    EXPECT_NEAR(static_cast<double>(cs.Sx), static_cast<double>(ce.Sx * 16.387064L), 0.01 * cs.Sx);
    // US bars: #8 is bar 25 and #4 bar 13 of the soft metric designation.
    EXPECT_EQ(en.VerticalBarSize, 8);
    EXPECT_EQ(si.VerticalBarSize, 25);
    EXPECT_EQ(en.LateralBarSize, 4);
    EXPECT_EQ(si.LateralBarSize, 13);

    // Everything without a unit is the same.
    EXPECT_EQ(en.Organization, si.Organization);
    EXPECT_EQ(en.ProjectName, si.ProjectName);
    EXPECT_EQ(en.Date, si.Date);
    EXPECT_EQ(en.PressureMethod, si.PressureMethod);
    EXPECT_EQ(en.Installation, si.Installation);
    EXPECT_EQ(en.PileType, si.PileType);
    EXPECT_EQ(en.PileSection, si.PileSection);
    EXPECT_EQ(en.ShapeFamily, si.ShapeFamily);
    EXPECT_EQ(en.LaggingType, si.LaggingType);
    EXPECT_EQ(en.LumberGrade, si.LumberGrade);
    EXPECT_EQ(en.SouthernPine, si.SouthernPine);
    EXPECT_EQ(en.ArchingFactor, si.ArchingFactor);
    EXPECT_EQ(en.RebarStandard, si.RebarStandard);
    EXPECT_EQ(en.VerticalBarCount, si.VerticalBarCount);
    EXPECT_EQ(en.UseGuardrail, si.UseGuardrail);
    EXPECT_EQ(en.GuardrailAngle, si.GuardrailAngle);
    EXPECT_EQ(en.UseBasalHeave, si.UseBasalHeave);
    EXPECT_EQ(en.BasalNc, si.BasalNc);
    EXPECT_EQ(en.UseCornerBraces, si.UseCornerBraces);
    EXPECT_EQ(en.BondSoilType, si.BondSoilType);
    EXPECT_EQ(ae.SoilType, as.SoilType);
    EXPECT_EQ(ae.EmbedmentRatio, as.EmbedmentRatio);
    EXPECT_EQ(ae.TestLoadFactor, as.TestLoadFactor);
    EXPECT_EQ(ae.SurchargeK, as.SurchargeK);
    EXPECT_EQ(ae.Kh, as.Kh);
    EXPECT_EQ(ae.AnchorSpacingItem, as.AnchorSpacingItem);
    EXPECT_EQ(ae.StripLoadOn, as.StripLoadOn);
    EXPECT_EQ(ae.LineLoadOn, as.LineLoadOn);
    EXPECT_EQ(ae.PointLoadOn, as.PointLoadOn);
    ASSERT_EQ(ae.LevelCount, as.LevelCount);
    for (int i = 0; i < ae.LevelCount; ++i) {
        SCOPED_TRACE(i);
        const TAnchLevel &a = ae.Levels[i], &b = as.Levels[i];
        EXPECT_EQ(a.Kind, b.Kind);
        EXPECT_EQ(a.Angle, b.Angle);
        EXPECT_EQ(a.TendonType, b.TendonType);
        EXPECT_EQ(a.BarSize, b.BarSize);
        EXPECT_EQ(a.Grade, b.Grade);
        EXPECT_EQ(a.Waler.HasWaler, b.Waler.HasWaler);
        EXPECT_EQ(a.Waler.TwoSpans, b.Waler.TwoSpans);
        EXPECT_EQ(a.Waler.TwoChannels, b.Waler.TwoChannels);
    }
}

TEST(DemoProjects, ComputeCompleteDesignsThatAgreeAcrossUnits) {
    TKdData en, si;
    en.LoadFromFile(DemoSource(kEnglishDemo));
    si.LoadFromFile(DemoSource(kSIDemo));
    for (TKdData* d : {&en, &si}) {
        SCOPED_TRACE(d->Units == usSI ? "SI" : "English");
        d->Calculate();
        const TAnchor& a = d->Anchors;
        const Ext main[] = {a.MaxShear,
                            a.MaxMoment,
                            a.MaxDeflectionResult,
                            a.ShearAreaRequired,
                            a.ModulusRequired,
                            a.UtilizedIx,
                            a.SumOfReactions,
                            a.SumOfLoads,
                            a.BucklingCheck,
                            a.Slenderness,
                            a.AxialCheck,
                            a.CombinedUtilization,
                            a.Embedment,
                            d->AllowableAxialLoad,
                            d->TotalVerticalLoad,
                            d->BeamDiagonal,
                            d->LaggingSoilPressure,
                            d->BasalSafetyFactor,
                            d->AllowLoadTransfer,
                            d->Gr.GrAllowCompression,
                            d->Gr.GrAllowMoment,
                            d->Gr.GrMoment};
        for (size_t k = 0; k < std::size(main); ++k)
            EXPECT_TRUE(std::isfinite(main[k])) << "result " << k;
        ASSERT_EQ(a.LevelLoads.size(), 2u);
        for (int i = 0; i < 2; ++i) {
            EXPECT_TRUE(std::isfinite(a.LevelLoads[i]) && std::isfinite(a.TestLoads[i]));
            EXPECT_TRUE(std::isfinite(a.FreeLengths[i]) && std::isfinite(a.Levels[i].BondLength));
            EXPECT_GT(a.Levels[i].BarCount, 0);
        }
        const TWaler& w = a.Levels[1].Waler;
        EXPECT_TRUE(std::isfinite(w.RequiredS) && std::isfinite(w.MaxDeflectionW));
        // A demo is a design that works: every check shown passes.
        EXPECT_TRUE(w.ModulusPass && w.DeflectionPass);
        EXPECT_TRUE(d->LaggingResults.LaggingPass);
        EXPECT_LE(std::fabs(a.CombinedUtilization), 100.0L);
        EXPECT_LE(std::fabs(a.MaxDeflectionResult), a.MaxDeflection);
        EXPECT_GE(d->BasalSafetyFactor, 1.5L);
        EXPECT_LT(std::fabs(d->TotalVerticalLoad), std::fabs(d->AllowableAxialLoad));
        // Statics: the reactions carry the load.
        EXPECT_NEAR(static_cast<double>(a.SumOfReactions), static_cast<double>(a.SumOfLoads),
                    1e-3 * static_cast<double>(a.SumOfLoads));
    }
    // The same design in both systems: the results agree within the rounding of the SI inputs
    // (6 m for 20 ft is 1.6 % short), kips x 4.448 = kN, kip-ft x 1.3558 = kN-m.
    const auto agree = [](const char* what, Ext english, Ext metric, Ext factor) {
        EXPECT_NEAR(static_cast<double>(metric), static_cast<double>(english * factor),
                    0.08 * std::fabs(static_cast<double>(english * factor)))
            << what;
    };
    agree("SumOfLoads", en.Anchors.SumOfLoads, si.Anchors.SumOfLoads, 4.4482216L);
    agree("MaxMoment", en.Anchors.MaxMoment, si.Anchors.MaxMoment, 1.3558179L);
    agree("level A load", en.Anchors.LevelLoads[0], si.Anchors.LevelLoads[0], 4.4482216L);
    agree("level B load", en.Anchors.LevelLoads[1], si.Anchors.LevelLoads[1], 4.4482216L);
    agree("BasalSafetyFactor", en.BasalSafetyFactor, si.BasalSafetyFactor, 1.0L);
    EXPECT_EQ(en.Anchors.Levels[1].BarCount, si.Anchors.Levels[1].BarCount);
}
