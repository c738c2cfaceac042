#pragma once
// The words of T-SQL that the script reader acts on.
//
// The lexer names each plain word once, so the parser and the statement
// splitter compare small numbers instead of texts. A bracketed or quoted name
// is never a keyword: [table] is a name like any other.

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace quorvel::schema {

enum class Keyword : std::uint8_t {
    None,
    Alter,
    Asc,
    Check,
    Checkpoint,
    Clustered,
    Constraint,
    Create,
    Dbcc,
    Declare,
    Default,
    Delete,
    Desc,
    Drop,
    Dump,
    Exec,
    Execute,
    Fillfactor,
    For,
    Foreign,
    Grant,
    Identity,
    If,
    Index,
    Insert,
    Key,
    Load,
    Nonclustered,
    Not,
    Null,
    On,
    Precision,
    Primary,
    Print,
    Proc,
    Procedure,
    Raiserror,
    References,
    Replication,
    Revoke,
    Rule,
    Setuser,
    Table,
    Trigger,
    Truncate,
    Unique,
    Update,
    Use,
    Varying,
    View,
    While,
    With,
};

// The keyword a word of the lexer (letters, digits, _ @ # $ and bytes from
// 0x80) spells in any case; None for any other word.
Keyword KeywordOf(std::string_view word);
// The same, for a word with at least 16 bytes readable from its first.
Keyword KeywordOfReadable(const char* word, std::size_t size);

// The keyword in upper case, as messages show it.
std::string_view KeywordText(Keyword keyword);

// Words that begin a statement when they lead a line.
bool StartsStatement(Keyword keyword);

} // namespace quorvel::schema
