#pragma once
// Prints one collapsible section of the main window into the current report column: a shaded
// caption bar, then the section's rows as cells caption | value | unit with the texts exactly as
// the window shows them. Rows are found from the controls' positions on the panel.

#include <QString>
#include <QStringList>

#include <functional>
#include <initializer_list>
#include <vector>

#include "report/ReportPage.h"

class QWidget;

namespace vantrel::report {

class ReportHost;

// The text a control shows: label and button texts with their mnemonics removed ("&&" shows
// "&"), an edit's text, a combo box's current item.
QString ShownText(const QWidget* control);
// Line breaks (CR LF, CR or LF) become one blank; NUL characters are dropped.
QString FlattenLineBreaks(const QString& text);
// Part n (from 0) of a text split at its line breaks, blanks at the start of each part dropped.
QString SplitPart(const QString& text, int n);
// A status mark's state: the control's "tag" property (0 pass, 1 fail).
int ControlTag(const QWidget* control);

class PanelPrinter {
  public:
    PanelPrinter(ReportHost& host, ReportWriter& writer) : host_(host), w_(writer) {}
    // Prints the section, or nothing when it is hidden.
    void PrintPanel(QWidget* panel);

  private:
    struct Entry {
        QWidget* control;
        int top; // Top within the section, sub-panels moved down by their offset
    };
    struct Tab {
        double start; // fraction of the column width; < 0: right after the previous tab
        double width;
        Align align;
    };

    void Collect(QWidget* panel);
    void CollectPanelControls(QWidget* panel, int offset);
    static void InsertByRow(std::vector<Entry>& list, QWidget* control, int offset);
    QWidget* Find(const QString& name) const;
    QString TextOf(const QString& name) const;
    bool Shown(const QString& name) const;

    QWidget* FindValueControl(const QWidget* caption, int n) const;
    QWidget* FindStatusImage(const QWidget* caption) const;
    bool RowIsFlagged(const QWidget* caption) const;
    QWidget* FindUnitLabel(const QWidget* caption, int n) const;
    QString FindUnitText(const QWidget* caption, int n) const;
    QString FindUnitTextAny(const QWidget* caption) const;
    QString GetRowNote(const QWidget* caption, int n) const;
    QString GetRowValue(const QWidget* caption, int n) const;

    void SetTabs(std::initializer_list<Tab> tabs);
    void SetTabs(const std::vector<Tab>& tabs);
    void Cells(std::initializer_list<QString> cells);
    void EndRow();
    void CaptionBar(QWidget* panel);
    void WriteAfterCell(const QString& cellText, const QString& extra);

    void PrintRows(QWidget* panel);
    void PrintCheckTable(const QString& head1, const QString& head2);
    void PrintTwoValueTable(const std::vector<Tab>& tabs, const QString& before, const QString& head1,
                            const QString& head2);
    void PrintPressureData();
    void PrintWalerGrid();
    void PrintRow(QWidget* caption);
    void PrintPointTable(const QString& h1, const QString& h2, const QString& h3, const QString& xName,
                         const QString& wName);
    void PrintLevelTable(const std::vector<Tab>& tabs, const QStringList& heads, int headerLines, bool corner,
                         void (PanelPrinter::*row)(int, bool), bool skipUnused,
                         const std::function<void()>& after = {});
    void PrintAnchorInputTable(bool corner);
    void PrintAnchorResultTable(bool corner);
    void PrintStrutTable(bool corner);
    void PrintAnchorInputRow(int n, bool corner);
    void PrintAnchorResultRow(int n, bool corner);
    void PrintBondRow(int n);
    void PrintStrutRow(int n, bool corner);
    void PrintFlaggedCell(const QString& control, const QString& image);
    bool RowExists(const QString& captionName) const;

    ReportHost& host_;
    ReportWriter& w_;
    double cw_ = 0, x0_ = 0;
    std::vector<Entry> values_, captions_, others_, images_;
    std::vector<Tab> rowTabs_;
};

} // namespace vantrel::report
