#include "shell/ShellCommands.h"

#include "platform/HelpService.h"
#include "platform/ProgramStarter.h"
#include "shell/frmAbout.h"

#include <array>
#include <optional>

namespace quorvel {
namespace {

// The SQL Server 6.x client programs, by tool item index.
const std::array<QString, 4> kToolCommands = {
    QStringLiteral("SQLEW.EXE"),
    QStringLiteral("ISQLW.EXE"),
    QStringLiteral("SQLMGR.EXE"),
    QStringLiteral("INFOVIEW.EXE SQLBOOKS.MVB"),
};

} // namespace

void StartSqlTool(ProgramStarter& programs, int index) {
    if (index < 0 || index >= static_cast<int>(kToolCommands.size()))
        return;
    // A tool that is not installed simply does not start; nothing is said.
    programs.Start(kToolCommands[static_cast<std::size_t>(index)]);
}

void OpenHelp(QWidget* owner, const PlatformServices& services, const QString& helpFile, int index) {
    std::optional<QString> failure;
    if (index == 0)
        failure = services.help->ShowContents(owner, helpFile);
    else if (index == 1)
        failure = services.help->SearchKeywords(owner, helpFile);
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
