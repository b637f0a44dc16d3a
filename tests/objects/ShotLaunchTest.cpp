// The launch kinds of the shot command: per kind a table of (settings, expected volley: count,
// positions, velocities), the expected values computed from the placement formulas with the
// owner's screen rectangle; the volley loop (angles, speeds, mirroring, jitter, offsets), aiming
// and the summon launches.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "ShotTestSupport.h"
#include "definitions/cEdCommonPalette.h"
#include "objects/ISummonStage.h"
#include "objects/StageSpeed.h"
#include "objects/shot/ShotLaunch.h"
#include "platform/win/Random.h"

namespace {

using shottest::kDeg;
using shottest::kK;
using shottest::kSx;
using shottest::kSy;
using shottest::ShotTest;

// The owner: a 32 x 32 character at world (640, 480), so its screen rectangle is (320, 160) ..
// (351, 191) and its graphic centre in world pixels (656, 496). The shots are 16 x 16.
constexpr double kOwnerX = 640;
constexpr double kOwnerY = 480;
constexpr int L = 320;
constexpr int T = 160;
constexpr int R = 351;
constexpr int B = 191;
constexpr int W = 32;
constexpr int H = 32;
constexpr int CX = kSx + L + (W >> 1);
constexpr int CY = kSy + T + (H >> 1);
constexpr int w = 16;
constexpr int h = 16;

int Tr(double d)
{
    return static_cast<int>(d);
}

struct LAUNCHPOINT {
    int x;
    int y;
    double vx;
    double vy;
};

struct LAUNCHCASE {
    const char* szName;
    int nKind;
    int nDirection;  // stored code
    int nFacing;
    int nCount;
    int p1, p2, p3;
    int nAngle;
    int bRotate;
    std::vector<LAUNCHPOINT> expected;
};

// A line of n points from (x0, y0) by (dx, dy), all with one velocity.
std::vector<LAUNCHPOINT> Line(int n, int x0, int y0, int dx, int dy, double vx, double vy)
{
    std::vector<LAUNCHPOINT> out;
    for (int i = 0; i < n; ++i) {
        out.push_back({x0 + i * dx, y0 + i * dy, vx, vy});
    }
    return out;
}

// n points at one place with the velocities of the given angles at speed v.
std::vector<LAUNCHPOINT> Fan(int x, int y, const std::vector<double>& angles, double v)
{
    std::vector<LAUNCHPOINT> out;
    for (double a : angles) {
        out.push_back({x, y, -std::cos(a * kDeg) * v, -std::sin(a * kDeg) * v});
    }
    return out;
}

class ShotLaunchTest : public ShotTest {
protected:
    void Run(const LAUNCHCASE& c)
    {
        SCOPED_TRACE(c.szName);
        ClearShots();
        CharaList.clear();
        cChara& owner = AddChara(100, kOwnerX, kOwnerY, c.nFacing, 1);
        Def().m_nShotKind = static_cast<std::int8_t>(c.nKind);
        Def().m_nDirection = static_cast<std::int8_t>(c.nDirection);
        Def().m_nCount = static_cast<std::int8_t>(c.nCount);
        Def().m_nKindParam[0] = static_cast<std::int16_t>(c.p1);
        Def().m_nKindParam[1] = static_cast<std::int16_t>(c.p2);
        Def().m_nKindParam[2] = static_cast<std::int16_t>(c.p3);
        Def().m_nAngle = static_cast<std::int16_t>(c.nAngle);
        Def().m_nShotOptA = static_cast<std::int8_t>(c.bRotate);
        LaunchShots(field.m_ShotList, owner, inst, Def(), 0);
        const double u = ScrollUnit();
        const std::vector<cShot*> shots = Shots();
        ASSERT_EQ(shots.size(), c.expected.size());
        for (std::size_t i = 0; i < shots.size(); ++i) {
            SCOPED_TRACE(i);
            EXPECT_EQ(shots[i]->x, c.expected[i].x);
            EXPECT_EQ(shots[i]->y, c.expected[i].y);
            EXPECT_NEAR(shots[i]->stepVx * u, c.expected[i].vx, 1e-9);
            EXPECT_NEAR(shots[i]->stepVy * u, c.expected[i].vy, 1e-9);
        }
    }
};

TEST_F(ShotLaunchTest, StraightAPlacesALineBesideTheOwner)
{
    const double v = 2.0;
    const double kv = kK * v;
    const int X8 = Tr(CX + (1 - (W >> 1) - (w >> 1)) * kK - (w >> 1));
    const int Y8 = Tr(CY - kK * ((H >> 1) + (h >> 1)) - (h >> 1));
    const int X10 = Tr(CX + kK * (R + (w >> 1) - (W >> 1) - L + 1) - (w >> 1));
    const int Y9 = Tr(CY + kK * (B + (h >> 1) - T - (H >> 1) + 1) - (h >> 1));
    // Rotated about the owner at 90 degrees with a gap of 1 for two shots.
    const double r = kK * (B + (h >> 1) - T - (H >> 1) + 1);
    const double t = kK * ((w >> 1) + R - L - (W >> 1) + 1);
    const double b = (90 + 225) * kDeg;
    const int rx = Tr(L + (W >> 1) + kSx + (r * std::sin(b) + t * std::cos(b)) - (w >> 1));
    const int ry = Tr(T + (H >> 1) + kSy + (t * std::sin(b) - r * std::cos(b)) - (h >> 1));
    const double si = std::sin(90 * kDeg);
    const double co = std::cos(90 * kDeg);
    const LAUNCHCASE cases[] = {
        {"left, three with gap 1: centred on the owner", 0, 2, 0, 3, 1, 0, 0, 0, 0,
         Line(3, L + kSx + 1 - w, CY - 16 - 24, 0, 32, -v, 0)},
        {"front of a right-facing owner is right", 0, 0, 1, 3, 1, 0, 0, 0, 0,
         Line(3, kSx + R + 1, CY - 16 - 24, 0, 32, v, 0)},
        {"back of a right-facing owner is left", 0, 1, 1, 1, 0, 0, 0, 0, 0,
         Line(1, L + kSx + 1 - w, CY - 8, 0, 0, -v, 0)},
        {"up, two with gap 2", 0, 6, 0, 2, 2, 0, 0, 0, 0, Line(2, CX - 16 - 16, kSy + T - h, 48, 0, 0, -v)},
        {"down, two without gap", 0, 7, 0, 2, 0, 0, 0, 0, 0, Line(2, CX - 16, kSy + B + 1, 16, 0, 0, v)},
        {"front-Y of a left-facing owner is up", 0, 4, 0, 1, 0, 0, 0, 0, 0, Line(1, CX - 8, kSy + T - h, 0, 0, 0, -v)},
        {"up-left diagonal", 0, 8, 0, 2, 1, 0, 0, 0, 0,
         Line(2, Tr(X8 - kK * (8 + 8)), Tr((8 + 8) * kK + Y8), 32, -32, -kv, -kv)},
        {"down-right diagonal", 0, 11, 0, 2, 1, 0, 0, 0, 0,
         Line(2, Tr(X10 - kK * (8 + 8)), Tr((8 + 8) * kK + Y9), 32, -32, kv, kv)},
        {"angle 30 keeps the unrotated place", 0, 2, 0, 1, 0, 0, 0, 30, 0,
         Line(1, L + kSx + 1 - w, CY - 8, 0, 0, -std::cos(30 * kDeg) * v, -std::sin(30 * kDeg) * v)},
        {"rotated to 90 degrees around the owner", 0, 2, 0, 2, 1, 0, 0, 90, 1,
         Line(2, Tr(rx - si * (8 + 8) * 1), Tr(co * (8 + 8) * 1 + ry), Tr(si * (16 + 16)), Tr(co * (-16 - 16)),
              -std::cos(90 * kDeg) * v, -std::sin(90 * kDeg) * v)},
    };
    for (const LAUNCHCASE& c : cases) Run(c);
}

TEST_F(ShotLaunchTest, StraightBStacksAColumnFromTheOwnersBottom)
{
    const double v = 2.0;
    const double kv = kK * v;
    const int bottomY = kSy + B - h + 1;
    const LAUNCHCASE cases[] = {
        {"left, three with gap 1", 1, 2, 0, 3, 1, 0, 0, 0, 0, Line(3, L + kSx + 1 - w, bottomY, 0, -32, -v, 0)},
        {"up from a right-facing owner rises on its right", 1, 6, 1, 2, 0, 0, 0, 0, 0,
         Line(2, kSx + R + 1, bottomY, 0, -16, 0, -v)},
        {"up from a left-facing owner rises on its left", 1, 6, 0, 1, 0, 0, 0, 0, 0,
         Line(1, L + kSx + 1 - w, bottomY, 0, 0, 0, -v)},
        {"down-left", 1, 9, 0, 1, 0, 0, 0, 0, 0, Line(1, L + kSx + 1 - w, bottomY, 0, 0, -kv, kv)},
        {"right with angle 90 turns up", 1, 3, 0, 1, 0, 0, 0, 90, 0,
         Line(1, kSx + R + 1, bottomY, 0, 0, -std::cos(270 * kDeg) * v, -std::sin(270 * kDeg) * v)},
    };
    for (const LAUNCHCASE& c : cases) Run(c);
}

TEST_F(ShotLaunchTest, SpreadFansAroundTheDirectionFromOnePoint)
{
    const double v = 2.0;
    // The point around the owner at 90 degrees (above it).
    const double r = kK * (B + (h >> 1) - T - (H >> 1) + 1);
    const double t = kK * ((w >> 1) + R - L - (W >> 1) + 1);
    const double b = (90 + 225) * kDeg;
    const int rx = Tr(L + (W >> 1) + kSx + (r * std::sin(b) + t * std::cos(b)) - (w >> 1));
    const int ry = Tr(T + (H >> 1) + kSy + (t * std::sin(b) - r * std::cos(b)) - (h >> 1));
    const LAUNCHCASE cases[] = {
        {"four 10 degrees apart around 0 (345, 355, 5, 15)", 2, 2, 0, 4, 10, 0, 0, 0, 0,
         Fan(kSx + L - w + 1, CY - 8, {-15, -5, 5, 15}, v)},
        {"three 20 degrees apart around right", 2, 3, 0, 3, 20, 0, 0, 0, 0,
         Fan(kSx + R + 1, CY - 8, {160, 180, 200}, v)},
        {"down", 2, 7, 0, 2, 90, 0, 0, 0, 0, Fan(CX - 8, kSy + B + 1, {225, 315}, v)},
        {"rotated to 90 degrees: from above the owner", 2, 2, 0, 2, 20, 0, 0, 90, 1, Fan(rx, ry, {80, 100}, v)},
    };
    for (const LAUNCHCASE& c : cases) Run(c);
}

TEST_F(ShotLaunchTest, LightningEntersFromTheScreenEdgeInCentredRows)
{
    const double v = 2.0;
    const double kv = kK * v;
    // Three rows 16 pixels apart, centred on the owner (f = 16); columns 32 apart (gap 1).
    std::vector<LAUNCHPOINT> rows;
    for (int i = 0; i < 2; ++i) {
        for (int j = 0; j < 3; ++j) {
            rows.push_back({Tr(kSx + 640 - w) - 32 * i, kSy + (H >> 1) + T - (h >> 1) - 16 + 16 * j, -v, 0});
        }
    }
    // Two rows along the direction down: f = 0 + 8, rows 16 apart across it.
    const int x7 = kSx + (W >> 1) + L - (w >> 1) - 8;
    const std::vector<LAUNCHPOINT> down = {{x7, kSy, 0, v}, {x7 + 16, kSy, 0, v}};
    // Down-right from the owner's centre (336, 176): the top edge is nearer than the left edge.
    const int mx = L + (W >> 1);
    const int my = T + (H >> 1);
    const LAUNCHCASE cases[] = {
        {"left, two columns of three rows", 3, 2, 0, 2, 1, 3, 1, 0, 0, rows},
        {"down, one column of two rows", 3, 7, 0, 1, 1, 2, 1, 0, 0, down},
        {"down-right", 3, 11, 0, 1, 1, 1, 0, 0, 0, {{Tr(kSx + mx - my), kSy, kv, kv}}},
    };
    Def().m_nOrigin = 2;
    for (const LAUNCHCASE& c : cases) Run(c);
}

TEST_F(ShotLaunchTest, OldLightningLinesUpWithoutTheGap)
{
    SystemData.bPlacementVariant = 1;
    Def().m_nOrigin = 2;
    Run({"left, gap 1 ignored", 3, 2, 0, 2, 1, 1, 0, 0, 0,
         Line(2, Tr(kSx + 640 - w), kSy + (H >> 1) + T - (h >> 1), -16, 0, -2.0, 0)});
}

TEST_F(ShotLaunchTest, ExplosionAndSurroundSpreadEvenlyAroundACentre)
{
    const double v = 2.0;
    const int ex = Tr(L + (W >> 1) + kSx - (w >> 1));
    const int ey = Tr(T + (H >> 1) + kSy - (h >> 1));
    std::vector<LAUNCHPOINT> ring;
    for (double a : {0.0, 90.0, 180.0, 270.0}) {
        ring.push_back({Tr(32 * std::cos(a * kDeg) + 0.5) + ex, Tr(32 * std::sin(a * kDeg) + 0.5) + ey,
                        -std::cos(a * kDeg) * v, -std::sin(a * kDeg) * v});
    }
    const LAUNCHCASE cases[] = {
        {"explosion of four", 4, 2, 0, 4, 0, 0, 0, 0, 0, Fan(ex, ey, {0, 90, 180, 270}, v)},
        {"explosion of three turned by 45", 4, 3, 0, 3, 0, 0, 0, 45, 0, Fan(ex, ey, {225, 345, 465}, v)},
        {"surround of four at radius 2", 5, 2, 0, 4, 2, 0, 0, 0, 0, ring},
    };
    Def().m_nOrigin = 2;
    for (const LAUNCHCASE& c : cases) Run(c);
    EXPECT_EQ(ring[0].x, ex + 32);  // right of the centre, moving left towards it
    EXPECT_EQ(ring[1].y, ey + 32);  // below
}

TEST_F(ShotLaunchTest, LightningRowsStayWithinTheEditorsRange)
{
    cChara& owner = AddChara(100, kOwnerX, kOwnerY, 0, 1);
    Def().m_nOrigin = 2;
    Def().m_nShotKind = 3;
    Def().m_nDirection = 7;
    Def().m_nKindParam[1] = 30000;  // rows "列の数": 1..50 in the editor
    LaunchShots(field.m_ShotList, owner, inst, Def(), 0);
    EXPECT_EQ(field.m_ShotList.size(), 50u);
}

TEST_F(ShotLaunchTest, LightningAndSurroundNeedTheirReference)
{
    for (int kind : {3, 5}) {
        for (int origin : {0, 3, -1}) {
            Def().m_nOrigin = static_cast<std::int8_t>(origin);
            Run({"no target, or an origin outside 0..2", kind, 2, 0, 2, 1, 1, 0, 0, 0, {}});
        }
    }
}

TEST_F(ShotLaunchTest, AimTurnsTheVolleyTowardTheTargetOrTheFacing)
{
    Def().m_bAim = 1;
    // Without a target the angle follows the owner's facing, whatever the direction says.
    Run({"no target, facing left", 0, 3, 0, 1, 0, 0, 0, 0, 0, Line(1, kSx + R + 1, CY - 8, 0, 0, -2.0, 0)});
    Run({"no target, facing right", 0, 2, 1, 1, 0, 0, 0, 0, 0, Line(1, L + kSx + 1 - w, CY - 8, 0, 0, 2.0, 0)});
    // A target level with the launch point on the right: 180 degrees.
    ClearShots();
    CharaList.clear();
    cChara& owner = AddChara(100, kOwnerX, kOwnerY, 0, 1);
    cChara& target = AddChara(101, kOwnerX + 160, kOwnerY, 0, 2);
    owner.target = CharaRef(target.source);
    SHOTLAUNCH launch;
    launch.speed = 2.0;
    EXPECT_EQ(AimAngleAtTarget(CX, CY, owner, Def(), launch), 180);
    // Straight below the launch point: 270; above and to the left: 45.
    EXPECT_EQ(AimAngleAtTarget(CX + 160, CY - 100, owner, Def(), launch), 270);
    EXPECT_EQ(AimAngleAtTarget(CX + 260, CY + 100, owner, Def(), launch), 45);
    const double dx = (kSx + 16 + (L + 160)) - (CX - 30);
    const double dy = (kSy + 16 + T) - (CY + 7);
    EXPECT_EQ(AimAngleAtTarget(CX - 30, CY + 7, owner, Def(), launch),
              Tr(std::atan2(dy, dx) * 57.29577951308232 + 180 + 0.5));
}

TEST_F(ShotLaunchTest, AimLeadsATargetThatRidesTheAutoScroll)
{
    cChara& owner = AddChara(100, kOwnerX, kOwnerY, 0, 1);
    cChara& target = AddChara(101, kOwnerX + 160, kOwnerY - 96, 0, 2);
    owner.target = CharaRef(target.source);
    target.syncScroll = 1;
    field.m_ScrollX.dSpeed = 0.4;
    const double u = ScrollUnit();
    const double sp = (Def().m_nSpeed + 1 * Def().m_nSpeedStep) * 0.1 / u;
    // The intercept course of the moving-target rule, from the launch point on the screen.
    AimRequest aim;
    aim.target = &target;
    aim.fromX = CX - kSx;
    aim.fromY = CY - kSy;
    aim.toX = target.ScreenCentreX();
    aim.toY = target.ScreenCentreY();
    aim.speed = sp;
    aim.noFlee = true;
    const AimVelocity course = cGameObject::CalcAimVelocity(aim);
    const double vx = course.vx;
    const double vy = course.vy;
    SHOTLAUNCH launch;
    launch.volleyIndex = 1;
    launch.speed = 2.0;
    EXPECT_EQ(AimAngleAtTarget(CX, CY, owner, Def(), launch), Tr(std::atan2(vy, vx) * 57.29577951308232 + 180));
    EXPECT_DOUBLE_EQ(launch.speed, std::sqrt(vx * vx + vy * vy) * u);
    EXPECT_NE(std::atan2(vy, vx), std::atan2(-96.0, 160.0)) << "the course leads the target";
    // A shot that rides the scroll itself aims straight at the target.
    Def().m_bScrollSync = 1;
    launch.speed = 2.0;
    EXPECT_EQ(AimAngleAtTarget(CX, CY, owner, Def(), launch), Tr(std::atan2(-96.0, 160.0) * 57.29577951308232 + 180.5));
    EXPECT_EQ(launch.speed, 2.0);
}

TEST_F(ShotLaunchTest, VolleysStepAngleSpeedAndOffset)
{
    struct VOLLEYCASE {
        const char* szName;
        int nFacing;
        int bMirror;
        std::vector<int> angles;
    };
    const VOLLEYCASE cases[] = {
        {"three volleys at 10, 25 and 40", 0, 0, {10, 25, 40}},
        {"mirrored for a right-facing owner", 1, 1, {350, 335, 320}},
        {"the mirror flag does nothing facing left", 0, 1, {10, 25, 40}},
    };
    for (const VOLLEYCASE& c : cases) {
        SCOPED_TRACE(c.szName);
        ClearShots();
        CharaList.clear();
        cChara& owner = AddChara(100, kOwnerX, kOwnerY, c.nFacing, 1);
        Def().m_nDirection = 2;
        Def().m_nRepeat = 2;
        Def().m_nAngle = 10;
        Def().m_nAngleStep = 15;
        Def().m_bMirrorAngle = static_cast<std::int8_t>(c.bMirror);
        Def().m_nSpeedStep = 5;
        Def().m_nOffsetX = 4;
        Def().m_nOffsetXStep = 2;
        LaunchShots(field.m_ShotList, owner, inst, Def(), 0);
        const std::vector<cShot*> shots = Shots();
        ASSERT_EQ(shots.size(), 3u);
        for (int i = 0; i < 3; ++i) {
            const double v = 2.0 + 0.5 * i;
            const double a = c.angles[i] * kDeg;
            EXPECT_EQ(shots[i]->memberIndex, i);
            EXPECT_EQ(shots[i]->x, L + kSx + 1 - w + 4 + 2 * i);
            EXPECT_NEAR(shots[i]->stepVx * ScrollUnit(), -std::cos(a) * v, 1e-9);
            EXPECT_NEAR(shots[i]->stepVy * ScrollUnit(), -std::sin(a) * v, 1e-9);
        }
    }
}

TEST_F(ShotLaunchTest, JitterDrawsEachVolleysAngleFromTheGenerator)
{
    cChara& owner = AddChara(100, kOwnerX, kOwnerY, 0, 1);
    Def().m_nDirection = 2;
    Def().m_nRepeat = 1;
    Def().m_nAngle = 20;
    Def().m_nAngleStep = 30;
    // (jitter, the remainder's divisor 2j + 1): a negative jitter keeps its negative divisor, so
    // the angle only turns upward, by 3 .. 7 for -3.
    const int cases[][2] = {{3, 7}, {-3, -5}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c[0]);
        ClearShots();
        Def().m_nAngleRandom = static_cast<std::int16_t>(c[0]);
        SRand(77);
        const int a0 = 20 + Rand() % c[1] - c[0];
        const int a1 = 50 + Rand() % c[1] - c[0];
        SRand(77);
        LaunchShots(field.m_ShotList, owner, inst, Def(), 0);
        const std::vector<cShot*> shots = Shots();
        ASSERT_EQ(shots.size(), 2u);
        EXPECT_NEAR(shots[0]->stepVy * ScrollUnit(), -std::sin(a0 * kDeg) * 2.0, 1e-9);
        EXPECT_NEAR(shots[1]->stepVy * ScrollUnit(), -std::sin(a1 * kDeg) * 2.0, 1e-9);
    }
}

