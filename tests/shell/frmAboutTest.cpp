#include "frmAbout.h"
#include "ShellFakes.h"
#include "TestSupport.h"
#include "Twips.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <set>

namespace quorvel {
namespace {

using testing::FakeServices;

const QString kMsinfoKey = QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO");
const QString kLocationKey = QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools Location");

class AboutBoxTest : public ::testing::Test {
protected:
    void SetUp() override { Open(); }

    void Open(frmAbout::FileExists fileExists = {}) {
        m_box = std::make_unique<frmAbout>(m_fakes.Services(), nullptr, std::move(fileExists));
        m_box->Form_Load();
    }

    // Shown without exec: the test drives it and nothing blocks.
    void Show() {
        m_box->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(m_box.get()));
        QApplication::setActiveWindow(m_box.get());
        ASSERT_TRUE(QTest::qWaitForWindowActive(m_box.get()));
    }

    QLabel* Label(int index) { return m_box->findChild<QLabel*>(QStringLiteral("lblInfo(%1)").arg(index)); }

    FakeServices m_fakes;
    std::unique_ptr<frmAbout> m_box;
};

TEST_F(AboutBoxTest, HasItsControlsWhereTheyBelong) {
    EXPECT_EQ(m_box->windowTitle(), "ﾊﾞｰｼﾞｮﾝ情報");
    EXPECT_EQ(m_box->size(), QSize(TwipsToPixels(5130), TwipsToPixels(2745)));
    EXPECT_EQ(m_box->minimumSize(), m_box->maximumSize()) << "not resizable";
    EXPECT_FALSE(m_box->windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));
    EXPECT_EQ(Label(0)->text(), "Quorvel for SQL Server 6.x");
    EXPECT_EQ(Label(1)->text(), "Ver.1.0J");
    EXPECT_EQ(Label(4)->text(), "転載、書籍などへ掲載をする際には、下記アドレスまで事前に連絡して下さい。");
    EXPECT_TRUE(Label(5)->text().contains('@'));
    EXPECT_TRUE(Label(6)->text().startsWith("最新版入手先：https://"));
    for (int index : {5, 6})
        EXPECT_EQ(Label(index)->toolTip(), "ｸﾘｯｸするとｸﾘｯﾌﾟﾎﾞｰﾄﾞにｺﾋﾟｰします。");
    EXPECT_EQ(Label(3), nullptr);
    const QRect buttons = m_box->findChild<QPushButton*>("cmdOK")->geometry().united(
        m_box->findChild<QPushButton*>("cmdSysInfo")->geometry());
    for (int index : {0, 1, 2, 5, 6}) {
        const QLabel* label = Label(index);
        EXPECT_LE(label->sizeHint().width(), label->width()) << "lblInfo(" << index << ") is cut off";
        EXPECT_LE(label->geometry().right(), m_box->width()) << "lblInfo(" << index << ")";
        EXPECT_FALSE(label->geometry().intersects(buttons)) << "lblInfo(" << index << ") runs under a button";
    }
    EXPECT_NE(m_box->findChild<QFrame*>("Line1(0)"), nullptr);
    EXPECT_NE(m_box->findChild<QFrame*>("Line1(1)"), nullptr);
    const auto* icon = m_box->findChild<QLabel*>("imgIcon");
    ASSERT_NE(icon, nullptr);
    EXPECT_EQ(icon->pixmap().size(), QSize(32, 32));
    EXPECT_FALSE(m_box->windowIcon().isNull());
    EXPECT_EQ(m_box->findChild<QPushButton*>("cmdSysInfo")->text(), "ｼｽﾃﾑ情報(&S)...");
}

TEST_F(AboutBoxTest, OkIsTheDefaultButtonAndFocusGoesOnToSystemInformation) {
    Show();
    auto* ok = m_box->findChild<QPushButton*>("cmdOK");
    auto* sysInfo = m_box->findChild<QPushButton*>("cmdSysInfo");
    EXPECT_TRUE(ok->isDefault());
    EXPECT_FALSE(sysInfo->isDefault());
    EXPECT_EQ(QApplication::focusWidget(), ok);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), sysInfo);
}

