// quorvel-size from input text to report and exit status: the input forms, the
// statuses of tables, the totals, and what a broken input gives.

#include "InputBuffer.h"
#include "ReportFormat.h"
#include "ToolRun.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <cstdio>
#include <string>

namespace quorvel::cli {
namespace {

using testing::RunTool;
using testing::ToolRun;

struct RowName {
    template <class Param>
    std::string operator()(const ::testing::TestParamInfo<Param>& row) const
    {
        return row.param.name;
    }
};

const std::string kTableA = R"({"name": "a", "rowCount": 10000, "data": {"fixedBytes": 100}})"; // 527 pages
const std::string kTableB = R"({"name": "b", "rowCount": "1,000", "data": {"fixedBytes": 100, "variableBytes": 50, "variableColumns": 2}})"; // 84 pages

// One line of more than a megabyte: a document, never a first line to try.
std::string MinifiedArray(std::size_t tables)
{
    std::string text = "[";
    for (std::size_t i = 0; i < tables; ++i)
        text += (i ? "," : "") + kTableA;
    return text + "]";
}

nlohmann::json JsonReport(const std::string& input, InputFormat format = InputFormat::Auto)
{
    const ToolRun run = RunTool(input, format, true);
    return nlohmann::json::parse(run.out);
}

struct FormatRow {
    const char* name;
    std::string input;
    InputFormat format;
    std::string source;
    std::size_t tables;
    int status;
};

class InputFormTest : public ::testing::TestWithParam<FormatRow> {};

TEST_P(InputFormTest, ReadsEveryTable)
{
    const FormatRow& row = GetParam();
    const ToolRun run = RunTool(row.input, row.format, true, row.source);
    EXPECT_EQ(run.status, row.status) << run.err;
    const auto report = nlohmann::json::parse(run.out);
    EXPECT_EQ(report["database"]["tables"], row.tables);
}

INSTANTIATE_TEST_SUITE_P(
    Forms, InputFormTest,
    ::testing::Values(
        FormatRow{"OneObject", kTableA, InputFormat::Auto, "<test>", 1, 0},
        FormatRow{"PrettyObject", "{\n \"rowCount\": 1,\n \"data\": {\"fixedBytes\": 1}\n}\n", InputFormat::Auto, "<test>", 1, 0},
        FormatRow{"Array", "[" + kTableA + ",\n" + kTableB + "]", InputFormat::Auto, "<test>", 2, 0},
        FormatRow{"EmptyArray", "[]", InputFormat::Auto, "<test>", 0, 0},
        FormatRow{"Lines", kTableA + "\n" + kTableB + "\n", InputFormat::Auto, "<test>", 2, 0},
        FormatRow{"LinesWithBlankLinesAndCrLf", "\n\r\n" + kTableA + "\r\n\r\n" + kTableB, InputFormat::Auto, "<test>", 2, 0},
        FormatRow{"ByteOrderMark", "\xEF\xBB\xBF" + kTableA + "\n" + kTableB, InputFormat::Auto, "<test>", 2, 0},
        FormatRow{"ByteOrderMarkArray", "\xEF\xBB\xBF[" + kTableA + "]", InputFormat::Json, "<test>", 1, 0},
        FormatRow{"NoInputAtAll", "", InputFormat::Auto, "<test>", 0, 0},
        FormatRow{"LinesByExtension", kTableA + "\n" + kTableB, InputFormat::Auto, "t.JSONL", 2, 0},
        FormatRow{"NdjsonExtension", kTableA + "\n" + kTableB, InputFormat::Auto, "t.ndjson", 2, 0},
        FormatRow{"JsonExtensionReadsOneDocument", kTableA + "\n" + kTableB, InputFormat::Auto, "t.json", 1, 2},
        FormatRow{"LinesAsked", kTableA, InputFormat::JsonLines, "t.json", 1, 0},
        FormatRow{"ArrayAskedAsLinesIsOneWrongTable", "[" + kTableA + "]", InputFormat::JsonLines, "<test>", 1, 1},
        FormatRow{"EmptyInputAskedAsJson", "", InputFormat::Json, "<test>", 0, 2},
        FormatRow{"BlankInput", " \n\t\r\n", InputFormat::Auto, "<test>", 0, 0},
        FormatRow{"LongMinifiedArray", MinifiedArray(20000), InputFormat::Auto, "<test>", 20000, 0}),
    RowName());

TEST(SizeToolTest, TextReportOfOneTable)
{
    const ToolRun run = RunTool(
        R"({"name": "orders", "rowCount": 100000, "data": {"fixedBytes": 100},)"
        R"( "nonClustered": [{"fixedBytes": 4}, null]})");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(run.out,
              "[1] orders\n"
              "  ﾃﾞｰﾀﾍﾟｰｼﾞ\n"
              "    ﾃﾞｰﾀ行のｻｲｽﾞ                             102\n"
              "    ﾍﾟｰｼﾞごとのﾃﾞｰﾀ行数                       19\n"
              "    必要ﾃﾞｰﾀﾍﾟｰｼﾞ数                        5,264\n"
              "  ｸﾗｽﾀﾍﾟｰｼﾞ  なし\n"
              "  非ｸﾗｽﾀﾍﾟｰｼﾞ(1)\n"
              "    ﾘｰﾌｲﾝﾃﾞｯｸｽ行のｻｲｽﾞ                        11\n"
              "    ﾍﾟｰｼﾞごとのﾘｰﾌｲﾝﾃﾞｯｸｽ行数                183\n"
              "    ﾘｰﾌﾍﾟｰｼﾞ数                               547\n"
              "    非ﾘｰﾌｲﾝﾃﾞｯｸｽ行のｻｲｽﾞ                      15\n"
              "    ﾍﾟｰｼﾞごとの非ﾘｰﾌｲﾝﾃﾞｯｸｽ行数              132\n"
              "    必要ｲﾝﾃﾞｯｸｽﾍﾟｰｼﾞ数                       552\n"
              "    ﾚﾍﾞﾙ０(ﾘｰﾌ)                              547\n"
              "    ﾚﾍﾞﾙ１                                     4\n"
              "    ﾚﾍﾞﾙ２                                     1\n"
              "  非ｸﾗｽﾀﾍﾟｰｼﾞ(2)  なし\n"
              "  計算結果\n"
              "    ｸﾗｽﾀﾍﾟｰｼﾞ数                                0\n"
              "    非ｸﾗｽﾀﾍﾟｰｼﾞ数                            552\n"
              "    ﾍﾟｰｼﾞ総数                              5,816\n"
              "    ﾃｰﾌﾞﾙｻｲｽﾞ                         11,911,168\n");
}

TEST(SizeToolTest, ValuesAlignInOneColumn)
{
    const ToolRun run = RunTool(R"({"rowCount": 100000, "data": {"fixedBytes": 100}, "clustered": {"fixedBytes": 4}})");
    std::size_t lines = 0;
    std::size_t start = 0;
    while (start < run.out.size()) {
        const std::size_t end = run.out.find('\n', start);
        const std::string line = run.out.substr(start, end - start);
        start = end + 1;
        if (line.empty() || line.back() < '0' || line.back() > '9' || line.rfind("    ", 0) != 0)
            continue;
        EXPECT_EQ(DisplayWidth(line), 48u) << line;
        ++lines;
    }
    EXPECT_EQ(lines, 3u + 3u + 3u + 4u); // data, clustered, levels 0-2, totals
}

TEST(SizeToolTest, SeveralTablesEndWithTheDatabaseTotal)
{
    const ToolRun run = RunTool(kTableA + "\n" + kTableB + "\n" + R"({"name": "c", "rowCount": 1, "data": {"fixedBytes": 1963}})");
    EXPECT_EQ(run.status, 1);
    const std::size_t total = run.out.find("ﾃﾞｰﾀﾍﾞｰｽ合計\n");
    ASSERT_NE(total, std::string::npos);
    EXPECT_EQ(run.out.substr(total),
              "ﾃﾞｰﾀﾍﾞｰｽ合計\n"
              "    ﾃｰﾌﾞﾙ数                                    3\n"
              "    計算できたﾃｰﾌﾞﾙ数                          2\n"
              "    ﾍﾟｰｼﾞ総数                                611\n"
              "    ﾃﾞｰﾀﾍﾞｰｽｻｲｽﾞ                       1,251,328\n");
    EXPECT_NE(run.out.find("[3] c\n  ! 1列の最大ﾊﾞｲﾄ数は、1962までです。\n"), std::string::npos);
}

TEST(SizeToolTest, OneTableHasNoDatabaseTotalInText)
{
    EXPECT_EQ(RunTool(kTableA).out.find("ﾃﾞｰﾀﾍﾞｰｽ合計"), std::string::npos);
}

struct StatusRow {
    const char* name;
    std::string table;
    std::string status;
    std::string message;
    bool hasData;
};

class TableStatusTest : public ::testing::TestWithParam<StatusRow> {};

TEST_P(TableStatusTest, IsReportedAndCounted)
{
    const StatusRow& row = GetParam();
    const ToolRun run = RunTool(row.table + "\n" + kTableA, InputFormat::JsonLines, true);
    const auto report = nlohmann::json::parse(run.out);
    const auto& first = report["tables"][0];
    EXPECT_EQ(first["status"], row.status);
    if (row.status == "invalid") {
        EXPECT_EQ(first["error"], row.message);
    } else if (row.status != "ok") {
        EXPECT_EQ(first["message"], row.message);
    }
    EXPECT_EQ(first.contains("data"), row.hasData);
    EXPECT_EQ(report["tables"][1]["status"], "ok") << "a bad table never stops the others";
    EXPECT_EQ(report["database"]["tables"], 2);
    EXPECT_EQ(run.status, row.status == "ok" ? 0 : 1);
}

INSTANTIATE_TEST_SUITE_P(
    Statuses, TableStatusTest,
    ::testing::Values(
        StatusRow{"Succeeded", kTableB, "ok", "", true},
        StatusRow{"FillFactor", R"({"rowCount": 1, "data": {"fixedBytes": 1}, "nonClustered": [null, {"fillFactor": 101, "fixedBytes": 1}]})", "refused", "FILLFACTOR値が正しくありません。", false},
        StatusRow{"NotNumericText", R"({"rowCount": "1.2.3", "data": {"fixedBytes": 1}})", "refused", "入力値が正しくありません。", false},
        StatusRow{"TextBeyondDouble", R"({"rowCount": "1e400", "data": {"fixedBytes": 1}})", "refused", "入力値が正しくありません。", false},
        StatusRow{"RowCountBeyond32Bits", R"({"rowCount": 1e12, "data": {"fixedBytes": 1}})", "refused", "入力値が正しくありません。", false},
        StatusRow{"ByteLimit", R"({"rowCount": 1, "data": {"fixedBytes": 1000, "variableBytes": 963}})", "refused", "1列の最大ﾊﾞｲﾄ数は、1962までです。", false},
        StatusRow{"ColumnLimit", R"({"rowCount": 1, "data": {"fixedBytes": 1}, "clustered": {"fixedBytes": 1, "variableColumns": 251}})", "refused", "1ﾃｰﾌﾞﾙの最大列数は、250までです。", false},
        StatusRow{"LimitOfFifthIndex", R"({"rowCount": 1, "data": {"fixedBytes": 1}, "nonClustered": [null, null, null, null, {"fixedBytes": 1963}]})", "refused", "1列の最大ﾊﾞｲﾄ数は、1962までです。", false},
        StatusRow{"DataFails", R"({"rowCount": 1, "data": {"fixedBytes": -2}})", "failed", "ﾃﾞｰﾀﾍﾟｰｼﾞを計算中にｴﾗｰが発生しました。", false},
        StatusRow{"FourthIndexFails", R"({"rowCount": 5000, "data": {"fixedBytes": 100}, "nonClustered": [{"fixedBytes": 4}, null, {"fixedBytes": 4}, {"fillFactor": 1, "fixedBytes": 100}]})", "failed", "非ｸﾗｽﾀ化ｲﾝﾃﾞｯｸｽﾍﾟｰｼﾞを計算中にｴﾗｰが発生しました。", true},
        StatusRow{"WrongType", R"({"rowCount": 1, "data": {"fixedBytes": false}})", "invalid", R"(<test>:1: "fixedBytes" in data must be a number or a text, not a boolean)", false},
        StatusRow{"Malformed", R"({"rowCount": 1, "data": {"fixedBytes": 1})", "invalid", "<test>:1:42: malformed JSON: syntax error while parsing object - unexpected end of input; expected '}'", false}),
    RowName());

TEST(SizeToolTest, FailedTableKeepsTheSectionsBeforeTheFailure)
{
    const auto report = JsonReport(
        R"({"rowCount": 5000, "data": {"fixedBytes": 100}, "clustered": {"fixedBytes": 4},)"
        R"( "nonClustered": [{"fixedBytes": 4}, {"fillFactor": 1, "fixedBytes": 100}, {"fixedBytes": 4}]})");
    const auto& t = report["tables"][0];
    EXPECT_EQ(t["status"], "failed");
    EXPECT_EQ(t["data"]["pages"], 264);
    EXPECT_TRUE(t["clustered"].is_object());
    EXPECT_EQ(t["nonClustered"].size(), 1u);
    EXPECT_FALSE(t.contains("totals"));
    EXPECT_EQ(report["database"]["succeeded"], 0);
    EXPECT_EQ(report["database"]["pages"], 0);
}

TEST(SizeToolTest, MoreThanThreeIndexesAllCount)
{
    std::string table = R"({"rowCount": 100000, "data": {"fixedBytes": 100}, "nonClustered": [)";
    for (int i = 0; i < 7; ++i)
        table += (i ? "," : "") + std::string(i == 3 ? "null" : R"({"fixedBytes": 4})");
    table += "]}";
    const auto report = JsonReport(table);
    const auto& t = report["tables"][0];
    ASSERT_EQ(t["nonClustered"].size(), 7u);
    EXPECT_TRUE(t["nonClustered"][3].is_null());
    EXPECT_EQ(t["nonClustered"][6]["pages"], 552);
    EXPECT_EQ(t["nonClustered"][6]["levels"], nlohmann::json({547, 4, 1}));
    EXPECT_EQ(t["totals"]["nonClusteredPages"], 6 * 552);
    EXPECT_EQ(t["totals"]["totalPages"], 5264 + 6 * 552);
}

TEST(SizeToolTest, JsonReportOfEveryFigure)
{
    const auto t = JsonReport(R"({"name": "x\"y", "rowCount": 1000000, "data": {"fixedBytes": 100}, "clustered": {"fillFactor": 0, "fixedBytes": 4}})")["tables"][0];
    EXPECT_EQ(t["name"], "x\"y");
    EXPECT_EQ(t["table"], 1);
    EXPECT_EQ(t["data"], nlohmann::json({{"rowSize", 102}, {"rowsPerPage", 19}, {"pages", 52632}}));
    EXPECT_EQ(t["clustered"]["rowSize"], 9);
    EXPECT_EQ(t["clustered"]["rowsPerPage"], 222);
    EXPECT_EQ(t["clustered"]["levels"], nlohmann::json({237, 2, 1}));
    EXPECT_EQ(t["clustered"]["pages"], 240);
    EXPECT_EQ(t["nonClustered"], nlohmann::json::array());
    EXPECT_EQ(t["totals"], nlohmann::json({{"clusteredPages", 240}, {"nonClusteredPages", 0}, {"totalPages", 52872}, {"tableBytes", 52872 * 2048}}));
}

TEST(SizeToolTest, TotalsBeyond32BitsPerTableAndBeyond64BitsOverall)
{
    const auto t = JsonReport(R"({"rowCount": 2000000000, "data": {"fixedBytes": 1000, "variableBytes": 962, "variableColumns": 250}})")["tables"][0];
    EXPECT_EQ(t["totals"]["totalPages"], 4000000000LL);
    EXPECT_EQ(t["totals"]["tableBytes"], 8192000000000LL);

    std::string out;
    AppendGrouped(out, BigCount(8192000000000LL) * 10000000);
    EXPECT_EQ(out, "81,920,000,000,000,000,000");
    out.clear();
    AppendDecimal(out, -(BigCount(1) << 100));
    EXPECT_EQ(out, "-1267650600228229401496703205376");
}

TEST(SizeToolTest, MalformedDocumentStopsWithLineAndColumn)
{
    const ToolRun run = RunTool("[" + kTableA + ",\n  {\"rowCount\": 1,, }]", InputFormat::Auto, false, "t.json");
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.err, "quorvel-size: t.json:2:18: malformed JSON: syntax error while parsing object key - unexpected ','; expected string literal\n");
    EXPECT_NE(run.out.find("[1] a\n"), std::string::npos) << "tables before the error are reported";
}

