// Numbers as the user types, pastes and reads them, over the rows of
// numeric_rows.json.

#include "CaseRows.h"
#include "calc/NumericText.h"

namespace quorvel::testing {
namespace {

using numtext::Fit;

// "fits" rows carry the value itself; the others name how the text misses.
template <typename Conversion>
void ExpectConversion(const Conversion& got, const nlohmann::json& expected) {
    if (expected.is_number()) {
        EXPECT_EQ(got.fit, Fit::Fits);
        EXPECT_EQ(got.value, expected.get<std::int64_t>());
        return;
    }
    const std::string miss = expected.get<std::string>();
    EXPECT_EQ(got.fit, miss == "large" ? Fit::TooLarge : miss == "small" ? Fit::TooSmall : Fit::NotNumeric);
}

numtext::BigCount ParseBig(const std::string& text) {
    numtext::BigCount value = 0;
    const bool negative = text.front() == '-';
    for (const char c : text.substr(negative ? 1 : 0))
        value = value * 10 + (negative ? -(c - '0') : c - '0');
    return value;
}

class Texts : public ::testing::TestWithParam<CaseRow> {};
TEST_P(Texts, NumericAndValue) {
    const nlohmann::json& row = GetParam().data;
    const std::string text = row.at("text");
    EXPECT_EQ(numtext::IsNumeric(text), row.at("numeric").get<bool>());
    const std::optional<double> value = numtext::ToDouble(text);
    ASSERT_EQ(value.has_value(), row.at("numeric").get<bool>());
    if (value) {
        EXPECT_DOUBLE_EQ(*value, row.at("value").get<double>());
    }
}

class Integers : public ::testing::TestWithParam<CaseRow> {};
TEST_P(Integers, RoundHalfToEvenAndFitTheField) {
    const nlohmann::json& row = GetParam().data;
    ExpectConversion(numtext::ToInt16(row.at("text").get<std::string>()), row.at("int16"));
    ExpectConversion(numtext::ToInt32(row.at("text").get<std::string>()), row.at("int32"));
}

class Forms : public ::testing::TestWithParam<CaseRow> {};
TEST_P(Forms, GroupedAndPlain) {
    const nlohmann::json& row = GetParam().data;
    EXPECT_EQ(numtext::GroupedForm(row.at("text").get<std::string>()), row.at("grouped"));
    EXPECT_EQ(numtext::PlainForm(row.at("text").get<std::string>()), row.at("plain"));
}

class WholeNumbers : public ::testing::TestWithParam<CaseRow> {};
TEST_P(WholeNumbers, GroupedPlainAndInACell) {
    const nlohmann::json& row = GetParam().data;
    const numtext::BigCount value = ParseBig(row.at("value"));
    char buffer[64];
    EXPECT_EQ(numtext::FormatGrouped(value, buffer), row.at("grouped").get<std::string>());
    EXPECT_EQ(numtext::FormatPlain(value, buffer), row.at("plain").get<std::string>());
    if (value >= INT64_MIN && value <= INT64_MAX) {
        EXPECT_EQ(numtext::ResultForm(static_cast<std::int64_t>(value)), row.at("grouped").get<std::string>() + " ");
    }
}

INSTANTIATE_TEST_SUITE_P(Rows, Texts, ::testing::ValuesIn(LoadRows("numeric_rows.json", "texts")), RowName());
INSTANTIATE_TEST_SUITE_P(Rows, Integers, ::testing::ValuesIn(LoadRows("numeric_rows.json", "integers")), RowName());
INSTANTIATE_TEST_SUITE_P(Rows, Forms, ::testing::ValuesIn(LoadRows("numeric_rows.json", "forms")), RowName());
INSTANTIATE_TEST_SUITE_P(Rows, WholeNumbers, ::testing::ValuesIn(LoadRows("numeric_rows.json", "wholeNumbers")),
                         RowName());

} // namespace
} // namespace quorvel::testing
