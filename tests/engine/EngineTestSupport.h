#pragma once
// Small helpers shared by the engine's table-driven tests: describing a row or
// key in one line and writing expected level tables as short lists.

#include "basSQLSIZE.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <initializer_list>
#include <string>

namespace quorvel::test {

// A row or key description as the run puts it into the record.
struct Columns {
    std::int16_t kind = 1;
    std::int16_t fixedBytes = 0;
    std::int16_t variableBytes = 0;
    std::int16_t variableColumns = 0;
};

inline void LoadColumns(EstimationRecord& record, const Columns& columns) {
    record.ColumnKind = columns.kind;
    record.FixedBytes = columns.fixedBytes;
    record.VariableBytes = columns.variableBytes;
    record.VariableColumns = columns.variableColumns;
}

inline Columns Fixed(std::int16_t bytes) {
    return {1, bytes, 0, 0};
}
inline Columns Variable(std::int16_t fixedBytes, std::int16_t variableBytes, std::int16_t variableColumns) {
    return {2, fixedBytes, variableBytes, variableColumns};
}

using Levels = std::array<std::int32_t, kLevelCount>;

// Expected levels from level 0 upward; the levels not listed are 0.
inline Levels LevelsOf(std::initializer_list<std::int32_t> lowest) {
    Levels levels{};
    std::copy(lowest.begin(), lowest.end(), levels.begin());
    return levels;
}

inline Levels SameAtEveryLevel(std::int32_t pages) {
    Levels levels{};
    levels.fill(pages);
    return levels;
}

// Each level twice the one below, as with a walk divisor of one half.
inline Levels Doubling(std::int32_t lowest) {
    Levels levels{};
    std::int64_t pages = lowest;
    for (std::int32_t& level : levels) {
        level = static_cast<std::int32_t>(pages);
        pages *= 2;
    }
    return levels;
}

// Names each parameterized row after its `name` field.
struct RowName {
    template <class Info> std::string operator()(const Info& info) const { return info.param.name; }
};

} // namespace quorvel::test
