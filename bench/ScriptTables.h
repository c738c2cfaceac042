#pragma once
// The schema script the benchmarks size: a varied but repeatable table a
// statement group, shaped like the JSON Lines tables of bench_cli. Each table
// has a clustered primary key and two nonclustered indexes (one with a fill
// factor) over seven columns, about 410 bytes of script with its GO lines.

#include <cstddef>
#include <string>

namespace quorvel::bench {

inline std::string TableScript(std::size_t i) {
    const std::string n = std::to_string(i);
    std::string s = "CREATE TABLE dbo.t" + n + " (\n";
    s += "    id int NOT NULL CONSTRAINT pk_t" + n + " PRIMARY KEY CLUSTERED,\n";
    s += "    code char(" + std::to_string(4 + i % 40) + ") NOT NULL,\n";
    s += "    name varchar(" + std::to_string(10 + i % 200) + ") NOT NULL,\n";
    s += "    note varchar(" + std::to_string(1 + i % 90) + ") NULL,\n";
    s += "    amount money NULL,\n";
    s += "    created datetime NOT NULL DEFAULT getdate(),\n";
    s += "    flags tinyint NOT NULL\n";
    s += ")\nGO\n";
    s +=
        "CREATE NONCLUSTERED INDEX ix_t" + n + "_code ON t" + n + " (code, flags) WITH FILLFACTOR = 90\nGO\n";
    s += "CREATE INDEX ix_t" + n + "_name ON t" + n + " (name)\nGO\n";
    return s;
}

// The same table as a Japanese DBA names it: tables, columns and indexes in
// Japanese, the rest as above. In CP932 it is about as long as the ASCII one.
inline std::string JapaneseTableScript(std::size_t i) {
    const std::string n = std::to_string(i);
    std::string s = "CREATE TABLE dbo.受注表" + n + " (\n";
    s += "    番号 int NOT NULL CONSTRAINT PK_受注表" + n + " PRIMARY KEY CLUSTERED,\n";
    s += "    商品コード char(" + std::to_string(4 + i % 40) + ") NOT NULL,\n";
    s += "    顧客名 varchar(" + std::to_string(10 + i % 200) + ") NOT NULL,\n";
    s += "    備考 varchar(" + std::to_string(1 + i % 90) + ") NULL,\n";
    s += "    金額 money NULL,\n";
    s += "    登録日 datetime NOT NULL DEFAULT getdate(),\n";
    s += "    区分 tinyint NOT NULL\n";
    s += ")\nGO\n";
    s += "CREATE NONCLUSTERED INDEX IX_受注表" + n + "_商品 ON 受注表" + n +
         " (商品コード, 区分) WITH FILLFACTOR = 90\nGO\n";
    s += "CREATE INDEX IX_受注表" + n + "_顧客 ON 受注表" + n + " (顧客名)\nGO\n";
    return s;
}

// The row count of table i.
inline std::string TableRowCount(std::size_t i) {
    return std::to_string(1 + (i * 7919) % 5000000);
}

} // namespace quorvel::bench