TEST_F(ShotLaunchTest, UnknownLaunchKindActsAsStraightA)
{
    Run({"kind 6", 6, 2, 0, 1, 0, 0, 0, 0, 0, Line(1, L + kSx + 1 - w, CY - 8, 0, 0, -2.0, 0)});
    Run({"kind byte 200", 200, 2, 0, 1, 0, 0, 0, 0, 0, Line(1, L + kSx + 1 - w, CY - 8, 0, 0, -2.0, 0)});
}

TEST_F(ShotLaunchTest, EveryShotTakesTheNextObjectNumber)
{
    cChara& owner = AddChara(100, kOwnerX, kOwnerY, 0, 1);
    Def().m_nCount = 3;
    field.m_nShotSerial = 40;
    LaunchShots(field.m_ShotList, owner, inst, Def(), 0);
    const std::vector<cShot*> shots = Shots();
    ASSERT_EQ(shots.size(), 3u);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(shots[i]->source, 40 + i);
        EXPECT_EQ(shots[i]->ownerSource, 100);
    }
    EXPECT_EQ(field.m_nShotSerial, 43);
    EXPECT_EQ(field.m_ShotLayer[Def().m_nFaction].size(), 3u);
}

// The summon requests a launch makes of the stage.
class RecordingField : public objectstest::TestStageField, public ISummonStage {
public:
    RecordingField() { m_Services.summon = this; }
    struct CALL {
        std::string what;
        double x;
        double y;
        int faction;
        int facing;
    };
    std::vector<CALL> calls;
    void BeginBlockSummon() override { calls.push_back({"begin", 0, 0, 0, 0}); }
    void SummonBlockAt(double x, double y, int, const cEdShot&, const cEdBlock&) override
    {
        calls.push_back({"block", x, y, 0, 0});
    }
    void SummonCharaAt(double x, double y, int nFaction, int nFacing, int, const cEdShot&, const cEdChara&) override
    {
        calls.push_back({"chara", x, y, nFaction, nFacing});
    }
};

