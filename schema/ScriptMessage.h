#pragma once
// A note or a problem of the schema reader, in English or Japanese.
//
// The reader never builds a finished sentence: it keeps the text of the table
// in ScriptMessage.cpp with its arguments (names as written in the script), so
// each face shows it in its user's language. An argument may itself be a
// phrase of that table ("a column name", "the end of the script") with one
// name of its own, rendered in the same language.
//
//   ScriptMessage m(ScriptText::NoAverage, {"notes"});
//   m.Render(TextLanguage::English)   // "no average length given for notes: ..."
//   ScriptMessage(ScriptText::Expected, {ScriptText::ColumnName, "'('"})
//                                     // "expected a column name but found '('"

#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

namespace quorvel::schema {

enum class TextLanguage { English, Japanese };

enum class ScriptText : std::uint8_t {
    // Notes on a table.
    NoRowCount,
    AverageForMissingColumn, // column, table
    AverageNotUsed,          // column, type
    NoAverage,               // columns
    LongColumn,              // column, type
    // Problems.
    Expected,          // what, what came instead
    ColumnTypeProblem, // column, a type phrase
    AddTypeProblem,    // a type phrase
    UserTypeArguments, // type
    AddTypeArguments,
    IndexOnMissingTable, // index, table
    ColumnNamedTwice,    // column, table
    TableCreatedTwice,   // table
    TooManyKeys,         // index title
    KeyNotInTable,       // index title, column, table
    KeyOfLongType,       // index title, type, column
    SecondClustered,     // index title, table, index title
    TooManyIndexes,      // index title, table
    TypeExists,          // type
    UnterminatedComment,
    UnterminatedString,
    UnterminatedQuoted,
    UnterminatedBracketed,
    // Phrases about a type, given its name.
    UnknownType,
    NoArguments,
    OneLength,
    LengthAtLeastOne,
    FloatPrecision,
    DecimalPrecision,
    DecimalScale,
    // Phrases naming an index, given its name (may be empty).
    PrimaryKeyTitle,
    UniqueTitle,
    IndexTitle,
    // Phrases for what was expected or found.
    TableName,
    SegmentName,
    ColumnName,
    ConstraintName,
    IndexName,
    ProcedureName,
    KeyColumn,
    AType,
    WholeNumber,
    FillFactor,
    IndexOption,
    AValue,
    CommaOrClose,
    TableOrIndex,
    ConstraintKind,
    AddTypeParameter,
    AddTypeEnd,
    AddTypeArgument,
    NullOrNotNull,
    EndOfScript,
    EndOfType,
    AString,
    Count
};

class ScriptMessage {
public:
    // A name as written, or a phrase with its own name (shown at its "{1}").
    struct Argument {
        Argument(std::string name) : text(std::move(name)) {}
        Argument(const char* name) : text(name) {}
        Argument(ScriptText kind, std::string name = {}) : phrase(kind), text(std::move(name)) {}
        ScriptText phrase = ScriptText::Count; // Count: text alone
        std::string text;
    };

    ScriptMessage(ScriptText text, std::initializer_list<Argument> arguments = {})
        : m_text(text), m_arguments(arguments) {}

    ScriptText Text() const { return m_text; }
    std::string Render(TextLanguage language = TextLanguage::English) const;

private:
    ScriptText m_text;
    std::vector<Argument> m_arguments;
};

} // namespace quorvel::schema