TEST(SizeToolTest, NonObjectDocumentIsOneWrongTable)
{
    const ToolRun run = RunTool("\"hello\"");
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, "[1]\n  ! <test>: a table must be a JSON object, not a text\n");
}

TEST(SizeToolTest, UnreadablePathsAreInputErrors)
{
    for (const std::string path : {"/nonexistent/tables.json", "/"}) {
        ToolRun run;
        SizeTool tool(false, [&](std::string_view t) { run.out += t; }, [&](std::string_view t) { run.err += t; });
        EXPECT_FALSE(tool.ReadPath(path, InputFormat::Auto));
        EXPECT_EQ(tool.Finish(), 2);
        EXPECT_EQ(run.err.rfind("quorvel-size: cannot ", 0), 0u) << run.err;
        EXPECT_NE(run.err.find(path), std::string::npos);
    }
}

TEST(SizeToolTest, TablesOfSeveralInputsAreNumberedOnAndAddUp)
{
    ToolRun run;
    SizeTool tool(true, [&](std::string_view t) { run.out += t; }, [&](std::string_view t) { run.err += t; });
    tool.ReadText(kTableA, "one", InputFormat::Auto);
    tool.ReadText(kTableB + "\n" + kTableA, "two", InputFormat::Auto);
    EXPECT_EQ(tool.Finish(), 0);
    const auto report = nlohmann::json::parse(run.out);
    EXPECT_EQ(report["tables"][2]["table"], 3);
    EXPECT_EQ(report["database"]["pages"], 527 + 84 + 527);
    EXPECT_EQ(report["database"]["bytes"], (527 + 84 + 527) * 2048);
}

