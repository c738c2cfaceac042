#pragma once
// What the statements of a script have built so far: its tables, the types
// added with sp_addtype, the count of statements passed over and the problems.
//
// The statement parser hands it finished pieces (a table, an index, a type);
// the catalog checks them against what came before: an index on a column the
// table lacks, a second clustered index, a type named twice. Names compare
// without regard to case, as on a server with the default sort order.

#include "ColumnFinder.h"
#include "ColumnTypes.h"
#include "NameIndex.h"
#include "SchemaModel.h"
#include "TableStore.h"

#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace quorvel::schema {

struct Position {
    std::size_t line = 0;
    std::size_t column = 0;
};

struct UserType {
    ColumnType type;
    Nullability nullability = Nullability::Unspecified;
};

class SchemaCatalog {
public:
    explicit SchemaCatalog(std::string source) : m_source(std::move(source)) {}

    ScriptProblem Problem(Position at, ScriptMessage message) const;
    // A problem that belongs to no table.
    void AddProblem(ScriptProblem problem) { m_script.problems.push_back(std::move(problem)); }
    void CountSkipped() { ++m_script.skippedStatements; }

    SchemaTable* FindTable(std::string_view name);
    // A name used before gives the new table a problem; it still takes its place.
    // Answers the table as kept; its columns and indexes are packed when the
    // next table is added.
    SchemaTable& AddTable(SchemaTable&& table);
    // Key columns are checked against the table; a problem goes to the table and
    // the index is left out. keyPositions: where each key column is named.
    void AddIndex(SchemaTable& table, SchemaIndex&& index, Position at,
                  std::span<const Position> keyPositions);

    const UserType* FindType(std::string_view name) const;
    void AddType(const std::string& name, UserType type, Position at);

    // The script with every table whole.
    SchemaScript Take();
    // The script without its tables, which are handed to eachTable one at a
    // time in script order instead, each valid only during the call; until
    // then all but the last are kept packed. eachTable answers false to stop.
    SchemaScript Take(const std::function<bool(const SchemaTable&)>& eachTable);

private:
    SchemaTable* FindTable(std::string_view name, std::size_t hash);
    std::optional<std::size_t> Place(std::string_view name, std::size_t hash) const;
    void Reset();

    std::string m_source;
    SchemaScript m_script; // all but its tables, which are kept apart
    // The tables by place: growing moves none of them, so a table stays where
    // it is while the others are added.
    std::deque<SchemaTable> m_tables;
    NameIndex m_names; // the first table of each name, by place in m_tables
    std::unordered_map<std::string, UserType> m_types;
    bool m_lastIsFirst = false; // the last table added is the first of its name
    // The columns of the table indexed last, until the next table is added
    // (which packs the one before).
    std::optional<ColumnFinder> m_finder;
    const SchemaTable* m_finderTable = nullptr;
    // Every table but the last added is packed once the next is added, unless
    // a later CREATE INDEX needed it whole again. Its name, place and problems
    // stay where they were.
    PackedTables m_packed;
};

// The name in lower case (LowerAscii and EqualsNoCase are in NameIndex.h).
std::string LowerCase(std::string_view text);

} // namespace quorvel::schema
