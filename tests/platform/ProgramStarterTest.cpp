#include "DetachedProgramStarter.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

namespace quorvel {
namespace {

struct SplitRow {
    const char* name;
    QString text;
    bool wholeTextIsAFile;
    QString program;
    QStringList arguments;
};

class SplitCommandTextTest : public ::testing::TestWithParam<SplitRow> {};

TEST_P(SplitCommandTextTest, GivesProgramAndArgument) {
    const SplitRow& row = GetParam();
    const CommandLine line = DetachedProgramStarter::SplitCommandText(
        row.text, [&row](const QString& path) { return row.wholeTextIsAFile && path == row.text; });
    EXPECT_EQ(line.program, row.program);
    EXPECT_EQ(line.arguments, row.arguments);
}

INSTANTIATE_TEST_SUITE_P(
    CommandTexts, SplitCommandTextTest,
    ::testing::Values(
        SplitRow{"BareProgramName", "SQLEW.EXE", false, "SQLEW.EXE", {}},
        SplitRow{
            "ProgramAndOneArgument", "INFOVIEW.EXE SQLBOOKS.MVB", false, "INFOVIEW.EXE", {"SQLBOOKS.MVB"}},
        SplitRow{
            "RestAfterFirstBlankIsOneArgument", "VIEW.EXE MY BOOK.MVB", false, "VIEW.EXE", {"MY BOOK.MVB"}},
        SplitRow{"TrailingBlankGivesNoArgument", "ISQLW.EXE ", false, "ISQLW.EXE", {}},
        SplitRow{
            "ExistingPathWithBlanksStaysWhole", "/opt/sys info/msinfo", true, "/opt/sys info/msinfo", {}},
        SplitRow{"PlainPath", "/usr/bin/hardinfo", true, "/usr/bin/hardinfo", {}},
        SplitRow{"EmptyText", "", false, "", {}}),
    RowName<SplitRow>);

struct StartRow {
    const char* name;
    QString command;
    bool started;
};

class DetachedStartTest : public ::testing::TestWithParam<StartRow> {};

TEST_P(DetachedStartTest, ReportsWhetherTheProgramStarted) {
    DetachedProgramStarter starter;
    EXPECT_EQ(starter.Start(GetParam().command), GetParam().started);
}

INSTANTIATE_TEST_SUITE_P(Programs, DetachedStartTest,
                         ::testing::Values(StartRow{"ProgramOnTheSearchPath", "true", true},
                                           StartRow{"ProgramWithArgument", "true SQLBOOKS.MVB", true},
                                           StartRow{"MissingProgram", "SQLEW.EXE", false},
                                           StartRow{"EmptyCommand", "", false}),
                         RowName<StartRow>);

} // namespace
} // namespace quorvel