struct CloseKeyRow {
    const char* name;
    Qt::Key key;
};

class AboutBoxCloseKeyTest : public AboutBoxTest, public ::testing::WithParamInterface<CloseKeyRow> {};

TEST_P(AboutBoxCloseKeyTest, ClosesTheBox) {
    Show();
    QSignalSpy finished(m_box.get(), &QDialog::finished);
    QTest::keyClick(QApplication::focusWidget(), GetParam().key);
    EXPECT_EQ(finished.count(), 1);
    EXPECT_FALSE(m_box->isVisible());
    EXPECT_TRUE(m_fakes.programs.started.empty());
}

INSTANTIATE_TEST_SUITE_P(Keys, AboutBoxCloseKeyTest,
                         ::testing::Values(CloseKeyRow{"EnterPressesOk", Qt::Key_Return},
                                           CloseKeyRow{"EscapeCancels", Qt::Key_Escape}),
                         RowName<CloseKeyRow>);

struct CopyRow {
    const char* name;
    int index;
    std::optional<QString> caption; // replaces the label's caption first
    std::optional<QString> copied;  // nullopt: the clipboard is left alone
};

class AboutBoxCopyTest : public AboutBoxTest, public ::testing::WithParamInterface<CopyRow> {};

TEST_P(AboutBoxCopyTest, ClickCopiesTheContactText) {
    const CopyRow& row = GetParam();
    Show();
    if (row.caption)
        Label(row.index)->setText(*row.caption);
    m_fakes.clipboard.text = "before";
    QTest::mouseClick(Label(row.index), Qt::LeftButton);
    if (row.copied) {
        EXPECT_EQ(m_fakes.clipboard.clears, 1);
        EXPECT_EQ(m_fakes.clipboard.text, *row.copied);
    } else {
        EXPECT_EQ(m_fakes.clipboard.clears, 0);
        EXPECT_EQ(m_fakes.clipboard.text, "before");
    }
}

INSTANTIATE_TEST_SUITE_P(
    Labels, AboutBoxCopyTest,
    ::testing::Values(
        CopyRow{"MailLineWhole", 5, std::nullopt, "support@quorvel.example"},
        CopyRow{"WebLineAfterTheColon", 6, std::nullopt, "https://quorvel.example/"},
        CopyRow{"OnlyTheFirstColonCounts", 6, "最新版入手先：a：b", "a：b"},
        CopyRow{"NothingTrimmed", 6, "最新版入手先： x ", " x "},
        CopyRow{"WithoutColonTheWholeCaption", 6, "https://quorvel.example/", "https://quorvel.example/"},
        CopyRow{"HalfWidthColonIsNotTheSeparator", 6, "URL:https://q.example/", "URL:https://q.example/"},
        CopyRow{"ColonAtTheEndCopiesEmptyText", 6, "最新版入手先：", ""},
        CopyRow{"TitleLeftAlone", 0, std::nullopt, std::nullopt},
        CopyRow{"VersionLeftAlone", 1, std::nullopt, std::nullopt},
        CopyRow{"NoticeLeftAlone", 2, std::nullopt, std::nullopt},
        CopyRow{"RequestLeftAlone", 4, std::nullopt, std::nullopt}),
    RowName<CopyRow>);

struct SysInfoRow {
    const char* name;
    std::optional<QString> msinfoPath;  // location 1
    std::optional<QString> toolsFolder; // location 2
    std::set<QString> existingFiles;
    bool startSucceeds;
    std::optional<QString> started; // nullopt: nothing started
    bool boxCloses;
    bool locationTwoRead;
};

class SystemInformationTest : public AboutBoxTest, public ::testing::WithParamInterface<SysInfoRow> {};

