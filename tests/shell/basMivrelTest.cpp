#include "basMivrel.h"
#include "ShellCommands.h"
#include "TestSupport.h"
#include "frmMain.h"
#include "frmSplash.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPointer>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <vector>

namespace quorvel {
namespace {

struct LocateRow {
    const char* name;
    QString folder;
    QString existing; // the one path that exists; "" for none
    QString expected;
};

class LocateHelpFileTest : public ::testing::TestWithParam<LocateRow> {};

TEST_P(LocateHelpFileTest, GivesTheFullPathOrTheBareName) {
    const LocateRow& row = GetParam();
    std::vector<QString> asked;
    const QString path = LocateHelpFile(row.folder, [&](const QString& candidate) {
        asked.push_back(candidate);
        return candidate == row.existing;
    });
    EXPECT_EQ(path, row.expected);
    EXPECT_EQ(asked.size(), 1u) << "looks in the program's folder only";
}

INSTANTIATE_TEST_SUITE_P(Folders, LocateHelpFileTest,
                         ::testing::Values(LocateRow{"BesideTheProgram", "/opt/quorvel",
                                                     "/opt/quorvel/Mivrel.hlp", "/opt/quorvel/Mivrel.hlp"},
                                           LocateRow{"FolderEndingInASeparatorGetsNoSecond", "/opt/quorvel/",
                                                     "/opt/quorvel/Mivrel.hlp", "/opt/quorvel/Mivrel.hlp"},
                                           LocateRow{"RootFolder", "/", "/Mivrel.hlp", "/Mivrel.hlp"},
                                           LocateRow{"NotFoundGivesTheBareName", "/opt/quorvel", "",
                                                     "Mivrel.hlp"},
                                           LocateRow{"OnlyTheExactNameCounts", "/opt/quorvel",
                                                     "/opt/quorvel/mivrel.hlp", "Mivrel.hlp"}),
                         RowName<LocateRow>);

TEST(LocateHelpFile, FileInAHiddenFolderIsFound) {
    QTemporaryDir temporary;
    ASSERT_TRUE(QDir(temporary.path()).mkdir(".quorvel"));
    const QString folder = temporary.filePath(".quorvel");
    QFile help(folder + "/Mivrel.hlp");
    ASSERT_TRUE(help.open(QIODevice::WriteOnly));
    help.close();
    ASSERT_TRUE(help.setPermissions(QFileDevice::Permissions())); // not even readable: still there
    EXPECT_EQ(LocateHelpFile(folder, [](const QString& path) { return QFileInfo::exists(path); }),
              folder + "/Mivrel.hlp");
}

// The whole start-up with the real services (settings in the test's own folder).
TEST(Main, EndsWithTheLoadedMainWindowShownAndTheSplashGone) {
    Main();
    frmMain* mainWindow = nullptr;
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (auto* candidate = qobject_cast<frmMain*>(window))
            mainWindow = candidate;
        EXPECT_EQ(qobject_cast<frmSplash*>(window), nullptr) << "the splash window is still there";
    }
    ASSERT_NE(mainWindow, nullptr);
    EXPECT_TRUE(mainWindow->isVisible());
    // No help file beside the test program: the bare name stays.
    EXPECT_EQ(HelpFilePath(), "Mivrel.hlp");
    QPointer<frmMain> watch(mainWindow);
    mainWindow->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(watch.isNull()) << "closing the main window ends it";
}

} // namespace
} // namespace quorvel
