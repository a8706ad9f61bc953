// Section catalogs: the compiled tables and the lookups of the project against them.
//
// Tolerances: the published tables round every value to three or four significant digits, so
// identities between values (Sx = Ix / (d/2), r = sqrt(I/A), English = SI / factor) hold to about
// 1 %. Looser tolerances are named where a table is known to deviate further.

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <thread>
#include <vector>

#include "model/BeamShapes.h"
#include "model/KdClasses.h"
#include "model/SharedCatalogs.h"

using namespace vantrel;

namespace {

constexpr Ext kIn = 2.54L;   // cm per in
constexpr Ext kInMm = 25.4L; // mm per in
constexpr Ext kRoundOff = 0.01L;

::testing::AssertionResult Near(Ext actual, Ext expected, Ext relTol) {
    if (std::fabs(actual - expected) <= relTol * std::fabs(expected)) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << actual << " is not within " << relTol * 100 << " % of " << expected;
}

TKdData Project(uint8_t units, uint8_t family = sfNorthAmerican, int pileType = ptSoldierBeam) {
    TKdData d;
    d.SetUnits(units);
    d.SetShapeFamily(family);
    d.SetPileType(pileType);
    return d;
}

// A row as its name and values, so one check covers every row type.
struct FlatRow {
    std::string Name;
    std::vector<Ext> Values;
};
FlatRow Flat(const TSteelShape& s) {
    return {s.Name, {s.Zx, s.Ix, s.Aw, s.Iy, s.Tf, s.D, s.Ry, s.Sx, s.A, s.Bf, s.J, s.K1, s.Tw}};
}
FlatRow Flat(const TIShape& s) {
    return {s.Name,
            {s.W, s.A, s.D, s.Bf, s.Tw, s.Tf, s.Ix, s.Zx, s.Sx, s.Rx, s.Iy, s.Zy, s.Sy, s.Ry, s.J, s.Cw,
             s.Rts, s.H0}};
}
FlatRow Flat(const TOShape& s) {
    return {s.Name, {s.W, s.A, s.OD, s.TNominal, s.T, s.DOverT, s.I, s.Z, s.S, s.R, s.J}};
}
template <typename Table> std::vector<FlatRow> FlatTable(const Table& rows) {
    using Row = typename Table::value_type;
    std::vector<FlatRow> flat;
    for (const Row& r : rows)
        flat.push_back(Flat(r));
    return flat;
}

TArrIShapes IShapes(uint8_t family, bool si) {
    TArrIShapes t;
    BeamShapes::LoadIShapes(family, si, t);
    return t;
}
TArrOShapes OShapes(uint8_t family, bool si) {
    TArrOShapes t;
    BeamShapes::LoadOShapes(family, si, t);
    return t;
}

} // namespace

