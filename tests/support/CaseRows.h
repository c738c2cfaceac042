#pragma once
// Rows of table-driven tests, read from the JSON data files in tests/cases.
//
// A data file holds named lists of rows; each row is an object with a "name"
// that becomes the test's name, so CTest lists every case by what it shows.

#include <nlohmann/json.hpp>

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <ostream>
#include <stdexcept>
#include <string>
#include <vector>

namespace quorvel::testing {

struct CaseRow {
    std::string name;
    nlohmann::json data;
};

inline void PrintTo(const CaseRow& row, std::ostream* out) { *out << row.name; }

// The rows of the list `list` in tests/cases/`file`.
inline std::vector<CaseRow> LoadRows(const std::string& file, const std::string& list) {
    const std::string path = std::string(QUORVEL_TEST_CASES) + "/" + file;
    std::ifstream in(path);
    if (!in)
        throw std::runtime_error("cannot open " + path);
    const nlohmann::json doc = nlohmann::json::parse(in);
    std::vector<CaseRow> rows;
    for (const nlohmann::json& row : doc.at(list))
        rows.push_back({row.at("name").get<std::string>(), row});
    return rows;
}

struct RowName {
    std::string operator()(const ::testing::TestParamInfo<CaseRow>& info) const { return info.param.name; }
};

// The lines of a program's output, without their line ends.
inline std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

} // namespace quorvel::testing
