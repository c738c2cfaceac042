// The statement parser's cursor over the tokens of a piece, and the syntax
// errors it throws.

#include "schema/StatementParser.h"
#include "schema/SyntaxError.h"

#include <algorithm>
#include <array>
#include <cstdio>

namespace quorvel::schema {

using namespace parsing;

namespace {

// Values no 6.x length or precision comes near; larger ones are held at this.
constexpr std::int64_t kCountCap = 1'000'000'000'000'000'000;
constexpr std::size_t kShownTokenBytes = 32;

// A token as a message shows it: printable, and not too long. An End token
// shows what ended its piece.
Message::Argument Describe(const Token& token) {
    switch (token.kind) {
    case TokenKind::End:
        switch (token.ends) {
        case EndOf::Script:
            return Text::EndOfScript;
        case EndOf::TypeText:
            return Text::EndOfType;
        case EndOf::Batch:
            return "GO";
        case EndOf::Semicolon:
        case EndOf::NextStatement:
            break; // the token itself: ';' or the word that starts the next statement
        }
        break;
    case TokenKind::Go:
        return "GO";
    case TokenKind::String:
        return Text::AString;
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

} // namespace

void StatementParser::ExpectWord(std::string_view keyword) {
    if (!AcceptWord(keyword))
        Fail(Peek(), std::string(keyword));
}

void StatementParser::ExpectSymbol(char symbol) {
    if (!AcceptSymbol(symbol))
        Fail(Peek(), std::string("'") + symbol + "'");
}

std::string_view StatementParser::Identifier(Text what) {
    if (!IsName(Peek()))
        Fail(Peek(), what);
    return Next().text;
}

// [[database.]owner.]name: only the name is kept.
std::string_view StatementParser::ObjectName(Text what) {
    std::string_view name = Identifier(what);
    while (AcceptSymbol('.')) {
        if (!IsSymbol(Peek(), '.'))
            name = Identifier(what);
    }
    return name;
}

std::string_view StatementParser::WholeNumber(Text what) {
    const Token& token = Peek();
    const bool digits =
        token.kind == TokenKind::Number &&
        std::all_of(token.text.begin(), token.text.end(), [](char c) { return c >= '0' && c <= '9'; });
    if (!digits)
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
        while (IsSymbol(Peek(), '+') || IsSymbol(Peek(), '-') || IsSymbol(Peek(), '~'))
            Next();
        const Token& operand = Peek();
        if (IsSymbol(operand, '(')) {
            SkipParenthesised();
        } else if (operand.kind == TokenKind::Number || operand.kind == TokenKind::String) {
            Next();
        } else if (IsName(operand)) {
            ObjectName(Text::AValue);
            if (IsSymbol(Peek(), '('))
                SkipParenthesised();
        } else {
            Fail(operand, Text::AValue);
        }
        const Token& next = Peek();
        const bool binary = next.kind == TokenKind::Symbol && next.text.size() == 1 &&
                            std::string_view("+-*/%&|^").find(next.text[0]) != std::string_view::npos;
        if (!binary)
            return;
        Next();
    }
}

void StatementParser::Fail(const Token& at, Message::Argument expected) const {
    throw SyntaxError{at.place, Message(Text::Expected, {std::move(expected), Describe(at)}),
                      at.kind == TokenKind::End};
}

} // namespace quorvel::schema