// Reads the tables of one JSON input of quorvel-size.

#include "cli/TableReader.h"

#include "cli/ReportFormat.h"

namespace quorvel::cli {

namespace {
// Bytes shown of a text that follows a complete value.
constexpr std::size_t kTrailingBytes = 16;
} // namespace

TableReader::TableReader(JsonInput& input, const TableHandler& handler)
    : m_input(input), m_events(input, handler) {}

bool TableReader::Parse() {
    // Not strict: the reader itself looks at what follows the value.
    return nlohmann::json::sax_parse(m_input.begin(), m_input.end(), &m_events,
                                     nlohmann::json::input_format_t::json, false, false);
}

ReadError TableReader::TrailingText() {
    ReadError error;
    error.problem = ReadProblem::Malformed;
    error.place = m_input.PlaceOfOffset(m_input.Offset());
    std::string_view ahead = m_input.Ahead(kTrailingBytes + 1);
    ahead = ahead.substr(0, ahead.find('\n'));
    error.detail = CutText(ahead, kTrailingBytes);
    return error;
}

ReadOutcome TableReader::Read(InputFormat format) {
    ReadOutcome outcome;
    m_input.SkipByteOrderMark();
    m_input.SetLineMode(false);
    if (!m_input.SkipBlanks()) {
        outcome.fatal.problem = ReadProblem::EmptyInput;
        return outcome;
    }
    switch (format) {
    case InputFormat::Json:
        ReadDocument(outcome);
        break;
    case InputFormat::JsonLines:
        ReadLines();
        break;
    case InputFormat::Auto:
        ReadFirstValue(outcome);
        break;
    }
    outcome.stopped = m_events.Stopped();
    return outcome;
}

void TableReader::ReadDocument(ReadOutcome& outcome) {
    m_events.BeginValue(false);
    if (!Parse()) {
        outcome.fatal = m_events.SyntaxError();
        return;
    }
    if (m_input.SkipBlanks())
        outcome.fatal = TrailingText();
}

void TableReader::ReadLines() {
    m_input.SetLineMode(true);
    do {
        if (m_input.SkipBlanks() && !ReadLine())
            return;
    } while (m_input.NextLine());
}

// One line holding one value; a table is handed on only once the rest of the
// line is known to be blank, so a bad line is one entry.
bool TableReader::ReadLine() {
    m_events.BeginValue(true);
    if (!Parse())
        return !m_events.Stopped() && m_events.EmitProblem(m_events.SyntaxError());
    if (m_input.SkipBlanks())
        return m_events.EmitProblem(TrailingText());
    return m_events.ReleaseHeld();
}

void TableReader::ReadFirstValue(ReadOutcome& outcome) {
    const std::size_t firstLine = m_input.Line();
    m_events.BeginValue(true);
    const bool parsed = Parse();
    if (m_events.Stopped())
        return;
    const bool oneLine =
        parsed ? m_events.EndLine() == firstLine : m_events.SyntaxError().place.line == firstLine;
    if (!oneLine) {
        // Still open at the end of its first line: the whole input is one document.
        if (!parsed) {
            outcome.fatal = m_events.SyntaxError();
        } else if (m_events.ReleaseHeld() && m_input.SkipBlanks()) {
            outcome.fatal = TrailingText();
        }
        return;
    }
    // JSON Lines: the first line is one entry like any other line.
    m_input.SetLineMode(true);
    const bool stillOnFirstLine = m_input.Line() == firstLine;
    bool go = true;
    if (!parsed) {
        go = m_events.EmitProblem(m_events.SyntaxError());
    } else if (stillOnFirstLine && m_input.SkipBlanks()) {
        go = m_events.EmitProblem(TrailingText());
    } else {
        go = m_events.ReleaseHeld();
    }
    if (go && (!stillOnFirstLine || m_input.NextLine()))
        ReadLines();
}

} // namespace quorvel::cli
