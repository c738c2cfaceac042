#include "SchemaCatalog.h"

#include <algorithm>
#include <unordered_set>

namespace quorvel::schema {

namespace {

// SQL Server 6.x keeps at most this many nonclustered indexes and key columns.
constexpr std::size_t kMaxNonClustered = 249;
constexpr std::size_t kMaxKeyColumns = 16;
constexpr std::size_t kPairwiseColumns = 32;

// The first column whose name an earlier one has. A few columns are compared
// pairwise; many go through a set, so no script makes this quadratic.
const SchemaColumn* RepeatedColumn(const SchemaTable& table) {
    const std::vector<SchemaColumn>& columns = table.columns;
    if (columns.size() <= kPairwiseColumns) {
        for (auto c = columns.begin(); c != columns.end(); ++c) {
            if (std::any_of(columns.begin(), c,
                            [&](const SchemaColumn& e) { return EqualsNoCase(e.name, c->name); }))
                return &*c;
        }
        return nullptr;
    }
    std::unordered_set<std::string> seen;
    for (const SchemaColumn& c : columns) {
        if (!seen.insert(LowerCase(c.name)).second)
            return &c;
    }
    return nullptr;
}

ScriptMessage::Argument IndexTitle(const SchemaIndex& index) {
    const ScriptText kind = index.kind == IndexKind::PrimaryKey ? ScriptText::PrimaryKeyTitle
                            : index.kind == IndexKind::Unique   ? ScriptText::UniqueTitle
                                                                : ScriptText::IndexTitle;
    return ScriptMessage::Argument(kind, index.name);
}

} // namespace

std::string LowerCase(std::string_view text) {
    std::string lower(text);
    std::transform(lower.begin(), lower.end(), lower.begin(), LowerAscii);
    return lower;
}

ScriptProblem SchemaCatalog::Problem(Position at, ScriptMessage message) const {
    return ScriptProblem{m_source, at.line, at.column, std::move(message)};
}

SchemaTable* SchemaCatalog::FindTable(std::string_view name) {
    // An index mostly follows its table: no need to hash the name for it.
    if (m_lastIsFirst && EqualsNoCase(m_tables.back().name, name))
        return &m_tables.back();
    return FindTable(name, NameIndex::Hash(name));
}

std::optional<std::size_t> SchemaCatalog::Place(std::string_view name, std::size_t hash) const {
    return m_names.Find(name, hash, [this](std::size_t at) -> std::string_view { return m_tables[at].name; });
}

SchemaTable* SchemaCatalog::FindTable(std::string_view name, std::size_t hash) {
    const std::optional<std::size_t> place = Place(name, hash);
    if (!place)
        return nullptr;
    SchemaTable& table = m_tables[*place];
    // An index on a table read long before: the table is whole again, for good.
    if (m_packed.Unpack(*place, table))
        m_packed.Forget(*place);
    return &table;
}

SchemaTable& SchemaCatalog::AddTable(SchemaTable&& table) {
    m_finder.reset(); // the table indexed last is packed now
    m_finderTable = nullptr;
    // The table before is complete unless a later CREATE INDEX names it.
    if (!m_tables.empty())
        m_packed.Pack(m_tables.size() - 1, m_tables.back());
    const Position at{table.line, table.column};
    if (const SchemaColumn* twice = RepeatedColumn(table))
        table.problems.push_back(
            Problem(at, ScriptMessage(ScriptText::ColumnNamedTwice, {twice->name, table.name})));
    const std::size_t hash = NameIndex::Hash(table.name);
    const bool added = !Place(table.name, hash).has_value();
    if (added)
        m_names.Add(hash, m_tables.size());
    else
        table.problems.push_back(Problem(at, ScriptMessage(ScriptText::TableCreatedTwice, {table.name})));
    m_lastIsFirst = added;
    return m_tables.emplace_back(std::move(table));
}

void SchemaCatalog::AddIndex(SchemaTable& table, SchemaIndex&& index, Position at,
                             std::span<const Position> keyPositions) {
    // IndexTitle is spelled only for a problem: most indexes have none.
    if (index.columns.size() > kMaxKeyColumns) {
        table.problems.push_back(Problem(at, ScriptMessage(ScriptText::TooManyKeys, {IndexTitle(index)})));
        return;
    }
    // CREATE INDEX statements mostly follow each other on one table.
    if (!m_finder || m_finderTable != &table)
        m_finder.emplace(table);
    m_finderTable = &table;
    const ColumnFinder& columns = *m_finder;
    for (std::size_t i = 0; i < index.columns.size(); ++i) {
        const std::string& name = index.columns[i];
        const Position place = i < keyPositions.size() ? keyPositions[i] : at;
        const SchemaColumn* column = columns.Find(name);
        if (column == nullptr) {
            table.problems.push_back(Problem(
                place, ScriptMessage(ScriptText::KeyNotInTable, {IndexTitle(index), name, table.name})));
            return;
        }
        if (column->kind == StorageKind::TextPointer) {
            table.problems.push_back(
                Problem(place, ScriptMessage(ScriptText::KeyOfLongType,
                                             {IndexTitle(index), column->type, column->name})));
            return;
        }
    }
    const auto clustered = std::find_if(table.indexes.begin(), table.indexes.end(),
                                        [](const SchemaIndex& i) { return i.clustered; });
    if (index.clustered && clustered != table.indexes.end()) {
        table.problems.push_back(
            Problem(at, ScriptMessage(ScriptText::SecondClustered,
                                      {IndexTitle(index), table.name, IndexTitle(*clustered)})));
        return;
    }
    const std::size_t nonClustered = table.indexes.size() - (clustered != table.indexes.end() ? 1 : 0);
    if (!index.clustered && nonClustered >= kMaxNonClustered) {
        table.problems.push_back(
            Problem(at, ScriptMessage(ScriptText::TooManyIndexes, {IndexTitle(index), table.name})));
        return;
    }
    table.indexes.push_back(std::move(index));
}

const UserType* SchemaCatalog::FindType(std::string_view name) const {
    const auto found = m_types.find(LowerCase(name));
    return found == m_types.end() ? nullptr : &found->second;
}

void SchemaCatalog::AddType(const std::string& name, UserType type, Position at) {
    if (IsBuiltinType(LowerCase(name)) || !m_types.emplace(LowerCase(name), std::move(type)).second)
        AddProblem(Problem(at, ScriptMessage(ScriptText::TypeExists, {name})));
}

SchemaScript SchemaCatalog::Take() {
    SchemaScript script = std::move(m_script);
    script.tables.reserve(m_tables.size());
    for (std::size_t place = 0; place < m_tables.size(); ++place) {
        m_packed.Unpack(place, m_tables[place]);
        script.tables.push_back(std::move(m_tables[place]));
    }
    Reset();
    return script;
}

SchemaScript SchemaCatalog::Take(const std::function<bool(const SchemaTable&)>& eachTable) {
    SchemaTable unpacked; // one table's memory, reused for every packed table
    for (std::size_t place = 0; place < m_tables.size(); ++place) {
        SchemaTable& kept = m_tables[place];
        if (!m_packed.IsPacked(place)) {
            if (!eachTable(kept))
                break;
            kept = SchemaTable{};
            continue;
        }
        unpacked.name = kept.name;
        unpacked.line = kept.line;
        unpacked.column = kept.column;
        unpacked.problems = kept.problems;
        m_packed.Unpack(place, unpacked);
        if (!eachTable(unpacked))
            break;
    }
    SchemaScript script = std::move(m_script);
    Reset();
    return script;
}

void SchemaCatalog::Reset() {
    m_script = SchemaScript{};
    m_tables.clear();
    m_names.Clear();
    m_finder.reset();
    m_finderTable = nullptr;
    m_types.clear();
    m_lastIsFirst = false;
    m_packed.Clear();
}

} // namespace quorvel::schema
