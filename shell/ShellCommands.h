#pragma once
// The commands that leave the calculator: the four SQL Server client tools,
// the help file and the About box. The main window's menu handlers call these.

#include "PlatformServices.h"

#include <QString>

class QWidget;

namespace quorvel {

// The program-wide help file path, set once by start-up ("Mivrel.hlp" until then).
const QString& HelpFilePath();
void SetHelpFilePath(const QString& path);

// Tool item 0..3: "SQLEW.EXE", "ISQLW.EXE", "SQLMGR.EXE", "INFOVIEW.EXE SQLBOOKS.MVB".
// Started without waiting; any failure is silent. Other indices do nothing.
void StartSqlTool(ProgramStarter& programs, int index);

// Help item 0 (contents, command 3) or 1 (keyword search, command 261).
// When the help engine cannot be called, says so in a message box.
void OpenHelp(QWidget* owner, const PlatformServices& services, int index);

// The About box, modal over owner.
void ShowAboutBox(QWidget* owner, const PlatformServices& services);

} // namespace quorvel
