// Quorvel: estimates the disk space of SQL Server 6.x tables and indexes.
#include "shell/basMivrel.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("Quorvel"));
    // Wayland docks match the window to its menu entry by this name.
    QGuiApplication::setDesktopFileName(QStringLiteral(QUORVEL_APP_ID));
    quorvel::Main();
    return QApplication::exec();
}
