// The prepared working values of one screen effect: what a run of ScrEffect entry n starts
// from, forward or reversed. The stage's screen-effect run has the same layout and copies its
// start values from here.
#pragma once

#include <cstdint>

class cDbScrEffect;

struct SCREFFECTWORK {
    std::int16_t nNumber = 0;          // entry number in ScrEffect; 0 = no screen effect
    cDbScrEffect* lpRecord = nullptr;  // the entry, or its copy in ScrEffectRev
    std::int32_t nMode = 0;            // run mode: 0 once, 1 once backwards, 2 there and back
    std::int32_t bLoop = 0;            // run repeats for ever
    std::int32_t bReversedNow = 0;     // 1 while the run goes backwards
    std::int32_t nSpare = 0;           // 0 when a run starts or restarts
    double dValue = 0.0;               // current value
    double dOffset = 0.0;              // current offset of the shake kinds
    double dStep = 0.0;                // change of the value per frame
    std::int32_t nA = 0;               // kind-specific: position x (move), direction (shake),
    std::int32_t nB = 0;               // phase (wave), counter and shown state (blink)

    // Start-up, once per entry and direction, on a zero-filled entry: stores nIndex and points at
    // Database.ScrEffect[nIndex] (bReversed 0) or Database.ScrEffectRev[nIndex] (bReversed 1),
    // through the checked access. Kind 1 (move): when reversed, first exchanges the start point
    // (p2, p3) and the end point (p4, p5) in the reversed copy; value counts tenths of a second
    // (step 1/6), a, b = the start point. Kinds 2, 3 (shake) and 8 (blink): value counts tenths
    // from 0. Kinds 4-7 and 9-13: when reversed, first exchanges p2 and p3; value = p2, step =
    // |p3 - p2| / (p1 x 6) per frame (a run time below 1 counts as 1). Any other kind keeps only
    // number and record.
    void Init(int nIndex, int bReversed);
};
