// The tables of schema scripts for quorvel-size.

#include "ScriptSource.h"

#include "DescriptionJson.h"
#include "SchemaCatalog.h"
#include "ScriptReader.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <array>
#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>

namespace quorvel::cli {

namespace {

constexpr std::size_t kChunkBytes = 64 * 1024;
constexpr std::uint32_t kMaxTextBytes = 2147483647; // the longest text value the server stores
constexpr char kProgram[] = "quorvel-size: ";

schema::TextLanguage ScriptLanguage(Language language) {
    return language == Language::Japanese ? schema::TextLanguage::Japanese : schema::TextLanguage::English;
}

// The counts of a --rows-file as they are read, in the order they stand, so
// that the last count for a name wins: one object of names and counts.
class RowsFileEvents final : public nlohmann::json_sax<nlohmann::json> {
public:
    explicit RowsFileEvents(RowCountTable& rows) : m_rows(rows) {}

    bool null() override { return false; }
    bool boolean(bool) override { return false; }
    // A number goes as its decimal text, as in a table's description.
    bool number_integer(number_integer_t value) override { return Count(std::to_string(value)); }
    bool number_unsigned(number_unsigned_t value) override { return Count(std::to_string(value)); }
    bool number_float(number_float_t value, const string_t&) override {
        return Count(nlohmann::json(value).dump());
    }
    bool string(string_t& value) override { return Count(std::move(value)); }
    bool binary(binary_t&) override { return false; }
    // Only the outermost value may be an object; a value inside it is refused
    // as it starts, as is any outermost value but an object.
    bool start_object(std::size_t) override { return m_depth++ == 0; }
    bool key(string_t& name) override {
        m_name = std::move(name);
        return true;
    }
    bool end_object() override {
        --m_depth;
        return true;
    }
    bool start_array(std::size_t) override { return false; }
    bool end_array() override { return false; }
    bool parse_error(std::size_t, const std::string&, const nlohmann::detail::exception&) override {
        return false;
    }

private:
    bool Count(std::string text) {
        if (m_depth != 1)
            return false;
        m_rows.Set(m_name, std::move(text));
        return true;
    }

    RowCountTable& m_rows;
    std::string m_name;
    int m_depth = 0;
};

// The name a script's problems carry: "-" is standard input.
std::string SourceName(const std::string& path) {
    return path == "-" ? "<stdin>" : path;
}

std::string ProblemLine(const schema::ScriptProblem& problem, Language language) {
    return PlacePrefix(Printable(problem.source), Place{problem.line, problem.column}) +
           Printable(problem.message.Render(ScriptLanguage(language)));
}

} // namespace

std::optional<std::string> ScriptSource::AddRows(std::string_view option) {
    const std::size_t equals = option.rfind('=');
    if (equals == std::string_view::npos || equals == 0 || equals + 1 == option.size())
        return Say(m_language, ToolText::BadRowsOption, {Printable(option)});
    m_rows.Set(option.substr(0, equals), std::string(option.substr(equals + 1)));
    return std::nullopt;
}

std::optional<std::string> ScriptSource::AddRowsFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return Say(m_language, ToolText::CannotOpen, {Printable(path), std::strerror(errno)});
    // Read whole first: the parser takes bytes from memory much faster than from a stream.
    const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    RowsFileEvents events(m_rows);
    if (!nlohmann::json::sax_parse(text, &events))
        return Say(m_language, ToolText::BadRowsFile, {Printable(path)});
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
                    bytes <= kMaxTextBytes;
    if (!ok)
        return Say(m_language, ToolText::BadAverageOption, {Printable(option)});
    m_assumptions.textAverages.push_back(schema::TextAverage{
        std::string(option.substr(0, dot)), std::string(option.substr(dot + 1, equals - dot - 1)), bytes});
    return std::nullopt;
}

std::optional<schema::SchemaScript> ScriptSource::Load(const std::string& path, std::string& error,
                                                       const EachTable& eachTable) {
    const bool standardInput = path == "-";
    const std::string source = SourceName(path);
    std::FILE* file = standardInput ? stdin : std::fopen(path.c_str(), "rb");
    if (file == nullptr) {
        error = Say(m_language, ToolText::CannotOpen, {Printable(path), std::strerror(errno)});
        return std::nullopt;
    }
    schema::ScriptReader reader(source);
    std::array<char, kChunkBytes> chunk{};
    for (std::size_t got; (got = std::fread(chunk.data(), 1, chunk.size(), file)) > 0;)
        reader.Feed(std::string_view(chunk.data(), got));
    const bool failed = std::ferror(file) != 0;
    const int reason = errno;
    if (!standardInput)
        std::fclose(file);
    if (failed) {
        error = Say(m_language, ToolText::CannotRead, {Printable(source), std::strerror(reason)});
        return std::nullopt;
    }
    return reader.Finish(eachTable);
}

