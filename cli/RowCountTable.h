#pragma once
// The row counts the command line gives, by table name without regard to case.
//
// Every table of a script asks for its count, so the lookup takes no copy of
// the name: the name is hashed and compared in place, lower-casing byte by
// byte, in one flat table. Counts stay in the order they were given, which is
// also the order a generated command line names the script's tables in.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

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
    const std::vector<Entry>& Entries() const { return m_entries; }

private:
    std::size_t Slot(std::string_view name, std::size_t hash) const;
    void Grow();

    std::vector<Entry> m_entries;
    std::vector<std::size_t> m_hashes; // of each entry's name
    // Places in m_entries plus one (0: empty), never more than half full.
    std::vector<std::uint32_t> m_slots;
};

} // namespace quorvel::cli
