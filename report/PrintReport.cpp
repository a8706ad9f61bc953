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

QSizeF PageSizeInches(const QPrinter& printer) {
    const QRectF points = printer.pageLayout().fullRectPoints();
    return points.isEmpty() ? kLetterPortrait : QSizeF(points.width() / 72.0, points.height() / 72.0);
}

void PrintWithOptions(const ReportDocument& doc, QPrinter& printer, QWidget* parent) {
    QPrintDialog options(&printer, parent);
    options.setWindowTitle(QStringLiteral("Output Options"));
    if (platform::ExecModal(options) != QDialog::Accepted) return;
    StatusWindow status(parent, QStringLiteral("Printing page %p"));
    if (RenderDocument(doc, printer, [&status](int page) { status.Page(page); })) return;
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
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(QString::fromLatin1(platform::ApplicationTitle()));
    printer.setFullPage(true);
    printer.setPageSize(QPageSize(QPageSize::Letter));
    printer.setPageOrientation(QPageLayout::Portrait);

    ReportDocument doc;
    try {
        host.CommitInput();
        WaitCursor wait;
        StatusWindow status(parent, QStringLiteral("Generating page %p"));
        doc = BuildReport(host, PageSizeInches(printer), [&status](int page) { status.Page(page); });
    } catch (const std::exception& e) {
        platform::ShowError(
            parent,
            QStringLiteral("The report could not be written:\n%1").arg(QString::fromLocal8Bit(e.what())));
        return;
    } catch (...) {
        platform::ShowError(parent, QStringLiteral("The report could not be written."));
        return;
    }

    QPrintPreviewDialog preview(&printer, parent);
    preview.setObjectName(QStringLiteral("ReportPreview"));
    preview.setWindowTitle(QStringLiteral("Report Preview"));
    preview.setWindowState(preview.windowState() | Qt::WindowMaximized);
    QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, &preview,
                     [&doc](QPrinter* target) { RenderDocument(doc, *target); });
    if (auto* view = preview.findChild<QPrintPreviewWidget*>()) {
        view->setZoomMode(QPrintPreviewWidget::CustomZoom);
        view->setZoomFactor(1.0);
    }
    // The preview's print button asks for the output options under our own title.
    const QString printText = QCoreApplication::translate("QPrintPreviewDialog", "Print");
    for (QAction* action : preview.findChildren<QAction*>()) {
        if (action->text() != printText) continue;
        QObject::disconnect(action, &QAction::triggered, nullptr, nullptr);
        QObject::connect(action, &QAction::triggered, &preview, [&doc, &printer, &preview] {
            PrintWithOptions(doc, printer, &preview);
            preview.accept();
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
