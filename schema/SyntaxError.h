#pragma once
// What the three parts of the statement parser share: the syntax error that
// ends a piece, and the tests on a token they all make.
//
// StatementParser.cpp reads the statements and constraints,
// StatementParserTypes.cpp the column types and sp_addtype, and
// StatementCursor.cpp moves over the tokens and throws the syntax errors.

#include "SchemaCatalog.h"
#include "ScriptLexer.h"
#include "ScriptMessage.h"

#include <algorithm>
#include <initializer_list>

namespace quorvel::schema::parsing {

// A syntax error; thrown from deep inside a statement and caught once per piece.
struct SyntaxError {
    Position at;
    ScriptMessage message;
    bool atPieceEnd = false; // the piece ended too early
};

inline bool OneOf(Keyword keyword, std::initializer_list<Keyword> keywords) {
    return std::find(keywords.begin(), keywords.end(), keyword) != keywords.end();
}

inline bool IsName(const Token& token) {
    return token.kind == TokenKind::Word || token.kind == TokenKind::Bracketed ||
           token.kind == TokenKind::Quoted;
}

inline Position At(const Token& token) {
    return Position{token.line, token.column};
}

} // namespace quorvel::schema::parsing
