// The section lists of the window: the pile's beam size, the two rebar sizes of the cage, the
// waler's beam size and the guardrail's angle, refilled from the catalogs whenever their source
// (units, family, bar standard, pile type) changes.

#include "ui/KdMain.h"

#include <QComboBox>

#include "model/KdClasses.h"
#include "ui/SectionLists.h"

namespace vantrel::ui {

namespace {
constexpr const char* kSourceProperty = "listSource";
} // namespace

void TfrmKdMain::FillSectionLists(bool onlyEmpty) {
    TKdData& d = Data();
    d.LoadRebarTable();
    d.LoadAngleTable();
    // A list is rebuilt unless only the empty ones are asked for and it has items; each keeps the
    // row chosen by name, else takes its fallback.
    const auto refill = [&](const char* name, auto items, int fallback) {
        auto* list = Ctl<QComboBox>(name);
        if (!list || (onlyEmpty && list->count() > 0)) return;
        lists::RefillList(*list, items(), fallback);
        list->setProperty(kSourceProperty, ListSource(name));
    };
    const int pileRow = d.CurrentShapeIndex();
    refill(
        "ComboBox5", [&] { return lists::PileSectionItems(d); }, pileRow >= 0 ? pileRow : -1);
    refill(
        "ComboBox14", [&] { return lists::BarSizeItems(d); }, 0);
    refill(
        "ComboBox16", [&] { return lists::BarSizeItems(d); }, 0);
    // The waler list shows the family chosen for the level in the tab; its fallback is that
    // level's own row.
    const int level = tabIndex("TabControl1");
    const TWaler* waler = level >= 0 && level < d.Anchors.UsedLevels()
                              ? &d.Anchors.Levels[static_cast<size_t>(level)].Waler
                              : nullptr;
    const int family = ListIndex("ComboBox24", waler ? waler->ShapeFamily : 0);
    walerListFamily_ = family;
    refill(
        "ComboBox23", [&] { return lists::WalerSectionItems(d, family); }, waler ? waler->ShapeRow : -1);
    refill(
        "ComboBox17", [&] { return lists::GuardrailShapeItems(d); },
        d.GuardrailAngle >= 0 ? d.GuardrailAngle : 0);
}

// What a list's items were built from: a list built from another source is stale.
QString TfrmKdMain::ListSource(const char* list) const {
    const TKdData& d = Data();
    const QString name = QLatin1String(list);
    if (name == QLatin1String("ComboBox5"))
        return QStringLiteral("%1/%2/%3/%4")
            .arg(d.Units)
            .arg(d.ShapeFamily)
            .arg(d.PileType)
            .arg(d.PileType == ptSheet || d.PileSection == psIBeam ? 0 : 1);
    if (name == QLatin1String("ComboBox14") || name == QLatin1String("ComboBox16"))
        return QStringLiteral("%1/%2").arg(d.Units).arg(d.RebarStandard);
    if (name == QLatin1String("ComboBox23"))
        return QStringLiteral("%1/%2").arg(d.Units).arg(walerListFamily_);
    return QString::number(d.Units);
}

// Empties the lists built from another source than the project now holds (the project may have
// changed in code, by Open or an editor, without a commit), so that FillSectionLists rebuilds them.
void TfrmKdMain::EmptyStaleLists(int walerFamily) {
    walerListFamily_ = walerFamily;
    for (const char* name : {"ComboBox5", "ComboBox14", "ComboBox16", "ComboBox23", "ComboBox17"})
        if (const auto* list = Ctl<QComboBox>(name);
            list && list->count() > 0 && list->property(kSourceProperty).toString() != ListSource(name))
            ClearList(name);
}

QString TfrmKdMain::TextBeforeBlank(const QString& text) {
    return lists::TextBeforeBlank(text);
}

} // namespace vantrel::ui