// Counts and first and last rows as the published tables give them (American W/HP/C/HSS from the
// AISC database v14.0, Australian AS/NZS 3679.1, British BS 4-1, European IPE/HE and EN 10210/10219
// CHS); every name set and every value finite and non-negative.
TEST(Catalogs, EveryTableHasItsRowsAndSoundValues) {
    struct Case {
        const char* label;
        std::vector<FlatRow> rows;
        std::size_t count;
        const char* first;
        const char* last;
    };
    const Case cases[] = {
        {"NA piles in", FlatTable(Project(usEnglish).SteelShapes), 176, "W27X539", "HP8X36"},
        {"NA piles SI", FlatTable(Project(usSI).SteelShapes), 176, "W690X802", "HP200X53"},
        {"AU piles", FlatTable(Project(usSI, sfAustralian).SteelShapes), 41, "610 UB 125", "100 UC 14.8"},
        {"UK piles", FlatTable(Project(usSI, sfBritish).SteelShapes), 86, "UB 1016x305x487", "UB 254x146x37"},
        {"EU piles", FlatTable(Project(usEnglish, sfEuropean).SteelShapes), 67, "IPE 100 A", "IPE 600 V"},
        {"sheet in", FlatTable(Project(usEnglish, 0, ptSheet).SteelShapes), 25, "PZ 22", "PZC 28"},
        {"sheet SI", FlatTable(Project(usSI, 0, ptSheet).SteelShapes), 25, "PZ 22", "PZC 28"},
        {"channels in", FlatTable(Project(usEnglish).ChannelShapes), 16, "C15X50", "C8X11.5"},
        {"channels SI", FlatTable(Project(usSI).ChannelShapes), 16, "C380X74", "C200X17.1"},
        {"W/HP in", FlatTable(IShapes(sfNorthAmerican, false)), 340, "W44X335", "HP8X36"},
        {"W/HP SI", FlatTable(IShapes(sfNorthAmerican, true)), 340, "W1100X499", "HP200X53"},
        {"UB/UC", FlatTable(IShapes(sfBritish, true)), 111, "1016x305x487", "152x152x23"},
        {"IPE/HE", FlatTable(IShapes(sfEuropean, false)), 175, "IPE 100A", "HE 1000 M"},
        {"HSS/pipe in", FlatTable(OShapes(sfNorthAmerican, false)), 165, "HSS20X.500", "Pipe2XXS"},
        {"HSS/pipe SI", FlatTable(OShapes(sfEuropean, true)), 165, "HSS508X12.7", "Pipe51XXS"},
        {"CHS", FlatTable(OShapes(sfBritish, true)), 326, "CHShf21.3x2.6", "CHScf508x16"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        ASSERT_EQ(c.rows.size(), c.count);
        EXPECT_EQ(c.rows.front().Name, c.first);
        EXPECT_EQ(c.rows.back().Name, c.last);
        for (const FlatRow& r : c.rows) {
            EXPECT_FALSE(r.Name.empty());
            EXPECT_LE(r.Name.size(), 55u);
            for (const Ext v : r.Values)
                EXPECT_TRUE(std::isfinite(v) && v >= 0.0L) << r.Name;
        }
    }
}

// I-shape and channel pile rows: Sx = Ix / (d/2) and ry = sqrt(Iy / A) by definition, Aw = d tw,
// the gross area exceeds the web, and the plastic modulus exceeds the elastic one. In the cm-based
// SI layout Ry is in mm and A in mm^2: ry = sqrt(Iy[cm^4] x 10^4 / A). The English versions of
// the SI-only tables come out of ConvertShapeRow and must satisfy the same identities.
TEST(Catalogs, PileSectionRowsAreConsistent) {
    struct Case {
        const char* label;
        TArrSteelShapes rows;
    };
    const Case cases[] = {
        {"NA in", Project(usEnglish).SteelShapes},
        {"NA SI", Project(usSI).SteelShapes},
        {"AU in", Project(usEnglish, sfAustralian).SteelShapes},
        {"AU SI", Project(usSI, sfAustralian).SteelShapes},
        {"UK in", Project(usEnglish, sfBritish).SteelShapes},
        {"UK SI", Project(usSI, sfBritish).SteelShapes},
        {"EU in", Project(usEnglish, sfEuropean).SteelShapes},
        {"EU SI", Project(usSI, sfEuropean).SteelShapes},
        {"C in", Project(usEnglish).ChannelShapes},
        {"C SI", Project(usSI).ChannelShapes},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        const bool si = std::string(c.label).ends_with("SI");
        const Ext mm2PerAw = si ? 100.0L : 1.0L;   // A in mm^2 against Aw in cm^2
        const Ext mm4PerIy = si ? 10000.0L : 1.0L; // Iy in cm^4 against Ry in mm
        for (const TSteelShape& r : c.rows) {
            SCOPED_TRACE(r.Name);
            EXPECT_TRUE(Near(r.Sx, r.Ix / (r.D / 2.0L), kRoundOff));
            EXPECT_TRUE(Near(r.Ry, std::sqrt(r.Iy * mm4PerIy / r.A), kRoundOff));
            EXPECT_TRUE(Near(r.Aw, r.D * r.Tw, 1e-4L));
            EXPECT_GT(r.A, r.Aw * mm2PerAw);
            EXPECT_GE(r.Zx, r.Sx);
        }
    }
}

// The American SI rows are the same sections as the English rows: converted to inches they give
// the English values within the round-off of the two tables.
TEST(Catalogs, NorthAmericanSIRowsConvertToTheEnglishRows) {
    const TKdData en = Project(usEnglish);
    const TKdData si = Project(usSI);
    for (const auto& [english, metric] :
         {std::pair{en.SteelShapes, si.SteelShapes}, std::pair{en.ChannelShapes, si.ChannelShapes}}) {
        ASSERT_EQ(english.size(), metric.size());
        for (std::size_t i = 0; i < english.size(); ++i) {
            TSteelShape converted;
            TKdData::ConvertShapeRow(metric[i], converted);
            const FlatRow a = Flat(converted), b = Flat(english[i]);
            SCOPED_TRACE(b.Name);
            for (std::size_t k = 0; k < a.Values.size(); ++k)
                EXPECT_TRUE(Near(a.Values[k], b.Values[k], kRoundOff)) << k;
        }
    }
}

// Member I-shapes: the section identities in each unit system, and English against SI through
// the unit factors (lb/ft -> kg/m 1.48816, in -> mm 25.4, in^2 -> mm^2 645.16, in^3 -> 10^3 mm^3
// 16.387064, in^4 -> 10^6 mm^4 0.41623, J in^4 -> 10^3 mm^4 416.23, in^6 -> 10^9 mm^6 0.268535).
// The AISC SI designations round the mass (W6X8.5 is W150X13, 2.8 % above 8.5 x 1.48816).
TEST(Catalogs, MemberIShapesAreConsistent) {
    const Ext in3 = kInMm * kInMm * kInMm, in4 = in3 * kInMm;
    const std::vector<Ext> factor = {1.48816394L, kInMm * kInMm, kInMm,      kInMm,
                                     kInMm,       kInMm,         in4 / 1e6L, in3 / 1e3L,
                                     in3 / 1e3L,  kInMm,         in4 / 1e6L, in3 / 1e3L,
                                     in3 / 1e3L,  kInMm,         in4 / 1e3L, in4 * kInMm * kInMm / 1e9L,
                                     kInMm,       kInMm};
    for (const uint8_t family : {sfNorthAmerican, sfBritish, sfEuropean}) {
        SCOPED_TRACE(static_cast<int>(family));
        const TArrIShapes en = IShapes(family, false), si = IShapes(family, true);
        ASSERT_EQ(en.size(), si.size());
        for (const auto& [rows, mm] : {std::pair{en, 1.0L}, std::pair{si, 1000.0L}}) {
            for (const TIShape& r : rows) {
                SCOPED_TRACE(r.Name);
                // SI moduli in 10^3 mm^3 and inertias in 10^6 mm^4 (factor mm and mm^2 against mm^3).
                EXPECT_TRUE(Near(r.Sx * mm, r.Ix * mm * mm / (r.D / 2.0L), kRoundOff));
                EXPECT_TRUE(Near(r.Rx, std::sqrt(r.Ix * mm * mm / r.A), kRoundOff));
                EXPECT_TRUE(Near(r.Ry, std::sqrt(r.Iy * mm * mm / r.A), kRoundOff));
                EXPECT_TRUE(Near(r.H0, r.D - r.Tf, kRoundOff));
                EXPECT_GT(r.A, r.D * r.Tw);
                EXPECT_GE(r.Zx, r.Sx);
            }
        }
        for (std::size_t i = 0; i < en.size(); ++i) {
            const FlatRow a = Flat(si[i]), b = Flat(en[i]);
            SCOPED_TRACE(b.Name);
            for (std::size_t k = 0; k < factor.size(); ++k) {
                EXPECT_TRUE(Near(a.Values[k], b.Values[k] * factor[k], k == 0 ? 0.03L : kRoundOff)) << k;
            }
        }
    }
}

// Pipes: annulus area pi (OD - t) t with the design wall, S = I / (OD/2), r = sqrt(I/A),
// J = 2 I, Z > S, and English against SI. Small SI inertias carry three digits (HSS101.6X4.8:
// 1.60 x 10^6 mm^4), so the identities hold to 1.5 %; the AISC pipe rows (not the HSS) print OD
// to three digits (Pipe10 10.75 as 10.8), which moves them up to 3 %. Nominal walls convert
// with up to 1.2 % round-off (0.432 in against 11 mm).
TEST(Catalogs, PipesAreConsistent) {
    const Ext in3 = kInMm * kInMm * kInMm, in4 = in3 * kInMm;
    const std::vector<Ext> factor = {1.48816394L, kInMm * kInMm, kInMm,      kInMm, kInMm,     1.0L,
                                     in4 / 1e6L,  in3 / 1e3L,    in3 / 1e3L, kInMm, in4 / 1e3L};
    for (const uint8_t family : {sfNorthAmerican, sfBritish}) {
        const TArrOShapes en = OShapes(family, false), si = OShapes(family, true);
        ASSERT_EQ(en.size(), si.size());
        for (const auto& [rows, mm] : {std::pair{en, 1.0L}, std::pair{si, 1000.0L}}) {
            for (const TOShape& r : rows) {
                SCOPED_TRACE(r.Name);
                const Ext tol = r.Name.starts_with("Pipe") ? 0.035L : 0.015L;
                EXPECT_TRUE(Near(r.A, kPi * (r.OD - r.T) * r.T, tol));
                EXPECT_TRUE(Near(r.S * mm, r.I * mm * mm / (r.OD / 2.0L), tol));
                EXPECT_TRUE(Near(r.R, std::sqrt(r.I * mm * mm / r.A), tol));
                EXPECT_TRUE(Near(r.J, 2.0L * r.I * mm, kRoundOff));
                EXPECT_GT(r.Z, r.S);
            }
        }
        for (std::size_t i = 0; i < en.size(); ++i) {
            const FlatRow a = Flat(si[i]), b = Flat(en[i]);
            SCOPED_TRACE(b.Name);
            for (std::size_t k = 0; k < factor.size(); ++k) {
                EXPECT_TRUE(Near(a.Values[k], b.Values[k] * factor[k], k == 3 ? 0.015L : kRoundOff)) << k;
            }
        }
    }
}

// Sheet piles per unit wall length: in^4/ft -> cm^4/m is 2.54^4 / 0.3048 = 136.56, in^3/ft ->
// cm^3/m 2.54^3 / 0.3048 = 53.76, width in -> cm 2.54. PZC 18: 255.5 / (15.25/2) = 33.5 in^3/ft,
// and 1800 cm^3/m / 53.76 = 33.48. A Z pile bends about mid-height, so Sx ~ 2 Ix / height (PZ 22
// lies 7 % off in its SI height).
TEST(Catalogs, SheetPilesAgreeInBothSystems) {
    const TArrSteelShapes en = Project(usEnglish, 0, ptSheet).SteelShapes;
    const TArrSteelShapes si = Project(usSI, 0, ptSheet).SteelShapes;
    ASSERT_EQ(en.size(), si.size());
    for (std::size_t i = 0; i < en.size(); ++i) {
        SCOPED_TRACE(en[i].Name);
        EXPECT_EQ(en[i].Name, si[i].Name);
        EXPECT_TRUE(Near(si[i].Ix, en[i].Ix * std::pow(kIn, 4) / 0.3048L, 0.005L));
        EXPECT_TRUE(Near(si[i].Sx, en[i].Sx * std::pow(kIn, 3) / 0.3048L, 0.005L));
        EXPECT_TRUE(Near(si[i].D, en[i].D * kIn, 0.005L));
        for (const TSteelShape* r : {&en[i], &si[i]}) {
            EXPECT_TRUE(Near(r->Sx, 2.0L * r->Ix / r->Bf, 0.075L));
            EXPECT_EQ(r->Zx + r->Aw + r->Iy + r->Tf + r->Ry + r->A + r->J + r->K1, 0.0L);
        }
    }
    EXPECT_TRUE(Near(en[20].Sx, 33.5L, 1e-6L)) << en[20].Name;
}

// Bars: area pi d^2 / 4 in each standard (the US areas are printed to two decimals, #4 0.20 for
// 0.196), and the US metric number is the diameter in mm rounded.
// Angles: English against SI (lb/ft -> kg/m, in -> mm, in^2 -> mm^2, in^3 -> 10^3 mm^3) and the
// area of two legs (B + D - T) T within the fillet's share. Anchor bars: 1 kip = 4.44822 kN.
TEST(Catalogs, ShortTablesAreConsistent) {
    for (const int standard : {rsUS, rsEuropean, rsCanadian}) {
        TKdData d;
        d.RebarStandard = standard;
        d.LoadRebarTable();
        int rows = 0;
        for (const TRebarRow& r : d.RebarTable) {
            if (r == TRebarRow{}) continue;
            ++rows;
            EXPECT_TRUE(Near(r.Area, kPi * r.Diameter * r.Diameter / 4.0L, 0.02L)) << r.Number;
            if (standard == rsUS) {
                EXPECT_EQ(r.MetricNumber, std::lround(r.Diameter * kInMm)) << r.Number;
            }
        }
        EXPECT_EQ(rows, standard == rsUS ? 11 : standard == rsEuropean ? 12 : 8);
    }
    const TKdData en = Project(usEnglish), si = Project(usSI);
    EXPECT_EQ(en.AngleTable.front().Name, "L3-1/2X3-1/2X1/2");
    EXPECT_EQ(si.AngleTable.back().Name, "L76X76X9.5");
    for (std::size_t i = 0; i < en.AngleTable.size(); ++i) {
        const TGRShape &a = en.AngleTable[i], &b = si.AngleTable[i];
        SCOPED_TRACE(a.Name);
        EXPECT_TRUE(Near(b.W, a.W * 1.48816394L, kRoundOff));
        EXPECT_TRUE(Near(b.A, a.A * kInMm * kInMm, kRoundOff));
        for (const auto& [x, y] :
             {std::pair{b.B, a.B}, std::pair{b.D, a.D}, std::pair{b.T, a.T}, std::pair{b.R, a.R}})
            EXPECT_TRUE(Near(x, y * kInMm, kRoundOff));
        EXPECT_TRUE(Near(b.S, a.S * std::pow(kInMm, 3) / 1000.0L, kRoundOff));
        EXPECT_TRUE(Near(a.A, (a.B + a.D - a.T) * a.T, 0.015L));
    }
    const TAnchorBarTable barsEn = en.GetAnchorBars(), barsSi = si.GetAnchorBars();
    EXPECT_EQ(barsEn[2].Name, "#8 - 1\"");
    EXPECT_EQ(barsSi[9].Name, "75 mm");
    for (std::size_t i = 0; i < barsEn.size(); ++i) {
        EXPECT_TRUE(Near(barsSi[i].Capacity(0), barsEn[i].Capacity(0) * 4.448222L, kRoundOff)) << i;
        EXPECT_TRUE(Near(barsSi[i].Capacity(1), barsEn[i].Capacity(1) * 4.448222L, kRoundOff)) << i;
        EXPECT_TRUE(Near(barsSi[i].Capacity(2), barsEn[i].Capacity(2) * 4.448222L, kRoundOff)) << i;
    }
}

// "#5" only for US bars in an English project; every other case shows the number and "M".
TEST(Catalogs, BarLabel) {
    struct Case {
        int standard;
        uint8_t units;
        int bar;
        const char* label;
    } const cases[] = {{rsUS, usEnglish, 5, "#5"},
                       {rsUS, usSI, 16, "16M"},
                       {rsEuropean, usEnglish, 5, "5M"},
                       {rsCanadian, usSI, 5, "5M"},
                       {rsCanadian, usEnglish, 10, "10M"}};
    for (const Case& c : cases) {
        TKdData d = Project(c.units);
        d.RebarStandard = c.standard;
        EXPECT_EQ(d.BarLabel(c.bar), c.label);
    }
}

// Lookup by number, the first row for an unknown number or the number 0 of the empty rows, and the
// unit conversion of the loaded table: #8 in SI is bar 25 of 25.4 mm and 0.79 x 645.16 =
// 509.68 mm^2, the first SI row #3 is 9.525 mm and 0.11 x 645.16 = 70.97 mm^2; the European 25 mm bar in
// English is 25 / 25.4 = 0.98425 in, 491 / 645.16 = 0.76105 in^2.
TEST(Catalogs, GetRebar) {
    struct Case {
        int standard;
        uint8_t units;
        int bar;
        int number;
        double diameter, area;
    } const cases[] = {
        {rsUS, usEnglish, 8, 8, 1.0, 0.79},
        {rsUS, usEnglish, 99, 3, 0.375, 0.11},
        {rsUS, usEnglish, 0, 3, 0.375, 0.11},
        {rsEuropean, usSI, 7, 6, 6.0, 28.3},
        {rsCanadian, usSI, 0, 10, 11.3, 100.0},
        {rsCanadian, usSI, 55, 55, 56.4, 2500.0},
        {rsUS, usSI, 25, 25, 25.4, 509.6764},
        {rsUS, usSI, 8, 10, 9.525, 70.9676},
        {rsEuropean, usEnglish, 25, 25, 0.984252, 0.761051},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.standard << "/" << int(c.units) << "/" << c.bar);
        TKdData d = Project(c.units);
        d.RebarStandard = c.standard;
        d.LoadRebarTable();
        const TRebarRow r = d.GetRebar(c.bar);
        EXPECT_EQ(r.Number, c.number);
        EXPECT_NEAR(r.Diameter, c.diameter, 1e-5 * c.diameter);
        EXPECT_NEAR(r.Area, c.area, 1e-5 * c.area);
    }
}

