// Numbers as the user types, pastes and reads them.
//
// Every operation first reads the text into an exact decimal: a sign, the
// significant digits and the position of the decimal point. Rounding, range
// checks and the grouped and plain forms then work on those digits, never on a
// double, so a half is a true half (32767.5 is above 32767, 2.5 is exactly
// between 2 and 3) and an exponent of any size cannot overflow anything.

#include "calc/NumericText.h"

#include <charconv>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <system_error>

namespace quorvel::numtext {

namespace {

// A numeric text read exactly: value = sign x 0.digits x 10^pointPos.
// digits has neither leading nor trailing zeros; empty digits means zero.
struct Decimal {
    bool negative = false;
    std::string digits;
    std::int64_t pointPos = 0;
};

// Exponents beyond this are saturated while reading: any value with such an
// exponent is either far outside the double range or rounds to zero, and the
// saturation keeps the position arithmetic inside 64 bits.
constexpr std::int64_t kExponentCap = 1'000'000'000;

// A nonzero value whose first significant digit sits this many places before
// the point is at least 10^309, beyond the largest double.
constexpr std::int64_t kBeyondDoublePointPos = 310;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Blanks allowed around a number: space, tab and the full-width space U+3000.
// The length of the blank that starts at pos (pos <= the text's size).
std::size_t BlankLengthAt(std::string_view text, std::size_t pos)
{
    const std::string_view after = text.substr(pos);
    if (after.starts_with(' ') || after.starts_with('\t'))
        return 1;
    if (after.starts_with("\xE3\x80\x80"))
        return 3;
    return 0;
}

// The length of the blank that ends at end.
std::size_t BlankLengthBefore(std::string_view text, std::size_t end)
{
    const std::string_view before = text.substr(0, end);
    if (before.ends_with(' ') || before.ends_with('\t'))
        return 1;
    if (before.ends_with("\xE3\x80\x80"))
        return 3;
    return 0;
}

std::string_view TrimBlanks(std::string_view text)
{
    std::size_t begin = 0;
    while (std::size_t n = BlankLengthAt(text, begin))
        begin += n;
    std::size_t end = text.size();
    while (end > begin) {
        const std::size_t n = BlankLengthBefore(text, end);
        if (n == 0 || end - n < begin)
            break;
        end -= n;
    }
    return text.substr(begin, end - begin);
}

// Reads the syntax only; the double range is checked by the caller.
std::optional<Decimal> ParseSyntax(std::string_view text)
{
    const std::string_view body = TrimBlanks(text);
    std::size_t pos = 0;
    Decimal result;

    if (pos < body.size() && (body[pos] == '+' || body[pos] == '-')) {
        result.negative = body[pos] == '-';
        ++pos;
    }

    std::string mantissa;
    std::int64_t integerDigits = 0;

    // Integer part: starts with a digit; group separators may follow it.
    if (pos < body.size() && IsDigit(body[pos])) {
        while (pos < body.size() && (IsDigit(body[pos]) || body[pos] == ',')) {
            if (body[pos] != ',') {
                mantissa.push_back(body[pos]);
                ++integerDigits;
            }
            ++pos;
        }
    }

    if (pos < body.size() && body[pos] == '.') {
        ++pos;
        while (pos < body.size() && IsDigit(body[pos]))
            mantissa.push_back(body[pos++]);
    }

    if (mantissa.empty())
        return std::nullopt; // no digit at all: "", "-", ".", "e3"

    std::int64_t exponent = 0;
    if (pos < body.size() && (body[pos] == 'e' || body[pos] == 'E')) {
        ++pos;
        bool negativeExponent = false;
        if (pos < body.size() && (body[pos] == '+' || body[pos] == '-')) {
            negativeExponent = body[pos] == '-';
            ++pos;
        }
        if (pos >= body.size() || !IsDigit(body[pos]))
            return std::nullopt; // "1e", "1e+"
        while (pos < body.size() && IsDigit(body[pos])) {
            if (exponent < kExponentCap)
                exponent = exponent * 10 + (body[pos] - '0');
            ++pos;
        }
        if (negativeExponent)
            exponent = -exponent;
    }

    if (pos != body.size())
        return std::nullopt; // anything left over: "1.2.3", "1 2", "0x10"

    std::size_t firstSignificant = 0;
    while (firstSignificant < mantissa.size() && mantissa[firstSignificant] == '0')
        ++firstSignificant;
    std::size_t lastSignificant = mantissa.size();
    while (lastSignificant > firstSignificant && mantissa[lastSignificant - 1] == '0')
        --lastSignificant;

    if (firstSignificant == lastSignificant) {
        result.negative = false; // every zero is the same zero
        return result;
    }
    result.digits = mantissa.substr(firstSignificant, lastSignificant - firstSignificant);
    result.pointPos = integerDigits - static_cast<std::int64_t>(firstSignificant) + exponent;
    return result;
}

// The decimal as a double; nullopt when its magnitude is beyond the double range.
// A magnitude too small for a double becomes zero.
std::optional<double> DecimalToDouble(const Decimal& d)
{
    if (d.digits.empty())
        return 0.0;
    if (d.pointPos >= kBeyondDoublePointPos)
        return std::nullopt;
    if (d.pointPos < -kBeyondDoublePointPos - 20)
        return d.negative ? -0.0 : 0.0;

    // "-0.<digits>e<pointPos>", read back by the standard library.
    std::string text = d.negative ? "-0." : "0.";
    text += d.digits;
    text += 'e';
    text += std::to_string(d.pointPos);

    // The text is always a well-formed number: the only failure is its range.
    double value = 0.0;
    if (std::from_chars(text.data(), text.data() + text.size(), value).ec == std::errc::result_out_of_range) {
        if (d.pointPos > 0)
            return std::nullopt;
        return d.negative ? -0.0 : 0.0;
    }
    return value;
}

// Whether the decimal lies within the double range. Only a value of 309 digits
// before the point needs the exact test; everything shorter is below 10^308.
bool InDoubleRange(const Decimal& d)
{
    if (d.digits.empty() || d.pointPos < kBeyondDoublePointPos - 1)
        return true;
    if (d.pointPos >= kBeyondDoublePointPos)
        return false;
    return DecimalToDouble(d).has_value();
}

std::optional<Decimal> ParseNumeric(std::string_view text)
{
    auto d = ParseSyntax(text);
    if (!d || !InDoubleRange(*d))
        return std::nullopt;
    return d;
}

// The common text of plain digits ("1962", as typed or as a JSON number
// becomes) read at once; nullopt for anything else, which takes the full road.
std::optional<std::int64_t> PlainDigits(std::string_view text)
{
    if (text.empty() || text.size() > 18)
        return std::nullopt;
    std::int64_t value = 0;
    for (char c : text) {
        if (!IsDigit(c))
            return std::nullopt;
        value = value * 10 + (c - '0');
    }
    return value;
}

enum class Tie { ToEven, AwayFromZero };

// The magnitude rounded to a whole number, as decimal digits without leading
// zeros ("0" for zero). Only called for numeric texts, so pointPos stays small.
std::string RoundedMagnitude(const Decimal& d, Tie tie)
{
    if (d.digits.empty() || d.pointPos < 0)
        return "0"; // below 0.1: rounds to zero either way

    const auto intLen = static_cast<std::size_t>(d.pointPos);
    std::string whole;
    std::string_view fraction;
    if (intLen >= d.digits.size()) {
        whole = d.digits;
        whole.append(intLen - d.digits.size(), '0');
    } else {
        whole = d.digits.substr(0, intLen);
        fraction = std::string_view(d.digits).substr(intLen);
    }
    if (whole.empty())
        whole.push_back('0');

    bool roundUp = false;
    if (!fraction.empty()) {
        const char first = fraction.front();
        if (first > '5') {
            roundUp = true;
        } else if (first == '5') {
            // digits has no trailing zeros: anything after the 5 makes it more than half
            const bool exactHalf = fraction.size() == 1;
            if (!exactHalf || tie == Tie::AwayFromZero)
                roundUp = true;
            else
                roundUp = ((whole.back() - '0') % 2) == 1;
        }
    }

    if (roundUp) {
        std::size_t i = whole.size();
        while (i > 0) {
            --i;
            if (whole[i] == '9') {
                whole[i] = '0';
            } else {
                ++whole[i];
                break;
            }
            if (i == 0)
                whole.insert(whole.begin(), '1');
        }
    }
    return whole;
}

// Copies digits to out with a group separator before every third digit from
// the right; answers the length written (at most digits + digits / 3).
// The one place that groups digits, for texts and for whole numbers alike.
std::size_t WriteGrouped(std::string_view digits, char* out)
{
    std::size_t length = 0;
    const std::size_t n = digits.size();
    for (std::size_t i = 0; i < n; ++i) {
        if (i > 0 && (n - i) % 3 == 0)
            out[length++] = ',';
        out[length++] = digits[i];
    }
    return length;
}

std::string Group(std::string_view digits)
{
    std::string out(digits.size() + digits.size() / 3, '\0');
    out.resize(WriteGrouped(digits, out.data()));
    return out;
}

// The decimal digits of the magnitude of value, most significant first, at
// the end of buffer; answers where they start.
char* MagnitudeDigits(BigCount value, char* end)
{
    __extension__ typedef unsigned __int128 BigMagnitude;
    // Through the unsigned magnitude, so the most negative value has one too.
    BigMagnitude magnitude = value < 0 ? BigMagnitude(0) - BigMagnitude(value) : BigMagnitude(value);
    char* p = end;
    // 128-bit division is slow; most values fit 64 bits and take the quick road.
    while (magnitude > BigMagnitude(UINT64_MAX)) {
        *--p = static_cast<char>('0' + static_cast<int>(magnitude % 10));
        magnitude /= 10;
    }
    auto small = static_cast<std::uint64_t>(magnitude);
    do {
        *--p = static_cast<char>('0' + static_cast<int>(small % 10));
        small /= 10;
    } while (small != 0);
    return p;
}

std::string WholeForm(std::string_view text, bool grouped)
{
    const auto d = ParseNumeric(text);
    if (!d)
        return std::string(text);
    const std::string magnitude = RoundedMagnitude(*d, Tie::AwayFromZero);
    std::string out;
    if (d->negative && magnitude != "0")
        out.push_back('-');
    out += grouped ? Group(magnitude) : magnitude;
    return out;
}

// The rounded whole value against [minimum, maximum]; both bounds fit in 64 bits.
struct WholeFit {
    Fit fit;
    std::int64_t value;
};

WholeFit FitWhole(std::string_view text, std::int64_t minimum, std::int64_t maximum)
{
    if (const auto plain = PlainDigits(text))
        return *plain > maximum ? WholeFit{Fit::TooLarge, 0} : WholeFit{Fit::Fits, *plain};
    const auto d = ParseNumeric(text);
    if (!d)
        return {Fit::NotNumeric, 0};
    const std::string magnitude = RoundedMagnitude(*d, Tie::ToEven);
    // Anything longer than 18 digits is beyond every destination used here.
    if (magnitude.size() > 18)
        return {d->negative ? Fit::TooSmall : Fit::TooLarge, 0};
    std::int64_t value = 0;
    for (char c : magnitude)
        value = value * 10 + (c - '0');
    if (d->negative)
        value = -value;
    if (value > maximum)
        return {Fit::TooLarge, 0};
    if (value < minimum)
        return {Fit::TooSmall, 0};
    return {Fit::Fits, value};
}

} // namespace

bool IsNumeric(std::string_view text)
{
    return PlainDigits(text).has_value() || ParseNumeric(text).has_value();
}

std::optional<double> ToDouble(std::string_view text)
{
    if (const auto plain = PlainDigits(text))
        return static_cast<double>(*plain); // at most 18 digits: exact enough, rounded once
    const auto d = ParseSyntax(text);
    if (!d)
        return std::nullopt;
    return DecimalToDouble(*d);
}

Int16Conversion ToInt16(std::string_view text)
{
    const WholeFit w = FitWhole(text, std::numeric_limits<std::int16_t>::min(),
                                std::numeric_limits<std::int16_t>::max());
    return {w.fit, static_cast<std::int16_t>(w.value)};
}

Int32Conversion ToInt32(std::string_view text)
{
    const WholeFit w = FitWhole(text, std::numeric_limits<std::int32_t>::min(),
                                std::numeric_limits<std::int32_t>::max());
    return {w.fit, static_cast<std::int32_t>(w.value)};
}

std::string GroupedForm(std::string_view text)
{
    return WholeForm(text, true);
}

std::string PlainForm(std::string_view text)
{
    return WholeForm(text, false);
}

std::string ResultForm(std::int64_t value)
{
    char buffer[64];
    std::string out(FormatGrouped(value, buffer));
    out.push_back(' ');
    return out;
}

std::string_view FormatGrouped(BigCount value, char (&buffer)[64])
{
    char digits[48]; // 2^127 has 39 digits
    const char* first = MagnitudeDigits(value, digits + sizeof digits);
    std::size_t length = 0;
    if (value < 0)
        buffer[length++] = '-';
    length += WriteGrouped(std::string_view(first, static_cast<std::size_t>(digits + sizeof digits - first)),
                           buffer + length);
    return std::string_view(buffer, length);
}

std::string_view FormatPlain(BigCount value, char (&buffer)[64])
{
    char* end = buffer + sizeof buffer;
    char* p = MagnitudeDigits(value, end);
    if (value < 0)
        *--p = '-';
    return std::string_view(p, static_cast<std::size_t>(end - p));
}

} // namespace quorvel::numtext
