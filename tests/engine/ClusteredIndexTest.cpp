// Clustered index estimate and the level walk: every way the walk can end,
// fill factors, and what a failure leaves in the record.

#include "EngineTestSupport.h"

#include <gtest/gtest.h>

#include <limits>

namespace quorvel::test {
namespace {

constexpr std::int32_t kMinFill = std::numeric_limits<std::int32_t>::min();
constexpr std::int32_t kMaxFill = std::numeric_limits<std::int32_t>::max();
constexpr WideCount kMinWide = std::numeric_limits<WideCount>::min();

struct ClusteredCase {
    const char* name;
    Columns key;
    std::int32_t fillFactor;
    WideCount dataPages;
    bool succeeds;
    std::int16_t rowSize;
    std::int16_t rowsPerPage;
    Levels levels;
    WideCount pages;
};

class ClusteredIndexTest : public ::testing::TestWithParam<ClusteredCase> {};

TEST_P(ClusteredIndexTest, WritesRowSizeRowsPerPageLevelsAndTotal) {
    const ClusteredCase& c = GetParam();
    basSQLSIZE engine;
    EstimationRecord& record = engine.Record();
    // Levels of an index estimated before must be cleared, whatever happens.
    record.LevelPages = SameAtEveryLevel(77);
    record.ClusteredPages = 9999;
    LoadColumns(record, c.key);
    record.DataPages = c.dataPages;
    const std::int32_t fillFactor = c.fillFactor;

    EXPECT_EQ(engine.CalcClusteredIndex(fillFactor), c.succeeds);
    EXPECT_EQ(fillFactor, c.fillFactor);
    EXPECT_EQ(record.ClusteredRowSize, c.rowSize);
    EXPECT_EQ(record.ClusteredRowsPerPage, c.rowsPerPage);
    EXPECT_EQ(record.LevelPages, c.levels);
    EXPECT_EQ(record.ClusteredPages, c.pages);
    EXPECT_EQ(record.DataPages, c.dataPages);
}

using C = ClusteredCase;

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Keys, ClusteredIndexTest,
    ::testing::Values(
        // Worked values.
        C{"Fixed4NoFillFactor", Fixed(4), 0, 5264, true, 9, 222, LevelsOf({23, 0, 1}), 24},
        C{"Fixed4FullPages", Fixed(4), 100, 5264, true, 9, 224, LevelsOf({23, 0, 1}), 24},
        C{"Fixed4HalfPages", Fixed(4), 50, 5264, true, 9, 110, LevelsOf({47, 0, 1}), 48},
        C{"MillionDataPages", Fixed(4), 0, 1000000, true, 9, 222, LevelsOf({4504, 20, 1}), 4525},
        C{"SquareOfRowsPerPage", Fixed(4), 0, 49284, true, 9, 222, LevelsOf({222, 1}), 223},
        C{"SquarePlusOne", Fixed(4), 0, 49285, true, 9, 222, LevelsOf({222, 2, 1}), 225},
        C{"NoDataPages", Fixed(4), 0, 0, true, 9, 222, LevelsOf({0, 1}), 1},
        C{"VariableKey", Variable(10, 20, 2), 0, 5264, true, 41, 47, LevelsOf({112, 2}), 114},
        C{"NegativeRowsPerPage", Fixed(1100), 0, 500, true, 1105, 0, SameAtEveryLevel(500), 7500},
        C{"OneRowPerPage", Fixed(667), 0, 10, true, 672, 1, SameAtEveryLevel(10), 150},
        C{"ZeroRowsPerPageFails", Fixed(700), 0, 500, false, 705, 0, Levels{}, 0},
        // The ways the walk ends at the top (with SquarePlusOne and SquareOfRowsPerPage above).
        C{"RemainderTopKeptExtraPage", Fixed(4), 0, 2221, true, 9, 222, LevelsOf({10, 0, 1}), 11},
        C{"NoRemainderEmptyTopBecomesOne", Fixed(4), 0, 2220, true, 9, 222, LevelsOf({10, 1}), 11},
        C{"ExactCubeTopAtLevelTwo", Fixed(4), 0, 10941048, true, 9, 222, LevelsOf({49284, 222, 1}), 49507},
        C{"CubePlusOne", Fixed(4), 0, 10941049, true, 9, 222, LevelsOf({49284, 222, 2, 1}), 49509},
        // Fill factors.
        C{"FillFactor75", Fixed(4), 75, 5264, true, 9, 166, LevelsOf({31, 0, 1}), 32},
        C{"FillFactor10", Fixed(4), 10, 5264, true, 9, 20, LevelsOf({263, 13, 1}), 277},
        C{"FullPagesCapAt256", Fixed(0), 100, 1000, true, 5, 256, LevelsOf({3, 0, 1}), 4},
        C{"ReserveCapAt254", Fixed(0), 0, 1000, true, 5, 254, LevelsOf({3, 0, 1}), 4},
        C{"FillFactor1LeavesNoRows", Fixed(4), 1, 5264, false, 9, 0, Levels{}, 0},
        C{"NegativeFillFactor", Fixed(4), -50, 3, true, 9, 0, SameAtEveryLevel(3), 45},
        C{"HugeFillFactorCapped", Fixed(4), kMaxFill, 5264, true, 9, 254, LevelsOf({20, 0, 1}), 21},
        C{"HugeNegativeFillFactorFails", Fixed(4), kMinFill, 5264, false, 9, 0, Levels{}, 0},
        // Walks that reach the last levels: two rows per page halve each level.
        C{"TopAtLevel13UsesLastLevel", Fixed(400), 0, 32767, true, 405, 2,
          {16383, 8191, 4095, 2047, 1023, 511, 255, 127, 63, 31, 15, 7, 3, 2, 1}, 32754},
        C{"AllLevelsFilledNoTop", Fixed(400), 0, 65536, true, 405, 2,
          {32768, 16384, 8192, 4096, 2048, 1024, 512, 256, 128, 64, 32, 16, 8, 4, 2}, 65534},
        C{"TopAtLevel14Fails", Fixed(400), 0, 40000, false, 405, 2,
          {20000, 10000, 5000, 2500, 1250, 625, 312, 156, 78, 39, 19, 9, 4, 2, 1}, 0},
        // Counts at the 32-bit limit and below zero.
        C{"LargestLevelCount", Fixed(1100), 0, 2147483647, true, 1105, 0, SameAtEveryLevel(2147483647),
          32212254705},
        C{"LevelCountOverflows", Fixed(1100), 0, 2147483648, false, 1105, 0, Levels{}, 0},
        C{"BaseTooLargeAtTop", Fixed(4), 0, 3000000000, false, 9, 222,
          LevelsOf({13513513, 60871, 274, 1}), 0},
        C{"NegativeBaseStopsAtOnce", Fixed(4), 0, -52, true, 9, 222, LevelsOf({-1, -1, 1}), -1},
        C{"NegativeBaseWithDivisorOne", Fixed(1100), 0, -5, true, 1105, 0, LevelsOf({-5, -5}), -10},
        C{"LowestWideCountFails", Fixed(1100), 0, kMinWide, false, 1105, 0, Levels{}, 0},
        // Row size failures keep what was written before them.
        C{"KeySizeOverflows", Fixed(32763), 0, 10, false, 0, 0, Levels{}, 0},
        C{"KeySizeZeroDividesByZero", Fixed(-5), 0, 10, false, 0, 0, Levels{}, 0},
        C{"VariableTailOverflowKeepsSubtotal", Variable(32000, 700, 0), 0, 10, false, 32705, 0, Levels{}, 0}),
    RowName{});
// clang-format on

TEST(ClusteredIndexState, LeavesDataAndNonClusteredOutputsAlone) {
    basSQLSIZE engine;
    EstimationRecord& record = engine.Record();
    record.DataRowSize = 102;
    record.LeafPages = 547;
    record.NonClusteredPages = 552;
    LoadColumns(record, Fixed(4));
    record.DataPages = 5264;

    ASSERT_TRUE(engine.CalcClusteredIndex(0));
    EXPECT_EQ(record.DataRowSize, 102);
    EXPECT_EQ(record.LeafPages, 547);
    EXPECT_EQ(record.NonClusteredPages, 552);
}

} // namespace
} // namespace quorvel::test