class SummonLaunchTest : public ShotTest {
protected:
    RecordingField rec;
    cVector<cEdChara> savedCharas;
    cVector<cEdBlock> savedBlocks;

    void SetUp() override
    {
        ShotTest::SetUp();
        savedCharas = CommonPalette.m_PaletteChara;
        savedBlocks = CommonPalette.m_PaletteBlock;
        rec.m_ScrollX = field.m_ScrollX;
        rec.m_ScrollY = field.m_ScrollY;
        lpStageField = &rec;
        CommonPalette.m_PaletteChara.resize(2);
        CommonPalette.m_PaletteChara[1].m_nFaction = 3;
        CommonPalette.m_PaletteChara[1].m_nScale = 1;
        CommonPalette.m_PaletteBlock.resize(2);
        Def().m_nSummonPalette = 0;
        Def().m_nSummonIndex = 1;
        Def().m_nShotKind = 4;  // explosion: every member at the owner's centre
        Def().m_nCount = 2;
    }
    void TearDown() override
    {
        CommonPalette.m_PaletteChara = savedCharas;
        CommonPalette.m_PaletteBlock = savedBlocks;
        lpStageField = &field;
        ShotTest::TearDown();
    }
};

TEST_F(SummonLaunchTest, CharacterSummonByFactionModeAndFacing)
{
    struct Case {
        const char* szName;
        int controller;
        int index;
        int factionMode;
        int reverse;
        int expectedCalls;
        int expectedFaction;
        int expectedFacing;
    };
    const Case cases[] = {
        {"its own faction", 1, 1, 0, 0, 2, 3, 1},
        {"the owner's faction", 1, 1, 1, 0, 2, 1, 1},
        {"the definition's faction", 1, 1, 2, 0, 2, 5, 1},
        {"a mode outside 0..2 keeps its own", 1, 1, 7, 0, 2, 3, 1},
        {"reversed facing", 1, 1, 0, 1, 2, 3, 0},
        {"a player-operated template summons nothing", 0, 1, 0, 0, 0, 0, 0},
        {"a missing palette entry summons nothing", 1, 5, 0, 0, 0, 0, 0},
    };
    SetKind(14);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.szName);
        rec.calls.clear();
        CharaList.clear();
        cChara& owner = AddChara(100, kOwnerX, kOwnerY, 1, 1);
        CommonPalette.m_PaletteChara[1].m_nController = static_cast<std::int8_t>(c.controller);
        Def().m_nSummonIndex = static_cast<std::int16_t>(c.index);
        Def().m_nSummonFaction = static_cast<std::int8_t>(c.factionMode);
        Def().m_nFaction = 5;
        Def().m_bSummonReverse = static_cast<std::int8_t>(c.reverse);
        LaunchCharaSummon(owner, inst, Def(), 0);
        ASSERT_EQ(static_cast<int>(rec.calls.size()), c.expectedCalls);
        for (const RecordingField::CALL& call : rec.calls) {
            EXPECT_EQ(call.what, "chara");
            // 32 x 32 members at the owner's centre.
            EXPECT_EQ(call.x, Tr(L + (W >> 1) + kSx - 16));
            EXPECT_EQ(call.y, Tr(T + (H >> 1) + kSy - 16));
            EXPECT_EQ(call.faction, c.expectedFaction);
            EXPECT_EQ(call.facing, c.expectedFacing);
        }
    }
    EXPECT_TRUE(rec.m_ShotList.empty());
}

TEST_F(SummonLaunchTest, ToggleBlockSummonStartsAFreshLaunch)
{
    SetKind(13);
    cChara& owner = AddChara(100, kOwnerX, kOwnerY, 1, 1);
    for (int mode : {0, 2}) {
        rec.calls.clear();
        Def().m_nBlockSummon = static_cast<std::int8_t>(mode);
        LaunchBlockSummon(owner, inst, Def(), 0);
        ASSERT_EQ(rec.calls.size(), mode == 2 ? 3u : 2u);
        EXPECT_EQ(rec.calls[0].what, mode == 2 ? "begin" : "block");
        EXPECT_EQ(rec.calls.back().what, "block");
    }
    rec.calls.clear();
    Def().m_nSummonIndex = 9;
    LaunchBlockSummon(owner, inst, Def(), 0);
    EXPECT_TRUE(rec.calls.empty());
}

}  // namespace
