#pragma once
// The statements the sizing reads, parsed from the tokens of one piece of a batch.
//
// The script reader cuts a batch into pieces where a statement must start (a
// line-leading CREATE, EXEC, INSERT... or a semicolon) and hands each piece
// here. What changes a size is read: CREATE TABLE, CREATE INDEX, ALTER TABLE,
// DROP TABLE, DROP INDEX, EXEC sp_addtype and sp_droptype, and the statement
// an IF guards. What changes no size (views, procedures, grants, inserts...)
// is counted and passed over; a procedure, view, trigger, rule or default
// takes the rest of its batch. What could change a size but is not read
// (SELECT ... INTO, an ALTER TABLE of a form not read, EXECUTE of a text,
// sp_rename) is noted with its place.
//
// A syntax error ends the piece: inside a CREATE TABLE whose name was read it
// becomes a problem of that table, which keeps its place in the script;
// inside a CREATE INDEX or ALTER TABLE whose table is known, a problem of
// that table; elsewhere a problem of the script. So is syntax of a later
// server version (nvarchar, a computed column, COLLATE...), which 6.x cannot
// size. Nothing recurses, so no nesting of parentheses can exhaust the stack.

#include "schema/Keywords.h"
#include "schema/SchemaCatalog.h"
#include "schema/ScriptLexer.h"

#include <algorithm>
#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace quorvel::schema {

// Words that start a statement when they lead a line.
inline bool StartsStatement(const Token& token) {
    return token.lineStart && token.kind == TokenKind::Word && StartsStatement(token.text);
}

class StatementParser {
public:
    explicit StatementParser(SchemaCatalog& catalog) : m_catalog(catalog) {}

    // What becomes of a statement, known from its first tokens.
    enum class Decision {
        Read,      // parsed: CREATE TABLE, ALTER TABLE, DROP TABLE, EXEC, IF ...
        Pass,      // changes no size: counted, the rest of its piece dropped
        PassBatch, // CREATE PROCEDURE, VIEW, TRIGGER, RULE, DEFAULT: the rest of the batch is its body
        Undecided, // needs the next token
    };

    // The one place that decides whether a statement is read or passed over,
    // and counts what it passes over. first: the statement's tokens so far,
    // ended by an End token once they are all known; batchStart: the
    // statement is the first of its batch, where a procedure may be called
    // without EXEC. The script reader asks while a statement's first tokens
    // come in, so that it need not keep what will be dropped.
    Decision Decide(std::span<const Token> first, bool batchStart);

    // Parses the statements of one piece, whose last token is an End that
    // stands for what ended it. A problem of the lexer inside the piece (an
    // unterminated string) stands for the syntax error it causes. Answers
    // true when the rest of the batch is the body of a procedure or the like.
    bool Parse(std::span<const Token> tokens, bool batchStart, std::optional<ScriptProblem> lexProblem);

private:
    struct PendingIndex {
        SchemaIndex index;
        Place at;
        std::size_t firstKey = 0; // its key columns' places in m_keyPlaces
    };
    struct ParsedType {
        TypeLookup lookup;
        std::string name;               // in lower case, as its problems and a type added with sp_addtype show it
        const UserType* user = nullptr; // a type added with sp_addtype
        Nullability nullability = Nullability::Unspecified; // that of a type added with sp_addtype

        // "varchar(40)", or "zip (char(5))" for a type added with sp_addtype.
        std::string Spelling() const;
    };

    // One statement the cursor stands at, which Decide read; false when the
    // rest of the piece was passed over.
    bool Statement();
    void CreateTable(const Token& create);
    // The columns and constraints of CREATE TABLE or ALTER TABLE ... ADD,
    // into m_table and m_pending.
    void TableElement();
    void ColumnDefinition();
    ParsedType Type(bool userTypes);
    // A constraint of the table, or with column set, of that column.
    void Constraint(const std::string* column);
    void References();
    void NotForReplication();
    void KeyColumns(PendingIndex& pending);
    std::span<const Place> KeyPlaces(const PendingIndex& pending) const;
    // The indexes of constraints read into m_pending go to the table.
    void AddPendingIndexes(SchemaTable& table);
    // A constraint takes only WITH FILLFACTOR = n: a comma after it ends the
    // constraint. CREATE INDEX takes a list of options.
    void IndexOptions(SchemaIndex& index, bool optionList);
    void CreateIndex(const Token& create);
    bool AlterTable(const Token& alter);
    void AlterAdd(SchemaTable& table);
    void Drop();
    // IF's condition, up to the statement it guards.
    void SkipCondition();
    bool Select(const Token& select);
    bool Exec(const Token& first, bool withKeyword);
    void AddType(const Token& procedure);
    UserType TypeFromText(const Token& text);
    // Syntax of a later server version at a token: the piece's table cannot be sized.
    [[noreturn]] void Later(const Token& at, Message::Argument what, std::string_view version) const;

    // The cursor over the piece, whose last token is its End: the cursor
    // never moves past it, and no keyword or symbol is ever an End.
    const Token& Peek(std::size_t ahead = 0) const {
        return m_tokens[std::min(m_position + ahead, m_tokens.size() - 1)];
    }
    const Token& Next() {
        const Token& token = Peek();
        if (token.kind != TokenKind::End)
            ++m_position;
        return token;
    }
    bool AtEnd() const { return Peek().kind == TokenKind::End; }
    bool AcceptWord(std::string_view keyword) {
        if (!IsKeyword(Peek(), keyword))
            return false;
        ++m_position;
        return true;
    }
    bool AcceptSymbol(char symbol) {
        if (!IsSymbol(Peek(), symbol))
            return false;
        ++m_position;
        return true;
    }
    void ExpectWord(std::string_view keyword);
    void ExpectSymbol(char symbol);
    // Names are valid while the piece is parsed.
    std::string_view Identifier(Text what);
    std::string_view ObjectName(Text what);
    std::string_view WholeNumber(Text what);
    static std::int64_t Count(std::string_view digits);
    void SkipParenthesised();
    void SkipExpression();
    [[noreturn]] void Fail(const Token& at, Message::Argument expected) const;

    SchemaCatalog& m_catalog;
    std::span<const Token> m_tokens;
    std::size_t m_position = 0;

    // The CREATE TABLE being read: its name is known once m_inTable is set,
    // which lasts until the piece of script ends.
    // ALTER TABLE ... ADD reads its columns and constraints the same way.
    bool m_inTable = false;
    bool m_columnOpen = false; // the last of m_table.columns is still being read
    SchemaTable m_table;
    // Empty between tables: a table's indexes take them, and the end of a piece clears them.
    std::vector<PendingIndex> m_pending;
    std::vector<Place> m_keyPlaces; // where the key columns of m_pending are named
    // The table a CREATE INDEX or ALTER TABLE changes, once its name is known:
    // a syntax error from there on is that table's.
    SchemaTable* m_target = nullptr;
};

} // namespace quorvel::schema
