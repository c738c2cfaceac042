#pragma once
// The commands that leave the calculator: the four SQL Server client tools,
// the help file and the About box. The main window's menu handlers call these.

#include "platform/PlatformServices.h"

#include <QString>

class QWidget;

namespace quorvel {

// Tool item 0..3: "SQLEW.EXE", "ISQLW.EXE", "SQLMGR.EXE", "INFOVIEW.EXE SQLBOOKS.MVB".
// Started without waiting; any failure is silent. Other indices do nothing.
void StartSqlTool(ProgramStarter& programs, int index);

// Help item 0 (contents) or 1 (keyword search, nothing typed) of helpFile.
// When the help cannot be shown at all, says why in a message box.
void OpenHelp(QWidget* owner, const PlatformServices& services, const QString& helpFile, int index);

// The About box, modal over owner.
void ShowAboutBox(QWidget* owner, const PlatformServices& services);

} // namespace quorvel
