// What the mouse, the layout and the real services do that a scenario cannot say: a
// field's context menu and its middle button, where every control stands in
// its frame and which menu item each toolbar button stands for (rows in
// tests/cases/layout_cases.json), the clipboard and the
// message box of the running program, the About box's OK button, and what a
// screen reader may ask of a result cell.

#include "WindowFixture.h"
#include "platform/QtMessageBox.h"
#include "platform/Twips.h"
#include "shell/frmAbout.h"

#include <QAccessible>
#include <QAccessibleValueInterface>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QMenu>
#include <QPushButton>
#include <QTimer>

namespace quorvel::testing {
namespace {

class Controls : public WindowTest {
protected:
    void SetUp() override { Open(); }
};

// The right button offers the Edit menu's three commands, which act on the field.
TEST_F(Controls, AFieldsContextMenuOffersCutCopyAndPaste) {
    InputTextBox* field = C().txtData[0];
    field->setFocus(Qt::MouseFocusReason);
    QTest::keyClicks(field, "1234");
    field->selectAll();
    QStringList offered;
    QTimer::singleShot(0, [&offered] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        ASSERT_NE(menu, nullptr);
        for (QAction* action : menu->actions())
            offered << action->text() + (action->isEnabled() ? "" : " (dimmed)");
        menu->actions().at(1)->trigger();
        menu->close();
    });
    QContextMenuEvent click(QContextMenuEvent::Mouse, field->rect().center(), field->mapToGlobal(field->rect().center()));
    QApplication::sendEvent(field, &click);
    EXPECT_EQ(offered, QStringList({"切り取り(&T)", "ｺﾋﾟｰ(&C)", "貼り付け(&P)"}));
    EXPECT_EQ(m_fakes.clipboard, "1234");
    EXPECT_EQ(field->text(), "1234");
}

// The middle button would paste the selection past the field's limit and its key filter.
TEST_F(Controls, TheMiddleButtonPastesNothing) {
    InputTextBox* field = C().txtData[0];
    ASSERT_TRUE(field->isEnabled());
    QApplication::clipboard()->setText("abcdefghijk", QClipboard::Selection);
    field->setFocus(Qt::MouseFocusReason);
    QTest::mouseClick(field, Qt::MiddleButton);
    EXPECT_EQ(field->text(), "0");
}

// A result cell is read-only: a screen reader that sets its value changes nothing,
// and its range is the figure itself.
TEST_F(Controls, AResultCellKeepsItsFigureWhateverAReaderSets) {
    C().txtData[0]->setFocus(Qt::OtherFocusReason);
    QTest::keyClicks(C().txtData[0], "10000");
    m_window->RunCalc();
    QLabel* pages = C().lblTotal[2];
    QAccessibleValueInterface* value = QAccessible::queryAccessibleInterface(pages)->valueInterface();
    ASSERT_NE(value, nullptr);
    const QVariant shown = value->currentValue();
    EXPECT_GT(shown.toDouble(), 0.0);
    value->setCurrentValue(QVariant(5.0));
    EXPECT_EQ(value->currentValue(), shown);
    EXPECT_EQ(value->minimumValue(), shown);
    EXPECT_EQ(value->maximumValue(), shown);
    EXPECT_EQ(value->minimumStepSize(), QVariant(0.0));
    EXPECT_EQ(pages->text().remove(',').trimmed().toDouble(), shown.toDouble()) << "the figure as shown";
}

// Every control stands in its row and column of its frame, as the rows say.
class Geometry : public WindowTest, public ::testing::WithParamInterface<CaseRow> {};
TEST_P(Geometry, EveryControlStandsInItsPlace) {
    Open();
    for (const nlohmann::json& control : GetParam().data.at("controls")) {
        const QString name = Q(control[0]);
        auto* widget = m_window->findChild<QWidget*>(name);
        ASSERT_NE(widget, nullptr) << name.toStdString();
        const QRect at = widget->geometry();
        const std::array<int, 4> shown{at.x(), at.y(), at.width(), at.height()};
        for (std::size_t i = 0; i < shown.size(); ++i) {
            if (!control[i + 1].is_null()) {
                EXPECT_EQ(shown[i], TwipsToPixels(control[i + 1].get<double>()))
                    << name.toStdString() << " " << "xywh"[i];
            }
        }
    }
}
INSTANTIATE_TEST_SUITE_P(Rows, Geometry, ::testing::ValuesIn(LoadRows("layout_cases.json", "frames")), RowName());

// A toolbar button and its menu item carry one command, so that either runs the same thing.
class ToolbarAndMenu : public Controls, public ::testing::WithParamInterface<CaseRow> {};
TEST_P(ToolbarAndMenu, ButtonAndItemCarryOneCommand) {
    const nlohmann::json& row = GetParam().data;
    const std::optional<Command> command = ControlInventory::ToolbarCommand(Q(row.at("key")));
    ASSERT_TRUE(command.has_value());
    QAction* item = C().MenuItem(*command);
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(item->objectName(), Q(row.at("item")));
    EXPECT_EQ(C().ToolbarButton(Q(row.at("key")))->objectName(), Q(row.at("key")));
}
INSTANTIATE_TEST_SUITE_P(Rows, ToolbarAndMenu, ::testing::ValuesIn(LoadRows("layout_cases.json", "toolbar_and_menu")),
                         RowName());

TEST(RealClipboard, HoldsWhatTheEditCommandsPutThere) {
    QtClipboard clipboard;
    clipboard.SetText("1,962");
    EXPECT_EQ(clipboard.Text(), "1,962");
    clipboard.Clear();
    EXPECT_EQ(clipboard.Text(), "");
}

class AboutOk : public WindowTest {};
TEST_F(AboutOk, TheOkButtonAndEnterCloseTheBox) {
    for (const bool byKey : {false, true}) {
        frmAbout box(m_fakes.Services());
        box.Form_Load();
        box.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&box));
        auto* ok = box.findChild<QPushButton*>("cmdOK");
        ASSERT_NE(ok, nullptr);
        if (byKey)
            QTest::keyClick(&box, Qt::Key_Return);
        else
            QTest::mouseClick(ok, Qt::LeftButton);
        EXPECT_FALSE(box.isVisible()) << (byKey ? "Enter" : "a click");
        EXPECT_EQ(box.result(), QDialog::Accepted);
    }
}

} // namespace
} // namespace quorvel::testing
