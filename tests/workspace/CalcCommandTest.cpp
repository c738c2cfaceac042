// The Calc command driven through the real window: F5, the File menu and the
// toolbar; refused input, failed estimates and whole runs with known figures.

#include "SharedCases.h"
#include "WindowFixture.h"

#include <QCursor>

namespace quorvel::testing {
namespace {

class CalcTest : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        ShowLoaded();
    }

    // Selects an option the way a person does: shows its tab and clicks it.
    void Choose(QRadioButton* option, int tab) {
        C().tabMain->setCurrentIndex(tab);
        option->click();
    }

    void Type(InputTextBox* field, const QString& text) { field->SetText(text); }

    void PressF5() {
        QTest::keyClick(m_window.get(), Qt::Key_F5);
        QApplication::processEvents();
    }

    std::vector<QString> Messages() const { return m_messageBox.shown; }

    QString Data(int i) { return C().lblData[static_cast<std::size_t>(i)]->text(); }
    QString Level(int i) { return C().lblLevel[static_cast<std::size_t>(i)]->text(); }
    QString Total(int i) { return C().lblTotal[static_cast<std::size_t>(i)]->text(); }

    // Data rows all fixed: 10000 rows of 100 bytes (527 pages).
    void EnterSmallTable() {
        Choose(C().optData[0], 0);
        Type(C().txtData[0], "10000");
        Type(C().txtData[1], "100");
    }
};

TEST_F(CalcTest, F5RunsTheWholeTableAndShowsTheFirstTab) {
    EnterSmallTable();
    Choose(C().optClaster[1], 1);
    Type(C().txtData[5], "4");
    Choose(C().optNonClaster[1], 2);
    Type(C().txtData1[0], "4");
    C().tabMain->setCurrentIndex(3);

    PressF5();

    EXPECT_TRUE(Messages().empty());
    EXPECT_EQ(Data(0), "102 ");
    EXPECT_EQ(Data(1), "19 ");
    EXPECT_EQ(Data(2), "527 ");
    EXPECT_EQ(Data(3), "9 ");
    EXPECT_EQ(Data(4), "222 ");
    EXPECT_EQ(Data(5), "3 ");   // levels 2, 0 and the root page
    EXPECT_EQ(Data(6), "11 ");
    EXPECT_EQ(Data(7), "183 ");
    EXPECT_EQ(Data(8), "55 ");  // ceil(10000 / 183)
    EXPECT_EQ(Total(0), Data(5));
    EXPECT_EQ(C().tabMain->currentIndex(), 0);
    EXPECT_EQ(C().sbStatusBarPanel1->text(), "");
    EXPECT_EQ(m_window->cursor().shape(), Qt::ArrowCursor);
}

TEST_F(CalcTest, MenuAndToolbarRunTheSameCommand) {
    EnterSmallTable();
    C().mnuFileItem[0]->trigger();
    const QString viaMenu = Total(3);
    C().lblTotal[3]->setText("x");
    m_window->tbToolBar_ButtonClick("Calc");
    EXPECT_EQ(Total(3), viaMenu);
    EXPECT_EQ(viaMenu, "1,079,296 "); // 527 pages x 2048 bytes
}

TEST_F(CalcTest, DataOnlyTotals) {
    Choose(C().optData[0], 0);
    Type(C().txtData[0], "256000");
    Type(C().txtData[1], "0"); // row size 2: 256 rows per page -> 1000 pages
    PressF5();
    ASSERT_EQ(Data(2), "1,000 ");
    ASSERT_EQ(Total(2), "1,000 ");
    ASSERT_EQ(Total(3), "2,048,000 ");
    EXPECT_EQ(Total(0), "0 ");
    EXPECT_EQ(Total(1), "0 ");
}

struct RefusalRow {
    const char* name;
    const char* field;  // objectName
    int tab;
    const char* text;
    const char* message;
};

class RefusalTest : public CalcTest, public ::testing::WithParamInterface<RefusalRow> {};

