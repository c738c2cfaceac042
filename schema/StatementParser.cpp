// The statements and constraints the sizing reads; the column types and
// sp_addtype are in StatementParserTypes.cpp, the cursor in StatementCursor.cpp.

#include "schema/StatementParser.h"
#include "schema/SyntaxError.h"

#include <algorithm>

namespace quorvel::schema {

using namespace parsing;

namespace {

// Procedures that change the schema, read when called at the start of a batch without EXEC too.
bool IsReadProcedure(std::string_view name) {
    return EqualsNoCase(name, "sp_addtype") || EqualsNoCase(name, "sp_droptype") || EqualsNoCase(name, "sp_rename");
}

// The constraints of CREATE TABLE and ALTER TABLE ... ADD; no column is named so.
bool StartsConstraint(const Token& token) {
    return OneOf(token, {"CONSTRAINT", "PRIMARY", "UNIQUE", "FOREIGN", "CHECK"});
}

} // namespace

StatementParser::Decision StatementParser::Decide(std::span<const Token> first, bool batchStart) {
    if (first.empty())
        return Decision::Undecided;
    const Token& verb = first[0];
    const bool create = IsKeyword(verb, "CREATE");
    const bool drop = !create && IsKeyword(verb, "DROP");
    Decision decision = Decision::Pass;
    if (create || drop || IsKeyword(verb, "ALTER")) {
        if (first.size() < 2)
            return Decision::Undecided;
        const Token& what = first[1];
        // CREATE at the end of its piece is read, to say what should have followed.
        if (create && (what.kind == TokenKind::End || OneOf(what, {"TABLE", "INDEX", "UNIQUE", "CLUSTERED", "NONCLUSTERED"})))
            decision = Decision::Read;
        else if (!create && (IsKeyword(what, "TABLE") || (drop && IsKeyword(what, "INDEX"))))
            decision = Decision::Read;
        else if (!drop && OneOf(what, {"PROCEDURE", "PROC", "VIEW", "TRIGGER", "RULE", "DEFAULT"}))
            decision = Decision::PassBatch;
    } else if (OneOf(verb, {"EXEC", "EXECUTE", "IF", "ELSE", "BEGIN", "END", "SELECT"})) {
        decision = Decision::Read;
    } else if (batchStart && IsName(verb) && IsReadProcedure(verb.text)) {
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
        } else if (m_target != nullptr) {
            m_target->problems.push_back(std::move(problem));
        } else {
            m_catalog.AddProblem(std::move(problem));
        }
    }
    if (lexProblem)
        m_catalog.AddProblem(std::move(*lexProblem));
    m_inTable = false;
    m_columnOpen = false;
    m_target = nullptr;
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
    if (IsKeyword(first, "ALTER"))
        return AlterTable(first);
    if (IsKeyword(first, "DROP")) {
        Drop();
        return true;
    }
    if (IsKeyword(first, "IF"))
        SkipCondition();
    if (OneOf(first, {"IF", "ELSE", "BEGIN", "END"}))
        return true; // the statement they guard or group is read on its own
    if (IsKeyword(first, "SELECT"))
        return Select(first);
    const bool withKeyword = IsKeyword(first, "EXEC") || IsKeyword(first, "EXECUTE");
    if (!withKeyword)
        --m_position; // the procedure name itself
    return Exec(first, withKeyword);
}

void StatementParser::Later(const Token& at, Message::Argument what, std::string_view version) const {
    throw SyntaxError{at.place, Message(Text::LaterVersion, {std::move(what), std::string(version)})};
}

void StatementParser::CreateTable(const Token& create) {
    m_table = SchemaTable{};
    m_table.place = create.place;
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
    if (IsKeyword(Peek(), "TEXTIMAGE_ON"))
        Later(Peek(), "TEXTIMAGE_ON", "7.0");

    AddPendingIndexes(m_catalog.AddTable(std::move(m_table)));
}

void StatementParser::AddPendingIndexes(SchemaTable& table) {
    for (PendingIndex& p : m_pending)
        m_catalog.AddIndex(table, std::move(p.index), p.at, KeyPlaces(p));
    m_pending.clear();
    m_keyPlaces.clear();
}

bool StatementParser::AlterTable(const Token& alter) {
    ExpectWord("TABLE");
    const Token& tableToken = Peek();
    const std::string_view tableName = ObjectName(Text::TableName);
    m_target = m_catalog.FindTable(tableName);
    if (m_target == nullptr)
        throw SyntaxError{tableToken.place, Message(Text::AlterOnMissingTable, {std::string(tableName)})};
    if (AcceptWord("WITH") && !AcceptWord("NOCHECK"))
        ExpectWord("CHECK");
    const Token& action = Peek();
    const Token& object = Peek(1);
    const auto namesOrAll = [this](Text what) {
        if (!AcceptWord("ALL")) {
            do {
                Identifier(what);
            } while (AcceptSymbol(','));
        }
    };
    if (AcceptWord("ADD")) {
        AlterAdd(*m_target);
    } else if (IsKeyword(action, "DROP") && IsKeyword(object, "CONSTRAINT")) {
        m_position += 2;
        do {
            m_catalog.DropConstraint(*m_target, Identifier(Text::ConstraintName));
        } while (AcceptSymbol(','));
    } else if (OneOf(action, {"CHECK", "NOCHECK"}) && IsKeyword(object, "CONSTRAINT")) {
        m_position += 2;
        namesOrAll(Text::ConstraintName);
    } else if (OneOf(action, {"ENABLE", "DISABLE"}) && IsKeyword(object, "TRIGGER")) {
        m_position += 2;
        namesOrAll(Text::TriggerName);
    } else if (OneOf(action, {"ALTER", "DROP"}) && IsKeyword(object, "COLUMN")) {
        Later(action, IsKeyword(action, "ALTER") ? "ALTER COLUMN" : "DROP COLUMN", "7.0");
    } else if (action.kind == TokenKind::Word) {
        // A form 6.x has not: the table keeps what was read, with a note.
        m_catalog.AddNote(alter.place, Message(Text::AlterNotRead, {m_target->name, action.text}));
        m_target = nullptr;
        return false;
    } else {
        Fail(action, Text::AlterAction);
    }
    m_target = nullptr;
    return true;
}

