// The pixel formats of DirectDraw surfaces: 8-bit palettised, 16-bit R5G6B5 or X1R5G5B5, 32-bit
// X8R8G8B8 (the fourth byte has no meaning).
#pragma once

#include "platform/ddraw/DDrawTypes.h"
#include "platform/gdi/ChannelMask.h"

struct DDFormat {
    int bitCount = 32;
    DWORD redMask = 0x00FF0000;
    DWORD greenMask = 0x0000FF00;
    DWORD blueMask = 0x000000FF;

    // The format of a display depth (8, 16 or 32); 16 bits give 565, or 555 when use555.
    static DDFormat ForDepth(int bitCount, bool use555);
    static bool IsSupportedDepth(DWORD bitCount) { return bitCount == 8 || bitCount == 16 || bitCount == 32; }

    int BytesPerPixel() const { return bitCount / 8; }
    // Bytes per row of a new surface: width x bytes rounded up to 16, plus 16 more, so that code
    // that takes the width for the pitch shows its fault in every test.
    LONG PitchFor(int width) const { return ((width * BytesPerPixel() + 15) & ~15) + 16; }
    // The bits of a raw pixel that take part in colour-key compares and colour conversion.
    DWORD ValueMask() const { return bitCount == 8 ? 0xFFu : bitCount == 16 ? 0xFFFFu : 0x00FFFFFFu; }
    DDPIXELFORMAT ToPixelFormat() const;
    // A 16/32-bit raw pixel as 0x00RRGGBB (channels scaled with rounding, v x 255 / max).
    DWORD ToXRGB(DWORD raw) const;

    bool operator==(const DDFormat& o) const
    {
        return bitCount == o.bitCount && redMask == o.redMask && greenMask == o.greenMask && blueMask == o.blueMask;
    }
};
