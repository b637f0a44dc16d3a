#include "project/SaveTime.h"

#include <chrono>
#include <ctime>
#include <mutex>
#include <string>

#include "core/TextHelpers.h"

void GetSaveTime(SAVETIME& time)
{
    using namespace std::chrono;
    const auto now = system_clock::now();
    const std::time_t seconds = system_clock::to_time_t(now);
    const auto millis = duration_cast<milliseconds>(now.time_since_epoch()).count() % 1000;

    // std::localtime hands out one shared buffer.
    static std::mutex localTimeMutex;
    std::tm local{};
    {
        std::lock_guard lock(localTimeMutex);
        if (const std::tm* p = std::localtime(&seconds)) {
            local = *p;
        }
    }
    time.wYear = static_cast<WORD>(local.tm_year + 1900);
    time.wMonth = static_cast<WORD>(local.tm_mon + 1);
    time.wDayOfWeek = static_cast<WORD>(local.tm_wday);
    time.wDay = static_cast<WORD>(local.tm_mday);
    time.wHour = static_cast<WORD>(local.tm_hour);
    time.wMinute = static_cast<WORD>(local.tm_min);
    time.wSecond = static_cast<WORD>(local.tm_sec);
    time.wMilliseconds = static_cast<WORD>(millis < 0 ? 0 : millis);
}

std::string FormatSaveTime(const SAVETIME& time)
{
    std::string text;
    FormatString(text, "%04d/%02d/%02d %02d:%02d\n", time.wYear, time.wMonth, time.wDay, time.wHour,
                 time.wMinute);
    return text;
}
