// The homing kinds: the path of a shot toward a moving goal over sub-steps, against the path the
// test computes from the homing rules (homing speed = speed x 0.1 / u, distances in half-blocks
// turned into sub-step counts, the aim from the shot's graphic centre to the goal's on the screen,
// the wave's speed and acceleration terms, gravity per sub-step).
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <functional>
#include <vector>

#include "ShotTestSupport.h"
#include "objects/StageSpeed.h"
#include "objects/chara/HeroIdentity.h"
#include "objects/shot/ShotHoming.h"
#include "objects/shot/ShotLaunch.h"
#include "objects/shot/ShotStep.h"

namespace {

using shottest::kDeg;
using shottest::kSx;
using shottest::kSy;
using shottest::ShotTest;

// The test's own model of a shot in flight: its position and its own velocity per sub-step.
struct MODEL {
    double x;
    double y;
    double vx;
    double vy;

    // The graphic centre of a 16 x 16 shot on the screen.
    int CentreX() const { return static_cast<int>(x - kSx) + 8; }
    int CentreY() const { return static_cast<int>(y - kSy) + 8; }
    // The velocity of speed s from the shot's centre toward a 32 x 32 character's centre.
    void AimAt(const cCharaBase& goal, double s)
    {
        const double dx = (static_cast<int>(goal.x - kSx) + 16) - CentreX();
        const double dy = (static_cast<int>(goal.y - kSy) + 16) - CentreY();
        double d = std::sqrt(dx * dx + dy * dy);
        d = d == 0.0 ? 1.0 : d;
        vx = s * dx / d;
        vy = s * dy / d;
    }
    void Move()
    {
        x += vx;
        y += vy;
    }
};

class ShotHomingTest : public ShotTest {
protected:
    void SetUp() override
    {
        ShotTest::SetUp();
        SetSpeed(2, 0.5);  // u = 2
    }

    // A shot of the definition at world (x, y) launched at (vx, vy) pixels per frame by owner.
    cShot& Fire(const cCharaBase& owner, int x, int y, double vx, double vy)
    {
        SHOTLAUNCH launch;
        launch.x = x;
        launch.y = y;
        launch.vx = vx;
        launch.vy = vy;
        launch.speed = std::sqrt(vx * vx + vy * vy);
        cShot shot;
        shot.Init(field.m_nShotSerial++, owner, SHOTCMD_SHOT, Def(), launch);
        return AddShotObject(field.m_ShotList, shot);
    }

    void SetHoming(int kind, int q1, int q2, int q3)
    {
        Def().m_nAimKind = static_cast<std::int8_t>(kind);
        Def().m_nAimParam[0] = static_cast<std::int16_t>(q1);
        Def().m_nAimParam[1] = static_cast<std::int16_t>(q2);
        Def().m_nAimParam[2] = static_cast<std::int16_t>(q3);
    }

