#pragma once
// From a table of a schema script to the description the calculation run reads.
//
// A column counts with the variable-length columns when its type is of variable
// length (varchar, varbinary, sysname, the text pointer of text and image) or
// when it allows NULL: the server stores a nullable column as a variable-length
// one. The same rule makes an index key "with variable columns". The data row,
// the clustered key (of the clustered index or the clustered PRIMARY KEY or
// UNIQUE constraint) and each other index become the sections of one
// description, whose texts go through the window's checks unchanged.
//
// Assumptions the script cannot tell:
// - how full the variable-length columns are: a varchar(n) or varbinary(n)
//   counts ceil(n x percent / 100) bytes, rounded up per column. A nullable
//   fixed-length column and a text pointer always count in full, since a value
//   that is there has its whole size;
// - the average length of text and image values: each value of a column with
//   an average takes ceil(average / 1800) text pages (1,800 data bytes a 2 KB
//   page), counted for every row;
// - whether a column without NULL or NOT NULL allows NULL (the ANSI null default;
//   off, as in SQL Server 6.x, unless said).
//
// What SQL Server 6.x would refuse but the description can carry goes through:
// a char(300) is counted as declared, with a note, and a row over 1,962 bytes
// is refused by the run with the window's own message. A table of more than
// 250 columns, which the description cannot show, is refused with the window's
// column message before the run.

#include "calc/TableEstimate.h"
#include "schema/SchemaModel.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quorvel::schema {

struct TextAverage {
    std::string table;
    std::string column;
    std::uint32_t bytes = 0;
};

struct SizingAssumptions {
    int variableFillPercent = 100; // 0 to 100
    bool ansiNullDefault = false;
    std::vector<TextAverage> textAverages;
};

struct DerivedTable {
    std::string name;
    TableDescription description;   // the description; rowCount "0" when none was given
    bool sized = false; // a row count was given
    // The table cannot be described: the first problem of the script about
    // it, or a column ALTER TABLE added that does not allow NULL.
    std::optional<ScriptProblem> problem;
    // A refusal of the window that the description cannot carry; None otherwise.
    RunMessage refusal = RunMessage::None;
    std::vector<Message> notes;
};

// rowCount: the text the user gave for the table (the window's numeric rules
// apply: "9,000,000", "1.2e6"); nullopt when none was given.
DerivedTable DeriveTable(const SchemaTable& table, std::optional<std::string_view> rowCount,
                         const SizingAssumptions& assumptions);

} // namespace quorvel::schema
