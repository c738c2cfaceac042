// The JSON form of the quorvel-size report.
//
// A table:
//   {"table": 1, "name": "orders", "status": "ok",
//    "data": {"rowSize": 102, "rowsPerPage": 19, "pages": 527},
//    "clustered": null or {"rowSize", "rowsPerPage", "pages", "levels": [...]},
//    "nonClustered": [null or {"leafRowSize", "leafRowsPerPage", "leafPages",
//                              "nonLeafRowSize", "nonLeafRowsPerPage", "pages", "levels"}],
//    "totals": {"clusteredPages", "nonClusteredPages", "totalPages", "tableBytes"}}
// status is "ok", "refused" or "failed" (with "message", the window's text) or
// "invalid" (with "error"). A failed table carries the sections finished before
// the failure. "levels" runs from level 0 to the highest level with pages.

#include "JsonReportWriter.h"

#include <array>
#include <cstdint>

namespace quorvel::cli {

namespace {

void Member(std::string& out, const char* key, BigCount value, bool comma = true)
{
    out.push_back('"');
    out += key;
    out += "\":";
    AppendDecimal(out, value);
    if (comma)
        out.push_back(',');
}

void Levels(std::string& out, const std::array<std::int32_t, kLevelCount>& levels)
{
    std::size_t top = 0;
    for (std::size_t k = 0; k < levels.size(); ++k) {
        if (levels[k] != 0)
            top = k;
    }
    out += "\"levels\":[";
    for (std::size_t k = 0; k <= top; ++k) {
        if (k > 0)
            out.push_back(',');
        AppendDecimal(out, levels[k]);
    }
    out.push_back(']');
}

void Figures(std::string& out, const TableEstimate& result)
{
    if (result.data) {
        out += ",\"data\":{";
        Member(out, "rowSize", result.data->rowSize);
        Member(out, "rowsPerPage", result.data->rowsPerPage);
        Member(out, "pages", result.data->pages, false);
        out.push_back('}');
    }
    if (result.clustered) {
        out += ",\"clustered\":";
        if (!result.clustered->present) {
            out += "null";
        } else {
            out.push_back('{');
            Member(out, "rowSize", result.clustered->rowSize);
            Member(out, "rowsPerPage", result.clustered->rowsPerPage);
            Member(out, "pages", result.clustered->pages);
            Levels(out, result.clustered->levels);
            out.push_back('}');
        }
    }
    if (result.clustered) {
        // Listed once the clustered section is done, even when no index finished.
        out += ",\"nonClustered\":[";
        for (std::size_t i = 0; i < result.nonClustered.size(); ++i) {
            const NonClusteredFigures& f = result.nonClustered[i];
            if (i > 0)
                out.push_back(',');
            if (!f.present) {
                out += "null";
                continue;
            }
            out.push_back('{');
            Member(out, "leafRowSize", f.leafRowSize);
            Member(out, "leafRowsPerPage", f.leafRowsPerPage);
            Member(out, "leafPages", f.leafPages);
            Member(out, "nonLeafRowSize", f.nonLeafRowSize);
            Member(out, "nonLeafRowsPerPage", f.nonLeafRowsPerPage);
            Member(out, "pages", f.pages);
            Levels(out, f.levels);
            out.push_back('}');
        }
        out.push_back(']');
    }
    if (result.totals) {
        out += ",\"totals\":{";
        Member(out, "clusteredPages", result.totals->clusteredPages);
        Member(out, "nonClusteredPages", result.totals->nonClusteredPages);
        Member(out, "totalPages", result.totals->totalPages);
        Member(out, "tableBytes", result.totals->tableBytes, false);
        out.push_back('}');
    }
}

const char* StatusText(TableStatus status)
{
    switch (status) {
    case TableStatus::Succeeded: return "ok";
    case TableStatus::Refused: return "refused";
    case TableStatus::Failed: return "failed";
    case TableStatus::Invalid: return "invalid";
    }
    return "invalid";
}

} // namespace

void JsonReportWriter::Begin(std::string& out)
{
    out += "{\"tables\":[";
}

void JsonReportWriter::Table(const TableOutcome& outcome, std::string& out)
{
    out += m_first ? "\n" : ",\n";
    m_first = false;
    out += "{\"table\":";
    AppendDecimal(out, static_cast<BigCount>(outcome.record.ordinal));
    out += ",\"name\":";
    if (outcome.record.name.empty())
        out += "null";
    else
        AppendJsonString(out, outcome.record.name);
    out += ",\"status\":\"";
    out += StatusText(outcome.status);
    out.push_back('"');
    if (outcome.status == TableStatus::Refused || outcome.status == TableStatus::Failed) {
        out += ",\"message\":";
        AppendJsonString(out, MessageText(outcome.message));
    } else if (outcome.status == TableStatus::Invalid) {
        out += ",\"error\":";
        AppendJsonString(out, InvalidTableText(outcome));
    }
    if (outcome.result != nullptr)
        Figures(out, *outcome.result);
    out.push_back('}');
}

void JsonReportWriter::End(const DatabaseTotals& totals, std::string& out)
{
    out += m_first ? "],\n\"database\":{" : "\n],\n\"database\":{";
    Member(out, "tables", static_cast<BigCount>(totals.tables));
    Member(out, "succeeded", static_cast<BigCount>(totals.succeeded));
    Member(out, "pages", totals.pages);
    Member(out, "bytes", totals.bytes, false);
    out += "}}\n";
}

} // namespace quorvel::cli
