#pragma once
// The tables of SQL Server 6.x schema scripts for quorvel-size (--ddl).
//
// The schema library reads a script into its tables and derives each one's
// description; this source adds what only the command line knows (row counts,
// averages of text columns, how full variable-length columns are, the ANSI
// null default) and hands each table to the tool as a record, like any
// reader's: a table the script gets wrong is invalid with the script's
// file:line:column, one without a row count is described and not sized.
// What concerns no single table (a statement that is no table's, the count of
// statements skipped, a name on the command line that no script creates) goes
// to standard error through the tool.
//
// Row counts and averages name tables without regard to case, as the server
// does; the last --rows for a table wins.

#include "cli/SizeTool.h"
#include "schema/TableDerivation.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace quorvel::cli {

class ScriptSource {
public:
    explicit ScriptSource(Language language) : m_language(language) {}

    // "orders=9,000,000"; an error message when it is not TABLE=COUNT.
    std::optional<std::string> AddRows(std::string_view option);
    // A JSON object of table names and row counts (numbers or texts).
    std::optional<std::string> AddRowsFile(const std::string& path);
    // "orders.notes=4000".
    std::optional<std::string> AddTextAverage(std::string_view option);
    schema::SizingAssumptions& Assumptions() { return m_assumptions; }

    // Reads a script ("-" is standard input) and sizes its tables through the
    // tool; false when it could not be read (the reason went to the tool).
    bool Size(const std::string& path, SizeTool& tool);
    // Appends the derived descriptions as JSON Lines, in the tool's input
    // form, to text; the notes and problems go to say, each a line for
    // standard error.
    using MessageSink = std::function<void(const std::string& line, SizeTool::MessageKind kind)>;
    void Describe(const std::string& path, std::string& text, const MessageSink& say);
    // Warnings for names on the command line that no script read so far creates.
    std::vector<std::string> UnusedNames() const;

private:
    struct RowCount {
        std::string name; // as given last
        std::string count;
        bool used = false;
    };

    // What a walk over a script hands on: each table with its derived
    // description (false stops the walk), then what concerns no table.
    using TableVisit = std::function<bool(const schema::SchemaTable&, const schema::DerivedTable&)>;
    // One walk for sizing and describing; false when the script could not
    // be read or a visit stopped the walk.
    bool Walk(const std::string& path, const TableVisit& visit, const MessageSink& say, bool emptyIsError);
    std::optional<schema::SchemaScript> Load(const std::string& path, std::string& error);
    schema::DerivedTable Derive(const schema::SchemaTable& table);
    TableRecord Record(const schema::SchemaTable& table, const schema::DerivedTable& derived) const;

    Language m_language;
    schema::SizingAssumptions m_assumptions;
    std::unordered_map<std::string, RowCount> m_rows; // by lower-case name
    std::vector<bool> m_averageUsed;                  // by text average: a script creates its table
};

} // namespace quorvel::cli
