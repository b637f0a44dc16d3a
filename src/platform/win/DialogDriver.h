// Who answers the program's dialogs: a driver feeds a running dialog (DialogRun.h) the user's
// input until the dialog ends. On a screen the host's driver draws the dialog and passes on the
// user's keys, clicks and the input method's text; headless runs and tests install a scripted
// driver (ScriptedDialogDriver.h).
//
// Main thread only.
#pragma once

#include "platform/win/DialogRun.h"

class DialogDriver {
public:
    virtual ~DialogDriver() = default;
    // Runs the dialog until it has ended. A driver that runs out of input (a script at its end, a
    // screen that went away) asks the dialog to close, and ends it with 0 when the dialog stays
    // open after that, so that no run waits for ever.
    virtual void Run(DialogRun& dialog) = 0;
};

// Installs the driver used by RunDialog (nullptr: none). The caller keeps it alive while it is
// installed.
void SetDialogDriver(DialogDriver* driver);
DialogDriver* GetDialogDriver();

// After a dialog or file chooser has closed: the main window takes the keyboard focus again and
// the key states become the keys held now, so that a key let go while the dialog had the
// keyboard (the one that opened it, as a rule) does not stay held for the game. Main thread.
void TakeBackKeyboardAfterDialog();

// Runs a dialog modally through the installed driver and returns its result, then takes the
// keyboard back (TakeBackKeyboardAfterDialog). Without a driver (a
// headless run) the dialog's default button is pressed, as headless message boxes answer theirs;
// a dialog still open after that is closed (as a close request).
int RunDialog(DialogRun& dialog);
