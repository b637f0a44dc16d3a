// cScroll: one axis of the stage camera (the horizontal axis views 640 pixels, the vertical 480).
// The stage-play screen owns two of them and moves them once per play sub-step; the game objects
// read the position, the areas, the auto-scroll speed and the at-limit flag every sub-step.
// Positions are world pixels: the stage plus a margin of 10 cells (320 pixels) on every side.
// Game thread only.
#pragma once

class cScroll {
public:
    // Margin of the field around the stage, in cells.
    static constexpr int kMargin = 10;

    double dPos = 0.0;  // world pixel at the left (top) edge of the view
    int bAtLimit = 0;   // 1 after the last clamp pushed the view against an end of the area
    int nAxis = 0;      // 0 horizontal, 1 vertical
    int nView = 640;    // view size in pixels: 640 or 480
    int nMin = 0;       // scroll area: the view stays within [nMin, nMax)
    int nMax = 0;
    int nStageMin = 0;  // the stage proper: 320 and (stage tiles + 10) x 32
    int nStageMax = 0;
    int nMargin = kMargin;  // margin of the field in cells
    int nFieldSize = 0;     // whole field in pixels: the stage's size in pixels + 640
    int nCells = 0;         // whole field in cells: stage tiles + 20
    int nPitch = 0;         // horizontal: row pitch of the block map (a power of two); vertical: nCells
    int nPitchShift = 0;    // horizontal: log2 of nPitch; vertical: 0
    double dSpeed = 0.0;    // auto-scroll speed in world pixels per sub-step (0 when off)
    int bAuto = 0;          // 1 while auto-scroll is on

    // The axis of a stage nTiles tiles long (negative counts as 0, more than 2^25 - 10 as that):
    // axis, view (640 or 480), margin, field size (32 pixels a tile, until SetFieldPixels), cell
    // count, pitch and the stage area. Scroll area, position and auto-scroll are left to SetLimit,
    // SetAutoScroll and the centring on the player.
    void Setup(int nAxisKind, int nTiles, int nRowPitch, int nRowPitchShift);
    // The field size from the stage's size in pixels as its file stores it beside the size in
    // tiles (32 a tile in a consistent file): nStagePixels + 640. A value below 0 counts as 0 and
    // one beyond the longest axis Setup takes as that, so that the size fits an int.
    void SetFieldPixels(int nStagePixels);
    // Keeps the view inside the scroll area and sets bAtLimit. The argument is not used.
    void Clamp(int nUnused = 0);
    // dPos += dSpeed, then Clamp: once per play sub-step.
    void Move();
    // On: dSpeed = nSpeed (tenths of a pixel per frame) x 0.1 / sub-steps per frame, bAuto = 1;
    // off: dSpeed = 0, bAuto = 0. A sub-step count below 1 counts as 1. Returns 0.
    int SetAutoScroll(int bOn, int nSpeed);
    // Scroll area from tiles counted from the stage's first tile: nMin = nStageMin + nMinTile x 32
    // when bMin is set, else nStageMin; nMax = nStageMin + (nMaxTile + 1) x 32 (at least nMin)
    // when bMax is set, else nStageMax.
    void SetLimit(int nMinTile, int nMaxTile, int bMin, int bMax);
    // The auto-scroll speed as the objects that move with it see it: 0 at the limit.
    double SyncSpeed() const { return bAtLimit ? 0.0 : dSpeed; }
};
