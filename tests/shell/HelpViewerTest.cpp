#include "HelpViewer.h"
#include "HelpViewerHost.h"
#include "HostedHelpEngine.h"
#include "ShellCommands.h"
#include "ShellFakes.h"
#include "TestSupport.h"

#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>

#include <gtest/gtest.h>

namespace quorvel {
namespace {

const char kHelpText[] = "QUORVEL-HELP 1\n"
                         "= contents 目次ページ\n"
                         "K 目次\n"
                         "- [[fill]]\n"
                         "- [[msg]]\n"
                         "= fill FILLFACTOR の説明\n"
                         "K FILLFACTOR\n"
                         "K ページ\n"
                         "ページをどこまで埋めるか。\n"
                         "= msg メッセージ\n"
                         "K ページ\n"
                         "K 入力値が正しくありません。\n"
                         "数値を入力してください。\n";

class HelpViewerTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_folder.isValid());
        m_helpFile = Write("Mivrel.hlp", kHelpText);
    }

    QString Write(const QString& name, const QByteArray& bytes) { return WriteTestFile(m_folder, name, bytes); }

    template <typename T> T* Find(const char* name) { return m_viewer.findChild<T*>(name); }
    QString Page() { return Find<QTextBrowser>("brwTopic")->toPlainText(); }
    QStringList ListTexts(const char* name) {
        QStringList texts;
        auto* list = Find<QListWidget>(name);
        for (int row = 0; row < list->count(); ++row)
            texts.append(list->item(row)->text());
        return texts;
    }

    QTemporaryDir m_folder;
    QString m_helpFile;
    HelpViewer m_viewer;
};

TEST_F(HelpViewerTest, ContentsShowsTheFirstTopicAndListsEveryTopic) {
    m_viewer.ShowContents(m_helpFile);
    EXPECT_TRUE(m_viewer.isVisible());
    EXPECT_FALSE(m_viewer.isModal());
    EXPECT_EQ(Find<QTabWidget>("tabNavigation")->currentIndex(), 0);
    EXPECT_EQ(m_viewer.CurrentTopicId(), "contents");
    EXPECT_TRUE(Page().startsWith("目次ページ")) << Page().toStdString();
    EXPECT_EQ(ListTexts("lstContents"), (QStringList{"目次ページ", "FILLFACTOR の説明", "メッセージ"}));
}

TEST_F(HelpViewerTest, EmptyKeywordSearchOpensTheWholeKeywordList) {
    m_viewer.ShowKeywordSearch(m_helpFile, "");
    EXPECT_EQ(Find<QTabWidget>("tabNavigation")->currentIndex(), 1);
    EXPECT_EQ(Find<QLineEdit>("txtKeyword")->text(), "");
    EXPECT_EQ(ListTexts("lstKeywords"),
              (QStringList{"FILLFACTOR", "ページ", "入力値が正しくありません。", "目次"}));
}

TEST_F(HelpViewerTest, TypingNarrowsTheKeywordsAndEnterShowsTheTopic) {
    m_viewer.ShowKeywordSearch(m_helpFile, "");
    auto* field = Find<QLineEdit>("txtKeyword");
    QTest::keyClicks(field, "fill");
    EXPECT_EQ(ListTexts("lstKeywords"), QStringList{"FILLFACTOR"});
    QTest::keyClick(field, Qt::Key_Return);
    EXPECT_EQ(m_viewer.CurrentTopicId(), "fill");
}

TEST_F(HelpViewerTest, KeywordOfSeveralTopicsListsThemAndALinkOpensOne) {
    m_viewer.ShowKeywordSearch(m_helpFile, "ページ");
    auto* list = Find<QListWidget>("lstKeywords");
    ASSERT_EQ(list->count(), 1);
    emit list->itemActivated(list->item(0));
    EXPECT_EQ(m_viewer.CurrentTopicId(), "");
    EXPECT_TRUE(Page().contains("FILLFACTOR の説明"));
    EXPECT_TRUE(Page().contains("メッセージ"));
    emit Find<QTextBrowser>("brwTopic")->anchorClicked(QUrl("topic:msg"));
    EXPECT_EQ(m_viewer.CurrentTopicId(), "msg");
}

