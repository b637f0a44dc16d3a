#include "platform/ddraw/DDrawFormat.h"

DDFormat DDFormat::ForDepth(int bitCount, bool use555)
{
    DDFormat f;
    f.bitCount = bitCount;
    if (bitCount == 8) {
        f.redMask = f.greenMask = f.blueMask = 0;
    } else if (bitCount == 16 && use555) {
        f.redMask = 0x7C00;
        f.greenMask = 0x03E0;
        f.blueMask = 0x001F;
    } else if (bitCount == 16) {
        f.redMask = 0xF800;
        f.greenMask = 0x07E0;
        f.blueMask = 0x001F;
    }
    return f;
}

DDPIXELFORMAT DDFormat::ToPixelFormat() const
{
    DDPIXELFORMAT pf;
    pf.dwFlags = bitCount == 8 ? (DDPF_RGB | DDPF_PALETTEINDEXED8) : DDPF_RGB;
    pf.dwRGBBitCount = static_cast<DWORD>(bitCount);
    pf.dwRBitMask = redMask;
    pf.dwGBitMask = greenMask;
    pf.dwBBitMask = blueMask;
    return pf;
}

DWORD DDFormat::ToXRGB(DWORD raw) const
{
    if (bitCount == 32) return raw & 0x00FFFFFF;
    return (ChannelMask::From(redMask).ReadScaled(raw) << 16) | (ChannelMask::From(greenMask).ReadScaled(raw) << 8) |
           ChannelMask::From(blueMask).ReadScaled(raw);
}
