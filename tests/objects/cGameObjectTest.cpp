#include <gtest/gtest.h>

#include <cmath>

#include "ObjectsTestSupport.h"
#include "definitions/cEdOffScreenLimit.h"
#include "objects/StageSpeed.h"
#include "objects/cGameObject.h"

namespace {

using objectstest::ObjectsTest;

// Counts the hooks a size change calls.
class CountingObject : public cGameObject {
public:
    int scaleChanged = 0;
    int scaleShifted = 0;
    void OnScaleChanged(int) override { ++scaleChanged; }
    void OnScaleShift(int, int) override { ++scaleShifted; }
};

cGameObject MakeObject(double x, double y, int w, int h)
{
    cGameObject o;
    o.Init(cGameObject::INITVALUES{.nSource = 7,
                                   .nValue2 = 1,
                                   .nFaction = 1,
                                   .nHitWidth = w,
                                   .nHitHeight = h,
                                   .nGfxWidth = w,
                                   .nGfxHeight = h,
                                   .nFacing = 1});
    o.x = x;
    o.y = y;
    o.right = x + w - 1;
    o.bottom = y + h - 1;
    return o;
}

using GameObjectTest = ObjectsTest;

TEST_F(GameObjectTest, FlightKindsGiveGravityAndBlockModes)
{
    struct Case {
        int kind;
        int noGravity;
        int blockMode;
    };
    const Case cases[] = {{0, 0, 1}, {1, 1, 0}, {2, 1, 1}, {3, 1, 2}};
    for (const Case& c : cases) {
        cGameObject o = MakeObject(0, 0, 16, 16);
        o.SetFlightKind(c.kind);
        EXPECT_EQ(o.noGravity, c.noGravity) << c.kind;
        EXPECT_EQ(o.blockMode, c.blockMode) << c.kind;
    }
    cGameObject o = MakeObject(0, 0, 16, 16);
    o.SetFlightKind(3);
    o.SetFlightKind(4);
    o.SetFlightKind(-1);
    EXPECT_EQ(o.noGravity, 1);
    EXPECT_EQ(o.blockMode, 2);
}

TEST_F(GameObjectTest, InitStoresSizesAsBaseAndCurrent)
{
    cGameObject o;
    o.vx = 3;
    o.active = 1;
    o.Init(cGameObject::INITVALUES{.nSource = 12,
                                   .nFaction = 2,
                                   .nPicture = 55,
                                   .nGfxOffsetX = 4,
                                   .nGfxOffsetY = 6,
                                   .nHitWidth = 24,
                                   .nHitHeight = 26,
                                   .nGfxWidth = 32,
                                   .nGfxHeight = 32,
                                   .nFlightKind = 2,
                                   .nMemberIndex = 3});
    EXPECT_EQ(o.source, 12);
    EXPECT_EQ(o.reserved, 2147483647);
    EXPECT_EQ(o.baseGfxOffsetX, 4);
    EXPECT_EQ(o.gfxOffsetY, 6);
    EXPECT_EQ(o.baseHitWidth, 24);
    EXPECT_EQ(o.hitHeight, 26);
    EXPECT_EQ(o.memberIndex, 3);
    EXPECT_EQ(o.vx, 0.0);
    EXPECT_EQ(o.active, 0);
    EXPECT_EQ(o.noGravity, 1);
    EXPECT_EQ(o.blockMode, 1);
}

TEST_F(GameObjectTest, SetScaleKeepsTheObjectCentredAndEqualFactorsDoNothing)
{
    CountingObject o;
    o.Init(cGameObject::INITVALUES{.nSource = 1,
                                   .nValue2 = 1,
                                   .nFaction = 1,
                                   .nHitWidth = 32,
                                   .nHitHeight = 32,
                                   .nGfxWidth = 32,
                                   .nGfxHeight = 32,
                                   .nFacing = 1});
    o.x = 640;
    o.SetScale(1, 1);
    EXPECT_EQ(o.x, 640);
    EXPECT_EQ(o.scaleChanged + o.scaleShifted, 0);
    o.SetScale(2, 1);
    EXPECT_EQ(o.x, 624);
    EXPECT_EQ(o.right, 624 + 64 - 1);
    EXPECT_EQ(o.hitWidth, 64);
    EXPECT_EQ(o.gfxHeight, 64);
    EXPECT_EQ(o.scaleChanged, 1);
    EXPECT_EQ(o.scaleShifted, 1);
}

struct ClampCase {
    int mode;
    double start;
    double expected;
    int result;
};

TEST_F(GameObjectTest, ClampToStageXByMode)
{
    // Stage 40 tiles: field 0..1919, stage 320..1599, scroll area 480..1311.
    field.m_ScrollX.SetLimit(5, 30, 1, 1);
    const ClampCase cases[] = {
        {0, 400, 480, 0}, {0, 1300, 1296, 0}, {0, 600, 600, 0}, {1, 300, 320, 0}, {1, 1590, 1584, 0},
        {1, 400, 400, 1}, {1, 1300, 1300, 1}, {1, 600, 600, 0}, {2, -0.5, 0, 3},  {2, 1910, 1904, 3},
        {2, 300, 300, 2}, {2, 1590, 1590, 2}, {2, 400, 400, 1}, {2, 600, 600, 0}, {7, -5, -5, 0},
    };
    for (const ClampCase& c : cases) {
        cGameObject o = MakeObject(c.start, 500, 16, 16);
        EXPECT_EQ(o.ClampToStageX(c.mode), c.result) << c.mode << " " << c.start;
        EXPECT_EQ(o.x, c.expected) << c.mode << " " << c.start;
        EXPECT_EQ(o.right, c.expected + 15);
        EXPECT_EQ(o.leftCell, static_cast<int>(c.expected) >> 5);
    }
}

TEST_F(GameObjectTest, ClampToStageYByMode)
{
    // Stage 30 tiles: field 0..1599, stage 320..1279, scroll area 384..991. Height 24.
    field.m_ScrollY.SetLimit(2, 20, 1, 1);
    const ClampCase cases[] = {
        {0, 100, 384, 0},   {1, 350, 350, 1}, {1, 980, 980, 4},   {1, 300, 320, 0},
        {1, 1270, 1256, 0}, {2, -1, 0, 3},    {2, 1590, 1576, 6}, {2, 300, 300, 2},
        {2, 1270, 1270, 5}, {2, 350, 350, 1}, {2, 980, 980, 4},   {2, 500, 500, 0},
    };
    for (const ClampCase& c : cases) {
        cGameObject o = MakeObject(600, c.start, 16, 24);
        EXPECT_EQ(o.ClampToStageY(c.mode), c.result) << c.mode << " " << c.start;
        EXPECT_EQ(o.y, c.expected) << c.mode << " " << c.start;
        EXPECT_EQ(o.bottom, c.expected + 23);
        EXPECT_EQ(o.bottomCell, static_cast<int>(c.expected + 23) >> 5);
    }
}

TEST_F(GameObjectTest, MoveKeepsToTheStageSpeedLimit)
{
    SetSpeed(15, 0.5);  // 5 sub-steps, 60 / 5 = 12 pixels per sub-step at most
    cGameObject o = MakeObject(800, 600, 16, 16);
    o.vx = 20;
    o.vy = -13;
    EXPECT_EQ(o.MoveX(2), 0);
    EXPECT_EQ(o.MoveY(2), 0);
    EXPECT_EQ(o.vx, 12);
    EXPECT_EQ(o.x, 812);
    EXPECT_EQ(o.vy, -12);
    EXPECT_EQ(o.y, 588);
    o.ApplyGravity();
    EXPECT_DOUBLE_EQ(o.vy, -12 + 0.5 / 25);
    o.noGravity = 1;
    o.ApplyGravity();
    EXPECT_DOUBLE_EQ(o.vy, -12 + 0.5 / 25);
}

TEST_F(GameObjectTest, DecaySpeedStopsAtZero)
{
    cGameObject o = MakeObject(0, 0, 16, 16);
    o.decel = 0.3;
    const double cases[][3] = {{1.0, 1, 0.7},  {0.2, 1, 0.0}, {-1.0, 1, -0.7},
                               {-0.1, 1, 0.0}, {0.0, 1, 0.0}, {1.0, 0, 1.0}};
    for (const auto& c : cases) {
        double speed = c[0];
        o.DecaySpeed(speed, static_cast<int>(c[1]));
        EXPECT_DOUBLE_EQ(speed, c[2]) << c[0];
    }
}

TEST_F(GameObjectTest, ScreenRectAndViewTests)
{
    field.m_ScrollX.dPos = 320.7;
    field.m_ScrollY.dPos = 400.2;
    cGameObject o = MakeObject(400.9, 500.5, 16, 16);
    o.gfxOffsetX = 8;
    o.gfxOffsetY = 16;
    o.gfxWidth = 32;
    o.gfxHeight = 32;
    o.CalcScreenRect();
    EXPECT_EQ(o.screenLeft, static_cast<int>(400.9 - 8 - 320));
    EXPECT_EQ(o.screenRight, o.screenLeft + 31);
    EXPECT_EQ(o.screenTop, static_cast<int>(500.5 - 16 - 400));
    EXPECT_TRUE(o.IsInView());

    cGameObject left = MakeObject(300, 500, 16, 16);  // right = 315 < 320.7
    EXPECT_FALSE(left.IsInView());
    EXPECT_TRUE(left.IsInViewAxes(1, 0));
    cGameObject below = MakeObject(400, 880.2, 16, 16);  // y = view top + 480
    EXPECT_FALSE(below.IsInView());
    EXPECT_TRUE(below.IsInViewAxes(0, 1));

    EXPECT_TRUE(o.IsInsideStage(0));
    EXPECT_FALSE(left.IsInsideStage(0));
    EXPECT_TRUE(left.IsInsideStage(1));
    EXPECT_TRUE(o.OverlapsRect(415.9, 515.5, 500, 600));  // touching corners overlap
    EXPECT_FALSE(o.OverlapsRect(416, 400, 500, 600));
}

TEST_F(GameObjectTest, OutOfLimitsNeverInViewAndAtTheFieldEdge)
{
    cEdOffScreenLimit limits;
    limits.m_bLeft = 1;
    limits.m_nLeft = 2;
    field.m_ScrollX.dPos = 320;
    cGameObject beyond = MakeObject(241, 500, 16, 16);  // right = 256 = 320 - 64
    EXPECT_TRUE(beyond.IsOutOfLimits(limits));
    cGameObject inside = MakeObject(242, 500, 16, 16);
    EXPECT_FALSE(inside.IsOutOfLimits(limits));
    cGameObject edge = MakeObject(0, 500, 16, 16);
    edge.inView = 0;
    EXPECT_TRUE(edge.IsOutOfLimits(cEdOffScreenLimit{}));
    edge.inView = 1;
    edge.x = -5000;
    EXPECT_FALSE(edge.IsOutOfLimits(limits));
}

TEST_F(GameObjectTest, CornerBlocksFollowFactionAndConditions)
{
    cGameObject o = MakeObject(20 * 32 + 4, 15 * 32 + 4, 16, 16);
    o.faction = 3;
    o.ClampToStageX(2);
    o.ClampToStageY(2);
    EXPECT_FALSE(o.HitsBlockAtCorners());
    PutSolidBlock(20, 15);
    EXPECT_TRUE(o.HitsBlockAtCorners());
    MAPCELL* cell = MapCellAt(20, 15);
    cell->m_nPassFaction = 3;
    EXPECT_FALSE(o.HitsBlockAtCorners());
    cell->m_nPassFaction = 255;
    cell->m_Condition.resize(1);
    field.blockCondHolds = 0;
    EXPECT_FALSE(o.HitsBlockAtCorners());
    field.blockCondHolds = 1;
    EXPECT_TRUE(o.HitsBlockAtCorners());
    cell->m_nHitKind = 2;
    EXPECT_EQ(IsBlockSolidFor(*cell, 3), 2);
}

// An aim from (fromX, fromY) to (toX, toY) at a speed, at nothing in particular.
AimRequest Aim(double fromX, double fromY, double toX, double toY, double speed, const cGameObject* target = nullptr)
{
    AimRequest aim;
    aim.target = target;
    aim.fromX = fromX;
    aim.fromY = fromY;
    aim.toX = toX;
    aim.toY = toY;
    aim.speed = speed;
    return aim;
}

TEST_F(GameObjectTest, AimAtAPointStraightFleeingAndArriving)
{
    AimVelocity v = cGameObject::CalcAimVelocity(Aim(10, 10, 10, 10, 2.0));
    EXPECT_EQ(v.vx, 0.0);
    EXPECT_EQ(v.vy, 0.0);
    EXPECT_EQ(v.dir, 0);
    EXPECT_FALSE(v.arrived);

    v = cGameObject::CalcAimVelocity(Aim(10, 10, 10, 10, -2.0));
    EXPECT_DOUBLE_EQ(v.vx, 2.0 * InvSqrt2);
    EXPECT_DOUBLE_EQ(v.vy, 2.0 * InvSqrt2);
    EXPECT_EQ(v.dir, 2);
    // Without fleeing a negative speed aims backwards along the line.
    AimRequest noFlee = Aim(0, 0, 3, 4, -5.0);
    noFlee.noFlee = true;
    v = cGameObject::CalcAimVelocity(noFlee);
    EXPECT_DOUBLE_EQ(v.vx, -3.0);
    EXPECT_DOUBLE_EQ(v.vy, -4.0);

    AimRequest far = Aim(0, 0, -30, 40, 5.0);
    far.arrival = true;
    v = cGameObject::CalcAimVelocity(far);
    EXPECT_FALSE(v.arrived);
    EXPECT_DOUBLE_EQ(v.vx, -3.0);
    EXPECT_DOUBLE_EQ(v.vy, 4.0);
    EXPECT_EQ(v.dir, 1);
    AimRequest near = Aim(0, 0, 3, 4, 5.0);
    near.arrival = true;
    EXPECT_TRUE(cGameObject::CalcAimVelocity(near).arrived);
    near.arrival = false;
    EXPECT_FALSE(cGameObject::CalcAimVelocity(near).arrived);
}

TEST_F(GameObjectTest, AimCorrectsForTheAutoScroll)
{
    field.m_ScrollX.dSpeed = 1.0;
    field.m_ScrollX.bAtLimit = 0;
    cGameObject still = MakeObject(0, 0, 16, 16);
    cGameObject riding = MakeObject(0, 0, 16, 16);
    riding.syncScroll = 1;
    // A point that stays put: the mover, carried by nothing, subtracts the scroll.
    EXPECT_DOUBLE_EQ(cGameObject::CalcAimVelocity(Aim(0, 0, 100, 0, 2.0, &still)).vx, 1.0);
    // A point riding the scroll, met by a mover that does not: it leaves at 1 pixel per sub-step
    // and is met after 100 sub-steps at speed 2.
    AimVelocity v = cGameObject::CalcAimVelocity(Aim(0, 0, 100, 0, 2.0, &riding));
    EXPECT_DOUBLE_EQ(v.vx, 2.0);
    EXPECT_DOUBLE_EQ(v.vy, 0.0);
    EXPECT_EQ(v.dir, 2);
    // Both riding: no correction.
    AimRequest bothRiding = Aim(0, 0, 100, 0, 2.0, &riding);
    bothRiding.moverSync = 1;
    EXPECT_DOUBLE_EQ(cGameObject::CalcAimVelocity(bothRiding).vx, 2.0);
    // A scroll that outruns the mover has no meeting point: the straight velocity stays, finite.
    field.m_ScrollX.dSpeed = 3.0;
    AimRequest outrun = Aim(0, 0, 100, 100, 1.0, &riding);
    outrun.arrival = true;
    v = cGameObject::CalcAimVelocity(outrun);
    EXPECT_DOUBLE_EQ(v.vx, InvSqrt2);
    EXPECT_DOUBLE_EQ(v.vy, InvSqrt2);
    EXPECT_EQ(v.dir, 0);
    EXPECT_FALSE(v.arrived);
    // At its limit the scroll does not count.
    field.m_ScrollX.bAtLimit = 1;
    EXPECT_DOUBLE_EQ(cGameObject::CalcAimVelocity(Aim(0, 0, 100, 0, 2.0, &still)).vx, 2.0);
    // With the commands-use-the-scroll switch the scroll is added.
    field.m_ScrollX.bAtLimit = 0;
    field.m_ScrollX.dSpeed = 1.0;
    SystemData.bScrollSyncVariant = 1;
    EXPECT_DOUBLE_EQ(cGameObject::CalcAimVelocity(Aim(0, 0, 100, 0, 2.0, &still)).vx, 3.0);
}

TEST_F(GameObjectTest, OneAxisAimAndArrival)
{
    AimRequest aim = Aim(50, 0, 50, 0, 3.0);
    aim.arrival = true;
    AimVelocity v = cGameObject::CalcAimVelocityX(aim);
    EXPECT_TRUE(v.arrived);
    EXPECT_EQ(v.vx, -3.0);
    EXPECT_EQ(v.vy, 0.0);
    EXPECT_EQ(v.dir, 1);
    aim.fromX = 40;
    v = cGameObject::CalcAimVelocityX(aim);
    EXPECT_FALSE(v.arrived);
    EXPECT_EQ(v.vx, 3.0);
    EXPECT_EQ(v.dir, 2);
    // The vertical aim reads only the vertical points (the horizontal ones are still apart).
    aim.fromY = 50;
    aim.toY = 48;
    v = cGameObject::CalcAimVelocityY(aim);
    EXPECT_TRUE(v.arrived);
    EXPECT_EQ(v.vy, -3.0);
    EXPECT_EQ(v.vx, 0.0);
    EXPECT_EQ(v.dir, 0);
}

TEST_F(GameObjectTest, WaveMotionAndItsPhase)
{
    SetSpeed(2, 0.5);  // u = 2
    const double k = 90 * 0.017453292519943295;
    double phase = 2.0;
    EXPECT_DOUBLE_EQ(cGameObject::WaveSpeed(10, 90, phase, 1.5, 0.5), 10 * k * std::cos(k * (2.0 / 2 + 0.5)) / 2);
    EXPECT_DOUBLE_EQ(phase, 3.5);
    phase = 719.5;
    EXPECT_DOUBLE_EQ(cGameObject::WaveAccel(10, 90, phase, 1.0, 0.0), -(10 * k * k * std::sin(k * (719.5 / 2))) / 4);
    EXPECT_DOUBLE_EQ(phase, 0.5);
    EXPECT_DOUBLE_EQ(SpeedPerFrame(120), 1.0);
}

TEST_F(GameObjectTest, ImpactToSpeed)
{
    SetSpeed(2, 0.5);
    const double u = 2;
    const auto speed = [u](double g) {
        return g > 0 ? (std::sqrt(1 + 128 * u * g) - 1) / (2 * u) : -((std::sqrt(1 - 128 * u * g) - 1) / (2 * u));
    };
    double vx = 7;
    double vy = 8;
    cGameObject::ImpactToSpeed(vx, vy, 0, 1, 0);
    EXPECT_EQ(vx, 7);
    EXPECT_EQ(vy, 8);
    cGameObject::ImpactToSpeed(vx, vy, 10, 3, -1);
    EXPECT_DOUBLE_EQ(vx, speed(10 * 3 / 4.0));
    EXPECT_DOUBLE_EQ(vy, speed(10 * -1 / 4.0));
    cGameObject::ImpactToSpeed(vx, vy, -6, 2, 0);
    EXPECT_DOUBLE_EQ(vx, speed(-6.0));
    EXPECT_DOUBLE_EQ(vy, 0.0);
    cGameObject::ImpactToSpeed(vx, vy, 5, 0, 0);
    EXPECT_EQ(vx, 0.0);
    EXPECT_EQ(vy, 0.0);
}

TEST_F(GameObjectTest, SpanOverlaps)
{
    struct Case {
        double pos;
        int width;
        double lo;
        double hi;
        double margin;
        double extLeft;
        double extRight;
        int whole;
        bool expected;
    };
    // pos 100, width 32: centre 116, whole span 100..132.
    const Case cases[] = {
        {100, 32, 110, 120, 0, 0, 0, 0, true},   {100, 32, 117, 120, 0, 0, 0, 0, false},
        {100, 32, 130, 140, 0, 0, 0, 1, true},   {100, 32, 133, 140, 0, 0, 0, 1, false},
        {100, 32, 110, 120, 5, 0, 0, 0, false},  {100, 32, 70, 85, 0, 20, 0, 0, true},
        {100, 32, 117, 120, 0, 20, 0, 0, false}, {100, 32, 140, 150, 0, 0, 10, 0, true},
        {100, 32, 60, 70, 0, 40, 10, 0, true},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(cGameObject::SpanOverlaps(c.pos, c.width, c.lo, c.hi, c.margin, c.extLeft, c.extRight, c.whole),
                  c.expected)
            << c.lo << " " << c.hi;
    }
}

class NearestCharaTest : public ObjectsTest {
protected:
    cChara charas[4];
    CHARAGROUP group;

