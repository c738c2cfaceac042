#pragma once
// Small text helpers of the quorvel-size reports: grouped numbers of any size
// the totals reach, sizes in KB to EB, display widths of Japanese captions,
// and texts from the input made fit to print. Every text an input supplies
// (a name, a key, a value, an excerpt) goes through Printable or
// AppendJsonString, so a report is valid UTF-8 whatever bytes came in.

#include "calc/NumericText.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace quorvel::cli {

// Sums over a million tables of up to 2^51 bytes each pass 64 bits.
using numtext::BigCount;

// "#,##0": 1234567 gives "1,234,567", -5 gives "-5".
void AppendGrouped(std::string& out, BigCount value);
// Plain decimal digits, for JSON and CSV.
void AppendDecimal(std::string& out, BigCount value);
// Bytes in the largest unit that keeps the number under 1,024: "2 KB",
// "11.4 MB", "1.0 GB" (KB whole, larger units to a tenth, rounded half up).
std::string SizeText(BigCount bytes);

// Columns a text takes in a terminal: half-width katakana and ASCII take one,
// other characters from U+1100 on two.
std::size_t DisplayWidth(std::string_view utf8);

// At most maxBytes of a text, cut before a whole character and ended with "…"
// when anything was left out.
std::string CutText(std::string_view text, std::size_t maxBytes);

// Valid UTF-8 for one report line: bytes that are not UTF-8, and control
// characters, become "\xHH".
void AppendPrintable(std::string& out, std::string_view bytes);
std::string Printable(std::string_view bytes);

// A JSON string literal, quotes included: control characters escaped, bytes
// that are not UTF-8 written as the text "\xHH".
void AppendJsonString(std::string& out, std::string_view bytes);

} // namespace quorvel::cli
