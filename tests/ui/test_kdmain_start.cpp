// Start-up and lifecycle of the main window: title, menus and tool bar, the automatic update
// check after the first show, the stored window position, the project folder and the splash.

#include <QAction>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QGuiApplication>
#include <QLabel>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPointer>
#include <QScreen>
#include <QSettings>
#include <QTimer>
#include <QToolBar>

#include "KdMainFixture.h"
#include "ui/Globals.h"
#include "ui/Splash.h"

namespace vantrel::testing {
namespace {

class KdMainStart : public KdMainTest {
  protected:
    KdMainStart() : previous_(ui::TfrmKdMain::UpdateDialogOpener()) {
        ui::TfrmKdMain::UpdateDialogOpener() = [this](QWidget*, bool silent, const std::function<bool()>&) {
            updateCalls.push_back(silent);
        };
    }
    ~KdMainStart() override { ui::TfrmKdMain::UpdateDialogOpener() = previous_; }

    // Shows the window with a short start-up timer and lets it fire.
    void ShowAndWait() {
        Window().Timer1->setInterval(1);
        Window().show();
        ASSERT_TRUE(Window().Timer1->isActive());
        ASSERT_TRUE(SpinUntil([this] { return !Window().Timer1->isActive(); }));
    }
    QSettings Stored() const { return QSettings(folders_.SettingsFile(), QSettings::IniFormat); }

    std::vector<bool> updateCalls;

