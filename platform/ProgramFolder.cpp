#include "platform/ProgramFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

namespace vantrel::platform {

std::string ProgramFolder() {
    const QString folder = QDir::toNativeSeparators(QCoreApplication::applicationDirPath());
    QByteArray path = QFile::encodeName(folder);
    if (!path.endsWith(QDir::separator().toLatin1())) path.append(QDir::separator().toLatin1());
    return path.toStdString();
}

} // namespace vantrel::platform
