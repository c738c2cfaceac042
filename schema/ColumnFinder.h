#pragma once
// The columns of a table by name, without regard to case.
//
// A short table is searched; a long one is indexed once, so that 249 indexes
// of 16 key columns on a table of thousands of columns stay linear.

#include "SchemaModel.h"

#include <string>
#include <string_view>
#include <unordered_map>

namespace quorvel::schema {

class ColumnFinder {
public:
    explicit ColumnFinder(const SchemaTable& table);

    // The first column of that name; nullptr when there is none.
    const SchemaColumn* Find(std::string_view name) const;

private:
    const SchemaTable& m_table;
    std::unordered_map<std::string, const SchemaColumn*> m_byName; // lower-case name; empty when searched
};

} // namespace quorvel::schema
