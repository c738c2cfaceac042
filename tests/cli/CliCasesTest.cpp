// Runs quorvel-size as a user does, once per row of tests/cases/cli_*.json:
// with arguments, standard input and input files written into a scratch
// folder, and the environment the row gives (the locale unset otherwise).
//
// A row:
//   {"name": "...", "args": [...], "stdin": INPUT, "files": {"t.jsonl": INPUT},
//    "scripts": {"s.sql": SCRIPT}, "env": {"LANG": "ja_JP.UTF-8"}, "memory_kb": 262144, "open_files": 16,
//    "stdout_to": "/dev/full", "pipe_into": [...],
//    "status": 1, "stdout": [every line], "lines": [lines found in this order],
//    "stdout_has": [texts found], "stderr": [every line], "stderr_has": [texts found]}
// SCRIPT is a file of tests/cases copied as it is ("scripts/orders.sql"), or
// {"from": FILE, "as": ENCODING, "bom": "\xFF\xFE"}: written in ENCODING
// (iconv from UTF-8) after the raw bytes of "bom". "memory_kb" limits the
// program's address space (ulimit -v), "open_files" the files it may hold
// open at once (ulimit -n).
// "pipe_into" runs the program a second time, with those arguments, on what
// the first run wrote; the row then judges the second run (standard error
// holds both). INPUT is a list of lines, each a text or a list of pieces joined into one
// line; a piece is a text or {"repeat": PIECES, "times": N}. In input texts
// "\xHH" stands for the byte HH. Every output must be valid UTF-8, and the
// JSON views must parse.

#include "CaseRows.h"
#include "Encoded.h"

#include <unistd.h>

#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

using Json = nlohmann::json;
using quorvel::testing::CaseRow;
using quorvel::testing::Encoded;
using quorvel::testing::Unescaped;
namespace fs = std::filesystem;

std::string Pieces(const Json& pieces) {
    if (pieces.is_string())
        return Unescaped(pieces.get<std::string>());
    if (pieces.is_object()) {
        const std::string once = Pieces(pieces.at("repeat"));
        std::string out;
        for (int i = 0; i < pieces.at("times").get<int>(); ++i)
            out += once;
        return out;
    }
    std::string out;
    for (const Json& piece : pieces)
        out += Pieces(piece);
    return out;
}

std::string Input(const Json& lines) {
    std::string text;
    for (const Json& line : lines)
        text += Pieces(line) + "\n";
    return text;
}

