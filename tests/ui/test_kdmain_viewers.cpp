// The main window's layouts, page tabs, waler level tabs, every opener of another view and the
// read-outs over the two chart pictures. Openers are driven as a user drives them (a click on a
// link, a button or a menu item); the windows they open are answered through the modal seam.

#include <QAbstractButton>
#include <QAction>
#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QRegularExpression>
#include <QScreen>
#include <QScrollArea>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTreeWidget>

#include <algorithm>
#include <cmath>
#include <functional>
#include <locale>

#include "KdCycleFixture.h"
#include "drawing/GraphsDialog.h"
#include "drawing/ImgZoom.h"
#include "model/BeamShapes.h"
#include "model/ProjectFile.h"
#include "report/ReportDriver.h"
#include "tests/model/reference_projects.h"
#include "tests/report/FakeReportHost.h"
#include "ui/Computations.h"
#include "ui/EditAnchor.h"
#include "ui/Globals.h"
#include "ui/KdMainLayout.h"
#include "ui/KdMainReport.h"
#include "ui/Tables.h"
#include "ui/UserDefinedSheet.h"
#include "ui/Widgets.h"

using namespace vantrel;
using vantrel::testing::KdCycleTest;

namespace {

// What one modal window showed when it was opened.
struct Opened {
    QString className;
    QString title;
    std::vector<int> chartKinds; // kinds 0 .. 23 the chart window shows
    bool combined = false;
    QImage picture;          // enlarged view
    bool readOut = false;    // enlarged view with a status bar
    QStringList firstColumn; // table windows
    QStringList secondColumn;
    QStringList cells; // every cell of a table window
    int clientHeight = 0;
    double levelAngle = -1; // level editor: the level it edits
    QString page;           // level editor: the page it opens on (tendon or pile properties)
};

class KdMainViewers : public KdCycleTest {
  protected:
    void SetUp() override {
        KdCycleTest::SetUp();
        modal_ = std::make_unique<platform::ScopedModalHandler>([this](QDialog& dialog) {
            QObject::connect(&dialog, &QObject::destroyed, [this] { ++closed; });
            Opened o;
            o.className = QString::fromLatin1(dialog.metaObject()->className());
            o.title = dialog.windowTitle();
            if (auto* graphs = qobject_cast<TfrmGraphs*>(&dialog)) {
                for (int k = 0; k < 24; ++k)
                    if (graphs->Renderer().IsShown(k)) o.chartKinds.push_back(k);
                o.combined = graphs->Renderer().Combined();
            } else if (auto* zoom = qobject_cast<TfrmImgZoom*>(&dialog)) {
                o.picture = zoom->Image1()->pixmap().toImage();
                o.readOut = !zoom->StatusBar()->isHidden();
            } else if (auto* editor = qobject_cast<TfrmEditAnchor*>(&dialog)) {
                o.levelAngle = static_cast<double>(editor->Level().Angle);
                if (auto* pages = editor->findChild<QTabWidget*>(QStringLiteral("PageControl1")))
                    o.page = pages->currentWidget()->objectName();
            }
            if (auto* list = dialog.findChild<QTreeWidget*>(QStringLiteral("ListView1"))) {
                for (int i = 0; i < list->topLevelItemCount(); ++i) {
                    o.firstColumn << list->topLevelItem(i)->text(0);
                    o.secondColumn << list->topLevelItem(i)->text(1);
                    for (int c = 0; c < list->columnCount(); ++c)
                        o.cells << list->topLevelItem(i)->text(c);
                }
            }
            o.clientHeight = dialog.height();
            opened.push_back(o);
            return accept ? QDialog::Accepted : QDialog::Rejected;
        });
    }
    void TearDown() override {
        modal_.reset();
        KdCycleTest::TearDown();
    }

    // A left click on a label or picture.
    void ClickLabel(const char* name) {
        QWidget* w = W().Control(QString::fromLatin1(name));
        ASSERT_NE(w, nullptr) << name;
        const QPointF at(w->width() / 2.0, w->height() / 2.0);
        QMouseEvent press(QEvent::MouseButtonPress, at, w->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton,
                          Qt::NoModifier);
        QMouseEvent release(QEvent::MouseButtonRelease, at, w->mapToGlobal(at), Qt::LeftButton, Qt::NoButton,
                            Qt::NoModifier);
        QApplication::sendEvent(w, &press);
        QApplication::sendEvent(w, &release);
        Settle();
    }
    void MoveMouse(const char* name, int x, int y) {
        QWidget* w = W().Control(QString::fromLatin1(name));
        ASSERT_NE(w, nullptr) << name;
        const QPointF at(x, y);
        QMouseEvent move(QEvent::MouseMove, at, w->mapToGlobal(at), Qt::NoButton, Qt::NoButton,
                         Qt::NoModifier);
        QApplication::sendEvent(w, &move);
    }
    QString Text(const char* name) { return C<QLabel>(name)->text(); }
    QTabBar* WalerTabs(const char* name) { return C<ui::TabControl>(name)->Tabs(); }
    // Opens, checks that exactly one window came and went, and returns it.
    Opened OpenOne(const std::function<void()>& action) {
        opened.clear();
        closed = 0;
        action();
        Settle();
        EXPECT_EQ(opened.size(), 1u);
        EXPECT_EQ(closed, static_cast<int>(opened.size())) << "every window is freed when it closes";
        return opened.empty() ? Opened{} : opened.front();
    }
    void Resize(int width) {
        W().resize(width, W().height());
        Settle();
    }
    static std::vector<int> Kinds(int from, int to) {
        std::vector<int> k;
        for (int i = from; i <= to; ++i)
            k.push_back(i);
        return k;
    }

