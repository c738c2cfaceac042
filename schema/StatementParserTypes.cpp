// Column types, and the types that EXEC sp_addtype adds, for the statement parser.

#include "StatementParser.h"
#include "SyntaxError.h"

#include <algorithm>
#include <array>
#include <deque>

namespace quorvel::schema {

using namespace parsing;

namespace {

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
    void OnLexProblem(std::size_t, std::size_t, ScriptText) override { failed = true; }
};

} // namespace

void StatementParser::ParsedType::AppendText(std::string& out) const {
    if (user == nullptr) {
        lookup.AppendText(out);
        return;
    }
    out += name;
    out += " (";
    out += user->type.text;
    out += ')';
}

StatementParser::ParsedType StatementParser::Type(bool userTypes) {
    if (AtEnd() || !IsName(Peek()))
        Fail(Peek(), ScriptText::AType);
    // One buffer for the name of every type read, lowered as it is copied.
    std::string& name = m_typeName;
    const std::string_view written = Next().text;
    name.resize(written.size());
    std::transform(written.begin(), written.end(), name.begin(), LowerAscii);
    using namespace std::string_view_literals;
    if (name == "double"sv && AcceptWord(Keyword::Precision))
        name = "double precision";
    else if ((name == "char"sv || name == "character"sv) && AcceptWord(Keyword::Varying))
        name += " varying";
    // No type takes more than two numbers; a third is kept only to be refused.
    std::array<std::int64_t, 3> arguments{};
    std::size_t count = 0;
    if (AcceptSymbol('(')) {
        do {
            const std::int64_t value = Count(WholeNumber(ScriptText::WholeNumber));
            if (count < arguments.size())
                arguments[count++] = value;
        } while (AcceptSymbol(','));
        ExpectSymbol(')');
    }

    // Built in place: a copy would load fields only just stored one by one.
    ParsedType parsed{.lookup = BuiltinType(name, std::span(arguments.data(), count)),
                      .name = {},
                      .user = nullptr,
                      .nullability = Nullability::Unspecified};
    const UserType* user = userTypes && parsed.lookup.unknown ? m_catalog.FindType(name) : nullptr;
    if (user != nullptr && count > 0) {
        parsed.lookup.error = ScriptText::UserTypeArguments;
    } else if (user != nullptr) {
        parsed.lookup.found = true;
        parsed.lookup.kind = user->type.kind;
        parsed.lookup.bytes = user->type.bytes;
        parsed.user = user;
        parsed.nullability = user->nullability;
    }
    if (!parsed.lookup.found || user != nullptr)
        parsed.name = name;
    return parsed;
}

bool StatementParser::Exec(bool withKeyword) {
    if (withKeyword && Peek().kind == TokenKind::Word && Peek().text[0] == '@' && IsSymbol(Peek(1), '='))
        m_position += 2; // EXEC @status = procedure
    const Token& procedure = Peek();
    if (AtEnd() || !IsName(procedure) || !EqualsNoCase(ObjectName(ScriptText::ProcedureName), "sp_addtype")) {
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
                Fail(parameter, ScriptText::AddTypeParameter);
        }
        const Token& value = Peek();
        if (place >= arguments.size())
            Fail(value, ScriptText::AddTypeEnd);
        if (AtEnd() || !(IsName(value) || value.kind == TokenKind::String || value.kind == TokenKind::Number))
            Fail(value, ScriptText::AddTypeArgument);
        arguments[place++] = &Next();
    } while (AcceptSymbol(','));
    if (arguments[0] == nullptr || arguments[1] == nullptr)
        throw SyntaxError{At(procedure), ScriptMessage(ScriptText::AddTypeArguments)};

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
            Fail(*nulls, ScriptText::NullOrNotNull);
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
        Fail(Peek(), ScriptText::AType);

    if (!parsed.lookup.found)
        throw SyntaxError{At(text),
                          ScriptMessage(ScriptText::AddTypeProblem, {{parsed.lookup.error, parsed.name}})};
    return UserType{parsed.lookup.Type(), Nullability::Unspecified};
}

} // namespace quorvel::schema
