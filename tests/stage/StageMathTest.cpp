// The field geometry, the shot-check table and the nested-wait record: tables of cases worked out
// from the stated rules.
#include <gtest/gtest.h>

#include <vector>

#include "stage/StageGeometry.h"
#include "stage/WAITINFO.h"
#include "stage/collision/SubStepCheck.h"

namespace {

TEST(StageGeometry, RowPitchIsTheSmallestPowerOfTwoAboveWidthPlus19)
{
    struct Case {
        int width;
        int pitch;
        int shift;
    };
    // 12 + 19 = 31 needs 5 bits; 13 + 19 = 32 needs 6.
    for (const Case& c : {Case{12, 32, 5}, Case{13, 64, 6}, Case{0, 32, 5}, Case{20, 64, 6}, Case{44, 64, 6},
                          Case{45, 128, 7}, Case{-5, 32, 5}}) {
        SCOPED_TRACE(c.width);
        EXPECT_EQ(MapRowPitch(c.width), c.pitch);
        EXPECT_EQ(MapRowPitchShift(c.width), c.shift);
    }
}

TEST(StageGeometry, LayoutCellsAndFieldBounds)
{
    const MAPLAYOUT layout = MAPLAYOUT::ForStage(20, 15);
    EXPECT_EQ(layout.nPitch, 64);
    EXPECT_EQ(layout.nColumns, 40);
    EXPECT_EQ(layout.nRows, 35);
    EXPECT_EQ(layout.CellCount(), 64 * 35);
    // Stage tile (2, 13) is field cell (12, 23).
    EXPECT_EQ(layout.Cell(12, 23), 12 + 23 * 64);
    EXPECT_TRUE(layout.Contains(0, 0));
    EXPECT_TRUE(layout.Contains(39, 34));
    EXPECT_FALSE(layout.Contains(40, 0));  // a column past the field would wrap into the next row
    EXPECT_FALSE(layout.Contains(0, 35));
    EXPECT_FALSE(layout.Contains(-1, 3));
    EXPECT_EQ(TileCentre(0), 336);
    EXPECT_EQ(TileCentre(2), 400);
    EXPECT_EQ(StageAreaEnd(20), 960);
    EXPECT_EQ(StageAreaEnd(-30), 0);
}

TEST(SubStepCheck, SpreadsTheShotTestsOverTheSubSteps)
{
    struct Case {
        int subSteps;
        int checks;
        std::vector<int> expected;
    };
    const Case cases[] = {
        {3, 2, {1, 1, 0}},     // positions 0 and 1.5
        {4, 3, {1, 1, 1, 0}},  // positions 0, 1.33, 2.67
        {3, 0, {1, 1, 1}},     // 0: every sub-step
        {5, 1, {1, 0, 0, 0, 0}},
        {5, 5, {1, 1, 1, 1, 1}},
        {1, 3, {1}},
        {6, 4, {1, 1, 0, 1, 1, 0}},  // positions 0, 1.5, 3, 4.5
        {0, 2, {1}},                 // no sub-steps count as one
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.subSteps << " / " << c.checks);
        EXPECT_EQ(BuildSubStepCheck(c.subSteps, c.checks), c.expected);
    }
}

TEST(WaitInfo, SetGivesTheMessageKeyWaitItsDelay)
{
    struct Case {
        int mode, waitKey, count, noDelay;
        int keyDelay;
    };
    for (const Case& c :
         {Case{WAITMODE_MESSAGE, 1, 0, 0, 10}, Case{WAITMODE_MESSAGE, 1, 0, 1, 0}, Case{WAITMODE_MESSAGE, 0, 30, 0, 0},
          Case{WAITMODE_PICTURE, 1, 0, 0, 0}, Case{WAITMODE_GAMEWAIT, 0, 12, 0, 0}}) {
        WAITINFO w;
        w.nReserved = 7;
        w.Set(c.mode, c.waitKey, c.count, c.noDelay);
        EXPECT_EQ(w.nMode, c.mode);
        EXPECT_EQ(w.bWaitKey, c.waitKey);
        EXPECT_EQ(w.nCount, c.count);
        EXPECT_EQ(w.nKeyDelay, c.keyDelay);
        EXPECT_EQ(w.nReserved, 0);
    }
}

TEST(WaitInfo, TimedWaitEndsWhenItsCountGoesNegative)
{
    WAITINFO w;
    w.Set(WAITMODE_GAMEWAIT, 0, 3, 0);
    int frames = 0;
    while (!w.Step(false, false)) {
        ++frames;
        ASSERT_LT(frames, 100);
    }
    EXPECT_EQ(frames + 1, 4);  // count 3: frames 1..3 go on, the 4th ends it
}

TEST(WaitInfo, KeyWaitTakesOnlyAFreshPressAfterTheDelay)
{
    WAITINFO w;
    w.Set(WAITMODE_MESSAGE, 1, 0, 0);
    for (int i = 0; i < 10; ++i) {
        EXPECT_FALSE(w.Step(true, false)) << "frame " << i + 1 << " is inside the delay";
    }
    EXPECT_FALSE(w.Step(true, true));  // held since before: not a press
    EXPECT_FALSE(w.Step(false, true));
    EXPECT_TRUE(w.Step(true, false));
}

}  // namespace
