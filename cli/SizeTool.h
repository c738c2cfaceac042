#pragma once
// quorvel-size without its command line: reads inputs, runs every table
// through the same checks, estimates and totals as the window's Calc command,
// and writes the report.
//
// Each table is reported as soon as it is read and numbered among all tables
// of all inputs; the report leaves in chunks (and whenever the input waits),
// so neither the input nor the output is ever held whole. When the report
// cannot be written the tool says why and reads nothing more. Tables of
// schema scripts come in through AddTable (ScriptSource.h).

#include "calc/TableEstimate.h"
#include "cli/InputFormat.h"
#include "cli/JsonInput.h"
#include "cli/ReportWriter.h"
#include "cli/TableEvents.h"
#include "schema/Messages.h"

#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace quorvel::cli {

// Exit statuses of quorvel-size.
inline constexpr int kExitAllSucceeded = 0;
inline constexpr int kExitSomeTableUnsuccessful = 1; // refused, failed or invalid
inline constexpr int kExitInputError =
    2; // usage, unreadable or empty input, malformed document, unwritable report

class SizeTool {
public:
    // Writes a text; false when it could not (errno says why).
    using Output = std::function<bool(std::string_view)>;

    // out takes the report; err one message at a time, each a line for
    // standard error without the program's name or a line end.
    SizeTool(ReportView view, Language language, Output out, Output err);
    ~SizeTool();

    SizeTool(const SizeTool&) = delete;
    SizeTool& operator=(const SizeTool&) = delete;

    // Reads a file by its path ("-" is standard input). When it cannot be
    // opened or read to its end, or is malformed, the reason goes to err and
    // the exit status says so.
    void ReadPath(const std::string& path, InputFormat format);

    // Reads an open file (not closed here, standard input for "-") from its
    // current position, at most chunk bytes at a time.
    void ReadStream(std::FILE* file, std::string_view source, InputFormat format,
                    std::size_t chunk = JsonInput::kChunk);

    // A table another reader read from source, numbered on with the others;
    // false once the report cannot be written.
    bool AddTable(const TableRecord& record, std::string_view source);

    // A line for standard error that concerns no single table, after the
    // report so far. A problem makes the exit status 1, an input error 2.
    enum class MessageKind { Note, Problem, InputError };
    void Message(const std::string& text, MessageKind kind);

    // Writes the database total, flushes everything and answers the exit status.
    int Finish();

private:
    void Read(JsonInput& input, std::string_view path, std::string_view source, InputFormat format);
    bool OnTable(const TableRecord& record);
    TableEstimate Estimate(const TableRecord& record);
    void Error(const std::string& message);
    bool Flush();

    Language m_language;
    Output m_out;
    Output m_err;
    std::unique_ptr<ReportWriter> m_writer;
    TableHandler m_handler;
    std::string m_buffer;
    std::string m_source;
    TableEstimator m_estimator;
    std::vector<ZeroRowsPerPage> m_warnings;
    DatabaseTotals m_totals;
    bool m_inputError = false;
    bool m_someProblem = false;
    bool m_writeFailed = false;
};

} // namespace quorvel::cli