std::string Read(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::string Script(const Json& script) {
    if (script.is_string())
        return Read(fs::path(QUORVEL_TEST_CASES) / script.get<std::string>());
    const std::string text = Read(fs::path(QUORVEL_TEST_CASES) / script.at("from").get<std::string>());
    return Unescaped(script.value("bom", "")) + Encoded(text, script.value("as", "UTF-8"));
}

using quorvel::testing::Lines;

std::string Quoted(const std::string& word) {
    std::string out = "'";
    for (char c : word)
        out += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return out + "'";
}

bool ValidUtf8(const std::string& text) {
    try {
        (void)Json(text).dump();
        return true;
    } catch (const Json::exception&) {
        return false;
    }
}

struct Outcome {
    int status = -1;
    std::string out;
    std::string err;
};

Outcome RunRow(const Json& row, const fs::path& folder) {
    fs::remove_all(folder);
    fs::create_directories(folder);
    const Json files = row.value("files", Json::object());
    for (const auto& [name, lines] : files.items())
        std::ofstream(folder / name, std::ios::binary) << Input(lines);
    const Json scripts = row.value("scripts", Json::object());
    for (const auto& [name, script] : scripts.items())
        std::ofstream(folder / name, std::ios::binary) << Script(script);
    std::ofstream(folder / "stdin", std::ios::binary) << Input(row.value("stdin", Json::array()));

    std::string program = "env -u LC_ALL -u LC_MESSAGES -u LANG";
    const Json environment = row.value("env", Json::object());
    for (const auto& [name, value] : environment.items())
        program += " " + Quoted(name + "=" + value.get<std::string>());
    // QUORVEL_SIZE_UNDER_TEST runs the rows against another build, the installed package's.
    const char* underTest = std::getenv("QUORVEL_SIZE_UNDER_TEST");
    program += " " + Quoted(underTest != nullptr && *underTest != '\0' ? underTest : QUORVEL_SIZE_PROGRAM);
    const auto commandLine = [&program](const Json& args) {
        std::string command = program;
        for (const Json& arg : args)
            command += " " + Quoted(arg.get<std::string>());
        return command;
    };
    std::string command = "cd " + Quoted(folder.string()) + " && { ";
    if (row.contains("memory_kb"))
        command += "ulimit -v " + std::to_string(row["memory_kb"].get<long>()) + "; ";
    if (row.contains("open_files"))
        command += "ulimit -n " + std::to_string(row["open_files"].get<long>()) + "; ";
    command += commandLine(row.value("args", Json::array())) + " <stdin";
    if (row.contains("pipe_into"))
        command += " | " + commandLine(row["pipe_into"]);
    command += "; } 2>stderr >" + Quoted(row.value("stdout_to", std::string("stdout")));

    Outcome run;
    const int raw = std::system(command.c_str());
    run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    run.out = Read(folder / "stdout");
    run.err = Read(folder / "stderr");
    return run;
}

void ExpectLinesInOrder(const std::vector<std::string>& lines, const Json& expected) {
    std::size_t at = 0;
    for (const Json& want : expected) {
        while (at < lines.size() && lines[at] != want.get<std::string>())
            ++at;
        EXPECT_LT(at, lines.size()) << "no line (in this order): " << want.get<std::string>();
        at = at < lines.size() ? at + 1 : 0;
    }
}

// The rows of every cli_*.json, file by file.
std::vector<CaseRow> AllRows() {
    std::vector<std::string> files;
    for (const auto& entry : fs::directory_iterator(QUORVEL_TEST_CASES)) {
        const std::string name = entry.path().filename().string();
        if (name.starts_with("cli_") && entry.path().extension() == ".json")
            files.push_back(name);
    }
    std::sort(files.begin(), files.end());
    std::vector<CaseRow> rows;
    for (const std::string& file : files) {
        for (CaseRow& row : quorvel::testing::LoadRows(file, "rows"))
            rows.push_back(std::move(row));
    }
    return rows;
}

class CliCase : public ::testing::TestWithParam<CaseRow> {};

TEST_P(CliCase, BehavesAsTheRowSays) {
    const Json& row = GetParam().data;
    const fs::path folder = fs::path(::testing::TempDir()) / ("quorvel_cli_" + std::to_string(::getpid()));
    const Outcome run = RunRow(row, folder);
    SCOPED_TRACE("stdout:\n" + run.out.substr(0, 4000) + "\nstderr:\n" + run.err.substr(0, 4000));

    EXPECT_EQ(run.status, row.at("status").get<int>());
    EXPECT_TRUE(ValidUtf8(run.out) && ValidUtf8(run.err)) << "output that is not UTF-8";
    const Json args = row.value("pipe_into", row.value("args", Json::array())); // the run judged
    const bool report = !run.out.empty() || run.status != 2;                    // bad usage writes no report
    const auto asked = [&args](const char* view) {
        return std::find(args.begin(), args.end(), view) != args.end();
    };
    if (report && asked("--json")) {
        EXPECT_TRUE(Json::accept(run.out)) << "not one JSON document";
    }
    if (report && asked("--jsonl")) {
        for (const std::string& line : Lines(run.out))
            EXPECT_TRUE(Json::accept(line)) << line;
    }
    if (row.contains("stdout")) {
        EXPECT_EQ(Lines(run.out), row["stdout"].get<std::vector<std::string>>());
    }
    if (row.contains("lines")) {
        ExpectLinesInOrder(Lines(run.out), row["lines"]);
    }
    if (row.contains("stderr")) {
        EXPECT_EQ(Lines(run.err), row["stderr"].get<std::vector<std::string>>());
    }
    for (const Json& text : row.value("stdout_has", Json::array()))
        EXPECT_NE(run.out.find(text.get<std::string>()), std::string::npos) << text;
    for (const Json& text : row.value("stderr_has", Json::array()))
        EXPECT_NE(run.err.find(text.get<std::string>()), std::string::npos) << text;
    fs::remove_all(folder);
}

INSTANTIATE_TEST_SUITE_P(Rows, CliCase, ::testing::ValuesIn(AllRows()), quorvel::testing::RowName());

} // namespace
