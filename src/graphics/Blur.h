// The blur filter of the stage's screen and character effects. Game thread.
#pragma once

#include "graphics/DDSurfaceData.h"

// Draws the nWidth x nHeight image at (sx, sy) of lpSrcSD to (x, y) of lpDstSD with each pixel the
// average of the source pixels at offsets -nRadiusX .. nRadiusX - 1 and -nRadiusY .. nRadiusY - 1
// that lie inside the rectangle (with nFlags 1 opaque ones only; transparent pixels are then not
// written). A radius of 0 or below draws nothing; 8 bpp draws nothing (a trace line); the
// rectangle is cut to the source. FALSE when a surface cannot be locked, else TRUE.
BOOL DDBlur(DDSURFACEDATA* lpDstSD, int x, int y, int nWidth, int nHeight, int nRadiusX, int nRadiusY,
            DDSURFACEDATA* lpSrcSD, int sx, int sy, int nFlags);
