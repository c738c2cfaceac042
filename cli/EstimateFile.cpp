// The window's estimate files.

#include "cli/EstimateFile.h"

#include "cli/DescriptionJson.h"
#include "cli/JsonWriter.h"
#include "cli/ScriptSource.h"
#include "cli/SizeTool.h"
#include "cli/TableReader.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <utility>

namespace quorvel::cli {

namespace {

constexpr std::array kSectionFields{TableField::FillFactor, TableField::AllFixedBytes, TableField::FixedBytes,
                                    TableField::VariableBytes, TableField::VariableColumns};

// The key of a field in the window member, where the two fixed-bytes fields differ.
std::string_view KeptKey(TableField field) {
    return field == TableField::AllFixedBytes ? keys::kAllFixedBytes : FieldKey(field);
}

using KeptTexts = std::vector<std::pair<TableField, std::string>>;

// The unread texts of a section that are not the starting "0".
KeptTexts Kept(SectionDescription s, bool index) {
    KeptTexts kept;
    for (const TableField field : kSectionFields) {
        if (Unread(s, index, field) && TextOf(s, field) != "0")
            kept.emplace_back(field, TextOf(s, field));
    }
    return kept;
}

void WriteKept(JsonWriter& json, const KeptTexts& kept) {
    json.Object();
    for (const auto& [field, text] : kept)
        json.Member(KeptKey(field), text);
    json.End();
}

std::size_t Characters(std::string_view utf8) {
    return static_cast<std::size_t>(
        std::count_if(utf8.begin(), utf8.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

// The first text of a section too long for a field, with where it stands:
// the reader has put the window member's texts in the fields the figures do not read.
void ViewSection(SectionDescription& s, bool index, const SectionPlaces& places, const KeptSection& kept,
                 const ValueRef& where, std::optional<LongText>& longText) {
    for (const TableField field : kSectionFields) {
        if (field == TableField::FillFactor && !index)
            continue;
        const std::string& text = TextOf(s, field);
        const bool unread = Unread(s, index, field);
        if (longText || Characters(text) <= kLongestFieldText)
            continue;
        if (unread)
            longText = LongText{std::string(keys::kWindow) + "." + SectionPath(where.section, where.index) + "." +
                                    std::string(KeptKey(field)),
                                kept.places[field]};
        else
            longText = LongText{KeyPath(where, field), places[field]};
    }
}

FileTable ViewOf(const TableRecord& record, std::string_view source, TableEstimator& estimator) {
    FileTable table;
    table.place = record.place;
    table.estimate.name = record.name;
    table.rowCount = record.description.rowCount;
    table.indexCount = record.description.nonClustered.size();
    TableDescription& view = table.estimate.description;
    view = record.description;
    view.nonClustered.resize(kWindowIndexes);
    if (Characters(view.rowCount) > kLongestFieldText)
        table.longText = LongText{std::string(keys::kRowCount), record.table[TableField::RowCount]};
    static const KeptSection none;
    static const SectionPlaces nowhere;
    ViewSection(view.data, false, record.data, record.window.data, {TableSection::Data}, table.longText);
    ViewSection(view.clustered, true, record.clustered, record.window.clustered, {TableSection::Clustered},
                table.longText);
    for (std::size_t i = 0; i < kWindowIndexes; ++i) {
        const KeptSection& kept = i < record.window.nonClustered.size() ? record.window.nonClustered[i] : none;
        const SectionPlaces& places = i < record.nonClustered.size() ? record.nonClustered[i] : nowhere;
        ViewSection(view.nonClustered[i], true, places, kept, {TableSection::NonClustered, i}, table.longText);
    }
    const TableEstimate estimate = estimator.Estimate(view);
    if (estimate.Refused()) {
        const std::vector<ZeroRowsPerPage> noWarnings;
        const TableOutcome refused{1,       record, source, TableStatus::Refused, estimate.failure, estimate.where,
                                   nullptr, noWarnings};
        table.refusal = ProblemText(refused, Language::Japanese);
    }
    return table;
}

using FilePointer = std::unique_ptr<std::FILE, int (*)(std::FILE*)>;

// A text as a file the tool's readers take: they read its descriptor, so a
// file in memory without one will not do; an unnamed temporary file will.
FilePointer TextFile(std::string_view text) {
    FilePointer file(std::tmpfile(), &std::fclose);
    if (file && (std::fwrite(text.data(), 1, text.size(), file.get()) != text.size() || std::fflush(file.get()) != 0))
        file.reset();
    if (file)
        std::rewind(file.get());
    return file;
}

struct ReadResult {
    std::vector<TableRecord> records;
    ReadOutcome outcome;
    int temporaryFileError = 0; // errno of a temporary file that could not be written
};

// The tables of a JSON text, read by the tool's reader as a file of that name would be.
ReadResult ReadJson(std::string_view text, InputFormat format) {
    ReadResult result;
    if (text.empty()) {
        result.outcome.fatal.problem = ReadProblem::EmptyInput;
        return result;
    }
    const FilePointer file = TextFile(text);
    if (!file) {
        result.temporaryFileError = errno != 0 ? errno : EIO;
        return result;
    }
    JsonInput input(file.get());
    const TableHandler keep = [&result](const TableRecord& record) {
        result.records.push_back(record);
        return true;
    };
    TableReader reader(input, keep);
    result.outcome = reader.Read(format);
    return result;
}

bool EndsWith(std::string_view text, std::string_view end) {
    return text.size() >= end.size() && text.substr(text.size() - end.size()) == end;
}

std::string LowerExtension(const std::string& path) {
    std::string extension = std::filesystem::path(path).extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c); });
    return extension;
}

// JSON by its name (.json, .jsonl, .ndjson), a script by its name (.sql);
// otherwise JSON when the text opens an object or an array.
bool IsScript(const std::string& path, std::string_view text) {
    const std::string extension = LowerExtension(path);
    if (extension == ".json" || extension == ".jsonl" || extension == ".ndjson")
        return false;
    if (extension == ".sql")
        return true;
    if (text.starts_with("\xEF\xBB\xBF"))
        text.remove_prefix(3);
    const std::size_t first = text.find_first_not_of(" \t\r\n");
    return first == std::string_view::npos || (text[first] != '{' && text[first] != '[');
}

// The first NUL byte of a text that is no UTF-16 (which has a mark, and NULs
// between its ASCII letters): line and byte column from 1.
std::optional<Place> NulByte(std::string_view text) {
    if (text.starts_with("\xFF\xFE") || text.starts_with("\xFE\xFF"))
        return std::nullopt;
    const std::size_t at = text.find('\0');
    if (at == std::string_view::npos)
        return std::nullopt;
    const std::string_view before = text.substr(0, at);
    const std::size_t lineStart = before.rfind('\n');
    return Place{static_cast<std::size_t>(std::count(before.begin(), before.end(), '\n')) + 1,
                 at - (lineStart == std::string_view::npos ? 0 : lineStart + 1) + 1};
}

// A text that could not be handed to the reader through its temporary file:
// the file cannot be read, and why.
bool CouldNotHandOn(const ReadResult& read, OpenedFile& opened) {
    if (read.temporaryFileError == 0)
        return false;
    opened.fault = FileFault::CannotRead;
    opened.reason = "一時ﾌｧｲﾙに書き込めません: " + std::string(std::strerror(read.temporaryFileError));
    return true;
}

void OpenJson(std::string& text, const std::string& path, std::string_view source, OpenedFile& opened) {
    ReadResult read = ReadJson(text, FormatForPath(InputFormat::Auto, path));
    if (CouldNotHandOn(read, opened))
        return;
    if (read.outcome.fatal.problem == ReadProblem::EmptyInput) {
        opened.fault = FileFault::NoTable;
    } else if (read.outcome.fatal.problem != ReadProblem::None) {
        opened.fault = FileFault::Malformed;
        opened.reason = PlacePrefix(source, read.outcome.fatal.place) +
                        DescribeReadError(read.outcome.fatal, Language::Japanese);
        return;
    }
    TableEstimator estimator;
    for (const TableRecord& record : read.records) {
        if (record.error.problem == ReadProblem::None)
            opened.tables.push_back(ViewOf(record, source, estimator));
        else
            opened.problems.push_back(PlacePrefix(source, record.error.place) +
                                      DescribeReadError(record.error, Language::Japanese));
    }
}

// A script through ScriptSource, as --describe reads it: the descriptions come
// as JSON Lines, each table's notes right after its line and naming it; what
// names no table is the script's.
void OpenScript(const std::string& path, std::string_view source, OpenedFile& opened) {
    opened.script = true;
    // The window speaks Japanese whatever the locale: a script that is not
    // UTF-8 is a Japanese DBA's CP932 one, as under a Japanese locale.
    ScriptSource scripts(Language::Japanese, true);
    std::string text;
    struct Said {
        std::string line;
        SizeTool::MessageKind kind;
        std::size_t tablesBefore;
    };
    std::vector<Said> said;
    std::size_t counted = 0, tables = 0; // the lines of text counted so far
    scripts.Describe(path, text, [&](const std::string& line, SizeTool::MessageKind kind) {
        tables += static_cast<std::size_t>(std::count(text.begin() + static_cast<std::ptrdiff_t>(counted), text.end(), '\n'));
        counted = text.size();
        said.push_back({line, kind, tables});
    });
    ReadResult read = ReadJson(text, InputFormat::JsonLines);
    if (CouldNotHandOn(read, opened))
        return;
    TableEstimator estimator;
    for (TableRecord& record : read.records) {
        // Places in the described lines mean nothing to the user of the script.
        record.table = record.data = record.clustered = SectionPlaces{};
        std::fill(record.nonClustered.begin(), record.nonClustered.end(), SectionPlaces{});
        opened.tables.push_back(ViewOf(record, source, estimator));
        opened.tables.back().rowCount.reset();
    }
    // Every table of a script is described without a row count, and every
    // script that is not UTF-8 is read as CP932: the window has its own field
    // for the one and no --encoding for the other, so those notes say nothing there.
    const std::string noRowCount = Say(Language::Japanese, Text::NoRowCount);
    const std::string guessedCp932 = Say(Language::Japanese, Text::GuessedCp932);
    // A script without a table has a message of the window's own below.
    const std::string noTable = Say(Language::Japanese, Text::NoTable);
    const std::string emptyInput = Say(Language::Japanese, Text::EmptyInput);
    const auto saysNoTable = [&](const std::string& line) {
        return EndsWith(line, noTable) || EndsWith(line, emptyInput);
    };
    for (const Said& s : said) {
        if (s.kind == SizeTool::MessageKind::InputError && saysNoTable(s.line)) {
            continue;
        } else if (s.kind == SizeTool::MessageKind::InputError) {
            opened.fault = FileFault::Script;
            opened.reason = s.line;
        } else if (s.kind == SizeTool::MessageKind::Problem) {
            opened.problems.push_back(s.line);
        } else if (!EndsWith(s.line, noRowCount) && !EndsWith(s.line, guessedCp932)) {
            FileTable* table = s.tablesBefore > 0 && s.tablesBefore <= opened.tables.size()
                                   ? &opened.tables[s.tablesBefore - 1]
                                   : nullptr;
            if (table && s.line.find(": " + Printable(table->estimate.name) + ": ") != std::string::npos)
                table->notes.push_back(s.line);
            else
                opened.notes.push_back(s.line);
        }
    }
    if (opened.fault != FileFault::None)
        opened.tables.clear();
    else if (opened.tables.empty() && opened.problems.empty())
        opened.fault = FileFault::NoTable;
}

} // namespace

std::string EstimateJson(const WindowEstimate& estimate) {
    const TableDescription& d = estimate.description;
    std::string out;
    JsonWriter json(out);
    json.Object();
    WriteDescription(json, estimate.name, d, ValueForm::AsTyped);
    const KeptTexts data = Kept(d.data, false);
    const KeptTexts clustered = Kept(d.clustered, true);
    std::vector<KeptTexts> indexes;
    for (const SectionDescription& index : d.nonClustered)
        indexes.push_back(Kept(index, true));
    while (!indexes.empty() && indexes.back().empty())
        indexes.pop_back();
    if (!data.empty() || !clustered.empty() || !indexes.empty()) {
        json.Key(keys::kWindow).Object();
        if (!data.empty())
            WriteKept(json.Key(keys::kData), data);
        if (!clustered.empty())
            WriteKept(json.Key(keys::kClustered), clustered);
        if (!indexes.empty()) {
            json.Key(keys::kNonClustered).Array();
            for (const KeptTexts& index : indexes) {
                if (index.empty())
                    json.Null();
                else
                    WriteKept(json, index);
            }
            json.End();
        }
        json.End();
    }
    json.End();
    out.push_back('\n');
    return out;
}

std::optional<std::string> EstimateReport(const WindowEstimate& estimate, ReportView view, std::string_view source) {
    const std::string text = EstimateJson(estimate);
    std::string report;
    SizeTool tool(
        view, Language::Japanese,
        [&report](std::string_view part) {
            report += part;
            return true;
        },
        [](std::string_view) { return true; });
    const FilePointer file = TextFile(text);
    if (!file)
        return std::nullopt;
    tool.ReadStream(file.get(), source, InputFormat::Json);
    tool.Finish();
    return report;
}

OpenedFile OpenEstimateFile(const std::string& path, std::string_view source) {
    OpenedFile opened;
    std::error_code unknown;
    const std::uintmax_t size = std::filesystem::file_size(path, unknown);
    if (!unknown && size > kLargestEstimateFile) {
        opened.fault = FileFault::TooLarge;
        opened.size = size;
        return opened;
    }
    const FilePointer file(std::fopen(path.c_str(), "rb"), &std::fclose);
    if (!file) {
        opened.fault = FileFault::CannotOpen;
        opened.reason = std::strerror(errno);
        return opened;
    }
    // A file of unknown size (a pipe) is read up to one byte past the limit.
    std::string text;
    std::array<char, 1 << 16> chunk{};
    for (std::size_t got; text.size() <= kLargestEstimateFile && (got = std::fread(chunk.data(), 1, chunk.size(), file.get())) > 0;)
        text.append(chunk.data(), got);
    if (std::ferror(file.get())) {
        opened.fault = FileFault::CannotRead;
        opened.reason = std::strerror(errno);
        return opened;
    }
    if (text.size() > kLargestEstimateFile) {
        opened.fault = FileFault::TooLarge;
        opened.size = text.size();
        return opened;
    }
    if (const std::optional<Place> nul = NulByte(text)) {
        opened.fault = FileFault::Binary;
        opened.place = *nul;
        return opened;
    }
    if (IsScript(path, text))
        OpenScript(path, source, opened);
    else
        OpenJson(text, path, source, opened);
    return opened;
}

} // namespace quorvel::cli
