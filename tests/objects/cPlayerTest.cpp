#include <gtest/gtest.h>

#include "ObjectsTestSupport.h"
#include "objects/StageSpeed.h"

namespace {

using objectstest::ObjectsTest;

class PlayerTest : public ObjectsTest {
protected:
    cEdChara hero;

    void SetUp() override
    {
        ObjectsTest::SetUp();
        hero.m_nController = 0;
        hero.m_nGraphic = 1;
        hero.m_nMaxHp = 30;
    }

    cPlayer& Make()
    {
        cPlayer& player = Player[P1];
        player.InitFromTemplate(0, hero, 0, 0);
        return player;
    }
};

// The stage's default player sizes: body 16 x 24 bottom-aligned (flying 16 x 16 centred), range
// between characters 16 x 24 bottom-aligned (flying 16 x 16 centred), range of shots 12 x 8, item
// box 16 x 16, shot-versus-character range 16 x 16.
TEST_F(PlayerTest, SetUpFromTheHeroAndTheStageSizes)
{
    SetSpeed(4, 0.5);
    hero.m_nDirection = 0;
    hero.m_nCharaOpt26 = 3;
    hero.m_nScale = 0;
    cPlayer& player = Make();
    EXPECT_EQ(hero.m_nScale, 1);
    EXPECT_EQ(player.source, 0);
    EXPECT_EQ(player.value2, 0);
    EXPECT_EQ(player.hp, 30);
    EXPECT_EQ(player.gfxOffsetX, 8);
    EXPECT_EQ(player.gfxOffsetY, 8);
    EXPECT_EQ(player.hitWidth, 16);
    EXPECT_EQ(player.hitHeight, 24);
    EXPECT_EQ(player.bodyBox.offsetX, 0);
    EXPECT_EQ(player.bodyBox.offsetY, 0);
    EXPECT_EQ(player.bodyBox.height, 24);
    EXPECT_EQ(player.shotBox.offsetX, 2);
    EXPECT_EQ(player.shotBox.offsetY, 4);
    EXPECT_EQ(player.shotBox.width, 12);
    EXPECT_EQ(player.itemBox.offsetX, 0);
    EXPECT_EQ(player.itemBox.offsetY, 0);
    EXPECT_EQ(player.facing, 0);
    EXPECT_EQ(player.prevFacing, 0);
    EXPECT_EQ(player.canJump, 1);
    EXPECT_DOUBLE_EQ(player.speedFactor, 1.0);
    EXPECT_EQ(player.controlSlot, 0);
    EXPECT_EQ(player.target, CharaRef(0));
    EXPECT_EQ(player.targetedBy.Count(0), 1);
    EXPECT_EQ(player.boxDisplay.size(), 4u);

    hero.m_nFlying = 1;
    hero.m_nRangeKind = 2;
    Make();
    EXPECT_EQ(player.noGravity, 1);
    EXPECT_EQ(player.hitHeight, 16);
    EXPECT_EQ(player.gfxOffsetY, 8);
    EXPECT_EQ(player.bodyBox.offsetX, 0);
    EXPECT_EQ(player.bodyBox.offsetY, 0);
    EXPECT_EQ(player.bodyBox.width, 16);

    hero.m_nFlying = 0;
    hero.m_nScale = 2;
    hero.m_nRangeKind = 3;
    Make();
    EXPECT_EQ(player.hitWidth, 32);
    EXPECT_EQ(player.hitHeight, 48);
    EXPECT_EQ(player.bodyBox.offsetX, -16);
    EXPECT_EQ(player.bodyBox.width, 64);
    EXPECT_EQ(player.itemBox.width, 32);
    EXPECT_EQ(player.baseHitWidth, 16);
}

TEST_F(PlayerTest, ChangingFlightResizesAndLandingStops)
{
    cPlayer& player = Make();
    player.frameCountdown = 0;
    player.SetFlight(2, 0);
    EXPECT_EQ(player.noGravity, 1);
    EXPECT_EQ(player.def.m_nFlying, 2);
    EXPECT_EQ(player.frameCountdown, 2);
    EXPECT_EQ(player.hitHeight, 16);
    player.vx = player.vy = player.ax = player.ay = 1.0;
    player.frameCountdown = 0;
    player.SetFlight(3, 0);
    EXPECT_EQ(player.frameCountdown, 0);
    EXPECT_EQ(player.vx, 1.0);
    player.SetFlight(0, 0);
    EXPECT_EQ(player.frameCountdown, 2);
    EXPECT_EQ(player.vx, 0.0);
    EXPECT_EQ(player.ay, 0.0);
    EXPECT_EQ(player.hitHeight, 24);
    player.def.m_nScale = 3;
    player.SetFlight(0, 1);
    EXPECT_EQ(player.hitHeight, 72);
    EXPECT_EQ(player.gfxWidth, 96);
    EXPECT_EQ(player.shotBox.height, 24);
}

TEST_F(PlayerTest, BoxDisplayLargestFirstWithTheStageColours)
{
    Stage.m_nHeroShow0 = 1;
    Stage.m_nHeroShow1 = 2;
    Stage.m_nHeroShow2 = 0;
    Stage.m_nHeroShow3 = 1;
    Stage.m_nHeroColor0 = 7;
    Stage.m_nHeroColor1 = 1;
    Stage.m_nHeroColor2 = 2;
    Stage.m_nHeroColor3 = 3;
    Stage.m_nHeroRect4W = 20;
    Stage.m_nHeroRect4H = 20;
    const cPlayer& player = Make();
    // Areas: hit 16 x 24 = 384, item 20 x 20 = 400, body 16 x 24 = 384, shot 12 x 8 = 96.
    const int kinds[] = {2, 0, 1, 3};
    const int modes[] = {1, 1, 2, 0};
    const int colours[] = {208 + 12, 208 + 28, 208 + 4, 208 + 8};
    ASSERT_EQ(player.boxDisplay.size(), 4u);
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(player.boxDisplay[i].kind, kinds[i]) << i;
        EXPECT_EQ(player.boxDisplay[i].mode, modes[i]) << i;
        EXPECT_EQ(player.boxDisplay[i].colour, colours[i]) << i;
        EXPECT_EQ(player.boxDisplay[i].phase, 0);
    }
}

