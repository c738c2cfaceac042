#include "schema/Keywords.h"

#include "schema/AsciiCase.h"

#include <algorithm>
#include <array>

namespace quorvel::schema {

namespace {

constexpr std::array<std::string_view, 22> kStatementStarts{
    "ALTER", "CHECKPOINT", "CREATE", "DBCC", "DECLARE", "DELETE", "DROP", "DUMP", "EXEC", "EXECUTE", "GRANT",
    "IF", "INSERT", "LOAD", "PRINT", "RAISERROR", "REVOKE", "SETUSER", "TRUNCATE", "UPDATE", "USE", "WHILE",
};

} // namespace

bool StartsStatement(std::string_view word) {
    return std::any_of(kStatementStarts.begin(), kStatementStarts.end(),
                       [word](std::string_view start) { return EqualsNoCase(word, start); });
}

} // namespace quorvel::schema
