// The tables of schema scripts for quorvel-size.

#include "cli/ScriptSource.h"

#include "calc/NumericText.h"
#include "calc/ServerLimits.h"
#include "cli/DescriptionJson.h"
#include "schema/ScriptEncoding.h"
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
#include <new>
#include <stdexcept>

namespace quorvel::cli {

// What reading one script gave beside its tables: its problems and notes are
// those of the schema before the ends given here.
struct ScriptSource::ScriptFile {
    std::string source;        // as messages name it
    std::uintmax_t bytes = 0;  // read
    bool blank = false;        // nothing but blanks
    std::size_t problemsEnd = 0;
    std::size_t notesEnd = 0;
    std::size_t skipped = 0;
};

namespace {

// The name a script's problems carry: "-" is standard input.
std::string SourceName(const std::string& path) {
    return path == "-" ? "<stdin>" : path;
}

std::string ProblemLine(const schema::ScriptProblem& problem, Language language) {
    return PlacePrefix(Printable(problem.source), problem.place) + Printable(problem.message.Render(language));
}

std::string NoteLine(std::string_view source, Place place, const Message& note, Language language) {
    return PlacePrefix(source, place) + Say(language, Text::Note, {Printable(note.Render(language))});
}

std::string OutOfMemoryLine(std::string_view source, std::uintmax_t bytes, Language language) {
    return std::string(source) + ": " + Say(language, Text::OutOfMemory, {std::to_string(bytes >> 20)});
}

// A count of rows the window takes: a numeric text from 0 up to the most rows.
bool IsRowCount(std::string_view count) {
    const std::optional<double> value = numtext::ToDouble(count);
    return value && *value >= 0 && numtext::ToInt32(count).fit == numtext::Fit::Fits;
}

std::string MostRows() {
    char grouped[64];
    return std::string(numtext::FormatGrouped(limits::kRowCount, grouped));
}

bool Blank(std::string_view text) {
    return text.find_first_not_of(" \t\r\n\v\f") == std::string_view::npos;
}

// Appends the bytes of a script as they come, so that what was read is there
// when memory runs out; an error message when it cannot be opened or read.
std::optional<std::string> ReadBytes(const std::string& path, std::string& bytes, Language language) {
    const bool standardInput = path == "-";
    std::FILE* file = standardInput ? stdin : std::fopen(path.c_str(), "rb");
    if (file == nullptr)
        return Say(language, Text::CannotOpen, {Printable(path), std::strerror(errno)});
    struct Closer {
        std::FILE* file;
        ~Closer() {
            if (file != stdin)
                std::fclose(file);
        }
    } closer{file};
    // A file is read in one piece of its own size; standard input as it comes.
    std::error_code sizeUnknown;
    const std::uintmax_t size = standardInput ? 0 : std::filesystem::file_size(path, sizeUnknown);
    if (!sizeUnknown && size > 0) {
        bytes.resize(size);
        bytes.resize(std::fread(bytes.data(), 1, bytes.size(), file));
    }
    std::array<char, 1 << 16> chunk{};
    for (std::size_t got; (got = std::fread(chunk.data(), 1, chunk.size(), file)) > 0;)
        bytes.append(chunk.data(), got);
    if (std::ferror(file) != 0) {
        const int reason = errno;
        return Say(language, Text::CannotRead, {Printable(SourceName(path)), std::strerror(reason)});
    }
    return std::nullopt;
}

// Why a script could not be decoded, where.
std::string DecodingProblem(const schema::DecodedScript& d, std::string_view source, Language language) {
    using schema::ScriptDecoding;
    char byte[8];
    std::snprintf(byte, sizeof byte, "0x%02X", d.byte);
    const std::string encoding = Printable(d.encoding);
    const Message message = d.outcome == ScriptDecoding::NotUtf8           ? Message(Text::NotUtf8)
                            : d.outcome == ScriptDecoding::NotUtf8NorCp932 ? Message(Text::NotUtf8NorCp932)
                            : d.outcome == ScriptDecoding::NulCharacter    ? Message(Text::NulCharacter)
                            : d.outcome == ScriptDecoding::InvalidBytes    ? Message(Text::InvalidBytes, {encoding, byte})
                            : d.outcome == ScriptDecoding::Truncated ? Message(Text::TruncatedCharacter, {encoding})
                            : d.outcome == ScriptDecoding::BomContradicts
                                ? Message(Text::BomContradicts, {encoding, d.bomEncoding})
                                : Message(Text::UnknownEncoding, {encoding});
    return PlacePrefix(source, Place{d.line, d.column}) + message.Render(language);
}

} // namespace

ScriptSource::ScriptSource(Language language, bool japaneseLocale)
    : m_language(language), m_japaneseLocale(japaneseLocale) {}

std::optional<std::string> ScriptSource::AddRows(std::string_view option) {
    const std::size_t equals = option.rfind('=');
    if (equals == std::string_view::npos || equals == 0 || equals + 1 == option.size())
        return Say(m_language, Text::BadRowsOption, {Printable(option)});
    const std::string_view name = option.substr(0, equals);
    const std::string_view count = option.substr(equals + 1);
    if (!IsRowCount(count))
        return Say(m_language, Text::BadRowCount, {Printable(option), MostRows()});
    m_rows[schema::LowerCase(name)] = RowCount{std::string(name), std::string(count)};
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
    std::optional<std::string> badCount; // the name of the first count no table can have
    const Json::parser_callback_t take = [&](int depth, Event event, Json& value) {
        if (event == Event::key) {
            name = value.get<std::string>();
            return false; // the counts are taken as they come: nothing is kept
        }
        const bool outer = depth == 0 && (event == Event::object_start || event == Event::object_end);
        const bool count = depth == 1 && event == Event::value && (value.is_number() || value.is_string());
        if (count) {
            const std::string rows = value.is_string() ? value.get<std::string>() : value.dump();
            if (!IsRowCount(rows) && !badCount)
                badCount = name;
            m_rows[schema::LowerCase(name)] = RowCount{name, rows};
        }
        shaped = shaped && (outer || count);
        return depth == 0;
    };
    if (Json::parse(text, take, false).is_discarded() || !shaped)
        return Say(m_language, Text::BadRowsFile, {Printable(path)});
    if (badCount)
        return Say(m_language, Text::BadRowsFileCount, {Printable(path), Printable(*badCount), MostRows()});
    return std::nullopt;
}

std::optional<std::string> ScriptSource::AddTextAverage(std::string_view option) {
    const std::size_t equals = option.rfind('=');
    const std::size_t dot = equals == std::string_view::npos ? equals : option.rfind('.', equals);
    std::uint32_t bytes = 0;
    const bool shaped = dot != std::string_view::npos && dot > 0 && dot + 1 < equals && equals + 1 < option.size();
    const char* const last = option.data() + option.size();
    const auto [end, error] = shaped ? std::from_chars(option.data() + equals + 1, last, bytes)
                                     : std::from_chars_result{nullptr, std::errc::invalid_argument};
    if (error != std::errc() || end != last || bytes > limits::kTextBytes)
        return Say(m_language, Text::BadAverageOption, {Printable(option), std::to_string(limits::kTextBytes)});
    m_assumptions.textAverages.push_back(schema::TextAverage{
        std::string(option.substr(0, dot)), std::string(option.substr(dot + 1, equals - dot - 1)), bytes});
    return std::nullopt;
}

std::optional<std::string> ScriptSource::SetEncoding(std::string name) {
    if (schema::DecodeScript({}, {name, false}).outcome == schema::ScriptDecoding::UnknownEncoding)
        return Say(m_language, Text::UnknownEncoding, {Printable(name)});
    m_encoding = std::move(name);
    return std::nullopt;
}

ScriptSource::Reading ScriptSource::Read(const std::vector<std::string>& paths, std::vector<ScriptFile>& files,
                                         schema::SchemaScript& schema, const MessageSink& say) {
    schema::ScriptReader reader;
    bool ok = true;
    std::string source;
    std::string bytes;
    std::uintmax_t read = 0;
    const auto outOfMemory = [&] {
        say(OutOfMemoryLine(source, std::max<std::uintmax_t>(read, bytes.size()), m_language),
            SizeTool::MessageKind::InputError);
        return Reading::OutOfMemory;
    };
    try {
        for (const std::string& path : paths) {
            source = Printable(SourceName(path));
            bytes.clear();
            read = 0;
            if (const std::optional<std::string> error = ReadBytes(path, bytes, m_language)) {
                say(*error, SizeTool::MessageKind::InputError);
                ok = false;
                continue;
            }
            read = bytes.size();
            const schema::DecodedScript decoded = schema::DecodeScript(std::move(bytes), {m_encoding, m_japaneseLocale});
            if (decoded.outcome == schema::ScriptDecoding::OutOfMemory)
                throw std::bad_alloc();
            if (!decoded.Ok()) {
                say(DecodingProblem(decoded, source, m_language), SizeTool::MessageKind::InputError);
                ok = false;
                continue;
            }
            if (decoded.outcome == schema::ScriptDecoding::GuessedCp932)
                say(NoteLine(source, Place{decoded.line, decoded.column}, Message(Text::GuessedCp932), m_language),
                    SizeTool::MessageKind::Note);
            const std::size_t skippedBefore = reader.Schema().skippedStatements;
            reader.Read(decoded.text, SourceName(path));
            files.push_back(ScriptFile{source, read, Blank(decoded.text), reader.Schema().problems.size(),
                                       reader.Schema().notes.size(),
                                       reader.Schema().skippedStatements - skippedBefore});
        }
        schema = reader.Take();
    } catch (const std::bad_alloc&) {
        return outOfMemory();
    } catch (const std::length_error&) { // a text longer than a string can hold
        return outOfMemory();
    }
    const std::vector<schema::TextAverage>& averages = m_assumptions.textAverages;
    m_averageUsed.resize(averages.size());
    for (std::size_t i = 0; i < averages.size(); ++i) {
        m_averageUsed[i] = m_averageUsed[i] || std::any_of(schema.tables.begin(), schema.tables.end(),
                                                           [&](const schema::SchemaTable& t) {
                                                               return schema::EqualsNoCase(t.name, averages[i].table);
                                                           });
    }
    return ok ? Reading::AllRead : Reading::SomeUnread;
}

void ScriptSource::SayAfterTables(const std::vector<ScriptFile>& files, const schema::SchemaScript& schema,
                                  const MessageSink& say) const {
    // A schema without a table is an input error, as any input without a table is.
    if (schema.tables.empty()) {
        for (const ScriptFile& file : files)
            say(file.source + ": " + Say(m_language, file.blank ? Text::EmptyInput : Text::NoTable),
                SizeTool::MessageKind::InputError);
    }
    std::size_t problem = 0, note = 0;
    for (const ScriptFile& file : files) {
        for (; problem < file.problemsEnd; ++problem)
            say(ProblemLine(schema.problems[problem], m_language), SizeTool::MessageKind::Problem);
        for (; note < file.notesEnd; ++note) {
            const schema::ScriptProblem& n = schema.notes[note];
            say(NoteLine(Printable(n.source), n.place, n.message, m_language), SizeTool::MessageKind::Note);
        }
        if (file.skipped != 0)
            say(file.source + ": " + Say(m_language, Text::SkippedStatements, {std::to_string(file.skipped)}),
                SizeTool::MessageKind::Note);
    }
}

schema::DerivedTable ScriptSource::Derive(const schema::SchemaTable& table) {
    std::optional<std::string_view> rowCount;
    if (const auto found = m_rows.find(schema::LowerCase(table.name)); found != m_rows.end()) {
        found->second.used = true;
        rowCount = found->second.count;
    }
    return schema::DeriveTable(table, rowCount, m_assumptions);
}

TableRecord ScriptSource::Record(const schema::SchemaTable& table, const schema::DerivedTable& derived,
                                 const schema::SchemaScript& schema) const {
    TableRecord r;
    r.name = table.name;
    r.place = table.place;
    if (derived.problem) {
        r.error.problem = ReadProblem::Script;
        r.error.place = derived.problem->place;
        r.error.detail = derived.problem->message.Render(m_language);
        if (derived.problem->source != schema.scripts[table.script]) // an ALTER TABLE or CREATE INDEX in another script
            r.error.source = Printable(derived.problem->source);
        return r;
    }
    r.description = derived.description;
    r.sized = derived.sized;
    r.refusal = derived.refusal;
    for (const Message& note : derived.notes)
        r.notes.push_back(note.Render(m_language));
    return r;
}

bool ScriptSource::Walk(const std::vector<std::string>& paths, const TableVisit& visit, const MessageSink& say) {
    std::vector<ScriptFile> files;
    schema::SchemaScript schema;
    const Reading reading = Read(paths, files, schema, say);
    if (reading == Reading::OutOfMemory)
        return false;
    try {
        for (const schema::SchemaTable& table : schema.tables) {
            if (!visit(table, Derive(table), schema))
                return false;
        }
        SayAfterTables(files, schema, say);
    } catch (const std::bad_alloc&) { // files holds the script of every table visited
        say(OutOfMemoryLine(files.back().source, files.back().bytes, m_language), SizeTool::MessageKind::InputError);
        return false;
    }
    return reading == Reading::AllRead;
}

bool ScriptSource::Size(const std::vector<std::string>& paths, SizeTool& tool) {
    return Walk(
        paths,
        [&](const schema::SchemaTable& table, const schema::DerivedTable& derived, const schema::SchemaScript& schema) {
            return tool.AddTable(Record(table, derived, schema), Printable(schema.scripts[table.script]));
        },
        [&tool](const std::string& line, SizeTool::MessageKind kind) { tool.Message(line, kind); });
}

void ScriptSource::Describe(const std::vector<std::string>& paths, std::string& text, const MessageSink& say) {
    const auto describe = [&](const schema::SchemaTable& table, const schema::DerivedTable& derived,
                              const schema::SchemaScript& schema) {
        TableRecord record = Record(table, derived, schema);
        const std::string where =
            PlacePrefix(Printable(schema.scripts[table.script]), record.place) + Printable(table.name) + ": ";
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
    Walk(paths, describe, say);
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
