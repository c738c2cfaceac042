#pragma once
// Reads SQL Server 6.x schema scripts into their tables.
//
//   SchemaScript script = ReadScript(text, "schema.sql");
//
// or, for a schema in several scripts run one after another against one
// database (types, then tables, then indexes):
//
//   ScriptReader reader;
//   reader.Read(types, "types.sql");
//   reader.Read(tables, "tables.sql");
//   SchemaScript schema = reader.Take();
//
// The scripts are read whole (a script of ten thousand tables is a few MB): a
// CREATE INDEX or ALTER TABLE anywhere later may still add to any table.
//
// Batches end at GO lines; inside a batch a statement ends at a semicolon or
// where a line starts with a word that begins a statement (CREATE, EXEC,
// INSERT, GRANT, ...), and a CREATE TABLE also ends at its closing parenthesis.
// A problem never stops the reading: the next statement is read as if nothing
// had happened.

#include "schema/SchemaCatalog.h"
#include "schema/SchemaModel.h"
#include "schema/ScriptLexer.h"
#include "schema/StatementParser.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quorvel::schema {

// source: the name problems carry (a file name, or "<stdin>").
SchemaScript ReadScript(std::string_view script, std::string source);

// The statements of scripts, cut out of their tokens.
class ScriptReader : private TokenSink {
public:
    ScriptReader() : m_parser(m_catalog) {}

    ScriptReader(const ScriptReader&) = delete;
    ScriptReader& operator=(const ScriptReader&) = delete;

    // Reads one script (UTF-8) after those read before.
    void Read(std::string_view script, std::string source);
    // What the scripts read so far built (dropped tables still among the tables).
    const SchemaScript& Schema() const { return m_catalog.Script(); }
    SchemaScript Take() { return m_catalog.Take(); }

private:
    void OnToken(const Token& token) override;
    void OnLexProblem(Place at, Text message, std::size_t goLine) override;
    void EndPiece(const Token& boundary);

    SchemaCatalog m_catalog;
    StatementParser m_parser;
    std::vector<Token> m_piece;     // the statement being read
    bool m_dropping = false;        // the piece is a statement that is only counted
    bool m_inBody = false;          // the rest of the batch is a procedure body or the like
    bool m_batchStart = true;
    std::optional<ScriptProblem> m_lexProblem;
};

} // namespace quorvel::schema
