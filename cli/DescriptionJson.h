#pragma once
// A table description written back in the input form quorvel-size reads, one
// line of JSON Lines:
//   {"name":"orders","rowCount":9000000,"data":{"fixedBytes":100,"variableBytes":50,
//    "variableColumns":2},"clustered":{"fixedBytes":4},"nonClustered":[{"fixedBytes":29}]}
// A value that is a plain whole number is written as a number (without the
// leading zeros a script may write: "080" is 80), any other text (a row count
// typed as "1.2e6") as the text, so reading the line back gives the same
// figures.

#include "calc/TableEstimate.h"

#include <string>
#include <string_view>

namespace quorvel::cli {

void AppendDescription(std::string& out, std::string_view name, const TableDescription& description);

} // namespace quorvel::cli
