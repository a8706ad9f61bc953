// Project files: layout, round trips, older versions, refusals and damaged files.

#include <gtest/gtest.h>

#include <sys/resource.h>

#include <clocale>
#include <csignal>
#include <cstring>
#include <fstream>
#include <locale>
#include <random>

#include "model/ProjectFile.h"
#include "project_compare.h"

using namespace vantrel;
using namespace vantrel::testing;

namespace {

using Bytes = std::vector<uint8_t>;

// Byte layout of the default project (empty texts, no logo, one level in each system), summed by
// hand from the item sizes of the format:
//   header 64
//   body items 1..43: texts 2+2+2+2, picture 8, date 8, units 1, 5 Int32 20, 4 Ext 40, Int32 4,
//     6 Ext 60, Int32 4, Ext 10, reserved 10, Boolean 1, Int32 4, soil records 180, 3 Ext 30,
//     Ext 10, 9 Ext 90, Ext 10, 2 Ext 20, 2 Boolean 2, 7 Ext 70, Byte 1, 2 Int32 8, points 192 + 96,
//     5 Int32 20, 2 Ext 20, Int32 4, section row 192, 3 Boolean 3, Int32 4, 4 Ext 40  = 1170
//   support system record: 4 + 4 + 10 + 4 + points 96 + 14 Ext 140 + levels + 3 + 10 Double 80
//     level record: 4 + 20 + 16 + 88 + 32 + 128 + 240 + 168 + 1 + 1 + 70 + 1 + 4 + 20 + 1 = 794
//     so one system with one level = 1135
//   item 45 Boolean 1 between the systems; items 47..51: 4 + 10 + 1 + 4 + 60 = 79
constexpr size_t kLevelRecord = 794;
constexpr size_t kAnchorsAt = 64 + 1170;
constexpr size_t kCornersAt = kAnchorsAt + 341 + kLevelRecord + 1;
constexpr size_t kDefaultFileSize = kCornersAt + 341 + kLevelRecord + 79;
static_assert(kDefaultFileSize == 3584);

void PutI32(Bytes& b, size_t at, int32_t v) {
    std::memcpy(b.data() + at, &v, 4);
}
void PutI64(Bytes& b, size_t at, int64_t v) {
    std::memcpy(b.data() + at, &v, 8);
}

// A project that uses every part of the format: 3 levels with a strut member section and a
// waler, corner braces, user pressure points, a custom section, a logo, SI units.
TKdData MakeRichProject() {
    TKdData d;
    d.SetUnits(usSI);
    d.Organization = "Vantrel Shoring Engineering Ltd.";
    d.ProjectName = "Harbour Street excavation";
    d.JobNumber = "J-2041";
    d.DesignedBy = "R. Okafor";
    d.Date = 46000;
    d.SetPicture({0xFF, 0xD8, 0xFF, 0xE0, 0x00, 0x10, 'J', 'F', 'I', 'F', 0x00, 0xFF, 0xD9});
    d.PressureMethod = 1;
    d.PileSection = psPipe;
    d.ShoredHeight = 7.5L;
    d.SteelE = 200000.0L;
    d.AllowSkinFriction = 120.0L;
    d.SheetIndex = 7;
    d.ShapeIndex = -1;
    d.CustomSection.Name = "Built-up 610x229";
    d.CustomSection.Ix = 98400.0L;
    d.CustomSection.Tw = 1.12L;
    d.DesignFlag2 = true;
    d.SpareValue5 = kNaN; // an undefined value survives as NaN
    d.AuxInput1 = 1.5L;
    d.AuxInput7 = 2.25L;
    for (int i = 0; i < 8; ++i)
        d.LoadingSidePoints[i] = {0.9L * i, 10.0L + i};
    for (int i = 0; i < 4; ++i) {
        d.PassiveSidePoints[i] = {7.5L + i, -20.0L * i};
        d.UnfactoredPoints[i] = {1.5L * i, 24.0L + 0.5L * i};
    }
    d.UseCornerBraces = true;
    d.UseBasalHeave = true;
    d.BasalWidth = 12.0L;
    d.BondSoilType = 18;
    d.AllowLoadTransfer = 85.0L;
    d.Anchors.LevelCount = 3;
    d.Anchors.AnchorSpacingItem = 2;
    d.Anchors.SheetPileSpacingStep = 1.25L;
    d.Anchors.PointLoad = 6.5;
    d.ResizeAnchorLevels();
    TAnchLevel& strut = d.Anchors.Levels[1];
    strut.Kind = lkStrut;
    strut.HeightFromPrevious = 2.5L;
    strut.StructuralDesign = true;
    strut.ShapeFamily = 0;
    strut.ShapeRow = -1;
    strut.MemberKind = 1;
    strut.MemberInertia = 12345.5L;
    strut.Kx = 1.0L;
    strut.Lx = 9.0L;
    strut.ConcreteFilled = true;
    strut.IShape.Name = "W360X91";
    strut.IShape.W = 91.0L;
    strut.IShape.H0 = 337.0L;
    strut.OShape.Name = "Pipe 324x9.5";
    strut.OShape.OD = 323.9L;
    strut.OShape.J = 1.0e8L;
    TWaler& w = d.Anchors.Levels[2].Waler;
    w.HasWaler = true;
    w.TwoSpans = true;
    w.Wa = 1.2L;
    w.Wb = 2.4L;
    w.ShapeFamily = sfBritish;
    w.ShapeRow = 4;
    w.TwoChannels = true;
    w.WalerIx = 5.5e7L;
    d.CornerBraces.Levels[0].Kind = lkStrut;
    d.CornerBraces.Levels[0].Angle = 45.0L;
    d.CornerBraces.Levels[2].Kind = lkStrut;
    d.CornerBraces.TestLoadFactor = 1.5L;
    return d;
}

} // namespace

