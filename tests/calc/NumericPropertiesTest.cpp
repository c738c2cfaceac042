// Properties of the numeric rules over many generated texts, each checked
// against an answer worked out another way: plain digits are read on a quick
// road and any other spelling of the same number on the full one, so both
// must agree; values agree with the C library's strtod; halves go to the even
// neighbour for the run and away from zero for the forms; whole numbers of up
// to 128 bits print their decimal digits, grouped by three.

#include "calc/NumericText.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

namespace quorvel::testing {
namespace {

using numtext::Fit;
__extension__ typedef unsigned __int128 Magnitude;

std::string Grouped(const std::string& digits) {
    std::string out;
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0)
            out.push_back(',');
        out.push_back(digits[i]);
    }
    return out;
}

// What every reading of one number gives, in one comparable text.
std::string Readings(const std::string& text) {
    const numtext::Int16Conversion i16 = numtext::ToInt16(text);
    const numtext::Int32Conversion i32 = numtext::ToInt32(text);
    const std::optional<double> value = numtext::ToDouble(text);
    return std::to_string(numtext::IsNumeric(text)) + " int16 " + std::to_string(static_cast<int>(i16.fit)) +
           ":" + std::to_string(i16.value) + " int32 " + std::to_string(static_cast<int>(i32.fit)) + ":" +
           std::to_string(i32.value) + " double " + (value ? std::to_string(*value) : "none") + " forms " +
           numtext::GroupedForm(text) + " " + numtext::PlainForm(text);
}

TEST(NumericProperties, EverySpellingOfADigitStringReadsAlike) {
    std::mt19937_64 random(7);
    for (int round = 0; round < 3000; ++round) {
        // Lengths around the 16- and 32-bit limits and past the quick road's 18 digits.
        const std::size_t length = 1 + random() % 21;
        std::string digits;
        for (std::size_t i = 0; i < length; ++i)
            digits.push_back(
                static_cast<char>('0' + (i == 0 && random() % 4 != 0 ? 1 + random() % 9 : random() % 10)));
        if (round % 7 == 0)
            digits = std::to_string(32760 + random() % 16); // at the 16-bit limit
        if (round % 11 == 0)
            digits = std::to_string(2147483640 + random() % 16); // at the 32-bit limit

        const std::string significant =
            digits.substr(std::min(digits.find_first_not_of('0'), digits.size() - 1));
        const std::string base = Readings(digits);
        for (const std::string& spelling :
             {" " + digits, digits + "\t", "+" + digits, digits + ".0", digits + ".000", digits + "e0",
              "0" + digits, Grouped(significant), digits + "0e-1", "\xE3\x80\x80" + digits}) {
            ASSERT_EQ(Readings(spelling), base) << "\"" << spelling << "\" against \"" << digits << "\"";
        }

        // The value itself, for texts short enough to hold in 64 bits.
        if (significant.size() <= 18) {
            const long long value = std::stoll(significant);
            const numtext::Int16Conversion i16 = numtext::ToInt16(digits);
            const numtext::Int32Conversion i32 = numtext::ToInt32(digits);
            EXPECT_EQ(i16.fit, value <= INT16_MAX ? Fit::Fits : Fit::TooLarge) << digits;
            EXPECT_EQ(i32.fit, value <= INT32_MAX ? Fit::Fits : Fit::TooLarge) << digits;
            if (value <= INT32_MAX) {
                EXPECT_EQ(i32.value, value) << digits;
            }
        }
        EXPECT_EQ(numtext::PlainForm(digits), significant);
        EXPECT_EQ(numtext::GroupedForm(digits), Grouped(significant));
        EXPECT_EQ(numtext::ToInt32("-" + digits).fit,
                  significant.size() <= 10 && std::stoll(significant) <= 2147483648LL ? Fit::Fits
                                                                                      : Fit::TooSmall)
            << digits;
    }
}

