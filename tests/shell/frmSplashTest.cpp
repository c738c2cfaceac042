#include "frmSplash.h"
#include "TestSupport.h"
#include "Twips.h"

#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>

#include <gtest/gtest.h>

namespace quorvel {
namespace {

struct SplashLabelRow {
    const char* name;
    QString objectName;
    std::optional<QString> text; // nullopt: a notice of our own, one line
    QColor colour;
    QRect twips;
};

class SplashLabelTest : public ::testing::TestWithParam<SplashLabelRow> {};

TEST_P(SplashLabelTest, ShowsItsTextInTheFrame) {
    const SplashLabelRow& row = GetParam();
    frmSplash splash;
    const auto* label = splash.findChild<QLabel*>(row.objectName);
    ASSERT_NE(label, nullptr);
    if (row.text)
        EXPECT_EQ(label->text(), *row.text);
    else
        EXPECT_FALSE(label->text().isEmpty());
    EXPECT_FALSE(label->text().contains('\n'));
    EXPECT_EQ(label->palette().color(QPalette::WindowText), row.colour);
    EXPECT_TRUE(label->font().bold());
    EXPECT_EQ(label->font().pointSizeF(), 12.0);
    EXPECT_EQ(label->parentWidget()->objectName(), "fraMainFrame");
    EXPECT_EQ(label->geometry(),
              TwipsRect(row.twips.x(), row.twips.y(), row.twips.width(), row.twips.height()));
    EXPECT_LE(label->sizeHint().width(), label->width()) << "the text must fit its label";
}

INSTANTIATE_TEST_SUITE_P(
    Labels, SplashLabelTest,
    ::testing::Values(
        SplashLabelRow{
            "Title", "lblInfo(0)", "Quorvel for SQL Server 6.x", QColor(0, 0, 255), {690, 240, 4905, 240}},
        SplashLabelRow{"Version", "lblInfo(2)", "Ver.1.0J", QColor(0, 0, 255), {2595, 510, 960, 240}},
        SplashLabelRow{"Notice", "lblInfo(3)", std::nullopt, QColor(0, 0, 0), {1110, 870, 3810, 240}}),
    RowName<SplashLabelRow>);

TEST(Splash, IsASmallFramelessWindowWithTheProgramIcon) {
    frmSplash splash;
    EXPECT_EQ(splash.size(), QSize(TwipsToPixels(5880), TwipsToPixels(1275)));
    EXPECT_EQ(splash.minimumSize(), splash.maximumSize());
    EXPECT_TRUE(splash.windowFlags() & Qt::FramelessWindowHint);
    EXPECT_TRUE(splash.windowTitle().isEmpty());
    EXPECT_FALSE(splash.testAttribute(Qt::WA_QuitOnClose)) << "closing the splash must not end the program";
    const auto* frame = splash.findChild<QGroupBox*>("fraMainFrame");
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(frame->geometry(), TwipsRect(30, -30, 5790, 1260));
    const auto* icon = splash.findChild<QLabel*>("imgIcon");
    ASSERT_NE(icon, nullptr);
    EXPECT_EQ(icon->pixmap().size(), QSize(32, 32));
}

TEST(Splash, LoadCentresItOnTheScreen) {
    frmSplash splash;
    splash.Form_Load();
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_LE(std::abs(splash.geometry().center().x() - screen.center().x()), 1);
    EXPECT_LE(std::abs(splash.geometry().center().y() - screen.center().y()), 1);
}

} // namespace
} // namespace quorvel
