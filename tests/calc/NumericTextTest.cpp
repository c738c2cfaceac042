// Numeric text: which texts are numbers, how they round into integer fields,
// and how they read in the grouped and plain forms.

#include "NumericText.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>

namespace quorvel::numtext {
namespace {

// Each row of a table is named for what it shows.
struct RowName {
    template <class Param>
    std::string operator()(const ::testing::TestParamInfo<Param>& row) const
    {
        return row.param.name;
    }
};

struct NumericRow {
    const char* name;
    std::string text;
    bool numeric;
    double value; // checked only when numeric
};

class IsNumericTest : public ::testing::TestWithParam<NumericRow> {};

TEST_P(IsNumericTest, AgreesWithToDouble)
{
    const NumericRow& row = GetParam();
    EXPECT_EQ(IsNumeric(row.text), row.numeric);
    const auto value = ToDouble(row.text);
    ASSERT_EQ(value.has_value(), row.numeric);
    if (row.numeric) {
        EXPECT_DOUBLE_EQ(*value, row.value);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Texts, IsNumericTest,
    ::testing::Values(
        NumericRow{"PlainDigits", "1962", true, 1962},
        NumericRow{"Grouped", "1,234,567", true, 1234567},
        NumericRow{"SeparatorsNotInThrees", "12,34", true, 1234},
        NumericRow{"BlanksAround", " 12 ", true, 12},
        NumericRow{"TabsAround", "\t12\t", true, 12},
        NumericRow{"FullWidthSpaceAround", "\xE3\x80\x80" "12" "\xE3\x80\x80", true, 12},
        NumericRow{"LeadingPlus", "+7", true, 7},
        NumericRow{"LeadingMinus", "-7", true, -7},
        NumericRow{"Fraction", "12.5", true, 12.5},
        NumericRow{"FractionOnly", ".5", true, 0.5},
        NumericRow{"TrailingPoint", "5.", true, 5},
        NumericRow{"Exponent", "1e3", true, 1000},
        NumericRow{"ExponentUpperSigned", "25E-1", true, 2.5},
        NumericRow{"GroupedWithExponent", "1,5e2", true, 1500},
        NumericRow{"LeadingZeros", "007", true, 7},
        NumericRow{"NegativeZero", "-0", true, 0},
        NumericRow{"LargestDouble", "1.7976931348623157e308", true, 1.7976931348623157e308},
        NumericRow{"UnderflowIsZero", "1e-400", true, 0},
        NumericRow{"ZeroWithHugeExponent", "0e99999999999999999999", true, 0},
        NumericRow{"Empty", "", false, 0},
        NumericRow{"BlanksOnly", "   ", false, 0},
        NumericRow{"CommaOnly", ",", false, 0},
        NumericRow{"LeadingComma", ",5", false, 0},
        NumericRow{"SignOnly", "-", false, 0},
        NumericRow{"PointOnly", ".", false, 0},
        NumericRow{"ExponentWithoutDigits", "1e", false, 0},
        NumericRow{"ExponentSignWithoutDigits", "1e+", false, 0},
        NumericRow{"ExponentWithoutMantissa", "e3", false, 0},
        NumericRow{"CommaInFraction", "1.2,3", false, 0},
        NumericRow{"CommaInExponent", "1e1,0", false, 0},
        NumericRow{"TwoPoints", "1.2.3", false, 0},
        NumericRow{"Letters", "abc", false, 0},
        NumericRow{"Hexadecimal", "0x10", false, 0},
        NumericRow{"BlankInside", "1 2", false, 0},
        NumericRow{"BlankAfterSign", "- 5", false, 0},
        NumericRow{"TwoSigns", "+-5", false, 0},
        NumericRow{"FullWidthDigits", "\xEF\xBC\x91\xEF\xBC\x92", false, 0},
        NumericRow{"BeyondDoubleRange", "1e400", false, 0},
        NumericRow{"JustBeyondLargestDouble", "1.8e308", false, 0},
        NumericRow{"HugeExponent", "1e99999999999999999999", false, 0},
        NumericRow{"HugeNegativeBeyondRange", "-1e400", false, 0}),
    RowName());

struct IntRow {
    const char* name;
    std::string text;
    Fit fit16;
    std::int16_t value16; // checked only when it fits
    Fit fit32;
    std::int32_t value32;
};

class ToIntTest : public ::testing::TestWithParam<IntRow> {};

TEST_P(ToIntTest, RoundsHalfToEvenThenChecksTheRange)
{
    const IntRow& row = GetParam();
    const Int16Conversion c16 = ToInt16(row.text);
    EXPECT_EQ(c16.fit, row.fit16);
    if (row.fit16 == Fit::Fits) {
        EXPECT_EQ(c16.value, row.value16);
    }
    const Int32Conversion c32 = ToInt32(row.text);
    EXPECT_EQ(c32.fit, row.fit32);
    if (row.fit32 == Fit::Fits) {
        EXPECT_EQ(c32.value, row.value32);
    }
}

constexpr Fit kFits = Fit::Fits;
constexpr Fit kLarge = Fit::TooLarge;
constexpr Fit kSmall = Fit::TooSmall;
constexpr Fit kNot = Fit::NotNumeric;

INSTANTIATE_TEST_SUITE_P(
    Texts, ToIntTest,
    ::testing::Values(
        IntRow{"HalfDownToEven", "12.5", kFits, 12, kFits, 12},
        IntRow{"HalfUpToEven", "13.5", kFits, 14, kFits, 14},
        IntRow{"NegativeHalfToEven", "-2.5", kFits, -2, kFits, -2},
        IntRow{"NegativeHalfAwayToEven", "-3.5", kFits, -4, kFits, -4},
        IntRow{"JustAboveHalf", "12.5000000000000000001", kFits, 13, kFits, 13},
        IntRow{"JustBelowHalf", "12.4999999999999999999", kFits, 12, kFits, 12},
        IntRow{"HalfOfZero", "0.5", kFits, 0, kFits, 0},
        IntRow{"SmallFraction", "0.05", kFits, 0, kFits, 0},
        IntRow{"Grouped", "1,500", kFits, 1500, kFits, 1500},
        IntRow{"Blanks", " 12 ", kFits, 12, kFits, 12},
        IntRow{"Exponent", "1e3", kFits, 1000, kFits, 1000},
        IntRow{"NegativeExponentHalf", "125e-1", kFits, 12, kFits, 12},
        IntRow{"Int16Max", "32767", kFits, 32767, kFits, 32767},
        IntRow{"Int16MaxPlusHalfRoundsUp", "32767.5", kLarge, 0, kFits, 32768},
        IntRow{"Int16MaxPlusLessThanHalf", "32767.4999", kFits, 32767, kFits, 32767},
        IntRow{"Int16MaxPlusOne", "32768", kLarge, 0, kFits, 32768},
        IntRow{"Int16Min", "-32768", kFits, -32768, kFits, -32768},
        IntRow{"Int16MinMinusHalfToEven", "-32768.5", kFits, -32768, kFits, -32768},
        IntRow{"Int16MinMinusOne", "-32769", kSmall, 0, kFits, -32769},
        IntRow{"Int32Max", "2147483647", kLarge, 0, kFits, 2147483647},
        IntRow{"Int32MaxWithLongFraction", "2147483647.4999999999", kLarge, 0, kFits, 2147483647},
        IntRow{"Int32MaxPlusHalf", "2147483647.5", kLarge, 0, kLarge, 0},
        IntRow{"Int32MaxPlusOne", "2147483648", kLarge, 0, kLarge, 0},
        IntRow{"Int32Min", "-2147483648", kSmall, 0, kFits, std::numeric_limits<std::int32_t>::min()},
        IntRow{"Int32MinMinusOne", "-2147483649", kSmall, 0, kSmall, 0},
        IntRow{"PastedHugeValue", "1e300", kLarge, 0, kLarge, 0},
        IntRow{"PastedHugeNegative", "-1e300", kSmall, 0, kSmall, 0},
        IntRow{"TinyIsZero", "1e-300", kFits, 0, kFits, 0},
        IntRow{"NegativeRoundingToZero", "-0.4", kFits, 0, kFits, 0},
        IntRow{"NotNumeric", "abc", kNot, 0, kNot, 0},
        IntRow{"Empty", "", kNot, 0, kNot, 0},
        IntRow{"BeyondDouble", "1e400", kNot, 0, kNot, 0}),
    RowName());

struct FormRow {
    const char* name;
    std::string text;
    std::string grouped;
    std::string plain;
};

class WholeFormTest : public ::testing::TestWithParam<FormRow> {};

TEST_P(WholeFormTest, GroupedAndPlain)
{
    const FormRow& row = GetParam();
    EXPECT_EQ(GroupedForm(row.text), row.grouped);
    EXPECT_EQ(PlainForm(row.text), row.plain);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, WholeFormTest,
    ::testing::Values(
        FormRow{"Zero", "0", "0", "0"},
        FormRow{"ThreeDigits", "999", "999", "999"},
        FormRow{"FourDigits", "1962", "1,962", "1962"},
        FormRow{"Regrouped", "12,34", "1,234", "1234"},
        FormRow{"Million", "1000000", "1,000,000", "1000000"},
        FormRow{"LeadingZeros", "0050", "50", "50"},
        FormRow{"HalfAwayFromZero", "12.5", "13", "13"},
        FormRow{"NegativeHalfAwayFromZero", "-12.5", "-13", "-13"},
        FormRow{"CarryIntoNewDigit", "999.5", "1,000", "1000"},
        FormRow{"NegativeRoundingToZeroLosesSign", "-0.4", "0", "0"},
        FormRow{"NegativeKept", "-1234", "-1,234", "-1234"},
        FormRow{"Blanks", " 12 ", "12", "12"},
        FormRow{"Exponent", "1.5e3", "1,500", "1500"},
        FormRow{"NotNumericUnchanged", "1.2.3", "1.2.3", "1.2.3"},
        FormRow{"EmptyUnchanged", "", "", ""},
        FormRow{"BeyondDoubleUnchanged", "1e400", "1e400", "1e400"}),
    RowName());

TEST(WholeFormTest, PastedHugeValueGivesEveryDigit)
{
    const std::string plain = PlainForm("1e300");
    EXPECT_EQ(plain, "1" + std::string(300, '0'));
    const std::string grouped = GroupedForm("1e300");
    EXPECT_EQ(grouped.size(), 301u + 100u);
    EXPECT_EQ(grouped.substr(0, 5), "1,000");
}

struct ResultRow {
    const char* name;
    std::int64_t value;
    std::string text;
};

class ResultFormTest : public ::testing::TestWithParam<ResultRow> {};

TEST_P(ResultFormTest, GroupedWithTrailingBlank)
{
    EXPECT_EQ(ResultForm(GetParam().value), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Values, ResultFormTest,
    ::testing::Values(
        ResultRow{"Zero", 0, "0 "},
        ResultRow{"Small", 999, "999 "},
        ResultRow{"Thousands", 1234, "1,234 "},
        ResultRow{"Negative", -1234, "-1,234 "},
        ResultRow{"Beyond32Bits", 2170880LL * 1000, "2,170,880,000 "},
        ResultRow{"Largest", std::numeric_limits<std::int64_t>::max(), "9,223,372,036,854,775,807 "},
        ResultRow{"Smallest", std::numeric_limits<std::int64_t>::min(), "-9,223,372,036,854,775,808 "}),
    RowName());

} // namespace
} // namespace quorvel::numtext
