// Every report view of quorvel-size tells the same story about the same tables.
//
// Several hundred generated tables (sized, refused for a value, failed in an
// estimate, with and without indexes) go through the tool once per view. The
// JSON document is the reference: JSON Lines must hold the same objects, the
// CSV lines and the summary the same figures, and the database total must be
// the sum of the tables it counts, whatever view carries it.
//
// A schema script sized directly and its --describe output read back as JSON
// Lines give the same figures, table by table, whatever the columns, keys,
// fill factors, nullability and assumed fill of variable-length columns.

#include "CaseRows.h"
#include "cli/ScriptSource.h"
#include "cli/SizeTool.h"

#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <map>
#include <random>
#include <sstream>
#include <string>
#include <vector>

namespace {

using Json = nlohmann::json;
using namespace quorvel::cli;
using quorvel::Language;

constexpr int kTables = 400;
constexpr int kScriptTables = 150;

// A key description; now and then a value the checks refuse or a key so wide
// that the estimate fails.
Json Key(std::mt19937& random, bool data) {
    std::uniform_int_distribution<int> pick(0, 99);
    Json key;
    const int shape = pick(random);
    key["fixedBytes"] = shape < 3 ? 2000 : shape < 8 ? 700 + pick(random) * 3 : 1 + pick(random) * 4;
    if (pick(random) < 50) {
        key["variableBytes"] = pick(random) * 5;
        key["variableColumns"] = 1 + pick(random) % 8;
    }
    if (!data)
        key["fillFactor"] = shape == 99 ? 150 : std::vector<int>{0, 0, 100, 50, 80, 10}[pick(random) % 6];
    return key;
}

std::string Tables() {
    std::mt19937 random(20261207);
    std::uniform_int_distribution<int> pick(0, 99);
    std::string lines;
    for (int i = 0; i < kTables; ++i) {
        Json table;
        table["name"] = "t" + std::to_string(i);
        table["rowCount"] = std::vector<long long>{0, 1, 999, 250000, 9000000, 2000000000}[pick(random) % 6];
        table["data"] = Key(random, true);
        if (pick(random) < 70)
            table["clustered"] = Key(random, false);
        const int indexes = pick(random) % 4;
        for (int k = 0; k < indexes; ++k)
            table["nonClustered"].push_back(Key(random, false));
        lines += table.dump() + "\n";
    }
    return lines;
}

// A writer of the tool that keeps what it is handed.
SizeTool::Output Collect(std::string& into) {
    return [&into](std::string_view text) {
        into.append(text);
        return true;
    };
}

// The tool reads lines of JSON as from a file.
void ReadJsonLines(SizeTool& tool, const std::string& lines, const char* source) {
    std::FILE* file = std::tmpfile();
    std::fwrite(lines.data(), 1, lines.size(), file);
    std::rewind(file);
    tool.ReadStream(file, source, InputFormat::JsonLines);
    std::fclose(file);
}

std::string Report(ReportView view) {
    static const std::string input = Tables();
    std::string out;
    SizeTool tool(view, Language::English, Collect(out), [](std::string_view) { return true; });
    ReadJsonLines(tool, input, "tables.jsonl");
    tool.Finish();
    return out;
}

using quorvel::testing::Lines;

std::vector<std::string> CsvFields(const std::string& line) {
    std::vector<std::string> fields(1);
    bool quoted = false;
    for (std::size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (quoted && c == '"' && i + 1 < line.size() && line[i + 1] == '"')
            fields.back().push_back(line[++i]);
        else if (c == '"')
            quoted = !quoted;
        else if (c == ',' && !quoted)
            fields.emplace_back();
        else
            fields.back().push_back(c);
    }
    return fields;
}

std::string Grouped(long long value) {
    std::string digits = std::to_string(value);
    for (int at = static_cast<int>(digits.size()) - 3; at > 0; at -= 3)
        digits.insert(static_cast<std::size_t>(at), ",");
    return digits;
}

const Json& Reference() {
    static const Json document = Json::parse(Report(ReportView::Json));
    return document;
}

TEST(ViewsAgree, GeneratedTablesCoverEveryOutcome) {
    std::map<std::string, int> statuses;
    for (const Json& table : Reference()["tables"])
        ++statuses[table["status"].get<std::string>()];
    EXPECT_GT(statuses["ok"], kTables / 3);
    EXPECT_GT(statuses["refused"], 0);
    EXPECT_GT(statuses["failed"], 0);
}

TEST(ViewsAgree, DatabaseTotalIsTheSumOfTheTablesItCounts) {
    std::map<std::string, long long> sums{{"tables", kTables},   {"succeeded", 0},         {"dataPages", 0},
                                          {"clusteredPages", 0}, {"nonClusteredPages", 0}, {"pages", 0}};
    for (const Json& table : Reference()["tables"]) {
        if (table["status"] != "ok")
            continue;
        const Json& totals = table["totals"];
        const long long data = table["data"]["pages"], clustered = totals["clusteredPages"],
                        nonClustered = totals["nonClusteredPages"], pages = totals["totalPages"];
        ++sums["succeeded"];
        sums["dataPages"] += data;
        sums["clusteredPages"] += clustered;
        sums["nonClusteredPages"] += nonClustered;
        sums["pages"] += pages;
        EXPECT_EQ(pages, data + clustered + nonClustered) << table["name"];
        EXPECT_EQ(totals["tableBytes"].get<long long>(), pages * 2048);
    }
    sums["bytes"] = sums["pages"] * 2048;
    for (const auto& [key, sum] : sums)
        EXPECT_EQ(Reference()["database"].at(key), sum) << key;
}

TEST(ViewsAgree, JsonLinesHoldTheObjectsOfTheDocument) {
    const std::vector<std::string> lines = Lines(Report(ReportView::JsonLines));
    const Json& tables = Reference()["tables"];
    ASSERT_EQ(lines.size(), tables.size() + 1);
    for (std::size_t i = 0; i < tables.size(); ++i)
        EXPECT_EQ(Json::parse(lines[i]), tables[i]) << "line " << i + 1;
    EXPECT_EQ(Json::parse(lines.back())["database"], Reference()["database"]);
}

TEST(ViewsAgree, CsvLinesCarryTheFiguresOfEveryStructure) {
    const std::vector<std::string> lines = Lines(Report(ReportView::Csv));
    std::size_t at = 1; // after the header
    auto expectLine = [&](const std::string& name, const std::string& structure, const Json& size,
                          const Json& perPage, const Json& pages, const Json* levels) {
        ASSERT_LT(at, lines.size());
        const std::vector<std::string> fields = CsvFields(lines[at++]);
        ASSERT_GE(fields.size(), 5u) << lines[at - 1];
        EXPECT_EQ(fields[0], name);
        EXPECT_EQ(fields[1], structure);
        EXPECT_EQ(fields[2], size.is_null() ? "" : size.dump()) << name << " " << structure;
        EXPECT_EQ(fields[3], perPage.is_null() ? "" : perPage.dump()) << name << " " << structure;
        EXPECT_EQ(fields[4], pages.dump()) << name << " " << structure;
        for (std::size_t level = 0; levels != nullptr && level < 15; ++level) {
            const std::string expected = level < levels->size() ? (*levels)[level].dump() : "0";
            EXPECT_EQ(fields.at(5 + level), expected) << name << " " << structure << " level " << level;
        }
    };
    // The warnings of a table follow its lines, as the JSON views say them.
    auto expectWarnings = [&](const std::string& name, const Json& table) {
        for (const Json& warning : table.value("warnings", Json::array())) {
            ASSERT_LT(at, lines.size());
            EXPECT_EQ(CsvFields(lines[at++]),
                      (std::vector<std::string>{name, "warning", warning["message"]}));
        }
    };
    for (const Json& table : Reference()["tables"]) {
        const std::string name = table["name"];
        if (table["status"] != "ok") {
            ASSERT_LT(at, lines.size());
            const std::vector<std::string> fields = CsvFields(lines[at++]);
            EXPECT_EQ(fields.at(0), name);
            EXPECT_EQ(fields.at(1), table["status"].get<std::string>());
            EXPECT_NE(fields.at(2).find(table["message"].get<std::string>()), std::string::npos);
            expectWarnings(name, table);
            continue;
        }
        const Json& data = table["data"];
        expectLine(name, "data", data["rowSize"], data["rowsPerPage"], data["pages"], nullptr);
        if (!table["clustered"].is_null()) {
            const Json& c = table["clustered"];
            expectLine(name, "clustered", c["rowSize"], c["rowsPerPage"], c["pages"], &c["levels"]);
        }
        for (std::size_t k = 0; table.contains("nonClustered") && k < table["nonClustered"].size(); ++k) {
            const Json& n = table["nonClustered"][k];
            expectLine(name, "nonClustered[" + std::to_string(k) + "]", n["leafRowSize"],
                       n["leafRowsPerPage"], n["pages"], &n["levels"]);
        }
        expectLine(name, "total", nullptr, nullptr, table["totals"]["totalPages"], nullptr);
        expectWarnings(name, table);
    }
    ASSERT_EQ(at + 1, lines.size());
    EXPECT_EQ(CsvFields(lines[at]).at(4), Reference()["database"]["pages"].dump());
}

TEST(ViewsAgree, SummaryShowsThePagesOfEachTableAndTheDatabase) {
    // A table's warnings follow its line, indented: the figures are on the others.
    std::vector<std::string> lines;
    for (const std::string& line : Lines(Report(ReportView::Summary)))
        if (line.rfind("    *", 0) != 0)
            lines.push_back(line);
    const Json& tables = Reference()["tables"];
    ASSERT_EQ(lines.size(), tables.size() + 2); // the heading and the database line
    auto columns = [](const std::string& line) {
        std::vector<std::string> words;
        std::istringstream in(line);
        for (std::string word; in >> word;)
            words.push_back(word);
        return words;
    };
    for (std::size_t i = 0; i < tables.size(); ++i) {
        const Json& table = tables[i];
        const std::vector<std::string> words = columns(lines[i + 1]);
        ASSERT_GE(words.size(), 3u) << lines[i + 1];
        EXPECT_EQ(words[0], "[" + std::to_string(i + 1) + "]");
        EXPECT_EQ(words[1], table["name"].get<std::string>());
        if (table["status"] != "ok") {
            EXPECT_EQ(words[2], "!") << lines[i + 1];
            continue;
        }
        const Json& totals = table["totals"];
        const Json figures[] = {table["data"]["pages"], totals["clusteredPages"], totals["nonClusteredPages"],
                                totals["totalPages"]};
        ASSERT_GE(words.size(), 6u) << lines[i + 1];
        for (std::size_t k = 0; k < 4; ++k)
            EXPECT_EQ(words[2 + k], Grouped(figures[k])) << lines[i + 1];
    }
    const Json& database = Reference()["database"];
    const std::vector<std::string> words = columns(lines.back());
    ASSERT_GE(words.size(), 5u);
    std::size_t at = 1;
    for (const char* key : {"dataPages", "clusteredPages", "nonClusteredPages", "pages"})
        EXPECT_EQ(words[at++], Grouped(database[key])) << key;
}

// A schema script sized directly, and its description read back: the script's
// tables have columns of every kind, keys, indexes and fill factors.
std::string Column(std::mt19937& random, int i) {
    static const char* const kTypes[] = {
        "int",   "smallint",      "tinyint",     "bit",   "money",    "datetime", "smalldatetime", "real",
        "float", "decimal(12,2)", "numeric(30)", "char(", "varchar(", "binary(",  "varbinary(",    "sysname"};
    std::uniform_int_distribution<int> pick(0, 15);
    std::string type = kTypes[pick(random)];
    if (type.back() == '(')
        type += std::to_string(1 + (pick(random) * 17) % 255) + ")";
    const char* const nulls[] = {" NULL", " NOT NULL", ""};
    return "c" + std::to_string(i) + " " + type + nulls[pick(random) % 3];
}

std::string Script(std::mt19937& random) {
    std::uniform_int_distribution<int> pick(0, 99);
    std::string script;
    for (int t = 0; t < kScriptTables; ++t) {
        const std::string name = "t" + std::to_string(t);
        const int columns = 1 + pick(random) % 12;
        script += "CREATE TABLE dbo." + name + " (\n    id int NOT NULL";
        const int key = pick(random) % 3;
        if (key == 1)
            script += " PRIMARY KEY";
        else if (key == 2)
            script += " CONSTRAINT pk_" + name + " PRIMARY KEY NONCLUSTERED";
        for (int c = 0; c < columns; ++c)
            script += ",\n    " + Column(random, c);
        script += "\n)\nGO\n";
        for (int k = 0, indexes = pick(random) % 4; k < indexes; ++k) {
            script += std::string("CREATE ") + (key == 0 && k == 0 ? "CLUSTERED " : "") + "INDEX ix" +
                      std::to_string(k) + " ON " + name + " (c" + std::to_string(pick(random) % columns) +
                      ")";
            if (pick(random) < 50)
                script += " WITH FILLFACTOR = " + std::to_string(1 + pick(random));
            script += "\nGO\n";
        }
    }
    return script;
}

Json Figures(const std::string& report) {
    Json tables = Json::parse(report)["tables"];
    for (Json& table : tables) // where a table was read differs by design
        for (const char* key : {"source", "line", "column"})
            table.erase(key);
    return tables;
}

TEST(ScriptDescribed, ReadsBackToTheFiguresOfTheScript) {
    std::mt19937 random(1207);
    const std::string path = testing::TempDir() + "described-" + std::to_string(::getpid()) + ".sql";
    std::ofstream(path) << Script(random);
    for (const int fill : {100, 60, 1}) {
        ScriptSource source(Language::English);
        source.Assumptions().variableFillPercent = fill;
        for (int t = 0; t < kScriptTables; ++t)
            source.AddRows("T" + std::to_string(t) + "=" + std::to_string(1 + (t * 104729) % 3000000));
        std::string sized, described, messages;
        SizeTool direct(ReportView::Json, Language::English, Collect(sized), Collect(messages));
        ASSERT_TRUE(source.Size(path, direct));
        direct.Finish();
        bool problems = false;
        source.Describe(path, described, [&](const std::string& line, SizeTool::MessageKind kind) {
            messages += line + "\n";
            problems = problems || kind != SizeTool::MessageKind::Note;
        });
        ASSERT_FALSE(problems) << messages;
        std::string readBack;
        SizeTool again(ReportView::Json, Language::English, Collect(readBack), Collect(messages));
        ReadJsonLines(again, described, "described.jsonl");
        again.Finish();
        const Json expected = Figures(sized);
        const Json actual = Figures(readBack);
        ASSERT_EQ(actual.size(), static_cast<std::size_t>(kScriptTables)) << "fill " << fill;
        int sizedWithIndexes = 0;
        for (const Json& table : expected)
            sizedWithIndexes += table["status"] == "ok" && !table["nonClustered"].empty();
        // The generator reaches the indexes.
        EXPECT_GT(sizedWithIndexes, kScriptTables / 3) << "fill " << fill;
        for (std::size_t i = 0; i < expected.size(); ++i)
            EXPECT_EQ(actual[i], expected[i]) << "fill " << fill << ", table " << i;
        EXPECT_EQ(Json::parse(readBack)["database"], Json::parse(sized)["database"]) << "fill " << fill;
    }
    std::remove(path.c_str());
}

} // namespace
