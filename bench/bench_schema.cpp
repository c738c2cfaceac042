// Reading schema scripts: tables per second through the script reader and the
// derivation of their descriptions, and the memory a script of 10,000 tables
// takes when read from a file in 64 KB pieces.
//
//   bench_schema                              runs the benchmarks
//   bench_schema --generate FILE [COUNT]      writes the script of COUNT tables
//                                             (default 10,000) for timing the tool
//   bench_schema --generate-japanese FILE [COUNT]
//                                             the same with Japanese names, in UTF-8
//
// Each table is shaped like those bench_cli sizes from JSON Lines, written as
// DDL: a clustered primary key and two nonclustered indexes (one with a fill
// factor) over seven columns, about 410 bytes of script with its GO lines.
//
// On the development machine (RelWithDebInfo, 2 cores shared with other
// builds; CPU time, least of 5, alternating with the code before this round):
// reading 10,000 tables takes 20 ms (31 ms before), reading and deriving 22 ms
// (33), with the run 27 ms (39). The tables are handed over one at a time, as
// the tool takes them. Peak memory grows by about 3.6 MB for 10,000 tables
// (BM_FromFile run on its own; 14 MB before): the tables kept packed for
// CREATE INDEX statements that may still come, not the script, whose
// statements are dropped as soon as they are read.

#include "BenchMain.h"
#include "ScriptTables.h"
#include "schema/ScriptEncoding.h"
#include "schema/ScriptReader.h"
#include "schema/TableDerivation.h"

#include <benchmark/benchmark.h>

#include <iconv.h>

#include <array>
#include <cstdio>
#include <cstring>
#include <string>

namespace {

using quorvel::bench::TableRowCount;
using quorvel::bench::TableScript;

using namespace quorvel;
using namespace quorvel::schema;

constexpr std::size_t kTables = 10000;
constexpr std::size_t kPieceBytes = 64 * 1024;


std::string Script(std::size_t count)
{
    std::string text;
    for (std::size_t i = 0; i < count; ++i)
        text += TableScript(i);
    return text;
}


// Reads the script in pieces and hands its tables to eachTable, as the tool does.
template <class EachTable>
std::size_t ReadInPieces(std::string_view text, EachTable eachTable)
{
    const SchemaScript script = ReadScript(text, "bench.sql");
    for (std::size_t i = 0; i < script.tables.size(); ++i)
        eachTable(script.tables[i], i);
    return script.tables.size();
}

enum class Steps { Read, Derive, Run };

void Measure(benchmark::State& state, Steps steps)
{
    const std::string text = Script(kTables);
    const SizingAssumptions assumptions;
    for (auto _ : state) {
        const std::size_t tables = ReadInPieces(text, [&](const SchemaTable& table, std::size_t i) {
            if (steps == Steps::Read) {
                benchmark::DoNotOptimize(table.columns.data());
                return;
            }
            const DerivedTable derived = DeriveTable(table, TableRowCount(i), assumptions);
            if (steps == Steps::Run) {
                TableEstimator estimator;
                benchmark::DoNotOptimize(estimator.Estimate(derived.description));
            }
            benchmark::DoNotOptimize(derived);
        });
        if (tables != kTables)
            state.SkipWithError("the script did not give every table");
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * kTables));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}

void BM_Read(benchmark::State& state) { Measure(state, Steps::Read); }
void BM_ReadAndDerive(benchmark::State& state) { Measure(state, Steps::Derive); }
void BM_ReadDeriveAndRun(benchmark::State& state) { Measure(state, Steps::Run); }
BENCHMARK(BM_Read)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadAndDerive)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadDeriveAndRun)->Unit(benchmark::kMillisecond);

// The script from a file, as the tool reads it: peak memory before and after.
void BM_FromFile(benchmark::State& state)
{
    std::FILE* file = std::tmpfile();
    if (file == nullptr) {
        state.SkipWithError("no temporary file");
        return;
    }
    quorvel::bench::WriteItems(file, kTables, TableScript);
    const double before = quorvel::bench::PeakMemoryMiB();
    std::array<char, kPieceBytes> piece{};
    for (auto _ : state) {
        std::rewind(file);
        std::string text;
        for (std::size_t got; (got = std::fread(piece.data(), 1, piece.size(), file)) > 0;)
            text.append(piece.data(), got);
        benchmark::DoNotOptimize(ReadScript(text, "bench.sql").tables.size());
    }
    std::fclose(file);
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * kTables));
    state.counters["peak_rss_MiB_before"] = before;
    state.counters["peak_rss_MiB_after"] = quorvel::bench::PeakMemoryMiB();
}
BENCHMARK(BM_FromFile)->Iterations(1)->Unit(benchmark::kMillisecond);

// Decoding a script before it is read: the validity pass every UTF-8 script
// takes, and iconv for the same tables with Japanese names in CP932.
void MeasureDecoding(benchmark::State& state, const std::string& bytes, const char* encoding)
{
    for (auto _ : state) {
        const DecodedScript decoded = DecodeScript(bytes, {encoding, false});
        if (!decoded.Ok())
            state.SkipWithError("the script could not be decoded");
        benchmark::DoNotOptimize(decoded.text.size());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
}

std::string JapaneseScript(std::size_t count)
{
    std::string text;
    for (std::size_t i = 0; i < count; ++i)
        text += quorvel::bench::JapaneseTableScript(i);
    return text;
}

void BM_DecodeUtf8(benchmark::State& state) { MeasureDecoding(state, JapaneseScript(kTables), ""); }
void BM_DecodeCp932(benchmark::State& state)
{
    std::string utf8 = JapaneseScript(kTables);
    std::string cp932(utf8.size(), '\0'); // CP932 takes no more bytes than UTF-8
    const iconv_t cd = iconv_open("CP932", "UTF-8");
    char* in = utf8.data();
    char* at = cp932.data();
    std::size_t inLeft = utf8.size(), outLeft = cp932.size();
    if (cd == reinterpret_cast<iconv_t>(-1) || iconv(cd, &in, &inLeft, &at, &outLeft) == static_cast<std::size_t>(-1))
        state.SkipWithError("iconv cannot write CP932");
    if (cd != reinterpret_cast<iconv_t>(-1))
        iconv_close(cd);
    cp932.resize(cp932.size() - outLeft);
    MeasureDecoding(state, cp932, "cp932");
}
BENCHMARK(BM_DecodeUtf8)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DecodeCp932)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    if (argc >= 3 && std::strcmp(argv[1], "--generate-japanese") == 0) {
        argv[1] = const_cast<char*>("--generate");
        return quorvel::bench::Main(argc, argv, kTables, quorvel::bench::JapaneseTableScript);
    }
    return quorvel::bench::Main(argc, argv, kTables, TableScript);
}
