// Frame timing on the virtual clock: frames let through per simulated second by both limiters at
// 30, 60 and 120 frames (also across the wrap of the millisecond counter), the schedule of the
// Direct3D limiter, stalls, rate changes, and the counters.
#include <cstdint>
#include <cstdlib>

#include "GraphicsTestSupport.h"
#include "graphics/FrameTiming.h"
#include "platform/hostapi/Host.h"

namespace gfxtest {
namespace {

constexpr DWORD kWrapSoon = 0xFFFFFFFFu - 4999u;  // the counter wraps 5 s into the run

class FrameTimingTest : public GraphicsTest {
protected:
    void SetUp() override
    {
        GraphicsTest::SetUp();
        ResetFrameTimingForTest();
    }
    void TearDown() override
    {
        ResetFrameTimingForTest();
        GraphicsTest::TearDown();
    }

    // Waits for the next frame in Sleep(1) steps, as the DirectDraw frame loop and DDPresent do.
    // A limiter that never lets a frame through again fails the test instead of hanging it.
    static void WaitFrame(bool bDirect3D, int nRate)
    {
        for (int waited = 0; !(bDirect3D ? CheckFrameTimeD3D(nRate, 0, nullptr) : CheckFrameTimeDD(nRate)); ++waited) {
            if (waited == kMaxWaitMs) {
                ADD_FAILURE() << "no frame for " << kMaxWaitMs << " ms at " << timeGetTime();
                AdvanceVirtualClock(100000);  // ends the count
                return;
            }
            Sleep(1);
        }
    }
    static constexpr int kMaxWaitMs = 2000;

