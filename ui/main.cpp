// Program entry: the application, its title and the main window.

#include <QApplication>
#include <QMainWindow>

#include "platform/Version.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Vantrel"));
    QApplication::setOrganizationName(QStringLiteral("Quarnel"));
    QApplication::setApplicationDisplayName(QString::fromLatin1(vantrel::platform::ApplicationTitle()));
    QApplication::setApplicationVersion(vantrel::platform::ProgramVersion());

    QMainWindow window;
    window.setObjectName(QStringLiteral("frmKdMain"));
    window.setWindowTitle(QString::fromLatin1(vantrel::platform::ApplicationTitle()));
    window.resize(1024, 720);
    window.show();
    return QApplication::exec();
}
