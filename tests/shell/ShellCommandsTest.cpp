#include "ShellCommands.h"
#include "ShellFakes.h"
#include "TestSupport.h"
#include "frmAbout.h"

#include <QApplication>
#include <QLabel>
#include <QTimer>
#include <QWidget>

#include <gtest/gtest.h>

#include <functional>
#include <optional>

namespace quorvel {
namespace {

using testing::FakeServices;

struct ToolRow {
    const char* name;
    int index;
    std::optional<QString> command; // nullopt: nothing is started
};

class StartSqlToolTest : public ::testing::TestWithParam<ToolRow> {};

TEST_P(StartSqlToolTest, StartsTheToolOfTheItem) {
    testing::FakeProgramStarter programs;
    programs.succeeds = false; // a missing tool changes nothing
    StartSqlTool(programs, GetParam().index);
    if (GetParam().command) {
        ASSERT_EQ(programs.started.size(), 1u);
        EXPECT_EQ(programs.started[0], *GetParam().command);
    } else {
        EXPECT_TRUE(programs.started.empty());
    }
}

INSTANTIATE_TEST_SUITE_P(ToolItems, StartSqlToolTest,
                         ::testing::Values(ToolRow{"EnterpriseManager", 0, "SQLEW.EXE"},
                                           ToolRow{"IsqlW", 1, "ISQLW.EXE"},
                                           ToolRow{"ServiceManager", 2, "SQLMGR.EXE"},
                                           ToolRow{"BooksOnlineWithItsBook", 3, "INFOVIEW.EXE SQLBOOKS.MVB"},
                                           ToolRow{"BelowTheItems", -1, std::nullopt},
                                           ToolRow{"AboveTheItems", 4, std::nullopt}),
                         RowName<ToolRow>);

struct HelpRow {
    const char* name;
    int index;
    std::optional<std::uint32_t> command; // nullopt: the engine is not called
};

class OpenHelpTest : public ::testing::TestWithParam<HelpRow> {
protected:
    void SetUp() override { SetHelpFilePath("/opt/quorvel/Mivrel.hlp"); }
    void TearDown() override { SetHelpFilePath("Mivrel.hlp"); }
};

TEST_P(OpenHelpTest, CallsTheEngineWithTheCommandOfTheItem) {
    FakeServices fakes;
    QWidget owner;
    OpenHelp(&owner, fakes.Services(), GetParam().index);
    if (!GetParam().command) {
        EXPECT_TRUE(fakes.help.calls.empty());
        return;
    }
    ASSERT_EQ(fakes.help.calls.size(), 1u);
    const auto& call = fakes.help.calls[0];
    EXPECT_EQ(call.owner, &owner);
    EXPECT_EQ(call.helpFile, "/opt/quorvel/Mivrel.hlp");
    EXPECT_EQ(call.command, *GetParam().command);
    EXPECT_EQ(call.pointedAt, 0u) << "data points to a zero value";
    EXPECT_TRUE(fakes.messageBox.shown.empty());
}

INSTANTIATE_TEST_SUITE_P(HelpItems, OpenHelpTest,
                         ::testing::Values(HelpRow{"Contents", 0, 3u}, HelpRow{"KeywordSearch", 1, 261u},
                                           HelpRow{"Separator", 2, std::nullopt},
                                           HelpRow{"VersionItemIsNoHelpCall", 3, std::nullopt}),
                         RowName<HelpRow>);

TEST(OpenHelp, EngineThatCannotBeCalledIsReportedInAMessageBox) {
    FakeServices fakes;
    fakes.help.failure = QStringLiteral("ヘルプ エンジンを呼び出せません。");
    QWidget owner;
    OpenHelp(&owner, fakes.Services(), 1);
    ASSERT_EQ(fakes.messageBox.shown.size(), 1u);
    EXPECT_EQ(fakes.messageBox.shown[0].text, "ヘルプ エンジンを呼び出せません。");
    EXPECT_EQ(fakes.messageBox.shown[0].icon, MessageIcon::Exclamation);
    EXPECT_EQ(fakes.messageBox.shown[0].title, "Quorvel");
}

// Runs check on the About box once it is up as a modal window, then closes it.
// The check is queued before the box's own event loop starts, so it always
// finds the box there.
void WhileAboutBoxIsOpen(const std::function<void(frmAbout&)>& check) {
    QTimer::singleShot(0, [check] {
        auto* box = qobject_cast<frmAbout*>(QApplication::activeModalWidget());
        if (box == nullptr) {
            ADD_FAILURE() << "no modal About box";
            return;
        }
        check(*box);
        box->reject();
    });
}

TEST(ShowAboutBox, OpensModalOverTheOwnerAndIsGoneAfterwards) {
    FakeServices fakes;
    QWidget owner;
    bool seen = false;
    WhileAboutBoxIsOpen([&](frmAbout& box) {
        seen = true;
        EXPECT_EQ(box.parentWidget(), &owner);
        EXPECT_TRUE(box.isModal());
        EXPECT_EQ(box.windowTitle(), "ﾊﾞｰｼﾞｮﾝ情報");
    });
    ShowAboutBox(&owner, fakes.Services());
    EXPECT_TRUE(seen);
    EXPECT_TRUE(owner.findChildren<frmAbout*>().isEmpty());
}

TEST(ShowAboutBox, EveryOpeningStartsAfresh) {
    FakeServices fakes;
    QWidget owner;
    const QString name = QStringLiteral("lblInfo(6)");
    QString secondCaption;
    WhileAboutBoxIsOpen([&](frmAbout& box) { box.findChild<QLabel*>(name)->setText("changed"); });
    ShowAboutBox(&owner, fakes.Services());
    WhileAboutBoxIsOpen([&](frmAbout& box) { secondCaption = box.findChild<QLabel*>(name)->text(); });
    ShowAboutBox(&owner, fakes.Services());
    EXPECT_TRUE(secondCaption.startsWith("最新版入手先：")) << secondCaption.toStdString();
}

} // namespace
} // namespace quorvel
