#pragma once
// The words of T-SQL that the script reader acts on.
//
// The lexer names each plain word once by its keyword in upper case, so the
// parser and the statement splitter compare with the keyword as the messages
// show it. A bracketed or quoted name is never a keyword: [table] is a name
// like any other.

#include <string_view>

namespace quorvel::schema {

// The keyword a word spells in any case, in upper case; empty for any other word.
std::string_view KeywordOf(std::string_view word);

// Words that begin a statement when they lead a line.
bool StartsStatement(std::string_view keyword);

} // namespace quorvel::schema
