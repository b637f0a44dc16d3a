// Clocks and Sleep, on the monotonic clock or on the virtual clock of the tests.
#include "platform/win/Time.h"

#include <atomic>
#include <chrono>
#include <ctime>
#include <thread>

#include "platform/hostapi/Host.h"
#include "platform/win/HostLink.h"
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

// The civil date of a day counted from 1970-01-01 (proleptic Gregorian calendar).
void CivilFromDays(std::int64_t days, SYSTEMTIME& time)
{
    days += 719468;
    const std::int64_t era = (days >= 0 ? days : days - 146096) / 146097;
    const std::int64_t dayOfEra = days - era * 146097;
    const std::int64_t yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const std::int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const std::int64_t monthIndex = (5 * dayOfYear + 2) / 153;
    const std::int64_t month = monthIndex < 10 ? monthIndex + 3 : monthIndex - 9;
    time.wYear = static_cast<WORD>(yearOfEra + era * 400 + (month <= 2 ? 1 : 0));
    time.wMonth = static_cast<WORD>(month);
    time.wDay = static_cast<WORD>(dayOfYear - (153 * monthIndex + 2) / 5 + 1);
}

}  // namespace

void GetLocalTime(SYSTEMTIME* lpSystemTime)
{
    if (lpSystemTime == nullptr) {
        return;
    }
    SYSTEMTIME time;
    if (g_virtual.load()) {
        constexpr std::int64_t kDaysTo2000 = 10957;  // 1970-01-01 to 2000-01-01
        const std::uint64_t ms = g_virtualUs.load() / 1000;
        const std::uint64_t msOfDay = ms % 86400000;
        const auto days = kDaysTo2000 + static_cast<std::int64_t>(ms / 86400000);
        CivilFromDays(days, time);
        time.wDayOfWeek = static_cast<WORD>((days + 4) % 7);  // 1970-01-01 was a Thursday
        time.wHour = static_cast<WORD>(msOfDay / 3600000);
        time.wMinute = static_cast<WORD>(msOfDay / 60000 % 60);
        time.wSecond = static_cast<WORD>(msOfDay / 1000 % 60);
        time.wMilliseconds = static_cast<WORD>(msOfDay % 1000);
    } else {
        const auto now = std::chrono::system_clock::now();
        const std::time_t seconds = std::chrono::system_clock::to_time_t(now);
        const auto millis =
            std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count() % 1000;
        std::tm local{};
        if (localtime_r(&seconds, &local) != nullptr) {
            time.wYear = static_cast<WORD>(local.tm_year + 1900);
            time.wMonth = static_cast<WORD>(local.tm_mon + 1);
            time.wDayOfWeek = static_cast<WORD>(local.tm_wday);
            time.wDay = static_cast<WORD>(local.tm_mday);
            time.wHour = static_cast<WORD>(local.tm_hour);
            time.wMinute = static_cast<WORD>(local.tm_min);
            time.wSecond = static_cast<WORD>(local.tm_sec);
            time.wMilliseconds = static_cast<WORD>(millis < 0 ? 0 : millis);
        }
    }
    *lpSystemTime = time;
}

bool FramePaceKept()
{
    return standin::LinkedHost().KeepsFramePace();
}

DWORD timeGetTime()
{
    return static_cast<DWORD>(NowMicroseconds() / 1000);
}

DWORD GetTickCount()
{
    return timeGetTime();
}

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

int TimerPeriodBalance()
{
    return g_periodBalance.load();
}

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

bool IsVirtualClock()
{
    return g_virtual.load();
}

void AdvanceVirtualClock(DWORD ms)
{
    g_virtualUs += static_cast<std::uint64_t>(ms) * 1000;
}
