#pragma once
// Reads the tables of one JSON input of quorvel-size: one document (a table
// or an array of tables) or JSON Lines (one table, or array of tables, a line).
//
// Asked to tell the form from the text, the reader lets the first value
// decide: when it closes on the line it began on (or goes wrong there), the
// input is JSON Lines and a bad first line is just one bad table; when it is
// still open at the end of its line, the input is one document. So a
// malformed first line never turns the input into a document, and no line is
// ever held whole.

#include "cli/InputFormat.h"
#include "cli/JsonInput.h"
#include "cli/TableEvents.h"

namespace quorvel::cli {

struct ReadOutcome {
    bool stopped = false; // the handler asked to stop
    ReadError fatal;      // a malformed document, or no table at all; problem None otherwise
};

class TableReader {
public:
    TableReader(JsonInput& input, const TableHandler& handler);

    ReadOutcome Read(InputFormat format);

private:
    bool Parse();
    void ReadDocument(ReadOutcome& outcome);
    void ReadLines();
    bool ReadLine();
    void ReadFirstValue(ReadOutcome& outcome);
    // What stands after a complete value where nothing more may.
    ReadError TrailingText();

    JsonInput& m_input;
    TableEvents m_events;
};

} // namespace quorvel::cli
