#pragma once
// The printed report in one pass: title page with the project lines, logo, cross section and pile
// plan view; the input and the result sections in two columns; the surface settlement; the
// guardrail design; the table of test results; four pages of charts; notes and references.

#include <QSizeF>

#include <functional>

#include "report/ReportPage.h"

namespace vantrel::report {

class ReportHost;

inline constexpr QSizeF kLetterPortrait(8.5, 11.0);

// Writes the whole report with `w` (its footer already set). The waler tabs and captions of the
// window are switched level by level and restored, also when an error ends the report.
void WriteReport(ReportHost& host, ReportWriter& w);

// The report as a document of pages of `pageSize` inches, every page with its footer.
// `pageStarted` is told the number of each page begun.
ReportDocument BuildReport(ReportHost& host, QSizeF pageSize = kLetterPortrait,
                           std::function<void(int)> pageStarted = {});

} // namespace vantrel::report
