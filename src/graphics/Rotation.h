// Rotation of an image by whole degrees about a pivot, for the stage's screen and character
// effects. Game thread.
#pragma once

#include "graphics/DDSurfaceData.h"

// Draws the nWidth x nHeight image at (sx, sy) of lpSrcSD rotated by nAngle degrees (clockwise on
// the screen for positive values) about the pivot (nPivotX, nPivotY), relative to the image's
// top-left corner; with the pivot at (nWidth >> 1, nHeight >> 1) the result is centred on
// (cx, cy). Direct3D draws one quad with the blend state of the blits when the destination is a
// render target; otherwise pixels are mapped one by one through fixed-point factors and copied
// unchanged, also into the full-screen 16-bit back buffer (nFlags 1 skips pixels equal to
// dwColorKey, on both back-ends). Under Direct3D a null surface returns TRUE. FALSE when a lock
// fails; TRUE otherwise.
BOOL DDBltRotate(DDSURFACEDATA* lpDstSD, int cx, int cy, int nWidth, int nHeight, int nPivotX, int nPivotY, int nAngle,
                 DDSURFACEDATA* lpSrcSD, int sx, int sy, int nFlags);
