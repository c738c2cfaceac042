#pragma once
// The words that begin a statement of T-SQL when they lead a line: CREATE,
// EXEC, INSERT, GRANT... The script reader ends the statement before at such
// a word. The parser names every other keyword it acts on where it reads it.

#include <string_view>

namespace quorvel::schema {

// Whether a word (in any case) begins a statement when it leads a line.
bool StartsStatement(std::string_view word);

// Whether a word (in any case) ends the condition of an IF or WHILE: those
// above, and the statements that seldom lead a line (BEGIN, SELECT, SET,
// RETURN...).
bool FollowsCondition(std::string_view word);

} // namespace quorvel::schema
