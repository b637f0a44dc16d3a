// The graphics part of the start-up and of the shutdown, in the order the shell runs them:
// colour depth, back-end (Direct3D falling back to DirectDraw), shared slots, palette,
// transparent colour, the debug sheet (slot 1), then the fonts. Main thread, before the game
// thread starts / after it has stopped.
#pragma once

#include <functional>

#include "platform/win/Messages.h"
#include "platform/win/WinTypes.h"

// The colour depth to open the screen with. nIniBpp is "Bpp" of "System.ini" (0: choose): in a
// window the desktop's depth; in full screen under Direct3D 16 when nD3DDepth is 1, else 32;
// under DirectDraw 16 when nDDDepth is 1, 8 when it is 2 and the game is not full-colour, else 32.
int ChooseColourDepth(int nIniBpp, int bWindowMode, int bDirect3D, int nD3DDepth, int nDDDepth, int bFullColour);

struct GraphicsStartOptions {
    int bDirect3D = 1;    // from "System.ini" or the start-up dialog; cleared when DirectDraw had to be used
    HWND hWnd = nullptr;  // the main window
    int nBpp = 32;        // from ChooseColourDepth
    int bVSync = 0;
    int bWindowMode = 1;
    // The project settings' colour mode and transparent colour.
    int bFullColour = 0;
    BYTE byTransRed = 0;
    BYTE byTransGreen = 0;
    BYTE byTransBlue = 0;
    // How the window is shown before DirectDraw is tried when Direct3D could not be opened: in a
    // window with this show command, in full screen maximised.
    int nCmdShow = SW_SHOW;
    // Runs once the back-end is open, before anything is loaded into it (the shell places and
    // shows the window and writes the display report here, so that a later failure is logged
    // after those lines).
    std::function<void()> onOpened;
    // Builds the fonts and digit strips once the screen is ready; FALSE fails the start-up.
    std::function<BOOL()> createFonts;
};

// Opens the back-end and loads what every screen needs. FALSE (with its report-log line) when the
// start-up cannot go on; onOpened has run when the back-end itself opened.
BOOL StartGraphics(GraphicsStartOptions& options);
// Closes the back-end at shutdown: DDUnInit in a window, DDRelease in full screen.
void StopGraphics();
