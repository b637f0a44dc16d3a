// A view of the pixels behind a device context: a DIB section selected into a memory DC, or a
// DirectDraw surface while its DC is out. GDI drawing (blits here, text in the font code) reads
// and writes pixels through it.
//
// Colour conversion, the same for every GDI operation:
// - reading: palette index -> its colour-table entry; masked 16/32-bit channels scaled to 0..255
//   with rounding (v x 255 / max); 24-bit -> its B, G, R bytes;
// - writing: each 0..255 component truncated into its channel (c >> 3 for 5 bits, c >> 2 for 6),
//   so 8-bit colours reach a 565 surface as (r >> 3, g >> 2, b >> 3); the fourth byte of a 32-bit
//   pixel is 0; at 8 bits the nearest palette entry (NearestPaletteIndex).
#pragma once

#include <array>
#include <cstddef>

#include "platform/gdi/ChannelMask.h"
#include "platform/gdi/GdiTypes.h"

struct PixelView {
    BYTE* top = nullptr;         // first byte of the top row
    std::ptrdiff_t rowStep = 0;  // bytes from a row to the one below it (negative: stored bottom-up)
    int width = 0;
    int height = 0;
    int bitCount = 0;                    // 1, 4, 8, 16, 24 or 32
    ChannelMask red, green, blue;        // 16 and 32 bits
    std::array<RGBQUAD, 256> palette{};  // 1, 4 and 8 bits: the colours of the indices
    int paletteCount = 0;

    BYTE* Row(int y) const { return top + rowStep * y; }
    bool Contains(int x, int y) const { return x >= 0 && y >= 0 && x < width && y < height; }
    // True when WriteXRGB can store into this view (8, 16, 24 and 32 bits).
    bool IsWritable() const
    {
        return top != nullptr && (bitCount == 8 || bitCount == 16 || bitCount == 24 || bitCount == 32);
    }
};

// The colour at (x, y), which must lie inside the view, as 0x00RRGGBB.
DWORD ReadXRGB(const PixelView& view, int x, int y);
// Stores a 0x00RRGGBB colour at (x, y) inside a writable view (conversion in the file comment).
void WriteXRGB(const PixelView& view, int x, int y, DWORD xrgb);
// The raw pixel value a 0x00RRGGBB colour becomes in the view (palette index at 8 bits).
DWORD XRGBToRaw(const PixelView& view, DWORD xrgb);
// Stores a raw value (palette index, 16-, 24- or 32-bit value) at (x, y) inside a writable view.
void WriteRaw(const PixelView& view, int x, int y, DWORD raw);

// The palette index for a colour: an exact match first (the lowest such index), else the entry
// at the least squared RGB distance, the lowest index on ties. count 0 gives 0.
int NearestPaletteIndex(const RGBQUAD* palette, int count, DWORD xrgb);
