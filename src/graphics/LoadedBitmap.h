// A bitmap file loaded as a DIB section for the loaders (surfaces, palette, transparent colour).
// Owns the bitmap handle; rows are read top to bottom whatever the file's row order.
#pragma once

#include "platform/gdi/GdiTypes.h"

class cLoadedBitmap {
public:
    cLoadedBitmap() = default;
    ~cLoadedBitmap();
    cLoadedBitmap(const cLoadedBitmap&) = delete;
    cLoadedBitmap& operator=(const cLoadedBitmap&) = delete;

    // Loads a bitmap file (game path) with LoadImageA. False when it is missing or not a bitmap.
    bool Load(const char* szPath);

    HBITMAP Handle() const { return m_hBitmap; }
    int Width() const { return m_ds.dsBm.bmWidth; }
    int Height() const { return m_ds.dsBm.bmHeight; }
    int BitCount() const { return m_ds.dsBm.bmBitsPixel; }
    // The first byte of row y (0 = top row); y must lie inside the picture.
    const BYTE* Row(int y) const;
    // Pixel (x, y): the palette index (1, 4 and 8 bits) or the raw 16/24/32-bit value.
    DWORD RawPixel(int x, int y) const;
    // Pixel (x, y) as 0x00RRGGBB (through the colour table at 8 bits or less).
    DWORD PixelXRGB(int x, int y) const;
    // Up to 256 colour-table entries (GetDIBColorTable); the number copied (0 above 8 bits).
    UINT ColorTable(RGBQUAD* pTable, UINT nEntries) const;

private:
    HBITMAP m_hBitmap = nullptr;
    DIBSECTION m_ds;
};
