// Clocks and sleeping.
//
// The real clock reads the monotonic clock. Tests switch on the virtual clock: then every call
// here reads it, Sleep advances it instead of waiting, and no test sleeps for real. The virtual
// clock is shared by all threads: each Sleep adds its own duration to it and yields, so two
// threads sleeping 10 ms each move it by 20 ms. Timed waits elsewhere (WaitForSingleObject with a
// time-out, the host's event wait) always use real time.
#pragma once

#include "platform/win/WinTypes.h"

constexpr UINT TIMERR_NOERROR = 0;
constexpr UINT TIMERR_NOCANDO = 97;

// Milliseconds since the stand-in started; 32 bits, wraps after 49.7 days.
DWORD timeGetTime();
DWORD GetTickCount();
// Timer resolution requests; recorded, balanced calls expected. Sleeps are 1-ms exact anyway.
// TIMERR_NOCANDO for a period of 0 and for an end without a matching begin.
UINT timeBeginPeriod(UINT uPeriod);
UINT timeEndPeriod(UINT uPeriod);
// Counter in ticks of QueryPerformanceFrequency (1 000 000 per second here).
BOOL QueryPerformanceCounter(LARGE_INTEGER* lpCount);
BOOL QueryPerformanceFrequency(LARGE_INTEGER* lpFrequency);
// Sleeps at least dwMilliseconds (0 yields). A safe point for suspension and terminate requests;
// a terminate request ends the sleep early. Runs no sent messages.
void Sleep(DWORD dwMilliseconds);

// Test control of the virtual clock. Switching it on sets it to startMs.
void UseVirtualClock(bool bOn, DWORD startMs = 0);
bool IsVirtualClock();
// Advances the virtual clock by ms (no effect on the real clock).
void AdvanceVirtualClock(DWORD ms);
// Test hook: timeBeginPeriod calls not yet matched by timeEndPeriod.
int TimerPeriodBalance();
