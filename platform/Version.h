#pragma once
// The program's own version, generated from the build's project version (stands in for the
// executable's version resource), and the maker's home page address set at build time.

#include <QString>

namespace vantrel::platform {

struct VersionNumbers {
    int major = 0, minor = 0, release = 0, build = 0;
    bool preRelease = false;
};

// "1.18.0" style version of this build.
QString ProgramVersion();
VersionNumbers ProgramVersionNumbers();
// The application title shown in captions and stored in project files.
inline const char* ApplicationTitle() {
    return "Quarnel Vantrel";
}
// The maker's home page (the about box link, Help > Website).
QString HomePageUrl();

} // namespace vantrel::platform
