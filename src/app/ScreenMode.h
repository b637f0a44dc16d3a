// The screen-mode rules of the start-up: from the "Direct3D", "WindowMode", "Bpp" and "VSync"
// settings, the desktop's depth and the project's colour settings, the window flag, the vertical
// sync and the colour depth, and whether the back-end can run that mode. Main thread.
#pragma once

#include <string>

struct SCREENMODE {
    int bWindowed = 1;
    int nVSync = 0;
    int nBpp = 32;
    // "" when the mode is accepted, else the error box's text (Shift-JIS).
    std::string refusal;
};

// bDirect3D: 0 or 1. nDesktopBpp: the desktop's depth. bNewWindows: the system counts as
// version 6.0 or later. nD3DDepth and nDDDepth: the project's full-screen depth settings.
SCREENMODE SettleScreenMode(int bDirect3D, int nWindowMode, int nBpp, int nVSync, int nDesktopBpp, int bFullColour,
                            int nD3DDepth, int nDDDepth, bool bNewWindows);
