// libFuzzer target: the script decoder, the schema script reader and the
// derivation on any bytes.
//
// The bytes are decoded first, by their byte order mark or as an encoding the
// input's size picks, under either locale: a script that cannot be read has
// no text, one that can has valid UTF-8. Any input must then end in tables
// and problems, never in a crash, a leak or a hang. Every table is derived
// and, when it has no problem, run. Last the script goes through quorvel-size
// (--ddl) in a view the input picks, whose report must be valid UTF-8 (and
// JSON where the view says so), and twice as one schema through --describe,
// whose every line must read back as a table.
//
// An input whose first byte is below 8 has that byte choose a frame around the
// rest, to build what random mutation seldom reaches: thousands of nested
// parentheses, a comment, string or identifier still open at the end, and an
// ALTER TABLE of a table with keys, nullable and text columns.

#include "cli/ScriptSource.h"
#include "schema/ScriptEncoding.h"
#include "schema/ScriptReader.h"
#include "schema/TableDerivation.h"

#include <nlohmann/json.hpp>

#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <cstddef>
#include <cstdio>
#include <sstream>
#include <cstdint>
#include <string>
#include <string_view>

namespace {

using namespace quorvel;
using namespace quorvel::schema;

constexpr char kFramed = 8;

std::string Framed(std::string_view data)
{
    if (data.empty() || data[0] >= kFramed || data[0] < 0)
        return std::string(data);
    const std::string_view rest = data.substr(1);
    const std::string text(rest);
    switch (data[0]) {
    case 0:
        return "CREATE TABLE t (a int NOT NULL PRIMARY KEY, b varchar(10) NULL, c text NULL)\nGO\nALTER TABLE t " +
               text + "\nGO\nCREATE TABLE u (a int)";
    case 1:
        return "CREATE TABLE t (a int DEFAULT " + std::string(2000 + rest.size() % 64 * 500, '(') + text;
    case 2:
        return text + "/*";
    case 3:
        return text + "'";
    case 4:
        return text + "[";
    case 5:
        return "CREATE TABLE t (" + text + "\nGO\nCREATE TABLE u (a int)";
    case 6:
        return "EXEC sp_addtype x, '" + text + "'\nGO\nCREATE TABLE t (a x)";
    case 7:
        return "CREATE TABLE t (a int, b varchar(10) NULL, c text)\nGO\nCREATE INDEX i ON t (" + text;
    default:
        return text;
    }
}

void Check(bool condition)
{
    if (!condition)
        __builtin_trap();
}

// The script through the tool, as --ddl FILE reads it.
void ThroughTheTool(const std::string& text, const SchemaScript& script, std::size_t size, const char* encoding)
{
    const int fd = memfd_create("fuzz_schema", 0);
    Check(fd >= 0 && write(fd, text.data(), text.size()) == static_cast<ssize_t>(text.size()));
    const std::string path = "/proc/self/fd/" + std::to_string(fd);
    const auto view = static_cast<cli::ReportView>(size % 5);
    const Language language = size / 5 % 2 == 0 ? Language::English : Language::Japanese;
    cli::ScriptSource source(language);
    if (*encoding != '\0')
        Check(!source.SetEncoding(encoding));
    for (std::size_t i = 0; i < script.tables.size(); i += 2)
        (void)source.AddRows(script.tables[i].name + "=" + std::to_string(size * 7919));
    std::string out, err;
    cli::SizeTool tool(
        view, language,
        [&out](std::string_view t) {
            out += t;
            return true;
        },
        [&err](std::string_view t) {
            err += t;
            return true;
        });
    source.Size(path, tool);
    const int status = tool.Finish();
    Check(status >= 0 && status <= 2);
    (void)nlohmann::json(out).dump(); // throws on bytes that are not UTF-8
    (void)nlohmann::json(err).dump();
    if (view == cli::ReportView::Json)
        (void)nlohmann::json::parse(out);

    // The script twice as one schema: its drops and creates run again.
    std::string described, messages;
    source.Describe({path, path}, described, [&messages](const std::string& line, cli::SizeTool::MessageKind) {
        messages += line + "\n";
    });
    close(fd);
    (void)nlohmann::json(messages).dump();
    std::size_t lines = 0;
    for (const char c : described)
        lines += c == '\n' ? 1 : 0;
    if (lines == 0)
        return;
    std::string report;
    cli::SizeTool reread(
        cli::ReportView::JsonLines, language,
        [&report](std::string_view t) {
            report += t;
            return true;
        },
        [](std::string_view) { return true; });
    std::FILE* descriptions = std::tmpfile();
    Check(descriptions != nullptr && std::fwrite(described.data(), 1, described.size(), descriptions) == described.size());
    std::rewind(descriptions);
    reread.ReadStream(descriptions, "described", cli::InputFormat::JsonLines);
    std::fclose(descriptions);
    Check(reread.Finish() != 2 && std::count(report.begin(), report.end(), '\n') == static_cast<std::ptrdiff_t>(lines + 1));
    // Every description reads back as a table; its run may still refuse it.
    std::istringstream reports(report);
    for (std::string line; std::getline(reports, line);)
        Check(nlohmann::json::parse(line).value("status", "") != "invalid");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string text = Framed(std::string_view(reinterpret_cast<const char*>(data), size));

    static constexpr const char* kEncodings[] = {"", "", "cp932", "utf-16le", "utf-16be", "utf-8", "euc-jp"};
    const char* encoding = kEncodings[size / 10 % std::size(kEncodings)];
    const DecodedScript decoded = DecodeScript(text, {encoding, size % 3 == 0});
    Check(decoded.outcome != ScriptDecoding::OutOfMemory);
    Check(decoded.Ok() || decoded.text.empty());
    Check(decoded.line == 0 || (decoded.column >= 1 && decoded.offset <= text.size()));
    (void)nlohmann::json(decoded.text).dump(); // throws on bytes that are not UTF-8

    const SchemaScript script = ReadScript(decoded.Ok() ? decoded.text : text, "fuzz.sql");

    SizingAssumptions assumptions;
    assumptions.variableFillPercent = static_cast<int>(size % 101);
    assumptions.ansiNullDefault = size % 2 == 1;
    for (const SchemaTable& table : script.tables) {
        for (const ScriptProblem& p : table.problems)
            Check(p.place.line >= 1 && p.place.column >= 1 && p.source == "fuzz.sql");
        for (const SchemaColumn& c : table.columns) {
            if (c.kind == StorageKind::TextPointer)
                assumptions.textAverages.push_back({table.name, c.name, static_cast<std::uint32_t>(size * 977)});
        }
        const DerivedTable derived = DeriveTable(table, std::string("1,000"), assumptions);
        // A column ALTER TABLE added that does not allow NULL is the only problem a table gets here.
        Check(derived.problem.has_value() == !table.problems.empty() ||
              (table.problems.empty() && !table.addedColumns.empty()));
        if (!derived.problem) {
            TableEstimator estimator;
            const TableEstimate run = estimator.Estimate(derived.description);
            Check(run.failure != RunMessage::None || run.totals.has_value());
        }
    }
    for (const ScriptProblem& p : script.problems)
        Check(p.place.line >= 1 && p.place.column >= 1);
    for (const ScriptProblem& n : script.notes)
        Check(n.place.line >= 1 && n.place.column >= 1);
    ThroughTheTool(text, script, size, encoding);
    return 0;
}
