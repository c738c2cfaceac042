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

constexpr std::array<std::string_view, 11> kAfterCondition{
    "BEGIN", "BREAK", "COMMIT", "CONTINUE", "GOTO", "RETURN", "ROLLBACK", "SAVE", "SELECT", "SET", "WAITFOR",
};

} // namespace

bool StartsStatement(std::string_view word) {
    return std::any_of(kStatementStarts.begin(), kStatementStarts.end(),
                       [word](std::string_view start) { return EqualsNoCase(word, start); });
}

bool FollowsCondition(std::string_view word) {
    return StartsStatement(word) || std::any_of(kAfterCondition.begin(), kAfterCondition.end(),
                                                [word](std::string_view start) { return EqualsNoCase(word, start); });
}

} // namespace quorvel::schema
