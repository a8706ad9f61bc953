// Everything in the main window that opens another view: chart windows and their pop-up menus,
// the result and interaction tables, enlarged drawings and sketches, the embedment ratio guide,
// the video links and the two editors; and the values read out under the mouse on the earth
// pressure and settlement pictures.

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QScreen>
#include <QSet>
#include <QTabBar>
#include <QTimer>
#include <QTreeWidget>
#include <QUrl>

#include <array>
#include <functional>
#include <utility>

#include "drawing/DiagramDraw.h"
#include "drawing/GraphsDialog.h"
#include "drawing/ImgZoom.h"
#include "platform/Dialogs.h"
#include "platform/NumberFormat.h"
#include "ui/Computations.h"
#include "ui/EditAnchor.h"
#include "ui/Globals.h"
#include "ui/KdMain.h"
#include "ui/Tables.h"
#include "ui/UserDefinedSheet.h"
#include "ui/Widgets.h"

namespace vantrel::ui {

namespace {

// One event filter for the viewers' own needs: painting the waler tabs, mouse moves over the chart
// pictures and the edit buttons of level rows built after the window.
class ViewerEvents : public QObject {
  public:
    using Handler = std::function<bool(QObject*, QEvent*)>;
    ViewerEvents(QObject* parent, Handler handler) : QObject(parent), handler_(std::move(handler)) {}

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override { return handler_(watched, event); }

