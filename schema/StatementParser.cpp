#include "StatementParser.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <deque>
#include <initializer_list>

namespace quorvel::schema {

namespace {

// A syntax error; thrown from deep inside a statement and caught once per piece.
struct SyntaxError {
    Position at;
    std::string message;
    bool atPieceEnd = false; // the piece ended too early
};

// Values no 6.x length or precision comes near; larger ones are held at this.
constexpr std::int64_t kCountCap = 1'000'000'000'000'000'000;
constexpr std::size_t kShownTokenBytes = 32;
constexpr std::size_t kUsualColumns = 8;
constexpr std::size_t kUsualIndexes = 4;

bool OneOf(Keyword keyword, std::initializer_list<Keyword> keywords) {
    return std::find(keywords.begin(), keywords.end(), keyword) != keywords.end();
}

bool IsSymbol(const Token& token, char symbol) {
    return token.kind == TokenKind::Symbol && token.text.size() == 1 && token.text[0] == symbol;
}

bool IsName(const Token& token) {
    return token.kind == TokenKind::Word || token.kind == TokenKind::Bracketed ||
           token.kind == TokenKind::Quoted;
}

Position At(const Token& token) {
    return Position{token.line, token.column};
}

// A token as a message shows it: printable, and not too long.
std::string Describe(const Token& token) {
    switch (token.kind) {
    case TokenKind::End:
        return token.text.empty() ? "the end of the script" : std::string(token.text);
    case TokenKind::Go:
        return "GO";
    case TokenKind::String:
        return "a string";
    default:
        break;
    }
    std::string shown;
    for (std::size_t i = 0; i < token.text.size() && i < kShownTokenBytes; ++i) {
        const auto c = static_cast<unsigned char>(token.text[i]);
        if (c < 0x20 || c == 0x7F) {
            std::array<char, 8> hex{};
            std::snprintf(hex.data(), hex.size(), "\\x%02X", c);
            shown += hex.data();
        } else {
            shown.push_back(static_cast<char>(c));
        }
    }
    if (token.text.size() > kShownTokenBytes)
        shown += "...";
    if (token.kind == TokenKind::Bracketed)
        return "[" + shown + "]";
    if (token.kind == TokenKind::Quoted)
        return "\"" + shown + "\"";
    return "'" + shown + "'";
}

// The tokens of a text inside a string: the type given to sp_addtype.
class TokenList : public TokenSink {
public:
    std::vector<Token> tokens;
    std::deque<std::string> texts;
    bool failed = false;
    void OnToken(const Token& token) override {
        if (token.kind == TokenKind::End)
            return;
        tokens.push_back(token);
        tokens.back().text = texts.emplace_back(token.text);
    }
    void OnLexProblem(std::size_t, std::size_t, std::string) override { failed = true; }
};

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

bool StartsStatement(const Token& token) {
    return token.lineStart && StartsStatement(token.keyword);
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
    m_table.name = ObjectName("a table name");
    m_table.columns.reserve(kUsualColumns);
    m_table.indexes.reserve(kUsualIndexes);
    m_inTable = true;
    ExpectSymbol('(');
    do {
        if (!m_table.columns.empty() && IsSymbol(Peek(), ')') && !AtEnd())
            break; // a comma before the closing parenthesis, which the server lets pass
        TableElement();
    } while (AcceptSymbol(','));
    if (!AcceptSymbol(')'))
        Fail(Peek(), "',' or ')'");
    if (AcceptWord(Keyword::On))
        Identifier("a segment name");

    m_inTable = false;
    SchemaTable& table = m_catalog.AddTable(std::move(m_table));
    for (PendingIndex& p : m_pending)
        m_catalog.AddIndex(table, std::move(p.index), p.at, KeyPositions(p));
    m_pending.clear();
    m_keyPositions.clear();
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
    SchemaColumn column;
    column.name = Identifier("a column name");
    const Token& typeToken = Peek();
    bool identity = false;
    if (EqualsNoCase(column.name, "timestamp") && (IsSymbol(typeToken, ',') || IsSymbol(typeToken, ')'))) {
        // A column named timestamp without a type is a timestamp column.
        const TypeLookup lookup = BuiltinType("timestamp", {});
        column.type = lookup.type.text;
        column.bytes = lookup.type.bytes;
    } else {
        ParsedType parsed = Type(true);
        if (parsed.lookup.found) {
            column.type = std::move(parsed.lookup.type.text);
            column.kind = parsed.lookup.type.kind;
            column.bytes = parsed.lookup.type.bytes;
            column.nullability = parsed.nullability;
        } else {
            m_table.problems.push_back(
                m_catalog.Problem(At(typeToken), "column " + column.name + ": " + parsed.lookup.error));
        }
    }

    for (;;) {
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
    m_table.columns.push_back(std::move(column));
}

StatementParser::ParsedType StatementParser::Type(bool userTypes) {
    if (AtEnd() || !IsName(Peek()))
        Fail(Peek(), "a type");
    std::string name = LowerCase(Next().text);
    if (name == "double" && AcceptWord(Keyword::Precision))
        name = "double precision";
    else if ((name == "char" || name == "character") && AcceptWord(Keyword::Varying))
        name += " varying";
    // No type takes more than two numbers; a third is kept only to be refused.
    std::array<std::int64_t, 3> arguments{};
    std::size_t count = 0;
    if (AcceptSymbol('(')) {
        do {
            const std::int64_t value = Count(WholeNumber("a whole number"));
            if (count < arguments.size())
                arguments[count++] = value;
        } while (AcceptSymbol(','));
        ExpectSymbol(')');
    }

    ParsedType parsed;
    parsed.lookup = BuiltinType(name, std::span(arguments.data(), count));
    const UserType* user = userTypes && parsed.lookup.unknown ? m_catalog.FindType(name) : nullptr;
    if (user != nullptr && count > 0) {
        parsed.lookup.error = "type " + name + " takes no length or precision";
    } else if (user != nullptr) {
        parsed.lookup.found = true;
        parsed.lookup.type = user->type;
        parsed.lookup.type.text = name + " (" + user->type.text + ")";
        parsed.nullability = user->nullability;
    }
    return parsed;
}

void StatementParser::Constraint(const std::string* column) {
    PendingIndex pending;
    pending.firstKey = m_keyPositions.size();
    pending.at = At(Peek());
    if (AcceptWord(Keyword::Constraint))
        pending.index.name = Identifier("a constraint name");
    const Token& kind = Peek();
    if (AcceptWord(Keyword::Primary)) {
        ExpectWord(Keyword::Key);
        pending.index.kind = IndexKind::PrimaryKey;
        pending.index.clustered = true;
    } else if (AcceptWord(Keyword::Unique)) {
        pending.index.kind = IndexKind::Unique;
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
            Identifier("a column name");
        }
        return;
    } else {
        Fail(kind, "PRIMARY KEY, UNIQUE, FOREIGN KEY, REFERENCES, CHECK or DEFAULT");
    }
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
    m_pending.push_back(std::move(pending));
}

void StatementParser::References() {
    ObjectName("a table name");
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
    do {
        m_keyPositions.push_back(At(Peek()));
        pending.index.columns.push_back(Identifier("a key column"));
        if (!AcceptWord(Keyword::Asc))
            AcceptWord(Keyword::Desc);
    } while (AcceptSymbol(','));
    ExpectSymbol(')');
}

void StatementParser::IndexOptions(SchemaIndex& index, bool optionList) {
    if (!optionList && AcceptWord(Keyword::With)) {
        ExpectWord(Keyword::Fillfactor);
        ExpectSymbol('=');
        index.fillFactor = WholeNumber("a fill factor");
    } else if (AcceptWord(Keyword::With)) {
        do {
            const bool fillFactor = IsWord(Peek(), Keyword::Fillfactor);
            Identifier("an index option");
            if (fillFactor) {
                ExpectSymbol('=');
                index.fillFactor = WholeNumber("a fill factor");
            } else if (AcceptSymbol('=')) {
                if (AtEnd())
                    Fail(Peek(), "a value");
                Next();
            }
        } while (AcceptSymbol(','));
    }
    if (AcceptWord(Keyword::On))
        Identifier("a segment name");
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
        Fail(Peek(), described ? "INDEX" : "TABLE or INDEX");
    index.name = Identifier("an index name");
    ExpectWord(Keyword::On);
    const Token& tableToken = Peek();
    const std::string tableName = ObjectName("a table name");
    m_indexTable = m_catalog.FindTable(tableName);
    if (m_indexTable == nullptr)
        throw SyntaxError{At(tableToken), "index " + index.name + " is on table " + tableName +
                                              ", which this script does not create"};
    KeyColumns(pending);
    IndexOptions(index, true);
    m_catalog.AddIndex(*m_indexTable, std::move(pending.index), pending.at, KeyPositions(pending));
    m_indexTable = nullptr;
}

bool StatementParser::Exec(bool withKeyword) {
    if (withKeyword && Peek().kind == TokenKind::Word && Peek().text[0] == '@' && IsSymbol(Peek(1), '='))
        m_position += 2; // EXEC @status = procedure
    const Token& procedure = Peek();
    if (AtEnd() || !IsName(procedure) || !EqualsNoCase(ObjectName("a procedure name"), "sp_addtype")) {
        m_catalog.CountSkipped();
        return false;
    }
    AddType(procedure);
    return true;
}

void StatementParser::AddType(const Token& procedure) {
    // sp_addtype @typename, @phystype [, @nulltype], by place or by name.
    static constexpr std::array<const char*, 3> kParameters{"@typename", "@phystype", "@nulltype"};
    std::array<const Token*, 3> arguments{};
    std::size_t place = 0;
    do {
        if (Peek().kind == TokenKind::Word && Peek().text[0] == '@' && IsSymbol(Peek(1), '=')) {
            const Token& parameter = Next();
            Next();
            place = kParameters.size();
            for (std::size_t i = 0; i < kParameters.size(); ++i) {
                if (EqualsNoCase(parameter.text, kParameters[i]))
                    place = i;
            }
            if (place == kParameters.size())
                Fail(parameter, "@typename, @phystype or @nulltype");
        }
        const Token& value = Peek();
        if (place >= arguments.size())
            Fail(value, "the end of the sp_addtype arguments");
        if (AtEnd() || !(IsName(value) || value.kind == TokenKind::String || value.kind == TokenKind::Number))
            Fail(value, "an argument of sp_addtype");
        arguments[place++] = &Next();
    } while (AcceptSymbol(','));
    if (arguments[0] == nullptr || arguments[1] == nullptr)
        throw SyntaxError{At(procedure), "sp_addtype needs a type name and a physical type"};

    UserType type = TypeFromText(*arguments[1]);
    if (const Token* nulls = arguments[2]) {
        std::string words;
        for (const char c : nulls->text) {
            if (c != ' ' && c != '\t')
                words.push_back(c);
        }
        if (EqualsNoCase(words, "NULL"))
            type.nullability = Nullability::Null;
        else if (EqualsNoCase(words, "NOTNULL") || EqualsNoCase(words, "NONULL"))
            type.nullability = Nullability::NotNull;
        else
            Fail(*nulls, "'NULL' or 'NOT NULL'");
    }
    m_catalog.AddType(std::string(arguments[0]->text), std::move(type), At(*arguments[0]));
}

UserType StatementParser::TypeFromText(const Token& text) {
    TokenList list;
    if (text.kind == TokenKind::Word) {
        list.tokens.push_back(text);
    } else {
        ScriptLexer lexer(list);
        lexer.Feed(text.text);
        lexer.Finish();
    }
    for (Token& t : list.tokens) {
        t.line = text.line;
        t.column = text.column;
    }
    Token end;
    end.text = "the end of the type";
    end.line = text.line;
    end.column = text.column;

    // The cursor reads the string's tokens for a while.
    struct Restore {
        StatementParser& parser;
        std::span<const Token> tokens;
        const Token* end;
        std::size_t position;
        ~Restore() {
            parser.m_tokens = tokens;
            parser.m_end = end;
            parser.m_position = position;
        }
    } restore{*this, m_tokens, m_end, m_position};
    m_tokens = list.tokens;
    m_end = &end;
    m_position = 0;
    const ParsedType parsed = Type(false);
    if (!AtEnd() || list.failed)
        Fail(Peek(), "a type");

    if (!parsed.lookup.found)
        throw SyntaxError{At(text), "sp_addtype: " + parsed.lookup.error};
    return UserType{parsed.lookup.type, Nullability::Unspecified};
}

const Token& StatementParser::Peek(std::size_t ahead) const {
    const std::size_t at = m_position + ahead;
    return at < m_tokens.size() ? m_tokens[at] : *m_end;
}

const Token& StatementParser::Next() {
    const Token& token = Peek();
    if (!AtEnd())
        ++m_position;
    return token;
}

bool StatementParser::IsWord(const Token& token, Keyword keyword) const {
    return &token != m_end && token.keyword == keyword;
}

bool StatementParser::AcceptWord(Keyword keyword) {
    if (AtEnd() || Peek().keyword != keyword)
        return false;
    ++m_position;
    return true;
}

bool StatementParser::AcceptSymbol(char symbol) {
    if (AtEnd() || !IsSymbol(Peek(), symbol))
        return false;
    ++m_position;
    return true;
}

void StatementParser::ExpectWord(Keyword keyword) {
    if (!AcceptWord(keyword))
        Fail(Peek(), std::string(KeywordText(keyword)));
}

void StatementParser::ExpectSymbol(char symbol) {
    if (!AcceptSymbol(symbol))
        Fail(Peek(), std::string("'") + symbol + "'");
}

std::string StatementParser::Identifier(const char* what) {
    if (AtEnd() || !IsName(Peek()))
        Fail(Peek(), what);
    return std::string(Next().text);
}

// [[database.]owner.]name: only the name is kept.
std::string StatementParser::ObjectName(const char* what) {
    std::string name = Identifier(what);
    while (AcceptSymbol('.')) {
        if (!IsSymbol(Peek(), '.') || AtEnd())
            name = Identifier(what);
    }
    return name;
}

std::string_view StatementParser::WholeNumber(const char* what) {
    const Token& token = Peek();
    const bool digits =
        token.kind == TokenKind::Number && token.text.find_first_not_of("0123456789") == std::string::npos;
    if (AtEnd() || !digits)
        Fail(token, what);
    return Next().text;
}

std::int64_t StatementParser::Count(std::string_view digits) {
    std::int64_t value = 0;
    for (const char c : digits) {
        if (value >= kCountCap / 10)
            return kCountCap;
        value = value * 10 + (c - '0');
    }
    return value;
}

void StatementParser::SkipParenthesised() {
    ExpectSymbol('(');
    for (std::size_t depth = 1; depth > 0;) {
        if (AtEnd())
            Fail(Peek(), "')'");
        const Token& token = Next();
        if (IsSymbol(token, '('))
            ++depth;
        else if (IsSymbol(token, ')'))
            --depth;
    }
}

// A default value: constants, functions, parentheses and operators between them.
void StatementParser::SkipExpression() {
    for (;;) {
        while (!AtEnd() && (IsSymbol(Peek(), '+') || IsSymbol(Peek(), '-') || IsSymbol(Peek(), '~')))
            Next();
        const Token& operand = Peek();
        if (!AtEnd() && IsSymbol(operand, '(')) {
            SkipParenthesised();
        } else if (!AtEnd() && (operand.kind == TokenKind::Number || operand.kind == TokenKind::String)) {
            Next();
        } else if (!AtEnd() && IsName(operand)) {
            ObjectName("a value");
            if (!AtEnd() && IsSymbol(Peek(), '('))
                SkipParenthesised();
        } else {
            Fail(operand, "a value");
        }
        const Token& next = Peek();
        const bool binary = !AtEnd() && next.kind == TokenKind::Symbol && next.text.size() == 1 &&
                            std::string_view("+-*/%&|^").find(next.text[0]) != std::string_view::npos;
        if (!binary)
            return;
        Next();
    }
}

void StatementParser::Fail(const Token& at, const std::string& expected) const {
    throw SyntaxError{At(at), "expected " + expected + " but found " + Describe(at), &at == m_end};
}

} // namespace quorvel::schema
