#pragma once
// The CSV view of the quorvel-size report (--csv), for spreadsheets: a header,
// then one line a table and structure, then the database.
//
//   table,structure,rowSize,rowsPerPage,pages,level0,...,level14
//   orders,data,102,19,5264,,...
//   orders,nonClustered[0],11,183,552,547,4,1,0,...
//   orders,total,,,5816,,...
//   big,refused,"orders.jsonl:2:58: data.fixedBytes = ""1963"": 1列の…"
//   ,database,,,5816,,...
//
// Structures are named as the input names its sections; an index line gives
// its leaf rows and all fifteen levels. A table from a script adds a "text"
// line for its text pages; one without a row count is a "described" line. A
// table that did not succeed is one line with its status and its message.
// Fields are quoted as RFC 4180 asks; lines end with a line feed.

#include "cli/ReportWriter.h"

namespace quorvel::cli {

class CsvReportWriter : public ReportWriter {
public:
    explicit CsvReportWriter(Language language) : m_language(language) {}
    void Begin(std::string& out) override;
    void Table(const TableOutcome& outcome, std::string& out) override;
    void End(const DatabaseTotals& totals, std::string& out) override;

private:
    Language m_language;
};

} // namespace quorvel::cli
