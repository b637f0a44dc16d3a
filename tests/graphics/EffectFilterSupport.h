// Shared by the tests of the pixel filters (mosaic, blur, lens, rotation): a letter's colour in
// the channel units of a configuration and back to the raw pixel the filters write.
#pragma once

#include <array>

#include "DrawTestSupport.h"

namespace gfxtest {

using Channels = std::array<DWORD, 3>;

// Bytes at 32 bits; A1R5G5B5 values under Direct3D at 16 bits; R5G6B5 values under DirectDraw.
inline Channels ChannelsOf(const Config& c, char letter)
{
    const std::uint32_t v = ColourOf(letter);
    const DWORD r = (v >> 16) & 0xFF, g = (v >> 8) & 0xFF, b = v & 0xFF;
    if (c.nBpp == 32) return {r, g, b};
    if (c.bDirect3D) return {r >> 3, g >> 3, b >> 3};
    return {r >> 3, g >> 2, b >> 3};
}

// The pixel a filter writes from channels onto a surface other than the full-screen back buffer
// (DirectDraw 32 bits: the fourth byte is masked away by the fixture).
inline DWORD RawOf(const Config& c, const Channels& ch)
{
    if (c.nBpp == 32) return (c.bDirect3D ? 0xFF000000u : 0u) | ch[0] << 16 | ch[1] << 8 | ch[2];
    if (c.bDirect3D) return 0x8000u | ch[0] << 10 | ch[1] << 5 | ch[2];
    return ch[0] << 11 | ch[1] << 5 | ch[2];
}

// The channel maxima of a configuration's 16-bit format (255 at 32 bits).
inline Channels MaximaOf(const Config& c)
{
    if (c.nBpp == 32) return {255, 255, 255};
    if (c.bDirect3D) return {31, 31, 31};
    return {31, 63, 31};
}

}  // namespace gfxtest
