#pragma once
// A table description written back in the input form quorvel-size reads, one
// line of JSON Lines:
//   {"name":"orders","rowCount":9000000,"data":{"fixedBytes":100,"variableBytes":50,
//    "variableColumns":2},"clustered":{"fixedBytes":4},"nonClustered":[{"fixedBytes":29}]}
// A value that is a plain whole number is written as a number (without the
// leading zeros a script may write: "080" is 80), any other text (a row count
// typed as "1.2e6") as the text, so reading the line back gives the same
// figures.
//
// The window's estimate files need every text back exactly as it was typed:
// written AsTyped, a value is a JSON number only when reading it back gives
// the same text ("80"), any other text a JSON text ("080", "1,500", ""), and
// a clustered "なし" is written as null rather than left out.

#include "calc/TableEstimate.h"

#include <string>
#include <string_view>

namespace quorvel::cli {

class JsonWriter;

enum class ValueForm { Plain, AsTyped };

// The members of a table (name, rowCount, data, clustered, nonClustered)
// into the object json has open.
void WriteDescription(JsonWriter& json, std::string_view name, const TableDescription& description, ValueForm form);

// One whole line, values Plain.
void AppendDescription(std::string& out, std::string_view name, const TableDescription& description);

} // namespace quorvel::cli
