// The window's file commands: a schema script of 10,000 tables opened up to
// the table chooser on screen, and one estimate saved and opened again.
//   bench_files                         (offscreen unless a platform is chosen)

#include "BenchMain.h"
#include "ScriptTables.h"

#include "cli/EstimateFile.h"
#include "shell/frmTableChooser.h"

#include <QApplication>
#include <QTemporaryDir>

#include <fstream>

namespace {

using namespace quorvel;

std::string WriteScript(const QTemporaryDir& folder, std::size_t tables) {
    const std::string path = folder.filePath(QStringLiteral("schema.sql")).toStdString();
    std::ofstream out(path, std::ios::binary);
    for (std::size_t i = 0; i < tables; ++i)
        out << bench::TableScript(i);
    return path;
}

// From the chosen file to the chooser drawn with its list: what the user waits for.
void OpenScriptUpToTheChooser(benchmark::State& state) {
    const QTemporaryDir folder;
    const std::string path = WriteScript(folder, static_cast<std::size_t>(state.range(0)));
    for (auto _ : state) {
        const cli::OpenedFile opened = cli::OpenEstimateFile(path, "schema.sql");
        std::vector<TableListing> listing;
        listing.reserve(opened.tables.size());
        for (const cli::FileTable& table : opened.tables)
            listing.push_back({QString::fromStdString(table.estimate.name), std::nullopt});
        frmTableChooser chooser(QStringLiteral("schema.sql"), listing);
        chooser.show();
        QApplication::processEvents();
        benchmark::DoNotOptimize(chooser.SelectedTable());
    }
    state.counters["tables"] = static_cast<double>(state.range(0));
}
BENCHMARK(OpenScriptUpToTheChooser)->Arg(10000)->Unit(benchmark::kMillisecond)->Iterations(5);

// One estimate written as the window saves it, then opened as the window opens it.
void SaveAndOpenOneEstimate(benchmark::State& state) {
    const QTemporaryDir folder;
    const std::string path = folder.filePath(QStringLiteral("orders.json")).toStdString();
    cli::WindowEstimate estimate;
    estimate.name = "orders";
    estimate.description.rowCount = "1,200,000";
    estimate.description.data = {KeyMode::WithVariable, "0", "100", "16", "16", "1"};
    estimate.description.clustered = {KeyMode::AllFixed, "0", "4"};
    estimate.description.nonClustered = {{KeyMode::AllFixed, "80", "4"}, {}, {}};
    for (auto _ : state) {
        std::ofstream(path, std::ios::binary) << cli::EstimateJson(estimate);
        const cli::OpenedFile opened = cli::OpenEstimateFile(path, "orders.json");
        benchmark::DoNotOptimize(opened.tables.size());
    }
}
BENCHMARK(SaveAndOpenOneEstimate)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    return bench::Main(argc, argv, 10000, bench::TableScript);
}