TEST_P(RefusalTest, ShowsOneMessageAndChangesNothing) {
    const RefusalRow& row = GetParam();
    Choose(C().optClaster[2], 1);
    InputTextBox* field = Field(row.field);
    ASSERT_NE(field, nullptr);
    C().tabMain->setCurrentIndex(row.tab);
    field->setFocus();
    QApplication::processEvents();
    field->selectAll();
    m_clipboard.text = row.text;
    C().mnuEditItem[4]->trigger(); // paste, so the text skips the key filter and stays as entered
    C().lblData[0]->setText("7 ");

    PressF5(); // still in the field: its text is not normalised

    ASSERT_EQ(Messages().size(), 1u);
    EXPECT_EQ(Messages()[0], QString::fromUtf8(row.message));
    EXPECT_EQ(Data(0), "7 ");
    EXPECT_EQ(C().sbStatusBarPanel1->text(), "");
    EXPECT_EQ(C().tabMain->currentIndex(), row.tab);
}

INSTANTIATE_TEST_SUITE_P(
    Calc, RefusalTest,
    ::testing::Values(
        RefusalRow{"EmptyRowCount", "txtData(0)", 0, "", "入力値が正しくありません。"},
        RefusalRow{"EmptyFillFactor", "txtFillFactor(0)", 1, "", "FILLFACTOR値が正しくありません。"},
        RefusalRow{"FillFactor150", "txtFillFactor(0)", 1, "150", "FILLFACTOR値が正しくありません。"},
        RefusalRow{"Letters", "txtData(3)", 0, "abc", "入力値が正しくありません。"},
        RefusalRow{"ByteLimit", "txtData(6)", 1, "1963", "1列の最大ﾊﾞｲﾄ数は、1962までです。"},
        RefusalRow{"ColumnLimit", "txtData(8)", 1, "251", "1ﾃｰﾌﾞﾙの最大列数は、250までです。"},
        RefusalRow{"RowCountBeyond32Bits", "txtData(0)", 0, "1e12", "入力値が正しくありません。"},
        RefusalRow{"BytesBelow16Bits", "txtData(7)", 1, "-4e4", "入力値が正しくありません。"}),
    [](const auto& row) { return std::string(row.param.name); });

TEST_F(CalcTest, TheEarlierSectionsMessageWins) {
    Type(C().txtData[3], "2000"); // data: 0 + 2000 bytes
    Choose(C().optClaster[2], 1);
    Type(C().txtData[8], "300"); // clustered: too many columns
    PressF5();
    ASSERT_EQ(Messages().size(), 1u);
    EXPECT_EQ(Messages()[0], "1列の最大ﾊﾞｲﾄ数は、1962までです。");
}

TEST_F(CalcTest, AFailingIndexKeepsLaterSectionsTotalsAndTab) {
    EnterSmallTable();
    PressF5();
    const QString earlierTotal = Total(2);
    C().lblData[12]->setText("old ");
    C().lblLevel[45]->setText("old ");

    Choose(C().optNonClaster[1], 2);
    Type(C().txtData1[0], "4");
    Choose(C().optNonClaster[4], 3);
    C().txtFillFactor[2]->SetText("1");
    Type(C().txtData1[3], "30"); // 30-byte leaf rows do not fit 1% of a page
    Choose(C().optNonClaster[7], 4);
    Type(C().txtData1[6], "4");
    Type(C().txtData[0], "20000");
    PressF5();

    ASSERT_EQ(Messages().size(), 1u);
    EXPECT_EQ(Messages()[0], "非ｸﾗｽﾀ化ｲﾝﾃﾞｯｸｽﾍﾟｰｼﾞを計算中にｴﾗｰが発生しました。");
    EXPECT_EQ(Data(2), "1,053 ");  // data: new figures
    EXPECT_EQ(Data(8), "110 ");    // index 1: new figures
    EXPECT_EQ(Data(12), "old ");   // index 2 untouched
    EXPECT_EQ(Level(45), "old ");  // index 3 untouched
    EXPECT_EQ(Total(2), earlierTotal);
    EXPECT_EQ(C().tabMain->currentIndex(), 4);
    EXPECT_EQ(C().sbStatusBarPanel1->text(), "");
    EXPECT_EQ(m_window->cursor().shape(), Qt::ArrowCursor);
}

