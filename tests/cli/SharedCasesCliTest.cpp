// The window and quorvel-size agree: every shared whole-table case that a JSON
// table can state goes through the tool, and the figures it prints are the
// texts of the window's result cells.

#include "SharedCases.h"
#include "ToolRun.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <string>
#include <vector>

namespace quorvel::cli {
namespace {

using testcases::SharedCase;
using Json = nlohmann::json;

// A section of the window as a JSON table states it, or null for "なし". The
// tool has one fixedBytes per section, so a case is stated only when the field
// the mode does not read still holds its "0".
bool StateSection(const SectionDescription& s, bool index, Json& out)
{
    if (s.mode == KeyMode::None) {
        out = nullptr;
        return s.fillFactor == "0" && s.allFixedBytes == "0" && s.fixedBytes == "0" && s.variableBytes == "0"
            && s.variableColumns == "0";
    }
    out = Json::object();
    if (index)
        out["fillFactor"] = s.fillFactor;
    if (s.mode == KeyMode::AllFixed) {
        out["fixedBytes"] = s.allFixedBytes;
        return s.fixedBytes == "0" && s.variableBytes == "0" && s.variableColumns == "0";
    }
    out["fixedBytes"] = s.fixedBytes;
    out["variableBytes"] = s.variableBytes;
    out["variableColumns"] = s.variableColumns;
    return s.allFixedBytes == "0";
}

bool StateTable(const SharedCase& sc, Json& table)
{
    const TableDescription t = testcases::ToTableDescription(sc);
    table = Json::object();
    table["name"] = sc.name;
    table["rowCount"] = t.rowCount;
    bool stated = StateSection(t.data, false, table["data"]);
    // The data section's own fill factor does not exist in the window.
    stated = StateSection(t.clustered, true, table["clustered"]) && stated;
    table["nonClustered"] = Json::array();
    for (const SectionDescription& s : t.nonClustered) {
        Json index;
        stated = StateSection(s, true, index) && stated;
        table["nonClustered"].push_back(index);
    }
    return stated;
}

std::string Cell(const Json& figures, const char* key)
{
    return numtext::ResultForm(figures.at(key).get<std::int64_t>());
}

// The cells a fresh window shows, read back from the tool's JSON report.
testcases::Cells CellsOf(const Json& t)
{
    testcases::Cells c;
    c.lblData.fill("0 ");
    c.lblLevel.fill("0 ");
    c.lblTotal.fill("0 ");
    c.message = t.value("message", "");
    if (t.contains("data")) {
        c.lblData[0] = Cell(t["data"], "rowSize");
        c.lblData[1] = Cell(t["data"], "rowsPerPage");
        c.lblData[2] = Cell(t["data"], "pages");
    }
    auto levels = [&c](const Json& figures, std::size_t first) {
        const auto& list = figures.at("levels");
        for (std::size_t k = 0; k < list.size(); ++k)
            c.lblLevel[first + k] = numtext::ResultForm(list[k].get<std::int64_t>());
    };
    if (t.contains("clustered") && t["clustered"].is_object()) {
        c.lblData[3] = Cell(t["clustered"], "rowSize");
        c.lblData[4] = Cell(t["clustered"], "rowsPerPage");
        c.lblData[5] = Cell(t["clustered"], "pages");
        levels(t["clustered"], 0);
    }
    if (t.contains("nonClustered")) {
        for (std::size_t n = 0; n < t["nonClustered"].size(); ++n) {
            const Json& f = t["nonClustered"][n];
            if (f.is_null())
                continue;
            const std::size_t s = n + 1;
            const char* keys[] = {"leafRowSize", "leafRowsPerPage", "leafPages", "nonLeafRowSize", "nonLeafRowsPerPage", "pages"};
            for (std::size_t i = 0; i < 6; ++i)
                c.lblData[6 * s + i] = Cell(f, keys[i]);
            levels(f, 15 * s);
        }
    }
    if (t.contains("totals")) {
        c.lblTotal[0] = Cell(t["totals"], "clusteredPages");
        c.lblTotal[1] = Cell(t["totals"], "nonClusteredPages");
        c.lblTotal[2] = Cell(t["totals"], "totalPages");
        c.lblTotal[3] = Cell(t["totals"], "tableBytes");
    }
    return c;
}

void ExpectCells(const SharedCase& sc, const Json& reported)
{
    const testcases::Cells c = CellsOf(reported);
    EXPECT_EQ(c.message, sc.message) << sc.name;
    for (std::size_t i = 0; i < c.lblData.size(); ++i)
        EXPECT_EQ(c.lblData[i], sc.lblData[i]) << sc.name << " lblData(" << i << ")";
    for (std::size_t i = 0; i < c.lblLevel.size(); ++i)
        EXPECT_EQ(c.lblLevel[i], sc.lblLevel[i]) << sc.name << " lblLevel(" << i << ")";
    for (std::size_t i = 0; i < c.lblTotal.size(); ++i)
        EXPECT_EQ(c.lblTotal[i], sc.lblTotal[i]) << sc.name << " lblTotal(" << i << ")";
}

class SharedCasesCliTest : public ::testing::TestWithParam<InputFormat> {};

TEST_P(SharedCasesCliTest, ToolShowsWhatTheWindowShows)
{
    const auto cases = testcases::LoadSharedCases(QUORVEL_SHARED_CASES);
    std::vector<const SharedCase*> stated;
    Json array = Json::array();
    std::string lines;
    for (const SharedCase& sc : cases) {
        Json table;
        if (!StateTable(sc, table))
            continue;
        stated.push_back(&sc);
        array.push_back(table);
        lines += table.dump() + "\n";
    }
    ASSERT_GE(stated.size(), 15u) << "most cases are stated by a JSON table";

    const bool asLines = GetParam() == InputFormat::JsonLines;
    const testing::ToolRun run = testing::RunTool(asLines ? lines : array.dump(2), GetParam(), true);
    EXPECT_EQ(run.err, "");
    const Json report = Json::parse(run.out);
    ASSERT_EQ(report["tables"].size(), stated.size());
    std::size_t succeeded = 0;
    for (std::size_t i = 0; i < stated.size(); ++i) {
        ExpectCells(*stated[i], report["tables"][i]);
        succeeded += stated[i]->message.empty() ? 1 : 0;
    }
    EXPECT_EQ(report["database"]["succeeded"], succeeded);
    EXPECT_EQ(run.status, succeeded == stated.size() ? 0 : 1);
}

INSTANTIATE_TEST_SUITE_P(Forms, SharedCasesCliTest, ::testing::Values(InputFormat::JsonLines, InputFormat::Json),
                         [](const ::testing::TestParamInfo<InputFormat>& f) {
                             return std::string(f.param == InputFormat::JsonLines ? "JsonLines" : "JsonArray");
                         });

} // namespace
} // namespace quorvel::cli
