// The mosaic filter of the stage's screen and character effects. Game thread.
#pragma once

#include "graphics/DDSurfaceData.h"

// Draws the nWidth x nHeight image at (sx, sy) of lpSrcSD to (x, y) of lpDstSD as blocks of
// nBlock x nBlock pixels of one colour (blocks at the right and bottom edges are cut). The block
// colour is its top-left pixel (Direct3D 16 bpp, DirectDraw 8 bpp) or the average of its pixels.
// nFlags 1 honours the colour key. nBlock 0 or below draws nothing; the rectangle is cut to the
// source. FALSE when a surface cannot be locked, else TRUE.
BOOL DDMosaic(DDSURFACEDATA* lpDstSD, int x, int y, int nWidth, int nHeight, int nBlock, DDSURFACEDATA* lpSrcSD, int sx,
              int sy, int nFlags);
