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
    const std::optional<std::size_t> place = Place(name, schema::NameIndex::Hash(name));
    return place ? &m_entries[*place] : nullptr;
}

} // namespace quorvel::cli
