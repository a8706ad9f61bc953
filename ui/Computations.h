#pragma once
// Result tables: the pile analysis node by node, grouped by level ("Table of Test Results"), the
// earth pressure table ("Earth Pressures Analysis") and the small help tables of other windows.
//
// TfrmComputations shows a ComputationsTable in a list.

#include <QDialog>

#include <memory>
#include <vector>

#include "report/ComputationsTable.h"

class QTreeWidget;

namespace vantrel {

class TfrmComputations : public QDialog {
    Q_OBJECT
  public:
    explicit TfrmComputations(QWidget* parent = nullptr);

    ComputationsTable& Table() { return table_; }
    const ComputationsTable& Table() const { return table_; }
    QTreeWidget* List() const { return ListView1; }

    void FillNodeTableByLevel(const TKdData& data);
    void FillEarthPressureTable(const TKdData& data);
    void AddValueRow(const QString& caption, const QString& unit, int digits, double value);
    void AddRow(const QString& caption, const std::vector<QVariant>& values, int data = 0);
    // Sets the caption and the columns; columns beyond the second take column 1's width and widen
    // the window by it, aligned by the matching alignment (the last one when there are fewer).
    void SetColumns(const QString& caption, const QStringList& captions,
                    const std::vector<Qt::Alignment>& alignments = {});
    // Sets one column's width, pixels; a column that does not exist is ignored.
    void SetColumnWidth(int column, int width);
    // Sizes the window to its columns, never wider than the screen.
    void FitWidth();
    int RowHeight() const;

  private:
    void ShowTable();                       // rebuilds the list from the table
    int ShownColumnWidth(int column) const; // the table's width, or the heading's when wider
    void AppendItem(const ComputationsRow& row);

    ComputationsTable table_;
    QTreeWidget* ListView1 = nullptr;
};

// A table window filled from the project: the node table by level (true) or the earth pressure
// table (false); not shown.
std::unique_ptr<TfrmComputations> CreateComputationsForm(const TKdData& data, bool byLevel,
                                                         QWidget* parent = nullptr);
// Shows the filled table window modally and frees it.
void ShowComputations(const TKdData& data, bool byLevel, QWidget* parent = nullptr);

} // namespace vantrel
