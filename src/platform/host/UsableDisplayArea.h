// The usable area of the first display (without panels and docks) as the window system reports
// it, for the placement of windows. Main thread.
#pragma once

#include "platform/win/WinTypes.h"

// Fills area (screen pixels) and returns true when the display host is up and knows it; false
// otherwise (headless, or before the host opened the display).
bool QueryUsableDisplayArea(RECT& area);
