// Quorvel: estimates the disk space of SQL Server 6.x tables and indexes.
#include "basMivrel.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("Quorvel"));
    quorvel::Main();
    return QApplication::exec();
}
