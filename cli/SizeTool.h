#pragma once
// quorvel-size without its command line: reads inputs, runs every table
// through the same checks, estimates and totals as the window's Calc command,
// and writes the report.
//
// Each table is reported as soon as it is read, and the report leaves in
// chunks, so neither the input nor the output is ever held whole. The exit
// status says whether every table succeeded.

#include "InputFormat.h"
#include "ReportWriter.h"
#include "TableReader.h"
#include "TableEstimate.h"

#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

namespace quorvel::cli {

// Exit statuses of quorvel-size.
inline constexpr int kExitAllSucceeded = 0;
inline constexpr int kExitSomeTableUnsuccessful = 1; // refused, failed or invalid
inline constexpr int kExitInputError = 2;            // usage, unreadable input, malformed JSON document

class SizeTool {
public:
    using Output = std::function<void(std::string_view)>;

    SizeTool(bool json, Output out, Output err);
    ~SizeTool();

    SizeTool(const SizeTool&) = delete;
    SizeTool& operator=(const SizeTool&) = delete;

    // Reads a file by its path ("-" is standard input); false when it could not
    // be opened or read to its end (the reason went to err).
    bool ReadPath(const std::string& path, InputFormat format);

    // Reads an open file (not closed here) from its current position.
    bool ReadStream(std::FILE* file, std::string_view source, InputFormat format);

    // Reads a text in memory, named source in messages.
    bool ReadText(std::string_view text, std::string_view source, InputFormat format);

    // Writes the database total, flushes everything and answers the exit status.
    int Finish();

    const DatabaseTotals& Totals() const { return m_totals; }

private:
    bool ReadInput(InputBuffer& input, std::string_view path, std::string_view source, InputFormat format);
    void OnTable(const TableRecord& record);
    void Error(const std::string& message);
    void FlushIfFull();

    Output m_out;
    Output m_err;
    std::unique_ptr<ReportWriter> m_writer;
    std::string m_buffer;
    std::string m_source;
    TableEstimator m_estimator;
    DatabaseTotals m_totals;
    std::size_t m_tablesRead = 0;
    bool m_inputError = false;
};

} // namespace quorvel::cli
