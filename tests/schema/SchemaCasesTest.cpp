// Schema scripts read, described and sized, row by row from
// tests/cases/schema_types.json and tests/cases/schema_scripts.json.
//
// schema_errors.json holds scripts that go wrong in one place, in the same form.
// Each row's script is read, described and sized, and the result compared
// with the row as JSON.

#include "CaseRows.h"
#include "schema/ScriptReader.h"
#include "schema/TableDerivation.h"

#include <string>

namespace quorvel::schema {
namespace {

using nlohmann::json;
using testing::CaseRow;
using testing::LoadRows;
using testing::RowName;

// "-", "4" (all fixed), "100 + 50 in 2" (with variable columns), then " fill 80".
std::string SectionText(const SectionDescription& s) {
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
    for (const ScriptProblem& n : script.notes)
        result["notes"].push_back(n.Text());
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
        t["data"] = SectionText(d.description.data);
        if (d.description.clustered.mode != KeyMode::None)
            t["clustered"] = SectionText(d.description.clustered);
        for (const SectionDescription& s : d.description.nonClustered)
            t["nonClustered"].push_back(SectionText(s));
        for (const Message& note : d.notes)
            t["notes"].push_back(note.Render());
        if (d.sized && d.refusal != RunMessage::None) {
            t["refused"] = std::string(MessageText(d.refusal));
        } else if (d.sized) {
            TableEstimator estimator;
            const TableEstimate run = estimator.Estimate(d.description);
            if (run.totals && run.totals->textPages != 0)
                t["textPages"] = run.totals->textPages;
            if (run.totals)
                t["pages"] = {run.data->DataPages, run.totals->clusteredPages, run.totals->nonClusteredPages,
                              run.totals->totalPages};
            else
                t["refused"] = std::string(MessageText(run.failure));
        }
        result["tables"].push_back(t);
    }
    return result;
}

json ReadAndSize(const std::string& text, const json& row) {
    return Result(ReadScript(text, "s.sql"), row);
}

// The script's lines, each ended by a line feed but the last with "no_final_line_feed".
std::string ScriptText(const json& row) {
    std::string text;
    for (const json& line : row.at("script"))
        text += line.get<std::string>() + "\n";
    if (row.value("no_final_line_feed", false))
        text.pop_back();
    return text;
}

// One column of each type, with and without NULL: the bytes the data row counts.
class ColumnTypeTest : public ::testing::TestWithParam<CaseRow> {};

TEST_P(ColumnTypeTest, CountsItsBytes) {
    const json& row = GetParam().data;
    const json table =
        ReadAndSize("CREATE TABLE t (c " + row.at("column").get<std::string>() + ")", row).at("tables").at(0);
    const char* key = row.contains("problem") ? "problem" : "data";
    EXPECT_EQ(table.value(key, json()), row.at(key));
}

INSTANTIATE_TEST_SUITE_P(File, ColumnTypeTest, ::testing::ValuesIn(LoadRows("schema_types.json", "rows")), RowName());

// Whole scripts: descriptions, notes, pages, and the problems with their places.
class ScriptTest : public ::testing::TestWithParam<CaseRow> {};

TEST_P(ScriptTest, GivesTheExpectedTables) {
    json expected = GetParam().data;
    for (const char* input : {"name", "script", "rows", "assume", "no_final_line_feed"})
        expected.erase(input);
    EXPECT_EQ(ReadAndSize(ScriptText(GetParam().data), GetParam().data).dump(1), expected.dump(1));
}

INSTANTIATE_TEST_SUITE_P(File, ScriptTest, ::testing::ValuesIn(LoadRows("schema_scripts.json", "rows")), RowName());
INSTANTIATE_TEST_SUITE_P(Errors, ScriptTest, ::testing::ValuesIn(LoadRows("schema_errors.json", "rows")), RowName());

} // namespace
} // namespace quorvel::schema
