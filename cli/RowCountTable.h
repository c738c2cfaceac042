#pragma once
// The row counts the command line gives, by table name without regard to case.
//
// Every table of a script asks for its count, so the lookup takes no copy of
// the name: it is hashed and compared in place (schema::NameIndex). Counts
// stay in the order they were given, which is also the order a generated
// command line names the script's tables in.

#include "NameIndex.h"

#include <cstddef>
#include <deque>
#include <optional>
#include <string>
#include <string_view>

namespace quorvel::cli {

class RowCountTable {
public:
    struct Entry {
        std::string name; // as given last
        std::string count;
        bool used = false;
    };

    // A second count for a name (in any case) replaces the first.
    void Set(std::string_view name, std::string count);
    // The entry of that name; nullptr when there is none.
    Entry* Find(std::string_view name);

    bool Empty() const { return m_entries.empty(); }
    const std::deque<Entry>& Entries() const { return m_entries; }

private:
    std::optional<std::size_t> Place(std::string_view name, std::size_t hash) const;

    std::deque<Entry> m_entries; // grows without copying what it holds
    schema::NameIndex m_names;   // places in m_entries
    std::size_t m_next = 0;      // the place after the last found
};

} // namespace quorvel::cli
