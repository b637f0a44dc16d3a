// The blitters that mix colours: tint toward a palette colour, translucency, and the coloured
// veil over the whole screen (Direct3D only). Game thread, during a frame.
#pragma once

#include "graphics/DDSurfaceData.h"
#include "platform/gdi/GdiTypes.h"

// Draws the nWidth x nHeight image at (sx, sy) of lpSrcSD to (x, y) of lpDstSD, tinted toward
// pPal[nPalIndex & 255] by nLevel 1 (weakest) to 4 (strongest); larger levels draw the pure tint
// colour (Direct3D) or keep halving toward it (DirectDraw). nLevel 0 or below draws nothing.
// nFlags 1 skips transparent source pixels. The 8-bit path mixes through pBlendTable (the
// callers pass PaletteBackup and BlendTable). FALSE when a surface cannot be locked or the
// Direct3D quad cannot be drawn.
BOOL DDBltTint(DDSURFACEDATA* lpDstSD, int x, int y, int nWidth, int nHeight, DDSURFACEDATA* lpSrcSD, int sx, int sy,
               int nFlags, const PALETTEENTRY* pPal, const BYTE* pBlendTable, int nPalIndex, int nLevel);

// Draws the image translucent over the destination. nLevel 0 (opaque) .. 255 (invisible), honoured
// only by the Direct3D quad (values outside are clamped); every other path mixes source and
// destination half and half. At 8 bits the mixture comes from pBlendTable and destination index 0
// takes the source index. FALSE when a surface cannot be locked or the Direct3D quad cannot be
// drawn.
BOOL DDBltAlpha(DDSURFACEDATA* lpDstSD, int x, int y, int nWidth, int nHeight, DDSURFACEDATA* lpSrcSD, int sx, int sy,
                int nFlags, const BYTE* pBlendTable, int nLevel);

// DDBltAlpha at half strength (nLevel 128).
BOOL DDBltHalf(DDSURFACEDATA* lpDstSD, int x, int y, int nWidth, int nHeight, DDSURFACEDATA* lpSrcSD, int sx, int sy,
               int nFlags, const BYTE* pBlendTable);

// The coloured veil: DDChangeColorBlt with lpDstSD as destination and source. The stage calls it
// on BackBuffer once per frame while the veil runs.
int DDChangeColor(DDSURFACEDATA* lpDstSD, int x, int y, int nWidth, int nHeight, int nAlpha, BYTE bRed, BYTE bGreen,
                  BYTE bBlue);

// Direct3D: one quad over the whole destination, the source texture multiplied by the colour
// with alpha 255 - nAlpha (nAlpha clamped to 0..255). x, y, nWidth, nHeight are not used.
// DirectDraw: a trace line, nothing drawn. Returns 1 in every case.
int DDChangeColorBlt(DDSURFACEDATA* lpDstSD, int x, int y, int nWidth, int nHeight, DDSURFACEDATA* lpSrcSD, int nAlpha,
                     BYTE bRed, BYTE bGreen, BYTE bBlue);
