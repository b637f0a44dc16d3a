// The game thread's procedure: frames back to back while the application is active, until
// WM_QUIT. Runs on thGame and nothing else runs there.
#pragma once

// Takes one message at a time from the thread's queue: WM_QUIT ends the loop (1), anything else
// (the start message 0x8000 among them) is dropped. With the queue empty it runs one frame of
// the scene manager, or sleeps 1 ms while the application is inactive. A frame that returns 0
// asks the main window to close and ends the loop. With ShellRun.nFrames set, the loop asks for
// the close after that many frames and runs no more frames, so that what a scripted run leaves
// is the state after exactly those frames.
unsigned GameLoop(void* lpParam);

// Frames the game loop has run (any thread).
int GameLoopFrames();
