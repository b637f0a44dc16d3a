// The start-up's choice of the drawing mode: with "Direct3D" 2 or more, "user_data\Boot.dat" is
// read into BootData and, unless it says not to ask again, the start-up drawing-mode dialog asks;
// then "Direct3D" becomes 1 for Direct3D and 0 for DirectDraw. Stopping the dialog fails the
// start-up without a message.
//
// Main thread, during start-up.
#pragma once

#include "app/SystemIni.h"
#include "platform/win/WinTypes.h"

// mainWindowPos: the main window's outer top-left corner as last placed. Returns false when the
// user stopped; ini.Direct3D is then left as it was.
bool ChooseStartDrawMode(SYSTEMINI& ini, POINT mainWindowPos);
