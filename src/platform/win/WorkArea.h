// The usable area of the desktop (the screen less panels and docks), in screen pixels.
//
// SystemParametersInfoA(SPI_GETWORKAREA) answers it: the area set by SetWorkArea, else the
// usable area of the display the host opened, else the whole desktop of the system facts. Main
// thread (the display is asked on it).
#pragma once

#include "platform/win/WinTypes.h"

constexpr UINT SPI_GETWORKAREA = 0x0030;

// Only SPI_GETWORKAREA is known: fills *(RECT*)pvParam and returns TRUE; FALSE otherwise.
BOOL SystemParametersInfoA(UINT uiAction, UINT uiParam, void* pvParam, UINT fWinIni);

// A fixed work area (tests, or a host that knows better). An empty rectangle goes back to asking
// the display.
void SetWorkArea(const RECT& area);
