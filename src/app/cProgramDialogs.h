// cProgramDialogs: the shell's dialogs as the program shows them -- the file choosers of the load
// and save requests and the ranking-name dialog, run through the installed dialog and chooser
// drivers (on a screen the host's, headless none: a chooser cancels, a dialog takes its default
// button).
//
// Main thread.
#pragma once

#include <string>

#include "app/ShellDialogs.h"

class cProgramDialogs : public cShellDialogs {
public:
    // The request's kind picks the chooser; its texts are the chooser's own.
    bool OpenFile(const FILEDIALOGREQUEST& request, std::string& path) override;
    bool SaveFile(const FILEDIALOGREQUEST& request, std::string& path) override;
    // The ranking-name dialog (cNameDialog), placed from the main window in a window and from the
    // screen's corner in full screen.
    void NameDialog() override;
};
