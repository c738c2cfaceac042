// Schema scripts read, described and sized, row by row from
// tests/cases/schema_types.json and tests/cases/schema_scripts.json.
//
// Each row's script is read whole and again in pieces of a few bytes; both
// readings must give the same result, which is then compared with the row as JSON.

#include "ScriptReader.h"
#include "TableDerivation.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <array>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace quorvel::schema {
namespace {

using nlohmann::json;

struct Row {
    std::string name;
    json fields;
};

std::vector<Row> LoadRows(const std::string& file) {
    std::ifstream in(std::string(QUORVEL_CASES) + "/" + file);
    const json doc = json::parse(in);
    std::vector<Row> rows;
    for (const json& row : doc.at("rows"))
        rows.push_back(Row{row.at("name").get<std::string>(), row});
    return rows;
}

// "-", "4" (all fixed), "100 + 50 in 2" (with variable columns), then " fill 80".
std::string SectionText(const SectionTexts& s) {
    if (s.mode == KeyMode::None)
        return "-";
    std::string text = s.mode == KeyMode::AllFixed
                           ? s.allFixedBytes
                           : s.fixedBytes + " + " + s.variableBytes + " in " + s.variableColumns;
    return s.fillFactor == "0" ? text : text + " fill " + s.fillFactor;
}

SizingAssumptions Assumptions(const json& row) {
    SizingAssumptions a;
    const json assume = row.value("assume", json::object());
    a.variableFillPercent = assume.value("variableFill", 100);
    a.ansiNullDefault = assume.value("ansiNullDefault", false);
    const json averages = assume.value("textAverages", json::object());
    for (const auto& [key, bytes] : averages.items())
        a.textAverages.push_back(
            {key.substr(0, key.find('.')), key.substr(key.find('.') + 1), bytes.get<std::uint32_t>()});
    return a;
}

json Result(const SchemaScript& script, const json& row) {
    json result = json::object();
    if (script.skippedStatements != 0)
        result["skipped"] = script.skippedStatements;
    for (const ScriptProblem& p : script.problems)
        result["problems"].push_back(p.Text());
    result["tables"] = json::array();
    const json rowCounts = row.value("rows", json::object());
    for (const SchemaTable& table : script.tables) {
        std::optional<std::string> rows;
        if (rowCounts.contains(table.name))
            rows = rowCounts[table.name].get<std::string>();
        const DerivedTable d = DeriveTable(table, rows, Assumptions(row));
        json t{{"name", d.name}};
        if (d.problem) {
            t["problem"] = d.problem->Text();
            result["tables"].push_back(t);
            continue;
        }
        t["data"] = SectionText(d.texts.data);
        if (d.texts.clustered.mode != KeyMode::None)
            t["clustered"] = SectionText(d.texts.clustered);
        for (const SectionTexts& s : d.texts.nonClustered)
            t["nonClustered"].push_back(SectionText(s));
        if (!d.notes.empty())
            t["notes"] = d.notes;
        if (d.textPages != 0)
            t["textPages"] = d.textPages;
        if (d.sized) {
            basSQLSIZE engine;
            const RunResult run = RunDerivedTable(d, engine);
            if (run.totals)
                t["pages"] = {run.data->pages, run.totals->clusteredPages, run.totals->nonClusteredPages,
                              run.totals->totalPages};
            else
                t["refused"] = std::string(MessageText(run.failure));
        }
        result["tables"].push_back(t);
    }
    return result;
}

json ReadAndSize(const std::string& text, const json& row) {
    std::istringstream whole(text);
    const json result = Result(ReadScript(whole, "s.sql"), row);
    // Pieces of 1 to 4 bytes through one buffer, overwritten as a file read overwrites it.
    ScriptReader pieces("s.sql");
    std::array<char, 4> buffer{};
    for (std::size_t at = 0, size = 1; at < text.size(); at += size, size = size % buffer.size() + 1)
        pieces.Feed(std::string_view(buffer.data(), text.copy(buffer.data(), size, at)));
    EXPECT_EQ(Result(pieces.Finish(), row).dump(1), result.dump(1)) << "read in small pieces";
    return result;
}

std::string ScriptText(const json& row) {
    std::string text;
    for (const json& line : row.at("script"))
        text += line.get<std::string>() + "\n";
    return text;
}

void PrintTo(const Row& row, std::ostream* out) {
    *out << row.name;
}

struct RowName {
    std::string operator()(const ::testing::TestParamInfo<Row>& row) const { return row.param.name; }
};

// One column of each type, with and without NULL: the bytes the data row counts.
class ColumnTypeTest : public ::testing::TestWithParam<Row> {};

TEST_P(ColumnTypeTest, CountsItsBytes) {
    const json& row = GetParam().fields;
    const json table =
        ReadAndSize("CREATE TABLE t (c " + row.at("column").get<std::string>() + ")", row).at("tables").at(0);
    const char* key = row.contains("problem") ? "problem" : "data";
    EXPECT_EQ(table.value(key, json()), row.at(key));
}

INSTANTIATE_TEST_SUITE_P(File, ColumnTypeTest, ::testing::ValuesIn(LoadRows("schema_types.json")), RowName());

// Whole scripts: descriptions, notes, pages, and the problems with their places.
class ScriptTest : public ::testing::TestWithParam<Row> {};

TEST_P(ScriptTest, GivesTheExpectedTables) {
    json expected = GetParam().fields;
    for (const char* input : {"name", "script", "rows", "assume"})
        expected.erase(input);
    EXPECT_EQ(ReadAndSize(ScriptText(GetParam().fields), GetParam().fields).dump(1), expected.dump(1));
}

INSTANTIATE_TEST_SUITE_P(File, ScriptTest, ::testing::ValuesIn(LoadRows("schema_scripts.json")), RowName());

} // namespace
} // namespace quorvel::schema