TEST(ProjectFile, HeaderAndValueEncodingAreTheFileFormat) {
    const TKdData d;
    const Bytes b = EncodeProject(d);
    ASSERT_EQ(b.size(), kDefaultFileSize);

    // Title: short string of at most 50 characters in 51 bytes; version: at most 12 in 13.
    EXPECT_EQ(b[0], 15);
    EXPECT_EQ(std::string(b.begin() + 1, b.begin() + 16), "Quarnel Vantrel");
    for (size_t i = 16; i < 51; ++i)
        EXPECT_EQ(b[i], 0) << i;
    EXPECT_EQ(b[51], 4);
    EXPECT_EQ(std::string(b.begin() + 52, b.begin() + 56), "1.18");
    for (size_t i = 56; i < 64; ++i)
        EXPECT_EQ(b[i], 0) << i;

    // Empty organization (u16 0) and no logo (i64 0) right after the header.
    for (size_t i = 64; i < 74; ++i)
        EXPECT_EQ(b[i], 0) << i;

    // TimberFb 1100 at 64 + 89: 1100 = 0x44C = 1.0001001100b x 2^10, so the explicit mantissa is
    // 0x8980000000000000 and the biased exponent 16383 + 10 = 0x4009.
    const Bytes fb = {0, 0, 0, 0, 0, 0, 0x80, 0x89, 0x09, 0x40};
    EXPECT_EQ(Bytes(b.begin() + 153, b.begin() + 163), fb);

    // First anchor level: LevelCount 1, then HeightFromPrevious 1.0 after Kind
    // (mantissa 0x8000000000000000, exponent 0x3FFF).
    int32_t count = 0;
    std::memcpy(&count, b.data() + kAnchorsAt, 4);
    EXPECT_EQ(count, 1);
    const size_t level = kAnchorsAt + 258;
    const Bytes one = {0, 0, 0, 0, 0, 0, 0, 0x80, 0xFF, 0x3F};
    EXPECT_EQ(Bytes(b.begin() + level + 4, b.begin() + level + 14), one);
    // Grade 75 follows Kind, the two angles, and three Int32.
    int32_t grade = 0;
    std::memcpy(&grade, b.data() + level + 4 + 20 + 12, 4);
    EXPECT_EQ(grade, 75);
    // The corner-brace level is a slot not in use: Kind -1.
    int32_t cornerKind = 0;
    std::memcpy(&cornerKind, b.data() + kCornersAt + 258, 4);
    EXPECT_EQ(cornerKind, -1);
}

TEST(ProjectFile, LevelRecordBlocksHoldTheirFieldsAtTheirOffsets) {
    TKdData d;
    TAnchLevel& lv = d.Anchors.Levels[0];
    lv.MemberKind = 1;
    lv.MemberInertia = 1.0L;
    lv.StructuralDesign = true;
    lv.ShapeRow = 7;
    lv.ConcreteFilled = true;
    lv.IShape.Name = "W8X10";
    lv.Waler.ShapeRow = 9;
    lv.Waler.TwoChannels = true;
    const Bytes b = EncodeProject(d);
    ASSERT_EQ(b.size(), kDefaultFileSize);

    // Level record: Kind 4, two Ext 20, four Int32 16, then the pile properties block at 40,
    // the member choice block at 128, the member loads block at 160, the I-shape row at 288,
    // the pipe row at 528 and the waler items from 696 on (HasWaler, TwoSpans, 7 Ext, family
    // byte at 768, section row at 769, 2 Ext, TwoChannels at 793).
    const size_t level = kAnchorsAt + 258;
    const auto i32At = [&](size_t at) {
        int32_t v = 0;
        std::memcpy(&v, b.data() + level + at, 4);
        return v;
    };
    EXPECT_EQ(i32At(40 + 8), 1); // MemberKind
    const Bytes one = {0, 0, 0, 0, 0, 0, 0, 0x80, 0xFF, 0x3F};
    EXPECT_EQ(Bytes(b.begin() + level + 40 + 78, b.begin() + level + 40 + 88), one); // MemberInertia
    EXPECT_EQ(b[level + 128], 1);                                                    // StructuralDesign
    EXPECT_EQ(i32At(128 + 12), 7);                                                   // ShapeRow
    EXPECT_EQ(b[level + 160 + 120], 1);                                              // ConcreteFilled
    EXPECT_EQ(b[level + 288], 5);                                                    // IShape name length
    EXPECT_EQ(std::string(b.begin() + level + 289, b.begin() + level + 294), "W8X10");
    EXPECT_EQ(i32At(769), 9);     // waler section row
    EXPECT_EQ(b[level + 793], 1); // TwoChannels
    EXPECT_EQ(b[level + 794], 1); // the next item: PointLoadOn of the default project
}

TEST(ProjectFile, DefaultProjectRoundTripsFieldForFieldAndByteIdentical) {
    ScratchFolder dir("file-default");
    const TKdData original;
    original.SaveToFile(dir.File("default.kpw"));

    TKdData loaded = MakeRichProject(); // a different project is replaced whole
    loaded.LoadFromFile(dir.File("default.kpw"));
    ExpectSameStoredFields(original, loaded);
    EXPECT_EQ(loaded.Anchors.Levels.size(), 1u);
    EXPECT_EQ(loaded.CornerBraces.Levels.size(), 1u);

    loaded.SaveToFile(dir.File("again.kpw"));
    EXPECT_EQ(ReadWholeFile(dir.File("again.kpw"), "file"), ReadWholeFile(dir.File("default.kpw"), "file"));
}

TEST(ProjectFile, RichProjectRoundTrips) {
    const TKdData original = MakeRichProject();
    const Bytes bytes = EncodeProject(original);
    TKdData loaded;
    DecodeProject(bytes, loaded);
    ExpectSameStoredFields(original, loaded);
    EXPECT_EQ(loaded.Anchors.Levels[1].IShape.Name, "W360X91");
    EXPECT_EQ(loaded.Logo.size(), 13u);
    EXPECT_TRUE(std::isnan(loaded.SpareValue5));
    EXPECT_EQ(EncodeProject(loaded), bytes);
    // SI units bring the SI limits and tables with them.
    EXPECT_EQ(loaded.FieldLimits[18].Min, 175000.0L); // SI "Steel Modulus of Elasticity" 175000 .. 250000
}

