// Qt test entry: an offscreen application with a fixed DPI, the program's fonts and one locale, so
// that pixel read-outs, measured widths and written numbers repeat on every machine.

#include <QApplication>
#include <QLocale>

#include <gtest/gtest.h>

#include "platform/Fonts.h"

#if defined(__SANITIZE_ADDRESS__)
// GCC 12's sanitizer runtime takes a dynamic TLS block (of a library loaded at run time) that
// happens to start 16 bytes into a page for the header of a glibc older than 2.25, and its leak
// scan at exit then crashes on the range it reads there: a passing test aborts. Leaving dynamic
// TLS untracked avoids it; ASAN_OPTIONS from the environment still add to these defaults.
extern "C" const char* __asan_default_options() {
    return "intercept_tls_get_addr=0";
}
#endif

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication::setAttribute(Qt::AA_Use96Dpi);
    QApplication app(argc, argv);
    // Numbers in edits, drawings and charts follow the locale: the C locale's, whatever the machine's.
    QLocale::setDefault(QLocale::c());
    vantrel::platform::MapFontFamilies();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
