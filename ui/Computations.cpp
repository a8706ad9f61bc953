#include "ui/Computations.h"

#include <QFont>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QHeaderView>
#include <QScreen>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>

#include "platform/Dialogs.h"

namespace vantrel {

namespace {

constexpr int kListOffset = 4; // the list's distance from the window's edge, pixels
// A heading needs a few pixels beside its text or it is cut; one that is widened gets room to spare.
constexpr int kHeadingMinMargin = 3;
constexpr int kHeadingPadding = 16;

} // namespace

TfrmComputations::TfrmComputations(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmComputations"));
    setFont(QFont(QStringLiteral("Tahoma"), 8));
    ListView1 = new QTreeWidget(this);
    ListView1->setObjectName(QStringLiteral("ListView1"));
    ListView1->setRootIsDecorated(false);
    ListView1->setSelectionBehavior(QAbstractItemView::SelectRows);
    ListView1->setAlternatingRowColors(false);
    ListView1->setUniformRowHeights(true);
    ListView1->setStyleSheet(QStringLiteral("QTreeView::item { border: 1px solid #d9d9d9; border-top: none; "
                                            "border-left: none; }"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(kListOffset, kListOffset, kListOffset, kListOffset);
    layout->addWidget(ListView1);
    resize(380, 437);
    ShowTable();
}

void TfrmComputations::AppendItem(const ComputationsRow& row) {
    auto* item = new QTreeWidgetItem(ListView1, row.cells);
    const int n = static_cast<int>(table_.columns.size());
    for (int c = 0; c < n; ++c)
        item->setTextAlignment(c, table_.columns[c].alignment | Qt::AlignVCenter);
    if (row.data != 0) item->setData(0, Qt::UserRole, row.data);
    if (row.data == 1) {
        QFont bold = ListView1->font();
        bold.setBold(true);
        for (int c = 0; c < n; ++c)
            item->setFont(c, bold);
    }
}

// A column is at least as wide as its heading, so that no heading is cut ("Strip Load, psf").
int TfrmComputations::ShownColumnWidth(int column) const {
    const ComputationsColumn& c = table_.columns[static_cast<size_t>(column)];
    if (c.caption.isEmpty()) return c.width;
    const int text = QFontMetrics(ListView1->header()->font()).horizontalAdvance(c.caption);
    return text + kHeadingMinMargin > c.width ? text + kHeadingPadding : c.width;
}

void TfrmComputations::ShowTable() {
    setWindowTitle(table_.caption);
    ListView1->clear();
    const int n = static_cast<int>(table_.columns.size());
    ListView1->setColumnCount(n);
    QStringList captions;
    for (const ComputationsColumn& c : table_.columns)
        captions << c.caption;
    ListView1->setHeaderLabels(captions);
    for (int c = 0; c < n; ++c) {
        ListView1->setColumnWidth(c, ShownColumnWidth(c));
        ListView1->headerItem()->setTextAlignment(c, table_.columns[c].alignment | Qt::AlignVCenter);
    }
    for (const ComputationsRow& row : table_.rows)
        AppendItem(row);
}

void TfrmComputations::FillNodeTableByLevel(const TKdData& data) {
    table_.FillNodeTableByLevel(data);
    ShowTable();
    FitWidth();
}

void TfrmComputations::FillEarthPressureTable(const TKdData& data) {
    table_.FillEarthPressureTable(data);
    ShowTable();
    FitWidth();
}

void TfrmComputations::AddValueRow(const QString& caption, const QString& unit, int digits, double value) {
    table_.AddValueRow(caption, unit, digits, value);
    AppendItem(table_.rows.back());
}

void TfrmComputations::AddRow(const QString& caption, const std::vector<QVariant>& values, int data) {
    table_.AddRow(caption, values, data);
    AppendItem(table_.rows.back());
}

void TfrmComputations::SetColumns(const QString& caption, const QStringList& captions,
                                  const std::vector<Qt::Alignment>& alignments) {
    table_.caption = caption;
    const int width1 = table_.columns.size() > 1 ? table_.columns[1].width : 100;
    for (int i = static_cast<int>(table_.columns.size()); i < captions.size(); ++i) {
        const size_t a = std::min(static_cast<size_t>(i), alignments.size() - 1);
        table_.columns.push_back({QString(), width1, alignments.empty() ? Qt::AlignLeft : alignments[a]});
        resize(width() + width1, height());
    }
    for (int i = 0; i < captions.size() && i < static_cast<int>(table_.columns.size()); ++i)
        table_.columns[i].caption = captions[i];
    ShowTable();
}

void TfrmComputations::SetColumnWidth(int column, int width) {
    if (column < 0 || column >= static_cast<int>(table_.columns.size())) return;
    table_.columns[static_cast<size_t>(column)].width = width;
    ListView1->setColumnWidth(column, width);
}

void TfrmComputations::FitWidth() {
    int w = 2 * kListOffset + 30;
    for (int c = 0; c < static_cast<int>(table_.columns.size()); ++c)
        w += ShownColumnWidth(c);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        w = std::min(w, screen->availableGeometry().width());
    resize(w, height());
}

int TfrmComputations::RowHeight() const {
    if (ListView1->topLevelItemCount() == 0) return ListView1->fontMetrics().height() + 2;
    return ListView1->visualItemRect(ListView1->topLevelItem(0)).height();
}

std::unique_ptr<TfrmComputations> CreateComputationsForm(const TKdData& data, bool byLevel, QWidget* parent) {
    auto form = std::make_unique<TfrmComputations>(parent);
    if (byLevel)
        form->FillNodeTableByLevel(data);
    else
        form->FillEarthPressureTable(data);
    return form;
}

void ShowComputations(const TKdData& data, bool byLevel, QWidget* parent) {
    auto form = CreateComputationsForm(data, byLevel, parent);
    platform::ExecModal(*form);
}

} // namespace vantrel
