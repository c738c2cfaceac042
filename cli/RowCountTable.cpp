#include "RowCountTable.h"

namespace quorvel::cli {

std::optional<std::size_t> RowCountTable::Place(std::string_view name, std::size_t hash) const {
    return m_names.Find(name, hash, [this](std::size_t at) -> std::string_view { return m_entries[at].name; });
}

void RowCountTable::Set(std::string_view name, std::string count) {
    const std::size_t hash = schema::NameIndex::Hash(name);
    if (const std::optional<std::size_t> place = Place(name, hash)) {
        m_entries[*place] = Entry{std::string(name), std::move(count)};
        return;
    }
    m_names.Add(hash, m_entries.size());
    m_entries.push_back(Entry{std::string(name), std::move(count)});
}

RowCountTable::Entry* RowCountTable::Find(std::string_view name) {
    // Tables mostly ask in the order their counts were given: names are
    // unique among the entries, so the one after the last found is tried first.
    if (m_next < m_entries.size() && schema::EqualsNoCase(m_entries[m_next].name, name))
        return &m_entries[m_next++];
    const std::optional<std::size_t> place = Place(name, schema::NameIndex::Hash(name));
    if (!place)
        return nullptr;
    m_next = *place + 1;
    return &m_entries[*place];
}

} // namespace quorvel::cli
