// cPatternAnime: plays frame patterns, numbered lists of {cell, duration, lock} steps closed by
// a control code (hold, loop, jump to another pattern, end; project/PatternStep.h). Every game
// object embeds one to choose the cell of its sprite; the owner steps it once per drawn frame.
// It knows nothing of drawing: it only yields the current cell. Game thread.
//
// A pattern without any cell (only its control step) shows cell 0 and never steps, and a hold on
// the first step stays there: stepping such a pattern would leave the steps.
#pragma once

#include "project/DerivedTables.h"

class cPatternAnime {
public:
    PatternTable patterns;  // pattern n is a list of steps
    int pattern = 0;        // the pattern being played
    int entry = 0;          // its current step
    int tick = 0;           // ticks spent on the current step

    // Nothing for a null table; otherwise every pattern of the table is copied up to and with its
    // first control step (a pattern with none gets a loop step) and pattern, entry and tick
    // become 0.
    void SetPatterns(const PatternTable* table);
    // Refused (0) when not forced and the current step is locked; otherwise pattern n restarts
    // at step 0 (1).
    int SetPattern(int n, int force);
    // 1 without a restart when n is already playing; otherwise SetPattern.
    int ChangePattern(int n, int force);
    // One tick: the cell of the current step afterwards, kPatternEnd once the end code is
    // reached, 0 with no patterns or an empty pattern.
    int Step();
    // The cell of the current step (kPatternEnd after the end; 0 for an empty pattern).
    int GetFrame() const;
    // No patterns; pattern, entry and tick 0.
    void Clear();

private:
    // True when the current pattern holds at least one cell step.
    bool HasFrames() const;
    // Follows the control code reached at the current step.
    void FollowControl();
};
