// The prepared working values of one character effect: what a run of CharaEffect entry n
// starts from, forward or reversed. The character's effect run has the same layout and copies
// its start values from here.
#pragma once

#include <cstdint>

class cDbCharaEffect;

struct CHARAEFFECTWORK {
    std::int16_t nNumber = 0;            // entry number in CharaEffect; 0 = no effect
    cDbCharaEffect* lpRecord = nullptr;  // the entry, or its copy in CharaEffectRev
    std::int32_t nMode = 0;              // run mode: 0 once, 1 once backwards, 2 there and back
    std::int32_t bLoop = 0;              // run repeats for ever
    std::int32_t bReversedNow = 0;       // 1 while the run goes backwards
    std::int32_t nSpare = 0;             // 0 when a run starts or restarts
    std::int32_t nStart = 0;             // start value (p2, or 0 for the timed kinds)
    std::int32_t nEnd = 0;               // end value (p3, or the run time for the timed kinds)
    double dValue = 0.0;                 // current value
    double dStep = 0.0;                  // change per frame
    std::int32_t nCounter = 0;           // frame counter of the wave and blink kinds
    std::int32_t bShown = 0;             // blink state of kinds 6 and 14

    // Start-up, once per entry and direction, on a zero-filled entry: stores nIndex and points at
    // Database.CharaEffect[nIndex] (bReversed 0) or Database.CharaEffectRev[nIndex] (bReversed 1),
    // through the checked access. Kinds 1-5, 7-13, 15, 16: when reversed, first exchanges p2 and
    // p3 in the reversed copy; start = value = p2, end = p3, step = |p3 - p2| / (p1 x 6) per frame
    // (a run time below 1 counts as 1). Kinds 6 and 14 (blink, translucency): count time from 0 to
    // p1 by 1/6 per frame. Any other kind keeps only number and record.
    void Init(int nIndex, int bReversed);
};
