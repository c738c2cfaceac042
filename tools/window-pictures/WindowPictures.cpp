// window_pictures FOLDER             every window of the program as PNG files in FOLDER
// window_pictures --splash [PNG]     shows the splash as start-up does, then reads
//                                    the screen back (into PNG): exit 0 when the
//                                    splash is painted there
// window_pictures --screen PNG       the whole screen as it is now
// window_pictures --questions FOLDER the table chooser and the question about
//                                    unsaved changes over the main window, the
//                                    whole screen read back for each (a real
//                                    display, frames drawn by its window manager)
// window_pictures --ask table|save   asks one of the two over the main window and
//                                    prints the answer (a table's name, none,
//                                    save, discard or cancel)
//
// The pictures come at the screen's scale (QT_SCALE_FACTOR=2 gives twice the
// pixels); tools/render-windows runs this offscreen at 100% and 200%.
#include "platform/PlatformServices.h"
#include "platform/TableChooserService.h"
#include "shell/HelpViewerHost.h"
#include "shell/QtTableChooser.h"
#include "shell/frmAbout.h"
#include "shell/frmMain.h"
#include "shell/frmSplash.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QScreen>
#include <QSettings>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>

#include <cstdio>
#include <functional>

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

const QString kSampleFile = QStringLiteral("受注 1996.sql");
const QString kSampleDocument = QStringLiteral("受注 1996.json");

std::vector<TableListing> SampleTables() {
    std::vector<TableListing> tables;
    for (const auto& [name, rows] : std::initializer_list<std::pair<const char*, std::optional<std::int64_t>>>{
             {"orders", 9000000},
             {"order_lines", 36000000},
             {"顧客", std::nullopt},
             {"ﾃｰﾌﾞﾙ定義", 12},
             {"商品マスタ", 5000},
             {"ＳＴＯＣＫ", 0},
             {"Stock_History", 1234567},
             {"受注明細", std::nullopt},
             {"CustomerAddressHistoryArchive_1996", 987654321},
             {"invoices", 2500000}})
        tables.push_back({QString::fromUtf8(name), rows});
    return tables;
}

// Lets the window system (and its window manager) show what changed.
void Settle(int ms) {
    QElapsedTimer waited;
    waited.start();
    while (waited.elapsed() < ms) {
        QApplication::processEvents();
        QThread::msleep(10);
    }
}

// The two questions of the file commands, asked through their services over
// the main window; pictures is called with each state worth a look while the
// question is up, and the question is cancelled after the last.
void Questions(const PlatformServices& services, const std::function<void(QWidget&, const QString&)>& picture) {
    frmMain window(services);
    window.Form_Load();
    window.show();
    Settle(300);
    const auto whileAsked = [&picture](const std::function<void(QWidget&)>& steps) {
        QTimer::singleShot(0, [&picture, steps] {
            QWidget* dialog = QApplication::activeModalWidget();
            if (dialog == nullptr)
                return;
            dialog->activateWindow();
            Settle(300);
            steps(*dialog);
            dialog->close();
        });
    };
    whileAsked([&picture](QWidget& dialog) {
        auto* search = dialog.findChild<QLineEdit*>("txtSearch");
        picture(dialog, "table-chooser");
        for (const char* text : {"stock", "xyz"}) {
            search->setText(QString::fromLatin1(text));
            picture(dialog, QStringLiteral("table-chooser-%1").arg(QLatin1String(text)));
        }
        search->clear();
        dialog.findChild<QWidget*>("lstTables")->setFocus();
        QApplication::processEvents();
        picture(dialog, "table-chooser-list");
    });
    (void)services.tableChooser->ChooseTable(&window, kSampleFile, SampleTables());
    whileAsked([&picture](QWidget& dialog) { picture(dialog, "save-question"); });
    (void)services.messageBox->AskSaveChanges(&window, kSampleDocument);
}

// Asks one of the two questions over the main window and prints the answer:
// for a person, or a screen reader check, to try the dialog on a real display.
int Ask(const PlatformServices& services, const QString& question) {
    frmMain window(services);
    window.Form_Load();
    window.show();
    if (question == "table") {
        const std::optional<int> chosen = services.tableChooser->ChooseTable(&window, kSampleFile, SampleTables());
        std::printf("%s\n", chosen ? qPrintable(SampleTables().at(static_cast<std::size_t>(*chosen)).name) : "none");
    } else {
        const SaveChangesAnswer answer = services.messageBox->AskSaveChanges(&window, kSampleDocument);
        std::printf("%s\n", answer == SaveChangesAnswer::Save      ? "save"
                            : answer == SaveChangesAnswer::Discard ? "discard"
                                                                   : "cancel");
    }
    return 0;
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
    HelpViewerHost help;
    QtTableChooser tableChooser;
    const PlatformServices services = DefaultServices(help, tableChooser);
    if (option == "--questions" && !file.isEmpty()) {
        QDir().mkpath(file);
        Questions(services, [&file](QWidget& dialog, const QString& name) {
            Settle(200);
            dialog.screen()->grabWindow(0).save(QDir(file).filePath(name + ".png"));
        });
        return 0;
    }
    if (option == "--ask" && (file == "table" || file == "save"))
        return Ask(services, file);
    if (argc != 2 || option.startsWith("--")) {
        std::fprintf(stderr, "usage: %s FOLDER | --splash [PNG] | --screen PNG | --questions FOLDER | --ask table|save\n",
                     argv[0]);
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(folder);

    frmSplash splash;
    splash.Form_Load();
    Save(splash, folder, "splash");
    splash.close();

    MainWindow(services, folder);
    Questions(services, [&folder](QWidget& dialog, const QString& name) {
        QApplication::processEvents();
        dialog.grab().save(QDir(folder).filePath(name + ".png"));
    });

    HelpViewer viewer;
    viewer.ShowContents(QUORVEL_HELP_FILE);
    Save(viewer, folder, "help-contents");
    viewer.ShowKeywordSearch(QUORVEL_HELP_FILE, QString());
    Save(viewer, folder, "help-keywords");
    return 0;
}
