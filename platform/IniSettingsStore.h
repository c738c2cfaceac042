#pragma once
// The settings store of the running program: one INI file per application in
// the user's configuration folder (~/.config/Quorvel/Mivrel.ini), sections as
// INI groups, every value kept as plain text. One QSettings per application
// for the store's whole life: the file is read once, and written once per
// Flush however many values changed.

#include "platform/SettingsStore.h"

#include <QSettings>

#include <map>
#include <memory>

namespace quorvel {

class IniSettingsStore final : public SettingsStore {
public:
    // organization names the folder under the user's configuration folder.
    explicit IniSettingsStore(QString organization = QStringLiteral("Quorvel"));
    ~IniSettingsStore() override;

    QString GetSetting(const QString& application, const QString& section, const QString& key,
                       const QString& defaultValue) const override;
    void SaveSetting(const QString& application, const QString& section, const QString& key,
                     const QString& value) override;
    void Flush() override;
    QString Folder() const override;

private:
    QSettings& SettingsOf(const QString& application) const;

    QString m_organization;
    mutable std::map<QString, std::unique_ptr<QSettings>> m_files;
};

} // namespace quorvel
