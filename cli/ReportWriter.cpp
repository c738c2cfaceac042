// Texts shared by both forms of the quorvel-size report.

#include "ReportWriter.h"

namespace quorvel::cli {

std::string InvalidTableText(const TableOutcome& outcome)
{
    std::string text(outcome.source);
    if (outcome.record.line > 0) {
        text += ":" + std::to_string(outcome.record.line);
        if (outcome.record.column > 0)
            text += ":" + std::to_string(outcome.record.column);
    }
    text += ": ";
    text += outcome.record.error;
    return text;
}

} // namespace quorvel::cli
