#include <gtest/gtest.h>

#include <climits>

#include "definitions/cEdStage.h"
#include "objects/cScroll.h"

namespace {

struct ClampCase {
    int nMin;
    int nMax;
    double start;
    double expectedPos;
    int expectedAtLimit;
};

class ScrollClamp : public ::testing::TestWithParam<ClampCase> {};

TEST_P(ScrollClamp, KeepsTheViewInsideTheScrollArea)
{
    const ClampCase& c = GetParam();
    cScroll axis;
    axis.nView = 640;
    axis.nMin = c.nMin;
    axis.nMax = c.nMax;
    axis.dPos = c.start;
    axis.Clamp();
    EXPECT_DOUBLE_EQ(axis.dPos, c.expectedPos);
    EXPECT_EQ(axis.bAtLimit, c.expectedAtLimit);
}

INSTANTIATE_TEST_SUITE_P(Cases, ScrollClamp,
                         ::testing::Values(ClampCase{320, 1600, 100.0, 320.0, 1},   // left of the area
                                           ClampCase{320, 1600, 320.0, 320.0, 0},   // at its start, room right
                                           ClampCase{320, 1600, 500.5, 500.5, 0},   // inside
                                           ClampCase{320, 1600, 959.0, 959.0, 0},   // one pixel short of the end
                                           ClampCase{320, 1600, 960.0, 960.0, 1},   // touching the end
                                           ClampCase{320, 1600, 2000.0, 960.0, 1},  // beyond the end
                                           ClampCase{320, 384, 500.0, 320.0, 1},    // area smaller than the view
                                           ClampCase{320, 384, 320.0, 320.0, 1}));

struct LimitCase {
    int minTile;
    int maxTile;
    int bMin;
    int bMax;
    int expectedMin;
    int expectedMax;
};

class ScrollLimit : public ::testing::TestWithParam<LimitCase> {};

TEST_P(ScrollLimit, CountsTilesFromTheStageStart)
{
    const LimitCase& c = GetParam();
    cScroll axis;
    axis.Setup(0, 50, 128, 7);
    axis.SetLimit(c.minTile, c.maxTile, c.bMin, c.bMax);
    EXPECT_EQ(axis.nMin, c.expectedMin);
    EXPECT_EQ(axis.nMax, c.expectedMax);
}

INSTANTIATE_TEST_SUITE_P(Cases, ScrollLimit,
                         ::testing::Values(LimitCase{5, 30, 0, 0, 320, (50 + 10) * 32},
                                           LimitCase{5, 30, 1, 0, 320 + 5 * 32, (50 + 10) * 32},
                                           LimitCase{5, 30, 1, 1, 320 + 5 * 32, 320 + 31 * 32},
                                           LimitCase{5, 30, 0, 1, 320, 320 + 31 * 32},
                                           // The maximum left of the minimum: an area of no width.
                                           LimitCase{20, 3, 1, 1, 320 + 20 * 32, 320 + 20 * 32},
                                           // Limits below the stage (a stage smaller than a screen).
                                           LimitCase{-10, -3, 1, 1, 0, 320 - 2 * 32},
                                           // Any int from a stage file stays a usable pixel edge.
                                           LimitCase{INT_MIN, INT_MAX, 1, 1, -(1 << 30), 1 << 30}));

TEST(Scroll, SetupGivesTheFieldAroundTheStage)
{
    cScroll x;
    x.Setup(0, 40, 64, 6);
    EXPECT_EQ(x.nView, 640);
    EXPECT_EQ(x.nFieldSize, 40 * 32 + 640);
    EXPECT_EQ(x.nCells, 60);
    EXPECT_EQ(x.nStageMin, 320);
    EXPECT_EQ(x.nStageMax, 50 * 32);
    EXPECT_EQ(x.nPitch, 64);
    EXPECT_EQ(x.nPitchShift, 6);
    cScroll y;
    y.Setup(1, -3, 17, 0);
    EXPECT_EQ(y.nView, 480);
    EXPECT_EQ(y.nFieldSize, 640);
    EXPECT_EQ(y.nCells, 20);
    EXPECT_EQ(y.nStageMax, 320);
}

class AutoScroll : public ::testing::Test {
protected:
    void TearDown() override { Stage.Reset(); }
};

TEST_F(AutoScroll, AdvancesOnePixelPerFrameOverThreeSubStepsAndStopsAtTheEnd)
{
    Stage.SetSpeedLevel(3);
    cScroll axis;
    axis.Setup(0, 30, 64, 6);
    axis.SetLimit(0, 0, 0, 0);
    axis.dPos = 320;
    axis.SetAutoScroll(1, 10);
    EXPECT_EQ(axis.bAuto, 1);
    EXPECT_DOUBLE_EQ(axis.dSpeed, 10 * 0.1 / 3.0);
    for (int subStep = 0; subStep < 3; ++subStep) {
        axis.Move();
    }
    EXPECT_NEAR(axis.dPos, 321.0, 1e-9);
    EXPECT_EQ(axis.bAtLimit, 0);
    const double end = (30 + 10) * 32 - 640;
    for (int frame = 0; frame < 400; ++frame) {
        for (int subStep = 0; subStep < 3; ++subStep) {
            axis.Move();
        }
    }
    EXPECT_DOUBLE_EQ(axis.dPos, end);
    EXPECT_EQ(axis.bAtLimit, 1);
    EXPECT_DOUBLE_EQ(axis.SyncSpeed(), 0.0);
    axis.SetAutoScroll(0, 10);
    EXPECT_DOUBLE_EQ(axis.dSpeed, 0.0);
    EXPECT_EQ(axis.bAuto, 0);
}

TEST_F(AutoScroll, AStageWithoutSubStepsCountsOne)
{
    // A stage whose speed constants were never derived (level 0) divides by one sub-step.
    Stage.m_nSubSteps = 0;
    Stage.m_dSubSteps = 0.0;
    cScroll axis;
    axis.SetAutoScroll(1, 25);
    EXPECT_DOUBLE_EQ(axis.dSpeed, 2.5);
    Stage.SetSpeedLevel(0);
    EXPECT_EQ(Stage.m_nSubSteps, 1);
    axis.SetAutoScroll(1, 25);
    EXPECT_DOUBLE_EQ(axis.dSpeed, 2.5);
}

}  // namespace
