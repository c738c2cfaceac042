// Schema scripts read, described and sized, row by row from
// tests/cases/schema_types.json and tests/cases/schema_scripts.json.
//
// schema_errors.json holds scripts that go wrong in one place, in the same form.
// Each row's script is read, described and sized, and the result compared
// with the row as JSON. Every script of the two files also shows what holds
// whatever a script says:
// - A script with CR LF line ends reads the same as with LF.
// - Another batch before a script only moves its places down, and a table in
//   the batch after it is read whatever went wrong in the script.

#include "CaseRows.h"
#include "schema/ScriptReader.h"
#include "schema/TableDerivation.h"

#include <string>
#include <vector>

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

// One column of each type, with and without NULL: the bytes the data row counts.
class ColumnTypeTest : public ::testing::TestWithParam<CaseRow> {};

TEST_P(ColumnTypeTest, CountsItsBytes) {
    const json& row = GetParam().data;
    const json table =
        ReadAndSize("CREATE TABLE t (c " + row.at("column").get<std::string>() + ")", row).at("tables").at(0);
    const char* key = row.contains("problem") ? "problem" : "data";
    EXPECT_EQ(table.value(key, json()), row.at(key));
}

INSTANTIATE_TEST_SUITE_P(File, ColumnTypeTest, ::testing::ValuesIn(LoadRows("schema_types.json", "rows")),
                         RowName());

// A table, its columns and indexes as the reader kept them.
json DumpTable(const SchemaTable& t) {
    json table{{"name", t.name}, {"at", {t.place.line, t.place.column}}, {"columns", json::array()}};
    for (const SchemaColumn& c : t.columns)
        table["columns"].push_back(
            {c.name, c.type, static_cast<int>(c.kind), c.bytes, static_cast<int>(c.nullability)});
    for (const SchemaIndex& i : t.indexes)
        table["indexes"].push_back(
            {i.name, static_cast<int>(i.kind), i.clustered, i.unique, i.columns, i.fillFactor});
    for (const ScriptProblem& p : t.problems)
        table["problems"].push_back(p.Text());
    return table;
}

// Everything the reader found.
json Dump(const SchemaScript& script) {
    json out{{"skipped", script.skippedStatements}, {"problems", json::array()}, {"tables", json::array()}};
    for (const ScriptProblem& p : script.problems)
        out["problems"].push_back(p.Text());
    for (const SchemaTable& t : script.tables)
        out["tables"].push_back(DumpTable(t));
    return out;
}

json ReadDump(const std::string& text) {
    return Dump(ReadScript(text, "s.sql"));
}

// The dump of a script read after `lines` lines more.
void MoveDown(json& dump, std::size_t lines) {
    // Every line a problem names: its own place, the place of a table created
    // before, the GO that ended a batch.
    const auto move = [lines](json& problem) {
        std::string text = problem.get<std::string>();
        for (const std::string mark : {"s.sql:", "GO on line "}) {
            for (std::size_t at = text.find(mark); at != std::string::npos; at = text.find(mark, at + 1)) {
                const std::size_t digits = at + mark.size();
                const std::size_t end = text.find_first_not_of("0123456789", digits);
                text.replace(digits, end - digits,
                             std::to_string(std::stoul(text.substr(digits, end - digits)) + lines));
            }
        }
        problem = text;
    };
    for (json& problem : dump["problems"])
        move(problem);
    for (json& table : dump["tables"]) {
        table["at"][0] = table["at"][0].get<std::size_t>() + lines;
        if (table.contains("problems")) {
            for (json& problem : table["problems"])
                move(problem);
        }
    }
}

// Whole scripts: descriptions, notes, pages, and the problems with their places;
// then what holds for every script whatever it holds.
class ScriptTest : public ::testing::TestWithParam<CaseRow> {
protected:
    // The row's script, each line ended by lineEnd.
    std::string Text(const char* lineEnd = "\n") const {
        std::string text;
        for (const json& line : GetParam().data.at("script"))
            text += line.get<std::string>() + lineEnd;
        return text;
    }
};

TEST_P(ScriptTest, GivesTheExpectedTables) {
    json expected = GetParam().data;
    for (const char* input : {"name", "script", "rows", "assume", "no_final_line_feed"})
        expected.erase(input);
    std::string text = Text();
    if (GetParam().data.value("no_final_line_feed", false))
        text.pop_back();
    EXPECT_EQ(ReadAndSize(text, GetParam().data).dump(1), expected.dump(1));
}

// A script with CR LF line ends reads the same as with LF.
TEST_P(ScriptTest, ReadsTheSameWithCarriageReturns) {
    EXPECT_EQ(ReadDump(Text("\r\n")).dump(1), ReadDump(Text()).dump(1));
}

// Lines and batches before a script only move its places down.
TEST_P(ScriptTest, ReadsTheSameAfterAnotherBatch) {
    std::string text = Text();
    if (text.starts_with("\xEF\xBB\xBF")) // a byte order mark stands only at the start
        text.erase(0, 3);
    json after = ReadDump("CREATE TABLE zz_before (a int)\nGO\n" + text);
    ASSERT_EQ(after["tables"].at(0)["name"], "zz_before");
    after["tables"].erase(0);
    json alone = ReadDump(text);
    MoveDown(alone, 2);
    EXPECT_EQ(after.dump(1), alone.dump(1));
}

// Whatever went wrong in a script, the batch after its end is read as usual.
TEST_P(ScriptTest, ATableAfterTheNextGoIsAlwaysRead) {
    const json alone = ReadDump(Text());
    json then = ReadDump(Text() + "GO\nCREATE TABLE zz_after (a int NOT NULL)\n");
    const json last = then["tables"].back();
    EXPECT_EQ(last.dump(), json({{"name", "zz_after"},
                                 {"at", {GetParam().data.at("script").size() + 2, 1}},
                                 {"columns", {{"a", "int", 0, 4, 2}}}})
                               .dump());
    then["tables"].erase(then["tables"].size() - 1);
    std::vector<std::string> before, names;
    for (const json& table : alone["tables"])
        before.push_back(table["name"]);
    for (const json& table : then["tables"])
        names.push_back(table["name"]);
    EXPECT_EQ(names, before) << "the tables of the script itself";
}

INSTANTIATE_TEST_SUITE_P(File, ScriptTest, ::testing::ValuesIn(LoadRows("schema_scripts.json", "rows")),
                         RowName());
INSTANTIATE_TEST_SUITE_P(Errors, ScriptTest, ::testing::ValuesIn(LoadRows("schema_errors.json", "rows")),
                         RowName());

} // namespace
} // namespace quorvel::schema
