#pragma once
// One calculation run, free of widgets.
//
// The main window and the command-line tool are two faces of this code: each
// gathers the texts of a table into TableTexts, asks ValidateInputs and
// CheckConversions, and hands the texts to RunEstimates, which feeds the engine
// section by section (data pages, clustered index, nonclustered indexes in
// order) and stops at the first estimate that fails. The window then writes
// the figures of every finished section into its result cells; the tool prints
// them. Message texts live here so both faces say exactly the same thing.

#include "basSQLSIZE.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quorvel {

// The mode of a section: whether the index exists and whether its columns
// (or the table's) include variable-length ones. The data section is never None.
enum class KeyMode { None, AllFixed, WithVariable };

// The texts of one section exactly as the user entered them.
struct SectionTexts {
    KeyMode mode = KeyMode::None;
    std::string fillFactor = "0";      // index sections only
    std::string allFixedBytes = "0";   // bytes of the columns when all are fixed-length
    std::string fixedBytes = "0";      // with variable-length columns: bytes of the fixed-length ones
    std::string variableBytes = "0";   // bytes of the variable-length columns
    std::string variableColumns = "0"; // number of variable-length columns
};

struct TableTexts {
    std::string rowCount = "0";
    SectionTexts data{KeyMode::WithVariable};
    SectionTexts clustered;
    std::vector<SectionTexts> nonClustered; // the window always has three
};

enum class RunMessage {
    None,
    FillFactorInvalid,  // a fill factor is not numeric or above 100
    InputInvalid,       // a field is not numeric, or its value does not fit where the run puts it
    ByteLimit,          // more than 1962 bytes of columns
    ColumnLimit,        // more than 250 variable-length columns
    DataFailed,
    ClusteredFailed,
    NonClusteredFailed,
};

// The text the user is shown for a message ("" for None).
std::string_view MessageText(RunMessage message);

// True for the three messages of a failed estimate (shown with the critical icon);
// the others refuse input (shown with the exclamation icon).
bool IsEstimateFailure(RunMessage message);

// The checks before a run, in their fixed order; None when all pass.
RunMessage ValidateInputs(const TableTexts& table);

// After ValidateInputs passed: InputInvalid when a value the run will read does
// not fit its destination (row count and fill factors in 32 bits, byte and column
// counts in 16 bits); None otherwise. Only fields of the selected modes count.
RunMessage CheckConversions(const TableTexts& table);

struct DataFigures {
    std::int16_t rowSize = 0;
    std::int16_t rowsPerPage = 0;
    WideCount pages = 0;
};

struct ClusteredFigures {
    bool present = false; // false: no clustered index, every figure 0
    std::int16_t rowSize = 0;
    std::int16_t rowsPerPage = 0;
    WideCount pages = 0;
    std::array<std::int32_t, kLevelCount> levels{};
};

struct NonClusteredFigures {
    bool present = false; // false: no such index, every figure 0
    std::int16_t leafRowSize = 0;
    std::int16_t leafRowsPerPage = 0;
    WideCount leafPages = 0;
    std::int16_t nonLeafRowSize = 0;
    std::int16_t nonLeafRowsPerPage = 0;
    WideCount pages = 0;
    std::array<std::int32_t, kLevelCount> levels{};
};

// Totals are 64-bit: large row counts take the page counts past 32 bits.
struct Totals {
    WideCount clusteredPages = 0;
    WideCount nonClusteredPages = 0;
    WideCount totalPages = 0;
    WideCount tableBytes = 0; // totalPages x 2048
};

struct RunResult {
    // None, DataFailed, ClusteredFailed or NonClusteredFailed; InputInvalid (and
    // nothing estimated) for texts that CheckConversions would have refused;
    // from CheckAndRun also the refusals of ValidateInputs.
    RunMessage failure = RunMessage::None;
    std::optional<DataFigures> data;       // set when the data estimate succeeded
    std::optional<ClusteredFigures> clustered; // set when the clustered section finished
    std::vector<NonClusteredFigures> nonClustered; // one per finished section, in order
    std::optional<Totals> totals;          // set when every section finished
};

// The texts ("#,##0 ") a run puts into the window's result cells, by cell
// index: lblData 0-23, lblLevel 0-59 (15s + level), lblTotal 0-3. A cell the
// run does not reach (after a failure, or beyond three nonclustered indexes)
// is nullopt and keeps its earlier text.
struct ResultCellTexts {
    std::array<std::optional<std::string>, 24> lblData;
    std::array<std::optional<std::string>, 60> lblLevel;
    std::array<std::optional<std::string>, 4> lblTotal;
};

ResultCellTexts CellTexts(const RunResult& result);

// Runs the estimates for texts that passed ValidateInputs and CheckConversions.
RunResult RunEstimates(const TableTexts& table, basSQLSIZE& engine);

// ValidateInputs, CheckConversions and RunEstimates in that order, each text
// converted once: what a face without its own steps between them (the
// command-line tool) calls. A refusal comes back in failure with nothing
// estimated; otherwise the result is that of RunEstimates.
RunResult CheckAndRun(const TableTexts& table, basSQLSIZE& engine);

} // namespace quorvel
