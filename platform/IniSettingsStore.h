#pragma once
// The settings store of the running program: one INI file per application in
// the user's configuration folder (~/.config/Quorvel/Mivrel.ini), sections as
// INI groups, every value kept as plain text. QSettings does the file work; a
// fresh QSettings per call means every write reaches the disk at once, so a
// later crash cannot lose what the last close wrote.

#include "SettingsStore.h"

namespace quorvel {

class IniSettingsStore final : public SettingsStore {
public:
    // organization names the folder under the user's configuration folder.
    explicit IniSettingsStore(QString organization = QStringLiteral("Quorvel"));

    QString GetSetting(const QString& application, const QString& section, const QString& key,
                       const QString& defaultValue) const override;
    void SaveSetting(const QString& application, const QString& section, const QString& key,
                     const QString& value) override;

private:
    QString m_organization;
};

} // namespace quorvel
