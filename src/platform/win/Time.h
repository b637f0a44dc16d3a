// Clocks and sleeping.
//
// The real clock reads the monotonic clock. Tests switch on the virtual clock: then every call
// here reads it, Sleep advances it instead of waiting, and no test sleeps for real.
#pragma once

#include "platform/win/WinTypes.h"

constexpr UINT TIMERR_NOERROR = 0;

// Milliseconds since the stand-in started; 32 bits, wraps after 49.7 days.
DWORD timeGetTime();
DWORD GetTickCount();
// Timer resolution requests; recorded, balanced calls expected.
UINT timeBeginPeriod(UINT uPeriod);
UINT timeEndPeriod(UINT uPeriod);
// Counter in ticks of QueryPerformanceFrequency (1 000 000 per second here).
BOOL QueryPerformanceCounter(LARGE_INTEGER* lpCount);
BOOL QueryPerformanceFrequency(LARGE_INTEGER* lpFrequency);
// Sleeps at least dwMilliseconds (0 yields). A safe point for suspension and terminate requests.
void Sleep(DWORD dwMilliseconds);

// Test control of the virtual clock. Switching it on sets it to startMs.
void UseVirtualClock(bool bOn, DWORD startMs = 0);
bool IsVirtualClock();
// Advances the virtual clock by ms (no effect on the real clock).
void AdvanceVirtualClock(DWORD ms);
