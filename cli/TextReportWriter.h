#pragma once
// The text views of quorvel-size: per table every figure the window shows,
// under the window's own captions, numbers aligned on the right; or, as the
// summary (--summary), one line a table with its page totals and its size.

#include "cli/ReportWriter.h"

namespace quorvel::cli {

class TextReportWriter : public ReportWriter {
public:
    TextReportWriter(bool summary, Language language) : m_summary(summary), m_language(language) {}
    void Begin(std::string& out) override;
    void Table(const TableOutcome& outcome, std::string& out) override;
    void End(const DatabaseTotals& totals, std::string& out) override;

private:
    bool m_summary;
    Language m_language;
};

} // namespace quorvel::cli