    // Runs n sub-steps: the goals move first (as the characters do before the shots), then the
    // shots step; after each the shot must sit where the model says.
    void Follow(cShot& shot, MODEL& m, int n, const std::function<void(int)>& moveGoals,
                const std::function<void(int, MODEL&)>& steer)
    {
        for (int i = 0; i < n; ++i) {
            SCOPED_TRACE(i);
            moveGoals(i);
            steer(i, m);
            StepShots(field.m_ShotList, false);
            m.Move();
            ASSERT_DOUBLE_EQ(shot.x, m.x);
            ASSERT_DOUBLE_EQ(shot.y, m.y);
            ASSERT_TRUE(std::isfinite(shot.stepVx) && std::isfinite(shot.stepVy));
        }
    }
};

TEST_F(ShotHomingTest, HomingCountTurnsHalfBlocksIntoSubSteps)
{
    EXPECT_EQ(HomingCount(2, 1.0), 32);
    EXPECT_EQ(HomingCount(3, 0.7), static_cast<int>(48 / 0.7));
    EXPECT_EQ(HomingCount(5, 0.0), 0);
}

TEST_F(ShotHomingTest, ChaseHeroFollowsTheMovingHeroEverySubStep)
{
    const double hs = 20 * 0.1 / 2;  // speed 20 at u = 2
    cPlayer& hero = SetupHero(900, 600);
    cChara& owner = AddChara(100, 600, 480, 0, 1);
    SetHoming(4, 0, 20, 0);  // steer from the start for 20 half-blocks (320 sub-steps)
    cShot& shot = Fire(owner, 640, 480, -2.0, 0.0);
    MODEL m{640, 480, -1.0, 0.0};
    Follow(
        shot, m, 60, [&](int) { MoveBy(hero, 0.5, -0.25); }, [&](int, MODEL& s) { s.AimAt(hero, hs); });
}

TEST_F(ShotHomingTest, ChaseStartsAndEndsAtItsDistances)
{
    const double hs = 1.0;
    cPlayer& hero = SetupHero(900, 400);
    cChara& owner = AddChara(100, 600, 480, 0, 1);
    SetHoming(4, 1, 2, 0);  // start after 16 sub-steps, end after 32
    cShot& shot = Fire(owner, 640, 480, -2.0, 0.0);
    MODEL m{640, 480, -1.0, 0.0};
    Follow(
        shot, m, 50, [&](int) { MoveBy(hero, 0.0, 1.0); },
        [&](int i, MODEL& s) {
            if (i >= 16 && i < 32) s.AimAt(hero, hs);
        });
    EXPECT_EQ(shot.homingDone, 1);
}

TEST_F(ShotHomingTest, ChaseWithEndZeroNeverSteers)
{
    cPlayer& hero = SetupHero(900, 600);
    cChara& owner = AddChara(100, 600, 480, 0, 1);
    SetHoming(4, 0, 0, 0);
    cShot& shot = Fire(owner, 640, 480, -2.0, 0.0);
    MODEL m{640, 480, -1.0, 0.0};
    Follow(
        shot, m, 20, [&](int) { MoveBy(hero, 1.0, 0.0); }, [](int, MODEL&) {});
}

TEST_F(ShotHomingTest, AimHeroTurnsOnceAfterItsDistance)
{
    cPlayer& hero = SetupHero(700, 900);
    cChara& owner = AddChara(100, 600, 480, 0, 1);
    SetHoming(1, 2, 0, 0);  // the course changes after 32 sub-steps at speed 1
    cShot& shot = Fire(owner, 640, 480, -2.0, 0.0);
    MODEL m{640, 480, -1.0, 0.0};
    Follow(
        shot, m, 70, [&](int) { MoveBy(hero, -1.0, 0.0); },
        [&](int i, MODEL& s) {
            if (i == 32) s.AimAt(hero, 1.0);
        });
}

TEST_F(ShotHomingTest, AimNearestPicksTheNearestOfItsFaction)
{
    cChara& owner = AddChara(100, 600, 480, 0, 1);
    cChara& far = AddChara(101, 1000, 480, 0, 2);
    cChara& near = AddChara(102, 700, 700, 0, 2);
    AddChara(103, 660, 470, 0, 3);  // nearer still, but of another faction
    (void)far;
    SetHoming(2, 0, 2, 0);
    cShot& shot = Fire(owner, 640, 480, -2.0, 0.0);
    MODEL m{640, 480, -1.0, 0.0};
    Follow(
        shot, m, 10, [](int) {},
        [&](int i, MODEL& s) {
            if (i == 0) s.AimAt(near, 1.0);
        });
}

TEST_F(ShotHomingTest, ChaseNearestKindsReselectEverySubStepAlike)
{
    // Two candidates of faction 2; the second passes the first on its way to the shot.
    std::vector<double> paths[2];
    for (int k = 0; k < 2; ++k) {
        SCOPED_TRACE(k);
        ClearShots();
        CharaList.clear();
        field.ResetField();
        SetStageSize(40, 30);
        cChara& owner = AddChara(100, 600, 480, 0, 1);
        cChara& a = AddChara(101, 760, 480, 0, 2);
        cChara& b = AddChara(102, 1100, 560, 0, 2);
        SetHoming(k == 0 ? 5 : 7, 0, 20, 2);
        cShot& shot = Fire(owner, 640, 480, 2.0, 0.0);
        MODEL m{640, 480, 1.0, 0.0};
        Follow(
            shot, m, 80, [&](int) { MoveBy(b, -6.0, 0.0); },
            [&](int, MODEL& s) {
                auto dist = [&](const cChara& c) {
                    return std::abs((static_cast<int>(c.x - kSx) + 16) - s.CentreX()) +
                           std::abs((static_cast<int>(c.y - kSy) + 16) - s.CentreY());
                };
                s.AimAt(dist(b) < dist(a) ? b : a, 1.0);
            });
        paths[k] = {shot.x, shot.y};
    }
    EXPECT_EQ(paths[0], paths[1]);
}

TEST_F(ShotHomingTest, TargetKindsKeepTheLinkAndStopSteeringWhenItDies)
{
    cChara& owner = AddChara(100, 600, 480, 0, 1);
    cChara& target = AddChara(101, 900, 700, 0, 2);
    owner.target = CharaRef(target.source);
    Def().m_nCount = 1;
    Def().m_nDirection = 2;
    SetHoming(6, 0, 20, 0);
    LaunchShots(field.m_ShotList, owner, inst, Def(), 0);
    ASSERT_EQ(field.m_ShotList.size(), 1u);
    cShot& shot = field.m_ShotList.front();
    EXPECT_EQ(shot.target, CharaRef(101));
    EXPECT_EQ(target.aimingShots.Count(shot.source), 1);
    MODEL m{shot.x, shot.y, shot.stepVx, shot.stepVy};
    Follow(
        shot, m, 30,
        [&](int i) {
            MoveBy(target, 0.0, -1.0);
            if (i == 20) target.dying = 1;
        },
        [&](int i, MODEL& s) {
            if (i < 20) s.AimAt(target, 1.0);
        });

    // The other kinds drop the owner's target at launch.
    SetHoming(4, 0, 20, 0);
    LaunchShots(field.m_ShotList, owner, inst, Def(), 0);
    EXPECT_TRUE(field.m_ShotList.back().target.IsNone());
    EXPECT_EQ(target.aimingShots.size(), 1u);
}

TEST_F(ShotHomingTest, WaveSwingsAcrossTheMotionWithoutReversingIt)
{
    struct Case {
        const char* szName;
        double vx, vy;  // launch, pixels per frame
        int q1, q2, q3;
    };
    const Case cases[] = {
        {"rightwards, 1 half-block at 10 degrees per frame", 2.0, 0.0, 1, 10, 0},
        {"down-left, starting at 90 degrees", -1.0, 1.0, 2, 15, 90},
        {"wave speed 0 flies straight", 2.0, 0.0, 1, 0, 30},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.szName);
        ClearShots();
        CharaList.clear();
        cChara& owner = AddChara(100, 600, 480, 0, 1);
        SetHoming(8, c.q1, c.q2, c.q3);
        cShot& shot = Fire(owner, 640, 480, c.vx, c.vy);
        const double u = 2.0;
        const double amp = c.q1 * 16.0;
        const double k = c.q2 * kDeg;
        const int facing = c.vx > 0 ? 1 : 0;
        double phase = c.q2 != 0 ? (facing == 1 ? c.q3 : c.q3 + 180) * u / c.q2 : 0.0;
        MODEL m{640, 480, c.vx / u, c.vy / u};
        double a = std::atan2(m.vy, m.vx) / kDeg;
        a = a < 0 ? a + 360 : a;
        const double co = std::cos((a - 90) * kDeg);
        const double si = std::sin((a - 90) * kDeg);
        auto advance = [&] {
            phase += 1;
            if (phase >= 360 * u) phase -= 360 * u;
        };
        auto keep = [](double oldV, double newV) {
            return (oldV < 0 && newV > 0) || (oldV > 0 && newV < 0) ? 0.0 : newV;
        };
        Follow(
            shot, m, 80, [](int) {},
            [&](int i, MODEL& s) {
                if (i == 0) {
                    const double z = amp * k * std::cos(k * (phase / u)) / u;
                    advance();
                    s.vx += z * co;
                    s.vy += z * si;
                } else {
                    const double z = -(amp * k * k * std::sin(k * (phase / u))) / (u * u);
                    advance();
                    s.vx = keep(s.vx, s.vx + z * co);
                    s.vy = keep(s.vy, s.vy + z * si);
                }
            });
    }
}

