// The character-effect and screen-effect runs: the frames on which each run mode ends, the
// reversed entry, the blink pattern, pausing, runs that do not move (a lasting tint goes on; on a
// dying character it ends after its run time), run time 0, division count 0, and bad kinds and
// numbers.
#include <gtest/gtest.h>

#include "EffectTestSupport.h"
#include "objects/chara/cCharaBase.h"
#include "objects/effect/cCharaEffectRun.h"
#include "objects/effect/cScrEffectRun.h"

namespace {

using effecttest::CallPassingEnd;
using effecttest::UseEffects;

class EffectRunTest : public ::testing::Test {
protected:
    void TearDown() override { UseEffects({}, {}); }
};

// Calls of StepFrame until the run reports its end; -1 when it did not end within nLimit.
int CallsUntilEnd(cCharaEffectRun& run, int nLimit)
{
    for (int n = 1; n <= nLimit; ++n) {
        if (run.StepFrame(0) == 1) return n;
    }
    return -1;
}

struct RUNCASE {
    const char* name;
    int nKind;
    std::array<int, 5> p;
    int nMode;
    int bLoop;
    int nExpectedCalls;  // -1: never ends
};

TEST_F(EffectRunTest, CharaEffectRunModesEndOnTheFrameTheValuePassesItsEnd)
{
    const int once = CallPassingEnd(0, 32, 5);
    ASSERT_EQ(once, 31) << "0 -> 32 in 5 tenths moves by 32 / 30 and passes 32 on the 31st frame";
    const RUNCASE cases[] = {
        {"burst once", 1, {5, 0, 32, 0, 0}, 0, 0, once},
        {"burst backwards", 1, {5, 0, 32, 0, 0}, 1, 0, CallPassingEnd(32, 0, 5)},
        {"there and back", 1, {5, 0, 32, 0, 0}, 2, 0, once + CallPassingEnd(32, 0, 5)},
        {"looped", 1, {5, 0, 32, 0, 0}, 0, 1, -1},
        {"there and back looped", 1, {5, 0, 32, 0, 0}, 2, 1, -1},
        {"zoom 32 -> 64 over 10", 11, {10, 32, 64, 0, 0}, 0, 0, CallPassingEnd(32, 64, 10)},
        {"tint 1 -> 1 lasts until replaced", 13, {10, 1, 1, 16, 0}, 0, 0, -1},
        {"tint 1 -> 1 there and back lasts too", 13, {10, 1, 1, 16, 0}, 2, 0, -1},
        {"run time 0 counts as 1", 1, {0, 0, 12, 0, 0}, 0, 0, CallPassingEnd(0, 12, 1)},
        {"blink counts 0 -> p1", 6, {10, 2, 0, 0, 0}, 0, 0, CallPassingEnd(0, 10, 10)},
    };
    for (const RUNCASE& c : cases) {
        UseEffects({{c.nKind, c.p}}, {});
        cCharaEffectRun run;
        run.Start(1, c.nMode, c.bLoop);
        EXPECT_EQ(run.nNumber, 1) << c.name;
        EXPECT_EQ(CallsUntilEnd(run, 2000), c.nExpectedCalls) << c.name;
        if (c.nExpectedCalls > 0) {
            EXPECT_EQ(run.nNumber, 0) << c.name << ": the ended effect is cleared";
        }
    }
}

TEST_F(EffectRunTest, OnADyingCharacterARunThatDoesNotMoveOrLoopsStillEnds)
{
    // The death waits for the effect: a tint 1 -> 1 of 10 tenths ends after 10 x 6 frames (on the
    // call after them), a looped burst of 5 tenths after its first pass.
    const RUNCASE cases[] = {
        {"tint 1 -> 1", 13, {10, 1, 1, 16, 0}, 0, 0, 10 * 6 + 1},
        {"looped burst", 1, {5, 0, 32, 0, 0}, 0, 1, CallPassingEnd(0, 32, 5)},
    };
    for (const RUNCASE& c : cases) {
        UseEffects({{c.nKind, c.p}}, {});
        cCharaEffectRun run;
        run.Start(1, c.nMode, c.bLoop);
        run.bEndsInTime = 1;
        EXPECT_EQ(CallsUntilEnd(run, 2000), c.nExpectedCalls) << c.name;
    }
}

TEST_F(EffectRunTest, CharaEffectValueFollowsTheStepAndTheReversedEntry)
{
    UseEffects({{1, {5, 0, 32, 0, 0}}}, {});
    cCharaEffectRun forward;
    forward.Start(1, 0, 0);
    cCharaEffectRun backward;
    backward.Start(1, 1, 0);
    EXPECT_EQ(backward.dValue, 32.0) << "mode 1 starts from the end value";
    EXPECT_EQ(backward.bReversedNow, 1);
    double expectForward = 0.0;
    double expectBackward = 32.0;
    for (int n = 0; n < 10; ++n) {
        forward.StepFrame(0);
        backward.StepFrame(0);
        expectForward += 32.0 / 30.0;
        expectBackward -= 32.0 / 30.0;
        EXPECT_DOUBLE_EQ(forward.dValue, expectForward);
        EXPECT_DOUBLE_EQ(backward.dValue, expectBackward);
    }
    // Paused: drawn as it is, not advanced.
    const double held = forward.dValue;
    EXPECT_EQ(forward.StepFrame(1), 0);
    EXPECT_EQ(forward.dValue, held);
    // A new start replaces the running effect at once.
    forward.Start(1, 1, 0);
    EXPECT_EQ(forward.dValue, 32.0);
    EXPECT_EQ(Database.CharaEffect[1].nParam[1], 0) << "the forward entry keeps its order";
}

TEST_F(EffectRunTest, BlinkStartsHiddenAndFlipsEveryIntervalAlsoWhilePaused)
{
    const int interval = 3;
    UseEffects({{6, {10, interval, 0, 0, 0}}, {14, {10, interval, 0, 0, 0}}}, {});
    for (int number : {1, 2}) {
        cCharaEffectRun run;
        run.Start(number, 0, 0);
        for (int n = 1; n <= 30; ++n) {
            // Drawn before the advance: hidden for the first interval + 1 draws, then shown and
            // hidden in turns of `interval` draws.
            const bool shownExpected = n >= interval + 2 && ((n - (interval + 2)) / interval) % 2 == 0;
            EXPECT_EQ(run.bShown == 1, shownExpected) << "entry " << number << " draw " << n;
            run.StepFrame(0);
        }
    }
    // While paused the counter stands, but a counter that has reached the interval still flips.
    cCharaEffectRun run;
    run.Start(1, 0, 0);
    run.nCounter = interval;
    run.StepFrame(1);
    EXPECT_EQ(run.bShown, 1);
    EXPECT_EQ(run.nCounter, 0);
    run.StepFrame(1);
    EXPECT_EQ(run.nCounter, 0);
}

TEST_F(EffectRunTest, WavePhaseWrapsAt360AndBadKindsOrNumbersRunNothing)
{
    UseEffects({{4, {9999, 0, 32, 2, 2}}, {40, {5, 0, 32, 0, 0}}}, {});
    cCharaEffectRun wave;
    wave.Start(1, 0, 0);
    for (int n = 1; n <= 361; ++n) wave.StepFrame(0);
    EXPECT_EQ(wave.nCounter, 1) << "0 after 360 calls, 1 after 361";

    cCharaEffectRun unknown;
    unknown.Start(2, 0, 0);
    for (int n = 0; n < 100; ++n) EXPECT_EQ(unknown.StepFrame(0), 0);
    EXPECT_EQ(unknown.dValue, 0.0) << "a kind outside 1..16 never advances";

    cCharaEffectRun bad;
    bad.Start(999, 0, 0);
    EXPECT_EQ(bad.nNumber, 0);
    bad.Start(-3, 0, 0);
    EXPECT_EQ(bad.nNumber, 0);
}

TEST_F(EffectRunTest, ScreenEffectRunsCompareTheTruncatedValue)
{
    struct SCRCASE {
        const char* name;
        int nKind;
        std::array<int, 5> p;
        int nMode;
        int bLoop;
        int nStart, nEnd;  // what the handler passes to Step
        int nExpectedCalls;
    };
    const SCRCASE cases[] = {
        {"split 0 -> 640 over 10", 4, {10, 0, 640, 15, 0}, 0, 0, 0, 640, CallPassingEnd(0, 640, 10, true)},
        {"split backwards", 4, {10, 0, 640, 15, 0}, 1, 0, 640, 0, CallPassingEnd(640, 0, 10, true)},
        {"there and back",
         9,
         {10, 0, 1440, 0, 0},
         2,
         0,
         0,
         1440,
         CallPassingEnd(0, 1440, 10, true) + CallPassingEnd(1440, 0, 10, true)},
        {"there and back looped", 9, {10, 0, 1440, 0, 0}, 2, 1, 0, 1440, -1},
        {"move counts tenths 0 -> p1", 1, {10, 0, 0, 640, 0}, 0, 0, 0, 10, CallPassingEnd(0, 10, 10, true)},
        {"mosaic 5 -> 5 lasts until replaced", 13, {4, 5, 5, 0, 0}, 0, 0, 5, 5, -1},
    };
    for (const SCRCASE& c : cases) {
        UseEffects({}, {{c.nKind, c.p}});
        cScrEffectRun run;
        run.Start(1, c.nMode, c.bLoop);
        // Each direction passes its own start and end, as the handlers do from the entry.
        int calls = -1;
        for (int n = 1; n <= 3000; ++n) {
            const int from = c.nKind == 1 ? 0 : run.Param(1);
            const int to = c.nKind == 1 ? run.RunTenths() : run.Param(2);
            if (run.Step(from, to, run.dStep) == 1) {
                calls = n;
                break;
            }
        }
        EXPECT_EQ(calls, c.nExpectedCalls) << c.name;
    }
}

}  // namespace

