#pragma once
// The tokens of a T-SQL script held whole in memory, as UTF-8 (ScriptEncoding.h
// decodes a script from the user's encoding first, so no byte of another
// encoding can end a name).
//
// One plain state machine over the bytes. A line that holds nothing but GO
// (and perhaps a -- comment after it) ends a batch, as in isql, even in the
// middle of a string or a comment: those are then reported unterminated, with
// the GO's line, so that one missing quote costs one batch and not the rest of
// the script.
//
// Words are letters, digits and _ @ # $; a character from U+0080 up is a
// letter too, so names in Japanese and other scripts read as words, except for
// what an editor puts in where ASCII was meant: the no-break and full-width
// spaces (and a byte order mark) are blanks, and the full-width forms of
// ASCII punctuation (，（）；．...) are symbols, so that a message can point at
// them. Columns count characters (UTF-8 sequences).

#include "schema/AsciiCase.h"
#include "schema/Messages.h"

#include <cstddef>
#include <cstdint>
#include <deque>
#include <string>
#include <string_view>

namespace quorvel::schema {

enum class TokenKind : std::uint8_t {
    Word,      // a keyword or a plain identifier
    Bracketed, // [name]; text without the brackets, ]] read as ]
    Quoted,    // "name" (an identifier or a string, by context); "" read as "
    String,    // 'text'; '' read as '
    Number,    // starts with a digit: 12, 1.5e3, 0x1F
    Symbol,    // any other single byte: ( ) , . ; = and the rest
    Go,        // a line holding only GO
    End,       // the end of the script, or of the tokens a parser is handed
};

// What an End token stands for. The lexer ends the script with Script; the
// script reader ends each statement it hands on with what cut it off, so that
// a message can say "found GO" or "found 'CREATE'" (the token's text), and the
// type inside an sp_addtype string ends with TypeText.
enum class EndOf : std::uint8_t { Script, Batch, Semicolon, NextStatement, TypeText };

// A token's text points into the script, or for a string or a name with a
// doubled quote into the lexer's own copy without it: valid while both live.
struct Token {
    TokenKind kind = TokenKind::End;
    bool lineStart = false;     // the first token on its line
    EndOf ends = EndOf::Script; // of an End token
    std::string_view text;
    Place place;
};

// Whether the token is that keyword, in any case: a bracketed or quoted name
// is never a keyword, [table] is a name like any other.
inline bool IsKeyword(const Token& token, std::string_view keyword) {
    return token.kind == TokenKind::Word && EqualsNoCase(token.text, keyword);
}

// Whether the token is that one-byte symbol: ( ) , . ; = and the rest.
inline bool IsSymbol(const Token& token, char symbol) {
    return token.kind == TokenKind::Symbol && token.text.size() == 1 && token.text[0] == symbol;
}

class TokenSink {
public:
    virtual ~TokenSink() = default;
    virtual void OnToken(const Token& token) = 0;
    // Something unterminated from at; goLine: the line of the GO that ended
    // its batch, 0 when the script ended first.
    virtual void OnLexProblem(Place at, Text message, std::size_t goLine) = 0;
};

class ScriptLexer {
public:
    explicit ScriptLexer(TokenSink& sink) : m_sink(sink) {}

    // Sends every token of the script, then End.
    void Read(std::string_view script);

private:
    void Advance(std::size_t bytes);
    // Where the byte to read stands.
    Place Here() const;
    Token Begin(TokenKind kind);
    void Word(bool number);
    void Quote(char open);
    void BlockComment();
    void Symbol(std::size_t bytes);
    void EmitGo(Place at);
    // Whether the current line, up to end, is GO between blanks, perhaps
    // followed by a -- comment.
    bool LineIsGo(std::size_t end) const;

    TokenSink& m_sink;
    std::string_view m_script;
    std::size_t m_at = 0;
    std::size_t m_line = 1;
    std::size_t m_column = 1; // of the next character
    std::size_t m_lineStart = 0;
    bool m_lineHasToken = false;
    std::deque<std::string> m_unquoted; // texts whose doubled quotes were made single
};

} // namespace quorvel::schema
