// The platform services seen from their callers: how a command text becomes a
// program and its argument, what the settings file holds, the termination
// signals reaching the event loop, twips and pixels, the two Japanese faces,
// the help file read from disk and the system-information program found on
// the search path. Rows live in tests/cases/platform_cases.json.

#include "CaseRows.h"
#include "platform/DetachedProgramStarter.h"
#include "platform/HelpFile.h"
#include "platform/IniSettingsStore.h"
#include "platform/JapaneseFonts.h"
#include "platform/SystemInformationLocator.h"
#include "platform/TerminationRequests.h"
#include "platform/Twips.h"

#include <QDir>
#include <QFile>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QSettings>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <csignal>
#include <map>

namespace quorvel::testing {
namespace {

using nlohmann::json;

QString Q(const json& text) {
    return QString::fromStdString(text.get<std::string>());
}

QStringList Strings(const json& texts) {
    QStringList list;
    for (const json& text : texts)
        list << Q(text);
    return list;
}

std::vector<CaseRow> Rows(const char* list) {
    return LoadRows("platform_cases.json", list);
}

class CommandText : public ::testing::TestWithParam<CaseRow> {};
TEST_P(CommandText, SplitsIntoProgramAndOneArgument) {
    const json& row = GetParam().data;
    const QStringList files = Strings(row.value("files", json::array()));
    const CommandLine line = DetachedProgramStarter::SplitCommandText(
        Q(row.at("text")), [&files](const QString& path) { return files.contains(path); });
    EXPECT_EQ(line.program.toStdString(), row.at("program").get<std::string>());
    EXPECT_EQ(line.arguments, Strings(row.at("arguments")));
}
INSTANTIATE_TEST_SUITE_P(Rows, CommandText, ::testing::ValuesIn(Rows("command_text")), RowName());

// The real starter: a program whose path has blanks starts as a whole; a
// command naming nothing that exists does not start.
TEST(DetachedStart, StartsAProgramInAFolderWithBlanks) {
    QTemporaryDir folder;
    const QString program = folder.filePath("SQL Tools/isql w");
    ASSERT_TRUE(QDir().mkpath(folder.filePath("SQL Tools")));
    ASSERT_TRUE(QFile::copy(QStandardPaths::findExecutable("true"), program));
    DetachedProgramStarter starter;
    EXPECT_TRUE(starter.Start(program));
    EXPECT_FALSE(starter.Start(folder.filePath("SQL Tools/missing")));
    EXPECT_FALSE(starter.Start(QString()));
}

// The folder of an organization's settings files, one per application.
QString SettingsFolder(const QString& organization) {
    const QSettings settings(QSettings::IniFormat, QSettings::UserScope, organization, "Mivrel");
    return QFileInfo(settings.fileName()).path();
}

// Every text a value may hold comes back the same, from a fresh store and from
// the file itself, each application in its own file under the organization.
TEST(SettingsStore, EveryTextComesBackFromItsOwnFile) {
    const QStringList values =
        Strings(LoadRows("platform_cases.json", "setting_texts").front().data.at("texts"));
    {
        IniSettingsStore store("QuorvelRoundTrip");
        for (qsizetype i = 0; i < values.size(); ++i) {
            store.SaveSetting("Mivrel", "Set", QString("Key%1").arg(i), values[i]);
            store.SaveSetting("Other", "Window", QString("Key%1").arg(i), values[i] + "!");
        }
        store.Flush();
    }
    const IniSettingsStore again("QuorvelRoundTrip");
    const QString folder = SettingsFolder("QuorvelRoundTrip");
    QSettings mivrel(folder + "/Mivrel.ini", QSettings::IniFormat);
    QSettings other(folder + "/Other.ini", QSettings::IniFormat);
    for (qsizetype i = 0; i < values.size(); ++i) {
        const QString key = QString("Key%1").arg(i);
        SCOPED_TRACE(values[i].toStdString());
        EXPECT_EQ(again.GetSetting("Mivrel", "Set", key, "<none>"), values[i]);
        EXPECT_EQ(again.GetSetting("Other", "Window", key, "<none>"), values[i] + "!");
        EXPECT_EQ(again.GetSetting("Mivrel", "Window", key, "<none>"), "<none>");
        EXPECT_EQ(mivrel.value("Set/" + key).toString(), values[i]);
        EXPECT_EQ(other.value("Window/" + key).toString(), values[i] + "!");
    }
}

// A value QSettings keeps as another kind than text reads as no value at all.
TEST(Settings, AValueOfAnotherKindIsNoValue) {
    const QString folder = SettingsFolder("QuorvelKinds");
    QDir().mkpath(folder);
    QFile ini(folder + "/Mivrel.ini");
    ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
    ini.write("[Window]\nMainLeft=@Rect(1 2 3 4)\nKept=15\n");
    ini.close();
    const IniSettingsStore store("QuorvelKinds");
    EXPECT_EQ(store.GetSetting("Mivrel", "Window", "MainLeft", "<none>"), "<none>");
    EXPECT_EQ(store.GetSetting("Mivrel", "Window", "Kept", "<none>"), "15");
}

class Termination : public ::testing::TestWithParam<CaseRow> {};
int SignalNamed(const std::string& name) {
    return name == "SIGTERM" ? SIGTERM : name == "SIGHUP" ? SIGHUP : name == "SIGINT" ? SIGINT : SIGUSR1;
}
bool HasDefaultAction(int signal) {
    struct sigaction now = {};
    ::sigaction(signal, nullptr, &now);
    return now.sa_handler == SIG_DFL;
}

qsizetype OpenDescriptors() {
    return QDir("/proc/self/fd").entryList(QDir::Files | QDir::System | QDir::NoDotAndDotDot).size();
}

// A signal that kept its default action would end this test program. Nothing
// of the watch is left behind: the default action, and no descriptor open.
TEST_P(Termination, SignalBecomesOneRequestAndItsDefaultComesBackAfterwards) {
    const int signal = SignalNamed(GetParam().data.at("signal"));
    const qsizetype descriptors = OpenDescriptors();
    {
        TerminationRequests requests;
        QSignalSpy spy(&requests, &TerminationRequests::Requested);
        EXPECT_TRUE(HasDefaultAction(SIGUSR1)) << "a signal of no concern was taken";
        // A read or write the request breaks into goes on, rather than failing as interrupted.
        struct sigaction taken = {};
        ::sigaction(signal, nullptr, &taken);
        EXPECT_TRUE(taken.sa_flags & SA_RESTART);
        ASSERT_EQ(::raise(signal), 0);
        ASSERT_TRUE(spy.wait(5000));
        QCoreApplication::processEvents();
        EXPECT_EQ(spy.count(), 1);
        // Each signal is one request; an earlier one is not reported again.
        ASSERT_EQ(::raise(signal), 0);
        ASSERT_TRUE(spy.wait(5000));
        EXPECT_EQ(spy.count(), 2);
    }
    EXPECT_TRUE(HasDefaultAction(signal));
    EXPECT_EQ(OpenDescriptors(), descriptors);
}
INSTANTIATE_TEST_SUITE_P(Rows, Termination, ::testing::ValuesIn(Rows("termination")), RowName());

class TwipsAndPixels : public ::testing::TestWithParam<CaseRow> {};
TEST_P(TwipsAndPixels, RoundToTheNearestPixelAt96Dpi) {
    if (ScreenDpi() != 96.0)
        GTEST_SKIP() << "the rows are for a 96 dpi screen";
    const json& row = GetParam().data;
    EXPECT_EQ(TwipsToPixels(row.at("twips").get<double>()), row.at("pixels").get<int>());
}
INSTANTIATE_TEST_SUITE_P(Rows, TwipsAndPixels, ::testing::ValuesIn(Rows("twips")), RowName());

TEST(TwipsAndPixels, EveryPixelComesBackFromItsTwips) {
    for (int pixels = -40000; pixels <= 40000; ++pixels)
        ASSERT_EQ(TwipsToPixels(PixelsToTwips(pixels)), pixels);
    const double twipsPerPixel = PixelsToTwips(1);
    EXPECT_EQ(TwipsRect(30 * twipsPerPixel, -2 * twipsPerPixel, 386 * twipsPerPixel, 84 * twipsPerPixel),
              QRect(30, -2, 386, 84));
}

class Faces : public ::testing::TestWithParam<CaseRow> {};
TEST_P(Faces, WriteJapaneseAtTheirSizeAndWeight) {
    const json& row = GetParam().data;
    const double size = row.at("size");
    const bool bold = row.at("bold");
    const bool fixed = row.at("face") == "Gothic";
    const QFont font = fixed ? GothicFont(size, bold) : PGothicFont(size, bold);
    EXPECT_DOUBLE_EQ(font.pointSizeF(), size);
    EXPECT_EQ(font.bold(), bold);
    EXPECT_EQ(QFontInfo(font).family(), Q(row.at("family"))); // the IPA fonts the package depends on
    const QFontMetricsF metrics(font);
    for (const char32_t c : {U'テ', U'ﾃ', U'計', U'ﾊ', U'A'})
        EXPECT_TRUE(metrics.inFontUcs4(c)) << QFontInfo(font).family().toStdString() << " lacks " << int(c);
    // The fixed-pitch face lines up columns of digits and captions; the
    // proportional one does not.
    EXPECT_EQ(metrics.horizontalAdvance('i') == metrics.horizontalAdvance('W'), fixed)
        << QFontInfo(font).family().toStdString();
}
INSTANTIATE_TEST_SUITE_P(Rows, Faces, ::testing::ValuesIn(Rows("faces")), RowName());

class HelpFileOnDisk : public ::testing::TestWithParam<CaseRow> {};
TEST_P(HelpFileOnDisk, TellsWhyItCannotBeShown) {
    const json& row = GetParam().data;
    QTemporaryDir folder;
    const std::string kind = row.at("kind");
    QString path = folder.filePath("Mivrel.hlp");
    if (kind == "empty path")
        path.clear();
    else if (kind == "path")
        path = Q(row.at("path"));
    else if (kind == "folder")
        ASSERT_TRUE(QDir().mkpath(path));
    else if (kind == "file") {
        QByteArray bytes = Strings(row.at("lines")).join('\n').toUtf8();
        // Padded with remark lines to an exact size, before the "last" lines.
        const QByteArray last = Strings(row.value("last", json::array())).join('\n').toUtf8();
        const qsizetype size = row.value("size", qsizetype{0});
        if (size > bytes.size() + last.size())
            bytes += "\n" + QByteArray(size - bytes.size() - last.size() - 2, '#') + "\n";
        bytes += last;
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_EQ(file.write(bytes), bytes.size());
    }
    using enum HelpFile::Status;
    const std::map<std::string, HelpFile::Status> statuses{
        {"Loaded", Loaded}, {"NotFound", NotFound}, {"Unreadable", Unreadable}, {"NotHelpFile", NotHelpFile}};
    const HelpFile file = HelpFile::Load(path);
    EXPECT_EQ(file.GetStatus(), statuses.at(row.at("status")));
    EXPECT_EQ(file.Topics().size(), row.value("topics", std::size_t{0}));
}
INSTANTIATE_TEST_SUITE_P(Rows, HelpFileOnDisk, ::testing::ValuesIn(Rows("help_file_on_disk")), RowName());

class DesktopMonitor : public ::testing::TestWithParam<CaseRow> {
protected:
    void TearDown() override { qputenv("PATH", m_path); }
    QByteArray m_path = qgetenv("PATH");
};
// Only the search path counts, and only a program that may be run.
TEST_P(DesktopMonitor, FirstInstalledProgramNamesLocationOne) {
    const json& row = GetParam().data;
    QTemporaryDir folder;
    for (const auto& [name, executable] : row.at("installed").items()) {
        QFile file(folder.filePath(QString::fromStdString(name)));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("#!/bin/sh\n");
        file.setPermissions(executable.get<bool>() ? QFile::ReadOwner | QFile::ExeOwner : QFile::ReadOwner);
    }
    qputenv("PATH", folder.path().toUtf8());
    using Location = SystemInformationLocator::Location;
    const std::optional<RegistryValue> found =
        SystemInformationLocator::ReadDesktopLocation(Location::MsinfoPath);
    const QString expected = row.at("found").is_null() ? "<none>" : folder.filePath(Q(row.at("found")));
    EXPECT_EQ(found ? std::get<QString>(*found) : QString("<none>"), expected);
    EXPECT_FALSE(SystemInformationLocator::ReadDesktopLocation(Location::SharedToolsFolder).has_value());
    const SystemInformationLocator locator;
    EXPECT_EQ(locator.ProgramToStart().value_or("<none>"), expected);
}
INSTANTIATE_TEST_SUITE_P(Rows, DesktopMonitor, ::testing::ValuesIn(Rows("desktop_monitor")), RowName());

} // namespace
} // namespace quorvel::testing
