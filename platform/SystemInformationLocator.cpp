#include "platform/SystemInformationLocator.h"

#include <QFileInfo>
#include <QStandardPaths>

#include <utility>

namespace quorvel {
namespace {

QString TextOf(const RegistryValue& value) {
    if (const auto* text = std::get_if<QString>(&value))
        return *text;
    if (const auto* number = std::get_if<std::uint32_t>(&value))
        return QString::number(*number);
    return {};
}

} // namespace

SystemInformationLocator::SystemInformationLocator(ReadLocation read, FileExists fileExists)
    : m_read(std::move(read)), m_fileExists(std::move(fileExists)) {
    if (!m_fileExists)
        m_fileExists = [](const QString& path) { return QFileInfo::exists(path); };
}

std::optional<QString> SystemInformationLocator::ProgramToStart() const {
    if (const std::optional<RegistryValue> path = m_read(Location::MsinfoPath))
        return TextOf(*path);
    if (const std::optional<RegistryValue> folder = m_read(Location::SharedToolsFolder)) {
        // Appended as it is: a folder that already ends in "\" gets a second one.
        const QString program = TextOf(*folder) + QStringLiteral("\\MSINFO32.EXE");
        if (m_fileExists(program))
            return program;
    }
    return std::nullopt;
}

std::optional<RegistryValue> SystemInformationLocator::ReadDesktopLocation(Location location) {
    if (location != Location::MsinfoPath)
        return std::nullopt;
    // Looked up afresh each time: a program installed while we run counts.
    for (const char* name : {"hardinfo", "gnome-system-monitor", "plasma-systemmonitor", "ksysguard",
                             "mate-system-monitor", "xfce4-taskmanager", "lxtask"}) {
        const QString path = QStandardPaths::findExecutable(QString::fromLatin1(name));
        if (!path.isEmpty())
            return RegistryValue(path);
    }
    return std::nullopt;
}

} // namespace quorvel
