#include "report/PrintReport.h"

#include <QAction>
#include <QApplication>
#include <QCoreApplication>
#include <QFileInfo>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QProgressDialog>

#include <exception>
#include <memory>

#include "platform/Dialogs.h"
#include "platform/Version.h"
#include "report/ReportDriver.h"
#include "report/ReportHost.h"

namespace vantrel::report {

namespace {

// The hourglass for as long as the report is written, whatever ends it.
class WaitCursor {
  public:
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

// A status window that counts the pages as they are made or printed.
class StatusWindow {
  public:
    StatusWindow(QWidget* parent, const QString& pattern) : dialog_(parent), pattern_(pattern) {
        dialog_.setObjectName(QStringLiteral("ReportStatus"));
        dialog_.setWindowTitle(QStringLiteral("Report Status"));
        dialog_.setCancelButton(nullptr);
        dialog_.setRange(0, 0);
        dialog_.setMinimumDuration(0);
        dialog_.setAutoClose(false);
        dialog_.setAutoReset(false);
    }
    void Page(int page) {
        dialog_.setLabelText(QString(pattern_).replace(QStringLiteral("%p"), QString::number(page)));
        dialog_.setValue(page);
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    }

  private:
    QProgressDialog dialog_;
    QString pattern_;
};

// The paper of a printer in inches, as it lies (portrait or landscape).
QSizeF PageSizeInches(const QPrinter& printer) {
    const QSizeF mm = printer.pageLayout().fullRect(QPageLayout::Millimeter).size();
    return mm.isEmpty() ? kLetterPortrait : mm / 25.4;
}

// The report laid out on the paper of the printer it goes to, laid out again when that paper
// changes (in the output options or the preview's page setup). A failure is told once per paper.
class PrinterLayout {
  public:
    PrinterLayout(ReportHost& host, QWidget* parent) : host_(host), parent_(parent) {}

    // False when the report cannot be written on this paper. The first layout commits the input
    // being typed.
    bool For(const QPrinter& printer) {
        const QSizeF paper = PageSizeInches(printer);
        const bool first = !tried_;
        if (!first && paper == doc_.pageSize) return ok_;
        tried_ = true;
        doc_ = ReportDocument{paper, {}};
        try {
            if (first) host_.CommitInput();
            WaitCursor wait;
            StatusWindow status(parent_, QStringLiteral("Generating page %p"));
            doc_ = BuildReport(host_, paper, [&status](int page) { status.Page(page); });
            return ok_ = true;
        } catch (const std::exception& e) {
            platform::ShowError(parent_, QStringLiteral("The report could not be written:\n%1")
                                             .arg(QString::fromLocal8Bit(e.what())));
        } catch (...) {
            platform::ShowError(parent_, QStringLiteral("The report could not be written."));
        }
        return ok_ = false;
    }
    const ReportDocument& Document() const { return doc_; }

  private:
    ReportHost& host_;
    QWidget* parent_;
    ReportDocument doc_;
    bool tried_ = false, ok_ = false;
};

void PrintWithOptions(PrinterLayout& layout, QPrinter& printer, QWidget* parent) {
    QPrintDialog options(&printer, parent);
    options.setWindowTitle(QStringLiteral("Output Options"));
    if (platform::ExecModal(options) != QDialog::Accepted || !layout.For(printer)) return;
    StatusWindow status(parent, QStringLiteral("Printing page %p"));
    if (RenderDocument(layout.Document(), printer, [&status](int page) { status.Page(page); })) return;
    // A printer that cannot be opened, or a file that cannot be written, is told; nothing was printed.
    const QString file = printer.outputFileName();
    platform::ShowError(
        parent, file.isEmpty()
                    ? QStringLiteral("The report could not be printed on %1.").arg(printer.printerName())
                    : QStringLiteral("The report could not be written to the file %1.").arg(file));
}

} // namespace

bool RenderDocument(const ReportDocument& doc, QPagedPaintDevice& device,
                    const std::function<void(int)>& pagePrinted) {
    QPainter painter(&device);
    if (!painter.isActive()) return false;
    for (int i = 0; i < static_cast<int>(doc.pages.size()); ++i) {
        if (i > 0) device.newPage();
        if (pagePrinted) pagePrinted(i + 1);
        RenderPage(doc, i, painter);
    }
    return painter.end();
}

void PrintReport(ReportHost& host, QWidget* parent) {
    // The paper of the printer the report goes to; Letter when no printer is named.
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(QString::fromLatin1(platform::ApplicationTitle()));
    printer.setFullPage(true);
    if (printer.printerName().isEmpty()) {
        printer.setPageSize(QPageSize(QPageSize::Letter));
        printer.setPageOrientation(QPageLayout::Portrait);
    }

    PrinterLayout layout(host, parent);
    if (!layout.For(printer)) return;

    QPrintPreviewDialog preview(&printer, parent);
    preview.setObjectName(QStringLiteral("ReportPreview"));
    preview.setWindowTitle(QStringLiteral("Report Preview"));
    preview.setWindowState(preview.windowState() | Qt::WindowMaximized);
    QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, &preview, [&layout](QPrinter* target) {
        if (layout.For(*target)) RenderDocument(layout.Document(), *target);
    });
    auto* view = preview.findChild<QPrintPreviewWidget*>();
    if (view) {
        view->setZoomMode(QPrintPreviewWidget::CustomZoom);
        view->setZoomFactor(1.0);
    }
    // The preview's print button asks for the output options under our own title; the preview
    // then shows the pages as printed.
    const QString printText = QCoreApplication::translate("QPrintPreviewDialog", "Print");
    for (QAction* action : preview.findChildren<QAction*>()) {
        if (action->text() != printText) continue;
        QObject::disconnect(action, &QAction::triggered, nullptr, nullptr);
        QObject::connect(action, &QAction::triggered, &preview, [&layout, &printer, &preview, view] {
            PrintWithOptions(layout, printer, &preview);
            if (view) view->updatePreview();
        });
    }
    platform::ExecModal(preview);
}

bool WriteReportPdf(ReportHost& host, const QString& fileName, QString* error) {
    auto fail = [error](const QString& message) {
        if (error) *error = message;
        return false;
    };
    ReportDocument doc;
    try {
        doc = BuildReport(host, kLetterPortrait);
    } catch (const std::exception& e) {
        return fail(QString::fromLocal8Bit(e.what()));
    }
    QPdfWriter writer(fileName);
    writer.setPageSize(QPageSize(QPageSize::Letter));
    writer.setPageMargins(QMarginsF(0, 0, 0, 0));
    writer.setResolution(1200);
    writer.setTitle(QString::fromLatin1(platform::ApplicationTitle()));
    writer.setCreator(QStringLiteral("Vantrel ") + platform::ProgramVersion());
    if (!RenderDocument(doc, writer) || QFileInfo(fileName).size() <= 0)
        return fail(QStringLiteral("Cannot write the file %1.").arg(fileName));
    return true;
}

} // namespace vantrel::report
