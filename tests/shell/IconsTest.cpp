#include "Icons.h"
#include "TestSupport.h"

#include <QImage>

#include <gtest/gtest.h>

namespace quorvel {
namespace {

const char* const kToolbarKeys[] = {"End",   "Calc",  "Clear",  "Cut",     "Copy", "Paste",
                                    "SQLEW", "ISQLW", "SQLMGR", "SQLBOOK", "Help", "Version"};

QImage ToolbarImage(const char* key) {
    return ToolbarIcon(key).pixmap(16, 16).toImage();
}

class ToolbarIconTest : public ::testing::TestWithParam<const char*> {};

TEST_P(ToolbarIconTest, IsASixteenPixelPictureWithATransparentBackground) {
    const QImage image = ToolbarImage(GetParam());
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.size(), QSize(16, 16));
    EXPECT_TRUE(image.hasAlphaChannel());
    int transparent = 0;
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            transparent += qAlpha(image.pixel(x, y)) == 0;
    EXPECT_GT(transparent, 0);
    EXPECT_LE(transparent, 16 * 16 * 3 / 4) << "too little picture: the file did not load as drawn";
}

TEST_P(ToolbarIconTest, DiffersFromEveryOtherButton) {
    const QImage image = ToolbarImage(GetParam());
    for (const char* other : kToolbarKeys) {
        if (QString(other) != GetParam()) {
            EXPECT_NE(image, ToolbarImage(other)) << GetParam() << " looks like " << other;
        }
    }
}

std::string KeyName(const ::testing::TestParamInfo<const char*>& key) {
    return key.param;
}

INSTANTIATE_TEST_SUITE_P(Keys, ToolbarIconTest, ::testing::ValuesIn(kToolbarKeys), KeyName);

TEST(ToolbarIcon, UnknownKeysGiveNoPicture) {
    for (const char* key : {"", "calc", "Separator", "SQLBOOKS"})
        EXPECT_TRUE(ToolbarIcon(key).isNull()) << key;
}

TEST(ProgramIcons, AreTwoDifferentThirtyTwoPixelPictures) {
    EXPECT_EQ(ProgramPixmap().size(), QSize(32, 32));
    EXPECT_EQ(SecondProgramPixmap().size(), QSize(32, 32));
    EXPECT_NE(ProgramPixmap().toImage(), SecondProgramPixmap().toImage());
    EXPECT_FALSE(ProgramIcon().isNull());
}

} // namespace
} // namespace quorvel
