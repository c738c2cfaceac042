#pragma once
// What the main window remembers between runs: its position (twips) and the
// hint switch, under the application "Mivrel" of the settings store.

class QAction;
class QWidget;

namespace quorvel {

class SettingsStore;

// Load steps: moves the window to the stored (or centred) position and sets the
// hint item's check mark from the store. A stored text that cannot be converted
// is ignored and the default used.
void RestoreMainWindowSettings(QWidget& window, QAction& hintItem, SettingsStore& settings);

// Unload steps: writes the position unless the window is minimised, then always
// writes the hint switch.
void SaveMainWindowSettings(const QWidget& window, const QAction& hintItem, SettingsStore& settings);

} // namespace quorvel
