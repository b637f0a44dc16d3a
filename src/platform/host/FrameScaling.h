// Where the game's picture goes inside the window: the aspect is kept, whole-number scales are
// preferred so that pixels stay square and sharp.
#pragma once

// A rectangle in window pixels.
struct HostRect {
    int x = 0;
    int y = 0;
    int w = 0;
    int h = 0;
    bool operator==(const HostRect&) const = default;
};

// The destination of a frameW x frameH picture in a windowW x windowH area, centred: the largest
// whole-number scale (1, 2, 3 ...) that fits; when even scale 1 does not fit, the largest size with
// the picture's aspect that fits (letterboxed, rounded down). All-zero when any size is <= 0.
// Called by the SDL host for every present.
HostRect ScaledRect(int windowW, int windowH, int frameW, int frameH);
