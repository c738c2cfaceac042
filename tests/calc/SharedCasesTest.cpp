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
    const Cells cells = RunOnFreshWindow(ToTableTexts(sc));
    EXPECT_EQ(cells.message, sc.message);
    for (std::size_t i = 0; i < cells.lblData.size(); ++i)
        EXPECT_EQ(cells.lblData[i], sc.lblData[i]) << "lblData(" << i << ")";
    for (std::size_t i = 0; i < cells.lblLevel.size(); ++i)
        EXPECT_EQ(cells.lblLevel[i], sc.lblLevel[i]) << "lblLevel(" << i << ")";
    for (std::size_t i = 0; i < cells.lblTotal.size(); ++i)
        EXPECT_EQ(cells.lblTotal[i], sc.lblTotal[i]) << "lblTotal(" << i << ")";
}

// The tool's single call gives what the window's three steps give.
TEST_P(SharedCasesTest, CheckAndRunAgreesWithTheSteps)
{
    const TableTexts texts = ToTableTexts(GetParam());
    basSQLSIZE engine;
    const RunResult together = CheckAndRun(texts, engine);

    RunMessage refused = ValidateInputs(texts);
    if (refused == RunMessage::None)
        refused = CheckConversions(texts);
    if (refused != RunMessage::None) {
        EXPECT_EQ(together.failure, refused);
        EXPECT_FALSE(together.data.has_value());
        return;
    }
    basSQLSIZE stepsEngine;
    const RunResult steps = RunEstimates(texts, stepsEngine);
    EXPECT_EQ(together.failure, steps.failure);
    EXPECT_EQ(together.data.has_value(), steps.data.has_value());
    EXPECT_EQ(together.nonClustered.size(), steps.nonClustered.size());
    ASSERT_EQ(together.totals.has_value(), steps.totals.has_value());
    if (steps.totals) {
        EXPECT_EQ(together.totals->totalPages, steps.totals->totalPages);
        EXPECT_EQ(together.totals->tableBytes, steps.totals->tableBytes);
    }
}

struct CaseName {
    std::string operator()(const ::testing::TestParamInfo<SharedCase>& c) const { return c.param.name; }
};

INSTANTIATE_TEST_SUITE_P(File, SharedCasesTest, ::testing::ValuesIn(LoadSharedCases(QUORVEL_SHARED_CASES)),
                         CaseName());

} // namespace
} // namespace quorvel::testcases
