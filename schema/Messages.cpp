// The texts of quorvel-size and its script reader, English and Japanese side by side.

#include "schema/Messages.h"

#include <array>
#include <cstdlib>

namespace quorvel {

namespace {

struct TextRow {
    Text key;
    std::string_view english;
    std::string_view japanese;
};

// "{1}", "{2}" stand for the arguments in order.
constexpr std::array<TextRow, static_cast<std::size_t>(Text::None)> kTexts{{

    // Notes on a table of a script.
    {Text::NoRowCount, "no row count given: described, not sized", "行数の指定がないため、記述だけでｻｲｽﾞは求めていません"},
    {Text::AverageForMissingColumn, "an average length is given for column {1}, which {2} does not have",
     "平均の長さを指定した列 {1} は {2} にありません"},
    {Text::AverageNotUsed, "the average length given for {1} is not used: {1} is {2}, not text or image",
     "{1} は {2} 型で text でも image でもないため、指定した平均の長さは使いません"},
    {Text::NoAverage, "no average length given for {1}: text pages not counted",
     "{1} の平均の長さの指定がないため、ﾃｷｽﾄﾍﾟｰｼﾞは数えていません"},
    {Text::LongColumn, "column {1} is {2}, longer than the {3} bytes a column holds; counted as declared",
     "列 {1} は {2} で、1列に入る{3}ﾊﾞｲﾄを超えています。宣言どおりに数えます"},

    // Notes on a script.
    {Text::GuessedCp932, "not UTF-8 from here: read as CP932, the encoding of the Japanese locale; --encoding names another",
     "ここからUTF-8ではないため、日本語ﾛｹｰﾙのCP932として読みました。別のｴﾝｺｰﾃﾞｨﾝｸﾞは --encoding で指定してください"},
    {Text::AlterNotRead, "ALTER TABLE {1} {2} ... not read: the sizes of {1} may be wrong",
     "ALTER TABLE {1} {2} ... は読んでいません。{1} のｻｲｽﾞは正しくないかもしれません"},
    {Text::SelectIntoNotRead, "SELECT ... INTO {1} not read: table {1} is not sized",
     "SELECT ... INTO {1} は読んでいません。ﾃｰﾌﾞﾙ {1} のｻｲｽﾞは求めていません"},
    {Text::ExecuteTextNotRead, "EXECUTE of a text not read: a table it creates or changes is not sized as it would be",
     "文字列の EXECUTE は読んでいません。それが作成・変更するﾃｰﾌﾞﾙのｻｲｽﾞは反映されません"},
    {Text::RenameNotRead, "sp_rename not read: {1} keeps its old name here",
     "sp_rename は読んでいません。{1} は元の名前のままです"},

    // Problems of a script.
    {Text::Expected, "expected {1} but found {2}", "{1}が必要なところに {2} があります"},
    {Text::ColumnTypeProblem, "column {1}: {2}", "列 {1}: {2}"},
    {Text::AddTypeProblem, "sp_addtype: {1}", "sp_addtype: {1}"},
    {Text::UserTypeArguments, "type {1} takes no length or precision", "型 {1} には長さも精度も指定できません"},
    {Text::AddTypeArguments, "sp_addtype needs a type name and a physical type", "sp_addtype には型の名前と物理型が必要です"},
    {Text::IndexOnMissingTable, "index {1} is on table {2}, which no script creates",
     "ｲﾝﾃﾞｯｸｽ {1} のﾃｰﾌﾞﾙ {2} はどのｽｸﾘﾌﾟﾄでも作成されていません"},
    {Text::AlterOnMissingTable, "ALTER TABLE names table {1}, which no script creates",
     "ALTER TABLE のﾃｰﾌﾞﾙ {1} はどのｽｸﾘﾌﾟﾄでも作成されていません"},
    {Text::ColumnNamedTwice, "column {1} is named twice in {2}", "列 {1} が {2} に2回あります"},
    {Text::TableCreatedTwice, "table {1} is created twice: first at {2}",
     "ﾃｰﾌﾞﾙ {1} が2回作成されています（最初は {2}）"},
    {Text::AddedColumnNotNull, "ALTER TABLE adds column {1} to {2} without NULL: SQL Server 6.x adds only columns that allow NULL",
     "ALTER TABLE で {2} に追加する列 {1} が NULL を許しません。SQL Server 6.x が追加できるのは NULL を許す列だけです"},
    {Text::TooManyKeys, "{1} has more than {2} key columns", "{1} のｷｰ列が{2}を超えています"},
    {Text::KeyNotInTable, "{1} names column {2}, which {3} does not have", "{1} の列 {2} は {3} にありません"},
    {Text::KeyOfLongType, "{1}: the {2} column {3} cannot be a key", "{1}: {2} 型の列 {3} はｷｰにできません"},
    {Text::SecondClustered, "{1}: {2} already has a clustered {3}", "{1}: {2} にはすでにｸﾗｽﾀ化された{3} があります"},
    {Text::SecondPrimaryKey, "{1}: {2} already has {3}", "{1}: {2} にはすでに{3} があります"},
    {Text::DropConstraintIndex, "DROP INDEX {1}: the index belongs to {2}, which ALTER TABLE ... DROP CONSTRAINT drops; it stays",
     "DROP INDEX {1}: このｲﾝﾃﾞｯｸｽは{2} のもので、ALTER TABLE ... DROP CONSTRAINT で削除します。ｲﾝﾃﾞｯｸｽは残ります"},
    {Text::TooManyIndexes, "{1}: {2} already has {3} nonclustered indexes", "{1}: {2} にはすでに非ｸﾗｽﾀ化ｲﾝﾃﾞｯｸｽが{3}個あります"},
    {Text::TypeExists, "type {1} already exists", "型 {1} はすでにあります"},
    {Text::UnterminatedComment, "unterminated comment", "ｺﾒﾝﾄが閉じていません"},
    {Text::UnterminatedString, "unterminated string", "文字列が閉じていません"},
    {Text::UnterminatedQuoted, "unterminated quoted identifier", "引用符で囲んだ識別子が閉じていません"},
    {Text::UnterminatedBracketed, "unterminated bracketed identifier", "角かっこで囲んだ識別子が閉じていません"},
    {Text::EndedByGo, "{1}: the GO on line {2} ended the batch", "{1}: {2}行目のGOでﾊﾞｯﾁが終わりました"},
    {Text::LaterVersion, "{1} came with a later server version (SQL Server {2}); this table cannot be sized as 6.x",
     "{1} は後のｻｰﾊﾞｰﾊﾞｰｼﾞｮﾝ（SQL Server {2}）のものです。このﾃｰﾌﾞﾙは6.xとしてｻｲｽﾞを求められません"},

    // Phrases about a type, given its name.
    {Text::UnknownType, "unknown type '{1}'", "不明な型 '{1}' です"},
    {Text::NoArguments, "{1} takes no length or precision", "{1} には長さも精度も指定できません"},
    {Text::OneLength, "{1} takes one length", "{1} に指定できる長さは1つです"},
    {Text::LengthAtLeastOne, "{1} needs a length of at least 1", "{1} の長さは1以上で指定してください"},
    {Text::FloatPrecision, "{1} takes one precision from 1 to {2}", "{1} には1から{2}までの精度を1つ指定してください"},
    {Text::DecimalPrecision, "{1} takes a precision from 1 to {2}", "{1} の精度は1から{2}までで指定してください"},
    {Text::DecimalScale, "{1} takes a scale from 0 to its precision", "{1} の小数点以下の桁数は0から精度までで指定してください"},

    // Phrases naming an index, given its name (may be empty).
    {Text::PrimaryKeyTitle, "primary key {1}", "主ｷｰ {1}"},
    {Text::UniqueTitle, "unique constraint {1}", "一意制約 {1}"},
    {Text::IndexTitle, "index {1}", "ｲﾝﾃﾞｯｸｽ {1}"},
    {Text::ComputedColumn, "computed column {1}", "計算列 {1}"},

    // Phrases for what was expected or found.
    {Text::TableName, "a table name", "ﾃｰﾌﾞﾙ名"},
    {Text::SegmentName, "a segment name", "ｾｸﾞﾒﾝﾄ名"},
    {Text::ColumnName, "a column name", "列名"},
    {Text::ConstraintName, "a constraint name", "制約名"},
    {Text::IndexName, "an index name", "ｲﾝﾃﾞｯｸｽ名"},
    {Text::ProcedureName, "a procedure name", "ﾌﾟﾛｼｰｼﾞｬ名"},
    {Text::TriggerName, "a trigger name", "ﾄﾘｶﾞ名"},
    {Text::KeyColumn, "a key column", "ｷｰ列"},
    {Text::AType, "a type", "型"},
    {Text::WholeNumber, "a whole number", "整数"},
    {Text::FillFactor, "a fill factor", "FILLFACTOR値"},
    {Text::IndexOption, "an index option", "ｲﾝﾃﾞｯｸｽのｵﾌﾟｼｮﾝ"},
    {Text::AValue, "a value", "値"},
    {Text::CommaOrClose, "',' or ')'", "',' か ')'"},
    {Text::TableOrIndex, "TABLE or INDEX", "TABLE か INDEX"},
    {Text::ConstraintKind, "PRIMARY KEY, UNIQUE, FOREIGN KEY, REFERENCES, CHECK or DEFAULT",
     "PRIMARY KEY、UNIQUE、FOREIGN KEY、REFERENCES、CHECK、DEFAULT のいずれか"},
    {Text::AlterAction, "ADD, DROP CONSTRAINT, CHECK CONSTRAINT or NOCHECK CONSTRAINT",
     "ADD、DROP CONSTRAINT、CHECK CONSTRAINT、NOCHECK CONSTRAINT のいずれか"},
    {Text::AddTypeParameter, "@typename, @phystype or @nulltype", "@typename、@phystype、@nulltype のいずれか"},
    {Text::AddTypeEnd, "the end of the sp_addtype arguments", "sp_addtype の引数の終わり"},
    {Text::AddTypeArgument, "an argument of sp_addtype", "sp_addtype の引数"},
    {Text::NullOrNotNull, "'NULL' or 'NOT NULL'", "'NULL' か 'NOT NULL'"},
    {Text::EndOfScript, "the end of the script", "ｽｸﾘﾌﾟﾄの終わり"},
    {Text::EndOfType, "the end of the type", "型の終わり"},
    {Text::AString, "a string", "文字列"},

    // The tool's own texts.
    {Text::Malformed, "malformed JSON: unexpected '{1}'", "JSONの書式が正しくありません: '{1}' は使えません"},
    {Text::UnexpectedEnd, "malformed JSON: unexpected end of input", "JSONの書式が正しくありません: 入力が途中で終わっています"},
    {Text::NumberOutOfRange, "number out of range: {1}", "数値が大きすぎます: {1}"},
    {Text::NotATable, "a table must be a JSON object, not {1}", "ﾃｰﾌﾞﾙはJSONのｵﾌﾞｼﾞｪｸﾄで記述してください（{1}は使えません）"},
    {Text::UnknownKey, "unknown key \"{1}\"", "不明なｷｰ \"{1}\" です"},
    {Text::DuplicateKey, "duplicate key \"{1}\"", "ｷｰ \"{1}\" が重複しています"},
    {Text::WrongType, "\"{1}\" must be {2}, not {3}", "\"{1}\" には{2}を指定してください（{3}は使えません）"},
    {Text::MissingKey, "missing \"{1}\"", "\"{1}\" がありません"},
    {Text::TooManyListedIndexes, "more than {2} nonclustered indexes (\"{1}\")", "非ｸﾗｽﾀ化ｲﾝﾃﾞｯｸｽは{2}個までです（\"{1}\"）"},
    {Text::EmptyInput, "the input is empty", "入力が空です"},
    {Text::NoTable, "no table in the input", "入力にﾃｰﾌﾞﾙがありません"},
    {Text::OutOfMemory, "out of memory after reading {1} MB", "{1} MB を読んだところでﾒﾓﾘが足りなくなりました"},
    {Text::OutOfMemoryAnywhere, "out of memory", "ﾒﾓﾘが足りなくなりました"},
    {Text::CannotOpen, "cannot open {1}: {2}", "{1} を開けません: {2}"},
    {Text::CannotRead, "cannot read {1}: {2}", "{1} を読み込めません: {2}"},
    {Text::CannotWrite, "cannot write the report: {1}", "ﾚﾎﾟｰﾄを書き込めません: {1}"},
    {Text::ZeroRowsPerPage, "warning: {1}: {2} is 0, so the page counts of this structure are no real estimate",
     "警告: {1}: {2}が0のため、この構造のﾍﾟｰｼﾞ数は実際の見積もりになりません"},
    {Text::Note, "note: {1}", "注: {1}"},
    {Text::SkippedStatements, "note: statements not sized (views, procedures, grants, inserts and the like) skipped: {1}",
     "注: ｻｲｽﾞを求めない文（ﾋﾞｭｰ、ﾌﾟﾛｼｰｼﾞｬ、GRANT、INSERT など）{1}個を読み飛ばしました"},
    {Text::UnknownRowsTable, "warning: --rows names table {1}, which no script creates",
     "警告: --rows のﾃｰﾌﾞﾙ {1} はどのｽｸﾘﾌﾟﾄでも作成されていません"},
    {Text::UnknownAverageTable, "warning: --text-average names table {1}, which no script creates",
     "警告: --text-average のﾃｰﾌﾞﾙ {1} はどのｽｸﾘﾌﾟﾄでも作成されていません"},
    {Text::BadRowsOption, "--rows {1}: expected TABLE=COUNT", "--rows {1}: ﾃｰﾌﾞﾙ=行数 の形で指定してください"},
    {Text::BadRowCount, "--rows {1}: the row count must be a number from 0 to {2}",
     "--rows {1}: 行数は0から{2}までの数値で指定してください"},
    {Text::BadAverageOption, "--text-average {1}: expected TABLE.COLUMN=BYTES, bytes a whole number up to {2}",
     "--text-average {1}: ﾃｰﾌﾞﾙ.列=ﾊﾞｲﾄ数 の形で、ﾊﾞｲﾄ数は{2}までの整数で指定してください"},
    {Text::BadRowsFile, "{1}: not a JSON object of table names and row counts",
     "{1}: ﾃｰﾌﾞﾙ名と行数のJSONｵﾌﾞｼﾞｪｸﾄではありません"},
    {Text::BadRowsFileCount, "{1}: \"{2}\": the row count must be a number from 0 to {3}",
     "{1}: \"{2}\": 行数は0から{3}までの数値で指定してください"},

    // Scripts that cannot be read in their encoding.
    {Text::NotUtf8, "not UTF-8 from here; give the script's encoding, such as --encoding cp932",
     "ここからUTF-8ではありません。--encoding cp932 のようにｽｸﾘﾌﾟﾄのｴﾝｺｰﾃﾞｨﾝｸﾞを指定してください"},
    {Text::NotUtf8NorCp932, "neither UTF-8 nor CP932 from here; give the script's encoding with --encoding",
     "ここからUTF-8でもCP932でもありません。ｽｸﾘﾌﾟﾄのｴﾝｺｰﾃﾞｨﾝｸﾞを --encoding で指定してください"},
    {Text::NulCharacter, "a NUL character: UTF-16 without a byte order mark? give --encoding utf-16le",
     "NUL文字があります。BOMのないUTF-16なら --encoding utf-16le を指定してください"},
    {Text::InvalidBytes, "the byte {2} cannot be read as {1}", "ﾊﾞｲﾄ {2} は {1} として読めません"},
    {Text::TruncatedCharacter, "the script ends inside a {1} character", "ｽｸﾘﾌﾟﾄが {1} の文字の途中で終わっています"},
    {Text::UnknownEncoding, "--encoding {1}: unknown encoding (a name iconv -l lists, without //)",
     "--encoding {1}: 不明なｴﾝｺｰﾃﾞｨﾝｸﾞです（iconv -l の名前を // なしで指定してください）"},
    {Text::BomContradicts, "the script starts with a {2} byte order mark, but --encoding says {1}",
     "ｽｸﾘﾌﾟﾄは {2} のBOMで始まっていますが、--encoding の指定は {1} です"},
    {Text::TextPagesNotDescribed, "its {1} text pages are not part of the description", "ﾃｷｽﾄﾍﾟｰｼﾞ {1} は記述に含まれません"},

    // JSON kinds, as a wrong value is and as it should have been.
    {Text::KindNull, "null", "null"},
    {Text::KindBoolean, "a boolean", "真偽値"},
    {Text::KindNumber, "a number", "数値"},
    {Text::KindText, "a text", "文字列"},
    {Text::KindObject, "an object", "ｵﾌﾞｼﾞｪｸﾄ"},
    {Text::KindArray, "an array", "配列"},
    {Text::ExpectNumberOrText, "a number or a text", "数値か文字列"},
    {Text::ExpectObjectOrNull, "an object or null", "ｵﾌﾞｼﾞｪｸﾄかnull"},
}};

// Row i holds the texts of Text i: none is missing, none stands in another's place.
constexpr bool EveryTextInItsRow() {
    for (std::size_t i = 0; i < kTexts.size(); ++i) {
        if (kTexts[i].key != static_cast<Text>(i))
            return false;
    }
    return true;
}
static_assert(EveryTextInItsRow(), "kTexts needs one row for each Text, in the order of the enum");

std::string_view Pattern(Text text, Language language) {
    const TextRow& row = kTexts[static_cast<std::size_t>(text)];
    return language == Language::Japanese ? row.japanese : row.english;
}

// A phrase with its name and perhaps one more text; " {1}" goes away with
// an empty name ("primary key").
void AppendPhrase(std::string& out, const Message::Argument& argument, Language language) {
    std::string_view pattern = Pattern(argument.phrase, language);
    const std::size_t at = pattern.find("{1}");
    if (at != std::string_view::npos && argument.text.empty() && at > 0 && pattern[at - 1] == ' ') {
        out += pattern.substr(0, at - 1);
        pattern.remove_prefix(at);
    }
    const std::array<Message::Argument, 2> texts{argument.text, argument.second};
    out += Message::FillIn(pattern, texts, language);
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
    return FillIn(Pattern(m_text, language), m_arguments, language);
}

std::string Message::FillIn(std::string_view pattern, std::span<const Argument> arguments, Language language) {
    std::string out;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        const bool placeholder = i + 2 < pattern.size() && pattern[i] == '{' && pattern[i + 2] == '}' &&
                                 pattern[i + 1] >= '1' &&
                                 static_cast<std::size_t>(pattern[i + 1] - '1') < arguments.size();
        if (!placeholder) {
            out.push_back(pattern[i]);
            continue;
        }
        const Argument& argument = arguments[static_cast<std::size_t>(pattern[i + 1] - '1')];
        if (argument.phrase == Text::None)
            out += argument.text;
        else
            AppendPhrase(out, argument, language);
        i += 2;
    }
    return out;
}

} // namespace quorvel
