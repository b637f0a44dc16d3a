#include "graphics/Pixel16.h"

#include "graphics/BackEnd.h"

namespace {

DWORD Channel(DWORD value, DWORD shift, DWORD max)
{
    return (value >> shift) & max;
}

}  // namespace

WORD DDTextureToScreen16(WORD wTexel)
{
    const CHANNELINFO& s = SurfaceChannels;
    const CHANNELINFO& d = ScreenChannels;
    const DWORD r = Channel(wTexel, s.dwShiftR, s.dwMaxR);
    const DWORD g = Channel(wTexel, s.dwShiftG, s.dwMaxG);
    const DWORD b = Channel(wTexel, s.dwShiftB, s.dwMaxB);
    return static_cast<WORD>((r << d.dwShiftR) | ((g << 1) << d.dwShiftG) | (b << d.dwShiftB));
}

WORD DDColorTo16(D3DCOLOR dwColor, bool bFullScreenBackBuffer)
{
    const CHANNELINFO& s = SurfaceChannels;
    const DWORD r = ((dwColor >> 16) & 0xFF) * s.dwMaxR / 255;
    const DWORD g = ((dwColor >> 8) & 0xFF) * s.dwMaxG / 255;
    const DWORD b = (dwColor & 0xFF) * s.dwMaxB / 255;
    if (bFullScreenBackBuffer) {
        const CHANNELINFO& d = ScreenChannels;
        return static_cast<WORD>((r << d.dwShiftR) | ((g << 1) << d.dwShiftG) | (b << d.dwShiftB));
    }
    const DWORD a = (dwColor >> 24) >= 128 ? (s.dwMaxA & 1) : 0;
    return static_cast<WORD>((r << s.dwShiftR) | (g << s.dwShiftG) | (b << s.dwShiftB) | (a << s.dwShiftA));
}
