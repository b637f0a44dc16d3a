// The time stamp of a saved game: the local time of the save, laid out as the 16 bytes the slot
// files hold (eight uint16: year, month 1-12, day of the week 0-6 from Sunday, day 1-31, hour,
// minute, second, millisecond).
#pragma once

#include <string>

#include "platform/win/WinTypes.h"

struct SAVETIME {
    WORD wYear = 0;
    WORD wMonth = 0;
    WORD wDayOfWeek = 0;
    WORD wDay = 0;
    WORD wHour = 0;
    WORD wMinute = 0;
    WORD wSecond = 0;
    WORD wMilliseconds = 0;

    bool operator==(const SAVETIME&) const = default;
};
static_assert(sizeof(SAVETIME) == 16, "the slot files hold the time stamp as 16 bytes");

// The local time now, from the stand-in's clock (so tests on the virtual clock know it). Callable
// from any thread.
void GetSaveTime(SAVETIME& time);

// The text of a slot's time stamp as the slot lists show it: "%04d/%02d/%02d %02d:%02d\n" with
// year, month, day, hour and minute.
std::string FormatSaveTime(const SAVETIME& time);
