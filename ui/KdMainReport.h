#pragma once
// The main window as the printed report reads it: its project, its section panels and controls,
// the drawings and chart pictures of the shown project, and the waler level tabs switched level by
// level while the waler sections are printed.

#include <QString>

#include "report/ReportHost.h"

namespace vantrel::ui {

class TfrmKdMain;

class KdMainReport : public report::ReportHost {
  public:
    explicit KdMainReport(TfrmKdMain& window) : window_(window) {}

    const TKdData& Project() const override;
    void CommitInput() override;
    std::vector<QWidget*> InputSections() const override;
    std::vector<QWidget*> ResultSections() const override;
    QWidget* Control(const QString& name) const override;
    QString SectionCaption(QWidget* panel) const override;
    QImage Diagram(int kind, QSize size) override;
    std::vector<QImage> ChartPictures(int kind) override;
    ComputationsTable EarthPressureTable() const override;
    int WalerTab(int tabControl) const override;
    void SelectWalerTab(int tabControl, int index) override;
    QSize LogoSize() const override;

  private:
    TfrmKdMain& window_;
};

// The Print command of the main window: the report of the shown project in the preview, printed
// from there.
void PrintMainWindowReport(TfrmKdMain& window);

// The report of the shown project written to a PDF file; false with the reason in `error`.
bool WriteMainWindowReportPdf(TfrmKdMain& window, const QString& fileName, QString* error = nullptr);

} // namespace vantrel::ui
