// The notes of the schema reader, English and Japanese side by side.

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
}};

} // namespace

std::string ScriptMessage::Render(TextLanguage language) const {
    const Texts& texts = kTexts[static_cast<std::size_t>(m_text)];
    const std::string_view pattern = language == TextLanguage::Japanese ? texts.japanese : texts.english;
    std::string out;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        const bool placeholder = i + 2 < pattern.size() && pattern[i] == '{' && pattern[i + 2] == '}' &&
                                 pattern[i + 1] >= '1' &&
                                 static_cast<std::size_t>(pattern[i + 1] - '1') < m_arguments.size();
        if (placeholder) {
            out += m_arguments[static_cast<std::size_t>(pattern[i + 1] - '1')];
            i += 2;
        } else {
            out.push_back(pattern[i]);
        }
    }
    return out;
}

} // namespace quorvel::schema
