#pragma once
// Numbers as the user types, pastes and reads them.
//
// One set of rules serves field editing, the validation before a run, the run
// itself and the command-line tool, so that a text is numeric in one place
// exactly when it is numeric in the others.
//
// A numeric text: optional blanks around it, an optional sign, digits with
// optional "," group separators, an optional decimal part and an optional
// exponent ("1,234", " 12 ", "-7", "12.5", "1e3", ".5"). The empty text is not
// numeric, and neither is a value beyond the range of a double. Qt-free.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace quorvel::numtext {

bool IsNumeric(std::string_view text);

// The value as a double; nullopt when the text is not numeric.
std::optional<double> ToDouble(std::string_view text);

// Where a numeric text lies against the range of an integer destination,
// after rounding a fraction half to even (12.5 gives 12, 13.5 gives 14).
enum class Fit { NotNumeric, Fits, TooLarge, TooSmall };

struct Int16Conversion { Fit fit; std::int16_t value; };
struct Int32Conversion { Fit fit; std::int32_t value; };

Int16Conversion ToInt16(std::string_view text);
Int32Conversion ToInt32(std::string_view text);

// "#,##0": grouped digits, the fraction rounded half away from zero, a minus
// sign kept for a nonzero result. A text that is not numeric comes back as it is.
std::string GroupedForm(std::string_view text);

// "###0": the same without group separators.
std::string PlainForm(std::string_view text);

// "#,##0 " for a result cell: grouped digits and one trailing blank (0 gives "0 ").
std::string ResultForm(std::int64_t value);

// Whole numbers beyond 64 bits: sums over a whole database of tables.
__extension__ typedef __int128 BigCount;

// "#,##0" of a whole number written into the caller's buffer, without touching
// the heap: 1234567 gives "1,234,567", -5 gives "-5".
std::string_view FormatGrouped(BigCount value, char (&buffer)[64]);

// The same without group separators ("1234567").
std::string_view FormatPlain(BigCount value, char (&buffer)[64]);

} // namespace quorvel::numtext
