// Program entry: the application, the splash window, the main window and the event loop.

#include <QApplication>

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <functional>
#include <memory>
#include <string>
#include <utility>

#include "platform/Dialogs.h"
#include "platform/Fonts.h"
#include "ui/KdMain.h"
#include "ui/KdMainReport.h"
#include "ui/Splash.h"
#include "update/CheckUpdates.h"

namespace {
// The display the window goes to, as the environment names it ("DISPLAY=:0"); empty when none is set.
std::string DisplaySetting() {
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        if (const char* value = std::getenv(name); value && *value) return std::string(name) + "=" + value;
    return {};
}

// Qt ends the program with a fatal message about reinstalling it when its platform plugin cannot
// start, as happens when DISPLAY names a display that does not answer. While the application is
// created, that failure is reported as what it is; Qt's own warnings before it still give the detail.
QtMessageHandler qtHandler = nullptr;
void ReportDisplayFailure(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (type != QtFatalMsg) {
        if (qtHandler) qtHandler(type, context, message);
        return;
    }
    std::fprintf(stderr,
                 "Vantrel could not open the display %s: it does not answer or refuses this user. Start it "
                 "from a desktop session, over ssh -X, or under a virtual display: xvfb-run ./run.sh\n",
                 DisplaySetting().c_str());
    // The application is half made: end at once, without running its destructors.
    std::_Exit(2);
}
} // namespace

int main(int argc, char* argv[]) {
    // Without a display Qt aborts with a message about platform plugins; say plainly what is missing.
    if (DisplaySetting().empty()) {
        std::fprintf(stderr, "Vantrel needs a graphical display: no X11 or Wayland display is set (DISPLAY, "
                             "WAYLAND_DISPLAY). Start it from a desktop session.\n");
        return 2;
    }
    qtHandler = qInstallMessageHandler(ReportDisplayFailure);
    QApplication app(argc, argv);
    qInstallMessageHandler(qtHandler);
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
    vantrel::ui::TfrmKdMain::UpdateDialogOpener() = [](QWidget* parent, bool silent,
                                                       std::function<bool()> offerToSave) {
        vantrel::ShowCheckUpdates(parent, silent, vantrel::ui::TfrmKdMain::UpdatePageUrl(),
                                  std::move(offerToSave));
    };
    // The Print command writes the report of the shown project into the preview.
    vantrel::ui::TfrmKdMain::SetPrintHandler(vantrel::ui::PrintMainWindowReport);
    window->show();
    splash->raise();
    return QApplication::exec();
}
