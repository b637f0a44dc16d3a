// GDI handles, structures and constants: device contexts, DIB sections, colour tables.
//
// Handles are opaque values checked against a table of live objects (GdiHandles.h): a stale or
// foreign handle makes a call fail instead of touching freed memory.
#pragma once

#include "platform/win/WinTypes.h"

using HGDIOBJ = void*;
struct HDC__;
using HDC = HDC__*;
struct HBITMAP__;
using HBITMAP = HBITMAP__*;
struct HFONT__;
using HFONT = HFONT__*;

// One colour-table entry of a DIB, bytes in file order.
struct RGBQUAD {
    BYTE rgbBlue = 0;
    BYTE rgbGreen = 0;
    BYTE rgbRed = 0;
    BYTE rgbReserved = 0;
};

// Three colour bytes in DIB order (blue first).
struct RGBTRIPLE {
    BYTE rgbtBlue = 0;
    BYTE rgbtGreen = 0;
    BYTE rgbtRed = 0;
};

// One entry of a logical or DirectDraw palette; components 0..255.
struct PALETTEENTRY {
    BYTE peRed = 0;
    BYTE peGreen = 0;
    BYTE peBlue = 0;
    BYTE peFlags = 0;
};

// Palette entry flags (kept, never used for display).
constexpr BYTE PC_RESERVED = 0x01;
constexpr BYTE PC_EXPLICIT = 0x02;
constexpr BYTE PC_NOCOLLAPSE = 0x04;

// The information header of a DIB (40 bytes in a file). biHeight > 0: rows stored bottom-up;
// biHeight < 0: rows stored top-down.
struct BITMAPINFOHEADER {
    DWORD biSize = 0;
    LONG biWidth = 0;
    LONG biHeight = 0;
    WORD biPlanes = 0;
    WORD biBitCount = 0;
    DWORD biCompression = 0;
    DWORD biSizeImage = 0;
    LONG biXPelsPerMeter = 0;
    LONG biYPelsPerMeter = 0;
    DWORD biClrUsed = 0;
    DWORD biClrImportant = 0;
};

constexpr DWORD BI_RGB = 0;
constexpr DWORD BI_RLE8 = 1;
constexpr DWORD BI_RLE4 = 2;
constexpr DWORD BI_BITFIELDS = 3;

// GetObjectA of a bitmap. bmHeight is always positive; bmBits points at the first row stored,
// which is the bottom row of a bottom-up DIB; bmWidthBytes is a multiple of 4.
struct BITMAP {
    LONG bmType = 0;
    LONG bmWidth = 0;
    LONG bmHeight = 0;
    LONG bmWidthBytes = 0;
    WORD bmPlanes = 0;
    WORD bmBitsPixel = 0;
    void* bmBits = nullptr;
};

// GetObjectA of a DIB section: the BITMAP plus the header as loaded (biHeight keeps its sign)
// and the three channel masks (16 and 32 bits per pixel).
struct DIBSECTION {
    BITMAP dsBm;
    BITMAPINFOHEADER dsBmih;
    DWORD dsBitfields[3] = {0, 0, 0};
    HANDLE dshSection = nullptr;
    DWORD dsOffset = 0;
};

// LoadImageA.
constexpr UINT IMAGE_BITMAP = 0;
constexpr UINT LR_DEFAULTCOLOR = 0x00000000;
constexpr UINT LR_LOADFROMFILE = 0x00000010;
constexpr UINT LR_CREATEDIBSECTION = 0x00002000;

// Raster operations: only SRCCOPY is drawn.
constexpr DWORD SRCCOPY = 0x00CC0020;

// GetDeviceCaps indices.
constexpr int HORZRES = 8;
constexpr int VERTRES = 10;
constexpr int BITSPIXEL = 12;
constexpr int PLANES = 14;
