#pragma once
// The pictures we drew for the program: twelve 16 x 16 toolbar images and
// the 32 x 32 program icons.

#include <QIcon>
#include <QPixmap>
#include <QString>

namespace quorvel {

// Toolbar image for a button key ("End", "Calc", "Clear", "Cut", "Copy",
// "Paste", "SQLEW", "ISQLW", "SQLMGR", "SQLBOOK", "Help", "Version");
// a null icon for any other key.
QIcon ToolbarIcon(const QString& key);

// The program's icon (window, About box), and the second program icon held by
// the main window's hidden image (the About box's window icon).
QIcon ProgramIcon();
QPixmap ProgramPixmap();
QPixmap SecondProgramPixmap();

} // namespace quorvel
