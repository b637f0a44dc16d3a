// GDI text: fonts (CreateFontA), the text colour and background mode of a DC, TextOutA and
// GetTextExtentPoint32A on Shift-JIS bytes.
//
// Called by the graphics engine's fonts under DirectDraw, on the game thread, with the DC of a
// DirectDraw surface (8, 16 or 32 bits) or of a memory DC. Glyphs come from FontFace (FontFace.h):
// monochrome, so that colour-keyed compositing leaves no fringe colours; every ink pixel is the
// text colour converted to the DC's format as PixelView.h describes (at 8 bits the nearest entry
// of the palette the surface draws with, which for an off-screen surface is the primary's).
#pragma once

#include "platform/gdi/GdiTypes.h"

// Background modes.
constexpr int TRANSPARENT = 1;  // only the glyphs' ink is written
constexpr int OPAQUE = 2;       // the text's box is first filled with white (the default mode)

// Character sets (accepted; every font reads code page 932).
constexpr DWORD ANSI_CHARSET = 0;
constexpr DWORD DEFAULT_CHARSET = 1;
constexpr DWORD SHIFTJIS_CHARSET = 128;

// Weights.
constexpr int FW_DONTCARE = 0;
constexpr int FW_NORMAL = 400;
constexpr int FW_BOLD = 700;

// Precision, quality and pitch values the calls pass (all drawn the same way).
constexpr DWORD OUT_DEFAULT_PRECIS = 0;
constexpr DWORD CLIP_DEFAULT_PRECIS = 0;
constexpr DWORD DEFAULT_QUALITY = 0;
constexpr DWORD NONANTIALIASED_QUALITY = 3;
constexpr DWORD DEFAULT_PITCH = 0;
constexpr DWORD FIXED_PITCH = 1;
constexpr DWORD VARIABLE_PITCH = 2;
constexpr DWORD FF_DONTCARE = 0;

// SetTextColor's answer for a bad DC.
constexpr COLORREF CLR_INVALID = 0xFFFFFFFF;

// A font for pszFaceName (Shift-JIS; null or "" gives the standard Japanese Gothic face).
// cHeight > 0: cell height in pixels (ascent + descent); < 0: character (em) height; 0: 16.
// cWeight steers the choice of font file (FW_NORMAL, FW_BOLD). The width, angles, italic,
// underline, strike-out, character set, precision, quality and pitch are accepted and not used.
// Freed by DeleteObject. Never null.
HFONT CreateFontA(int cHeight, int cWidth, int cEscapement, int cOrientation, int cWeight, DWORD bItalic,
                  DWORD bUnderline, DWORD bStrikeOut, DWORD iCharSet, DWORD iOutPrecision, DWORD iClipPrecision,
                  DWORD iQuality, DWORD iPitchAndFamily, const char* pszFaceName);

// TRANSPARENT or OPAQUE; returns the previous mode, 0 for a bad DC or mode.
int SetBkMode(HDC hdc, int mode);
// Returns the previous colour (black at first), CLR_INVALID for a bad DC.
COLORREF SetTextColor(HDC hdc, COLORREF color);

// Draws c bytes of Shift-JIS text with the cell's top-left corner at (x, y) (TA_TOP | TA_LEFT),
// in the DC's font (selected with SelectObject; the default font when none is), clipped to the
// DC's pixels. A lone lead byte or a character no font has draws the default glyph. FALSE for a
// bad DC, a DC without writable pixels, c < 0 or a null string with c > 0.
BOOL TextOutA(HDC hdc, int x, int y, const char* lpString, int c);

// The size c bytes of text take in the DC's font: the sum of the glyph advances by the cell
// height. FALSE for a bad DC, c < 0, a null string with c > 0 or a null size.
BOOL GetTextExtentPoint32A(HDC hdc, const char* lpString, int c, SIZE* psizl);
