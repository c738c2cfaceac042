#include "schema/SchemaCatalog.h"

#include "calc/ServerLimits.h"

#include <algorithm>
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
    if (const SchemaColumn* twice = RepeatedColumn(table))
        table.problems.push_back(Problem(table.place, Message(Text::ColumnNamedTwice, {twice->name, table.name})));
    if (!m_tables.emplace(LowerCase(table.name), m_script.tables.size()).second)
        table.problems.push_back(Problem(table.place, Message(Text::TableCreatedTwice, {table.name})));
    return m_script.tables.emplace_back(std::move(table));
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

const UserType* SchemaCatalog::FindType(std::string_view name) const {
    const auto found = m_types.find(LowerCase(name));
    return found == m_types.end() ? nullptr : &found->second;
}

void SchemaCatalog::AddType(const std::string& name, UserType type, Place at) {
    if (IsBuiltinType(LowerCase(name)) || !m_types.emplace(LowerCase(name), std::move(type)).second)
        AddProblem(Problem(at, Message(Text::TypeExists, {name})));
}

} // namespace quorvel::schema