    std::vector<Opened> opened;
    int closed = 0;
    bool accept = false;

  private:
    std::unique_ptr<platform::ScopedModalHandler> modal_;
};

QStringList TabTexts(const QTabWidget* pages) {
    QStringList texts;
    for (int i = 0; i < pages->count(); ++i)
        texts << pages->tabText(i) + "/" + pages->widget(i)->objectName();
    return texts;
}

QStringList VisibleTabs(const QTabWidget* pages) {
    QStringList texts;
    for (int i = 0; i < pages->count(); ++i)
        if (pages->isTabVisible(i)) texts << pages->tabText(i);
    return texts;
}

} // namespace

// ---- Layout ---------------------------------------------------------------------------------------

TEST_F(KdMainViewers, PageCaptionsAndOrder) {
    EXPECT_EQ(
        TabTexts(W().PageControl2),
        QStringList({"NUMERIC/TabSheet4", "CROSS SECTION/TabSheet5", "PILE PLAN VIEW/TabSheet6",
                     "EARTH PRESSURES/TabSheet3", "GUARDRAIL/TabSheet1", "SURFACE SETTLEMENT/TabSheet10"}));
    EXPECT_EQ(TabTexts(W().PageControl1),
              QStringList({"CROSS SECTION/TabSheet7", "PILE PLAN VIEW/TabSheet8", "EARTH PRESSURES/TabSheet9",
                           "GUARDRAIL/TabSheet2", "SURFACE SETTLEMENT/TabSheet11"}));
}

TEST_F(KdMainViewers, NarrowAndWideLayoutsAndBack) {
    const int threshold = W().WideLayoutMinWidth();
    const int pictureHeight = W().DrawingPictureHeight();
    QWidget* results = W().Control("Panel37");
    QWidget* drawings = W().Control("pnlDiagram");
    struct Place {
        const char* picture;
        const char* narrow;
        const char* wide;
    };
    const Place places[] = {{"imgDiag", "TabSheet5Area", "TabSheet7Area"},
                            {"imgDiag2", "TabSheet6Area", "TabSheet8Area"},
                            {"imgDiag3", "TabSheet1Area", "TabSheet2Area"},
                            {"imgDiag4", "TabSheet3Area", "TabSheet9Area"},
                            {"imgDiag5", "TabSheet10Area", "TabSheet11Area"}};

    for (int round = 0; round < 2; ++round) {
        Resize(threshold - 1);
        EXPECT_FALSE(W().WideLayout());
        EXPECT_TRUE(drawings->isHidden());
        EXPECT_TRUE(W().PageControl2->tabBar()->isVisible());
        EXPECT_GT(results->width(), ui::kResultColumnWidth) << "the results column fills the space";
        for (const Place& p : places)
            EXPECT_EQ(W().Control(p.picture)->parentWidget()->objectName(), p.narrow) << p.picture;
        EXPECT_EQ(W().DrawingPictureHeight(), pictureHeight) << "the same page height in both layouts";

        // Wide from exactly the client width the results and a drawing page 0.9 x as wide as high need.
        W().PageControl2->setCurrentIndex(2);
        Resize(threshold);
        EXPECT_TRUE(W().WideLayout());
        EXPECT_TRUE(drawings->isVisible());
        EXPECT_EQ(results->width(), ui::kResultColumnWidth);
        EXPECT_EQ(W().Control("Panel9")->width(), ui::kInputColumnWidth);
        EXPECT_FALSE(W().PageControl2->tabBar()->isVisible());
        EXPECT_EQ(W().PageControl2->currentIndex(), 0);
        EXPECT_TRUE(W().ScrollBox2->isVisible()) << "the results show alone";
        for (const Place& p : places)
            EXPECT_EQ(W().Control(p.picture)->parentWidget()->objectName(), p.wide) << p.picture;
        // The rule as the user sees it: the results' left edge + 430 + 0.9 x the drawing's height.
        QWidget* crossSection = W().Control("imgDiag");
        EXPECT_EQ(crossSection->height(), pictureHeight);
        EXPECT_EQ(threshold,
                  results->x() + 430 + static_cast<int>(std::lround(0.9 * crossSection->height())));
        EXPECT_EQ(W().DrawingPictureHeight(), pictureHeight);
        Resize(threshold + 1);
        EXPECT_TRUE(W().WideLayout()) << "stable once chosen";
    }
}

TEST_F(KdMainViewers, GuardrailTabFollowsTheGuardrailDesign) {
    auto* guardrail = C<QCheckBox>("CheckBox4");
    for (bool wide : {false, true}) {
        Resize(wide ? W().WideLayoutMinWidth() + 10 : 900);
        ASSERT_EQ(W().WideLayout(), wide);
        for (bool use : {true, false}) {
            if (guardrail->isChecked() != use) Click("CheckBox4");
            ASSERT_EQ(D().UseGuardrail, use);
            EXPECT_EQ(VisibleTabs(W().PageControl1).contains("GUARDRAIL"), use) << wide;
            if (!wide) {
                EXPECT_EQ(VisibleTabs(W().PageControl2),
                          use ? QStringList({"NUMERIC", "CROSS SECTION", "PILE PLAN VIEW", "EARTH PRESSURES",
                                             "GUARDRAIL", "SURFACE SETTLEMENT"})
                              : QStringList({"NUMERIC", "CROSS SECTION", "PILE PLAN VIEW", "EARTH PRESSURES",
                                             "SURFACE SETTLEMENT"}));
            }
        }
    }
}

