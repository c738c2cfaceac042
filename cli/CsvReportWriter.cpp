// The CSV view of the quorvel-size report.

#include "cli/CsvReportWriter.h"

#include <array>
#include <cstdint>

namespace quorvel::cli {

namespace {

void AppendField(std::string& out, std::string_view text) {
    const std::string printable = Printable(text);
    if (printable.find_first_of(",\"\r\n") == std::string::npos) {
        out += printable;
        return;
    }
    out.push_back('"');
    for (const char c : printable) {
        if (c == '"')
            out.push_back('"');
        out.push_back(c);
    }
    out.push_back('"');
}

// table,structure,rowSize,rowsPerPage,pages: empty sizes are left out.
void AppendStart(std::string& out, std::string_view table, std::string_view structure) {
    AppendField(out, table);
    out.push_back(',');
    out += structure;
}

void AppendStructure(std::string& out, std::string_view table, std::string_view structure,
                     std::int64_t rowSize, std::int64_t rowsPerPage, BigCount pages,
                     const LevelTable* levels) {
    AppendStart(out, table, structure);
    out.push_back(',');
    if (rowSize >= 0) {
        AppendDecimal(out, rowSize);
        out.push_back(',');
        AppendDecimal(out, rowsPerPage);
    } else {
        out.push_back(',');
    }
    out.push_back(',');
    AppendDecimal(out, pages);
    for (std::size_t k = 0; k < kLevelCount; ++k) {
        out.push_back(',');
        if (levels != nullptr)
            AppendDecimal(out, (*levels)[k]);
    }
    out.push_back('\n');
}

std::string TableName(const TableOutcome& outcome) {
    return outcome.record.name.empty() ? "[" + std::to_string(outcome.ordinal) + "]" : outcome.record.name;
}

} // namespace

void CsvReportWriter::Begin(std::string& out) {
    out += "table,structure,rowSize,rowsPerPage,pages";
    for (int k = 0; k < kLevelCount; ++k)
        out += ",level" + std::to_string(k);
    out.push_back('\n');
}

void CsvReportWriter::Table(const TableOutcome& outcome, std::string& out) {
    const std::string table = TableName(outcome);
    if (outcome.status == TableStatus::Described) {
        AppendStart(out, table, StatusName(outcome.status));
        out.push_back('\n');
        return;
    }
    if (outcome.status != TableStatus::Succeeded) {
        AppendStart(out, table, StatusName(outcome.status));
        out.push_back(',');
        AppendField(out, ProblemText(outcome, m_language));
        out.push_back('\n');
        return;
    }
    const TableEstimate& r = *outcome.result;
    AppendStructure(out, table, "data", r.data->DataRowSize, r.data->DataRowsPerPage, r.data->DataPages, nullptr);
    if (r.clustered->present)
        AppendStructure(out, table, "clustered", r.clustered->ClusteredRowSize, r.clustered->ClusteredRowsPerPage,
                        r.clustered->ClusteredPages, &r.clustered->levels);
    for (std::size_t i = 0; i < r.nonClustered.size(); ++i) {
        const NonClusteredEstimate& f = r.nonClustered[i];
        if (f.present)
            AppendStructure(out, table, SectionPath(TableSection::NonClustered, i), f.LeafRowSize,
                            f.LeafRowsPerPage, f.NonClusteredPages, &f.levels);
    }
    if (r.totals->textPages != 0)
        AppendStructure(out, table, "text", -1, 0, r.totals->textPages, nullptr);
    AppendStructure(out, table, "total", -1, 0, r.totals->totalPages, nullptr);
}

void CsvReportWriter::End(const DatabaseTotals& totals, std::string& out) {
    AppendStructure(out, "", "database", -1, 0, totals.pages, nullptr);
}

} // namespace quorvel::cli
