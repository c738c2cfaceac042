// Storage sizes of the SQL Server 6.x types. A type's arguments are checked
// here, so a script that says varchar(0) or float(53) is refused the way the
// server refuses it, while a length above 255 is left for the sizing notes.

#include "ColumnTypes.h"

#include <array>

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
    TypeEntry{"char", StorageKind::Fixed, 1, Arguments::Length},
    TypeEntry{"character", StorageKind::Fixed, 1, Arguments::Length},
    TypeEntry{"varchar", StorageKind::Variable, 1, Arguments::Length},
    TypeEntry{"char varying", StorageKind::Variable, 1, Arguments::Length},
    TypeEntry{"character varying", StorageKind::Variable, 1, Arguments::Length},
    TypeEntry{"binary", StorageKind::Fixed, 1, Arguments::Length},
    TypeEntry{"varbinary", StorageKind::Variable, 1, Arguments::Length},
    TypeEntry{"int", StorageKind::Fixed, 4, Arguments::None},
    TypeEntry{"integer", StorageKind::Fixed, 4, Arguments::None},
    TypeEntry{"smallint", StorageKind::Fixed, 2, Arguments::None},
    TypeEntry{"tinyint", StorageKind::Fixed, 1, Arguments::None},
    TypeEntry{"bit", StorageKind::Fixed, 1, Arguments::None},
    TypeEntry{"float", StorageKind::Fixed, 8, Arguments::FloatPrecision},
    TypeEntry{"double precision", StorageKind::Fixed, 8, Arguments::None},
    TypeEntry{"real", StorageKind::Fixed, 4, Arguments::None},
    TypeEntry{"money", StorageKind::Fixed, 8, Arguments::None},
    TypeEntry{"smallmoney", StorageKind::Fixed, 4, Arguments::None},
    TypeEntry{"datetime", StorageKind::Fixed, 8, Arguments::None},
    TypeEntry{"smalldatetime", StorageKind::Fixed, 4, Arguments::None},
    TypeEntry{"timestamp", StorageKind::Fixed, 8, Arguments::None},
    TypeEntry{"decimal", StorageKind::Fixed, 0, Arguments::DecimalPrecision},
    TypeEntry{"dec", StorageKind::Fixed, 0, Arguments::DecimalPrecision},
    TypeEntry{"numeric", StorageKind::Fixed, 0, Arguments::DecimalPrecision},
    TypeEntry{"text", StorageKind::TextPointer, 16, Arguments::None},
    TypeEntry{"image", StorageKind::TextPointer, 16, Arguments::None},
    TypeEntry{"sysname", StorageKind::Variable, 30, Arguments::None},
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

TypeLookup Refused(std::string error) {
    TypeLookup lookup;
    lookup.error = std::move(error);
    return lookup;
}

TypeLookup Found(std::string text, StorageKind kind, std::int64_t bytes) {
    TypeLookup lookup;
    lookup.found = true;
    lookup.type = ColumnType{std::move(text), kind, bytes};
    return lookup;
}

const TypeEntry* FindEntry(std::string_view name) {
    for (const TypeEntry& e : kTypes) {
        if (e.name == name)
            return &e;
    }
    return nullptr;
}

} // namespace

bool IsBuiltinType(std::string_view name) {
    return FindEntry(name) != nullptr;
}

TypeLookup BuiltinType(std::string_view name, const std::vector<std::int64_t>& arguments) {
    const TypeEntry* entry = FindEntry(name);
    const std::string typeName(name);
    if (entry == nullptr)
        return Refused("unknown type '" + typeName + "'");

    const std::size_t count = arguments.size();
    const std::int64_t first = count > 0 ? arguments[0] : 0;
    switch (entry->arguments) {
    case Arguments::None:
        if (count > 0)
            return Refused(typeName + " takes no length or precision");
        return Found(typeName, entry->kind, entry->bytes);
    case Arguments::Length: {
        if (count > 1)
            return Refused(typeName + " takes one length");
        const std::int64_t length = count == 0 ? entry->bytes : first;
        if (length < 1)
            return Refused(typeName + " needs a length of at least 1");
        return Found(typeName + "(" + std::to_string(length) + ")", entry->kind, length);
    }
    case Arguments::FloatPrecision:
        if (count == 0)
            return Found(typeName, entry->kind, entry->bytes);
        if (count > 1 || first < 1 || first > kMaxFloatPrecision)
            return Refused("float takes one precision from 1 to 15");
        return Found("float(" + std::to_string(first) + ")", entry->kind,
                     first <= kMaxSingleFloatPrecision ? 4 : 8);
    case Arguments::DecimalPrecision: {
        const std::int64_t precision = count == 0 ? kDefaultDecimalPrecision : first;
        const std::int64_t scale = count == 2 ? arguments[1] : 0;
        if (count > 2 || precision < 1 || precision > kMaxDecimalPrecision)
            return Refused(typeName + " takes a precision from 1 to 38");
        if (scale < 0 || scale > precision)
            return Refused(typeName + " takes a scale from 0 to its precision");
        return Found(typeName + "(" + std::to_string(precision) + "," + std::to_string(scale) + ")",
                     entry->kind, DecimalBytes(precision));
    }
    }
    return Refused("unknown type '" + typeName + "'");
}

} // namespace quorvel::schema
