#include "ui/Computations.h"

#include <QFont>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QHeaderView>
#include <QScreen>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

#include "model/KdClasses.h"
#include "platform/Dialogs.h"

namespace vantrel {

namespace {

constexpr Qt::Alignment kCentre = Qt::AlignHCenter;
constexpr int kListOffset = 4; // the list's distance from the window's edge, pixels
// A heading needs a few pixels beside its text or it is cut; one that is widened gets room to spare.
constexpr int kHeadingMinMargin = 3;
constexpr int kHeadingPadding = 16;

QString Unit(const TKdData& data, const char* si, const char* english) {
    return QString::fromStdString(data.UnitStr(si, english));
}

} // namespace

QString FormatFixed(double value, int digits) {
    if (std::isnan(value)) return QStringLiteral("N.A.");
    QString text = QString::number(value, 'f', digits);
    if (text.startsWith(QLatin1Char('-')) && text.mid(1) == QString::number(0.0, 'f', digits))
        text.remove(0, 1); // a value that rounds to zero shows no sign
    return text;
}

// --- Table -----------------------------------------------------------------------------------

int ComputationsTable::TotalWidth() const {
    int sum = 0;
    for (const ComputationsColumn& c : columns)
        sum += c.width;
    return sum;
}

void ComputationsTable::FillNodeTableByLevel(const TKdData& data) {
    caption = QStringLiteral("Table of Test Results");
    rows.clear();
    const bool si = data.Units == usSI;
    columns = {{QString(), 1, kCentre},
               {QStringLiteral("Node #"), 60, kCentre},
               {QStringLiteral("Depth, ") + Unit(data, "m", "ft"), 60, kCentre},
               {QStringLiteral("Shear, ") + Unit(data, "kN", "k"), 80, kCentre},
               {QStringLiteral("Moment, ") + Unit(data, "kN-m", "k-ft"), 80, kCentre},
               {QStringLiteral("Slope, rad."), 80, kCentre},
               {QStringLiteral("Defl, ") + Unit(data, "mm", "inch"), 80, kCentre}};
    const auto& segments = data.Anchors.PileNodes;
    for (size_t s = 0; s < segments.size(); ++s) {
        rows.push_back(
            {{QString(), QStringLiteral("Level ") + QChar(QLatin1Char('A' + static_cast<char>(s % 26)))}, 1});
        for (int n = 0; n < kSpanNodes; ++n) {
            const TAnchNode& node = segments[s].Nodes[n];
            rows.push_back({{QString(), QString::number(n), FormatFixed(static_cast<double>(node.Depth), 2),
                             FormatFixed(static_cast<double>(node.Shear), 2),
                             FormatFixed(static_cast<double>(node.Moment), 2),
                             FormatFixed(static_cast<double>(node.Slope2), 5),
                             FormatFixed(static_cast<double>(node.Deflection2), si ? 2 : 3)},
                            0});
        }
    }
}

void ComputationsTable::FillEarthPressureTable(const TKdData& data) {
    caption = QStringLiteral("Earth Pressures Analysis");
    rows.clear();
    const QString pressure = Unit(data, "kPa", "psf");
    columns = {{QString(), 1, kCentre},
               {QStringLiteral("#"), 25, kCentre},
               {QStringLiteral("Depth, ") + Unit(data, "m", "ft"), 60, kCentre}};
    for (const char* name : {"Strip Load, ", "Unif. Surch, ", "Pore Water, ", "App. Earth, ", "Line Load, ",
                             "Point Load, ", "Seism. Load, "})
        columns.push_back({QLatin1String(name) + pressure, 80, kCentre});
    columns.push_back({QStringLiteral("Total ") + Unit(data, "per m, kPa/m", "per ft, psf/ft"), 80, kCentre});
    columns.push_back({QStringLiteral("Total per Pile, ") + Unit(data, "kN/m", "k/ft"), 80, kCentre});
    for (int i = 0; i < kPressureRows; ++i) {
        const TPressureRow& r = data.Anchors.PressureTable[i];
        QStringList cells{QString(), QString::number(i)};
        for (Ext v : {r.Depth, r.Strip, r.Uniform, r.PoreWater, r.ApparentEarth, r.LineLoad, r.PointLoad,
                      r.Seismic, r.Total, r.PileLoad})
            cells << FormatFixed(static_cast<double>(v), 2);
        rows.push_back({cells, 0});
    }
}

void ComputationsTable::AddValueRow(const QString& caption_, const QString& unit, int digits, double value) {
    QString cell;
    if (std::isnan(value))
        cell = QStringLiteral("N.A.");
    else if (value != kEmptyCell)
        cell = FormatFixed(value, digits) + QLatin1Char(' ') + unit;
    rows.push_back({{caption_, cell}, 0});
}

void ComputationsTable::AddRow(const QString& caption_, const std::vector<QVariant>& values, int data) {
    QStringList cells{caption_};
    for (const QVariant& v : values) {
        const int type = v.typeId();
        const bool number = type == QMetaType::Double || type == QMetaType::Float || type == QMetaType::Int ||
                            type == QMetaType::LongLong || type == QMetaType::UInt;
        cells << (number ? FormatFixed(v.toDouble(), 3) : v.toString());
    }
    rows.push_back({cells, data});
}

// --- Window ----------------------------------------------------------------------------------

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
