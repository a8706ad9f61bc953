#include "platform/Version.h"

namespace vantrel::platform {

QString ProgramVersion() { return QStringLiteral(VANTREL_VERSION); }

} // namespace vantrel::platform
