#pragma once
// The address of the maker's information page, fixed when the program is built (CMake cache
// variable VANTREL_UPDATE_URL), so that a test build can point the program at a local server.

#include <QString>

namespace vantrel {

QString UpdateInfoAddress();

} // namespace vantrel
