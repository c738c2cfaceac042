#pragma once
// Which program the About box's "ｼｽﾃﾑ情報" button starts.
//
// The program is named by one of two registry locations, asked in this order:
// "SOFTWARE\Microsoft\Shared Tools\MSINFO", value "PATH", holding the full
// path of the program; only when that cannot be read,
// "SOFTWARE\Microsoft\Shared Tools Location", value "MSINFO", holding the folder of MSINFO32.EXE,
// which counts only when that file is there. A number kept in a location reads
// as its decimal text, a value of any other kind as "".
//
// The locator keeps that order; what each location holds comes from a reader
// handed in. This platform has no registry: ReadDesktopLocation answers
// location 1 with the first system-monitor program of the desktop found on
// the search path and never has location 2.

#include <QString>

#include <cstdint>
#include <functional>
#include <optional>
#include <variant>

namespace quorvel {

// A value as a registry location keeps it: text, a 32-bit number, or
// something else (binary data, a list).
using RegistryValue = std::variant<QString, std::uint32_t, std::monostate>;

class SystemInformationLocator {
public:
    enum class Location { MsinfoPath, SharedToolsFolder };
    // The value kept at a location; std::nullopt when it cannot be read.
    using ReadLocation = std::function<std::optional<RegistryValue>(Location)>;
    // Whether a file is there, hidden files counting.
    using FileExists = std::function<bool(const QString&)>;

    explicit SystemInformationLocator(ReadLocation read = ReadDesktopLocation, FileExists fileExists = {});

    // The command that starts the program; std::nullopt when neither location names one.
    std::optional<QString> ProgramToStart() const;

    static std::optional<RegistryValue> ReadDesktopLocation(Location location);

private:
    ReadLocation m_read;
    FileExists m_fileExists;
};

} // namespace quorvel