TEST(ProjectFile, TextsAboveTheBufferAreReadWholeAndWrittenCut) {
    TKdData d;
    d.ProjectName = std::string(300, 'p');
    const Bytes cut = EncodeProject(d);
    TKdData back;
    DecodeProject(cut, back);
    EXPECT_EQ(back.ProjectName, std::string(255, 'p'));

    // A stored text of 300 bytes (a file of another writer) is read whole.
    Bytes longText = EncodeProject(TKdData());
    const std::string org(300, 'o');
    const uint16_t n = 300;
    longText[64] = static_cast<uint8_t>(n & 0xFF);
    longText[65] = static_cast<uint8_t>(n >> 8);
    longText.insert(longText.begin() + 66, org.begin(), org.end());
    DecodeProject(longText, back);
    EXPECT_EQ(back.Organization, org);

    // Section names hold at most 55 characters.
    d.CustomSection.Name = std::string(70, 'n');
    DecodeProject(EncodeProject(d), back);
    EXPECT_EQ(back.CustomSection.Name, std::string(55, 'n'));
}

TEST(ProjectFile, OlderVersionsLeaveOutTheirItemsAndConvertLegacyValues) {
    TKdData src;
    src.AllowSkinFriction = 9.0L;
    src.AllowEndBearing = 9.0L;
    src.Anchors.Levels[0].Waler.TwoSpans = true;
    src.Anchors.Levels[0].Waler.TwoChannels = true;
    src.Anchors.Levels[0].Grade = 150;
    src.Anchors.Levels[0].Kind = lkRaker;
    src.Anchors.AnchorSpacingItem = 4;
    src.Anchors.SoilType = 5;
    src.UnfactoredPoints[1].W = 0.5L;
    src.CornerBraces.Levels[0].Kind = lkStrut;
    src.UseCornerBraces = true;
    src.BondSoilType = 3;
    src.UseBasalHeave = true;
    src.BasalCohesion = 900.0L;

    // File sizes shrink by exactly the items a version lacks (one level in each system).
    const size_t full = EncodeProject(src).size();
    EXPECT_EQ(EncodeProject(src, "1.17").size(), full - 2);          // TwoSpans in 2 levels
    EXPECT_EQ(EncodeProject(src, "1.16").size(), full - 2 - 20);     // skin friction, end bearing
    EXPECT_EQ(EncodeProject(src, "1.15").size(), full - 2 - 20 - 2); // TwoChannels in 2 levels

    struct Case {
        const char* version;
        bool skinFriction, twoSpans, twoChannels, anchorSpacing, soilType, unfactored, corners, kind, grade,
            bond, basal, useBasal;
    };
    // Which items each version holds, from the "first version" of every item.
    const Case cases[] = {
        {"1.18", true, true, true, true, true, true, true, true, true, true, true, true},
        {"1.16", false, false, true, true, true, true, true, true, true, true, true, true},
        {"1.12", false, false, false, false, true, true, true, true, true, true, true, true},
        {"1.10", false, false, false, false, true, true, true, true, true, true, true, false},
        {"1.08", false, false, false, false, true, true, false, true, true, true, false, false},
        {"1.05", false, false, false, false, true, true, false, true, false, true, false, false},
        {"1.0", false, false, false, false, true, true, false, true, false, false, false, false}, // 1.03
        {"1.02", false, false, false, false, true, false, false, true, false, false, false, false},
        {"1.01", false, false, false, false, true, false, false, false, false, false, false, false},
        {"1.00", false, false, false, false, false, false, false, false, false, false, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.version);
        TKdData d;
        ASSERT_EQ(WhatOfLoad(EncodeProject(src, c.version), d), "");
        const TAnchLevel& lv = d.Anchors.Levels[0];
        EXPECT_EQ(d.AllowSkinFriction, c.skinFriction ? 9.0L : 0.5L);
        EXPECT_EQ(d.AllowEndBearing, c.skinFriction ? 9.0L : 3.0L);
        EXPECT_EQ(lv.Waler.TwoSpans, c.twoSpans);
        EXPECT_EQ(lv.Waler.TwoChannels, c.twoChannels);
        EXPECT_EQ(d.Anchors.AnchorSpacingItem, c.anchorSpacing ? 4 : 1);
        EXPECT_EQ(d.Anchors.SoilType, c.soilType ? 5 : 0);
        // English and older than 1.15: the stored 0.5 ksf becomes 500 psf.
        EXPECT_EQ(d.UnfactoredPoints[1].W, c.unfactored ? (c.twoChannels ? 0.5L : 500.0L) : 0.0L);
        EXPECT_EQ(d.CornerBraces.Levels[0].Kind, c.corners ? lkStrut : lkUnused);
        EXPECT_EQ(d.UseCornerBraces, c.useBasal); // both appeared in 1.12
        EXPECT_EQ(lv.Kind, c.kind ? lkRaker : lkTieback);
        EXPECT_EQ(lv.Grade, c.grade ? 150 : 75); // a level without a grade gets a new level's
        EXPECT_EQ(d.BondSoilType, c.bond ? 3 : 0);
        EXPECT_EQ(d.BasalCohesion, c.basal ? 900.0L : 700.0L);
        EXPECT_EQ(d.UseBasalHeave, c.useBasal);
    }
}

TEST(ProjectFile, OldNorthAmericanSectionIndexIsRenumbered) {
    struct Case {
        const char* version;
        uint8_t family;
        int32_t stored, loaded;
    };
    // Rows below 87 kept their place; 87..90 moved down 13 rows, 91..97 14 rows, 98 on up 22.
    const Case cases[] = {
        {"1.04", sfNorthAmerican, 86, 86},  {"1.04", sfNorthAmerican, 87, 100},
        {"1.04", sfNorthAmerican, 90, 103}, {"1.04", sfNorthAmerican, 91, 105},
        {"1.04", sfNorthAmerican, 95, 109}, {"1.04", sfNorthAmerican, 97, 111},
        {"1.04", sfNorthAmerican, 98, 76},  {"1.04", sfNorthAmerican, 100, 78},
        {"1.04", sfNorthAmerican, -1, -1},  {"1.0", sfNorthAmerican, 95, 109},
        {"1.04", sfAustralian, 95, 95},     {"1.05", sfNorthAmerican, 95, 95},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.version) + " " + std::to_string(c.stored));
        TKdData src;
        src.SetShapeFamily(c.family);
        src.ShapeIndex = c.stored;
        TKdData d;
        DecodeProject(EncodeProject(src, c.version), d);
        EXPECT_EQ(d.ShapeIndex, c.loaded);
    }
}

