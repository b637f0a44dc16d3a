// The usable area of the first display (without panels and docks) as the window system reports
// it, for the placement of windows. Main thread.
#pragma once

// A screen rectangle in pixels: left and top inclusive, right and bottom exclusive.
struct DisplayArea {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

// Fills area and returns true when the display host is up and knows it; false otherwise
// (headless, or before the host opened the display).
bool QueryUsableDisplayArea(DisplayArea& area);
