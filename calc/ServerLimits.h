#pragma once
// The limits of SQL Server 6.x that the calculation, the script reader and
// the command-line tool all keep: one place for each number.

#include <cstddef>
#include <cstdint>

namespace quorvel::limits {

inline constexpr std::int32_t kRowBytes = 1962;      // bytes of columns in a row or a key
inline constexpr std::int64_t kColumnBytes = 255;    // bytes of one column
inline constexpr std::size_t kColumns = 250;         // columns of a table, variable-length ones of a row
inline constexpr std::size_t kNonClustered = 249;    // nonclustered indexes of a table
inline constexpr std::size_t kKeyColumns = 16;       // columns of an index key
inline constexpr std::int32_t kFillFactor = 100;     // the highest fill factor, in percent
inline constexpr std::int32_t kRowCount = 2147483647; // rows of a table: a 32-bit count
inline constexpr std::int64_t kTextBytes = 2147483647; // bytes of one text or image value
inline constexpr std::int64_t kTextPageBytes = 1800; // bytes of text or image data a 2 KB page holds
inline constexpr std::int64_t kFloatPrecision = 15;  // digits of a float
inline constexpr std::int64_t kDecimalPrecision = 38; // digits of a decimal or numeric

} // namespace quorvel::limits
