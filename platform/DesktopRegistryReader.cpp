#include "DesktopRegistryReader.h"

#include <QStandardPaths>
#include <QStringList>

#include <algorithm>
#include <cstring>
#include <utility>

namespace quorvel {
namespace {

const QString kMsinfoKey = QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO");
const QString kPathValue = QStringLiteral("PATH");

bool SameName(const QString& a, const QString& b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

// "A\B" joined with "C" gives "A\B\C"; an empty part adds nothing.
QString JoinKeyPath(const QString& parent, const QString& child) {
    if (parent.isEmpty())
        return child;
    if (child.isEmpty())
        return parent;
    return parent + QLatin1Char('\\') + child;
}

} // namespace

DesktopRegistryReader::DesktopRegistryReader() : DesktopRegistryReader(&FindSystemInformationProgram) {}

DesktopRegistryReader::DesktopRegistryReader(ProgramFinder findSystemInformation)
    : m_findSystemInformation(std::move(findSystemInformation)) {}

QString DesktopRegistryReader::FindSystemInformationProgram() {
    static const QStringList candidates = {
        QStringLiteral("hardinfo"),
        QStringLiteral("gnome-system-monitor"),
        QStringLiteral("plasma-systemmonitor"),
        QStringLiteral("ksysguard"),
        QStringLiteral("mate-system-monitor"),
        QStringLiteral("xfce4-taskmanager"),
        QStringLiteral("lxtask"),
    };
    for (const QString& name : candidates) {
        const QString path = QStandardPaths::findExecutable(name);
        if (!path.isEmpty())
            return path;
    }
    return {};
}

bool DesktopRegistryReader::KeyExists(const QString& path) const {
    if (path.isEmpty())
        return true;
    // The MSINFO key and every key above it, only while the program is there.
    // Looked up afresh each time: a program installed while we run counts.
    if (!kMsinfoKey.startsWith(path, Qt::CaseInsensitive))
        return false;
    const bool wholeParts =
        path.size() == kMsinfoKey.size() || kMsinfoKey.at(path.size()) == QLatin1Char('\\');
    return wholeParts && !m_findSystemInformation().isEmpty();
}

std::int32_t DesktopRegistryReader::RegOpenKeyExA(RegistryHandle key, const QString& subKey, std::uint32_t,
                                                  std::uint32_t, RegistryHandle* result) {
    if (result == nullptr)
        return kErrorInvalidHandle;
    *result = 0;
    QString parent;
    if (key != kHKeyLocalMachine) {
        const auto open = m_openKeys.find(key);
        if (open == m_openKeys.end())
            return kErrorInvalidHandle;
        parent = open->second;
    }
    const QString path = JoinKeyPath(parent, subKey);
    if (!KeyExists(path))
        return kErrorFileNotFound;
    const RegistryHandle handle = m_nextHandle++;
    m_openKeys.emplace(handle, path);
    *result = handle;
    return kErrorSuccess;
}

std::int32_t DesktopRegistryReader::RegQueryValueExA(RegistryHandle key, const QString& valueName,
                                                     std::uint32_t* type, std::uint8_t* data,
                                                     std::uint32_t* dataSize) {
    const auto open = m_openKeys.find(key);
    if (open == m_openKeys.end())
        return kErrorInvalidHandle;
    if (!SameName(open->second, kMsinfoKey) || !SameName(valueName, kPathValue))
        return kErrorFileNotFound;
    const QString program = m_findSystemInformation();
    if (program.isEmpty())
        return kErrorFileNotFound;

    const QByteArray text = program.toLocal8Bit();
    const auto needed = static_cast<std::uint32_t>(text.size() + 1); // with its ending zero
    if (type != nullptr)
        *type = kRegString;
    if (dataSize == nullptr)
        return data == nullptr ? kErrorSuccess : kErrorInvalidHandle;
    const std::uint32_t room = *dataSize;
    *dataSize = needed;
    if (data == nullptr)
        return kErrorSuccess;
    if (room < needed)
        return kErrorMoreData;
    std::memcpy(data, text.constData(), text.size());
    data[text.size()] = 0;
    return kErrorSuccess;
}

std::int32_t DesktopRegistryReader::RegCloseKey(RegistryHandle key) {
    return m_openKeys.erase(key) == 1 ? kErrorSuccess : kErrorInvalidHandle;
}

} // namespace quorvel
