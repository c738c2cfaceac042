// What a screen reader hears of the main window, read through the window's
// accessibility interfaces: rows of "tabs" in tests/cases/window_accessibility.json
// list every input, option and result cell of a tab as [control, name, role,
// state] after the options of "select" are chosen (state: "disabled",
// "checked", or "" for neither); a field or result cell is also labelled by
// the caption beside it. The keyboard-only scenarios of the same file run in
// ScenarioTest.cpp.

#include "WindowFixture.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QGroupBox>
#include <QMetaEnum>

#include <algorithm>

namespace quorvel::testing {
namespace {

using nlohmann::json;

QAccessibleInterface* Heard(QObject* control) {
    return QAccessible::queryAccessibleInterface(control);
}

QString States(const QAccessible::State& state) {
    QStringList states;
    if (state.disabled)
        states << "disabled";
    if (state.checked)
        states << "checked";
    return states.join(',');
}

class AccessibleTab : public WindowTest, public ::testing::WithParamInterface<CaseRow> {
protected:
    // Every input, option and result cell of the window.
    std::vector<QWidget*> Readable() {
        std::vector<QWidget*> all;
        C().ForEachField([&all](InputTextBox& field, FieldRef) { all.push_back(&field); });
        const auto add = [&all](const auto& controls) {
            all.insert(all.end(), controls.begin(), controls.end());
        };
        add(C().optData);
        add(C().optClaster);
        add(C().optNonClaster);
        add(C().lblData);
        add(C().lblLevel);
        add(C().lblTotal);
        return all;
    }
};

TEST_P(AccessibleTab, NamesEveryControlByItsCaption) {
    const json& row = GetParam().data;
    Open();
    for (const json& option : row.at("select")) {
        auto* button = m_window->findChild<QAbstractButton*>(Q(option));
        ASSERT_NE(button, nullptr) << option;
        C().tabMain->setCurrentIndex(row.at("tab"));
        QTest::mouseClick(button, Qt::LeftButton);
    }
    C().tabMain->setCurrentIndex(row.at("tab"));

    std::set<QString> listed;
    for (const json& control : row.at("controls")) {
        SCOPED_TRACE(control.dump());
        QObject* found = m_window->findChild<QObject*>(Q(control[0]));
        ASSERT_NE(found, nullptr);
        QAccessibleInterface* heard = Heard(found);
        ASSERT_NE(heard, nullptr);
        EXPECT_EQ(heard->text(QAccessible::Name), Q(control[1]));
        EXPECT_STREQ(QMetaEnum::fromType<QAccessible::Role>().valueToKey(heard->role()),
                     control[2].get<std::string>().c_str());
        EXPECT_EQ(States(heard->state()), Q(control[3]));
        if (!qobject_cast<QAbstractButton*>(found)) { // the caption beside it is its label
            const auto labels = heard->relations(QAccessible::Label);
            EXPECT_TRUE(std::any_of(labels.begin(), labels.end(), [&control](const auto& label) {
                return label.first->role() == QAccessible::StaticText &&
                       Q(control[1]).startsWith(label.first->text(QAccessible::Name));
            }));
        }
        if (qobject_cast<QLabel*>(found)) { // a result cell offers its figure as a value
            ASSERT_NE(heard->valueInterface(), nullptr);
            EXPECT_EQ(heard->valueInterface()->currentValue(), QVariant(0.0));
        }
        listed.insert(found->objectName());
    }

    // The frame is heard once, as the place of its controls.
    QWidget* page = C().tabMain->currentWidget();
    for (QGroupBox* inside : page->findChildren<QGroupBox*>()) {
        const QString frame = inside->title();
        for (QWidget* control : inside->findChildren<QWidget*>())
            EXPECT_NE(Heard(control)->text(QAccessible::Name), frame) << control->objectName().toStdString();
    }

    // Nothing on the tab is left out, and no two controls sound alike.
    std::set<QString> names;
    for (QWidget* control : Readable()) {
        if (!page->isAncestorOf(control))
            continue;
        EXPECT_TRUE(listed.count(control->objectName()))
            << control->objectName().toStdString() << " has no row";
        const QString name = Heard(control)->text(QAccessible::Name);
        EXPECT_TRUE(names.insert(name).second) << "two controls are heard as " << name.toStdString();
    }
}
INSTANTIATE_TEST_SUITE_P(Rows, AccessibleTab,
                         ::testing::ValuesIn(LoadRows("window_accessibility.json", "tabs")), RowName());

// The hint a sighted user sees as a tool tip is what a screen reader user
// hears as the description, and stays so when the hints are switched off.
TEST_F(AccessibleTab, DescribesEveryInputByItsHintWhetherShownOrNot) {
    Open();
    std::vector<std::pair<QWidget*, QString>> shown;
    for (QWidget* control : Readable())
        if (!qobject_cast<QLabel*>(control))
            shown.emplace_back(control, control->toolTip());
    C().mnuViewItem[0]->trigger();
    for (const auto& [control, hint] : shown) {
        SCOPED_TRACE(control->objectName().toStdString());
        EXPECT_FALSE(hint.isEmpty());
        EXPECT_TRUE(control->toolTip().isEmpty());
        EXPECT_EQ(Heard(control)->text(QAccessible::Description), hint);
    }
}

} // namespace
} // namespace quorvel::testing
