// Nonclustered index estimate: leaf and non-leaf rows, the doubling walk of a
// half divisor, and what each failure leaves in the record.

#include "EngineTestSupport.h"

#include <gtest/gtest.h>

namespace quorvel::test {
namespace {

struct NonClusteredCase {
    const char* name;
    Columns key;
    std::int32_t fillFactor;
    std::int32_t rowCount;
    bool succeeds;
    std::int16_t leafRowSize;
    std::int16_t leafRowsPerPage;
    WideCount leafPages;
    std::int16_t nonLeafRowSize;
    std::int16_t nonLeafRowsPerPage;
    Levels levels;
    WideCount pages;
};

class NonClusteredIndexTest : public ::testing::TestWithParam<NonClusteredCase> {};

TEST_P(NonClusteredIndexTest, WritesLeafAndNonLeafFiguresLevelsAndTotal) {
    const NonClusteredCase& c = GetParam();
    basSQLSIZE engine;
    EstimationRecord& record = engine.Record();
    record.LevelPages = SameAtEveryLevel(77);
    record.LeafPages = 9999;
    record.NonClusteredPages = 9999;
    LoadColumns(record, c.key);
    record.RowCount = c.rowCount;
    const std::int32_t fillFactor = c.fillFactor;

    EXPECT_EQ(engine.CalcNonClusteredIndex(fillFactor), c.succeeds);
    EXPECT_EQ(record.LeafRowSize, c.leafRowSize);
    EXPECT_EQ(record.LeafRowsPerPage, c.leafRowsPerPage);
    EXPECT_EQ(record.LeafPages, c.leafPages);
    EXPECT_EQ(record.NonLeafRowSize, c.nonLeafRowSize);
    EXPECT_EQ(record.NonLeafRowsPerPage, c.nonLeafRowsPerPage);
    EXPECT_EQ(record.LevelPages, c.levels);
    EXPECT_EQ(record.NonClusteredPages, c.pages);
}

using C = NonClusteredCase;

// Doubling from the given count, with the last level left unwritten.
Levels DoublingWithoutLastLevel(std::int32_t lowest) {
    Levels levels = Doubling(lowest);
    levels.back() = 0;
    return levels;
}

// Columns: key, fill factor, rows | succeeds | leaf size, rows per page, pages |
// non-leaf size, rows per page | levels, total.
// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Keys, NonClusteredIndexTest,
    ::testing::Values(
        // Worked values.
        C{"Fixed4NoFillFactor", Fixed(4), 0, 100000, true, 11, 183, 547, 15, 132, LevelsOf({547, 4, 1}), 552},
        C{"Fixed4FullPages", Fixed(4), 100, 100000, true, 11, 183, 547, 15, 134, LevelsOf({547, 4, 1}), 552},
        C{"Fixed4HalfPages", Fixed(4), 50, 100000, true, 11, 91, 1099, 15, 132, LevelsOf({1099, 8, 1}), 1108},
        C{"VariableKey", Variable(10, 20, 2), 0, 100000, true, 43, 46, 2174, 47, 40,
          LevelsOf({2174, 54, 2, 1}), 2231},
        C{"NoRows", Fixed(4), 0, 0, true, 11, 183, 0, 15, 132, LevelsOf({0, 1}), 1},
        C{"OneRow", Fixed(4), 0, 1, true, 11, 183, 1, 15, 132, LevelsOf({1, 0, 1}), 2},
        C{"FillFactor5", Fixed(4), 5, 1000, true, 11, 9, 112, 15, 132, LevelsOf({112, 0, 1}), 113},
        C{"NonLeafRowsNegativeDoubles", Fixed(1093), 0, 10, true, 1100, 1, 10, 1104, 0, Doubling(10), 327670},
        C{"NonLeafFullPagesOneRow", Fixed(1093), 100, 10, true, 1100, 1, 10, 1104, 1,
          SameAtEveryLevel(10), 150},
        C{"LeafLargerThanPageFails", Fixed(2010), 0, 5, false, 2017, 0, 0, 0, 0, Levels{}, 0},
        // Small fill factors: F = 1 allows leaf rows of 20 bytes, F = 5 of 100 bytes.
        C{"FillFactor1Leaf20", Fixed(13), 1, 3, true, 20, 1, 3, 24, 82, LevelsOf({3, 0, 1}), 4},
        C{"FillFactor1Leaf21Fails", Fixed(14), 1, 3, false, 21, 0, 0, 0, 0, Levels{}, 0},
        C{"FillFactor5Leaf100", Fixed(93), 5, 3, true, 100, 1, 3, 104, 17, LevelsOf({3, 0, 1}), 4},
        C{"FillFactor5Leaf101Fails", Fixed(94), 5, 3, false, 101, 0, 0, 0, 0, Levels{}, 0},
        // Caps: 256 leaf rows; 254 non-leaf rows, 256 with full pages.
        C{"LeafCapAt256", Fixed(0), 0, 1280, true, 7, 256, 5, 11, 181, LevelsOf({5, 0, 1}), 6},
        C{"NonLeafCapAt254", Fixed(-4), 0, 1000, true, 3, 256, 4, 7, 254, LevelsOf({4, 0, 1}), 5},
        C{"NonLeafCapAt256", Fixed(-4), 100, 1000, true, 3, 256, 4, 7, 256, LevelsOf({4, 0, 1}), 5},
        // Failures after the leaf level keep the leaf figures.
        C{"NonLeafZeroRowsFails", Fixed(700), 0, 10, false, 707, 2, 5, 711, 0, LevelsOf({5}), 0},
        C{"FullPagesNonLeafAbovePageFails", Fixed(2006), 100, 3, false, 2013, 1, 3, 2017, 0,
          LevelsOf({3}), 0},
        C{"HalfDivisorNoRowsFails", Fixed(1093), 0, 0, false, 1100, 1, 0, 1104, 0, Levels{}, 0},
        C{"DoublingReachesLimit", Fixed(1093), 0, 131071, true, 1100, 1, 131071, 1104, 0, Doubling(131071),
          4294803457},
        C{"DoublingOverflowsAtLastLevel", Fixed(1093), 0, 131072, false, 1100, 1, 131072, 1104, 0,
          DoublingWithoutLastLevel(131072), 0},
        C{"LeafPagesBeyond32Bits", Fixed(4), -10, 1500000000, false, 11, 0, 3000000000, 15, 132, Levels{}, 0},
        C{"NonLeafSizeOverflows", Fixed(32760), -100, 10, false, 32767, 0, 20, 0, 0, Levels{}, 0},
        C{"LeafSizeZeroDividesByZero", Fixed(-7), 0, 10, false, 0, 0, 0, 0, 0, Levels{}, 0},
        C{"LeafSizeOverflows", Fixed(32761), 0, 10, false, 0, 0, 0, 0, 0, Levels{}, 0},
        C{"VariableTailOverflowKeepsSubtotal", Variable(32000, 700, 0), 0, 10, false, 32710, 0, 0, 0, 0,
          Levels{}, 0},
        C{"ColumnCountOverflows", Variable(0, 0, 32767), 0, 10, false, 0, 0, 0, 0, 0, Levels{}, 0},
        // Negative inputs.
        C{"NegativeFillFactorHalvesLeafDivisor", Fixed(4), -10, 100, true, 11, 0, 200, 15, 132,
          LevelsOf({200, 2, 1}), 203},
        C{"NegativeRowsRoundUpToZero", Fixed(4), 0, -100, true, 11, 183, 0, 15, 132, LevelsOf({0, 1}), 1},
        C{"NegativeRows", Fixed(4), 0, -1000, true, 11, 183, -5, 15, 132, LevelsOf({-5, -1, 1}), -5},
        C{"NegativeLeafRowSize", Fixed(-20), 0, 3, true, -13, 0, 6, -9, 0, Doubling(6), 196602}),
    RowName{});
// clang-format on

TEST(NonClusteredIndexState, ReadsOnlyRowCountNotEarlierEstimates) {
    basSQLSIZE engine;
    EstimationRecord& record = engine.Record();
    record.DataPages = 123456;
    record.ClusteredPages = 24;
    LoadColumns(record, Fixed(4));
    record.RowCount = 100000;

    ASSERT_TRUE(engine.CalcNonClusteredIndex(0));
    EXPECT_EQ(record.NonClusteredPages, 552);
    EXPECT_EQ(record.DataPages, 123456);
    EXPECT_EQ(record.ClusteredPages, 24);
}

TEST(NonClusteredIndexState, SecondIndexStartsFromClearedLevels) {
    basSQLSIZE engine;
    EstimationRecord& record = engine.Record();
    LoadColumns(record, Fixed(1093));
    record.RowCount = 10;
    ASSERT_TRUE(engine.CalcNonClusteredIndex(0));
    ASSERT_EQ(record.LevelPages[14], 163840);

    LoadColumns(record, Fixed(4));
    ASSERT_TRUE(engine.CalcNonClusteredIndex(0));
    EXPECT_EQ(record.LevelPages, LevelsOf({1, 0, 1}));
    EXPECT_EQ(record.NonClusteredPages, 2);
}

} // namespace
} // namespace quorvel::test
