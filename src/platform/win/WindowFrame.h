// Window-framework messages and structures beyond the basic message set: mouse buttons, the
// tracking-size query.
#pragma once

#include "platform/win/WinTypes.h"

constexpr UINT WM_GETMINMAXINFO = 0x0024;
constexpr UINT WM_LBUTTONDBLCLK = 0x0203;
constexpr UINT WM_RBUTTONDOWN = 0x0204;
constexpr UINT WM_RBUTTONUP = 0x0205;
constexpr UINT WM_RBUTTONDBLCLK = 0x0206;

// Sizes a window may be tracked to (outer sizes, pixels).
struct MINMAXINFO {
    POINT ptReserved{};
    POINT ptMaxSize{};
    POINT ptMaxPosition{};
    POINT ptMinTrackSize{};
    POINT ptMaxTrackSize{};
};

// Mouse coordinates of a mouse message's lParam (signed 16-bit halves).
inline int GetXLParam(LPARAM lParam)
{
    return static_cast<short>(lParam & 0xFFFF);
}
inline int GetYLParam(LPARAM lParam)
{
    return static_cast<short>((lParam >> 16) & 0xFFFF);
}