struct FollowCase {
    int stageWidth;
    double targetX;
    int autoScroll;
    double expectedView;
};

class CameraFollow : public PlayerTest, public ::testing::WithParamInterface<FollowCase> {};

TEST_P(CameraFollow, CentresOnThePlayerInsideTheScrollArea)
{
    const FollowCase& c = GetParam();
    SetStageSize(c.stageWidth, 30);
    field.m_ScrollX.dPos = 500;
    field.m_ScrollX.bAuto = c.autoScroll;
    cPlayer& player = Make();
    player.x = c.targetX;
    player.AdjustPosX();
    EXPECT_DOUBLE_EQ(field.m_ScrollX.dPos, c.expectedView);
}

// Width 16: the view starts 312 pixels left of the player. Stage 40 tiles: area 320..1599.
INSTANTIATE_TEST_SUITE_P(Targets, CameraFollow,
                         ::testing::Values(FollowCase{40, 800, 0, 488},     // free
                                           FollowCase{40, 400, 0, 320},     // left edge
                                           FollowCase{40, 632, 0, 320},     // exactly at the left edge
                                           FollowCase{40, 1272, 0, 960},    // exactly at the right edge
                                           FollowCase{40, 1500, 0, 960},    // right edge
                                           FollowCase{12, 500, 0, 320},     // stage narrower than the view
                                           FollowCase{40, 1500, 1, 500}));  // auto-scroll: not followed

TEST_F(PlayerTest, VerticalFollowAndWalkingClamp)
{
    cPlayer& player = Make();
    player.y = 700;
    player.AdjustPosY();
    EXPECT_DOUBLE_EQ(field.m_ScrollY.dPos, 700 - (240 - 12));
    // A walker is kept inside the stage; it reports 1 outside a narrowed scroll area.
    field.m_ScrollX.SetLimit(5, 30, 1, 1);
    player.x = 100;
    EXPECT_EQ(player.AdjustPosX(), 0);
    EXPECT_EQ(player.x, 320);
    field.m_ScrollX.bAuto = 1;
    player.x = 400;
    EXPECT_EQ(player.AdjustPosX(), 1);
    // A flyer is kept inside the scroll area.
    player.SetFlight(1, 0);
    player.x = 400;
    EXPECT_EQ(player.AdjustPosX(), 0);
    EXPECT_EQ(player.x, 480);
}

