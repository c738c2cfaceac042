// A schema script sized directly and its --describe output read back as JSON
// Lines give the same figures, table by table, whatever the columns, keys,
// fill factors, nullability and assumed fill of variable-length columns.

#include "cli/ScriptSource.h"
#include "cli/SizeTool.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <random>
#include <string>

namespace {

using Json = nlohmann::json;
using namespace quorvel::cli;
using quorvel::Language;

constexpr int kTables = 150;

std::string Column(std::mt19937& random, int i) {
    static const char* const kTypes[] = {"int", "smallint", "tinyint", "bit", "money", "datetime",
                                         "smalldatetime", "real", "float", "decimal(12,2)", "numeric(30)",
                                         "char(", "varchar(", "binary(", "varbinary(", "sysname"};
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
    for (int t = 0; t < kTables; ++t) {
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
                      std::to_string(k) + " ON " + name + " (c" + std::to_string(pick(random) % columns) + ")";
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
        for (int t = 0; t < kTables; ++t)
            source.AddRows("T" + std::to_string(t) + "=" + std::to_string(1 + (t * 104729) % 3000000));
        std::string sized, described, messages;
        const auto collect = [](std::string& into) {
            return [&into](std::string_view text) {
                into.append(text);
                return true;
            };
        };
        SizeTool direct(ReportView::Json, Language::English, collect(sized), collect(messages));
        ASSERT_TRUE(source.Size(path, direct));
        direct.Finish();
        bool problems = false;
        source.Describe(path, described, [&](const std::string& line, SizeTool::MessageKind kind) {
            messages += line + "\n";
            problems = problems || kind != SizeTool::MessageKind::Note;
        });
        ASSERT_FALSE(problems) << messages;
        std::string readBack;
        SizeTool again(ReportView::Json, Language::English, collect(readBack), collect(messages));
        std::FILE* file = std::tmpfile();
        std::fwrite(described.data(), 1, described.size(), file);
        std::rewind(file);
        again.ReadStream(file, "described.jsonl", InputFormat::JsonLines);
        std::fclose(file);
        again.Finish();
        const Json expected = Figures(sized);
        const Json actual = Figures(readBack);
        ASSERT_EQ(actual.size(), static_cast<std::size_t>(kTables)) << "fill " << fill;
        int sizedWithIndexes = 0;
        for (const Json& table : expected)
            sizedWithIndexes += table["status"] == "ok" && !table["nonClustered"].empty();
        EXPECT_GT(sizedWithIndexes, kTables / 3) << "fill " << fill; // the generator reaches the indexes
        for (std::size_t i = 0; i < expected.size(); ++i)
            EXPECT_EQ(actual[i], expected[i]) << "fill " << fill << ", table " << i;
        EXPECT_EQ(Json::parse(readBack)["database"], Json::parse(sized)["database"]) << "fill " << fill;
    }
    std::remove(path.c_str());
}

} // namespace
