// Where the program's windows stand: the help window beside the main window,
// a frame centred in an area, the splash, and the main window's place kept
// from one run to the next. Rows live in tests/cases/shell_cases.json; those
// of "help_placement" give the screen's available area, the two frames and
// where the corner of each frame goes.

#include "WindowFixture.h"
#include "platform/Twips.h"
#include "shell/HelpViewerPlacement.h"
#include "shell/MainWindowSettings.h"
#include "shell/WindowPlacement.h"
#include "shell/frmSplash.h"

#include <QLabel>
#include <QScreen>
#include <QSignalSpy>

namespace quorvel::testing {
namespace {

using nlohmann::json;

QRect RectOf(const json& r) {
    return {r.at(0).get<int>(), r.at(1).get<int>(), r.at(2).get<int>(), r.at(3).get<int>()};
}
QPoint PointOf(const json& p) {
    return {p.at(0).get<int>(), p.at(1).get<int>()};
}

class HelpBeside : public ::testing::TestWithParam<CaseRow> {};
TEST_P(HelpBeside, KeepsTheInputsInView) {
    const json& row = GetParam().data;
    const QPoint viewer = PointOf(row.at("viewer"));
    const HelpViewerPlaces places =
        PlaceHelpViewer(RectOf(row.at("area")), RectOf(row.at("owner")), QSize(viewer.x(), viewer.y()));
    EXPECT_EQ(places.owner, PointOf(row.at("owner_at")));
    EXPECT_EQ(places.viewer, PointOf(row.at("viewer_at")));
}
INSTANTIATE_TEST_SUITE_P(Rows, HelpBeside, ::testing::ValuesIn(LoadRows("shell_cases.json", "help_placement")),
                         RowName());

class Centred : public ::testing::TestWithParam<CaseRow> {};
TEST_P(Centred, FrameInTheMiddleOfTheArea) {
    const json& row = GetParam().data;
    const QPoint frame = PointOf(row.at("frame"));
    EXPECT_EQ(CentredFramePosition(RectOf(row.at("area")), QSize(frame.x(), frame.y())),
              PointOf(row.at("corner")));
}
INSTANTIATE_TEST_SUITE_P(Rows, Centred, ::testing::ValuesIn(LoadRows("shell_cases.json", "centred")),
                         RowName());

class SplashLine : public ::testing::TestWithParam<CaseRow> {};
TEST_P(SplashLine, TextAndItsPaintedColour) {
    const json& row = GetParam().data;
    frmSplash splash;
    auto* line = splash.findChild<QLabel*>(QStringLiteral("lblInfo(%1)").arg(row.at("label").get<int>()));
    ASSERT_NE(line, nullptr);
    EXPECT_EQ(line->text(), Q(row.at("text")));
    EXPECT_EQ(PaintedTextColour(*line).name(), Q(row.at("painted")));
}
INSTANTIATE_TEST_SUITE_P(Rows, SplashLine, ::testing::ValuesIn(LoadRows("shell_cases.json", "splash")), RowName());

TEST(Splash, PaintedOnScreenOnce) {
    frmSplash splash;
    QSignalSpy painted(&splash, &frmSplash::Painted);
    splash.Form_Load();
    EXPECT_TRUE(splash.ShowPainted(5000));
    EXPECT_EQ(painted.count(), 1);
    EXPECT_TRUE(splash.isVisible());
    EXPECT_TRUE(splash.ShowPainted(0)); // already painted: no second wait
    splash.update();
    QApplication::processEvents();
    EXPECT_EQ(painted.count(), 1);
}

// A place stored by one run is where the next run opens, to the pixel, for
// every place some screen shows; and the text kept for it reads as the twips.
class KeptPlace : public ::testing::TestWithParam<CaseRow> {};
TEST_P(KeptPlace, StoredTextAndTheNextRunsPlace) {
    const json& row = GetParam().data;
    Fakes store;
    QAction hints(nullptr);
    hints.setCheckable(true);
    hints.setChecked(row.value("hints", true));
    QWidget closing;
    closing.resize(474, 403);
    closing.move(PointOf(row.at("pixels")));
    SaveMainWindowSettings(closing, hints, store);
    EXPECT_EQ(store.settings["Mivrel/Window/MainLeft"], Q(row.at("stored").at(0)));
    EXPECT_EQ(store.settings["Mivrel/Window/MainTop"], Q(row.at("stored").at(1)));
    EXPECT_EQ(store.settings["Mivrel/Set/ToolTipText"], row.value("hints", true) ? "True" : "False");
    EXPECT_EQ(store.flushes, 1);
    QWidget opening;
    opening.resize(closing.size());
    hints.setChecked(!hints.isChecked());
    RestoreMainWindowSettings(opening, hints, store);
    EXPECT_EQ(opening.pos(), closing.pos());
    EXPECT_EQ(hints.isChecked(), row.value("hints", true));
}
INSTANTIATE_TEST_SUITE_P(Rows, KeptPlace, ::testing::ValuesIn(LoadRows("shell_cases.json", "kept_place")),
                         RowName());

TEST(KeptPlace, EveryPlaceOnScreenComesBack) {
    Fakes store;
    QAction hints(nullptr);
    QWidget window;
    window.resize(474, 403);
    const QRect area = window.screen()->geometry();
    for (int x = area.left() - 400; x < area.right(); x += 7) {
        for (int y = area.top() - 300; y < area.bottom(); y += 13) {
            window.move(x, y);
            SaveMainWindowSettings(window, hints, store);
            window.move(0, 0);
            RestoreMainWindowSettings(window, hints, store);
            ASSERT_EQ(window.pos(), QPoint(x, y));
        }
    }
}

} // namespace
} // namespace quorvel::testing
