// Any bytes through the reader of quorvel-size and every view of its report.
//
// The first byte picks the reading (auto, document, lines), the view and the
// language, and how many bytes the input hands out at a time. Each input is
// read twice from a file, in pieces of 64 KB and in those small pieces, and both
// reports must be the same: no answer may depend on where a read ends. Every
// report must be valid UTF-8, a JSON view must parse, and the exit status
// must be one the tool documents.

#include "cli/SizeTool.h"

#include <nlohmann/json.hpp>

#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>

namespace {

using namespace quorvel::cli;
using quorvel::Language;

struct Report {
    std::string out;
    std::string err;
    int status = -1;
};

void Require(bool condition) {
    if (!condition)
        std::abort();
}

template <class Read> Report Run(ReportView view, Language language, Read read) {
    Report report;
    SizeTool tool(
        view, language,
        [&report](std::string_view text) {
            report.out += text;
            return true;
        },
        [&report](std::string_view text) {
            report.err += text;
            return true;
        });
    read(tool);
    report.status = tool.Finish();
    return report;
}

std::FILE* FileHolding(std::string_view text) {
    const int fd = memfd_create("fuzz_table_reader", 0);
    Require(fd >= 0 && write(fd, text.data(), text.size()) == static_cast<ssize_t>(text.size()));
    Require(lseek(fd, 0, SEEK_SET) == 0);
    return fdopen(fd, "rb");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0)
        return 0;
    const unsigned pick = data[0];
    const auto format = static_cast<InputFormat>(pick % 3);
    const auto view = static_cast<ReportView>(pick / 3 % 5);
    const Language language = pick / 15 % 2 == 0 ? Language::English : Language::Japanese;
    const std::size_t chunk = 1 + pick % 61;
    const std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);

    std::FILE* file = FileHolding(text);
    const Report fromMemory = Run(view, language, [&](SizeTool& tool) { tool.ReadStream(file, "fuzz", format); });
    Require(std::fseek(file, 0, SEEK_SET) == 0);
    const Report fromFile =
        Run(view, language, [&](SizeTool& tool) { tool.ReadStream(file, "fuzz", format, chunk); });
    std::fclose(file);

    Require(fromMemory.out == fromFile.out && fromMemory.err == fromFile.err &&
            fromMemory.status == fromFile.status);
    Require(fromMemory.status >= 0 && fromMemory.status <= 2);
    // Dumping a JSON string checks that it is valid UTF-8.
    (void)nlohmann::json(fromMemory.out).dump();
    (void)nlohmann::json(fromMemory.err).dump();
    if (view == ReportView::Json)
        (void)nlohmann::json::parse(fromMemory.out);
    if (view == ReportView::JsonLines) {
        std::istringstream lines(fromMemory.out);
        for (std::string line; std::getline(lines, line);)
            (void)nlohmann::json::parse(line);
    }
    return 0;
}