TEST_F(PlayerTest, ScreenRectTruncatesEachPartWhileAutoScrolling)
{
    cPlayer& player = Make();
    player.x = 400.2;
    player.y = 500.9;
    field.m_ScrollX.dPos = 320.6;
    field.m_ScrollY.dPos = 320.0;
    player.CalcScreenRect();
    EXPECT_EQ(player.screenLeft, static_cast<int>(400.2 - 320.6 - 8));  // 71
    field.m_ScrollX.bAuto = 1;
    player.CalcScreenRect();
    EXPECT_EQ(player.screenLeft, 400 - 320 - 8);
    EXPECT_EQ(player.screenRight, player.screenLeft + 31);
    EXPECT_EQ(player.screenTop, static_cast<int>(500.9 - 320.0 - 8));
}

TEST_F(PlayerTest, MovementStepsWithInertiaFloorsAndTheStageBottom)
{
    SetSpeed(1, 0.5);
    cPlayer& player = Make();
    player.SetGridPos(10, 10);
    const double x0 = player.x;
    player.ax = 1.0;
    player.decel = 0.25;
    player.decayX = 1;
    player.floorEffectKind = 3;
    player.floorEffectTimer = 5;
    player.floorEffectValue = 2.0;
    EXPECT_EQ(player.MoveStepX(), 0);
    const double expectedAx = 0.75 + 4.0 / 60.0;
    EXPECT_DOUBLE_EQ(player.ax, expectedAx);
    EXPECT_DOUBLE_EQ(player.x, x0 + expectedAx);
    // A slowing floor stops the run instead of reversing it, and a run the decay has just
    // stopped is not pushed by a fast floor.
    player.ax = -0.3;
    player.floorEffectValue = 0.0;
    player.MoveStepX();
    EXPECT_EQ(player.ax, 0.0);
    player.ax = -0.1;
    player.floorEffectValue = 3.0;
    player.MoveStepX();
    EXPECT_EQ(player.ax, 0.0);

    player.SetGridPos(10, 29);
    player.vy = 5;
    EXPECT_EQ(player.MoveStepY(), 7);
    player.SetFlight(1, 0);
    player.SetGridPos(10, 10);
    player.vy = 5;
    EXPECT_EQ(player.MoveStepY(), 0);
}

TEST_F(PlayerTest, FlowRunResetsTheJumpStateAndCountsRuns)
{
    cPlayer& player = Make();
    player.actsThisFrame = 5;
    player.canJump = 0;
    player.jumpLocked = 1;
    player.frameCountdown = 1;
    EXPECT_EQ(player.RunFlows(0), 0);
    EXPECT_EQ(player.actsThisFrame, 0);
    EXPECT_EQ(player.canJump, 1);
    EXPECT_EQ(player.jumpLocked, 0);
    EXPECT_EQ(player.frameCountdown, 0);
    EXPECT_EQ(player.flowFrames, 1);
    EXPECT_EQ(player.anime.pattern, 0);
    player.hp = 0;
    EXPECT_EQ(player.RunFlows(0), 1);

    // A flyer moving with the auto-scroll, and the commands-use-the-scroll switch.
    field.m_ScrollX.dSpeed = 0.5;
    field.m_ScrollY.dSpeed = -0.25;
    player.SetFlight(1, 0);
    player.syncScroll = 1;
    player.RunFlows(0);
    EXPECT_EQ(player.vx, 0.5);
    EXPECT_EQ(player.vy, -0.25);
    EXPECT_EQ(player.anime.pattern, 2);
    player.syncScroll = 0;
    SystemData.bScrollSyncVariant = 1;
    player.RunFlows(0);
    EXPECT_EQ(player.vx, 0.5);
    player.SetFlight(0, 0);
    player.vy = 2;
    player.RunFlows(0);
    EXPECT_EQ(player.vx, 0.0);
    EXPECT_EQ(player.vy, 2.0);
}

}  // namespace
