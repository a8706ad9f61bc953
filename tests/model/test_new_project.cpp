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
    EXPECT_TRUE(d.Organization.empty() && d.ProjectName.empty() && d.JobNumber.empty() && d.DesignedBy.empty());
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
    for (const Case& c : cases) EXPECT_EQ(c.value, c.expected) << c.name;

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
