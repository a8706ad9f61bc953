// Program entry: the application, its title and the main window.

#include <QApplication>
#include <QMainWindow>

#include "model/KdClasses.h"
#include "platform/ProgramFolder.h"
#include "platform/Version.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Vantrel"));
    QApplication::setOrganizationName(QStringLiteral("Quarnel"));
    QApplication::setApplicationDisplayName(QString::fromLatin1(vantrel::platform::ApplicationTitle()));
    QApplication::setApplicationVersion(vantrel::platform::ProgramVersion());

    // The one project of the session; a new project starts from the demo example beside the program.
    vantrel::TKdData project(vantrel::platform::ProgramFolder());

    QMainWindow window;
    window.setObjectName(QStringLiteral("frmKdMain"));
    window.setWindowTitle(QString::fromLatin1(vantrel::platform::ApplicationTitle()));
    window.resize(1024, 720);
    window.show();
    return QApplication::exec();
}
