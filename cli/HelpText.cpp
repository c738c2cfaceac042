// The text of quorvel-size --help. Its limits come from the server's limits,
// so the help says what the tool checks.

#include "cli/HelpText.h"

#include "calc/NumericText.h"
#include "calc/ServerLimits.h"

#include <array>
#include <string_view>

namespace quorvel::cli {

namespace {

// {1} the most rows, {2} bytes of columns, {3} variable-length columns, {4}
// the highest fill factor, {5} nonclustered indexes, {6} text bytes a page.
constexpr std::string_view kEnglish = R"(Usage: quorvel-size [--summary | --json | --jsonl | --csv] [--format auto|json|jsonl] [FILE...]
       quorvel-size --ddl SCRIPT... [--rows TABLE=COUNT | --rows-file FILE] [OPTION...]
       quorvel-size --help | --version

Estimates the 2 KB pages of SQL Server 6.x tables and indexes exactly as the
Quorvel window does, for tables described in JSON or created by a SQL Server
6.x script. Without FILE or --ddl, or with "-", standard input is read; the
tables of all inputs make one database.

Views (one of):
  (none)      every figure of the window for each table, then the database total
  --summary   one line a table: data, clustered, nonclustered and total pages, size
  --json      one JSON document: {"tables": [...], "database": {...}}
  --jsonl     one JSON object a table as it is computed, then {"database": {...}}
  --csv       one line a table and structure: table, structure, row size, rows
              per page, pages, levels 0 to 14
Input:
  --format F  json: one document (a table or an array of tables); jsonl: one
              table (or array of tables) a line; auto (default): by the name
              (.jsonl, .ndjson, .json), else a first value that closes on its
              own line means JSON Lines, one still open at its end a document
Scripts (CREATE TABLE, CREATE INDEX, ALTER TABLE, DROP TABLE, DROP INDEX,
sp_addtype; statements that change no size are skipped and counted, those
that could but are not read are noted with their place):
  --ddl SCRIPT             read a script; may be repeated: the scripts are one
                           schema, read in the order given
  --encoding NAME          the encoding of scripts without a byte order mark:
                           cp932, utf-16le, any name iconv -l lists; without
                           it UTF-8, or CP932 under a Japanese locale
  --rows TABLE=COUNT       the row count of a table, 0 to {1}; may be
                           repeated; a table without one is described (its row
                           sizes and rows per page), not sized
  --rows-file FILE         row counts as a JSON object: {"orders": 9000000}
  --variable-fill PERCENT  how full variable-length columns are (default 100)
  --text-average TABLE.COLUMN=BYTES
                           average length of a text or image column: each
                           value takes ceil(BYTES / {6}) text pages
  --ansi-null-default      columns without NULL or NOT NULL allow NULL
  --describe               write the derived tables as JSON Lines (the input
                           above) instead of sizing them; notes go to stderr
  -h, --help  this text        --version  the version

A table (numbers as JSON numbers or as texts such as "1,000"):
  {"name": "orders", "rowCount": 1000000,
   "data": {"fixedBytes": 100, "variableBytes": 50, "variableColumns": 2},
   "clustered": {"fillFactor": 80, "fixedBytes": 4},
   "nonClustered": [{"fixedBytes": 8}, null, {"fixedBytes": 4, "variableBytes": 20}]}
  rowCount and data.fixedBytes are required; a section with variableBytes or
  variableColumns has variable-length columns; a missing or null clustered, and a
  null index, means none; fillFactor (indexes only) defaults to 0.
Limits: row count up to {1}; {2} bytes of columns a section; {3}
variable-length columns; fill factor 0 to {4}; {5} nonclustered indexes a table.

Errors name the place and the key: FILE:LINE:COLUMN: nonClustered[2].fillFactor
= "150": FILLFACTOR値が正しくありません。 (columns count bytes; indexes from 0).
Exit status: 0 every table computed; 1 some table refused, failed or invalid
(the others are still computed); 2 bad usage, an input that cannot be read or
decoded, a malformed document, an input without tables, running out of
memory, or a report that cannot be written.
)";

constexpr std::string_view kJapanese = R"(使い方: quorvel-size [--summary | --json | --jsonl | --csv] [--format auto|json|jsonl] [ﾌｧｲﾙ...]
        quorvel-size --ddl ｽｸﾘﾌﾟﾄ... [--rows ﾃｰﾌﾞﾙ=行数 | --rows-file ﾌｧｲﾙ] [ｵﾌﾟｼｮﾝ...]
        quorvel-size --help | --version

JSONで記述した、またはSQL Server 6.xのｽｸﾘﾌﾟﾄで作成するﾃｰﾌﾞﾙとｲﾝﾃﾞｯｸｽに必要な
2KBﾍﾟｰｼﾞ数を、Quorvelのｳｨﾝﾄﾞｳと同じ計算で求めます。ﾌｧｲﾙも --ddl も指定しないか
"-" を指定すると標準入力を読みます。すべての入力のﾃｰﾌﾞﾙで1つのﾃﾞｰﾀﾍﾞｰｽになります。

表示（いずれか1つ）:
  (なし)      ﾃｰﾌﾞﾙごとにｳｨﾝﾄﾞｳのすべての値、最後にﾃﾞｰﾀﾍﾞｰｽ合計
  --summary   1ﾃｰﾌﾞﾙ1行: ﾃﾞｰﾀ、ｸﾗｽﾀ、非ｸﾗｽﾀ、総ﾍﾟｰｼﾞ数とｻｲｽﾞ
  --json      1つのJSON文書: {"tables": [...], "database": {...}}
  --jsonl     計算したﾃｰﾌﾞﾙごとに1つのJSONｵﾌﾞｼﾞｪｸﾄ、最後に {"database": {...}}
  --csv       ﾃｰﾌﾞﾙと構造ごとに1行: ﾃｰﾌﾞﾙ、構造、行のｻｲｽﾞ、ﾍﾟｰｼﾞごとの行数、
              ﾍﾟｰｼﾞ数、ﾚﾍﾞﾙ0から14
入力:
  --format F  json: 1つの文書（ﾃｰﾌﾞﾙまたはﾃｰﾌﾞﾙの配列）; jsonl: 1行に1ﾃｰﾌﾞﾙ
              （またはﾃｰﾌﾞﾙの配列）; auto（既定）: 名前（.jsonl、.ndjson、.json）で、
              それ以外は最初の値がその行で閉じればJSON Lines、行末で開いたままなら文書
ｽｸﾘﾌﾟﾄ（CREATE TABLE、CREATE INDEX、ALTER TABLE、DROP TABLE、DROP INDEX、
sp_addtype。ｻｲｽﾞの変わらない文は読み飛ばして数え、ｻｲｽﾞが変わりうるのに読まない
文は位置とともに注で示します）:
  --ddl ｽｸﾘﾌﾟﾄ             ｽｸﾘﾌﾟﾄを読みます。複数指定でき、指定した順に読んで
                           1つのｽｷｰﾏとします
  --encoding 名前          BOMのないｽｸﾘﾌﾟﾄのｴﾝｺｰﾃﾞｨﾝｸﾞ: cp932、utf-16le など
                           iconv -l の名前。指定がなければUTF-8、日本語ﾛｹｰﾙ
                           ではCP932
  --rows ﾃｰﾌﾞﾙ=行数        ﾃｰﾌﾞﾙの行数（0から{1}）。複数指定
                           できます。行数のないﾃｰﾌﾞﾙは記述（行のｻｲｽﾞと
                           ﾍﾟｰｼﾞごとの行数）だけでｻｲｽﾞは求めません
  --rows-file ﾌｧｲﾙ         行数のJSONｵﾌﾞｼﾞｪｸﾄ: {"orders": 9000000}
  --variable-fill ﾊﾟｰｾﾝﾄ   可変長列の使用率（既定は100）
  --text-average ﾃｰﾌﾞﾙ.列=ﾊﾞｲﾄ数
                           text・image 列の平均の長さ。値ごとに
                           ceil(ﾊﾞｲﾄ数 / {6}) ﾍﾟｰｼﾞのﾃｷｽﾄﾍﾟｰｼﾞを数えます
  --ansi-null-default      NULL も NOT NULL もない列は NULL を許します
  --describe               ｻｲｽﾞを求める代わりに、求めたﾃｰﾌﾞﾙの記述を上の入力の
                           JSON Linesで書きます。注は標準ｴﾗｰ出力へ
  -h, --help  この説明        --version  ﾊﾞｰｼﾞｮﾝ

ﾃｰﾌﾞﾙの例（数値はJSONの数値か "1,000" のような文字列）:
  {"name": "orders", "rowCount": 1000000,
   "data": {"fixedBytes": 100, "variableBytes": 50, "variableColumns": 2},
   "clustered": {"fillFactor": 80, "fixedBytes": 4},
   "nonClustered": [{"fixedBytes": 8}, null, {"fixedBytes": 4, "variableBytes": 20}]}
  rowCount と data.fixedBytes は必須です。variableBytes か variableColumns のある
  ｾｸｼｮﾝは可変長列を含みます。clustered がないか null、ｲﾝﾃﾞｯｸｽが null なら「なし」です。
  fillFactor（ｲﾝﾃﾞｯｸｽのみ）の既定は0です。
制限: 行数は{1}まで、1ｾｸｼｮﾝの列は{2}ﾊﾞｲﾄまで、可変長列は{3}まで、
FILLFACTORは0から{4}、非ｸﾗｽﾀ化ｲﾝﾃﾞｯｸｽは1ﾃｰﾌﾞﾙ{5}個までです。

ｴﾗｰは位置とｷｰを示します: ﾌｧｲﾙ:行:桁: nonClustered[2].fillFactor = "150":
FILLFACTOR値が正しくありません。（桁はﾊﾞｲﾄ単位、ｲﾝﾃﾞｯｸｽ番号は0から）
終了ｽﾃｰﾀｽ: 0 すべて計算できた; 1 拒否・失敗・記述誤りのﾃｰﾌﾞﾙがある（他のﾃｰﾌﾞﾙは
計算します）; 2 使い方の誤り、読めないかﾃﾞｺｰﾄﾞできない入力、不正な文書、ﾃｰﾌﾞﾙの
ない入力、ﾒﾓﾘ不足、ﾚﾎﾟｰﾄを書き込めない。
)";

} // namespace

std::string HelpText(Language language) {
    char grouped[64];
    const std::array<Message::Argument, 6> limits{
        numtext::FormatGrouped(limits::kRowCount, grouped), std::to_string(limits::kRowBytes),
        std::to_string(limits::kColumns),                   std::to_string(limits::kFillFactor),
        std::to_string(limits::kNonClustered),              std::to_string(limits::kTextPageBytes)};
    return Message::FillIn(language == Language::Japanese ? kJapanese : kEnglish, limits, language);
}

} // namespace quorvel::cli
