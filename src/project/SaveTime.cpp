#include "project/SaveTime.h"

#include <string>

#include "core/TextHelpers.h"
#include "platform/win/Time.h"

void GetSaveTime(SAVETIME& time)
{
    SYSTEMTIME now;
    GetLocalTime(&now);
    time.wYear = now.wYear;
    time.wMonth = now.wMonth;
    time.wDayOfWeek = now.wDayOfWeek;
    time.wDay = now.wDay;
    time.wHour = now.wHour;
    time.wMinute = now.wMinute;
    time.wSecond = now.wSecond;
    time.wMilliseconds = now.wMilliseconds;
}

std::string FormatSaveTime(const SAVETIME& time)
{
    std::string text;
    FormatString(text, "%04d/%02d/%02d %02d:%02d\n", time.wYear, time.wMonth, time.wDay, time.wHour, time.wMinute);
    return text;
}