// The same US bar keeps its place across a unit switch: inch numbers in English, mm in SI.
TEST(Catalogs, UnitSwitchKeepsTheUSBars) {
    const std::pair<int, int> pairs[] = {{3, 10}, {4, 13}, {8, 25}, {10, 32}, {14, 43}, {18, 57}};
    for (const auto& [inch, metric] : pairs) {
        EXPECT_EQ(TKdData::ConvertUSBarNumber(inch, true), metric);
        EXPECT_EQ(TKdData::ConvertUSBarNumber(metric, false), inch);
    }
    EXPECT_EQ(TKdData::ConvertUSBarNumber(0, true), 0);
    EXPECT_EQ(TKdData::ConvertUSBarNumber(12, true), 12);
    EXPECT_EQ(TKdData::ConvertUSBarNumber(8, false), 8);

    TKdData d = Project(usEnglish);
    d.RebarStandard = rsUS;
    d.VerticalBarSize = 8;
    d.LateralBarSize = 4;
    d.SetUnits(usSI);
    EXPECT_EQ(d.VerticalBarSize, 25);
    EXPECT_EQ(d.LateralBarSize, 13);
    EXPECT_NEAR(d.GetRebar(d.VerticalBarSize).Diameter, 25.4, 1e-9);
    d.SetUnits(usEnglish);
    EXPECT_EQ(d.VerticalBarSize, 8);
    EXPECT_EQ(d.LateralBarSize, 4);

    d.RebarStandard = rsEuropean;
    d.VerticalBarSize = 25;
    d.SetUnits(usSI);
    EXPECT_EQ(d.VerticalBarSize, 25);
}

