// The three fonts every screen uses (Font10, Font16, Font32), their definitions, and the strips
// of the digits 0-9 drawn with each for the counters.
//
// Start-up (main thread, inside StartGraphics' createFonts hook) prepares FontInfoTable, then
// creates the fonts and the strips; the shutdown releases them before the back-end closes.
#pragma once

#include "graphics/DDSurfaceData.h"
#include "graphics/Font.h"

constexpr int kFontCount = 3;
enum : int { Font10 = 0, Font16 = 1, Font32 = 2 };

// The fonts, indexed by Font10 / Font16 / Font32.
extern Font FontTable[kFontCount];
// Their definitions: face "ＭＳ ゴシック", heights 9 / 16 / 30, cells 10 / 16 / 32, colour 241,
// skin slot 45, frame 1 in colour 240, alphabet slot 50, cache mode 2 / 2 / 0.
extern FONTINFO FontInfoTable[kFontCount];
// The digit strips (10 cells of the font's cell size holding "0123456789") and their definitions.
extern DDSURFACEDATA NumberSD[kFontCount];
extern DDSURFACEINFO NumberSDInfoTable[kFontCount];

// Prepares the definitions as the start-up does: every face becomes the project's face
// FontFaceName(nFontFace) (a number outside the table gives the default face), and a cache mode
// of 2 becomes nCacheSetting ("D3D_FontCache" under Direct3D, "DD_FontCache" under DirectDraw).
void PrepareFontInfoTable(FONTINFO* lpInfo, int nCount, int nFontFace, int nCacheSetting);
// Font::Create for each of nCount fonts. FALSE when one failed (the program is closing).
BOOL CreateFontTable(Font* lpFonts, const FONTINFO* lpInfo, int nCount);
// For each i: an empty surface of 10 x the cell width by the cell height of font i, then
// MakeNumberSurface. FALSE when a surface cannot be made.
BOOL CreateNumberSurfaces(DDSURFACEDATA* lpSD, const DDSURFACEINFO* lpInfo, int nCount, Font* lpFonts,
                          const FONTINFO* lpFontInfo);
// Clears the strip (palette number 0) and draws "0123456789" at (0, 0) with the font. Also after
// a surface loss.
void MakeNumberSurface(DDSURFACEDATA* lpSD, Font* lpFont);
// Releases the fonts, the digit strips and the fonts' compose surface. Shutdown, before DDRelease.
void ReleaseFontTable();
