// The shot object: set-up from its definition and launch, lifetime and range in sub-steps, the
// block test, the erase that unlinks it everywhere, the off-screen rule of the play step, and
// swords following their owner through the steps of their sword type.
#include <gtest/gtest.h>

#include <cmath>

#include "ShotTestSupport.h"
#include "definitions/cEdOffScreenLimit.h"
#include "definitions/cEdStage.h"
#include "objects/StageSpeed.h"
#include "objects/shot/ShotLaunch.h"
#include "objects/shot/ShotStep.h"
#include "project/cDatabase.h"

namespace {

using shottest::kSx;
using shottest::kSy;
using shottest::ShotTest;

class cShotTest : public ShotTest {
protected:
    cShot& Fire(const cCharaBase& owner, int x, int y, double vx, double vy, int commandKind = SHOTCMD_SHOT)
    {
        SHOTLAUNCH launch;
        launch.x = x;
        launch.y = y;
        launch.vx = vx;
        launch.vy = vy;
        launch.speed = std::sqrt(vx * vx + vy * vy);
        launch.range = Def().m_nRange;
        launch.lifetime = Def().m_nLifeTime;
        cShot shot;
        shot.Init(field.m_nShotSerial++, owner, commandKind, Def(), launch);
        return AddShotObject(field.m_ShotList, shot);
    }
    void StepAll(int n, bool first = false)
    {
        for (int i = 0; i < n; ++i) StepShots(field.m_ShotList, first);
    }
};

TEST_F(cShotTest, InitTakesSizeFacingFactionAndAttackBoxFromItsSources)
{
    Stage.m_nHeroShotW = 12;
    Stage.m_nHeroShotH = 8;
    Stage.m_nCharaShotW = 6;
    Stage.m_nCharaShotH = 10;
    struct Case {
        const char* szName;
        int size;  // stored size factor
        int operatorValue;
        int ownerFacing;
        double vx;
        int ownerFaction;
        int expectedFacing;
        int expectedFaction;  // definition's 4 unless the owner's is taken
        int attackW, attackH;
    };
    const Case cases[] = {
        {"size 0 counts as 1; straight down keeps the owner's facing", 0, 1, 1, 0.0, -1, 1, 4, 6, 10},
        {"a shot of the player's side uses the first range", 1, 0, 0, 0.0, -1, 0, 4, 12, 8},
        {"moving right faces right", 1, 1, 0, 2.0, -1, 1, 4, 6, 10},
        {"moving left faces left", 1, 1, 1, -2.0, -1, 0, 4, 6, 10},
        {"size 2 doubles body and attack box", 2, 1, 1, 0.0, -1, 1, 4, 6, 10},
        {"the owner's faction when asked", 1, 1, 1, 0.0, 6, 1, 6, 6, 10},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.szName);
        ClearShots();
        CharaList.clear();
        cChara& owner = AddChara(100, 640, 480, c.ownerFacing, 1);
        owner.value2 = c.operatorValue;
        owner.def.m_nFaction = static_cast<std::int8_t>(c.ownerFaction < 0 ? 1 : c.ownerFaction);
        Def().m_nSize = static_cast<std::int8_t>(c.size);
        Def().m_nFaction = 4;
        Def().m_bOwnerFaction = static_cast<std::int8_t>(c.ownerFaction >= 0);
        cShot& shot = Fire(owner, 700, 500, c.vx, 0.0);
        const int k = c.size == 0 ? 1 : c.size;
        EXPECT_EQ(Def().m_nSize, k);  // stored back in the command's own definition
        EXPECT_EQ(shot.hitWidth, 16 * k);
        EXPECT_EQ(shot.gfxWidth, 16 * k);
        EXPECT_EQ(shot.facing, c.expectedFacing);
        EXPECT_EQ(shot.faction, c.expectedFaction);
        EXPECT_EQ(shot.def.m_nFaction, c.expectedFaction);
        EXPECT_EQ(field.m_ShotLayer[c.expectedFaction].size(), 1u);
        EXPECT_EQ(shot.attackWidth, c.attackW * k);
        EXPECT_EQ(shot.attackHeight, c.attackH * k);
        EXPECT_EQ(shot.attackLeft, static_cast<int>(shot.x) + (8 - (c.attackW >> 1)) * k);
        EXPECT_EQ(shot.attackBottom, shot.attackTop + c.attackH * k - 1);
        EXPECT_TRUE(shot.hitList.empty());
    }
}

