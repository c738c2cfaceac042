// The three page estimates and the level walk shared by the two index estimates.
//
// All arithmetic is done on 64-bit integers and narrowed into the record's
// 16-bit and 32-bit fields through checked stores, so no input value, however
// odd, can overflow silently: an out-of-range result fails the estimate
// instead. Rows-per-page divisors can be one half (a row larger than the page,
// or a negative rows-per-page value on nonclustered pages); such divisors are
// carried in half-row units so that every quotient stays exact.

#include "engine/basSQLSIZE.h"

#include <algorithm>
#include <limits>

namespace quorvel {
namespace {

// Bytes of a 2 KB page that hold rows; the rest is the page header.
constexpr std::int64_t kPageRowBytes = 2016;
constexpr std::int64_t kMaxRowsPerPage = 256;
// Index pages above the leaf keep two rows in reserve unless the pages are full.
constexpr std::int64_t kReservedRows = 2;
constexpr std::int64_t kMaxReservedRowsPerPage = kMaxRowsPerPage - kReservedRows;

bool StoreInt16(std::int64_t value, std::int16_t& field) {
    if (value < std::numeric_limits<std::int16_t>::min() || value > std::numeric_limits<std::int16_t>::max())
        return false;
    field = static_cast<std::int16_t>(value);
    return true;
}

bool StoreInt32(std::int64_t value, std::int32_t& field) {
    if (value < std::numeric_limits<std::int32_t>::min() || value > std::numeric_limits<std::int32_t>::max())
        return false;
    field = static_cast<std::int32_t>(value);
    return true;
}

bool Add16(std::int16_t a, std::int16_t b, std::int16_t& sum) {
    return StoreInt16(std::int64_t{a} + b, sum);
}

// Quotient rounded toward minus infinity, also for negative operands.
bool FloorDiv(std::int64_t a, std::int64_t b, std::int64_t& quotient) {
    if (b == 0 || (a == std::numeric_limits<std::int64_t>::min() && b == -1))
        return false;
    quotient = a / b;
    if (a % b != 0 && (a < 0) != (b < 0))
        --quotient;
    return true;
}

// For the fixed positive divisors (256, 100), where nothing can fail.
std::int64_t FloorDivConst(std::int64_t a, std::int64_t positiveDivisor) {
    std::int64_t q = a / positiveDivisor;
    if (a % positiveDivisor != 0 && a < 0)
        --q;
    return q;
}

// floor(a / (halves / 2)).
bool FloorDivHalves(std::int64_t a, std::int64_t halves, std::int64_t& quotient) {
    if (halves % 2 == 0)
        return FloorDiv(a, halves / 2, quotient);
    std::int64_t twice = 0;
    if (__builtin_mul_overflow(a, std::int64_t{2}, &twice))
        return false;
    return FloorDiv(twice, halves, quotient);
}

// floor(Q), plus one when Q = a / (halves / 2) is not a whole number.
bool PagesForRows(std::int32_t rows, std::int64_t halves, std::int64_t& pages) {
    std::int64_t q = 0;
    if (!FloorDivHalves(rows, halves, q))
        return false;
    // |q * halves| stays within |2 * rows| + |halves|, far inside 64 bits.
    if (q * halves != 2 * std::int64_t{rows})
        ++q;
    pages = q;
    return true;
}

// halves / 2 as a whole number, a half rounded to the even neighbour (0.5 gives 0).
std::int64_t RoundHalvesToEven(std::int64_t halves) {
    const std::int64_t whole = FloorDivConst(halves, 2);
    if (halves % 2 == 0 || whole % 2 == 0)
        return whole;
    return whole + 1;
}

// Size of a data row or clustered index row with variable-length columns.
// The subtotal is stored before the overheads are added, so that a failing
// final sum leaves it readable. Only the column count plus one and the final
// size are 16-bit values; the sum in between is exact.
bool VariableRowSize(const EstimationRecord& r, std::int16_t overhead, std::int16_t& field) {
    std::int16_t subtotal = 0;
    if (!Add16(r.FixedBytes, overhead, subtotal) || !Add16(subtotal, r.VariableBytes, subtotal))
        return false;
    field = subtotal;
    std::int16_t offsetEntries = 0;
    if (!Add16(r.VariableColumns, 1, offsetEntries))
        return false;
    const std::int64_t s = subtotal;
    return StoreInt16(s + FloorDivConst(s, 256) + 1 + offsetEntries + 2, field);
}

// Usable bytes of a page under a fill factor other than 0 and 100.
// 2016 * F needs more than 32 bits for large factors.
std::int64_t FillFactorBytes(std::int32_t fillFactor) {
    return FloorDivConst(kPageRowBytes * std::int64_t{fillFactor}, 100);
}

// Rows per index page above the leaf level, from the rows that fit: full
// pages (fill factor 100) hold at most 256; otherwise two rows stay in reserve
// and at most 254 are counted.
std::int64_t ReserveAndCap(std::int64_t rowsThatFit, std::int32_t fillFactor) {
    if (fillFactor == 100)
        return std::min(rowsThatFit, kMaxRowsPerPage);
    return std::min(rowsThatFit - kReservedRows, kMaxReservedRowsPerPage);
}

std::int64_t SumOfLevels(const EstimationRecord& r) {
    std::int64_t total = 0;
    for (const std::int32_t pages : r.LevelPages)
        total += pages;
    return total;
}

} // namespace

bool basSQLSIZE::CalcDataPages() {
    EstimationRecord& r = m_record;
    r.DataRowSize = 0;
    r.DataRowsPerPage = 0;
    r.DataPages = 0;

    if (r.ColumnKind == 1) {
        if (!Add16(r.FixedBytes, 2, r.DataRowSize))
            return false;
    } else if (!VariableRowSize(r, 2, r.DataRowSize)) {
        return false;
    }

    std::int64_t divisorHalves = 1; // a row larger than the page: two pages per row
    if (r.DataRowSize <= kPageRowBytes) {
        std::int64_t rowsPerPage = 0;
        if (!FloorDiv(kPageRowBytes, r.DataRowSize, rowsPerPage))
            return false;
        if (rowsPerPage > kMaxRowsPerPage)
            rowsPerPage = kMaxRowsPerPage;
        if (!StoreInt16(rowsPerPage, r.DataRowsPerPage))
            return false;
        divisorHalves = 2 * rowsPerPage;
    }
    return PagesForRows(r.RowCount, divisorHalves, r.DataPages);
}

bool basSQLSIZE::CalcClusteredIndex(const std::int32_t& fillFactor) {
    EstimationRecord& r = m_record;
    r.ClusteredRowSize = 0;
    r.ClusteredRowsPerPage = 0;
    r.ClusteredPages = 0;
    r.LevelPages.fill(0);

    if (r.ColumnKind == 1) {
        if (!Add16(r.FixedBytes, 5, r.ClusteredRowSize))
            return false;
    } else if (!VariableRowSize(r, 5, r.ClusteredRowSize)) {
        return false;
    }

    const std::int64_t usableBytes =
        (fillFactor == 0 || fillFactor == 100) ? kPageRowBytes : FillFactorBytes(fillFactor);
    std::int64_t rowsPerPage = 0;
    if (!FloorDiv(usableBytes, r.ClusteredRowSize, rowsPerPage))
        return false;
    rowsPerPage = ReserveAndCap(rowsPerPage, fillFactor);
    if (!StoreInt16(rowsPerPage, r.ClusteredRowsPerPage))
        return false;

    // Fewer rows fit than the reserve: each level then holds as many pages as the one below.
    std::int64_t divisorHalves = 2 * rowsPerPage;
    if (rowsPerPage < 0) {
        r.ClusteredRowsPerPage = 0;
        divisorHalves = 2;
    }

    std::int64_t lowest = 0;
    if (!FloorDivHalves(r.DataPages, divisorHalves, lowest) || !StoreInt32(lowest, r.LevelPages[0]))
        return false;
    if (!WalkLevels(divisorHalves, r.DataPages))
        return false;
    r.ClusteredPages = SumOfLevels(r);
    return true;
}

bool basSQLSIZE::CalcNonClusteredIndex(const std::int32_t& fillFactor) {
    EstimationRecord& r = m_record;
    r.LeafRowSize = 0;
    r.LeafRowsPerPage = 0;
    r.LeafPages = 0;
    r.NonLeafRowSize = 0;
    r.NonLeafRowsPerPage = 0;
    r.NonClusteredPages = 0;
    r.LevelPages.fill(0);

    if (r.ColumnKind == 1) {
        if (!Add16(r.FixedBytes, 7, r.LeafRowSize))
            return false;
    } else {
        std::int16_t subtotal = 0;
        if (!Add16(r.FixedBytes, 9, subtotal) || !Add16(subtotal, r.VariableBytes, subtotal) ||
            !Add16(subtotal, r.VariableColumns, subtotal) || !Add16(subtotal, 1, subtotal))
            return false;
        r.LeafRowSize = subtotal;
        const std::int64_t s = subtotal;
        if (!StoreInt16(s + FloorDivConst(s, 256) + 1, r.LeafRowSize))
            return false;
    }

    // Leaf pages hold no reserve; a fill factor of 100 is the same as none.
    const std::int64_t usableBytes = fillFactor == 0 ? kPageRowBytes : FillFactorBytes(fillFactor);
    std::int64_t leafRowsPerPage = 0;
    if (!FloorDiv(usableBytes, r.LeafRowSize, leafRowsPerPage))
        return false;
    if (leafRowsPerPage > kMaxRowsPerPage)
        leafRowsPerPage = kMaxRowsPerPage;
    if (!StoreInt16(leafRowsPerPage, r.LeafRowsPerPage))
        return false;
    std::int64_t leafHalves = 2 * leafRowsPerPage;
    if (leafRowsPerPage < 0) {
        r.LeafRowsPerPage = 0;
        leafHalves = 1;
    }
    if (!PagesForRows(r.RowCount, leafHalves, r.LeafPages))
        return false;

    // A non-leaf row is the leaf row plus a 4-byte page pointer.
    if (!Add16(r.LeafRowSize, 4, r.NonLeafRowSize))
        return false;
    std::int64_t nonLeafRowsPerPage = 0;
    if (!FloorDiv(kPageRowBytes, r.NonLeafRowSize, nonLeafRowsPerPage))
        return false;
    nonLeafRowsPerPage = ReserveAndCap(nonLeafRowsPerPage, fillFactor);
    if (!StoreInt16(nonLeafRowsPerPage, r.NonLeafRowsPerPage))
        return false;
    std::int64_t walkHalves = 2 * nonLeafRowsPerPage;
    if (nonLeafRowsPerPage < 0) {
        r.NonLeafRowsPerPage = 0;
        walkHalves = 1;
    }

    if (!StoreInt32(r.LeafPages, r.LevelPages[0]))
        return false;
    if (!WalkLevels(walkHalves, r.LeafPages))
        return false;
    r.NonClusteredPages = SumOfLevels(r);
    return true;
}

bool basSQLSIZE::WalkLevels(std::int64_t divisorHalves, WideCount base) {
    auto& levels = m_record.LevelPages;
    for (int i = 1; i < kLevelCount; ++i) {
        std::int64_t pages = 0;
        if (!FloorDivHalves(levels[i - 1], divisorHalves, pages) || !StoreInt32(pages, levels[i]))
            return false;
        if (2 * std::int64_t{levels[i]} >= divisorHalves)
            continue;

        // The top is reached at level i. The last level has no level above it
        // to take the extra page, so an index that tops out there cannot be sized.
        if (i == kLevelCount - 1)
            return false;
        const std::int64_t k = RoundHalvesToEven(divisorHalves);
        std::int32_t m = 0;
        if (!StoreInt32(base, m) || k == 0)
            return false;
        // The extra page depends on the base count, not on the level below the top.
        if (m % k != 0)
            levels[i + 1] = 1;
        if (levels[i] == levels[i + 1])
            ++levels[i];
        return true;
    }
    return true;
}

} // namespace quorvel