TEST(ProjectFile, UnfactoredPressureOfOldEnglishFilesOnly) {
    struct Case {
        const char* version;
        uint8_t units;
        Ext loaded;
    };
    const Case cases[] = {{"1.14", usEnglish, 500.0L}, {"1.15", usEnglish, 0.5L}, {"1.14", usSI, 0.5L}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.version);
        TKdData src;
        src.SetUnits(c.units);
        for (TPressurePoint& p : src.UnfactoredPoints)
            p.W = 0.5L;
        TKdData d;
        DecodeProject(EncodeProject(src, c.version), d);
        for (const TPressurePoint& p : d.UnfactoredPoints)
            EXPECT_EQ(p.W, c.loaded);
    }
}

TEST(ProjectFile, RefusesForeignUnsupportedAndDamagedFiles) {
    const TKdData rich = MakeRichProject();
    const Bytes good = EncodeProject(rich);
    const size_t pictureAt = 64 + 2 + rich.Organization.size();

    struct Case {
        const char* what;
        Bytes bytes;
    };
    std::vector<Case> cases;
    const auto mutated = [&](const char* what, auto change) {
        Bytes b = good;
        change(b);
        cases.push_back({what, b});
    };
    cases.push_back({"empty file", {}});
    cases.push_back({"header cut at 63 bytes", Bytes(good.begin(), good.begin() + 63)});
    cases.push_back({"header only", Bytes(good.begin(), good.begin() + 64)});
    cases.push_back({"body cut by one byte", Bytes(good.begin(), good.end() - 1)});
    mutated("trailing byte", [](Bytes& b) { b.push_back(0); });
    mutated("foreign title", [](Bytes& b) { b[1] = 'q'; });
    mutated("title longer than its field", [](Bytes& b) { b[0] = 51; });
    mutated("version longer than its field", [](Bytes& b) { b[51] = 13; });
    mutated("newer version 1.19", [](Bytes& b) { b[55] = '9'; });
    mutated("version 1.18 with a comma", [](Bytes& b) { b[53] = ','; });
    mutated("version of letters", [](Bytes& b) { std::memcpy(&b[52], "abcd", 4); });
    mutated("empty version", [](Bytes& b) { b[51] = 0; });
    mutated("version 0.9", [](Bytes& b) {
        std::memcpy(&b[51],
                    "\x03"
                    "0.9",
                    4);
    });
    mutated("negative picture size", [&](Bytes& b) { PutI64(b, pictureAt, -1); });
    mutated("picture larger than the file", [&](Bytes& b) { PutI64(b, pictureAt, int64_t(1) << 40); });
    mutated("text longer than the file", [](Bytes& b) { b[64] = 0xFF, b[65] = 0xFF; });
    {
        // Offsets in the default project (see the layout above).
        Bytes plain = EncodeProject(TKdData());
        const auto plainCase = [&](const char* what, auto change) {
            Bytes b = plain;
            change(b);
            cases.push_back({what, b});
        };
        plainCase("units byte 2", [](Bytes& b) { b[64 + 2 + 8 + 6 + 8] = 2; });
        plainCase("level count -1", [](Bytes& b) { PutI32(b, kAnchorsAt, -1); });
        plainCase("level count 1001", [](Bytes& b) { PutI32(b, kAnchorsAt, 1001); });
        plainCase("level count 1000 without the levels", [](Bytes& b) { PutI32(b, kAnchorsAt, 1000); });
        plainCase("corner level count 2 with one level", [](Bytes& b) { PutI32(b, kCornersAt, 2); });
        plainCase("section name length 56", [](Bytes& b) {
            // CustomSection is the 192 bytes before the three Booleans, Int32 and 4 Ext of 41..43.
            b[kAnchorsAt - 47 - 192] = 56;
        });
    }

    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TKdData d = rich;
        EXPECT_EQ(WhatOfLoad(c.bytes, d), "Wrong file format");
        // Nothing of the failed load is left behind.
        ExpectSameStoredFields(rich, d);
    }
}

TEST(ProjectFile, UnreadableFileSaysWhyAndLeavesTheProject) {
    ScratchFolder dir("file-unreadable");
    const TKdData rich = MakeRichProject();
    for (const std::string& name : {dir.File("missing.kpw"), dir.Path().string()}) {
        SCOPED_TRACE(name);
        TKdData d = rich;
        try {
            d.LoadFromFile(name);
            ADD_FAILURE() << "loaded";
        } catch (const std::runtime_error& e) {
            const std::string what = e.what();
            EXPECT_NE(what.find(name), std::string::npos) << what;
            EXPECT_EQ(what.find("Wrong file format"), std::string::npos) << what;
        }
        ExpectSameStoredFields(rich, d);
    }
}

namespace {
struct CommaDecimal : std::numpunct<char> {
    char do_decimal_point() const override { return ','; }
};
} // namespace

TEST(ProjectFile, VersionIsReadTheSameUnderAnyLocale) {
    const std::locale savedGlobal;
    const std::string savedC = std::setlocale(LC_ALL, nullptr);
    // A comma-decimal locale for C++ streams, and for C functions where one is installed.
    std::locale::global(std::locale(std::locale::classic(), new CommaDecimal));
    for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "de_DE", "fr_FR.UTF-8"})
        if (std::setlocale(LC_ALL, name)) break;

    EXPECT_EQ(FileVersionNumber("1.18"), 1.18);
    EXPECT_EQ(FileVersionNumber("1.1"), 1.10);
    EXPECT_EQ(FileVersionNumber("1.0"), 1.03);
    EXPECT_TRUE(std::isnan(FileVersionNumber("1,18")));
    TKdData d;
    const std::string what = WhatOfLoad(EncodeProject(MakeRichProject()), d);

    std::setlocale(LC_ALL, savedC.c_str());
    std::locale::global(savedGlobal);
    EXPECT_EQ(what, "");
    EXPECT_EQ(d.Units, usSI);
}

