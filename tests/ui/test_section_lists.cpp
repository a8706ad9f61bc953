// Catalog rows offered by the section lists, and the rebuild that keeps a selection by name.
// Expected counts and end rows are those of the catalog sources in resources/catalogs and of the
// bar tables of the three bar standards (US #3 .. #18, European 6 .. 50 mm, Canadian 10M .. 55M).

#include <QComboBox>

#include <gtest/gtest.h>

#include "model/KdClasses.h"
#include "ui/SectionLists.h"

using namespace vantrel;

namespace {

struct ListCase {
    const char* name;
    uint8_t units;
    int standard;
    int count;
    const char* first;
    const char* last;
};

} // namespace

TEST(SectionLists_Items, BarSizesPerStandardAndUnits) {
    const ListCase cases[] = {
        {"US English", usEnglish, rsUS, 11, "#3", "#18"},
        {"US SI", usSI, rsUS, 11, "10M", "57M"},
        {"European", usSI, rsEuropean, 12, "6M", "50M"},
        {"European in English units", usEnglish, rsEuropean, 12, "6M", "50M"},
        {"Canadian", usEnglish, rsCanadian, 8, "10M", "55M"},
    };
    for (const ListCase& c : cases) {
        TKdData data;
        data.RebarStandard = c.standard;
        data.SetUnits(c.units);
        const QStringList items = lists::BarSizeItems(data);
        ASSERT_EQ(items.size(), c.count) << c.name;
        EXPECT_EQ(items.first(), c.first) << c.name;
        EXPECT_EQ(items.last(), c.last) << c.name;
    }
}

TEST(SectionLists_Items, WalerSectionsEndWithTheSixteenChannels) {
    const struct {
        uint8_t units;
        int family;
        int familyRows;
        const char* first;
        const char* firstChannel;
        const char* last;
    } cases[] = {
        {usEnglish, sfNorthAmerican, 176, "W27X539", "C15X50", "C8X11.5"},
        {usSI, sfNorthAmerican, 176, "W690X802", "C380X74", "C200X17.1"},
        {usSI, sfBritish, 86, "UB 1016x305x487", "C380X74", "C200X17.1"},
        {usSI, sfEuropean, 67, "IPE 100 A", "C380X74", "C200X17.1"},
        {usEnglish, sfAustralian, 41, "610 UB 125", "C15X50", "C8X11.5"},
    };
    for (const auto& c : cases) {
        TKdData data;
        data.SetUnits(c.units);
        const QStringList items = lists::WalerSectionItems(data, c.family);
        ASSERT_EQ(items.size(), c.familyRows + 16) << c.first;
        EXPECT_EQ(items.first(), c.first);
        EXPECT_EQ(items[c.familyRows], c.firstChannel);
        EXPECT_EQ(items.last(), c.last);
    }
    // A sheet-pile wall still offers the rolled I-shapes for its walers, never "User Defined".
    TKdData sheet;
    sheet.SetPileType(ptSheet);
    const QStringList items = lists::WalerSectionItems(sheet, sfNorthAmerican);
    EXPECT_EQ(items.first(), "W27X539");
    EXPECT_FALSE(items.contains(lists::kUserDefined));
}

TEST(SectionLists_Items, PileSectionsFollowTheSectionKindAndPileType) {
    TKdData data;
    data.SetUnits(usEnglish);
    data.SetShapeFamily(sfNorthAmerican);
    QStringList items = lists::PileSectionItems(data);
    ASSERT_EQ(items.size(), 176);
    EXPECT_EQ(items.first(), "W27X539");
    EXPECT_EQ(items.last(), "HP8X36");

    data.PileSection = psPipe;
    items = lists::PileSectionItems(data);
    ASSERT_FALSE(items.isEmpty());
    EXPECT_EQ(items.size(), static_cast<qsizetype>(data.PipeShapes.size()));
    EXPECT_FALSE(items.contains("W27X539"));

    // A sheet pile offers the sheet-pile table and "User Defined" last, even with a pipe left over.
    data.SetPileType(ptSheet);
    items = lists::PileSectionItems(data);
    EXPECT_EQ(items.size(), static_cast<qsizetype>(data.SteelShapes.size()) + 1);
    EXPECT_EQ(items.last(), lists::kUserDefined);
    EXPECT_EQ(items.first(), QString::fromStdString(data.SteelShapes.front().Name));
}

TEST(SectionLists_Items, GuardrailAnglesAreTheSeventeenRows) {
    TKdData data;
    const QStringList items = lists::GuardrailShapeItems(data);
    ASSERT_EQ(items.size(), 17);
    EXPECT_EQ(items.first(), QString::fromStdString(data.AngleTable.front().Name));
    EXPECT_EQ(items.last(), QString::fromStdString(data.AngleTable.back().Name));
}

TEST(SectionLists_Refill, KeepsTheSelectionByNameElseTheFallback) {
    QComboBox box;
    int emitted = 0;
    QObject::connect(&box, &QComboBox::currentIndexChanged, [&] { ++emitted; });

    lists::RefillList(box, {"a", "b", "c"}, 2); // empty before: item 0
    EXPECT_EQ(box.currentIndex(), 0);
    box.setCurrentIndex(1);
    emitted = 0;

    lists::RefillList(box, {"x", "b", "y", "z"}, 3); // "b" still offered
    EXPECT_EQ(box.currentText(), "b");
    lists::RefillList(box, {"p", "q", "r"}, 2); // gone: the fallback
    EXPECT_EQ(box.currentIndex(), 2);
    lists::RefillList(box, {"p", "s"}, -1); // no fallback: the last item
    EXPECT_EQ(box.currentIndex(), 1);
    lists::RefillList(box, {"m", "n"}, 7); // a fallback past the end: the last item
    EXPECT_EQ(box.currentIndex(), 1);
    EXPECT_EQ(emitted, 0) << "a rebuild never reaches the list's handlers";
}

TEST(SectionLists_Text, TextBeforeBlank) {
    EXPECT_EQ(lists::TextBeforeBlank("#7 - 22 mm"), "#7");
    EXPECT_EQ(lists::TextBeforeBlank("3\""), "3\"");
    EXPECT_EQ(lists::TextBeforeBlank(" lead"), "");
    EXPECT_EQ(lists::TextBeforeBlank(""), "");
}
