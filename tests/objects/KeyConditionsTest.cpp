// The key-sequence matcher over press logs written frame by frame: sequences with their time
// windows and allowances, relative directions, held keys, and cursors older than the logs.
#include <gtest/gtest.h>

#include <vector>

#include "FlowTestSupport.h"
#include "input/cInput.h"
#include "objects/flow/KeyConditions.h"

namespace {

cEdKeyCondition Key(int nKey, int nFlag, int nMin, int nMax, int bAny, int nMode = 0, int bRelative = 0)
{
    cEdKeyCondition k;
    k.m_KeyFlag[nKey] = static_cast<std::uint8_t>(nFlag);
    k.m_nMinFrames = static_cast<std::int16_t>(nMin);
    k.m_nMaxFrames = static_cast<std::int16_t>(nMax);
    k.m_bAnyLength = static_cast<std::int8_t>(bAny);
    k.m_nKeyMode = static_cast<std::int8_t>(nMode);
    k.m_bFacingRelative = static_cast<std::int8_t>(bRelative);
    return k;
}

// Down held 1..10 frames, then right held for any length.
cVector<cEdKeyCondition> DownThenRight()
{
    cVector<cEdKeyCondition> seq;
    seq.push_back(Key(4, 1, 1, 10, 0));
    seq.push_back(Key(2, 1, 0, 0, 1));
    return seq;
}

struct SEQCASE {
    const char* szName;
    int nDownFrames;
    int nGapFrames;
    int nAllowance;
    int nExpected;
};

TEST(KeyConditionsTest, TwoStepSequenceWithAllowance)
{
    const SEQCASE cases[] = {
        {"right right after down", 5, 0, 0, 1},
        {"one free frame needs an allowance", 5, 1, 0, 0},
        {"one free frame within allowance 1", 5, 1, 1, 1},
        {"two free frames beyond allowance 1", 5, 2, 1, 0},
        {"down held too long", 15, 0, 0, 0},
        {"searching back shortens the long run", 15, 0, 5, 1},
        {"four frames back are not enough", 15, 0, 4, 0},
        {"down of exactly the maximum", 10, 0, 0, 1},
    };
    for (const SEQCASE& c : cases) {
        SCOPED_TRACE(c.szName);
        cScriptedKeyLogs logs;
        logs.Hold(0, 0, 3);
        logs.Hold(DIR_DOWN, 0, c.nDownFrames);
        logs.Hold(0, 0, c.nGapFrames);
        logs.Hold(DIR_RIGHT, 0, 1);
        EXPECT_EQ(MatchKeySequence(DownThenRight(), static_cast<std::int8_t>(c.nAllowance), logs, false, false),
                  c.nExpected);
        logs.Hold(DIR_RIGHT, 0, 4);
        EXPECT_EQ(MatchKeySequence(DownThenRight(), static_cast<std::int8_t>(c.nAllowance), logs, false, false),
                  c.nExpected)
            << "still while right is held";
        logs.Hold(0, 0, 1);
        EXPECT_EQ(MatchKeySequence(DownThenRight(), static_cast<std::int8_t>(c.nAllowance), logs, false, false), 0)
            << "not once right is released";
    }
}

TEST(KeyConditionsTest, OneStepOnePressWithoutOverlap)
{
    // Button 1 any length twice in a row: a single press may serve both steps only with the key
    // overlap setting; two presses serve them either way.
    cVector<cEdKeyCondition> seq;
    seq.push_back(Key(11, 1, 0, 0, 1));
    seq.push_back(Key(11, 1, 0, 0, 1));
    cScriptedKeyLogs one;
    one.Hold(0, 0, 2);
    one.Hold(0, 1, 6);
    EXPECT_EQ(MatchKeySequence(seq, 2, one, false, false), 0);
    EXPECT_EQ(MatchKeySequence(seq, 2, one, false, true), 1);
    cScriptedKeyLogs two;
    two.Hold(0, 1, 2);
    two.Hold(0, 0, 1);
    two.Hold(0, 1, 2);
    EXPECT_EQ(MatchKeySequence(seq, 2, two, false, false), 1);
    EXPECT_EQ(MatchKeySequence(seq, 0, two, false, false), 0) << "the free frame needs an allowance";
}

TEST(KeyConditionsTest, RelativeDirectionsFollowTheOwnersFacing)
{
    cVector<cEdKeyCondition> forward;
    forward.push_back(Key(2, 1, 0, 0, 1, 0, 1));
    cVector<cEdKeyCondition> absoluteRight;
    absoluteRight.push_back(Key(2, 1, 0, 0, 1, 0, 0));
    cScriptedKeyLogs left;
    left.Hold(DIR_LEFT, 0, 3);
    EXPECT_EQ(MatchKeySequence(forward, 0, left, true, false), 1);
    EXPECT_EQ(MatchKeySequence(forward, 0, left, false, false), 0);
    EXPECT_EQ(MatchKeySequence(absoluteRight, 0, left, true, false), 0);
    cScriptedKeyLogs upLeft;
    upLeft.Hold(DIR_UP | DIR_LEFT, 0, 3);
    cVector<cEdKeyCondition> upForward;
    upForward.push_back(Key(7, 1, 0, 0, 1, 0, 1));
    EXPECT_EQ(MatchKeySequence(upForward, 0, upLeft, true, false), 1);
}

struct STEPCASE {
    const char* szName;
    cEdKeyCondition condition;
    int nDir;
    int nButtons;
    int nFrames;
    int nExpected;
    int nMatched;
};

TEST(KeyConditionsTest, StepModesAndRuns)
{
    cEdKeyCondition allTwo = Key(11, 1, 0, 0, 1, 0);
    allTwo.m_KeyFlag[12] = 1;
    cEdKeyCondition oneOfTwo = Key(11, 1, 0, 0, 1, 1);
    oneOfTwo.m_KeyFlag[12] = 1;
    cEdKeyCondition exactlyOne = Key(11, 1, 0, 0, 1, 2);
    exactlyOne.m_KeyFlag[12] = 1;
    const STEPCASE cases[] = {
        {"any direction released while none is held", Key(9, 2, 0, 0, 0), 0, 0, 3, 1, 3},
        {"any direction released fails while one is held", Key(9, 2, 0, 0, 0), DIR_UP, 0, 3, 0, 0},
        {"window 0..0 never holds a pressed run", Key(11, 1, 0, 0, 0), 0, 1, 1, 0, 0},
        {"window 2..4 holds at 3", Key(11, 1, 2, 4, 0), 0, 1, 3, 1, 3},
        {"window 2..4 fails at 1", Key(11, 1, 2, 4, 0), 0, 1, 1, 0, 0},
        {"all of two, one held", allTwo, 0, 1, 2, 0, 2},
        {"all of two, both held", allTwo, 0, 3, 2, 1, 2},
        {"one of two", oneOfTwo, 0, 2, 4, 1, 4},
        {"exactly one, both held", exactlyOne, 0, 3, 2, 0, 2},
        {"exactly one, one held", exactlyOne, 0, 1, 2, 1, 2},
        {"no button log", Key(10, 1, 0, 0, 1), 0, 0, 2, 1, 2},
        {"diagonal is not left", Key(1, 1, 0, 0, 1), DIR_DOWN | DIR_LEFT, 0, 2, 0, 0},
        {"diagonal log", Key(6, 1, 0, 0, 1), DIR_DOWN | DIR_LEFT, 0, 2, 1, 2},
        {"left and right together is class 9", Key(9, 1, 0, 0, 1), DIR_LEFT | DIR_RIGHT, 0, 2, 1, 4},
        {"left and right together is not left", Key(1, 1, 0, 0, 1), DIR_LEFT | DIR_RIGHT, 0, 2, 0, 0},
    };
    for (const STEPCASE& c : cases) {
        SCOPED_TRACE(c.szName);
        cScriptedKeyLogs logs;
        logs.Hold(DIR_RIGHT, 4, 2);
        logs.Hold(c.nDir, c.nButtons, c.nFrames);
        cKeyCursors cursors(logs);
        int nMatched = -1;
        EXPECT_EQ(MatchKeyStep(c.condition, cursors, false, nMatched), c.nExpected);
        if (c.nExpected) {
            EXPECT_EQ(nMatched, c.nMatched);
        }
    }
}

TEST(KeyConditionsTest, ShortestAndLongestMatchedRun)
{
    cScriptedKeyLogs logs;
    logs.Hold(0, 1, 3);
    logs.Hold(0, 3, 2);  // button 1 pressed 5 frames, button 2 for 2
    cEdKeyCondition all = Key(11, 1, 0, 0, 1, 0);
    all.m_KeyFlag[12] = 1;
    cEdKeyCondition any = all;
    any.m_nKeyMode = 1;
    cKeyCursors cursors(logs);
    int n = 0;
    ASSERT_EQ(MatchKeyStep(all, cursors, false, n), 1);
    EXPECT_EQ(n, 2);
    ASSERT_EQ(MatchKeyStep(any, cursors, false, n), 1);
    EXPECT_EQ(n, 5);
}

TEST(KeyConditionsTest, CursorOlderThanTheLogMatchesNothing)
{
    cScriptedKeyLogs logs;
    for (int i = 0; i < 20; ++i) {
        logs.Hold(0, 1, 1);
        logs.Hold(0, 0, 1);
    }
    cKeyCursors cursors(logs);
    cursors.Shift(-100);
    EXPECT_EQ(cursors[11].nRun, 31);
    EXPECT_LT(cursors[11].nLength, 0);
    int n = 0;
    EXPECT_EQ(MatchKeyStep(Key(11, 2, 0, 0, 0), cursors, false, n), 0);
    EXPECT_EQ(MatchKeyStep(Key(11, 1, 0, 0, 1), cursors, false, n), 0);
}

TEST(KeyConditionsTest, CursorsMoveOverRuns)
{
    cScriptedKeyLogs logs;
    logs.Hold(0, 0, 4);
    logs.Hold(0, 1, 3);  // button log 1: pressed 3, released 4 (+ the empty runs)
    cKeyCursors cursors(logs);
    EXPECT_EQ(cursors[11].nRun, 0);
    EXPECT_EQ(cursors[11].nLength, 3);
    cursors.Shift(-2);
    EXPECT_EQ(cursors[11].nRun, 0);
    EXPECT_EQ(cursors[11].nLength, 1);
    cursors.Shift(-1);  // the start of the pressed run is the end of the released one
    EXPECT_EQ(cursors[11].nRun, 1);
    EXPECT_EQ(cursors[11].nLength, 4);
    cursors.Shift(-2);
    EXPECT_EQ(cursors[11].nLength, 2);
    cursors.Shift(3);
    EXPECT_EQ(cursors[11].nRun, 0);
    EXPECT_EQ(cursors[11].nLength, 1);
    cursors.Shift(10);
    EXPECT_EQ(cursors[11].nRun, 0);
    EXPECT_EQ(cursors[11].nLength, 8) << "forward past the present stays on the newest run";
}

TEST(KeyConditionsTest, HeldConditionReadsTheNewestRuns)
{
    cScriptedKeyLogs logs;
    logs.Hold(DIR_LEFT, 1, 3);
    cEdKeyCondition c = Key(11, 1, 50, 60, 0);
    EXPECT_EQ(IsKeyConditionHeld(logs, c), 1) << "no window for a held key";
    c.m_KeyFlag[1] = 2;
    EXPECT_EQ(IsKeyConditionHeld(logs, c), 0);
    c.m_nKeyMode = 1;
    EXPECT_EQ(IsKeyConditionHeld(logs, c), 1);
    cEdKeyCondition relative = Key(2, 1, 0, 0, 1, 0, 1);
    EXPECT_EQ(IsKeyConditionHeld(logs, relative), 0) << "no relative exchange";
}

TEST(KeyConditionsTest, InputDirectionClass)
{
    struct DIRCASE {
        int nDir;
        int nClass;
    } cases[] = {{0, 0},
                 {DIR_LEFT, 1},
                 {DIR_RIGHT, 2},
                 {DIR_UP, 3},
                 {DIR_DOWN, 4},
                 {DIR_UP | DIR_LEFT, 5},
                 {DIR_DOWN | DIR_LEFT, 6},
                 {DIR_UP | DIR_RIGHT, 7},
                 {DIR_DOWN | DIR_RIGHT, 8},
                 {DIR_LEFT | DIR_RIGHT, 9}};
    for (const DIRCASE& c : cases) {
        cScriptedKeyLogs logs;
        logs.Hold(c.nDir, 0, 2);
        EXPECT_EQ(GetInputDirClass(logs), c.nClass) << c.nDir;
    }
}

}  // namespace
