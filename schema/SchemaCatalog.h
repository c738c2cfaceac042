#pragma once
// What the statements of a script have built so far: its tables, the types
// added with sp_addtype, the count of statements passed over and the problems.
//
// The statement parser hands it finished pieces (a table, an index, a type);
// the catalog checks them against what came before: an index on a column the
// table lacks, a second clustered index, a type named twice. Names compare
// without regard to case, as on a server with the default sort order.

#include "schema/ColumnTypes.h"
#include "schema/SchemaModel.h"

#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>

namespace quorvel::schema {

struct UserType {
    ColumnType type;
    Nullability nullability = Nullability::Unspecified;
};

class SchemaCatalog {
public:
    explicit SchemaCatalog(std::string source) : m_source(std::move(source)) {}

    ScriptProblem Problem(Place at, Message message) const;
    // A problem that belongs to no table.
    void AddProblem(ScriptProblem problem) { m_script.problems.push_back(std::move(problem)); }
    void CountSkipped() { ++m_script.skippedStatements; }

    // The first table of that name; nullptr when there is none.
    SchemaTable* FindTable(std::string_view name);
    // A name used before gives the new table a problem; it still takes its place.
    SchemaTable& AddTable(SchemaTable&& table);
    // Key columns are checked against the table; a problem goes to the table and
    // the index is left out. keyPlaces: where each key column is named.
    void AddIndex(SchemaTable& table, SchemaIndex&& index, Place at, std::span<const Place> keyPlaces);

    const UserType* FindType(std::string_view name) const;
    void AddType(const std::string& name, UserType type, Place at);

    SchemaScript Take() { return std::move(m_script); }

private:
    std::string m_source;
    SchemaScript m_script;
    std::unordered_map<std::string, std::size_t> m_tables; // lower-case name: the first table of that name
    std::unordered_map<std::string, UserType> m_types;     // lower-case name
};

} // namespace quorvel::schema
