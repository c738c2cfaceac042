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
    Found,        // type holds it
    Unknown,      // no type of that name
    Refused,      // a built-in type with arguments it does not take: problem says why
    LaterVersion, // a type of a later server version (nvarchar, bigint...): detail names the version
};

struct TypeLookup {
    TypeOutcome outcome = TypeOutcome::Unknown;
    ColumnType type;                  // Found
    Text problem = Text::UnknownType; // a phrase about the type, given its name
    std::string detail;               // what else the phrase names: a limit, a server version

    // Why the type cannot be used, as an argument of a message: the phrase
    // with the type's name (and the limit or version).
    Message::Argument Problem(std::string name) const { return {problem, std::move(name), detail}; }
};

// name: the type's words in lower case, joined by one blank ("double precision",
// "char varying"); arguments: the numbers written in parentheses after it.
// A type that came with a later server version is LaterVersion, whatever its
// arguments.
TypeLookup BuiltinType(std::string_view name, std::span<const std::int64_t> arguments);

// The later server version a type of that name came with ("7.0" for nvarchar),
// or an empty text when it is no such type.
std::string_view LaterVersionOf(std::string_view name);

bool IsBuiltinType(std::string_view name);

} // namespace quorvel::schema
