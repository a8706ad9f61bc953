#include "platform/Version.h"

#include "platform/VersionInfo.h"

namespace vantrel::platform {

QString ProgramVersion() {
    return QStringLiteral(VANTREL_VERSION);
}

VersionNumbers ProgramVersionNumbers() {
    return {VANTREL_VERSION_MAJOR, VANTREL_VERSION_MINOR, VANTREL_VERSION_PATCH, VANTREL_VERSION_BUILD,
            VANTREL_VERSION_PRERELEASE != 0};
}

QString HomePageUrl() {
    return QStringLiteral(VANTREL_HOME_PAGE);
}

} // namespace vantrel::platform
