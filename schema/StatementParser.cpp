// The statements and constraints the sizing reads; the column types and
// sp_addtype are in StatementParserTypes.cpp, the cursor in StatementCursor.cpp.

#include "StatementParser.h"
#include "SyntaxError.h"

#include <algorithm>

namespace quorvel::schema {

using namespace parsing;

namespace {

// Lists are reserved at their length, up to the most columns a table may have.
constexpr std::size_t kMostReserved = 250;
constexpr std::size_t kUsualIndexes = 4;

} // namespace

StatementClass ClassifyStatement(const Token* first, std::size_t count, bool batchStart) {
    if (count == 0)
        return StatementClass::Undecided;
    const Token& t = first[0];
    if (t.keyword == Keyword::Create) {
        if (count < 2)
            return StatementClass::Undecided;
        const Token& what = first[1];
        using enum Keyword;
        if (OneOf(what.keyword, {Table, Index, Unique, Clustered, Nonclustered}))
            return StatementClass::Read;
        if (OneOf(what.keyword, {Procedure, Proc, View, Trigger, Rule, Default}))
            return StatementClass::Body;
        return StatementClass::Passed;
    }
    if (t.keyword == Keyword::Exec || t.keyword == Keyword::Execute)
        return StatementClass::Read;
    if (batchStart && IsName(t) && EqualsNoCase(t.text, "sp_addtype"))
        return StatementClass::Read;
    return StatementClass::Passed;
}

bool StatementParser::Parse(std::span<const Token> tokens, const Token& end, bool batchStart,
                            std::optional<ScriptProblem> lexProblem) {
    m_tokens = tokens;
    m_end = &end;
    m_position = 0;
    bool body = false;
    try {
        while (!AtEnd() && Statement(batchStart, body))
            batchStart = false;
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
    m_keyPositions.clear();
    return body;
}

bool StatementParser::Statement(bool batchStart, bool& body) {
    const StatementClass kind =
        ClassifyStatement(m_tokens.data() + m_position, m_tokens.size() - m_position, batchStart);
    if (kind == StatementClass::Passed || kind == StatementClass::Body) {
        m_catalog.CountSkipped();
        body = kind == StatementClass::Body;
        return false;
    }
    const Token& first = Next();
    if (first.keyword == Keyword::Create) {
        if (AcceptWord(Keyword::Table))
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
    m_table.line = create.line;
    m_table.column = create.column;
    m_pending.clear();
    m_keyPositions.clear();
    m_table.name = ObjectName(ScriptText::TableName);
    m_inTable = true;
    ExpectSymbol('(');
    // The columns in one allocation of their number: the tables of a script
    // are all kept to its end, so every slot left over costs memory.
    m_table.columns.reserve(std::min(ElementCount(), kMostReserved));
    m_table.indexes.reserve(kUsualIndexes);
    do {
        if (!m_table.columns.empty() && IsSymbol(Peek(), ')') && !AtEnd())
            break; // a comma before the closing parenthesis, which the server lets pass
        TableElement();
    } while (AcceptSymbol(','));
    if (!AcceptSymbol(')'))
        Fail(Peek(), ScriptText::CommaOrClose);
    if (AcceptWord(Keyword::On))
        Identifier(ScriptText::SegmentName);

    m_inTable = false;
    SchemaTable& table = m_catalog.AddTable(std::move(m_table));
    for (PendingIndex& p : m_pending)
        m_catalog.AddIndex(table, std::move(p.index), p.at, KeyPositions(p));
    m_pending.clear();
    m_keyPositions.clear();
}

std::size_t StatementParser::ElementCount() const {
    std::size_t elements = 1;
    std::size_t depth = 0;
    for (std::size_t at = m_position; at < m_tokens.size(); ++at) {
        const Token& token = m_tokens[at];
        if (IsSymbol(token, '(')) {
            ++depth;
        } else if (IsSymbol(token, ')')) {
            if (depth == 0)
                break;
            --depth;
        } else if (depth == 0 && IsSymbol(token, ',')) {
            ++elements;
        }
    }
    return elements;
}

void StatementParser::TableElement() {
    const Token& first = Peek();
    if (&first != m_end && OneOf(first.keyword, {Keyword::Constraint, Keyword::Primary, Keyword::Unique,
                                                 Keyword::Foreign, Keyword::Check}))
        Constraint(nullptr);
    else
        ColumnDefinition();
}

void StatementParser::ColumnDefinition() {
    // Read in place: a column is the most common thing a script holds.
    SchemaColumn& column = m_table.columns.emplace_back();
    m_columnOpen = true;
    column.name = Identifier(ScriptText::ColumnName);
    const Token& typeToken = Peek();
    bool identity = false;
    if (EqualsNoCase(column.name, "timestamp") && (IsSymbol(typeToken, ',') || IsSymbol(typeToken, ')'))) {
        // A column named timestamp without a type is a timestamp column.
        const TypeLookup lookup = BuiltinType("timestamp", {});
        lookup.AppendText(column.type);
        column.bytes = lookup.bytes;
    } else {
        const ParsedType parsed = Type(true);
        if (parsed.lookup.found) {
            parsed.AppendText(column.type);
            column.kind = parsed.lookup.kind;
            column.bytes = parsed.lookup.bytes;
            column.nullability = parsed.nullability;
        } else {
            m_table.problems.push_back(m_catalog.Problem(
                At(typeToken), ScriptMessage(ScriptText::ColumnTypeProblem,
                                             {column.name, {parsed.lookup.error, parsed.name}})));
        }
    }

    for (;;) {
        if (AtEnd() || Peek().keyword == Keyword::None) // what follows a column is mostly a comma
            break;
        if (AcceptWord(Keyword::Null)) {
            column.nullability = Nullability::Null;
        } else if (IsWord(Peek(), Keyword::Not) && IsWord(Peek(1), Keyword::Null)) {
            m_position += 2;
            column.nullability = Nullability::NotNull;
        } else if (AcceptWord(Keyword::Identity)) {
            identity = true;
            if (IsSymbol(Peek(), '(') && !AtEnd())
                SkipParenthesised();
            NotForReplication();
        } else if (AcceptWord(Keyword::Default)) {
            SkipExpression();
        } else if (!AtEnd() &&
                   OneOf(Peek().keyword, {Keyword::Constraint, Keyword::Primary, Keyword::Unique,
                                          Keyword::References, Keyword::Foreign, Keyword::Check})) {
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
    const Position at = At(Peek());
    std::string_view name;
    if (AcceptWord(Keyword::Constraint))
        name = Identifier(ScriptText::ConstraintName);
    const Token& kind = Peek();
    IndexKind indexKind = IndexKind::Unique;
    if (AcceptWord(Keyword::Primary)) {
        ExpectWord(Keyword::Key);
        indexKind = IndexKind::PrimaryKey;
    } else if (AcceptWord(Keyword::Unique)) {
        indexKind = IndexKind::Unique;
    } else if (AcceptWord(Keyword::Foreign)) {
        ExpectWord(Keyword::Key);
        SkipParenthesised();
        ExpectWord(Keyword::References);
        References();
        return;
    } else if (AcceptWord(Keyword::References)) {
        References();
        return;
    } else if (AcceptWord(Keyword::Check)) {
        NotForReplication();
        SkipParenthesised();
        return;
    } else if (AcceptWord(Keyword::Default)) {
        SkipExpression();
        if (column == nullptr) {
            ExpectWord(Keyword::For);
            Identifier(ScriptText::ColumnName);
        }
        return;
    } else {
        Fail(kind, ScriptText::ConstraintKind);
    }
    // Built in place; a syntax error drops every pending index of the table.
    PendingIndex& pending = m_pending.emplace_back();
    pending.firstKey = m_keyPositions.size();
    pending.at = at;
    pending.index.name = name;
    pending.index.kind = indexKind;
    pending.index.clustered = indexKind == IndexKind::PrimaryKey;
    pending.index.unique = true;
    if (AcceptWord(Keyword::Clustered))
        pending.index.clustered = true;
    else if (AcceptWord(Keyword::Nonclustered))
        pending.index.clustered = false;
    if (column == nullptr || (IsSymbol(Peek(), '(') && !AtEnd())) {
        KeyColumns(pending);
    } else {
        pending.index.columns.push_back(*column);
        m_keyPositions.push_back(pending.at);
    }
    IndexOptions(pending.index, false);
}

void StatementParser::References() {
    ObjectName(ScriptText::TableName);
    if (IsSymbol(Peek(), '(') && !AtEnd())
        SkipParenthesised();
}

void StatementParser::NotForReplication() {
    if (IsWord(Peek(), Keyword::Not) && IsWord(Peek(1), Keyword::For)) {
        m_position += 2;
        ExpectWord(Keyword::Replication);
    }
}

std::span<const Position> StatementParser::KeyPositions(const PendingIndex& pending) const {
    return std::span(m_keyPositions).subspan(pending.firstKey, pending.index.columns.size());
}

void StatementParser::KeyColumns(PendingIndex& pending) {
    ExpectSymbol('(');
    // As many names as the list holds, in one allocation.
    pending.index.columns.reserve(pending.index.columns.size() + std::min(ElementCount(), kMostReserved));
    do {
        m_keyPositions.push_back(At(Peek()));
        pending.index.columns.emplace_back(Identifier(ScriptText::KeyColumn));
        if (!AcceptWord(Keyword::Asc))
            AcceptWord(Keyword::Desc);
    } while (AcceptSymbol(','));
    ExpectSymbol(')');
}

void StatementParser::IndexOptions(SchemaIndex& index, bool optionList) {
    if (!optionList && AcceptWord(Keyword::With)) {
        ExpectWord(Keyword::Fillfactor);
        ExpectSymbol('=');
        index.fillFactor = WholeNumber(ScriptText::FillFactor);
    } else if (AcceptWord(Keyword::With)) {
        do {
            const bool fillFactor = IsWord(Peek(), Keyword::Fillfactor);
            Identifier(ScriptText::IndexOption);
            if (fillFactor) {
                ExpectSymbol('=');
                index.fillFactor = WholeNumber(ScriptText::FillFactor);
            } else if (AcceptSymbol('=')) {
                if (AtEnd())
                    Fail(Peek(), ScriptText::AValue);
                Next();
            }
        } while (AcceptSymbol(','));
    }
    if (AcceptWord(Keyword::On))
        Identifier(ScriptText::SegmentName);
}

void StatementParser::CreateIndex(const Token& create) {
    PendingIndex pending;
    pending.firstKey = m_keyPositions.size();
    pending.at = At(create);
    SchemaIndex& index = pending.index;
    index.unique = AcceptWord(Keyword::Unique);
    index.clustered = AcceptWord(Keyword::Clustered);
    const bool described =
        (!index.clustered && AcceptWord(Keyword::Nonclustered)) || index.unique || index.clustered;
    if (!AcceptWord(Keyword::Index))
        Fail(Peek(), described ? ScriptMessage::Argument("INDEX") : ScriptText::TableOrIndex);
    index.name = Identifier(ScriptText::IndexName);
    ExpectWord(Keyword::On);
    const Token& tableToken = Peek();
    const std::string_view tableName = ObjectName(ScriptText::TableName);
    m_indexTable = m_catalog.FindTable(tableName);
    if (m_indexTable == nullptr)
        throw SyntaxError{At(tableToken), ScriptMessage(ScriptText::IndexOnMissingTable,
                                                        {index.name, std::string(tableName)})};
    KeyColumns(pending);
    IndexOptions(index, true);
    m_catalog.AddIndex(*m_indexTable, std::move(pending.index), pending.at, KeyPositions(pending));
    m_indexTable = nullptr;
}

} // namespace quorvel::schema
