#pragma once
// The window's estimate files, read and written beside the tool's own readers
// and writers, so that the window and quorvel-size share one format and one
// implementation.
//
// An estimate is saved as the tool's JSON input, one table on one line:
//   {"name":"orders","rowCount":10000,"data":{"fixedBytes":100},"clustered":null,
//    "nonClustered":[{"fillFactor":80,"fixedBytes":4},null,null],
//    "window":{"data":{"fixedBytes":"120","variableBytes":"40","variableColumns":"2"}}}
// Every value is the text the window holds (ValueForm::AsTyped), so that
// `quorvel-size orders.json` prints the window's figures. The "window" member
// keeps the texts of the fields the selected modes do not read (every field
// of a section set to なし), which the figures never read; a field it does
// not name holds the starting "0", so only other texts are written.
//
// Opening reads a JSON document or JSON Lines with the tool's reader, or a
// schema script through the tool's ScriptSource (the tables --describe
// derives). Each table becomes what the window shows: every text, the first
// three nonclustered indexes, and beside them what the window cannot show
// (how many indexes the file has, the notes of a script). A refused or
// failing estimate opens all the same: F5 says why, as for typed values.
// Nothing here touches Qt: the window asks, chooses and shows.

#include "calc/TableEstimate.h"
#include "cli/ReportWriter.h"
#include "schema/Messages.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quorvel::cli {

// The window has three nonclustered indexes.
inline constexpr std::size_t kWindowIndexes = 3;
// A larger file is no estimate and no schema a window user chooses a table
// from; reading it whole would only hold the window up.
inline constexpr std::uint64_t kLargestEstimateFile = std::uint64_t{64} << 20;
// The longest text a field takes from a file, in characters: the fields hold
// a few characters (11 at most for the row count, "999,999,999"), and a
// longer text is no value a user typed.
inline constexpr std::size_t kLongestFieldText = 32;

struct WindowEstimate {
    std::string name;
    // kWindowIndexes nonclustered sections; every text as the window holds it.
    TableDescription description;
};

// The estimate as the tool's JSON input, ended by a line break.
std::string EstimateJson(const WindowEstimate& estimate);

// What quorvel-size prints for the saved estimate in view (Text or Csv, say),
// read as source; Japanese, as the window. Nothing when the estimate cannot be
// handed to the tool's reader (its temporary file cannot be written).
std::optional<std::string> EstimateReport(const WindowEstimate& estimate, ReportView view, std::string_view source);

// A text of a file too long for the window's field: where it stands.
struct LongText {
    std::string key; // "rowCount", "window.nonClustered[1].fixedBytes"
    Place place;
};

struct FileTable {
    WindowEstimate estimate;
    Place place;                         // where the table begins in the file
    std::optional<std::string> rowCount; // as the file gives it; a script gives none
    std::size_t indexCount = 0;          // the nonclustered indexes of the file
    std::vector<std::string> notes;      // of a script: "FILE:LINE:COLUMN: table: 注記: ..."
    std::optional<LongText> longText;    // the window cannot show the table
    // What F5 will refuse in the window, as quorvel-size says it with its place.
    std::optional<std::string> refusal;
};

enum class FileFault {
    None,
    CannotOpen, // reason: the system's
    CannotRead, // reason: the system's
    TooLarge,   // size
    Binary,     // place: the first NUL byte
    Malformed,  // reason: the reader's, with its place
    Script,     // reason: what the script reader says of the whole script
    NoTable,    // neither JSON with a table nor a script that creates one
};

struct OpenedFile {
    bool script = false;
    // The tables the window can open, in the file's order; empty on a fault.
    std::vector<FileTable> tables;
    // "FILE:LINE:COLUMN: reason" for each table or statement the window cannot open.
    std::vector<std::string> problems;
    // Notes of a script that concern no one table.
    std::vector<std::string> notes;
    FileFault fault = FileFault::None;
    std::string reason;
    Place place;
    std::uint64_t size = 0;
};

// Reads path whole; messages name it as source.
OpenedFile OpenEstimateFile(const std::string& path, std::string_view source);

} // namespace quorvel::cli
