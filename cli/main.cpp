// quorvel-size: the figures of the Quorvel window for tables described in JSON
// or JSON Lines, without a display.

#include "InputFormat.h"
#include "SizeTool.h"
#include "ToolTexts.h"

#include <CLI/CLI.hpp>

#include <unistd.h>

#include <cerrno>
#include <clocale>
#include <cstring>
#include <sstream>
#include <string>
#include <vector>

namespace {

using namespace quorvel::cli;

// Every byte, or false with errno telling why.
bool WriteAll(int fd, std::string_view text) {
    while (!text.empty()) {
        const ssize_t written = ::write(fd, text.data(), text.size());
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        text.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

// Help, version and usage errors: a text that could not be written is an
// error like any other.
int Emit(std::string_view text, int fd, int status, Language language) {
    if (WriteAll(fd, text))
        return status;
    const std::string reason = std::strerror(errno);
    WriteAll(STDERR_FILENO, "quorvel-size: " + Say(language, ToolText::CannotWrite, {reason}) + "\n");
    return kExitInputError;
}

} // namespace

int main(int argc, char** argv) {
    // The system's reasons (strerror) in the user's language where it has them.
    std::setlocale(LC_MESSAGES, "");
    const Language language = LanguageFromEnvironment();

    CLI::App app{"", "quorvel-size"};
    app.set_help_flag(); // the tool's own help, in the user's language
    bool help = false, version = false, json = false, jsonl = false, summary = false;
    std::string formatName = "auto";
    std::vector<std::string> paths;
    app.add_flag("-h,--help", help);
    app.add_flag("--version", version);
    CLI::Option* jsonFlag = app.add_flag("--json", json);
    CLI::Option* linesFlag = app.add_flag("--jsonl", jsonl);
    CLI::Option* summaryFlag = app.add_flag("--summary", summary);
    jsonFlag->excludes(linesFlag)->excludes(summaryFlag);
    linesFlag->excludes(summaryFlag);
    app.add_option("--format", formatName)->check(CLI::IsMember({"auto", "json", "jsonl"}));
    app.add_option("files", paths);

    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        std::ostringstream out, err;
        app.exit(e, out, err);
        return Emit(err.str() + "Run with --help for more information.\n", STDERR_FILENO, kExitInputError,
                    language);
    }
    if (help)
        return Emit(Say(language, ToolText::Help), STDOUT_FILENO, kExitAllSucceeded, language);
    if (version)
        return Emit(std::string("quorvel-size ") + QUORVEL_VERSION + "\n", STDOUT_FILENO, kExitAllSucceeded,
                    language);

    const ReportView view = json      ? ReportView::Json
                            : jsonl   ? ReportView::JsonLines
                            : summary ? ReportView::Summary
                                      : ReportView::Text;
    const InputFormat format = ParseInputFormat(formatName).value_or(InputFormat::Auto);
    if (paths.empty())
        paths.push_back("-");

    SizeTool tool(
        view, language, [](std::string_view text) { return WriteAll(STDOUT_FILENO, text); },
        [](std::string_view text) { return WriteAll(STDERR_FILENO, text); });
    for (const std::string& path : paths)
        tool.ReadPath(path, format);
    return tool.Finish();
}
