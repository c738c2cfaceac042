#pragma once
// The calculation of one table, free of widgets: a table description in,
// figures out.
//
// The main window and the command-line tool are two faces of this code. Each
// describes a table as the user entered it (TableDescription: the texts of
// the row count and of every section), asks CheckTable whether the run may use
// it, and lets a TableEstimator feed the engine section by section (data
// pages, clustered index, nonclustered indexes in order), which stops at the
// first estimate that fails. The window then shows the figures in its result
// cells, the tool prints them. Message texts live here so both faces say
// exactly the same thing.

#include "engine/basSQLSIZE.h"

#include <array>
#include <cstddef>
#include <cstdint>
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
std::string_view MessageText(RunMessage message);

// True for the three messages of a failed estimate (shown with the critical icon);
// the others refuse input (shown with the exclamation icon).
bool IsEstimateFailure(RunMessage message);

// The checks before a run, in their fixed order, and then whether every value
// the run will read fits its destination (row count and fill factors in 32
// bits, byte and column counts in 16 bits; only fields of the selected modes
// count). None when the table may be estimated; otherwise the refusal.
RunMessage CheckTable(const TableDescription& table);

struct Refusal {
    RunMessage message = RunMessage::None;
    ValueRef where; // the first value that made the checks refuse the table
};

// CheckTable, telling also which value was refused: FindRefusal(t).message is
// always CheckTable(t).
Refusal FindRefusal(const TableDescription& table);

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

// A page holds 2 KB.
inline constexpr WideCount kBytesPerPage = 2048;

// Totals are 64-bit: large row counts take the page counts past 32 bits.
struct Totals {
    WideCount clusteredPages = 0;
    WideCount nonClusteredPages = 0;
    WideCount totalPages = 0;
    WideCount tableBytes = 0; // totalPages x 2048
};

struct TableEstimate {
    // None on success; a refusal of CheckTable (nothing estimated); or the
    // failed estimate, after the sections finished before it.
    RunMessage failure = RunMessage::None;
    ValueRef where; // the refused value, or the section whose estimate failed
    std::optional<DataFigures> data;               // set when the data estimate succeeded
    std::optional<ClusteredFigures> clustered;     // set when the clustered section finished
    std::vector<NonClusteredFigures> nonClustered; // one per finished section, in order
    std::optional<Totals> totals;                  // set when every section finished
};

// Estimates tables one after another with one engine, whose record lives as
// long as the estimator (the window keeps one for its whole life).
class TableEstimator {
public:
    // CheckTable, then the estimates when the table passed.
    TableEstimate Estimate(const TableDescription& table);

    // The estimates of a table that already passed CheckTable. A table that
    // would not have passed is refused with InputInvalid and never reaches
    // the engine.
    TableEstimate EstimateChecked(const TableDescription& table);

private:
    basSQLSIZE m_engine;
};

} // namespace quorvel
