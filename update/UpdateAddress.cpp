#include "update/UpdateAddress.h"

#ifndef VANTREL_UPDATE_URL
#error "VANTREL_UPDATE_URL is set by the build (CMake cache variable of the same name)"
#endif

namespace vantrel {

QString UpdateInfoAddress() {
    return QStringLiteral(VANTREL_UPDATE_URL);
}

} // namespace vantrel
