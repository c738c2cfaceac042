// Which reader an input of quorvel-size gets.

#include "InputFormat.h"

#include <nlohmann/json.hpp>

#include <cctype>
#include <string>

namespace quorvel::cli {

namespace {

bool EndsWithNoCase(std::string_view text, std::string_view suffix)
{
    if (text.size() < suffix.size())
        return false;
    const std::string_view tail = text.substr(text.size() - suffix.size());
    for (std::size_t i = 0; i < suffix.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(tail[i])) != suffix[i])
            return false;
    }
    return true;
}

// A first line longer than this is not tried as a table of JSON Lines, so the
// look never holds a whole minified document in memory.
constexpr std::size_t kLongestTestedLine = 1 << 20;

} // namespace

std::optional<InputFormat> ParseInputFormat(std::string_view name)
{
    if (name == "auto")
        return InputFormat::Auto;
    if (name == "json")
        return InputFormat::Json;
    if (name == "jsonl")
        return InputFormat::JsonLines;
    return std::nullopt;
}

FormatChoice ChooseFormat(InputFormat requested, std::string_view path, InputBuffer& input)
{
    input.SkipByteOrderMark();
    if (requested != InputFormat::Auto)
        return {requested, 0};
    if (EndsWithNoCase(path, ".jsonl") || EndsWithNoCase(path, ".ndjson"))
        return {InputFormat::JsonLines, 0};
    if (EndsWithNoCase(path, ".json"))
        return {InputFormat::Json, 0};

    // Blank lines before the first table mean nothing in either format.
    const std::size_t skipped = input.SkipBlankLines();
    const auto line = input.PeekLine(kLongestTestedLine);
    if (!line)
        return {InputFormat::Json, skipped}; // a line that long is a document
    const std::size_t first = line->find_first_not_of(" \t\r");
    if (first == std::string_view::npos)
        return {InputFormat::JsonLines, skipped}; // no table at all
    if ((*line)[first] == '{' && nlohmann::json::accept(*line))
        return {InputFormat::JsonLines, skipped};
    return {InputFormat::Json, skipped};
}

} // namespace quorvel::cli
