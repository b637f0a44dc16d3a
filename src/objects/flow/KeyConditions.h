// The key-input conditions of flows: whether a flow's key sequence (its cEdKeyCondition list,
// oldest step first) has just been entered on the player's controller, and whether one key
// condition is still held. The matcher walks back in time over the controller's press logs with
// one cursor per log; it keeps no state between calls. Game thread only.
#pragma once

#include <cstdint>
#include <span>

#include "core/cVector.h"
#include "definitions/cEdKeyCondition.h"
#include "objects/flow/KeyLogView.h"

// One time cursor per press log: the run it lies in (0 = newest) and the frames of that run that
// lie at or before the cursor's moment. A negative length means a moment older than the log.
struct KEYCURSOR {
    int nRun = 0;
    int nLength = 0;
};

class cKeyCursors {
public:
    static constexpr std::uint32_t kAllLogs = (1u << cKeyLogView::kLogCount) - 1;

    // All cursors at the present frame: (0, length of the newest run). nUsedLogs (bit n for
    // log n): the logs that are read; only their runs are fetched (the others read as empty
    // logs) and Shift moves only their cursors.
    explicit cKeyCursors(const cKeyLogView& logs, std::uint32_t nUsedLogs = kAllLogs);

    // Moves every cursor in use nFrames in time (negative or zero: back, positive: forward).
    void Shift(int nFrames);
    const KEYCURSOR& operator[](int nLog) const { return m_Cursor[nLog]; }
    // The runs of log nLog (0..18) as they were when the cursors were made.
    std::span<const KEYLOGRUN> Runs(int nLog) const { return m_Runs[nLog]; }

private:
    void ShiftBack(KEYCURSOR& cursor, std::span<const KEYLOGRUN> runs, int nFrames);
    void ShiftForward(KEYCURSOR& cursor, std::span<const KEYLOGRUN> runs, int nFrames);

    std::uint32_t m_nUsedLogs;
    // Fetched once: a sequence search moves the cursors back and forth many times.
    std::span<const KEYLOGRUN> m_Runs[cKeyLogView::kLogCount];
    KEYCURSOR m_Cursor[cKeyLogView::kLogCount];
};

// The press log key nKey (0..18) reads; with bSwapSides the left and right keys (1 and 2, 5 and
// 7, 6 and 8) exchange their logs, so that for a character facing left "right" means forward.
int KeyLogOfKey(int nKey, bool bSwapSides);

// A run of length nLength tested by key flag nFlag of condition: flag 1 the run is pressed and
// (any length allowed and nLength >= 1, or nMinFrames <= nLength <= nMaxFrames); flag 2 the run
// is released and nLength >= 1; any other flag never holds.
int TestKeyRun(std::int32_t nPressed, int nLength, const cEdKeyCondition& condition, int nFlag);

// Whether one key condition holds at the cursors: 1 or 0, and in nMatched the length of the run
// that matched (the shortest for mode 0, the longest for mode 1, the last one otherwise; 0 when
// none). The condition's relative flag exchanges left and right when bOwnerFacesLeft is set.
int MatchKeyStep(const cEdKeyCondition& condition, const cKeyCursors& cursors, bool bOwnerFacesLeft, int& nMatched);

// 1 when the key sequence (oldest step first) has just been entered: the newest step holds now
// and each older step held before it, at most nAllowance frames apart. bSwapSides: the owner of
// the flow faces left and the conditions use relative left and right (per condition, its own
// flag decides). bKeyOverlap: two consecutive steps may be met by the same press.
int MatchKeySequence(const cVector<cEdKeyCondition>& conditions, std::int8_t nAllowance, const cKeyLogView& logs,
                     bool bOwnerFacesLeft, bool bKeyOverlap);

// The condition tested on the newest run of each log only, without the relative exchange:
// a key with flag 1 matches while pressed, flag 2 while released; mode 1 stops at the first match.
int IsKeyConditionHeld(const cKeyLogView& logs, const cEdKeyCondition& condition);

// The input direction class of a controller: the first direction log 0..9 whose newest run is
// pressed (0 none, 1 left, 2 right, 3 up, 4 down, 5 up-left, 6 down-left, 7 up-right,
// 8 down-right, 9 any other combination); 0 when none is.
int GetInputDirClass(const cKeyLogView& logs);
