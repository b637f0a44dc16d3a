// The set-up of command instances when a character's flows are inserted: durations per member
// and speed level, movement speeds, angles, goal offsets, circle and homing values, the jump's
// rewritten duration, and the guards against zero divisors and 16-bit products; then kinds the
// command table does not know, which run as "nothing" for their duration and are logged once.
#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <string>

#include "CommandTestSupport.h"
#include "core/CoreTestSupport.h"
#include "core/ReportLog.h"
#include "objects/StageSpeed.h"
#include "objects/chara/cCharaFlowOwner.h"
#include "objects/commands/CommandSetup.h"
#include "objects/commands/FlowInsertion.h"

namespace {

struct DURATIONCASE {
    int nLevel;
    int nBase;
    int nStep;
    int nMember;
    int nExpected;  // (base + step x member) x b x 6
};

TEST(CommandSetupTest, DurationPerMemberAndSpeedLevel)
{
    const DURATIONCASE cases[] = {
        {1, 3, 0, 0, 18},  {2, 3, 0, 0, 36},   {12, 3, 0, 0, 36},  {1, 0, 0, 0, 0},    {1, 10, 5, 0, 60},
        {1, 10, 5, 1, 90}, {1, 10, 5, 2, 120}, {1, 10, 5, 3, 150}, {5, -2, 1, 1, -30},
    };
    for (const DURATIONCASE& c : cases) {
        cCommandTestStage stage(c.nLevel, 0.4);
        cChara& chara = stage.AddChara(400, 400, 1, 0);
        chara.memberIndex = static_cast<std::int16_t>(c.nMember);
        cEdCommand command = cCommandTestStage::MakeCommand(1, c.nBase, false);
        command.m_nTimeStep = static_cast<std::int16_t>(c.nStep);
        COMMANDINSTANCE inst;
        SetupCommandInstance(inst, command, chara, chara.facing);
        EXPECT_EQ(inst.duration, c.nExpected) << c.nLevel << " " << c.nBase << "+" << c.nStep << "x" << c.nMember;
    }
    // 16-bit fields at their extremes cannot overflow the 32-bit duration.
    cCommandTestStage stage(9, 0.4);
    cChara& chara = stage.AddChara(400, 400, 1, 0);
    chara.memberIndex = 32767;
    cEdCommand command = cCommandTestStage::MakeCommand(1, 32767, false);
    command.m_nTimeStep = 32767;
    COMMANDINSTANCE inst;
    SetupCommandInstance(inst, command, chara, 0);
    EXPECT_EQ(inst.duration, INT_MAX);
}

TEST(CommandSetupTest, MovementValuesAngleAndGoal)
{
    cCommandTestStage stage(2, 0.4);
    cChara& chara = stage.AddChara(400, 400, 1, 0);
    chara.memberIndex = 1;
    cEdCommand command = cCommandTestStage::MakeCommand(2, 1, true);
    cEdMove& move = *command.m_lpMove;
    move.m_nSpeed = 25;
    move.m_nSpeedStep = 5;
    move.m_bInertia = 1;
    move.m_nMaxSpeed = 30;
    move.m_nAngle = 350;
    move.m_nAngleStep = 20;
    move.m_nDirection = 7;
    COMMANDINSTANCE inst;
    SetupCommandInstance(inst, command, chara, 0);
    EXPECT_DOUBLE_EQ(inst.speed, (25 + 5) * 0.1 / 2);
    EXPECT_DOUBLE_EQ(inst.maxSpeed, 30 * 0.1 / 2);
    EXPECT_EQ(inst.direction, 7);
    EXPECT_EQ(inst.angle, 10);

    struct ANGLECASE {
        int nBase;
        int bMirror;
        int nFacing;
        int nExpected;
    };
    const ANGLECASE angles[] = {{90, 1, 1, 270}, {90, 1, 0, 90}, {90, 0, 1, 90}, {-30, 0, 0, -30}, {725, 0, 0, 5}};
    chara.memberIndex = 0;
    move.m_nAngleStep = 0;
    for (const ANGLECASE& a : angles) {
        move.m_nAngle = static_cast<std::int16_t>(a.nBase);
        move.m_bMirrorAngle = static_cast<std::int8_t>(a.bMirror);
        COMMANDINSTANCE angled;
        SetupCommandInstance(angled, command, chara, a.nFacing);
        EXPECT_EQ(angled.angle, a.nExpected) << a.nBase;
    }

    // Goal offsets: X dots + 32 x cells, mirrored for a right-facing character when asked.
    move.m_nMoveMode = 1;
    move.m_nTargetX = 2;
    move.m_nTargetDotX = 3;
    move.m_nTargetY = -1;
    move.m_nTargetDotY = 4;
    move.m_bMirrorX = 1;
    move.m_bMirrorY = 0;
    COMMANDINSTANCE left;
    SetupCommandInstance(left, command, chara, 0);
    EXPECT_EQ(left.targetX, 67);
    EXPECT_EQ(left.targetY, -28);
    COMMANDINSTANCE right;
    SetupCommandInstance(right, command, chara, 1);
    EXPECT_EQ(right.targetX, -67);
    EXPECT_EQ(right.targetY, -28);
    // Move kind 0 keeps no goal.
    move.m_nMoveMode = 0;
    COMMANDINSTANCE none;
    SetupCommandInstance(none, command, chara, 0);
    EXPECT_EQ(none.targetX, 0);
}

TEST(CommandSetupTest, CircleAndHomingValues)
{
    cCommandTestStage stage(2, 0.4);
    const int b = SubStepCount();
    cChara& chara = stage.AddChara(400, 400, 1, 0);
    cEdCommand command = cCommandTestStage::MakeCommand(4, 2, true);
    cEdMove& move = *command.m_lpMove;
    move.m_nRadius = 30;  // limited to 20 half-blocks
    move.m_nAngle = 180;
    move.m_nDistance = 90;  // not greater than the start: the span is start - end
    move.m_nTimeMode = 0;
    COMMANDINSTANCE inst;
    SetupCommandInstance(inst, command, chara, 0);
    EXPECT_EQ(inst.radius, 20 * 16 * b);
    EXPECT_EQ(inst.startAngle, 180 * b);
    EXPECT_EQ(inst.endAngle, 90 * b);
    EXPECT_DOUBLE_EQ(inst.speed, (180.0 - 90.0) * b / (2 * 6 * b) / b);

    // Facing right with mirror-X: the sense flips and both angles turn by 180.
    move.m_bMirrorX = 1;
    move.m_nDirection = 0;
    COMMANDINSTANCE mirrored;
    SetupCommandInstance(mirrored, command, chara, 1);
    EXPECT_EQ(mirrored.direction, 1);
    EXPECT_EQ(mirrored.startAngle, (180 + 180) * b);

    // Time from the angular speed; a speed of 0 ends the circle at once instead of dividing.
    move.m_nTimeMode = 1;
    move.m_nSpeed = 15;
    COMMANDINSTANCE timed;
    SetupCommandInstance(timed, command, chara, 0);
    EXPECT_EQ(timed.duration, static_cast<int>(90.0 * b / (15 * 0.1 / b) / b));
    move.m_nSpeed = 0;
    COMMANDINSTANCE still;
    SetupCommandInstance(still, command, chara, 0);
    EXPECT_EQ(still.duration, 0);

    cEdCommand homing = cCommandTestStage::MakeCommand(6, 2, true);
    homing.m_lpMove->m_nRadius = 3;
    homing.m_lpMove->m_nRadiusStep = 1;
    chara.memberIndex = 2;
    COMMANDINSTANCE trail;
    SetupCommandInstance(trail, homing, chara, 0);
    EXPECT_EQ(trail.trailInterval, (3 + 2) * b);
}

TEST(CommandSetupTest, TimeFromDistanceWithZeroSpeedEndsAtOnce)
{
    cCommandTestStage stage(1, 0.4);
    cChara& chara = stage.AddChara(400, 400, 1, 0);
    cEdCommand command = cCommandTestStage::MakeCommand(2, 5, true);
    command.m_lpMove->m_nTimeMode = 2;
    command.m_lpMove->m_nDistance = 4;
    command.m_lpMove->m_nSpeed = 0;
    COMMANDINSTANCE inst;
    SetupCommandInstance(inst, command, chara, 0);
    EXPECT_EQ(inst.duration, 0);
    command.m_lpMove->m_nSpeed = 20;
    COMMANDINSTANCE moving;
    SetupCommandInstance(moving, command, chara, 0);
    EXPECT_EQ(moving.duration, static_cast<int>(4 * 16 / 2.0));
}

TEST(CommandSetupTest, JumpRewritesItsDurationFromTheRise)
{
    for (int nLevel : {1, 3, 14}) {
        cCommandTestStage stage(nLevel, 0.6);
        const int b = SubStepCount();
        const double g = 0.6 / (b * b);
        cChara& chara = stage.AddChara(400, 400, 0, 0);
        cEdCommand command = cCommandTestStage::MakeCommand(10, 99, false);
        command.m_Param[2] = 4;
        COMMANDINSTANCE inst;
        SetupCommandInstance(inst, command, chara, 0);
        // The rise of a jump of 4 half-blocks: v = (-g - sqrt(g (g + 8 h))) / 2, h = 64.
        const double v = (-g - std::sqrt(g * (g + 8 * 64.0))) / 2;
        EXPECT_DOUBLE_EQ(inst.speed, v);
        const int nRise = static_cast<int>(b - v / g);
        EXPECT_EQ(command.m_nTime, nRise / b / 6 + 1);
        EXPECT_EQ(inst.duration, command.m_nTime * b * 6);
        EXPECT_GE(inst.duration, nRise);
    }
}

TEST(CommandSetupTest, UnknownKindsRunAsNothingAndAreLoggedOnce)
{
    coretest::TempFolder folder;
    ASSERT_EQ(CreateReportLog("Report_Game.txt"), 1);
    cCommandTestStage stage(1, 0.0);
    cChara& chara = stage.AddChara(400, 400, 1, 0);
    // A crafted flow: two kinds outside the table, then a move right.
    cVector<cEdFlow> flows(1);
    for (int nKind : {77, -3, 2}) {
        cEdCommand command = cCommandTestStage::MakeCommand(nKind, 0, true);
        command.m_lpMove->m_nDirection = 3;
        command.m_lpMove->m_nSpeed = 40;
        flows[0].m_Command.push_back(command);
    }
    ASSERT_EQ(InsertCharaFlows(chara, flows, 0, 0, -1), 1);
    FireCharaTrigger(chara, 0);
    const double x0 = chara.x;
    for (int i = 0; i < 2; ++i) {
        chara.vx = 0.0;
        StepCharaFlows(chara, 0);
        chara.MoveStepX();
        EXPECT_EQ(chara.x, x0) << i;
    }
    chara.vx = 0.0;
    StepCharaFlows(chara, 0);
    chara.MoveStepX();
    EXPECT_NEAR(chara.x - x0, 4.0, 1e-9) << "the flow went on past the unknown kinds";
    // Run again: nothing new is logged.
    FireCharaTrigger(chara, 0);
    for (int i = 0; i < 3; ++i) StepCharaFlows(chara, 0);
    const std::string log = folder.Read("Report_Game.txt");
    for (const char* szLine : {"Command kind 77 is unknown", "Command kind -3 is unknown"}) {
        const std::size_t first = log.find(szLine);
        EXPECT_NE(first, std::string::npos) << szLine;
        EXPECT_EQ(log.find(szLine, first + 1), std::string::npos) << szLine;
    }
}

}  // namespace
