// The Direct3D colour cycling of the invincible characters' colours: nine levels swinging by the
// project's step between 0 and 255, each table entry taking its level's value before the step,
// the rotating colour of entry 9 moving on once per full swing.
#include <gtest/gtest.h>

#include <cstdint>

#include "scenes/ColourCycling.h"

namespace {

std::uint32_t Argb(int r, int g, int b)
{
    return 0xFF000000u | static_cast<std::uint32_t>(r) << 16 | static_cast<std::uint32_t>(g) << 8 |
           static_cast<std::uint32_t>(b);
}

TEST(ColourCyclingTest, EntriesFollowTheirLevelsAndEntryNineRotatesAfterEachSwing)
{
    // Step 16: rising 0, 16, .., 240 on calls 1..16 (256 would reach the top, so call 16 turns
    // without moving), falling 240, 224, .., 16 on calls 17..31 (0 would reach the bottom, so call
    // 31 turns back and ends the swing), rising again from 16 on call 32.
    struct Case {
        int call;
        int v;      // every level's value before this call's step
        int nMode;  // entry 9's colour before this call
    };
    const Case cases[] = {{1, 0, 0},   {2, 16, 0},  {16, 240, 0}, {17, 240, 0}, {18, 224, 0},
                          {31, 16, 0}, {32, 16, 1}, {33, 32, 1},  {62, 16, 2}};
    COLOURCYCLE cycle;
    BLENDSTATE table[10];
    table[0].dwDiffuse = 0x12345678;
    table[0].dwColorOp = 3;
    int call = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.call);
        while (call < c.call) {
            StepColourFlash(cycle, 16, table);
            ++call;
        }
        const int v = c.v;
        const std::uint32_t nine[4] = {Argb(v, 0, 0), Argb(0, v, 0), Argb(0, 0, v), Argb(v, v, 0)};
        const std::uint32_t expected[10] = {0x12345678,        Argb(v, v, v), Argb(v, v, v), Argb(v, 0, 0),
                                            Argb(0, v, 0),     Argb(0, 0, v), Argb(v, v, 0), Argb(v, 0, v / 4),
                                            Argb(v / 4, 0, v), nine[c.nMode]};
        for (int n = 0; n < 10; ++n) {
            EXPECT_EQ(table[n].dwDiffuse, expected[n]) << "entry " << n;
            const DWORD op = n == 0 ? 3 : n == 2 ? 10 : 7;
            EXPECT_EQ(table[n].dwColorOp, op) << "entry " << n;
        }
    }
}

TEST(ColourCyclingTest, PingPongTurnsWithoutMovingAndReportsTheBottomTurn)
{
    struct Case {
        int level, falling, step;
        int level2, falling2, result;
    };
    const Case cases[] = {
        {0, 0, 16, 16, 0, 0},    {240, 0, 16, 240, 1, 0}, {250, 0, 5, 250, 1, 0},
        {240, 1, 16, 224, 1, 0}, {16, 1, 16, 16, 0, 1},   {10, 1, 16, 10, 0, 1},
    };
    for (const Case& c : cases) {
        int level = c.level;
        int falling = c.falling;
        EXPECT_EQ(PingPongStep(&level, &falling, c.step, 0, 255), c.result);
        EXPECT_EQ(level, c.level2);
        EXPECT_EQ(falling, c.falling2);
    }
}

}  // namespace
