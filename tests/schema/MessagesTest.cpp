// What holds for every text of quorvel-size and its script reader, in both
// languages, whatever the text says: each one has words, the Japanese text
// names the same things as the English one, and no two texts are the same (so
// that no message stands in for another).

#include "schema/Messages.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <utility>

namespace quorvel {
namespace {

constexpr int kTextCount = static_cast<int>(Text::None);

// Each argument is a name that shows where it lands in the text.
std::string Rendered(Text text, Language language) {
    return Message(text, {"«1»", "«2»", "«3»"}).Render(language);
}

std::set<std::string> ArgumentsShown(const std::string& text) {
    std::set<std::string> shown;
    for (const char* name : {"«1»", "«2»", "«3»"}) {
        if (text.find(name) != std::string::npos)
            shown.insert(name);
    }
    return shown;
}

bool HasWords(const std::string& text) {
    std::string rest = text;
    for (const char* name : {"«1»", "«2»", "«3»"}) {
        for (std::size_t at = rest.find(name); at != std::string::npos; at = rest.find(name))
            rest.erase(at, std::string(name).size());
    }
    return rest.find_first_not_of(" :()'\"") != std::string::npos;
}

TEST(MessageTexts, EveryTextHasWordsInBothLanguages) {
    for (int i = 0; i < kTextCount; ++i) {
        for (const Language language : {Language::English, Language::Japanese}) {
            const std::string text = Rendered(static_cast<Text>(i), language);
            EXPECT_TRUE(HasWords(text)) << "text " << i << (language == Language::English ? " (en)" : " (ja)") << ": '"
                                        << text << "'";
            EXPECT_EQ(text.find('{'), std::string::npos) << "text " << i << ": a placeholder left: " << text;
        }
    }
}

TEST(MessageTexts, TheJapaneseTextNamesWhatTheEnglishOneNames) {
    for (int i = 0; i < kTextCount; ++i) {
        const std::string english = Rendered(static_cast<Text>(i), Language::English);
        const std::string japanese = Rendered(static_cast<Text>(i), Language::Japanese);
        EXPECT_EQ(ArgumentsShown(english), ArgumentsShown(japanese)) << english << "\n" << japanese;
    }
}

TEST(MessageTexts, NoTwoTextsAreTheSame) {
    // Japanese has one word for some phrases that English tells apart ("a
    // string" and "text" are both 文字列), so the pair must differ, and the
    // English text alone.
    std::map<std::string, int> english;
    std::map<std::pair<std::string, std::string>, int> pairs;
    for (int i = 0; i < kTextCount; ++i) {
        const std::string en = Rendered(static_cast<Text>(i), Language::English);
        const std::string ja = Rendered(static_cast<Text>(i), Language::Japanese);
        const auto [at, added] = english.emplace(en, i);
        EXPECT_TRUE(added) << "texts " << at->second << " and " << i << " both read '" << en << "'";
        const auto [pairAt, pairAdded] = pairs.emplace(std::pair(en, ja), i);
        EXPECT_TRUE(pairAdded) << "texts " << pairAt->second << " and " << i << " are the same";
    }
}

// Every Japanese text but a bare keyword or a type's own name is Japanese.
TEST(MessageTexts, TheJapaneseTextsAreNotTheEnglishOnes) {
    int same = 0;
    for (int i = 0; i < kTextCount; ++i) {
        if (Rendered(static_cast<Text>(i), Language::English) == Rendered(static_cast<Text>(i), Language::Japanese))
            ++same;
    }
    EXPECT_LE(same, 2);
}

} // namespace
} // namespace quorvel
