// The texts of quorvel-size and its script reader, English and Japanese side by side.

#include "schema/Messages.h"

#include <array>
#include <cstdlib>

namespace quorvel {

namespace {

struct Texts {
    std::string_view english;
    std::string_view japanese;
};

// By Text; "{1}", "{2}" stand for the arguments in order.
constexpr std::array<Texts, static_cast<std::size_t>(Text::None)> kTexts{{

    {"no row count given: described, not sized", "行数の指定がないため、記述だけでｻｲｽﾞは求めていません"},
    {"an average length is given for column {1}, which {2} does not have",
     "平均の長さを指定した列 {1} は {2} にありません"},
    {"the average length given for {1} is not used: {1} is {2}, not text or image",
     "{1} は {2} 型で text でも image でもないため、指定した平均の長さは使いません"},
    {"no average length given for {1}: text pages not counted",
     "{1} の平均の長さの指定がないため、ﾃｷｽﾄﾍﾟｰｼﾞは数えていません"},
    {"column {1} is {2}, longer than the 255 bytes a column holds; counted as declared",
     "列 {1} は {2} で、1列に入る255ﾊﾞｲﾄを超えています。宣言どおりに数えます"},

    {"expected {1} but found {2}", "{1}が必要なところに {2} があります"},
    {"column {1}: {2}", "列 {1}: {2}"},
    {"sp_addtype: {1}", "sp_addtype: {1}"},
    {"type {1} takes no length or precision", "型 {1} には長さも精度も指定できません"},
    {"sp_addtype needs a type name and a physical type", "sp_addtype には型の名前と物理型が必要です"},
    {"index {1} is on table {2}, which this script does not create",
     "ｲﾝﾃﾞｯｸｽ {1} のﾃｰﾌﾞﾙ {2} はこのｽｸﾘﾌﾟﾄで作成されていません"},
    {"column {1} is named twice in {2}", "列 {1} が {2} に2回あります"},
    {"table {1} is created twice", "ﾃｰﾌﾞﾙ {1} が2回作成されています"},
    {"{1} has more than 16 key columns", "{1} のｷｰ列が16を超えています"},
    {"{1} names column {2}, which {3} does not have", "{1} の列 {2} は {3} にありません"},
    {"{1}: the {2} column {3} cannot be a key", "{1}: {2} 型の列 {3} はｷｰにできません"},
    {"{1}: {2} already has a clustered {3}", "{1}: {2} にはすでにｸﾗｽﾀ化された{3} があります"},
    {"{1}: {2} already has 249 nonclustered indexes", "{1}: {2} にはすでに非ｸﾗｽﾀ化ｲﾝﾃﾞｯｸｽが249個あります"},
    {"type {1} already exists", "型 {1} はすでにあります"},
    {"unterminated comment", "ｺﾒﾝﾄが閉じていません"},
    {"unterminated string", "文字列が閉じていません"},
    {"unterminated quoted identifier", "引用符で囲んだ識別子が閉じていません"},
    {"unterminated bracketed identifier", "角かっこで囲んだ識別子が閉じていません"},

    {"unknown type '{1}'", "不明な型 '{1}' です"},
    {"{1} takes no length or precision", "{1} には長さも精度も指定できません"},
    {"{1} takes one length", "{1} に指定できる長さは1つです"},
    {"{1} needs a length of at least 1", "{1} の長さは1以上で指定してください"},
    {"{1} takes one precision from 1 to 15", "{1} には1から15までの精度を1つ指定してください"},
    {"{1} takes a precision from 1 to 38", "{1} の精度は1から38までで指定してください"},
    {"{1} takes a scale from 0 to its precision", "{1} の小数点以下の桁数は0から精度までで指定してください"},

    {"primary key {1}", "主ｷｰ {1}"},
    {"unique constraint {1}", "一意制約 {1}"},
    {"index {1}", "ｲﾝﾃﾞｯｸｽ {1}"},

    {"a table name", "ﾃｰﾌﾞﾙ名"},
    {"a segment name", "ｾｸﾞﾒﾝﾄ名"},
    {"a column name", "列名"},
    {"a constraint name", "制約名"},
    {"an index name", "ｲﾝﾃﾞｯｸｽ名"},
    {"a procedure name", "ﾌﾟﾛｼｰｼﾞｬ名"},
    {"a key column", "ｷｰ列"},
    {"a type", "型"},
    {"a whole number", "整数"},
    {"a fill factor", "FILLFACTOR値"},
    {"an index option", "ｲﾝﾃﾞｯｸｽのｵﾌﾟｼｮﾝ"},
    {"a value", "値"},
    {"',' or ')'", "',' か ')'"},
    {"TABLE or INDEX", "TABLE か INDEX"},
    {"PRIMARY KEY, UNIQUE, FOREIGN KEY, REFERENCES, CHECK or DEFAULT",
     "PRIMARY KEY、UNIQUE、FOREIGN KEY、REFERENCES、CHECK、DEFAULT のいずれか"},
    {"@typename, @phystype or @nulltype", "@typename、@phystype、@nulltype のいずれか"},
    {"the end of the sp_addtype arguments", "sp_addtype の引数の終わり"},
    {"an argument of sp_addtype", "sp_addtype の引数"},
    {"'NULL' or 'NOT NULL'", "'NULL' か 'NOT NULL'"},
    {"the end of the script", "ｽｸﾘﾌﾟﾄの終わり"},
    {"the end of the type", "型の終わり"},
    {"a string", "文字列"},


    {"malformed JSON: unexpected '{1}'", "JSONの書式が正しくありません: '{1}' は使えません"},
    {"malformed JSON: unexpected end of input", "JSONの書式が正しくありません: 入力が途中で終わっています"},
    {"number out of range: {1}", "数値が大きすぎます: {1}"},
    {"a table must be a JSON object, not {1}", "ﾃｰﾌﾞﾙはJSONのｵﾌﾞｼﾞｪｸﾄで記述してください（{1}は使えません）"},
    {"unknown key \"{1}\"", "不明なｷｰ \"{1}\" です"},
    {"duplicate key \"{1}\"", "ｷｰ \"{1}\" が重複しています"},
    {"\"{1}\" must be {2}, not {3}", "\"{1}\" には{2}を指定してください（{3}は使えません）"},
    {"missing \"{1}\"", "\"{1}\" がありません"},
    {"more than {2} nonclustered indexes (\"{1}\")", "非ｸﾗｽﾀ化ｲﾝﾃﾞｯｸｽは{2}個までです（\"{1}\"）"},
    {"no table in the input", "ﾃｰﾌﾞﾙがありません（入力が空です）"},
    {"cannot open {1}: {2}", "{1} を開けません: {2}"},
    {"cannot read {1}: {2}", "{1} を読み込めません: {2}"},
    {"cannot write the report: {1}", "ﾚﾎﾟｰﾄを書き込めません: {1}"},
    {"warning: {1}: {2} is 0, so the page counts of this structure are no real estimate",
     "警告: {1}: {2}が0のため、この構造のﾍﾟｰｼﾞ数は実際の見積もりになりません"},
    {"note: {1}", "注: {1}"},
    {"note: statements not sized (views, procedures, grants, inserts and the like) skipped: {1}",
     "注: ｻｲｽﾞを求めない文（ﾋﾞｭｰ、ﾌﾟﾛｼｰｼﾞｬ、GRANT、INSERT など）{1}個を読み飛ばしました"},
    {"warning: --rows names table {1}, which no script creates",
     "警告: --rows のﾃｰﾌﾞﾙ {1} はどのｽｸﾘﾌﾟﾄでも作成されていません"},
    {"warning: --text-average names table {1}, which no script creates",
     "警告: --text-average のﾃｰﾌﾞﾙ {1} はどのｽｸﾘﾌﾟﾄでも作成されていません"},
    {"--rows {1}: expected TABLE=COUNT", "--rows {1}: ﾃｰﾌﾞﾙ=行数 の形で指定してください"},
    {"--text-average {1}: expected TABLE.COLUMN=BYTES, bytes a whole number up to 2147483647",
     "--text-average {1}: ﾃｰﾌﾞﾙ.列=ﾊﾞｲﾄ数 の形で、ﾊﾞｲﾄ数は2147483647までの整数で指定してください"},
    {"{1}: not a JSON object of table names and row counts",
     "{1}: ﾃｰﾌﾞﾙ名と行数のJSONｵﾌﾞｼﾞｪｸﾄではありません"},
    {"its {1} text pages are not part of the description", "ﾃｷｽﾄﾍﾟｰｼﾞ {1} は記述に含まれません"},
    {R"(Usage: quorvel-size [--summary | --json | --jsonl | --csv] [--format auto|json|jsonl] [FILE...]
       quorvel-size --ddl SCRIPT [--rows TABLE=COUNT | --rows-file FILE] [OPTION...]
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
Scripts (CREATE TABLE, CREATE INDEX, sp_addtype; other statements are skipped):
  --ddl SCRIPT             read a script; may be repeated
  --rows TABLE=COUNT       the row count of a table; may be repeated; a table
                           without one is described, not sized
  --rows-file FILE         row counts as a JSON object: {"orders": 9000000}
  --variable-fill PERCENT  how full variable-length columns are (default 100)
  --text-average TABLE.COLUMN=BYTES
                           average length of a text or image column: each
                           value takes ceil(BYTES / 1800) text pages
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
Limits: row count up to 2,147,483,647; 1962 bytes of columns a section; 250
variable-length columns; fill factor 0 to 100; 249 nonclustered indexes a table.

Errors name the place and the key: FILE:LINE:COLUMN: nonClustered[2].fillFactor
= "150": FILLFACTOR値が正しくありません。 (columns count bytes; indexes from 0).
Exit status: 0 every table computed; 1 some table refused, failed or invalid
(the others are still computed); 2 bad usage, an input that cannot be read, a
malformed document, an input without tables, or a report that cannot be written.
)",
     R"(使い方: quorvel-size [--summary | --json | --jsonl | --csv] [--format auto|json|jsonl] [ﾌｧｲﾙ...]
        quorvel-size --ddl ｽｸﾘﾌﾟﾄ [--rows ﾃｰﾌﾞﾙ=行数 | --rows-file ﾌｧｲﾙ] [ｵﾌﾟｼｮﾝ...]
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
ｽｸﾘﾌﾟﾄ（CREATE TABLE、CREATE INDEX、sp_addtype。その他の文は読み飛ばします）:
  --ddl ｽｸﾘﾌﾟﾄ             ｽｸﾘﾌﾟﾄを読みます。複数指定できます
  --rows ﾃｰﾌﾞﾙ=行数        ﾃｰﾌﾞﾙの行数。複数指定できます。行数のないﾃｰﾌﾞﾙは
                           記述だけでｻｲｽﾞは求めません
  --rows-file ﾌｧｲﾙ         行数のJSONｵﾌﾞｼﾞｪｸﾄ: {"orders": 9000000}
  --variable-fill ﾊﾟｰｾﾝﾄ   可変長列の使用率（既定は100）
  --text-average ﾃｰﾌﾞﾙ.列=ﾊﾞｲﾄ数
                           text・image 列の平均の長さ。値ごとに
                           ceil(ﾊﾞｲﾄ数 / 1800) ﾍﾟｰｼﾞのﾃｷｽﾄﾍﾟｰｼﾞを数えます
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
制限: 行数は2,147,483,647まで、1ｾｸｼｮﾝの列は1962ﾊﾞｲﾄまで、可変長列は250まで、
FILLFACTORは0から100、非ｸﾗｽﾀ化ｲﾝﾃﾞｯｸｽは1ﾃｰﾌﾞﾙ249個までです。

ｴﾗｰは位置とｷｰを示します: ﾌｧｲﾙ:行:桁: nonClustered[2].fillFactor = "150":
FILLFACTOR値が正しくありません。（桁はﾊﾞｲﾄ単位、ｲﾝﾃﾞｯｸｽ番号は0から）
終了ｽﾃｰﾀｽ: 0 すべて計算できた; 1 拒否・失敗・記述誤りのﾃｰﾌﾞﾙがある（他のﾃｰﾌﾞﾙは
計算します）; 2 使い方の誤り、読めない入力、不正な文書、ﾃｰﾌﾞﾙのない入力、
ﾚﾎﾟｰﾄを書き込めない。
)"},


    {"null", "null"},
    {"a boolean", "真偽値"},
    {"a number", "数値"},
    {"a text", "文字列"},
    {"an object", "ｵﾌﾞｼﾞｪｸﾄ"},
    {"an array", "配列"},

    {"a number or a text", "数値か文字列"},
    {"a text", "文字列"},
    {"an object", "ｵﾌﾞｼﾞｪｸﾄ"},
    {"an object or null", "ｵﾌﾞｼﾞｪｸﾄかnull"},
    {"an array", "配列"},
}};

std::string_view Pattern(Text text, Language language) {
    const Texts& texts = kTexts[static_cast<std::size_t>(text)];
    return language == Language::Japanese ? texts.japanese : texts.english;
}

// A phrase with its one name; " {1}" goes away with an empty name ("primary key").
void AppendPhrase(std::string& out, const Message::Argument& argument, Language language) {
    const std::string_view pattern = Pattern(argument.phrase, language);
    const std::size_t at = pattern.find("{1}");
    if (at == std::string_view::npos) {
        out += pattern;
        return;
    }
    const bool dropBlank = argument.text.empty() && at > 0 && pattern[at - 1] == ' ';
    out += pattern.substr(0, dropBlank ? at - 1 : at);
    out += argument.text;
    out += pattern.substr(at + 3);
}

} // namespace

Language LanguageFromEnvironment() {
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* value = std::getenv(name);
        if (value != nullptr && *value != '\0')
            return std::string_view(value).substr(0, 2) == "ja" ? Language::Japanese : Language::English;
    }
    return Language::English;
}

std::string Message::Render(Language language) const {
    const std::string_view pattern = Pattern(m_text, language);
    std::string out;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        const bool placeholder = i + 2 < pattern.size() && pattern[i] == '{' && pattern[i + 2] == '}' &&
                                 pattern[i + 1] >= '1' &&
                                 static_cast<std::size_t>(pattern[i + 1] - '1') < m_arguments.size();
        if (!placeholder) {
            out.push_back(pattern[i]);
            continue;
        }
        const Argument& argument = m_arguments[static_cast<std::size_t>(pattern[i + 1] - '1')];
        if (argument.phrase == Text::None)
            out += argument.text;
        else
            AppendPhrase(out, argument, language);
        i += 2;
    }
    return out;
}

} // namespace quorvel
