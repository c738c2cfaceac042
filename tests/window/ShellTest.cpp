// What a scenario on the main window cannot say: stored settings read back,
// the settings file, the help file and its window, the system information
// program, the About box's contact lines, the icons, and the real program
// started, seen and ended. Rows live in tests/cases/shell_cases.json.

#include "ChildProgram.h"
#include "WindowFixture.h"
#include "platform/HelpFile.h"
#include "platform/IniSettingsStore.h"
#include "platform/Twips.h"
#include "resources/Icons.h"
#include "shell/HelpViewer.h"
#include "shell/MainWindowSettings.h"
#include "shell/basMivrel.h"
#include "shell/frmAbout.h"
#include "shell/frmSplash.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QListWidget>
#include <QProcess>
#include <QScreen>
#include <QSessionManager>
#include <QSettings>
#include <QTemporaryDir>

#include <gmock/gmock.h>

#include <csignal>
#include <optional>
#include <string>

namespace quorvel::testing {
namespace {

using nlohmann::json;

std::vector<CaseRow> Shell(const char* section) {
    return LoadRows("shell_cases.json", section);
}

class RestoreSettings : public ::testing::TestWithParam<CaseRow> {};

TEST_P(RestoreSettings, PlacesTheWindowAndSetsTheHints) {
    const json& row = GetParam().data;
    Fakes store;
    const json stored = row.value("stored", json::object());
    for (const auto& [key, text] : stored.items())
        store.settings["Mivrel/" + QString::fromStdString(key)] = Q(text);
    QWidget window;
    window.resize(TwipsToPixels(7110), TwipsToPixels(6045));
    QAction hints(nullptr);
    hints.setCheckable(true);
    hints.setChecked(!row.at("hints").get<bool>());
    RestoreMainWindowSettings(window, hints, store);
    // A stored place is the frame's corner; centred is the frame's middle.
    const QPoint centre = window.screen()->availableGeometry().center();
    const QRect frame = window.frameGeometry();
    const auto expect = [](const json& edge, int corner, int middle, int centred) {
        if (edge.is_number())
            EXPECT_EQ(corner, TwipsToPixels(edge.get<double>()));
        else
            EXPECT_NEAR(middle, centred, 1);
    };
    expect(row.at("left"), frame.x(), frame.center().x(), centre.x());
    expect(row.at("top"), frame.y(), frame.center().y(), centre.y());
    EXPECT_EQ(hints.isChecked(), row.at("hints").get<bool>());
}
INSTANTIATE_TEST_SUITE_P(Rows, RestoreSettings, ::testing::ValuesIn(Shell("restore_settings")), RowName());

TEST(SettingsFile, OneQuietFileThatReadsGroupedNumbers) {
    QFile file(QSettings(QSettings::IniFormat, QSettings::UserScope, "Quorvel", "Mivrel").fileName());
    QDir().mkpath(QFileInfo(file).path());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("[Window]\nMainLeft=1,500\nMainTop=@ByteArray(\\0)\n");
    file.close();
    {
        IniSettingsStore store;
        EXPECT_EQ(store.GetSetting("Mivrel", "Window", "MainLeft", "x"), "1,500");
        EXPECT_EQ(store.GetSetting("Mivrel", "Set", "ToolTipText", "none"), "none");
        file.remove(); // written only when flushed
        MainWindowSettings settings(store);
        settings.SetPosition({1500, 750});
        settings.SetHintsShown(false);
        EXPECT_FALSE(file.exists());
        settings.Flush();
    }
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), "[Set]\nToolTipText=False\n\n[Window]\nMainLeft=1500\nMainTop=750\n");
}

class HelpFileLocation : public ::testing::TestWithParam<CaseRow> {};
TEST_P(HelpFileLocation, IsBesideTheProgramOrTheBareName) {
    const json& row = GetParam().data;
    EXPECT_EQ(LocateHelpFile(Q(row.at("folder")),
                             [&row](const QString& path) { return path == Q(row.at("exists")); }),
              Q(row.at("expected")));
}
INSTANTIATE_TEST_SUITE_P(Rows, HelpFileLocation, ::testing::ValuesIn(Shell("help_file_location")), RowName());

