// Process-wide objects of the application that the lower subsystems reach: the main window
// handle and the four worker threads. They live here, below every subsystem that uses them; the
// shell sets and drives them.
#pragma once

#include <atomic>

#include "core/cThread.h"
#include "platform/win/WinTypes.h"

// The main window. The shell sets it right after the window exists and clears it on WM_DESTROY.
// Any thread posts WM_CLOSE to it to have the program closed in order (the checked containers on
// a bad index, the graphics engine on fatal failures, the stage loader after a refusal).
extern std::atomic<HWND> hWndMain;

// The worker threads: the game thread, the nested-frame thread, the ranking display and the
// stage loader. Constructed at static initialisation; their destructors stop a running thread.
extern cThread thGame;
extern cThread thPause;
extern cThread RankingThread;
extern cThread StageLoaderThread;
