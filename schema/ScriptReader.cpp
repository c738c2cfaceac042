#include "schema/ScriptReader.h"

namespace quorvel::schema {

SchemaScript ReadScript(std::string_view script, std::string source) {
    ScriptReader reader;
    reader.Read(script, std::move(source));
    return reader.Take();
}

void ScriptReader::Read(std::string_view script, std::string source) {
    m_catalog.SetSource(std::move(source));
    m_piece.clear();
    m_dropping = false;
    m_inBody = false;
    m_batchStart = true;
    m_lexProblem.reset();
    ScriptLexer(*this).Read(script);
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
    if ((StartsStatement(token) && (!m_piece.empty() || m_dropping)) || IsSymbol(token, ';')) {
        EndPiece(token);
        if (IsSymbol(token, ';'))
            return;
    }
    if (m_dropping)
        return;
    m_piece.push_back(token);
    // The first tokens decide whether the statement is read at all.
    if (m_piece.size() > 2)
        return;
    const StatementParser::Decision decision = m_parser.Decide(m_piece, m_batchStart);
    if (decision != StatementParser::Decision::Pass && decision != StatementParser::Decision::PassBatch)
        return;
    m_piece.clear();
    m_dropping = decision == StatementParser::Decision::Pass;
    m_inBody = decision == StatementParser::Decision::PassBatch;
    m_batchStart = false;
}

// The end of the script or a GO follows each problem, and ends the piece that
// takes it: no earlier problem is still waiting here.
void ScriptReader::OnLexProblem(Place at, Text message, std::size_t goLine) {
    m_lexProblem = m_catalog.Problem(
        at, goLine == 0 ? Message(message) : Message(Text::EndedByGo, {message, std::to_string(goLine)}));
}

void ScriptReader::EndPiece(const Token& boundary) {
    if (!m_piece.empty()) {
        Token end = boundary; // the piece's end, standing for what ended it
        end.kind = TokenKind::End;
        end.ends = boundary.kind == TokenKind::End  ? EndOf::Script
                   : boundary.kind == TokenKind::Go ? EndOf::Batch
                   : IsSymbol(boundary, ';')        ? EndOf::Semicolon
                                                    : EndOf::NextStatement;
        m_piece.push_back(end);
        m_inBody = m_parser.Parse(m_piece, m_batchStart, std::move(m_lexProblem)) || m_inBody;
        m_batchStart = false;
    } else if (m_lexProblem) {
        m_catalog.AddProblem(std::move(*m_lexProblem));
    }
    m_lexProblem.reset();
    m_piece.clear();
    m_dropping = false;
}

} // namespace quorvel::schema
