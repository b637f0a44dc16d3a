// The screens' operations on the settings: ranking genres per play kind, menus made of texts of
// the text table (placement and text block; the drawing itself comes with the fonts), and the
// low-value test of the gauges.
#include <gtest/gtest.h>

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
    {33, 1, 33, 100, 1},  {33, 1, 34, 100, 0},  {33, 1, 1, 3, 0},   {34, 1, 1, 3, 1},
    {33, 0, 33, 7, 1},    {33, 0, 34, 1000, 0}, {33, 0, -5, 0, 1},
    // A maximum of 0 in percent mode: only a negative value is low.
    {33, 1, 0, 0, 0},     {33, 1, 5, 0, 0},     {33, 1, -1, 0, 1},
    // Large values do not overflow the percentage.
    {50, 1, 2000000000, 2100000000, 0}, {100, 1, 2000000000, 2000000000, 1},
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

}  // namespace
