#pragma once
// What the statements of the scripts have built so far: the tables, the types
// added with sp_addtype, the count of statements passed over, the problems
// and the notes.
//
// Several scripts read one after another make one catalog, as if run against
// one database: a type or table of one script is known to the next. The
// statement parser hands it finished pieces (a table, an index, columns, a
// type, a drop); the catalog checks them against what came before: an index
// on a column the table lacks, a second clustered index or primary key, a
// table or type created twice. Names compare without regard to case, as on a
// server with the default sort order.

#include "schema/ColumnTypes.h"
#include "schema/SchemaModel.h"

#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace quorvel::schema {

struct UserType {
    ColumnType type;
    Nullability nullability = Nullability::Unspecified;
};

class SchemaCatalog {
public:
    // The script whose statements come next, as its problems name it.
    void SetSource(std::string source) {
        m_script.scripts.push_back(source);
        m_source = std::move(source);
    }

    ScriptProblem Problem(Place at, Message message) const;
    // A problem that belongs to no table.
    void AddProblem(ScriptProblem problem) { m_script.problems.push_back(std::move(problem)); }
    // A statement that could change a size and is not read.
    void AddNote(Place at, Message message) { m_script.notes.push_back(Problem(at, std::move(message))); }
    void CountSkipped() { ++m_script.skippedStatements; }

    // The table of that name created first and not dropped; nullptr when there is none.
    SchemaTable* FindTable(std::string_view name);
    // A name already taken gives the new table a problem that names the
    // first; it still takes its place.
    SchemaTable& AddTable(SchemaTable&& table);
    // Takes the table out of the schema; a name that is not there is no
    // problem, since scripts drop what may exist before they create it.
    void DropTable(std::string_view name);
    // Key columns are checked against the table; a problem goes to the table and
    // the index is left out. keyPlaces: where each key column is named.
    void AddIndex(SchemaTable& table, SchemaIndex&& index, Place at, std::span<const Place> keyPlaces);
    // DROP INDEX table.index: an index of a constraint stays, with a problem
    // of the script, as the server keeps it.
    void DropIndex(std::string_view table, std::string_view index, Place at);
    // ALTER TABLE ... DROP CONSTRAINT: a primary key or unique constraint
    // goes; any other name (a foreign key, a check) changes no size.
    void DropConstraint(SchemaTable& table, std::string_view name);
    // ALTER TABLE ... ADD: columns at the end of the row, each named where places says.
    void AddColumns(SchemaTable& table, std::vector<SchemaColumn>&& columns, std::span<const Place> places);

    const UserType* FindType(std::string_view name) const;
    void AddType(const std::string& name, UserType type, Place at);
    void DropType(std::string_view name) { m_types.erase(LowerCase(name)); }

    // What the scripts read so far built, dropped tables left out.
    const SchemaScript& Script() const { return m_script; }
    SchemaScript Take();

private:
    std::string m_source;
    SchemaScript m_script;
    std::vector<bool> m_dropped;                           // by table, as m_script.tables
    std::unordered_map<std::string, std::size_t> m_tables; // lower-case name: the table of that name
    std::unordered_map<std::string, UserType> m_types;     // lower-case name
};

} // namespace quorvel::schema
