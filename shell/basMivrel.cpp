#include "shell/basMivrel.h"

#include "platform/PlatformServices.h"
#include "platform/TerminationRequests.h"
#include "shell/HelpViewerHost.h"
#include "shell/QtTableChooser.h"
#include "shell/frmMain.h"
#include "shell/frmSplash.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <QSessionManager>

namespace quorvel {
namespace {

const QString kHelpFileName = QStringLiteral("Mivrel.hlp");

// The splash may wait this long for the window system to show it.
constexpr int kSplashWaitMs = 1000;

} // namespace

QString LocateHelpFile(const QString& programFolder, const std::function<bool(const QString&)>& fileExists) {
    QString path = programFolder;
    if (!path.endsWith(QLatin1Char('/')))
        path += QLatin1Char('/');
    path += kHelpFileName;
    return fileExists(path) ? path : kHelpFileName;
}

void Main(const QString& file) {
    static HelpViewerHost helpViewers;
    static QtTableChooser tableChooser;
    static const PlatformServices services = DefaultServices(helpViewers, tableChooser);

    // QFileInfo::exists sees dot-files like any other: a hidden help file counts.
    const QString helpFile = LocateHelpFile(QCoreApplication::applicationDirPath(),
                                            [](const QString& path) { return QFileInfo::exists(path); });

    QCoreApplication::processEvents();

    // Painted completely before the main window is built: building it keeps
    // the event loop from running, and a splash first painted then stays blank.
    frmSplash splash;
    splash.Form_Load();
    splash.ShowPainted(kSplashWaitMs);

    // The main window lives until it is closed; closing it stores its settings
    // (its unload handler) and then deletes it, which ends the program.
    auto* mainWindow = new frmMain(services, helpFile);
    mainWindow->setAttribute(Qt::WA_DeleteOnClose);
    mainWindow->Form_Load();

    splash.close();
    mainWindow->show();

    // The system ending the program keeps the settings as a close does: a
    // log-out through the session manager, and the termination signals.
    QObject::connect(
        qApp, &QGuiApplication::commitDataRequest, mainWindow,
        [mainWindow](QSessionManager&) { mainWindow->KeepForLogOut(); }, Qt::DirectConnection);
    static TerminationRequests termination;
    QObject::connect(&termination, &TerminationRequests::Requested, mainWindow, &frmMain::EndSession);
    mainWindow->StartWith(file);
}

} // namespace quorvel