// "User Defined" after a catalog row leaves the custom section equal to that row; selecting a row
// mirrors it into the custom section; an index outside the table is refused by GetShape and leaves
// the custom section alone.
TEST(Catalogs, CustomSectionStartsAsTheSelectedRow) {
    TKdData d = Project(usEnglish);
    d.SetShapeIndex(4);
    const TSteelShape selected = d.SteelShapes[4];
    EXPECT_EQ(d.CustomSection, selected);
    d.SetShapeIndex(-1);
    EXPECT_EQ(d.ShapeIndex, -1);
    EXPECT_EQ(d.GetShape(), selected);

    TSteelShape edited = selected;
    edited.Name = "Mine";
    edited.Sx = 999.0L;
    d.SetCustomShape(edited);
    EXPECT_EQ(d.GetShape(), edited);

    d.SetShapeIndex(static_cast<int>(d.SteelShapes.size()));
    EXPECT_EQ(d.CustomSection, edited);
    TSteelShape shape;
    shape.Name = "stale";
    EXPECT_FALSE(d.GetShape(shape));
    EXPECT_EQ(shape, TSteelShape{});

    d.SetShapeIndex(2);
    EXPECT_EQ(d.CustomSection, d.SteelShapes[2]);
    TSteelShape row2;
    EXPECT_TRUE(d.GetShape(row2));
    EXPECT_EQ(row2.Name, "W27X336");
}

