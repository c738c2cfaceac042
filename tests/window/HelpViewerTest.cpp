// The help window driven as a person drives it: opened at its contents or its
// keyword search, then clicks, typing and keys, over the help file a row names
// from "help_viewer_files" (none: the file is missing; "(folder)": a folder
// stands in its place). Rows live in the "help_viewer" list of
// tests/cases/shell_cases.json.
//
//   ["contents"] ["search"]: the Help menu's two calls
//   ["type", text] ["key", "Return" | "Down" | "Tab" ...]: to the focused control
//   ["click", list, row]: lstContents or lstKeywords   ["link", url]: in the page
//   ["expect", what, text]: what is title, opened, tab, focus, visible, page
//     (the page's plain text contains text)
//   ["list", name, [items]]: every item of lstContents or lstKeywords

#include "shell/HelpViewer.h"
#include "WindowFixture.h"
#include "shell/HelpViewerHost.h"

#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QListWidget>
#include <QPointer>
#include <QScopeGuard>
#include <QScreen>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTextBrowser>

namespace quorvel::testing {
namespace {

using nlohmann::json;

class HelpWindow : public ::testing::TestWithParam<CaseRow> {
protected:
    template <typename T> T* Child(const QString& name) {
        T* child = m_viewer.findChild<T*>(name);
        EXPECT_NE(child, nullptr) << name.toStdString();
        return child;
    }

    QString Expected(const QString& what) {
        if (what == "title")
            return m_viewer.windowTitle();
        if (what == "tab")
            return QString::number(Child<QTabWidget>("tabNavigation")->currentIndex());
        if (what == "focus")
            return QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : QString();
        if (what == "visible")
            return m_viewer.isVisible() ? "true" : "false";
        if (what == "opened") // the last address handed to the desktop's web browser
            return m_browser.source().toString();
        ADD_FAILURE() << "unknown expectation " << what.toStdString();
        return {};
    }

    QStringList Items(const QString& list) {
        QStringList items;
        const QListWidget* widget = Child<QListWidget>(list);
        for (int i = 0; widget && i < widget->count(); ++i)
            items << widget->item(i)->text();
        return items;
    }

    void Step(const json& step) {
        const std::string verb = step.at(0);
        QWidget* focus = QApplication::focusWidget() ? QApplication::focusWidget() : &m_viewer;
        if (verb == "contents" || verb == "search") {
            if (verb == "contents")
                m_viewer.ShowContents(m_path);
            else
                m_viewer.ShowKeywordSearch(m_path, QString());
            ASSERT_TRUE(QTest::qWaitForWindowExposed(&m_viewer));
            QApplication::setActiveWindow(&m_viewer);
            ASSERT_TRUE(QTest::qWaitForWindowActive(&m_viewer));
        } else if (verb == "type") {
            TypeText(focus, Q(step[1]));
        } else if (verb == "key") {
            PressKey(focus, Q(step[1]));
        } else if (verb == "click") {
            auto* list = Child<QListWidget>(Q(step[1]));
            const QRect place = list->visualItemRect(list->item(step[2].get<int>()));
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, place.center());
        } else if (verb == "link") {
            emit Child<QTextBrowser>("brwTopic")->anchorClicked(QUrl(Q(step[1])));
        } else if (verb == "expect" && step[1] == "page") {
            const QString page = Child<QTextBrowser>("brwTopic")->toPlainText();
            EXPECT_TRUE(page.contains(Q(step[2]))) << page.toStdString();
        } else if (verb == "expect") {
            EXPECT_EQ(Expected(Q(step[1])), Q(step[2])) << step[1];
        } else if (verb == "list") {
            EXPECT_EQ(Items(Q(step[1])), Strings(step[2])) << step[1];
        } else {
            ADD_FAILURE() << "unknown step " << step.dump();
        }
        QApplication::processEvents();
    }

