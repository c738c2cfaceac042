#include "RowCountTable.h"

#include "SchemaCatalog.h"

namespace quorvel::cli {

namespace {

constexpr std::size_t kFirstSlots = 64;

std::size_t NameHash(std::string_view name) {
    std::size_t hash = 14695981039346656037ULL; // FNV-1a over the lower-case bytes
    for (const char c : name) {
        hash ^= static_cast<unsigned char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
        hash *= 1099511628211ULL;
    }
    return hash;
}

} // namespace

// The slot holding that name, or the empty slot where it would go.
std::size_t RowCountTable::Slot(std::string_view name, std::size_t hash) const {
    const std::size_t mask = m_slots.size() - 1;
    std::size_t at = hash & mask;
    while (m_slots[at] != 0) {
        const std::size_t place = m_slots[at] - 1;
        if (m_hashes[place] == hash && schema::EqualsNoCase(m_entries[place].name, name))
            break;
        at = (at + 1) & mask;
    }
    return at;
}

void RowCountTable::Grow() {
    m_slots.assign(m_slots.empty() ? kFirstSlots : 2 * m_slots.size(), 0);
    const std::size_t mask = m_slots.size() - 1;
    for (std::size_t place = 0; place < m_entries.size(); ++place) {
        std::size_t at = m_hashes[place] & mask;
        while (m_slots[at] != 0)
            at = (at + 1) & mask;
        m_slots[at] = static_cast<std::uint32_t>(place + 1);
    }
}

void RowCountTable::Set(std::string_view name, std::string count) {
    const std::size_t hash = NameHash(name);
    if (!m_slots.empty()) {
        const std::uint32_t slot = m_slots[Slot(name, hash)];
        if (slot != 0) {
            m_entries[slot - 1] = Entry{std::string(name), std::move(count)};
            return;
        }
    }
    m_entries.push_back(Entry{std::string(name), std::move(count)});
    m_hashes.push_back(hash);
    if (2 * m_entries.size() > m_slots.size()) {
        Grow();
        return;
    }
    m_slots[Slot(name, hash)] = static_cast<std::uint32_t>(m_entries.size());
}

RowCountTable::Entry* RowCountTable::Find(std::string_view name) {
    if (m_slots.empty())
        return nullptr;
    const std::uint32_t slot = m_slots[Slot(name, NameHash(name))];
    return slot == 0 ? nullptr : &m_entries[slot - 1];
}

} // namespace quorvel::cli
