#pragma once
// Start-up. Main finds the help file, shows the splash window while the main
// window is built and loaded, then shows the main window; from there the
// event loop runs the program until the main window is closed.

#include <QString>

#include <functional>

namespace quorvel {

// The help file "Mivrel.hlp" in programFolder ("/" added only when the folder
// does not already end with one) when fileExists says it is there, hidden
// files counting; otherwise the bare name, for the help window to look for.
QString LocateHelpFile(const QString& programFolder, const std::function<bool(const QString&)>& fileExists);

// The program's entry, called once the application object exists. Returns
// after the main window is shown, with file opened in it when one is given.
void Main(const QString& file = {});

} // namespace quorvel
