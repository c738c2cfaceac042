#pragma once
// The tokens of a T-SQL script, read from bytes that arrive in pieces of any size.
//
// The lexer is a state machine over single bytes: a word, a string or a comment
// may be cut anywhere between two pieces, and nothing but the token being read
// is held. A line that holds nothing but GO ends a batch, as in isql, even in
// the middle of a string or a comment: those are then reported unterminated, so
// that one missing quote costs one batch and not the rest of the script.
//
// Words are letters, digits and _ @ # $; every byte from 0x80 up also counts as
// a letter, so UTF-8 names (and those of other ASCII-compatible encodings) read
// as words. Columns count UTF-8 sequences.

#include "Keywords.h"
#include "ScriptMessage.h"

#include <cstddef>
#include <cstdint>
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
    End,       // the end of the script
};

// A token's text is valid only while the sink's OnToken runs: it mostly points
// straight into the bytes being fed, so a sink that keeps a token copies it.
struct Token {
    TokenKind kind = TokenKind::End;
    Keyword keyword = Keyword::None; // of a Word
    bool lineStart = false;          // the first token on its line
    std::string_view text;
    std::size_t line = 0;
    std::size_t column = 0;
};

// Whether the token is that one-byte symbol: ( ) , . ; = and the rest.
inline bool IsSymbol(const Token& token, char symbol) {
    return token.kind == TokenKind::Symbol && token.text.size() == 1 && token.text[0] == symbol;
}

class TokenSink {
public:
    virtual ~TokenSink() = default;
    virtual void OnToken(const Token& token) = 0;
    virtual void OnLexProblem(std::size_t line, std::size_t column, ScriptText message) = 0;
};

class ScriptLexer {
public:
    explicit ScriptLexer(TokenSink& sink) : m_sink(sink) {}

    void Feed(std::string_view bytes);
    // The end of the input: flushes the token being read and sends End.
    void Finish();

private:
    enum class State {
        Normal,
        Word,
        Number,
        Quote,
        Bracket,
        LineComment,
        BlockComment,
        AfterMinus,
        AfterSlash
    };
    // Whether the current line so far is blanks, "g", or "go" and blanks.
    enum class GoProbe { Blank, G, Go, Other };

    // The common bytes in one loop: words and numbers, blanks, line breaks,
    // ( ) , . = and line comments. Answers the first byte that Step must take.
    const char* Run(const char* p, const char* end);
    void Step(const char* at);
    void StepNormal(const char* at);
    void StartToken(TokenKind kind);
    // A word or number ends before the byte at end (nullptr: it was spilled).
    std::string_view WordText(const char* end) const;
    void Emit(std::string_view text);
    void EmitSymbol(char symbol, std::size_t line, std::size_t column);
    void EmitGo(std::size_t line, std::size_t column);
    void FlushPendingGo();
    void EndWord(const char* end);
    void Unterminated();
    void Probe(unsigned char c);

    TokenSink& m_sink;
    State m_state = State::Normal;
    GoProbe m_probe = GoProbe::Blank;
    std::size_t m_line = 1;
    // m_column stands between: a new token's line and column are then not read
    // as one 16-byte load of m_line and m_nextColumn just after m_nextColumn
    // was stored, a load the processor cannot take from its pending store.
    std::size_t m_column = 1; // of the byte being read
    std::size_t m_nextColumn = 1;
    bool m_lineHasToken = false;

    const char* m_chunkBegin = nullptr; // the bytes of the current Feed
    const char* m_chunkEnd = nullptr;
    Token m_token;                     // the token being read
    const char* m_wordStart = nullptr; // where a word or number began in the fed bytes
    bool m_spilled = false;            // its text is in m_text: it began in an earlier Feed
    std::string m_text;                // the text of a string, or of a spilled word
    char m_close = 0;                  // the closing character of a quote or bracket
    bool m_closeSeen = false;          // one closing character read: doubled or the end?
    int m_commentDepth = 0;            // block comments nest
    unsigned char m_previous = 0;
    std::size_t m_pendingLine = 0; // a - or / that may start a comment
    std::size_t m_pendingColumn = 0;
    bool m_pendingGo = false; // a line-leading GO waiting for the end of its line
    Token m_goWord;
    std::string m_goText;
    std::size_t m_bomBytes = 0; // bytes of a leading byte order mark matched so far
    bool m_started = false;     // past the place where a byte order mark may stand
};

} // namespace quorvel::schema
