#pragma once
// Input value helpers shared by every window: numbers between edits and the project (clamped to
// the field limits and shown with the field's decimals), drop-down lists that carry numbers, the
// pass/fail marks, silent check states, the program's version and the user's folders, and the
// one place where project texts (8-bit Windows-1252 bytes in the file) become window text.
//
// Every write goes under a QSignalBlocker: a program write never looks like a user edit.

#include <QDate>
#include <QPixmap>
#include <QString>

#include <string>

#include "model/KdClasses.h"

class QAbstractButton;
class QColor;
class QComboBox;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QObject;

namespace vantrel::ui {

// --- Tags: the field-limit index of a numeric control, the state of a section or a mark ---
int Tag(const QObject* object);
void SetTag(QObject* object, int tag);

// --- Numbers ------------------------------------------------------------------------------
// Fixed notation rounded to `precision` significant digits with `digits` decimals, the user's
// decimal separator and no group separators ("N.A." for NaN).
QString FormatFloat(Ext value, int precision, int digits);
// Reads a number as the user writes it (decimal separator of the locale, group separators
// dropped; the C form "1.5" is accepted too) to the full extended precision, so that "0.85" reads
// as 0.85L like the model's own constants. Unreadable text, or a number beyond the range of a
// double: nothing.
bool ParseNumber(const QString& text, Ext& value);

// Writes Value into the edit with the decimals of its tag's field limit (2 without a tag),
// clamped to the limit unless noClamp; NaN shows "N.A."; the suffix follows either. An edit that
// already shows the text is left alone (no repaint).
void SetEditValue(QLineEdit* edit, bool noClamp, Ext value, const TFieldLimitTable& limits,
                  const QString& suffix = QString());
// The number an edit of `digits` decimals shows for value, as it reads back: what a typed number
// is stored as, so that the project holds what the edit shows.
Ext AsShown(Ext value, int digits);
// Reads the edit: unreadable text is 0, a number is taken as the edit shows it (rounded to its
// decimals); clamped to the tag's field limit when the caller gives no
// limits of its own (min = max = 0), then to the caller's limits (0 means none for each). When
// clamping changed the number, the edit is rewritten with the number returned.
Ext GetEditValue(QLineEdit* edit, Ext min, Ext max, const TFieldLimitTable& limits);
// The decimals the edit shows: its tag's field limit's, 2 without a tag.
int EditDigits(const QObject* edit, const TFieldLimitTable& limits);
// A limit a typed number was clamped to, as the edit shows it: rounded to `digits` decimals
// toward the inside of [lo, hi] (up from a lower limit, down from an upper one), so that what is
// stored is what the edit shows and reading the edit again gives the same number. A range
// narrower than one shown step keeps the limit as it is.
Ext ShownLimit(Ext limit, bool lower, Ext lo, Ext hi, int digits);

// Selects "#N", "NM", "N ksi" or "N kN", in this order; else the item with index N (item 0 for a
// negative N, none beyond the list).
void SelectComboItemByNumber(QComboBox* combo, int n);
// The number in the selected item ("#8" gives 8, "25M" 25, "60 ksi" 60); unreadable or 0 gives
// the bar number of the first row of the rebar table.
int GetComboItemNumber(const QComboBox* combo, const TRebarTable& rebars);
// The same with a fallback of the caller's own (a list of grades falls back to the grade held).
int GetComboItemNumber(const QComboBox* combo, int fallback);
// Selects the first item whose number equals value within a relative 1e-9 (item texts are
// doubles, the project holds extended values); item 0 when none does.
void SelectComboItemByValue(QComboBox* combo, Ext value);
// The selected item's number; when that is 0, item 0's number.
Ext GetComboItemValue(const QComboBox* combo);

// --- Numeric edits -------------------------------------------------------------------------
// True when a key typed into a numeric edit is to be swallowed: a character that is neither a
// digit nor a minus sign, or a decimal separator that would give the edit's text a second one.
// The text judged is the one the key produces: a selection the key types over is gone.
// Editing keys and short-cuts pass.
bool RejectsNumberKey(const QLineEdit* edit, const QKeyEvent* event);
// The shared key filter of numeric edits: true when the key is taken care of here. A refused key
// is swallowed; the keypad's decimal key types the locale's separator whatever the keyboard
// layout gives it (sent again to `target`, the control that received it), as spreadsheets do.
bool FilterNumberKey(QObject* target, const QLineEdit* edit, const QKeyEvent* event);
// Makes the edit take number keys only (the filter above, while it is not read-only).
void AcceptNumbersOnly(QLineEdit* edit);

// Edits that show computed values are read-only on a sky-blue ground.
QColor ReadOnlyColour();
void SetReadOnlyLook(QLineEdit* edit, bool readOnly);

// Pass (true: picture 0, tag 0) or fail (picture 1, tag 1) mark.
void SetToggleImage(bool state, QLabel* image);
QPixmap PassFailPixmap(bool pass);
void SetCheckedSilently(QAbstractButton* check, bool checked);

// --- Version ------------------------------------------------------------------------------
// The version of the program's own executable; any other file has no version information and
// raises std::runtime_error "Can't get file version information for " + file name.
void GetFileVersion(const QString& fileName, int& major, int& minor, int& release, int& build,
                    bool& preRelease);
// "major.minor.release" of the running program.
QString GetAppVersion();

// --- Folders (with trailing separator) -----------------------------------------------------
// Special folder 5 (documents) or 26 (application data); empty for any other or when unknown.
QString GetSpecialFolder(int folder);
QString GetMyDocumentsFolder();
// The application data folder followed by "Vantrel/", created when missing; empty when unknown.
QString GetAppDataFolder();

// --- Project texts ------------------------------------------------------------------------
inline constexpr int kMaxProjectText = 255; // the longest text the project file holds
QString FromProjectText(const std::string& bytes);
// Windows-1252 bytes; a character outside the code page becomes '?'; cut to 255 characters.
std::string ToProjectText(const QString& text);
// Project dates are whole days since 1899-12-30.
QDate DateFromProject(double days);
double DateToProject(const QDate& date);

} // namespace vantrel::ui
