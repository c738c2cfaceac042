#pragma once
// The whole-table cases of shared_cases.json, read for the tests of the run and
// of the command-line tool (the window tests read the same file).
//
// A case holds the window's inputs by control name and the texts of every
// result cell after a Calc command on a freshly started window. ToTableDescription
// turns the inputs into the texts of a run; RunOnFreshWindow turns them into
// the cell texts the window would show, so the run, the window and the tool
// are all held to the same expectations.

#include "TableEstimate.h"
#include "NumericText.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <array>
#include <cstddef>
#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace quorvel::testcases {

struct SharedCase {
    std::string name;
    nlohmann::json inputs; // the whole case object
    std::string message;
    std::array<std::string, 24> lblData;
    std::array<std::string, 60> lblLevel;
    std::array<std::string, 4> lblTotal;
};

inline std::vector<SharedCase> LoadSharedCases(const std::string& path)
{
    std::ifstream in(path);
    if (!in)
        throw std::runtime_error("cannot open " + path);
    const nlohmann::json doc = nlohmann::json::parse(in);
    std::vector<SharedCase> cases;
    for (const nlohmann::json& c : doc.at("cases")) {
        SharedCase sc;
        sc.name = c.at("name").get<std::string>();
        sc.inputs = c;
        sc.message = c.at("message").get<std::string>();
        const auto data = c.at("lblData").get<std::vector<std::string>>();
        const auto level = c.at("lblLevel").get<std::vector<std::string>>();
        const auto total = c.at("lblTotal").get<std::vector<std::string>>();
        if (data.size() != 24 || level.size() != 60 || total.size() != 4)
            throw std::runtime_error("case " + sc.name + ": wrong number of result cells");
        std::copy(data.begin(), data.end(), sc.lblData.begin());
        std::copy(level.begin(), level.end(), sc.lblLevel.begin());
        std::copy(total.begin(), total.end(), sc.lblTotal.begin());
        cases.push_back(std::move(sc));
    }
    return cases;
}

// The texts of a run as the window gathers them from its controls.
inline TableDescription ToTableDescription(const SharedCase& sc)
{
    const nlohmann::json& c = sc.inputs;
    const auto txtData = c.at("txtData").get<std::vector<std::string>>();
    const auto txtData1 = c.at("txtData1").get<std::vector<std::string>>();
    const auto txtData2 = c.at("txtData2").get<std::vector<std::string>>();
    const auto txtFillFactor = c.at("txtFillFactor").get<std::vector<std::string>>();
    const auto optNonClaster = c.at("optNonClaster").get<std::vector<int>>();
    const int optClaster = c.at("optClaster").get<int>();

    TableDescription t;
    t.rowCount = txtData.at(0);
    t.data.mode = c.at("optData").get<int>() == 0 ? KeyMode::AllFixed : KeyMode::WithVariable;
    t.data.allFixedBytes = txtData.at(1);
    t.data.fixedBytes = txtData.at(2);
    t.data.variableBytes = txtData.at(3);
    t.data.variableColumns = txtData.at(4);

    t.clustered.mode = static_cast<KeyMode>(optClaster);
    t.clustered.fillFactor = txtFillFactor.at(0);
    t.clustered.allFixedBytes = txtData.at(5);
    t.clustered.fixedBytes = txtData.at(6);
    t.clustered.variableBytes = txtData.at(7);
    t.clustered.variableColumns = txtData.at(8);

    for (std::size_t n = 0; n < 3; ++n) {
        SectionDescription s;
        s.mode = static_cast<KeyMode>(optNonClaster.at(n) - static_cast<int>(3 * n));
        s.fillFactor = txtFillFactor.at(n + 1);
        s.allFixedBytes = txtData1.at(n);
        s.fixedBytes = txtData2.at(3 * n);
        s.variableBytes = txtData2.at(3 * n + 1);
        s.variableColumns = txtData2.at(3 * n + 2);
        t.nonClustered.push_back(s);
    }
    return t;
}

struct Cells {
    std::string message;
    std::array<std::string, 24> lblData;
    std::array<std::string, 60> lblLevel;
    std::array<std::string, 4> lblTotal;
};

// The cells of a freshly started window after one Calc command with these texts.
inline Cells RunOnFreshWindow(const TableDescription& table)
{
    Cells cells;
    cells.lblData.fill("0 ");
    cells.lblLevel.fill("0 ");
    cells.lblTotal.fill("0 ");

    const RunMessage refused = CheckTable(table);
    if (refused != RunMessage::None) {
        cells.message = std::string(MessageText(refused));
        return cells;
    }

    TableEstimator estimator;
    const TableEstimate result = estimator.EstimateChecked(table);
    cells.message = std::string(MessageText(result.failure));
    using numtext::ResultForm;
    if (result.data) {
        cells.lblData[0] = ResultForm(result.data->rowSize);
        cells.lblData[1] = ResultForm(result.data->rowsPerPage);
        cells.lblData[2] = ResultForm(result.data->pages);
    }
    if (result.clustered) {
        cells.lblData[3] = ResultForm(result.clustered->rowSize);
        cells.lblData[4] = ResultForm(result.clustered->rowsPerPage);
        cells.lblData[5] = ResultForm(result.clustered->pages);
        for (std::size_t k = 0; k < 15; ++k)
            cells.lblLevel[k] = ResultForm(result.clustered->levels[k]);
    }
    for (std::size_t n = 0; n < result.nonClustered.size() && n < 3; ++n) {
        const NonClusteredFigures& f = result.nonClustered[n];
        const std::size_t first = 6 * (n + 1);
        cells.lblData[first] = ResultForm(f.leafRowSize);
        cells.lblData[first + 1] = ResultForm(f.leafRowsPerPage);
        cells.lblData[first + 2] = ResultForm(f.leafPages);
        cells.lblData[first + 3] = ResultForm(f.nonLeafRowSize);
        cells.lblData[first + 4] = ResultForm(f.nonLeafRowsPerPage);
        cells.lblData[first + 5] = ResultForm(f.pages);
        for (std::size_t k = 0; k < 15; ++k)
            cells.lblLevel[15 * (n + 1) + k] = ResultForm(f.levels[k]);
    }
    if (result.totals) {
        cells.lblTotal[0] = ResultForm(result.totals->clusteredPages);
        cells.lblTotal[1] = ResultForm(result.totals->nonClusteredPages);
        cells.lblTotal[2] = ResultForm(result.totals->totalPages);
        cells.lblTotal[3] = ResultForm(result.totals->tableBytes);
    }
    return cells;
}

} // namespace quorvel::testcases
