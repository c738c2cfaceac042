#include "basMivrel.h"

#include "HelpViewerHost.h"
#include "HostedHelpEngine.h"
#include "PlatformServices.h"
#include "ShellCommands.h"
#include "frmMain.h"
#include "frmSplash.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace quorvel {
namespace {

const QString kHelpFileName = QStringLiteral("Mivrel.hlp");

} // namespace

QString LocateHelpFile(const QString& programFolder, const std::function<bool(const QString&)>& fileExists) {
    QString path = programFolder;
    if (!path.endsWith(QLatin1Char('/')))
        path += QLatin1Char('/');
    path += kHelpFileName;
    return fileExists(path) ? path : kHelpFileName;
}

void Main() {
    // The help engine shows our own help window; it is installed before any
    // window could ask for help.
    static HelpViewerHost helpViewers;
    DefaultHelpEngine().SetHost(&helpViewers);
    static const PlatformServices services = DefaultServices();

    // QFileInfo::exists sees dot-files like any other: a hidden help file counts.
    SetHelpFilePath(LocateHelpFile(QCoreApplication::applicationDirPath(),
                                   [](const QString& path) { return QFileInfo::exists(path); }));

    QCoreApplication::processEvents();

    frmSplash splash;
    splash.Form_Load();
    splash.show();
    splash.repaint();
    // Let the window system map the splash so that it is seen while the main
    // window is built; typed keys and clicks wait for the main window.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);

    // The main window lives until it is closed; closing it stores its settings
    // (its unload handler) and then deletes it, which ends the program.
    auto* mainWindow = new frmMain(services);
    mainWindow->setAttribute(Qt::WA_DeleteOnClose);
    mainWindow->Form_Load();

    splash.close();
    mainWindow->show();
}

} // namespace quorvel
