// The tables of schema scripts for quorvel-size.

#include "cli/ScriptSource.h"

#include "calc/ServerLimits.h"
#include "cli/DescriptionJson.h"
#include "schema/ScriptReader.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <array>
#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace quorvel::cli {

namespace {

// The name a script's problems carry: "-" is standard input.
std::string SourceName(const std::string& path) {
    return path == "-" ? "<stdin>" : path;
}

std::string ProblemLine(const schema::ScriptProblem& problem, Language language) {
    return PlacePrefix(Printable(problem.source), problem.place) + Printable(problem.message.Render(language));
}

} // namespace

std::optional<std::string> ScriptSource::AddRows(std::string_view option) {
    const std::size_t equals = option.rfind('=');
    if (equals == std::string_view::npos || equals == 0 || equals + 1 == option.size())
        return Say(m_language, Text::BadRowsOption, {Printable(option)});
    const std::string_view name = option.substr(0, equals);
    m_rows[schema::LowerCase(name)] = RowCount{std::string(name), std::string(option.substr(equals + 1))};
    return std::nullopt;
}

std::optional<std::string> ScriptSource::AddRowsFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return Say(m_language, Text::CannotOpen, {Printable(path), std::strerror(errno)});
    const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    // One object of names and counts, taken in file order so that the last
    // count for a name (in any case) wins; a number counts as its decimal text.
    using Json = nlohmann::json;
    using Event = Json::parse_event_t;
    bool shaped = true;
    std::string name;
    const Json::parser_callback_t take = [&](int depth, Event event, Json& value) {
        if (event == Event::key) {
            name = value.get<std::string>();
            return false; // the counts are taken as they come: nothing is kept
        }
        const bool outer = depth == 0 && (event == Event::object_start || event == Event::object_end);
        const bool count = depth == 1 && event == Event::value && (value.is_number() || value.is_string());
        if (count)
            m_rows[schema::LowerCase(name)] = RowCount{name, value.is_string() ? value.get<std::string>() : value.dump()};
        shaped = shaped && (outer || count);
        return depth == 0;
    };
    if (Json::parse(text, take, false).is_discarded() || !shaped)
        return Say(m_language, Text::BadRowsFile, {Printable(path)});
    return std::nullopt;
}

std::optional<std::string> ScriptSource::AddTextAverage(std::string_view option) {
    const std::size_t equals = option.rfind('=');
    const std::size_t dot = equals == std::string_view::npos ? equals : option.rfind('.', equals);
    std::uint32_t bytes = 0;
    const bool ok = dot != std::string_view::npos && dot > 0 && dot + 1 < equals &&
                    equals + 1 < option.size() &&
                    std::from_chars(option.data() + equals + 1, option.data() + option.size(), bytes).ptr ==
                        option.data() + option.size() &&
                    bytes <= limits::kTextBytes;
    if (!ok)
        return Say(m_language, Text::BadAverageOption, {Printable(option), std::to_string(limits::kTextBytes)});
    m_assumptions.textAverages.push_back(schema::TextAverage{
        std::string(option.substr(0, dot)), std::string(option.substr(dot + 1, equals - dot - 1)), bytes});
    return std::nullopt;
}

std::optional<schema::SchemaScript> ScriptSource::Load(const std::string& path, std::string& error) {
    const bool standardInput = path == "-";
    const std::string source = SourceName(path);
    std::FILE* file = standardInput ? stdin : std::fopen(path.c_str(), "rb");
    if (file == nullptr) {
        error = Say(m_language, Text::CannotOpen, {Printable(path), std::strerror(errno)});
        return std::nullopt;
    }
    // A file is read in one piece of its own size; standard input as it comes.
    std::string text;
    std::error_code sizeUnknown;
    const std::uintmax_t size = standardInput ? 0 : std::filesystem::file_size(path, sizeUnknown);
    if (!sizeUnknown && size > 0) {
        text.resize(size);
        text.resize(std::fread(text.data(), 1, text.size(), file));
    }
    std::array<char, 1 << 16> chunk{};
    for (std::size_t got; (got = std::fread(chunk.data(), 1, chunk.size(), file)) > 0;)
        text.append(chunk.data(), got);
    const bool failed = std::ferror(file) != 0;
    const int reason = errno;
    if (!standardInput)
        std::fclose(file);
    if (failed) {
        error = Say(m_language, Text::CannotRead, {Printable(source), std::strerror(reason)});
        return std::nullopt;
    }
    schema::SchemaScript script = schema::ReadScript(text, source);
    const std::vector<schema::TextAverage>& averages = m_assumptions.textAverages;
    m_averageUsed.resize(averages.size());
    for (std::size_t i = 0; i < averages.size(); ++i) {
        m_averageUsed[i] = m_averageUsed[i] || std::any_of(script.tables.begin(), script.tables.end(),
                                                           [&](const schema::SchemaTable& t) {
                                                               return schema::EqualsNoCase(t.name, averages[i].table);
                                                           });
    }
    return script;
}