TEST_F(cShotTest, LifetimeCountsSubSteps)
{
    SetSpeed(2, 0.0);  // u = 2: a tenth of a second is 12 sub-steps
    cChara& owner = AddChara(100, 640, 480, 0, 1);
    Def().m_bLimitTime = 1;
    Def().m_nLifeTime = 0;
    Fire(owner, 700, 500, -2.0, 0.0);
    StepAll(1);
    EXPECT_TRUE(field.m_ShotList.empty()) << "lifetime 0 ends in the first sub-step";
    Def().m_nLifeTime = 1;
    Fire(owner, 700, 500, -2.0, 0.0);
    StepAll(12);
    EXPECT_EQ(field.m_ShotList.size(), 1u);
    StepAll(1);
    EXPECT_TRUE(field.m_ShotList.empty());
}

TEST_F(cShotTest, RangeOfOneHalfBlockEndsInTheSecondSubStep)
{
    SetSpeed(1, 0.0);  // u = 1
    cChara& owner = AddChara(100, 640, 480, 0, 1);
    Def().m_bLimitRange = 1;
    Def().m_nRange = 1;
    cShot& shot = Fire(owner, 700, 500, -2.0, 0.0);
    EXPECT_EQ(shot.rangeLeft, 1);
    StepAll(1);
    ASSERT_EQ(field.m_ShotList.size(), 1u);
    EXPECT_DOUBLE_EQ(shot.x, 698.0);
    StepAll(1);
    EXPECT_TRUE(field.m_ShotList.empty());
}

TEST_F(cShotTest, ShortRangeIsCoveredExactlyWithinOneFrame)
{
    SetSpeed(4, 0.0);  // u = 4
    cChara& owner = AddChara(100, 640, 480, 0, 1);
    Def().m_bLimitRange = 1;
    Def().m_nRange = 3;  // 48 pixels less the shot's 16: 32 to cover at 15 pixels per sub-step
    cShot& shot = Fire(owner, 700, 500, 36.0, 48.0);
    EXPECT_EQ(shot.rangeLeft, 4);
    StepAll(4);
    ASSERT_EQ(field.m_ShotList.size(), 1u);
    EXPECT_NEAR(std::fabs(shot.x - 700) + std::fabs(shot.y - 500), 32.0, 1e-9);
    StepAll(1);
    EXPECT_TRUE(field.m_ShotList.empty());
}

TEST_F(cShotTest, StayAtRangeEndStopsAndStopsHoming)
{
    SetSpeed(1, 0.0);
    cChara& owner = AddChara(100, 640, 480, 0, 1);
    Def().m_bLimitRange = 1;
    Def().m_bStopAtRange = 1;
    Def().m_nRange = 2;  // 16 pixels at 2 per sub-step: 8 sub-steps of flight
    Def().m_nAimKind = 4;
    Def().m_nAimParam[1] = 0;
    cShot& shot = Fire(owner, 700, 500, -2.0, 0.0);
    StepAll(8);
    EXPECT_DOUBLE_EQ(shot.x, 684.0);
    StepAll(5);
    ASSERT_EQ(field.m_ShotList.size(), 1u);
    EXPECT_DOUBLE_EQ(shot.x, 684.0);
    EXPECT_EQ(shot.def.m_nAimKind, 0);
}