TEST_P(SystemInformationTest, StartsWhatTheRegistryNames) {
    const SysInfoRow& row = GetParam();
    if (row.msinfoPath)
        m_fakes.registry.Add(kMsinfoKey, "PATH", *row.msinfoPath);
    if (row.toolsFolder)
        m_fakes.registry.Add(kLocationKey, "MSINFO", *row.toolsFolder);
    m_fakes.programs.succeeds = row.startSucceeds;
    Open([&row](const QString& path) { return row.existingFiles.count(path) != 0; });
    Show();
    QSignalSpy finished(m_box.get(), &QDialog::finished);
    QTest::mouseClick(m_box->findChild<QPushButton*>("cmdSysInfo"), Qt::LeftButton);

    if (row.started) {
        ASSERT_EQ(m_fakes.programs.started.size(), 1u);
        EXPECT_EQ(m_fakes.programs.started[0], *row.started);
    } else {
        EXPECT_TRUE(m_fakes.programs.started.empty());
    }
    EXPECT_EQ(finished.count(), row.boxCloses ? 1 : 0);
    const auto& opened = m_fakes.registry.opened;
    EXPECT_EQ(std::count(opened.begin(), opened.end(), kLocationKey), row.locationTwoRead ? 1 : 0);
    EXPECT_TRUE(m_fakes.messageBox.shown.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Registry, SystemInformationTest,
    ::testing::Values(SysInfoRow{"LocationOneIsStartedAndLocationTwoNeverRead",
                                 "/usr/bin/hardinfo",
                                 "/opt/tools",
                                 {"/opt/tools\\MSINFO32.EXE"},
                                 true,
                                 "/usr/bin/hardinfo",
                                 true,
                                 false},
                      SysInfoRow{"LocationTwoFolderWithTheProgram",
                                 std::nullopt,
                                 "C:\\MSAPPS\\MSINFO",
                                 {"C:\\MSAPPS\\MSINFO\\MSINFO32.EXE"},
                                 true,
                                 "C:\\MSAPPS\\MSINFO\\MSINFO32.EXE",
                                 true,
                                 true},
                      SysInfoRow{"FolderEndingInASeparatorGetsASecondOne",
                                 std::nullopt,
                                 "C:\\MSINFO\\",
                                 {"C:\\MSINFO\\\\MSINFO32.EXE"},
                                 true,
                                 "C:\\MSINFO\\\\MSINFO32.EXE",
                                 true,
                                 true},
                      SysInfoRow{"LocationTwoWithoutTheProgramFile",
                                 std::nullopt,
                                 "C:\\MSINFO",
                                 {},
                                 true,
                                 std::nullopt,
                                 false,
                                 true},
                      SysInfoRow{
                          "NeitherLocation", std::nullopt, std::nullopt, {}, true, std::nullopt, false, true},
                      SysInfoRow{"ProgramThatFailsToStartLeavesTheBoxOpen",
                                 "/usr/bin/gone",
                                 std::nullopt,
                                 {},
                                 false,
                                 "/usr/bin/gone",
                                 false,
                                 false}),
    RowName<SysInfoRow>);

TEST(AboutBoxLookUp, RealFileLookUpCountsHiddenFiles) {
    testing::FakeRegistry registry;
    QTemporaryDir temporary;
    const QString folder = temporary.filePath(".msinfo"); // a dot-file: hidden

    registry.Add(kLocationKey, "MSINFO", folder);
    QFile program(folder + "\\MSINFO32.EXE");
    ASSERT_TRUE(program.open(QIODevice::WriteOnly));
    program.close();
    const auto command = frmAbout::SystemInformationCommand(
        registry, [](const QString& path) { return QFileInfo::exists(path); });
    ASSERT_TRUE(command.has_value());
    EXPECT_EQ(*command, folder + "\\MSINFO32.EXE");
}

} // namespace
} // namespace quorvel