TEST(InputBufferTest, LinesLongerThanTheBufferAndAcrossItsEdges)
{
    std::FILE* file = std::tmpfile();
    ASSERT_NE(file, nullptr);
    const std::string longLine(200000, 'x');
    std::string text;
    for (int i = 0; i < 3000; ++i)
        text += std::to_string(i) + "\n";
    text += longLine + "\r\nlast";
    std::fwrite(text.data(), 1, text.size(), file);
    std::rewind(file);
    InputBuffer input(file);
    std::string_view line;
    for (int i = 0; i < 3000; ++i) {
        ASSERT_TRUE(input.NextLine(line));
        ASSERT_EQ(line, std::to_string(i));
    }
    EXPECT_FALSE(input.PeekLine(1000).has_value()) << "a line past the limit is not held";
    ASSERT_TRUE(input.PeekLine(1 << 20).has_value());
    EXPECT_EQ(input.PeekLine(1 << 20)->size(), longLine.size() + 1);
    ASSERT_TRUE(input.NextLine(line));
    EXPECT_EQ(line, longLine);
    ASSERT_TRUE(input.NextLine(line));
    EXPECT_EQ(line, "last");
    EXPECT_FALSE(input.NextLine(line));
    EXPECT_FALSE(input.ReadFailed());
    std::fclose(file);
}

} // namespace
} // namespace quorvel::cli
