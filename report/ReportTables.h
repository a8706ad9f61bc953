#pragma once
// The fixed parts of the printed report: the table of test results, the notes, the references and
// the page footer.

#include <QString>
#include <QStringList>

namespace vantrel {
class ComputationsTable;
}

namespace vantrel::report {

class ReportWriter;

// The maker's web address printed at the left of every footer.
inline constexpr const char* kMakerWebAddress = "www.quarnel.com";

QStringList ReportNotes();
QStringList ReportReferences();

// Footer of every page: a rule above the last line, the web address at the left, "Vantrel v" and
// the version in bold in the middle and the page number at the right.
void PrintFooter(ReportWriter& w);
// Text word-wrapped between two x positions from the current line; the cursor ends on the line
// after it.
void PrintWrappedText(ReportWriter& w, const QString& text, double left, double right);
// "Table of Test Results": the earth pressure table with a two-line header (name over unit).
void PrintTestResultsTable(ReportWriter& w, const ComputationsTable& table);

} // namespace vantrel::report
