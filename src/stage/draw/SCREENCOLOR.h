// SCREENCOLOR: the screen tint of the screen-colour command: a plain tint toward a colour, a
// flash that repeats, or the way back to the colour before. SetScreenColor starts one; the stage
// drawing applies it once a frame. The arithmetic lives here, apart from the back-ends. Game
// thread.
#pragma once

#include <cstdint>

struct SCREENCOLOR {
    int bApplied = 0;  // a plain tint was started (the 8-bit palette holds it)
    std::uint8_t byRed = 0;
    std::uint8_t byGreen = 0;
    std::uint8_t byBlue = 0;
    int nLevel = 0;     // per cent of the colour at full strength
    int bRestore = 0;   // going back to the previous colour
    int nDuration = 0;  // frames
    int bFlash = 0;
    int nRepeat = 0;  // flashes
    int bActive = 0;
    int nCounter = 0;  // frames run
    int nRepeatsDone = 0;
    int nValue = 0;  // the last strength drawn: 255 untinted .. 0 the colour alone
    std::uint8_t byPrevRed = 0;
    std::uint8_t byPrevGreen = 0;
    std::uint8_t byPrevBlue = 0;
    int nPrevLevel = 0;
    int nPrevValue = 255;

    // Every field 0 except nPrevValue, 255.
    void Reset() { *this = SCREENCOLOR{}; }
    // The command's parameters p[0..7]: colour, level, restore, duration (x 6 frames), flash,
    // repeats. bTinted: a tint is showing (Direct3D: the state is active;
    // 8-bit DirectDraw: applied). A restore while nothing is tinted is ignored (false).
    bool Start(const int p[8], bool bTinted);
    // The strength of this frame: a tint or flash 255 - progress x level x 2.55, a restore
    // progress x (255 - previous value) + previous value; progress = counter / duration (1 for a
    // duration of 0).
    int Value() const;
    // The frame's colour: the tint's, or the previous one while restoring.
    void Colour(std::uint8_t& r, std::uint8_t& g, std::uint8_t& b) const;
    // One frame on (not for a draw-only frame): the counter grows to the duration; at the end a
    // restore stops, a plain tint stops under 8-bit DirectDraw (the palette keeps it) and under
    // Direct3D only at level 0, and a flash starts again until its repeats are done. bFlashEnd is
    // set when a flash ended one round (the frame shows the untinted picture).
    void Advance(bool bDirect3D, bool& bFlashEnd);
};
