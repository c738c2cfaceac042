#include "ColumnFinder.h"

#include "SchemaCatalog.h"

#include <algorithm>

namespace quorvel::schema {

namespace {

constexpr std::size_t kSearchedColumns = 32;

} // namespace

ColumnFinder::ColumnFinder(const SchemaTable& table) : m_table(table) {
    if (table.columns.size() > kSearchedColumns) {
        for (const SchemaColumn& c : table.columns)
            m_byName.emplace(LowerCase(c.name), &c);
    }
}

const SchemaColumn* ColumnFinder::Find(std::string_view name) const {
    if (m_byName.empty()) {
        const auto found = std::find_if(m_table.columns.begin(), m_table.columns.end(),
                                        [name](const SchemaColumn& c) { return EqualsNoCase(c.name, name); });
        return found == m_table.columns.end() ? nullptr : &*found;
    }
    const auto found = m_byName.find(LowerCase(name));
    return found == m_byName.end() ? nullptr : found->second;
}

} // namespace quorvel::schema
