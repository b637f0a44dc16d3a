// cCharaEffectRun: the character effect running on one character -- a copy of the prepared
// working values of a CharaEffect entry (forward or reversed) that moves from its start value to
// its end value once per drawn frame, once, backwards, there and back, or in a loop. Number 0
// means no effect. The drawing handlers (CharaEffectDraw.h) read the value and call Advance after
// drawing; a character that is not drawn in a frame advances it without drawing. Game thread.
#pragma once

#include "project/CharaEffectWork.h"

class cCharaEffectRun : public CHARAEFFECTWORK {
public:
    std::int32_t nFrames = 0;  // frames advanced since the run (re)started
    // Set on a dying character's effect (its death effect, or whatever effect runs on it): a
    // run that does not move ends after its run time and a loop runs once, because the character
    // may not go before that effect has ended.
    std::int32_t bEndsInTime = 0;

    // Starts entry nNumber (checked access into CharaEffectWork / CharaEffectWorkRev): mode 1
    // takes the reversed entry and runs backwards, other modes the forward entry. Replaces any
    // running effect at once.
    void Start(int nNumber, int nMode, int bLoop);
    // Mode 2 turns the direction; the entry of the current direction is copied in again.
    void Restart();
    // value += step (start <= end) or value -= step (start > end); the run goes on while the value
    // has not passed the end, so a run that does not move (start = end: a lasting tint) goes on
    // until it is replaced or cleared; with bEndsInTime it ends after its run time x 6 frames. At
    // the end: the loop flag or the forward half of a there-and-back
    // run restarts (0); otherwise 1.
    int Step();
    // The once-per-frame advance of the kind: the wave kinds count their phase (0..359), the
    // blink and translucency kinds flip their shown state every p2 frames (also while paused),
    // then, unless paused, Step. 0 while paused.
    int Advance(int bPaused);
    // One frame of a character that is not drawn (and the advance after a drawn one): nothing
    // without an effect or for a kind outside 1..16; otherwise Advance, and at the end of the
    // run the number becomes 0. 1 when the effect ended in this call.
    int StepFrame(int bPaused);
    // The kind of the running entry (0 without an entry), and its parameter i (0 = p1 .. 4 = p5).
    int Kind() const;
    int Param(int i) const;
    // The entry's run time in frames: p1 x 6, a run time below 1 counting as 1.
    int RunFrames() const;
    // Stops the effect (number 0).
    void Clear();

private:
    void AssignWork(const CHARAEFFECTWORK& work);
};
