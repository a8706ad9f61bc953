#pragma once
// The small result table window and its two fillers: the steel member check of one support level
// and the interaction table of the drilled pier section. The fillers only read the project.

#include <QDialog>
#include <QStringList>

#include <vector>

#include "model/KdClasses.h"

class QTreeWidget;

namespace vantrel {

class TfrmTable : public QDialog {
    Q_OBJECT
  public:
    explicit TfrmTable(QWidget* parent = nullptr);

    QTreeWidget* ListView1() const { return list_; }

    // Empties the list and its columns.
    void Clear();
    // One column per caption, with its width in pixels and alignment.
    void SetColumns(const QStringList& captions, const std::vector<int>& widths,
                    const std::vector<Qt::Alignment>& alignments);
    // Appends a row: the first text is the row's caption, the others its cells.
    void AddRow(const QStringList& cells, bool bold = false);
    // Widens columns whose texts would be cut, never below their set widths; returns the total width.
    int FitColumns();
    int RowCount() const;
    // The text of a cell (row and column from 0); empty outside the table.
    QString Cell(int row, int column) const;

  private:
    QTreeWidget* list_ = nullptr;
    std::vector<int> widths_;
};

// The member check rows of a level whose member the check has run on (I/H or pipe), units of the
// project's system. Undefined values read "N.A.".
void FillMemberCheckTable(TfrmTable& table, const TKdData& data, const TAnchLevel& level);

// The nine points of the pier's interaction diagram as columns, one row per quantity. `units` is
// the unit system the window shows (0 English, otherwise SI).
void FillInteractionTable(TfrmTable& table, const TKdData& data, int units);

// Creates the table window, fills it with the member check of `level`, shows it modally, frees it.
void ShowMemberCheckTable(const TKdData& data, const TAnchLevel& level, QWidget* parent = nullptr);
// The same for the interaction table.
void ShowInteractionTable(const TKdData& data, int units, QWidget* parent = nullptr);

} // namespace vantrel
