#include "platform/Fonts.h"

#include <QFont>
#include <QString>

namespace vantrel::platform {

void MapFontFamilies() {
    // A family that is not installed is otherwise left to fontconfig's nearest match, which on a
    // machine holding only the Liberation fonts is Liberation Mono for "Tahoma" and "Sans Serif":
    // every text would show monospaced and every measured width would grow. Liberation Sans, Serif
    // and Mono have the metrics of Arial, Times New Roman and Courier New; Tahoma and MS Sans Serif
    // are proportional sans faces of the same build, so they take Liberation Sans too. A family
    // that is installed keeps its own face.
    static const struct {
        const char* family;
        const char* face;
    } kMap[] = {
        {"Tahoma", "Liberation Sans"},          {"Arial", "Liberation Sans"},
        {"MS Sans Serif", "Liberation Sans"},   {"Microsoft Sans Serif", "Liberation Sans"},
        {"Sans Serif", "Liberation Sans"},      {"sans-serif", "Liberation Sans"},
        {"Times New Roman", "Liberation Serif"}, {"serif", "Liberation Serif"},
        {"Courier New", "Liberation Mono"},     {"monospace", "Liberation Mono"},
    };
    for (const auto& m : kMap)
        QFont::insertSubstitution(QString::fromLatin1(m.family), QString::fromLatin1(m.face));
}

} // namespace vantrel::platform
