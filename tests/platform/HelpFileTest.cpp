#include "HelpFile.h"
#include "TestSupport.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <set>

namespace quorvel {
namespace {

QByteArray Lines(std::initializer_list<const char*> lines) {
    QByteArray text;
    for (const char* line : lines)
        text += QByteArray(line) + '\n';
    return text;
}

QStringList TopicIds(const HelpFile& file) {
    QStringList ids;
    for (const HelpTopic& topic : file.Topics())
        ids.append(topic.id);
    return ids;
}

QStringList KeywordTexts(const std::vector<HelpKeyword>& keywords) {
    QStringList texts;
    for (const HelpKeyword& entry : keywords)
        texts.append(entry.keyword);
    return texts;
}

struct ParseRow {
    const char* name;
    QByteArray bytes;
    HelpFile::Status status;
    QStringList topicIds;
    int problems;
};

class HelpFileParseTest : public ::testing::TestWithParam<ParseRow> {};

TEST_P(HelpFileParseTest, ReadsTopicsOrRefusesTheFile) {
    const ParseRow& row = GetParam();
    const HelpFile file = HelpFile::Parse(row.bytes);
    EXPECT_EQ(file.GetStatus(), row.status);
    EXPECT_EQ(TopicIds(file), row.topicIds);
    EXPECT_EQ(file.Problems().size(), row.problems) << file.Problems().join("; ").toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Files, HelpFileParseTest,
    ::testing::Values(
        ParseRow{"TwoTopics",
                 Lines({"QUORVEL-HELP 1", "= a First", "text", "= b Second", "more"}),
                 HelpFile::Status::Loaded,
                 {"a", "b"},
                 0},
        ParseRow{"ByteOrderMarkAndWindowsLineEnds",
                 "\xEF\xBB\xBFQUORVEL-HELP 1\r\n= a First\r\ntext\r\n",
                 HelpFile::Status::Loaded,
                 {"a"},
                 0},
        ParseRow{"RemarksAreSkipped",
                 Lines({"QUORVEL-HELP 1", "# remark", "= a First", "# = b hidden"}),
                 HelpFile::Status::Loaded,
                 {"a"},
                 0},
        ParseRow{"NoSignatureIsNotOurHelpFile",
                 Lines({"= a First", "text"}),
                 HelpFile::Status::NotHelpFile,
                 {},
                 0},
        ParseRow{"BinaryHelpFileIsRefused",
                 QByteArray("?_\x03\x00\x00\x01\x00\x00", 8),
                 HelpFile::Status::NotHelpFile,
                 {},
                 0},
        ParseRow{
            "BrokenUtf8IsRefused", "QUORVEL-HELP 1\n= a \xFF\xFE\n", HelpFile::Status::NotHelpFile, {}, 0},
        ParseRow{"EmptyFile", "", HelpFile::Status::NotHelpFile, {}, 0},
        ParseRow{"SignatureOnlyHasNoTopics", "QUORVEL-HELP 1", HelpFile::Status::Loaded, {}, 0},
        ParseRow{"RepeatedIdKeepsTheFirstTopic",
                 Lines({"QUORVEL-HELP 1", "= a First", "= a Again", "= b Second"}),
                 HelpFile::Status::Loaded,
                 {"a", "b"},
                 1},
        ParseRow{"BadIdIsSkippedWithItsBody",
                 Lines({"QUORVEL-HELP 1", "= a/b Bad", "K lost", "= c Good"}),
                 HelpFile::Status::Loaded,
                 {"c"},
                 1},
        ParseRow{"TextBeforeTheFirstTopicIsReported",
                 Lines({"QUORVEL-HELP 1", "stray", "= a First"}),
                 HelpFile::Status::Loaded,
                 {"a"},
                 1},
        ParseRow{"LinkToAMissingTopicIsReported",
                 Lines({"QUORVEL-HELP 1", "= a First", "see [[nowhere]]"}),
                 HelpFile::Status::Loaded,
                 {"a"},
                 1}),
    RowName<ParseRow>);

TEST(HelpFile, RendersHeadingsListsParagraphsAndLinks) {
    const HelpFile file =
        HelpFile::Parse(Lines({"QUORVEL-HELP 1", "= a Title <1>", "first line", "second line", "", "== Sub",
                               "- one [[b]]", "- two [[b|here]]", "日本語の", "続き", "= b Other & more"}));
    const HelpTopic* topic = file.FindTopic("a");
    ASSERT_NE(topic, nullptr);
    EXPECT_TRUE(topic->html.contains("<h2>Title &lt;1&gt;</h2>")) << topic->html.toStdString();
    EXPECT_TRUE(topic->html.contains("<p>first line second line</p>")) << topic->html.toStdString();
    EXPECT_TRUE(topic->html.contains("<h3>Sub</h3>"));
    EXPECT_TRUE(topic->html.contains("<li>one <a href=\"topic:b\">Other &amp; more</a></li>"))
        << topic->html.toStdString();
    EXPECT_TRUE(topic->html.contains("<li>two <a href=\"topic:b\">here</a></li>"));
    EXPECT_TRUE(topic->html.contains("</ul>\n<p>日本語の続き</p>")) << topic->html.toStdString();
}

TEST(HelpFile, KeywordsAreMergedAcrossTopicsAndSorted) {
    const HelpFile file = HelpFile::Parse(Lines({"QUORVEL-HELP 1", "= a A", "K ページ", "K インデックス",
                                                 "K ページ", "= b B", "K ページ", "K FILLFACTOR"}));
    EXPECT_EQ(KeywordTexts(file.Keywords()), (QStringList{"FILLFACTOR", "インデックス", "ページ"}));
    const auto& keywords = file.Keywords();
    EXPECT_EQ(keywords.back().topicIds, (QStringList{"a", "b"}));
}

struct MatchRow {
    const char* name;
    QString partial;
    QStringList matches;
};

class HelpKeywordMatchTest : public ::testing::TestWithParam<MatchRow> {};

TEST_P(HelpKeywordMatchTest, FindsKeywordsContainingThePartialText) {
    const HelpFile file = HelpFile::Parse(
        Lines({"QUORVEL-HELP 1", "= a A", "K FILLFACTOR", "K ﾃﾞｰﾀﾍﾟｰｼﾞ", "K インデックス ページ", "K 目次"}));
    EXPECT_EQ(KeywordTexts(file.MatchKeywords(GetParam().partial)), GetParam().matches);
}

INSTANTIATE_TEST_SUITE_P(
    Partials, HelpKeywordMatchTest,
    ::testing::Values(
        MatchRow{"EmptyGivesAll", "", {"FILLFACTOR", "インデックス ページ", "ﾃﾞｰﾀﾍﾟｰｼﾞ", "目次"}},
        MatchRow{"LetterCaseIgnored", "fill", {"FILLFACTOR"}},
        MatchRow{"FullWidthLatinMatchesHalfWidth", "ＦＩＬＬ", {"FILLFACTOR"}},
        MatchRow{"FullWidthKanaMatchesHalfWidthKana", "ページ", {"インデックス ページ", "ﾃﾞｰﾀﾍﾟｰｼﾞ"}},
        MatchRow{"MiddleOfAKeyword", "ﾃﾞｯｸｽ", {"インデックス ページ"}},
        MatchRow{"NothingMatches", "zzz", {}}),
    RowName<MatchRow>);

class HelpFileLoadTest : public ::testing::Test {
protected:
    QString Write(const QString& name, const QByteArray& bytes) { return WriteTestFile(m_folder, name, bytes); }
    QTemporaryDir m_folder;
};

TEST_F(HelpFileLoadTest, MissingFileIsNotFound) {
    EXPECT_EQ(HelpFile::Load(m_folder.filePath("Mivrel.hlp")).GetStatus(), HelpFile::Status::NotFound);
    EXPECT_EQ(HelpFile::Load("").GetStatus(), HelpFile::Status::NotFound);
}

TEST_F(HelpFileLoadTest, FolderInPlaceOfTheFileIsUnreadable) {
    ASSERT_TRUE(QDir(m_folder.path()).mkdir("Mivrel.hlp"));
    EXPECT_EQ(HelpFile::Load(m_folder.filePath("Mivrel.hlp")).GetStatus(), HelpFile::Status::Unreadable);
}

TEST_F(HelpFileLoadTest, OversizedFileIsNotReadAsHelp) {
    QByteArray bytes = Lines({"QUORVEL-HELP 1", "= a A"});
    bytes += QByteArray(HelpFile::kMaxBytes, 'x');
    EXPECT_EQ(HelpFile::Load(Write("big.hlp", bytes)).GetStatus(), HelpFile::Status::NotHelpFile);
}

// The help file we ship.
class ShippedHelpFileTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { s_file = new HelpFile(HelpFile::Load(QStringLiteral(QUORVEL_HELP_FILE))); }
    static void TearDownTestSuite() { delete s_file; }
    static HelpFile* s_file;
};
HelpFile* ShippedHelpFileTest::s_file = nullptr;

TEST_F(ShippedHelpFileTest, LoadsWithoutProblemsAndOpensAtItsContents) {
    ASSERT_EQ(s_file->GetStatus(), HelpFile::Status::Loaded);
    EXPECT_TRUE(s_file->Problems().isEmpty()) << s_file->Problems().join("\n").toStdString();
    ASSERT_NE(s_file->ContentsTopic(), nullptr);
    EXPECT_EQ(s_file->ContentsTopic()->id, "contents");
}

TEST_F(ShippedHelpFileTest, EveryTopicIsReachableFromTheContentsPage) {
    std::set<QString> linked;
    for (const HelpTopic& topic : s_file->Topics()) {
        qsizetype at = 0;
        while ((at = topic.html.indexOf("href=\"topic:", at)) >= 0) {
            at += 12;
            linked.insert(topic.html.mid(at, topic.html.indexOf('"', at) - at));
        }
    }
    for (const HelpTopic& topic : s_file->Topics()) {
        if (topic.id != "contents") {
            EXPECT_TRUE(linked.count(topic.id)) << topic.id.toStdString();
        }
    }
}

class ShippedHelpMessageTest : public ShippedHelpFileTest,
                               public ::testing::WithParamInterface<const char*> {};

TEST_P(ShippedHelpMessageTest, MessageIsAKeywordAndExplained) {
    const QString message = QString::fromUtf8(GetParam());
    const auto matches = s_file->MatchKeywords(message);
    ASSERT_FALSE(matches.empty()) << GetParam();
    const HelpTopic* topic = s_file->FindTopic(matches.front().topicIds.front());
    ASSERT_NE(topic, nullptr);
    EXPECT_TRUE(topic->html.contains("<h3>" + message.toHtmlEscaped() + "</h3>")) << GetParam();
}

INSTANTIATE_TEST_SUITE_P(Messages, ShippedHelpMessageTest,
                         ::testing::Values("FILLFACTOR値が正しくありません。", "入力値が正しくありません。",
                                           "1列の最大ﾊﾞｲﾄ数は、1962までです。",
                                           "1ﾃｰﾌﾞﾙの最大列数は、250までです。",
                                           "ﾃﾞｰﾀﾍﾟｰｼﾞを計算中にｴﾗｰが発生しました。",
                                           "ｸﾗｽﾀ化ｲﾝﾃﾞｯｸｽﾍﾟｰｼﾞを計算中にｴﾗｰが発生しました。",
                                           "非ｸﾗｽﾀ化ｲﾝﾃﾞｯｸｽﾍﾟｰｼﾞを計算中にｴﾗｰが発生しました。"));

TEST_F(ShippedHelpFileTest, NamesThePageSizesAndTheKeys) {
    QString all;
    for (const HelpTopic& topic : s_file->Topics())
        all += topic.html;
    for (const char* text : {"2016", "2048", "F5", "Ctrl+X", "Ctrl+C", "Ctrl+V", "1e12"})
        EXPECT_TRUE(all.contains(QString::fromUtf8(text))) << text;
}

} // namespace
} // namespace quorvel
