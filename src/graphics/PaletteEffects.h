// Palette operations of the fades and the stage: mixing entries toward a colour, rotating a range
// of entries, and the emulation of a palette fade on a 16- or 32-bit DirectDraw screen. Game
// thread (the stage and the screens), main thread at start-up.
#pragma once

#include "graphics/DDSurfaceData.h"
#include "platform/gdi/GdiTypes.h"

// Entries nFirst..nLast of pDstPal become pSrcPal's entries mixed with the colour: each channel
// (source x nLevel + colour x (256 - nLevel)) >> 8, flags 1 (PC_RESERVED). nLevel 256 keeps the
// source, 0 gives the colour; it is clamped to 0..256, and the range to 0..255 (an empty range
// changes nothing).
void DDFadePalette(PALETTEENTRY* pDstPal, int nFirst, int nLast, int nLevel, BYTE bRed, BYTE bGreen, BYTE bBlue,
                   const PALETTEENTRY* pSrcPal);

// pDstPal becomes pSrcPal (the arrays may be the same) with entries nFirst..nLast rotated by
// nCount places: nDirection 0 toward higher indices, 1 toward lower ones, other values only copy.
// Only at 8, 16 and 32 bpp; otherwise nothing happens. A range outside 0..255 or a negative count
// only copies; a count beyond the range length is taken modulo that length.
void DDRotatePalette(PALETTEENTRY* pDstPal, int nFirst, int nLast, int nCount, int nDirection,
                     const PALETTEENTRY* pSrcPal);

// DirectDraw at 16 or 32 bpp: lpDstSD becomes lpSrcSD mixed with the colour (nLevel as for
// DDFadePalette), pixel by pixel over the area both pictures cover. 0 when a lock fails, else 1.
// Direct3D: a trace line and 1.
BOOL DDFade_UnPal(DDSURFACEDATA* lpDstSD, int nLevel, BYTE bRed, BYTE bGreen, BYTE bBlue, DDSURFACEDATA* lpSrcSD);
