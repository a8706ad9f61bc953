#pragma once
// Result tables: the pile analysis node by node, grouped by level ("Table of Test Results"), the
// earth pressure table ("Earth Pressures Analysis") and the small help tables of other windows.
//
// ComputationsTable is the plain table (caption, columns, rows, bold heading rows) that the
// printed report reads without a window; TfrmComputations shows one in a list.

#include <QDialog>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <memory>
#include <vector>

class QTreeWidget;

namespace vantrel {

class TKdData;

// The value that leaves a value cell empty.
inline constexpr double kEmptyCell = -2147483647.0;

struct ComputationsColumn {
    QString caption;
    int width = 100; // pixels
    Qt::Alignment alignment = Qt::AlignLeft;
};

struct ComputationsRow {
    QStringList cells; // cell 0 is the first column
    int data = 0;      // 1 marks a heading row, drawn bold
};

class ComputationsTable {
  public:
    QString caption = QStringLiteral("Computations");
    std::vector<ComputationsColumn> columns{{QStringLiteral("Variable"), 280, Qt::AlignLeft},
                                            {QStringLiteral("Value"), 100, Qt::AlignLeft}};
    std::vector<ComputationsRow> rows;

    void FillNodeTableByLevel(const TKdData& data);
    void FillEarthPressureTable(const TKdData& data);
    // A caption and one value: "N.A." for NaN, nothing for kEmptyCell, else the number with
    // `digits` decimals, a blank and the unit.
    void AddValueRow(const QString& caption, const QString& unit, int digits, double value);
    // A caption and several cells: numbers with 3 decimals, anything else as its text.
    void AddRow(const QString& caption, const std::vector<QVariant>& values, int data = 0);
    // Sum of the column widths, pixels.
    int TotalWidth() const;
};

// Fixed notation as the tables show numbers; NaN is "N.A.".
QString FormatFixed(double value, int digits);

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
