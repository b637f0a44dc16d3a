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

// Whether the frame pace holds: the frame limiters and the presents wait for the next tick of
// the pace. False only for a headless host started with QB_UNPACED, which runs frames back to
// back. Any thread.
bool FramePaceKept();

// A calendar date and time of day, laid out as eight 16-bit fields: year, month 1-12, day of the
// week 0-6 from Sunday, day 1-31, hour, minute, second, millisecond.
struct SYSTEMTIME {
    WORD wYear = 0;
    WORD wMonth = 0;
    WORD wDayOfWeek = 0;
    WORD wDay = 0;
    WORD wHour = 0;
    WORD wMinute = 0;
    WORD wSecond = 0;
    WORD wMilliseconds = 0;
};

// The local date and time now; any thread. On the virtual clock: 2000-01-01 00:00:00.000 (a
// Saturday) at virtual time 0, advanced by the virtual clock, so that tests know the date.
void GetLocalTime(SYSTEMTIME* lpSystemTime);

// Test control of the virtual clock. Switching it on sets it to startMs.
void UseVirtualClock(bool bOn, DWORD startMs = 0);
bool IsVirtualClock();
// Advances the virtual clock by ms (no effect on the real clock).
void AdvanceVirtualClock(DWORD ms);
// Test hook: timeBeginPeriod calls not yet matched by timeEndPeriod.
int TimerPeriodBalance();
