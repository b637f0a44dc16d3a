#include <gtest/gtest.h>

#include <cmath>

#include "ObjectsTestSupport.h"
#include "objects/StageSpeed.h"

namespace {

using objectstest::ObjectsTest;

class CharaMovementTest : public ObjectsTest {
protected:
    cChara chara;

    // A walking computer character (or player-operated, nOperator 0) placed at a cell.
    void Make(int nOperator = 1, int flying = 0)
    {
        cEdChara d;
        d.m_nController = static_cast<std::int8_t>(nOperator);
        d.m_nFlying = static_cast<std::int8_t>(flying);
        d.m_nMaxHp = 100;
        chara = cChara{};
        chara.InitFromTemplate(1, d, nullptr, 0, 0, 0);
        chara.SetGridPos(10, 10);
    }
};

// The rise of a jump: v = (-g - sqrt(g (g + 8h))) / 2 with g = G / b^2 and h = 16 x level, times
// (0.99 - 0.025 G) for a player-operated character.
double ExpectedJumpSpeed(double G, int b, int level, bool player)
{
    const double g = G / (static_cast<double>(b) * b);
    const double h = 16.0 * level;
    const double v = (-g - std::sqrt(g * (g + 8 * h))) / 2;
    return player ? v * (0.99 - 0.025 * G) : v;
}

TEST_F(CharaMovementTest, JumpSpeedsAndTimesFromTheirFormulas)
{
    struct Case {
        int speedLevel;
        int b;
        double G;
        int level;
    };
    const Case cases[] = {{1, 1, 0.5, 4}, {3, 3, 0.4, 6}, {15, 5, 0.8, 1}, {10, 10, 0.25, 10}};
    for (const Case& c : cases) {
        SetSpeed(c.speedLevel, c.G);
        for (int op = 0; op <= 1; ++op) {
            Make(op);
            const double v = ExpectedJumpSpeed(c.G, c.b, c.level, op == 0);
            EXPECT_DOUBLE_EQ(chara.CalcJumpSpeed(c.level), v) << c.speedLevel << " " << op;
            const double g = c.G / (static_cast<double>(c.b) * c.b);
            const int time = static_cast<int>(c.b - v / g);
            EXPECT_EQ(chara.CalcJumpTime(v), time);
            EXPECT_EQ(chara.CalcJumpTenths(c.level), time / c.b / 6 + 1);
        }
    }
    // The worked example: b = 1, G = 0.5, 64 pixels.
    SetSpeed(1, 0.5);
    Make(1);
    EXPECT_NEAR(chara.CalcJumpSpeed(4), -8.2539, 1e-4);
    Make(0);
    EXPECT_NEAR(chara.CalcJumpSpeed(4), -8.2539 * 0.9775, 1e-4);
}

TEST_F(CharaMovementTest, JumpFormulasStayFiniteWithoutGravityAndForNegativeLevels)
{
    SetSpeed(2, 0.0);
    Make(1);
    EXPECT_EQ(chara.CalcJumpSpeed(4), 0.0);
    EXPECT_EQ(chara.CalcJumpTime(-3.0), 0);
    EXPECT_EQ(chara.CalcJumpTenths(4), 1);

    SetSpeed(2, 0.4);
    Make(1);
    // A negative level rises nothing: the speed of a height of 0.
    const double g = 0.4 / 4;
    EXPECT_DOUBLE_EQ(chara.CalcJumpSpeed(-3), -g);
    EXPECT_DOUBLE_EQ(chara.JumpSpeedForHeight(-100.0), -g);
    EXPECT_EQ(chara.CalcJumpTime(chara.CalcJumpSpeed(-3)), static_cast<int>(2 + 1));

    SetSpeed(2, -0.4);
    Make(0);
    const double v = chara.CalcJumpSpeed(4);
    EXPECT_TRUE(std::isfinite(v));
    EXPECT_TRUE(std::isfinite(static_cast<double>(chara.CalcJumpTime(v))));
}

TEST_F(CharaMovementTest, JumpLevelIsASignedByte)
{
    SetSpeed(2, 0.4);
    struct Case {
        int level;   // as a command parameter gives it
        int asByte;  // the level the jump takes
    };
    const Case cases[] = {{260, 4}, {-252, 4}, {127, 127}, {128, -128}, {383, 127}};
    for (int op = 0; op <= 1; ++op) {
        Make(op);
        for (const Case& c : cases) {
            EXPECT_DOUBLE_EQ(chara.CalcJumpSpeed(c.level), chara.CalcJumpSpeed(c.asByte)) << c.level;
            EXPECT_EQ(chara.CalcJumpTenths(c.level), chara.CalcJumpTenths(c.asByte)) << c.level;
        }
        EXPECT_DOUBLE_EQ(chara.CalcJumpSpeed(260), ExpectedJumpSpeed(0.4, 2, 4, op == 0));
        // A byte that reads negative rises nothing, as a negative level does.
        EXPECT_DOUBLE_EQ(chara.CalcJumpSpeed(200), chara.JumpSpeedForHeight(0.0));
    }
}

TEST_F(CharaMovementTest, FallingAccumulatesGravityAndLandingSnapsToTheCell)
{
    SetSpeed(2, 0.4);  // g = 0.1 per sub-step
    Make(1);
    const double y0 = chara.y;
    for (int step = 1; step <= 4; ++step) {
        chara.ApplyGravity();
        chara.MoveStepY();
    }
    EXPECT_NEAR(chara.vy, 0.4, 1e-12);
    EXPECT_NEAR(chara.y, y0 + 0.1 + 0.2 + 0.3 + 0.4, 1e-12);

    // The bottom lies 5 pixels into the cell below: it rises to the last row above that cell.
    chara.y = 11 * 32 + 5 - chara.hitHeight + 1 + 320 - 32 * 1;
    chara.AdjustPosY();
    const int cellTop = (static_cast<int>(chara.bottom) >> 5) << 5;
    chara.jumped = chara.jumpRiseOver = chara.knockedBack = chara.jumpLocked = 1;
    chara.LandOnFloor();
    EXPECT_EQ(chara.bottom, cellTop - 1);
    EXPECT_EQ(chara.vy, 0.0);
    EXPECT_EQ(chara.LRUD[3], 1);
    EXPECT_EQ(chara.airborne, 0);
    EXPECT_EQ(chara.jumped, 0);
    EXPECT_EQ(chara.jumpRiseOver, 0);
    EXPECT_EQ(chara.knockedBack, 0);
    EXPECT_EQ(chara.jumpLocked, 0);

    // A player-operated character keeps its jump lock on landing.
    Make(0);
    chara.jumpLocked = 1;
    chara.LandOnFloor();
    EXPECT_EQ(chara.jumpLocked, 1);

    // A ceiling pushes the top down to the next cell boundary.
    chara.y = 15 * 32 + 20;
    chara.vy = -3;
    chara.HitCeiling();
    EXPECT_EQ(chara.y, 16 * 32);
    EXPECT_EQ(chara.vy, 0.0);
    EXPECT_EQ(chara.LRUD[2], 1);
    EXPECT_EQ(chara.jumpRiseOver, 1);
    EXPECT_EQ(chara.jumpLocked, 1);
}

TEST_F(CharaMovementTest, GravityIsHeldBackByFlightFootholdsStopsAndUpwardKnocks)
{
    SetSpeed(1, 0.5);
    struct Case {
        int noGravity;
        int onFoothold;
        int moveStopped;
        double knockY;
        double expectedVy;
    };
    const Case cases[] = {{0, 0, 0, 0.0, 0.5}, {1, 0, 0, 0.0, 0.0},  {0, 1, 0, 0.0, 0.0},
                          {0, 0, 1, 0.0, 0.0}, {0, 0, 0, -1.0, 0.0}, {0, 0, 0, 1.0, 0.5}};
    for (const Case& c : cases) {
        Make(1);
        chara.noGravity = c.noGravity;
        chara.onFoothold = c.onFoothold;
        chara.moveStopped = c.moveStopped;
        chara.knockY = c.knockY;
        chara.ApplyGravity();
        EXPECT_EQ(chara.vy, c.expectedVy);
    }
}

TEST_F(CharaMovementTest, GroundIsASolidFloorCellOrAFoothold)
{
    Make(1);
    EXPECT_EQ(chara.IsOnGround(), 0);
    PutSolidBlock(20, 22);
    const int index = 20 + (22 << field.m_ScrollX.nPitchShift);
    chara.floorCell = index;
    EXPECT_EQ(chara.IsOnGround(), 1);
    StageMap[index].m_nPassFaction = static_cast<std::uint8_t>(chara.faction);
    EXPECT_EQ(chara.IsOnGround(), 0);
    chara.onFoothold = 1;
    EXPECT_EQ(chara.IsOnGround(), 1);
    chara.LeaveFoothold(1);
    EXPECT_EQ(chara.onFoothold, 0);
    EXPECT_EQ(chara.leftFoothold, 1);
    chara.floorCell = 1 << 30;
    EXPECT_EQ(chara.IsOnGround(), 0);
}

TEST_F(CharaMovementTest, KnockBackStrengthLessResistance)
{
    SetSpeed(2, 0.4);
    struct Case {
        int power;
        int resistance;
        int strength;
    };
    const Case cases[] = {{30, 5, 20}, {-30, 5, -20}, {10, 5, 5}, {-10, 5, -5}, {3, 5, 0}, {-3, 5, 0}, {8, -4, 12}};
    for (const Case& c : cases) {
        Make(1);
        chara.def.m_nImpactResist = static_cast<std::int8_t>(c.resistance);
        chara.knockX = 0.125;
        chara.knockY = 0.25;
        chara.ApplyImpact(c.power, 1.0, 0.0);
        double vx = 0.125;
        double vy = 0.25;
        cGameObject::ImpactToSpeed(vx, vy, c.strength, 1.0, 0.0);
        EXPECT_DOUBLE_EQ(chara.knockX, vx) << c.power << " " << c.resistance;
        EXPECT_DOUBLE_EQ(chara.knockY, vy);
        EXPECT_EQ(chara.knockedBack, 1);
    }
    Make(1);
    chara.ApplyImpact(0, 1.0, 0.0);
    EXPECT_EQ(chara.knockedBack, 0);
}

TEST_F(CharaMovementTest, KnockBackCancelsOpposingInertiaAndFalling)
{
    SetSpeed(1, 0.4);
    Make(1);
    chara.ax = -1.0;
    chara.ay = 0.5;
    chara.vy = 2.0;
    chara.ApplyImpact(10, 1.0, -1.0);
    EXPECT_GT(chara.knockX, 0.0);
    EXPECT_LT(chara.knockY, 0.0);
    EXPECT_EQ(chara.ax, 0.0);
    EXPECT_EQ(chara.ay, 0.0);
    EXPECT_EQ(chara.vy, 0.0);

    // A body blow from a walker that is not falling fast pushes only sideways.
    cChara attacker;
    cEdChara d;
    d.m_nRamImpact = 6;
    attacker.InitFromTemplate(2, d, nullptr, 0, 0, 0);
    attacker.vx = -2.0;
    attacker.vy = 8 * 1 * 0.4 - 0.01;
    Make(1);
    chara.ImpactFromChara(attacker);
    EXPECT_EQ(chara.knockY, 0.0);
    EXPECT_LT(chara.knockX, 0.0);
    attacker.vy = 8 * 1 * 0.4;
    Make(1);
    chara.ImpactFromChara(attacker);
    EXPECT_GT(chara.knockY, 0.0);
}

TEST_F(CharaMovementTest, VerticalKnockBackIsReplacedEachSubStepAndStopsOnTheGround)
{
    SetSpeed(2, 0.4);
    Make(1);
    chara.vy = 1.0;
    chara.knockY = -2.0;
    chara.ApplyImpactY();
    EXPECT_DOUBLE_EQ(chara.vy, -1.0);
    chara.DecayImpactY();
    EXPECT_DOUBLE_EQ(chara.knockY, -1.5);
    chara.ApplyImpactY();
    EXPECT_DOUBLE_EQ(chara.vy, -0.5);
    EXPECT_DOUBLE_EQ(chara.knockYPrev, -1.5);
    chara.knockY = 0.0;
    chara.ApplyImpactY();
    EXPECT_DOUBLE_EQ(chara.vy, -0.5);
    EXPECT_DOUBLE_EQ(chara.knockYPrev, 0.0);

    chara.onFoothold = 1;
    chara.knockY = 3.0;
    chara.ApplyImpactY();
    EXPECT_EQ(chara.knockY, 0.0);
    EXPECT_DOUBLE_EQ(chara.vy, -0.5);

    chara.noGravity = 1;
    chara.knockY = 1.0;
    chara.ApplyImpactY();
    chara.ApplyImpactY();
    EXPECT_DOUBLE_EQ(chara.vy, 1.5);
}

TEST_F(CharaMovementTest, KnockBackLosesOnePixelPerFrame)
{
    SetSpeed(4, 0.4);  // 4 sub-steps
    Make(1);
    chara.knockX = 2.5;
    chara.knockY = -0.1;
    for (int i = 0; i < 4; ++i) {
        chara.DecayImpactX();
        chara.DecayImpactY();
    }
    EXPECT_DOUBLE_EQ(chara.knockX, 1.5);
    EXPECT_EQ(chara.knockY, 0.0);
    for (int i = 0; i < 12; ++i) {
        chara.DecayImpactX();
    }
    EXPECT_EQ(chara.knockX, 0.0);
}

TEST_F(CharaMovementTest, HitPointsWithTheirGauge)
{
    struct Case {
        int hp;
        int invincible;
        int delta;
        int force;
        int expectedHp;
        int result;
        double shrinking;  // 0: no gauge
        int bar;
    };
    const Case cases[] = {
        {90, 1, -10, 0, 90, 0, 0.0, 0},                                       // invincible
        {90, 1, -10, 1, 80, 0, -5.0, 40},                                     // forced
        {90, 0, 1000, 0, 100, 0, 5.0, 50},                                    // limited to the room left
        {90, 0, -95, 0, 0, 1, 0.0, 0},                                        // dead: no gauge
        {90, 0, -90, 0, 0, 1, 0.0, 0},         {90, 0, 0, 0, 90, 0, 0.0, 0},  // no change, no gauge
        {90, 0, -2147483647, 0, 0, 1, 0.0, 0},
    };
    for (const Case& c : cases) {
        Make(1);
        chara.hp = c.hp;
        chara.def.m_nInvincible = static_cast<std::int8_t>(c.invincible);
        EXPECT_EQ(chara.ChangeHP(c.delta, c.force, 1), c.result) << c.delta;
        EXPECT_EQ(chara.hp, c.expectedHp) << c.delta;
        EXPECT_DOUBLE_EQ(chara.hpGauge.shrinking, c.shrinking) << c.delta;
        EXPECT_EQ(chara.hpGauge.framesLeft, c.shrinking != 0.0 ? 120 : 0);
        EXPECT_EQ(chara.hpGauge.barLength, c.bar);
        EXPECT_DOUBLE_EQ(chara.hpGauge.shrinkStep, c.shrinking / 60);
    }
    Make(1);
    chara.hp = 50;
    chara.ChangeHP(-10, 0, 0);
    EXPECT_EQ(chara.hp, 40);
    EXPECT_EQ(chara.hpGauge.framesLeft, 0);
}

TEST_F(CharaMovementTest, SkillPointsWithTheirGauge)
{
    Make(1);
    chara.def.m_nMaxSp = 0;
    chara.sp = 0;
    EXPECT_EQ(chara.ChangeSP(5, 1), 1);
    EXPECT_EQ(chara.sp, 0);
    EXPECT_EQ(chara.spGauge.framesLeft, 0);

    chara.def.m_nMaxSp = 20;
    chara.sp = 5;
    EXPECT_EQ(chara.ChangeSP(30, 1), 0);
    EXPECT_EQ(chara.sp, 20);
    EXPECT_DOUBLE_EQ(chara.spGauge.shrinking, 15 * 50.0 / 20);
    EXPECT_EQ(chara.spGauge.barLength, 50);
    EXPECT_EQ(chara.ChangeSP(-25, 1), 0);
    EXPECT_EQ(chara.sp, 0);
    EXPECT_DOUBLE_EQ(chara.spGauge.shrinking, -25 * 50.0 / 20);
    EXPECT_EQ(chara.spGauge.barLength, 0);
}

TEST_F(CharaMovementTest, ConversionsAndTheRectangleBackup)
{
    SetSpeed(3, 0.4);
    EXPECT_EQ(HblToDots(-3), -48);
    EXPECT_DOUBLE_EQ(StopToDecel(45), 45 * 0.01 / 9);
    Make(1);
    chara.SavePrevRect();
    const double x = chara.x;
    chara.x += 7;
    chara.right += 7;
    chara.RestorePrevRect();
    EXPECT_EQ(chara.x, x);
    EXPECT_EQ(chara.right, x + chara.hitWidth - 1);
    chara.LRUD[1] = 1;
    chara.ClearLRUD();
    EXPECT_EQ(chara.LRUD[1], 0);
}

}  // namespace
