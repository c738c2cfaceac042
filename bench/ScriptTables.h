#pragma once
// The schema script the benchmarks size: a varied but repeatable table a
// statement group, shaped like the JSON Lines tables of bench_cli. Each table
// has a clustered primary key and two nonclustered indexes (one with a fill
// factor) over seven columns, about 410 bytes of script with its GO lines.

#include <cstddef>
#include <string>

namespace quorvel::bench {

// The words a table is written with.
struct ScriptWords {
    const char* table;
    const char* keyPrefix;
    const char* indexPrefix;
    const char* columns[7]; // id, code, name, note, amount, created, flags
    const char* indexSuffixes[2];
};

inline std::string TableScript(std::size_t i, const ScriptWords& w) {
    const std::string n = std::to_string(i);
    const std::string table = w.table + n;
    const auto column = [&w](int c) { return std::string("    ") + w.columns[c]; };
    std::string s = "CREATE TABLE dbo." + table + " (\n";
    s += column(0) + " int NOT NULL CONSTRAINT " + w.keyPrefix + table + " PRIMARY KEY CLUSTERED,\n";
    s += column(1) + " char(" + std::to_string(4 + i % 40) + ") NOT NULL,\n";
    s += column(2) + " varchar(" + std::to_string(10 + i % 200) + ") NOT NULL,\n";
    s += column(3) + " varchar(" + std::to_string(1 + i % 90) + ") NULL,\n";
    s += column(4) + " money NULL,\n";
    s += column(5) + " datetime NOT NULL DEFAULT getdate(),\n";
    s += column(6) + " tinyint NOT NULL\n";
    s += ")\nGO\n";
    s += "CREATE NONCLUSTERED INDEX " + (w.indexPrefix + table + w.indexSuffixes[0]) + " ON " + table + " (" +
         w.columns[1] + ", " + w.columns[6] + ") WITH FILLFACTOR = 90\nGO\n";
    s += "CREATE INDEX " + (w.indexPrefix + table + w.indexSuffixes[1]) + " ON " + table + " (" + w.columns[2] +
         ")\nGO\n";
    return s;
}

inline std::string TableScript(std::size_t i) {
    static constexpr ScriptWords kEnglish{
        "t", "pk_", "ix_", {"id", "code", "name", "note", "amount", "created", "flags"}, {"_code", "_name"}};
    return TableScript(i, kEnglish);
}

// The same table as a Japanese DBA names it: tables, columns and indexes in
// Japanese, the rest as above. In CP932 it is about as long as the ASCII one.
inline std::string JapaneseTableScript(std::size_t i) {
    static constexpr ScriptWords kJapanese{
        "受注表", "PK_", "IX_", {"番号", "商品コード", "顧客名", "備考", "金額", "登録日", "区分"}, {"_商品", "_顧客"}};
    return TableScript(i, kJapanese);
}

// The row count of table i.
inline std::string TableRowCount(std::size_t i) {
    return std::to_string(1 + (i * 7919) % 5000000);
}

} // namespace quorvel::bench
