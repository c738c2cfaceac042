// The notes and problems of the schema reader, English and Japanese side by side.

#include "ScriptMessage.h"

#include <array>
#include <string_view>

namespace quorvel::schema {

namespace {

struct Texts {
    std::string_view english;
    std::string_view japanese;
};

// By ScriptText; "{1}", "{2}" stand for the arguments in order.
constexpr std::array<Texts, static_cast<std::size_t>(ScriptText::Count)> kTexts{{
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
}};

std::string_view Pattern(ScriptText text, TextLanguage language) {
    const Texts& texts = kTexts[static_cast<std::size_t>(text)];
    return language == TextLanguage::Japanese ? texts.japanese : texts.english;
}

// A phrase with its one name; " {1}" goes away with an empty name ("primary key").
void AppendPhrase(std::string& out, const ScriptMessage::Argument& argument, TextLanguage language) {
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

std::string ScriptMessage::Render(TextLanguage language) const {
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
        if (argument.phrase == ScriptText::Count)
            out += argument.text;
        else
            AppendPhrase(out, argument, language);
        i += 2;
    }
    return out;
}

} // namespace quorvel::schema
