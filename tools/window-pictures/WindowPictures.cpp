// window_pictures FOLDER             every window of the program as PNG files in FOLDER
// window_pictures --splash [PNG]     shows the splash as start-up does, then reads
//                                    the screen back (into PNG): exit 0 when the
//                                    splash is painted there
// window_pictures --screen PNG       the whole screen as it is now
//
// The pictures come at the screen's scale (QT_SCALE_FACTOR=2 gives twice the
// pixels); tools/render-windows runs this offscreen at 100% and 200%.
#include "platform/PlatformServices.h"
#include "shell/HelpViewerHost.h"
#include "shell/QtTableChooser.h"
#include "shell/frmAbout.h"
#include "shell/frmMain.h"
#include "shell/frmSplash.h"

#include <QApplication>
#include <QDir>
#include <QScreen>
#include <QSettings>
#include <QTemporaryDir>
#include <QThread>

#include <cstdio>

namespace {

using namespace quorvel;

void Save(QWidget& window, const QString& folder, const QString& name) {
    window.show();
    QApplication::processEvents();
    const QString path = QDir(folder).filePath(name + ".png");
    if (!window.grab().save(path))
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
}

// Start-up's splash; the screen is read back after the event loop stops
// running, as it does while the main window is built.
int CheckSplash(const QString& picture) {
    frmSplash splash;
    splash.Form_Load();
    const bool painted = splash.ShowPainted(1000);
    QThread::msleep(300);
    const QImage shown =
        splash.screen()->grabWindow(0, splash.x(), splash.y(), splash.width(), splash.height()).toImage();
    if (!picture.isEmpty())
        shown.save(picture);
    int dark = 0;
    for (int y = 0; y < shown.height(); ++y)
        for (int x = 0; x < shown.width(); ++x)
            dark += qGray(shown.pixel(x, y)) < 40 ? 1 : 0;
    const double share = shown.isNull() ? 1.0 : double(dark) / (shown.width() * shown.height());
    std::printf("splash painted %s, %.0f%% of it dark on screen\n", painted ? "in time" : "late",
                100 * share);
    return share < 0.5 ? 0 : 1;
}

// The main window before and after a calculation, every tab.
void MainWindow(const PlatformServices& services, const QString& folder) {
    frmMain window(services);
    window.Form_Load();
    ControlInventory& c = window.Controls();
    for (int tab = 0; tab < 5; ++tab) {
        c.tabMain->setCurrentIndex(tab);
        Save(window, folder, QStringLiteral("main-tab%1").arg(tab));
    }
    c.optClaster[2]->setChecked(true);
    c.optNonClaster[1]->setChecked(true);
    c.optNonClaster[5]->setChecked(true);
    for (auto [field, text] : {std::pair{c.txtData[0], "100,000"},
                               {c.txtData[2], "100"},
                               {c.txtData[3], "50"},
                               {c.txtData[4], "2"},
                               {c.txtData[6], "10"},
                               {c.txtData[7], "20"},
                               {c.txtData[8], "2"},
                               {c.txtData1[0], "4"},
                               {c.txtData2[3], "10"},
                               {c.txtData2[4], "20"},
                               {c.txtData2[5], "2"},
                               {c.txtFillFactor[2], "50"}})
        field->SetText(QString::fromUtf8(text));
    window.RunCalc();
    for (int tab = 0; tab < 5; ++tab) {
        c.tabMain->setCurrentIndex(tab);
        Save(window, folder, QStringLiteral("main-tab%1-calculated").arg(tab));
    }
    frmAbout about(services, &window);
    about.Form_Load();
    Save(about, folder, "about");
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QTemporaryDir settings; // the user's own settings stay untouched
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settings.path());
    const QString option = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString();
    const QString file = argc > 2 ? QString::fromLocal8Bit(argv[2]) : QString();
    if (option == "--splash")
        return CheckSplash(file);
    if (option == "--screen")
        return QGuiApplication::primaryScreen()->grabWindow(0).save(file) ? 0 : 1;
    if (argc != 2 || option.startsWith("--")) {
        std::fprintf(stderr, "usage: %s FOLDER | --splash [PNG] | --screen PNG\n", argv[0]);
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(folder);

    frmSplash splash;
    splash.Form_Load();
    Save(splash, folder, "splash");
    splash.close();

    HelpViewerHost help;
    QtTableChooser tableChooser;
    const PlatformServices services = DefaultServices(help, tableChooser);
    MainWindow(services, folder);

    HelpViewer viewer;
    viewer.ShowContents(QUORVEL_HELP_FILE);
    Save(viewer, folder, "help-contents");
    viewer.ShowKeywordSearch(QUORVEL_HELP_FILE, QString());
    Save(viewer, folder, "help-keywords");
    return 0;
}