class HelpFileText : public ::testing::TestWithParam<CaseRow> {};
TEST_P(HelpFileText, ReadsTopicsKeywordsAndPages) {
    const json& row = GetParam().data;
    const HelpFile file = HelpFile::Parse(Strings(row.at("lines")).join('\n').toUtf8());
    EXPECT_EQ(file.GetStatus() == HelpFile::Status::Loaded, row.at("loaded").get<bool>());
    QStringList topics, keywords;
    for (const HelpTopic& topic : file.Topics())
        topics << topic.id + ' ' + topic.title;
    for (const HelpKeyword& keyword : file.MatchKeywords(Q(row.value("search", ""))))
        keywords << keyword.keyword + ": " + keyword.topicIds.join(',');
    EXPECT_EQ(topics, Strings(row.value("topics", json::array())));
    EXPECT_EQ(keywords, Strings(row.value("keywords", json::array())));
    EXPECT_EQ(file.Problems(), Strings(row.value("problems", json::array())));
    const json pages = row.value("pages", json::object());
    for (const auto& [id, parts] : pages.items()) {
        const HelpTopic* topic = file.FindTopic(QString::fromStdString(id));
        ASSERT_NE(topic, nullptr) << id;
        for (const json& part : parts)
            EXPECT_TRUE(topic->html.contains(Q(part))) << topic->html.toStdString() << " lacks " << part;
    }
}
INSTANTIATE_TEST_SUITE_P(Rows, HelpFileText, ::testing::ValuesIn(Shell("help_file")), RowName());

TEST(HelpWindow, TitledByTopicWithCaptionsAsInTheMenusAndWholeKeywords) {
    HelpViewer viewer;
    viewer.ShowContents(QUORVEL_HELP_FILE);
    EXPECT_EQ(viewer.windowTitle(), "Quorvel ヘルプ - 目次");
    const HelpFile file = HelpFile::Load(QUORVEL_HELP_FILE);
    EXPECT_TRUE(file.Problems().isEmpty()) << file.Problems().join('\n').toStdString();
    for (const HelpTopic& topic : file.Topics())
        EXPECT_FALSE(topic.html.contains("(&")) << topic.id.toStdString();
    viewer.ShowKeywordSearch(QUORVEL_HELP_FILE, "");
    auto* list = viewer.findChild<QListWidget*>("lstKeywords");
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&viewer));
    for (int i = 0; i < list->count(); ++i) {
        QListWidgetItem* item = list->item(i);
        EXPECT_GE(list->visualItemRect(item).width(), list->fontMetrics().horizontalAdvance(item->text()))
            << item->text().toStdString() << " is cut off";
    }
}

class SystemInformation : public ::testing::TestWithParam<CaseRow> {};
// With "on_disk", the files are made in a folder of the test's own ("{dir}"
// in the texts) and the locator asks the file system, as the program's does.
TEST_P(SystemInformation, StartsWhatTheFirstReadableLocationNames) {
    const json& row = GetParam().data;
    QTemporaryDir dir;
    const auto text = [&dir](const json& value) { return Q(value).replace("{dir}", dir.path()); };
    Fakes fakes;
    using Location = SystemInformationLocator::Location;
    for (const auto& [at, key] :
         {std::pair{Location::MsinfoPath, "path"}, {Location::SharedToolsFolder, "folder"}}) {
        if (!row.contains(key))
            continue;
        const json& value = row.at(key);
        fakes.registry[at] = value.is_string()   ? RegistryValue(text(value))
                             : value.is_number() ? RegistryValue(value.get<std::uint32_t>())
                                                 : RegistryValue(std::monostate());
    }
    const bool onDisk = row.value("on_disk", false);
    for (const json& path : row.value("files", json::array())) {
        if (onDisk)
            QFile(text(path)).open(QIODevice::WriteOnly);
        else
            fakes.files.insert(Q(path));
    }
    const SystemInformationLocator own([&fakes](Location at) -> std::optional<RegistryValue> {
        const auto value = fakes.registry.find(at);
        return value == fakes.registry.end() ? std::nullopt : std::optional(value->second);
    });
    const std::optional<QString> program = onDisk ? own.ProgramToStart() : fakes.locator.ProgramToStart();
    EXPECT_EQ(program.value_or("<none>"), text(row.at("program")));
}
INSTANTIATE_TEST_SUITE_P(Rows, SystemInformation, ::testing::ValuesIn(Shell("system_information")),
                         RowName());