  private:
    Handler handler_;
};

const char* const kWiredProperty = "viewerWired";

bool IsRowEditButton(const QObject* object) {
    const QString name = object->objectName();
    return qobject_cast<const QAbstractButton*>(object) &&
           (name.startsWith(QLatin1String("sbAnchEdit")) || name.startsWith(QLatin1String("sbCornerEdit")));
}

// Sketch and guide buttons by their tag.
enum SketchTag {
    kSketchDistHor = 101,
    kSketchStripLoad = 102,
    kSketchLineLoad = 103,
    kSketchPointLoad = 104,
    kSketchLoadDiagram = 105,
    kEmbedmentGuide = 106,
    kSketchBasal = 107,
    kVideoLink = 201,
};

} // namespace

// ---- Wiring -----------------------------------------------------------------------------------

void TfrmKdMain::WireViewers() {
    auto* tabs1 = Find<TabControl>(QStringLiteral("TabControl1"));
    auto* tabs2 = Find<TabControl>(QStringLiteral("TabControl2"));
    QTabBar* inputTabs = tabs1 ? tabs1->Tabs() : nullptr;
    QTabBar* resultTabs = tabs2 ? tabs2->Tabs() : nullptr;
    QWidget* epPicture = Control(QStringLiteral("imgDiag4"));
    QWidget* settPicture = Control(QStringLiteral("imgDiag5"));
    // The free areas of the drawing pages: a tab page gets its final size only from its stack,
    // later than the window's own resize, so the pictures follow their areas' sizes.
    QSet<QObject*> pictureAreas;
    for (QTabWidget* pages : {PageControl1, PageControl2})
        for (int i = 0; i < pages->count(); ++i)
            if (QWidget* area = pages->widget(i)->findChild<QWidget*>(pages->widget(i)->objectName() +
                                                                      QStringLiteral("Area")))
                pictureAreas.insert(area);

    FViewerFilter = new ViewerEvents(this, [=, this](QObject* watched, QEvent* event) {
        switch (event->type()) {
        case QEvent::Paint:
            if (FData && watched == inputTabs) return PaintWalerTabs(inputTabs, false);
            if (FData && watched == resultTabs) return PaintWalerTabs(resultTabs, true);
            break;
        case QEvent::MouseMove:
            if (watched == epPicture || watched == settPicture) {
                const QPoint at = static_cast<QMouseEvent*>(event)->position().toPoint();
                imgDiag4MouseMove(static_cast<QWidget*>(watched), at.x(), at.y());
            }
            break;
        case QEvent::Resize:
            if (pictureAreas.contains(watched) && !FPicturesPending) {
                FPicturesPending = true;
                QTimer::singleShot(0, this, [this] {
                    FPicturesPending = false;
                    RunGuarded([this] {
                        PlacePictures(WideLayout());
                        RedrawViews();
                    });
                });
            }
            break;
        case QEvent::Show:
            // Level rows are copied from row 1 when the number of levels grows: their edit
            // buttons are wired when they come to be shown.
            if (IsRowEditButton(watched)) WireRowEditButton(static_cast<QAbstractButton*>(watched));
            break;
        default:
            break;
        }
        return false;
    });
    for (QTabBar* bar : {inputTabs, resultTabs})
        if (bar) bar->installEventFilter(FViewerFilter);
    for (QWidget* picture : {epPicture, settPicture})
        if (picture) picture->installEventFilter(FViewerFilter);
    qApp->installEventFilter(FViewerFilter);

    for (QTabWidget* pages : {PageControl1, PageControl2})
        connect(pages, &QTabWidget::currentChanged, this,
                [this] { RunGuarded([this] { PageControl2Change(); }); });

    for (QMenu* menu : {PopupMenu2, PopupMenu3})
        connect(menu, &QMenu::triggered, this,
                [this](QAction* item) { RunGuarded([&] { GraphMenu1Click(item); }); });

    auto onClick = [this](const char* name, const std::function<void(QWidget*)>& handler) {
        if (auto* label = Find<ClickLabel>(QLatin1String(name)))
            connect(label, &ClickLabel::clicked, this,
                    [this, label, handler] { RunGuarded([&] { handler(label); }); });
    };
    for (const char* name : {"Label393", "Label394", "Label396", "Label122"})
        onClick(name, [this](QWidget* sender) { Label20Click(sender); });
    for (const char* name : {"Label395", "Label397"})
        onClick(name, [this](QWidget* sender) { Label21Click(sender); });
    for (const char* name : {"Label391", "Label392"})
        onClick(name, [this](QWidget* sender) { Label392Click(sender); });
    onClick("Label218", [this](QWidget*) { Label218Click(); });
    onClick("Label219", [this](QWidget*) { Label219Click(); });
    for (const char* name : {"imgDiag", "imgDiag2", "imgDiag3", "imgDiag4", "imgDiag5"})
        onClick(name, [this](QWidget* sender) { imgDiagClick(sender); });

    // Sketch, guide and video buttons act by their tag.
    for (QAbstractButton* button : findChildren<QAbstractButton*>()) {
        const int tag = Tag(button);
        if ((tag >= kSketchDistHor && tag <= kSketchBasal) || tag == kVideoLink)
            connect(button, &QAbstractButton::clicked, this,
                    [this, button] { RunGuarded([&] { SpeedButton4Click(button); }); });
        else if (IsRowEditButton(button))
            WireRowEditButton(button);
    }
    if (auto* sheetEditor = Find<QAbstractButton>(QStringLiteral("SpeedButton1")))
        connect(sheetEditor, &QAbstractButton::clicked, this,
                [this] { RunGuarded([this] { SpeedButton1Click(); }); });
    // The project logo: "Logo" or a click on the picture chooses it, "Clear" removes it.
    const std::pair<const char*, void (TfrmKdMain::*)()> logoButtons[] = {
        {"Button1", &TfrmKdMain::Button1Click}, {"Button3", &TfrmKdMain::Button3Click}};
    for (const auto& [name, handler] : logoButtons)
        if (auto* button = Find<QAbstractButton>(QLatin1String(name)))
            connect(button, &QAbstractButton::clicked, this,
                    [this, handler = handler] { RunGuarded([&] { (this->*handler)(); }); });
    onClick("Logo", [this](QWidget*) { Button1Click(); });
    if (QWidget* logo = Control(QStringLiteral("Logo"))) logo->setCursor(Qt::PointingHandCursor);

    // The designed first rows stand for level 1.
    for (const char* name : {"pnlAnch1", "pnlCorner1"})
        if (QWidget* row = Control(QLatin1String(name)); row && Tag(row) == 0) SetTag(row, 1);
}

void TfrmKdMain::WireRowEditButton(QAbstractButton* button) {
    // The mark names the button it was set on: a row copied from row 1 copies the mark too.
    const auto self = reinterpret_cast<quintptr>(button);
    if (button->property(kWiredProperty).value<quintptr>() == self || button->window() != this) return;
    button->setProperty(kWiredProperty, QVariant::fromValue(self));
    connect(button, &QAbstractButton::clicked, this,
            [this, button] { RunGuarded([&] { sbAnchEdit1Click(button); }); });
}

// ---- Chart windows ------------------------------------------------------------------------------

void TfrmKdMain::OpenChartWindow(const QString& title, int kind, int walerLevel) {
    TfrmGraphs form(this);
    form.setWindowTitle(title);
    const auto chartKind = static_cast<TChartKind>(kind);
    if (kind == 17)
        form.ShowWalerGraphs(Data(), chartKind, walerLevel);
    else if (kind >= 7)
        form.ShowEarthPressures(Data(), chartKind);
    else
        form.ShowPileGraphs(Data(), chartKind);
    platform::ExecModal(form);
}

// A chart menu item: its tag is the chart kind.
void TfrmKdMain::GraphMenu1Click(QAction* item) {
    const int kind = Tag(item);
    OpenChartWindow(kind >= 7 ? tr("Earth Pressures") : tr("Graphs"), kind);
}

void TfrmKdMain::Label20Click(QWidget* sender) {
    const QString name = sender->objectName();
    if (name == QLatin1String("Label396")) {
        OpenChartWindow(tr("Graphs"), 0);
    } else if (name == QLatin1String("Label122")) {
        auto* tabs = Find<TabControl>(QStringLiteral("TabControl2"));
        OpenChartWindow(tr("Waler Graphs"), 17, tabs ? tabs->Tabs()->currentIndex() : 0);
    } else if (name == QLatin1String("Label394")) {
        OpenChartWindow(tr("Earth Pressures"), 16);
    } else {
        OpenChartWindow(tr("Earth Pressures"), 7);
    }
}

// "View One Graph": the chart menu of its section under the link.
void TfrmKdMain::Label21Click(QWidget* sender) {
    QMenu* menu = sender->objectName() == QLatin1String("Label397") ? PopupMenu3 : PopupMenu2;
    menu->popup(sender->mapToGlobal(QPoint(0, sender->height())));
}

void TfrmKdMain::Label219Click() {
    OpenChartWindow(tr("Graphs"), 6);
}

// ---- Tables -------------------------------------------------------------------------------------

void TfrmKdMain::Label392Click(QWidget* sender) {
    const bool byLevel = sender->objectName() == QLatin1String("Label392");
    ShowComputations(Data(), byLevel, this);
}

void TfrmKdMain::Label218Click() {
    ShowInteractionTable(Data(), Data().Units, this);
}

// Which embedment ratio to choose for the shored height.
void TfrmKdMain::ShowEmbedmentRatioGuide() {
    const bool si = Data().Units == usSI;
    const QString low = si ? QStringLiteral("7m") : QStringLiteral("23 ft");
    const QString high = si ? QStringLiteral("12m") : QStringLiteral("40 ft");
    TfrmComputations form(this);
    form.SetColumns(tr("Embedment Ratio Guide"), {tr("Shored Height"), tr("Choose...")});
    // The embedment as a share of the shored height H.
    form.AddRow(tr("Shored Height < %1").arg(low), {platform::FormatFixedText("%.2fH", {0.65})});
    form.AddRow(tr("Shored Height Between %1 and %2").arg(low, high),
                {platform::FormatFixedText("%.2fH", {0.55})});
    form.AddRow(tr("Shored Height > %1").arg(high), {platform::FormatFixedText("%.2fH", {0.45})});
    const int rows = static_cast<int>(form.Table().rows.size());
    const int listTop = form.List()->geometry().top();
    const int height = (rows + 2) * form.RowHeight() + listTop + 8;
    form.resize(form.width(), height);
    platform::ExecModal(form);
}

// ---- Enlarged views ------------------------------------------------------------------------------

void TfrmKdMain::imgDiagClick(QWidget* sender) {
    const QString name = sender->objectName();
    if (name == QLatin1String("imgDiag4") || name == QLatin1String("imgDiag5")) {
        const ChartReadOut& store = ChartStore(name == QLatin1String("imgDiag4") ? 16 : 18);
        ShowChartZoom(store.picture, store.scale1, this);
        return;
    }
    const int kind = name == QLatin1String("imgDiag") ? 0 : name == QLatin1String("imgDiag2") ? 1 : 2;
    const QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    const QRect work = screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
    QImage graphic(std::max(1, work.width() - 20), std::max(1, work.height() - 100), QImage::Format_RGB32);
    const TCrossSectionTexts texts = CrossSectionTexts();
    DrawToGraphic(graphic, Data(), kind, nullptr, &texts);
    ShowGraphicZoom(graphic, this);
}

void TfrmKdMain::SpeedButton4Click(QWidget* sender) {
    QString sketch;
    switch (Tag(sender)) {
    case kSketchDistHor:
        sketch = QStringLiteral("ImgDistHor");
        break;
    case kSketchStripLoad:
        sketch = QStringLiteral("ImgStripLoadAnch");
        break;
    case kSketchLineLoad:
        sketch = QStringLiteral("ImgLineLoad");
        break;
    case kSketchPointLoad:
        sketch = QStringLiteral("ImgPointLoad");
        break;
    case kSketchLoadDiagram:
        // The apparent earth pressure diagram of the chosen soil; "User Defined" has none.
        sketch = QStringLiteral("ImgLoadDiag%1").arg(Data().Anchors.SoilType + 1);
        break;
    case kEmbedmentGuide:
        ShowEmbedmentRatioGuide();
        return;
    case kSketchBasal:
        sketch = QStringLiteral("ImgBasal");
        break;
    case kVideoLink:
        // A link the desktop cannot open is not reported, as with any other web link.
        platform::OpenUrl(QUrl(sender->property("hint").toString()));
        return;
    default:
        return;
    }
    // A picture that does not exist shows nothing.
    if (auto* picture = qobject_cast<QLabel*>(Control(sketch)))
        ShowImageZoom(picture->pixmap().toImage(), this);
}

// ---- Editors ------------------------------------------------------------------------------------

// The "..." button of a level row: its row panel's tag is the level number, its own tag the kind
// the editor shows (the level's type, or 4 for a corner brace).
void TfrmKdMain::sbAnchEdit1Click(QWidget* sender) {
    QWidget* row = sender->parentWidget();
    const int index = (row ? Tag(row) : 0) - 1;
    if (!EditAnchorLevel(index, Tag(sender), Data(), this)) return;
    SetModified(true);
    UpdateForm();
}

void TfrmKdMain::SpeedButton1Click() {
    if (!EditUserDefinedSheet(Data(), this)) return;
    SetModified(true);
    ReadInputs();
}

// ---- Read-outs ---------------------------------------------------------------------------------

TfrmKdMain::ChartReadOut& TfrmKdMain::ChartStore(int kind) {
    return kind == 18 ? FSettReadOut : FEPReadOut;
}

void TfrmKdMain::ClearReadOut(int kind) {
    for (const char* name : kind == 18 ? std::array{"SettStatusBar1", "SettStatusBar2"}
                                       : std::array{"EPStatusBar1", "EPStatusBar2"})
        if (auto* bar = Find<QLabel>(QLatin1String(name))) bar->clear();
}

void TfrmKdMain::imgDiag4MouseMove(QWidget* sender, int x, int y) {
    const bool pressures = sender->objectName() == QLatin1String("imgDiag4");
    const ChartReadOut& store = ChartStore(pressures ? 16 : 18);
    auto* target = Find<QLabel>(QLatin1String(pressures ? "EPStatusBar1" : "SettStatusBar1"));
    const QString text =
        pressures ? PressureReadOut(store.shown, x, y) : SettlementReadOut(store.shown[0], x, y);
    if (target) target->setText(text);
    // Both layouts show the same read-out.
    for (const auto& [from, to] :
         {std::pair{"EPStatusBar1", "EPStatusBar2"}, std::pair{"SettStatusBar1", "SettStatusBar2"}}) {
        auto* source = Find<QLabel>(QLatin1String(from));
        auto* copy = Find<QLabel>(QLatin1String(to));
        if (source && copy) copy->setText(source->text());
    }
}

// ---- What the drawings take from the window -----------------------------------------------------

TCrossSectionTexts TfrmKdMain::CrossSectionTexts() const {
    TCrossSectionTexts texts = TCrossSectionTexts::Defaults(Data());
    if (const auto* soil = Find<QComboBox>(QStringLiteral("ComboBox6")); soil && soil->currentIndex() >= 0)
        texts.SoilName = soil->currentText();
    const std::pair<const char*, QString*> units[] = {
        {"Label348", &texts.UniformUnit}, {"Label343", &texts.StripUnit}, {"Label339", &texts.LineUnit},
        {"Label334", &texts.PointUnit},   {"Label354", &texts.WaterUnit}, {"Label66", &texts.AxialUnit}};
    for (const auto& [name, text] : units)
        if (const auto* label = Find<QLabel>(QLatin1String(name)); label && !label->text().isEmpty())
            *text = label->text();
    return texts;
}

// The drawings and the chart pictures at the size they now have (the refresh's own redraw, which
// draws only what a showing page needs).
void TfrmKdMain::RedrawViews() {
    if (!FData) return;
    RedrawPictures();
}

} // namespace vantrel::ui
