// Catalog rows as list items; see SectionLists.h.

#include "ui/SectionLists.h"

#include <QComboBox>
#include <QSignalBlocker>

#include "model/KdClasses.h"

namespace vantrel::lists {

namespace {

// Catalog names are plain ASCII (bar marks, "W24X55", "3\"").
QString CatalogName(const std::string& name) {
    return QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size()));
}

template <typename Rows> void AppendNames(QStringList& items, const Rows& rows) {
    for (const auto& row : rows)
        items << CatalogName(row.Name);
}

} // namespace

void RefillList(QComboBox& box, const QStringList& items, int fallback) {
    const QSignalBlocker blocker(&box);
    const bool hadItems = box.count() > 0;
    const QString previous = hadItems && box.currentIndex() >= 0 ? box.currentText() : QString();
    box.clear();
    box.addItems(items);
    if (items.isEmpty()) return;
    if (!hadItems) {
        box.setCurrentIndex(0);
        return;
    }
    int index = previous.isNull() ? -1 : items.indexOf(previous);
    if (index < 0) index = fallback >= 0 && fallback < items.size() ? fallback : items.size() - 1;
    box.setCurrentIndex(index);
}

QStringList BarSizeItems(const TKdData& data) {
    QStringList items;
    for (const TRebarRow& row : data.RebarTable)
        if (row.Number != 0) items << CatalogName(data.BarLabel(row.Number));
    return items;
}

QStringList PileSectionItems(const TKdData& data) {
    QStringList items;
    // A sheet pile is always a row of the sheet-pile table, whatever reinforcement is left over
    // from another pile type (the model reads its section the same way).
    if (data.PileType == ptSheet || data.PileSection == psIBeam) {
        AppendNames(items, data.SteelShapes);
        if (data.PileType == ptSheet) items << QString::fromLatin1(kUserDefined);
    } else {
        AppendNames(items, data.PipeShapes);
    }
    return items;
}

QStringList WalerSectionItems(const TKdData& data, int family) {
    // The waler design reads its row from the family's rolled I-shapes followed by the channels,
    // on a sheet-pile wall too; nothing lies past the channels.
    TArrSteelShapes family_rows;
    data.LoadIShapeTable(family, family_rows);
    QStringList items;
    AppendNames(items, family_rows);
    AppendNames(items, data.ChannelShapes);
    return items;
}

QStringList GuardrailShapeItems(const TKdData& data) {
    QStringList items;
    AppendNames(items, data.AngleTable);
    return items;
}

QString TextBeforeBlank(const QString& text) {
    const qsizetype blank = text.indexOf(QLatin1Char(' '));
    return blank < 0 ? text : text.left(blank);
}

} // namespace vantrel::lists
