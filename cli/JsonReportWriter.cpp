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
// count: its notes only); the three failures also carry "key" (when one is
// concerned), "source", "line" and "column", and a refusal the "value". A
// failed table carries the sections finished before the failure. "levels"
// runs from level 0 to the highest level with pages; "warnings" lists the
// structures whose rows per page are 0, "notes" what a script's reading
// assumed. Text pages (from a script) are counted in totalPages and tableBytes.
//
// Written here rather than through nlohmann::json: building each table as a
// library value and dumping it took 12.8 µs a table (2.9 µs when one value is
// reused) on the development machine, against 3.9 µs for reading, estimating
// and reporting a whole table, far more than the 10% the library may cost.
// The database totals are 128-bit, beyond the library's numbers as well.
// Every text goes through AppendJsonString, so the output is valid UTF-8.

#include "cli/JsonReportWriter.h"

#include <array>
#include <cstdint>

namespace quorvel::cli {

namespace {

// "key":value, and a comma unless it is the last.
void Member(std::string& out, std::string_view key, BigCount value, bool comma = true) {
    out.push_back('"');
    out += key;
    out += "\":";
    AppendDecimal(out, value);
    if (comma)
        out.push_back(',');
}

void TextMember(std::string& out, const char* key, std::string_view text) {
    out += ",\"";
    out += key;
    out += "\":";
    AppendJsonString(out, text);
}

void Levels(std::string& out, const LevelTable& levels) {
    out += "\"levels\":[";
    for (std::size_t k = 0, shown = LevelsShown(levels); k < shown; ++k) {
        if (k > 0)
            out.push_back(',');
        AppendDecimal(out, levels[k]);
    }
    out.push_back(']');
}

void Figures(std::string& out, const TableEstimate& result) {
    if (result.data) {
        out += ",\"data\":{";
        Member(out, "rowSize", result.data->DataRowSize);
        Member(out, "rowsPerPage", result.data->DataRowsPerPage);
        Member(out, "pages", result.data->DataPages, false);
        out.push_back('}');
    }
    if (result.clustered) {
        out += ",\"clustered\":";
        if (!result.clustered->present) {
            out += "null";
        } else {
            out.push_back('{');
            Member(out, "rowSize", result.clustered->ClusteredRowSize);
            Member(out, "rowsPerPage", result.clustered->ClusteredRowsPerPage);
            Member(out, "pages", result.clustered->ClusteredPages);
            Levels(out, result.clustered->levels);
            out.push_back('}');
        }
        // Listed once the clustered section is done, even when no index finished.
        out += ",\"nonClustered\":[";
        for (std::size_t i = 0; i < result.nonClustered.size(); ++i) {
            const NonClusteredEstimate& f = result.nonClustered[i];
            if (i > 0)
                out.push_back(',');
            if (!f.present) {
                out += "null";
                continue;
            }
            out.push_back('{');
            Member(out, "leafRowSize", f.LeafRowSize);
            Member(out, "leafRowsPerPage", f.LeafRowsPerPage);
            Member(out, "leafPages", f.LeafPages);
            Member(out, "nonLeafRowSize", f.NonLeafRowSize);
            Member(out, "nonLeafRowsPerPage", f.NonLeafRowsPerPage);
            Member(out, "pages", f.NonClusteredPages);
            Levels(out, f.levels);
            out.push_back('}');
        }
        out.push_back(']');
    }
    if (result.totals) {
        out += ",\"totals\":{";
        Member(out, "clusteredPages", result.totals->clusteredPages);
        Member(out, "nonClusteredPages", result.totals->nonClusteredPages);
        if (result.totals->textPages != 0)
            Member(out, "textPages", result.totals->textPages);
        Member(out, "totalPages", result.totals->totalPages);
        Member(out, "tableBytes", result.totals->tableBytes, false);
        out.push_back('}');
    }
}

const char* StatusText(TableStatus status) {
    static constexpr std::array<const char*, 5> kStatus{"ok", "refused", "failed", "invalid", "described"};
    return kStatus[static_cast<std::size_t>(status)];
}

void Problem(std::string& out, const TableOutcome& outcome, Language language) {
    if (outcome.status == TableStatus::Invalid) {
        TextMember(out, "error", ProblemText(outcome, language));
    } else {
        TextMember(out, "message", MessageText(outcome.message));
        if (outcome.status == TableStatus::Refused && outcome.where.field != TableField::None)
            TextMember(out, "value",
                       FieldText(outcome.record.description, outcome.where, outcome.where.field));
    }
    if (const std::string key = ProblemKey(outcome); !key.empty())
        TextMember(out, "key", key);
    TextMember(out, "source", outcome.source);
    const Place place = ProblemPlace(outcome);
    if (place.line > 0) {
        out.push_back(',');
        Member(out, "line", static_cast<BigCount>(place.line));
        Member(out, "column", static_cast<BigCount>(place.column), false);
    }
}

void Warnings(std::string& out, const TableOutcome& outcome, Language language) {
    out += ",\"warnings\":[";
    for (std::size_t i = 0; i < outcome.warnings.size(); ++i) {
        const ZeroRowsPerPage& w = outcome.warnings[i];
        out += i > 0 ? ",{\"key\":" : "{\"key\":";
        AppendJsonString(out, SectionPath(w.section.section, w.section.index));
        TextMember(out, "figure", w.key);
        TextMember(out, "message", WarningText(outcome, w, language));
        out.push_back('}');
    }
    out.push_back(']');
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
    out += "{\"table\":";
    AppendDecimal(out, static_cast<BigCount>(outcome.ordinal));
    out += ",\"name\":";
    if (outcome.record.name.empty())
        out += "null";
    else
        AppendJsonString(out, outcome.record.name);
    out += ",\"status\":\"";
    out += StatusText(outcome.status);
    out.push_back('"');
    if (outcome.status != TableStatus::Succeeded && outcome.status != TableStatus::Described)
        Problem(out, outcome, m_language);
    if (!outcome.warnings.empty())
        Warnings(out, outcome, m_language);
    if (!outcome.record.notes.empty()) {
        out += ",\"notes\":[";
        for (std::size_t i = 0; i < outcome.record.notes.size(); ++i) {
            if (i > 0)
                out.push_back(',');
            AppendJsonString(out, NoteText(outcome, outcome.record.notes[i], m_language));
        }
        out.push_back(']');
    }
    if (outcome.result != nullptr)
        Figures(out, *outcome.result);
    out += m_lines ? "}\n" : "}";
}

void JsonReportWriter::End(const DatabaseTotals& totals, std::string& out) {
    if (m_lines)
        out += "{\"database\":{";
    else
        out += m_first ? "],\n\"database\":{" : "\n],\n\"database\":{";
    Member(out, "tables", static_cast<BigCount>(totals.tables));
    Member(out, "succeeded", static_cast<BigCount>(totals.succeeded));
    if (totals.described != 0)
        Member(out, "described", static_cast<BigCount>(totals.described));
    Member(out, "dataPages", totals.dataPages);
    Member(out, "clusteredPages", totals.clusteredPages);
    Member(out, "nonClusteredPages", totals.nonClusteredPages);
    if (totals.textPages != 0)
        Member(out, "textPages", totals.textPages);
    Member(out, "pages", totals.pages);
    Member(out, "bytes", totals.bytes, false);
    out += "}}\n";
}

} // namespace quorvel::cli
