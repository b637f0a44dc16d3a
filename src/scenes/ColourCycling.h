// The per-frame colour cycling of every screen. Under Direct3D nine flash levels swing between 0
// and 255 and rewrite entries 1 to 9 of the character drawing's ColorFlashTable (the colours of
// invincible characters); under 8-bit DirectDraw, when the project asks for it, the eight 4-entry
// groups 208..239 of the shown palette rotate by one entry every sixth call.
//
// Game thread (the screens' drawing and the stage drawing).
#pragma once

#include "graphics/Blit.h"

// The cycling's state: the nine levels (0..255) with their falling flags, the rotating colour of
// entry 9 (0..3) and the palette rotation's call counter (0..5).
struct COLOURCYCLE {
    int nLevel[9] = {};
    int bFalling[9] = {};
    int nMode = 0;
    int nPaletteCount = 0;
};
extern COLOURCYCLE ColourCycle;

// One swing step of *pLevel between nMin and nMax: rising, +nStep, and at nMax or above the step
// is undone and the level turns to falling (0); falling, -nStep, and at nMin or below the step is
// undone and the level turns to rising (1: a full cycle ended).
int PingPongStep(int* pLevel, int* pFalling, int nStep, int nMin, int nMax);
// The Direct3D step with the project's cycling step: every level steps once and table entries 1
// to 9 take the colour of the level's value before its step (entry 0 is left alone).
void StepColourFlash(COLOURCYCLE& cycle, int nStep, BLENDSTATE* table);
// One step of the cycling on the back-end that runs (none: nothing).
void CyclePalette();
