#pragma once
// What quorvel-size prints: one entry per table as it is read, and the
// database total at the end. Four views share this interface: every figure
// (text), one line a table (summary), one JSON document, and JSON Lines. All
// append to a text the tool writes out in chunks, so a stream of a million
// tables never piles up in memory.

#include "calc/TableEstimate.h"
#include "cli/ReportFormat.h"
#include "cli/TableRecord.h"
#include "schema/Messages.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace quorvel::cli {

enum class TableStatus {
    Succeeded,
    Refused,   // the checks before the run gave a message
    Failed,    // an estimate failed; the sections before it are known
    Invalid,   // the description itself is wrong (malformed, wrong type, missing key)
    Described, // a table of a script without a row count: not sized
};

// "ok", "refused", "failed", "invalid", "described": how the JSON and CSV
// views name a status.
std::string_view StatusName(TableStatus status);

// A structure whose rows per page came out 0: its pages grow level by level
// and mean nothing, though the run succeeds.
struct ZeroRowsPerPage {
    ValueRef section;
    std::string_view caption; // the window's caption of the figure
    const char* key;          // the figure in the JSON report
};

struct TableOutcome {
    std::size_t ordinal; // 1-based among all tables of all inputs
    const TableRecord& record;
    std::string_view source; // the input's name in messages
    TableStatus status;
    RunMessage message;          // Refused and Failed
    ValueRef where;              // Refused and Failed: the value or the section
    const TableEstimate* result; // Succeeded and Failed, otherwise null
    const std::vector<ZeroRowsPerPage>& warnings;
};

struct DatabaseTotals {
    std::size_t tables = 0;
    std::size_t succeeded = 0;
    std::size_t described = 0;
    // Over the tables that succeeded.
    BigCount dataPages = 0;
    BigCount clusteredPages = 0;
    BigCount nonClusteredPages = 0;
    BigCount textPages = 0;
    BigCount pages = 0;
    BigCount bytes = 0;
};

class ReportWriter {
public:
    virtual ~ReportWriter() = default;
    virtual void Begin(std::string& out) = 0;
    virtual void Table(const TableOutcome& outcome, std::string& out) = 0;
    virtual void End(const DatabaseTotals& totals, std::string& out) = 0;
};

enum class ReportView { Text, Summary, Json, JsonLines, Csv };

// Captions of the database total, in the style of the window's.
inline constexpr std::string_view kDatabaseHeading = "ﾃﾞｰﾀﾍﾞｰｽ合計";
inline constexpr std::string_view kTablesCaption = "ﾃｰﾌﾞﾙ数";
inline constexpr std::string_view kSucceededCaption = "計算できたﾃｰﾌﾞﾙ数";
inline constexpr std::string_view kTextPagesCaption = "ﾃｷｽﾄﾍﾟｰｼﾞ数";

std::unique_ptr<ReportWriter> MakeReportWriter(ReportView view, Language language);

// How many levels of an index the views list: from level 0 up to the highest
// level that has pages (level 0 always).
std::size_t LevelsShown(const LevelTable& levels);

// The zero rows-per-page figures of an estimate, in the order of its sections.
void FindZeroRowsPerPage(const TableEstimate& result, std::vector<ZeroRowsPerPage>& found);

// What went wrong reading a table, without its place.
std::string DescribeReadError(const ReadError& error, Language language);

// What the views say about a table that did not succeed, and where:
//   "FILE:LINE:COLUMN: nonClustered[2].fillFactor = "150": FILLFACTOR値が…"
//   "FILE:LINE:COLUMN: unknown key "colour""
std::string ProblemText(const TableOutcome& outcome, Language language);
// The input and the place a problem is at: the table's input, or for a
// table of a script the script whose statement went wrong.
std::string_view ProblemSource(const TableOutcome& outcome);
Place ProblemPlace(const TableOutcome& outcome);
// The key path a problem concerns ("" when none).
std::string ProblemKey(const TableOutcome& outcome);
std::string WarningText(const TableOutcome& outcome, const ZeroRowsPerPage& warning, Language language);
// "FILE:LINE:COLUMN: note: ..." for each note of a table from a script.
std::string NoteText(const TableOutcome& outcome, const std::string& note, Language language);
// "[3] orders": the table's number and its name as the text views show it.
void AppendHeading(std::string& out, const TableOutcome& outcome);
// "FILE:LINE:COLUMN: " (or less when the place is not known).
std::string PlacePrefix(std::string_view source, Place place);

} // namespace quorvel::cli
