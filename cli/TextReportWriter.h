#pragma once
// The readable report of quorvel-size: per table every figure the window
// shows, under the window's own captions, numbers aligned on the right.

#include "ReportWriter.h"

namespace quorvel::cli {

class TextReportWriter : public ReportWriter {
public:
    void Begin(std::string& out) override;
    void Table(const TableOutcome& outcome, std::string& out) override;
    void End(const DatabaseTotals& totals, std::string& out) override;
};

} // namespace quorvel::cli
