// The arrangement of the main window for its width: in a narrow window the drawings and charts are
// pages beside the numeric results; in a wide one the results and the drawings stand side by side.
// Also the tab captions of both page controls and the level tabs of the two waler sections.

#include <QAbstractButton>
#include <QApplication>
#include <QEvent>
#include <QHBoxLayout>
#include <QLayout>
#include <QStyleOptionTab>
#include <QStylePainter>
#include <QTabBar>
#include <QTabWidget>

#include <cmath>

#include "ui/Globals.h"
#include "ui/KdMain.h"
#include "ui/KdMainLayout.h"
#include "ui/Widgets.h"

namespace vantrel::ui {

namespace {

// Where each picture stands: its page in the narrow layout (PageControl2) and in the wide layout
// (PageControl1).
struct PicturePlace {
    const char* picture;
    const char* narrowPage;
    const char* widePage;
};
constexpr PicturePlace kPictures[] = {{"imgDiag", "TabSheet5", "TabSheet7"},
                                      {"imgDiag2", "TabSheet6", "TabSheet8"},
                                      {"imgDiag4", "TabSheet3", "TabSheet9"},
                                      {"imgDiag3", "TabSheet1", "TabSheet2"},
                                      {"imgDiag5", "TabSheet10", "TabSheet11"}};

// A picture keeps this distance from the edges of its page.
constexpr int kPictureMargin = 4;

const QColor kActiveTab(0, 0, 255);       // $FF0000 as a BGR value
const QColor kInactiveTab(128, 128, 128); // $808080

void ColourTabs(QTabWidget* pages) {
    QTabBar* bar = pages->tabBar();
    for (int i = 0; i < bar->count(); ++i)
        if (const QColor colour = i == pages->currentIndex() ? kActiveTab : kInactiveTab;
            bar->tabTextColor(i) != colour)
            bar->setTabTextColor(i, colour);
}

// A tab strip repaints whole when a tab is shown or hidden, even in the state it had.
void SetTabShown(QTabWidget* pages, int index, bool shown) {
    if (pages->isTabVisible(index) != shown) pages->setTabVisible(index, shown);
}

} // namespace

// ---- Layout -----------------------------------------------------------------------------------

// The picture of the cross section fills its page less the margins; a page is the column's height
// less the tab strip and the frame, the same in both layouts because both columns fill the window
// from top to bottom.
int TfrmKdMain::DrawingPictureHeight() const {
    const QWidget* column = Control(QStringLiteral("Panel37"));
    const int tabStrip = PageControl1->tabBar()->sizeHint().height();
    return std::max(0, column->height() - tabStrip - 2 - 2 * kPictureMargin);
}

// The client width from which the wide layout is used: the results column's left edge, its width
// and a drawing page 0.9 times as wide as it is high.
int TfrmKdMain::WideLayoutMinWidth() const {
    const QMargins margins = centralWidget()->layout()->contentsMargins();
    const int spacing = centralWidget()->layout()->spacing();
    const int resultsLeft = margins.left() + kInputColumnWidth + spacing;
    return resultsLeft + kResultColumnWidth + static_cast<int>(std::lround(0.9 * DrawingPictureHeight()));
}

void TfrmKdMain::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    RunGuarded([this] { FormResize(); });
}

void TfrmKdMain::FormResize() {
    QWidget* inputs = Control(QStringLiteral("Panel9"));
    QWidget* results = Control(QStringLiteral("Panel37"));
    QWidget* drawings = Control(QStringLiteral("pnlDiagram"));
    auto* row = qobject_cast<QHBoxLayout*>(centralWidget()->layout());
    if (!inputs || !results || !drawings || !row) return;

    // The columns' height follows the window's at once, also before the window is first shown.
    layout()->activate();
    row->activate();
    const bool wide = width() >= WideLayoutMinWidth();
    if (!FLayoutChosen || wide != FWideLayout) {
        FLayoutChosen = true;
        FWideLayout = wide;
        setUpdatesEnabled(false);
        if (wide) {
            results->setFixedWidth(kResultColumnWidth);
            row->setStretchFactor(results, 0);
            row->setStretchFactor(drawings, 1);
            drawings->show();
            inputs->setFixedWidth(kInputColumnWidth);
            PageControl2->setCurrentIndex(0);
        } else {
            drawings->hide();
            results->setMinimumWidth(kResultColumnWidth);
            results->setMaximumWidth(QWIDGETSIZE_MAX);
            row->setStretchFactor(results, 1);
        }
        ShowPageTabs();
        // Sizes settle now, so that the pictures are drawn at the size they are shown.
        QApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
        setUpdatesEnabled(true);
    }
    PlacePictures(wide);
    RedrawViews();
}

