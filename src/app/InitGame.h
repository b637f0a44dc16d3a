// The program's start-up and shutdown between the main window's creation and the game thread:
// every subsystem built in a fixed order, the first failure shown in its own words, and
// everything built released again in order, also after a start-up that stopped half-way.
//
// Main thread, before the game thread starts / after it has ended.
#pragma once

#include <string>

// Longest stage file name taken from the command line (the settings' 260-byte buffer).
constexpr std::size_t kStartStageMax = 259;

// The entry point's first step, before the main window: the trace log off, the report log
// "Report_Game.txt" of the current folder created (its path made absolute), then the version line
// and the machine report written. False when the report log cannot be created.
bool OpenLogs();
// Builds everything. startStage is the stage file given on the command line (Shift-JIS, "" for
// none); it replaces "FreeStage" of System.ini. nCmdShow is how the window is shown. 1 when
// everything was built, 0 at the first failure (what was built stays for UnInitGame).
int InitGame(const std::string& startStage, int nCmdShow);
// True when the last InitGame stopped because the user chose to stop in the drawing-mode dialog
// (no failure: the program ends without a message).
bool StartStoppedByUser();
// Releases what InitGame built, in order; safe after a partial start-up and when called twice.
void UnInitGame();
