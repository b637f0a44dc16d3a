// The shell's own state: what the start-up decided, the flags of the requests from the game
// thread, and the options of a scripted run taken from the environment. Whether the application
// is active, whether the program was started for a test play and whether a stage is played
// directly are kept where the stage play reads them (StageShell).
//
// Main thread, unless a member says otherwise.
#pragma once

#include <atomic>
#include <string>

// 1 when the editor started the program for a test play (the --test-play flag).
extern int TestPlayMode;
// 1 once the start-up has succeeded; never cleared. Read by the window procedure.
extern std::atomic<int> bGameStarted;
// The window-mode decision of the start-up (1 window, 0 full screen) and the colour depth chosen.
extern int bWindowed;
extern int nStartBpp;

// Completion flags of the requests, for requesters that poll them instead of reading the
// request's result: written by the main thread before the request returns, read by the game
// thread.
extern std::atomic<int> bNameDialogDone;
extern std::atomic<int> bRequestDone;
extern std::atomic<int> bRequestResult;

// A scripted run (the environment, read once by the entry point).
struct SHELLRUNOPTIONS {
    bool bHeadless = false;  // QB_HEADLESS: no window, boxes answered with their default button
    int nFrames = 0;         // QB_FRAMES: close in order after this many game-thread frames; 0 never
    std::string inputPath;   // QB_INPUT: controller 0 from this script (host path); "" the devices
    std::string statePath;   // QB_STATE: the play state is written here at close (host path)
    std::string shotPath;    // QB_SHOT: the last frame is written here as a PNG at close (host path)
};
extern SHELLRUNOPTIONS ShellRun;

// Back to the values before start-up (tests).
void ResetShellState();
