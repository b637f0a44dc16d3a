// Effect objects and picture objects: the size and place of a hit effect between two boxes with
// its random jitter, the frames an effect animation plays before it is over, freezing while the
// play is paused, a picture's time and screen-fixed position, and which of an entry's two
// surfaces a stretched effect is drawn from on each back-end.
#include <gtest/gtest.h>

#include "EffectTestSupport.h"
#include "graphics/DrawTestSupport.h"
#include "objects/chara/CharaGraphic.h"
#include "objects/effect/EffectObjectsDraw.h"
#include "objects/effect/cEffectObj.h"
#include "objects/effect/cPictureObj.h"
#include "platform/win/Random.h"

namespace {

using effecttest::AddEffect;
using effecttest::UseEffects;

class EffectObjectsTest : public ::testing::Test {
protected:
    void SetUp() override { UseEffects({}, {}); }
    void TearDown() override { UseEffects({}, {}); }
};

// The next two values of the C runtime generator from a seed.
void NextTwo(unsigned seed, int& r1, int& r2)
{
    unsigned state = seed;
    state = state * 214013u + 2531011u;
    r1 = static_cast<int>((state >> 16) & 0x7FFF);
    state = state * 214013u + 2531011u;
    r2 = static_cast<int>((state >> 16) & 0x7FFF);
}

TEST_F(EffectObjectsTest, HitEffectIsCentredOnTheOverlapWithItsJitter)
{
    const int plain = AddEffect(20, 10, {{0, 1}});
    const int scaled = AddEffect(20, 10, {{0, 1}}, 1);
    struct HITCASE {
        const char* name;
        int number;
        double a[4];
        double b[4];
        int k;
        int w, h, m;
        double left, top, right, bottom;  // the overlap
    };
    const HITCASE cases[] = {
        {"overlap", plain, {100, 50, 140, 90}, {120, 60, 200, 70}, 1, 20, 10, 1, 120, 60, 140, 70},
        {"no overlap: around (0, 0)", plain, {0, 0, 10, 10}, {50, 50, 60, 60}, 1, 20, 10, 1, 0, 0, 0, 0},
        {"scaled by 3", scaled, {100, 50, 140, 90}, {120, 60, 200, 70}, 3, 60, 30, 3, 120, 60, 140, 70},
        {"scalable at 1", scaled, {100, 50, 140, 90}, {120, 60, 200, 70}, 1, 20, 10, 1, 120, 60, 140, 70},
        {"size 3, not scalable", plain, {100, 50, 140, 90}, {120, 60, 200, 70}, 3, 20, 10, 1, 120, 60, 140, 70},
    };
    for (const HITCASE& c : cases) {
        for (unsigned seed : {1u, 77u, 12345u}) {
            SRand(seed);
            cEffectObj effect(c.number, c.a, c.b, c.k);
            int r1 = 0;
            int r2 = 0;
            NextTwo(seed, r1, r2);
            const double x =
                c.left + (static_cast<int>(c.right - c.left + 1) >> 1) - (c.w >> 1) + (r1 % (8 * c.m + 1)) - 4 * c.m;
            const double y =
                c.top + (static_cast<int>(c.bottom - c.top + 1) >> 1) - (c.h >> 1) + (r2 % (8 * c.m + 1)) - 4 * c.m;
            EXPECT_EQ(effect.width, c.w) << c.name;
            EXPECT_EQ(effect.height, c.h) << c.name;
            EXPECT_EQ(effect.stretched, c.w != 20 ? 1 : 0) << c.name;
            EXPECT_EQ(effect.x, x) << c.name << " seed " << seed;
            EXPECT_EQ(effect.y, y) << c.name << " seed " << seed;
        }
    }
}

TEST_F(EffectObjectsTest, AnimationPlaysItsFramesThenEndsAndFreezesWhilePaused)
{
    const int number = AddEffect(16, 16, {{3, 1}, {5, 2}});
    cEffectObj effect(number, 0, 0, 16, 16, 0);
    EXPECT_EQ(effect.stretched, 0);
    // Pattern {3 for 6 frames, 5 for 12 frames, end}: a step shows the cell after its tick.
    std::vector<int> frames;
    for (int n = 0; n < 18; ++n) frames.push_back(effect.NextFrame(0));
    for (int n = 0; n < 5; ++n) EXPECT_EQ(frames[static_cast<size_t>(n)], 3) << n;
    for (int n = 5; n < 17; ++n) EXPECT_EQ(frames[static_cast<size_t>(n)], 5) << n;
    EXPECT_EQ(frames[17], cEffectObj::kOver);

    cEffectObj paused(number, 0, 0, 32, 16, 0);
    EXPECT_EQ(paused.stretched, 1) << "another width than the cells";
    for (int n = 0; n < 40; ++n) EXPECT_EQ(paused.NextFrame(1), 3) << "paused: the current frame, no advance";
    cEffectObj kept(number, 0, 0, 16, 16, 1);
    int calls = 0;
    while (kept.NextFrame(1) != cEffectObj::kOver && calls < 100) ++calls;
    EXPECT_EQ(calls + 1, 18) << "an effect that stops the play keeps advancing during the wait";

    const int empty = AddEffect(16, 16, {});
    cEffectObj none(empty, 0, 0, 16, 16, 0);
    EXPECT_EQ(none.NextFrame(0), cEffectObj::kOver) << "an entry without frames ends at once";
}

TEST_F(EffectObjectsTest, PictureTimeAndScreenFixedPosition)
{
    // 10 tenths: framesLeft 60, counted down 60 times and removed at the 61st call.
    cPictureObj timed(1, 0, 0, 10, 10, 0, 0, 100, 2, 10 * 6, 0, 0, 0);
    for (int n = 1; n <= 60; ++n) EXPECT_EQ(timed.CountDown(0), 0) << n;
    EXPECT_EQ(timed.CountDown(0), 1);
    // Paused time stands unless it counts during waits.
    cPictureObj waiting(1, 0, 0, 10, 10, 0, 0, 100, 2, 0, 0, 0, 0);
    EXPECT_EQ(waiting.CountDown(1), 0);
    cPictureObj counting(1, 0, 0, 10, 10, 0, 0, 100, 2, 0, 1, 0, 0);
    EXPECT_EQ(counting.CountDown(1), 1);
    cPictureObj untilKey(1, 0, 0, 10, 10, 0, 0, 100, 0, 0, 0, 0, 0);
    for (int n = 0; n < 100; ++n) EXPECT_EQ(untilKey.CountDown(0), 0);
    EXPECT_EQ(cPictureObj(1, 0, 0, 10, 10, 0, 0, 50, 0, 0, 0, 0, 0).stretched, 1);

    cPictureObj fixed(1, 400.7, 300.2, 10, 10, 1, 0, 100, 1, 0, 0, 0, 0);
    cPictureObj field(1, 400.7, 300.2, 10, 10, 0, 0, 100, 1, 0, 0, 0, 0);
    int x = 0;
    int y = 0;
    fixed.ScreenPosition(100.9, 50.5, x, y);
    EXPECT_EQ(x, 400 - 100);
    EXPECT_EQ(y, 300 - 50);
    fixed.ScreenPosition(260.0, 10.0, x, y);
    EXPECT_EQ(x, 300) << "a screen-fixed picture keeps its first screen position";
    EXPECT_EQ(y, 250);
    field.ScreenPosition(260.0, 10.0, x, y);
    EXPECT_EQ(x, 140);
    EXPECT_EQ(y, 290);
}

class EffectObjectDrawTest : public gfxtest::DrawTest {
protected:
    void SetUp() override
    {
        DrawTest::SetUp();
        OpenWithPalette();
        UseEffects({}, {});
    }
    void TearDown() override
    {
        CharaDrawSettings.bVideoStretch = 0;
        UseEffects({}, {});
        DrawTest::TearDown();
    }
};

TEST_P(EffectObjectDrawTest, StretchedEffectReadsThePlainCopyOnlyWhenDirectDrawStretchesInVideo)
{
    const int number = AddEffect(8, 8, {{1, 1}});
    // The two copies of the entry's bitmap told apart by colour; cell 1 is the right half.
    DDSURFACEDATA* plain = Picture(gfxtest::Image(8, "YYYYRRRRRRRRRRRR"));
    DDSURFACEDATA* stretchCopy = Picture(gfxtest::Image(8, "YYYYGGGGGGGGGGGG"));
    for (const int bVideoStretch : {0, 1}) {
        CharaDrawSettings.bVideoStretch = bVideoStretch;
        cEffectObj effect(number, 10.0, 6.0, 16, 16, 0);
        ASSERT_EQ(effect.stretched, 1);
        DDSURFACEDATA* drawn = Canvas(40, 30);
        EXPECT_EQ(DrawEffectObj(effect, drawn, plain, stretchCopy, 0.0, 0.0, 0), 0);

        const bool bFromPlain = !D3D() && bVideoStretch != 0;
        DDSURFACEDATA* expected = Canvas(40, 30);
        DDStretchBlt(expected, 10, 6, 16, 16, bFromPlain ? plain : stretchCopy, 8, 0, 8, 8, 1);
        EXPECT_EQ(Pixels(drawn), Pixels(expected)) << "DD_VideoStretch " << bVideoStretch;
    }
}

INSTANTIATE_TEST_SUITE_P(Matrix, EffectObjectDrawTest, ::testing::ValuesIn(gfxtest::kConfigs), gfxtest::ConfigName);

}  // namespace