struct FailureRow {
    const char* name;
    QByteArray bytes; // what stands at the path; empty name: nothing
    bool createFile;
    QString says;
};

class HelpViewerFailureTest : public HelpViewerTest, public ::testing::WithParamInterface<FailureRow> {};

TEST_P(HelpViewerFailureTest, SaysSoInsideTheWindow) {
    const QString path =
        GetParam().createFile ? Write("Other.hlp", GetParam().bytes) : m_folder.filePath("No.hlp");
    m_viewer.ShowContents(path);
    EXPECT_TRUE(m_viewer.isVisible());
    EXPECT_TRUE(Page().contains(GetParam().says)) << Page().toStdString();
    EXPECT_TRUE(Page().contains(path)) << "names the file";
    EXPECT_EQ(Find<QListWidget>("lstContents")->count(), 0);
    m_viewer.ShowKeywordSearch(path, "");
    EXPECT_EQ(Find<QListWidget>("lstKeywords")->count(), 0);
    EXPECT_TRUE(Page().contains(GetParam().says));
}

INSTANTIATE_TEST_SUITE_P(Files, HelpViewerFailureTest,
                         ::testing::Values(FailureRow{"MissingFile", {}, false, "見つかりません"},
                                           FailureRow{"NotOurFormat", "?_\x03", true,
                                                      "ヘルプ ファイルではない"}),
                         RowName<FailureRow>);

TEST_F(HelpViewerTest, RereadsTheFileOnEveryCall) {
    m_viewer.ShowContents(m_helpFile);
    Write("Mivrel.hlp", "QUORVEL-HELP 1\n= new 新しい目次\n");
    m_viewer.ShowContents(m_helpFile);
    EXPECT_EQ(m_viewer.CurrentTopicId(), "new");
}

TEST(HelpViewerResolve, PathWithAFolderIsKeptAndAnUnknownBareNameComesBack) {
    EXPECT_EQ(HelpViewer::ResolveHelpFile("/nowhere/Mivrel.hlp"), "/nowhere/Mivrel.hlp");
    EXPECT_EQ(HelpViewer::ResolveHelpFile("NoSuchHelp-9f2.hlp"), "NoSuchHelp-9f2.hlp");
}

TEST(HelpViewerHost, OneViewerPerOwnerReusedAndClosedWithIt) {
    HelpViewerHost host;
    auto owner = std::make_unique<QWidget>();
    HelpViewer* first = host.ViewerFor(owner.get());
    EXPECT_EQ(host.ViewerFor(owner.get()), first);
    EXPECT_EQ(first->parentWidget(), owner.get());
    EXPECT_TRUE(first->isWindow());
    EXPECT_FALSE(first->testAttribute(Qt::WA_QuitOnClose));
    QPointer<HelpViewer> watch(first);
    owner.reset();
    EXPECT_TRUE(watch.isNull());
}

// The Help menu's path through the real engine into our window.
TEST_F(HelpViewerTest, HelpMenuReachesTheWindowThroughTheEngine) {
    HelpViewerHost host;
    HostedHelpEngine engine;
    engine.SetHost(&host);
    testing::FakeServices fakes;
    PlatformServices services = fakes.Services();
    services.help = &engine;
    QWidget owner;
    SetHelpFilePath(m_helpFile);
    OpenHelp(&owner, services, 1);
    SetHelpFilePath("Mivrel.hlp");
    HelpViewer* viewer = host.ViewerFor(&owner);
    EXPECT_TRUE(viewer->isVisible());
    EXPECT_EQ(viewer->findChild<QTabWidget*>("tabNavigation")->currentIndex(), 1);
    EXPECT_EQ(viewer->findChild<QListWidget*>("lstKeywords")->count(), 4);
    EXPECT_TRUE(fakes.messageBox.shown.empty());
}

} // namespace
} // namespace quorvel
