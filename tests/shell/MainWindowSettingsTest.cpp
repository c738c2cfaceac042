#include "MainWindowSettings.h"
#include "ShellFakes.h"
#include "TestSupport.h"
#include "Twips.h"

#include <QAction>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>

namespace quorvel {
namespace {

using testing::MemorySettingsStore;

const QString kLeft = MemorySettingsStore::Path("Mivrel", "Window", "MainLeft");
const QString kTop = MemorySettingsStore::Path("Mivrel", "Window", "MainTop");
const QString kHints = MemorySettingsStore::Path("Mivrel", "Set", "ToolTipText");

// A stand-in for the main window: fixed size 7110 x 6045 twips, never shown.
class MainWindowSettingsTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_window.resize(TwipsToPixels(7110), TwipsToPixels(6045));
        m_hintItem.setCheckable(true);
        m_hintItem.setChecked(true);
    }

    // Where the window stands when centred on the primary screen's free area.
    QPoint Centred() const {
        const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
        return {screen.left() + (screen.width() - m_window.width()) / 2,
                screen.top() + (screen.height() - m_window.height()) / 2};
    }

    QWidget m_window;
    QAction m_hintItem{nullptr};
    MemorySettingsStore m_store;
};

struct PositionRow {
    const char* name;
    std::optional<QString> left; // nullopt: never stored
    std::optional<QString> top;
    std::optional<double> leftTwips; // nullopt: centred
    std::optional<double> topTwips;
};

class RestorePositionTest : public MainWindowSettingsTest,
                            public ::testing::WithParamInterface<PositionRow> {};

TEST_P(RestorePositionTest, MovesTheWindowToTheStoredOrCentredPlace) {
    const PositionRow& row = GetParam();
    if (row.left)
        m_store.values[kLeft] = *row.left;
    if (row.top)
        m_store.values[kTop] = *row.top;
    RestoreMainWindowSettings(m_window, m_hintItem, m_store);
    const QPoint place = m_window.pos();
    if (row.leftTwips) {
        EXPECT_EQ(place.x(), TwipsToPixels(*row.leftTwips));
    } else {
        EXPECT_LE(std::abs(place.x() - Centred().x()), 1) << place.x() << " vs " << Centred().x();
    }
    if (row.topTwips) {
        EXPECT_EQ(place.y(), TwipsToPixels(*row.topTwips));
    } else {
        EXPECT_LE(std::abs(place.y() - Centred().y()), 1) << place.y() << " vs " << Centred().y();
    }
}

INSTANTIATE_TEST_SUITE_P(
    StoredTexts, RestorePositionTest,
    ::testing::Values(
        PositionRow{"FirstRunIsCentred", std::nullopt, std::nullopt, std::nullopt, std::nullopt},
        PositionRow{"StoredPlace", "1500", "750", 1500.0, 750.0},
        PositionRow{"FractionOfAPixel", "1507.5", "0", 1507.5, 0.0},
        PositionRow{"OffScreenIsNotClamped", "-30000", "90000", -30000.0, 90000.0},
        PositionRow{"ExponentForm", "1.5e+03", "7.5E2", 1500.0, 750.0},
        PositionRow{"BlanksAroundTheNumber", " 1500 ", "750 ", 1500.0, 750.0},
        PositionRow{"OnlyLeftStored", "1500", std::nullopt, 1500.0, std::nullopt},
        PositionRow{"TextThatIsNoNumberIsIgnored", "links", "750", std::nullopt, 750.0},
        PositionRow{"EmptyTextIsIgnored", "", "", std::nullopt, std::nullopt},
        PositionRow{"InfinityIsIgnored", "inf", "nan", std::nullopt, std::nullopt},
        PositionRow{"NumberBeyondAnyScreenIsIgnored", "1e30", "-3e38", std::nullopt, std::nullopt}),
    RowName<PositionRow>);

struct HintRow {
    const char* name;
    std::optional<QString> stored;
    bool checked;
};

class RestoreHintsTest : public MainWindowSettingsTest, public ::testing::WithParamInterface<HintRow> {};

TEST_P(RestoreHintsTest, SetsTheHintItemFromTheStoredText) {
    m_hintItem.setChecked(!GetParam().checked);
    if (GetParam().stored)
        m_store.values[kHints] = *GetParam().stored;
    RestoreMainWindowSettings(m_window, m_hintItem, m_store);
    EXPECT_EQ(m_hintItem.isChecked(), GetParam().checked);
}

INSTANTIATE_TEST_SUITE_P(
    StoredTexts, RestoreHintsTest,
    ::testing::Values(HintRow{"FirstRunShowsHints", std::nullopt, true}, HintRow{"True", "True", true},
                      HintRow{"False", "False", false}, HintRow{"LowerCaseFalse", "false", false},
                      HintRow{"Zero", "0", false}, HintRow{"MinusOne", "-1", true},
                      HintRow{"Fraction", "0.5", true}, HintRow{"ZeroWithBlanks", " 0 ", false},
                      HintRow{"NoBooleanIsIgnored", "yes", true}, HintRow{"EmptyIsIgnored", "", true}),
    RowName<HintRow>);

TEST_F(MainWindowSettingsTest, WritesThePlaceInTwipsAndTheHintSwitch) {
    ASSERT_EQ(ScreenDpi(), 96.0) << "the texts below assume 15 twips to the pixel";
    m_window.move(100, -50);
    m_hintItem.setChecked(false);
    SaveMainWindowSettings(m_window, m_hintItem, m_store);
    EXPECT_EQ(m_store.values[kLeft], "1500");
    EXPECT_EQ(m_store.values[kTop], "-750");
    EXPECT_EQ(m_store.values[kHints], "False");
}

TEST_F(MainWindowSettingsTest, MinimisedWindowKeepsTheOldPlaceButWritesTheHintSwitch) {
    m_store.values[kLeft] = "300";
    m_store.values[kTop] = "450";
    m_window.move(200, 200);
    m_window.setWindowState(Qt::WindowMinimized);
    SaveMainWindowSettings(m_window, m_hintItem, m_store);
    EXPECT_EQ(m_store.values[kLeft], "300");
    EXPECT_EQ(m_store.values[kTop], "450");
    EXPECT_EQ(m_store.values[kHints], "True");
}

TEST_F(MainWindowSettingsTest, NextRunComesBackWhereThisOneClosed) {
    m_window.move(123, 45);
    m_hintItem.setChecked(false);
    SaveMainWindowSettings(m_window, m_hintItem, m_store);

    QWidget nextWindow;
    nextWindow.resize(m_window.size());
    QAction nextHintItem(nullptr);
    nextHintItem.setCheckable(true);
    nextHintItem.setChecked(true);
    RestoreMainWindowSettings(nextWindow, nextHintItem, m_store);
    EXPECT_EQ(nextWindow.pos(), QPoint(123, 45));
    EXPECT_FALSE(nextHintItem.isChecked());
}

} // namespace
} // namespace quorvel
