#include "IniSettingsStore.h"

#include <QSettings>

#include <utility>

namespace quorvel {
namespace {

QString SettingPath(const QString& section, const QString& key) {
    return section + QLatin1Char('/') + key;
}

} // namespace

IniSettingsStore::IniSettingsStore(QString organization) : m_organization(std::move(organization)) {}

QString IniSettingsStore::GetSetting(const QString& application, const QString& section, const QString& key,
                                     const QString& defaultValue) const {
    const QSettings settings(QSettings::IniFormat, QSettings::UserScope, m_organization, application);
    const QVariant stored = settings.value(SettingPath(section, key));
    // A value another program wrote as something other than text (a list, say)
    // reads as no value at all rather than as an empty text.
    if (!stored.isValid() || !stored.canConvert<QString>())
        return defaultValue;
    return stored.toString();
}

void IniSettingsStore::SaveSetting(const QString& application, const QString& section, const QString& key,
                                   const QString& value) {
    QSettings settings(QSettings::IniFormat, QSettings::UserScope, m_organization, application);
    settings.setValue(SettingPath(section, key), value);
    settings.sync();
}

} // namespace quorvel
