// The palette and the transparent colour. Colours are named by palette number (0..255) everywhere;
// the palette and the transparent colour both come from the palette bitmap "bmp\plt\Palette.bmp":
// the palette from its colour table (or, for a true-colour bitmap, its pixels), the transparent
// colour from its top-left pixel.
//
// Start-up (main thread) loads them after DDInit; the game thread reads them while drawing.
#pragma once

#include "graphics/DDSurfaceData.h"
#include "platform/gdi/GdiTypes.h"

// The palette read at start-up; palette numbers are converted to colours through it. Entries are
// 0..255, except under DirectDraw at 16 bpp, where an entry read from a true-colour bitmap holds
// the channel values of the screen format (0..31 or 0..63).
extern PALETTEENTRY Palette[256];
// The palette shown: start-up and every start of stage play copy Palette into it; fades and
// palette effects write it; at 8 bpp it is loaded into lpDDPalette.
extern PALETTEENTRY PaletteBackup[256];

// Reads the palette of the bitmap szPath into pPal (256 entries); nBpp is the screen depth. At
// 16, 24 and 32 bpp the pixels are read after the colour table; a picture too small for them
// keeps what the colour table gave. FALSE when the bitmap cannot be loaded (the caller writes
// "DDLoadPaletteFromFile失敗").
BOOL DDLoadPaletteFromFile(PALETTEENTRY* pPal, const char* szPath, int nBpp);
// Fills pPal from a true-colour image of the palette bitmap: entry i from the pixel at column
// i % 16 of row 8 + i / 16. Direct3D skips transparent pixels, and entries whose pixel lies
// outside a picture smaller than 16 x 24 are left as they were. Returns 1; 0 when the picture
// cannot be locked (pPal is then left as it was).
int DDSetPalette_UnPal(PALETTEENTRY* pPal, DDSURFACEDATA* lpSD);

// Takes the transparent colour from the top-left pixel of the bitmap szPath. FALSE when the
// bitmap cannot be loaded or locked (the caller writes "DDSetTransmit失敗").
BOOL SetTrans(const char* szPath);
// Sets the transparent colour. Under Direct3D at 16 bpp the arguments are channel values (0..31).
void DDSetTransmit(BYTE cbRed, BYTE cbGreen, BYTE cbBlue);

// The device colour of a palette number for the fills: Direct3D ARGB (number 0: transparent),
// DirectDraw the raw pixel (8 bpp the number itself). Numbers above 255 give 0.
DWORD PalNumToRGB(DWORD dwPalNum);
// DirectDraw: the 16-bit pixel of a palette entry (channel values); Direct3D: 0.
WORD DDPalToRGB16(const PALETTEENTRY& entry);
