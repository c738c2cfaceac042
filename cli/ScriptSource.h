#pragma once
// The tables of SQL Server 6.x schema scripts for quorvel-size (--ddl).
//
// The scripts are one schema: read in the order given, as if run one after
// another against one database, so that the types and tables of one are known
// to the next. Each is decoded from its encoding first (a byte order mark,
// --encoding, UTF-8, or CP932 under a Japanese locale: ScriptEncoding.h). The
// schema library reads them into their tables and derives each one's
// description; this source adds what only the command line knows (row counts,
// averages of text columns, how full variable-length columns are, the ANSI
// null default) and hands each table to the tool as a record, like any
// reader's: a table the scripts get wrong is invalid with its script's
// file:line:column, one without a row count is described and not sized.
// What concerns no single table (a statement that is no table's, a statement
// not read, the count of statements skipped, how a script was decoded, a name
// on the command line that no script creates) goes to standard error through
// the tool.
//
// Row counts and averages name tables without regard to case, as the server
// does; the last --rows for a table wins. Running out of memory stops the
// reading with a message, never with an exception.

#include "cli/SizeTool.h"
#include "schema/ScriptEncoding.h"
#include "schema/TableDerivation.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace quorvel::schema {
struct SchemaScript;
struct SchemaTable;
} // namespace quorvel::schema

namespace quorvel::cli {

class ScriptSource {
public:
    // japaneseLocale: a script that is not UTF-8 and has no mark is read as
    // CP932 (with a note) rather than refused.
    explicit ScriptSource(Language language, bool japaneseLocale = schema::JapaneseLocale());

    // "orders=9,000,000"; an error message when it is not TABLE=COUNT or the
    // count is no number of rows a table can have.
    std::optional<std::string> AddRows(std::string_view option);
    // A JSON object of table names and row counts (numbers or texts).
    std::optional<std::string> AddRowsFile(const std::string& path);
    // "orders.notes=4000".
    std::optional<std::string> AddTextAverage(std::string_view option);
    // The encoding of scripts without a byte order mark (--encoding); an
    // error message when iconv knows no such encoding.
    std::optional<std::string> SetEncoding(std::string name);
    schema::SizingAssumptions& Assumptions() { return m_assumptions; }

    // Reads the scripts ("-" is standard input) as one schema and sizes its
    // tables through the tool; false when one could not be read (the reason
    // went to the tool).
    bool Size(const std::vector<std::string>& paths, SizeTool& tool);
    bool Size(const std::string& path, SizeTool& tool) { return Size(std::vector{path}, tool); }
    // Appends the derived descriptions as JSON Lines, in the tool's input
    // form, to text; the notes and problems go to say, each a line for
    // standard error.
    using MessageSink = std::function<void(const std::string& line, SizeTool::MessageKind kind)>;
    void Describe(const std::vector<std::string>& paths, std::string& text, const MessageSink& say);
    void Describe(const std::string& path, std::string& text, const MessageSink& say) {
        Describe(std::vector{path}, text, say);
    }
    // Warnings for names on the command line that no script read so far creates.
    std::vector<std::string> UnusedNames() const;

private:
    struct RowCount {
        std::string name; // as given last
        std::string count;
        bool used = false;
    };
    struct ScriptFile;

    // What a walk over the schema hands on: each table with its derived
    // description (false stops the walk).
    using TableVisit = std::function<bool(const schema::SchemaTable&, const schema::DerivedTable&,
                                          const schema::SchemaScript&)>;
    // One walk for sizing and describing: reads the scripts, visits the
    // tables, then says what concerns no table. False when a script could
    // not be read or a visit stopped the walk.
    bool Walk(const std::vector<std::string>& paths, const TableVisit& visit, const MessageSink& say);
    // Reads the scripts into schema, saying what goes wrong on the way.
    enum class Reading { AllRead, SomeUnread, OutOfMemory };
    Reading Read(const std::vector<std::string>& paths, std::vector<ScriptFile>& files, schema::SchemaScript& schema,
                 const MessageSink& say);
    void SayAfterTables(const std::vector<ScriptFile>& files, const schema::SchemaScript& schema,
                        const MessageSink& say) const;
    schema::DerivedTable Derive(const schema::SchemaTable& table);
    TableRecord Record(const schema::SchemaTable& table, const schema::DerivedTable& derived,
                       const schema::SchemaScript& schema) const;

    Language m_language;
    bool m_japaneseLocale;
    std::string m_encoding; // empty: by the byte order mark, or UTF-8, or CP932 under a Japanese locale
    schema::SizingAssumptions m_assumptions;
    std::unordered_map<std::string, RowCount> m_rows; // by lower-case name
    std::vector<bool> m_averageUsed;                  // by text average: a script creates its table
};

} // namespace quorvel::cli
