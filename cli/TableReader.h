#pragma once
// Table descriptions of quorvel-size, read from JSON.
//
// A table mirrors the window:
//   {"name": "orders", "rowCount": 10000,
//    "data": {"fixedBytes": 100, "variableBytes": 50, "variableColumns": 2},
//    "clustered": {"fillFactor": 0, "fixedBytes": 4},
//    "nonClustered": [{"fillFactor": 0, "fixedBytes": 4}, ...]}
// A section with variableBytes or variableColumns has variable-length columns;
// without them all its columns are fixed-length. A missing or null clustered
// index is "なし", and so is a null in the list of nonclustered indexes.
// Values are JSON numbers or texts; a number becomes its decimal text (a
// fraction its shortest round-trip text), so both go through exactly the
// numeric rules of the window.
//
// The reader works on the parser's events, never on a whole document: a JSON
// array of a million tables passes through one table at a time, and a mistake
// in one table (an unknown key, a value of the wrong type) is reported for that
// table alone.

#include "TableEstimate.h"

#include <cstddef>
#include <functional>
#include <istream>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace quorvel::cli {

// A table may list this many nonclustered indexes.
inline constexpr std::size_t kMaxNonClustered = 249;

struct TableRecord {
    std::size_t ordinal = 0; // 1-based position among all tables read
    std::size_t line = 0;    // line of a JSON Lines input; 0 for a JSON document
    std::size_t column = 0;  // with line: where a malformed line went wrong
    std::string name;        // empty when the table has none
    TableDescription description;
    std::string error;       // set when the description itself is wrong
};

class TableReader {
public:
    using TableHandler = std::function<void(const TableRecord&)>;

    // ordinalBase: the number of tables read before (from earlier inputs).
    TableReader(TableHandler handler, std::size_t ordinalBase = 0);
    ~TableReader();

    TableReader(const TableReader&) = delete;
    TableReader& operator=(const TableReader&) = delete;

    // Where and why a JSON text is malformed.
    struct SyntaxError {
        std::size_t line = 0;
        std::size_t column = 0;
        std::string reason;
    };

    // A JSON document: one table or an array of tables. Answers nullopt when
    // the document was well-formed.
    std::optional<SyntaxError> ReadDocument(std::istream& in);

    // One line of JSON Lines holding one table. A malformed line becomes a table
    // with an error; blank lines are skipped.
    void ReadLine(std::string_view text, std::size_t lineNumber);

    std::size_t TablesRead() const { return m_ordinal; }

private:
    class Events;

    TableHandler m_handler;
    std::size_t m_ordinal;
    // One record and one event walker serve every table, so a stream of
    // tables reuses their storage.
    std::unique_ptr<TableRecord> m_record;
    std::unique_ptr<Events> m_events;
};

} // namespace quorvel::cli
