#pragma once
// Places of names compared without regard to ASCII case, for lookups that run
// once a table: the name is hashed and compared in place, never copied.
//
// The index keeps places, not names: the caller keeps the names (tables of a
// script, row counts of a command line) and answers for a place which name
// stands there. Open addressing in a table at most half full, with the hash
// kept beside each slot, so that a probe and a regrowth read no name they do
// not need.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace quorvel::schema {

// ASCII case folding, for names and keywords: A to Z, and no other byte.
constexpr char LowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// Every name of a script is compared, so the comparison is inline.
inline bool EqualsNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (a[i] != b[i] && LowerAscii(a[i]) != LowerAscii(b[i]))
            return false;
    }
    return true;
}

class NameIndex {
public:
    // FNV-1a over the lower-case bytes.
    static std::size_t Hash(std::string_view name);

    // The first place added under that name; nameAt(place) gives the name
    // stored at a place.
    template <class NameAt>
    std::optional<std::size_t> Find(std::string_view name, std::size_t hash, NameAt nameAt) const {
        if (m_slots.empty())
            return std::nullopt;
        const std::size_t mask = m_slots.size() - 1;
        for (std::size_t at = hash & mask; m_slots[at] != 0; at = (at + 1) & mask) {
            if (m_hashes[at] == static_cast<std::uint32_t>(hash) &&
                EqualsNoCase(nameAt(m_slots[at] - 1), name))
                return m_slots[at] - 1;
        }
        return std::nullopt;
    }

    // A place for a name of that hash not yet in the index.
    void Add(std::size_t hash, std::size_t place);
    void Clear();

private:
    std::vector<std::uint32_t> m_slots;  // places plus one (0: empty)
    std::vector<std::uint32_t> m_hashes; // the low half of the name hash of each slot's place
    std::size_t m_count = 0;
};

} // namespace quorvel::schema
