#pragma once
// What the main window remembers between runs, under the application "Mivrel"
// of the settings store: its position ("Window"/"MainLeft", "Window"/"MainTop",
// twips written as single-precision decimal text) and the hint switch
// ("Set"/"ToolTipText", "True" or "False"). MainWindowSettings reads and writes
// them as typed values over the text store; a stored text that is no number
// (by the program's own numeric rules, so "1,500" counts) or no Boolean reads
// as absent.

#include <QPointF>

#include <optional>

class QAction;
class QWidget;

namespace quorvel {

class SettingsStore;

struct StoredPosition {
    std::optional<double> left; // twips
    std::optional<double> top;
};

class MainWindowSettings {
public:
    explicit MainWindowSettings(SettingsStore& store) : m_store(store) {}

    StoredPosition Position() const;
    void SetPosition(QPointF twips);
    // "True"/"False" in any letter case, or a number (0 false, any other true).
    std::optional<bool> HintsShown() const;
    void SetHintsShown(bool shown);
    void Flush();

private:
    std::optional<double> Edge(const QString& key) const;

    SettingsStore& m_store;
};

// Load steps: moves the window to the stored position, or centres it (frame
// included) when none is stored or no screen could show the window there;
// sets the hint item's check mark from the store, on when nothing usable is stored.
void RestoreMainWindowSettings(QWidget& window, QAction& hintItem, SettingsStore& settings);

// Unload steps: writes the position unless the window is minimised, then
// always the hint switch, and puts both on disk.
void SaveMainWindowSettings(const QWidget& window, const QAction& hintItem, SettingsStore& settings);

} // namespace quorvel
