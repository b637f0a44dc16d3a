// One colour channel of a masked pixel format (16-bit 565/555, 32-bit XRGB, BMP bit fields):
// reading a channel out as 0..255 and placing a 0..255 value into it.
// Used by the BMP decoder, the GDI blits and the DirectDraw stand-in.
#pragma once

#include "platform/win/WinTypes.h"

struct ChannelMask {
    DWORD mask = 0;  // the channel's bits in the pixel
    int shift = 0;   // zero bits below the lowest set bit
    int bits = 0;    // number of set bits (0 for an empty mask)
    DWORD max = 0;   // mask >> shift

    // Describes mask; an empty mask gives a channel that always reads 0.
    static ChannelMask From(DWORD mask)
    {
        ChannelMask c;
        c.mask = mask;
        if (mask == 0) return c;
        while (((mask >> c.shift) & 1u) == 0) ++c.shift;
        c.max = mask >> c.shift;
        while (c.bits < 32 && ((c.max >> c.bits) & 1u) != 0) ++c.bits;
        return c;
    }

    // True when the set bits form one run (or there are none).
    bool IsContiguous() const { return mask == 0 || (static_cast<ULONGLONG>(max) + 1 == (1ull << bits)); }

    // The channel of a pixel scaled to 0..255 with rounding: v x 255 / max.
    DWORD ReadScaled(DWORD pixel) const
    {
        if (max == 0) return 0;
        const ULONGLONG v = (pixel & mask) >> shift;
        if (max == 255) return static_cast<DWORD>(v);
        return static_cast<DWORD>((v * 255 + max / 2) / max);
    }

    // An 8-bit component placed into the channel by truncation: the top bits of c are kept
    // (c >> 3 for a 5-bit channel, c >> 2 for 6 bits); a channel wider than 8 bits gets c
    // shifted up.
    DWORD PlaceTruncated(DWORD c) const
    {
        if (bits == 0) return 0;
        const DWORD v = bits <= 8 ? (c & 0xFF) >> (8 - bits) : (c & 0xFF) << (bits - 8);
        return (v << shift) & mask;
    }
};