TEST_F(KdMainViewers, ActiveTabBlueOthersGrey) {
    Resize(W().WideLayoutMinWidth() + 10);
    for (QTabWidget* pages : {W().PageControl1, W().PageControl2}) {
        if (pages == W().PageControl2) Resize(900);
        pages->tabBar()->setCurrentIndex(2);
        Settle();
        for (int i = 0; i < pages->count(); ++i)
            EXPECT_EQ(pages->tabBar()->tabTextColor(i), i == 2 ? QColor(0, 0, 255) : QColor(128, 128, 128))
                << pages->objectName().toStdString() << i;
    }
}

// ---- Waler level tabs -------------------------------------------------------------------------------

TEST_F(KdMainViewers, WalerTabsStayTogetherAndStoreTheLevelLeft) {
    Type("Edit_101", "3");
    Tab();
    ASSERT_EQ(D().Anchors.LevelCount, 3);
    QTabBar* inputs = WalerTabs("TabControl1");
    QTabBar* results = WalerTabs("TabControl2");
    inputs->setCurrentIndex(1);
    EXPECT_EQ(results->currentIndex(), 1);
    results->setCurrentIndex(2);
    EXPECT_EQ(inputs->currentIndex(), 2);

    // A span typed on level C stays with level C when the user goes to level A.
    Edit("Edit_Wb")->setText("17.5");
    inputs->setCurrentIndex(0);
    EXPECT_DOUBLE_EQ(static_cast<double>(D().Anchors.Levels[2].Waler.Wb), 17.5);
    EXPECT_EQ(results->currentIndex(), 0);
}

TEST_F(KdMainViewers, WalerInputsGoOnlyIntoALevelThatExists) {
    Type("Edit_101", "3");
    Tab();
    QTabBar* inputs = WalerTabs("TabControl1");
    inputs->setCurrentIndex(2);
    // The project lost its third level while the tab still shows it.
    D().Anchors.LevelCount = 2;
    const TWaler before = D().Anchors.Levels[2].Waler;
    Edit("Edit_Wb")->setText("99");
    inputs->setCurrentIndex(0);
    EXPECT_EQ(D().Anchors.Levels[2].Waler.Wb, before.Wb);
}

TEST_F(KdMainViewers, WalerTabStyles) {
    Type("Edit_101", "2");
    Tab();
    TWaler& a = D().Anchors.Levels[0].Waler;
    TWaler& b = D().Anchors.Levels[1].Waler;
    a.HasWaler = true;
    a.ModulusPass = false;
    a.DeflectionPass = true;
    b.HasWaler = false;
    auto colours = [](QTabBar* bar, int tab) {
        const QImage shot = bar->grab().toImage();
        const QRect r = bar->tabRect(tab);
        int red = 0, grey = 0, dark = 0;
        for (int y = r.top(); y <= r.bottom(); ++y)
            for (int x = r.left(); x <= r.right(); ++x) {
                const QColor c = shot.pixelColor(x, y);
                if (c.red() > 200 && c.green() < 60 && c.blue() < 60)
                    ++red;
                else if (std::abs(c.red() - 128) < 20 && c.red() == c.green() && c.green() == c.blue())
                    ++grey;
                else if (c.red() < 40 && c.green() < 40 && c.blue() < 40)
                    ++dark;
            }
        return std::array<int, 3>{red, grey, dark};
    };
    const auto resultA = colours(WalerTabs("TabControl2"), 0);
    const auto inputA = colours(WalerTabs("TabControl1"), 0);
    const auto resultB = colours(WalerTabs("TabControl2"), 1);
    EXPECT_GT(resultA[0], 3) << "a failing waler is red on the result tabs";
    EXPECT_EQ(inputA[0], 0) << "never red on the input tabs";
    EXPECT_GT(inputA[2], 3) << "drawn in the button text colour";
    EXPECT_EQ(resultB[0], 0);
    EXPECT_GT(resultB[1], 3) << "a level without a waler is grey";
    a.ModulusPass = true;
    EXPECT_EQ(colours(WalerTabs("TabControl2"), 0)[0], 0) << "passing walers are not red";
}

// ---- Openers --------------------------------------------------------------------------------------

TEST_F(KdMainViewers, ChartMenusOpenTheirKind) {
    for (QMenu* menu : {W().PopupMenu3, W().PopupMenu2}) {
        for (QAction* item : menu->actions()) {
            const int kind = ui::Tag(item);
            const Opened o = OpenOne([&] { item->trigger(); });
            EXPECT_EQ(o.className, "vantrel::TfrmGraphs");
            EXPECT_EQ(o.chartKinds, std::vector<int>{kind}) << item->text().toStdString();
            EXPECT_EQ(o.title, kind >= 7 ? "Earth Pressures" : "Graphs");
        }
    }
    EXPECT_EQ(W().PopupMenu3->actions().size(), 6);
    EXPECT_EQ(W().PopupMenu2->actions().size(), 8);
    EXPECT_EQ(ui::Tag(W().PopupMenu2->actions().at(7)), 15);
}

