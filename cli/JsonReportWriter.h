#pragma once
// The JSON form of the quorvel-size report (--json): one document
//   {"tables": [ {...}, {...} ], "database": {...}}
// written as the tables arrive, one table a line, so it streams like the input.

#include "ReportWriter.h"

namespace quorvel::cli {

class JsonReportWriter : public ReportWriter {
public:
    void Begin(std::string& out) override;
    void Table(const TableOutcome& outcome, std::string& out) override;
    void End(const DatabaseTotals& totals, std::string& out) override;

private:
    bool m_first = true;
};

} // namespace quorvel::cli
