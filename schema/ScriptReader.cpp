#include "ScriptReader.h"

#include <algorithm>
#include <array>
#include <span>

namespace quorvel::schema {

namespace {

constexpr std::size_t kChunkBytes = 64 * 1024;
constexpr std::size_t kFirstTokens = 256;

// A field loaded on its own: the compiler would otherwise join neighbouring
// fields into one wide load.
template <typename T> T Scalar(T value) {
    asm("" : "+r"(value));
    return value;
}

// A token copied field by field: the lexer has only just stored its fields one
// by one, and a wider load of several of them waits until every store is done.
void CopyFields(const Token& from, Token& to) {
    to.kind = Scalar(from.kind);
    to.keyword = Scalar(from.keyword);
    to.lineStart = Scalar(from.lineStart);
    to.text = std::string_view(Scalar(from.text.data()), Scalar(from.text.size()));
    to.line = Scalar(from.line);
    to.column = Scalar(from.column);
}

} // namespace

ScriptReader::ScriptReader(std::string source)
    : m_catalog(std::move(source)), m_parser(m_catalog), m_lexer(*this) {}

void ScriptReader::Feed(std::string_view bytes) {
    m_chunk = bytes;
    m_lexer.Feed(bytes);
    // The tokens still held point into bytes the caller is about to reuse.
    // Every token before m_copiedTokens was copied at an earlier Feed, so its
    // entry is at its own place in m_copied; after them come the entries of
    // this Feed's tokens that the lexer held.
    const std::size_t held = m_copied.size();
    std::size_t next = m_copiedTokens;
    for (std::size_t i = m_copiedTokens; i < m_kept; ++i) {
        if (next < held && m_copied[next].token == i) {
            const CopiedText kept = m_copied[next++];
            m_copied.push_back(kept);
            continue;
        }
        m_copied.push_back(CopiedText{i, m_pieceText.size()});
        m_pieceText.append(m_piece[i].text);
    }
    m_copied.erase(m_copied.begin() + static_cast<std::ptrdiff_t>(m_copiedTokens),
                   m_copied.begin() + static_cast<std::ptrdiff_t>(held));
    m_copiedTokens = m_kept;
    m_chunk = {};
}

SchemaScript ScriptReader::Finish() {
    m_lexer.Finish();
    return m_catalog.Take();
}

SchemaScript ScriptReader::Finish(const std::function<bool(const SchemaTable&)>& eachTable) {
    m_lexer.Finish();
    return m_catalog.Take(eachTable);
}

void ScriptReader::OnToken(const Token& token) {
    if (token.kind == TokenKind::Go || token.kind == TokenKind::End) {
        EndPiece(token);
        m_inBody = false;
        m_batchStart = true;
        return;
    }
    if (m_inBody)
        return;
    if ((StartsStatement(token) && (m_kept != 0 || m_dropping)) || IsSymbol(token, ';')) {
        EndPiece(token);
        if (IsSymbol(token, ';'))
            return;
    }
    if (m_dropping)
        return;
    if (m_kept < 2 && !Classify(token))
        return;
    Keep(token);
}

// Only the first tokens decide whether the statement's tokens are kept; apart
// from the rest, so that every other token goes through a small frame.
bool ScriptReader::Classify(const Token& token) {
    std::array<Token, 2> first;
    CopyFields(token, first[m_kept]);
    if (m_kept != 0)
        first[0] = PieceToken(0);
    const StatementClass kind = ClassifyStatement(first.data(), m_kept + 1, m_batchStart);
    if (kind != StatementClass::Passed && kind != StatementClass::Body)
        return true;
    m_catalog.CountSkipped();
    ClearPiece();
    m_dropping = kind == StatementClass::Passed;
    m_inBody = kind == StatementClass::Body;
    m_batchStart = false;
    return false;
}

// A text in the fed bytes is pointed to until the end of the Feed; any other
// (the lexer's own buffer) is copied at once.
void ScriptReader::Keep(const Token& token) {
    const bool inChunk = !m_chunk.empty() && token.text.data() >= m_chunk.data() &&
                         token.text.data() + token.text.size() <= m_chunk.data() + m_chunk.size();
    if (!inChunk) {
        m_copied.push_back(CopiedText{m_kept, m_pieceText.size()});
        m_pieceText.append(token.text);
    }
    if (m_kept == m_piece.size())
        m_piece.resize(std::max<std::size_t>(kFirstTokens, 2 * m_piece.size()));
    CopyFields(token, m_piece[m_kept++]);
}

Token ScriptReader::PieceToken(std::size_t i) const {
    Token token = m_piece[i];
    const auto copied = std::lower_bound(m_copied.begin(), m_copied.end(), i,
                                         [](const CopiedText& c, std::size_t at) { return c.token < at; });
    if (copied != m_copied.end() && copied->token == i)
        token.text = std::string_view(m_pieceText).substr(copied->offset, token.text.size());
    return token;
}

void ScriptReader::ClearPiece() {
    m_kept = 0;
    m_copied.clear();
    m_pieceText.clear();
    m_copiedTokens = 0;
}

void ScriptReader::OnLexProblem(std::size_t line, std::size_t column, ScriptText message) {
    if (m_lexProblem)
        m_catalog.AddProblem(std::move(*m_lexProblem));
    m_lexProblem = m_catalog.Problem(Position{line, column}, ScriptMessage(message));
}

void ScriptReader::EndPiece(const Token& boundary) {
    if (m_kept != 0) {
        for (const CopiedText& copied : m_copied) {
            Token& token = m_piece[copied.token];
            token.text = std::string_view(m_pieceText).substr(copied.offset, token.text.size());
        }
        const std::span<const Token> tokens(m_piece.data(), m_kept);
        m_inBody = m_parser.Parse(tokens, boundary, m_batchStart, std::move(m_lexProblem)) || m_inBody;
        m_batchStart = false;
    } else if (m_lexProblem) {
        m_catalog.AddProblem(std::move(*m_lexProblem));
    }
    m_lexProblem.reset();
    ClearPiece();
    m_dropping = false;
}

SchemaScript ReadScript(std::istream& in, std::string source) {
    ScriptReader reader(std::move(source));
    std::array<char, kChunkBytes> chunk{};
    while (in) {
        in.read(chunk.data(), chunk.size());
        reader.Feed(std::string_view(chunk.data(), static_cast<std::size_t>(in.gcount())));
    }
    return reader.Finish();
}

} // namespace quorvel::schema
