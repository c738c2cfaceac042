// Runs the three estimates over boundary values and random values of every
// input, including the ones validation never lets through, and checks what
// must hold whatever the inputs. Meant above all to run under the sanitizers.

#include "engine/basSQLSIZE.h"

#include <gtest/gtest.h>

#include <numeric>
#include <random>
#include <vector>

namespace quorvel::testing {
namespace {

const std::vector<std::int16_t> kShortEdges{-32768, -32767, -2017, -2016, -257,  -256,  -9,   -7,  -5,
                                            -2,     -1,     0,     1,     2,     5,     7,    255, 256,
                                            1962,   2014,   2016,  2017,  32760, 32766, 32767};
const std::vector<std::int32_t> kRowEdges{INT32_MIN, INT32_MIN + 1, -1000,         -1,       0,
                                          1,         1000,          INT32_MAX - 1, INT32_MAX};
const std::vector<std::int32_t> kFillEdges{INT32_MIN, -100, -1, 0, 1, 5, 50, 99, 100, 101, INT32_MAX};
const std::vector<WideCount> kPageEdges{INT64_MIN, -4294967296, INT32_MIN, -1,         0,
                                        1,         49284,       INT32_MAX, 4294967294, INT64_MAX};

WideCount SumOfLevels(const EstimationRecord& r) {
    return std::accumulate(r.LevelPages.begin(), r.LevelPages.end(), WideCount{0});
}

void CheckDataPages(basSQLSIZE& engine) {
    const EstimationRecord& r = engine.Record();
    if (!engine.CalcDataPages())
        return; // a run shows nothing of a failed estimate
    EXPECT_LE(r.DataRowsPerPage, 256);
    if (r.DataRowSize > 2016) {
        EXPECT_EQ(r.DataRowsPerPage, 0);
        EXPECT_EQ(r.DataPages, 2 * WideCount{r.RowCount});
    } else if (r.DataRowsPerPage > 0 && r.RowCount >= 0) {
        EXPECT_GE(r.DataPages * r.DataRowsPerPage, r.RowCount);
        EXPECT_LT((r.DataPages - 1) * r.DataRowsPerPage, r.RowCount);
    }
}

void CheckClustered(basSQLSIZE& engine, std::int32_t fillFactor) {
    const EstimationRecord& r = engine.Record();
    if (!engine.CalcClusteredIndex(fillFactor))
        return;
    EXPECT_GE(r.ClusteredRowsPerPage, 0);
    EXPECT_LE(r.ClusteredRowsPerPage, fillFactor == 100 ? 256 : 254);
    EXPECT_EQ(r.ClusteredPages, SumOfLevels(r));
}

void CheckNonClustered(basSQLSIZE& engine, std::int32_t fillFactor) {
    const EstimationRecord& r = engine.Record();
    if (!engine.CalcNonClusteredIndex(fillFactor))
        return;
    EXPECT_GE(r.LeafRowsPerPage, 0);
    EXPECT_LE(r.LeafRowsPerPage, 256);
    EXPECT_GE(r.NonLeafRowsPerPage, 0);
    EXPECT_LE(r.NonLeafRowsPerPage, fillFactor == 100 ? 256 : 254);
    EXPECT_EQ(r.NonLeafRowSize, r.LeafRowSize + 4);
    EXPECT_EQ(r.LevelPages[0], r.LeafPages);
    EXPECT_EQ(r.NonClusteredPages, SumOfLevels(r));
}

void LoadKey(EstimationRecord& r, std::int16_t kind, std::int16_t fixed, std::int16_t variable,
             std::int16_t columns) {
    r.ColumnKind = kind;
    r.FixedBytes = fixed;
    r.VariableBytes = variable;
    r.VariableColumns = columns;
}

TEST(EngineSweep, BoundaryValuesOfEveryInput) {
    basSQLSIZE engine;
    EstimationRecord& r = engine.Record();
    for (const std::int16_t kind : {std::int16_t{1}, std::int16_t{2}})
        for (const std::int16_t fixed : kShortEdges)
            for (const std::int16_t variable : kShortEdges)
                for (const std::int16_t columns : {std::int16_t{-32768}, std::int16_t{-1}, std::int16_t{0},
                                                   std::int16_t{250}, std::int16_t{32767}}) {
                    LoadKey(r, kind, fixed, variable, columns);
                    for (const std::int32_t rows : kRowEdges) {
                        r.RowCount = rows;
                        CheckDataPages(engine);
                    }
                    for (const std::int32_t fill : kFillEdges) {
                        for (const WideCount dataPages : kPageEdges) {
                            r.DataPages = dataPages;
                            CheckClustered(engine, fill);
                        }
                        for (const std::int32_t rows : kRowEdges) {
                            r.RowCount = rows;
                            CheckNonClustered(engine, fill);
                        }
                    }
                }
}

TEST(EngineSweep, RandomValuesOverFullRanges) {
    std::mt19937_64 random(20240613);
    std::uniform_int_distribution<std::int32_t> anyShort(INT16_MIN, INT16_MAX);
    std::uniform_int_distribution<std::int32_t> smallShort(-300, 2100);
    std::uniform_int_distribution<std::int32_t> any32(INT32_MIN, INT32_MAX);
    std::uniform_int_distribution<std::int32_t> fill(-10, 110);
    std::uniform_int_distribution<WideCount> anyWide(INT64_MIN, INT64_MAX);
    std::uniform_int_distribution<int> coin(0, 3); // 0 picks an extreme value

    basSQLSIZE engine;
    EstimationRecord& r = engine.Record();
    const auto pickShort = [&] {
        return static_cast<std::int16_t>(coin(random) == 0 ? anyShort(random) : smallShort(random));
    };
    for (int i = 0; i < 200000; ++i) {
        LoadKey(r, static_cast<std::int16_t>(coin(random) == 0 ? anyShort(random) : 1 + coin(random) % 2),
                pickShort(), pickShort(), pickShort());
        r.RowCount = coin(random) == 0 ? any32(random) : static_cast<std::int32_t>(smallShort(random)) * 1000;
        const std::int32_t fillFactor = coin(random) == 0 ? any32(random) : fill(random);
        CheckDataPages(engine);
        if (coin(random) == 0)
            r.DataPages = anyWide(random);
        CheckClustered(engine, fillFactor);
        CheckNonClustered(engine, fillFactor);
    }
}

} // namespace
} // namespace quorvel::testing
