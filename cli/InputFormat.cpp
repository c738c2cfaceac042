// Which reading an input of quorvel-size gets.

#include "cli/InputFormat.h"

#include "schema/AsciiCase.h"

namespace quorvel::cli {

using schema::EndsWithNoCase;

std::optional<InputFormat> ParseInputFormat(std::string_view name) {
    if (name == "auto")
        return InputFormat::Auto;
    if (name == "json")
        return InputFormat::Json;
    if (name == "jsonl")
        return InputFormat::JsonLines;
    return std::nullopt;
}

InputFormat FormatForPath(InputFormat requested, std::string_view path) {
    if (requested != InputFormat::Auto)
        return requested;
    if (EndsWithNoCase(path, ".jsonl") || EndsWithNoCase(path, ".ndjson"))
        return InputFormat::JsonLines;
    if (EndsWithNoCase(path, ".json"))
        return InputFormat::Json;
    return InputFormat::Auto;
}

} // namespace quorvel::cli
