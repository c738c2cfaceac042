// Option buttons set which fields of their section are open; tabs enable only
// the frame on show.

#include "ForeColors.h"
#include "WindowFixture.h"

#include <QRadioButton>

namespace quorvel::testing {
namespace {

struct ModeRow {
    const char* name;   // shows what the row is about
    const char* option; // objectName of the option clicked
    int tab;
    std::vector<const char*> active;
    std::vector<const char*> dimmed;
};

class OptionModes : public WindowTest, public ::testing::WithParamInterface<ModeRow> {};

// Every field of the window with its state, to see that a choice touches no other section.
std::map<QString, std::pair<bool, std::uint32_t>> Snapshot(QWidget& window) {
    std::map<QString, std::pair<bool, std::uint32_t>> states;
    for (InputTextBox* field : window.findChildren<InputTextBox*>())
        states[field->objectName()] = {field->OwnEnabled(), field->ForeColor()};
    return states;
}

TEST_P(OptionModes, ClickingSetsTheSectionsFieldsAndNothingElse) {
    const ModeRow& row = GetParam();
    ShowLoaded();
    C().tabMain->setCurrentIndex(row.tab);
    auto expected = Snapshot(*m_window);
    for (const char* name : row.active)
        expected[QString::fromLatin1(name)] = {true, kWindowTextColor};
    for (const char* name : row.dimmed)
        expected[QString::fromLatin1(name)] = {false, kMenuBarColor};

    auto* option = Find<QRadioButton>(QString::fromLatin1(row.option));
    QTest::mouseClick(option, Qt::LeftButton);

    EXPECT_TRUE(option->isChecked());
    const auto actual = Snapshot(*m_window);
    for (const auto& [name, state] : expected) {
        EXPECT_EQ(actual.at(name).first, state.first) << name.toStdString() << " enabled";
        EXPECT_EQ(actual.at(name).second, state.second) << name.toStdString() << " colour";
    }
    // Visible too: the text colour of the field follows its ForeColor.
    for (const char* name : row.active)
        EXPECT_EQ(Field(QString::fromLatin1(name))->palette().color(QPalette::Text), ColorFromValue(kWindowTextColor));
}

INSTANTIATE_TEST_SUITE_P(
    SectionModes, OptionModes,
    ::testing::Values(
        ModeRow{"DataAllFixed", "optData(0)", 0, {"txtData(1)"}, {"txtData(2)", "txtData(3)", "txtData(4)"}},
        ModeRow{"DataWithVariable", "optData(1)", 0, {"txtData(2)", "txtData(3)", "txtData(4)"}, {"txtData(1)"}},
        ModeRow{"ClusteredNone", "optClaster(0)", 1, {},
                {"txtFillFactor(0)", "txtData(5)", "txtData(6)", "txtData(7)", "txtData(8)"}},
        ModeRow{"ClusteredAllFixed", "optClaster(1)", 1, {"txtFillFactor(0)", "txtData(5)"},
                {"txtData(6)", "txtData(7)", "txtData(8)"}},
        ModeRow{"ClusteredWithVariable", "optClaster(2)", 1,
                {"txtFillFactor(0)", "txtData(6)", "txtData(7)", "txtData(8)"}, {"txtData(5)"}},
        ModeRow{"Index1AllFixed", "optNonClaster(1)", 2, {"txtFillFactor(1)", "txtData1(0)"},
                {"txtData2(0)", "txtData2(1)", "txtData2(2)"}},
        ModeRow{"Index2NoneAgain", "optNonClaster(3)", 3, {},
                {"txtFillFactor(2)", "txtData1(3)", "txtData2(3)", "txtData2(4)", "txtData2(5)"}},
        ModeRow{"Index3WithVariable", "optNonClaster(8)", 4,
                {"txtFillFactor(3)", "txtData2(6)", "txtData2(7)", "txtData2(8)"}, {"txtData1(6)"}}),
    [](const auto& row) { return std::string(row.param.name); });

TEST_F(WindowTest, ChoosingTheSelectedOptionAgainGivesStartingGreyFieldsTheMenuBarColour) {
    ShowLoaded();
    C().tabMain->setCurrentIndex(4);
    ASSERT_EQ(C().txtData2[7]->ForeColor(), kStartingGreyColor);
    QTest::mouseClick(C().optNonClaster[6], Qt::LeftButton);
    EXPECT_EQ(C().txtData2[7]->ForeColor(), kMenuBarColor);
    EXPECT_EQ(C().txtData1[6]->ForeColor(), kMenuBarColor);
    // Section 2 keeps its starting grey: nothing was chosen there.
    EXPECT_EQ(C().txtData2[3]->ForeColor(), kStartingGreyColor);
}

TEST_F(WindowTest, DimmedFieldKeepsItsTextAndShowsItAgainWhenActive) {
    ShowLoaded();
    C().txtData[3]->SetText("1,962");
    QTest::mouseClick(C().optData[0], Qt::LeftButton);
    EXPECT_FALSE(C().txtData[3]->isEnabled());
    EXPECT_EQ(C().txtData[3]->text(), "1,962");
    QTest::mouseClick(C().optData[1], Qt::LeftButton);
    EXPECT_TRUE(C().txtData[3]->isEnabled());
    EXPECT_EQ(C().txtData[3]->text(), "1,962");
}

TEST_F(WindowTest, ProgramSelectionRunsTheHandlerToo) {
    ShowLoaded();
    C().optClaster[2]->setChecked(true);
    EXPECT_TRUE(C().txtData[7]->OwnEnabled());
    EXPECT_FALSE(C().txtData[5]->OwnEnabled());
}

TEST_F(WindowTest, TabChangeEnablesOnlyTheFrameOnShow) {
    ShowLoaded();
    C().tabMain->setCurrentIndex(3);
    EXPECT_TRUE(C().fraSquare[3]->isEnabled());
    EXPECT_FALSE(C().fraSquare[0]->isEnabled());
    EXPECT_TRUE(C().fraSquare[5]->isEnabled());
    // The fields of the disabled frame keep their own state.
    EXPECT_FALSE(C().txtData[2]->isEnabled());
    EXPECT_TRUE(C().txtData[2]->OwnEnabled());
    EXPECT_EQ(C().txtData[2]->ForeColor(), kWindowTextColor);

    C().tabMain->setCurrentIndex(0);
    EXPECT_TRUE(C().fraSquare[0]->isEnabled());
    EXPECT_FALSE(C().fraSquare[3]->isEnabled());
    EXPECT_TRUE(C().txtData[2]->isEnabled());
    EXPECT_TRUE(C().fraSquare[5]->isEnabled());
}

TEST_F(WindowTest, ClickingATabMovesThereAndTakesTheFocusFromTheField) {
    ShowLoaded();
    FocusField(C().txtData[0], 0);
    QTest::keyClicks(C().txtData[0], "1234");
    QTabBar* bar = C().tabMain->tabBar();
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(2).center());
    EXPECT_EQ(C().tabMain->currentIndex(), 2);
    EXPECT_TRUE(C().fraSquare[2]->isEnabled());
    EXPECT_FALSE(C().fraSquare[0]->isEnabled());
    EXPECT_EQ(C().txtData[0]->text(), "1,234"); // its leaving steps ran
}

TEST_F(WindowTest, TabKeySkipsTheFramesOfOtherTabs) {
    ShowLoaded();
    FocusField(C().txtData[4], 0);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QWidget* next = QApplication::focusWidget();
    ASSERT_NE(next, nullptr);
    for (int f = 1; f <= 4; ++f)
        EXPECT_FALSE(C().fraSquare[static_cast<std::size_t>(f)]->isAncestorOf(next)) << next->objectName().toStdString();
}

} // namespace
} // namespace quorvel::testing
