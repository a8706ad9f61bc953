#pragma once
// Numbers as the user's regional settings write them: the one place where a fixed-notation number
// takes the locale's decimal separator. Windows, dialogs, charts, read-outs and the report's tables
// all write their "%.2f"-style numbers through it; project files never do (they stay in the C form).

#include <QString>

#include <initializer_list>

#include "model/NumberText.h"

namespace vantrel::platform {

// Fixed notation with `digits` decimals, the locale's decimal separator and no group separators.
// A value that rounds to zero has no sign ("0.000", never "-0.000"); NaN and infinities are "N.A.".
QString FormatFixed(double value, int digits);

// A printf-like text whose "%.Nf" conversions take the values in order, each written by
// FormatFixed: ("  Loading: %.2f    Distance: %.2f", {y, x}). "%%" writes "%".
QString FormatFixedText(const char* format, std::initializer_list<double> values);
// A text of the model with its numbers written by FormatFixed.
QString FormatFixedText(const TNumberText& text);

// A text with numbers written in the C form ("Modulus of Rupture = 3.4 MPa", "1.33") with the
// locale's decimal separator in each ("3,4", "1,33" under a comma locale); names and versions
// that hold digits and points ("W410X46.1", "1.18.0") are left as they are.
QString LocaleNumbersIn(const QString& text);

} // namespace vantrel::platform
