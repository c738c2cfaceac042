#pragma once
// What quorvel-size prints: one entry per table as it is read, and the
// database total at the end. Two forms share this interface: the readable
// aligned report and JSON. Both append to a text the tool flushes in chunks, so
// a stream of a million tables never piles up in memory.

#include "TableEstimate.h"
#include "ReportFormat.h"
#include "TableReader.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace quorvel::cli {

enum class TableStatus {
    Succeeded,
    Refused, // the checks before the run gave a message
    Failed,  // an estimate failed; the sections before it are known
    Invalid, // the description itself is wrong (malformed, wrong type, missing key)
};

struct TableOutcome {
    const TableRecord& record;
    std::string_view source;   // the input's name for messages ("-" reads as "<stdin>")
    TableStatus status;
    RunMessage message;        // Refused and Failed
    const TableEstimate* result;   // Succeeded and Failed, otherwise null
};

struct DatabaseTotals {
    std::size_t tables = 0;
    std::size_t succeeded = 0;
    BigCount pages = 0; // over the tables that succeeded
    BigCount bytes = 0;
};

class ReportWriter {
public:
    virtual ~ReportWriter() = default;
    virtual void Begin(std::string& out) = 0;
    virtual void Table(const TableOutcome& outcome, std::string& out) = 0;
    virtual void End(const DatabaseTotals& totals, std::string& out) = 0;
};

// "source:line:column: error" for a table whose description is wrong.
std::string InvalidTableText(const TableOutcome& outcome);

} // namespace quorvel::cli