TEST(ProjectFile, DamagedCopiesLoadOrFailCleanly) {
    // Every damaged copy either loads (and then saves and loads again to the same bytes) or
    // fails with "Wrong file format" and leaves the project untouched. Run under the sanitizers
    // this also shows that no damage reads out of bounds or allocates without limit.
    const TKdData rich = MakeRichProject();
    const Bytes good = EncodeProject(rich);
    std::mt19937 rng(20261207);
    int loaded = 0, refused = 0;
    const auto check = [&](const Bytes& b, bool mustFail) {
        TKdData d = rich;
        const std::string what = WhatOfLoad(b, d);
        if (what.empty()) {
            EXPECT_FALSE(mustFail);
            ++loaded;
            const Bytes again = EncodeProject(d);
            TKdData e;
            ASSERT_EQ(WhatOfLoad(again, e), "");
            EXPECT_EQ(EncodeProject(e), again);
        } else {
            ASSERT_EQ(what, "Wrong file format");
            ++refused;
            ExpectSameStoredFields(rich, d);
        }
    };

    // Truncations: a file cut anywhere is damaged.
    for (int i = 0; i < 300; ++i)
        check(Bytes(good.begin(), good.begin() + rng() % good.size()), true);
    // Byte flips, one to four at a time.
    for (int i = 0; i < 400; ++i) {
        Bytes b = good;
        for (int k = 0, n = 1 + static_cast<int>(rng() % 4); k < n; ++k)
            b[rng() % b.size()] ^= 1u << (rng() % 8);
        check(b, false);
    }
    // Oversized lengths and counts written over every 4-byte position of the body in turn.
    const uint32_t huge[] = {0xFFFFFFFFu, 0x7FFFFFFFu, 0x10000u, 1000u};
    for (int i = 0; i < 300; ++i) {
        Bytes b = good;
        const uint32_t v = huge[rng() % 4];
        std::memcpy(b.data() + 64 + rng() % (b.size() - 68), &v, 4);
        check(b, false);
    }
    EXPECT_EQ(loaded + refused, 1000);
    // Both outcomes are exercised: the 300 truncations fail, most flips of a value still load.
    EXPECT_GE(refused, 300);
    EXPECT_GE(loaded, 300);
}

TEST(ProjectFile, FailedSaveKeepsTheOldFile) {
    ScratchFolder dir("file-save");
    const std::string target = dir.File("project.kpw");
    const TKdData rich = MakeRichProject();
    rich.SaveToFile(target);
    const Bytes before = ReadWholeFile(target, "file");

    // A process file size limit below the project size makes the write fail part way.
    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 100;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    std::string message;
    try {
        TKdData().SaveToFile(target);
    } catch (const std::runtime_error& e) {
        message = e.what();
    }
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_NE(message.find(target), std::string::npos) << message;
    EXPECT_EQ(ReadWholeFile(target, "file"), before);
    // Neither the failed save nor the good one leaves a temporary file behind.
    int files = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(dir.Path()))
        ++files;
    EXPECT_EQ(files, 1);

    // A folder that does not exist: the message names the file.
    try {
        rich.SaveToFile(dir.File("no-such-folder/p.kpw"));
        ADD_FAILURE() << "saved";
    } catch (const std::runtime_error& e) {
        EXPECT_NE(std::string(e.what()).find("no-such-folder/p.kpw"), std::string::npos);
    }
}

TEST(ProjectFile, LogoIsJpegBytesKeptAsStored) {
    ScratchFolder dir("file-logo");
    const Bytes jpeg = {0xFF, 0xD8, 0xFF, 0xDB, 0x00, 0x43, 0x00, 0x10, 0xFF, 0xD9};
    const Bytes png = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
    std::ofstream(dir.File("logo.jpg"), std::ios::binary)
        .write(reinterpret_cast<const char*>(jpeg.data()), 10);
    std::ofstream(dir.File("logo.png"), std::ios::binary).write(reinterpret_cast<const char*>(png.data()), 8);

    TKdData d;
    d.LoadPictureFromFile(dir.File("logo.jpg"));
    EXPECT_EQ(d.Logo, jpeg);
    // The logo is written as its size and its bytes, unchanged, right after the organization.
    const Bytes b = EncodeProject(d);
    int64_t size = 0;
    std::memcpy(&size, b.data() + 66, 8);
    EXPECT_EQ(size, 10);
    EXPECT_EQ(Bytes(b.begin() + 74, b.begin() + 84), jpeg);

    for (const std::string& bad : {dir.File("logo.png"), dir.File("none.jpg")}) {
        SCOPED_TRACE(bad);
        d.SetPicture(jpeg);
        EXPECT_THROW(d.LoadPictureFromFile(bad), std::runtime_error);
        EXPECT_TRUE(d.Logo.empty());
    }

    Bytes mine = jpeg;
    d.SetPicture(mine);
    mine[2] = 0;
    EXPECT_EQ(d.Logo, jpeg); // a copy
    d.SetPicture({});
    EXPECT_TRUE(d.Logo.empty());
}

// --- The whole layout, item by item ---------------------------------------------------------------

namespace {

// The expected image of a project file, built item by item in the order and encodings of the
// format while every stored value of the project gets a value of its own. Comparing it with the
// writer's output shows a swapped pair, a wrong size or a missing filler at the item where it is.
class LayoutImage {
  public:
    explicit LayoutImage(Bytes header) : bytes_(std::move(header)) {}

