// Table descriptions read from JSON: what each form of a value becomes, and
// how a wrong description is told for its table alone.

#include "TableReader.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace quorvel::cli {
namespace {

struct RowName {
    template <class Param>
    std::string operator()(const ::testing::TestParamInfo<Param>& row) const
    {
        return row.param.name;
    }
};

std::vector<TableRecord> ReadLines(const std::vector<std::string>& lines)
{
    std::vector<TableRecord> tables;
    TableReader reader([&tables](const TableRecord& r) { tables.push_back(r); });
    std::size_t number = 0;
    for (const std::string& line : lines)
        reader.ReadLine(line, ++number);
    return tables;
}

TableRecord ReadOne(const std::string& line)
{
    const auto tables = ReadLines({line});
    EXPECT_EQ(tables.size(), 1u);
    return tables.empty() ? TableRecord{} : tables.front();
}

struct ValueRow {
    const char* name;
    std::string json;     // the value of rowCount
    std::string text;     // the text the run gets
};

class ValueTextTest : public ::testing::TestWithParam<ValueRow> {};

TEST_P(ValueTextTest, BecomesTheTextOfAField)
{
    const TableRecord t = ReadOne(R"({"rowCount": )" + GetParam().json + R"(, "data": {"fixedBytes": 1}})");
    EXPECT_EQ(t.error, "");
    EXPECT_EQ(t.description.rowCount, GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Values, ValueTextTest,
    ::testing::Values(
        ValueRow{"Integer", "1234", "1234"},
        ValueRow{"Negative", "-7", "-7"},
        ValueRow{"BeyondSigned64", "18446744073709551615", "18446744073709551615"},
        ValueRow{"Fraction", "12.5", "12.5"},
        ValueRow{"FractionShortestForm", "0.1", "0.1"},
        ValueRow{"ExponentNumber", "1e3", "1000"},
        ValueRow{"LargeExponentNumber", "1e300", "1e+300"},
        ValueRow{"TextBeyondDouble", R"("1e400")", "1e400"},
        ValueRow{"GroupedText", R"("1,234")", "1,234"},
        ValueRow{"BlankText", R"(" 12 ")", " 12 "},
        ValueRow{"TextKeptAsWritten", R"("12.50")", "12.50"},
        ValueRow{"FullWidthText", R"("１２")", "１２"}),
    RowName());

TEST(TableReaderTest, SectionsMirrorTheWindow)
{
    const TableRecord t = ReadOne(
        R"({"name": "orders", "rowCount": 10, "data": {"fixedBytes": 100, "variableBytes": 50, "variableColumns": 2},)"
        R"( "clustered": {"fillFactor": 80, "fixedBytes": 4},)"
        R"( "nonClustered": [{"fixedBytes": 8}, null, {"fillFactor": "100", "fixedBytes": 1, "variableColumns": 3}]})");
    ASSERT_EQ(t.error, "");
    EXPECT_EQ(t.name, "orders");
    EXPECT_EQ(t.description.data.mode, KeyMode::WithVariable);
    EXPECT_EQ(t.description.data.fixedBytes, "100");
    EXPECT_EQ(t.description.data.variableBytes, "50");
    EXPECT_EQ(t.description.data.variableColumns, "2");
    EXPECT_EQ(t.description.clustered.mode, KeyMode::AllFixed);
    EXPECT_EQ(t.description.clustered.fillFactor, "80");
    EXPECT_EQ(t.description.clustered.allFixedBytes, "4");
    ASSERT_EQ(t.description.nonClustered.size(), 3u);
    EXPECT_EQ(t.description.nonClustered[0].mode, KeyMode::AllFixed);
    EXPECT_EQ(t.description.nonClustered[0].fillFactor, "0");
    EXPECT_EQ(t.description.nonClustered[1].mode, KeyMode::None);
    EXPECT_EQ(t.description.nonClustered[2].mode, KeyMode::WithVariable);
    EXPECT_EQ(t.description.nonClustered[2].variableBytes, "0");
    EXPECT_EQ(t.description.nonClustered[2].variableColumns, "3");
}

TEST(TableReaderTest, MissingOrNullClusteredIsNone)
{
    EXPECT_EQ(ReadOne(R"({"rowCount": 1, "data": {"fixedBytes": 1}})").description.clustered.mode, KeyMode::None);
    const TableRecord t = ReadOne(R"({"rowCount": 1, "data": {"fixedBytes": 1}, "clustered": null})");
    EXPECT_EQ(t.error, "");
    EXPECT_EQ(t.description.clustered.mode, KeyMode::None);
}

TEST(TableReaderTest, EachTableStartsFresh)
{
    const auto tables = ReadLines({
        R"({"name": "a", "rowCount": 5, "data": {"fixedBytes": 1, "variableBytes": 9}, "clustered": {"fixedBytes": 3}, "nonClustered": [{"fixedBytes": 2}]})",
        R"({"rowCount": 6, "data": {"fixedBytes": 2}})",
    });
    ASSERT_EQ(tables.size(), 2u);
    EXPECT_EQ(tables[1].name, "");
    EXPECT_EQ(tables[1].description.data.mode, KeyMode::AllFixed);
    EXPECT_EQ(tables[1].description.data.variableBytes, "0");
    EXPECT_EQ(tables[1].description.clustered.mode, KeyMode::None);
    EXPECT_TRUE(tables[1].description.nonClustered.empty());
    EXPECT_EQ(tables[1].ordinal, 2u);
    EXPECT_EQ(tables[1].line, 2u);
}

struct ErrorRow {
    const char* name;
    std::string line;
    std::string error;
};

class DescriptionErrorTest : public ::testing::TestWithParam<ErrorRow> {};

TEST_P(DescriptionErrorTest, IsToldForThatTable)
{
    const auto tables = ReadLines({GetParam().line, R"({"rowCount": 1, "data": {"fixedBytes": 1}})"});
    ASSERT_EQ(tables.size(), 2u);
    EXPECT_EQ(tables[0].error, GetParam().error);
    EXPECT_EQ(tables[1].error, "") << "the next table is read as if nothing happened";
    EXPECT_EQ(tables[1].ordinal, 2u);
}

INSTANTIATE_TEST_SUITE_P(
    Descriptions, DescriptionErrorTest,
    ::testing::Values(
        ErrorRow{"BooleanValue", R"({"rowCount": true, "data": {"fixedBytes": 1}})", R"("rowCount" must be a number or a text, not a boolean)"},
        ErrorRow{"NullValue", R"({"rowCount": null, "data": {"fixedBytes": 1}})", R"("rowCount" must be a number or a text, not null)"},
        ErrorRow{"ObjectValue", R"({"rowCount": {"a": [1, {}]}, "data": {"fixedBytes": 1}})", R"("rowCount" must be a number or a text, not an object)"},
        ErrorRow{"ArrayInSection", R"({"rowCount": 1, "data": {"fixedBytes": [1]}})", R"("fixedBytes" in data must be a number or a text, not an array)"},
        ErrorRow{"NumberAsName", R"({"name": 5, "rowCount": 1, "data": {"fixedBytes": 1}})", R"("name" must be a text, not a number)"},
        ErrorRow{"DataAsText", R"({"rowCount": 1, "data": "100"})", R"("data" must be an object, not a text)"},
        ErrorRow{"IndexesAsObject", R"({"rowCount": 1, "data": {"fixedBytes": 1}, "nonClustered": {}})", R"("nonClustered" must be an array, not an object)"},
        ErrorRow{"IndexAsNumber", R"({"rowCount": 1, "data": {"fixedBytes": 1}, "nonClustered": [4]})", "each nonclustered index must be a JSON object or null, not a number"},
        ErrorRow{"MissingRowCount", R"({"data": {"fixedBytes": 1}})", R"(missing "rowCount")"},
        ErrorRow{"MissingData", R"({"rowCount": 1})", R"(missing "data")"},
        ErrorRow{"MissingFixedBytes", R"({"rowCount": 1, "data": {"fixedBytes": 1}, "nonClustered": [{"fixedBytes": 1}, {"fillFactor": 1}]})", R"(missing "fixedBytes" in nonClustered[1])"},
        ErrorRow{"UnknownKey", R"({"rowcount": 1, "rowCount": 1, "data": {"fixedBytes": 1}})", R"(unknown key "rowcount")"},
        ErrorRow{"FillFactorOfData", R"({"rowCount": 1, "data": {"fixedBytes": 1, "fillFactor": 5}})", R"(unknown key "fillFactor" in data)"},
        ErrorRow{"DuplicateKey", R"({"rowCount": 1, "rowCount": 2, "data": {"fixedBytes": 1}})", R"(duplicate key "rowCount")"},
        ErrorRow{"FirstErrorWins", R"({"rowCount": false, "data": 3})", R"("rowCount" must be a number or a text, not a boolean)"},
        ErrorRow{"ArrayAsTable", R"([{"rowCount": 1, "data": {"fixedBytes": 1}}])", "a table must be a JSON object, not an array"},
        ErrorRow{"NumberAsTable", "42", "a table must be a JSON object, not a number"},
        ErrorRow{"Malformed", R"({"rowCount": 1 "data"})", "malformed JSON: syntax error while parsing object - unexpected string literal; expected '}'"},
        ErrorRow{"TrailingText", R"({"rowCount": 1, "data": {"fixedBytes": 1}} x)", "malformed JSON: syntax error while parsing value - invalid literal; last read: '1}} x'; expected end of input"},
        ErrorRow{"NumberBeyondDouble", R"({"rowCount": 1e400, "data": {"fixedBytes": 1}})", "malformed JSON: number overflow parsing '1e400'"},
        ErrorRow{"InvalidUtf8", "{\"name\": \"\xFF\", \"rowCount\": 1, \"data\": {\"fixedBytes\": 1}}", "malformed JSON: syntax error while parsing value - invalid string: ill-formed UTF-8 byte; last read: '\"\xFF'"}),
    RowName());

TEST(TableReaderTest, MalformedLineToldWithItsColumn)
{
    const auto tables = ReadLines({"", R"({"rowCount": 1,, "data": {}})"});
    ASSERT_EQ(tables.size(), 1u);
    EXPECT_EQ(tables[0].line, 2u);
    EXPECT_EQ(tables[0].column, 16u);
    EXPECT_EQ(tables[0].ordinal, 1u) << "blank lines are no tables";
}

TEST(TableReaderTest, UpTo249IndexesThenAnError)
{
    auto withIndexes = [](int n) {
        std::string line = R"({"rowCount": 1, "data": {"fixedBytes": 1}, "nonClustered": [)";
        for (int i = 0; i < n; ++i)
            line += (i ? "," : "") + std::string(R"({"fixedBytes": 4})");
        return line + "]}";
    };
    const TableRecord most = ReadOne(withIndexes(249));
    EXPECT_EQ(most.error, "");
    EXPECT_EQ(most.description.nonClustered.size(), 249u);
    EXPECT_EQ(ReadOne(withIndexes(250)).error, "more than 249 nonclustered indexes");
}

TEST(TableReaderTest, DeepNestingIsSkippedNotFollowed)
{
    const std::string deep = std::string(100000, '[') + std::string(100000, ']');
    const TableRecord t = ReadOne(R"({"rowCount": )" + deep + R"(, "data": {"fixedBytes": 1}})");
    EXPECT_EQ(t.error, R"("rowCount" must be a number or a text, not an array)");
    const TableRecord unclosed = ReadOne(std::string(100000, '{'));
    EXPECT_NE(unclosed.error.find("malformed JSON"), std::string::npos);
}

TEST(TableReaderTest, DocumentGivesEveryTableOfAnArray)
{
    std::vector<TableRecord> tables;
    TableReader reader([&tables](const TableRecord& r) { tables.push_back(r); }, 10);
    std::istringstream in(R"([{"rowCount": 1, "data": {"fixedBytes": 1}}, 7, {"rowCount": 2, "data": {"fixedBytes": 1}}])");
    EXPECT_FALSE(reader.ReadDocument(in).has_value());
    ASSERT_EQ(tables.size(), 3u);
    EXPECT_EQ(tables[0].ordinal, 11u);
    EXPECT_EQ(tables[1].error, "a table must be a JSON object, not a number");
    EXPECT_EQ(tables[2].description.rowCount, "2");
    EXPECT_EQ(reader.TablesRead(), 13u);
}

TEST(TableReaderTest, DocumentSyntaxErrorHasLineAndColumn)
{
    std::vector<TableRecord> tables;
    TableReader reader([&tables](const TableRecord& r) { tables.push_back(r); });
    std::istringstream in("[\n {\"rowCount\": 1, \"data\": {\"fixedBytes\": 1}},\n {\"rowCount\": 1,\n  \"data\" {}}\n]");
    const auto error = reader.ReadDocument(in);
    ASSERT_TRUE(error.has_value());
    EXPECT_EQ(error->line, 4u);
    EXPECT_EQ(error->column, 10u);
    EXPECT_EQ(error->reason, "syntax error while parsing object separator - unexpected '{'; expected ':'");
    EXPECT_EQ(tables.size(), 1u) << "the tables before the error are read";
}

} // namespace
} // namespace quorvel::cli
