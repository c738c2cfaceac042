#pragma once
// The whole-table cases of shared_cases.json, read for the tests of the run and
// of the command-line tool (the window tests read the same file).
//
// A case holds the window's inputs by control name and the texts of every
// result cell after a Calc command on a freshly started window. ToTableTexts
// turns the inputs into the texts of a run; RunOnFreshWindow turns them into
// the cell texts the window would show, so the run, the window and the tool
// are all held to the same expectations.

#include "CalcRun.h"
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
inline TableTexts ToTableTexts(const SharedCase& sc)
{
    const nlohmann::json& c = sc.inputs;
    const auto txtData = c.at("txtData").get<std::vector<std::string>>();
    const auto txtData1 = c.at("txtData1").get<std::vector<std::string>>();
    const auto txtData2 = c.at("txtData2").get<std::vector<std::string>>();
    const auto txtFillFactor = c.at("txtFillFactor").get<std::vector<std::string>>();
    const auto optNonClaster = c.at("optNonClaster").get<std::vector<int>>();
    const int optClaster = c.at("optClaster").get<int>();

    TableTexts t;
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
        SectionTexts s;
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
inline Cells RunOnFreshWindow(const TableTexts& table)
{
    Cells cells;
    cells.lblData.fill("0 ");
    cells.lblLevel.fill("0 ");
    cells.lblTotal.fill("0 ");

    RunMessage refused = ValidateInputs(table);
    if (refused == RunMessage::None)
        refused = CheckConversions(table);
    if (refused != RunMessage::None) {
        cells.message = std::string(MessageText(refused));
        return cells;
    }

    basSQLSIZE engine;
    const RunResult result = RunEstimates(table, engine);
    cells.message = std::string(MessageText(result.failure));
    const ResultCellTexts reached = CellTexts(result);
    const auto fill = [](auto& shown, const auto& written) {
        for (std::size_t i = 0; i < shown.size(); ++i)
            shown[i] = written[i].value_or(shown[i]);
    };
    fill(cells.lblData, reached.lblData);
    fill(cells.lblLevel, reached.lblLevel);
    fill(cells.lblTotal, reached.lblTotal);
    return cells;
}

} // namespace quorvel::testcases
