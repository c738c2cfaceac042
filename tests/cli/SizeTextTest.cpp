// The sizes of the summary, row by row from tests/cases/report_sizes.json: the
// units change where the rounded number reaches 1,024, one byte either side.

#include "CaseRows.h"
#include "cli/ReportFormat.h"

namespace {

using quorvel::testing::CaseRow;

class SizeText : public ::testing::TestWithParam<CaseRow> {};

TEST_P(SizeText, ShowsTheLargestUnitUnder1024) {
    const std::string digits = GetParam().data.at("bytes").get<std::string>();
    quorvel::cli::BigCount bytes = 0;
    for (const char c : digits)
        bytes = bytes * 10 + (c - '0');
    EXPECT_EQ(quorvel::cli::SizeText(bytes), GetParam().data.at("text").get<std::string>());
}

INSTANTIATE_TEST_SUITE_P(File, SizeText, ::testing::ValuesIn(quorvel::testing::LoadRows("report_sizes.json", "rows")),
                         quorvel::testing::RowName());

} // namespace
