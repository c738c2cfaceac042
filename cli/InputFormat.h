#pragma once
// Which reading an input of quorvel-size gets: a JSON document (one table or
// an array of tables), JSON Lines (one a line), or Auto, where the text
// decides (TableReader.h says how).

#include <optional>
#include <string_view>

namespace quorvel::cli {

enum class InputFormat { Auto, Json, JsonLines };

// "auto", "json" or "jsonl"; nullopt for anything else.
std::optional<InputFormat> ParseInputFormat(std::string_view name);

// Asked for a form, that one; otherwise the file name decides when it can
// (.jsonl and .ndjson are JSON Lines, .json a document), else the text.
InputFormat FormatForPath(InputFormat requested, std::string_view path);

} // namespace quorvel::cli
