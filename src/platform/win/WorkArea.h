// The usable area of the desktop (the screen less panels and docks), in screen pixels.
//
// SystemParametersInfoA(SPI_GETWORKAREA) answers it: the area the display host reported
// (SetWorkArea), else the whole desktop of the system facts. Any thread.
#pragma once

#include "platform/win/WinTypes.h"

constexpr UINT SPI_GETWORKAREA = 0x0030;

// Only SPI_GETWORKAREA is known: fills *(RECT*)pvParam and returns TRUE; FALSE otherwise.
BOOL SystemParametersInfoA(UINT uiAction, UINT uiParam, void* pvParam, UINT fWinIni);

// The display host's usable area (main thread, when it knows it). An empty rectangle goes back
// to the whole desktop. Tests set it too.
void SetWorkArea(const RECT& area);
