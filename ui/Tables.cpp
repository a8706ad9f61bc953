#include "ui/Tables.h"

#include <QFont>
#include <QHeaderView>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <array>

#include "platform/Dialogs.h"
#include "ui/Globals.h"

namespace vantrel {

namespace {

// A number of a table: rounded to 10 significant digits, then fixed with the row's decimals, the
// unit after it; "N.A." when undefined.
QString TableValue(Ext value, int digits, const std::string& unit = std::string()) {
    if (!std::isfinite(static_cast<double>(value))) return QStringLiteral("N.A.");
    return ui::FormatFloat(value, 10, digits) + QString::fromStdString(unit);
}

// One row of the member check: a heading (no value) or a value with its decimals and unit.
struct CheckRow {
    const char* caption;
    Ext TShapeRes::*value; // null: heading, or the combined ratio when `combined`
    int digits;
    const char* unitEnglish;
    const char* unitSI;
    bool combined = false;
};

const std::vector<CheckRow>& IShapeCheckRows() {
    static const std::vector<CheckRow> rows = {
        {"For Axial Compression:", nullptr, 0, "", ""},
        {"Kx*Lx/rx", &TShapeRes::KLrX, 2, "", ""},
        {"Kx*Lx/ry", &TShapeRes::KLrY, 2, "", ""},
        {"Fcr", &TShapeRes::Fcr, 2, " ksi", " MPa"},
        {"Pa", &TShapeRes::Pa, 0, " kip", " KN"},
        {"Putil", &TShapeRes::PUtil, 2, "", ""},
        {"For X-axis Bending:", nullptr, 0, "", ""},
        {"Lc", &TShapeRes::Lp, 2, " ft", " m"},
        {"Lu", &TShapeRes::Lr, 2, " ft", " m"},
        {"Lb/rt", &TShapeRes::LbOverRts, 2, "", ""},
        {"fbx", &TShapeRes::Fbx, 2, " ksi", " MPa"},
        {"Mxn/omega", &TShapeRes::MxAllow, 0, " kip-ft", " KN-m"},
        {"Mxutil", &TShapeRes::MxUtil, 2, "", ""},
        {"For Y-axis Bending:", nullptr, 0, "", ""},
        {"fby", &TShapeRes::Fby, 2, " ksi", " MPa"},
        {"Myn/omega", &TShapeRes::MyAllow, 0, " kip-ft", " KN-m"},
        {"Myutil", &TShapeRes::MyUtil, 2, "", ""},
        {"Combined Utilization Ratio", nullptr, 3, "", "", true},
    };
    return rows;
}

const std::vector<CheckRow>& PipeCheckRows() {
    static const std::vector<CheckRow> rows = {
        {"For Axial Compression:", nullptr, 0, "", ""},
        {"Kx*Lx/rx", &TShapeRes::KLrX, 2, "", ""},
        {"Fcr", &TShapeRes::Fcr, 2, " ksi", " MPa"},
        {"Pa", &TShapeRes::Pa, 0, " kip", " KN"},
        {"Putil", &TShapeRes::PUtil, 2, "", ""},
        {"For X-axis Bending:", nullptr, 0, "", ""},
        {"fbx", &TShapeRes::Fbx, 2, " ksi", " MPa"},
        {"Mn/omega", &TShapeRes::MxAllow, 0, " kip-ft", " KN-m"},
        {"Mxutil", &TShapeRes::MxUtil, 2, "", ""},
        {"Combined Utilization Ratio", nullptr, 3, "", "", true},
    };
    return rows;
}

// One quantity of the interaction table with its captions in both systems and its decimals.
struct InteractionRow {
    const char* captionEnglish;
    const char* captionSI;
    Ext TInteractionPoint::*value;
    int digits;
};

constexpr std::array<InteractionRow, 17> kInteractionRows = {{
    {"c, in", "c, mm", &TInteractionPoint::c, 2},
    {"Eps1", "Eps1", &TInteractionPoint::Eps1, 3},
    {"Fs1, ksi", "Fs1, MPa", &TInteractionPoint::Fs1, 1},
    {"Eps2", "Eps2", &TInteractionPoint::Eps2, 3},
    {"Fs2, ksi", "Fs2, MPa", &TInteractionPoint::Fs2, 1},
    {"Eps3", "Eps3", &TInteractionPoint::Eps3, 3},
    {"Fs3, ksi", "Fs3, MPa", &TInteractionPoint::Fs3, 1},
    {"Theta, rad", "Theta, rad", &TInteractionPoint::Theta, 2},
    {"a, in", "a, mm", &TInteractionPoint::a, 1},
    {"Ac, in^2", "Ac, mm^2", &TInteractionPoint::Ac, 1},
    {"Fc, kip", "Fc, KN", &TInteractionPoint::Fc, 0},
    {"yc, in", "yc, mm", &TInteractionPoint::yc, 1},
    {"Ft, kip", "Ft, KN", &TInteractionPoint::Ft, 0},
    {"yt, in", "yt, mm", &TInteractionPoint::yt, 1},
    {"Phi", "Phi", &TInteractionPoint::Phi, 2},
    {"PhiPn, kip", "PhiPn, KN", &TInteractionPoint::PhiPn, 0},
    {"PhiMn, k-ft", "PhiMn, KN.m", &TInteractionPoint::PhiMn, 0},
}};

} // namespace

TfrmTable::TfrmTable(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmTable"));
    setWindowTitle(QStringLiteral("Table of Test Results"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    list_ = new QTreeWidget(this);
    list_->setObjectName(QStringLiteral("ListView1"));
    list_->setRootIsDecorated(false);
    list_->setItemsExpandable(false);
    list_->setUniformRowHeights(true);
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->setSelectionBehavior(QAbstractItemView::SelectRows);
    list_->setAllColumnsShowFocus(true);
    list_->header()->setStretchLastSection(false);
    list_->header()->setSectionsMovable(false);
    // Grid lines between the cells, as a report list draws them.
    list_->setStyleSheet(QStringLiteral("QTreeView::item { border-right: 1px solid #d8d8d8; "
                                        "border-bottom: 1px solid #d8d8d8; padding: 1px 4px; }"));

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->addWidget(list_);
    // A single fixed border: the fillers size the window, the user cannot.
    setFixedSize(903, 437);
    Clear();
}

void TfrmTable::Clear() {
    list_->clear();
    list_->setColumnCount(0);
    list_->setHeaderLabels({});
}

void TfrmTable::SetColumns(const QStringList& captions, const std::vector<int>& widths,
                           const std::vector<Qt::Alignment>& alignments) {
    list_->setColumnCount(static_cast<int>(captions.size()));
    auto* header = new QTreeWidgetItem(captions);
    for (int c = 0; c < captions.size(); ++c) {
        const auto i = static_cast<size_t>(c);
        header->setTextAlignment(c,
                                 (i < alignments.size() ? alignments[i] : Qt::AlignLeft) | Qt::AlignVCenter);
    }
    list_->setHeaderItem(header);
    widths_ = widths;
    for (int c = 0; c < captions.size(); ++c) {
        const auto i = static_cast<size_t>(c);
        if (i < widths.size()) list_->setColumnWidth(c, widths[i]);
    }
}

int TfrmTable::FitColumns() {
    int total = 0;
    for (int c = 0; c < list_->columnCount(); ++c) {
        const auto i = static_cast<size_t>(c);
        list_->resizeColumnToContents(c);
        const int wanted = list_->columnWidth(c);
        const int width = std::max(i < widths_.size() ? widths_[i] : 0, wanted);
        list_->setColumnWidth(c, width);
        total += width;
    }
    list_->setCurrentItem(nullptr);
    list_->clearSelection();
    return total;
}

void TfrmTable::AddRow(const QStringList& cells, bool bold) {
    auto* item = new QTreeWidgetItem(list_, cells);
    // A heading (a caption alone) runs across the whole row.
    if (cells.size() == 1 && list_->columnCount() > 1) item->setFirstColumnSpanned(true);
    const QTreeWidgetItem* header = list_->headerItem();
    for (int c = 0; c < cells.size() && c < list_->columnCount(); ++c) {
        item->setTextAlignment(c, Qt::Alignment::fromInt(header->textAlignment(c)));
        if (bold) {
            QFont font = item->font(c);
            font.setBold(true);
            item->setFont(c, font);
        }
    }
}

int TfrmTable::RowCount() const {
    return list_->topLevelItemCount();
}

QString TfrmTable::Cell(int row, int column) const {
    const QTreeWidgetItem* item = list_->topLevelItem(row);
    return item ? item->text(column) : QString();
}

void FillMemberCheckTable(TfrmTable& table, const TKdData& data, const TAnchLevel& level) {
    const TAnchLevel copy = level;
    table.Clear();
    table.SetColumns({QString(), QString()}, {140, 80}, {Qt::AlignLeft, Qt::AlignLeft});

    const auto& rows = copy.MemberKind == 0 ? IShapeCheckRows() : PipeCheckRows();
    for (const CheckRow& row : rows) {
        const QString caption = QString::fromLatin1(row.caption);
        if (!row.value && !row.combined) {
            table.AddRow({caption}, true);
            continue;
        }
        const Ext value = row.combined ? copy.CombinedRatio : copy.Result.*(row.value);
        table.AddRow({caption, TableValue(value, row.digits, data.UnitStr(row.unitSI, row.unitEnglish))});
    }
    // Columns never cut a caption or a value short; the window takes their width.
    const int columns = table.FitColumns();
    table.setFixedWidth(std::max(300, columns + 60));
}

void FillInteractionTable(TfrmTable& table, const TKdData& data, int units) {
    const auto points = data.Interaction;
    table.Clear();
    QStringList captions;
    std::vector<int> widths;
    std::vector<Qt::Alignment> alignments;
    for (int c = 0; c < 10; ++c) {
        captions << QString();
        widths.push_back(80);
        alignments.push_back(c == 0 ? Qt::AlignLeft : Qt::AlignHCenter);
    }
    captions[1] = QStringLiteral("no axial");
    captions[4] = QStringLiteral("balanced");
    captions[9] = QStringLiteral("above Pmax");
    table.SetColumns(captions, widths, alignments);

    const bool english = units == 0;
    for (const InteractionRow& row : kInteractionRows) {
        QStringList cells{QString::fromLatin1(english ? row.captionEnglish : row.captionSI)};
        for (const TInteractionPoint& point : points)
            cells << TableValue(point.*(row.value), row.digits);
        table.AddRow(cells);
    }
    table.FitColumns();
}

void ShowMemberCheckTable(const TKdData& data, const TAnchLevel& level, QWidget* parent) {
    TfrmTable table(parent);
    FillMemberCheckTable(table, data, level);
    platform::ExecModal(table);
}

void ShowInteractionTable(const TKdData& data, int units, QWidget* parent) {
    TfrmTable table(parent);
    FillInteractionTable(table, data, units);
    platform::ExecModal(table);
}

} // namespace vantrel
