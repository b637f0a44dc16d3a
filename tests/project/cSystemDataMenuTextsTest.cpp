// The screens' operations on the settings: ranking genres per play kind, menus made of texts of
// the text table (placement, text block and drawing with the test font), and the low-value test
// of the gauges.
#include <gtest/gtest.h>

#include "FontDrawTestSupport.h"
#include "SystemDataTestSupport.h"
#include "core/TextHelpers.h"

namespace {

using cSystemDataMenuTextsTest = projecttest::SystemDataTest;

TEST_F(cSystemDataMenuTextsTest, MenuCentreAndTextBlockOfTheDefaultTexts)
{
    const cSystemData settings;
    // "ステージに挑む" and "やっぱりやめる", 7 characters each.
    EXPECT_EQ(settings.GetMenuCenterX(320, 10, 2, 0), 264);
    EXPECT_EQ(settings.GetMenuCenterX(320, 10, 2, 1), 256);
    // Pause menu: "しゅうりょう", "つづける", "リトライ": the longest has 6 characters.
    EXPECT_EQ(settings.GetMenuCenterX(320, 19, 3, 0), 272);
    EXPECT_EQ(settings.GetMenuCenterX(320, 19, 0, 1), 312);
    EXPECT_EQ(settings.GetMenuCenterX(0, 10, 1, 0), -56);

    std::string block;
    int width = 0;
    int height = 0;
    settings.BuildMenuText(19, 2, 1, block, width, height);
    EXPECT_EQ(block, Sjis(" しゅうりょう\n つづける\n"));
    EXPECT_EQ(width, 7 * 16);
    EXPECT_EQ(height, 2 * 16);
    settings.BuildMenuText(10, 2, 0, block, width, height);
    EXPECT_EQ(block, Sjis("ステージに挑む\nやっぱりやめる\n"));
    EXPECT_EQ(width, 7 * 16);

    settings.BuildMenuText(10, 0, 1, block, width, height);
    EXPECT_EQ(block, "");
    EXPECT_EQ(width, 0);
    EXPECT_EQ(height, 0);
    EXPECT_EQ(TakeCloseRequests(), 0);
}

TEST_F(cSystemDataMenuTextsTest, TextsOutsideTheTableAreReportedAndCloseTheProgram)
{
    const cSystemData settings;
    // "F3キーでランキングへ登録" has 13 characters; text 28 falls back to text 0 ("ワールド").
    EXPECT_EQ(settings.GetMenuCenterX(320, 27, 2, 0), 320 - 13 * 16 / 2);
    EXPECT_EQ(TakeCloseRequests(), 1);
}

TEST_F(cSystemDataMenuTextsTest, CountsTheEnabledGenresOfARankingRow)
{
    cSystemData settings;
    EXPECT_EQ(settings.CountMenuItem(0), 5);
    EXPECT_EQ(settings.CountMenuItem(3), 0);
    settings.RankingRows[1].GenreFlags = {1, 0, 2, 0, 0, 1};
    EXPECT_EQ(settings.CountMenuItem(1), 3);
    // A row that is not enabled counts nothing, whatever its flags.
    settings.RankingRows[3].GenreFlags = {1, 1, 1, 1, 1};
    EXPECT_EQ(settings.CountMenuItem(3), 0);
    EXPECT_EQ(TakeCloseRequests(), 0);
}

struct ThresholdCase {
    int warnValue;
    int percent;
    int value;
    int max;
    int expected;
};

const ThresholdCase kThresholdCases[] = {
    {33, 1, 33, 100, 1},
    {33, 1, 34, 100, 0},
    {33, 1, 1, 3, 0},
    {34, 1, 1, 3, 1},
    {33, 0, 33, 7, 1},
    {33, 0, 34, 1000, 0},
    {33, 0, -5, 0, 1},
    // A maximum of 0 in percent mode: only a negative value is low.
    {33, 1, 0, 0, 0},
    {33, 1, 5, 0, 0},
    {33, 1, -1, 0, 1},
    // Large values do not overflow the percentage.
    {50, 1, 2000000000, 2100000000, 0},
    {100, 1, 2000000000, 2000000000, 1},
};

TEST_F(cSystemDataMenuTextsTest, GaugeWarningByAbsoluteValueOrPercentage)
{
    cSystemData settings;
    for (const ThresholdCase& c : kThresholdCases) {
        SCOPED_TRACE(testing::Message() << c.warnValue << (c.percent ? "%" : "") << " " << c.value << "/" << c.max);
        settings.HudItems[2].nWarnValue = c.warnValue;
        settings.HudItems[2].bWarnPercent = c.percent;
        EXPECT_EQ(settings.CheckThreshold(2, c.value, c.max), c.expected);
    }
    EXPECT_EQ(TakeCloseRequests(), 0);
}

// Menus drawn with Font16 of the test font: 16-pixel cells, a single-byte glyph 2 pixels into its
// cell, a double-byte one at the cell's edge.
class cSystemDataMenuDrawTest : public projecttest::FontDrawTest {};

TEST_P(cSystemDataMenuDrawTest, MenuIsOneTextBlockInAWindowBoxWithTheCursorColumn)
{
    cSystemData settings;
    settings.TextTable[10] = "A%d";  // drawn as it stands, not taken as a format
    settings.TextTable[11] = Sjis("テスト");
    DDSURFACEDATA* canvas = Canvas(128, 64);
    settings.DrawMenuText(*canvas, 20, 10, 10, 2, 1);
    const gfxtest::RawImage image = Pixels(canvas);
    // Four columns (three characters and the cursor) by two lines: a 64 x 32 box of skin at
    // (20, 10) with its red frame outside.
    EXPECT_EQ(BoxOf(image, Raw('R'), 0, 0, 127, 63), (projecttest::InkBox{19, 9, 84, 42}));
    EXPECT_EQ(image[9][18], Raw('C'));
    EXPECT_EQ(image[41][83], Raw('G'));
    EXPECT_EQ(image[10][20], Raw('G'));
    // The cursor column stays empty; "A%d" fills cells 1 to 3 of the first line, "テスト" those
    // of the second.
    EXPECT_EQ(BoxOf(image, Raw('W'), 0, 0, 127, 25),
              (projecttest::InkBox{16 + 20 + 2 + 1, 10 + 3, 68 + 2 + 1 + 5, 22}));
    EXPECT_EQ(BoxOf(image, Raw('W'), 0, 26, 127, 63), (projecttest::InkBox{36 + 1, 26 + 1, 68 + 14, 26 + 14}));
}

TEST_P(cSystemDataMenuDrawTest, EmptyMenuDrawsNothing)
{
    const cSystemData settings;
    DDSURFACEDATA* canvas = Canvas(64, 32);
    const gfxtest::RawImage before = Pixels(canvas);
    settings.DrawMenuText(*canvas, 4, 4, 19, 0, 1);
    EXPECT_EQ(Pixels(canvas), before);
}

INSTANTIATE_TEST_SUITE_P(Matrix, cSystemDataMenuDrawTest, ::testing::ValuesIn(gfxtest::kConfigs), gfxtest::ConfigName);

}  // namespace
