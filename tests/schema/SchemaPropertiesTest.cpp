// Properties of the schema reader and the table derivation that hold for any
// script, checked over the scripts of the row files and over generated tables.
//
// - A script cut in two at any byte, each part in a buffer that is wiped once
//   fed, reads the same as the whole script; so does the script with CR LF
//   line ends.
// - Another batch before a script only moves its places down, and a table in
//   the batch after it is read whatever went wrong in the script.
// - A generated table's description is its columns summed by hand: NOT NULL
//   fixed-length columns are the fixed bytes, every other column counts with
//   the variable-length ones (its declared length scaled by the variable fill,
//   rounded up, for varchar and varbinary).

#include "CaseRows.h"
#include "Keywords.h"
#include "ScriptReader.h"
#include "TableDerivation.h"
#include "TableStore.h"

#include <algorithm>
#include <limits>
#include <random>
#include <sstream>
#include <string>
#include <vector>

namespace quorvel::schema {
namespace {

using nlohmann::json;
using Row = testing::CaseRow;

// A table, its columns and indexes as the reader kept them.
json DumpTable(const SchemaTable& t) {
    json table{{"name", t.name}, {"at", {t.line, t.column}}, {"columns", json::array()}};
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

json ReadDump(const std::vector<std::string>& parts) {
    ScriptReader reader("s.sql");
    std::string buffer;
    for (const std::string& part : parts) {
        buffer = part;
        reader.Feed(buffer);
        buffer.assign(buffer.size(), '#'); // the caller reuses its buffer for the next piece
    }
    return Dump(reader.Finish());
}

std::string Read(const std::vector<std::string>& parts) { return ReadDump(parts).dump(1); }

// The dump of a script read after `lines` lines more.
void MoveDown(json& dump, std::size_t lines) {
    const auto move = [lines](json& problem) {
        std::string text = problem.get<std::string>();
        const std::size_t at = text.find(':') + 1, end = text.find(':', at);
        problem = text.replace(at, end - at, std::to_string(std::stoul(text.substr(at, end - at)) + lines));
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

TEST_P(ScriptProperties, ReadsTheSameCutAtAnyByte) {
    const std::string text = Text("\n");
    const std::string whole = Read({text});
    // Longer scripts are cut every few bytes, the longest at forty places, to keep the run short.
    const std::size_t step = text.size() < 2000 ? text.size() / 120 + 1 : text.size() / 40;
    for (std::size_t cut = 1; cut < text.size(); cut += step) {
        ASSERT_EQ(Read({text.substr(0, cut), text.substr(cut)}), whole) << "cut after byte " << cut;
    }
}

TEST_P(ScriptProperties, ReadsTheSameWithCarriageReturns) {
    EXPECT_EQ(Read({Text("\r\n")}), Read({Text("\n")}));
}

// Lines and batches before a script only move its places down.
TEST_P(ScriptProperties, ReadsTheSameAfterAnotherBatch) {
    std::string text = Text("\n");
    if (text.starts_with("\xEF\xBB\xBF")) // a byte order mark stands only at the start
        text.erase(0, 3);
    json after = ReadDump({"CREATE TABLE zz_before (a int)\nGO\n" + text});
    ASSERT_EQ(after["tables"].at(0)["name"], "zz_before");
    after["tables"].erase(0);
    json alone = ReadDump({text});
    MoveDown(alone, 2);
    EXPECT_EQ(after.dump(1), alone.dump(1));
}

// The tables handed over one at a time, kept packed until then, are those of
// the whole script.
TEST_P(ScriptProperties, TablesOneAtATimeAreThoseOfTheWholeScript) {
    const std::string text = Text("\n");
    ScriptReader reader("s.sql");
    reader.Feed(text);
    std::vector<SchemaTable> tables;
    SchemaScript each = reader.Finish([&tables](const SchemaTable& table) {
        tables.push_back(table);
        return true;
    });
    EXPECT_TRUE(each.tables.empty());
    each.tables = std::move(tables);
    EXPECT_EQ(Dump(each).dump(1), Read({text}));
}

// A caller that can take no more tables (its output failed) stops the handing
// over; what belongs to no table still comes back.
TEST_P(ScriptProperties, HandingTablesOverStopsWhenAsked) {
    const std::string text = Text("\n");
    const json whole = ReadDump({text});
    ScriptReader reader("s.sql");
    reader.Feed(text);
    std::size_t calls = 0;
    const SchemaScript rest = reader.Finish([&calls](const SchemaTable&) {
        ++calls;
        return false;
    });
    EXPECT_EQ(calls, whole["tables"].empty() ? 0U : 1U);
    EXPECT_EQ(rest.skippedStatements, whole["skipped"].get<std::size_t>());
    EXPECT_EQ(rest.problems.size(), whole["problems"].size());
}

// A table packed and unpacked is itself, also into the memory of a table of
// more columns and indexes, as the reader reuses one table for all.
TEST_P(ScriptProperties, PackedTablesUnpackAsThemselves) {
    ScriptReader reader("s.sql");
    reader.Feed(Text("\n"));
    std::vector<SchemaTable> tables = reader.Finish().tables;
    SchemaTable reused;
    std::string packed;
    for (const bool backwards : {false, true}) {
        if (backwards)
            std::reverse(tables.begin(), tables.end());
        for (const SchemaTable& table : tables) {
            PackTable(table, packed);
            reused.name = table.name;
            reused.line = table.line;
            reused.column = table.column;
            reused.problems = table.problems;
            UnpackTable(packed, reused);
            EXPECT_EQ(DumpTable(reused).dump(), DumpTable(table).dump());
        }
    }
}

// Whatever went wrong in a script, the batch after its end is read as usual.
TEST_P(ScriptProperties, ATableAfterTheNextGoIsAlwaysRead) {
    const json alone = ReadDump({Text("\n")});
    json then = ReadDump({Text("\n") + "GO\nCREATE TABLE zz_after (a int NOT NULL)\n"});
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

// A word is the same keyword, or none, whatever follows it in the bytes read:
// every keyword in three cases, cut short and run on, and longer words.
TEST(Keywords, AWordIsReadTheSameWhateverFollowsIt) {
    std::vector<std::string> words{"go", "x", "constraintsx", "nonclusteredx", "a1", "n\xC3\xA9"};
    for (int k = 1; k <= static_cast<int>(Keyword::With); ++k) {
        const std::string upper(KeywordText(static_cast<Keyword>(k)));
        std::string lower = upper;
        std::transform(lower.begin(), lower.end(), lower.begin(), [](char c) { return c | 0x20; });
        words.insert(words.end(), {upper, lower, lower.substr(0, 1) + upper.substr(1), upper.substr(1), upper + "S"});
    }
    for (const std::string& word : words) {
        const std::string bytes = word + " NOT NULL PRIMARY KEY CLUSTERED";
        EXPECT_EQ(KeywordOfReadable(bytes.data(), word.size()), KeywordOf(word)) << word;
    }
    EXPECT_EQ(KeywordOf("Nonclustered"), Keyword::Nonclustered);
    EXPECT_EQ(KeywordOf("NULLS"), Keyword::None);
}

// What packing is for: a common table takes a few hundred bytes, not the
// kilobyte and a half its vectors and strings take.
TEST(PackedTables, ACommonTablePacksSmall) {
    ScriptReader reader("s.sql");
    reader.Feed("CREATE TABLE dbo.t1 (id int NOT NULL CONSTRAINT pk_t1 PRIMARY KEY CLUSTERED,\n"
                "code char(12) NOT NULL, name varchar(40) NOT NULL, note varchar(90) NULL,\n"
                "amount money NULL, created datetime NOT NULL DEFAULT getdate(), flags tinyint NOT NULL)\n"
                "GO\nCREATE INDEX ix_t1_code ON t1 (code, flags) WITH FILLFACTOR = 90\n"
                "GO\nCREATE INDEX ix_t1_name ON t1 (name)\n");
    const SchemaScript script = reader.Finish();
    ASSERT_EQ(script.tables.size(), 1U);
    std::string packed;
    PackTable(script.tables[0], packed);
    EXPECT_LT(packed.size(), 200U);
}

// Tables no script row holds: counts and lengths of more than one byte, the
// largest and negative numbers, and tables of more than a block together.
TEST(PackedTables, KeepTablesOfAnySize) {
    std::vector<SchemaTable> tables(3);
    for (std::size_t t = 0; t < tables.size(); ++t) {
        SchemaTable& table = tables[t];
        table.name = "t" + std::to_string(t);
        const std::size_t columns = t == 1 ? 5000 : 130 * t + 1; // 5000 columns take more than 64 KB
        for (std::size_t c = 0; c < columns; ++c) {
            SchemaColumn& column = table.columns.emplace_back();
            column.name = std::string(c % 200 + 1, static_cast<char>('a' + c % 26)) + std::to_string(c);
            column.type = c % 3 == 0 ? "varchar(" + std::to_string(c) + ")" : "";
            column.bytes = c == 0 ? std::numeric_limits<std::int64_t>::max()
                                  : (c % 2 == 0 ? -static_cast<std::int64_t>(c) : static_cast<std::int64_t>(c) << 20);
            column.kind = static_cast<StorageKind>(c % 3);
            column.nullability = static_cast<Nullability>(c % 3);
        }
        for (std::size_t i = 0; i < 2 * t + 1; ++i) {
            SchemaIndex& index = table.indexes.emplace_back();
            index.name = i == 0 ? "" : "ix" + std::to_string(i);
            index.kind = static_cast<IndexKind>(i % 3);
            index.clustered = i % 2 == 0;
            index.unique = i % 3 == 1;
            for (std::size_t k = 0; k <= i % 17; ++k)
                index.columns.push_back(table.columns[k % table.columns.size()].name);
            index.fillFactor = std::to_string(i * 7);
        }
    }
    tables[0].columns[0].bytes = std::numeric_limits<std::int64_t>::min();
    PackedTables packed;
    std::vector<SchemaTable> kept = tables;
    for (std::size_t t = 0; t < kept.size(); ++t) {
        packed.Pack(t, kept[t]);
        EXPECT_TRUE(packed.IsPacked(t));
        // The memory of the columns and indexes is given back; the rest stays.
        EXPECT_EQ(kept[t].columns.capacity() + kept[t].indexes.capacity(), 0U);
        EXPECT_EQ(kept[t].name, tables[t].name);
    }
    SchemaTable reused = tables[1]; // the largest, unpacked into
    for (std::size_t t = 0; t < kept.size(); ++t) {
        ASSERT_TRUE(packed.Unpack(t, reused));
        reused.name = tables[t].name;
        EXPECT_EQ(DumpTable(reused).dump(), DumpTable(tables[t]).dump()) << tables[t].name;
    }
    packed.Forget(1);
    EXPECT_FALSE(packed.IsPacked(1) || packed.Unpack(1, reused));
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

        std::istringstream in(script);
        const SchemaScript read = ReadScript(in, "gen.sql");
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
        EXPECT_EQ(derived.textPages, textPagesPerRow * rows);
        EXPECT_EQ(derived.description.rowCount, std::to_string(rows));
    }
}

} // namespace
} // namespace quorvel::schema
