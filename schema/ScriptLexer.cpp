#include "schema/ScriptLexer.h"

namespace quorvel::schema {

namespace {

inline bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f';
}

inline bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// Letters, digits, _ @ # $ and every byte from 0x80 up.
inline bool IsWordByte(char c) {
    const auto u = static_cast<unsigned char>(c);
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || IsDigit(c) || c == '_' || c == '@' || c == '#' ||
           c == '$' || u >= 0x80;
}

// A continuation byte of UTF-8 belongs to the character before it.
inline bool IsContinuation(char c) {
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

bool IsGo(std::string_view word) {
    return word.size() == 2 && (word[0] | 0x20) == 'g' && (word[1] | 0x20) == 'o';
}

// What a character from U+0080 up is to the lexer.
enum class Wide { Letter, Blank, Symbol };

// The character at s[at] (a byte from 0x80 up) and its length in bytes. A
// byte that starts no character of UTF-8 (a script read without decoding) is
// a letter of one byte, as every such byte was before scripts were decoded.
Wide WideAt(std::string_view s, std::size_t at, std::size_t& length) {
    const auto byte = [&](std::size_t k) { return static_cast<char32_t>(static_cast<unsigned char>(s[at + k])); };
    const char32_t lead = byte(0);
    char32_t code = 0;
    length = 1;
    if (lead >= 0xC2 && lead <= 0xDF && at + 1 < s.size() && IsContinuation(s[at + 1])) {
        length = 2;
        code = ((lead & 0x1F) << 6) | (byte(1) & 0x3F);
    } else if (lead >= 0xE0 && lead <= 0xEF && at + 2 < s.size() && IsContinuation(s[at + 1]) &&
               IsContinuation(s[at + 2])) {
        length = 3;
        code = ((lead & 0x0F) << 12) | ((byte(1) & 0x3F) << 6) | (byte(2) & 0x3F);
    } else {
        return Wide::Letter;
    }
    // No-break space, ideographic space, and a byte order mark inside the text.
    if (code == 0xA0 || code == 0x3000 || code == 0xFEFF)
        return Wide::Blank;
    // U+FF01 to U+FF5E are the full-width forms of ! to ~: their punctuation
    // is punctuation, their letters, digits and _ @ # $ stay letters.
    if (code >= 0xFF01 && code <= 0xFF5E && !IsWordByte(static_cast<char>(code - 0xFF01 + '!')))
        return Wide::Symbol;
    return Wide::Letter;
}

// Blanks up to the end of the line, or up to a -- comment, from at.
bool RestOfLineIsBlank(std::string_view s, std::size_t at) {
    while (at < s.size() && IsBlank(s[at]))
        ++at;
    return at == s.size() || s[at] == '\n' || s.substr(at, 2) == "--";
}

} // namespace

void ScriptLexer::Advance(std::size_t bytes) {
    for (const std::size_t stop = m_at + bytes; m_at < stop; ++m_at) {
        if (m_script[m_at] == '\n') {
            ++m_line;
            m_column = 1;
            m_lineStart = m_at + 1;
            m_lineHasToken = false;
        } else if (!IsContinuation(m_script[m_at])) {
            ++m_column;
        }
    }
}

void ScriptLexer::Read(std::string_view script) {
    if (script.starts_with("\xEF\xBB\xBF")) // a byte order mark is no text
        script.remove_prefix(3);
    m_script = script;
    while (m_at < m_script.size()) {
        const char c = m_script[m_at];
        const char next = m_at + 1 < m_script.size() ? m_script[m_at + 1] : '\0';
        std::size_t length = 1;
        const Wide wide = static_cast<unsigned char>(c) >= 0x80 ? WideAt(m_script, m_at, length) : Wide::Letter;
        if (c == '\n' || IsBlank(c) || wide == Wide::Blank) {
            Advance(length);
        } else if (wide == Wide::Symbol) {
            Symbol(length);
        } else if (IsWordByte(c)) {
            Word(IsDigit(c));
        } else if (c == '\'' || c == '"' || c == '[') {
            Quote(c);
        } else if (c == '-' && next == '-') {
            while (m_at < m_script.size() && m_script[m_at] != '\n')
                Advance(1);
        } else if (c == '/' && next == '*') {
            BlockComment();
        } else {
            Symbol(1);
        }
    }
    Token end;
    end.place = Place{m_line, m_column};
    m_sink.OnToken(end);
}

Place ScriptLexer::Here() const {
    const bool continuation = m_at < m_script.size() && IsContinuation(m_script[m_at]);
    return Place{m_line, continuation && m_column > 1 ? m_column - 1 : m_column};
}

void ScriptLexer::Symbol(std::size_t bytes) {
    Token symbol = Begin(TokenKind::Symbol);
    symbol.text = m_script.substr(m_at, bytes);
    Advance(bytes);
    m_sink.OnToken(symbol);
}

Token ScriptLexer::Begin(TokenKind kind) {
    Token token;
    token.kind = kind;
    token.place = Here();
    token.lineStart = !m_lineHasToken;
    m_lineHasToken = true;
    return token;
}

void ScriptLexer::Word(bool number) {
    Token token = Begin(number ? TokenKind::Number : TokenKind::Word);
    std::size_t end = m_at;
    while (end < m_script.size()) {
        const char c = m_script[end];
        if (static_cast<unsigned char>(c) < 0x80) {
            if (!IsWordByte(c) && !(number && c == '.'))
                break;
            ++end;
            continue;
        }
        std::size_t length = 1;
        if (WideAt(m_script, end, length) != Wide::Letter)
            break;
        end += length;
    }
    token.text = m_script.substr(m_at, end - m_at);
    Advance(end - m_at);
    if (!number && token.lineStart && IsGo(token.text) && RestOfLineIsBlank(m_script, end))
        return EmitGo(token.place);
    m_sink.OnToken(token);
}

void ScriptLexer::Quote(char open) {
    Token token = Begin(open == '\'' ? TokenKind::String : open == '"' ? TokenKind::Quoted : TokenKind::Bracketed);
    const char close = open == '[' ? ']' : open;
    const Text unterminated = open == '\'' ? Text::UnterminatedString
                              : open == '"' ? Text::UnterminatedQuoted
                                            : Text::UnterminatedBracketed;
    Advance(1);
    const std::size_t start = m_at;
    bool doubled = false;
    for (;;) {
        if (m_at == m_script.size())
            return m_sink.OnLexProblem(token.place, unterminated, 0);
        const char c = m_script[m_at];
        if (c == close && (m_at + 1 == m_script.size() || m_script[m_at + 1] != close))
            break;
        if (c == close) { // doubled: the character itself
            doubled = true;
            Advance(1);
        } else if (c == '\n' && LineIsGo(m_at)) {
            m_sink.OnLexProblem(token.place, unterminated, m_line);
            return EmitGo(Place{m_line, 1});
        }
        Advance(1);
    }
    token.text = m_script.substr(start, m_at - start);
    Advance(1);
    if (doubled) {
        std::string& text = m_unquoted.emplace_back();
        for (std::size_t i = 0; i < token.text.size(); i += token.text[i] == close ? 2 : 1)
            text.push_back(token.text[i]);
        token.text = text;
    }
    m_lineHasToken = true; // a string that spans lines leaves its last line taken
    m_sink.OnToken(token);
}

// Block comments nest.
void ScriptLexer::BlockComment() {
    const Place start = Here();
    Advance(2);
    char previous = 0;
    for (int depth = 1; depth > 0;) {
        if (m_at == m_script.size())
            return m_sink.OnLexProblem(start, Text::UnterminatedComment, 0);
        char c = m_script[m_at];
        if (c == '\n' && LineIsGo(m_at)) {
            m_sink.OnLexProblem(start, Text::UnterminatedComment, m_line);
            return EmitGo(Place{m_line, 1});
        }
        if (previous == '/' && c == '*') {
            ++depth;
            c = 0;
        } else if (previous == '*' && c == '/') {
            --depth;
            c = 0;
        }
        previous = c;
        Advance(1);
    }
}

void ScriptLexer::EmitGo(Place at) {
    Token go;
    go.kind = TokenKind::Go;
    go.text = "GO";
    go.place = at;
    go.lineStart = true;
    m_sink.OnToken(go);
}

bool ScriptLexer::LineIsGo(std::size_t end) const {
    std::string_view line = m_script.substr(m_lineStart, end - m_lineStart);
    line = line.substr(0, line.find("--"));
    while (!line.empty() && IsBlank(line.front()))
        line.remove_prefix(1);
    while (!line.empty() && IsBlank(line.back()))
        line.remove_suffix(1);
    return IsGo(line);
}

} // namespace quorvel::schema
