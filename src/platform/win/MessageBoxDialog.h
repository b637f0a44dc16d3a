// The message box as one of the program's own dialogs: the text, line by line (long lines
// wrapped), over a row of buttons (OK; OK and Cancel; Yes and No), under a caption bar. A screen
// driver draws it in a window of its own like any dialog, so a box shows on every display, with
// or without a desktop's helpers; the scripted driver answers it in tests.
//
// Main thread only (the drivers run there).
#pragma once

#include <string_view>

#include "platform/win/DialogDriver.h"
#include "platform/win/DialogTemplate.h"
#include "platform/win/WinTypes.h"

// Widest text line of a box before it is wrapped, in pixels of the dialog font.
constexpr int kMessageBoxTextWidth = 480;
// The ids of the text lines: kMessageBoxFirstLineId, + 1, ... in order. The buttons carry their
// answers as ids (IDOK, IDCANCEL, IDYES, IDNO).
constexpr WORD kMessageBoxFirstLineId = 0x100;

// The box's template for a Shift-JIS text ("\r\n" or "\n" between lines) and a MessageBoxA type
// (its button set and default button; icons are not drawn).
DlgTemplate MessageBoxTemplate(std::string_view textSjis, UINT uType);

// Shows the box through driver, centred on the screen, the default button focused, and returns
// the button chosen; closing the box answers OK for an OK box, else Cancel or No. 0 when the
// driver could not show it (it ended without an answer).
int RunMessageBoxDialog(DialogDriver& driver, std::string_view textSjis, std::string_view captionSjis, UINT uType);