TEST_F(cShotTest, AccelerationAddsAlongTheMotionTwiceASubStep)
{
    SetSpeed(2, 0.0);  // u = 2
    cChara& owner = AddChara(100, 640, 480, 0, 1);
    struct Case {
        const char* szName;
        double vx, vy;  // launch, pixels per frame
        int accel, accelStep, volley;
    };
    const Case cases[] = {
        {"rightwards", 2.0, 0.0, 30, 0, 0},
        {"up-left, second volley member", -1.5, -2.0, 20, 10, 1},
        {"downwards braking", 0.0, 3.0, -12, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.szName);
        ClearShots();
        Def().m_bAccel = 1;
        Def().m_nAccel = static_cast<std::int16_t>(c.accel);
        Def().m_nAccelStep = static_cast<std::int16_t>(c.accelStep);
        SHOTLAUNCH launch;
        launch.x = 700;
        launch.y = 500;
        launch.vx = c.vx;
        launch.vy = c.vy;
        launch.volleyIndex = static_cast<std::int16_t>(c.volley);
        cShot shot;
        shot.Init(1, owner, SHOTCMD_SHOT, Def(), launch);
        cShot& s = AddShotObject(field.m_ShotList, shot);
        const double u = 2.0;
        const double m = (c.accel + c.accelStep * c.volley) * 0.1 / u;
        const double l = std::sqrt(c.vx * c.vx + c.vy * c.vy);
        const double ax = c.vx / l * m / u / 60.0;
        const double ay = c.vy / l * m / u / 60.0;
        double x = 700;
        double y = 500;
        double svx = c.vx / u;
        double svy = c.vy / u;
        for (int i = 0; i < 30; ++i) {
            StepAll(1);
            svx += ax;
            svy += ay;
            x += svx + ax;
            y += svy + ay;
            ASSERT_NEAR(s.x, x, 1e-9);
            ASSERT_NEAR(s.y, y, 1e-9);
        }
    }
}

TEST_F(cShotTest, ScrollSyncedShotsRideTheAutoScroll)
{
    SetSpeed(1, 0.0);
    cChara& owner = AddChara(100, 640, 480, 0, 1);
    struct Case {
        const char* szName;
        int sync;
        int atLimit;
        int commandsScroll;
        double share;  // camera share per sub-step expected on each axis
    };
    const Case cases[] = {
        {"synced", 1, 0, 0, 0.5},
        {"synced, the camera at its limit", 1, 1, 0, 0.0},
        {"not synced", 0, 0, 0, 0.0},
        {"the project moves with the scroll in the commands instead", 1, 0, 1, 0.0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.szName);
        ClearShots();
        SystemData.bScrollSyncVariant = c.commandsScroll;
        field.m_ScrollX.dSpeed = 0.5;
        field.m_ScrollY.dSpeed = 0.5;
        field.m_ScrollX.bAtLimit = c.atLimit;
        field.m_ScrollY.bAtLimit = c.atLimit;
        Def().m_bScrollSync = static_cast<std::int8_t>(c.sync);
        cShot& shot = Fire(owner, 700, 500, -1.0, 2.0);
        StepAll(4);
        EXPECT_DOUBLE_EQ(shot.x, 700 + 4 * (c.share - 1.0));
        EXPECT_DOUBLE_EQ(shot.y, 500 + 4 * (c.share + 2.0));
    }
    SystemData.bScrollSyncVariant = 0;
}

TEST_F(cShotTest, HitsBlockTestsCornersOrAGridOfCells)
{
    struct Case {
        const char* szName;
        int width;
        int x;
        int solidColumn;
        int blockPass;
        bool expected;
    };
    // The shot's top row is 15 (y 480..495); columns are x >> 5.
    const Case cases[] = {
        {"16 wide, right corner", 16, 630, 20, 0, true},
        {"16 wide, clear", 16, 600, 20, 0, false},
        {"40 wide reaches its last pixel (dx 39)", 40, 633, 21, 0, true},
        {"40 wide, the next column is clear", 40, 633, 22, 0, false},
        {"72 wide tests its middle column too (dx 32)", 72, 633, 20, 0, true},
        {"block-pass byte 1 passes", 16, 630, 20, 1, false},
        {"block-pass byte 2 does not", 16, 630, 20, 2, true},
    };
    cChara& owner = AddChara(100, 300, 300, 0, 1);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.szName);
        SetStageSize(40, 30);
        PutSolidBlock(c.solidColumn, 15);
        ClearShots();
        Def().m_nBlockMode = static_cast<std::int8_t>(c.blockPass);
        cShot& shot = Fire(owner, c.x, 480, 0.0, 0.0);
        shot.hitWidth = c.width;
        shot.ClampToFieldX();
        EXPECT_EQ(shot.HitsBlock(), c.expected);
    }
}

