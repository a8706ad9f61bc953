#pragma once
// The folder of the program's executable (stands in for the path of the running module): the
// demo example projects and the user's manual lie there.

#include <string>

namespace vantrel::platform {

// The executable's folder with a trailing separator, in the local 8-bit encoding the model's file
// routines take. Needs a QCoreApplication.
std::string ProgramFolder();

} // namespace vantrel::platform
