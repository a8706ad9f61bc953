#pragma once
// Drop-down lists of catalog rows: the pile's beam size, the two rebar sizes of the cage, the
// waler's beam size and the guardrail's angle. Their items follow the unit system, the section
// family, the bar standard and the pile type, so they are rebuilt from the catalogs whenever
// those change; a rebuild keeps the chosen row when a row of that name is still offered.

#include <QString>
#include <QStringList>

class QComboBox;

namespace vantrel {

class TKdData;

namespace lists {

// The text the pile and waler beam size lists end with for a user-defined sheet pile.
inline constexpr const char* kUserDefined = "User Defined";

// Replaces the items of `box` without emitting its signals. A list that had items selects the
// item of the text that was selected before, or `fallback` when that text is gone (the last item
// when `fallback` is negative or past the end); a list that was empty selects item 0.
void RefillList(QComboBox& box, const QStringList& items, int fallback);

// Rebar sizes of the bar standard in use: the rows of the rebar table that carry a bar number,
// named "#N" or "NM".
QStringList BarSizeItems(const TKdData& data);
// Beam sizes of the pile: the current pile section table (sheet piles end with "User Defined"),
// or the pipe table for a pipe or a rebar cage.
QStringList PileSectionItems(const TKdData& data);
// Beam sizes of a waler: the rolled I-shapes of `family`, then the channel sections of the current
// unit system, whose indexes lie past the family's rows.
QStringList WalerSectionItems(const TKdData& data, int family);
// The angle rows of the guardrail post.
QStringList GuardrailShapeItems(const TKdData& data);

// The part of `text` before its first blank; `text` whole when it has none (a bar named "3\"").
QString TextBeforeBlank(const QString& text);

} // namespace lists
} // namespace vantrel
