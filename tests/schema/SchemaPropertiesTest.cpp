// A property of the schema reader and the table derivation over generated
// tables (the properties that hold for the scripts of the row files are checked
// with those rows, in SchemaCasesTest.cpp): a generated table's description is
// its columns summed by hand. NOT NULL fixed-length columns are the fixed
// bytes, every other column counts with the variable-length ones (its declared
// length scaled by the variable fill, rounded up, for varchar and varbinary).

#include "CaseRows.h"
#include "schema/ScriptReader.h"
#include "schema/TableDerivation.h"

#include <random>
#include <string>
#include <vector>

namespace quorvel::schema {
namespace {

using nlohmann::json;
using Row = testing::CaseRow;

// A column the generator writes: its type is a row of the "generated" list of
// schema_types.json, with what a value of it takes in a row.
struct GeneratedColumn {
    std::string name;
    json type;
    bool nullable = false;
};

// The section text of the schema tests' own form: "4" or "4 + 10 in 1", " fill N".
struct HandSum {
    std::int64_t fixed = 0, variable = 0, columns = 0;

    void Add(const GeneratedColumn& c, int fillPercent) {
        const std::int64_t bytes = c.type.at("bytes");
        if (c.type.at("kind") == "fixed" && !c.nullable) {
            fixed += bytes;
            return;
        }
        variable += c.type.at("kind") == "variable" ? (bytes * fillPercent + 99) / 100 : bytes;
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
    std::string bytes = std::to_string(sum.fixed);
    if (sum.columns != 0)
        bytes += " + " + std::to_string(sum.variable) + " in " + std::to_string(sum.columns);
    return bytes + " fill " + std::to_string(fillFactor);
}

TEST(GeneratedTables, DescriptionsAreTheirColumnsSummedByHand) {
    static const std::vector<Row> types = testing::LoadRows("schema_types.json", "generated");
    const char* const kNulls[] = {"", " NULL", " not null"}; // unspecified, NULL, NOT NULL
    std::mt19937 random(20261206);
    const auto pick = [&random](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
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
            c.type = types[static_cast<std::size_t>(pick(static_cast<int>(types.size())))].data;
            const int nulls = pick(3);
            c.nullable = nulls == 1 || (nulls == 0 && assumptions.ansiNullDefault);
            script +=
                (i == 0 ? "" : ",\n  ") + c.name + " " + c.type.at("type").get<std::string>() + kNulls[nulls];
            if (c.type.at("kind") == "text" && pick(2) == 0) {
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
                if (c.type.at("kind") != "text" && pick(3) == 0) {
                    key.Add(c, assumptions.variableFillPercent);
                    keyList += (keyList.empty() ? "" : ", ") + c.name;
                }
            }
            if (keyList.empty())
                continue;
            const int fill = pick(101);
            const bool isClustered = clustered == "-" && pick(3) == 0;
            script += std::string("CREATE ") + (isClustered ? "CLUSTERED " : "") + "INDEX ix" +
                      std::to_string(index) + " ON dbo.[gen table] (" + keyList +
                      ") WITH FILLFACTOR = " + std::to_string(fill) + "\n";
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
