// Storage sizes of the SQL Server 6.x types. A type's arguments are checked
// here, so a script that says varchar(0) or float(53) is refused the way the
// server refuses it, while a length above 255 is left for the sizing notes.

#include "schema/ColumnTypes.h"

#include "calc/ServerLimits.h"

#include <algorithm>
#include <array>
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

// Types of later server versions, which a script for 6.x cannot use: named as
// such rather than as unknown, with the version that brought them.
struct LaterType {
    std::string_view name;
    std::string_view version;
};

constexpr std::array kLaterTypes{
    LaterType{"bigint", "2000"},         LaterType{"date", "2008"},
    LaterType{"datetime2", "2008"},      LaterType{"datetimeoffset", "2008"},
    LaterType{"geography", "2008"},      LaterType{"geometry", "2008"},
    LaterType{"hierarchyid", "2008"},    LaterType{"national", "7.0"},
    LaterType{"nchar", "7.0"},           LaterType{"ntext", "7.0"},
    LaterType{"nvarchar", "7.0"},        LaterType{"rowversion", "2000"},
    LaterType{"sql_variant", "2000"},    LaterType{"time", "2008"},
    LaterType{"uniqueidentifier", "7.0"}, LaterType{"xml", "2005"},
};

constexpr std::int64_t kDefaultDecimalPrecision = 18;
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

TypeLookup Refused(Text problem, std::int64_t bound = 0) {
    return TypeLookup{TypeOutcome::Refused, {}, problem, bound != 0 ? std::to_string(bound) : std::string()};
}

// "varchar(40)", "decimal(12,2)", "int".
TypeLookup Found(const TypeEntry& entry, std::int64_t bytes, std::initializer_list<std::int64_t> shown) {
    TypeLookup lookup{TypeOutcome::Found, ColumnType{std::string(entry.name), entry.kind, bytes}, Text::UnknownType, {}};
    char separator = '(';
    for (const std::int64_t value : shown) {
        lookup.type.text += separator + std::to_string(value);
        separator = ',';
    }
    if (shown.size() > 0)
        lookup.type.text += ')';
    return lookup;
}

} // namespace

std::string_view LaterVersionOf(std::string_view name) {
    const auto later = std::find_if(kLaterTypes.begin(), kLaterTypes.end(),
                                    [name](const LaterType& t) { return t.name == name; });
    return later == kLaterTypes.end() ? std::string_view() : later->version;
}

bool IsBuiltinType(std::string_view name) {
    return std::any_of(kTypes.begin(), kTypes.end(), [name](const TypeEntry& t) { return t.name == name; });
}

TypeLookup BuiltinType(std::string_view name, std::span<const std::int64_t> arguments) {
    const auto entry = std::find_if(kTypes.begin(), kTypes.end(), [name](const TypeEntry& t) { return t.name == name; });
    if (entry == kTypes.end()) {
        const std::string_view version = LaterVersionOf(name);
        if (version.empty())
            return TypeLookup{};
        return TypeLookup{TypeOutcome::LaterVersion, {}, Text::LaterVersion, std::string(version)};
    }

    const std::size_t count = arguments.size();
    const std::int64_t first = count > 0 ? arguments[0] : 0;
    switch (entry->arguments) {
    case Arguments::None:
        if (count > 0)
            return Refused(Text::NoArguments);
        return Found(*entry, entry->bytes, {});
    case Arguments::Length: {
        if (count > 1)
            return Refused(Text::OneLength);
        const std::int64_t length = count == 0 ? entry->bytes : first;
        if (length < 1)
            return Refused(Text::LengthAtLeastOne);
        return Found(*entry, length, {length});
    }
    case Arguments::FloatPrecision:
        if (count == 0)
            return Found(*entry, entry->bytes, {});
        if (count > 1 || first < 1 || first > limits::kFloatPrecision)
            return Refused(Text::FloatPrecision, limits::kFloatPrecision);
        return Found(*entry, first <= kMaxSingleFloatPrecision ? 4 : 8, {first});
    case Arguments::DecimalPrecision: {
        const std::int64_t precision = count == 0 ? kDefaultDecimalPrecision : first;
        const std::int64_t scale = count == 2 ? arguments[1] : 0;
        if (count > 2 || precision < 1 || precision > limits::kDecimalPrecision)
            return Refused(Text::DecimalPrecision, limits::kDecimalPrecision);
        if (scale < 0 || scale > precision)
            return Refused(Text::DecimalScale);
        return Found(*entry, DecimalBytes(precision), {precision, scale});
    }
    }
    return TypeLookup{};
}

} // namespace quorvel::schema
