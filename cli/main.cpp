// quorvel-size: the figures of the Quorvel window for tables described in JSON
// or JSON Lines, or created by SQL Server 6.x scripts, without a display.

#include "cli/HelpText.h"
#include "cli/InputFormat.h"
#include "cli/ScriptSource.h"
#include "cli/SizeTool.h"
#include "schema/Messages.h"

#include <CLI/CLI.hpp>

#include <unistd.h>

#include <cerrno>
#include <clocale>
#include <cstring>
#include <new>
#include <stdexcept>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

namespace {

using namespace quorvel;
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

// A message for the user: one line on standard error, after the program's name.
bool WriteError(std::string_view message) {
    return WriteAll(STDERR_FILENO, "quorvel-size: " + std::string(message) + "\n");
}

// Help and version: a text that could not be written is an error like any other.
int Emit(std::string_view text, int status, Language language) {
    if (WriteAll(STDOUT_FILENO, text))
        return status;
    const std::string reason = std::strerror(errno);
    WriteError(Say(language, Text::CannotWrite, {reason}));
    return kExitInputError;
}

int UsageError(const std::string& message) {
    WriteError(message);
    return kExitInputError;
}

// --describe: the tables of the scripts in the tool's input form, not sized,
// with the exit status sizing them would give.
int Describe(ScriptSource& scripts, const std::vector<std::string>& paths, Language language) {
    int status = kExitAllSucceeded;
    std::string text;
    std::vector<std::string> messages;
    scripts.Describe(paths, text, [&](const std::string& line, SizeTool::MessageKind kind) {
        messages.push_back(line);
        if (kind == SizeTool::MessageKind::InputError)
            status = kExitInputError;
        else if (kind == SizeTool::MessageKind::Problem && status == kExitAllSucceeded)
            status = kExitSomeTableUnsuccessful;
    });
    if (!WriteAll(STDOUT_FILENO, text)) {
        const std::string reason = std::strerror(errno);
        return UsageError(Say(language, Text::CannotWrite, {reason}));
    }
    for (const std::string& line : messages)
        WriteError(line);
    for (const std::string& warning : scripts.UnusedNames())
        WriteError(warning);
    return status;
}

int Run(int argc, char** argv, Language language) {
    CLI::App app{"", "quorvel-size"};
    app.set_help_flag(); // the tool's own help, in the user's language
    bool help = false, version = false, json = false, jsonl = false, summary = false, csv = false;
    bool describe = false, ansiNullDefault = false;
    int variableFill = 100;
    std::string formatName = "auto", rowsFile, encoding;
    std::vector<std::string> paths, scripts, rows, averages;
    app.add_flag("-h,--help", help);
    app.add_flag("--version", version);
    CLI::Option* jsonFlag = app.add_flag("--json", json);
    CLI::Option* linesFlag = app.add_flag("--jsonl", jsonl);
    CLI::Option* summaryFlag = app.add_flag("--summary", summary);
    CLI::Option* csvFlag = app.add_flag("--csv", csv);
    jsonFlag->excludes(linesFlag)->excludes(summaryFlag)->excludes(csvFlag);
    linesFlag->excludes(summaryFlag)->excludes(csvFlag);
    summaryFlag->excludes(csvFlag);
    app.add_option("--format", formatName)->check(CLI::IsMember({"auto", "json", "jsonl"}));
    CLI::Option* files = app.add_option("files", paths);
    CLI::Option* ddl = app.add_option("--ddl", scripts)->allow_extra_args(false);
    app.add_option("--rows", rows)->allow_extra_args(false)->needs(ddl);
    app.add_option("--rows-file", rowsFile)->needs(ddl);
    app.add_option("--variable-fill", variableFill)->check(CLI::Range(0, 100))->needs(ddl);
    app.add_option("--text-average", averages)->allow_extra_args(false)->needs(ddl);
    app.add_flag("--ansi-null-default", ansiNullDefault)->needs(ddl);
    app.add_option("--encoding", encoding)->needs(ddl);
    app.add_flag("--describe", describe)
        ->needs(ddl)
        ->excludes(files)
        ->excludes(jsonFlag)
        ->excludes(linesFlag)
        ->excludes(summaryFlag)
        ->excludes(csvFlag);

    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        std::ostringstream out, err;
        app.exit(e, out, err);
        WriteAll(STDERR_FILENO, err.str() + "Run with --help for more information.\n");
        return kExitInputError;
    }
    if (help)
        return Emit(HelpText(language), kExitAllSucceeded, language);
    if (version)
        return Emit(std::string("quorvel-size ") + QUORVEL_VERSION + "\n", kExitAllSucceeded, language);

    ScriptSource scriptSource(language);
    scriptSource.Assumptions().variableFillPercent = variableFill;
    scriptSource.Assumptions().ansiNullDefault = ansiNullDefault;
    // A count on the command line wins over one in the file.
    std::optional<std::string> bad;
    if (!encoding.empty())
        bad = scriptSource.SetEncoding(encoding);
    if (!bad && !rowsFile.empty())
        bad = scriptSource.AddRowsFile(rowsFile);
    for (std::size_t i = 0; !bad && i < rows.size(); ++i)
        bad = scriptSource.AddRows(rows[i]);
    for (std::size_t i = 0; !bad && i < averages.size(); ++i)
        bad = scriptSource.AddTextAverage(averages[i]);
    if (bad)
        return UsageError(*bad);
    if (describe)
        return Describe(scriptSource, scripts, language);

    const ReportView view = json      ? ReportView::Json
                            : jsonl   ? ReportView::JsonLines
                            : summary ? ReportView::Summary
                            : csv     ? ReportView::Csv
                                      : ReportView::Text;
    const InputFormat format = ParseInputFormat(formatName).value_or(InputFormat::Auto);
    if (paths.empty() && scripts.empty())
        paths.push_back("-");

    SizeTool tool(
        view, language, [](std::string_view text) { return WriteAll(STDOUT_FILENO, text); },
        WriteError);
    for (const std::string& path : paths)
        tool.ReadPath(path, format);
    if (!scripts.empty())
        scriptSource.Size(scripts, tool);
    for (const std::string& warning : scriptSource.UnusedNames())
        tool.Message(warning, SizeTool::MessageKind::Note);
    return tool.Finish();
}

} // namespace

int main(int argc, char** argv) {
    // The system's reasons (strerror) in the user's language where it has them.
    std::setlocale(LC_MESSAGES, "");
    const Language language = LanguageFromEnvironment();
    // The readers say which input ran out of memory and how far they read;
    // anything else that does still ends in a message, never in terminate.
    try {
        return Run(argc, argv, language);
    } catch (const std::bad_alloc&) {
        WriteError(Say(language, Text::OutOfMemoryAnywhere));
    } catch (const std::length_error&) {
        WriteError(Say(language, Text::OutOfMemoryAnywhere));
    }
    return kExitInputError;
}
