// Clocks and Sleep, on the monotonic clock or on the virtual clock of the tests.
#include "platform/win/Time.h"

#include <atomic>
#include <chrono>
#include <thread>

#include "platform/win/ThreadState.h"
#include "platform/win/Threads.h"

namespace {

using SteadyClock = std::chrono::steady_clock;

SteadyClock::time_point StartTime()
{
    static const SteadyClock::time_point start = SteadyClock::now();
    return start;
}

// Taken at load time so that the real clock counts from the start of the process.
const SteadyClock::time_point g_startAnchor = StartTime();

std::atomic<bool> g_virtual{false};
std::atomic<std::uint64_t> g_virtualUs{0};  // virtual time in microseconds
std::atomic<int> g_periodBalance{0};

std::uint64_t NowMicroseconds()
{
    if (g_virtual.load()) {
        return g_virtualUs.load();
    }
    return static_cast<std::uint64_t>(
        std::chrono::duration_cast<std::chrono::microseconds>(SteadyClock::now() - StartTime()).count());
}

}  // namespace

DWORD timeGetTime() { return static_cast<DWORD>(NowMicroseconds() / 1000); }

DWORD GetTickCount() { return timeGetTime(); }

UINT timeBeginPeriod(UINT uPeriod)
{
    if (uPeriod == 0) {
        return TIMERR_NOCANDO;
    }
    ++g_periodBalance;
    return TIMERR_NOERROR;
}

UINT timeEndPeriod(UINT uPeriod)
{
    if (uPeriod == 0) {
        return TIMERR_NOCANDO;
    }
    int balance = g_periodBalance.load();
    do {
        if (balance <= 0) {
            return TIMERR_NOCANDO;  // no matching timeBeginPeriod
        }
    } while (!g_periodBalance.compare_exchange_weak(balance, balance - 1));
    return TIMERR_NOERROR;
}

int TimerPeriodBalance() { return g_periodBalance.load(); }

BOOL QueryPerformanceCounter(LARGE_INTEGER* lpCount)
{
    if (lpCount == nullptr) {
        return FALSE;
    }
    lpCount->QuadPart = static_cast<LONGLONG>(NowMicroseconds());
    return TRUE;
}

BOOL QueryPerformanceFrequency(LARGE_INTEGER* lpFrequency)
{
    if (lpFrequency == nullptr) {
        return FALSE;
    }
    lpFrequency->QuadPart = 1000000;
    return TRUE;
}

void Sleep(DWORD dwMilliseconds)
{
    ThreadSafePoint();
    if (g_virtual.load()) {
        g_virtualUs += static_cast<std::uint64_t>(dwMilliseconds) * 1000;
        std::this_thread::yield();
        ThreadSafePoint();
        return;
    }
    if (dwMilliseconds == 0) {
        std::this_thread::yield();
        ThreadSafePoint();
        return;
    }
    standin::SleepUntil(SteadyClock::now() + std::chrono::milliseconds(dwMilliseconds));
}

void UseVirtualClock(bool bOn, DWORD startMs)
{
    if (bOn) {
        g_virtualUs = static_cast<std::uint64_t>(startMs) * 1000;
    }
    g_virtual = bOn;
}

bool IsVirtualClock() { return g_virtual.load(); }

void AdvanceVirtualClock(DWORD ms) { g_virtualUs += static_cast<std::uint64_t>(ms) * 1000; }
