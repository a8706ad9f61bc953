#pragma once
// The Print command and the report's output: preview and printer, or a PDF file.

#include <QString>

#include <functional>

#include "report/ReportPage.h"

class QPagedPaintDevice;
class QWidget;

namespace vantrel::report {

class ReportHost;

// The Print command: commits the typed input, writes the report on the paper of the printer it
// goes to (Letter when no printer is named) under a wait cursor and the "Report Status" window,
// then shows the maximised "Report Preview" at 100 % through the modal seam; its print button asks
// "Output Options" and prints. A change of paper lays the report out again. Any error is shown in
// a message box.
void PrintReport(ReportHost& host, QWidget* parent);

// Paints every page of a document on a paged device (printer, PDF writer), telling `pagePrinted`
// each page number. The device is expected to paint from the paper's corner. False when the
// device cannot be painted on (a file that cannot be written).
bool RenderDocument(const ReportDocument& doc, QPagedPaintDevice& device,
                    const std::function<void(int)>& pagePrinted = {});

// Writes the whole report to a PDF file on US Letter paper. False, with the reason in `error`,
// when the report or the file cannot be written.
bool WriteReportPdf(ReportHost& host, const QString& fileName, QString* error = nullptr);

} // namespace vantrel::report
