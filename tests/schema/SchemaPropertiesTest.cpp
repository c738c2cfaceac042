// Properties of the schema reader and the table derivation that hold for any
// script, checked over the scripts of the row files and over generated tables.
//
// - A script with CR LF line ends reads the same as with LF.
// - Another batch before a script only moves its places down, and a table in
//   the batch after it is read whatever went wrong in the script.
// - A generated table's description is its columns summed by hand: NOT NULL
//   fixed-length columns are the fixed bytes, every other column counts with
//   the variable-length ones (its declared length scaled by the variable fill,
//   rounded up, for varchar and varbinary).

#include "CaseRows.h"
#include "schema/ScriptReader.h"
#include "schema/TableDerivation.h"

#include <algorithm>
#include <random>
#include <string>
#include <vector>

namespace quorvel::schema {
namespace {

using nlohmann::json;
using Row = testing::CaseRow;

// A table, its columns and indexes as the reader kept them.
json DumpTable(const SchemaTable& t) {
    json table{{"name", t.name}, {"at", {t.place.line, t.place.column}}, {"columns", json::array()}};
    for (const SchemaColumn& c : t.columns)
        table["columns"].push_back(
            {c.name, c.type, static_cast<int>(c.kind), c.bytes, static_cast<int>(c.nullability)});
    for (const SchemaIndex& i : t.indexes)
        table["indexes"].push_back({i.name, static_cast<int>(i.kind), i.clustered, i.unique, i.columns, i.fillFactor});
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

std::string Read(const std::string& text) { return ReadDump(text).dump(1); }

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
                text.replace(digits, end - digits, std::to_string(std::stoul(text.substr(digits, end - digits)) + lines));
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

std::vector<Row> ScriptRows() {
    std::vector<Row> rows = testing::LoadRows("schema_scripts.json", "rows");
    for (Row& row : testing::LoadRows("schema_errors.json", "rows"))
        rows.push_back(std::move(row));
    return rows;
}

class ScriptProperties : public ::testing::TestWithParam<Row> {
protected:
    std::string Text(const char* lineEnd) const {
        std::string text;
        for (const json& line : GetParam().data.at("script"))
            text += line.get<std::string>() + lineEnd;
        return text;
    }
};

TEST_P(ScriptProperties, ReadsTheSameWithCarriageReturns) {
    EXPECT_EQ(Read(Text("\r\n")), Read(Text("\n")));
}

// Lines and batches before a script only move its places down.
TEST_P(ScriptProperties, ReadsTheSameAfterAnotherBatch) {
    std::string text = Text("\n");
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
TEST_P(ScriptProperties, ATableAfterTheNextGoIsAlwaysRead) {
    const json alone = ReadDump(Text("\n"));
    json then = ReadDump(Text("\n") + "GO\nCREATE TABLE zz_after (a int NOT NULL)\n");
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

INSTANTIATE_TEST_SUITE_P(Rows, ScriptProperties, ::testing::ValuesIn(ScriptRows()), testing::RowName());

// A column type the generator writes, with what a value of it takes in a row.
struct GeneratedType {
    const char* text;
    StorageKind kind;
    std::int64_t bytes;
};

const GeneratedType kTypes[] = {
    {"int", StorageKind::Fixed, 4},          {"smallint", StorageKind::Fixed, 2},
    {"tinyint", StorageKind::Fixed, 1},      {"bit", StorageKind::Fixed, 1},
    {"datetime", StorageKind::Fixed, 8},     {"smallmoney", StorageKind::Fixed, 4},
    {"float", StorageKind::Fixed, 8},        {"decimal(9,2)", StorageKind::Fixed, 5},
    {"char(17)", StorageKind::Fixed, 17},    {"binary(3)", StorageKind::Fixed, 3},
    {"varchar(1)", StorageKind::Variable, 1}, {"varchar(199)", StorageKind::Variable, 199},
    {"varbinary(64)", StorageKind::Variable, 64}, {"sysname", StorageKind::Variable, 30},
    {"text", StorageKind::TextPointer, 16},  {"image", StorageKind::TextPointer, 16},
};

struct GeneratedColumn {
    std::string name;
    GeneratedType type;
    bool nullable = false;
};

// The section text of the schema tests' own form: "4" or "4 + 10 in 1", " fill N".
struct HandSum {
    std::int64_t fixed = 0, variable = 0, columns = 0;

    void Add(const GeneratedColumn& c, int fillPercent) {
        if (c.type.kind == StorageKind::Fixed && !c.nullable) {
            fixed += c.type.bytes;
            return;
        }
        std::int64_t bytes = c.type.bytes;
        if (c.type.kind == StorageKind::Variable)
            bytes = (c.type.bytes * fillPercent + 99) / 100;
        variable += bytes;
        ++columns;
    }
};

std::string Described(const SectionDescription& s) {
    if (s.mode == KeyMode::None)
        return "-";
    const std::string bytes = s.mode == KeyMode::AllFixed
                                  ? s.allFixedBytes
                                  : s.fixedBytes + " + " + s.variableBytes + " in " + s.variableColumns;
    return bytes + " fill " + s.fillFactor;
}

std::string Expected(const HandSum& sum, int fillFactor) {
    const std::string bytes = sum.columns == 0 ? std::to_string(sum.fixed)
                                               : std::to_string(sum.fixed) + " + " + std::to_string(sum.variable) +
                                                     " in " + std::to_string(sum.columns);
    return bytes + " fill " + std::to_string(fillFactor);
}

TEST(GeneratedTables, DescriptionsAreTheirColumnsSummedByHand) {
    std::mt19937 random(20261206);
    const auto pick = [&random](int below) { return static_cast<int>(random() % static_cast<unsigned>(below)); };
    for (int round = 0; round < 300; ++round) {
        SizingAssumptions assumptions;
        assumptions.variableFillPercent = pick(5) == 0 ? 100 : pick(101);
        assumptions.ansiNullDefault = pick(2) == 0;
        const std::int32_t rows = 1 + pick(100000);

        std::vector<GeneratedColumn> columns(1 + pick(12));
        std::string script = "CREATE TABLE [gen table] (";
        std::int64_t textPagesPerRow = 0;
        for (std::size_t i = 0; i < columns.size(); ++i) {
            GeneratedColumn& c = columns[i];
            c.name = "c" + std::to_string(i);
            c.type = kTypes[pick(static_cast<int>(std::size(kTypes)))];
            const int nulls = pick(3); // unspecified, NULL, NOT NULL
            c.nullable = nulls == 1 || (nulls == 0 && assumptions.ansiNullDefault);
            script += (i == 0 ? "" : ",\n  ") + c.name + " " + c.type.text +
                      (nulls == 1 ? " NULL" : nulls == 2 ? " not null" : "");
            if (c.type.kind == StorageKind::TextPointer && pick(2) == 0) {
                const auto average = static_cast<std::uint32_t>(pick(5000));
                assumptions.textAverages.push_back({"GEN TABLE", "C" + std::to_string(i), average});
                textPagesPerRow += (average + 1799) / 1800;
            }
        }
        script += ")\nGO\n";

        // Up to four indexes on columns that may be keys; the first may be clustered.
        std::vector<std::string> expected;
        std::string clustered = "-";
        for (int index = pick(5); index > 0; --index) {
            HandSum key;
            std::string keyList;
            for (const GeneratedColumn& c : columns) {
                if (c.type.kind != StorageKind::TextPointer && pick(3) == 0) {
                    key.Add(c, assumptions.variableFillPercent);
                    keyList += (keyList.empty() ? "" : ", ") + c.name;
                }
            }
            if (keyList.empty())
                continue;
            const int fill = pick(101);
            const bool isClustered = clustered == "-" && pick(3) == 0;
            script += std::string("CREATE ") + (isClustered ? "CLUSTERED " : "") + "INDEX ix" +
                      std::to_string(index) + " ON dbo.[gen table] (" + keyList + ") WITH FILLFACTOR = " +
                      std::to_string(fill) + "\n";
            if (isClustered)
                clustered = Expected(key, fill);
            else
                expected.push_back(Expected(key, fill));
        }

        const SchemaScript read = ReadScript(script, "gen.sql");
        ASSERT_EQ(read.tables.size(), 1u) << script;
        const DerivedTable derived = DeriveTable(read.tables[0], std::to_string(rows), assumptions);
        ASSERT_FALSE(derived.problem) << derived.problem->Text() << "\n" << script;

        HandSum data;
        for (const GeneratedColumn& c : columns)
            data.Add(c, assumptions.variableFillPercent);
        std::vector<std::string> got;
        for (const SectionDescription& s : derived.description.nonClustered)
            got.push_back(Described(s));
        SCOPED_TRACE(script + "fill " + std::to_string(assumptions.variableFillPercent) + "%, ANSI nulls " +
                     std::to_string(assumptions.ansiNullDefault));
        EXPECT_EQ(Described(derived.description.data), Expected(data, 0));
        EXPECT_EQ(Described(derived.description.clustered), clustered);
        EXPECT_EQ(got, expected);
        EXPECT_EQ(derived.description.textPagesPerRow, textPagesPerRow);
        EXPECT_EQ(derived.description.rowCount, std::to_string(rows));
    }
}

} // namespace
} // namespace quorvel::schema
