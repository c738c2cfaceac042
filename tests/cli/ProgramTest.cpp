// The quorvel-size program itself: its command line, standard input and exit
// statuses, run as a user runs it.

#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>

#include <sys/wait.h>

#include <cstdio>
#include <fstream>
#include <string>

namespace {

struct Outcome {
    std::string out;
    int status = -1;
};

std::string TempFile(const std::string& name, const std::string& text);

// Runs the program through the shell, with a text as its standard input when
// one is given; stderr joins stdout when asked.
Outcome RunProgram(const std::string& arguments, bool withErrors = false, const std::string& input = "")
{
    std::string command = std::string("'") + QUORVEL_SIZE_PROGRAM + "' " + arguments + (withErrors ? " 2>&1" : " 2>/dev/null");
    if (!input.empty())
        command += " < '" + TempFile("quorvel_stdin.txt", input) + "'";
    Outcome outcome;
    std::FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr)
        return outcome;
    char buffer[4096];
    std::size_t got = 0;
    while ((got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0)
        outcome.out.append(buffer, got);
    const int raw = pclose(pipe);
    outcome.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    return outcome;
}

std::string TempFile(const std::string& name, const std::string& text)
{
    // Each test runs in a process of its own, side by side with the others:
    // a folder per process keeps their inputs apart.
    const std::string folder = ::testing::TempDir() + "quorvel_cli_" + std::to_string(::getpid()) + "/";
    std::filesystem::create_directories(folder);
    const std::string path = folder + name;
    std::ofstream(path, std::ios::binary) << text;
    return path;
}

struct ProgramRow {
    const char* name;
    std::string arguments;
    std::string input;
    int status;
    std::string contains;
};

class ProgramTest : public ::testing::TestWithParam<ProgramRow> {};

TEST_P(ProgramTest, AnswersAsAUserExpects)
{
    const ProgramRow& row = GetParam();
    const Outcome outcome = RunProgram(row.arguments, true, row.input);
    EXPECT_EQ(outcome.status, row.status) << outcome.out;
    EXPECT_NE(outcome.out.find(row.contains), std::string::npos) << outcome.out;
}

struct RowName {
    std::string operator()(const ::testing::TestParamInfo<ProgramRow>& row) const { return row.param.name; }
};

INSTANTIATE_TEST_SUITE_P(
    CommandLines, ProgramTest,
    ::testing::Values(
        ProgramRow{"Version", "--version", "", 0, "quorvel-size 1."},
        ProgramRow{"Help", "--help", "", 0, "--format"},
        ProgramRow{"UnknownOption", "--nonsense", "", 2, "nonsense"},
        ProgramRow{"BadFormat", "--format xml", "", 2, "xml"},
        ProgramRow{"MissingFile", "/nonexistent/t.json", "", 2, "quorvel-size: cannot open /nonexistent/t.json"},
        ProgramRow{"EmptyStandardInput", "< /dev/null", "", 0, ""},
        ProgramRow{"TableFromStandardInput", "--json -", "{\"rowCount\": 10000, \"data\": {\"fixedBytes\": 100}}\n", 0,
                   "\"pages\":527"},
        ProgramRow{"MalformedDocument", "--format json", "[{\"rowCount\": 1,\n", 2,
                   "<stdin>:2:1: malformed JSON"},
        ProgramRow{"RefusedTable", "", "{\"rowCount\": 1, \"data\": {\"fixedBytes\": 1963}}\n", 1,
                   "1列の最大ﾊﾞｲﾄ数は、1962までです。"}),
    RowName());

TEST(ProgramFilesTest, SeveralFilesMakeOneDatabase)
{
    const std::string a = TempFile("quorvel_a.json", R"([{"rowCount": 10000, "data": {"fixedBytes": 100}}])");
    const std::string b = TempFile("quorvel_b.jsonl", "{\"rowCount\": 10000, \"data\": {\"fixedBytes\": 100}}\n"
                                                        "{\"rowCount\": \"1,000\", \"data\": {\"fixedBytes\": 100, \"variableBytes\": 50, \"variableColumns\": 2}}\n");
    const Outcome outcome = RunProgram("'" + a + "' '" + b + "'");
    EXPECT_EQ(outcome.status, 0);
    EXPECT_NE(outcome.out.find("[3]\n"), std::string::npos);
    EXPECT_NE(outcome.out.find("ﾍﾟｰｼﾞ総数                              1,138\n"), std::string::npos) << outcome.out;
}

TEST(ProgramFilesTest, GarbageNeverCrashes)
{
    std::string garbage;
    unsigned seed = 12345;
    for (int i = 0; i < 20000; ++i) {
        seed = seed * 1103515245u + 12345u;
        const char pick[] = "{}[]\",:0123456789.eE+-tfnul \n\t\\xyz\xE3\x80\x80\xFF";
        garbage.push_back(pick[(seed >> 16) % (sizeof pick - 1)]);
    }
    const std::string path = TempFile("quorvel_garbage.jsonl", garbage);
    for (const char* format : {"jsonl", "json", "auto"}) {
        const Outcome outcome = RunProgram(std::string("--format ") + format + " '" + path + "'");
        EXPECT_TRUE(outcome.status == 0 || outcome.status == 1 || outcome.status == 2) << format << " " << outcome.status;
    }
}

} // namespace
