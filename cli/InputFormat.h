#pragma once
// Which reader an input of quorvel-size gets: a JSON document (one table or an
// array of tables) or JSON Lines (one table a line).
//
// Asked for "auto", the name decides first (.jsonl and .ndjson are JSON Lines,
// .json a document); otherwise the text itself: "[" opens a document, and a
// first line that holds a whole JSON value on its own means JSON Lines.

#include "InputBuffer.h"

#include <cstddef>
#include <optional>
#include <string_view>

namespace quorvel::cli {

enum class InputFormat { Auto, Json, JsonLines };

// "auto", "json" or "jsonl"; nullopt for anything else.
std::optional<InputFormat> ParseInputFormat(std::string_view name);

struct FormatChoice {
    InputFormat format;
    std::size_t skippedLines; // blank lines consumed while looking
};

// Consumes a byte order mark and, when the text has to decide, the blank lines
// before the first table; nothing else.
FormatChoice ChooseFormat(InputFormat requested, std::string_view path, InputBuffer& input);

} // namespace quorvel::cli
