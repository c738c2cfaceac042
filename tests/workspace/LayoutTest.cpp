// The controls of the main window as it is built: names, kinds, captions,
// initial state, focus order, and that nothing is cut off or out of its frame.

#include "ForeColors.h"
#include "WindowFixture.h"

#include <QFontMetrics>
#include <QMenuBar>
#include <QSet>
#include <QToolButton>

#include <numeric>

namespace quorvel::testing {
namespace {

struct ArrayRow {
    const char* name;
    std::vector<int> indices;
    const char* kind;
};

std::vector<int> Range(int count) {
    std::vector<int> indices(static_cast<std::size_t>(count));
    std::iota(indices.begin(), indices.end(), 0);
    return indices;
}

class ControlArrays : public WindowTest, public ::testing::WithParamInterface<ArrayRow> {};

TEST_P(ControlArrays, EveryIndexExistsOnceWithItsKindAndNoOtherIndex) {
    const ArrayRow& row = GetParam();
    const QString prefix = QString::fromLatin1(row.name) + QLatin1Char('(');
    int named = 0;
    for (QObject* object : m_window->findChildren<QObject*>()) {
        if (object->objectName().startsWith(prefix))
            ++named;
    }
    EXPECT_EQ(named, static_cast<int>(row.indices.size()));
    for (int index : row.indices) {
        const QString name = QStringLiteral("%1(%2)").arg(QLatin1String(row.name)).arg(index);
        QWidget* control = Find(name);
        ASSERT_NE(control, nullptr) << name.toStdString();
        EXPECT_TRUE(control->inherits(row.kind)) << name.toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(
    Layout, ControlArrays,
    ::testing::Values(ArrayRow{"txtData", Range(9), "quorvel::InputTextBox"},
                      ArrayRow{"txtData1", {0, 3, 6}, "quorvel::InputTextBox"},
                      ArrayRow{"txtData2", Range(9), "quorvel::InputTextBox"},
                      ArrayRow{"txtFillFactor", Range(4), "quorvel::InputTextBox"},
                      ArrayRow{"optData", Range(2), "QRadioButton"},
                      ArrayRow{"optClaster", Range(3), "QRadioButton"},
                      ArrayRow{"optNonClaster", Range(9), "QRadioButton"},
                      ArrayRow{"fraSquare", Range(6), "QGroupBox"},
                      ArrayRow{"shpSquare", Range(10), "QFrame"},
                      ArrayRow{"lblData", Range(24), "QLabel"},
                      ArrayRow{"lblLevel", Range(60), "QLabel"},
                      ArrayRow{"lblTotal", Range(4), "QLabel"},
                      ArrayRow{"lblItem", Range(113), "QLabel"}),
    [](const auto& row) { return std::string(row.param.name); });

TEST_F(WindowTest, InventoryPointsAtTheNamedControls) {
    EXPECT_EQ(C().txtData1[3], Field("txtData1(3)"));
    for (std::size_t i : {1u, 2u, 4u, 5u, 7u, 8u})
        EXPECT_EQ(C().txtData1[i], nullptr) << i;
    EXPECT_EQ(C().lblLevel[59], Find("lblLevel(59)"));
    EXPECT_EQ(C().mnuEditItem[2]->objectName(), "mnuEditItem(2)");
    EXPECT_EQ(C().ToolbarButton(u"Calc"), C().tbToolBarButtons[2]);
    EXPECT_EQ(C().ToolbarButton(u"calc"), nullptr);
    EXPECT_EQ(C().ToolbarButton(u""), nullptr);
    for (const char* single : {"tabMain", "tbToolBar", "sbStatusBar", "imgWinIcon"})
        EXPECT_NE(Find(QString::fromLatin1(single)), nullptr) << single;
    EXPECT_FALSE(C().imgWinIcon->isVisibleTo(m_window.get()));
}

struct LevelRow {
    int level;
    const char* clustered;
    const char* nonClustered;
};

class LevelCaptions : public WindowTest, public ::testing::WithParamInterface<LevelRow> {};

TEST_P(LevelCaptions, MixDigitWidthsAndSitBesideTheirCell) {
    const LevelRow& row = GetParam();
    const int k = row.level;
    for (int s = 0; s < 4; ++s) {
        const int item = s == 0 ? 53 + k : 68 + 15 * (s - 1) + k;
        QLabel* caption = C().lblItem[static_cast<std::size_t>(item)];
        QLabel* cell = C().lblLevel[static_cast<std::size_t>(15 * s + k)];
        EXPECT_EQ(caption->text(), QString::fromUtf8(s == 0 ? row.clustered : row.nonClustered)) << "section " << s;
        EXPECT_EQ(cell->parentWidget(), C().fraSquare[static_cast<std::size_t>(s + 1)]) << "section " << s;
        EXPECT_EQ(caption->parentWidget(), cell->parentWidget());
        EXPECT_LE(std::abs(caption->y() - cell->y()), cell->height() / 2) << "row of level " << k;
    }
}

INSTANTIATE_TEST_SUITE_P(Layout, LevelCaptions,
                         ::testing::Values(LevelRow{0, "ﾚﾍﾞﾙ０", "ﾚﾍﾞﾙ０(ﾘｰﾌ)"}, LevelRow{1, "ﾚﾍﾞﾙ１", "ﾚﾍﾞﾙ１"},
                                           LevelRow{9, "ﾚﾍﾞﾙ９", "ﾚﾍﾞﾙ９"}, LevelRow{10, "ﾚﾍﾞﾙ10", "ﾚﾍﾞﾙ10"},
                                           LevelRow{14, "ﾚﾍﾞﾙ14(ﾙｰﾄ)", "ﾚﾍﾞﾙ14(ﾙｰﾄ)"}),
                         [](const auto& row) { return "Level" + std::to_string(row.param.level); });

TEST_F(WindowTest, LevelCellsBelongToTheirSectionsTabWithTheRootOnTop) {
    // lblLevel(15) is level 0 of nonclustered index 1, on tab 2.
    EXPECT_EQ(C().tabMain->indexOf(C().lblLevel[15]->parentWidget()->parentWidget()), 2);
    EXPECT_EQ(C().tabMain->indexOf(C().lblLevel[14]->parentWidget()->parentWidget()), 1);
    // lblLevel(59): root row of nonclustered index 3, the top cell of its column.
    EXPECT_EQ(C().lblLevel[59]->parentWidget(), C().fraSquare[4]);
    for (int k = 45; k < 59; ++k)
        EXPECT_GT(C().lblLevel[static_cast<std::size_t>(k)]->y(), C().lblLevel[59]->y()) << k;
    // The totals frame stands on tab 0 below the data frame.
    EXPECT_EQ(C().fraSquare[5]->parentWidget(), C().fraSquare[0]->parentWidget());
    EXPECT_GE(C().fraSquare[5]->y(), C().fraSquare[0]->geometry().bottom());
}

TEST_F(WindowTest, NothingIsCutOffOrOutsideItsFrame) {
    m_window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(m_window.get()));
    for (QGroupBox* frame : C().fraSquare) {
        const QWidget* page = frame->parentWidget();
        EXPECT_TRUE(page->rect().contains(frame->geometry())) << frame->objectName().toStdString();
        for (QWidget* child : frame->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            EXPECT_TRUE(frame->rect().contains(child->geometry())) << child->objectName().toStdString();
            auto* label = qobject_cast<QLabel*>(child);
            if (!label || label->text().isEmpty())
                continue;
            const int textWidth = QFontMetrics(label->font()).horizontalAdvance(label->text());
            EXPECT_LE(textWidth, label->contentsRect().width()) << label->objectName().toStdString();
        }
    }
    // The tab pages hold their frames completely.
    for (int t = 0; t < 5; ++t) {
        QWidget* page = C().tabMain->widget(t);
        EXPECT_GE(page->height(), C().fraSquare[static_cast<std::size_t>(t)]->geometry().bottom()) << t;
    }
}

TEST_F(WindowTest, WindowHasItsCaptionAndAFixedSize) {
    EXPECT_EQ(m_window->windowTitle(), "Quorvel for SQL Server 6.x  Ver1.0J");
    EXPECT_EQ(m_window->minimumSize(), m_window->maximumSize());
    EXPECT_FALSE(m_window->windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
    EXPECT_TRUE(m_window->windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
}

TEST_F(WindowTest, CellsAndFrameCaptionsHaveTheirColours) {
    const QPalette data = C().lblData[0]->palette();
    EXPECT_EQ(data.color(QPalette::Window), QColor(Qt::black));
    EXPECT_EQ(data.color(QPalette::WindowText), QColor(255, 255, 0));
    EXPECT_EQ(C().lblLevel[30]->palette().color(QPalette::WindowText), QColor(255, 255, 0));
    EXPECT_EQ(C().lblTotal[3]->palette().color(QPalette::WindowText), QColor(0, 255, 0));
    EXPECT_TRUE(C().lblTotal[3]->alignment().testFlag(Qt::AlignRight));
    EXPECT_EQ(C().fraSquare[2]->palette().color(QPalette::WindowText), QColor(0, 0, 255));
    // The blue of the frame caption does not leak into the captions inside.
    EXPECT_NE(C().lblItem[0]->palette().color(QPalette::WindowText), QColor(0, 0, 255));
}

TEST_F(WindowTest, BuiltStateBeforeLoading) {
    EXPECT_EQ(C().tabMain->currentIndex(), 1);
    const std::array<bool, 6> frameEnabled{true, false, false, false, false, true};
    for (std::size_t f = 0; f < 6; ++f)
        EXPECT_EQ(C().fraSquare[f]->isEnabled(), frameEnabled[f]) << f;
    EXPECT_TRUE(C().optData[1]->isChecked());
    EXPECT_TRUE(C().optClaster[0]->isChecked());
    for (std::size_t b : {0u, 3u, 6u})
        EXPECT_TRUE(C().optNonClaster[b]->isChecked()) << b;
    EXPECT_TRUE(C().mnuViewItem[0]->isChecked());
    EXPECT_EQ(C().sbStatusBarPanel1->text(), "");

    struct Expect {
        InputTextBox* field;
        bool enabled;
        std::uint32_t foreColor;
    };
    std::vector<Expect> fields{{C().txtData[0], true, kWindowTextColor},  {C().txtData[1], false, kMenuBarColor},
                               {C().txtData[2], true, kWindowTextColor},  {C().txtData[4], true, kWindowTextColor},
                               {C().txtData[5], false, kMenuBarColor},    {C().txtData[8], false, kMenuBarColor},
                               {C().txtFillFactor[0], false, kMenuBarColor}, {C().txtFillFactor[3], false, kMenuBarColor},
                               {C().txtData1[0], false, kMenuBarColor},   {C().txtData2[2], false, kMenuBarColor},
                               {C().txtData1[3], false, kStartingGreyColor}, {C().txtData1[6], false, kStartingGreyColor},
                               {C().txtData2[3], false, kStartingGreyColor}, {C().txtData2[8], false, kStartingGreyColor}};
    for (const Expect& e : fields) {
        const std::string name = e.field->objectName().toStdString();
        EXPECT_EQ(e.field->OwnEnabled(), e.enabled) << name;
        EXPECT_EQ(e.field->ForeColor(), e.foreColor) << name;
        EXPECT_EQ(e.field->property("ForeColor").toUInt(), e.foreColor) << name;
        EXPECT_EQ(e.field->palette().color(QPalette::Disabled, QPalette::Text), ColorFromValue(e.foreColor)) << name;
        EXPECT_EQ(e.field->text(), "0") << name;
    }
    for (QLabel* cell : C().lblLevel)
        EXPECT_EQ(cell->text(), "0 ");
}

TEST_F(WindowTest, LoadingShowsTheDataTabAndSwitchesItsFrameOn) {
    m_window->Form_Load();
    EXPECT_EQ(C().tabMain->currentIndex(), 0);
    EXPECT_TRUE(C().fraSquare[0]->isEnabled());
    EXPECT_FALSE(C().fraSquare[1]->isEnabled());
    EXPECT_TRUE(C().fraSquare[5]->isEnabled());
    EXPECT_FALSE(C().txtData[0]->toolTip().isEmpty());
}

TEST_F(WindowTest, FocusMovesThroughTheInputsInOrder) {
    QStringList expected{"txtData(0)", "optData(0)", "txtData(1)", "optData(1)", "txtData(2)", "txtData(3)",
                         "txtData(4)", "optClaster(0)", "txtFillFactor(0)", "optClaster(1)", "txtData(5)",
                         "optClaster(2)", "txtData(6)", "txtData(7)", "txtData(8)"};
    for (int n = 0; n < 3; ++n) {
        const int b = 3 * n;
        expected << QStringLiteral("optNonClaster(%1)").arg(b) << QStringLiteral("txtFillFactor(%1)").arg(n + 1)
                 << QStringLiteral("optNonClaster(%1)").arg(b + 1) << QStringLiteral("txtData1(%1)").arg(b)
                 << QStringLiteral("optNonClaster(%1)").arg(b + 2) << QStringLiteral("txtData2(%1)").arg(b)
                 << QStringLiteral("txtData2(%1)").arg(b + 1) << QStringLiteral("txtData2(%1)").arg(b + 2);
    }
    expected << "tabMain";
    const QSet<QString> wanted(expected.begin(), expected.end());
    QStringList chain;
    QWidget* w = C().txtData[0];
    do {
        if (wanted.contains(w->objectName()) && !chain.contains(w->objectName()))
            chain << w->objectName();
        w = w->nextInFocusChain();
    } while (w != C().txtData[0]);
    EXPECT_EQ(chain.join(u' ').toStdString(), expected.join(u' ').toStdString());
}

struct MenuRow {
    const char* name;
    const char* caption; // "-" for a separator
    QKeySequence shortcut;
};

class MenuItems : public WindowTest, public ::testing::WithParamInterface<MenuRow> {};

TEST_P(MenuItems, CarryCaptionAccessKeyAndShortcut) {
    const MenuRow& row = GetParam();
    auto* item = m_window->findChild<QAction*>(QString::fromLatin1(row.name));
    ASSERT_NE(item, nullptr);
    if (QByteArray(row.caption) == "-") {
        EXPECT_TRUE(item->isSeparator());
        return;
    }
    EXPECT_EQ(item->text(), QString::fromUtf8(row.caption));
    EXPECT_EQ(item->shortcut(), row.shortcut);
}

INSTANTIATE_TEST_SUITE_P(
    Layout, MenuItems,
    ::testing::Values(MenuRow{"mnuFileItem(0)", "ｻｲｽﾞ計算(&S)", QKeySequence(Qt::Key_F5)},
                      MenuRow{"mnuFileItem(1)", "-", {}}, MenuRow{"mnuFileItem(2)", "終了(&X)", {}},
                      MenuRow{"mnuEditItem(0)", "ｸﾘｱ(&E)", {}}, MenuRow{"mnuEditItem(1)", "-", {}},
                      MenuRow{"mnuEditItem(2)", "切り取り(&T)", QKeySequence(Qt::CTRL | Qt::Key_X)},
                      MenuRow{"mnuEditItem(3)", "ｺﾋﾟｰ(&C)", QKeySequence(Qt::CTRL | Qt::Key_C)},
                      MenuRow{"mnuEditItem(4)", "貼り付け(&P)", QKeySequence(Qt::CTRL | Qt::Key_V)},
                      MenuRow{"mnuViewItem(0)", "入力領域の説明", {}},
                      MenuRow{"mnuToolItem(3)", "SQL Server Books Online(&B)", {}},
                      MenuRow{"mnuHelpItem(1)", "ﾄﾋﾟｯｸの検索(&S)...", {}}, MenuRow{"mnuHelpItem(2)", "-", {}},
                      MenuRow{"mnuHelpItem(3)", "ﾊﾞｰｼﾞｮﾝ情報(&A)...", {}}),
    [](const auto& row) {
        std::string name = row.param.name;
        std::erase_if(name, [](char c) { return c == '(' || c == ')'; });
        return name;
    });

TEST_F(WindowTest, MenusStandInOrderWithAccessKeys) {
    QStringList titles;
    for (QAction* menu : m_window->menuBar()->actions())
        titles << menu->text();
    EXPECT_EQ(titles, QStringList({"ﾌｧｲﾙ(&F)", "編集(&E)", "表示(&V)", "ﾂｰﾙ(&T)", "ﾍﾙﾌﾟ(&H)"}));
    EXPECT_TRUE(C().mnuViewItem[0]->isCheckable());
}

TEST_F(WindowTest, ToolbarHasSixteenPositionsWithKeysAndTooltips) {
    const std::array<const char*, 16> keys{"End",   "",      "Calc",  "Clear", "",       "Cut",     "Copy", "Paste",
                                           "",      "SQLEW", "ISQLW", "SQLMGR", "SQLBOOK", "",       "Help", "Version"};
    const std::array<const char*, 16> tips{"終了",  "",       "ｻｲｽﾞ計算", "ｸﾘｱ", "", "切り取り", "ｺﾋﾟｰ", "貼り付け", "",
                                           "SQL Enterprise Manager", "ISQL_w", "SQL Service Manager",
                                           "SQL Server Books Online", "", "ﾍﾙﾌﾟ", "ﾊﾞｰｼﾞｮﾝ情報"};
    ASSERT_EQ(C().tbToolBar->actions().size(), 16);
    for (std::size_t p = 0; p < 16; ++p) {
        QAction* button = C().tbToolBar->actions()[static_cast<qsizetype>(p)];
        EXPECT_EQ(button, C().tbToolBarButtons[p]) << p;
        if (QByteArray(keys[p]).isEmpty()) {
            EXPECT_TRUE(button->isSeparator()) << p;
            continue;
        }
        EXPECT_EQ(button->objectName(), keys[p]);
        EXPECT_EQ(button->toolTip(), QString::fromUtf8(tips[p]));
        EXPECT_EQ(C().tbToolBar->widgetForAction(button)->objectName(), keys[p]);
    }
}

} // namespace
} // namespace quorvel::testing