    void Ext10(const char* name, Ext& f) {
        f = static_cast<Ext>(next_++) + 0.25L;
        Again(name, f);
    }
    // An item that repeats a value written before (the first copy of AuxInput1, the unfactored
    // points in the corner-brace record).
    void Again(const char* name, Ext v) {
        unsigned char image[sizeof(Ext)] = {};
        std::memcpy(image, &v, sizeof(Ext));
        Append(name, image, 10);
    }
    void I32(const char* name, int32_t& f) {
        f = next_++;
        Append(name, &f, 4);
    }
    void I32Fixed(const char* name, int32_t& f, int32_t v) {
        f = v;
        Append(name, &f, 4);
    }
    void Bool(const char* name, bool& f) {
        f = next_++ % 2 == 1; // neighbouring Booleans differ
        const uint8_t b = f ? 1 : 0;
        Append(name, &b, 1);
    }
    void Byte(const char* name, uint8_t& f, uint8_t v) {
        f = v;
        Append(name, &f, 1);
    }
    void Dbl(const char* name, double& f) {
        f = next_++ + 0.5;
        Append(name, &f, 8);
    }
    void Text(const char* name, std::string& f) {
        f = name;
        const auto n = static_cast<uint16_t>(f.size());
        Append(name, &n, 2);
        Append(name, f.data(), f.size());
    }
    void Picture(const char* name, std::vector<uint8_t>& f, const Bytes& jpeg) {
        f = jpeg;
        const auto n = static_cast<int64_t>(jpeg.size());
        Append(name, &n, 8);
        Append(name, jpeg.data(), jpeg.size());
    }
    // Section row name: length byte and up to 55 characters in 56 bytes.
    void Name(const char* name, std::string& f) {
        f = "Row " + std::to_string(next_++);
        const auto n = static_cast<uint8_t>(f.size());
        Append(name, &n, 1);
        Append(name, f.data(), f.size());
        Zeros(55 - f.size());
    }
    void Zeros(size_t n) {
        const Bytes z(n, 0);
        Append("filler", z.data(), n);
    }

    const Bytes& bytes() const { return bytes_; }
    // The item that covers byte `at`.
    std::string ItemAt(size_t at) const {
        std::string name = "header";
        for (const auto& [start, item] : marks_)
            if (start <= at) name = item;
        return name;
    }

  private:
    void Append(const char* name, const void* p, size_t n) {
        marks_.emplace_back(bytes_.size(), name);
        const auto* b = static_cast<const uint8_t*>(p);
        bytes_.insert(bytes_.end(), b, b + n);
    }

    Bytes bytes_;
    std::vector<std::pair<size_t, std::string>> marks_;
    int next_ = 1;
};

#define LAYOUT_EXT(f) img.Ext10(#f, f)
#define LAYOUT_I32(f) img.I32(#f, f)
#define LAYOUT_BOOL(f) img.Bool(#f, f)
#define LAYOUT_DBL(f) img.Dbl(#f, f)

void LayoutPoint(LayoutImage& img, TPressurePoint& p) {
    LAYOUT_EXT(p.X);
    LAYOUT_EXT(p.W);
    img.Zeros(4);
}

void LayoutLevel(LayoutImage& img, TAnchLevel& lv, uint8_t walerFamily) {
    LAYOUT_I32(lv.Kind);
    LAYOUT_EXT(lv.HeightFromPrevious);
    LAYOUT_EXT(lv.Angle);
    LAYOUT_I32(lv.TendonType);
    LAYOUT_I32(lv.TieRodAnchorage);
    LAYOUT_I32(lv.BarSize);
    LAYOUT_I32(lv.Grade);
    // Pile properties block, 88 bytes.
    LAYOUT_I32(lv.PileSoilInterface);
    LAYOUT_I32(lv.PileInstallation);
    LAYOUT_I32(lv.MemberKind);
    img.Zeros(4);
    LAYOUT_EXT(lv.MemberWidth);
    LAYOUT_EXT(lv.MemberLength);
    LAYOUT_EXT(lv.MemberE);
    img.Zeros(2);
    LAYOUT_EXT(lv.MemberArea);
    LAYOUT_EXT(lv.MemberPerimeter);
    LAYOUT_EXT(lv.MemberTipArea);
    LAYOUT_EXT(lv.MemberInertia);
    // Member choice block, 32 bytes.
    LAYOUT_BOOL(lv.StructuralDesign);
    img.Zeros(3);
    LAYOUT_I32(lv.ShapeFamily);
    LAYOUT_I32(lv.MemberType);
    LAYOUT_I32(lv.ShapeRow);
    LAYOUT_EXT(lv.CombinedRatio);
    img.Zeros(6);
    // Member loads block, 128 bytes.
    for (Ext* f : {&lv.TestLoad, &lv.Mx, &lv.My, &lv.Fy, &lv.Kx, &lv.Ky, &lv.Lx, &lv.Ly, &lv.Lb, &lv.Cb,
                   &lv.Cmx, &lv.Fc})
        img.Ext10("member load", *f);
    LAYOUT_BOOL(lv.ConcreteFilled);
    img.Zeros(7);
    // Member I-shape row, 240 bytes; pipe row, 168 bytes.
    TIShape& i = lv.IShape;
    img.Name("IShape.Name", i.Name);
    for (Ext* f : {&i.W, &i.A, &i.D, &i.Bf, &i.Tw, &i.Tf, &i.Ix, &i.Zx, &i.Sx, &i.Rx, &i.Iy, &i.Zy, &i.Sy,
                   &i.Ry, &i.J, &i.Cw, &i.Rts, &i.H0})
        img.Ext10("IShape value", *f);
    img.Zeros(4);
    TOShape& o = lv.OShape;
    img.Name("OShape.Name", o.Name);
    for (Ext* f : {&o.W, &o.A, &o.OD, &o.TNominal, &o.T, &o.DOverT, &o.I, &o.Z, &o.S, &o.R, &o.J})
        img.Ext10("OShape value", *f);
    img.Zeros(2);
    TWaler& w = lv.Waler;
    LAYOUT_BOOL(w.HasWaler);
    LAYOUT_BOOL(w.TwoSpans);
    LAYOUT_EXT(w.WLeft);
    LAYOUT_EXT(w.Wa);
    LAYOUT_EXT(w.Wb);
    LAYOUT_EXT(w.Wc);
    LAYOUT_EXT(w.WalerDepth);
    LAYOUT_EXT(w.WalerLoad);
    LAYOUT_EXT(w.Fy);
    img.Byte("w.ShapeFamily", w.ShapeFamily, walerFamily);
    LAYOUT_I32(w.ShapeRow);
    LAYOUT_EXT(w.E);
    LAYOUT_EXT(w.WalerIx);
    LAYOUT_BOOL(w.TwoChannels);
}

void LayoutSystem(LayoutImage& img, TAnchor& a, std::array<TPressurePoint, 4>& unfactored, bool firstRecord) {
    img.I32Fixed("a.LevelCount", a.LevelCount, static_cast<int32_t>(a.Levels.size()));
    LAYOUT_I32(a.AnchorSpacingItem);
    LAYOUT_EXT(a.SheetPileSpacingStep);
    LAYOUT_I32(a.SoilType);
    for (TPressurePoint& p : unfactored) {
        if (firstRecord) {
            LayoutPoint(img, p);
        } else {
            img.Again("unfactored X (again)", p.X);
            img.Again("unfactored W (again)", p.W);
            img.Zeros(4);
        }
    }
    for (Ext* f : {&a.MaxDeflection, &a.LoadingHeight, &a.EmbedmentRatio, &a.Lb, &a.Cb, &a.TotalVerticalLoad,
                   &a.MaxSpan, &a.K, &a.TestLoadFactor, &a.SurchargeK, &a.Kh, &a.ApparentPressure,
                   &a.UniformSurcharge, &a.WaterDepth})
        img.Ext10("system value", *f);
    uint8_t walerFamily = 1;
    for (TAnchLevel& lv : a.Levels)
        LayoutLevel(img, lv, walerFamily++);
    LAYOUT_BOOL(a.PointLoadOn);
    LAYOUT_BOOL(a.LineLoadOn);
    LAYOUT_BOOL(a.StripLoadOn);
    for (double* f : {&a.PointDepth, &a.LineDepth, &a.StripDepth, &a.PointLoad, &a.PointOffset, &a.LineLoad,
                      &a.LineOffset, &a.StripLoad, &a.StripOffset, &a.StripWidth})
        img.Dbl("surcharge double", *f);
}

} // namespace

