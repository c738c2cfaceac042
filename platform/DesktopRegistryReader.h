#pragma once
// The registry of the running program. This platform has no registry, so the
// reader knows the one key the About box asks for: the system information
// program's key "SOFTWARE\Microsoft\Shared Tools\MSINFO", whose value "PATH"
// is the first system information program of the desktop found on the search
// path (hardinfo, gnome-system-monitor, plasma-systemmonitor, ksysguard,
// mate-system-monitor, xfce4-taskmanager, lxtask, in that order). When none is
// installed the key is absent, like every other key; the key's parents exist
// so that opening step by step works too.

#include "RegistryReader.h"

#include <functional>
#include <map>

namespace quorvel {

class DesktopRegistryReader final : public RegistryReader {
public:
    // The full path of the system information program, "" when there is none.
    using ProgramFinder = std::function<QString()>;

    DesktopRegistryReader();
    explicit DesktopRegistryReader(ProgramFinder findSystemInformation);

    std::int32_t RegOpenKeyExA(RegistryHandle key, const QString& subKey, std::uint32_t options,
                               std::uint32_t desiredAccess, RegistryHandle* result) override;
    std::int32_t RegQueryValueExA(RegistryHandle key, const QString& valueName, std::uint32_t* type,
                                  std::uint8_t* data, std::uint32_t* dataSize) override;
    std::int32_t RegCloseKey(RegistryHandle key) override;

    // The first of the desktop's system information programs on the search path.
    static QString FindSystemInformationProgram();

    // How many keys are open now (tests check that every open is closed).
    std::size_t OpenKeyCount() const { return m_openKeys.size(); }

private:
    bool KeyExists(const QString& path) const;

    ProgramFinder m_findSystemInformation;
    std::map<RegistryHandle, QString> m_openKeys;
    RegistryHandle m_nextHandle = 0x100;
};

} // namespace quorvel
