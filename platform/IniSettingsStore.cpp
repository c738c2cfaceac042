#include "platform/IniSettingsStore.h"

#include <QFileInfo>

#include <utility>

namespace quorvel {
namespace {

QString SettingPath(const QString& section, const QString& key) {
    return section + QLatin1Char('/') + key;
}

} // namespace

IniSettingsStore::IniSettingsStore(QString organization) : m_organization(std::move(organization)) {}

IniSettingsStore::~IniSettingsStore() {
    Flush();
}

QSettings& IniSettingsStore::SettingsOf(const QString& application) const {
    std::unique_ptr<QSettings>& file = m_files[application];
    if (!file)
        file = std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope, m_organization,
                                           application);
    return *file;
}

QString IniSettingsStore::GetSetting(const QString& application, const QString& section, const QString& key,
                                     const QString& defaultValue) const {
    const QVariant stored = SettingsOf(application).value(SettingPath(section, key));
    // An INI line "MainLeft=1,500" reads back as the list {"1", "500"}; its
    // text is the list joined again, which the reader then judges.
    if (stored.typeId() == QMetaType::QStringList)
        return stored.toStringList().join(QLatin1Char(','));
    // A value of another kind (binary data, say) reads as no value at all
    // rather than as an empty text.
    if (!stored.isValid() || !stored.canConvert<QString>())
        return defaultValue;
    return stored.toString();
}

void IniSettingsStore::SaveSetting(const QString& application, const QString& section, const QString& key,
                                   const QString& value) {
    SettingsOf(application).setValue(SettingPath(section, key), value);
}

QString IniSettingsStore::Folder() const {
    return QFileInfo(QSettings(QSettings::IniFormat, QSettings::UserScope, m_organization, QStringLiteral("Mivrel"))
                         .fileName())
        .absolutePath();
}

void IniSettingsStore::Flush() {
    for (auto& [application, file] : m_files)
        file->sync();
}

} // namespace quorvel
