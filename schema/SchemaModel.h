#pragma once
// What a schema script says about its tables, as the script reader gathers it.
//
// The reader (ScriptReader) turns a SQL Server 6.x script into these records;
// DeriveTable (TableDerivation.h) turns one table into the description the
// calculation run reads. Nothing here knows about pages: a column carries the
// bytes it takes in a row, an index the names of its key columns.

#include "schema/AsciiCase.h"
#include "schema/Messages.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <string>
#include <vector>

namespace quorvel::schema {

// Where a script went wrong, and why. A column counts characters (UTF-8
// sequences), not bytes.
struct ScriptProblem {
    std::string source;
    Place place;
    Message message;

    // "source:line:column: message", the form compilers use.
    std::string Text(Language language = Language::English) const {
        return source + ":" + std::to_string(place.line) + ":" + std::to_string(place.column) + ": " +
               message.Render(language);
    }
};

// How a column stores its value. A varchar, varbinary or sysname value takes up
// to its declared length; a text or image column keeps a 16-byte pointer in the
// row, which the server stores as a variable-length column.
enum class StorageKind : std::uint8_t { Fixed, Variable, TextPointer };

// NULL or NOT NULL as written; Unspecified follows the ANSI null default when
// the table is sized (NOT NULL unless the user says otherwise).
enum class Nullability : std::uint8_t { Unspecified, Null, NotNull };

struct SchemaColumn {
    std::string name;
    std::string type;       // as the reader understood it: "varchar(40)", "decimal(12,2)", "zip (char(5))"
    std::int64_t bytes = 0; // in the row: the declared length of a variable-length column
    StorageKind kind = StorageKind::Fixed;
    Nullability nullability = Nullability::Unspecified;
};

enum class IndexKind : std::uint8_t { Index, PrimaryKey, Unique };

struct SchemaIndex {
    std::string name; // empty for a constraint without a name
    IndexKind kind = IndexKind::Index;
    bool clustered = false;
    bool unique = false;
    std::vector<std::string> columns; // key columns as written, in key order
    std::string fillFactor = "0";     // digits as written; the run checks the value
};

// A column added by ALTER TABLE, which SQL Server 6.x takes only when it
// allows NULL. Whether it does may rest on the ANSI null default, which is
// known when the table is sized; problem is what the table has if it does not.
struct AddedColumn {
    std::string column;
    ScriptProblem problem;
};

struct SchemaTable {
    std::string name;        // without database and owner
    std::size_t script = 0;  // the script that creates it: its place in SchemaScript::scripts
    Place place;             // where its CREATE TABLE starts
    std::vector<SchemaColumn> columns;
    std::vector<SchemaIndex> indexes; // constraints, CREATE INDEX and ALTER TABLE, in script order
    std::vector<AddedColumn> addedColumns;
    // What keeps the table from being described: a syntax error inside its
    // CREATE TABLE, an unknown type, an index on a column it lacks... The table
    // keeps its place in the script; the other tables are unaffected.
    std::vector<ScriptProblem> problems;
};

// The tables of one or more scripts, read one after another as if run
// against one database.
struct SchemaScript {
    std::vector<std::string> scripts;    // the names of the scripts read, in order
    std::deque<SchemaTable> tables;      // in the order of their CREATE TABLE; growing moves none
    std::size_t skippedStatements = 0;   // views, procedures, grants, inserts...: they change no size
    std::vector<ScriptProblem> problems; // those that belong to no table
    // Statements that could change a size but are not read (SELECT ... INTO,
    // an ALTER TABLE of a form not read, EXECUTE of a text...).
    std::vector<ScriptProblem> notes;
};

// The first column of that name, without regard to case; nullptr when there is none.
inline const SchemaColumn* FindColumn(const SchemaTable& table, std::string_view name) {
    const auto found = std::find_if(table.columns.begin(), table.columns.end(),
                                    [name](const SchemaColumn& c) { return EqualsNoCase(c.name, name); });
    return found == table.columns.end() ? nullptr : &*found;
}

} // namespace quorvel::schema
