#include "schema/SchemaCatalog.h"

#include "calc/ServerLimits.h"

#include <algorithm>
#include <deque>
#include <unordered_set>

namespace quorvel::schema {

namespace {

// The first column whose name an earlier one has.
const SchemaColumn* RepeatedColumn(const SchemaTable& table) {
    std::unordered_set<std::string> seen;
    for (const SchemaColumn& c : table.columns) {
        if (!seen.insert(LowerCase(c.name)).second)
            return &c;
    }
    return nullptr;
}

Message::Argument IndexTitle(const SchemaIndex& index) {
    const Text kind = index.kind == IndexKind::PrimaryKey ? Text::PrimaryKeyTitle
                      : index.kind == IndexKind::Unique   ? Text::UniqueTitle
                                                          : Text::IndexTitle;
    return Message::Argument(kind, index.name);
}

} // namespace

ScriptProblem SchemaCatalog::Problem(Place at, Message message) const {
    return ScriptProblem{m_source, at, std::move(message)};
}

SchemaTable* SchemaCatalog::FindTable(std::string_view name) {
    const auto found = m_tables.find(LowerCase(name));
    return found == m_tables.end() ? nullptr : &m_script.tables[found->second];
}

SchemaTable& SchemaCatalog::AddTable(SchemaTable&& table) {
    table.script = m_script.scripts.empty() ? 0 : m_script.scripts.size() - 1;
    if (const SchemaColumn* twice = RepeatedColumn(table))
        table.problems.push_back(Problem(table.place, Message(Text::ColumnNamedTwice, {twice->name, table.name})));
    const auto [first, added] = m_tables.emplace(LowerCase(table.name), m_script.tables.size());
    if (!added) {
        const SchemaTable& earlier = m_script.tables[first->second];
        const std::string where = m_script.scripts[earlier.script] + ":" + std::to_string(earlier.place.line) + ":" +
                                  std::to_string(earlier.place.column);
        table.problems.push_back(Problem(table.place, Message(Text::TableCreatedTwice, {table.name, where})));
    }
    m_dropped.push_back(false);
    return m_script.tables.emplace_back(std::move(table));
}

void SchemaCatalog::DropTable(std::string_view name) {
    const auto found = m_tables.find(LowerCase(name));
    if (found == m_tables.end())
        return;
    m_dropped[found->second] = true;
    m_tables.erase(found);
}

void SchemaCatalog::AddIndex(SchemaTable& table, SchemaIndex&& index, Place at, std::span<const Place> keyPlaces) {
    if (index.columns.size() > limits::kKeyColumns) {
        table.problems.push_back(Problem(at, Message(Text::TooManyKeys, {IndexTitle(index), std::to_string(limits::kKeyColumns)})));
        return;
    }
    for (std::size_t i = 0; i < index.columns.size(); ++i) {
        const std::string& name = index.columns[i];
        const Place place = i < keyPlaces.size() ? keyPlaces[i] : at;
        const SchemaColumn* column = FindColumn(table, name);
        if (column == nullptr) {
            table.problems.push_back(
                Problem(place, Message(Text::KeyNotInTable, {IndexTitle(index), name, table.name})));
            return;
        }
        if (column->kind == StorageKind::TextPointer) {
            table.problems.push_back(
                Problem(place, Message(Text::KeyOfLongType, {IndexTitle(index), column->type, column->name})));
            return;
        }
    }
    const auto primary = std::find_if(table.indexes.begin(), table.indexes.end(),
                                      [](const SchemaIndex& i) { return i.kind == IndexKind::PrimaryKey; });
    if (index.kind == IndexKind::PrimaryKey && primary != table.indexes.end()) {
        table.problems.push_back(
            Problem(at, Message(Text::SecondPrimaryKey, {IndexTitle(index), table.name, IndexTitle(*primary)})));
        return;
    }
    const auto clustered = std::find_if(table.indexes.begin(), table.indexes.end(),
                                        [](const SchemaIndex& i) { return i.clustered; });
    if (index.clustered && clustered != table.indexes.end()) {
        table.problems.push_back(
            Problem(at, Message(Text::SecondClustered, {IndexTitle(index), table.name, IndexTitle(*clustered)})));
        return;
    }
    const std::size_t nonClustered = table.indexes.size() - (clustered != table.indexes.end() ? 1 : 0);
    if (!index.clustered && nonClustered >= limits::kNonClustered) {
        table.problems.push_back(Problem(at, Message(Text::TooManyIndexes, {IndexTitle(index), table.name, std::to_string(limits::kNonClustered)})));
        return;
    }
    table.indexes.push_back(std::move(index));
}

void SchemaCatalog::DropIndex(std::string_view tableName, std::string_view name, Place at) {
    SchemaTable* table = FindTable(tableName);
    if (table == nullptr)
        return;
    const auto index = std::find_if(table->indexes.begin(), table->indexes.end(),
                                    [name](const SchemaIndex& i) { return EqualsNoCase(i.name, name); });
    if (index == table->indexes.end())
        return;
    if (index->kind != IndexKind::Index) {
        AddProblem(Problem(at, Message(Text::DropConstraintIndex, {table->name + "." + index->name, IndexTitle(*index)})));
        return;
    }
    table->indexes.erase(index);
}

void SchemaCatalog::DropConstraint(SchemaTable& table, std::string_view name) {
    std::erase_if(table.indexes, [name](const SchemaIndex& i) {
        return i.kind != IndexKind::Index && EqualsNoCase(i.name, name);
    });
}

void SchemaCatalog::AddColumns(SchemaTable& table, std::vector<SchemaColumn>&& columns, std::span<const Place> places) {
    for (std::size_t i = 0; i < columns.size(); ++i) {
        SchemaColumn& column = columns[i];
        const Place at = i < places.size() ? places[i] : table.place;
        if (FindColumn(table, column.name) != nullptr) {
            table.problems.push_back(Problem(at, Message(Text::ColumnNamedTwice, {column.name, table.name})));
            continue;
        }
        table.addedColumns.push_back(
            {column.name, Problem(at, Message(Text::AddedColumnNotNull, {column.name, table.name}))});
        table.columns.push_back(std::move(column));
    }
}

const UserType* SchemaCatalog::FindType(std::string_view name) const {
    const auto found = m_types.find(LowerCase(name));
    return found == m_types.end() ? nullptr : &found->second;
}

void SchemaCatalog::AddType(const std::string& name, UserType type, Place at) {
    if (IsBuiltinType(LowerCase(name)) || !m_types.emplace(LowerCase(name), std::move(type)).second)
        AddProblem(Problem(at, Message(Text::TypeExists, {name})));
}

SchemaScript SchemaCatalog::Take() {
    // Most scripts drop no table: their tables go on as they are, uncopied.
    if (std::find(m_dropped.begin(), m_dropped.end(), true) != m_dropped.end()) {
        std::deque<SchemaTable> kept;
        for (std::size_t i = 0; i < m_script.tables.size(); ++i) {
            if (!m_dropped[i])
                kept.push_back(std::move(m_script.tables[i]));
        }
        m_script.tables = std::move(kept);
    }
    m_dropped.clear();
    m_tables.clear();
    return std::move(m_script);
}

} // namespace quorvel::schema