// The sheet pile table and SheetIndex apply while the pile type is 3; the I-shape of ShapeIndex
// comes back with the soldier beam.
TEST(Catalogs, SheetPileOrIShapeByPileType) {
    TKdData d = Project(usEnglish);
    d.SetShapeIndex(1);
    d.SetPileType(ptSheet);
    d.SetShapeIndex(20);
    EXPECT_EQ(d.ShapeIndex, 1);
    EXPECT_EQ(d.SheetIndex, 20);
    EXPECT_EQ(d.CurrentShapeIndex(), 20);
    const TSteelShape sheet = d.GetShape();
    EXPECT_EQ(sheet.Name, "PZC 18");
    EXPECT_EQ(sheet.Bf, 15.25L); // height of the profile
    EXPECT_EQ(sheet.D, 25.0L);   // width of one pile
    // A pipe reinforcement chosen for the soldier pile before does not make the sheet a pipe.
    d.PileSection = psPipe;
    EXPECT_EQ(d.GetShape().Name, "PZC 18");
    d.PileSection = psIBeam;
    d.SetPileType(ptSoldierBeam);
    EXPECT_EQ(d.GetShape().Name, "W27X368");
    EXPECT_EQ(d.SteelShapes.size(), 176u);
}

// An English project of the British family sees the SI rows converted: UB 254x146x37 has Ry
// 34.8 mm / 25.4 = 1.370 in, Tw 0.63 cm / 2.54 = 0.248 in, D 25.6 cm / 2.54 = 10.079 in,
// A 4720 mm^2 / 645.16 = 7.316 in^2, Ix 5537 cm^4 / 2.54^4 = 133.03 in^4, Sx 433 / 2.54^3 = 26.42 in^3.
TEST(Catalogs, BritishRowConvertedToEnglish) {
    const TKdData en = Project(usEnglish, sfBritish);
    const TSteelShape& r = en.SteelShapes.back();
    ASSERT_EQ(r.Name, "UB 254x146x37");
    EXPECT_NEAR(r.Ry, 1.370L, 0.0005L);
    EXPECT_NEAR(r.Tw, 0.248L, 0.0005L);
    EXPECT_NEAR(r.D, 10.079L, 0.0005L);
    EXPECT_NEAR(r.A, 7.316L, 0.0005L);
    EXPECT_NEAR(r.Ix, 133.03L, 0.005L);
    EXPECT_NEAR(r.Sx, 26.42L, 0.005L);
    const TSteelShape stored = Project(usSI, sfBritish).SteelShapes.back();
    EXPECT_EQ(stored.Ry, 34.8L);
    EXPECT_EQ(stored.Tw, 0.63L);
}

