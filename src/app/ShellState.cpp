#include "app/ShellState.h"

int TestPlayMode = 0;
std::atomic<int> bGameStarted{0};
int bWindowed = 1;
int nStartBpp = 32;
std::atomic<int> bNameDialogDone{0};
std::atomic<int> bRequestDone{0};
std::atomic<int> bRequestResult{0};
SHELLRUNOPTIONS ShellRun;

void ResetShellState()
{
    TestPlayMode = 0;
    bGameStarted = 0;
    bWindowed = 1;
    nStartBpp = 32;
    bNameDialogDone = 0;
    bRequestDone = 0;
    bRequestResult = 0;
    ShellRun = SHELLRUNOPTIONS{};
}
