// The hero steered by scripted controller input through its own flows: it walks while a
// direction is held and the camera follows it; it jumps to the height the jump formulas give,
// a held jump key keeps the full height and an early release cuts the rise, the height may follow
// the run speed, a jump off a block character pushes 1.02 times as hard, and a key held on
// landing starts no second jump. The expected heights are summed from the jump speed formula
// (v = (-g - sqrt(g (g + 8 h))) / 2 times 0.99 - 0.025 G for the hero) under gravity g per
// sub-step.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "CommandTestSupport.h"
#include "input/cInput.h"
#include "objects/StageSpeed.h"
#include "objects/chara/cCharaFlowOwner.h"
#include "objects/commands/CommandSetup.h"
#include "objects/commands/FlowInsertion.h"
#include "objects/commands/PlayerJump.h"

namespace {

constexpr double kGravity = 0.6;
// Speed levels 11 and up run 1, 2, ... sub-steps a frame with a speed limit of 60 pixels a frame,
// far above these jumps.
constexpr int kGroundRow = 20;  // field row of the floor; the hero stands on row 19
constexpr double kGroundY = (kGroundRow - 1) * 32.0;

// The hero's initial jump speed for h pixels at b sub-steps.
double HeroJumpSpeed(double h, int b)
{
    const double g = kGravity / (b * b);
    return (-g - std::sqrt(g * (g + 8 * h))) / 2 * (0.99 - 0.025 * kGravity);
}

// Highest rise of a jump starting at speed v, the speed multiplied by fCut on sub-step nCutStep
// (0: never) before gravity, as the play step runs: jump, gravity, move.
double ExpectedRise(double v, int b, int nCutStep, double fCut)
{
    const double g = kGravity / (b * b);
    double vy = v;
    double y = 0.0;
    double top = 0.0;
    for (int step = 1; step < 10000; ++step) {
        if (step == nCutStep && vy < 0.0) vy *= fCut;
        vy += g;
        y += vy;
        if (y < top) top = y;
        if (vy >= 0.0) break;
    }
    return -top;
}

cEdKeyCondition KeyHeld(int nLog)
{
    cEdKeyCondition key;
    key.m_bAnyLength = 1;
    key.m_KeyFlag[nLog] = 1;
    return key;
}

class PlayerJumpTest : public ::testing::Test {
protected:
    explicit PlayerJumpTest(int nLevel = 11) : stage(nLevel, kGravity) {}

    void SetUp() override
    {
        ResetInput();
        Input[0].ResetKeyLog();
        for (int col = 0; col < 60; ++col) stage.SetSolid(col, kGroundRow);
        hero = &stage.SetupHero(640, kGroundY);
        hero->floorCell = 10 + (kGroundRow << cCommandTestStage::kPitchShift);
        hero->airborne = 0;
        hero->AdjustPosX();
        hero->AdjustPosY();
    }
    void TearDown() override { ResetInput(); }

    // A flow starting when key log nLog is pressed (level mode: every frame while held).
    void AddFlow(int nLog, int bLevel, const cEdCommand& command)
    {
        cVector<cEdFlow> flows(1);
        flows[0].m_bKeyRepeat = static_cast<std::int8_t>(bLevel);
        flows[0].m_KeyCondition.push_back(KeyHeld(nLog));
        flows[0].m_Command.push_back(command);
        InsertCharaFlows(*hero, flows, hero->facing, 0, -1);
    }

    static cEdCommand Jump(int nMode, int nHeight)
    {
        cEdCommand command = cCommandTestStage::MakeCommand(10, 0, false);
        command.m_Param[0] = nMode;
        command.m_Param[2] = nHeight;
        return command;
    }

    // One frame of the controller, then its sub-steps as the hero's play step runs them: the
    // flow run (base velocity, resets, flows, jump state), gravity, both movement steps, and the
    // floor under the hero.
    void Frame(SHORT wDir, SHORT wButton)
    {
        Input[0].wDir = wDir;
        Input[0].wButton = wButton;
        Input[0].UpdateKeyLog();
        ResetCharaFlowFrameFlags(*hero);
        for (int s = 1; s <= SubStepCount(); ++s) {
            stage.field.m_nSubStep = s;
            hero->vx = 0.0;
            hero->jumpDone = 0;
            FireCharaTrigger(*hero, 0);
            StepCharaFlows(*hero, 0);
            if (hero->jumpDone == 0) {
                hero->actsThisFrame = 0;
                hero->canJump = 1;
                hero->jumpLocked = 0;
            }
            hero->ApplyGravity();
            hero->MoveStepX();
            hero->MoveStepY();
            if (hero->vy >= 0.0 && hero->y >= kGroundY) {
                // The floor collision: back onto the floor, landed.
                hero->y = kGroundY;
                hero->AdjustPosY();
                hero->vy = 0.0;
                hero->airborne = 0;
                hero->jumpRiseOver = 0;
                hero->jumped = 0;
                hero->floorCell = 10 + (kGroundRow << cCommandTestStage::kPitchShift);
            } else {
                hero->airborne = 1;
                hero->floorCell = cCharaBase::kNoCell;
            }
            if (kGroundY - hero->y > top) top = kGroundY - hero->y;
            if (hero->vy < 0.0 && !wasRising) ++takeoffs;
            wasRising = hero->vy < 0.0;
        }
    }

