// The movement, facing, jump and warp commands run through the flow runtime and the command
// table on a small stage: per command a table of (settings, sub-steps, expected position and
// facing), the expected values computed from the movement rules (speed = tenths x 0.1 / b per
// sub-step, durations of tenths x 6 x b sub-steps, a command running at least one sub-step).
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>

#include "CommandTestSupport.h"
#include "objects/StageSpeed.h"
#include "objects/commands/CommandSetup.h"

namespace {

const double kInvSqrt2 = 1.0 / std::sqrt(2.0);
constexpr double kDeg = 3.14159265358979323846 / 180.0;

// The stage's left and top edge in world pixels (the field's margin of 10 cells).
constexpr double kStageLeft = 320.0;
constexpr double kStageTop = 320.0;

// Sub-steps a command of nTenths tenths lasts at b sub-steps per frame (at least one).
int Lasts(int nTenths, int b)
{
    const int n = nTenths * 6 * b;
    return n < 1 ? 1 : n;
}

struct STRAIGHTCASE {
    const char* szName;
    int nLevel;  // speed level (b)
    int bFlying;
    int nFacing;
    int nDirection;  // stored code 0..12
    int nInputDir;   // the flow's input direction class
    int nAngle;      // angle base
    int nSpeed;      // tenths of a pixel per frame
    int nTenths;     // duration
    int nSubSteps;   // sub-steps run
    double fDirX;    // unit velocity expected, per axis
    double fDirY;
    int nFacingAfter;
};

TEST(MoveCommandsTest, StraightMoveByDirectionAndAngle)
{
    const STRAIGHTCASE cases[] = {
        {"left", 2, 1, 1, 2, 0, 0, 20, 1, 20, -1, 0, 0},
        {"front of a left-facing character is left", 1, 1, 0, 0, 0, 0, 30, 1, 10, -1, 0, 0},
        {"back of a left-facing character is right", 1, 1, 0, 1, 0, 0, 30, 1, 10, 1, 0, 1},
        {"front-Y of a right-facing flyer is down", 1, 1, 1, 4, 0, 0, 30, 1, 10, 0, 1, 1},
        {"up without gravity", 3, 1, 0, 6, 0, 0, 30, 2, 50, 0, -1, 0},
        {"up with gravity does not move", 1, 0, 0, 6, 0, 0, 30, 1, 10, 0, 0, 0},
        {"right-up diagonal", 1, 1, 0, 10, 0, 0, 30, 1, 8, kInvSqrt2, -kInvSqrt2, 1},
        {"left-up with gravity keeps only the horizontal part", 1, 0, 1, 8, 0, 0, 30, 1, 8, -kInvSqrt2, 0, 0},
        {"input up-left on a walker moves straight left", 1, 0, 1, 12, 5, 0, 30, 1, 8, -1, 0, 0},
        {"input class 9 acts as straight ahead", 1, 1, 1, 12, 9, 0, 30, 1, 8, 1, 0, 1},
        {"angle 90 on left points up", 1, 1, 1, 2, 0, 90, 30, 1, 8, -std::cos(90 * kDeg), -std::sin(90 * kDeg), 0},
        {"angle 30 on right", 2, 1, 0, 3, 0, 30, 30, 1, 8, -std::cos(210 * kDeg), -std::sin(210 * kDeg), 1},
        {"zero speed stays but turns", 1, 1, 1, 2, 0, 0, 0, 1, 10, 0, 0, 0},
        {"zero duration runs one sub-step", 2, 1, 1, 3, 0, 0, 20, 0, 10, 1, 0, 1},
    };
    for (const STRAIGHTCASE& c : cases) {
        SCOPED_TRACE(c.szName);
        cCommandTestStage stage(c.nLevel, 0.0);
        const int b = SubStepCount();
        cChara& chara = stage.AddChara(kStageLeft + 300, kStageTop + 200, c.bFlying, c.nFacing);
        cEdCommand command = cCommandTestStage::MakeCommand(2, c.nTenths, true);
        command.m_lpMove->m_nDirection = static_cast<std::int8_t>(c.nDirection);
        command.m_lpMove->m_nAngle = static_cast<std::int16_t>(c.nAngle);
        command.m_lpMove->m_nSpeed = static_cast<std::int16_t>(c.nSpeed);
        stage.Give(chara, command);
        stage.owner.state.flows[0].inputDir = c.nInputDir;
        const double x0 = chara.x;
        const double y0 = chara.y;
        for (int i = 0; i < c.nSubSteps; ++i) stage.SubStep();
        const int nMoving = std::min(c.nSubSteps, Lasts(c.nTenths, b));
        const double s = c.nSpeed * 0.1 / b;
        EXPECT_NEAR(chara.x - x0, nMoving * s * c.fDirX, 1e-9);
        EXPECT_NEAR(chara.y - y0, nMoving * s * c.fDirY, 1e-9);
        EXPECT_EQ(chara.facing, c.nFacingAfter);
        EXPECT_EQ(stage.owner.state.flows[0].running, c.nSubSteps < Lasts(c.nTenths, b) ? 1 : 0);
    }
}

TEST(MoveCommandsTest, StraightMoveKeepsFacingWhenFixedOrAsked)
{
    for (int nCase = 0; nCase < 2; ++nCase) {
        cCommandTestStage stage(1, 0.0);
        cChara& chara = stage.AddChara(kStageLeft + 300, kStageTop + 200, 1, 1);
        cEdCommand command = cCommandTestStage::MakeCommand(2, 1, true);
        command.m_lpMove->m_nDirection = 2;
        if (nCase == 0) chara.def.m_nDirectionFix = 1;
        if (nCase == 1) command.m_lpMove->m_bKeepFacing = 1;
        stage.Give(chara, command);
        stage.SubStep();
        EXPECT_EQ(chara.facing, 1) << nCase;
        EXPECT_LT(chara.vx, 0.0) << nCase;
    }
}

TEST(MoveCommandsTest, StraightMoveTurnsBackOnlyForAFixedFacingCharacterThatIsTurned)
{
    struct FOLLOWCASE {
        int bFollow;  // turn-with-facing flag of the move
        int bFixed;   // the character's fixed facing
        double fDx;   // four sub-steps at 3 pixels, the facing turned right after two
        int nFacingAfter;
    };
    const FOLLOWCASE cases[] = {
        {1, 1, 0.0, 1},    // reversed when the facing changes
        {1, 0, -12.0, 0},  // not fixed: the move's own request turns it back left
        {0, 1, -12.0, 1},  // no turn-with-facing: keeps going left
    };
    for (const FOLLOWCASE& c : cases) {
        cCommandTestStage stage(1, 0.0);
        cChara& chara = stage.AddChara(kStageLeft + 300, kStageTop + 200, 1, 0);
        chara.def.m_nDirectionFix = static_cast<std::int8_t>(c.bFixed);
        cEdCommand command = cCommandTestStage::MakeCommand(2, 5, true);
        command.m_lpMove->m_nDirection = 2;
        command.m_lpMove->m_nSpeed = 30;
        command.m_lpMove->m_bFollowFacing = static_cast<std::int8_t>(c.bFollow);
        stage.Give(chara, command);
        const double x0 = chara.x;
        stage.SubStep();
        stage.SubStep();
        chara.facing = 1;
        stage.SubStep();
        stage.SubStep();
        EXPECT_NEAR(chara.x - x0, c.fDx, 1e-9) << c.bFollow << c.bFixed;
        EXPECT_EQ(chara.facing, c.nFacingAfter) << c.bFollow << c.bFixed;
    }
}

TEST(MoveCommandsTest, MoveToGoalByEachCoordinateKind)
{
    // The character's graphic centre is at world (436, 536); the camera shows world (400, 320)
    // at the screen's top-left corner, so that centre is at (36, 216) on the screen.
    struct KINDCASE {
        const char* szName;
        int nKind;
        int ox, oy;  // goal dots
        int bUseX, bFreezeX;
        double fDx, fDy;  // the way to the goal in pixels
    };
    const KINDCASE cases[] = {
        {"from the placement at (500, 600)", 0, 10, -4, 1, 0, 74, 60},
        {"relative", 1, 30, -40, 1, 0, 30, -40},
        {"absolute in the stage", 2, 200, 0, 1, 0, 100, -200},
        {"on the screen", 3, 50, 300, 1, 0, 30, 100},
        {"unused x goes straight up", 1, 30, -40, 0, 0, 0, -40},
        {"fixed x keeps its share of the speed off", 1, 30, -40, 1, 1, 30, -40},
    };
    for (const KINDCASE& c : cases) {
        SCOPED_TRACE(c.szName);
        cCommandTestStage stage(1, 0.0);
        stage.field.m_ScrollX.dPos = 400;
        cChara& chara = stage.AddChara(420, 520, 1, 0);
        chara.spawnX = 500;
        chara.spawnY = 600;
        cEdCommand command = cCommandTestStage::MakeCommand(2, 5, true);
        cEdMove& move = *command.m_lpMove;
        move.m_nMoveMode = 1;
        move.m_nCoordKind = static_cast<std::int8_t>(c.nKind);
        move.m_nTargetDotX = static_cast<std::int16_t>(c.ox);
        move.m_nTargetDotY = static_cast<std::int16_t>(c.oy);
        move.m_bUseX = static_cast<std::int8_t>(c.bUseX);
        move.m_bFreezeX = static_cast<std::int8_t>(c.bFreezeX);
        move.m_nSpeed = 30;
        stage.Give(chara, command);
        ASSERT_EQ(chara.ScreenCentreX(), 36);
        ASSERT_EQ(chara.ScreenCentreY(), 216);
        stage.SubStep();
        const double d = std::sqrt(c.fDx * c.fDx + c.fDy * c.fDy);
        const double fExpectX = c.bFreezeX ? 0.0 : 3.0 * c.fDx / d;
        EXPECT_NEAR(chara.x - 420, fExpectX, 1e-9);
        EXPECT_NEAR(chara.y - 520, 3.0 * c.fDy / d, 1e-9);
        EXPECT_EQ(chara.facing, fExpectX > 0.0 ? 1 : 0);
    }
}

TEST(MoveCommandsTest, AcceleratingMoveBuildsInertiaUpToItsMaximum)
{
    // b = 1: a velocity v adds v / 60 to the inertial speed each step (v / b / 60), limited to
    // the maximum; against the inertia it adds only the turn factor's share.
    cCommandTestStage stage(1, 0.0);
    cChara& chara = stage.AddChara(kStageLeft + 300, kStageTop + 200, 1, 1);
    cEdCommand command = cCommandTestStage::MakeCommand(2, 5, true);
    cEdMove& move = *command.m_lpMove;
    move.m_nDirection = 3;
    move.m_nSpeed = 60;  // 6 pixels: 0.1 a step
    move.m_bInertia = 1;
    move.m_nMaxSpeed = 5;  // 0.5 pixels
    move.m_fBrake = 0.25;
    stage.Give(chara, command);
    const double x0 = chara.x;
    double expectedX = 0.0;
    double ax = 0.0;
    for (int i = 0; i < 8; ++i) {
        stage.SubStep();
        ax = std::min(ax + 0.1, 0.5);
        expectedX += ax;
        EXPECT_NEAR(chara.ax, ax, 1e-12) << i;
    }
    EXPECT_NEAR(chara.x - x0, expectedX, 1e-9);
    EXPECT_NEAR(chara.vx, 0.5, 1e-12) << "the command adds nothing to vx itself";

    // Reversing: each step moves the inertia back by a quarter of 0.1.
    cCommandTestStage back(1, 0.0);
    cChara& other = back.AddChara(kStageLeft + 300, kStageTop + 200, 1, 1);
    other.ax = 0.5;
    move.m_nDirection = 2;
    back.Give(other, command);
    back.SubStep();
    EXPECT_NEAR(other.ax, 0.5 - 0.1 * 0.25, 1e-12);
    EXPECT_EQ(other.facing, 0);
}

TEST(MoveCommandsTest, EveryMoveWithZeroSpeedStaysAndWithZeroDurationRunsOneStep)
{
    // Per kind: a character placed where the move acts (the stay-on-screen one off the screen's
    // right edge, the patrol on a floor), the hero as target below and to the right.
    struct KINDCASE {
        int nKind;
        int bFlying;
        double x;
    };
    const KINDCASE kinds[] = {
        {2, 1, kStageLeft + 100}, {3, 0, 12 * 32},          {5, 1, kStageLeft + 100},
        {6, 1, kStageLeft + 100}, {7, 1, kStageLeft + 620},
    };
    for (const KINDCASE& k : kinds) {
        for (int nSpeed : {0, 30}) {
            cCommandTestStage stage(1, 0.0);
            for (int col = 10; col <= 20; ++col) stage.SetSolid(col, 21);
            cPlayer& hero = stage.SetupHero(kStageLeft + 500, kStageTop + 300);
            cChara& chara = stage.AddChara(k.x, k.bFlying ? kStageTop + 100 : 20 * 32, k.bFlying, 1);
            chara.target = CharaRef(hero.source);
            cEdCommand command = cCommandTestStage::MakeCommand(k.nKind, 0, true);
            command.m_lpMove->m_nDirection = k.nKind == 7 ? 2 : 3;
            command.m_lpMove->m_nSpeed = static_cast<std::int16_t>(nSpeed);
            command.m_lpMove->m_bMirrorY = 0;
            stage.Give(chara, command);
            const double x0 = chara.x;
            const double y0 = chara.y;
            EXPECT_EQ(stage.SubStep(), 0) << "kind " << k.nKind << ": a zero duration runs one sub-step";
            const double dx = chara.x - x0;
            const double dy = chara.y - y0;
            for (int i = 0; i < 9; ++i) stage.SubStep();
            EXPECT_EQ(chara.x - x0, dx) << "kind " << k.nKind;
            EXPECT_EQ(chara.y - y0, dy) << "kind " << k.nKind;
            EXPECT_NEAR(std::sqrt(dx * dx + dy * dy), nSpeed * 0.1, 1e-9) << "kind " << k.nKind << " speed " << nSpeed;
        }
    }
}

TEST(MoveCommandsTest, MoveToGoalEndsWhenTheDistanceIsCovered)
{
    struct GOALCASE {
        int nDots;         // goal offset right, pixels (relative coordinates)
        int nSpeed;        // tenths per frame at b = 1
        int bStop;         // stop-at-target
        int nExpectSteps;  // trunc(|d| / |s|), at least one run
    };
    const GOALCASE cases[] = {
        {64, 30, 0, 64 / 3}, {90, 40, 1, 90 / 4}, {2, 30, 1, 1},  // shorter than one step: stops on the used axis
    };
    for (const GOALCASE& c : cases) {
        cCommandTestStage stage(1, 0.0);
        cChara& chara = stage.AddChara(kStageLeft + 100, kStageTop + 200, 1, 0);
        cEdCommand command = cCommandTestStage::MakeCommand(2, 50, true);
        cEdMove& move = *command.m_lpMove;
        move.m_nMoveMode = 1;
        move.m_nCoordKind = 1;
        move.m_nTargetDotX = static_cast<std::int16_t>(c.nDots);
        move.m_bUseY = 0;
        move.m_nSpeed = static_cast<std::int16_t>(c.nSpeed);
        move.m_bArriveEnds = 1;
        move.m_bStopOnArrival = static_cast<std::int8_t>(c.bStop);
        stage.Give(chara, command);
        const double x0 = chara.x;
        int nSteps = 0;
        while (stage.SubStep() && nSteps < 1000) ++nSteps;
        ++nSteps;
        const double s = c.nSpeed * 0.1;
        const int nRemain = static_cast<int>(c.nDots / s);
        EXPECT_EQ(nSteps, c.nExpectSteps) << c.nDots;
        EXPECT_NEAR(chara.x - x0, (c.bStop && nRemain <= 0) ? 0.0 : c.nExpectSteps * s, 1e-9) << c.nDots;
        EXPECT_EQ(chara.facing, (c.bStop && nRemain <= 0) ? 0 : 1) << c.nDots;
    }
}

TEST(MoveCommandsTest, GroundPatrolTurnsAtALedgeAndFlyersDoNotPatrol)
{
    cCommandTestStage stage(1, 0.0);
    // Floor under columns 10..14 of row 21 (stage row 11); the character stands on row 20 with
    // its right edge past the floor's end.
    for (int col = 10; col <= 14; ++col) stage.SetSolid(col, 21);
    cChara& walker = stage.AddChara(14 * 32 + 8, 20 * 32, 0, 1);
    cEdCommand command = cCommandTestStage::MakeCommand(3, 1, true);
    command.m_lpMove->m_nSpeed = 20;
    stage.Give(walker, command);
    const double x0 = walker.x;
    stage.SubStep();
    // The ledge turns it; this step still moves the old way.
    EXPECT_EQ(walker.facing, 0);
    EXPECT_NEAR(walker.x - x0, 2.0, 1e-9);
    stage.SubStep();
    EXPECT_NEAR(walker.x - x0, 0.0, 1e-9);

    cCommandTestStage air(1, 0.0);
    cChara& flyer = air.AddChara(kStageLeft + 100, kStageTop + 100, 1, 1);
    flyer.fixedScreenX = 1;
    air.Give(flyer, command);
    const double f0 = flyer.x;
    air.SubStep();
    EXPECT_EQ(flyer.x, f0);
    EXPECT_EQ(flyer.fixedScreenX, 1) << "a flyer's patrol does nothing at all";
}

TEST(MoveCommandsTest, GroundPatrolTurnsBackWhenPushedOffABlockCharacter)
{
    struct PUSHCASE {
        int nFacing;
        double fMoved;   // how far the block character moved since it was remembered
        double fExpect;  // the step's velocity: back at speed 2, plus the block's move, twice
                         // when it moved against the way the character faced
    };
    const PUSHCASE cases[] = {
        {1, -1.5, -2.0 + 2 * -1.5},  // facing right, block moved left: twice
        {1, 1.5, -2.0 + 1.5},
        {0, 1.5, 2.0 + 2 * 1.5},  // facing left, block moved right: twice
        {0, -1.5, 2.0 - 1.5},
    };
    for (const PUSHCASE& c : cases) {
        cCommandTestStage stage(1, 0.0);
        cChara& walker = stage.AddChara(kStageLeft + 200, kStageTop + 100, 0, c.nFacing);
        CharaList.emplace_front();
        cChara& block = CharaList.front();
        block.source = 7;
        block.x = kStageLeft + 260 + c.fMoved;
        walker.leftFoothold = 1;
        walker.footholdKey = 7;
        walker.footholdBox[0] = kStageLeft + 260;
        cEdCommand command = cCommandTestStage::MakeCommand(3, 1, true);
        command.m_lpMove->m_nSpeed = 20;
        stage.Give(walker, command);
        const double x0 = walker.x;
        stage.SubStep();
        EXPECT_NEAR(walker.x - x0, c.fExpect, 1e-9) << c.nFacing << " " << c.fMoved;
        EXPECT_EQ(walker.facing, 1 - c.nFacing);
        EXPECT_EQ(walker.leftFoothold, 0);
    }
}

TEST(MoveCommandsTest, CircleSenseFollowsFacingAndRadiusZeroDoesNothing)
{
    struct CIRCLECASE {
        int nSense;
        int nFacing;
        int nSign;  // sign of the first vertical velocity
    };
    const CIRCLECASE cases[] = {{0, 0, -1}, {1, 0, 1}, {2, 0, -1}, {2, 1, 1}, {3, 0, 1}, {3, 1, -1}};
    for (const CIRCLECASE& c : cases) {
        cCommandTestStage stage(2, 0.0);
        const int b = SubStepCount();
        cChara& chara = stage.AddChara(kStageLeft + 300, kStageTop + 200, 1, c.nFacing);
        cEdCommand command = cCommandTestStage::MakeCommand(4, 1, true);
        cEdMove& move = *command.m_lpMove;
        move.m_nDirection = static_cast<std::int8_t>(c.nSense);
        move.m_nRadius = 2;      // half-blocks
        move.m_nAngle = 90;      // start
        move.m_nDistance = 180;  // end
        move.m_nTimeMode = 0;
        const COMMANDINSTANCE& inst = stage.Give(chara, command);
        // Speed: span / duration / b degrees per sub-step; radius 2 x 16 x b.
        const double fSpeed = (180 - 90) * b / static_cast<double>(6 * b) / b;
        EXPECT_DOUBLE_EQ(inst.speed, fSpeed);
        EXPECT_EQ(inst.radius, 2 * 16 * b);
        const double y0 = chara.y;
        stage.SubStep();
        // First step: phase 90 x b, offset 270 (sense 0) or 90: v = -(a k cos(k (90 + offset)) / b) x speed.
        const double a = 2 * 16 * b;
        const int nOffset = c.nSign < 0 ? 270 : 90;
        const double vy = -(a * kDeg * std::cos(kDeg * (90 + nOffset)) / b) * fSpeed;
        EXPECT_NEAR(chara.y - y0, vy, 1e-9) << c.nSense << "/" << c.nFacing;
        EXPECT_EQ(vy > 0 ? 1 : -1, c.nSign);
    }
    cCommandTestStage stage(1, 0.0);
    cChara& chara = stage.AddChara(kStageLeft + 300, kStageTop + 200, 1, 0);
    chara.fixedScreenY = 1;
    cEdCommand command = cCommandTestStage::MakeCommand(4, 1, true);
    command.m_lpMove->m_nRadius = 0;
    command.m_lpMove->m_nDistance = 180;
    stage.Give(chara, command);
    const double x0 = chara.x;
    const double y0 = chara.y;
    stage.SubStep();
    EXPECT_EQ(chara.x, x0);
    EXPECT_EQ(chara.y, y0);
    EXPECT_EQ(chara.fixedScreenY, 1);
}

TEST(MoveCommandsTest, ChargeAimsAtTheTargetAndNeedsOne)
{
    cCommandTestStage stage(1, 0.0);
    cPlayer& hero = stage.SetupHero(kStageLeft + 400, kStageTop + 100);
    cChara& chara = stage.AddChara(kStageLeft + 100, kStageTop + 200, 1, 0);
    chara.target = CharaRef(hero.source);
    cEdCommand command = cCommandTestStage::MakeCommand(5, 1, true);
    command.m_lpMove->m_nSpeed = 50;
    command.m_lpMove->m_bMirrorY = 0;
    stage.Give(chara, command);
    const double dx = hero.ScreenCentreX() - chara.ScreenCentreX();
    const double dy = hero.ScreenCentreY() - chara.ScreenCentreY();
    const double d = std::sqrt(dx * dx + dy * dy);
    const double x0 = chara.x;
    const double y0 = chara.y;
    for (int i = 0; i < 4; ++i) stage.SubStep();
    EXPECT_NEAR(chara.x - x0, 4 * 5.0 * dx / d, 1e-9);
    EXPECT_NEAR(chara.y - y0, 4 * 5.0 * dy / d, 1e-9);
    EXPECT_EQ(chara.facing, 1);

    cCommandTestStage lone(1, 0.0);
    cChara& alone = lone.AddChara(kStageLeft + 100, kStageTop + 200, 1, 0);
    lone.Give(alone, command);
    const double a0 = alone.x;
    for (int i = 0; i < 3; ++i) lone.SubStep();
    EXPECT_EQ(alone.x, a0);
}

TEST(MoveCommandsTest, HomingWithoutIntervalFollowsTheTargetEveryStep)
{
    cCommandTestStage stage(1, 0.0);
    cPlayer& hero = stage.SetupHero(kStageLeft + 300, kStageTop + 100);
    cChara& chara = stage.AddChara(kStageLeft + 100, kStageTop + 100, 1, 1);
    chara.target = CharaRef(hero.source);
    cEdCommand command = cCommandTestStage::MakeCommand(6, 2, true);
    command.m_lpMove->m_nSpeed = 20;
    command.m_lpMove->m_bMirrorY = 0;
    stage.Give(chara, command);
    const double x0 = chara.x;
    stage.SubStep();
    EXPECT_NEAR(chara.x - x0, 2.0, 1e-9);
    // The target moves below the character: the next step goes straight down.
    hero.x = chara.x;
    hero.y = chara.y + 150;
    hero.ClampToStageY(1);
    hero.CalcScreenRect();
    const double y1 = chara.y;
    const double x1 = chara.x;
    stage.SubStep();
    EXPECT_NEAR(chara.y - y1, 2.0, 1e-9);
    EXPECT_NEAR(chara.x - x1, 0.0, 1e-9);
    // A dying target stops the homing.
    hero.dying = 1;
    const double y2 = chara.y;
    stage.SubStep();
    EXPECT_EQ(chara.y, y2);
}

TEST(MoveCommandsTest, HomingThatStopsAtTheTargetSettlesOnIt)
{
    // Speed 2 pixels a sub-step; the hero's graphic centre lies (dx, dy) from the character's.
    struct ARRIVECASE {
        const char* szName;
        int bFlying;
        int bStop;
        int dx;
        int dy;
        double fMoveX;  // the move of the first sub-step
        double fMoveY;
    };
    const double fDiag = 2.0 * kInvSqrt2;
    const double fFar = std::sqrt(26.0);
    const ARRIVECASE cases[] = {
        {"flying, within a step: snaps onto the point", 1, 1, 1, 1, 1.0, 1.0},
        {"flying, without the stop: the full step", 1, 0, 1, 1, fDiag, fDiag},
        {"flying, one axis a step away: no arrival", 1, 1, 1, 5, 2.0 / fFar, 10.0 / fFar},
        {"walking, within a step: snaps onto the point", 0, 1, -1, 0, -1.0, 0.0},
        {"walking, without the stop: the full step", 0, 0, -1, 0, -2.0, 0.0},
    };
    for (const ARRIVECASE& c : cases) {
        SCOPED_TRACE(c.szName);
        cCommandTestStage stage(1, 0.0);
        cPlayer& hero = stage.SetupHero(kStageLeft + 300, kStageTop + 100);
        cChara& chara = stage.AddChara(hero.x - c.dx, hero.y - c.dy, c.bFlying, 1);
        chara.target = CharaRef(hero.source);
        cEdCommand command = cCommandTestStage::MakeCommand(6, 2, true);
        command.m_lpMove->m_nSpeed = 20;
        command.m_lpMove->m_bMirrorY = 0;
        command.m_lpMove->m_bStopOnArrival = static_cast<std::int8_t>(c.bStop);
        stage.Give(chara, command);
        const double x0 = chara.x;
        const double y0 = chara.y;
        stage.SubStep();
        EXPECT_NEAR(chara.x - x0, c.fMoveX, 1e-9);
        EXPECT_NEAR(chara.y - y0, c.fMoveY, 1e-9);
        if (c.bStop && std::abs(c.dy) < 2) {
            // Arrived: it stays on the point instead of overshooting and swinging back.
            stage.SubStep();
            EXPECT_EQ(chara.ScreenCentreX(), hero.ScreenCentreX());
            EXPECT_EQ(chara.ScreenCentreY(), hero.ScreenCentreY());
            EXPECT_NEAR(chara.x - x0, c.fMoveX, 1e-9);
        }
    }
}

TEST(MoveCommandsTest, StayOnScreenBringsTheCharacterBack)
{
    cCommandTestStage stage(1, 0.0);
    // 620 pixels right of the view's left edge: past 608.
    cChara& chara = stage.AddChara(kStageLeft + 620, kStageTop + 100, 1, 1);
    cEdCommand command = cCommandTestStage::MakeCommand(7, 1, true);
    command.m_lpMove->m_nDirection = 2;
    command.m_lpMove->m_nSpeed = 40;
    stage.Give(chara, command);
    const double x0 = chara.x;
    stage.SubStep();
    EXPECT_NEAR(chara.x - x0, -4.0, 1e-9);
    // Inside the screen nothing happens.
    chara.x = kStageLeft + 300;
    chara.ClampToStageX(2);
    chara.CalcScreenRect();
    const double x1 = chara.x;
    stage.SubStep();
    EXPECT_EQ(chara.x, x1);
}

TEST(MoveCommandsTest, StopZeroesEverySpeed)
{
    cCommandTestStage stage(1, 0.0);
    cChara& chara = stage.AddChara(kStageLeft + 300, kStageTop + 100, 1, 1);
    chara.ax = 2.0;
    chara.ay = -1.0;
    chara.knockX = 3.0;
    chara.fixedScreenX = chara.fixedScreenY = 1;
    stage.Give(chara, cCommandTestStage::MakeCommand(8, 1, false));
    const double x0 = chara.x;
    stage.SubStep();
    EXPECT_EQ(chara.x, x0);
    EXPECT_EQ(chara.ax, 0.0);
    EXPECT_EQ(chara.ay, 0.0);
    EXPECT_EQ(chara.knockX, 0.0);
    EXPECT_EQ(chara.fixedScreenX + chara.fixedScreenY, 0);
    EXPECT_EQ(chara.moveStopped, 1);
}

TEST(MoveCommandsTest, FacingChangeActsOnlyWithFixedFacingAndRepeatsEveryTenth)
{
    struct FACINGCASE {
        int nChoice;
        int bFixed;
        int nWall;
        int nStart;
        int nExpected;
    };
    // The hero stands to the right of the character.
    const FACINGCASE cases[] = {
        {0, 1, -1, 1, 0}, {1, 1, -1, 0, 1}, {2, 1, -1, 0, 1}, {3, 1, -1, 1, 0},
        {4, 1, 0, 1, 0},  {5, 1, 0, 0, 1},  {4, 1, -1, 1, 1}, {1, 0, -1, 0, 0},
    };
    for (const FACINGCASE& c : cases) {
        cCommandTestStage stage(2, 0.0);
        const int b = SubStepCount();
        cPlayer& hero = stage.SetupHero(kStageLeft + 500, kStageTop + 100);
        cChara& chara = stage.AddChara(kStageLeft + 100, kStageTop + 100, 1, c.nStart);
        chara.target = CharaRef(hero.source);
        chara.def.m_nDirectionFix = static_cast<std::int8_t>(c.bFixed);
        chara.lastWallSide = c.nWall;
        cEdCommand command = cCommandTestStage::MakeCommand(9, 2, false);
        command.m_Param[0] = c.nChoice;
        stage.Give(chara, command);
        stage.SubStep();
        EXPECT_EQ(chara.facing, c.nExpected) << c.nChoice << " fixed " << c.bFixed;
        if (c.bFixed && c.nChoice <= 1) {
            // Turned back by hand: the command sets the facing again 6 x b sub-steps later.
            chara.facing ^= 1;
            for (int i = 1; i < 6 * b; ++i) stage.SubStep();
            EXPECT_NE(chara.facing, c.nExpected);
            stage.SubStep();
            EXPECT_EQ(chara.facing, c.nExpected);
        }
    }
}

TEST(MoveCommandsTest, WarpMovesByDistanceAndIsUndoneInAWall)
{
    struct WARPCASE {
        int nDirection;
        int nDistance;  // half-blocks
        int bWall;      // a wall where it would land
        double fDx;
        double fDy;
    };
    const WARPCASE cases[] = {
        {3, 2, 0, 32, 0}, {2, 1, 0, -16, 0}, {7, 2, 0, 0, 32}, {11, 2, 0, 32 * kInvSqrt2, 32 * kInvSqrt2},
        {3, 4, 1, 0, 0},  {2, 100, 0, 0, 0},  // 1600 pixels left: outside the stage
    };
    for (const WARPCASE& c : cases) {
        cCommandTestStage stage(1, 0.0);
        cChara& chara = stage.AddChara(14 * 32, 20 * 32, 1, 1);
        chara.blockMode = 1;
        if (c.bWall) stage.SetSolid(16, 20);
        cEdCommand command = cCommandTestStage::MakeCommand(20, 0, true);
        command.m_lpMove->m_nDirection = static_cast<std::int8_t>(c.nDirection);
        command.m_lpMove->m_nDistance = static_cast<std::int16_t>(c.nDistance);
        stage.Give(chara, command);
        const double x0 = chara.x;
        const double y0 = chara.y;
        stage.SubStep();
        EXPECT_NEAR(chara.x - x0, c.fDx, 1e-9) << c.nDirection << " " << c.nDistance;
        EXPECT_NEAR(chara.y - y0, c.fDy, 1e-9) << c.nDirection << " " << c.nDistance;
    }
}

TEST(MoveCommandsTest, WarpFromTheTargetGoesByTheTargetsFacing)
{
    struct FROMCASE {
        int nDirection;
        int bTarget;
        double fX, fY;  // where the character lands
    };
    const double k = 32 * kInvSqrt2;
    const FROMCASE cases[] = {
        {0, 1, 632, 520},          // front of the right-facing target
        {1, 1, 568, 520},          // its back
        {9, 1, 600 - k, 520 + k},  // left-down
        {13, 1, 420, 400},         // no direction: the character stays
        {3, 0, 420, 400},          // no target: nothing happens
    };
    for (const FROMCASE& c : cases) {
        cCommandTestStage stage(1, 0.0);
        cPlayer& hero = stage.SetupHero(600, 520);
        hero.facing = 1;
        cChara& chara = stage.AddChara(420, 400, 1, 0);
        if (c.bTarget) chara.target = CharaRef(hero.source);
        cEdCommand command = cCommandTestStage::MakeCommand(20, 0, true);
        command.m_lpMove->m_nMoveMode = 1;
        command.m_lpMove->m_nDirection = static_cast<std::int8_t>(c.nDirection);
        command.m_lpMove->m_nDistance = 2;
        stage.Give(chara, command);
        stage.SubStep();
        EXPECT_NEAR(chara.x, c.fX, 1e-9) << c.nDirection;
        EXPECT_NEAR(chara.y, c.fY, 1e-9) << c.nDirection;
    }
}

TEST(MoveCommandsTest, WarpToScreenCoordinatesFixesTheCharacterOnTheScreen)
{
    cCommandTestStage stage(1, 0.0);
    cChara& chara = stage.AddChara(kStageLeft + 100, kStageTop + 100, 1, 0);
    cEdCommand command = cCommandTestStage::MakeCommand(20, 0, true);
    cEdMove& move = *command.m_lpMove;
    move.m_nMoveMode = 2;
    move.m_nCoordKind = 2;
    move.m_nTargetX = 5;
    move.m_nTargetDotY = 40;
    stage.Give(chara, command);
    stage.SubStep();
    EXPECT_EQ(chara.x, kStageLeft + 5 * 32);
    EXPECT_EQ(chara.y, kStageTop + 40);
    EXPECT_EQ(chara.fixedScreenX, 1);
    EXPECT_EQ(chara.fixedScreenY, 1);
    EXPECT_EQ(chara.fixedScreenPosX, 5 * 32);
    EXPECT_EQ(chara.fixedScreenPosY, 40);
}

}  // namespace