TEST_F(ShotHomingTest, FallHandsTheShotToGravityAfterItsDistance)
{
    cChara& owner = AddChara(100, 600, 480, 0, 1);
    SetHoming(9, 1, 0, 0);  // after 16 sub-steps at speed 1
    cShot& shot = Fire(owner, 640, 480, -2.0, 0.0);
    const double g = 0.5 / (2 * 2);
    MODEL m{640, 480, -1.0, 0.0};
    double vy = 0.0;
    for (int i = 0; i < 40; ++i) {
        SCOPED_TRACE(i);
        StepShots(field.m_ShotList, false);
        m.x += m.vx;
        if (i >= 16) {
            vy += g;  // gravity after the bookkeeping, the first time in sub-step 16
            m.y += vy;
        }
        ASSERT_DOUBLE_EQ(shot.x, m.x);
        ASSERT_DOUBLE_EQ(shot.y, m.y);
        EXPECT_EQ(shot.noGravity, i < 16 ? 1 : 0);
    }
}

TEST_F(ShotHomingTest, UnknownHomingKindFliesStraight)
{
    cPlayer& hero = SetupHero(900, 900);
    cChara& owner = AddChara(100, 600, 480, 0, 1);
    for (int kind : {10, -3, 99}) {
        SCOPED_TRACE(kind);
        ClearShots();
        SetHoming(kind, 0, 20, 0);
        cShot& shot = Fire(owner, 640, 480, -2.0, 0.0);
        MODEL m{640, 480, -1.0, 0.0};
        Follow(
            shot, m, 10, [&](int) { MoveBy(hero, 0, -1); }, [](int, MODEL&) {});
    }
}

}  // namespace
