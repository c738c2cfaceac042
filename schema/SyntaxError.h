#pragma once
// What the three parts of the statement parser share: the syntax error that
// ends a piece, and the tests on a token they all make.
//
// StatementParser.cpp reads the statements and constraints,
// StatementParserTypes.cpp the column types and sp_addtype, and
// StatementCursor.cpp moves over the tokens and throws the syntax errors.

#include "schema/Messages.h"
#include "schema/SchemaCatalog.h"
#include "schema/ScriptLexer.h"

#include <algorithm>
#include <initializer_list>

namespace quorvel::schema::parsing {

// A syntax error; thrown from deep inside a statement and caught once per piece.
struct SyntaxError {
    Place at;
    Message message;
    bool atPieceEnd = false; // the piece ended too early
};

inline bool OneOf(const Token& token, std::initializer_list<std::string_view> keywords) {
    return std::any_of(keywords.begin(), keywords.end(), [&token](std::string_view k) { return IsKeyword(token, k); });
}

inline bool IsName(const Token& token) {
    return token.kind == TokenKind::Word || token.kind == TokenKind::Bracketed ||
           token.kind == TokenKind::Quoted;
}

} // namespace quorvel::schema::parsing
