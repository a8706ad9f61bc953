#pragma once
// What every benchmark program shares: the one offscreen application (fonts, painters and windows
// need it; all benchmarks run in one process, so there must be exactly one) and the demo projects.

#include <QApplication>
#include <QTemporaryDir>

#include <string>

#include "model/KdClasses.h"
#include "platform/Settings.h"

namespace vantrel::bench {

// Creates the application on first use: offscreen, 96 dpi, the user's folders and settings in a
// temporary folder so that no benchmark reads or writes the real ones.
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
        return new QApplication(argc, argv);
    }();
    static platform::ScopedSettingsFile settings(home.path() + "/settings.ini");
    return *app;
}

// The demo project of a unit system (usEnglish or usSI) as shipped with the program.
inline std::string DemoPath(int units) {
    return std::string(VANTREL_SOURCE_DIR) + "/resources/demo/" +
           (units == usSI ? "SI UNITS DEMO EXAMPLE.kpw" : "ENGLISH UNITS DEMO EXAMPLE.kpw");
}

} // namespace vantrel::bench