// ALTER TABLE ... ADD: columns and constraints as in CREATE TABLE, a comma
// between them (or none before a constraint, as 6.x allows).
void StatementParser::AlterAdd(SchemaTable& table) {
    m_table = SchemaTable{};
    m_table.name = table.name;
    m_pending.clear();
    m_keyPlaces.clear();
    std::vector<Place> columnPlaces;
    do {
        const Place at = Peek().place;
        const std::size_t columns = m_table.columns.size();
        TableElement();
        if (m_table.columns.size() > columns)
            columnPlaces.push_back(at);
    } while (AcceptSymbol(',') || StartsConstraint(Peek()));
    for (ScriptProblem& problem : m_table.problems)
        table.problems.push_back(std::move(problem));
    m_catalog.AddColumns(table, std::move(m_table.columns), columnPlaces);
    AddPendingIndexes(table);
}

// DROP TABLE [owner.]table [, ...] and DROP INDEX [owner.]table.index [, ...].
void StatementParser::Drop() {
    if (AcceptWord("TABLE")) {
        do {
            m_catalog.DropTable(ObjectName(Text::TableName));
        } while (AcceptSymbol(','));
        return;
    }
    ExpectWord("INDEX");
    do {
        const Place at = Peek().place;
        std::string_view table = Identifier(Text::TableName);
        ExpectSymbol('.');
        std::string_view index = Identifier(Text::IndexName);
        while (AcceptSymbol('.')) { // owner.table.index
            table = index;
            index = Identifier(Text::IndexName);
        }
        m_catalog.DropIndex(table, index, at);
    } while (AcceptSymbol(','));
}

void StatementParser::SkipCondition() {
    for (std::size_t depth = 0; !AtEnd(); Next()) {
        const Token& token = Peek();
        if (depth == 0 && token.kind == TokenKind::Word && FollowsCondition(token.text))
            return;
        if (IsSymbol(token, '('))
            ++depth;
        else if (IsSymbol(token, ')') && depth > 0)
            --depth;
    }
}

// SELECT ... INTO creates a table, which is not read; any other SELECT changes no size.
bool StatementParser::Select(const Token& select) {
    for (std::size_t depth = 0; !AtEnd();) {
        const Token& token = Next();
        if (IsSymbol(token, '('))
            ++depth;
        else if (IsSymbol(token, ')') && depth > 0)
            --depth;
        else if (depth == 0 && IsKeyword(token, "FROM"))
            break;
        else if (depth == 0 && IsKeyword(token, "INTO") && IsName(Peek())) {
            const std::string_view table = ObjectName(Text::TableName);
            if (table.starts_with('#')) // a temporary table is no table of the schema
                break;
            m_catalog.AddNote(select.place, Message(Text::SelectIntoNotRead, {std::string(table)}));
            return false;
        }
    }
    m_catalog.CountSkipped();
    return false;
}

void StatementParser::TableElement() {
    if (StartsConstraint(Peek()) || IsKeyword(Peek(), "DEFAULT"))
        Constraint(nullptr);
    else
        ColumnDefinition();
}

void StatementParser::ColumnDefinition() {
    SchemaColumn& column = m_table.columns.emplace_back();
    m_columnOpen = true;
    column.name = Identifier(Text::ColumnName);
    const Token& typeToken = Peek();
    if (IsKeyword(typeToken, "AS"))
        Later(typeToken, Message::Argument(Text::ComputedColumn, column.name), "7.0");
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
        } else if (StartsConstraint(Peek()) || IsKeyword(Peek(), "REFERENCES")) {
            Constraint(&column.name);
        } else if (IsKeyword(Peek(), "COLLATE")) {
            Later(Peek(), "COLLATE", "2000");
        } else if (IsKeyword(Peek(), "ROWGUIDCOL")) {
            Later(Peek(), "ROWGUIDCOL", "7.0");
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
    m_target = m_catalog.FindTable(tableName);
    if (m_target == nullptr)
        throw SyntaxError{tableToken.place, Message(Text::IndexOnMissingTable,
                                                        {index.name, std::string(tableName)})};
    KeyColumns(pending);
    if (IsKeyword(Peek(), "INCLUDE"))
        Later(Peek(), "INCLUDE", "2005");
    IndexOptions(index, true);
    m_catalog.AddIndex(*m_target, std::move(pending.index), pending.at, KeyPlaces(pending));
    m_target = nullptr;
}

} // namespace quorvel::schema