TEST_F(KdMainViewers, LinksOpenTheirCharts) {
    struct Case {
        const char* link;
        const char* title;
        std::vector<int> kinds;
        bool combined;
    };
    Click("CheckBox3"); // a waler on level A: its results and link come alive
    ASSERT_TRUE(D().Anchors.Levels[0].Waler.HasWaler);
    const Case cases[] = {{"Label396", "Graphs", Kinds(1, 6), false},
                          {"Label393", "Earth Pressures", Kinds(8, 15), false},
                          {"Label394", "Earth Pressures", Kinds(8, 15), true},
                          {"Label122", "Waler Graphs", {17}, false},
                          {"Label219", "Graphs", {6}, false}};
    for (const Case& c : cases) {
        const Opened o = OpenOne([&] { ClickLabel(c.link); });
        EXPECT_EQ(o.title, c.title) << c.link;
        EXPECT_EQ(o.chartKinds, c.kinds) << c.link;
        EXPECT_EQ(o.combined, c.combined) << c.link;
    }
}

TEST_F(KdMainViewers, ViewOneGraphPopsUpItsMenuUnderTheLink) {
    for (const auto& [link, menu] :
         {std::pair{"Label397", W().PopupMenu3}, std::pair{"Label395", W().PopupMenu2}}) {
        QWidget* label = W().Control(link);
        label->window()->show();
        // The link must be on screen for the user to click it: its section open.
        W().SetSectionExpanded(ui::TfrmKdMain::SectionOf(label), true);
        Settle();
        ClickLabel(link);
        EXPECT_TRUE(menu->isVisible()) << link;
        // At the link's lower left corner, moved only as far as the screen's edges demand.
        const QPoint at = label->mapToGlobal(QPoint(0, label->height()));
        const QRect screen = label->screen()->availableGeometry();
        EXPECT_EQ(menu->x(), std::min(at.x(), screen.right() + 1 - menu->width())) << link;
        if (at.y() + menu->height() <= screen.bottom() + 1) {
            EXPECT_EQ(menu->y(), at.y()) << link;
        }
        EXPECT_FALSE((menu == W().PopupMenu3 ? W().PopupMenu2 : W().PopupMenu3)->isVisible());
        menu->hide();
    }
    EXPECT_TRUE(opened.empty());
}

TEST_F(KdMainViewers, ResultAndInteractionTables) {
    Opened o = OpenOne([&] { ClickLabel("Label391"); });
    EXPECT_EQ(o.className, "vantrel::TfrmComputations");
    EXPECT_EQ(o.title, "Earth Pressures Analysis");
    o = OpenOne([&] { ClickLabel("Label392"); });
    EXPECT_EQ(o.className, "vantrel::TfrmComputations");
    EXPECT_NE(o.title, "Earth Pressures Analysis");
    EXPECT_FALSE(o.firstColumn.isEmpty());
    o = OpenOne([&] { ClickLabel("Label218"); });
    EXPECT_EQ(o.className, "vantrel::TfrmTable");
    EXPECT_FALSE(o.firstColumn.isEmpty());
}

TEST_F(KdMainViewers, EmbedmentRatioGuideInBothSystems) {
    for (bool si : {false, true}) {
        answer = QMessageBox::Yes; // the values the other system's limits change
        if (si) Choose("ComboBox1", 1);
        ASSERT_EQ(D().Units, si ? usSI : usEnglish);
        const Opened o = OpenOne([&] { Click("SpeedButton7"); });
        EXPECT_EQ(o.className, "vantrel::TfrmComputations");
        EXPECT_EQ(o.title, "Embedment Ratio Guide");
        const QStringList english = {"Shored Height < 23 ft", "Shored Height Between 23 ft and 40 ft",
                                     "Shored Height > 40 ft"};
        const QStringList metric = {"Shored Height < 7m", "Shored Height Between 7m and 12m",
                                    "Shored Height > 12m"};
        EXPECT_EQ(o.firstColumn, si ? metric : english);
        EXPECT_EQ(o.secondColumn, QStringList({"0.65H", "0.55H", "0.45H"}));
    }
}

TEST_F(KdMainViewers, SketchButtonsByTag) {
    // Every sketch button shows its picture enlarged (the basal heave one while the check is on).
    Click("CheckBox6");
    ASSERT_TRUE(D().UseBasalHeave);
    for (const char* button : {"SpeedButton4", "SpeedButton5", "SpeedButton6", "SpeedButton8"}) {
        const Opened o = OpenOne([&] { Click(button); });
        EXPECT_EQ(o.className, "vantrel::TfrmImgZoom") << button;
        EXPECT_FALSE(o.readOut) << button;
        EXPECT_FALSE(o.picture.isNull()) << button;
    }
    // The load diagram of the soil chosen; "User Defined" has none and nothing opens.
    // The load diagram of the soil chosen.
    D().Anchors.SoilType = 0;
    const QImage sand = OpenOne([&] { Click("SpeedButton2"); }).picture;
    D().Anchors.SoilType = 3;
    const QImage clay = OpenOne([&] { Click("SpeedButton2"); }).picture;
    ASSERT_FALSE(sand.isNull());
    EXPECT_EQ(sand, qobject_cast<QLabel*>(W().Control("ImgLoadDiag1"))->pixmap().toImage());
    EXPECT_EQ(clay, qobject_cast<QLabel*>(W().Control("ImgLoadDiag4"))->pixmap().toImage());
    EXPECT_NE(sand, clay);
    D().Anchors.SoilType = 10;
    opened.clear();
    Click("SpeedButton2");
    EXPECT_TRUE(opened.empty());
}