TEST(ProjectFile, EveryItemStandsAtItsPlaceInItsEncoding) {
    TKdData d;
    d.Anchors.LevelCount = 2;
    d.ResizeAnchorLevels();

    // Header: "Quarnel Vantrel" (15 characters) in 51 bytes, "1.18" in 13.
    Bytes header(64, 0);
    header[0] = 15;
    std::memcpy(&header[1], "Quarnel Vantrel", 15);
    header[51] = 4;
    std::memcpy(&header[52], "1.18", 4);
    LayoutImage img(header);

    img.Text("Organization", d.Organization);
    img.Picture("Logo", d.Logo, {0xFF, 0xD8, 0x00, 0x01, 0xFF, 0xD9});
    img.Text("ProjectName", d.ProjectName);
    img.Text("JobNumber", d.JobNumber);
    img.Text("DesignedBy", d.DesignedBy);
    LAYOUT_DBL(d.Date);
    img.Byte("Units", d.Units, usSI);
    for (int32_t* f : {&d.PressureMethod, &d.Installation, &d.PileType, &d.PileSection, &d.SoilInputMode})
        img.I32("option", *f);
    LAYOUT_EXT(d.SoilPressureRate);
    LAYOUT_EXT(d.SpareValue4);
    LAYOUT_EXT(d.SpareValue6);
    LAYOUT_EXT(d.SpareValue5);
    LAYOUT_I32(d.LaggingType);
    for (Ext* f : {&d.TimberFb, &d.TimberFv, &d.LaggingSizeFactor, &d.LaggingFlatUseFactor, &d.TimberFcPerp,
                   &d.ArchingFactor})
        img.Ext10("lagging value", *f);
    LAYOUT_I32(d.LaggingConcreteSet);
    LAYOUT_EXT(d.TimberE);
    img.Zeros(10); // reserved
    LAYOUT_BOOL(d.SouthernPine);
    LAYOUT_I32(d.LumberGrade);
    for (TSoilRecord& r : d.SoilRecords)
        for (Ext* f : {&r.Value1, &r.Angle, &r.Value3, &r.Angle2, &r.UnitWeight, &r.Surcharge})
            img.Ext10("soil record value", *f);
    LAYOUT_EXT(d.SpareValue1);
    LAYOUT_EXT(d.SpareValue2);
    LAYOUT_EXT(d.IgnorePassive);
    LAYOUT_EXT(d.DiagramScale);
    for (Ext* f : {&d.PileSpacing, &d.ShoredHeight, &d.SteelE, &d.SteelFy, &d.SpareValue3, &d.PileWidth,
                   &d.ConcreteFc, &d.AxialLoad, &d.RowBaseValue})
        img.Ext10("pile value", *f);
    LAYOUT_EXT(d.AuxInput1); // the first copy
    LAYOUT_EXT(d.AllowSkinFriction);
    LAYOUT_EXT(d.AllowEndBearing);
    LAYOUT_BOOL(d.DesignFlag1);
    LAYOUT_BOOL(d.DesignFlag2);
    img.Again("AuxInput1 (second copy)", d.AuxInput1);
    for (Ext* f : {&d.AuxInput2, &d.AuxInput3, &d.AuxInput4, &d.AuxInput5, &d.AuxInput6, &d.AuxInput7})
        img.Ext10("aux input", *f);
    img.Byte("ShapeFamily", d.ShapeFamily, sfBritish);
    LAYOUT_I32(d.ShapeIndex);
    LAYOUT_I32(d.SheetIndex);
    for (TPressurePoint& p : d.LoadingSidePoints)
        LayoutPoint(img, p);
    for (TPressurePoint& p : d.PassiveSidePoints)
        LayoutPoint(img, p);
    for (int32_t* f :
         {&d.RebarStandard, &d.VerticalBarSize, &d.VerticalBarCount, &d.TieOrSpiral, &d.LateralBarSize})
        img.I32("rebar choice", *f);
    LAYOUT_EXT(d.ClearCover);
    LAYOUT_EXT(d.PitchOverride);
    LAYOUT_I32(d.ConcretePlacement);
    TSteelShape& s = d.CustomSection;
    img.Name("CustomSection.Name", s.Name);
    for (Ext* f : {&s.Zx, &s.Ix, &s.Aw, &s.Iy, &s.Tf, &s.D, &s.Ry, &s.Sx, &s.A, &s.Bf, &s.J, &s.K1, &s.Tw})
        img.Ext10("CustomSection value", *f);
    img.Zeros(6);
    LAYOUT_BOOL(d.PipeFilledWithConcrete);
    LAYOUT_BOOL(d.SpareFlag);
    LAYOUT_BOOL(d.UseGuardrail);
    LAYOUT_I32(d.GuardrailAngle);
    LAYOUT_EXT(d.GuardrailLength);
    LAYOUT_EXT(d.GuardrailLoad);
    LAYOUT_EXT(d.GuardrailPointLoad);
    LAYOUT_EXT(d.GuardrailSpacing);
    LayoutSystem(img, d.Anchors, d.UnfactoredPoints, true);
    LAYOUT_BOOL(d.UseCornerBraces);
    LayoutSystem(img, d.CornerBraces, d.UnfactoredPoints, false);
    LAYOUT_I32(d.BondSoilType);
    LAYOUT_EXT(d.AllowLoadTransfer);
    LAYOUT_BOOL(d.UseBasalHeave);
    LAYOUT_I32(d.BasalCondition);
    for (Ext* f :
         {&d.BasalCohesion, &d.BasalNc, &d.BasalUnitWeight, &d.BasalHeight, &d.BasalSurcharge, &d.BasalWidth})
        img.Ext10("basal value", *f);

    // Two levels in each system: 64 + 1170 + 2 x (341 + 2 x 794) + 1 + 79 bytes, and the texts
    // ("Organization" 12, "ProjectName" 11, "JobNumber" 9, "DesignedBy" 10) and the 6 logo bytes.
    const Bytes& expected = img.bytes();
    ASSERT_EQ(expected.size(), 64u + 1170u + 2u * (341u + 2u * 794u) + 1u + 79u + 42u + 6u);
    const Bytes written = EncodeProject(d);
    ASSERT_EQ(written.size(), expected.size());
    const auto diff = std::mismatch(written.begin(), written.end(), expected.begin());
    if (diff.first != written.end()) {
        const auto at = static_cast<size_t>(diff.first - written.begin());
        ADD_FAILURE() << "first difference at byte " << at << ", item " << img.ItemAt(at);
    }

    // The reader puts every value back where it came from; the corner-brace system then takes the
    // shared settings of the anchors (as after any load).
    TKdData back;
    ASSERT_EQ(WhatOfLoad(expected, back), "");
    TKdData shared = d;
    shared.ResizeAnchorLevels();
    ExpectSameStoredFields(shared, back);
    EXPECT_NE(back.CornerBraces.SoilType, d.CornerBraces.SoilType); // the file's own value was replaced
    EXPECT_EQ(back.CornerBraces.TestLoadFactor, d.CornerBraces.TestLoadFactor); // not a shared setting
}

