#include "RegistryReader.h"

#include <algorithm>
#include <array>

namespace quorvel {
namespace {

constexpr std::uint32_t kValueBufferSize = 1024;

QString StringValue(const std::array<std::uint8_t, kValueBufferSize>& buffer, std::uint32_t size) {
    // The text ends at its first zero, and never beyond the bytes the
    // registry said it wrote.
    const auto* bytes = reinterpret_cast<const char*>(buffer.data());
    const auto end = std::find(bytes, bytes + size, '\0');
    return QString::fromLocal8Bit(bytes, end - bytes);
}

QString DwordValue(const std::array<std::uint8_t, kValueBufferSize>& buffer) {
    // The number is read from its four bytes directly: a zero byte inside a
    // number (256 is 00 01 00 00) must not end it the way a zero ends a text.
    const std::uint32_t number = std::uint32_t{buffer[0]} | std::uint32_t{buffer[1]} << 8 |
                                 std::uint32_t{buffer[2]} << 16 | std::uint32_t{buffer[3]} << 24;
    return QString::number(number);
}

} // namespace

bool ReadMachineKeyValue(RegistryReader& registry, RegistryHandle root, const QString& keyName,
                         const QString& valueName, QString& value) {
    value.clear();
    RegistryHandle key = 0;
    if (registry.RegOpenKeyExA(root, keyName, 0, kRegistryFullAccess, &key) != kErrorSuccess)
        return false;

    std::array<std::uint8_t, kValueBufferSize> buffer{};
    std::uint32_t type = 0;
    std::uint32_t size = kValueBufferSize;
    const std::int32_t queried = registry.RegQueryValueExA(key, valueName, &type, buffer.data(), &size);
    registry.RegCloseKey(key);
    if (queried != kErrorSuccess)
        return false;
    size = std::min(size, kValueBufferSize);

    switch (type) {
    case kRegString:
        value = StringValue(buffer, size);
        break;
    case kRegDword:
        value = DwordValue(buffer);
        break;
    default:
        break;
    }
    return true;
}

} // namespace quorvel
