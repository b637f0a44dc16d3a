// The pixel loops behind Blt, BltFast and colour fills, on raw surface memory of 1, 2 or 4
// bytes per pixel. Rectangles are already checked and clipped by the caller.
#pragma once

#include "platform/ddraw/DDrawTypes.h"

struct PixelBlock {
    BYTE* base = nullptr;   // pixel (0, 0)
    LONG pitch = 0;         // bytes per row
    int bytesPerPixel = 1;  // 1, 2 or 4

    BYTE* At(int x, int y) const { return base + static_cast<std::ptrdiff_t>(y) * pitch + x * bytesPerPixel; }
};

// Source colour key: a source pixel p with low <= (p & mask) <= high is not drawn.
struct KeyRange {
    DWORD low = 0;
    DWORD high = 0;
    DWORD mask = 0xFFFFFFFF;
};

// Copies w x h pixels from (sx, sy) of src to (dx, dy) of dst, skipping keyed pixels when key is
// given. The two areas must not overlap.
void CopyPixels(const PixelBlock& dst, int dx, int dy, const PixelBlock& src, int sx, int sy, int w, int h,
                const KeyRange* key);

// Nearest-neighbour copy of srcRect onto dstRect, drawing only the part of dstRect inside clip:
// destination column dstRect.left + i takes source column srcRect.left + floor(i x srcW / dstW),
// rows alike. The two areas must not overlap.
void StretchPixels(const PixelBlock& dst, const RECT& dstRect, const RECT& clip, const PixelBlock& src,
                   const RECT& srcRect, const KeyRange* key);

// Writes value (its low bytesPerPixel bytes) into every pixel of r.
void FillPixels(const PixelBlock& dst, const RECT& r, DWORD value);
