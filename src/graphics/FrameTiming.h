// Frame timing: the two frame limiters, a stopwatch for the work of a frame, a frames-per-second
// counter and a counter that fires every n calls.
//
// Times come from timeGetTime (milliseconds, 1 ms resolution from start-up on; a 32-bit counter
// that wraps after 49.7 days: every comparison here works on differences, so the wrap is
// harmless). All state is global and starts on first use; every function is called from the game
// thread only.
#pragma once

#include "graphics/DDSurfaceData.h"

// Stopwatch: the start of the frame's work (the frame loop calls it at the start of the work).
void StartTimeCount();
// bMeasure 1: measures, keeps and returns the milliseconds since StartTimeCount; 0: returns the
// kept span (1 before the first measurement).
DWORD GetTimeCount(int bMeasure);

// Frames per second: bCount 1 counts the frame. Once 1000 ms have passed since the start of the
// current second (the first call starts it), the count is published and a new second starts; the
// call that closes a second is not counted. Returns the published count (0 at first).
int GetFPS(int bCount);

// A call counter: nMode 0 resets it (FALSE); nMode 2 returns TRUE when it is 0; any other mode
// counts the call and returns TRUE, resetting the counter, on the call that brings it to n.
BOOL CheckOneSecond(int nMode, int n);

// The DirectDraw frame limiter: the frame loop waits before each frame, in Sleep(1) steps, until it
// returns TRUE. The first call is due at once; each frame granted sets the next one due at now +
// 1000 / rate ms, integer division (16 ms at 60, 33 at 30, 8 at 120), so a game that fell behind
// does not catch up. A frame rate of 0 or less never waits.
BOOL CheckFrameTimeDD(int nFrameRate);

// The Direct3D frame limiter, waited on by DDPresent without vsync: frame g of a second is due at
// base + g x 1000.0 / rate ms, and the base moves to now when frame number rate is let through (so
// that fractions never add up beyond one second). After a stall the frames of the current second
// come back to back. TRUE at once without Direct3D or with a frame rate of 0 or less; a change of
// the rate starts a new second. With bShow and lpSheet, draws the averages of the frame rate and of
// the work time onto BackBuffer (the frame loop passes 0, 0).
BOOL CheckFrameTimeD3D(int nFrameRate, int bShow, DDSURFACEDATA* lpSheet);

// Test hook: forgets every counter, stopwatch and limiter state (as at program start).
void ResetFrameTimingForTest();
