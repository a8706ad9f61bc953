#pragma once
// The program's own version, compiled in (stands in for the executable's version resource).

#include <QString>

namespace vantrel::platform {

// "1.18.0" style version of this build.
QString ProgramVersion();
// The application title shown in captions and stored in project files.
inline const char* ApplicationTitle() { return "Quarnel Vantrel"; }

} // namespace vantrel::platform
