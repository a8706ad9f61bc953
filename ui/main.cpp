// Program entry: the application, the splash window, the main window and the event loop.

#include <QApplication>

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <memory>

#include "platform/Dialogs.h"
#include "platform/Fonts.h"
#include "ui/KdMain.h"
#include "ui/KdMainReport.h"
#include "ui/Splash.h"
#include "update/CheckUpdates.h"

namespace {
// Without a display Qt aborts with a message about platform plugins; say plainly what is missing.
bool HasDisplay() {
    if (std::getenv("QT_QPA_PLATFORM")) return true;
    const char* x11 = std::getenv("DISPLAY");
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    return (x11 && *x11) || (wayland && *wayland);
}
} // namespace

int main(int argc, char* argv[]) {
    if (!HasDisplay()) {
        std::fprintf(stderr, "Vantrel needs a graphical display: no X11 or Wayland display is set (DISPLAY, "
                             "WAYLAND_DISPLAY). Start it from a desktop session.\n");
        return 2;
    }
    QApplication app(argc, argv);
    vantrel::platform::MapFontFamilies();
    QApplication::setOrganizationName(QStringLiteral("Quarnel"));
    QApplication::setApplicationName(QStringLiteral("Vantrel"));

    auto* splash = new vantrel::ui::TfrmSplash;
    splash->show();
    splash->repaint();
    QApplication::processEvents();

    std::unique_ptr<vantrel::ui::TfrmKdMain> window;
    try {
        window = std::make_unique<vantrel::ui::TfrmKdMain>();
    } catch (const std::exception& e) {
        // Nothing can run without the main window: say why and stop.
        vantrel::platform::ShowError(nullptr, QString::fromLocal8Bit(e.what()));
        return 1;
    }
    // The Check for Updates command and the start-up check open the update dialog; an accepted update
    // first offers to save the project.
    vantrel::ui::TfrmKdMain::UpdateDialogOpener() = [w = window.get()](QWidget* parent, bool silent) {
        vantrel::ShowCheckUpdates(parent, silent, vantrel::ui::TfrmKdMain::UpdatePageUrl(),
                                  [w] { return w->QuerySaveChanges(); });
    };
    // The Print command writes the report of the shown project into the preview.
    vantrel::ui::TfrmKdMain::SetPrintHandler(vantrel::ui::PrintMainWindowReport);
    window->show();
    splash->raise();
    return QApplication::exec();
}
