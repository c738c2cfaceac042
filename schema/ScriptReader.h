#pragma once
// Reads a SQL Server 6.x schema script into its tables.
//
//   ScriptReader reader("schema.sql");
//   while (more bytes) reader.Feed(bytes);   // pieces of any size
//   SchemaScript script = reader.Finish();
//
// The script is read as it arrives: what is held is the lexer's current token
// and the tokens of the statement being read (a statement that is only counted
// keeps none), plus the tables found so far, all but the last packed into a few
// hundred bytes each. Tables come out at the end, since a CREATE INDEX anywhere
// later may still add to any of them: all at once in the script, or one at a
// time, unpacked each in turn.
//
// Batches end at GO lines; inside a batch a statement ends at a semicolon or
// where a line starts with a word that begins a statement (CREATE, EXEC,
// INSERT, GRANT, ...), and a CREATE TABLE also ends at its closing parenthesis.
// A problem never stops the reading: the next statement is read as if nothing
// had happened.

#include "SchemaCatalog.h"
#include "SchemaModel.h"
#include "ScriptLexer.h"
#include "StatementParser.h"

#include <functional>
#include <istream>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quorvel::schema {

class ScriptReader : private TokenSink {
public:
    // source: the name problems carry (a file name, or "-" for standard input).
    explicit ScriptReader(std::string source);

    ScriptReader(const ScriptReader&) = delete;
    ScriptReader& operator=(const ScriptReader&) = delete;

    void Feed(std::string_view bytes);
    // The end of the script; a reader reads one script.
    SchemaScript Finish();
    // The same, with the tables handed to eachTable one at a time instead of
    // in the script (see SchemaCatalog::Take), so that they stay packed.
    SchemaScript Finish(const std::function<bool(const SchemaTable&)>& eachTable);

private:
    void OnToken(const Token& token) override;
    // Whether a statement's first or second token lets it be kept.
    bool Classify(const Token& token);
    void Keep(const Token& token);
    void ClearPiece();
    Token PieceToken(std::size_t i) const;
    void OnLexProblem(std::size_t line, std::size_t column, ScriptText message) override;
    void EndPiece(const Token& boundary);

    SchemaCatalog m_catalog;
    StatementParser m_parser;
    ScriptLexer m_lexer;
    // A token of m_piece whose text is in m_pieceText, at an offset: the
    // text's growth would leave a pointer behind.
    struct CopiedText {
        std::size_t token = 0;
        std::size_t offset = 0;
    };

    // The statement being read: the first m_kept tokens of m_piece, whose
    // slots are kept for the next statement. A token's text is in the bytes
    // being fed or, for those in m_copied (in the order of the tokens), in
    // m_pieceText.
    std::vector<Token> m_piece;
    std::size_t m_kept = 0;
    std::vector<CopiedText> m_copied;
    std::string m_pieceText;
    std::string_view m_chunk;       // the bytes of the Feed under way
    std::size_t m_copiedTokens = 0; // tokens before this one no longer point into fed bytes
    bool m_dropping = false;        // the piece is a statement that is only counted
    bool m_inBody = false;          // the rest of the batch is a procedure body or the like
    bool m_batchStart = true;
    std::optional<ScriptProblem> m_lexProblem;
};

// Reads a whole stream in pieces of 64 KB.
SchemaScript ReadScript(std::istream& in, std::string source);

} // namespace quorvel::schema
