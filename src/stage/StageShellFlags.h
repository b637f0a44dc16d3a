// What the stage-play screen reads of the application shell, which lives above it: whether the
// program was started for a test play or directly on a stage, and whether the application is
// active. The shell writes them (the activation flag from the main thread on WM_ACTIVATEAPP);
// the game thread and the stage's nested-loop threads read them.
#pragma once

#include <atomic>

struct STAGESHELLFLAGS {
    // 1 while the application is active; the nested loops idle while it is 0.
    std::atomic<int> bAppActive{1};
    // The editor started the program for a test play.
    std::atomic<int> bTestPlay{0};
    // A stage file was given at start: play goes straight to it.
    std::atomic<int> bDirectPlay{0};
    // System.ini's "English": the ranking window's title in English.
    std::atomic<int> bEnglish{0};

    // Back to the start-up values (tests).
    void Reset();
};

extern STAGESHELLFLAGS StageShell;