TEST_F(CalcTest, HalvesRoundToEvenOnTheWayIn) {
    Choose(C().optData[0], 0);
    Type(C().txtData[0], "1,000");
    Type(C().txtData[1], "12.5"); // 12 -> row size 14
    PressF5();
    EXPECT_EQ(Data(0), "14 ");
    Type(C().txtData[1], "13.5"); // 14 -> row size 16
    PressF5();
    EXPECT_EQ(Data(0), "16 ");
}

TEST_F(CalcTest, TotalsBeyond32BitsAreShownTrue) {
    Choose(C().optData[1], 0);
    Type(C().txtData[0], "999999999");
    Type(C().txtData[2], "1000");
    Type(C().txtData[3], "962");
    Type(C().txtData[4], "250"); // 2225-byte rows: two pages a row
    PressF5();
    ASSERT_TRUE(Messages().empty());
    EXPECT_EQ(Data(2), "1,999,999,998 ");
    Choose(C().optNonClaster[1], 2);
    Type(C().txtData1[0], "4");
    PressF5();
    ASSERT_TRUE(Messages().empty());
    EXPECT_EQ(Total(1), Data(11));
    EXPECT_EQ(Total(2), "2,005,506,192 ");
    Choose(C().optNonClaster[4], 3);
    Type(C().txtData1[3], "500"); // one non-leaf row a page: 15 levels of 333,333,333
    PressF5();
    ASSERT_TRUE(Messages().empty());
    const qlonglong total = QString(Total(2)).remove(',').trimmed().toLongLong();
    EXPECT_GT(total, 2147483647LL);
    EXPECT_EQ(QString(Total(3)).remove(',').trimmed().toLongLong(), total * 2048);
}

class SharedCaseTest : public CalcTest, public ::testing::WithParamInterface<testcases::SharedCase> {};

TEST_P(SharedCaseTest, WindowShowsTheExpectedCells) {
    const testcases::SharedCase& sc = GetParam();
    const nlohmann::json& in = sc.inputs;
    const auto texts = [&](const char* key) { return in.at(key).get<std::vector<std::string>>(); };
    const auto txtData = texts("txtData");
    const auto txtData1 = texts("txtData1");
    const auto txtData2 = texts("txtData2");
    const auto txtFillFactor = texts("txtFillFactor");
    const auto optNonClaster = in.at("optNonClaster").get<std::vector<int>>();

    Choose(C().optData[static_cast<std::size_t>(in.at("optData").get<int>())], 0);
    Choose(C().optClaster[static_cast<std::size_t>(in.at("optClaster").get<int>())], 1);
    for (std::size_t n = 0; n < 3; ++n)
        Choose(C().optNonClaster[static_cast<std::size_t>(optNonClaster.at(n))], static_cast<int>(n) + 2);
    for (std::size_t i = 0; i < 9; ++i) {
        Type(C().txtData[i], QString::fromStdString(txtData.at(i)));
        Type(C().txtData2[i], QString::fromStdString(txtData2.at(i)));
    }
    for (std::size_t n = 0; n < 3; ++n)
        Type(C().txtData1[3 * n], QString::fromStdString(txtData1.at(n)));
    for (std::size_t s = 0; s < 4; ++s)
        C().txtFillFactor[s]->SetText(QString::fromStdString(txtFillFactor.at(s)));

    PressF5();

    const std::string shown = Messages().empty() ? std::string() : Messages().front().toStdString();
    EXPECT_EQ(shown, sc.message);
    for (std::size_t i = 0; i < 24; ++i)
        EXPECT_EQ(Data(static_cast<int>(i)).toStdString(), sc.lblData[i]) << "lblData(" << i << ")";
    for (std::size_t i = 0; i < 60; ++i)
        EXPECT_EQ(Level(static_cast<int>(i)).toStdString(), sc.lblLevel[i]) << "lblLevel(" << i << ")";
    for (std::size_t i = 0; i < 4; ++i)
        EXPECT_EQ(Total(static_cast<int>(i)).toStdString(), sc.lblTotal[i]) << "lblTotal(" << i << ")";
}

INSTANTIATE_TEST_SUITE_P(Shared, SharedCaseTest,
                         ::testing::ValuesIn(testcases::LoadSharedCases(QUORVEL_SHARED_CASES)),
                         [](const auto& row) { return row.param.name; });

} // namespace
} // namespace quorvel::testing
