// The screen tint's arithmetic: its strength frame by frame, restore and flash, and when each
// kind ends on either back-end.
#include <gtest/gtest.h>

#include "stage/draw/SCREENCOLOR.h"

namespace {

// Frames a tint stays active, at most limit.
int ActiveFrames(SCREENCOLOR& tint, bool bDirect3D, int limit)
{
    int frames = 0;
    while (tint.bActive && frames < limit) {
        bool bFlashEnd = false;
        tint.Advance(bDirect3D, bFlashEnd);
        ++frames;
    }
    return frames;
}

TEST(ScreenColorTest, StrengthFollowsProgressAndLevel)
{
    struct Case {
        int level;
        int duration;  // command parameter: x 6 frames
        int counter;
    };
    const Case cases[] = {{100, 10, 0}, {100, 10, 30}, {100, 10, 60}, {40, 10, 15}, {40, 0, 0}, {100, 0, 0}};
    for (const Case& c : cases) {
        SCREENCOLOR tint;
        const int p[8] = {10, 20, 30, c.level, 0, c.duration, 0, 0};
        ASSERT_TRUE(tint.Start(p, false));
        tint.nCounter = c.counter;
        const double progress = c.duration == 0 ? 1.0 : static_cast<double>(c.counter) / (c.duration * 6);
        EXPECT_EQ(tint.Value(), static_cast<int>(255.0 - progress * c.level * 2.55)) << c.level << " " << c.counter;
    }
}

TEST(ScreenColorTest, ARestoreNeedsATintAndGoesBackToThePreviousColour)
{
    SCREENCOLOR tint;
    const int restore[8] = {0, 0, 0, 0, 1, 5, 0, 0};
    EXPECT_FALSE(tint.Start(restore, false));
    EXPECT_EQ(tint.bActive, 0);

    const int red[8] = {255, 0, 0, 60, 0, 0, 0, 0};
    ASSERT_TRUE(tint.Start(red, false));
    tint.nValue = tint.Value();  // as drawn: 255 - 60 x 2.55
    ASSERT_TRUE(tint.Start(restore, true));
    std::uint8_t r = 0, g = 0, b = 0;
    tint.Colour(r, g, b);
    EXPECT_EQ(r, 255);
    EXPECT_EQ(g, 0);
    const int from = static_cast<int>(255.0 - 60 * 2.55);
    EXPECT_EQ(tint.Value(), from);  // counter 0: the previous strength
    tint.nCounter = 15;
    EXPECT_EQ(tint.Value(), static_cast<int>(0.5 * (255 - from) + from));
    EXPECT_EQ(ActiveFrames(tint, true, 100), 15);
}

TEST(ScreenColorTest, EachKindEndsByItsRule)
{
    struct Case {
        const char* name;
        int level;
        int flash;
        int repeat;
        bool direct3D;
        int frames;  // frames active, 100 = still active
    };
    const Case cases[] = {
        {"tint under DirectDraw ends with its duration", 50, 0, 0, false, 12},
        {"tint under Direct3D stays", 50, 0, 0, true, 100},
        {"tint of level 0 under Direct3D ends", 0, 0, 0, true, 12},
        {"flash repeated 3 times", 50, 1, 3, true, 36},
        {"flash without repeats runs once", 50, 1, 0, false, 12},
    };
    for (const Case& c : cases) {
        SCREENCOLOR tint;
        const int p[8] = {0, 0, 255, c.level, 0, 2, c.flash, c.repeat};
        ASSERT_TRUE(tint.Start(p, false));
        EXPECT_EQ(ActiveFrames(tint, c.direct3D, 100), c.frames) << c.name;
    }
    // A duration too long to count in frames is the longest there is, not a negative one.
    SCREENCOLOR longest;
    const int p[8] = {0, 0, 0, 50, 0, 0x7FFFFFFF, 0, 0};
    ASSERT_TRUE(longest.Start(p, false));
    EXPECT_GT(longest.nDuration, 0);
    EXPECT_EQ(longest.Value(), 255);
}

TEST(ScreenColorTest, AFlashRoundEndsUntintedSoARestoreAfterItStaysUntinted)
{
    struct Case {
        const char* name;
        int repeat;
        bool bActiveAfter;
    };
    const Case cases[] = {
        {"last round", 1, false},
        {"more rounds to come", 3, true},
    };
    for (const Case& c : cases) {
        SCREENCOLOR tint;
        const int flash[8] = {255, 255, 255, 80, 0, 1, 1, c.repeat};
        ASSERT_TRUE(tint.Start(flash, false));
        bool bFlashEnd = false;
        for (int frame = 0; frame < 6; ++frame) {
            tint.nValue = tint.Value();  // as drawn this frame
            tint.Advance(false, bFlashEnd);
        }
        EXPECT_TRUE(bFlashEnd) << c.name;
        EXPECT_EQ(tint.bActive != 0, c.bActiveAfter) << c.name;
        EXPECT_EQ(tint.nValue, 255) << c.name;
        // A restore now goes from the untinted picture to the untinted picture.
        const int restore[8] = {0, 0, 0, 0, 1, 2, 0, 0};
        ASSERT_TRUE(tint.Start(restore, true)) << c.name;
        EXPECT_EQ(tint.Value(), 255) << c.name;
        tint.nCounter = 6;
        EXPECT_EQ(tint.Value(), 255) << c.name;
    }
}

}  // namespace
