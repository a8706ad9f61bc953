// The main window's creation and lifecycle: the order of creation, the settings of the current
// user (automatic update check, window position), the project folder, the start-up timer and the
// actions of the Help menu that belong to the window itself.

#include "ui/KdMain.h"

#include "update/UpdateAddress.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFont>
#include <QLabel>
#include <QScreen>
#include <QScrollArea>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QTimer>
#include <QToolTip>
#include <QUrl>

#include <exception>

#include "platform/Dialogs.h"
#include "platform/ProgramFolder.h"
#include "platform/Settings.h"
#include "platform/Version.h"
#include "ui/About.h"
#include "ui/Globals.h"
#include "ui/KdMainLayout.h"

namespace vantrel::ui {

namespace {
const QString kAutoUpdates = QStringLiteral("AutoUpdates");
const QString kWinPos = QStringLiteral("WinPos/");
constexpr int kClientWidth = 794, kClientHeight = 720;
} // namespace

TfrmKdMain::TfrmKdMain(QWidget* parent) : QMainWindow(parent) {
    setObjectName(QStringLiteral("frmKdMain"));
    setWindowTitle(QString::fromLatin1(platform::ApplicationTitle()));
    // A compact sans-serif with Arial's metrics keeps the long engineering captions on one line.
    QFont small(QStringLiteral("Liberation Sans"));
    small.setPointSize(8);
    setFont(small);
    resize(kClientWidth, kClientHeight);

    // The window as laid out.
    BuildActions();
    BuildFrame();
    BuildPages();
    BuildSections(InputSectionLayouts(), ScrollBox1, false);
    BuildSections(ResultSectionLayouts(), ScrollBox2, true);
    WireInputs();
    WireViewers();

    // 1, 2: the section lists in tab order.
    CollectControlsByTabOrder(ScrollBox1, FInputSections);
    CollectControlsByTabOrder(ScrollBox2, FResultSections);
    // 3: first pages.
    PageControl1->setCurrentIndex(0);
    PageControl2->setCurrentIndex(0);
    // 4: where the window was.
    LoadWindowPosition();
    // 5: the project (English units, a new project from the demo example beside the program).
    FData = std::make_unique<TKdData>(platform::ProgramFolder());
    // 6: the input hint: a frameless tool-tip-style window that stays until it is hidden.
    FHintWindow = new QLabel(this, Qt::ToolTip | Qt::FramelessWindowHint);
    FHintWindow->setObjectName(QStringLiteral("HintWindow"));
    FHintWindow->setWordWrap(true);
    FHintWindow->setMargin(3);
    FHintWindow->setFrameShape(QFrame::Box);
    FHintWindow->setPalette(QToolTip::palette());
    FHintWindow->setAutoFillBackground(true);
    // 7: the project folder for the open and save dialogs.
    const QString documents = GetMyDocumentsFolder();
    FProjectFolder = documents + QStringLiteral("Vantrel/");
    QDir().mkpath(FProjectFolder);
    // 8: a new project on screen.
    NewProjectAtStart();
    // 9: General Data and the first results open, everything else collapsed.
    SetSectionExpanded(Control(QStringLiteral("Panel3")), true);
    SetSectionExpanded(Control(QStringLiteral("Panel44")), true);
}

TfrmKdMain::~TfrmKdMain() {
    FData.reset();
    SaveWindowPosition();
}

QWidget* TfrmKdMain::Control(const QString& name) const {
    if (QWidget* w = FControls.value(name)) return w;
    return findChild<QWidget*>(name);
}

QWidget* TfrmKdMain::FindNumberedComponent(const QString& prefix, int n) const {
    return Control(prefix + QString::number(n));
}

TfrmKdMain::UpdateOpener& TfrmKdMain::UpdateDialogOpener() {
    static UpdateOpener opener;
    return opener;
}

QString TfrmKdMain::UpdatePageUrl() {
    return UpdateInfoAddress();
}

void TfrmKdMain::RunGuarded(const std::function<void()>& handler) {
    try {
        handler();
    } catch (const std::exception& e) {
        platform::ShowError(this, QString::fromLocal8Bit(e.what()));
    } catch (...) {
        platform::ShowError(this, tr("An unexpected error occurred."));
    }
}

// ---- Settings -------------------------------------------------------------------------------

bool TfrmKdMain::ReadAutoUpdateSetting() const {
    return platform::ReadBoolSetting(kAutoUpdates).value_or(true);
}

void TfrmKdMain::WriteAutoUpdateSetting(bool value) const {
    platform::WriteBoolSetting(kAutoUpdates, value);
}

void TfrmKdMain::LoadWindowPosition() {
    const auto left = platform::ReadIntSetting(kWinPos + QStringLiteral("Left"));
    const auto top = platform::ReadIntSetting(kWinPos + QStringLiteral("Top"));
    const auto width = platform::ReadIntSetting(kWinPos + QStringLiteral("Width"));
    const auto height = platform::ReadIntSetting(kWinPos + QStringLiteral("Height"));
    const auto state = platform::ReadIntSetting(kWinPos + QStringLiteral("WinState"));

    QRect frame(pos(), size());
    if (width && *width > 0) frame.setWidth(*width);
    if (height && *height > 0) frame.setHeight(*height);
    QScreen* primary = QGuiApplication::primaryScreen();
    const QRect screen = primary ? primary->availableGeometry() : QRect(0, 0, 1024, 768);
    if (!left && !top) {
        frame.moveCenter(screen.center());
    } else {
        if (left) frame.moveLeft(*left);
        if (top) frame.moveTop(*top);
        // A position wholly off every screen (a monitor removed since) starts centred instead.
        bool onScreen = false;
        for (QScreen* s : QGuiApplication::screens())
            onScreen = onScreen || s->availableGeometry().intersects(frame);
        if (!onScreen) frame.moveCenter(screen.center());
    }
    resize(frame.size());
    move(frame.topLeft());
    if (state == 1)
        setWindowState(Qt::WindowMinimized);
    else if (state == 2)
        setWindowState(Qt::WindowMaximized);
}

void TfrmKdMain::SaveWindowPosition() const {
    const Qt::WindowStates state = windowState();
    const int code = state.testFlag(Qt::WindowMinimized) ? 1 : state.testFlag(Qt::WindowMaximized) ? 2 : 0;
    platform::WriteIntSetting(kWinPos + QStringLiteral("WinState"), code);
    if (code != 0) return;
    platform::WriteIntSetting(kWinPos + QStringLiteral("Left"), x());
    platform::WriteIntSetting(kWinPos + QStringLiteral("Top"), y());
    platform::WriteIntSetting(kWinPos + QStringLiteral("Width"), width());
    platform::WriteIntSetting(kWinPos + QStringLiteral("Height"), height());
}

// ---- Lifecycle -------------------------------------------------------------------------------

void TfrmKdMain::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (FShownOnce) return;
    FShownOnce = true;
    {
        const QSignalBlocker block(AAutoUpdate);
        AAutoUpdate->setChecked(ReadAutoUpdateSetting());
    }
    Timer1->start();
}

void TfrmKdMain::Timer1Timer() {
    Timer1->stop();
    if (AAutoUpdate->isChecked()) OpenUpdateDialog(true);
}

void TfrmKdMain::OpenUpdateDialog(bool silent) {
    // "No" leaves the project marked: it is only lost once the installer runs and the program ends.
    if (UpdateDialogOpener()) UpdateDialogOpener()(this, silent, [this] { return OfferToSave(false); });
}

void TfrmKdMain::closeEvent(QCloseEvent* event) {
    if (OfferToSave(true))
        event->accept();
    else
        event->ignore();
}

void TfrmKdMain::AAutoUpdateExecute() {
    AAutoUpdate->setChecked(!AAutoUpdate->isChecked());
    WriteAutoUpdateSetting(AAutoUpdate->isChecked());
}

void TfrmKdMain::ACheckUpdatesExecute() {
    OpenUpdateDialog(false);
}

void TfrmKdMain::AAboutExecute() {
    ShowAboutBox(this);
}

void TfrmKdMain::AExitExecute() {
    close();
}

} // namespace vantrel::ui
