// The three page estimates and their level walk over the rows of
// engine_rows.json: every output of an estimate that succeeds, and only the
// failure of one that fails (a run shows nothing of a failed section, so what
// it leaves in the record is nobody's business). Outputs of an earlier
// estimate are planted first, so an estimate that forgets to clear its own or
// touches another's shows up.

#include "CaseRows.h"
#include "engine/basSQLSIZE.h"

#include <algorithm>

namespace quorvel::testing {
namespace {

using Levels = std::array<std::int32_t, kLevelCount>;

void LoadKey(EstimationRecord& r, const nlohmann::json& key) {
    r.ColumnKind = key.at(0).get<std::int16_t>();
    r.FixedBytes = key.at(1).get<std::int16_t>();
    r.VariableBytes = key.at(2).get<std::int16_t>();
    r.VariableColumns = key.at(3).get<std::int16_t>();
}

// Whether the estimate should succeed; a row of a failure states no figures.
bool Succeeds(const nlohmann::json& row) {
    const bool ok = row.at("ok").get<bool>();
    EXPECT_EQ(row.contains("levels") || row.contains("pages"), ok) << "figures belong to a row that succeeds";
    return ok;
}

Levels LevelsOf(const nlohmann::json& row) {
    Levels levels{};
    std::ranges::copy(row.at("levels").get<std::vector<std::int32_t>>(), levels.begin());
    return levels;
}

// Stale figures of every estimate, as a run before this one leaves them.
void PlantStaleOutputs(EstimationRecord& r) {
    r.DataRowSize = r.DataRowsPerPage = r.ClusteredRowSize = r.ClusteredRowsPerPage = 99;
    r.LeafRowSize = r.LeafRowsPerPage = r.NonLeafRowSize = r.NonLeafRowsPerPage = 99;
    r.ClusteredPages = r.LeafPages = r.NonClusteredPages = 9999;
    r.LevelPages.fill(77);
}

// One estimate over a row: stale outputs planted, the row's key loaded.
class Estimate : public ::testing::TestWithParam<CaseRow> {
protected:
    void SetUp() override {
        PlantStaleOutputs(r);
        LoadKey(r, row.at("key"));
    }
    const nlohmann::json& row = GetParam().data;
    basSQLSIZE engine;
    EstimationRecord& r = engine.Record();
    const bool ok = Succeeds(row);
};

class DataPages : public Estimate {};

TEST_P(DataPages, Figures) {
    r.DataPages = 9999;
    r.RowCount = row.at("rowCount").get<std::int32_t>();
    ASSERT_EQ(engine.CalcDataPages(), ok);
    // The index figures belong to other estimates.
    EXPECT_EQ(r.ClusteredPages, 9999);
    EXPECT_EQ(r.NonClusteredPages, 9999);
    EXPECT_EQ(r.LevelPages[3], 77);
    if (!ok)
        return;
    EXPECT_EQ(r.DataRowSize, row.at("rowSize").get<std::int16_t>());
    EXPECT_EQ(r.DataRowsPerPage, row.at("rowsPerPage").get<std::int16_t>());
    EXPECT_EQ(r.DataPages, row.at("pages").get<WideCount>());
}

class ClusteredIndex : public Estimate {};

TEST_P(ClusteredIndex, Figures) {
    r.DataPages = row.at("dataPages").get<WideCount>();
    ASSERT_EQ(engine.CalcClusteredIndex(row.at("fillFactor").get<std::int32_t>()), ok);
    EXPECT_EQ(r.DataRowSize, 99);
    EXPECT_EQ(r.LeafPages, 9999);
    if (!ok)
        return;
    EXPECT_EQ(r.ClusteredRowSize, row.at("rowSize").get<std::int16_t>());
    EXPECT_EQ(r.ClusteredRowsPerPage, row.at("rowsPerPage").get<std::int16_t>());
    EXPECT_EQ(r.LevelPages, LevelsOf(row));
    EXPECT_EQ(r.ClusteredPages, row.at("pages").get<WideCount>());
}

class NonClusteredIndex : public Estimate {};

TEST_P(NonClusteredIndex, Figures) {
    r.DataPages = 123456; // never read by this estimate
    r.RowCount = row.at("rowCount").get<std::int32_t>();
    ASSERT_EQ(engine.CalcNonClusteredIndex(row.at("fillFactor").get<std::int32_t>()), ok);
    EXPECT_EQ(r.ClusteredPages, 9999);
    if (!ok)
        return;
    EXPECT_EQ(r.LeafRowSize, row.at("leafRowSize").get<std::int16_t>());
    EXPECT_EQ(r.LeafRowsPerPage, row.at("leafRowsPerPage").get<std::int16_t>());
    EXPECT_EQ(r.LeafPages, row.at("leafPages").get<WideCount>());
    EXPECT_EQ(r.NonLeafRowSize, row.at("nonLeafRowSize").get<std::int16_t>());
    EXPECT_EQ(r.NonLeafRowsPerPage, row.at("nonLeafRowsPerPage").get<std::int16_t>());
    EXPECT_EQ(r.LevelPages, LevelsOf(row));
    EXPECT_EQ(r.NonClusteredPages, row.at("pages").get<WideCount>());
}

// The walk alone: a lowest level, a divisor in rows (whole or a half), the base.
class Walk : public ::testing::TestWithParam<CaseRow> {};

TEST_P(Walk, Levels) {
    const nlohmann::json& row = GetParam().data;
    basSQLSIZE engine;
    EstimationRecord& r = engine.Record();
    r.LevelPages[0] = row.at("lowest").get<std::int32_t>();
    const auto halves = static_cast<std::int64_t>(2 * row.at("divisor").get<double>());
    const bool ok = Succeeds(row);
    ASSERT_EQ(engine.WalkLevels(halves, row.at("base").get<WideCount>()), ok);
    if (ok) {
        EXPECT_EQ(r.LevelPages, LevelsOf(row));
    }
}

INSTANTIATE_TEST_SUITE_P(Rows, DataPages, ::testing::ValuesIn(LoadRows("engine_rows.json", "data")),
                         RowName());
INSTANTIATE_TEST_SUITE_P(Rows, ClusteredIndex, ::testing::ValuesIn(LoadRows("engine_rows.json", "clustered")),
                         RowName());
INSTANTIATE_TEST_SUITE_P(Rows, NonClusteredIndex,
                         ::testing::ValuesIn(LoadRows("engine_rows.json", "nonClustered")), RowName());
INSTANTIATE_TEST_SUITE_P(Rows, Walk, ::testing::ValuesIn(LoadRows("engine_rows.json", "walk")), RowName());

} // namespace
} // namespace quorvel::testing
