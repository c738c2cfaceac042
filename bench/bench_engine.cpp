// Time of one whole table through the engine: the data pages, a clustered
// index and three nonclustered indexes, each with its inputs written into the
// record first, as one calculation run does. The goal is well under 200 ns.

#include "engine/basSQLSIZE.h"

#include <benchmark/benchmark.h>

#include <cstdint>

namespace {

using quorvel::basSQLSIZE;
using quorvel::EstimationRecord;

struct Key {
    std::int16_t kind;
    std::int16_t fixedBytes;
    std::int16_t variableBytes;
    std::int16_t variableColumns;
    std::int32_t fillFactor;
};

void Load(EstimationRecord& r, const Key& key) {
    r.ColumnKind = key.kind;
    r.FixedBytes = key.fixedBytes;
    r.VariableBytes = key.variableBytes;
    r.VariableColumns = key.variableColumns;
}

// Returns the sum of the shown page counts so the work cannot be dropped.
std::int64_t EstimateTable(basSQLSIZE& engine, std::int32_t rowCount, const Key& data, const Key& clustered,
                           const Key (&nonClustered)[3]) {
    EstimationRecord& r = engine.Record();
    r.RowCount = rowCount;
    Load(r, data);
    bool ok = engine.CalcDataPages();
    Load(r, clustered);
    ok = engine.CalcClusteredIndex(clustered.fillFactor) && ok;
    std::int64_t pages = r.DataPages + r.ClusteredPages + r.LevelPages[0];
    for (const Key& key : nonClustered) {
        Load(r, key);
        ok = engine.CalcNonClusteredIndex(key.fillFactor) && ok;
        pages += r.NonClusteredPages + r.LevelPages[1];
    }
    return ok ? pages : -1;
}

void BM_WholeTable(benchmark::State& state) {
    const Key data{2, 100, 50, 2, 0};
    const Key clustered{1, 4, 0, 0, 0};
    const Key nonClustered[3] = {{1, 4, 0, 0, 0}, {2, 10, 20, 2, 80}, {1, 30, 0, 0, 100}};
    basSQLSIZE engine;
    std::int32_t rowCount = 1000000;
    for (auto _ : state) {
        benchmark::DoNotOptimize(rowCount);
        benchmark::DoNotOptimize(EstimateTable(engine, rowCount, data, clustered, nonClustered));
        rowCount ^= 1; // a slightly different table each time, as with a fresh record
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_WholeTable);

// The longest walks: every index fills all fifteen levels.
void BM_WholeTableAllLevels(benchmark::State& state) {
    const Key data{1, 2014, 0, 0, 0};
    const Key clustered{1, 1100, 0, 0, 0};
    const Key nonClustered[3] = {{1, 1093, 0, 0, 0}, {1, 1093, 0, 0, 0}, {1, 1093, 0, 0, 100}};
    basSQLSIZE engine;
    std::int32_t rowCount = 10;
    for (auto _ : state) {
        benchmark::DoNotOptimize(rowCount);
        benchmark::DoNotOptimize(EstimateTable(engine, rowCount, data, clustered, nonClustered));
        rowCount ^= 1;
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_WholeTableAllLevels);

} // namespace

BENCHMARK_MAIN();
