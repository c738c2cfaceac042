#pragma once
// The texts of quorvel-size and of its script reader, in the user's language:
// Japanese under a "ja" locale, English otherwise. The captions and messages
// of the calculation are the window's (Captions.h, MessageText) and stay
// Japanese in both; these are the texts about scripts, files, JSON and the
// command line.
//
// A message is kept as its text and arguments, never as a finished sentence,
// so each face shows it in its user's language. An argument is a name as
// written, or itself a phrase of the table ("a column name", "the end of the
// script") with at most one name of its own, rendered in the same language.
//
//   Message(Text::NoAverage, {"notes"}).Render(Language::English)
//       // "no average length given for notes: text pages not counted"
//   Message(Text::Expected, {Text::ColumnName, "'('"})
//       // "expected a column name but found '('"

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace quorvel {

enum class Language { English, Japanese };

// From LC_ALL, LC_MESSAGES or LANG, the first one set, as the C library reads them.
Language LanguageFromEnvironment();

// A place in an input: line and column, both from 1; line 0 is unknown.
struct Place {
    std::size_t line = 0;
    std::size_t column = 0;
};

enum class Text : std::uint8_t {
    // Notes on a table of a script.
    NoRowCount,
    AverageForMissingColumn, // column, table
    AverageNotUsed, // column, type
    NoAverage, // columns
    LongColumn, // column, type, the most bytes of a column
    // Notes on a script: how it was read, and statements that could change a size but are not read.
    GuessedCp932,
    AlterNotRead, // table, the word after its name
    SelectIntoNotRead, // table
    ExecuteTextNotRead,
    RenameNotRead, // the name renamed
    // Problems of a script.
    Expected, // what, what came instead
    ColumnTypeProblem, // column, a type phrase
    AddTypeProblem, // a type phrase
    UserTypeArguments, // type
    AddTypeArguments,
    IndexOnMissingTable, // index, table
    AlterOnMissingTable, // table
    ColumnNamedTwice, // column, table
    TableCreatedTwice, // table, where it was created first
    AddedColumnNotNull, // column, table
    TooManyKeys, // index title, the most key columns
    KeyNotInTable, // index title, column, table
    KeyOfLongType, // index title, type, column
    SecondClustered, // index title, table, index title
    SecondPrimaryKey, // index title, table, index title
    DropConstraintIndex, // table.index, index title
    TooManyIndexes, // index title, table, the most nonclustered indexes
    TypeExists, // type
    UnterminatedComment,
    UnterminatedString,
    UnterminatedQuoted,
    UnterminatedBracketed,
    EndedByGo, // an unterminated phrase, the line of the GO
    LaterVersion, // what, the server version it came with; also a phrase about a type
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
    ComputedColumn, // column
    // Phrases for what was expected or found.
    TableName,
    SegmentName,
    ColumnName,
    ConstraintName,
    IndexName,
    ProcedureName,
    TriggerName,
    KeyColumn,
    AType,
    WholeNumber,
    FillFactor,
    IndexOption,
    AValue,
    CommaOrClose,
    TableOrIndex,
    ConstraintKind,
    AlterAction,
    AddTypeParameter,
    AddTypeEnd,
    AddTypeArgument,
    NullOrNotNull,
    EndOfScript,
    EndOfType,
    AString,
    // The tool's own texts.
    Malformed,
    UnexpectedEnd,
    NumberOutOfRange,
    NotATable,
    UnknownKey,
    DuplicateKey,
    WrongType,
    MissingKey,
    TooManyListedIndexes,
    EmptyInput,
    NoTable,
    OutOfMemory, // megabytes read
    OutOfMemoryAnywhere,
    CannotOpen,
    CannotRead,
    CannotWrite,
    ZeroRowsPerPage,
    Note,
    SkippedStatements,
    UnknownRowsTable,
    UnknownAverageTable,
    BadRowsOption,
    BadRowCount, // option, the most rows
    BadAverageOption, // option, the longest text value
    BadRowsFile,
    BadRowsFileCount, // file, table, the most rows
    // Scripts that cannot be read in their encoding.
    NotUtf8,
    NotUtf8NorCp932,
    NulCharacter,
    InvalidBytes, // encoding, the byte
    TruncatedCharacter, // encoding
    UnknownEncoding, // the name
    BomContradicts, // the name, the byte order mark's encoding
    TextPagesNotDescribed,
    // JSON kinds, as a wrong value is; what one should have been.
    KindNull,
    KindBoolean,
    KindNumber,
    KindText,
    KindObject,
    KindArray,
    ExpectNumberOrText,
    ExpectObjectOrNull,
    None // no text: an argument that is a name alone
};

class Message {
public:
    // A name as written, or a phrase with its own name (shown at its "{1}").
    struct Argument {
        Argument(std::string name) : text(std::move(name)) {}
        Argument(std::string_view name) : text(name) {}
        Argument(const char* name) : text(name) {}
        Argument(Text kind, std::string name = {}, std::string secondName = {})
            : phrase(kind), text(std::move(name)), second(std::move(secondName)) {}
        Text phrase = Text::None;
        std::string text;
        std::string second; // a phrase's "{2}"
    };

    Message(Text text, std::initializer_list<Argument> arguments = {}) : m_text(text), m_arguments(arguments) {}

    // The text with "{1}", "{2}", ... replaced by the arguments in order.
    std::string Render(Language language = Language::English) const;

    // Any pattern of this form filled the same way (the tool's help, say).
    static std::string FillIn(std::string_view pattern, std::span<const Argument> arguments, Language language);

private:
    Text m_text;
    std::vector<Argument> m_arguments;
};

inline std::string Say(Language language, Text text, std::initializer_list<Message::Argument> arguments = {}) {
    return Message(text, arguments).Render(language);
}

} // namespace quorvel