namespace {

TEST_F(EffectRunTest, CharacterSetUpStartsItsDefinitionsEffect)
{
    UseEffects({{1, {5, 0, 32, 0, 0}}}, {});
    cEdChara def;
    def.m_nCharaEffect = 1;
    def.m_nCharaEffectValue1 = 1;  // mode: backwards
    def.m_nCharaEffectValue2 = 1;  // loop
    cCharaBase chara;
    chara.Init(&def, 0.0, 0.0, 0);
    EXPECT_EQ(chara.charaEffect.nNumber, 1);
    EXPECT_EQ(chara.charaEffect.nMode, 1);
    EXPECT_EQ(chara.charaEffect.bLoop, 1);
    EXPECT_EQ(chara.charaEffect.dValue, 32.0);
    def.m_nCharaEffect = 0;
    chara.Init(&def, 0.0, 0.0, 0);
    EXPECT_EQ(chara.charaEffect.nNumber, 0) << "a set-up without a start effect clears the running one";
}

}  // namespace

namespace {

TEST_F(EffectRunTest, ADrawnCharacterWithoutASheetCellStillRunsItsEffect)
{
    // A graphic number outside its sheets (or a custom bitmap entry that does not exist) draws
    // nothing, but the effect on the character ends on the same frame as on a drawn one.
    UseEffects({{1, {5, 0, 32, 0, 0}}}, {});
    const struct {
        const char* name;
        int kind;
        int graphic;
    } cases[] = {
        {"a cell of the first character sheet", 1, 0},
        {"beyond the eight character sheets", 1, 8 * 15},
        {"a negative graphic number", 1, -3},
        {"custom bitmap entry 0", 4, 0},
    };
    const int expected = CallPassingEnd(0, 32, 5);
    for (const auto& c : cases) {
        cEdChara def;
        def.m_nGraphicSheet = static_cast<std::int8_t>(c.kind);
        cCharaBase chara;
        chara.Init(&def, 0.0, 0.0, 0);
        chara.pictureNumber = c.graphic;
        chara.charaEffect.Start(1, 0, 0);
        int frames = 0;
        while (chara.charaEffect.nNumber != 0 && frames < 1000) {
            chara.Draw(nullptr, 0);
            ++frames;
        }
        EXPECT_EQ(frames, expected) << c.name;
    }
}

}  // namespace
