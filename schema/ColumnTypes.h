#pragma once
// The column types of SQL Server 6.x and the bytes each takes in a row.

#include "schema/Messages.h"
#include "schema/SchemaModel.h"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace quorvel::schema {

struct ColumnType {
    std::string text; // canonical spelling with its arguments: "varchar(40)", "float(8)"
    StorageKind kind = StorageKind::Fixed;
    std::int64_t bytes = 0;
};

// What a type's name and arguments come to.
enum class TypeOutcome : std::uint8_t {
    Found,   // type holds it
    Unknown, // no built-in type of that name
    Refused, // a built-in type with arguments it does not take: problem says why
};

struct TypeLookup {
    TypeOutcome outcome = TypeOutcome::Unknown;
    ColumnType type;                  // Found
    Text problem = Text::UnknownType; // a phrase about the type, given its name
    std::int64_t bound = 0;           // the limit the phrase names, if it names one

    // Why the type cannot be used, as an argument of a message: the phrase
    // with the type's name (and the limit).
    Message::Argument Problem(std::string name) const {
        return {problem, std::move(name), bound != 0 ? std::to_string(bound) : std::string()};
    }
};

// name: the type's words in lower case, joined by one blank ("double precision",
// "char varying"); arguments: the numbers written in parentheses after it.
TypeLookup BuiltinType(std::string_view name, std::span<const std::int64_t> arguments);

bool IsBuiltinType(std::string_view name);

} // namespace quorvel::schema
