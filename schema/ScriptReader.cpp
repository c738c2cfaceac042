#include "ScriptReader.h"

#include <array>

namespace quorvel::schema {

namespace {

constexpr std::size_t kChunkBytes = 64 * 1024;
constexpr std::size_t kInChunk = static_cast<std::size_t>(-1);

bool IsSemicolon(const Token& token) {
    return token.kind == TokenKind::Symbol && token.text.size() == 1 && token.text[0] == ';';
}

} // namespace

ScriptReader::ScriptReader(std::string source)
    : m_catalog(std::move(source)), m_parser(m_catalog), m_lexer(*this) {}

void ScriptReader::Feed(std::string_view bytes) {
    m_chunk = bytes;
    m_lexer.Feed(bytes);
    // The tokens still held point into bytes the caller is about to reuse.
    for (std::size_t i = m_copiedTokens; i < m_piece.size(); ++i) {
        if (m_offsets[i] == kInChunk) {
            m_offsets[i] = m_pieceText.size();
            m_pieceText.append(m_piece[i].text);
        }
    }
    m_copiedTokens = m_piece.size();
    m_chunk = {};
}

SchemaScript ScriptReader::Finish() {
    m_lexer.Finish();
    return m_catalog.Take();
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
    if ((StartsStatement(token) && (!m_piece.empty() || m_dropping)) || IsSemicolon(token)) {
        EndPiece(token);
        if (IsSemicolon(token))
            return;
    }
    if (m_dropping)
        return;
    if (m_piece.size() < 2) {
        // Only the first tokens decide whether the statement's tokens are kept.
        std::array<Token, 2> first{token, token};
        if (!m_piece.empty())
            first[0] = PieceToken(0);
        const StatementClass kind = ClassifyStatement(first.data(), m_piece.size() + 1, m_batchStart);
        if (kind == StatementClass::Passed || kind == StatementClass::Body) {
            m_catalog.CountSkipped();
            ClearPiece();
            m_dropping = kind == StatementClass::Passed;
            m_inBody = kind == StatementClass::Body;
            m_batchStart = false;
            return;
        }
    }
    Keep(token);
}

// A text in the fed bytes is pointed to until the end of the Feed; any other
// (the lexer's own buffer) is copied at once.
void ScriptReader::Keep(const Token& token) {
    const bool inChunk = !m_chunk.empty() && token.text.data() >= m_chunk.data() &&
                         token.text.data() + token.text.size() <= m_chunk.data() + m_chunk.size();
    m_offsets.push_back(inChunk ? kInChunk : m_pieceText.size());
    if (!inChunk)
        m_pieceText.append(token.text);
    m_piece.push_back(token);
}

Token ScriptReader::PieceToken(std::size_t i) const {
    Token token = m_piece[i];
    if (m_offsets[i] != kInChunk)
        token.text = std::string_view(m_pieceText).substr(m_offsets[i], token.text.size());
    return token;
}

void ScriptReader::ClearPiece() {
    m_piece.clear();
    m_offsets.clear();
    m_pieceText.clear();
    m_copiedTokens = 0;
}

void ScriptReader::OnLexProblem(std::size_t line, std::size_t column, ScriptText message) {
    if (m_lexProblem)
        m_catalog.AddProblem(std::move(*m_lexProblem));
    m_lexProblem = m_catalog.Problem(Position{line, column}, ScriptMessage(message));
}

void ScriptReader::EndPiece(const Token& boundary) {
    if (!m_piece.empty()) {
        for (std::size_t i = 0; i < m_piece.size(); ++i) {
            if (m_offsets[i] != kInChunk)
                m_piece[i] = PieceToken(i);
        }
        m_inBody = m_parser.Parse(m_piece, boundary, m_batchStart, std::move(m_lexProblem)) || m_inBody;
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
