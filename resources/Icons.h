#pragma once
// The pictures we drew for the program: twelve toolbar images (16 x 16, and
// 32 x 32 for screens scaled to 150% and more) and the two program icons
// (32 x 32 and 64 x 64). Each size is pixel art of its own, not a scaled copy;
// Qt picks the size by the screen's device pixel ratio.

#include <QIcon>
#include <QPixmap>
#include <QString>

namespace quorvel {

// Toolbar image for a button key ("End", "Calc", "Clear", "Cut", "Copy",
// "Paste", "SQLEW", "ISQLW", "SQLMGR", "SQLBOOK", "Help", "Version");
// a null icon for any other key.
QIcon ToolbarIcon(const QString& key);

// The program's icon (window, splash, About box), and the second program icon
// held by the main window's hidden image (the About box's window icon).
QIcon ProgramIcon();
QIcon SecondProgramIcon();

// 32 x 32 logical pixels for a screen of the given device pixel ratio.
QPixmap ProgramPixmap(qreal devicePixelRatio = 1.0);
QPixmap SecondProgramPixmap(qreal devicePixelRatio = 1.0);

} // namespace quorvel
