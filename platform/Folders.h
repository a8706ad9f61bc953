#pragma once
// The user's folders (stand in for the shell's special folders): documents and application data,
// each with a trailing separator, or empty when the desktop names none.

#include <QString>

namespace vantrel::platform {

QString DocumentsFolder();
QString ApplicationDataFolder();
// The folder of the running executable with a trailing separator (needs a QCoreApplication).
QString ExecutableFolder();

} // namespace vantrel::platform
