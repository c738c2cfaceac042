#include "shell/ShellCommands.h"

#include "platform/HelpService.h"
#include "platform/ProgramStarter.h"
#include "shell/frmAbout.h"

#include <array>
#include <optional>

namespace quorvel {
namespace {

// The command that starts each SQL Server 6.x client program.
struct ToolProgram {
    ToolCommand tool;
    const char* command;
};
constexpr std::array kToolPrograms{
    ToolProgram{ToolCommand::EnterpriseManager, "SQLEW.EXE"},
    ToolProgram{ToolCommand::QueryWindow, "ISQLW.EXE"},
    ToolProgram{ToolCommand::ServiceManager, "SQLMGR.EXE"},
    ToolProgram{ToolCommand::BooksOnline, "INFOVIEW.EXE SQLBOOKS.MVB"},
};

} // namespace

void StartSqlTool(ProgramStarter& programs, ToolCommand tool) {
    for (const ToolProgram& program : kToolPrograms) {
        // A tool that is not installed simply does not start; nothing is said.
        if (program.tool == tool)
            programs.Start(QString::fromLatin1(program.command));
    }
}

void OpenHelp(QWidget* owner, const PlatformServices& services, const QString& helpFile, HelpCommand command) {
    std::optional<QString> failure;
    if (command == HelpCommand::Contents)
        failure = services.help->ShowContents(owner, helpFile);
    else if (command == HelpCommand::KeywordSearch)
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
