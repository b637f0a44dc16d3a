// The sample game's hero on its first stage (grassland, monsters left out), played frame by frame
// through the harness: it stands on the floor, walks into the side of a step, jumps onto it and
// walks into the higher step behind it, and, in another run, walks into the pit and dies. The
// hero is driven directly: a steady run of 1 pixel per sub-step as its inertial speed (cleared
// by every wall it meets, so set again each frame) and a jump as an upward speed.
//
// Grassland, in field cells (stage + 10): ground top at row 23 (y 736); the pit is columns 30
// and 31 (x 960 .. 1023); a one-cell step at column 40 (x 1280, top y 704) and a two-cell step
// at column 41 (x 1312).
#include "StageFixture.h"

#include <cmath>

#include "SampleGame.h"
#include "objects/StageObjects.h"
#include "objects/StageSpeed.h"

namespace stagetest {
namespace {

constexpr double kRun = 1.0;  // pixels per sub-step

class HeroCollisionTest : public StageFixture {
protected:
    void SetUp() override
    {
        StageFixture::SetUp();
        spec = testsupport::SampleGame();
        auto& charas = spec.stages.front().stage.placedCharas;
        charas.erase(charas.begin() + 1, charas.end());  // the hero alone
    }

    bool Start()
    {
        if (!LoadAndEnter() || !harness->RunUntilState(STAGESTATE_PLAY, 400)) return false;
        harness->SetScript({});
        return true;
    }
    static cPlayer& Hero() { return Player.data()[P1]; }
    // One frame with the run on (or off) and, when asked, a jump of h pixels.
    void Frame(bool run, double jumpHeight = 0.0)
    {
        cPlayer& p = Hero();
        p.decel = 0.0;
        p.ax = run ? kRun : 0.0;
        if (jumpHeight > 0.0) p.vy = p.JumpSpeedForHeight(jumpHeight);
        harness->RunFrames(1);
    }
    static int Right() { return static_cast<int>(Hero().right); }
    static int Bottom() { return static_cast<int>(Hero().bottom); }
    // Moves the hero to world x on the floor it stands on.
    static void MoveTo(double x)
    {
        cPlayer& p = Hero();
        p.x = x;
        p.AdjustPosX();
        p.SavePrevRect();
    }
};

TEST_F(HeroCollisionTest, StandsWalksIntoAStepJumpsOntoItAndStopsAtTheNext)
{
    std::vector<std::uint64_t> firstRun;
    for (int run = 0; run < 2; ++run) {
        SCOPED_TRACE(run);
        ASSERT_TRUE(Start());
        cPlayer& p = Hero();
        const int b = SubStepCount();

        // Standing: after landing, the feet stay in the last pixel row above the ground.
        for (int i = 0; i < 10; ++i) Frame(false);
        const double standX = p.x;
        for (int i = 0; i < 30; ++i) {
            Frame(false);
            ASSERT_EQ(Bottom(), 735) << "frame " << i;
            ASSERT_EQ(p.airborne, 0);
            ASSERT_DOUBLE_EQ(p.x, standX);
        }

        // Walking right at 1 pixel per sub-step from x = 1184.5: the right edge first reaches
        // column 40 (x 1280) after k sub-steps, in frame ceil(k / b); it is then held at 1279.
        MoveTo(1184.5);
        const double r0 = p.right;
        const int k = static_cast<int>(std::ceil(1280.0 - r0));
        const int contactFrame = (k + b - 1) / b;
        for (int f = 1; f < contactFrame; ++f) {
            Frame(true);
            ASSERT_EQ(p.lastWallSide, -1) << "frame " << f;
            ASSERT_DOUBLE_EQ(p.right, r0 + f * b * kRun);
        }
        Frame(true);
        EXPECT_EQ(p.lastWallSide, 1);
        EXPECT_EQ(Right(), 1279);
        for (int i = 0; i < 5; ++i) {
            Frame(true);
            EXPECT_EQ(Right(), 1279) << "a wall holds the run";
            EXPECT_EQ(Bottom(), 735);
        }

        // A jump of 48 pixels while running: up past the step's top, onto it, and against the
        // second step; it stands there.
        Frame(true, 48.0);
        for (int i = 0; i < 90; ++i) Frame(true);
        EXPECT_EQ(Bottom(), 703);
        EXPECT_EQ(Right(), 1311);
        EXPECT_EQ(p.airborne, 0);
        EXPECT_EQ(p.lastFloorCell % CameraX().nPitch, 40);
        EXPECT_EQ(p.dying, 0);

        if (run == 0) {
            firstRun = harness->Digests();
        } else {
            EXPECT_EQ(harness->Digests(), firstRun) << "the same play twice, frame by frame";
        }
        harness.reset();
    }
}

TEST_F(HeroCollisionTest, WalksIntoThePitAndDies)
{
    std::vector<int> deathFrames;
    for (int run = 0; run < 2; ++run) {
        SCOPED_TRACE(run);
        ASSERT_TRUE(Start());
        cPlayer& p = Hero();
        int frame = 0;
        double lastY = p.y;
        bool fell = false;
        while (!p.dying && frame < 600) {
            Frame(true);
            ++frame;
            // Over the pit: both probe points of the feet between x 960 and 1023.
            if (static_cast<int>(p.x) >= 960 && Right() <= 1023 && p.y > lastY + 1.0) fell = true;
            ASSERT_LT(Right(), 1024) << "it never gets past the pit";
            lastY = p.y;
        }
        EXPECT_TRUE(fell);
        EXPECT_EQ(p.dying, 1);
        EXPECT_GE(static_cast<int>(p.x), 960);
        EXPECT_LE(Right(), 1023);
        deathFrames.push_back(frame);
        harness.reset();
    }
    EXPECT_EQ(deathFrames[0], deathFrames[1]);
}

}  // namespace
}  // namespace stagetest
