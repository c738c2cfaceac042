// The run without widgets: which message wins, where each limit lies, how the
// texts reach the estimation record, what a failing estimate leaves behind and
// how the totals are formed.

#include "CalcRun.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace quorvel {
namespace {

// A table that passes every check: 1000 rows of 100 fixed bytes, no indexes.
TableDescription PlainTable()
{
    TableDescription t;
    t.rowCount = "1000";
    t.data.mode = KeyMode::AllFixed;
    t.data.allFixedBytes = "100";
    t.nonClustered.resize(3);
    return t;
}

void SetFixedKey(SectionDescription& s, const std::string& fill, const std::string& bytes)
{
    s.mode = KeyMode::AllFixed;
    s.fillFactor = fill;
    s.allFixedBytes = bytes;
}

void SetVariableKey(SectionDescription& s, const std::string& fill, const std::string& fixed,
                    const std::string& variable, const std::string& columns)
{
    s.mode = KeyMode::WithVariable;
    s.fillFactor = fill;
    s.fixedBytes = fixed;
    s.variableBytes = variable;
    s.variableColumns = columns;
}

struct CheckRow {
    const char* name;
    std::function<void(TableDescription&)> change;
    RunMessage validation;
    RunMessage conversion; // checked only when the validation passes
};

class ChecksTest : public ::testing::TestWithParam<CheckRow> {};

TEST_P(ChecksTest, GiveTheExpectedMessage)
{
    const CheckRow& row = GetParam();
    TableDescription t = PlainTable();
    row.change(t);
    EXPECT_EQ(ValidateInputs(t), row.validation);
    if (row.validation == RunMessage::None) {
        EXPECT_EQ(CheckConversions(t), row.conversion);
    }
}

using M = RunMessage;

// Each row of a table is named for what it shows.
struct RowName {
    template <class Param>
    std::string operator()(const ::testing::TestParamInfo<Param>& row) const
    {
        return row.param.name;
    }
};

const std::vector<CheckRow> kCheckRows{
        CheckRow{"PlainTablePasses", [](TableDescription&) {}, M::None, M::None},
        // Fill factors, of every index section whether it exists or not.
        CheckRow{"FillFactorHundredPasses", [](TableDescription& t) { t.nonClustered[0].fillFactor = "100"; }, M::None, M::None},
        CheckRow{"FillFactorZeroPasses", [](TableDescription& t) { t.clustered.fillFactor = "0"; }, M::None, M::None},
        CheckRow{"FillFactor101Fails", [](TableDescription& t) { t.clustered.fillFactor = "101"; }, M::FillFactorInvalid, M::None},
        CheckRow{"FillFactorJustAboveHundredFails", [](TableDescription& t) { t.clustered.fillFactor = "100.4"; }, M::FillFactorInvalid, M::None},
        CheckRow{"FillFactor150InNoneSectionFails", [](TableDescription& t) { t.nonClustered[2].fillFactor = "150"; }, M::FillFactorInvalid, M::None},
        CheckRow{"EmptyFillFactorFails", [](TableDescription& t) { t.nonClustered[1].fillFactor = ""; }, M::FillFactorInvalid, M::None},
        // Numeric tests cover every field, also those of unused modes.
        CheckRow{"EmptyRowCount", [](TableDescription& t) { t.rowCount = ""; }, M::InputInvalid, M::None},
        CheckRow{"UnusedDataVariableField", [](TableDescription& t) { t.data.variableColumns = "x"; }, M::InputInvalid, M::None},
        CheckRow{"FieldOfNoneClustered", [](TableDescription& t) { t.clustered.fixedBytes = ""; }, M::InputInvalid, M::None},
        CheckRow{"AllFixedFieldOfNoneIndex", [](TableDescription& t) { t.nonClustered[2].allFixedBytes = "1.2.3"; }, M::InputInvalid, M::None},
        CheckRow{"VariableFieldOfNoneIndex", [](TableDescription& t) { t.nonClustered[1].variableBytes = "abc"; }, M::InputInvalid, M::None},
        // Byte and column limits of the data section.
        CheckRow{"Data1962Passes", [](TableDescription& t) { t.data.allFixedBytes = "1962"; }, M::None, M::None},
        CheckRow{"Data1963Fails", [](TableDescription& t) { t.data.allFixedBytes = "1963"; }, M::ByteLimit, M::None},
        CheckRow{"DataGrouped1963Fails", [](TableDescription& t) { t.data.allFixedBytes = "1,963"; }, M::ByteLimit, M::None},
        CheckRow{"Data1962Point5RoundsToEvenAndPasses", [](TableDescription& t) { t.data.allFixedBytes = "1962.5"; }, M::None, M::None},
        CheckRow{"Data1963Point5RoundsUpAndFails", [](TableDescription& t) { t.data.allFixedBytes = "1962.51"; }, M::ByteLimit, M::None},
        CheckRow{"DataAbove16BitsCountsAsAboveLimit", [](TableDescription& t) { t.data.allFixedBytes = "40000"; }, M::ByteLimit, M::None},
        CheckRow{"DataSum1000Plus962Passes", [](TableDescription& t) { SetVariableKey(t.data, "0", "1000", "962", "2"); }, M::None, M::None},
        CheckRow{"DataSum1000Plus963Fails", [](TableDescription& t) { SetVariableKey(t.data, "0", "1000", "963", "2"); }, M::ByteLimit, M::None},
        CheckRow{"DataSumAbove16BitsFails", [](TableDescription& t) { SetVariableKey(t.data, "0", "20000", "20000", "2"); }, M::ByteLimit, M::None},
        CheckRow{"DataOnePartAbove16BitsFails", [](TableDescription& t) { SetVariableKey(t.data, "0", "-30000", "40000", "2"); }, M::ByteLimit, M::None},
        CheckRow{"Data250ColumnsPass", [](TableDescription& t) { SetVariableKey(t.data, "0", "10", "10", "250"); }, M::None, M::None},
        CheckRow{"Data251ColumnsFail", [](TableDescription& t) { SetVariableKey(t.data, "0", "10", "10", "251"); }, M::ColumnLimit, M::None},
        CheckRow{"DataColumnsCompareFullValue", [](TableDescription& t) { SetVariableKey(t.data, "0", "10", "10", "250.4"); }, M::ColumnLimit, M::None},
        CheckRow{"ByteTestBeforeColumnTest", [](TableDescription& t) { SetVariableKey(t.data, "0", "1000", "963", "251"); }, M::ByteLimit, M::None},
        CheckRow{"AllFixedIgnoresVariableLimits", [](TableDescription& t) { t.data.fixedBytes = "5000"; t.data.variableColumns = "999"; }, M::None, M::None},
        // Index sections: limits only for the selected mode.
        CheckRow{"NoneClusteredIgnoresLimits", [](TableDescription& t) { t.clustered.allFixedBytes = "5000"; }, M::None, M::None},
        CheckRow{"Clustered1962Passes", [](TableDescription& t) { SetFixedKey(t.clustered, "0", "1962"); }, M::None, M::None},
        CheckRow{"Clustered1963Fails", [](TableDescription& t) { SetFixedKey(t.clustered, "0", "1963"); }, M::ByteLimit, M::None},
        CheckRow{"ClusteredVariable251ColumnsFail", [](TableDescription& t) { SetVariableKey(t.clustered, "0", "1", "1", "251"); }, M::ColumnLimit, M::None},
        CheckRow{"ThirdIndex1000Plus963Fails", [](TableDescription& t) { SetVariableKey(t.nonClustered[2], "0", "1000", "963", "1"); }, M::ByteLimit, M::None},
        CheckRow{"ThirdIndex251ColumnsFail", [](TableDescription& t) { SetVariableKey(t.nonClustered[2], "0", "1", "1", "251"); }, M::ColumnLimit, M::None},
        CheckRow{"FifthIndexOfLongListFails", [](TableDescription& t) { t.nonClustered.resize(6); SetFixedKey(t.nonClustered[4], "0", "1963"); }, M::ByteLimit, M::None},
        CheckRow{"FillFactorOfSixthIndexFails", [](TableDescription& t) { t.nonClustered.resize(6); t.nonClustered[5].fillFactor = "101"; }, M::FillFactorInvalid, M::None},
        // Which message wins when several fields are wrong.
        CheckRow{"FillFactorBeforeNotNumeric", [](TableDescription& t) { t.rowCount = ""; t.nonClustered[2].fillFactor = "101"; }, M::FillFactorInvalid, M::None},
        CheckRow{"FillFactorBeforeLimits", [](TableDescription& t) { t.data.allFixedBytes = "1963"; t.nonClustered[0].fillFactor = "x"; }, M::FillFactorInvalid, M::None},
        CheckRow{"NotNumericInLastIndexBeforeDataLimit", [](TableDescription& t) { t.data.allFixedBytes = "1963"; t.nonClustered[2].variableColumns = ""; }, M::InputInvalid, M::None},
        CheckRow{"DataLimitBeforeClusteredLimit", [](TableDescription& t) { SetVariableKey(t.data, "0", "1", "1", "251"); SetFixedKey(t.clustered, "0", "1963"); }, M::ColumnLimit, M::None},
        CheckRow{"ClusteredLimitBeforeIndexLimit", [](TableDescription& t) { SetVariableKey(t.clustered, "0", "1", "1", "251"); SetFixedKey(t.nonClustered[0], "0", "1963"); }, M::ColumnLimit, M::None},
        CheckRow{"FirstIndexLimitBeforeSecond", [](TableDescription& t) { SetFixedKey(t.nonClustered[0], "0", "1963"); SetVariableKey(t.nonClustered[1], "0", "1", "1", "251"); }, M::ByteLimit, M::None},
        // Values that pass the checks but do not fit where the run puts them.
        CheckRow{"RowCountBeyond32Bits", [](TableDescription& t) { t.rowCount = "1e12"; }, M::None, M::InputInvalid},
        CheckRow{"RowCountLargest32Bit", [](TableDescription& t) { t.rowCount = "2,147,483,647"; }, M::None, M::None},
        CheckRow{"RowCountBelow32Bits", [](TableDescription& t) { t.rowCount = "-3e9"; }, M::None, M::InputInvalid},
        CheckRow{"DataBytesBelow16BitsPassThenRefused", [](TableDescription& t) { t.data.allFixedBytes = "-40000"; }, M::None, M::InputInvalid},
        CheckRow{"DataSumWithPartBelow16BitsRefused", [](TableDescription& t) { SetVariableKey(t.data, "0", "-40000", "10", "1"); }, M::None, M::InputInvalid},
        CheckRow{"ColumnsBelow16BitsRefused", [](TableDescription& t) { SetVariableKey(t.data, "0", "1", "1", "-1e9"); }, M::None, M::InputInvalid},
        CheckRow{"FillFactorBelow32BitsRefused", [](TableDescription& t) { SetFixedKey(t.clustered, "-1e10", "4"); }, M::None, M::InputInvalid},
        CheckRow{"FillFactorOfNoneIndexNotRead", [](TableDescription& t) { t.nonClustered[1].fillFactor = "-1e10"; }, M::None, M::None},
        CheckRow{"UnusedFieldBelow16BitsNotRead", [](TableDescription& t) { t.data.fixedBytes = "-1e9"; t.clustered.allFixedBytes = "-1e9"; }, M::None, M::None},
};

INSTANTIATE_TEST_SUITE_P(Limits, ChecksTest, ::testing::ValuesIn(kCheckRows), RowName());

struct MessageRow {
    const char* name;
    RunMessage message;
    const char* text;
    bool estimateFailure;
};

class MessageTextTest : public ::testing::TestWithParam<MessageRow> {};

TEST_P(MessageTextTest, ExactText)
{
    EXPECT_EQ(MessageText(GetParam().message), GetParam().text);
    EXPECT_EQ(IsEstimateFailure(GetParam().message), GetParam().estimateFailure);
}

INSTANTIATE_TEST_SUITE_P(
    Messages, MessageTextTest,
    ::testing::Values(
        MessageRow{"None", M::None, "", false},
        MessageRow{"FillFactor", M::FillFactorInvalid, "FILLFACTOR値が正しくありません。", false},
        MessageRow{"Input", M::InputInvalid, "入力値が正しくありません。", false},
        MessageRow{"Bytes", M::ByteLimit, "1列の最大ﾊﾞｲﾄ数は、1962までです。", false},
        MessageRow{"Columns", M::ColumnLimit, "1ﾃｰﾌﾞﾙの最大列数は、250までです。", false},
        MessageRow{"Data", M::DataFailed, "ﾃﾞｰﾀﾍﾟｰｼﾞを計算中にｴﾗｰが発生しました。", true},
        MessageRow{"Clustered", M::ClusteredFailed, "ｸﾗｽﾀ化ｲﾝﾃﾞｯｸｽﾍﾟｰｼﾞを計算中にｴﾗｰが発生しました。", true},
        MessageRow{"NonClustered", M::NonClusteredFailed, "非ｸﾗｽﾀ化ｲﾝﾃﾞｯｸｽﾍﾟｰｼﾞを計算中にｴﾗｰが発生しました。", true}),
    RowName());

// How the texts of a field reach the record: grouped, blank-padded, rounded.
struct RecordRow {
    const char* name;
    std::string text;
    std::int16_t fixedBytes;
};

class TextsReachRecordTest : public ::testing::TestWithParam<RecordRow> {};

TEST_P(TextsReachRecordTest, AsRoundedWholeNumbers)
{
    TableDescription t = PlainTable();
    t.rowCount = " 1,500 ";
    t.data.allFixedBytes = GetParam().text;
    ASSERT_EQ(ValidateInputs(t), RunMessage::None);
    ASSERT_EQ(CheckConversions(t), RunMessage::None);
    basSQLSIZE engine;
    const TableEstimate r = RunEstimates(t, engine);
    ASSERT_EQ(r.failure, RunMessage::None);
    EXPECT_EQ(engine.Record().RowCount, 1500);
    EXPECT_EQ(engine.Record().ColumnKind, 1);
    EXPECT_EQ(engine.Record().FixedBytes, GetParam().fixedBytes);
    EXPECT_EQ(r.data->rowSize, GetParam().fixedBytes + 2);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, TextsReachRecordTest,
    ::testing::Values(
        RecordRow{"Grouped", "1,500", 1500},
        RecordRow{"Blanks", " 12 ", 12},
        RecordRow{"HalfDownToEven", "12.5", 12},
        RecordRow{"HalfUpToEven", "13.5", 14},
        RecordRow{"Exponent", "1.5e2", 150}),
    RowName());

TEST(RunEstimatesTest, AllFixedLeavesVariableFieldsOfTheRecord)
{
    basSQLSIZE engine;
    engine.Record().VariableBytes = 77;
    engine.Record().VariableColumns = 5;
    TableDescription t = PlainTable();
    t.data.variableBytes = "300"; // not read in this mode
    const TableEstimate r = RunEstimates(t, engine);
    ASSERT_EQ(r.failure, RunMessage::None);
    EXPECT_EQ(engine.Record().VariableBytes, 77);
    EXPECT_EQ(engine.Record().VariableColumns, 5);
}

TEST(RunEstimatesTest, IndexKeysOverwriteTheRecordSectionBySection)
{
    basSQLSIZE engine;
    TableDescription t = PlainTable();
    SetVariableKey(t.data, "0", "100", "50", "2");
    SetVariableKey(t.clustered, "0", "10", "20", "3");
    SetFixedKey(t.nonClustered[0], "0", "4");
    const TableEstimate r = RunEstimates(t, engine);
    ASSERT_EQ(r.failure, RunMessage::None);
    // The last key was all fixed: kind and fixed bytes are its, the rest the clustered key's.
    EXPECT_EQ(engine.Record().ColumnKind, 1);
    EXPECT_EQ(engine.Record().FixedBytes, 4);
    EXPECT_EQ(engine.Record().VariableBytes, 20);
    EXPECT_EQ(engine.Record().VariableColumns, 3);
}

TEST(RunEstimatesTest, NoneSectionsGiveZeroFiguresAndAddNothing)
{
    basSQLSIZE engine;
    TableDescription t = PlainTable();
    t.rowCount = "100000";
    SetFixedKey(t.nonClustered[0], "0", "4");
    SetFixedKey(t.nonClustered[2], "0", "4");
    const TableEstimate r = RunEstimates(t, engine);
    ASSERT_EQ(r.failure, RunMessage::None);
    ASSERT_TRUE(r.clustered.has_value());
    EXPECT_FALSE(r.clustered->present);
    EXPECT_EQ(r.clustered->pages, 0);
    ASSERT_EQ(r.nonClustered.size(), 3u);
    EXPECT_FALSE(r.nonClustered[1].present);
    EXPECT_EQ(r.nonClustered[1].pages, 0);
    EXPECT_EQ(r.nonClustered[1].levels[0], 0);
    EXPECT_EQ(r.nonClustered[0].pages, 552);
    EXPECT_EQ(r.nonClustered[2].pages, 552);
    ASSERT_TRUE(r.totals.has_value());
    EXPECT_EQ(r.totals->clusteredPages, 0);
    EXPECT_EQ(r.totals->nonClusteredPages, 1104);
    EXPECT_EQ(r.totals->totalPages, r.data->pages + 1104);
}

TEST(RunEstimatesTest, TotalsOfDataClusteredAndOneIndex)
{
    // 1000 data pages, a clustered index of 10 pages and one index of 50.
    basSQLSIZE engine;
    TableDescription t = PlainTable();
    t.rowCount = "7000";
    t.data.allFixedBytes = "251";
    SetFixedKey(t.clustered, "0", "13");
    SetFixedKey(t.nonClustered[0], "0", "7");
    const TableEstimate r = RunEstimates(t, engine);
    ASSERT_EQ(r.failure, RunMessage::None);
    EXPECT_EQ(r.data->pages, 1000);
    EXPECT_EQ(r.clustered->pages, 10);
    EXPECT_EQ(r.nonClustered[0].pages, 50);
    EXPECT_EQ(r.totals->clusteredPages, 10);
    EXPECT_EQ(r.totals->nonClusteredPages, 50);
    EXPECT_EQ(r.totals->totalPages, 1060);
    EXPECT_EQ(r.totals->tableBytes, 2170880);
}

TEST(RunEstimatesTest, TotalsBeyond32BitsAreExact)
{
    basSQLSIZE engine;
    TableDescription t = PlainTable();
    t.rowCount = "2,000,000,000";
    SetVariableKey(t.data, "0", "1000", "962", "250"); // 0 rows per page: twice the rows
    SetFixedKey(t.nonClustered[0], "100", "1");      // 8-byte leaf rows, 252 per page
    ASSERT_EQ(ValidateInputs(t), RunMessage::None);
    ASSERT_EQ(CheckConversions(t), RunMessage::None);
    const TableEstimate r = RunEstimates(t, engine);
    ASSERT_EQ(r.failure, RunMessage::None);
    EXPECT_EQ(r.data->pages, 4'000'000'000);
    const WideCount index = r.nonClustered[0].pages;
    EXPECT_GT(index, 7'936'507); // at least the leaf pages
    EXPECT_EQ(r.totals->nonClusteredPages, index);
    EXPECT_EQ(r.totals->totalPages, 4'000'000'000 + index);
    EXPECT_EQ(r.totals->tableBytes, (4'000'000'000 + index) * 2048);
}

TEST(RunEstimatesTest, ManyIndexesAllCount)
{
    basSQLSIZE engine;
    TableDescription t = PlainTable();
    t.rowCount = "100000";
    t.nonClustered.resize(249);
    for (SectionDescription& s : t.nonClustered)
        SetFixedKey(s, "0", "4");
    ASSERT_EQ(ValidateInputs(t), RunMessage::None);
    const TableEstimate r = RunEstimates(t, engine);
    ASSERT_EQ(r.failure, RunMessage::None);
    ASSERT_EQ(r.nonClustered.size(), 249u);
    EXPECT_EQ(r.totals->nonClusteredPages, 249 * 552);
}

struct FailureRow {
    const char* name;
    std::function<void(TableDescription&)> change;
    RunMessage failure;
    bool data;
    bool clustered;
    std::size_t finishedIndexes;
};

class PartialResultTest : public ::testing::TestWithParam<FailureRow> {};

TEST_P(PartialResultTest, KeepsFinishedSectionsOnly)
{
    const FailureRow& row = GetParam();
    TableDescription t = PlainTable();
    SetFixedKey(t.clustered, "0", "4");
    for (SectionDescription& s : t.nonClustered)
        SetFixedKey(s, "0", "4");
    row.change(t);
    ASSERT_EQ(ValidateInputs(t), RunMessage::None);
    ASSERT_EQ(CheckConversions(t), RunMessage::None);
    basSQLSIZE engine;
    const TableEstimate r = RunEstimates(t, engine);
    EXPECT_EQ(r.failure, row.failure);
    EXPECT_EQ(r.data.has_value(), row.data);
    EXPECT_EQ(r.clustered.has_value(), row.clustered);
    EXPECT_EQ(r.nonClustered.size(), row.finishedIndexes);
    EXPECT_FALSE(r.totals.has_value());
}

const std::vector<FailureRow> kFailureRows{
        // A pasted negative byte count makes a row of 0 bytes: division by zero.
        FailureRow{"DataFails", [](TableDescription& t) { t.data.allFixedBytes = "-2"; }, M::DataFailed, false, false, 0},
        // 705-byte key rows leave 0 rows per page.
        FailureRow{"ClusteredFails", [](TableDescription& t) { t.clustered.allFixedBytes = "700"; }, M::ClusteredFailed, true, false, 0},
        // A fill factor of 1 leaves room for leaf rows of 20 bytes at most.
        FailureRow{"SecondIndexFails", [](TableDescription& t) { SetFixedKey(t.nonClustered[1], "1", "100"); }, M::NonClusteredFailed, true, true, 1},
        FailureRow{"ThirdIndexFails", [](TableDescription& t) { SetFixedKey(t.nonClustered[2], "1", "100"); }, M::NonClusteredFailed, true, true, 2},
};

INSTANTIATE_TEST_SUITE_P(Failures, PartialResultTest, ::testing::ValuesIn(kFailureRows), RowName());

TEST(RunEstimatesTest, RefusesTextsThatDoNotFitWithoutEstimating)
{
    basSQLSIZE engine;
    TableDescription t = PlainTable();
    t.rowCount = "1e12";
    const TableEstimate r = RunEstimates(t, engine);
    EXPECT_EQ(r.failure, RunMessage::InputInvalid);
    EXPECT_FALSE(r.data.has_value());
    EXPECT_EQ(engine.Record().RowCount, 0);
}

} // namespace
} // namespace quorvel