// A pipe pile in the pile section layout: English stays in inches (HSS20X.500: OD 20, I 1360);
// SI goes from mm and 10^6 mm^4 to cm and cm^4 (HSS508X12.7: 50.8 cm, I 566 -> 56600 cm^4).
TEST(Catalogs, PipeAsPileSection) {
    for (const uint8_t units : {usEnglish, usSI}) {
        TKdData d = Project(units);
        d.PileSection = psPipe;
        d.SetShapeIndex(0);
        const TSteelShape s = d.GetShape();
        const bool si = units == usSI;
        EXPECT_EQ(s.Name, si ? "HSS508X12.7" : "HSS20X.500");
        EXPECT_NEAR(s.D, si ? 50.8L : 20.0L, 1e-9L);
        EXPECT_EQ(s.Bf, s.D);
        EXPECT_NEAR(s.Tw, si ? 1.27L : 0.5L, 1e-9L);
        EXPECT_NEAR(s.Tf, si ? 1.18L : 0.465L, 1e-9L);
        EXPECT_NEAR(s.Ix, si ? 56600.0L : 1360.0L, 1e-9L);
        EXPECT_EQ(s.Iy, s.Ix);
        EXPECT_EQ(s.Zx + s.Aw + s.Ry + s.Sx + s.A + s.J + s.K1, 0.0L);

        d.SetShapeIndex(static_cast<int>(d.PipeShapes.size()));
        TSteelShape outside;
        EXPECT_FALSE(d.GetShape(outside));
    }
    TOShape longName;
    longName.Name = std::string(60, 'P');
    TSteelShape s;
    Project(usEnglish).PipeAsShape(longName, s);
    EXPECT_EQ(s.Name.size(), 50u);
}

