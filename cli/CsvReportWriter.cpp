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

// rowSize -1: none; pages -1: none (a table without a row count).
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
    if (pages >= 0)
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
    const bool sized = outcome.status == TableStatus::Succeeded;
    if (sized || outcome.status == TableStatus::Described) {
        // A table without a row count has its row sizes and rows per page, no pages.
        const auto pages = [sized](BigCount count) { return sized ? count : BigCount{-1}; };
        const TableEstimate& r = *outcome.result;
        AppendStructure(out, table, "data", r.data->DataRowSize, r.data->DataRowsPerPage, pages(r.data->DataPages),
                        nullptr);
        if (r.clustered->present)
            AppendStructure(out, table, "clustered", r.clustered->ClusteredRowSize,
                            r.clustered->ClusteredRowsPerPage, pages(r.clustered->ClusteredPages),
                            sized ? &r.clustered->levels : nullptr);
        for (std::size_t i = 0; i < r.nonClustered.size(); ++i) {
            const NonClusteredEstimate& f = r.nonClustered[i];
            if (f.present)
                AppendStructure(out, table, SectionPath(TableSection::NonClustered, i), f.LeafRowSize,
                                f.LeafRowsPerPage, pages(f.NonClusteredPages), sized ? &f.levels : nullptr);
        }
        if (sized && r.totals->textPages != 0)
            AppendStructure(out, table, "text", -1, 0, r.totals->textPages, nullptr);
        if (sized)
            AppendStructure(out, table, "total", -1, 0, r.totals->totalPages, nullptr);
    }
    if (!sized) {
        AppendStart(out, table, StatusName(outcome.status));
        if (outcome.status != TableStatus::Described) {
            out.push_back(',');
            AppendField(out, ProblemText(outcome, m_language));
        }
        out.push_back('\n');
    }
    for (const std::string& note : outcome.record.notes) {
        AppendStart(out, table, "note");
        out.push_back(',');
        AppendField(out, NoteText(outcome, note, m_language));
        out.push_back('\n');
    }
    for (const ZeroRowsPerPage& warning : outcome.warnings) {
        AppendStart(out, table, "warning");
        out.push_back(',');
        AppendField(out, WarningText(outcome, warning, m_language));
        out.push_back('\n');
    }
}

void CsvReportWriter::End(const DatabaseTotals& totals, std::string& out) {
    AppendStructure(out, "", "database", -1, 0, totals.pages, nullptr);
}

} // namespace quorvel::cli
