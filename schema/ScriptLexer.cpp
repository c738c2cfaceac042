#include "ScriptLexer.h"

#include <array>

namespace quorvel::schema {

namespace {

constexpr std::array<unsigned char, 3> kByteOrderMark{0xEF, 0xBB, 0xBF};

bool IsBlank(unsigned char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f';
}

bool IsDigit(unsigned char c) {
    return c >= '0' && c <= '9';
}

bool IsWordStart(unsigned char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_' || c == '@' || c == '#' || c == '$' ||
           c >= 0x80;
}

bool IsWordByte(unsigned char c) {
    return IsWordStart(c) || IsDigit(c);
}

bool IsGo(const std::string& word) {
    return word.size() == 2 && (word[0] | 0x20) == 'g' && (word[1] | 0x20) == 'o';
}

} // namespace

void ScriptLexer::Feed(std::string_view bytes) {
    for (const char byte : bytes) {
        const auto c = static_cast<unsigned char>(byte);
        if (!m_started) {
            // A byte order mark is dropped; a partial one turns out to be text.
            if (c == kByteOrderMark[m_bomBytes]) {
                if (++m_bomBytes == kByteOrderMark.size())
                    m_started = true;
                continue;
            }
            m_started = true;
            for (std::size_t i = 0; i < m_bomBytes; ++i)
                Step(kByteOrderMark[i]);
        }
        Step(c);
    }
}

void ScriptLexer::Finish() {
    if (!m_started) {
        m_started = true;
        for (std::size_t i = 0; i < m_bomBytes; ++i)
            Step(kByteOrderMark[i]);
    }
    switch (m_state) {
    case State::Word:
        EndWord();
        break;
    case State::Number:
        Emit();
        break;
    case State::Quote:
    case State::Bracket:
        if (m_closeSeen)
            Emit();
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

void ScriptLexer::Step(unsigned char c) {
    // A continuation byte belongs to the character before it.
    if ((c & 0xC0) == 0x80) {
        m_column = m_nextColumn > 1 ? m_nextColumn - 1 : 1;
    } else {
        m_column = m_nextColumn;
        ++m_nextColumn;
    }
    const bool newline = c == '\n';
    const bool goLine = newline && m_probe == GoProbe::Go;
    if (!newline)
        Probe(c);

    switch (m_state) {
    case State::Normal:
        StepNormal(c);
        break;
    case State::Word:
        if (IsWordByte(c)) {
            m_token.text.push_back(static_cast<char>(c));
        } else {
            EndWord();
            StepNormal(c);
        }
        break;
    case State::Number:
        if (IsWordByte(c) || c == '.') {
            m_token.text.push_back(static_cast<char>(c));
        } else {
            Emit();
            StepNormal(c);
        }
        break;
    case State::Quote:
    case State::Bracket:
        if (m_closeSeen && c != static_cast<unsigned char>(m_close)) {
            Emit();
            StepNormal(c);
        } else if (m_closeSeen) {
            m_token.text.push_back(m_close); // doubled: the character itself
            m_closeSeen = false;
        } else if (c == static_cast<unsigned char>(m_close)) {
            m_closeSeen = true;
        } else if (goLine) {
            Unterminated();
            EmitGo(m_line, 1);
        } else {
            m_token.text.push_back(static_cast<char>(c));
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
            StepNormal(c);
        }
        break;
    case State::AfterSlash:
        if (c == '*') {
            m_state = State::BlockComment;
            m_commentDepth = 1;
            m_previous = 0;
            m_token.line = m_pendingLine; // where an unterminated comment is reported
            m_token.column = m_pendingColumn;
        } else {
            m_state = State::Normal;
            EmitSymbol('/', m_pendingLine, m_pendingColumn);
            StepNormal(c);
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

void ScriptLexer::StepNormal(unsigned char c) {
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
    if (IsWordStart(c)) {
        StartToken(TokenKind::Word);
        m_state = State::Word;
        m_token.text.push_back(static_cast<char>(c));
    } else if (IsDigit(c)) {
        StartToken(TokenKind::Number);
        m_state = State::Number;
        m_token.text.push_back(static_cast<char>(c));
    } else if (c == '\'' || c == '"' || c == '[') {
        StartToken(c == '\'' ? TokenKind::String : c == '"' ? TokenKind::Quoted : TokenKind::Bracketed);
        m_state = c == '[' ? State::Bracket : State::Quote;
        m_close = c == '[' ? ']' : static_cast<char>(c);
        m_closeSeen = false;
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
    m_token.text.clear();
    m_token.line = m_line;
    m_token.column = m_column;
    m_token.lineStart = !m_lineHasToken;
    m_lineHasToken = true;
}

void ScriptLexer::Emit() {
    m_state = State::Normal;
    m_lineHasToken = true; // a string that spans lines leaves its last line taken
    m_sink.OnToken(m_token);
}

void ScriptLexer::EmitSymbol(char symbol, std::size_t line, std::size_t column) {
    Token token;
    token.kind = TokenKind::Symbol;
    token.text.assign(1, symbol);
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
    m_sink.OnToken(m_goWord);
}

void ScriptLexer::EndWord() {
    m_state = State::Normal;
    if (m_token.lineStart && IsGo(m_token.text)) {
        m_pendingGo = true;
        m_goWord = m_token;
        return;
    }
    m_sink.OnToken(m_token);
}

void ScriptLexer::Unterminated() {
    const char* what = m_state == State::BlockComment      ? "unterminated comment"
                       : m_token.kind == TokenKind::String ? "unterminated string"
                       : m_token.kind == TokenKind::Quoted ? "unterminated quoted identifier"
                                                           : "unterminated bracketed identifier";
    m_state = State::Normal;
    m_sink.OnLexProblem(m_token.line, m_token.column, what);
}

} // namespace quorvel::schema
