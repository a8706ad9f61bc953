#include "ui/KdMainReport.h"

#include <QLabel>
#include <QScrollArea>
#include <QSignalBlocker>
#include <QTabBar>

#include <algorithm>

#include "drawing/DiagramDraw.h"
#include "drawing/Graphs.h"
#include "report/PrintReport.h"
#include "ui/Computations.h"
#include "ui/KdMain.h"
#include "ui/Widgets.h"

namespace vantrel::ui {

namespace {

// Every section panel of a column, hidden ones included, by tab order.
std::vector<QWidget*> SectionsOf(const QScrollArea* box) {
    std::vector<QWidget*> sections;
    if (!box || !box->widget()) return sections;
    for (QWidget* w : box->widget()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (w->property("tabOrder").isValid()) sections.push_back(w);
    std::stable_sort(sections.begin(), sections.end(), [](const QWidget* a, const QWidget* b) {
        return a->property("tabOrder").toInt() < b->property("tabOrder").toInt();
    });
    return sections;
}

} // namespace

const TKdData& KdMainReport::Project() const {
    return window_.Data();
}

void KdMainReport::CommitInput() {
    window_.CommitFocusedInput();
}

std::vector<QWidget*> KdMainReport::InputSections() const {
    return SectionsOf(window_.ScrollBox1);
}

std::vector<QWidget*> KdMainReport::ResultSections() const {
    return SectionsOf(window_.ScrollBox2);
}

QWidget* KdMainReport::Control(const QString& name) const {
    return window_.Control(name);
}

QString KdMainReport::SectionCaption(QWidget* panel) const {
    return TfrmKdMain::GetSectionCaption(panel);
}

QImage KdMainReport::Diagram(int kind, QSize size) {
    // The cross section names the soil as the soil type list shows it and writes its loads with
    // the window's unit captions.
    const TCrossSectionTexts texts = window_.CrossSectionTexts();
    QImage picture(size, QImage::Format_RGB32);
    if (size.isEmpty()) return picture;
    DrawToGraphic(picture, Project(), kind, nullptr, &texts);
    return picture;
}

std::vector<QImage> KdMainReport::ChartPictures(int kind) {
    TGraphsRenderer charts;
    charts.PrepareForPrint();
    const TKdData& data = Project();
    if (kind == 18)
        charts.ShowSettlement(data, static_cast<TChartKind>(kind), true);
    else if (kind >= 7 && kind <= 16)
        charts.ShowEarthPressures(data, static_cast<TChartKind>(kind));
    else
        charts.ShowPileGraphs(data, static_cast<TChartKind>(kind));
    std::vector<QImage> pictures(TGraphsRenderer::kImages);
    for (int i = 0; i < TGraphsRenderer::kImages; ++i)
        if (const auto& picture = charts.GetPicture(i + 1); picture.visible) pictures[i] = picture.image;
    return pictures;
}

ComputationsTable KdMainReport::EarthPressureTable() const {
    return CreateComputationsForm(Project(), false)->Table();
}

int KdMainReport::WalerTab(int tabControl) const {
    return window_.tabIndex(tabControl == 1 ? "TabControl1" : "TabControl2");
}

// The level is shown as choosing its tab shows it, without storing the inputs of the level left or
// recalculating: the program writes the controls with every commit trigger held off.
void KdMainReport::SelectWalerTab(int tabControl, int index) {
    auto* tabs = window_.Ctl<TabControl>(tabControl == 1 ? "TabControl1" : "TabControl2");
    if (!tabs) return;
    {
        const QSignalBlocker blocker(tabs->Tabs());
        tabs->Tabs()->setCurrentIndex(index);
    }
    const TfrmKdMain::BusyScope busy(window_.busy_);
    TKdData& d = window_.Data();
    if (tabControl == 1 && index >= 0 && index < d.Anchors.UsedLevels()) {
        // The beam size list holds the sections of the family of the level shown.
        const TWaler& w = d.Anchors.Levels[static_cast<size_t>(index)].Waler;
        if (window_.ListIndex("ComboBox24", w.ShapeFamily) != w.ShapeFamily) {
            window_.SelectItem("ComboBox24", w.ShapeFamily);
            window_.ClearList("ComboBox23");
            window_.FillSectionLists(true);
        }
    }
    window_.ShowWalerResults();
}

QSize KdMainReport::LogoSize() const {
    const auto* logo = qobject_cast<const QLabel*>(Control(QStringLiteral("Logo")));
    if (!logo || logo->pixmap().isNull()) return {};
    return logo->size();
}

void PrintMainWindowReport(TfrmKdMain& window) {
    KdMainReport host(window);
    report::PrintReport(host, &window);
}

bool WriteMainWindowReportPdf(TfrmKdMain& window, const QString& fileName, QString* error) {
    KdMainReport host(window);
    return report::WriteReportPdf(host, fileName, error);
}

} // namespace vantrel::ui