TEST_F(cShotTest, BlockForItsOwnPassFactionLetsTheShotThrough)
{
    cChara& owner = AddChara(100, 300, 300, 0, 1);
    PutSolidBlock(20, 15);
    MapCellAt(20, 15)->m_nPassFaction = 3;
    Def().m_nFaction = 3;
    cShot& shot = Fire(owner, 630, 480, 0.0, 0.0);
    EXPECT_FALSE(shot.HitsBlock());
    Def().m_nFaction = 2;
    EXPECT_TRUE(Fire(owner, 630, 480, 0.0, 0.0).HitsBlock());
    (void)shot;
}

TEST_F(cShotTest, PlayStepErasesOnBlocksEverySubStepAndOffScreenOnTheFirstOnly)
{
    cChara& owner = AddChara(100, 300, 300, 0, 1);
    PutSolidBlock(20, 15);
    Fire(owner, 650, 480, -2.0, 0.0);  // reaches the block's column in the first sub-step
    StepAll(1);
    EXPECT_TRUE(field.m_ShotList.empty());

    // Far right of the view, beyond a right limit of 0 cells.
    struct Case {
        int operatorValue;
        int limit;
        bool firstSubStep;
        bool erased;
    };
    const Case cases[] = {
        {1, OFFSCREEN_CHARA_SHOT, true, true},  {1, OFFSCREEN_CHARA_SHOT, false, false},
        {1, OFFSCREEN_HERO_SHOT, true, false},  {0, OFFSCREEN_HERO_SHOT, true, true},
        {0, OFFSCREEN_CHARA_SHOT, true, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.operatorValue << " " << c.limit << " " << c.firstSubStep);
        for (cEdOffScreenLimit& l : Stage.m_OffScreen) l.m_bRight = 0;
        Stage.m_OffScreen[c.limit].m_bRight = 1;
        Stage.m_OffScreen[c.limit].m_nRight = 0;
        ClearShots();
        owner.value2 = c.operatorValue;
        Fire(owner, kSx + 700, 500, 0.0, 0.0);
        UpdateShotFlags(field.m_ShotList);
        StepAll(1, c.firstSubStep);
        EXPECT_EQ(field.m_ShotList.empty(), c.erased);
    }
}

TEST_F(cShotTest, EraseUnlinksFromGroupAndTargetAndCharactersReleaseTheirShots)
{
    cChara& owner = AddChara(100, 600, 480, 0, 1);
    AddChara(101, 900, 480, 0, 2);
    owner.target = CharaRef(101);
    Def().m_nAimKind = 6;
    Def().m_nCount = 2;
    Def().m_nDirection = 2;
    LaunchShots(field.m_ShotList, owner, inst, Def(), 0);
    ASSERT_EQ(field.m_ShotList.size(), 2u);
    cCharaBase* target = FindCharaBySource(101);
    ASSERT_EQ(target->aimingShots.size(), 2u);
    const int first = field.m_ShotList.front().source;
    const int second = field.m_ShotList.back().source;
    EraseShot(field.m_ShotList, field.m_ShotList.begin());
    EXPECT_EQ(target->aimingShots.Count(first), 0);
    EXPECT_EQ(target->aimingShots.Count(second), 1);
    const SHOTGROUP& group = field.m_ShotLayer[Def().m_nFaction];
    ASSERT_EQ(group.size(), 1u);
    EXPECT_EQ(group.front(), &field.m_ShotList.front());

    // The target leaves: the remaining shot loses it and flies on with its velocity.
    cShot& rest = field.m_ShotList.front();
    const double vx = rest.stepVx;
    const double vy = rest.stepVy;
    for (auto it = CharaList.begin(); it != CharaList.end(); ++it) {
        if (it->source == 101) {
            EraseChara(CharaList, it);
            break;
        }
    }
    EXPECT_TRUE(rest.target.IsNone());
    StepAll(3);
    EXPECT_DOUBLE_EQ(rest.stepVx, vx);
    EXPECT_DOUBLE_EQ(rest.stepVy, vy);
}