    QTemporaryDir m_folder;
    QString m_path;
    HelpViewer m_viewer;
    QTextBrowser m_browser; // stands for the desktop's web browser
};

TEST_P(HelpWindow, Runs) {
    const json& row = GetParam().data;
    m_path = m_folder.filePath("Mivrel.hlp");
    ASSERT_TRUE(row.value("file", "") != "(folder)" || QDir().mkpath(m_path)); // a folder in the file's place
    for (const CaseRow& lines : LoadRows("shell_cases.json", "help_viewer_files")) {
        if (lines.name != row.value("file", "")) // none: the file is missing
            continue;
        QFile file(m_path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(Strings(lines.data.at("lines")).join('\n').toUtf8());
    }
    QDesktopServices::setUrlHandler("https", &m_browser, "setSource");
    const auto unset = qScopeGuard([] { QDesktopServices::unsetUrlHandler("https"); });
    for (const json& step : row.at("steps")) {
        SCOPED_TRACE(step.dump());
        Step(step);
        if (HasFatalFailure())
            return;
    }
}
INSTANTIATE_TEST_SUITE_P(Rows, HelpWindow, ::testing::ValuesIn(LoadRows("shell_cases.json", "help_viewer")),
                         RowName());

// A bare help file name is looked for in the current folder, then beside the
// program, then in the shared data folders; a path is taken as it is.
class HelpFileSearch : public ::testing::TestWithParam<CaseRow> {
protected:
    void TearDown() override {
        QDir::setCurrent(m_current);
        qputenv("XDG_DATA_HOME", m_dataHome);
    }
    QString m_current = QDir::currentPath();
    QByteArray m_dataHome = qgetenv("XDG_DATA_HOME");
};
TEST_P(HelpFileSearch, FindsTheFirstPlaceThatHasIt) {
    const json& row = GetParam().data;
    QTemporaryDir folder;
    const QDir top(folder.path());
    for (const char* place : {"current", "data/quorvel"})
        ASSERT_TRUE(top.mkpath(place));
    for (const json& file : row.at("files")) {
        QFile made(top.filePath(Q(file)));
        ASSERT_TRUE(made.open(QIODevice::WriteOnly));
    }
    QDir::setCurrent(top.filePath("current"));
    qputenv("XDG_DATA_HOME", top.filePath("data").toUtf8());
    const QString found = HelpViewer::ResolveHelpFile(Q(row.at("name_given")));
    EXPECT_EQ(found.startsWith(folder.path()) ? top.relativeFilePath(found) : found, Q(row.at("found")));
}
INSTANTIATE_TEST_SUITE_P(Rows, HelpFileSearch,
                         ::testing::ValuesIn(LoadRows("shell_cases.json", "help_file_search")), RowName());

// One help window per owner: beside it the first time, then reused where the
// user left it, and closed with it.
TEST(HelpWindowHost, OneWindowPerOwnerPlacedBesideItOnce) {
    HelpViewerHost host;
    auto owner = std::make_unique<QWidget>();
    owner->setGeometry(0, 40, 300, 200);
    owner->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(owner.get()));
    const QPoint ownerAt = owner->pos();
    EXPECT_EQ(host.ShowContents(owner.get(), "Mivrel.hlp"), std::nullopt);
    const QList<HelpViewer*> viewers = owner->findChildren<HelpViewer*>();
    ASSERT_EQ(viewers.size(), 1);
    QPointer<HelpViewer> viewer = viewers.front();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(viewer));
    // Too wide for either side of this screen, it stands below the owner.
    const QRect area = viewer->screen()->availableGeometry();
    EXPECT_TRUE(area.contains(viewer->frameGeometry())) << viewer->frameGeometry().x();
    EXPECT_EQ(viewer->frameGeometry().top(), owner->frameGeometry().bottom() + 1);
    EXPECT_EQ(owner->pos(), ownerAt);
    viewer->move(40, 30);
    viewer->close();
    EXPECT_EQ(host.SearchKeywords(owner.get(), "Mivrel.hlp"), std::nullopt);
    EXPECT_EQ(owner->findChildren<HelpViewer*>(), viewers);
    EXPECT_TRUE(viewer->isVisible());
    EXPECT_EQ(viewer->pos(), QPoint(40, 30));
    owner.reset();
    EXPECT_TRUE(viewer.isNull());
}

// No room beside the owner as it stands: the owner moves aside, and the two
// frames share the screen without covering each other.
TEST(HelpWindowHost, MovesTheOwnerAsideForRoom) {
    HelpViewerHost host;
    QWidget owner;
    owner.setGeometry(250, 300, 300, 200);
    owner.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&owner));
    const QPoint ownerAt = owner.pos();
    ASSERT_EQ(host.ShowContents(&owner, "Mivrel.hlp"), std::nullopt);
    HelpViewer* viewer = owner.findChild<HelpViewer*>();
    ASSERT_NE(viewer, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(viewer));
    const QRect area = viewer->screen()->availableGeometry();
    EXPECT_TRUE(area.contains(viewer->frameGeometry()));
    EXPECT_TRUE(area.contains(owner.frameGeometry()));
    EXPECT_FALSE(owner.frameGeometry().intersects(viewer->frameGeometry()));
    EXPECT_NE(owner.pos(), ownerAt);
}

} // namespace
} // namespace quorvel::testing
