// Small fixed-pitch text drawn from a character sheet: 16 cells per row, cell (c mod 16, c / 16)
// for byte c, half-width katakana moved up into rows 0-1 and 8-9. Its one user is the timing
// overlay of the frame limiter. Game thread.
#pragma once

#include "graphics/DDSurfaceData.h"

// Draws szText at x, y on lpDst, one nCellWidth x nCellHeight cell of lpSheet per byte, keyed.
// "\n" starts a new line one cell lower at x; a line also wraps when its width reaches the screen
// width. Under Direct3D the cells are drawn in one unsorted sprite batch.
void DDTextOutAscii(DDSURFACEDATA* lpDst, int x, int y, int nCellWidth, int nCellHeight, DDSURFACEDATA* lpSheet,
                    const char* szText);
// printf-style text (at most 255 bytes) through DDTextOutAscii.
void DDPrintfAscii(DDSURFACEDATA* lpDst, int x, int y, int nCellWidth, int nCellHeight, DDSURFACEDATA* lpSheet,
                   const char* szFormat, ...) __attribute__((format(printf, 7, 8)));