TEST_F(KdMainViewers, VideoButtonsOpenTheirAddress) {
    for (const char* button : {"SpeedButton9", "SpeedButton10"}) {
        openedUrls.clear();
        Click(button);
        ASSERT_EQ(openedUrls.size(), 1u) << button;
        EXPECT_EQ(openedUrls[0].toString(), C<QAbstractButton>(button)->property("hint").toString());
        EXPECT_TRUE(openedUrls[0].scheme().startsWith("http"));
    }
    EXPECT_TRUE(opened.empty());
}

TEST_F(KdMainViewers, EnlargedDrawingsAndCharts) {
    const QRect work = W().screen()->availableGeometry();
    for (const char* picture : {"imgDiag", "imgDiag2", "imgDiag3"}) {
        const Opened o = OpenOne([&] { ClickLabel(picture); });
        EXPECT_EQ(o.className, "vantrel::TfrmImgZoom") << picture;
        EXPECT_FALSE(o.readOut);
        // Drawn for the screen's work area; the cross section may take more width for long labels.
        EXPECT_GT(o.picture.width(), 100) << picture;
        if (std::string(picture) != "imgDiag") {
            EXPECT_EQ(o.picture.size(), QSize(work.width() - 20, work.height() - 100)) << picture;
        } else {
            EXPECT_LE(o.picture.height(), work.height() - 100);
        }
    }
    // The chart pictures go enlarged as rendered, with their read-out.
    W().ChartStore(16).picture = QImage(300, 200, QImage::Format_RGB32);
    W().ChartStore(16).picture.fill(Qt::white);
    W().ChartStore(18).picture = QImage(320, 180, QImage::Format_RGB32);
    W().ChartStore(18).picture.fill(Qt::white);
    for (const auto& [picture, size] :
         {std::pair{"imgDiag4", QSize(300, 200)}, std::pair{"imgDiag5", QSize(320, 180)}}) {
        const Opened o = OpenOne([&] { ClickLabel(picture); });
        EXPECT_TRUE(o.readOut) << picture;
        EXPECT_EQ(o.picture.size(), size) << picture;
    }
}

TEST_F(KdMainViewers, LevelEditorGetsItsLevelAndKind) {
    Type("Edit_101", "2");
    Tab();
    Type("Edit_AnchAng1", "15");
    Tab();
    Type("Edit_AnchAng2", "25");
    Tab();
    W().SetModified(false);
    // A rebuilt row's button opens its own level; Cancel changes nothing.
    Opened o = OpenOne([&] { Click("sbAnchEdit2"); });
    EXPECT_EQ(o.className, "vantrel::TfrmEditAnchor");
    EXPECT_DOUBLE_EQ(o.levelAngle, 25);
    EXPECT_EQ(o.page, "TabSheet1") << "a tieback opens on its tendon";
    EXPECT_FALSE(W().Modified());
    o = OpenOne([&] { Click("sbAnchEdit1"); });
    EXPECT_DOUBLE_EQ(o.levelAngle, 15);
    EXPECT_FALSE(W().Modified());
    // The kind follows the level's type.
    Choose("cmbAnchType2", lkStrut);
    ASSERT_EQ(D().Anchors.Levels[1].Kind, lkStrut);
    EXPECT_EQ(OpenOne([&] { Click("sbAnchEdit2"); }).page, "TabSheet2")
        << "a strut opens on its pile properties";
    W().SetModified(false);

    // OK: the window refreshes from the edited level and the project is marked modified.
    accept = true;
    D().Anchors.Levels[0].Angle = 30; // the editor's copy brings it back as it was shown
    OpenOne([&] { Click("sbAnchEdit1"); });
    EXPECT_TRUE(W().Modified());
    EXPECT_EQ(Edit("Edit_AnchAng1")->text().toDouble(), 30.0) << "the window shows the level as stored";
}

TEST_F(KdMainViewers, LevelEditorOkKeepsASectionOtherCatalogsStored) {
    // Projects made with other catalogs store a section that is not our row of its number.
    TArrIShapes ishapes;
    BeamShapes::LoadIShapes(0, false, ishapes);
    TArrOShapes oshapes;
    BeamShapes::LoadOShapes(0, false, oshapes);
    const struct {
        const char* what;
        int memberKind;
        int row;
        std::string name;
    } cases[] = {
        {"our row 5 stored as row 6", 0, 6, ishapes[5].Name},
        {"a beam we do not list", 0, 5, "W40X999 (older table)"},
        {"a hollow section we do not list", 1, 1, "SHS 200x200x8 (EN 10219)"},
    };
    const QString path = scratch_->filePath(QStringLiteral("made.kpw"));
    const auto bytes = [&] {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    };
    const auto saveAndOpen = [&](const TKdData& project) {
        project.SaveToFile(QFile::encodeName(path).toStdString());
        fileAnswers.push_back(path);
        W().AOpen->trigger();
    };
    accept = true;
    for (const auto& c : cases) {
        // A strut of our catalog's row 5 (beam) or 1 (pipe), made in the editor and saved.
        TKdData made = vantrel::testing::DemoProject(usEnglish);
        TAnchLevel& level = made.Anchors.Levels[0];
        level.Kind = lkStrut;
        level.StructuralDesign = true;
        level.MemberKind = c.memberKind;
        level.ShapeFamily = 0;
        level.ShapeRow = c.memberKind == 0 ? 5 : 1;
        level.IShape = ishapes[5];
        level.OShape = oshapes[1];
        saveAndOpen(made);
        OpenOne([&] { Click("sbAnchEdit1"); });
        W().ASave->trigger();
        // The same project as other catalogs would have stored it.
        made.LoadFromFile(QFile::encodeName(path).toStdString());
        TAnchLevel& stored = made.Anchors.Levels[0];
        stored.ShapeRow = c.row;
        (c.memberKind == 0 ? stored.IShape.Name : stored.OShape.Name) = c.name;
        saveAndOpen(made);
        W().ASave->trigger();
        const QByteArray saved = bytes();
        OpenOne([&] { Click("sbAnchEdit1"); }); // OK with nothing touched
        ASSERT_TRUE(W().Modified());
        W().ASave->trigger();
        EXPECT_EQ(bytes(), saved) << c.what;
    }
}

