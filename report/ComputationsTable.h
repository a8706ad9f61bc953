#pragma once
// The plain result tables: caption, columns and rows of formatted cells with bold heading rows.
// The table window shows them in a list and the printed report writes the earth pressure table
// from the same rows.

#include <QString>
#include <QStringList>
#include <QVariant>

#include <vector>

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

} // namespace vantrel
