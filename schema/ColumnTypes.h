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

struct TypeLookup {
    bool found = false;   // false: error says why
    bool unknown = false; // no type of that name
    ColumnType type;
    Text error = Text::UnknownType; // a phrase about the type, given its name
    std::int64_t bound = 0;         // the limit error names, if it names one

    // Why the type was refused, as an argument of a message: the phrase with
    // the type's name (and the limit).
    Message::Argument Problem(std::string name) const {
        return {error, std::move(name), bound != 0 ? std::to_string(bound) : std::string()};
    }
};

// name: the type's words in lower case, joined by one blank ("double precision",
// "char varying"); arguments: the numbers written in parentheses after it.
TypeLookup BuiltinType(std::string_view name, std::span<const std::int64_t> arguments);

bool IsBuiltinType(std::string_view name);

} // namespace quorvel::schema
