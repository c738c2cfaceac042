#include "NameIndex.h"

#include <algorithm>

namespace quorvel::schema {

namespace {

constexpr std::size_t kFirstSlots = 64;

} // namespace

std::size_t NameIndex::Hash(std::string_view name) {
    std::size_t hash = 14695981039346656037ULL;
    for (const char c : name) {
        hash ^= static_cast<unsigned char>(LowerAscii(c));
        hash *= 1099511628211ULL;
    }
    return hash;
}

void NameIndex::Add(std::size_t hash, std::size_t place) {
    if (2 * (m_count + 1) > m_slots.size()) {
        std::vector<std::uint32_t> oldSlots(std::max<std::size_t>(kFirstSlots, 2 * m_slots.size()), 0);
        std::vector<std::uint32_t> oldHashes(oldSlots.size(), 0);
        oldSlots.swap(m_slots);
        oldHashes.swap(m_hashes);
        m_count = 0;
        for (std::size_t i = 0; i < oldSlots.size(); ++i) {
            if (oldSlots[i] != 0)
                Add(oldHashes[i], oldSlots[i] - 1);
        }
    }
    const std::size_t mask = m_slots.size() - 1;
    std::size_t at = hash & mask;
    while (m_slots[at] != 0)
        at = (at + 1) & mask;
    m_slots[at] = static_cast<std::uint32_t>(place + 1);
    m_hashes[at] = static_cast<std::uint32_t>(hash);
    ++m_count;
}

void NameIndex::Clear() {
    m_slots.clear();
    m_hashes.clear();
    m_count = 0;
}

} // namespace quorvel::schema