    cCommandTestStage stage;
    cPlayer* hero = nullptr;
    double top = 0.0;
    int takeoffs = 0;
    bool wasRising = false;
};

TEST_F(PlayerJumpTest, WalksWhileRightIsHeldAndTheCameraFollows)
{
    cEdCommand walk = cCommandTestStage::MakeCommand(2, 0, true);
    walk.m_lpMove->m_nDirection = 3;
    walk.m_lpMove->m_nSpeed = 30;
    hero->facing = 0;
    AddFlow(2, 1, walk);
    const double x0 = hero->x;
    for (int i = 0; i < 60; ++i) Frame(DIR_RIGHT, 0);
    // 60 frames of one sub-step at 30 tenths: 3 pixels each.
    EXPECT_NEAR(hero->x - x0, 60 * 3.0, 1e-9);
    EXPECT_EQ(hero->facing, 1);
    const cScroll& camera = CameraX();
    double expected = hero->x - (320 - hero->hitWidth / 2);
    if (expected < camera.nMin) expected = camera.nMin;
    if (expected + 640 > camera.nMax) expected = camera.nMax - 640;
    EXPECT_DOUBLE_EQ(camera.dPos, expected);
    EXPECT_GT(camera.dPos, camera.nMin) << "the camera moved with the hero";
    for (int i = 0; i < 10; ++i) Frame(0, 0);
    EXPECT_NEAR(hero->x - x0, 60 * 3.0, 1e-9) << "released: it stops";
}

TEST_F(PlayerJumpTest, HeldJumpReachesTheFullHeightAndAnEarlyReleaseCutsIt)
{
    const double v = HeroJumpSpeed(4 * 16, 1);
    AddFlow(11, 0, Jump(JUMP_HOLD, 4));
    for (int i = 0; i < 80; ++i) Frame(0, 1);
    EXPECT_NEAR(top, ExpectedRise(v, 1, 0, 1.0), 1e-9);
    EXPECT_EQ(takeoffs, 1) << "a key held on landing starts no second jump";
    EXPECT_EQ(hero->y, kGroundY);

    // Pressed for three sub-steps: the fourth cuts the rising speed to 30 % once.
    top = 0.0;
    takeoffs = 0;
    for (int i = 0; i < 5; ++i) Frame(0, 0);
    for (int i = 0; i < 3; ++i) Frame(0, 1);
    for (int i = 0; i < 60; ++i) Frame(0, 0);
    EXPECT_EQ(takeoffs, 1);
    EXPECT_NEAR(top, ExpectedRise(v, 1, 4, 0.3), 1e-9);
    EXPECT_LT(top, ExpectedRise(v, 1, 0, 1.0));
}

TEST_F(PlayerJumpTest, FixedHeightIgnoresTheRelease)
{
    const double v = HeroJumpSpeed(3 * 16, 1);
    AddFlow(11, 0, Jump(JUMP_FIXED, 3));
    Frame(0, 1);
    for (int i = 0; i < 60; ++i) Frame(0, 0);
    EXPECT_NEAR(top, ExpectedRise(v, 1, 0, 1.0), 1e-9);
}

TEST_F(PlayerJumpTest, RunSpeedBetweenTheThresholdsInterpolatesTheHeight)
{
    struct RUNCASE {
        double fRun;  // |ax|, pixels per sub-step
        int nHeight;  // half-blocks expected
    };
    // Full height 6 at 40 / 10 = 4 pixels or faster, low height 2 at 10 / 10 = 1 or slower.
    const RUNCASE cases[] = {{5.0, 6}, {4.0, 6}, {1.0, 2}, {0.5, 2}, {2.5, static_cast<int>(4 * 2.5 / 4 + 2)}};
    for (const RUNCASE& c : cases) {
        cEdCommand command = Jump(JUMP_RUN_SPEED, 6);
        command.m_Param[1] = 40;
        command.m_Param[3] = 10;
        command.m_Param[4] = 2;
        AddFlow(11, 0, command);
        hero->ax = -c.fRun;
        Frame(0, 1);
        COMMANDINSTANCE& inst = hero->flows[0].commands[0];
        EXPECT_DOUBLE_EQ(inst.speed, HeroJumpSpeed(c.nHeight * 16, 1)) << c.fRun;
        hero->ax = 0.0;
        for (int i = 0; i < 60; ++i) Frame(0, 0);
    }
}

TEST_F(PlayerJumpTest, JumpOffABlockCharacterPushesHarder)
{
    AddFlow(11, 0, Jump(JUMP_HOLD, 4));
    hero->onFoothold = 1;
    Input[0].wButton = 1;
    Input[0].UpdateKeyLog();
    stage.field.m_nSubStep = 1;
    FireCharaTrigger(*hero, 0);
    StepCharaFlows(*hero, 0);
    EXPECT_DOUBLE_EQ(hero->vy, HeroJumpSpeed(64, 1) * 1.0199999809265137);
    EXPECT_EQ(hero->onFoothold, 0);
}

class PlayerJumpTwoStepsTest : public PlayerJumpTest {
protected:
    PlayerJumpTwoStepsTest() : PlayerJumpTest(12) {}
};

TEST_F(PlayerJumpTwoStepsTest, HeightIsTheSameAtTwoSubStepsAFrame)
{
    const double v = HeroJumpSpeed(4 * 16, 2);
    AddFlow(11, 0, Jump(JUMP_HOLD, 4));
    for (int i = 0; i < 80; ++i) Frame(0, 1);
    EXPECT_NEAR(top, ExpectedRise(v, 2, 0, 1.0), 1e-9);
    EXPECT_NEAR(top, 4 * 16 * std::pow(0.99 - 0.025 * kGravity, 2), 1.0) << "about the asked height";
    EXPECT_EQ(takeoffs, 1);
}

}  // namespace
