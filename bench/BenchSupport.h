#pragma once
// What every benchmark program shares: the one offscreen application (fonts, painters and windows
// need it; all benchmarks run in one process, so there must be exactly one). The demo projects
// come from tests/model/reference_projects.h.

#include <QApplication>
#include <QTemporaryDir>

#include "platform/Fonts.h"
#include "platform/Settings.h"

namespace vantrel::bench {

// Creates the application on first use: offscreen, 96 dpi, the program's fonts, the user's folders
// and settings in a temporary folder so that no benchmark reads or writes the real ones.
inline QApplication& EnsureApplication() {
    static QTemporaryDir home;
    static QApplication* app = [] {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        qputenv("HOME", home.path().toLocal8Bit());
        qputenv("XDG_CONFIG_HOME", (home.path() + "/config").toLocal8Bit());
        static int argc = 1;
        static char name[] = "vantrel_bench";
        static char* argv[] = {name, nullptr};
        QApplication::setAttribute(Qt::AA_Use96Dpi);
        auto* created = new QApplication(argc, argv);
        platform::MapFontFamilies();
        return created;
    }();
    static platform::ScopedSettingsFile settings(home.path() + "/settings.ini");
    return *app;
}

} // namespace vantrel::bench
