// The JSON views of the quorvel-size report.
//
// A table:
//   {"table": 1, "name": "orders", "status": "ok",
//    "data": {"rowSize": 102, "rowsPerPage": 19, "pages": 527},
//    "clustered": null or {"rowSize", "rowsPerPage", "pages", "levels": [...]},
//    "nonClustered": [null or {"leafRowSize", "leafRowsPerPage", "leafPages",
//                              "nonLeafRowSize", "nonLeafRowsPerPage", "pages", "levels"}],
//    "totals": {"clusteredPages", "nonClusteredPages", ["textPages",] "totalPages", "tableBytes"}}
// status is "ok", "refused" or "failed" (with "message", the window's text) or
// "invalid" (with "error"), or "described" (a table of a script without a row
// count: its notes, and the row sizes and rows per page of its data and
// indexes, without pages, levels or totals); the three failures also carry "key" (when one is
// concerned), "source", "line" and "column", and a refusal the "value". A
// failed table carries the sections finished before the failure. "levels"
// runs from level 0 to the highest level with pages; "warnings" lists the
// structures whose rows per page are 0, "notes" what a script's reading
// assumed. Text pages (from a script) are counted in totalPages and tableBytes.
//
// Written with JsonWriter rather than built as nlohmann::json values: a
// library value for every table would cost more than reading, estimating
// and reporting the table, and the database totals are 128-bit, beyond the
// library's numbers.

#include "cli/JsonReportWriter.h"

#include "cli/JsonWriter.h"

namespace quorvel::cli {

namespace {

void Levels(JsonWriter& json, const LevelTable& levels) {
    json.Key("levels").Array();
    for (std::size_t k = 0, shown = LevelsShown(levels); k < shown; ++k)
        json.Number(levels[k]);
    json.End();
}

// Every figure; for a table without a row count (sized false) the row sizes
// and rows per page only.
void Figures(JsonWriter& json, const TableEstimate& result, bool sized) {
    if (result.data) {
        json.Key("data").Object();
        json.Member("rowSize", result.data->DataRowSize);
        json.Member("rowsPerPage", result.data->DataRowsPerPage);
        if (sized)
            json.Member("pages", result.data->DataPages);
        json.End();
    }
    if (result.clustered) {
        const ClusteredEstimate& c = *result.clustered;
        if (!c.present) {
            json.Key("clustered").Null();
        } else {
            json.Key("clustered").Object();
            json.Member("rowSize", c.ClusteredRowSize);
            json.Member("rowsPerPage", c.ClusteredRowsPerPage);
            if (sized) {
                json.Member("pages", c.ClusteredPages);
                Levels(json, c.levels);
            }
            json.End();
        }
        // Listed once the clustered section is done, even when no index finished.
        json.Key("nonClustered").Array();
        for (const NonClusteredEstimate& f : result.nonClustered) {
            if (!f.present) {
                json.Null();
                continue;
            }
            json.Object();
            json.Member("leafRowSize", f.LeafRowSize);
            json.Member("leafRowsPerPage", f.LeafRowsPerPage);
            if (sized)
                json.Member("leafPages", f.LeafPages);
            json.Member("nonLeafRowSize", f.NonLeafRowSize);
            json.Member("nonLeafRowsPerPage", f.NonLeafRowsPerPage);
            if (sized) {
                json.Member("pages", f.NonClusteredPages);
                Levels(json, f.levels);
            }
            json.End();
        }
        json.End();
    }
    if (result.totals && sized) {
        const Totals& t = *result.totals;
        json.Key("totals").Object();
        json.Member("clusteredPages", t.clusteredPages);
        json.Member("nonClusteredPages", t.nonClusteredPages);
        if (t.textPages != 0)
            json.Member("textPages", t.textPages);
        json.Member("totalPages", t.totalPages);
        json.Member("tableBytes", t.tableBytes);
        json.End();
    }
}

void Problem(JsonWriter& json, const TableOutcome& outcome, Language language) {
    if (outcome.status == TableStatus::Invalid) {
        json.Member("error", ProblemText(outcome, language));
    } else {
        json.Member("message", MessageText(outcome.message));
        if (outcome.status == TableStatus::Refused && outcome.where.field != TableField::None)
            json.Member("value", FieldText(outcome.record.description, outcome.where, outcome.where.field));
    }
    if (const std::string key = ProblemKey(outcome); !key.empty())
        json.Member("key", key);
    json.Member("source", ProblemSource(outcome));
    const Place place = ProblemPlace(outcome);
    if (place.line > 0) {
        json.Member("line", static_cast<BigCount>(place.line));
        json.Member("column", static_cast<BigCount>(place.column));
    }
}

void Warnings(JsonWriter& json, const TableOutcome& outcome, Language language) {
    json.Key("warnings").Array();
    for (const ZeroRowsPerPage& w : outcome.warnings) {
        json.Object();
        json.Member("key", SectionPath(w.section.section, w.section.index));
        json.Member("figure", w.key);
        json.Member("message", WarningText(outcome, w, language));
        json.End();
    }
    json.End();
}

} // namespace

void JsonReportWriter::Begin(std::string& out) {
    if (!m_lines)
        out += "{\"tables\":[";
}

void JsonReportWriter::Table(const TableOutcome& outcome, std::string& out) {
    if (!m_lines)
        out += m_first ? "\n" : ",\n";
    m_first = false;
    JsonWriter json(out);
    json.Object();
    json.Member("table", static_cast<BigCount>(outcome.ordinal));
    if (outcome.record.name.empty())
        json.Key("name").Null();
    else
        json.Member("name", outcome.record.name);
    json.Member("status", StatusName(outcome.status));
    if (outcome.status != TableStatus::Succeeded && outcome.status != TableStatus::Described)
        Problem(json, outcome, m_language);
    if (!outcome.warnings.empty())
        Warnings(json, outcome, m_language);
    if (!outcome.record.notes.empty()) {
        json.Key("notes").Array();
        for (const std::string& note : outcome.record.notes)
            json.Text(NoteText(outcome, note, m_language));
        json.End();
    }
    if (outcome.result != nullptr)
        Figures(json, *outcome.result, outcome.status != TableStatus::Described);
    json.End();
    if (m_lines)
        out.push_back('\n');
}

void JsonReportWriter::End(const DatabaseTotals& totals, std::string& out) {
    if (!m_lines)
        out += m_first ? "],\n" : "\n],\n";
    JsonWriter json(out);
    if (m_lines)
        json.Object();
    json.Key("database").Object();
    json.Member("tables", static_cast<BigCount>(totals.tables));
    json.Member("succeeded", static_cast<BigCount>(totals.succeeded));
    if (totals.described != 0)
        json.Member("described", static_cast<BigCount>(totals.described));
    json.Member("dataPages", totals.dataPages);
    json.Member("clusteredPages", totals.clusteredPages);
    json.Member("nonClusteredPages", totals.nonClusteredPages);
    if (totals.textPages != 0)
        json.Member("textPages", totals.textPages);
    json.Member("pages", totals.pages);
    json.Member("bytes", totals.bytes);
    json.End();
    if (m_lines)
        json.End();
    else
        out.push_back('}'); // the report's own object, opened by Begin
    out.push_back('\n');
}

} // namespace quorvel::cli