void TfrmKdMain::PlacePictures(bool wide) {
    for (const PicturePlace& place : kPictures) {
        QWidget* picture = Control(QLatin1String(place.picture));
        QWidget* page = Control(QLatin1String(wide ? place.widePage : place.narrowPage));
        QWidget* area =
            page ? page->findChild<QWidget*>(page->objectName() + QStringLiteral("Area")) : nullptr;
        if (!picture || !area) continue;
        if (page->layout()) page->layout()->activate();
        if (picture->parentWidget() != area) {
            picture->setParent(area);
            picture->show();
        }
        picture->setGeometry(
            area->rect().adjusted(kPictureMargin, kPictureMargin, -kPictureMargin, -kPictureMargin));
    }
}

// ---- Pages ------------------------------------------------------------------------------------

void TfrmKdMain::ShowPageTabs() {
    const bool guardrail = FData && Data().UseGuardrail;
    // A page whose tab is hidden is hidden with it: in the wide layout "NUMERIC" keeps its tab
    // and the strip itself goes, so the results page shows alone.
    for (int i = 0; i < PageControl2->count(); ++i) {
        const QString page = PageControl2->widget(i)->objectName();
        const bool isGuardrail = page == QLatin1String("TabSheet1");
        SetTabShown(PageControl2, i, i == 0 || (!FWideLayout && (!isGuardrail || guardrail)));
    }
    for (int i = 0; i < PageControl1->count(); ++i) {
        const bool isGuardrail = PageControl1->widget(i)->objectName() == QLatin1String("TabSheet2");
        SetTabShown(PageControl1, i, !isGuardrail || guardrail);
    }
    PageControl2->tabBar()->setVisible(!FWideLayout);
    ColourTabs(PageControl1);
    ColourTabs(PageControl2);
}

void TfrmKdMain::PageControl2Change() {
    ColourTabs(PageControl1);
    ColourTabs(PageControl2);
    RedrawViews();
}

// ---- Waler level tabs ----------------------------------------------------------------------------

// A level with a waler is drawn bold in the button text colour, on the result tabs in red when one
// of its two checks fails; a level without a waler regular in grey. Inactive captions sit 2 pixels
// lower, like the tabs themselves.
bool TfrmKdMain::PaintWalerTabs(QTabBar* bar, bool results) {
    QStylePainter painter(bar);
    const TAnchor& anchors = Data().Anchors;
    const int current = bar->currentIndex();
    std::vector<int> order;
    for (int i = 0; i < bar->count(); ++i)
        if (i != current) order.push_back(i);
    if (current >= 0) order.push_back(current); // the active tab overlaps its neighbours
    for (int i : order) {
        QStyleOptionTab option;
        option.initFrom(bar);
        option.state &= ~QStyle::State_HasFocus;
        if (i == current) option.state |= QStyle::State_Selected;
        option.rect = bar->tabRect(i);
        option.shape = bar->shape();
        option.documentMode = bar->documentMode();
        option.position = bar->count() == 1       ? QStyleOptionTab::OnlyOneTab
                          : i == 0                ? QStyleOptionTab::Beginning
                          : i == bar->count() - 1 ? QStyleOptionTab::End
                                                  : QStyleOptionTab::Middle;
        painter.drawControl(QStyle::CE_TabBarTabShape, option);

        const bool exists = i < anchors.UsedLevels();
        const TWaler* waler = exists ? &anchors.Levels[static_cast<size_t>(i)].Waler : nullptr;
        QFont font = bar->font();
        QColor colour = kInactiveTab;
        if (waler && waler->HasWaler) {
            font.setBold(true);
            colour = results && !(waler->ModulusPass && waler->DeflectionPass)
                         ? QColor(Qt::red)
                         : bar->palette().color(QPalette::ButtonText);
        }
        painter.setFont(font);
        painter.setPen(colour);
        QRect caption = option.rect;
        if (i != current) caption.translate(0, 2);
        painter.drawText(caption, Qt::AlignCenter, bar->tabText(i));
    }
    return true;
}

} // namespace vantrel::ui