    // Frames let through within nMs milliseconds of the first; wait is the frame loop's wait.
    template <class Wait>
    static int FramesWithin(int nMs, Wait wait)
    {
        const DWORD start = timeGetTime();
        int frames = 0;
        for (;;) {
            wait();
            if (static_cast<std::int32_t>(timeGetTime() - start) >= nMs) return frames;
            ++frames;
        }
    }
};

// Frames in 10 simulated seconds. DirectDraw: one frame every 1000 / rate ms, integer division
// (33, 16 and 8 ms): 304, 625 and 1250 frames. Direct3D: frame g of a second at
// base + g x 1000 / rate; the base moves to the time of frame rate - 1 (984 ms at 60, 967 at 30,
// 992 at 120), where the next second's frame 0 follows at once: 10 such seconds hold 10 x rate
// frames, and the 160, 330 and 80 ms left hold frames 0 to 9 of the eleventh.
struct PaceCase {
    const char* name;
    bool bDirect3D;
    int nRate;
    DWORD dwStart;
    int nFrames;
};

const PaceCase kPaceCases[] = {
    {"DirectDraw 30", false, 30, 1000, 304},
    {"DirectDraw 60", false, 60, 1000, 625},
    {"DirectDraw 120", false, 120, 1000, 1250},
    {"DirectDraw 60 across the wrap", false, 60, kWrapSoon, 625},
    {"DirectDraw 120 across the wrap", false, 120, kWrapSoon, 1250},
    {"Direct3D 30", true, 30, 1000, 310},
    {"Direct3D 60", true, 60, 1000, 610},
    {"Direct3D 120", true, 120, 1000, 1210},
    {"Direct3D 60 across the wrap", true, 60, kWrapSoon, 610},
    {"Direct3D 30 across the wrap", true, 30, kWrapSoon, 310},
};

TEST_F(FrameTimingTest, LetsThroughTheTargetRateOnBothBackEnds)
{
    ASSERT_TRUE(Open(kConfigs[2]));  // Direct3D 32 in a window, vsync off
    for (const PaceCase& t : kPaceCases) {
        SCOPED_TRACE(t.name);
        ResetFrameTimingForTest();
        UseVirtualClock(true, t.dwStart);
        EXPECT_EQ(FramesWithin(10000, [&] { WaitFrame(t.bDirect3D, t.nRate); }), t.nFrames);
    }
}

// DDPresent waits on the Direct3D limiter without vsync: in the first simulated second at 60, the
// 60 frames of the first second and frame 0 of the next (at 984 ms).
TEST_F(FrameTimingTest, PresentPacesTheDirect3DFrames)
{
    ASSERT_TRUE(Open(kConfigs[2]));
    EXPECT_EQ(FramesWithin(1000, [] { EXPECT_TRUE(DDPresent(60, 0, nullptr)); }), 61);
}

// The times of frames 0, 1, 2, 59, 60 and 61 at 60 frames: due at 0, 16.67, 33.33 ..., 983.33 ms;
// frame 60 starts the next second at once.
TEST_F(FrameTimingTest, Direct3DSchedulesFramesWithinASecondAndReanchors)
{
    ASSERT_TRUE(Open(kConfigs[2]));
    const DWORD start = timeGetTime();
    std::vector<DWORD> times;
    for (int frame = 0; frame < 62; ++frame) {
        WaitFrame(true, 60);
        times.push_back(timeGetTime() - start);
    }
    EXPECT_EQ(times[0], 0u);
    EXPECT_EQ(times[1], 17u);
    EXPECT_EQ(times[2], 34u);
    EXPECT_EQ(times[59], 984u);
    EXPECT_EQ(times[60], 984u);
    EXPECT_EQ(times[61], 1001u);
}

// After a stall, Direct3D lets the rest of the current second's frames through back to back
// (frames 10 to 59 and frame 0 of a new second) and then paces on from there (frame 1 at 16.67
// ms); DirectDraw lets one frame through and waits the full 16 ms for the next.
TEST_F(FrameTimingTest, AfterAStallDirect3DCatchesUpToTheEndOfTheSecondDirectDrawNot)
{
    ASSERT_TRUE(Open(kConfigs[2]));
    const struct {
        bool bDirect3D;
        int nBackToBack;
        DWORD dwNextMs;
    } cases[] = {{false, 1, 16}, {true, 51, 17}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.bDirect3D ? "Direct3D" : "DirectDraw");
        ResetFrameTimingForTest();
        auto check = [&c] { return c.bDirect3D ? CheckFrameTimeD3D(60, 0, nullptr) : CheckFrameTimeDD(60); };
        for (int frame = 0; frame < 10; ++frame) WaitFrame(c.bDirect3D, 60);
        AdvanceVirtualClock(5000);
        int backToBack = 0;
        while (backToBack < 1000 && check()) ++backToBack;
        EXPECT_EQ(backToBack, c.nBackToBack);
        AdvanceVirtualClock(c.dwNextMs - 1);
        EXPECT_FALSE(check());
        AdvanceVirtualClock(1);
        EXPECT_TRUE(check());
    }
}

// DirectDraw: each granted frame sets the next due 1000 / rate ms later, integer division; the
// first call is due at once.
TEST_F(FrameTimingTest, DirectDrawNextFrameIsDueAThousandOverTheRateLater)
{
    const struct {
        int nRate;
        DWORD dwStepMs;
    } cases[] = {{60, 16}, {30, 33}, {120, 8}, {70, 14}, {1, 1000}, {1001, 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.nRate);
        ResetFrameTimingForTest();
        for (int frame = 0; frame < 3; ++frame) {
            EXPECT_TRUE(CheckFrameTimeDD(c.nRate)) << "frame " << frame;
            if (c.dwStepMs == 0) continue;
            AdvanceVirtualClock(c.dwStepMs - 1);
            EXPECT_FALSE(CheckFrameTimeDD(c.nRate)) << "frame " << frame;
            AdvanceVirtualClock(1);
        }
    }
}

TEST_F(FrameTimingTest, NeverWaitsAtRateZeroOrWithoutDirect3D)
{
    EXPECT_TRUE(CheckFrameTimeD3D(60, 0, nullptr));  // no back-end open
    EXPECT_TRUE(CheckFrameTimeD3D(60, 0, nullptr));
    ASSERT_TRUE(Open(kConfigs[2]));
    for (int i = 0; i < 3; ++i) {
        EXPECT_TRUE(CheckFrameTimeDD(0));
        EXPECT_TRUE(CheckFrameTimeD3D(0, 0, nullptr));
    }
}

// A headless run asked to go unpaced lets every frame through at once, with the clock standing.
TEST_F(FrameTimingTest, AnUnpacedHeadlessRunNeverWaits)
{
    setenv("QB_UNPACED", "1", 1);
    SetHost(CreateHeadlessHost());
    unsetenv("QB_UNPACED");
    int backToBack = 0;
    while (backToBack < 100 && CheckFrameTimeDD(60)) ++backToBack;
    EXPECT_EQ(backToBack, 100);

    SetHost(CreateHeadlessHost());  // paced again
    ResetFrameTimingForTest();
    EXPECT_TRUE(CheckFrameTimeDD(60));
    EXPECT_FALSE(CheckFrameTimeDD(60)) << "the next frame waits for the pace";
}

// A stage that sets another rate: the deadline the last frame set still holds, the new rate
// paces from the next frame on.
TEST_F(FrameTimingTest, AChangeOfRateTakesEffectAfterTheCurrentDeadline)
{
    for (int frame = 0; frame < 30; ++frame) WaitFrame(false, 60);
    EXPECT_FALSE(CheckFrameTimeDD(30));
    AdvanceVirtualClock(16);
    EXPECT_TRUE(CheckFrameTimeDD(30));
    AdvanceVirtualClock(32);
    EXPECT_FALSE(CheckFrameTimeDD(30));
    AdvanceVirtualClock(1);
    EXPECT_TRUE(CheckFrameTimeDD(30));
}

TEST_F(FrameTimingTest, CountsFramesPerSecond)
{
    for (int frame = 0; frame < 60; ++frame) {
        EXPECT_EQ(GetFPS(1), 0);
        AdvanceVirtualClock(16);  // 60 frames within 960 ms
    }
    AdvanceVirtualClock(40);
    EXPECT_EQ(GetFPS(1), 60) << "the call that closes the second publishes the count";
    EXPECT_EQ(GetFPS(0), 60);
    AdvanceVirtualClock(1000);
    EXPECT_EQ(GetFPS(1), 0) << "the frame that closed the last second was not counted";
}

TEST_F(FrameTimingTest, MeasuresTheWorkOfAFrame)
{
    EXPECT_EQ(GetTimeCount(0), 1u);
    StartTimeCount();
    AdvanceVirtualClock(7);
    EXPECT_EQ(GetTimeCount(1), 7u);
    AdvanceVirtualClock(5);
    EXPECT_EQ(GetTimeCount(0), 7u);
}

TEST_F(FrameTimingTest, FiresEveryNthCall)
{
    for (int call = 1; call <= 120; ++call)
        EXPECT_EQ(CheckOneSecond(1, 60) != FALSE, call % 60 == 0) << "call " << call;
    EXPECT_TRUE(CheckOneSecond(2, 60));
    CheckOneSecond(1, 60);
    EXPECT_FALSE(CheckOneSecond(2, 60));
    EXPECT_FALSE(CheckOneSecond(0, 60));
    EXPECT_TRUE(CheckOneSecond(2, 60));
}

}  // namespace
}  // namespace gfxtest
