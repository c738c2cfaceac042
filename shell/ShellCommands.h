#pragma once
// The commands that leave the calculator: the four SQL Server client tools,
// the help file and the About box. The main window's menu handlers call these.

#include "platform/PlatformServices.h"
#include "workspace/Commands.h"

#include <QString>

class QWidget;

namespace quorvel {

// "SQLEW.EXE", "ISQLW.EXE", "SQLMGR.EXE", "INFOVIEW.EXE SQLBOOKS.MVB".
// Started without waiting; any failure is silent.
void StartSqlTool(ProgramStarter& programs, ToolCommand tool);

// The contents or the keyword search (nothing typed) of helpFile. When the
// help cannot be shown at all, says why in a message box.
void OpenHelp(QWidget* owner, const PlatformServices& services, const QString& helpFile, HelpCommand command);

// The About box, modal over owner.
void ShowAboutBox(QWidget* owner, const PlatformServices& services);

} // namespace quorvel
