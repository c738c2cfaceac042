// Renders the main window on every tab into PNG files, to look at the layout
// without a desktop: window_shots [output folder] (default: shots/ of the source tree).

#include "frmMain.h"

#include <QApplication>
#include <QDir>
#include <QPixmap>

#include <cstdio>
#include <cstdlib>

namespace {

class NoMessageBox final : public quorvel::MessageBoxService {
public:
    void Show(QWidget*, const QString&, quorvel::MessageIcon, const QString&) override {}
};

class NoClipboard final : public quorvel::ClipboardService {
public:
    void Clear() override {}
    QString Text() const override { return {}; }
    void SetText(const QString&) override {}
};

} // namespace

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
#ifdef QUORVEL_SHOTS_DIR
    const QString defaultFolder = QStringLiteral(QUORVEL_SHOTS_DIR);
#else
    const QString defaultFolder = QStringLiteral("shots");
#endif
    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : defaultFolder;
    QDir().mkpath(folder);

    NoMessageBox messageBox;
    NoClipboard clipboard;
    quorvel::PlatformServices services;
    services.messageBox = &messageBox;
    services.clipboard = &clipboard;

    quorvel::frmMain window(services);
    window.Form_Load();
    window.show();
    QApplication::processEvents();
    std::printf("window %dx%d\n", window.width(), window.height());
    if (qEnvironmentVariableIsSet("SHOTS_GEOMETRY")) {
        auto show = [](const char* what, QWidget* w) {
            const QRect r(w->mapTo(w->window(), QPoint(0, 0)), w->size());
            std::printf("%-12s %d,%d %dx%d\n", what, r.x(), r.y(), r.width(), r.height());
        };
        auto& c = window.Controls();
        show("tabMain", c.tabMain);
        show("page", c.tabMain->currentWidget());
        show("fra0", c.fraSquare[0]);
        show("fra1", c.fraSquare[1]);
        show("fra5", c.fraSquare[5]);
        show("toolbar", c.tbToolBar);
        show("status", c.sbStatusBar);
        show("central", window.centralWidget());
    }
    for (int tab = 0; tab < 5; ++tab) {
        window.Controls().tabMain->setCurrentIndex(tab);
        QApplication::processEvents();
        const QString path = QStringLiteral("%1/tab%2.png").arg(folder).arg(tab);
        if (!window.grab().save(path)) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
            return EXIT_FAILURE;
        }
        std::printf("%s\n", qPrintable(path));
    }

    // A worked table after the Calc command: data rows with variable columns,
    // a clustered index and one nonclustered index.
    auto& c = window.Controls();
    c.txtData[0]->SetText(QStringLiteral("1000000"));
    c.txtData[2]->SetText(QStringLiteral("100"));
    c.txtData[3]->SetText(QStringLiteral("50"));
    c.txtData[4]->SetText(QStringLiteral("2"));
    c.tabMain->setCurrentIndex(1);
    c.optClaster[1]->click();
    c.txtData[5]->SetText(QStringLiteral("4"));
    c.tabMain->setCurrentIndex(2);
    c.optNonClaster[2]->click();
    c.txtData2[0]->SetText(QStringLiteral("10"));
    c.txtData2[1]->SetText(QStringLiteral("20"));
    c.txtData2[2]->SetText(QStringLiteral("2"));
    window.RunCalc();
    for (int tab : {0, 1, 2}) {
        c.tabMain->setCurrentIndex(tab);
        QApplication::processEvents();
        const QString path = QStringLiteral("%1/calc-tab%2.png").arg(folder).arg(tab);
        if (!window.grab().save(path))
            return EXIT_FAILURE;
        std::printf("%s\n", qPrintable(path));
    }
    return EXIT_SUCCESS;
}
