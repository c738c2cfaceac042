#include "ScriptLexer.h"

#include <array>
#include <cstring>

namespace quorvel::schema {

namespace {

constexpr std::array<unsigned char, 3> kByteOrderMark{0xEF, 0xBB, 0xBF};

// Every byte value once, for the text of a symbol whose byte is long gone.
constexpr std::array<char, 256> kBytes = [] {
    std::array<char, 256> bytes{};
    for (std::size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = static_cast<char>(i);
    return bytes;
}();

bool IsBlank(unsigned char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f';
}

bool IsDigit(unsigned char c) {
    return c >= '0' && c <= '9';
}

constexpr bool IsWordStartByte(unsigned char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_' || c == '@' || c == '#' || c == '$' ||
           c >= 0x80;
}

// Every byte of a script passes a word test: one load instead of a chain of compares.
constexpr std::array<bool, 256> kWordStart = [] {
    std::array<bool, 256> table{};
    for (std::size_t c = 0; c < table.size(); ++c)
        table[c] = IsWordStartByte(static_cast<unsigned char>(c));
    return table;
}();

constexpr std::array<bool, 256> kWordByte = [] {
    std::array<bool, 256> table{};
    for (std::size_t c = 0; c < table.size(); ++c)
        table[c] = IsWordStartByte(static_cast<unsigned char>(c)) || (c >= '0' && c <= '9');
    return table;
}();

// What the common loop does with a byte; Other goes to the full step.
enum class ByteClass : std::uint8_t { Other, Blank, Newline, Letter, Digit, Symbol };

constexpr std::array<ByteClass, 256> kClasses = [] {
    std::array<ByteClass, 256> classes{};
    for (std::size_t c = 0; c < 0x80; ++c) {
        if (c == ' ' || c == '\t' || c == '\r')
            classes[c] = ByteClass::Blank;
        else if (c == '\n')
            classes[c] = ByteClass::Newline;
        else if (c >= '0' && c <= '9')
            classes[c] = ByteClass::Digit;
        else if (IsWordStartByte(static_cast<unsigned char>(c)))
            classes[c] = ByteClass::Letter;
        else if (c == '(' || c == ')' || c == ',' || c == '.' || c == '=')
            classes[c] = ByteClass::Symbol;
    }
    return classes;
}();

bool IsWordStart(unsigned char c) {
    return kWordStart[c];
}

bool IsWordByte(unsigned char c) {
    return kWordByte[c];
}

bool IsGo(std::string_view word) {
    return word.size() == 2 && (word[0] | 0x20) == 'g' && (word[1] | 0x20) == 'o';
}

bool IsContinuation(char c) {
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

} // namespace

void ScriptLexer::Feed(std::string_view bytes) {
    const char* p = bytes.data();
    const char* const end = p + bytes.size();
    while (p < end && !m_started) {
        // A byte order mark is dropped; a partial one turns out to be text.
        if (static_cast<unsigned char>(*p) == kByteOrderMark[m_bomBytes]) {
            ++p;
            m_started = ++m_bomBytes == kByteOrderMark.size();
            continue;
        }
        m_started = true;
        for (std::size_t i = 0; i < m_bomBytes; ++i)
            Step(reinterpret_cast<const char*>(&kByteOrderMark[i]));
    }
    m_chunkBegin = p;
    m_chunkEnd = end;
    while (p < end) {
        p = Run(p, end);
        if (p < end)
            Step(p++);
    }
    // A word cut by the end of the bytes keeps its text until the next Feed.
    if ((m_state == State::Word || m_state == State::Number) && !m_spilled) {
        m_text.assign(m_wordStart, end);
        m_spilled = true;
    }
    m_chunkBegin = m_chunkEnd = nullptr;
}

const char* ScriptLexer::Run(const char* p, const char* end) {
    for (;;) {
        const char* from = p;
        switch (m_state) {
        case State::Word:
        case State::Number: {
            // Columns count characters: the continuation bytes of UTF-8 are
            // taken off once the word's end is found.
            const bool number = m_state == State::Number;
            std::size_t continuations = 0;
            for (; p < end; ++p) {
                const auto c = static_cast<unsigned char>(*p);
                if (!IsWordByte(c) && !(number && c == '.'))
                    break;
                continuations += IsContinuation(*p) ? 1 : 0;
            }
            m_nextColumn += static_cast<std::size_t>(p - from) - continuations;
            if (m_spilled)
                m_text.append(from, p);
            if (p == end || m_spilled)
                return p;
            // The word ends here, in the fed bytes; the byte after it is read as usual.
            if (m_state == State::Word)
                EndWord(p);
            else
                Emit(WordText(p));
            break;
        }
        case State::Normal:
            if (m_pendingGo)
                return p;
            while (p < end) {
                const auto c = static_cast<unsigned char>(*p);
                const ByteClass kind = kClasses[c];
                if (kind == ByteClass::Blank) {
                    ++m_nextColumn;
                } else if (kind == ByteClass::Letter || kind == ByteClass::Digit) {
                    const bool digit = kind == ByteClass::Digit;
                    m_column = m_nextColumn++;
                    StartToken(digit ? TokenKind::Number : TokenKind::Word);
                    m_state = digit ? State::Number : State::Word;
                    m_wordStart = p++;
                    m_spilled = false;
                    break;
                } else if (kind == ByteClass::Symbol) {
                    m_column = m_nextColumn++;
                    EmitSymbol(static_cast<char>(c), m_line, m_column);
                } else if (kind == ByteClass::Newline) {
                    ++m_line;
                    m_nextColumn = 1;
                    m_lineHasToken = false;
                    m_probe = GoProbe::Blank;
                } else {
                    return p;
                }
                ++p;
            }
            if (m_state == State::Normal)
                return p;
            break;
        case State::LineComment: {
            const void* newline = std::memchr(p, '\n', static_cast<std::size_t>(end - p));
            p = newline != nullptr ? static_cast<const char*>(newline) : end;
            for (const char* q = from; q < p; ++q)
                m_nextColumn += IsContinuation(*q) ? 0 : 1;
            return p;
        }
        default:
            return p;
        }
    }
}

void ScriptLexer::Finish() {
    if (!m_started) {
        m_started = true;
        for (std::size_t i = 0; i < m_bomBytes; ++i)
            Step(reinterpret_cast<const char*>(&kByteOrderMark[i]));
    }
    switch (m_state) {
    case State::Word:
        EndWord(nullptr);
        break;
    case State::Number:
        Emit(m_text);
        break;
    case State::Quote:
    case State::Bracket:
        if (m_closeSeen)
            Emit(m_text);
        else
            Unterminated();
        break;
    case State::BlockComment:
        Unterminated();
        break;
    case State::AfterMinus:
        EmitSymbol('-', m_pendingLine, m_pendingColumn);
        break;
    case State::AfterSlash:
        EmitSymbol('/', m_pendingLine, m_pendingColumn);
        break;
    case State::Normal:
    case State::LineComment:
        break;
    }
    m_state = State::Normal;
    if (m_pendingGo)
        EmitGo(m_goWord.line, m_goWord.column);
    Token end;
    end.kind = TokenKind::End;
    end.line = m_line;
    end.column = m_nextColumn;
    m_sink.OnToken(end);
}

void ScriptLexer::Probe(unsigned char c) {
    if (IsBlank(c)) {
        if (m_probe == GoProbe::G)
            m_probe = GoProbe::Other;
    } else if ((c | 0x20) == 'g') {
        m_probe = m_probe == GoProbe::Blank ? GoProbe::G : GoProbe::Other;
    } else if ((c | 0x20) == 'o') {
        m_probe = m_probe == GoProbe::G ? GoProbe::Go : GoProbe::Other;
    } else {
        m_probe = GoProbe::Other;
    }
}

void ScriptLexer::Step(const char* at) {
    auto c = static_cast<unsigned char>(*at);
    // A continuation byte belongs to the character before it.
    if (IsContinuation(*at)) {
        m_column = m_nextColumn > 1 ? m_nextColumn - 1 : 1;
    } else {
        m_column = m_nextColumn;
        ++m_nextColumn;
    }
    const bool newline = c == '\n';
    // Only a string, an identifier or a comment that spans lines needs to know
    // whether a line is GO alone; on entering one the line is already not.
    const bool goLine = newline && m_probe == GoProbe::Go;
    if (!newline && (m_state == State::Quote || m_state == State::Bracket || m_state == State::BlockComment))
        Probe(c);

    switch (m_state) {
    case State::Normal:
        StepNormal(at);
        break;
    case State::Word:
    case State::Number:
        if (IsWordByte(c) || (c == '.' && m_state == State::Number)) {
            // Only the bytes of a partial byte order mark come this way.
            if (!m_spilled)
                m_text.assign(m_wordStart, at);
            m_spilled = true;
            m_text.push_back(static_cast<char>(c));
        } else {
            if (m_state == State::Word)
                EndWord(at);
            else
                Emit(WordText(at));
            StepNormal(at);
        }
        break;
    case State::Quote:
    case State::Bracket:
        if (m_closeSeen && c != static_cast<unsigned char>(m_close)) {
            Emit(m_text);
            StepNormal(at);
        } else if (m_closeSeen) {
            m_text.push_back(m_close); // doubled: the character itself
            m_closeSeen = false;
        } else if (c == static_cast<unsigned char>(m_close)) {
            m_closeSeen = true;
        } else if (goLine) {
            Unterminated();
            EmitGo(m_line, 1);
        } else {
            m_text.push_back(static_cast<char>(c));
        }
        break;
    case State::LineComment:
        if (newline)
            m_state = State::Normal;
        break;
    case State::BlockComment:
        if (goLine) {
            Unterminated();
            EmitGo(m_line, 1);
        } else if (m_previous == '/' && c == '*') {
            ++m_commentDepth;
            c = 0;
        } else if (m_previous == '*' && c == '/') {
            if (--m_commentDepth == 0)
                m_state = State::Normal;
            c = 0;
        }
        m_previous = c;
        break;
    case State::AfterMinus:
        if (c == '-') {
            m_state = State::LineComment;
        } else {
            m_state = State::Normal;
            EmitSymbol('-', m_pendingLine, m_pendingColumn);
            StepNormal(at);
        }
        break;
    case State::AfterSlash:
        if (c == '*') {
            m_state = State::BlockComment;
            m_commentDepth = 1;
            m_previous = 0;
            m_probe = GoProbe::Other;
            m_token.line = m_pendingLine; // where an unterminated comment is reported
            m_token.column = m_pendingColumn;
        } else {
            m_state = State::Normal;
            EmitSymbol('/', m_pendingLine, m_pendingColumn);
            StepNormal(at);
        }
        break;
    }

    if (newline) {
        ++m_line;
        m_nextColumn = 1;
        m_lineHasToken = false;
        m_probe = GoProbe::Blank;
    }
}

void ScriptLexer::StepNormal(const char* at) {
    const auto c = static_cast<unsigned char>(*at);
    m_state = State::Normal;
    if (m_pendingGo) {
        if (IsBlank(c))
            return;
        if (c == '\n') {
            EmitGo(m_goWord.line, m_goWord.column);
            return;
        }
        FlushPendingGo();
    }
    if (c == '\n' || IsBlank(c))
        return;
    if (IsWordStart(c) || IsDigit(c)) {
        StartToken(IsDigit(c) ? TokenKind::Number : TokenKind::Word);
        m_state = IsDigit(c) ? State::Number : State::Word;
        m_wordStart = at;
        // A byte outside the fed bytes (of a partial byte order mark) starts spilled.
        m_spilled = !(at >= m_chunkBegin && at < m_chunkEnd);
        if (m_spilled)
            m_text.assign(1, static_cast<char>(c));
    } else if (c == '\'' || c == '"' || c == '[') {
        StartToken(c == '\'' ? TokenKind::String : c == '"' ? TokenKind::Quoted : TokenKind::Bracketed);
        m_state = c == '[' ? State::Bracket : State::Quote;
        m_close = c == '[' ? ']' : static_cast<char>(c);
        m_closeSeen = false;
        m_probe = GoProbe::Other;
        m_text.clear();
    } else if (c == '-' || c == '/') {
        m_state = c == '-' ? State::AfterMinus : State::AfterSlash;
        m_pendingLine = m_line;
        m_pendingColumn = m_column;
    } else {
        EmitSymbol(static_cast<char>(c), m_line, m_column);
    }
}

void ScriptLexer::StartToken(TokenKind kind) {
    m_token.kind = kind;
    m_token.keyword = Keyword::None;
    m_token.line = m_line;
    m_token.column = m_column;
    m_token.lineStart = !m_lineHasToken;
    m_lineHasToken = true;
}

std::string_view ScriptLexer::WordText(const char* end) const {
    if (m_spilled || end == nullptr)
        return m_text;
    return std::string_view(m_wordStart, static_cast<std::size_t>(end - m_wordStart));
}

void ScriptLexer::Emit(std::string_view text) {
    m_state = State::Normal;
    m_lineHasToken = true; // a string that spans lines leaves its last line taken
    m_token.text = text;
    m_sink.OnToken(m_token);
}

void ScriptLexer::EmitSymbol(char symbol, std::size_t line, std::size_t column) {
    Token token;
    token.kind = TokenKind::Symbol;
    token.text = std::string_view(&kBytes[static_cast<unsigned char>(symbol)], 1);
    token.line = line;
    token.column = column;
    token.lineStart = !m_lineHasToken;
    m_lineHasToken = true;
    m_sink.OnToken(token);
}

void ScriptLexer::EmitGo(std::size_t line, std::size_t column) {
    m_pendingGo = false;
    m_state = State::Normal;
    Token token;
    token.kind = TokenKind::Go;
    token.text = "GO";
    token.line = line;
    token.column = column;
    token.lineStart = true;
    m_sink.OnToken(token);
}

// GO was not alone on its line after all: it is a word like any other.
void ScriptLexer::FlushPendingGo() {
    m_pendingGo = false;
    m_goWord.text = m_goText;
    m_sink.OnToken(m_goWord);
}

void ScriptLexer::EndWord(const char* end) {
    m_state = State::Normal;
    m_token.text = WordText(end);
    constexpr std::size_t kReadable = 16;
    const bool readable =
        !m_spilled && end != nullptr && m_chunkEnd - m_wordStart >= std::ptrdiff_t{kReadable};
    m_token.keyword =
        readable ? KeywordOfReadable(m_wordStart, m_token.text.size()) : KeywordOf(m_token.text);
    if (m_token.lineStart && IsGo(m_token.text)) {
        m_pendingGo = true;
        m_goWord = m_token;
        m_goText = m_token.text;
        return;
    }
    m_sink.OnToken(m_token);
}

void ScriptLexer::Unterminated() {
    const ScriptText what = m_state == State::BlockComment      ? ScriptText::UnterminatedComment
                            : m_token.kind == TokenKind::String ? ScriptText::UnterminatedString
                            : m_token.kind == TokenKind::Quoted ? ScriptText::UnterminatedQuoted
                                                                : ScriptText::UnterminatedBracketed;
    m_state = State::Normal;
    m_sink.OnLexProblem(m_token.line, m_token.column, what);
}

} // namespace quorvel::schema
