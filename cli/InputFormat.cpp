// Which reading an input of quorvel-size gets.

#include "InputFormat.h"

#include <cctype>

namespace quorvel::cli {

namespace {

bool EndsWithNoCase(std::string_view text, std::string_view suffix) {
    if (text.size() < suffix.size())
        return false;
    const std::string_view tail = text.substr(text.size() - suffix.size());
    for (std::size_t i = 0; i < suffix.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(tail[i])) != suffix[i])
            return false;
    }
    return true;
}

} // namespace

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
