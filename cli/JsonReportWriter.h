#pragma once
// The JSON views of the quorvel-size report, written as the tables arrive:
//   --json   one document  {"tables": [ {...}, {...} ], "database": {...}}
//            (one table a line)
//   --jsonl  one object a line per table, then {"database": {...}}

#include "cli/ReportWriter.h"

namespace quorvel::cli {

class JsonReportWriter : public ReportWriter {
public:
    JsonReportWriter(bool lines, Language language) : m_lines(lines), m_language(language) {}
    void Begin(std::string& out) override;
    void Table(const TableOutcome& outcome, std::string& out) override;
    void End(const DatabaseTotals& totals, std::string& out) override;

private:
    bool m_lines;
    Language m_language;
    bool m_first = true;
};

} // namespace quorvel::cli
