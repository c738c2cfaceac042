#pragma once
// The texts of quorvel-size itself, in the user's language: Japanese under a
// "ja" locale, English otherwise. The captions and messages of the calculation
// are the window's (Captions.h, MessageText) and stay Japanese in both; these
// are the texts about files, JSON and the command line.

#include "TableRecord.h"

#include <initializer_list>
#include <string>
#include <string_view>

namespace quorvel::cli {

enum class Language { English, Japanese };

// From LC_ALL, LC_MESSAGES or LANG, the first one set, as the C library reads them.
Language LanguageFromEnvironment();

enum class ToolText {
    Malformed,
    UnexpectedEnd,
    NumberOutOfRange,
    NotATable,
    UnknownKey,
    DuplicateKey,
    WrongType,
    MissingKey,
    TooManyIndexes,
    NoTable,
    CannotOpen,
    CannotRead,
    CannotWrite,
    ZeroRowsPerPage,
    Note,
    SkippedStatements,
    UnknownRowsTable,
    UnknownAverageTable,
    BadRowsOption,
    BadAverageOption,
    BadRowsFile,
    TextPagesNotDescribed,
    Help,
    Count
};

// The text with "{1}", "{2}", ... replaced by the arguments in order.
std::string Say(Language language, ToolText text, std::initializer_list<std::string_view> arguments = {});

// What went wrong reading a table, without its place.
std::string DescribeReadError(const ReadError& error, Language language);

} // namespace quorvel::cli
