// Qt test entry: an offscreen application with a fixed DPI and the program's fonts, so that pixel
// read-outs and measured widths repeat on every machine.

#include <QApplication>

#include <gtest/gtest.h>

#include "platform/Fonts.h"

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication::setAttribute(Qt::AA_Use96Dpi);
    QApplication app(argc, argv);
    vantrel::platform::MapFontFamilies();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
