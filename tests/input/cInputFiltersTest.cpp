// What the controller keeps over frames: the key repeat, the button latch, the histories and the
// press logs.
#include <vector>

#include "InputTestSupport.h"

namespace {

using inputtest::InputFixture;

TEST_F(InputFixture, HeldDirectionRepeatsAfterTheDelayAtTheInterval)
{
    in().SetKeyRepeat(18, 6);
    std::vector<int> passed;
    for (int frame = 1; frame <= 40; ++frame) {
        in().wDir = DIR_LEFT | DIR_UP;
        in().KeyRepeat();
        EXPECT_EQ(in().wDir & DIR_LEFT ? 1 : 0, in().wDir & DIR_UP ? 1 : 0) << frame;
        if (in().wDir != 0) {
            passed.push_back(frame);
        }
    }
    EXPECT_EQ(passed, (std::vector<int>{1, 19, 25, 31, 37}));
    // A change of the horizontal pair passes at once and leaves the vertical count running.
    in().wDir = DIR_RIGHT | DIR_UP;
    in().KeyRepeat();
    EXPECT_EQ(in().wDir, DIR_RIGHT);
}

TEST_F(InputFixture, TriggerButtonPassesTheFirstFrameOfAPress)
{
    struct Step {
        SHORT held;
        int mask;
        SHORT expect;
    };
    const Step steps[] = {
        {1, 3, 1},                   // first frame of button 1: passes, latch set
        {1, 3, 0},                   // still held
        {1 | 2, 3, 0},               // another masked button joins: still latched
        {4, 3, 4},                   // outside the mask: passes, and none of the mask is down: latch cleared
        {2, 3, 2},                   // a new press passes
        {2 | 8, 3, 8},               // button 4 is not in the mask
        {0, 3, 0},     {64, 0, 64},  // mask 0 means all eight
        {64, 0, 0},
    };
    int i = 0;
    for (const Step& s : steps) {
        in().wButton = s.held;
        in().TriggerButton(s.mask);
        EXPECT_EQ(in().wButton, s.expect) << "step " << i++;
    }
}

TEST_F(InputFixture, HistoryGivesTheWordOfEarlierFrames)
{
    in().ClearHistory();
    for (int frame = 0; frame < 5; ++frame) {
        in().wDir = DIR_UP;
        in().wButton = 2;
        in().PushHistory();
    }
    in().wDir = DIR_DOWN;
    in().wButton = 0;
    in().PushHistory();
    EXPECT_EQ(in().GetHistory(0, 0), DIR_DOWN);
    EXPECT_EQ(in().GetHistory(1, 0), 0);
    for (int n = 1; n <= 5; ++n) {
        EXPECT_EQ(in().GetHistory(0, n), DIR_UP) << n;
        EXPECT_EQ(in().GetHistory(1, n), 2) << n;
    }
    // 40 changes overflow the 32 slots: the oldest are forgotten, the newest stay exact.
    for (int frame = 0; frame < 40; ++frame) {
        in().wDir = static_cast<SHORT>(frame % 2 ? DIR_LEFT : DIR_RIGHT);
        in().PushHistory();
    }
    EXPECT_EQ(in().GetHistory(0, 0), DIR_LEFT);
    EXPECT_EQ(in().GetHistory(0, 31), DIR_RIGHT);
}

TEST_F(InputFixture, OppositeArrowsCountAsAnyDirectionInThePressLogs)
{
    in().ResetKeyLog();
    Keys({VK_LEFT, VK_RIGHT});
    in().PollDefault(0, 3, 60);
    in().UpdateKeyLog();
    for (int i = 0; i <= 8; ++i) {
        EXPECT_EQ(in().dirLogs[i][0].pressed, 0) << i;
        EXPECT_EQ(in().dirLogs[i][0].length, 1) << i;  // after the reset the newest run was "released, 0"
    }
    EXPECT_EQ(in().dirLogs[9][0].pressed, 1);
    EXPECT_EQ(in().dirLogs[9][0].length, 1);
    for (const auto& log : in().dirLogs) {
        EXPECT_EQ(log.size(), static_cast<size_t>(kKeyLogRuns));
    }
}

TEST_F(InputFixture, PressLogsKeepThirtyTwoRunsNewestFirst)
{
    in().ResetKeyLog();
    // Button 3: held 2 frames, released 1, held 3.
    const SHORT frames[] = {4, 4, 0, 4, 4, 4};
    for (SHORT b : frames) {
        in().wButton = b;
        in().UpdateKeyLog();
    }
    const KeyLog& log = in().buttonLogs[3];
    EXPECT_EQ(log[0].pressed, 1);
    EXPECT_EQ(log[0].length, 3);
    EXPECT_EQ(log[1].pressed, 0);
    EXPECT_EQ(log[1].length, 1);
    EXPECT_EQ(log[2].pressed, 1);
    EXPECT_EQ(log[2].length, 2);
    EXPECT_EQ(log[3].pressed, 0);
    EXPECT_EQ(in().buttonLogs[0][0].pressed, 0);  // "no button" was released by the last frame
    // After a reset the first frame of a held button starts a pressed run of length 1.
    in().ResetKeyLog();
    in().UpdateKeyLog();
    EXPECT_EQ(in().buttonLogs[3][0].pressed, 1);
    EXPECT_EQ(in().buttonLogs[3][0].length, 1);
    // Many alternations keep the log at 32 runs.
    for (int frame = 0; frame < 100; ++frame) {
        in().wButton = static_cast<SHORT>(frame % 2 ? 4 : 0);
        in().UpdateKeyLog();
    }
    EXPECT_EQ(in().buttonLogs[3].size(), static_cast<size_t>(kKeyLogRuns));
}

// Start at 5; left -1, else right +1; up -3, else down +3.
TEST_F(InputFixture, DirNumFollowsThePrecedenceRule)
{
    struct Case {
        SHORT dir;
        int num;
    };
    for (Case c : {Case{0, 5}, Case{1, 4}, Case{2, 6}, Case{4, 2}, Case{8, 8}, Case{5, 1}, Case{10, 9}, Case{3, 4},
                   Case{15, 1}}) {
        in().wDir = c.dir;
        EXPECT_EQ(in().GetDirNum(), c.num) << c.dir;
        EXPECT_EQ(in().nDirNum, c.num);
    }
    in().Clear();
    EXPECT_EQ(in().wDir, 0);
    EXPECT_EQ(in().nDirNum, 5);
}

}  // namespace
