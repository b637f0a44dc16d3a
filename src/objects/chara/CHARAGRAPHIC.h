// CHARAGRAPHIC: what the character drawing has chosen for one drawn frame of a character -- the
// sources of its cell and the work surfaces the character effects draw through. The character
// drawing fills it each frame; the character-effect handlers (CharaEffectDraw.h) only read it.
// Game thread.
#pragma once

#include "graphics/Blit.h"
#include "graphics/DDSurfaceData.h"

struct CHARAGRAPHIC {
    DDSURFACEDATA* lpPlain = nullptr;    // source of the plain blits
    DDSURFACEDATA* lpEffect = nullptr;   // source of the effect blits
    DDSURFACEDATA* lpStretch = nullptr;  // source of the stretched blits
    DDSURFACEDATA* lpTurn = nullptr;     // the other facing, the back of the card turn
    int sx = 0;                          // the cell in those sources, pixels
    int sy = 0;
    int bColorPair = 0;  // draw with the colour pair (Direct3D)
    BLENDSTATE pair;     // its diffuse colour and colour operation
    int bOwnScale = 0;   // the sheet has cells of its own scale
    int nOwnScale = 1;   // that scale (1..10)
    // The stretch work surface and the effect work surface chosen at the stage's start.
    DDSURFACEDATA* lpStretchWork = nullptr;
    DDSURFACEDATA* lpEffectWork = nullptr;
};
