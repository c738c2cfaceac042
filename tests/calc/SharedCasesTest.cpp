// The shared whole-table cases through the run alone: the cells a freshly
// started window would show after one Calc command.

#include "SharedCases.h"

#include <gtest/gtest.h>

#include <string>

namespace quorvel::testcases {
namespace {

class SharedCasesTest : public ::testing::TestWithParam<SharedCase> {};

TEST_P(SharedCasesTest, RunGivesTheExpectedCells)
{
    const SharedCase& sc = GetParam();
    const Cells cells = RunOnFreshWindow(ToTableDescription(sc));
    EXPECT_EQ(cells.message, sc.message);
    for (std::size_t i = 0; i < cells.lblData.size(); ++i)
        EXPECT_EQ(cells.lblData[i], sc.lblData[i]) << "lblData(" << i << ")";
    for (std::size_t i = 0; i < cells.lblLevel.size(); ++i)
        EXPECT_EQ(cells.lblLevel[i], sc.lblLevel[i]) << "lblLevel(" << i << ")";
    for (std::size_t i = 0; i < cells.lblTotal.size(); ++i)
        EXPECT_EQ(cells.lblTotal[i], sc.lblTotal[i]) << "lblTotal(" << i << ")";
}

struct CaseName {
    std::string operator()(const ::testing::TestParamInfo<SharedCase>& c) const { return c.param.name; }
};

INSTANTIATE_TEST_SUITE_P(File, SharedCasesTest, ::testing::ValuesIn(LoadSharedCases(QUORVEL_SHARED_CASES)),
                         CaseName());

} // namespace
} // namespace quorvel::testcases
