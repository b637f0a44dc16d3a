// cRankingShell: the shell's side of the ranking entry at a stage end (IRankingShell): the
// registration option and the fixed name come from the user's options, and the name is asked for
// with the ranking-name dialog, which the main window runs (WM_NAMEDIALOG) while the game thread
// waits in its request.
//
// Game thread (the ranking entry); the options are read while the main thread does not write them.
#pragma once

#include <string>

#include "stage/ranking/IRankingShell.h"

class cRankingShell : public IRankingShell {
public:
    int RegistrationMode() const override;
    std::string FixedName() const override;
    // The proposed name is put where the dialog edits it (the running stage's ranking name), the
    // dialog is requested and waited for, and the edited name taken back: 1 once the dialog has
    // run (a closed dialog leaves the name as proposed; its result is not used). 0 without a
    // stage screen, without a main window or when the program is closing.
    int AskName(std::string& name) override;
};

// Sets lpRankingShell to the shell's one instance; null clears it (shutdown, tests).
void InstallRankingShell(bool bInstall);
