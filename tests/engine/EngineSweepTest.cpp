// Runs the three estimates over boundary values and random values of every
// input, including the ones validation never lets through, and checks what
// must hold whatever the inputs. Meant above all to run under the sanitizers.

#include "CaseRows.h"
#include "engine/basSQLSIZE.h"

#include <numeric>
#include <random>
#include <vector>

namespace quorvel::testing {
namespace {

// The boundary values of an input, from the "sweep" row of engine_rows.json.
template <typename T> std::vector<T> Edges(const char* input) {
    static const nlohmann::json edges = LoadRows("engine_rows.json", "sweep").at(0).data;
    return edges.at(input).get<std::vector<T>>();
}

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
    for (const std::int16_t kind : Edges<std::int16_t>("kinds"))
        for (const std::int16_t fixed : Edges<std::int16_t>("bytes"))
            for (const std::int16_t variable : Edges<std::int16_t>("bytes"))
                for (const std::int16_t columns : Edges<std::int16_t>("variableColumns")) {
                    LoadKey(r, kind, fixed, variable, columns);
                    for (const std::int32_t rows : Edges<std::int32_t>("rowCounts")) {
                        r.RowCount = rows;
                        CheckDataPages(engine);
                    }
                    for (const std::int32_t fill : Edges<std::int32_t>("fillFactors")) {
                        for (const WideCount dataPages : Edges<WideCount>("dataPages")) {
                            r.DataPages = dataPages;
                            CheckClustered(engine, fill);
                        }
                        for (const std::int32_t rows : Edges<std::int32_t>("rowCounts")) {
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