TEST_F(KdMainViewers, SheetPileEditorMarksModifiedOnOk) {
    const Opened cancelled = OpenOne([&] { Click("SpeedButton1"); });
    EXPECT_EQ(cancelled.className, "vantrel::TfrmUserDefinedSheet");
    EXPECT_FALSE(W().Modified());
    accept = true;
    OpenOne([&] { Click("SpeedButton1"); });
    EXPECT_TRUE(W().Modified());
}

TEST_F(KdMainViewers, FindNumberedComponent) {
    EXPECT_EQ(W().FindNumberedComponent("ImgLoadDiag", 10), W().Control("ImgLoadDiag10"));
    EXPECT_EQ(W().FindNumberedComponent("ImgLoadDiag", 11), nullptr);
    EXPECT_EQ(W().FindNumberedComponent("pnlAnch", 1), W().Control("pnlAnch1"));
    EXPECT_EQ(W().FindNumberedComponent("NoSuchPrefix", 1), nullptr);
}

// ---- Read-outs --------------------------------------------------------------------------------------

TEST_F(KdMainViewers, ReadOutsOverBothChartPictures) {
    auto& ep = W().ChartStore(16).shown;
    for (auto& a : ep)
        a.clear();
    // The apparent earth pressure and the total meet at one pixel; the total comes later in order.
    ep[3].push_back({50, 60, 2.0, 310.0});
    ep[7].push_back({52, 58, 2.5, 420.125});
    ep[0].push_back({150, 100, 4.0, 12.0});
    W().ChartStore(18).shown[0] = {{30, 40, 6.0, -0.256}};

    struct Case {
        const char* picture;
        int x, y;
        const char* bar;
        QString text;
    };
    const Case cases[] = {
        {"imgDiag4", 50, 60, "EPStatusBar1", "  Total Backfill Earth Pressure: 420.13    Distance: 2.50"},
        {"imgDiag4", 45, 65, "EPStatusBar1", "  Apparent Earth Pressure: 310.00    Distance: 2.00"},
        {"imgDiag4", 155, 95, "EPStatusBar1", "  Strip Surcharge: 12.00    Distance: 4.00"},
        {"imgDiag4", 156, 100, "EPStatusBar1", ""},
        {"imgDiag5", 34, 36, "SettStatusBar1", "  Settlement: -0.26    Distance: 6.00"},
        {"imgDiag5", 36, 40, "SettStatusBar1", ""},
    };
    for (const Case& c : cases) {
        C<QLabel>(c.bar)->setText("stale");
        MoveMouse(c.picture, c.x, c.y);
        EXPECT_EQ(Text(c.bar), c.text) << c.picture << " " << c.x << "," << c.y;
        // Both layouts show the same read-out.
        EXPECT_EQ(Text("EPStatusBar2"), Text("EPStatusBar1"));
        EXPECT_EQ(Text("SettStatusBar2"), Text("SettStatusBar1"));
    }
}

// ---- Pictures ---------------------------------------------------------------------------------

// The drawings are redrawn by every refresh; the chart pictures only while a chart page shows, and
// then fitted into the page with their read-out hit points kept as shown and at scale 1.
TEST_F(KdMainViewers, RefreshDrawsTheDrawingsAndTheShownChartPage) {
    Resize(W().WideLayoutMinWidth());
    ASSERT_TRUE(W().WideLayout());
    W().PageControl1->setCurrentIndex(0); // cross section
    W().ChartStore(16) = {};
    W().UpdateForm();
    for (const char* name : {"imgDiag", "imgDiag2", "imgDiag3"})
        EXPECT_FALSE(C<QLabel>(name)->pixmap().isNull()) << name;
    EXPECT_TRUE(W().ChartStore(16).scale1[0].empty() && W().ChartStore(16).picture.isNull())
        << "no chart is rendered while its page is hidden";

    W().PageControl1->setCurrentIndex(2); // earth pressures
    W().UpdateForm();
    const auto& store = W().ChartStore(16);
    ASSERT_FALSE(store.picture.isNull());
    QLabel* chart = C<QLabel>("imgDiag4");
    const QRect room = chart->parentWidget()->contentsRect();
    EXPECT_TRUE(room.contains(chart->geometry())) << "fitted into its page";
    EXPECT_TRUE(chart->width() == room.width() || chart->height() == room.height()) << "as large as fits";
    const double scale = static_cast<double>(chart->width()) / store.picture.width();
    size_t points = 0;
    for (size_t c = 0; c < store.scale1.size(); ++c) {
        ASSERT_EQ(store.shown[c].size(), store.scale1[c].size());
        points += store.scale1[c].size();
        for (size_t i = 0; i < store.scale1[c].size(); ++i)
            EXPECT_NEAR(store.shown[c][i].X, store.scale1[c][i].X * scale, 1.0);
    }
    EXPECT_GT(points, 0u);
}

