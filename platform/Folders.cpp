#include "platform/Folders.h"

#include <QCoreApplication>
#include <QStandardPaths>

namespace vantrel::platform {

namespace {
QString withSeparator(QString folder) {
    if (!folder.isEmpty() && !folder.endsWith(QLatin1Char('/'))) folder += QLatin1Char('/');
    return folder;
}
} // namespace

QString DocumentsFolder() {
    return withSeparator(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation));
}

QString ApplicationDataFolder() {
    return withSeparator(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation));
}

QString ExecutableFolder() {
    return withSeparator(QCoreApplication::applicationDirPath());
}

} // namespace vantrel::platform
