// Data-page estimate: row size, rows per page and pages for each kind of row,
// including the values it leaves behind when it fails.

#include "EngineTestSupport.h"

#include <gtest/gtest.h>

#include <limits>

namespace quorvel::test {
namespace {

constexpr std::int32_t kMinRows = std::numeric_limits<std::int32_t>::min();
constexpr std::int32_t kMaxRows = std::numeric_limits<std::int32_t>::max();

struct DataCase {
    const char* name;
    Columns columns;
    std::int32_t rowCount;
    bool succeeds;
    std::int16_t rowSize;
    std::int16_t rowsPerPage;
    WideCount pages;
};

class DataPagesTest : public ::testing::TestWithParam<DataCase> {};

TEST_P(DataPagesTest, WritesRowSizeRowsPerPageAndPages) {
    const DataCase& c = GetParam();
    basSQLSIZE engine;
    EstimationRecord& record = engine.Record();
    // Stale outputs of an earlier run must not survive the estimate.
    record.DataRowSize = 999;
    record.DataRowsPerPage = 99;
    record.DataPages = 9999;
    LoadColumns(record, c.columns);
    record.RowCount = c.rowCount;

    EXPECT_EQ(engine.CalcDataPages(), c.succeeds);
    EXPECT_EQ(record.DataRowSize, c.rowSize);
    EXPECT_EQ(record.DataRowsPerPage, c.rowsPerPage);
    EXPECT_EQ(record.DataPages, c.pages);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Rows, DataPagesTest,
    ::testing::Values(
        // Worked values.
        DataCase{"Fixed100Bytes10000Rows", Fixed(100), 10000, true, 102, 19, 527},
        DataCase{"Variable100Plus50In2Columns", Variable(100, 50, 2), 1000, true, 158, 12, 84},
        DataCase{"VariableRowLargerThanPage", Variable(1000, 962, 250), 1000, true, 2225, 0, 2000},
        DataCase{"EmptyFixedRowCappedAt256", Fixed(0), 1000, true, 2, 256, 4},
        // Page boundaries.
        DataCase{"NoRowsNoPages", Fixed(100), 0, true, 102, 19, 0},
        DataCase{"NoRowsLargeRowNoPages", Fixed(2015), 0, true, 2017, 0, 0},
        DataCase{"RowOf2016FillsOnePage", Fixed(2014), 777, true, 2016, 1, 777},
        DataCase{"RowOf2017TakesTwoPages", Fixed(2015), 777, true, 2017, 0, 1554},
        DataCase{"RowOf7Capped", Fixed(5), 512, true, 7, 256, 2},
        DataCase{"RowOf8NotCapped", Fixed(6), 253, true, 8, 252, 2},
        DataCase{"ExactMultipleNoExtraPage", Fixed(100), 1900, true, 102, 19, 100},
        DataCase{"OneRowMoreOneMorePage", Fixed(100), 1901, true, 102, 19, 101},
        // The adjust-table term steps at 256 and 512 bytes of subtotal.
        DataCase{"Subtotal255", Variable(0, 253, 0), 100, true, 259, 7, 15},
        DataCase{"Subtotal256", Variable(0, 254, 0), 100, true, 261, 7, 15},
        DataCase{"Subtotal511", Variable(0, 509, 0), 100, true, 516, 3, 34},
        DataCase{"Subtotal512", Variable(0, 510, 0), 100, true, 518, 3, 34},
        // Kind 1 ignores the variable description; any kind but 1 means variable.
        DataCase{"FixedIgnoresVariableFields", {1, 100, 32767, 32767}, 10000, true, 102, 19, 527},
        DataCase{"KindZeroMeansVariable", {0, 100, 50, 2}, 1000, true, 158, 12, 84},
        DataCase{"KindNegativeMeansVariable", {-1, 100, 50, 2}, 1000, true, 158, 12, 84},
        // Negative inputs: floors toward minus infinity, the cap only from above.
        DataCase{"NegativeRowsRoundUp", Fixed(100), -1000, true, 102, 19, -52},
        DataCase{"NegativeRowsExactMultiple", Fixed(100), -38, true, 102, 19, -2},
        DataCase{"NegativeRowSize", Fixed(-10), 1000, true, -8, -252, -3},
        DataCase{"LargeNegativeRowSize", Fixed(-3000), 5, true, -2998, -1, -5},
        DataCase{"NegativeVariableSubtotal", Variable(-300, 0, 0), 100, true, -296, -7, -14},
        DataCase{"NegativeRowsLargeRow", Fixed(2015), -5, true, 2017, 0, -10},
        // Extreme row counts stay exact in the wide count.
        DataCase{"MaxRowsLargeRow", Fixed(2015), kMaxRows, true, 2017, 0, 4294967294},
        DataCase{"MinRowsLargeRow", Fixed(2015), kMinRows, true, 2017, 0, -4294967296},
        DataCase{"MinRowsNegativeDivisor", Fixed(-3000), kMinRows, true, -2998, -1, 2147483648},
        // Only the column count and the final size are 16-bit; the sum between is exact.
        DataCase{"FinalSizeBackInRange", Variable(32000, 700, -100), 3, true, 32733, 0, 6},
        // Failures and what they leave behind.
        DataCase{"FixedSizeOverflows", Fixed(32766), 10, false, 0, 0, 0},
        DataCase{"FixedSizeZeroDividesByZero", Fixed(-2), 10, false, 0, 0, 0},
        DataCase{"FixedPlusOverheadOverflows", Variable(32766, 0, 0), 10, false, 0, 0, 0},
        DataCase{"SubtotalOverflows", Variable(32000, 766, 0), 10, false, 0, 0, 0},
        DataCase{"ColumnCountOverflowKeepsSubtotal", Variable(100, 50, 32767), 10, false, 152, 0, 0},
        DataCase{"FinalSizeOverflowKeepsSubtotal", Variable(32000, 700, 0), 10, false, 32702, 0, 0},
        DataCase{"FinalSizeUnderflowKeepsSubtotal", Variable(-32768, -1, 0), 10, false, -32767, 0, 0},
        DataCase{"VariableSizeZeroDividesByZero", Variable(-6, 0, 1), 10, false, 0, 0, 0}),
    RowName{});
// clang-format on

TEST(DataPagesState, LeavesIndexOutputsAndInputsAlone) {
    basSQLSIZE engine;
    EstimationRecord& record = engine.Record();
    record.ClusteredPages = 24;
    record.LevelPages[3] = 7;
    record.NonClusteredPages = 552;
    LoadColumns(record, Fixed(100));
    record.RowCount = 10000;

    ASSERT_TRUE(engine.CalcDataPages());
    EXPECT_EQ(record.ClusteredPages, 24);
    EXPECT_EQ(record.LevelPages[3], 7);
    EXPECT_EQ(record.NonClusteredPages, 552);
    EXPECT_EQ(record.RowCount, 10000);
    EXPECT_EQ(record.FixedBytes, 100);
}

} // namespace
} // namespace quorvel::test