class AboutBox : public WindowTest, public ::testing::WithParamInterface<CaseRow> {
protected:
    void SetUp() override {
        m_box = std::make_unique<frmAbout>(m_fakes.Services());
        m_box->Form_Load();
        m_box->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(m_box.get()));
    }
    QLabel* Label(int index) { return m_box->findChild<QLabel*>(QStringLiteral("lblInfo(%1)").arg(index)); }
    std::unique_ptr<frmAbout> m_box;
};

TEST_P(AboutBox, ClickCopiesAContactLine) {
    const json& row = GetParam().data;
    QLabel* label = Label(row.at("label"));
    if (row.contains("caption"))
        label->setText(Q(row.at("caption")));
    m_fakes.clipboard = "before";
    QTest::mouseClick(label, Qt::LeftButton);
    EXPECT_EQ(m_fakes.clipboard, Q(row.at("clipboard")));
}
INSTANTIATE_TEST_SUITE_P(Rows, AboutBox, ::testing::ValuesIn(Shell("about_copy")), RowName());

TEST(Icons, EveryPictureHasItsOwnDoubleSize) {
    const auto twoSizes = [](const QIcon& icon, int base) {
        const QImage small = icon.pixmap(QSize(base, base), 1.0).toImage();
        const QImage large = icon.pixmap(QSize(base, base), 2.0).toImage();
        EXPECT_TRUE(icon.availableSizes().contains(QSize(base, base)))
            << "drawn at its own size, not scaled down";
        EXPECT_EQ(small.size(), QSize(base, base));
        EXPECT_EQ(large.size(), QSize(2 * base, 2 * base));
        EXPECT_NE(large, small.scaled(2 * base, 2 * base)) << "a scaled copy";
    };
    for (const char* key : {"End", "Calc", "Clear", "Cut", "Copy", "Paste", "SQLEW", "ISQLW", "SQLMGR",
                            "SQLBOOK", "Help", "Version"})
        twoSizes(ToolbarIcon(key), 16);
    twoSizes(ProgramIcon(), 32);
    twoSizes(SecondProgramIcon(), 32);
}

// The program started in this process: its main window on show, the splash gone.
frmMain* Started(const QString& file = {}) {
    Main(file);
    frmMain* window = nullptr;
    for (QWidget* top : QApplication::topLevelWidgets()) {
        EXPECT_EQ(qobject_cast<frmSplash*>(top), nullptr) << "the splash is still there";
        if (auto* found = qobject_cast<frmMain*>(top); found && found->isVisible())
            window = found;
    }
    return window;
}

// The whole start-up in this process, with the real services and a file to open.
TEST(Program, StartsWithTheMainWindowOnItsFileAndClosesWithTheSettingsWritten) {
    QFile::remove(QSettings(QSettings::IniFormat, QSettings::UserScope, "Quorvel", "Mivrel").fileName());
    QTemporaryDir folder;
    QFile file(folder.filePath("t.json"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly) &&
                file.write("{\"rowCount\": 1, \"data\": {\"fixedBytes\": 1}}\n") > 0 && file.flush());
    frmMain* window = Started(file.fileName());
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->windowTitle().remove("[*]"), "t.json - Quorvel for SQL Server 6.x  Ver1.0J");
    EXPECT_EQ(window->HelpFile(), "Mivrel.hlp"); // none beside the test program
    window->close();
    QSettings written(QSettings::IniFormat, QSettings::UserScope, "Quorvel", "Mivrel");
    EXPECT_EQ(written.value("Set/ToolTipText").toString(), "True");
    EXPECT_TRUE(written.contains("Window/MainLeft") && written.contains("Window/MainTop"));
}

