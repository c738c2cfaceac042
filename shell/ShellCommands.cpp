#include "ShellCommands.h"

#include "HelpEngine.h"
#include "ProgramStarter.h"
#include "frmAbout.h"

#include <array>

namespace quorvel {
namespace {

QString& HelpPathStorage() {
    static QString path = QStringLiteral("Mivrel.hlp");
    return path;
}

// The SQL Server 6.x client programs, by tool item index.
const std::array<QString, 4> kToolCommands = {
    QStringLiteral("SQLEW.EXE"),
    QStringLiteral("ISQLW.EXE"),
    QStringLiteral("SQLMGR.EXE"),
    QStringLiteral("INFOVIEW.EXE SQLBOOKS.MVB"),
};

} // namespace

const QString& HelpFilePath() {
    return HelpPathStorage();
}

void SetHelpFilePath(const QString& path) {
    HelpPathStorage() = path;
}

void StartSqlTool(ProgramStarter& programs, int index) {
    if (index < 0 || index >= static_cast<int>(kToolCommands.size()))
        return;
    // A tool that is not installed simply does not start; nothing is said.
    programs.Start(kToolCommands[static_cast<std::size_t>(index)]);
}

void OpenHelp(QWidget* owner, const PlatformServices& services, int index) {
    std::uint32_t command = 0;
    if (index == 0)
        command = kHelpContents;
    else if (index == 1)
        command = kHelpPartialKey;
    else
        return;
    // Both calls carry the address of a zero value: for the keyword search
    // that is the empty keyword, which opens the search with nothing typed.
    static const std::uint32_t zero = 0;
    const std::optional<QString> failure =
        services.help->WinHelpA(owner, HelpFilePath(), command, reinterpret_cast<std::uintptr_t>(&zero));
    if (failure)
        services.messageBox->Show(owner, *failure, MessageIcon::Exclamation, kApplicationTitle);
}

void ShowAboutBox(QWidget* owner, const PlatformServices& services) {
    // Loaded afresh for every opening and gone again when closed.
    frmAbout box(services, owner);
    box.Form_Load();
    box.exec();
}

} // namespace quorvel
