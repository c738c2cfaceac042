#pragma once
// The calculation of one table, free of widgets: a table description in,
// figures out.
//
// The main window and the command-line tool are two faces of this code. Each
// describes a table as the user entered it (TableDescription: the texts of
// the row count and of every section) and hands it to a TableEstimator, which
// checks it as a run does, converts each text once and feeds the engine
// section by section (data pages, clustered index, nonclustered indexes in
// order), stopping at the first estimate that fails. The window then shows
// the figures in its result cells, the tool prints them. Message texts live
// here so both faces say exactly the same thing.

#include "engine/basSQLSIZE.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quorvel {

// The mode of a section: whether the index exists and whether its columns
// (or the table's) include variable-length ones. The data section is never None.
enum class KeyMode { None, AllFixed, WithVariable };

// One section exactly as the user entered it. Every value is a text read by
// the numeric rules (NumericText.h), so "1,500" stands for 1500.
struct SectionDescription {
    KeyMode mode = KeyMode::None;
    std::string fillFactor = "0";      // index sections only
    std::string allFixedBytes = "0";   // bytes of the columns when all are fixed-length
    std::string fixedBytes = "0";      // with variable-length columns: bytes of the fixed-length ones
    std::string variableBytes = "0";   // bytes of the variable-length columns
    std::string variableColumns = "0"; // number of variable-length columns
};

struct TableDescription {
    std::string rowCount = "0";
    SectionDescription data{KeyMode::WithVariable};
    SectionDescription clustered;
    std::vector<SectionDescription> nonClustered; // the window always has three
    // Text and image values live on pages of their own: the pages one row's
    // values take (a script's averages give them; the window has none).
    WideCount textPagesPerRow = 0;
};

enum class RunMessage {
    None,
    FillFactorInvalid,  // a fill factor is not numeric or above the maximum
    InputInvalid,       // a field is not numeric, or its value does not fit where the run puts it
    ByteLimit,          // more bytes of columns than a row or key holds
    ColumnLimit,        // more variable-length columns than a row holds
    DataFailed,
    ClusteredFailed,
    NonClusteredFailed,
};

// Which value of a table a refusal or a failed estimate concerns, so that a
// face with many sections can point at it. The window needs only the message.
enum class TableField { None, RowCount, FillFactor, AllFixedBytes, FixedBytes, VariableBytes, VariableColumns };
enum class TableSection { Table, Data, Clustered, NonClustered };

struct ValueRef {
    TableSection section = TableSection::Table;
    std::size_t index = 0;                 // of a nonclustered index
    TableField field = TableField::None;   // None: the section as a whole
    TableField second = TableField::None;  // a limit on the sum of two fields names both
};

// The text the user is shown for a message ("" for None).
std::string MessageText(RunMessage message);

// True for the three messages of a failed estimate (shown with the critical icon);
// the others refuse input (shown with the exclamation icon).
bool IsEstimateFailure(RunMessage message);

// An index with the pages of each of its levels; present false: the section
// is "なし", and every figure is 0.
template <typename Figures> struct IndexEstimate : Figures {
    bool present = false;
    LevelTable levels{};
};
using ClusteredEstimate = IndexEstimate<ClusteredFigures>;
using NonClusteredEstimate = IndexEstimate<NonClusteredFigures>;

// A page holds 2 KB.
inline constexpr WideCount kBytesPerPage = 2048;

// Totals are 64-bit: large row counts take the page counts past 32 bits.
struct Totals {
    WideCount clusteredPages = 0;
    WideCount nonClusteredPages = 0;
    WideCount textPages = 0;  // text and image values; 0 in the window
    WideCount totalPages = 0; // text pages included
    WideCount tableBytes = 0; // totalPages x 2048
};

struct TableEstimate {
    // None on success; a refusal of the checks before a run (nothing was
    // estimated); or the failed estimate, after the sections finished before it.
    RunMessage failure = RunMessage::None;
    ValueRef where; // the refused value, or the section whose estimate failed
    std::optional<DataFigures> data;                // set when the data estimate succeeded
    std::optional<ClusteredEstimate> clustered;     // set when the clustered section finished
    std::vector<NonClusteredEstimate> nonClustered; // one per finished section, in order
    std::optional<Totals> totals;                   // set when every section finished

    // Refused by the checks: nothing was estimated.
    bool Refused() const { return failure != RunMessage::None && !IsEstimateFailure(failure); }
};

// The pages of text and image values of rows rows whose values take perRow
// pages each; nullopt when they and otherPages together would pass the
// bytes a 64-bit table size counts (a row count no table can have).
std::optional<WideCount> TextPages(std::int32_t rows, WideCount perRow, WideCount otherPages = 0);

// Estimates tables one after another with one engine, whose record lives as
// long as the estimator (the window keeps one for its whole life).
class TableEstimator {
public:
    // The checks before a run, in their fixed order, and whether every value
    // the run reads fits its destination (row count and fill factors in 32
    // bits, byte and column counts in 16 bits; only fields of the selected
    // modes count); then, for a table that passed, beforeEstimates and the
    // estimates section by section, and the totals.
    TableEstimate Estimate(const TableDescription& table, const std::function<void()>& beforeEstimates = {});

private:
    basSQLSIZE m_engine;
};

} // namespace quorvel
