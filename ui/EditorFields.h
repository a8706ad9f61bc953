#pragma once
// Number and item helpers of the editor dialogs: how a numeric edit shows a value (its field-limit
// entry gives the decimals and the clamping), how a typed number is read back, and how drop-down
// items that carry a number ("75 ksi", "#8") are chosen and read.
//
// These are kept private to the editor dialogs (namespace editorfields) and follow the rules of
// the program's input helpers exactly, so the dialogs can move onto the shared helpers unchanged.

#include <QString>

#include "model/KdClasses.h"

class QComboBox;
class QLineEdit;
class QWidget;

namespace vantrel::editorfields {

// The field-limit tag of a control: its dynamic property "tag" (0 when it has none).
int TagOf(const QWidget* control);
void SetTag(QWidget* control, int tag);

// A value as an edit shows it: "N.A." when undefined, else fixed with `digits` decimals in the
// locale's notation without thousand separators.
QString FormatValue(Ext value, int digits);

// Writes `value` into the edit: "N.A." for an undefined value; otherwise clamped to the field-limit
// entry of the edit's tag (unless noClamp or the entry has no limits) and shown with its decimals
// (2 decimals and no clamping for a tag outside the table). Emits no edit signals.
void SetEditValue(QLineEdit* edit, const TFieldLimitTable& limits, bool noClamp, Ext value);

// Reads the edit's number: thousand separators dropped, unreadable text taken as 0, clamped to the
// tag's entry when min and max are both 0, then to the caller's own limits (0 = none). A value that
// changed on the way is written back formatted; text that reads as typed is left alone.
Ext GetEditValue(QLineEdit* edit, const TFieldLimitTable& limits, double min, double max);

// Selects the item "#n", "nM", "n ksi" or "n kN" (the first that exists), else item n (item 0 for
// a negative n).
void SelectComboItemByNumber(QComboBox* combo, int n);
// The number of the selected item with its "#", "M", "ksi" or "kN" removed; text that is no number
// (or 0) gives `fallback`.
int GetComboItemNumber(const QComboBox* combo, int fallback);

// Accepts keys of a number only: digits, a minus sign and one decimal separator.
void AcceptNumbersOnly(QLineEdit* edit);

// Colour of edits that show computed values ($F0CAA6, sky blue).
void SetReadOnlyLook(QLineEdit* edit, bool readOnly);

} // namespace vantrel::editorfields
