// The statements and constraints the sizing reads; the column types and
// sp_addtype are in StatementParserTypes.cpp, the cursor in StatementCursor.cpp.

#include "schema/StatementParser.h"
#include "schema/SyntaxError.h"

#include <algorithm>

namespace quorvel::schema {

using namespace parsing;

StatementParser::Decision StatementParser::Decide(std::span<const Token> first, bool batchStart) {
    const auto undecided = [&first](std::size_t need) { return first.size() < need; };
    Decision decision = Decision::Pass;
    if (undecided(1)) {
        return Decision::Undecided;
    } else if (IsKeyword(first[0], "CREATE")) {
        if (undecided(2))
            return Decision::Undecided;
        const Token& what = first[1];
        // CREATE at the end of its piece is read, to say what should have followed.
        if (what.kind == TokenKind::End || OneOf(what, {"TABLE", "INDEX", "UNIQUE", "CLUSTERED", "NONCLUSTERED"}))
            decision = Decision::Read;
        else if (OneOf(what, {"PROCEDURE", "PROC", "VIEW", "TRIGGER", "RULE", "DEFAULT"}))
            decision = Decision::PassBatch;
    } else if (IsKeyword(first[0], "EXEC") || IsKeyword(first[0], "EXECUTE")) {
        decision = Decision::Read;
    } else if (batchStart && IsName(first[0]) && EqualsNoCase(first[0].text, "sp_addtype")) {
        decision = Decision::Read;
    }
    if (decision != Decision::Read)
        m_catalog.CountSkipped();
    return decision;
}

bool StatementParser::Parse(std::span<const Token> tokens, bool batchStart, std::optional<ScriptProblem> lexProblem) {
    m_tokens = tokens;
    m_position = 0;
    bool body = false;
    try {
        for (bool more = true; more && !AtEnd(); batchStart = false) {
            const Decision decision = Decide(m_tokens.subspan(m_position), batchStart);
            body = decision == Decision::PassBatch;
            more = decision == Decision::Read && Statement();
        }
    } catch (const SyntaxError& error) {
        ScriptProblem problem = m_catalog.Problem(error.at, error.message);
        if (lexProblem && error.atPieceEnd) {
            problem = std::move(*lexProblem); // the real cause of the early end
            lexProblem.reset();
        }
        if (m_inTable) {
            if (m_columnOpen) // a column cut short is no column of the table
                m_table.columns.pop_back();
            m_table.problems.push_back(std::move(problem));
            m_catalog.AddTable(std::move(m_table));
        } else if (m_indexTable != nullptr) {
            m_indexTable->problems.push_back(std::move(problem));
        } else {
            m_catalog.AddProblem(std::move(problem));
        }
    }
    if (lexProblem)
        m_catalog.AddProblem(std::move(*lexProblem));
    m_inTable = false;
    m_columnOpen = false;
    m_indexTable = nullptr;
    m_pending.clear();
    m_keyPlaces.clear();
    return body;
}

bool StatementParser::Statement() {
    const Token& first = Next();
    if (IsKeyword(first, "CREATE")) {
        if (AcceptWord("TABLE"))
            CreateTable(first);
        else
            CreateIndex(first);
        return true;
    }
    const bool withKeyword = !EqualsNoCase(first.text, "sp_addtype");
    if (!withKeyword)
        --m_position; // the procedure name itself
    return Exec(withKeyword);
}

void StatementParser::CreateTable(const Token& create) {
    m_table = SchemaTable{};
    m_table.place = create.place;
    m_pending.clear();
    m_keyPlaces.clear();
    m_table.name = ObjectName(Text::TableName);
    m_inTable = true;
    ExpectSymbol('(');
    do {
        if (!m_table.columns.empty() && IsSymbol(Peek(), ')'))
            break; // a comma before the closing parenthesis, which the server lets pass
        TableElement();
    } while (AcceptSymbol(','));
    if (!AcceptSymbol(')'))
        Fail(Peek(), Text::CommaOrClose);
    if (AcceptWord("ON"))
        Identifier(Text::SegmentName);

    m_inTable = false;
    SchemaTable& table = m_catalog.AddTable(std::move(m_table));
    for (PendingIndex& p : m_pending)
        m_catalog.AddIndex(table, std::move(p.index), p.at, KeyPlaces(p));
    m_pending.clear();
    m_keyPlaces.clear();
}

void StatementParser::TableElement() {
    const Token& first = Peek();
    if (OneOf(first, {"CONSTRAINT", "PRIMARY", "UNIQUE", "FOREIGN", "CHECK"}))
        Constraint(nullptr);
    else
        ColumnDefinition();
}

void StatementParser::ColumnDefinition() {
    SchemaColumn& column = m_table.columns.emplace_back();
    m_columnOpen = true;
    column.name = Identifier(Text::ColumnName);
    const Token& typeToken = Peek();
    bool identity = false;
    if (EqualsNoCase(column.name, "timestamp") && (IsSymbol(typeToken, ',') || IsSymbol(typeToken, ')'))) {
        // A column named timestamp without a type is a timestamp column.
        const ColumnType timestamp = BuiltinType("timestamp", {}).type;
        column.type = timestamp.text;
        column.bytes = timestamp.bytes;
    } else {
        const ParsedType parsed = Type(true);
        if (parsed.lookup.outcome == TypeOutcome::Found) {
            column.type = parsed.Spelling();
            column.kind = parsed.lookup.type.kind;
            column.bytes = parsed.lookup.type.bytes;
            column.nullability = parsed.nullability;
        } else {
            m_table.problems.push_back(m_catalog.Problem(
                typeToken.place, Message(Text::ColumnTypeProblem,
                                             {column.name, parsed.lookup.Problem(parsed.name)})));
        }
    }

    for (;;) {
        if (AcceptWord("NULL")) {
            column.nullability = Nullability::Null;
        } else if (IsKeyword(Peek(), "NOT") && IsKeyword(Peek(1), "NULL")) {
            m_position += 2;
            column.nullability = Nullability::NotNull;
        } else if (AcceptWord("IDENTITY")) {
            identity = true;
            if (IsSymbol(Peek(), '('))
                SkipParenthesised();
            NotForReplication();
        } else if (AcceptWord("DEFAULT")) {
            SkipExpression();
        } else if (OneOf(Peek(), {"CONSTRAINT", "PRIMARY", "UNIQUE", "REFERENCES", "FOREIGN", "CHECK"})) {
            Constraint(&column.name);
        } else {
            break;
        }
    }
    // An identity column never holds NULL, whatever the default.
    if (identity && column.nullability == Nullability::Unspecified)
        column.nullability = Nullability::NotNull;
    m_columnOpen = false;
}

void StatementParser::Constraint(const std::string* column) {
    const Place at = Peek().place;
    std::string_view name;
    if (AcceptWord("CONSTRAINT"))
        name = Identifier(Text::ConstraintName);
    const Token& kind = Peek();
    IndexKind indexKind = IndexKind::Unique;
    if (AcceptWord("PRIMARY")) {
        ExpectWord("KEY");
        indexKind = IndexKind::PrimaryKey;
    } else if (AcceptWord("UNIQUE")) {
        indexKind = IndexKind::Unique;
    } else if (AcceptWord("FOREIGN")) {
        ExpectWord("KEY");
        SkipParenthesised();
        ExpectWord("REFERENCES");
        References();
        return;
    } else if (AcceptWord("REFERENCES")) {
        References();
        return;
    } else if (AcceptWord("CHECK")) {
        NotForReplication();
        SkipParenthesised();
        return;
    } else if (AcceptWord("DEFAULT")) {
        SkipExpression();
        if (column == nullptr) {
            ExpectWord("FOR");
            Identifier(Text::ColumnName);
        }
        return;
    } else {
        Fail(kind, Text::ConstraintKind);
    }
    // Built in place; a syntax error drops every pending index of the table.
    PendingIndex& pending = m_pending.emplace_back();
    pending.firstKey = m_keyPlaces.size();
    pending.at = at;
    pending.index.name = name;
    pending.index.kind = indexKind;
    pending.index.clustered = indexKind == IndexKind::PrimaryKey;
    pending.index.unique = true;
    if (AcceptWord("CLUSTERED"))
        pending.index.clustered = true;
    else if (AcceptWord("NONCLUSTERED"))
        pending.index.clustered = false;
    if (column == nullptr || IsSymbol(Peek(), '(')) {
        KeyColumns(pending);
    } else {
        pending.index.columns.push_back(*column);
        m_keyPlaces.push_back(pending.at);
    }
    IndexOptions(pending.index, false);
}

void StatementParser::References() {
    ObjectName(Text::TableName);
    if (IsSymbol(Peek(), '('))
        SkipParenthesised();
}

void StatementParser::NotForReplication() {
    if (IsKeyword(Peek(), "NOT") && IsKeyword(Peek(1), "FOR")) {
        m_position += 2;
        ExpectWord("REPLICATION");
    }
}

std::span<const Place> StatementParser::KeyPlaces(const PendingIndex& pending) const {
    return std::span(m_keyPlaces).subspan(pending.firstKey, pending.index.columns.size());
}

void StatementParser::KeyColumns(PendingIndex& pending) {
    ExpectSymbol('(');
    do {
        m_keyPlaces.push_back(Peek().place);
        pending.index.columns.emplace_back(Identifier(Text::KeyColumn));
        if (!AcceptWord("ASC"))
            AcceptWord("DESC");
    } while (AcceptSymbol(','));
    ExpectSymbol(')');
}

void StatementParser::IndexOptions(SchemaIndex& index, bool optionList) {
    if (!optionList && AcceptWord("WITH")) {
        ExpectWord("FILLFACTOR");
        ExpectSymbol('=');
        index.fillFactor = WholeNumber(Text::FillFactor);
    } else if (AcceptWord("WITH")) {
        do {
            const bool fillFactor = IsKeyword(Peek(), "FILLFACTOR");
            Identifier(Text::IndexOption);
            if (fillFactor) {
                ExpectSymbol('=');
                index.fillFactor = WholeNumber(Text::FillFactor);
            } else if (AcceptSymbol('=')) {
                if (AtEnd())
                    Fail(Peek(), Text::AValue);
                Next();
            }
        } while (AcceptSymbol(','));
    }
    if (AcceptWord("ON"))
        Identifier(Text::SegmentName);
}

void StatementParser::CreateIndex(const Token& create) {
    PendingIndex pending;
    pending.firstKey = m_keyPlaces.size();
    pending.at = create.place;
    SchemaIndex& index = pending.index;
    index.unique = AcceptWord("UNIQUE");
    index.clustered = AcceptWord("CLUSTERED");
    const bool described =
        (!index.clustered && AcceptWord("NONCLUSTERED")) || index.unique || index.clustered;
    if (!AcceptWord("INDEX"))
        Fail(Peek(), described ? Message::Argument("INDEX") : Text::TableOrIndex);
    index.name = Identifier(Text::IndexName);
    ExpectWord("ON");
    const Token& tableToken = Peek();
    const std::string_view tableName = ObjectName(Text::TableName);
    m_indexTable = m_catalog.FindTable(tableName);
    if (m_indexTable == nullptr)
        throw SyntaxError{tableToken.place, Message(Text::IndexOnMissingTable,
                                                        {index.name, std::string(tableName)})};
    KeyColumns(pending);
    IndexOptions(index, true);
    m_catalog.AddIndex(*m_indexTable, std::move(pending.index), pending.at, KeyPlaces(pending));
    m_indexTable = nullptr;
}

} // namespace quorvel::schema