TEST(NumericProperties, HalvesGoToEvenForTheRunAndAwayFromZeroForTheForms) {
    std::mt19937 random(11);
    for (int round = 0; round < 3000; ++round) {
        const long long whole = static_cast<long long>(random() % 70000) - 35000;
        // 0.5 exactly, and just either side of it.
        const char* const fractions[] = {"5", "4999", "5001", "51", "50", "05"};
        const std::string fraction = fractions[random() % std::size(fractions)];
        const bool negative = whole < 0 || (whole == 0 && random() % 2 == 0);
        const long long magnitude = std::llabs(whole);
        const std::string text = (negative ? "-" : "") + std::to_string(magnitude) + "." + fraction;

        const double part = std::stod("0." + fraction);
        const long long away = part >= 0.5 ? magnitude + 1 : magnitude;
        const long long toEven =
            part > 0.5 || (part == 0.5 && magnitude % 2 == 1) ? magnitude + 1 : magnitude;
        const long long run = negative ? -toEven : toEven;
        const numtext::Int32Conversion i32 = numtext::ToInt32(text);
        EXPECT_EQ(i32.fit, Fit::Fits) << text;
        EXPECT_EQ(i32.value, run) << text;
        const numtext::Int16Conversion i16 = numtext::ToInt16(text);
        const bool fits16 = run >= INT16_MIN && run <= INT16_MAX;
        EXPECT_EQ(i16.fit, fits16 ? Fit::Fits : run > 0 ? Fit::TooLarge : Fit::TooSmall) << text;

        const std::string awayText = std::to_string(away);
        const std::string sign = negative && away != 0 ? "-" : "";
        EXPECT_EQ(numtext::PlainForm(text), sign + awayText) << text;
        EXPECT_EQ(numtext::GroupedForm(text), sign + Grouped(awayText)) << text;
    }
}

TEST(NumericProperties, ValuesAgreeWithStrtod) {
    std::mt19937_64 random(13);
    for (int round = 0; round < 5000; ++round) {
        std::string text = random() % 3 == 0 ? "-" : "";
        const std::size_t digits = random() % 16;
        for (std::size_t i = 0; i < digits; ++i)
            text.push_back(static_cast<char>('0' + random() % 10));
        if (digits == 0 || random() % 2 == 0) {
            text.push_back('.');
            for (std::size_t i = 0, n = 1 + random() % 8; i < n; ++i)
                text.push_back(static_cast<char>('0' + random() % 10));
        }
        if (random() % 2 == 0) // exponents from well above the subnormal values to past the largest
            text += "e" + std::to_string(static_cast<int>(random() % 620) - 290);

        char* end = nullptr;
        const double expected = std::strtod(text.c_str(), &end);
        ASSERT_EQ(*end, '\0') << text;
        const std::optional<double> value = numtext::ToDouble(text);
        EXPECT_EQ(numtext::IsNumeric(text), std::isfinite(expected)) << text;
        ASSERT_EQ(value.has_value(), std::isfinite(expected)) << text;
        if (value) {
            EXPECT_EQ(*value, expected) << text;
        }
    }
}

TEST(NumericProperties, WholeNumbersPrintTheirDigits) {
    std::mt19937_64 random(17);
    for (int round = 0; round < 3000; ++round) {
        const unsigned bits = 1 + static_cast<unsigned>(random() % 127);
        Magnitude magnitude = (static_cast<Magnitude>(random()) << 64) | random();
        magnitude >>= 128 - bits;
        const bool negative = random() % 2 == 0;
        const numtext::BigCount value =
            negative ? -static_cast<numtext::BigCount>(magnitude) : static_cast<numtext::BigCount>(magnitude);

        std::string digits;
        for (Magnitude rest = magnitude; digits.empty() || rest != 0; rest /= 10)
            digits.insert(digits.begin(), static_cast<char>('0' + static_cast<int>(rest % 10)));
        const std::string sign = negative && magnitude != 0 ? "-" : "";

        char buffer[64];
        EXPECT_EQ(numtext::FormatPlain(value, buffer), sign + digits);
        EXPECT_EQ(numtext::FormatGrouped(value, buffer), sign + Grouped(digits));
        if (bits < 64) {
            EXPECT_EQ(numtext::ResultForm(static_cast<std::int64_t>(value)), sign + Grouped(digits) + " ");
        }
    }
}

} // namespace
} // namespace quorvel::testing
