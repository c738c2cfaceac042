// Quorvel: estimates the disk space of SQL Server 6.x tables and indexes.
#include "shell/basMivrel.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("Quorvel"));
    // Wayland docks match the window to its menu entry by this name.
    QGuiApplication::setDesktopFileName(QStringLiteral(QUORVEL_APP_ID));
    // quorvel [FILE]: Qt has taken its own options by now.
    const QStringList arguments = QCoreApplication::arguments();
    quorvel::Main(arguments.size() > 1 ? arguments.at(1) : QString());
    return QApplication::exec();
}
