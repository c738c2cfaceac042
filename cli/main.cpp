// quorvel-size: the figures of the Quorvel window for tables described in JSON
// or JSON Lines, without a display.

#include "InputFormat.h"
#include "SizeTool.h"

#include <CLI/CLI.hpp>

#include <cstdio>
#include <string>
#include <vector>

namespace {

void WriteAll(std::FILE* stream, std::string_view text)
{
    if (!text.empty())
        std::fwrite(text.data(), 1, text.size(), stream);
}

} // namespace

int main(int argc, char** argv)
{
    using namespace quorvel::cli;

    CLI::App app{"Estimates the 2 KB pages of SQL Server 6.x tables and indexes, exactly as the Quorvel "
                 "window does, for tables described in JSON (one table or an array) or JSON Lines "
                 "(one table a line).\n\nExit status: 0 every table succeeded, 1 some table was refused, "
                 "failed or invalid, 2 bad usage, unreadable input or a malformed JSON document.",
                 "quorvel-size"};
    app.set_version_flag("--version", std::string("quorvel-size ") + QUORVEL_VERSION);

    bool json = false;
    std::string formatName = "auto";
    std::vector<std::string> paths;
    app.add_flag("--json", json, "Write the report as JSON");
    app.add_option("--format", formatName,
                   "Input format: json, jsonl or auto (by the file name, else by the text)")
        ->check(CLI::IsMember({"auto", "json", "jsonl"}));
    app.add_option("files", paths, "Input files; none or \"-\" reads standard input");

    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        const int status = app.exit(e);
        return status == 0 ? 0 : kExitInputError;
    }

    const InputFormat format = ParseInputFormat(formatName).value_or(InputFormat::Auto);
    if (paths.empty())
        paths.push_back("-");

    SizeTool tool(
        json, [](std::string_view text) { WriteAll(stdout, text); },
        [](std::string_view text) {
            std::fflush(stdout);
            WriteAll(stderr, text);
        });
    for (const std::string& path : paths)
        tool.ReadPath(path, format);
    const int status = tool.Finish();
    if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
        std::fputs("quorvel-size: cannot write the report\n", stderr);
        return kExitInputError;
    }
    return status;
}