// Swords: entry 1 of the sword types has a 24 x 8 step in front of the owner (offset 4, 2; time
// 0) and an 8 x 24 step above it (time 1).
class SwordTest : public cShotTest {
protected:
    void SetUp() override
    {
        cShotTest::SetUp();
        SetSpeed(2, 0.0);  // u = 2
        Database.SwordType.resize(3);
        cDbSwordType& entry = Database.SwordType[1];
        entry.FrameList.resize(2);
        entry.FrameList[0].nPlace = 0;
        entry.FrameList[0].nWidth = 24;
        entry.FrameList[0].nHeight = 8;
        entry.FrameList[0].nOffsetX = 4;
        entry.FrameList[0].nOffsetY = 2;
        entry.FrameList[0].bMirrorX = 1;
        entry.FrameList[0].nTime = 0;
        entry.FrameList[1].nPlace = 2;
        entry.FrameList[1].nWidth = 8;
        entry.FrameList[1].nHeight = 24;
        entry.FrameList[1].nTime = 1;
        Database.SwordType[2].FrameList.clear();
        Def().m_nAimKind = 1;
        SetKind(12);
    }
};

TEST_F(SwordTest, FollowsItsOwnerThroughTheSteps)
{
    for (int facing : {1, 0}) {
        SCOPED_TRACE(facing);
        ClearShots();
        CharaList.clear();
        cChara& owner = AddChara(100, 640, 480, facing, 1);
        cShot& sword = Fire(owner, 0, 0, 0.0, 0.0, SHOTCMD_SWORD);
        EXPECT_EQ(sword.isShot, 0);
        EXPECT_EQ(sword.hitWidth, 24);
        // Step 0, one sub-step: in front, the offset mirrored facing right.
        StepAll(1);
        const int L = 320;
        const int T = 160;
        const int R = 351;
        const double frontX = facing == 1 ? R + kSx + 1 - 4 : L + kSx - 24 + 4;
        EXPECT_DOUBLE_EQ(sword.x, frontX);
        EXPECT_DOUBLE_EQ(sword.y, T + 16 + kSy - 4 + 2);
        EXPECT_EQ(sword.swordStep, 1);
        // Step 1 lasts 1 x 6 x 2 + 1 = 13 sub-steps above the owner, who moves meanwhile.
        for (int i = 0; i < 12; ++i) {
            MoveBy(owner, 2.0, 0.0);
            StepAll(1);
            ASSERT_EQ(field.m_ShotList.size(), 1u);
            EXPECT_DOUBLE_EQ(sword.x, owner.screenLeft + 16 + kSx - 4);
            EXPECT_DOUBLE_EQ(sword.y, T + kSy - 24);
            EXPECT_EQ(sword.hitWidth, 8);
            EXPECT_EQ(sword.attackHeight, 24);
            EXPECT_EQ(sword.facing, facing);
        }
        StepAll(1);
        EXPECT_TRUE(field.m_ShotList.empty());
    }
}

TEST_F(SwordTest, EndsWhenItsOwnerIsGoneOrItsTypeHasNoSteps)
{
    cChara& owner = AddChara(100, 640, 480, 1, 1);
    Fire(owner, 0, 0, 0.0, 0.0, SHOTCMD_SWORD);
    StepAll(1);
    CharaList.clear();
    StepAll(1);
    EXPECT_TRUE(field.m_ShotList.empty());

    cChara& other = AddChara(101, 640, 480, 1, 1);
    Def().m_nAimKind = 2;
    Fire(other, 0, 0, 0.0, 0.0, SHOTCMD_SWORD);
    StepAll(1);
    EXPECT_TRUE(field.m_ShotList.empty());
}

}  // namespace