// The working tables follow the family, pile type and units; an explicit family leaves them alone.
TEST(Catalogs, WorkingTablesFollowTheProject) {
    TKdData d = Project(usEnglish);
    EXPECT_TRUE(d.MemberIShapes.empty());
    EXPECT_TRUE(d.MemberOShapes.empty());
    d.SetShapeFamily(sfBritish);
    EXPECT_EQ(d.SteelShapes.front().Name, "UB 1016x305x487");
    EXPECT_EQ(d.PipeShapes.front().Name, "CHShf21.3x2.6");
    TArrSteelShapes australian;
    d.LoadShapeTable(sfAustralian, australian);
    EXPECT_EQ(australian.front().Name, "610 UB 125");
    EXPECT_EQ(d.SteelShapes.front().Name, "UB 1016x305x487");
    d.SetShapeFamily(sfEuropean);
    EXPECT_EQ(d.SteelShapes.front().Name, "IPE 100 A");
    EXPECT_EQ(d.PipeShapes.front().Name, "HSS20X.500");
    d.SetUnits(usSI);
    EXPECT_EQ(d.PipeShapes.front().Name, "HSS508X12.7");
    EXPECT_EQ(d.ChannelShapes.front().Name, "C380X74");
    EXPECT_EQ(d.SteelShapes.front().Tw, 0.36L); // IPE 100 A web, cm
    EXPECT_EQ(d.AngleTable.front().Name, "L89X89X12.7");
}

