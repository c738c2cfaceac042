// Properties of the calculation of a table over many generated descriptions,
// valid and not: what the checks refuse is what the run refuses, at the same
// value; the totals are the sums of the figures shown; a structure's pages are
// its levels; one estimator used for many tables answers as a fresh one; and
// more rows never take fewer pages.

#include "calc/TableEstimate.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <numeric>
#include <random>
#include <string>

namespace quorvel::testing {
namespace {

class Generator {
public:
    explicit Generator(unsigned seed) : m_random(seed) {}

    int Below(int n) { return static_cast<int>(m_random() % static_cast<unsigned>(n)); }

    // Mostly a small count, sometimes one near or past a limit, rarely not a number.
    std::string Count(int usual) {
        switch (Below(12)) {
        case 0:
            return std::to_string(1900 + Below(100));
        case 1:
            return std::to_string(240 + Below(20));
        case 2:
            return Below(2) == 0 ? "x" : "-40000";
        case 3:
            return "1," + std::to_string(100 + Below(900));
        default:
            return std::to_string(Below(usual));
        }
    }

    SectionDescription Section(bool index) {
        SectionDescription s;
        const int mode = Below(index ? 3 : 2);
        s.mode = index && mode == 2 ? KeyMode::None : mode == 0 ? KeyMode::AllFixed : KeyMode::WithVariable;
        const int fill = Below(20);
        s.fillFactor = fill == 0 ? "101" : fill == 1 ? "" : fill < 8 ? "0" : std::to_string(Below(101));
        s.allFixedBytes = Count(300);
        s.fixedBytes = Count(300);
        s.variableBytes = Count(300);
        s.variableColumns = Count(6);
        return s;
    }

    TableDescription Table() {
        TableDescription t;
        const int rows = Below(10);
        t.rowCount = rows == 0 ? "1e12" : rows == 1 ? "0" : std::to_string(m_random() % 3'000'000);
        t.data = Section(false);
        t.clustered = Section(true);
        t.nonClustered.resize(static_cast<std::size_t>(Below(6)));
        for (SectionDescription& s : t.nonClustered)
            s = Section(true);
        return t;
    }

private:
    std::mt19937 m_random;
};

// Every figure of an estimate, to compare two estimates as a whole: the
// failure and its place always, the rest as far as it was estimated.
nlohmann::json Figures(const TableEstimate& e) {
    nlohmann::json figures{{"failure", MessageText(e.failure)},
                           {"where", {e.where.section, e.where.index, e.where.field, e.where.second}}};
    if (e.data)
        figures["data"] = {e.data->DataRowSize, e.data->DataRowsPerPage, e.data->DataPages};
    if (e.clustered)
        figures["clustered"] = {e.clustered->present, e.clustered->ClusteredRowSize,
                                e.clustered->ClusteredRowsPerPage, e.clustered->ClusteredPages,
                                e.clustered->levels};
    for (const NonClusteredEstimate& f : e.nonClustered)
        figures["index"].push_back({f.present, f.LeafRowSize, f.LeafRowsPerPage, f.LeafPages,
                                    f.NonLeafRowSize, f.NonLeafRowsPerPage, f.NonClusteredPages, f.levels});
    if (e.totals)
        figures["totals"] = {e.totals->clusteredPages, e.totals->nonClusteredPages, e.totals->totalPages,
                             e.totals->tableBytes};
    return figures;
}

WideCount SumOfLevels(const LevelTable& levels) {
    return std::accumulate(levels.begin(), levels.end(), WideCount{0});
}

void ExpectTotalsAreTheSums(const TableEstimate& e) {
    ASSERT_TRUE(e.data && e.clustered && e.totals);
    WideCount indexPages = 0;
    for (const NonClusteredEstimate& f : e.nonClustered) {
        EXPECT_EQ(f.NonClusteredPages, f.present ? SumOfLevels(f.levels) : 0);
        indexPages += f.NonClusteredPages;
    }
    EXPECT_EQ(e.clustered->ClusteredPages, e.clustered->present ? SumOfLevels(e.clustered->levels) : 0);
    EXPECT_EQ(e.totals->clusteredPages, e.clustered->ClusteredPages);
    EXPECT_EQ(e.totals->nonClusteredPages, indexPages);
    EXPECT_EQ(e.totals->totalPages, e.data->DataPages + e.clustered->ClusteredPages + indexPages);
    EXPECT_EQ(e.totals->tableBytes, e.totals->totalPages * 2048);
}

TEST(TableProperties, RefusalsEstimatesAndTotalsAgree) {
    Generator generate(4242);
    TableEstimator reused;
    int estimated = 0, refused = 0, failed = 0;
    for (int round = 0; round < 4000; ++round) {
        const TableDescription table = generate.Table();

        TableEstimator fresh;
        int checked = 0; // how often the estimates began
        const TableEstimate e = fresh.Estimate(table, [&checked] { ++checked; });
        const nlohmann::json figures = Figures(e);
        SCOPED_TRACE(figures.dump());
        ASSERT_EQ(Figures(reused.Estimate(table)), figures)
            << "an estimator used before answers as a fresh one";

        ASSERT_EQ(checked, e.Refused() ? 0 : 1)
            << "the estimates begin once, and only after the checks passed";
        if (e.Refused()) {
            ++refused;
            EXPECT_EQ(figures.size(), 2u) << "nothing is estimated, only the failure and its place are set";
            continue;
        }
        if (e.failure != RunMessage::None) {
            ++failed;
            ASSERT_TRUE(IsEstimateFailure(e.failure));
            const TableSection expected = e.failure == RunMessage::DataFailed ? TableSection::Data
                                          : e.failure == RunMessage::ClusteredFailed
                                              ? TableSection::Clustered
                                              : TableSection::NonClustered;
            EXPECT_EQ(e.where.section, expected);
            EXPECT_EQ(e.where.index, expected == TableSection::NonClustered ? e.nonClustered.size() : 0);
            EXPECT_FALSE(e.totals);
            continue;
        }
        ++estimated;
        ExpectTotalsAreTheSums(e);

        // The same table with more rows needs at least as many pages.
        TableDescription more = table;
        more.rowCount = std::to_string(std::stoll(table.rowCount) + 1 + generate.Below(1'000'000));
        const TableEstimate bigger = fresh.Estimate(more);
        if (bigger.totals) {
            EXPECT_GE(bigger.data->DataPages, e.data->DataPages) << more.rowCount << " rows";
            EXPECT_GE(bigger.totals->totalPages, e.totals->totalPages) << more.rowCount << " rows";
        }
    }
    // The generator reaches every outcome often enough for the checks to mean something.
    EXPECT_GT(estimated, 400);
    EXPECT_GT(refused, 400);
    EXPECT_GT(failed, 20);
}

} // namespace
} // namespace quorvel::testing
