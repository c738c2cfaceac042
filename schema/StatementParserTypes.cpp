// Column types, and the types that EXEC sp_addtype adds, for the statement parser.

#include "schema/StatementParser.h"
#include "schema/SyntaxError.h"

#include <algorithm>
#include <array>

namespace quorvel::schema {

using namespace parsing;

namespace {

// The tokens of a text inside a string: the type given to sp_addtype.
class TokenList : public TokenSink {
public:
    std::vector<Token> tokens;
    bool failed = false;
    void OnToken(const Token& token) override {
        if (token.kind != TokenKind::End)
            tokens.push_back(token);
    }
    void OnLexProblem(Place, Text, std::size_t) override { failed = true; }
};

// Whether a text run by EXECUTE may create or change a table or a type: it
// names a statement or procedure that does. The text is not read.
bool ChangesSchema(std::string_view text) {
    static constexpr std::array<std::string_view, 7> kWords{"create", "alter", "drop", "into",
                                                            "sp_addtype", "sp_droptype", "sp_rename"};
    const std::string lower = LowerCase(text);
    return std::any_of(kWords.begin(), kWords.end(),
                       [&lower](std::string_view word) { return lower.find(word) != std::string::npos; });
}

} // namespace

std::string StatementParser::ParsedType::Spelling() const {
    return user == nullptr ? lookup.type.text : name + " (" + user->type.text + ")";
}

StatementParser::ParsedType StatementParser::Type(bool userTypes) {
    ParsedType parsed;
    parsed.name = LowerCase(ObjectName(Text::AType)); // [dbo].[zip] is the type zip
    if (parsed.name == "double" && AcceptWord("PRECISION"))
        parsed.name = "double precision";
    else if ((parsed.name == "char" || parsed.name == "character") && AcceptWord("VARYING"))
        parsed.name += " varying";
    // No type takes more than two numbers; a third is kept only to be refused.
    std::array<std::int64_t, 3> arguments{};
    std::size_t count = 0;
    if (IsSymbol(Peek(), '(') && IsKeyword(Peek(1), "MAX")) { // varchar(max)
        m_position += 2;
        ExpectSymbol(')');
        parsed.name += "(max)";
        parsed.lookup = TypeLookup{TypeOutcome::LaterVersion, {}, Text::LaterVersion, "2005"};
        return parsed;
    }
    if (AcceptSymbol('(')) {
        do {
            const std::int64_t value = Count(WholeNumber(Text::WholeNumber));
            if (count < arguments.size())
                arguments[count++] = value;
        } while (AcceptSymbol(','));
        ExpectSymbol(')');
    }

    parsed.lookup = BuiltinType(parsed.name, std::span(arguments.data(), count));
    // A type of a later version was no type in 6.x, where sp_addtype may have made one of that name.
    const bool builtin = parsed.lookup.outcome == TypeOutcome::Found || parsed.lookup.outcome == TypeOutcome::Refused;
    const UserType* user = userTypes && !builtin ? m_catalog.FindType(parsed.name) : nullptr;
    if (user != nullptr && count > 0) {
        parsed.lookup = TypeLookup{TypeOutcome::Refused, {}, Text::UserTypeArguments, {}};
    } else if (user != nullptr) {
        parsed.lookup = TypeLookup{TypeOutcome::Found, user->type, Text::UnknownType, {}};
        parsed.user = user;
        parsed.nullability = user->nullability;
    }
    return parsed;
}

bool StatementParser::Exec(const Token& first, bool withKeyword) {
    if (withKeyword && IsSymbol(Peek(), '(')) { // EXECUTE ('CREATE TABLE ' + @name + ...)
        for (; !AtEnd(); Next()) {
            if (Peek().kind == TokenKind::String && ChangesSchema(Peek().text)) {
                m_catalog.AddNote(first.place, Message(Text::ExecuteTextNotRead));
                return false;
            }
        }
        m_catalog.CountSkipped();
        return false;
    }
    if (withKeyword && Peek().kind == TokenKind::Word && Peek().text[0] == '@' && IsSymbol(Peek(1), '='))
        m_position += 2; // EXEC @status = procedure
    const Token& procedure = Peek();
    const std::string_view name = IsName(procedure) ? ObjectName(Text::ProcedureName) : std::string_view();
    if (EqualsNoCase(name, "sp_addtype")) {
        AddType(procedure);
        return true;
    }
    // The type's parameter, by place or by name.
    if (Peek().kind == TokenKind::Word && Peek().text[0] == '@' && IsSymbol(Peek(1), '='))
        m_position += 2;
    const Token& object = Peek();
    const bool named = IsName(object) || object.kind == TokenKind::String;
    if (EqualsNoCase(name, "sp_droptype") && named) {
        m_catalog.DropType(Next().text);
        return true;
    }
    if (EqualsNoCase(name, "sp_rename") && named) {
        m_catalog.AddNote(first.place, Message(Text::RenameNotRead, {object.text}));
        return false;
    }
    m_catalog.CountSkipped();
    return false;
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
                Fail(parameter, Text::AddTypeParameter);
        }
        const Token& value = Peek();
        if (place >= arguments.size())
            Fail(value, Text::AddTypeEnd);
        if (!(IsName(value) || value.kind == TokenKind::String || value.kind == TokenKind::Number))
            Fail(value, Text::AddTypeArgument);
        arguments[place++] = &Next();
    } while (AcceptSymbol(','));
    if (arguments[0] == nullptr || arguments[1] == nullptr)
        throw SyntaxError{procedure.place, Message(Text::AddTypeArguments)};

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
            Fail(*nulls, Text::NullOrNotNull);
    }
    m_catalog.AddType(std::string(arguments[0]->text), std::move(type), arguments[0]->place);
}

UserType StatementParser::TypeFromText(const Token& text) {
    TokenList list;
    ScriptLexer lexer(list); // holds the texts of the tokens it reads
    if (text.kind == TokenKind::Word)
        list.tokens.push_back(text);
    else
        lexer.Read(text.text);
    for (Token& t : list.tokens)
        t.place = text.place;
    Token end;
    end.ends = EndOf::TypeText;
    end.place = text.place;
    list.tokens.push_back(end);

    // The cursor reads the string's tokens for a while.
    struct Restore {
        StatementParser& parser;
        std::span<const Token> tokens;
        std::size_t position;
        ~Restore() {
            parser.m_tokens = tokens;
            parser.m_position = position;
        }
    } restore{*this, m_tokens, m_position};
    m_tokens = list.tokens;
    m_position = 0;
    const ParsedType parsed = Type(false);
    if (!AtEnd() || list.failed)
        Fail(Peek(), Text::AType);

    if (parsed.lookup.outcome != TypeOutcome::Found)
        throw SyntaxError{text.place,
                          Message(Text::AddTypeProblem, {parsed.lookup.Problem(parsed.name)})};
    return UserType{parsed.lookup.type, Nullability::Unspecified};
}

} // namespace quorvel::schema