// The guardrail angle is looked up inside the 17 rows only.
TEST(Catalogs, GetAngle) {
    TKdData d = Project(usEnglish);
    struct Case {
        int index;
        bool found;
        const char* name;
    } const cases[] = {
        {0, true, "L3-1/2X3-1/2X1/2"}, {16, true, "L3X3X3/8"}, {17, false, ""}, {-1, false, ""}};
    for (const Case& c : cases) {
        d.GuardrailAngle = c.index;
        TGRShape a;
        a.Name = "stale";
        EXPECT_EQ(d.GetAngle(a), c.found) << c.index;
        EXPECT_EQ(a.Name, c.name);
    }
}

// Every project reads the one shared copy of a catalog: creating a project, switching its units,
// family or pile type, copying it and designing a waler select a catalog and copy no rows.
TEST(Catalogs, ProjectsShareOneCopyOfEachCatalog) {
    const TKdData a = Project(usEnglish);
    TKdData b = Project(usEnglish);
    EXPECT_EQ(&a.SteelShapes.Get(), &Catalogs::PileSections(sfNorthAmerican, false));
    EXPECT_TRUE(a.SteelShapes.SameRowsAs(b.SteelShapes));
    EXPECT_TRUE(a.PipeShapes.SameRowsAs(b.PipeShapes));
    EXPECT_TRUE(a.ChannelShapes.SameRowsAs(b.ChannelShapes));
    const TKdData copy = a;
    EXPECT_TRUE(copy.SteelShapes.SameRowsAs(a.SteelShapes));

    b.SetUnits(usSI);
    EXPECT_EQ(&b.SteelShapes.Get(), &Catalogs::PileSections(sfNorthAmerican, true));
    EXPECT_EQ(&b.ChannelShapes.Get(), &Catalogs::Channels(true));
    EXPECT_EQ(&b.PipeShapes.Get(), &Catalogs::MemberOShapes(sfNorthAmerican, true));
    b.SetShapeFamily(sfBritish);
    EXPECT_EQ(&b.SteelShapes.Get(), &Catalogs::PileSections(sfBritish, true));
    b.SetPileType(ptSheet);
    EXPECT_EQ(&b.SteelShapes.Get(), &Catalogs::SheetPiles(true));
    // The waler's family table whatever the pile type.
    EXPECT_EQ(&b.IShapeCatalog(sfEuropean), &Catalogs::PileSections(sfEuropean, true));
    EXPECT_EQ(&a.IShapeCatalog(-1), &a.SteelShapes.Get());

    TIShapeTable members;
    BeamShapes::LoadIShapes(sfEuropean, false, members);
    EXPECT_EQ(&members.Get(), &Catalogs::MemberIShapes(sfEuropean, false));
    // A vector handed to a project is its own and leaves the catalog alone.
    b.SteelShapes = TArrSteelShapes(2);
    EXPECT_EQ(b.SteelShapes.size(), 2u);
    EXPECT_EQ(Catalogs::SheetPiles(true).size(), 25u);
}

// Projects of every family and unit system made at once on several threads read the same rows as
// one made alone.
TEST(Catalogs, CatalogsReadTheSameFromSeveralThreads) {
    const auto fingerprint = [](uint8_t units, uint8_t family) {
        const TKdData d = Project(units, family);
        Ext sum = 0.0L;
        for (const TSteelShape& r : d.SteelShapes)
            sum += r.Ix;
        for (const TOShape& r : d.PipeShapes)
            sum += r.I;
        for (const TIShape& r : Catalogs::MemberIShapes(family, units == usSI))
            sum += r.Sx;
        return sum;
    };
    std::vector<Ext> alone, together(8);
    for (int i = 0; i < 8; ++i)
        alone.push_back(fingerprint(static_cast<uint8_t>(i % 2), static_cast<uint8_t>(i / 2)));
    std::vector<std::thread> threads;
    for (int i = 0; i < 8; ++i)
        threads.emplace_back([&, i] {
            together[static_cast<size_t>(i)] =
                fingerprint(static_cast<uint8_t>(i % 2), static_cast<uint8_t>(i / 2));
        });
    for (std::thread& t : threads)
        t.join();
    EXPECT_EQ(together, alone);
}