  private:
    ui::TfrmKdMain::UpdateOpener previous_;
};

QStringList ActionNames(const QList<QAction*>& actions) {
    QStringList names;
    for (QAction* a : actions)
        names << (a->isSeparator() ? QString("-") : a->objectName());
    return names;
}

TEST_F(KdMainStart, TitleMenusAndToolBar) {
    EXPECT_EQ(Window().windowTitle(), "Quarnel Vantrel");
    const QList<QAction*> menus = Window().menuBar()->actions();
    ASSERT_EQ(menus.size(), 2);
    EXPECT_EQ(menus[0]->text(), "&File");
    EXPECT_EQ(menus[1]->text(), "&Help");
    EXPECT_EQ(ActionNames(menus[0]->menu()->actions()),
              QStringList({"ANew", "AOpen", "ASave", "ASaveAs", "-", "APrint", "-", "AExit"}));
    EXPECT_EQ(ActionNames(menus[1]->menu()->actions()),
              QStringList({"AHelp", "AAbout", "AWeb", "-", "AAutoUpdate", "ACheckUpdates"}));
    EXPECT_EQ(ActionNames(Window().ToolBar1->actions()),
              QStringList({"ANew", "AOpen", "ASave", "-", "APrint", "-", "AWeb", "AHelp"}));
    struct Entry {
        QAction* action;
        const char *caption, *shortcut, *hint;
    };
    ui::TfrmKdMain& w = Window();
    const Entry entries[] = {{w.ANew, "&New", "Ctrl+N", "New project"},
                             {w.AOpen, "&Open", "Ctrl+O", "Open saved project"},
                             {w.ASave, "&Save", "Ctrl+S", "Save project"},
                             {w.ASaveAs, "Save &As...", "", "Save project as"},
                             {w.APrint, "&Print", "Ctrl+P", "Print project"},
                             {w.AExit, "E&xit", "", "Exit application"},
                             {w.AHelp, "&User's Manual", "F1", "User's Manual"},
                             {w.AAbout, "&About", "", "About program"},
                             {w.AWeb, "&Website", "", "Go to website"},
                             {w.AAutoUpdate, "A&utomatically Check for Updates", "", ""},
                             {w.ACheckUpdates, "&Check for Updates Now", "", ""}};
    for (const Entry& e : entries) {
        EXPECT_EQ(e.action->text(), e.caption);
        EXPECT_EQ(e.action->shortcut().toString(), e.shortcut) << e.caption;
        EXPECT_EQ(e.action->statusTip(), e.hint) << e.caption;
    }
    EXPECT_TRUE(w.AAutoUpdate->isCheckable());
    EXPECT_TRUE(w.Timer1->isSingleShot());
    EXPECT_FALSE(w.Timer1->isActive()); // starts with the first show only
}

TEST_F(KdMainStart, FirstStartChecksForUpdatesSilentlyOnceAfterTheFirstShow) {
    ShowAndWait();
    EXPECT_TRUE(Window().AAutoUpdate->isChecked());
    EXPECT_EQ(updateCalls, std::vector<bool>{true});
    Window().hide();
    Window().show();
    Spin(30);
    EXPECT_FALSE(Window().Timer1->isActive()); // the start-up timer runs after the first show only
    EXPECT_EQ(updateCalls.size(), 1u);
    // Check for Updates Now opens the dialog in the normal mode.
    Window().ACheckUpdates->trigger();
    EXPECT_EQ(updateCalls, (std::vector<bool>{true, false}));
}

TEST_F(KdMainStart, StoredChoiceOfTheAutomaticCheck) {
    struct Case {
        const char* stored; // nullptr: missing
        bool checked;
    };
    // A damaged value counts as missing: the default (on) holds.
    for (const Case c : {Case{"false", false}, Case{"true", true}, Case{"0", false}, Case{"maybe", true},
                         Case{nullptr, true}}) {
        CloseWindow();
        updateCalls.clear();
        if (c.stored)
            Stored().setValue("AutoUpdates", c.stored);
        else
            Stored().remove("AutoUpdates");
        ShowAndWait();
        EXPECT_EQ(Window().AAutoUpdate->isChecked(), c.checked) << (c.stored ? c.stored : "missing");
        EXPECT_EQ(updateCalls.size(), c.checked ? 1u : 0u);
    }
}

TEST_F(KdMainStart, TogglingTheAutomaticCheckStoresIt) {
    ShowAndWait();
    Window().AAutoUpdate->trigger();
    EXPECT_FALSE(Window().AAutoUpdate->isChecked());
    EXPECT_EQ(platform::ReadBoolSetting("AutoUpdates"), false);
    Window().AAutoUpdateExecute();
    EXPECT_EQ(platform::ReadBoolSetting("AutoUpdates"), true);
}

TEST_F(KdMainStart, WindowPositionRoundTrip) {
    // Normal: the bounds and the state are stored and restored.
    Window().move(120, 90);
    Window().resize(900, 650);
    CloseWindow();
    EXPECT_EQ(Stored().value("WinPos/WinState").toInt(), 0);
    EXPECT_EQ(Stored().value("WinPos/Width").toInt(), 900);
    EXPECT_EQ(Window().pos(), QPoint(120, 90));
    EXPECT_EQ(Window().size(), QSize(900, 650));

    // Maximised and minimised: only the state is stored, the bounds stay as they were.
    for (const auto& [state, code] : {std::pair{Qt::WindowMaximized, 2}, std::pair{Qt::WindowMinimized, 1}}) {
        Window().setWindowState(state);
        CloseWindow();
        EXPECT_EQ(Stored().value("WinPos/WinState").toInt(), code);
        EXPECT_EQ(Stored().value("WinPos/Left").toInt(), 120);
        EXPECT_TRUE(Window().windowState().testFlag(state));
        EXPECT_EQ(Window().pos(), QPoint(120, 90));
        Window().setWindowState(Qt::WindowNoState);
    }
}

TEST_F(KdMainStart, PartialDamagedAndOffScreenPositions) {
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    struct Case {
        std::vector<std::pair<const char*, const char*>> keys;
        QSize size;
        bool centred;
        int left, top; // when not centred
    };
    const Case cases[] = {
        {{{"Width", "1000"}}, {1000, 720}, true, 0, 0},
        {{{"Left", "abc"}, {"Top", "40"}, {"Height", "600"}, {"WinState", "x"}}, {794, 600}, false, -1, 40},
        {{{"Left", "30"}, {"Top", "20"}, {"Width", "1.5e3"}}, {794, 720}, false, 30, 20},
        {{{"Left", "20000"}, {"Top", "20000"}}, {794, 720}, true, 0, 0},
    };
    for (const Case& c : cases) {
        CloseWindow();
        Stored().remove("WinPos");
        {
            QSettings s = Stored();
            for (const auto& [key, value] : c.keys)
                s.setValue(QString("WinPos/") + key, value);
        }
        ui::TfrmKdMain& w = Window();
        EXPECT_EQ(w.size(), c.size);
        EXPECT_EQ(w.windowState(), Qt::WindowNoState);
        const QRect frame(w.pos(), w.size());
        if (c.centred) {
            EXPECT_EQ(frame.center(), screen.center());
        } else {
            if (c.left >= 0) {
                EXPECT_EQ(w.x(), c.left);
            }
            EXPECT_EQ(w.y(), c.top);
        }
        // A damaged key is left alone, not rewritten, until the window closes.
    }
}

TEST_F(KdMainStart, ProjectFolderAndStartState) {
    const QString folder = Window().ProjectFolder();
    EXPECT_TRUE(folder.endsWith("/Vantrel/"));
    EXPECT_TRUE(folder.startsWith(folders_.Path()));
    EXPECT_TRUE(QDir(folder).exists());
    // General Data and the first results are open, every other section collapsed.
    for (QWidget* section : Window().InputSections() + Window().ResultSections()) {
        const bool open = section->objectName() == "Panel3" || section->objectName() == "Panel44";
        EXPECT_EQ(ui::Tag(section), open ? 0 : 1) << section->objectName().toStdString();
    }
    // The stored lists hold the sections shown: the user-defined pressure points only show for
    // that method.
    for (QWidget* section : Window().InputSections() + Window().ResultSections())
        EXPECT_FALSE(section->isHidden()) << section->objectName().toStdString();
    EXPECT_FALSE(Window().InputSections().contains(Window().Control("Panel19")));
    EXPECT_EQ(Window().InputSections().size(), 11);
    EXPECT_FALSE(Window().Modified());
    EXPECT_EQ(Get<QComboBox>("ComboBox1")->currentText(), "English");
}

TEST_F(KdMainStart, ActionErrorsAreShownNotThrown) {
    Window().RunGuarded([] { throw std::runtime_error("Wrong file format"); });
    EXPECT_EQ(messageTexts, QStringList{"Wrong file format"});
}

TEST_F(KdMainStart, ExitAsksToSaveAndCancelKeepsTheWindow) {
    Window().show();
    Window().SetModified(true);
    Window().AExit->trigger(); // the message box answers Cancel
    EXPECT_TRUE(Window().isVisible());
    ASSERT_EQ(messageTexts.size(), 1);
    EXPECT_EQ(messageTexts[0], "File is not saved. Do you want to save it now?");
    Window().SetModified(false);
    Window().close();
    EXPECT_FALSE(Window().isVisible());
}

TEST_F(KdMainStart, SplashClosesByTimerAndByClick) {
    QPointer<ui::TfrmSplash> byTimer = new ui::TfrmSplash;
    EXPECT_EQ(byTimer->Timer()->interval(), 2000);
    EXPECT_TRUE(byTimer->Timer()->isActive());
    EXPECT_TRUE(byTimer->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_EQ(byTimer->size(), QSize(510, 412));
    byTimer->show();
    byTimer->Timer()->setInterval(1);
    byTimer->Timer()->start();
    EXPECT_TRUE(SpinUntil([&] { return byTimer.isNull(); }));

    QPointer<ui::TfrmSplash> byClick = new ui::TfrmSplash;
    byClick->show();
    auto* picture = byClick->findChild<QLabel*>("Image1");
    ASSERT_NE(picture, nullptr);
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(10, 10), picture->mapToGlobal(QPointF(10, 10)),
                      Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(picture, &press);
    EXPECT_TRUE(SpinUntil([&] { return byClick.isNull(); }));
}

} // namespace
} // namespace vantrel::testing