// The status bar keeps today's date and the time of day beside the status
// text, written as Japanese write them.
TEST_F(WindowTest, StatusBarShowsTodayAndTheTimeOfDay) {
    const QDateTime before = QDateTime::currentDateTime();
    Open();
    const QString shown = m_window->findChild<QLabel*>("sbStatusBarDate")->text() + ' ' +
                          m_window->findChild<QLabel*>("sbStatusBarTime")->text();
    const QDateTime after = QDateTime::currentDateTime();
    const auto written = [](const QDateTime& at) {
        return QString::asprintf("%d/%02d/%02d %d:%02d", at.date().year(), at.date().month(), at.date().day(),
                                 at.time().hour(), at.time().minute());
    };
    EXPECT_TRUE(shown == written(before) || shown == written(after)) << shown.toStdString();

    // The clock goes on: each second it writes the time again.
    auto* time = m_window->findChild<QLabel*>("sbStatusBarTime");
    time->clear();
    QTRY_VERIFY_WITH_TIMEOUT(!time->text().isEmpty(), 5000);
    EXPECT_TRUE(time->text() == written(QDateTime::currentDateTime()).section(' ', 1) ||
                time->text() == written(after).section(' ', 1))
        << time->text().toStdString();
}

// A log-out asks the program to keep its data as the session manager does,
// through the session manager's commit request, while the window stays open.
TEST(Program, LogOutStoresThePositionAndTheHints) {
    const QString path =
        QSettings(QSettings::IniFormat, QSettings::UserScope, "Quorvel", "Mivrel").fileName();
    QFile::remove(path);
    frmMain* window = Started();
    ASSERT_NE(window, nullptr);
    window->move(135, 90);
    window->Controls().mnuViewItem[0]->trigger();
    auto* session = qApp->findChild<QSessionManager*>();
    ASSERT_NE(session, nullptr) << "no session manager";
    emit qApp->commitDataRequest(*session);
    QSettings written(path, QSettings::IniFormat);
    EXPECT_EQ(written.value("Set/ToolTipText").toString(), "False");
    EXPECT_EQ(written.value("Window/MainLeft").toString(), "2025");
    EXPECT_EQ(written.value("Window/MainTop").toString(), "1350");
    EXPECT_TRUE(window->isVisible());
    window->close();
}

// Ends a started program with SIGTERM once its handler is in place; why not
// when the program ended before (a crash at start included) or stayed.
std::optional<std::string> EndByTerminationSignal(QProcess& program) {
    if (!program.waitForStarted())
        return "the program did not start: " + program.errorString().toStdString();
    if (auto failed = WaitWhileRunning(
            program, [&program] { return CatchesSignal(program, SIGTERM); }, 15000))
        return failed;
    if (auto failed = SignalChild(program, SIGTERM))
        return failed;
    if (!program.waitForFinished(15000))
        return std::string("the program did not end within 15 s of SIGTERM");
    return std::nullopt;
}

// The real program, ended by SIGTERM once its handler is in place.
TEST(Program, TerminationSignalStoresThePositionAsACloseDoes) {
    QTemporaryDir config;
    QProcess program;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("XDG_CONFIG_HOME", config.path());
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    program.setProcessEnvironment(environment);
    program.start(QUORVEL_PROGRAM, {});
    if (const auto failed = EndByTerminationSignal(program))
        FAIL() << *failed;
    EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(program.exitCode(), 0);
    QSettings written(config.filePath("Quorvel/Mivrel.ini"), QSettings::IniFormat);
    EXPECT_EQ(written.value("Set/ToolTipText").toString(), "True");
    EXPECT_TRUE(written.contains("Window/MainLeft") && written.contains("Window/MainTop"));
}

// A program that crashes before its handler is in place is never signalled
// (it has no process id left, and kill(0) would end this whole test run): the
// test fails at once with how it ended and what it said.
TEST(Program, AProgramThatCrashesAtStartFailsTheTestWithItsReason) {
    QProcess standIn;
    standIn.start("/bin/sh", {"-c", "echo 'the window could not be built' >&2; kill -SEGV $$"});
    const auto failed = EndByTerminationSignal(standIn);
    ASSERT_TRUE(failed.has_value());
    EXPECT_THAT(*failed, ::testing::HasSubstr("ended before it was ready"));
    EXPECT_THAT(*failed, ::testing::HasSubstr("ended by signal 11"));
    EXPECT_THAT(*failed, ::testing::HasSubstr("the window could not be built"));
    EXPECT_EQ(SignalChild(standIn, SIGTERM).value_or(""),
              "the program is no longer running: it was ended by signal 11; its standard error: the window "
              "could not be built");
}

} // namespace
} // namespace quorvel::testing
