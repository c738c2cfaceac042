#pragma once
// Reading the machine-wide registry, in the shape of the three calls the About
// box makes to find the system information program: open a key, query one
// value, close the key. Handles are plain numbers; HKEY_LOCAL_MACHINE is the
// only root. Key paths use "\" between their parts and compare without regard
// to letter case.
//
// ReadMachineKeyValue is the one procedure built on top: one value as text,
// the key opened and closed within the call.

#include <QString>

#include <cstdint>

namespace quorvel {

using RegistryHandle = std::uint32_t;

inline constexpr RegistryHandle kHKeyLocalMachine = 0x80000002u;
inline constexpr std::uint32_t kRegistryFullAccess = 0x2003Fu;

// Value types.
inline constexpr std::uint32_t kRegString = 1; // zero-ended text
inline constexpr std::uint32_t kRegDword = 4;  // 32-bit number, low byte first

// Results.
inline constexpr std::int32_t kErrorSuccess = 0;
inline constexpr std::int32_t kErrorFileNotFound = 2;
inline constexpr std::int32_t kErrorInvalidHandle = 6;
inline constexpr std::int32_t kErrorMoreData = 234;

class RegistryReader {
public:
    virtual ~RegistryReader() = default;

    // Opens subKey under key; *result receives the new handle on success.
    virtual std::int32_t RegOpenKeyExA(RegistryHandle key, const QString& subKey, std::uint32_t options,
                                       std::uint32_t desiredAccess, RegistryHandle* result) = 0;

    // *dataSize: in, the bytes data can take; out, the bytes of the value (also
    // when it does not fit, then with kErrorMoreData). data may be null to ask
    // for type and size only. type may be null.
    virtual std::int32_t RegQueryValueExA(RegistryHandle key, const QString& valueName, std::uint32_t* type,
                                          std::uint8_t* data, std::uint32_t* dataSize) = 0;

    virtual std::int32_t RegCloseKey(RegistryHandle key) = 0;
};

// One value of keyName under root as text: a string value as it is, a 32-bit
// number as its decimal digits, any other type as "". True when the value was
// read (of whatever type); false, with value "", when the key cannot be opened
// or the value cannot be read.
bool ReadMachineKeyValue(RegistryReader& registry, RegistryHandle root, const QString& keyName,
                         const QString& valueName, QString& value);

} // namespace quorvel
