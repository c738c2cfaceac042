#include "Keywords.h"

#include "AsciiCase.h"

#include <algorithm>
#include <array>
#include <string>
#include <unordered_map>

namespace quorvel::schema {

namespace {

constexpr std::array<std::string_view, 51> kKeywords{
    "ALTER", "ASC", "CHECK", "CHECKPOINT", "CLUSTERED", "CONSTRAINT", "CREATE", "DBCC", "DECLARE", "DEFAULT",
    "DELETE", "DESC", "DROP", "DUMP", "EXEC", "EXECUTE", "FILLFACTOR", "FOR", "FOREIGN", "GRANT", "IDENTITY",
    "IF", "INDEX", "INSERT", "KEY", "LOAD", "NONCLUSTERED", "NOT", "NULL", "ON", "PRECISION", "PRIMARY",
    "PRINT", "PROC", "PROCEDURE", "RAISERROR", "REFERENCES", "REPLICATION", "REVOKE", "RULE", "SETUSER",
    "TABLE", "TRIGGER", "TRUNCATE", "UNIQUE", "UPDATE", "USE", "VARYING", "VIEW", "WHILE", "WITH",
};

// Those that begin a statement when they lead a line.
constexpr std::array<std::string_view, 22> kStatementStarts{
    "ALTER", "CHECKPOINT", "CREATE", "DBCC", "DECLARE", "DELETE", "DROP", "DUMP", "EXEC", "EXECUTE", "GRANT",
    "IF", "INSERT", "LOAD", "PRINT", "RAISERROR", "REVOKE", "SETUSER", "TRUNCATE", "UPDATE", "USE", "WHILE",
};

} // namespace

std::string_view KeywordOf(std::string_view word) {
    static const std::unordered_map<std::string, std::string_view> kByLowerCase = [] {
        std::unordered_map<std::string, std::string_view> byName;
        for (const std::string_view keyword : kKeywords)
            byName.emplace(LowerCase(keyword), keyword);
        return byName;
    }();
    const auto found = kByLowerCase.find(LowerCase(word));
    return found == kByLowerCase.end() ? std::string_view() : found->second;
}

bool StartsStatement(std::string_view keyword) {
    return std::find(kStatementStarts.begin(), kStatementStarts.end(), keyword) != kStatementStarts.end();
}

} // namespace quorvel::schema
