// Fonts: every family the program names is drawn with the Liberation face installed with it.

#include <QApplication>
#include <QFontInfo>

#include <gtest/gtest.h>

namespace vantrel::testing {
namespace {

// The face actually drawn, not the family asked for: on a machine holding only the Liberation fonts
// an unmapped "Tahoma" or default "Sans Serif" comes out as Liberation Mono.
TEST(PlatformFonts, NamedFamiliesResolveToTheInstalledLiberationFaces) {
    const struct {
        const char* family;
        const char* face;
    } cases[] = {{"Tahoma", "Liberation Sans"},         {"Arial", "Liberation Sans"},
                 {"MS Sans Serif", "Liberation Sans"},  {"Liberation Sans", "Liberation Sans"},
                 {"Times New Roman", "Liberation Serif"}, {"Courier New", "Liberation Mono"}};
    for (const auto& c : cases)
        EXPECT_EQ(QFontInfo(QFont(QString::fromLatin1(c.family))).family().toStdString(), c.face) << c.family;
    // The font of every window and dialog that names none.
    EXPECT_EQ(QFontInfo(QApplication::font()).family().toStdString(), "Liberation Sans");
}

} // namespace
} // namespace vantrel::testing
