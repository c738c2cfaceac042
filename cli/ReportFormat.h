#pragma once
// Small text helpers of the quorvel-size reports: grouped numbers of any size
// the totals reach, display widths of Japanese captions, JSON strings.

#include "NumericText.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace quorvel::cli {

// Sums over a million tables of up to 2^51 bytes each pass 64 bits.
using numtext::BigCount;

// "#,##0": 1234567 gives "1,234,567", -5 gives "-5".
void AppendGrouped(std::string& out, BigCount value);
// Plain decimal digits, for JSON.
void AppendDecimal(std::string& out, BigCount value);

// Columns a text takes in a terminal: half-width katakana and ASCII take one,
// other Japanese characters two.
std::size_t DisplayWidth(std::string_view utf8);

// A JSON string literal, quotes included.
void AppendJsonString(std::string& out, std::string_view utf8);

// A text fit for one report line: control characters become "?".
std::string PrintableLine(std::string_view utf8);

} // namespace quorvel::cli
