#pragma once
// The per-user settings store: text values addressed by application, section
// and key, kept between runs. The main window keeps its position and its hint
// switch here (application "Mivrel", see MainWindowSettings); tests hand in a
// store of their own.

#include <QString>

namespace quorvel {

class SettingsStore {
public:
    virtual ~SettingsStore() = default;

    // The stored text, or defaultValue when the key was never written.
    virtual QString GetSetting(const QString& application, const QString& section, const QString& key,
                               const QString& defaultValue) const = 0;

    virtual void SaveSetting(const QString& application, const QString& section, const QString& key,
                             const QString& value) = 0;

    // Puts what was saved on disk now; saves made since may wait until then.
    virtual void Flush() = 0;

    // The folder the store keeps its files in; files of the program's own
    // (the unsaved changes kept at a log-out) go beside them.
    virtual QString Folder() const = 0;
};

} // namespace quorvel
