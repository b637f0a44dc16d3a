// The screen drivers of the program's dialogs and file chooser: each run opens a window of its
// own at the dialog's place, draws it with DialogPainter and passes the user's keys, clicks, typed
// text and the input method's composition (SDL's text-editing events) to it until it ends. The
// window's close box is a close request; a request to quit the program also closes the run and
// is then passed on. Events of other windows during the run are dropped: the dialogs are modal
// and the game's threads wait meanwhile.
//
// Main thread only.
#pragma once

#include "platform/win/DialogDriver.h"
#include "platform/win/FileChooserDriver.h"

class SdlDialogDriver : public DialogDriver {
public:
    void Run(DialogRun& dialog) override;
};

// Keys of the chooser: Up/Down/Page Up/Page Down move in the list, Tab switches between the list
// and the name field, Enter opens the highlighted entry (list) or accepts the name (name field),
// Backspace in an empty name field goes to the parent folder, Esc cancels; in the overwrite
// question Y or Enter answers Yes, N or Esc No.
class SdlFileChooserDriver : public FileChooserDriver {
public:
    void Run(FileChooser& chooser) override;
};

// Installs the screen drivers when the host has a display; headless runs keep whatever is
// installed (none: dialogs close and choosers cancel at once). Main thread, at start-up.
void InstallScreenDialogDrivers();
