// cScrEffectRun: the screen effect running on the stage -- a copy of the prepared working values
// of a ScrEffect entry (forward or reversed) that the stage drawing's handler of its kind plays
// once per frame, once, backwards, there and back, or in a loop. Number 0 means none. Game
// thread.
#pragma once

#include "project/ScrEffectWork.h"

class cScrEffectRun : public SCREFFECTWORK {
public:
    // Starts entry nNumber (checked access into ScrEffectWork / ScrEffectWorkRev): mode 1 takes
    // the reversed entry, other modes the forward one. Replaces the running effect at once.
    void Start(int nNumber, int nMode, int bLoop);
    // Mode 2 turns the direction; the entry of the current direction is copied in again.
    void Restart();
    // end < start: value -= step, goes on while trunc(value) >= end; otherwise value += step,
    // goes on while end >= trunc(value), so a run that does not move (a lasting tint) goes on
    // until it is replaced or cleared. At the end: the loop flag or the forward half of a
    // there-and-back run restarts (0); otherwise 1.
    int Step(int nStartValue, int nEndValue, double dStepValue);
    // The kind of the running entry (0 without one) and its parameter i (0 = p1 .. 4 = p5).
    int Kind() const;
    int Param(int i) const;
    // The run time in tenths of a second, below 1 counted as 1.
    int RunTenths() const;
    void Clear();

private:
    void AssignWork(const SCREFFECTWORK& work);
};