    void Place(int i, int screenX, int screenY, int inView)
    {
        cChara& c = charas[i];
        c.source = 10 + i;
        c.active = 1;
        c.inView = inView;
        c.gfxWidth = 32;
        c.gfxHeight = 32;
        c.screenLeft = screenX - 16;
        c.screenTop = screenY - 16;
        group.push_back(&c);
    }
};

TEST_F(NearestCharaTest, ModeZeroFallsBackToCharactersOutOfView)
{
    Place(0, 300, 200, 1);  // distance 200 + 0
    Place(1, 110, 200, 0);  // distance 10, out of view
    Place(2, 500, 200, 1);  // distance 400
    EXPECT_EQ(FindNearestCharaEx(100, 200, group, NEAREST_IN_VIEW_FIRST, CHARAFILTER{}), &charas[0]);
    EXPECT_EQ(FindNearestCharaEx(100, 200, group, NEAREST_ANY, CHARAFILTER{}), &charas[1]);
    charas[0].def.m_nInvincible = 2;
    charas[2].dying = 1;
    EXPECT_EQ(FindNearestCharaEx(100, 200, group, NEAREST_IN_VIEW_FIRST, CHARAFILTER{.excludeInvincible2 = 1}),
              &charas[1]);
    EXPECT_EQ(FindNearestCharaEx(100, 200, group, NEAREST_IN_VIEW, CHARAFILTER{.excludeInvincible2 = 1}), nullptr);
    EXPECT_EQ(FindNearestCharaEx(100, 200, group, NEAREST_ANY, CHARAFILTER{.excludeSource = 1, .nSource = 11}),
              &charas[0]);
    charas[1].def.m_nCharaId = 4;
    EXPECT_EQ(FindNearestCharaEx(100, 200, group, NEAREST_ANY, CHARAFILTER{.byId = 1, .id = 4}), &charas[1]);
    EXPECT_EQ(FindFirstChara(group, CHARAFILTER{.byId = 1, .id = 4}), &charas[1]);
    EXPECT_EQ(FindFirstChara(group, CHARAFILTER{}), &charas[0]);
}

TEST_F(NearestCharaTest, TiesKeepTheFirstInListOrder)
{
    Place(0, 150, 200, 1);
    Place(1, 50, 200, 1);
    EXPECT_EQ(FindNearestCharaEx(100, 200, group, NEAREST_IN_VIEW, CHARAFILTER{}), &charas[0]);
    group.reverse();
    EXPECT_EQ(FindNearestCharaEx(100, 200, group, NEAREST_IN_VIEW, CHARAFILTER{}), &charas[1]);
    // The stage's on-screen targeting setting chooses mode 2 or 0.
    group.clear();
    Place(2, 110, 200, 0);
    Stage.m_nContactFlag = 1;
    EXPECT_EQ(FindNearestCharaAt(100, 200, group), nullptr);
    Stage.m_nContactFlag = 0;
    EXPECT_EQ(FindNearestCharaAt(100, 200, group), &charas[2]);
}

}  // namespace
