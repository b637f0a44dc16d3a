// The lens of the stage's screen and character effects: a disc of the picture magnified as if
// seen through a glass sphere. Game thread.
#pragma once

#include "graphics/DDSurfaceData.h"

// Draws the disc of radius nRadius around (scx, scy) of lpSrcSD, magnified about its centre,
// around (cx, cy) of lpDstSD. The sphere radius is F = sqrt(nRadius^2 + nDepth^2) (truncated); the
// magnification at the centre is F / nDepth, falling to 1 at the rim. Transparent source pixels
// are not copied (Direct3D 16 bpp only with nFlags 1). bClear (Direct3D 32 bpp only) writes 0 to
// the pixels of the enclosing square that receive no source pixel. FALSE without drawing when a
// size is negative or F does not exceed nDepth; FALSE when a lock fails; TRUE otherwise.
BOOL DDBltLens(DDSURFACEDATA* lpDstSD, int cx, int cy, int nRadius, int nDepth, DDSURFACEDATA* lpSrcSD, int scx,
               int scy, int nFlags, BOOL bClear);
