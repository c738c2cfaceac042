// Typing, length limits, plain and grouped forms, fill factors, the edit
// commands' availability and the hints switch.

#include "WindowFixture.h"

#include <QRadioButton>

namespace quorvel::testing {
namespace {

// Opens the section of a nonclustered or clustered field so it can be edited.
void OpenSection(ControlInventory& c, const QString& field) {
    if (field.startsWith(QLatin1String("txtData2")) || field.startsWith(QLatin1String("txtData1"))) {
        const int b = field.section(u'(', 1).chopped(1).toInt() / 3 * 3;
        const int mode = field.startsWith(QLatin1String("txtData1")) ? 1 : 2;
        c.optNonClaster[static_cast<std::size_t>(b + mode)]->setChecked(true);
    } else if (field.startsWith(QLatin1String("txtFillFactor"))) {
        const int s = field.section(u'(', 1).chopped(1).toInt();
        if (s == 0)
            c.optClaster[1]->setChecked(true);
        else
            c.optNonClaster[static_cast<std::size_t>(3 * (s - 1) + 1)]->setChecked(true);
    } else if (field == QLatin1String("txtData(1)")) {
        c.optData[0]->setChecked(true);
    } else if (field == QLatin1String("txtData(5)")) {
        c.optClaster[1]->setChecked(true);
    } else if (field.startsWith(QLatin1String("txtData(")) && field.section(u'(', 1).chopped(1).toInt() >= 6) {
        c.optClaster[2]->setChecked(true);
    }
}

// Types text key by key; characters beyond ASCII arrive as a key with that text.
void TypeText(QWidget* field, const QString& text) {
    for (const QChar c : text) {
        if (c.unicode() < 0x80)
            QTest::keyClick(field, static_cast<char>(c.unicode()));
        else
            QTest::sendKeyEvent(QTest::Click, field, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
}

class FieldTest : public WindowTest {
protected:
    InputTextBox* Enter(const QString& name) {
        ShowLoadedOnce();
        OpenSection(C(), name);
        InputTextBox* field = Field(name);
        const QString array = name.section(u'(', 0, 0);
        FocusField(field, TabOf(array, name.section(u'(', 1).chopped(1).toInt()));
        return field;
    }
    void ShowLoadedOnce() {
        if (!m_window->isVisible())
            ShowLoaded();
    }
};

struct TypingRow {
    const char* name;
    const char* field;
    const char* keys;
    const char* whileFocused;
};

class Typing : public FieldTest, public ::testing::WithParamInterface<TypingRow> {};

TEST_P(Typing, OnlyDigitsUpToTheFocusLimitArrive) {
    const TypingRow& row = GetParam();
    InputTextBox* field = Enter(QString::fromLatin1(row.field));
    ASSERT_TRUE(field->hasFocus());
    TypeText(field, QString::fromUtf8(row.keys));
    EXPECT_EQ(field->text(), QString::fromUtf8(row.whileFocused));
}

INSTANTIATE_TEST_SUITE_P(
    FieldEditing, Typing,
    ::testing::Values(TypingRow{"RowCountTakesNineDigits", "txtData(0)", "1234567890", "123456789"},
                      TypingRow{"ByteTotalTakesFour", "txtData(1)", "12345", "1234"},
                      TypingRow{"ColumnCountTakesThree", "txtData(4)", "1234", "123"},
                      TypingRow{"ClusteredColumnCountTakesThree", "txtData(8)", "1234", "123"},
                      TypingRow{"KeyColumnCountTakesFour", "txtData2(2)", "12345", "1234"},
                      TypingRow{"AllFixedKeyTakesFour", "txtData1(6)", "12345", "1234"},
                      TypingRow{"FillFactorTakesThree", "txtFillFactor(2)", "1234", "123"},
                      TypingRow{"NoLettersSignsPointsCommasOrBlanks", "txtData(0)", "1a-2.3,4 5+e", "12345"},
                      TypingRow{"NoFullWidthDigits", "txtData(3)", "１2", "2"}),
    [](const auto& row) { return std::string(row.param.name); });

TEST_F(FieldTest, BackspaceWorksAndControlKeysChangeNothing) {
    InputTextBox* field = Enter("txtData(0)");
    QTest::keyClicks(field, "123");
    QTest::keyClick(field, Qt::Key_Backspace);
    EXPECT_EQ(field->text(), "12");
    for (Qt::Key key : {Qt::Key_A, Qt::Key_Z, Qt::Key_Y})
        QTest::keyClick(field, key, Qt::ControlModifier);
    QTest::keyClick(field, Qt::Key_Return);
    EXPECT_EQ(field->text(), "12");
    // Cursor keys and Delete are not filtered.
    QTest::keyClick(field, Qt::Key_Home);
    QTest::keyClick(field, Qt::Key_Delete);
    EXPECT_EQ(field->text(), "2");
}

TEST_F(FieldTest, ClipboardKeysOfTheLineEditDoNotBypassTheEditCommands) {
    InputTextBox* field = Enter("txtData(0)");
    m_clipboard.text = "98765432109";
    // Shift+Insert would paste past the limit; the line edit's own paste is off.
    QTest::keyClick(field, Qt::Key_Insert, Qt::ShiftModifier);
    EXPECT_EQ(field->text(), "0");
    // Ctrl+Z would bring back a text from before the field was entered.
    QTest::keyClicks(field, "12");
    QTest::keyClick(field, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(field->text(), "12");
}

struct LeaveRow {
    const char* name;
    const char* field;
    const char* pasted; // replaces the whole text while focused
    const char* afterLeaving;
};

class Leaving : public FieldTest, public ::testing::WithParamInterface<LeaveRow> {};

TEST_P(Leaving, NormalisesTheText) {
    const LeaveRow& row = GetParam();
    InputTextBox* field = Enter(QString::fromLatin1(row.field));
    m_clipboard.text = QString::fromUtf8(row.pasted);
    m_window->mnuEditItem_Click(4);
    LeaveField();
    EXPECT_EQ(field->text(), QString::fromUtf8(row.afterLeaving));
}

INSTANTIATE_TEST_SUITE_P(
    FieldEditing, Leaving,
    ::testing::Values(LeaveRow{"RowCountIsGrouped", "txtData(0)", "1234567", "1,234,567"},
                      LeaveRow{"EmptyBecomesZero", "txtData(0)", "", "0"},
                      LeaveRow{"FractionRoundsToWhole", "txtData(2)", "12.5", "13"},
                      LeaveRow{"LettersBecomeZero", "txtData2(4)", "abc", "0"},
                      LeaveRow{"LargestRowCountFitsGrouped", "txtData(0)", "999999999", "999,999,999"},
                      LeaveRow{"NumberTooLongWhenGroupedStaysAsEntered", "txtData(0)", "1e12", "1e12"},
                      LeaveRow{"ByteTotalTooLongWhenGroupedStaysAsEntered", "txtData(5)", "1e5", "1e5"},
                      LeaveRow{"NegativeIsGrouped", "txtData(0)", "-1234", "-1,234"},
                      LeaveRow{"FillFactorAboveHundredIsCut", "txtFillFactor(0)", "250", "100"},
                      LeaveRow{"FillFactorHundredStays", "txtFillFactor(1)", "100", "100"},
                      LeaveRow{"FillFactorLeadingZeroStays", "txtFillFactor(3)", "050", "050"},
                      LeaveRow{"FillFactorEmptyBecomesZero", "txtFillFactor(2)", "", "0"},
                      LeaveRow{"FillFactorLettersBecomeZero", "txtFillFactor(0)", "ab", "0"}),
    [](const auto& row) { return std::string(row.param.name); });

TEST_F(FieldTest, ReturningShowsPlainDigitsAllSelected) {
    InputTextBox* field = Enter("txtData(0)");
    QTest::keyClicks(field, "1234567");
    LeaveField();
    ASSERT_EQ(field->text(), "1,234,567");
    field->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(field->text(), "1234567");
    EXPECT_EQ(field->selectedText(), "1234567");
}

TEST_F(FieldTest, EnteringAFillFactorLeavesItsTextAlone) {
    InputTextBox* field = Enter("txtFillFactor(0)");
    m_clipboard.text = "0,5";
    m_window->mnuEditItem_Click(4);
    LeaveField();
    field->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(field->text(), "0,5");
    EXPECT_EQ(field->LengthLimit(), 3);
}

TEST_F(FieldTest, LimitsNeverCreepOverRepeatedVisits) {
    InputTextBox* field = Enter("txtData(0)");
    EXPECT_EQ(field->LengthLimit(), 9);
    for (int visit = 0; visit < 3; ++visit) {
        LeaveField();
        EXPECT_EQ(field->LengthLimit(), 11);
        field->setFocus(Qt::TabFocusReason);
        EXPECT_EQ(field->LengthLimit(), 9);
    }
    InputTextBox* columns = Enter("txtData(4)");
    LeaveField();
    EXPECT_EQ(columns->LengthLimit(), 4);
}

TEST_F(FieldTest, ChangingTheLimitKeepsTheTextButCapsWhatIsWritten) {
    InputTextBox* field = C().txtData[0];
    field->SetText("12345678");
    field->SetLengthLimit(3);
    EXPECT_EQ(field->text(), "12345678");
    field->SetText("98765");
    EXPECT_EQ(field->text(), "987");
}

TEST_F(FieldTest, EditCommandsFollowTheFocus) {
    const std::array<QAction*, 6> edit{C().mnuEditItem[2], C().mnuEditItem[3], C().mnuEditItem[4],
                                       C().ToolbarButton(u"Cut"), C().ToolbarButton(u"Copy"),
                                       C().ToolbarButton(u"Paste")};
    auto allEnabled = [&](bool enabled) {
        return std::all_of(edit.begin(), edit.end(), [enabled](QAction* a) { return a->isEnabled() == enabled; });
    };
    Enter("txtData(0)");
    EXPECT_TRUE(allEnabled(true));
    // Field to field: disabled by the first leaving, enabled again by the entry.
    QTest::keyClick(C().txtData[0], Qt::Key_Tab);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    ASSERT_EQ(QApplication::focusWidget(), C().txtData[2]);
    EXPECT_TRUE(allEnabled(true));
    // Field to option button: disabled.
    C().optData[1]->setFocus(Qt::TabFocusReason);
    EXPECT_TRUE(allEnabled(false));
}

TEST_F(FieldTest, AMenuOpeningDoesNotEndTheFieldsFocus) {
    InputTextBox* field = Enter("txtData(0)");
    QTest::keyClicks(field, "1234");
    QFocusEvent popup(QEvent::FocusOut, Qt::PopupFocusReason);
    QApplication::sendEvent(field, &popup);
    EXPECT_EQ(field->text(), "1234");
    EXPECT_TRUE(C().mnuEditItem[4]->isEnabled());
}

TEST_F(WindowTest, HintsFollowTheViewItem) {
    ShowLoaded();
    auto hinted = [this] {
        int count = 0;
        for (QWidget* w : m_window->findChildren<QWidget*>())
            count += w->toolTip().isEmpty() ? 0 : 1;
        return count;
    };
    const QString rowCountHint = C().txtData[0]->toolTip();
    EXPECT_EQ(rowCountHint, "ﾃｰﾌﾞﾙに格納するﾃﾞｰﾀ行数を入力します。");
    // 15 controls of the data and clustered sections, 8 per nonclustered section.
    const int toolbarTips = hinted() - 39;
    C().mnuViewItem[0]->trigger();
    EXPECT_FALSE(C().mnuViewItem[0]->isChecked());
    EXPECT_EQ(hinted(), toolbarTips);
    C().mnuViewItem[0]->trigger();
    EXPECT_TRUE(C().mnuViewItem[0]->isChecked());
    EXPECT_EQ(hinted(), toolbarTips + 39);
    EXPECT_EQ(C().txtData[0]->toolTip(), rowCountHint);
    // The nonclustered sections carry the same texts; labels carry none.
    EXPECT_EQ(C().txtData2[8]->toolTip(), C().txtData2[2]->toolTip());
    EXPECT_EQ(C().optNonClaster[3]->toolTip(), "ﾃｰﾌﾞﾙに非ｸﾗｽﾀ化ｲﾝﾃﾞｯｸｽがない場合に選択します。");
    EXPECT_TRUE(C().lblItem[0]->toolTip().isEmpty());
}

} // namespace
} // namespace quorvel::testing