schema::DerivedTable ScriptSource::Derive(const schema::SchemaTable& table) {
    std::optional<std::string_view> rowCount;
    if (const auto found = m_rows.find(schema::LowerCase(table.name)); found != m_rows.end()) {
        found->second.used = true;
        rowCount = found->second.count;
    }
    return schema::DeriveTable(table, rowCount, m_assumptions);
}

TableRecord ScriptSource::Record(const schema::SchemaTable& table, const schema::DerivedTable& derived) const {
    TableRecord r;
    r.name = table.name;
    r.place = table.place;
    if (derived.problem) {
        r.error.problem = ReadProblem::Script;
        r.error.place = derived.problem->place;
        r.error.detail = derived.problem->message.Render(m_language);
        return r;
    }
    r.description = derived.description;
    r.sized = derived.sized;
    r.refusal = derived.refusal;
    for (const Message& note : derived.notes)
        r.notes.push_back(note.Render(m_language));
    return r;
}

bool ScriptSource::Walk(const std::string& path, const TableVisit& visit, const MessageSink& say, bool emptyIsError) {
    const std::string source = Printable(SourceName(path));
    std::string error;
    const std::optional<schema::SchemaScript> script = Load(path, error);
    if (!script) {
        say(error, SizeTool::MessageKind::InputError);
        return false;
    }
    for (const schema::SchemaTable& table : script->tables) {
        if (!visit(table, Derive(table)))
            return false;
    }
    if (script->tables.empty() && emptyIsError) // as for any input without a table
        say(source + ": " + Say(m_language, Text::NoTable), SizeTool::MessageKind::InputError);
    for (const schema::ScriptProblem& problem : script->problems)
        say(ProblemLine(problem, m_language), SizeTool::MessageKind::Problem);
    if (script->skippedStatements != 0)
        say(source + ": " + Say(m_language, Text::SkippedStatements, {std::to_string(script->skippedStatements)}),
            SizeTool::MessageKind::Note);
    return true;
}

bool ScriptSource::Size(const std::string& path, SizeTool& tool) {
    const std::string source = Printable(SourceName(path));
    return Walk(
        path,
        [&](const schema::SchemaTable& table, const schema::DerivedTable& derived) {
            return tool.AddTable(Record(table, derived), source);
        },
        [&tool](const std::string& line, SizeTool::MessageKind kind) { tool.Message(line, kind); }, true);
}

void ScriptSource::Describe(const std::string& path, std::string& text, const MessageSink& say) {
    const std::string source = Printable(SourceName(path));
    const auto describe = [&](const schema::SchemaTable& table, const schema::DerivedTable& derived) {
        TableRecord record = Record(table, derived);
        const std::string where = PlacePrefix(source, record.place) + Printable(table.name) + ": ";
        if (derived.problem) {
            say(ProblemLine(*derived.problem, m_language), SizeTool::MessageKind::Problem);
            return true;
        }
        if (derived.refusal != RunMessage::None) {
            say(where + MessageText(derived.refusal), SizeTool::MessageKind::Problem);
            return true;
        }
        AppendDescription(text, table.name, record.description);
        const numtext::Int32Conversion rows = numtext::ToInt32(record.description.rowCount);
        const WideCount textPages =
            rows.fit == numtext::Fit::Fits ? TextPages(rows.value, record.description.textPagesPerRow).value_or(0) : 0;
        if (derived.sized && textPages != 0)
            record.notes.push_back(Say(m_language, Text::TextPagesNotDescribed, {std::to_string(textPages)}));
        for (const std::string& note : record.notes)
            say(where + Say(m_language, Text::Note, {Printable(note)}), SizeTool::MessageKind::Note);
        return true;
    };
    // Describing a script without tables describes nothing, and says nothing.
    Walk(path, describe, say, false);
}

std::vector<std::string> ScriptSource::UnusedNames() const {
    std::vector<std::string> warnings;
    for (const auto& [lower, rows] : m_rows) {
        if (!rows.used)
            warnings.push_back(Say(m_language, Text::UnknownRowsTable, {Printable(rows.name)}));
    }
    std::sort(warnings.begin(), warnings.end()); // the same order on every run
    for (std::size_t i = 0; i < m_assumptions.textAverages.size(); ++i) {
        if (i >= m_averageUsed.size() || !m_averageUsed[i])
            warnings.push_back(
                Say(m_language, Text::UnknownAverageTable, {Printable(m_assumptions.textAverages[i].table)}));
    }
    return warnings;
}

} // namespace quorvel::cli
