#include "ScriptReader.h"

#include <array>

namespace quorvel::schema {

namespace {

constexpr std::size_t kChunkBytes = 64 * 1024;

bool IsSemicolon(const Token& token) {
    return token.kind == TokenKind::Symbol && token.text == ";";
}

} // namespace

ScriptReader::ScriptReader(std::string source)
    : m_catalog(std::move(source)), m_parser(m_catalog), m_lexer(*this) {}

void ScriptReader::Feed(std::string_view bytes) {
    m_lexer.Feed(bytes);
}

SchemaScript ScriptReader::Finish() {
    m_lexer.Finish();
    return m_catalog.Take();
}

void ScriptReader::OnToken(Token& token) {
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
    m_piece.push_back(std::move(token));
    if (m_piece.size() > 2)
        return;
    // Only the first tokens decide whether the statement's tokens are kept.
    const StatementClass kind = ClassifyStatement(m_piece.data(), m_piece.size(), m_batchStart);
    if (kind == StatementClass::Passed || kind == StatementClass::Body) {
        m_catalog.CountSkipped();
        m_piece.clear();
        m_dropping = kind == StatementClass::Passed;
        m_inBody = kind == StatementClass::Body;
        m_batchStart = false;
    }
}

void ScriptReader::OnLexProblem(std::size_t line, std::size_t column, std::string message) {
    if (m_lexProblem)
        m_catalog.AddProblem(std::move(*m_lexProblem));
    m_lexProblem = m_catalog.Problem(Position{line, column}, std::move(message));
}

void ScriptReader::EndPiece(const Token& boundary) {
    if (!m_piece.empty()) {
        m_inBody = m_parser.Parse(m_piece, boundary, m_batchStart, std::move(m_lexProblem)) || m_inBody;
        m_batchStart = false;
    } else if (m_lexProblem) {
        m_catalog.AddProblem(std::move(*m_lexProblem));
    }
    m_lexProblem.reset();
    m_piece.clear();
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
