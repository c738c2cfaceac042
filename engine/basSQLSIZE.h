#pragma once
// The storage arithmetic of SQL Server 6.x pages.
//
// One EstimationRecord holds the inputs of an estimate (the row count and the
// description of a data row or an index key) and the outputs of all three
// estimates. The calculation run copies the input fields into the record,
// calls an estimate and reads the outputs back. Every estimate answers true on
// success and false when its arithmetic failed (a 16-bit overflow, a 32-bit
// level count overflow or a division by zero); a failed estimate keeps the
// outputs it wrote before the failing step. The engine never reports anything.
//
// Free of Qt and of global state: each basSQLSIZE instance owns its record,
// so a test makes a fresh one whenever it wants a zeroed record.

#include <array>
#include <cstdint>

namespace quorvel {

// Page totals. The engine only ever stores whole numbers here.
using WideCount = std::int64_t;

inline constexpr int kLevelCount = 15;

// Pages of each B-tree level of an index; 0 is the lowest level.
using LevelTable = std::array<std::int32_t, kLevelCount>;

// The figures of each estimate. The record holds them under these names, and
// the calculation of a table hands them on to the window and the tool as they
// are: one shape for the engine's results everywhere.
struct DataFigures {
    std::int16_t DataRowSize = 0;
    std::int16_t DataRowsPerPage = 0;
    WideCount DataPages = 0;
};

struct ClusteredFigures {
    std::int16_t ClusteredRowSize = 0;
    std::int16_t ClusteredRowsPerPage = 0;
    WideCount ClusteredPages = 0;
};

struct NonClusteredFigures {
    std::int16_t LeafRowSize = 0;
    std::int16_t LeafRowsPerPage = 0;
    WideCount LeafPages = 0;
    std::int16_t NonLeafRowSize = 0;
    std::int16_t NonLeafRowsPerPage = 0;
    WideCount NonClusteredPages = 0;
};

// The description of a data row or an index key, and the row count.
struct EstimationInputs {
    std::int32_t RowCount = 0;
    std::int16_t ColumnKind = 0; // 1: all columns fixed-length; anything else: some variable-length
    std::int16_t FixedBytes = 0;
    std::int16_t VariableBytes = 0;
    std::int16_t VariableColumns = 0;
};

// Inputs, then the outputs of the three estimates, in that order.
struct EstimationRecord : EstimationInputs, DataFigures, ClusteredFigures, NonClusteredFigures {
    // Pages of each level of the index estimated last.
    LevelTable LevelPages{};
};

class basSQLSIZE {
public:
    EstimationRecord& Record() { return m_record; }
    const EstimationRecord& Record() const { return m_record; }

    bool CalcDataPages();
    bool CalcClusteredIndex(const std::int32_t& fillFactor);
    bool CalcNonClusteredIndex(const std::int32_t& fillFactor);

    // The level walk of both index estimates: fills LevelPages from entry 1
    // upward, starting from the count already in entry 0 (entries 1-14 must be
    // 0). The divisor is given in halves of a row (1 stands for 0.5) so that a
    // divisor of one half stays exact; the base is the count whose remainder
    // decides the extra page at the top. Public so that the walk's own rules
    // (the top, its rounding of a divisor) can be tried beyond the divisors
    // the two estimates happen to give it.
    bool WalkLevels(std::int64_t divisorHalves, WideCount base);

private:
    EstimationRecord m_record;
};

} // namespace quorvel
