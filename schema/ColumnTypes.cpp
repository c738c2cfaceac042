// Storage sizes of the SQL Server 6.x types. A type's arguments are checked
// here, so a script that says varchar(0) or float(53) is refused the way the
// server refuses it, while a length above 255 is left for the sizing notes.

#include "ColumnTypes.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <initializer_list>

namespace quorvel::schema {

namespace {

enum class Arguments { None, Length, FloatPrecision, DecimalPrecision };

struct TypeEntry {
    std::string_view name;
    StorageKind kind;
    std::int64_t bytes; // with a length argument: the length when none is written
    Arguments arguments;
};

constexpr std::array kTypes{
    TypeEntry{"binary", StorageKind::Fixed, 1, Arguments::Length},
    TypeEntry{"bit", StorageKind::Fixed, 1, Arguments::None},
    TypeEntry{"char", StorageKind::Fixed, 1, Arguments::Length},
    TypeEntry{"char varying", StorageKind::Variable, 1, Arguments::Length},
    TypeEntry{"character", StorageKind::Fixed, 1, Arguments::Length},
    TypeEntry{"character varying", StorageKind::Variable, 1, Arguments::Length},
    TypeEntry{"datetime", StorageKind::Fixed, 8, Arguments::None},
    TypeEntry{"dec", StorageKind::Fixed, 0, Arguments::DecimalPrecision},
    TypeEntry{"decimal", StorageKind::Fixed, 0, Arguments::DecimalPrecision},
    TypeEntry{"double precision", StorageKind::Fixed, 8, Arguments::None},
    TypeEntry{"float", StorageKind::Fixed, 8, Arguments::FloatPrecision},
    TypeEntry{"image", StorageKind::TextPointer, 16, Arguments::None},
    TypeEntry{"int", StorageKind::Fixed, 4, Arguments::None},
    TypeEntry{"integer", StorageKind::Fixed, 4, Arguments::None},
    TypeEntry{"money", StorageKind::Fixed, 8, Arguments::None},
    TypeEntry{"numeric", StorageKind::Fixed, 0, Arguments::DecimalPrecision},
    TypeEntry{"real", StorageKind::Fixed, 4, Arguments::None},
    TypeEntry{"smalldatetime", StorageKind::Fixed, 4, Arguments::None},
    TypeEntry{"smallint", StorageKind::Fixed, 2, Arguments::None},
    TypeEntry{"smallmoney", StorageKind::Fixed, 4, Arguments::None},
    TypeEntry{"sysname", StorageKind::Variable, 30, Arguments::None},
    TypeEntry{"text", StorageKind::TextPointer, 16, Arguments::None},
    TypeEntry{"timestamp", StorageKind::Fixed, 8, Arguments::None},
    TypeEntry{"tinyint", StorageKind::Fixed, 1, Arguments::None},
    TypeEntry{"varbinary", StorageKind::Variable, 1, Arguments::Length},
    TypeEntry{"varchar", StorageKind::Variable, 1, Arguments::Length},
};

constexpr std::int64_t kDefaultDecimalPrecision = 18;
constexpr std::int64_t kMaxDecimalPrecision = 38;
constexpr std::int64_t kMaxFloatPrecision = 15;
constexpr std::int64_t kMaxSingleFloatPrecision = 7;

// Bytes of a decimal by precision: the upper precision of each size, from 2 bytes up.
constexpr std::array<std::int64_t, 16> kDecimalPrecisionLimits{2,  4,  7,  9,  12, 14, 16, 19,
                                                               21, 24, 26, 28, 31, 33, 36, 38};

std::int64_t DecimalBytes(std::int64_t precision) {
    std::int64_t bytes = 2;
    for (const std::int64_t limit : kDecimalPrecisionLimits) {
        if (precision <= limit)
            break;
        ++bytes;
    }
    return bytes;
}

TypeLookup Refused(ScriptText error) {
    TypeLookup lookup;
    lookup.error = error;
    return lookup;
}

TypeLookup Found(const TypeEntry& entry, std::int64_t bytes, std::initializer_list<std::int64_t> shown) {
    TypeLookup lookup;
    lookup.found = true;
    lookup.kind = entry.kind;
    lookup.bytes = bytes;
    lookup.name = entry.name;
    for (const std::int64_t value : shown)
        lookup.shown[lookup.shownCount++] = value;
    return lookup;
}

constexpr std::size_t kLongestTypeName = 20;
static_assert(std::all_of(kTypes.begin(), kTypes.end(),
                          [](const TypeEntry& t) { return t.name.size() <= kLongestTypeName; }));

// Every column's type is looked up: a hash of its length and its first and
// last letters picks the one entry to compare (no two types share a slot).
constexpr std::size_t kTypeSlots = 64;

constexpr std::size_t TypeHash(std::string_view name) {
    return (name.size() + static_cast<unsigned char>(name.front()) * 3 +
            static_cast<unsigned char>(name.back()) * 8) %
           kTypeSlots;
}

constexpr std::array<std::uint8_t, kTypeSlots> TypeSlots() {
    std::array<std::uint8_t, kTypeSlots> slots{};
    for (std::size_t t = 0; t < kTypes.size(); ++t) {
        std::size_t at = TypeHash(kTypes[t].name);
        while (slots[at] != 0)
            at = (at + 1) % kTypeSlots;
        slots[at] = static_cast<std::uint8_t>(t + 1);
    }
    return slots;
}

constexpr std::array<std::uint8_t, kTypeSlots> kTypeSlotTable = TypeSlots();

const TypeEntry* FindEntry(std::string_view name) {
    if (name.empty())
        return nullptr;
    for (std::size_t at = TypeHash(name); kTypeSlotTable[at] != 0; at = (at + 1) % kTypeSlots) {
        const TypeEntry& entry = kTypes[kTypeSlotTable[at] - 1];
        if (entry.name.size() != name.size())
            continue;
        // Byte by byte in place: a call to compare costs more than these few bytes.
        std::size_t same = 0;
        while (same < name.size() && entry.name[same] == name[same])
            ++same;
        if (same == name.size())
            return &entry;
    }
    return nullptr;
}

} // namespace

void TypeLookup::AppendText(std::string& out) const {
    // Spelled in a buffer and appended once: every column's type is spelled.
    // The name is one of kTypes, followed by at most two numbers.
    std::array<char, kLongestTypeName + 2 * 21 + 1> text{};
    char* at = std::copy(name.begin(), name.end(), text.data());
    char separator = '(';
    for (std::size_t i = 0; i < shownCount; ++i) {
        *at++ = separator;
        at = std::to_chars(at, text.data() + text.size(), shown[i]).ptr;
        separator = ',';
    }
    if (shownCount > 0)
        *at++ = ')';
    out.append(text.data(), at);
}

ColumnType TypeLookup::Type() const {
    ColumnType type{std::string(), kind, bytes};
    AppendText(type.text);
    return type;
}

bool IsBuiltinType(std::string_view name) {
    return FindEntry(name) != nullptr;
}

TypeLookup BuiltinType(std::string_view name, std::span<const std::int64_t> arguments) {
    const TypeEntry* entry = FindEntry(name);
    if (entry == nullptr) {
        TypeLookup unknown = Refused(ScriptText::UnknownType);
        unknown.unknown = true;
        return unknown;
    }

    const std::size_t count = arguments.size();
    const std::int64_t first = count > 0 ? arguments[0] : 0;
    switch (entry->arguments) {
    case Arguments::None:
        if (count > 0)
            return Refused(ScriptText::NoArguments);
        return Found(*entry, entry->bytes, {});
    case Arguments::Length: {
        if (count > 1)
            return Refused(ScriptText::OneLength);
        const std::int64_t length = count == 0 ? entry->bytes : first;
        if (length < 1)
            return Refused(ScriptText::LengthAtLeastOne);
        return Found(*entry, length, {length});
    }
    case Arguments::FloatPrecision:
        if (count == 0)
            return Found(*entry, entry->bytes, {});
        if (count > 1 || first < 1 || first > kMaxFloatPrecision)
            return Refused(ScriptText::FloatPrecision);
        return Found(*entry, first <= kMaxSingleFloatPrecision ? 4 : 8, {first});
    case Arguments::DecimalPrecision: {
        const std::int64_t precision = count == 0 ? kDefaultDecimalPrecision : first;
        const std::int64_t scale = count == 2 ? arguments[1] : 0;
        if (count > 2 || precision < 1 || precision > kMaxDecimalPrecision)
            return Refused(ScriptText::DecimalPrecision);
        if (scale < 0 || scale > precision)
            return Refused(ScriptText::DecimalScale);
        return Found(*entry, DecimalBytes(precision), {precision, scale});
    }
    }
    return Refused(ScriptText::UnknownType);
}

} // namespace quorvel::schema
