// Clear, Cut, Copy and Paste, from the menu, the toolbar and the shortcut keys.

#include "WindowFixture.h"

namespace quorvel::testing {
namespace {

class EditTest : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        ShowLoaded();
    }
};

TEST_F(EditTest, ClearBringsEverythingBackAsTheWindowOpens) {
    C().optData[0]->setChecked(true);
    C().optClaster[2]->setChecked(true);
    C().optNonClaster[4]->setChecked(true);
    for (InputTextBox* fill : C().txtFillFactor)
        fill->SetText("80");
    C().txtData2[7]->SetText("123");
    C().txtData1[3]->SetText("45");
    C().lblData[23]->setText("7 ");
    C().lblLevel[44]->setText("9 ");
    C().lblTotal[3]->setText("2,048 ");
    C().sbStatusBarPanel1->setText("計算中です...");
    FocusField(C().txtData2[4], 3);

    m_window->mnuEditItem_Click(0);

    EXPECT_EQ(C().tabMain->currentIndex(), 0);
    EXPECT_TRUE(C().fraSquare[0]->isEnabled());
    EXPECT_FALSE(C().fraSquare[3]->isEnabled());
    EXPECT_EQ(QApplication::focusWidget(), C().txtData[0]);
    EXPECT_EQ(C().txtData[0]->selectedText(), "0");
    EXPECT_TRUE(C().mnuEditItem[4]->isEnabled());
    EXPECT_TRUE(C().optData[1]->isChecked());
    EXPECT_TRUE(C().optClaster[0]->isChecked());
    EXPECT_TRUE(C().optNonClaster[3]->isChecked());
    for (InputTextBox* field : m_window->findChildren<InputTextBox*>())
        EXPECT_EQ(field->text(), "0") << field->objectName().toStdString();
    for (InputTextBox* fill : C().txtFillFactor)
        EXPECT_FALSE(fill->OwnEnabled());
    for (std::size_t i : {0u, 2u, 3u, 4u})
        EXPECT_TRUE(C().txtData[i]->OwnEnabled()) << i;
    EXPECT_FALSE(C().txtData[1]->OwnEnabled());
    EXPECT_FALSE(C().txtData2[4]->OwnEnabled());
    for (QLabel* cell : m_window->findChildren<QLabel*>()) {
        const QString name = cell->objectName();
        if (name.startsWith(u"lblData") || name.startsWith(u"lblLevel") || name.startsWith(u"lblTotal")) {
            EXPECT_EQ(cell->text(), "0 ") << name.toStdString();
        }
    }
    EXPECT_EQ(C().sbStatusBarPanel1->text(), "");
}

TEST_F(EditTest, ClearFromTheDataTabRunsNoFocusStepsOnTheRowCount) {
    FocusField(C().txtData[0], 0);
    QTest::keyClicks(C().txtData[0], "1234");
    C().ToolbarButton(u"Clear")->trigger();
    EXPECT_EQ(C().txtData[0]->text(), "0");
    EXPECT_EQ(C().txtData[0]->LengthLimit(), 9); // still the focus limit: no leaving, no entry
}

TEST_F(EditTest, CopyWithNothingSelectedPutsTheEmptyText) {
    FocusField(C().txtData[0], 0);
    QTest::keyClicks(C().txtData[0], "12");
    m_clipboard.text = "old";
    m_window->mnuEditItem_Click(3);
    EXPECT_EQ(m_clipboard.text, "");
    EXPECT_EQ(C().txtData[0]->text(), "12");
}

TEST_F(EditTest, CutRemovesExactlyTheSelectedPart) {
    FocusField(C().txtData[0], 0);
    QTest::keyClicks(C().txtData[0], "123456");
    C().txtData[0]->setSelection(2, 2);
    QTest::keyClick(C().txtData[0], Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(m_clipboard.text, "34");
    EXPECT_EQ(C().txtData[0]->text(), "1256");
}

TEST_F(EditTest, PasteShortcutGoesThroughTheClipboardServiceAndTheLimit) {
    FocusField(C().txtData[3], 0);
    m_clipboard.text = "123456";
    QTest::keyClick(C().txtData[3], Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(C().txtData[3]->text(), "1234");
}

TEST_F(EditTest, CopyShortcutFillsTheClipboardService) {
    FocusField(C().txtData[2], 0);
    QTest::keyClicks(C().txtData[2], "987");
    C().txtData[2]->selectAll();
    QTest::keyClick(C().txtData[2], Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(m_clipboard.text, "987");
}

TEST_F(EditTest, PasteOfNoTextRemovesTheSelection) {
    FocusField(C().txtData[2], 0);
    QTest::keyClicks(C().txtData[2], "987");
    C().txtData[2]->setSelection(1, 1);
    m_clipboard.text.clear();
    m_window->mnuEditItem_Click(4);
    EXPECT_EQ(C().txtData[2]->text(), "97");
}

TEST_F(EditTest, PastedLettersAreKeptUntilTheFieldIsLeft) {
    FocusField(C().txtData[4], 0);
    m_clipboard.text = "ab";
    m_window->mnuEditItem_Click(4);
    EXPECT_EQ(C().txtData[4]->text(), "ab");
    LeaveField();
    EXPECT_EQ(C().txtData[4]->text(), "0");
}

TEST_F(EditTest, CommandsOutsideATextBoxDoNothing) {
    C().optData[0]->setFocus(Qt::TabFocusReason);
    m_clipboard.text = "5";
    for (int index : {2, 3, 4})
        m_window->mnuEditItem_Click(index);
    EXPECT_EQ(m_clipboard.text, "5");
    EXPECT_EQ(C().txtData[1]->text(), "0");
}

struct ToolbarRow {
    const char* name;
    const char* key;
    bool clears;
};

class ToolbarKeys : public EditTest, public ::testing::WithParamInterface<ToolbarRow> {};

TEST_P(ToolbarKeys, OnlyTheExactKeyRunsItsCommand) {
    const ToolbarRow& row = GetParam();
    C().lblTotal[2]->setText("5 ");
    m_window->tbToolBar_ButtonClick(QString::fromLatin1(row.key));
    EXPECT_EQ(C().lblTotal[2]->text(), row.clears ? "0 " : "5 ");
    EXPECT_TRUE(m_window->isVisible());
}

INSTANTIATE_TEST_SUITE_P(EditCommands, ToolbarKeys,
                         ::testing::Values(ToolbarRow{"Clear", "Clear", true}, ToolbarRow{"LowerCase", "clear", false},
                                           ToolbarRow{"Empty", "", false}, ToolbarRow{"Unknown", "Clearx", false},
                                           ToolbarRow{"Calc", "Calc", true}),
                         [](const auto& row) { return std::string(row.param.name); });

TEST_F(EditTest, EndClosesTheWindow) {
    m_window->tbToolBar_ButtonClick("End");
    EXPECT_FALSE(m_window->isVisible());
}

} // namespace
} // namespace quorvel::testing