// ---- A comma locale ---------------------------------------------------------------------------------

namespace {

// A number in the C form: digits, a point, digits, not part of a date, a version ("1.18.0") or a
// section's name ("W410X46.1").
const QRegularExpression kPointDecimal(QStringLiteral("(?<![\\w.,])\\d+\\.\\d+(?![\\d.])"));

struct CommaDecimal : std::numpunct<char> {
    char do_decimal_point() const override { return ','; }
};

} // namespace

// The whole window under a locale that writes 1.234,5, set before the window is built (its lists
// are filled then) and restored after it is gone. C++ streams take the comma too, as they would
// where the program runs under such a locale.
class KdMainGerman : public KdMainViewers {
  protected:
    void SetUp() override {
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        std::locale::global(std::locale(std::locale::classic(), new CommaDecimal));
        KdMainViewers::SetUp();
    }
    void TearDown() override {
        KdMainViewers::TearDown();
        std::locale::global(std::locale::classic());
        QLocale::setDefault(QLocale::c());
    }
    void Open(uint8_t units) {
        fileAnswers.push_back(QString::fromStdString(vantrel::testing::DemoFile(units)));
        W().AOpen->trigger();
        Settle();
    }
    // A text written with a comma and never in the C form; counts the texts with a decimal.
    void CheckNumbers(const QString& text, const std::string& where) {
        EXPECT_FALSE(text.contains(kPointDecimal)) << where << ": " << text.toStdString();
        commas += text.contains(QRegularExpression(QStringLiteral("\\d,\\d")));
    }
    // Every label, edit and list item of the window, and every text of the printed report.
    void CheckWindowAndReport() {
        for (const QLabel* label : W().findChildren<QLabel*>())
            CheckNumbers(label->text(), label->objectName().toStdString());
        for (const QLineEdit* edit : W().findChildren<QLineEdit*>())
            CheckNumbers(edit->text(), edit->objectName().toStdString());
        for (const QComboBox* list : W().findChildren<QComboBox*>())
            for (int i = 0; i < list->count(); ++i)
                CheckNumbers(list->itemText(i), list->objectName().toStdString());
        ui::KdMainReport host(W());
        const report::ReportDocument doc = report::BuildReport(host);
        for (int p = 0; p < static_cast<int>(doc.pages.size()); ++p)
            for (const report::TextItem* t : report::testing::Texts(doc, p)) {
                CheckNumbers(t->text, "report page " + std::to_string(p + 1));
                reportTexts << t->text;
            }
    }
    int commas = 0;
    QStringList reportTexts;
    // Shows a drawing page of the wide layout: 2 earth pressures, 4 settlement.
    void ShowPage(int index) {
        W().PageControl1->setCurrentIndex(index);
        Settle();
    }
    // Moves the mouse onto the largest value of the chart picture's curve (of component
    // `component`) and returns the read-out it should give.
    QString PointAtLargest(const char* picture, int kind, size_t component, const char* caption) {
        const TGrPointArr& hits = W().ChartStore(kind).shown[component];
        EXPECT_FALSE(hits.empty()) << picture;
        if (hits.empty()) return QString();
        const THitPoint p =
            *std::max_element(hits.begin(), hits.end(), [](const THitPoint& a, const THitPoint& b) {
                return std::fabs(a.YValue) < std::fabs(b.YValue);
            });
        MoveMouse(picture, p.X, p.Y);
        const QLocale german(QLocale::German, QLocale::Germany);
        return QStringLiteral("  %1: %2    Distance: %3")
            .arg(QLatin1String(caption), german.toString(p.YValue, 'f', 2),
                 german.toString(p.XValue, 'f', 2));
    }
};

