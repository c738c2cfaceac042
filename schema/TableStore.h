#pragma once
// The columns and indexes of a table packed into one string of bytes.
//
// A script's tables are all kept to its end, since a CREATE INDEX anywhere
// later may still add to any of them. Kept as they are read, a table of seven
// columns and three indexes takes about 1.5 KB in six allocations; packed, a
// fifth of that in one, so that a script of many tables touches few pages.
// Packing keeps everything: unpacked, the table is the one that was packed.

#include "SchemaModel.h"

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace quorvel::schema {

// Replaces packed with the columns and indexes of table.
void PackTable(const SchemaTable& table, std::string& packed);

// Gives table the columns and indexes packed; its other fields stay. The
// table's vectors and strings are reused where they can be.
void UnpackTable(std::string_view packed, SchemaTable& table);

// Packed tables by their place in a script, in blocks of 64 KB.
class PackedTables {
public:
    // Packs the columns and indexes of the table at place, which keeps only
    // its name, place in the script and problems.
    void Pack(std::size_t place, SchemaTable& table);
    bool IsPacked(std::size_t place) const { return place < m_places.size() && m_places[place].size != 0; }
    // Gives table the columns and indexes packed for place, when there are any.
    bool Unpack(std::size_t place, SchemaTable& table) const;
    // The table at place holds its columns and indexes again.
    void Forget(std::size_t place);
    void Clear();

private:
    struct Place {
        std::size_t block = 0;
        std::size_t offset = 0;
        std::size_t size = 0; // 0: not packed
    };

    struct Block {
        std::unique_ptr<char[]> bytes;
        std::size_t size = 0;
        std::size_t capacity = 0;
    };

    std::vector<Block> m_blocks;
    std::vector<Place> m_places;
};

} // namespace quorvel::schema
