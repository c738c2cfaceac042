// Throughput of quorvel-size: tables per second through reading, the run and
// the report, and the peak memory of a stream of a million tables.
//
//   bench_cli                                 runs the benchmarks
//   bench_cli --generate FILE [COUNT]         writes COUNT tables (default one
//                                             million) as JSON Lines, for timing
//                                             the program itself

#include "BenchMain.h"
#include "ScriptTables.h"
#include "cli/DescriptionJson.h"
#include "cli/ScriptSource.h"
#include "cli/SizeTool.h"
#include "schema/ScriptReader.h"

#include <benchmark/benchmark.h>

#include <unistd.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

using quorvel::bench::TableRowCount;
using quorvel::bench::TableScript;

using quorvel::cli::InputFormat;
using quorvel::Language;
using quorvel::cli::ReportView;
using quorvel::cli::SizeTool;

bool Discard(std::string_view) {
    return true;
}

// A varied but repeatable table: data rows with variable columns, a clustered
// index and two nonclustered indexes, values as numbers and as texts.
std::string TableLine(std::size_t i) {
    const std::size_t rows = 1 + (i * 7919) % 5000000;
    std::string line = "{\"name\":\"t" + std::to_string(i) + "\",\"rowCount\":" + std::to_string(rows);
    line += ",\"data\":{\"fixedBytes\":" + std::to_string(4 + i % 400) +
            ",\"variableBytes\":" + std::to_string(i % 300) +
            ",\"variableColumns\":" + std::to_string(i % 10) + "}";
    line += ",\"clustered\":{\"fillFactor\":" + std::to_string((i % 4) * 25) +
            ",\"fixedBytes\":" + std::to_string(4 + i % 40) + "}";
    line += ",\"nonClustered\":[{\"fixedBytes\":\"" + std::to_string(4 + i % 60) +
            "\"},{\"fillFactor\":90,\"fixedBytes\":8,\"variableBytes\":20,\"variableColumns\":1}]}\n";
    return line;
}

std::string Tables(std::size_t count) {
    std::string text;
    for (std::size_t i = 0; i < count; ++i)
        text += TableLine(i);
    return text;
}

void RunOver(benchmark::State& state, ReportView view) {
    const std::size_t count = static_cast<std::size_t>(state.range(0));
    std::FILE* input = std::tmpfile();
    const std::string tables = Tables(count);
    std::fwrite(tables.data(), 1, tables.size(), input);
    std::size_t written = 0;
    for (auto _ : state) {
        std::rewind(input);
        SizeTool tool(
            view, Language::English,
            [&written](std::string_view text) {
                written += text.size();
                return true;
            },
            Discard);
        tool.ReadStream(input, "bench.jsonl", InputFormat::JsonLines);
        benchmark::DoNotOptimize(tool.Finish());
    }
    std::fclose(input);
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * count));
    state.counters["report_bytes_per_table"] =
        static_cast<double>(written) / static_cast<double>(state.iterations() * count);
}

void BM_JsonLinesTextReport(benchmark::State& state) {
    RunOver(state, ReportView::Text);
}
void BM_JsonLinesJsonReport(benchmark::State& state) {
    RunOver(state, ReportView::Json);
}
void BM_JsonLinesJsonLinesReport(benchmark::State& state) {
    RunOver(state, ReportView::JsonLines);
}
void BM_JsonLinesSummary(benchmark::State& state) {
    RunOver(state, ReportView::Summary);
}
BENCHMARK(BM_JsonLinesTextReport)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_JsonLinesJsonReport)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_JsonLinesJsonLinesReport)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_JsonLinesSummary)->Arg(100000)->Unit(benchmark::kMillisecond);

// A million tables streamed from a file, as the program reads them: the peak
// memory of the whole process stays that of a few buffers.
void BM_MillionTablesFromFile(benchmark::State& state) {
    const std::size_t count = static_cast<std::size_t>(state.range(0));
    std::FILE* file = std::tmpfile();
    if (file == nullptr) {
        state.SkipWithError("no temporary file");
        return;
    }
    quorvel::bench::WriteItems(file, count, TableLine);
    const double before = quorvel::bench::PeakMemoryMiB();
    for (auto _ : state) {
        std::rewind(file);
        SizeTool tool(ReportView::Text, Language::English, Discard, Discard);
        tool.ReadStream(file, "bench.jsonl", InputFormat::JsonLines);
        benchmark::DoNotOptimize(tool.Finish());
    }
    std::fclose(file);
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * count));
    state.counters["peak_rss_MiB_before"] = before;
    state.counters["peak_rss_MiB_after"] = quorvel::bench::PeakMemoryMiB();
}
BENCHMARK(BM_MillionTablesFromFile)->Arg(1000000)->Iterations(1)->Unit(benchmark::kMillisecond);

// The same 10,000 tables twice, through the whole tool: as a schema script
// (with a row count for each) and as the JSON Lines that --describe writes for
// it. Both from files, both to the text report. In one process, the memory a
// run frees is ready for the next; tools/time-script-vs-jsonl times the
// program itself, a new process each run.
constexpr std::size_t kScriptTables = 10000;



struct SameTables {
    std::string script = "/tmp/quorvel-bench-" + std::to_string(::getpid()) + ".sql";
    std::string lines = "/tmp/quorvel-bench-" + std::to_string(::getpid()) + ".jsonl";

    SameTables() {
        std::string text;
        for (std::size_t i = 0; i < kScriptTables; ++i)
            text += TableScript(i);
        std::FILE* file = std::fopen(script.c_str(), "wb");
        std::fwrite(text.data(), 1, text.size(), file);
        std::fclose(file);
        const quorvel::schema::SchemaScript read = quorvel::schema::ReadScript(text, "bench.sql");
        std::string json;
        for (std::size_t i = 0; i < read.tables.size(); ++i) {
            const auto derived = quorvel::schema::DeriveTable(read.tables[i], TableRowCount(i), {});
            quorvel::cli::AppendDescription(json, derived.name, derived.description);
        }
        file = std::fopen(lines.c_str(), "wb");
        std::fwrite(json.data(), 1, json.size(), file);
        std::fclose(file);
    }
    ~SameTables() {
        std::remove(script.c_str());
        std::remove(lines.c_str());
    }
};

const SameTables& Files() {
    static const SameTables files;
    return files;
}

void BM_TenThousandTablesFromJsonLines(benchmark::State& state) {
    for (auto _ : state) {
        SizeTool tool(ReportView::Text, Language::English, Discard, Discard);
        tool.ReadPath(Files().lines, InputFormat::JsonLines);
        benchmark::DoNotOptimize(tool.Finish());
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * kScriptTables));
}
BENCHMARK(BM_TenThousandTablesFromJsonLines)->Unit(benchmark::kMillisecond);

void BM_TenThousandTablesFromAScript(benchmark::State& state) {
    // The --rows options as the program receives them, one for each table.
    std::vector<std::string> rows;
    for (std::size_t i = 0; i < kScriptTables; ++i)
        rows.push_back("t" + std::to_string(i) + "=" + TableRowCount(i));
    for (auto _ : state) {
        quorvel::cli::ScriptSource scripts(Language::English);
        for (const std::string& option : rows)
            scripts.AddRows(option);
        SizeTool tool(ReportView::Text, Language::English, Discard, Discard);
        scripts.Size(Files().script, tool);
        benchmark::DoNotOptimize(tool.Finish());
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * kScriptTables));
}
BENCHMARK(BM_TenThousandTablesFromAScript)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    return quorvel::bench::Main(argc, argv, 1000000, TableLine);
}