TEST_F(KdMainGerman, EveryNumberTakesTheCommaAndNoReadOutOutlivesItsChart) {
    Resize(W().WideLayoutMinWidth());
    ASSERT_TRUE(W().WideLayout());
    Open(usEnglish);
    ASSERT_EQ(D().Units, usEnglish);

    // Read-outs over both charts, each cleared when its chart is drawn anew: by Open, by a commit
    // and by New.
    const struct {
        int page;
        const char *picture, *bar, *copy;
        int kind;
        size_t component;
        const char* caption;
        std::function<void()> redraw;
        const char* what;
    } readOuts[] = {
        {4, "imgDiag5", "SettStatusBar1", "SettStatusBar2", 18, 0, "Settlement", [&] { Open(usSI); }, "Open"},
        {2, "imgDiag4", "EPStatusBar1", "EPStatusBar2", 16, 7, "Total Backfill Earth Pressure",
         [&] {
             Type("Edit_16", QStringLiteral("26"));
             Tab();
         },
         "a commit"},
        {4, "imgDiag5", "SettStatusBar1", "SettStatusBar2", 18, 0, "Settlement",
         [&] {
             answer = QMessageBox::No; // the commit left changes: not saved
             W().ANew->trigger();
             Settle();
         },
         "New"},
    };
    for (const auto& r : readOuts) {
        ShowPage(r.page);
        const QString expected = PointAtLargest(r.picture, r.kind, r.component, r.caption);
        EXPECT_EQ(Text(r.bar).toStdString(), expected.toStdString()) << r.what;
        EXPECT_EQ(Text(r.copy).toStdString(), expected.toStdString()) << r.what;
        r.redraw();
        EXPECT_EQ(Text(r.bar).toStdString(), "") << "after " << r.what;
        EXPECT_EQ(Text(r.copy).toStdString(), "") << "after " << r.what;
    }

    // The window's own texts and list items, the result tables and the printed report of the SI demo.
    Open(usSI);
    ASSERT_EQ(D().Units, usSI);
    CheckWindowAndReport();
    for (const char* link : {"Label391", "Label392"}) {
        const Opened o = OpenOne([&] { ClickLabel(link); });
        ASSERT_GT(o.cells.size(), 60) << link;
        for (const QString& cell : o.cells)
            CheckNumbers(cell, link);
    }
    EXPECT_GT(commas, 2 * 61 * 7) << "the tables, at least, write numbers with decimals";

    // The test load factor lists write "1,33" and read it as 1.33. The file keeps the C form: the
    // same bytes as the project saved under the C locale.
    for (const auto& [list, item] : {std::pair{"ComboBox20", 1}, std::pair{"ComboBox26", 2}}) {
        ASSERT_EQ(Combo(list)->itemText(item), "1,33") << list;
        Choose(list, item);
    }
    EXPECT_EQ(D().Anchors.TestLoadFactor, 1.33L);
    EXPECT_EQ(D().CornerBraces.TestLoadFactor, 1.33L);
    const QString path = scratch_->filePath(QStringLiteral("german.kpw"));
    fileAnswers.push_back(path);
    W().ASaveAs->trigger();
    Settle();
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray german = file.readAll();
    std::locale::global(std::locale::classic());
    QLocale::setDefault(QLocale::c());
    TKdData project = vantrel::testing::DemoProject(usSI);
    project.Anchors.TestLoadFactor = 1.33L;
    project.CornerBraces.TestLoadFactor = 1.33L;
    project.Calculate();
    const std::vector<uint8_t> c = EncodeProject(project);
    EXPECT_EQ(german, QByteArray(reinterpret_cast<const char*>(c.data()), static_cast<qsizetype>(c.size())));
}

// The walk of a user under a comma locale through texts that the model and the dialogs build from
// numbers: an English project with concrete lagging (its facing and strength in the window and on
// the report), the support level editor's field hints and help tables, and the embedment ratio
// guide.
TEST_F(KdMainGerman, ConcreteLaggingLevelEditorAndGuideWriteTheComma) {
    Open(usEnglish);
    Choose("ComboBox7", ltConcrete);
    ASSERT_EQ(D().LaggingType, ltConcrete);
    EXPECT_TRUE(Text("Label207").contains(QStringLiteral(",0 in PCC with")))
        << Text("Label207").toStdString();
    EXPECT_TRUE(Text("Label209").contains(QStringLiteral("0,49 ksi"))) << Text("Label209").toStdString();
    CheckWindowAndReport();
    EXPECT_TRUE(std::any_of(reportTexts.begin(), reportTexts.end(), [](const QString& t) {
        return t.contains(QStringLiteral("in PCC with"));
    })) << "the facing is printed";

    // The editor of a strut: the hint of every edit as entering it shows it, and both help tables.
    Choose("cmbAnchType1", lkStrut);
    QStringList hints, helpCells;
    {
        platform::ScopedModalHandler walk([&](QDialog& dialog) {
            if (auto* editor = qobject_cast<TfrmEditAnchor*>(&dialog)) {
                for (QLineEdit* edit : editor->findChildren<QLineEdit*>()) {
                    QFocusEvent in(QEvent::FocusIn, Qt::TabFocusReason);
                    QApplication::sendEvent(edit, &in);
                    if (editor->HintLabel()->isVisible()) hints << editor->HintLabel()->text();
                    QFocusEvent out(QEvent::FocusOut, Qt::PopupFocusReason);
                    QApplication::sendEvent(edit, &out);
                }
                for (const char* help : {"SpeedButton1", "SpeedButton2"}) {
                    auto* button = editor->findChild<QAbstractButton*>(QLatin1String(help));
                    EXPECT_NE(button, nullptr) << help;
                    if (button) button->click();
                }
            } else if (auto* list = dialog.findChild<QTreeWidget*>(QStringLiteral("ListView1"))) {
                for (int i = 0; i < list->topLevelItemCount(); ++i)
                    for (int c = 0; c < list->columnCount(); ++c)
                        helpCells << list->topLevelItem(i)->text(c);
            }
            return int(QDialog::Rejected);
        });
        Click("sbAnchEdit1");
        Settle();
    }
    EXPECT_EQ(std::count_if(
                  hints.begin(), hints.end(),
                  [](const QString& h) { return h.contains(QRegularExpression(QStringLiteral("\\d,\\d"))); }),
              10)
        << "the ten hints with coefficients";
    EXPECT_TRUE(helpCells.contains(QStringLiteral("0,8 - 1,0"))) << helpCells.join('|').toStdString();
    for (const QString& h : hints + helpCells)
        CheckNumbers(h, "level editor");

    const Opened guide = OpenOne([&] { Click("SpeedButton7"); });
    EXPECT_EQ(guide.secondColumn, QStringList({"0,65H", "0,55H", "0,45H"}));
    for (const QString& cell : guide.cells)
        CheckNumbers(cell, "embedment ratio guide");
}
