// Draws what the shell shows a person into PNG files, headless: the splash
// window, the About box, the help window at its contents and at its keyword
// search (with the help file we ship), and all icons enlarged eight times.
// Usage: shell_shots <folder>

#include "HelpViewer.h"
#include "Icons.h"
#include "ShellFakes.h"
#include "frmAbout.h"
#include "frmSplash.h"

#include <QApplication>
#include <QDir>
#include <QPainter>

#include <cstdio>

namespace {

using namespace quorvel;

bool Save(const QPixmap& picture, const QString& path) {
    const bool saved = picture.save(path);
    std::printf("%s %s\n", saved ? "wrote" : "could not write", qPrintable(path));
    return saved;
}

QImage IconSheet() {
    constexpr int kScale = 8;
    constexpr int kGap = 8;
    const char* const keys[] = {"End",   "Calc",  "Clear",  "Cut",     "Copy", "Paste",
                                "SQLEW", "ISQLW", "SQLMGR", "SQLBOOK", "Help", "Version"};
    const int cell = 16 * kScale + kGap;
    QImage sheet(6 * cell + kGap, 2 * cell + 32 * kScale + 2 * kGap, QImage::Format_RGB32);
    sheet.fill(QColor(212, 208, 200));
    QPainter painter(&sheet);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    for (int n = 0; n < 12; ++n) {
        const QPixmap icon = ToolbarIcon(keys[n]).pixmap(16, 16);
        painter.drawPixmap(QRect(kGap + (n % 6) * cell, kGap + (n / 6) * cell, 16 * kScale, 16 * kScale),
                           icon);
    }
    const int top = kGap + 2 * cell;
    painter.drawPixmap(QRect(kGap, top, 32 * kScale, 32 * kScale), ProgramPixmap());
    painter.drawPixmap(QRect(2 * kGap + 32 * kScale, top, 32 * kScale, 32 * kScale), SecondProgramPixmap());
    // Actual size too, as the toolbar shows them.
    for (int n = 0; n < 12; ++n)
        painter.drawPixmap(3 * kGap + 64 * kScale + (n % 6) * 24, top + (n / 6) * 24,
                           ToolbarIcon(keys[n]).pixmap(16, 16));
    painter.drawPixmap(3 * kGap + 64 * kScale, top + 56, ProgramPixmap());
    painter.drawPixmap(3 * kGap + 64 * kScale + 40, top + 56, SecondProgramPixmap());
    return sheet;
}

} // namespace

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QDir folder(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("shots"));
    if (!QDir().mkpath(folder.path()))
        return 1;
    bool ok = true;

    frmSplash splash;
    splash.Form_Load();
    splash.show();
    ok &= Save(splash.grab(), folder.filePath("splash.png"));

    testing::FakeServices fakes;
    frmAbout about(fakes.Services());
    about.Form_Load();
    about.show();
    ok &= Save(about.grab(), folder.filePath("about.png"));

    HelpViewer viewer;
    viewer.ShowContents(QStringLiteral(QUORVEL_HELP_FILE));
    QApplication::processEvents();
    ok &= Save(viewer.grab(), folder.filePath("help-contents.png"));
    viewer.ShowKeywordSearch(QStringLiteral(QUORVEL_HELP_FILE), QString());
    QApplication::processEvents();
    ok &= Save(viewer.grab(), folder.filePath("help-search.png"));
    viewer.ShowContents(folder.filePath("missing/Mivrel.hlp"));
    QApplication::processEvents();
    ok &= Save(viewer.grab(), folder.filePath("help-missing.png"));

    ok &= Save(QPixmap::fromImage(IconSheet()), folder.filePath("icons.png"));
    return ok ? 0 : 1;
}