#undef LAYOUT_EXT
#undef LAYOUT_I32
#undef LAYOUT_BOOL
#undef LAYOUT_DBL

TEST(ProjectFile, EachVersionLacksExactlyTheItemsAddedAfterIt) {
    // Sizes of the default project (one level in each system) in every format version, worked
    // out from the first version of each item. Going one version down removes:
    //   1.18 TwoSpans (1 byte in each of the 2 levels)            3584 -> 3582
    //   1.17 AllowSkinFriction, AllowEndBearing (2 x 10)          3582 -> 3562
    //   1.16 TwoChannels (1 x 2 levels)                           3562 -> 3560
    //   1.15 nothing (only the pressure unit changed)             3560
    //   1.14 SheetPileSpacingStep (10 x 2 systems)                3560 -> 3540
    //   1.13 AnchorSpacingItem (4 x 2 systems)                    3540 -> 3532
    //   1.12 UseCornerBraces, UseBasalHeave (1 + 1)               3532 -> 3530
    //   1.11 waler E and WalerIx (20 x 2 levels)                  3530 -> 3490
    //   1.10 BasalCondition and the six basal values (4 + 60)     3490 -> 3426
    //   1.09 the corner-brace record: 4 + 4 + 96 + 140 + level (4 + 20 + 16 + 656 + 1 + 70 + 1 + 4
    //        = 772) + 3 + 80 = 1099                               3426 -> 2327
    //   1.08 the waler of the anchor level (1 + 70 + 1 + 4)       2327 -> 2251
    //   1.07 the member blocks and rows (88 + 32 + 128 + 240 + 168) 2251 -> 1595
    //   1.06 tendon, anchorage, bar size, grade (4 x 4)           1595 -> 1579
    //   1.05 nothing                                              1579
    //   1.04 BondSoilType, AllowLoadTransfer (4 + 10)             1579 -> 1565
    //   1.03 the four unfactored points (96)                      1565 -> 1469
    //   1.02 Kind (4)                                             1469 -> 1465
    //   1.01 SoilType (4)                                         1465 -> 1461
    // Check of the last: 64 + 1170 - 20 + (4 + 140 + 20 + 83) = 1461. "1.0" is format 1.03.
    const std::pair<const char*, size_t> cases[] = {
        {"1.18", 3584}, {"1.17", 3582}, {"1.16", 3562}, {"1.15", 3560}, {"1.14", 3560},
        {"1.13", 3540}, {"1.12", 3532}, {"1.11", 3530}, {"1.10", 3490}, {"1.09", 3426},
        {"1.08", 2327}, {"1.07", 2251}, {"1.06", 1595}, {"1.05", 1579}, {"1.04", 1579},
        {"1.03", 1565}, {"1.0", 1565},  {"1.02", 1469}, {"1.01", 1465}, {"1.00", 1461},
    };
    const TKdData d;
    for (const auto& [version, size] : cases) {
        SCOPED_TRACE(version);
        const Bytes b = EncodeProject(d, version);
        EXPECT_EQ(b.size(), size);
        TKdData back;
        EXPECT_EQ(WhatOfLoad(b, back), ""); // and the reader takes exactly these items
    }
}
