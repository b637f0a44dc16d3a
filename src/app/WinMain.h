// The program: the command line and the environment, the logs, the display check, the single
// instance, the main window, the start-up, the game thread, the main thread's message loop and
// the shutdown, in that order.
//
//   quillborn4-player [--test-play] [STAGE_FILE]
//
// STAGE_FILE is played at once instead of the title (a game path, or a host path starting with
// "/"); --test-play marks a test play started by the editor. The environment: QB_HEADLESS=1 runs
// without a window or sound device, QB_FRAMES=N closes the program in order after N game-thread
// frames, QB_INPUT=FILE plays controller 0 from a pad script (cPadScript), QB_STATE=FILE writes
// the play state as JSON when the program closes (PlayStateFile.h), QB_SHOT=FILE writes the last
// frame handed to the screen as a PNG picture when the program closes.
//
// Main thread.
#pragma once

// Exit codes: 0 after an orderly close (and when the user chose not to start a second copy or
// stopped in the drawing-mode dialog),
// 1 when the start failed, 2 for a command line or environment that cannot be used.
constexpr int kExitOk = 0;
constexpr int kExitFailed = 1;
constexpr int kExitUsage = 2;

// Runs the whole program; returns the exit code.
int WinMain(int argc, const char* const* argv);
