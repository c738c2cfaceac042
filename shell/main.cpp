// Quorvel: estimates the disk space of SQL Server 6.x tables and indexes.
#include "shell/basMivrel.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("Quorvel"));
    // Wayland docks match the window to its menu entry by this name.
    QGuiApplication::setDesktopFileName(QStringLiteral(QUORVEL_APP_ID));
    // Qt's own dialogs (the file dialog's columns and places) speak Japanese,
    // as the rest of the window does; without Qt's translations they stay English.
    QTranslator qtTexts;
    if (qtTexts.load(QLocale(QLocale::Japanese, QLocale::Japan), QStringLiteral("qtbase"), QStringLiteral("_"),
                     QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtTexts);
    // quorvel [FILE]: Qt has taken its own options by now.
    const QStringList arguments = QCoreApplication::arguments();
    quorvel::Main(arguments.size() > 1 ? arguments.at(1) : QString());
    return QApplication::exec();
}
