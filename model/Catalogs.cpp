// Section catalogs of the project: the pile section, pipe and channel working tables, the bar,
// angle and anchor bar tables, and the lookups against them.

#include <iterator>
#include <span>
#include <string>

#include "model/BeamShapes.h"
#include "model/CatalogData.h"
#include "model/KdClasses.h"
#include "model/SharedCatalogs.h"

namespace vantrel {

namespace {

using CatalogData::MakeTable;

// Sheet pile per unit wall length: Ix and Sx per ft (in^4/ft, in^3/ft) or per m (cm^4/m, cm^3/m);
// width of one pile, height of the profile and thickness in in or cm.
struct SheetValues {
    Ext Ix, Width, Sx, Height, Thickness;
};
struct SheetPile {
    const char* Name;
    SheetValues English, SI;
};

// Z-shaped sheet piles: PZ and PZC American, AZ European sections.
constexpr SheetPile kSheetPiles[] = {
    {"PZ 22", {84.38L, 22.0L, 18.1L, 9.0L, 0.375L}, {11500.0L, 55.9L, 973.0L, 22.0L, 0.95L}},
    {"PZ 27", {184.2L, 18.0L, 30.2L, 12.0L, 0.375L}, {25200.0L, 45.7L, 1620.0L, 30.5L, 0.95L}},
    {"PZ 35", {361.22L, 22.6L, 48.5L, 14.9L, 0.6L}, {49300.0L, 57.5L, 2608.0L, 37.8L, 1.267L}},
    {"PZ 40", {490.85L, 19.7L, 60.7L, 16.1L, 0.6L}, {67000.0L, 50.0L, 3263.0L, 40.9L, 1.267L}},
    {"AZ 14-770", {170.6L, 30.31L, 25.2L, 13.56L, 0.375L}, {23300.0L, 77.0L, 1355.0L, 34.5L, 0.95L}},
    {"AZ 17-700", {265.3L, 27.56L, 32.2L, 16.52L, 0.335L}, {36230.0L, 70.0L, 1730.0L, 42.0L, 0.85L}},
    {"AZ 19-700", {288.4L, 27.56L, 34.8L, 16.56L, 0.375L}, {39380.0L, 70.0L, 1870.0L, 42.1L, 0.95L}},
    {"AZ 22-800", {357.3L, 31.5L, 40.3L, 17.76L, 0.413L}, {48790.0L, 80.0L, 2165.0L, 45.1L, 1.05L}},
    {"AZ 25-800", {435.1L, 31.5L, 46.5L, 18.7L, 0.394L}, {59410.0L, 80.0L, 2500.0L, 47.5L, 1.0L}},
    {"AZ 28-750", {523.9L, 29.53L, 52.3L, 20.04L, 0.394L}, {71540.0L, 75.0L, 2810.0L, 50.9L, 1.0L}},
    {"AZ 32-750", {599.0L, 29.53L, 59.5L, 20.12L, 0.472L}, {81800.0L, 75.0L, 3200.0L, 51.1L, 1.2L}},
    {"AZ 38-700N", {694.5L, 27.56L, 70.6L, 19.69L, 0.48L}, {94840.0L, 70.0L, 3795.0L, 50.0L, 1.22L}},
    {"AZ 40-700N", {732.9L, 27.56L, 74.3L, 19.72L, 0.52L}, {100080.0L, 70.0L, 3995.0L, 50.1L, 1.32L}},
    {"AZ 44-700N", {806.6L, 27.56L, 81.9L, 19.69L, 0.591L}, {110150.0L, 70.0L, 4405.0L, 50.0L, 1.5L}},
    {"AZ 46", {808.8L, 22.83L, 85.5L, 18.94L, 0.551L}, {110450.0L, 58.0L, 4595.0L, 48.1L, 1.4L}},
    {"AZ 48", {847.0L, 22.83L, 89.3L, 18.98L, 0.591L}, {115670.0L, 58.0L, 4800.0L, 48.2L, 1.5L}},
    {"AZ 50", {886.5L, 22.83L, 93.3L, 19.02L, 0.63L}, {121060.0L, 58.0L, 5015.0L, 48.3L, 1.6L}},
    {"AZ 52-700", {953.0L, 27.56L, 95.9L, 19.88L, 0.669L}, {130140.0L, 70.0L, 5155.0L, 50.0L, 1.7L}},
    {"PZC 13", {152.0L, 27.88L, 24.2L, 12.56L, 0.375L}, {20760.0L, 70.8L, 1300.0L, 31.9L, 0.95L}},
    {"PZC 14", {164.3L, 27.88L, 26.0L, 12.6L, 0.42L}, {22440.0L, 70.8L, 1400.0L, 32.0L, 1.07L}},
    {"PZC 18", {255.5L, 25.0L, 33.5L, 15.25L, 0.375L}, {34890.0L, 63.5L, 1800.0L, 38.7L, 0.95L}},
    {"PZC 19", {276.6L, 25.0L, 36.1L, 15.3L, 0.42L}, {37780.0L, 63.5L, 1945.0L, 38.8L, 1.07L}},
    {"PZC 25", {404.1L, 27.88L, 45.7L, 17.66L, 0.56L}, {55190.0L, 70.8L, 2455.0L, 44.9L, 1.23L}},
    {"PZC 26", {428.1L, 27.88L, 48.4L, 17.7L, 0.6L}, {58460.0L, 70.8L, 2600.0L, 45.0L, 1.33L}},
    {"PZC 28", {455.1L, 27.88L, 51.3L, 17.75L, 0.645L}, {62150.0L, 70.8L, 2755.0L, 45.1L, 1.45L}},
};

// Sheet piles in the pile section layout: D = width of one pile, Bf = height, Tw = thickness.
TArrSteelShapes SheetPileTable(bool si) {
    TArrSteelShapes table;
    table.reserve(std::size(kSheetPiles));
    for (const SheetPile& pile : kSheetPiles) {
        const SheetValues& v = si ? pile.SI : pile.English;
        TSteelShape row;
        row.Name = pile.Name;
        row.Ix = v.Ix;
        row.D = v.Width;
        row.Sx = v.Sx;
        row.Bf = v.Height;
        row.Tw = v.Thickness;
        table.push_back(row);
    }
    return table;
}

// A pile table held in SI only, as stored or converted to English.
TArrSteelShapes SIOnlyTable(std::span<const CatalogData::SteelRow> rows, bool si) {
    TArrSteelShapes table = MakeTable<TSteelShape>(rows);
    if (!si) {
        for (TSteelShape& row : table)
            TKdData::ConvertShapeRow(row, row);
    }
    return table;
}

// Bar tables: US in inches with the metric number of the same bar; European and Canadian in mm.
// An all-zero row is empty.
constexpr TRebarTable kUSBars = {{{3, 10, 0.375, 0.11},
                                  {4, 13, 0.5, 0.2},
                                  {5, 16, 0.625, 0.31},
                                  {6, 19, 0.75, 0.44},
                                  {7, 22, 0.875, 0.6},
                                  {8, 25, 1.0, 0.79},
                                  {9, 29, 1.128, 1.0},
                                  {10, 32, 1.27, 1.27},
                                  {11, 36, 1.41, 1.56},
                                  {14, 43, 1.693, 2.25},
                                  {18, 57, 2.257, 4.0},
                                  {}}};
constexpr TRebarTable kEuropeanBars = {{{6, 0, 6.0, 28.3},
                                        {8, 0, 8.0, 50.3},
                                        {10, 0, 10.0, 78.5},
                                        {12, 0, 12.0, 113.0},
                                        {14, 0, 14.0, 154.0},
                                        {16, 0, 16.0, 201.0},
                                        {20, 0, 20.0, 314.0},
                                        {25, 0, 25.0, 491.0},
                                        {28, 0, 28.0, 616.0},
                                        {32, 0, 32.0, 804.0},
                                        {40, 0, 40.0, 1257.0},
                                        {50, 0, 50.0, 1963.0}}};
constexpr TRebarTable kCanadianBars = {{{10, 0, 11.3, 100.0},
                                        {15, 0, 16.0, 200.0},
                                        {20, 0, 19.5, 300.0},
                                        {25, 0, 25.2, 500.0},
                                        {30, 0, 29.9, 700.0},
                                        {35, 0, 35.7, 1000.0},
                                        {45, 0, 43.7, 1500.0},
                                        {55, 0, 56.4, 2500.0},
                                        {},
                                        {},
                                        {},
                                        {}}};

constexpr double kMmPerInch = 25.4;

// Single angles of the guardrail post (TGRShape order W, A, B, D, T, S, R).
struct AngleValues {
    const char* Name;
    Ext W, A, B, D, T, S, R;
};
struct AngleRow {
    AngleValues English, SI;
};
constexpr AngleRow kAngles[] = {
    {{"L3-1/2X3-1/2X1/2", 11.1L, 3.25L, 3.5L, 3.5L, 0.5L, 1.48L, 1.05L},
     {"L89X89X12.7", 16.5L, 2100.0L, 88.9L, 88.9L, 12.7L, 24.3L, 26.7L}},
    {{"L3-1/2X3-1/2X7/16", 9.8L, 2.89L, 3.5L, 3.5L, 0.438L, 1.32L, 1.06L},
     {"L89X89X11.1", 14.6L, 1860.0L, 88.9L, 88.9L, 11.1L, 21.6L, 26.9L}},
    {{"L3-1/2X3-1/2X3/8", 8.5L, 2.5L, 3.5L, 3.5L, 0.375L, 1.15L, 1.07L},
     {"L89X89X9.5", 12.6L, 1610.0L, 88.9L, 88.9L, 9.53L, 18.8L, 27.2L}},
    {{"L3-1/2X3-1/2X5/16", 7.2L, 2.1L, 3.5L, 3.5L, 0.313L, 0.969L, 1.08L},
     {"L89X89X7.9", 10.7L, 1350.0L, 88.9L, 88.9L, 7.94L, 15.9L, 27.4L}},
    {{"L3-1/2X3-1/2X1/4", 5.8L, 1.7L, 3.5L, 3.5L, 0.25L, 0.787L, 1.09L},
     {"L89X89X6.4", 8.6L, 1100.0L, 88.9L, 88.9L, 6.35L, 12.9L, 27.7L}},
    {{"L3-1/2X3X1/2", 10.2L, 3.02L, 3.0L, 3.5L, 0.5L, 1.45L, 1.07L},
     {"L89X76X12.7", 15.1L, 1950.0L, 76.2L, 88.9L, 12.7L, 23.8L, 27.2L}},
    {{"L3-1/2X3X7/16", 9.1L, 2.67L, 3.0L, 3.5L, 0.438L, 1.29L, 1.08L},
     {"L89X76X11.1", 13.5L, 1720.0L, 76.2L, 88.9L, 11.1L, 21.1L, 27.4L}},
    {{"L3-1/2X3X3/8", 7.9L, 2.32L, 3.0L, 3.5L, 0.375L, 1.12L, 1.09L},
     {"L89X76X9.5", 11.7L, 1500.0L, 76.2L, 88.9L, 9.53L, 18.4L, 27.7L}},
    {{"L3-1/2X3X5/16", 6.6L, 1.95L, 3.0L, 3.5L, 0.313L, 0.951L, 1.09L},
     {"L89X76X7.9", 9.8L, 1260.0L, 76.2L, 88.9L, 7.94L, 15.6L, 27.7L}},
    {{"L3-1/2X3X1/4", 5.4L, 1.58L, 3.0L, 3.5L, 0.25L, 0.773L, 1.1L},
     {"L89X76X6.4", 8.0L, 1020.0L, 76.2L, 88.9L, 6.35L, 12.7L, 27.9L}},
    {{"L3-1/2X2-1/2X1/2", 9.4L, 2.77L, 2.5L, 3.5L, 0.5L, 1.41L, 1.08L},
     {"L89X64X12.7", 13.9L, 1790.0L, 63.5L, 88.9L, 12.7L, 23.1L, 27.4L}},
    {{"L3-1/2X2-1/2X3/8", 7.2L, 2.12L, 2.5L, 3.5L, 0.375L, 1.09L, 1.1L},
     {"L89X64X9.5", 10.7L, 1370.0L, 63.5L, 88.9L, 9.53L, 17.9L, 27.9L}},
    {{"L3-1/2X2-1/2X5/16", 6.1L, 1.79L, 2.5L, 3.5L, 0.313L, 0.925L, 1.11L},
     {"L89X64X7.9", 9.0L, 1150.0L, 63.5L, 88.9L, 7.94L, 15.2L, 28.2L}},
    {{"L3-1/2X2-1/2X1/4", 4.9L, 1.45L, 2.5L, 3.5L, 0.25L, 0.753L, 1.12L},
     {"L89X64X6.4", 7.3L, 935.0L, 63.5L, 88.9L, 6.35L, 12.3L, 28.4L}},
    {{"L3X3X1/2", 9.4L, 2.76L, 3.0L, 3.0L, 0.5L, 1.06L, 0.895L},
     {"L76X76X12.7", 14.0L, 1780.0L, 76.2L, 76.2L, 12.7L, 17.4L, 22.7L}},
    {{"L3X3X7/16", 8.3L, 2.43L, 3.0L, 3.0L, 0.438L, 0.946L, 0.903L},
     {"L76X76X11.1", 12.4L, 1570.0L, 76.2L, 76.2L, 11.1L, 15.5L, 22.9L}},
    {{"L3X3X3/8", 7.2L, 2.11L, 3.0L, 3.0L, 0.375L, 0.825L, 0.91L},
     {"L76X76X9.5", 10.7L, 1360.0L, 76.2L, 76.2L, 9.53L, 13.5L, 23.1L}},
};
static_assert(std::size(kAngles) == std::tuple_size_v<TAngleTable>);

// Anchor bars: capacity of one bar of grade 75, 80 and 150 in kips or kN (0 = not rolled).
struct AnchorBarValues {
    const char* Name;
    Ext Cap75, Cap80, Cap150;
};
struct AnchorBarRow {
    AnchorBarValues English, SI;
};
constexpr AnchorBarRow kAnchorBars[] = {
    {{"#6 - 3/4\"", 33.0L, 35.0L, 0.0L}, {"#6 - 19 mm", 147.0L, 156.0L, 0.0L}},
    {{"#7 - 7/8\"", 45.0L, 48.0L, 0.0L}, {"#7 - 22 mm", 200.0L, 214.0L, 0.0L}},
    {{"#8 - 1\"", 59.0L, 63.0L, 76.5L}, {"#8 - 25 mm", 264.0L, 280.0L, 340.0L}},
    {{"#9 - 1-1/8", 75.0L, 80.0L, 0.0L}, {"#9 - 29 mm", 334.0L, 356.0L, 0.0L}},
    {{"#10 - 1-1/4", 95.0L, 102.0L, 113.0L}, {"#10 - 32 mm", 424.0L, 454.0L, 502.0L}},
    {{"#11 - 1-3/8", 117.0L, 125.0L, 142.0L}, {"#11 - 36 mm", 521.0L, 556.0L, 631.0L}},
    {{"#14 - 1-3/4", 169.0L, 180.0L, 234.0L}, {"#14 - 43 mm", 750.0L, 801.0L, 1040.0L}},
    {{"#18 - 2-1/4", 300.0L, 320.0L, 368.0L}, {"#18 - 57 mm", 1335.0L, 1423.0L, 1636.0L}},
    {{"#20 - 2-1/2", 368.0L, 393.0L, 467.0L}, {"#20 - 64 mm", 1637.0L, 1748.0L, 2077.0L}},
    {{"3\"", 0.0L, 0.0L, 616.0L}, {"75 mm", 0.0L, 0.0L, 2740.0L}},
};
static_assert(std::size(kAnchorBars) == std::tuple_size_v<TAnchorBarTable>);

template <typename Table> bool InTable(int index, const Table& table) {
    return index >= 0 && index < static_cast<int>(std::size(table));
}

} // namespace

// --- Shared catalogs ---------------------------------------------------------------------------

namespace Catalogs {

const TArrSteelShapes& PileSections(int family, bool si) {
    using namespace CatalogData;
    switch (family) {
    case sfAustralian:
        return si ? BuiltOnce([] { return SIOnlyTable(AustralianPiles, true); })
                  : BuiltOnce([] { return SIOnlyTable(AustralianPiles, false); });
    case sfBritish:
        return si ? BuiltOnce([] { return SIOnlyTable(BritishPiles, true); })
                  : BuiltOnce([] { return SIOnlyTable(BritishPiles, false); });
    case sfEuropean:
        return si ? BuiltOnce([] { return SIOnlyTable(EuropeanPiles, true); })
                  : BuiltOnce([] { return SIOnlyTable(EuropeanPiles, false); });
    default:
        return si ? BuiltOnce([] { return MakeTable<TSteelShape>(NorthAmericanPilesSI); })
                  : BuiltOnce([] { return MakeTable<TSteelShape>(NorthAmericanPilesEnglish); });
    }
}

const TArrSteelShapes& SheetPiles(bool si) {
    return si ? BuiltOnce([] { return SheetPileTable(true); })
              : BuiltOnce([] { return SheetPileTable(false); });
}

const TArrSteelShapes& Channels(bool si) {
    using namespace CatalogData;
    return si ? BuiltOnce([] { return MakeTable<TSteelShape>(ChannelsSI); })
              : BuiltOnce([] { return MakeTable<TSteelShape>(ChannelsEnglish); });
}

} // namespace Catalogs

// --- Pile sections ---------------------------------------------------------------------------

const TArrSteelShapes& TKdData::ShapeCatalog(int family) const {
    if (PileType == ptSheet) return Catalogs::SheetPiles(Units == usSI);
    return IShapeCatalog(family);
}

const TArrSteelShapes& TKdData::IShapeCatalog(int family) const {
    return Catalogs::PileSections(family == -1 ? ShapeFamily : family, Units == usSI);
}

void TKdData::LoadShapeTable(int family, TArrSteelShapes& table) const {
    table = ShapeCatalog(family);
}

void TKdData::LoadShapeTable(int family, TSteelShapeTable& table) const {
    table = TSteelShapeTable::Of(ShapeCatalog(family));
}

void TKdData::LoadIShapeTable(int family, TArrSteelShapes& table) const {
    table = IShapeCatalog(family);
}

// cm-based SI row to inches. Ry is stored in mm and A in mm^2, every other length in cm.
void TKdData::ConvertShapeRow(const TSteelShape& siRow, TSteelShape& row) {
    constexpr Ext k = 2.54L; // cm per in
    constexpr Ext mmPerIn = 25.4L;
    constexpr Ext k2 = k * k, k3 = k2 * k, k4 = k3 * k;
    TSteelShape english;
    english.Name = siRow.Name;
    english.Zx = siRow.Zx / k3;
    english.Ix = siRow.Ix / k4;
    english.Aw = siRow.Aw / k2;
    english.Iy = siRow.Iy / k4;
    english.Tf = siRow.Tf / k;
    english.D = siRow.D / k;
    english.Ry = siRow.Ry / mmPerIn;
    english.Sx = siRow.Sx / k3;
    english.A = siRow.A / (100.0L * k2); // mm^2
    english.Bf = siRow.Bf / k;
    english.J = siRow.J / k4;
    english.K1 = siRow.K1 / k;
    english.Tw = siRow.Tw / k;
    row = english;
}

int TKdData::CurrentShapeIndex() const {
    return PileType == ptSheet ? SheetIndex : ShapeIndex;
}

bool TKdData::GetShape(TSteelShape& shape) const {
    const int index = CurrentShapeIndex();
    if (index < 0) {
        shape = CustomSection;
        return true;
    }
    // A sheet pile is always a row of the sheet-pile table: the reinforcement choice of a
    // soldier pile left over from before the pile type changed does not turn it into a pipe.
    if (PileSection != psIBeam && PileType != ptSheet) {
        if (InTable(index, PipeShapes)) {
            PipeAsShape(PipeShapes[index], shape);
            return true;
        }
    } else if (InTable(index, SteelShapes)) {
        shape = SteelShapes[index];
        return true;
    }
    shape = TSteelShape{};
    return false;
}

TSteelShape TKdData::GetShape() const {
    TSteelShape shape;
    GetShape(shape);
    return shape;
}

// The pile section layout is in cm and cm^4 in SI, where the pipe catalog is in mm and 10^6 mm^4;
// in English both are in inches.
void TKdData::PipeAsShape(const TOShape& pipe, TSteelShape& shape) const {
    const bool si = Units == usSI;
    const Ext lengthDivisor = si ? 10.0L : 1.0L;  // mm -> cm
    const Ext inertiaFactor = si ? 100.0L : 1.0L; // 10^6 mm^4 -> cm^4
    TSteelShape row;
    row.Name = pipe.Name.substr(0, 50);
    row.D = pipe.OD / lengthDivisor;
    row.Bf = row.D;
    row.Tw = pipe.TNominal / lengthDivisor;
    row.Tf = pipe.T / lengthDivisor;
    row.Ix = pipe.I * inertiaFactor;
    row.Iy = row.Ix;
    shape = row;
}

// The custom section mirrors the selected catalog row, so choosing "User Defined" (a negative
// index) after a row leaves the user a copy of that row to edit.
void TKdData::SetShapeIndex(int index) {
    const auto mirrorSelectedRow = [this] {
        const int current = CurrentShapeIndex();
        if (InTable(current, SteelShapes)) CustomSection = SteelShapes[current];
    };
    if (index < 0) mirrorSelectedRow();
    (PileType == ptSheet ? SheetIndex : ShapeIndex) = index;
    mirrorSelectedRow();
}

void TKdData::SetCustomShape(const TSteelShape& shape) {
    CustomSection = shape;
}

void TKdData::SetShapeFamily(uint8_t family) {
    if (ShapeFamily == family) return;
    ShapeFamily = family;
    LoadShapeTable(-1, SteelShapes);
    LoadOShapesForPile();
}

void TKdData::SetPileType(int pileType) {
    if (PileType == pileType) return;
    PileType = pileType;
    LoadShapeTable(-1, SteelShapes);
    LoadOShapesForPile();
}

void TKdData::LoadChannelTable() {
    ChannelShapes = TSteelShapeTable::Of(Catalogs::Channels(Units == usSI));
}

void TKdData::LoadOShapesForPile() {
    BeamShapes::LoadOShapes(ShapeFamily, Units == usSI, PipeShapes);
}

// --- Reinforcing bars ------------------------------------------------------------------------

void TKdData::LoadRebarTable() {
    const bool us = RebarStandard == rsUS;
    RebarTable = us ? kUSBars : RebarStandard == rsEuropean ? kEuropeanBars : kCanadianBars;
    if (us && Units == usSI) {
        // The US bars by their metric numbers (#8 is 25), in mm.
        for (TRebarRow& row : RebarTable) {
            row.Number = row.MetricNumber;
            row.Diameter *= kMmPerInch;
            row.Area *= kMmPerInch * kMmPerInch;
        }
    } else if (!us && Units == usEnglish) {
        for (TRebarRow& row : RebarTable) {
            row.Diameter /= kMmPerInch;
            row.Area /= kMmPerInch * kMmPerInch;
        }
    }
}

// Empty rows carry the number 0 and are never an answer.
TRebarRow TKdData::GetRebar(int barNumber) const {
    for (const TRebarRow& row : RebarTable) {
        if (row.Number == barNumber && row != TRebarRow{}) return row;
    }
    return RebarTable[0];
}

std::string TKdData::BarLabel(int barNumber) const {
    std::string label = std::to_string(barNumber);
    if (RebarStandard == rsUS && Units == usEnglish) return label.insert(0, 1, '#');
    return label.append(1, 'M');
}

int TKdData::ConvertUSBarNumber(int number, bool toSI) {
    for (const TRebarRow& row : kUSBars) {
        if (toSI && row.Number == number) return row.MetricNumber;
        if (!toSI && row.MetricNumber == number) return row.Number;
    }
    return number;
}

// --- Guardrail angles and anchor bars --------------------------------------------------------

void TKdData::LoadAngleTable() {
    for (std::size_t i = 0; i < AngleTable.size(); ++i) {
        const AngleValues& v = Units == usSI ? kAngles[i].SI : kAngles[i].English;
        // Field by field: the name keeps its storage, so the reload on every calculation
        // allocates nothing.
        TGRShape& row = AngleTable[i];
        row.Name.assign(v.Name);
        row.W = v.W;
        row.A = v.A;
        row.B = v.B;
        row.D = v.D;
        row.T = v.T;
        row.S = v.S;
        row.R = v.R;
    }
}

bool TKdData::GetAngle(TGRShape& angle) const {
    if (!InTable(GuardrailAngle, AngleTable)) {
        angle = TGRShape{};
        return false;
    }
    angle = AngleTable[GuardrailAngle];
    return true;
}

TAnchorBarTable TKdData::GetAnchorBars() const {
    TAnchorBarTable bars;
    for (std::size_t i = 0; i < bars.size(); ++i) {
        const AnchorBarValues& v = Units == usSI ? kAnchorBars[i].SI : kAnchorBars[i].English;
        bars[i] = TAnchorBars{v.Name, 0.0L, 0.0L, v.Cap75, v.Cap80, v.Cap150};
    }
    return bars;
}

} // namespace vantrel
