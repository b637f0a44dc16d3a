// GDI bitmap calls: BMP files as DIB sections, memory DCs, BitBlt and StretchBlt between DCs
// (memory DCs and DirectDraw surface DCs), and the depth of the screen DC.
//
// Called by the graphics engine's surface loaders and palette code, on the game thread and at
// start-up on the main thread. Colour conversion between depths: see PixelView.h.
#pragma once

#include "platform/gdi/GdiTypes.h"

// Loads a bitmap file as a DIB section: hInst null, uType IMAGE_BITMAP, cx = cy = 0 and
// LR_LOADFROMFILE (LR_CREATEDIBSECTION is implied). szName is a game path. Returns the HBITMAP
// as a HANDLE, or null when the file is missing or not a valid bitmap (BmpFile.h) or the call
// asks for anything else (resources, scaling).
HANDLE LoadImageA(HINSTANCE hInst, const char* szName, UINT uType, int cx, int cy, UINT fuLoad);

// Describes a bitmap: cb >= sizeof(DIBSECTION) gives a DIBSECTION, cb >= sizeof(BITMAP) a
// BITMAP. Returns the bytes written (0 on failure); with pv null, the size of a DIBSECTION.
int GetObjectA(HGDIOBJ h, int cb, void* pv);

// Copies up to cEntries colour-table entries from index iStart of the DIB selected into hdc.
// Tables of 1- and 4-bit DIBs have 2 and 16 entries, of 8-bit DIBs 256 (padded with black).
// Returns the number copied; 0 for a DC without a palettised DIB.
UINT GetDIBColorTable(HDC hdc, UINT iStart, UINT cEntries, RGBQUAD* prgbq);

// A memory DC (hdc is ignored: every memory DC is compatible with every DC here).
HDC CreateCompatibleDC(HDC hdc);
// Selects a bitmap (into a memory DC) or a font; returns the previous one of that kind, or null
// on failure (a bitmap already selected into another DC, a stale handle).
HGDIOBJ SelectObject(HDC hdc, HGDIOBJ h);
// Deletes a bitmap or font; FALSE for a bitmap still selected into a DC or a stale handle.
// Deleting the stock bitmap does nothing and succeeds.
BOOL DeleteObject(HGDIOBJ h);
// Deletes a memory DC; its bitmap is no longer selected. Surface DCs go with ReleaseDC of the
// surface, window DCs with ReleaseDC (hWnd, hdc).
BOOL DeleteDC(HDC hdc);

// Copies cx x cy pixels from (x1, y1) of hdcSrc to (x, y) of hdc with colour conversion, clipped
// to both pictures. rop must be SRCCOPY. FALSE when either DC has no pixels.
BOOL BitBlt(HDC hdc, int x, int y, int cx, int cy, HDC hdcSrc, int x1, int y1, DWORD rop);
// Copies the source rectangle onto the destination rectangle, nearest-neighbour. Each rectangle
// runs from its origin edge over |extent| pixels: to the right (down) for a positive extent, to
// the left (up) for a negative one, covering [x + w, x) then; step k of the destination takes
// step floor(k x |wSrc| / |wDest|) of the source. Different signs thus mirror: StretchBlt(dc,
// x + w, y, -w, h, src, sx, sy, w, h) draws the w columns from sx reversed at x .. x + w - 1.
// Pixels outside either picture are skipped. rop must be SRCCOPY.
BOOL StretchBlt(HDC hdcDest, int xDest, int yDest, int wDest, int hDest, HDC hdcSrc, int xSrc, int ySrc, int wSrc,
                int hSrc, DWORD rop);

// The DC of a window (or of the screen for null): only for GetDeviceCaps. Freed by ReleaseDC.
HDC GetDC(HWND hWnd);
int ReleaseDC(HWND hWnd, HDC hdc);
// BITSPIXEL: the surface's depth for a surface DC, else the desktop's; PLANES: 1; HORZRES and
// VERTRES: the desktop size. Other indices: 0.
int GetDeviceCaps(HDC hdc, int index);