std::optional<std::string_view> ScriptSource::RowCount(std::string_view table) {
    RowCountTable::Entry* found = m_rows.Find(table);
    if (found == nullptr)
        return std::nullopt;
    found->used = true;
    return found->count;
}

schema::DerivedTable ScriptSource::MakeRecord(const schema::SchemaTable& table) {
    if (!m_assumptions.textAverages.empty())
        m_tablesSeen.insert(schema::LowerCase(table.name));
    schema::DerivedTable derived = schema::DeriveTable(table, RowCount(table.name), m_assumptions);
    TableRecord& r = m_record;
    r.name = table.name;
    r.place = Place{table.line, table.column};
    r.error = ReadError{};
    r.sized = true;
    r.refusal = RunMessage::None;
    r.textPages = 0;
    r.notes.clear();
    if (derived.problem) {
        r.error.problem = ReadProblem::Script;
        r.error.place = Place{derived.problem->line, derived.problem->column};
        r.error.detail = derived.problem->message.Render(ScriptLanguage(m_language));
        return derived;
    }
    r.description = std::move(derived.description);
    r.sized = derived.sized;
    r.refusal = derived.refusal;
    r.textPages = derived.textPages;
    for (const schema::ScriptMessage& note : derived.notes)
        r.notes.push_back(note.Render(ScriptLanguage(m_language)));
    return derived;
}

bool ScriptSource::Size(const std::string& path, SizeTool& tool) {
    const std::string source = Printable(SourceName(path));
    std::size_t tables = 0;
    bool written = true;
    std::string error;
    const std::optional<schema::SchemaScript> script =
        Load(path, error, [&](const schema::SchemaTable& table) {
            ++tables;
            const schema::DerivedTable derived = MakeRecord(table);
            written = tool.AddTable(m_record, source);
            return written;
        });
    if (!script) {
        tool.Message(error, SizeTool::MessageKind::InputError);
        return false;
    }
    if (!written)
        return false;
    if (tables == 0) // as for any input without a table
        tool.Message(source + ": " + Say(m_language, ToolText::NoTable), SizeTool::MessageKind::InputError);
    for (const schema::ScriptProblem& problem : script->problems)
        tool.Message(ProblemLine(problem, m_language), SizeTool::MessageKind::Problem);
    if (script->skippedStatements != 0)
        tool.Message(
            source + ": " +
                Say(m_language, ToolText::SkippedStatements, {std::to_string(script->skippedStatements)}),
            SizeTool::MessageKind::Note);
    return true;
}

ScriptSource::DescribeOutcome ScriptSource::Describe(const std::string& path, std::string& text,
                                                     std::string& messages) {
    const std::string source = Printable(SourceName(path));
    bool ok = true;
    std::string error;
    const std::optional<schema::SchemaScript> script =
        Load(path, error, [&](const schema::SchemaTable& table) {
            const schema::DerivedTable derived = MakeRecord(table);
            const std::string where =
                kProgram + PlacePrefix(source, m_record.place) + Printable(table.name) + ": ";
            if (derived.problem || derived.refusal != RunMessage::None) {
                messages += derived.problem ? kProgram + ProblemLine(*derived.problem, m_language)
                                            : where + std::string(MessageText(derived.refusal));
                messages.push_back('\n');
                ok = false;
                return true;
            }
            AppendDescription(text, table.name, m_record.description);
            if (derived.textPages != 0)
                m_record.notes.push_back(
                    Say(m_language, ToolText::TextPagesNotDescribed, {std::to_string(derived.textPages)}));
            for (const std::string& note : m_record.notes)
                messages += where + Say(m_language, ToolText::Note, {Printable(note)}) + "\n";
            return true;
        });
    if (!script) {
        messages += kProgram + error + "\n";
        return ScriptSource::DescribeOutcome::Unreadable;
    }
    for (const schema::ScriptProblem& problem : script->problems) {
        messages += kProgram + ProblemLine(problem, m_language) + "\n";
        ok = false;
    }
    if (script->skippedStatements != 0)
        messages +=
            kProgram + source + ": " +
            Say(m_language, ToolText::SkippedStatements, {std::to_string(script->skippedStatements)}) + "\n";
    return ok ? DescribeOutcome::Described : DescribeOutcome::SomeProblem;
}

std::vector<std::string> ScriptSource::UnusedNames() const {
    std::vector<std::string> warnings;
    for (const RowCountTable::Entry& entry : m_rows.Entries()) {
        if (!entry.used)
            warnings.push_back(Say(m_language, ToolText::UnknownRowsTable, {Printable(entry.name)}));
    }
    std::sort(warnings.begin(), warnings.end()); // the same order on every run
    for (const schema::TextAverage& average : m_assumptions.textAverages) {
        if (!m_tablesSeen.contains(schema::LowerCase(average.table)))
            warnings.push_back(Say(m_language, ToolText::UnknownAverageTable, {Printable(average.table)}));
    }
    return warnings;
}

} // namespace quorvel::cli
