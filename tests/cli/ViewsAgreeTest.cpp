// Every report view of quorvel-size tells the same story about the same tables.
//
// Several hundred generated tables (sized, refused for a value, failed in an
// estimate, with and without indexes) go through the tool once per view. The
// JSON document is the reference: JSON Lines must hold the same objects, the
// CSV lines and the summary the same figures, and the database total must be
// the sum of the tables it counts, whatever view carries it.

#include "CaseRows.h"
#include "cli/SizeTool.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <cstdio>
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

std::string Report(ReportView view) {
    static const std::string input = Tables();
    std::string out;
    SizeTool tool(
        view, Language::English,
        [&out](std::string_view text) {
            out.append(text);
            return true;
        },
        [](std::string_view) { return true; });
    std::FILE* file = std::tmpfile();
    std::fwrite(input.data(), 1, input.size(), file);
    std::rewind(file);
    tool.ReadStream(file, "tables.jsonl", InputFormat::JsonLines);
    std::fclose(file);
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
    long long data = 0, clustered = 0, nonClustered = 0, pages = 0, succeeded = 0;
    for (const Json& table : Reference()["tables"]) {
        if (table["status"] != "ok")
            continue;
        const Json& totals = table["totals"];
        ++succeeded;
        data += table["data"]["pages"].get<long long>();
        clustered += totals["clusteredPages"].get<long long>();
        nonClustered += totals["nonClusteredPages"].get<long long>();
        pages += totals["totalPages"].get<long long>();
        EXPECT_EQ(totals["totalPages"].get<long long>(),
                  table["data"]["pages"].get<long long>() + totals["clusteredPages"].get<long long>() +
                      totals["nonClusteredPages"].get<long long>())
            << table["name"];
        EXPECT_EQ(totals["tableBytes"].get<long long>(), totals["totalPages"].get<long long>() * 2048);
    }
    const Json& database = Reference()["database"];
    EXPECT_EQ(database["tables"], kTables);
    EXPECT_EQ(database["succeeded"], succeeded);
    EXPECT_EQ(database["dataPages"], data);
    EXPECT_EQ(database["clusteredPages"], clustered);
    EXPECT_EQ(database["nonClusteredPages"], nonClustered);
    EXPECT_EQ(database["pages"], pages);
    EXPECT_EQ(database["bytes"], pages * 2048);
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
            EXPECT_EQ(CsvFields(lines[at++]), (std::vector<std::string>{name, "warning", warning["message"]}));
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
        ASSERT_GE(words.size(), 6u) << lines[i + 1];
        EXPECT_EQ(words[2], Grouped(table["data"]["pages"])) << lines[i + 1];
        EXPECT_EQ(words[3], Grouped(totals["clusteredPages"])) << lines[i + 1];
        EXPECT_EQ(words[4], Grouped(totals["nonClusteredPages"])) << lines[i + 1];
        EXPECT_EQ(words[5], Grouped(totals["totalPages"])) << lines[i + 1];
    }
    const Json& database = Reference()["database"];
    const std::vector<std::string> words = columns(lines.back());
    ASSERT_GE(words.size(), 5u);
    EXPECT_EQ(words[1], Grouped(database["dataPages"]));
    EXPECT_EQ(words[2], Grouped(database["clusteredPages"]));
    EXPECT_EQ(words[3], Grouped(database["nonClusteredPages"]));
    EXPECT_EQ(words[4], Grouped(database["pages"]));
}

} // namespace
