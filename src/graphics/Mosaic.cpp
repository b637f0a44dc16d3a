// The mosaic filter through locked pixel access.
#include "graphics/Mosaic.h"

#include <algorithm>
#include <optional>

#include "graphics/BackEnd.h"
#include "graphics/EffectPixels.h"
#include "graphics/Pixel16.h"

namespace {

struct Block {
    int x0, y0, x1, y1;  // source rectangle of the block, end exclusive
};

// The block's colour as the raw pixel to write (dwOld: a destination pixel, for the kept fourth
// byte); nothing when the block is left out.
std::optional<DWORD> BlockColour(const cLockSD& src, const Block& blk, int nFlags, bool bScreen)
{
    const int nBpp = nScreenBpp;
    const bool bTopLeft = (lpDTCon && nBpp == 16) || (!lpDTCon && nBpp == 8);
    if (bTopLeft) {
        const DWORD p = src.Read(blk.x0, blk.y0);
        if (nFlags == 1 && DDEffectIsTransparent(p, nBpp)) return std::nullopt;
        if (lpDTCon && bScreen) return DDTextureToScreen16(static_cast<WORD>(p));
        return p;
    }
    const bool bUnits255 = !lpDTCon && nBpp == 16;
    const CHANNELINFO& sc = SurfaceChannels;
    auto to255 = [](DWORD v, DWORD dwMax) { return dwMax == 0 ? 0 : v * 255 / dwMax; };
    unsigned long long sr = 0, sg = 0, sb = 0, count = 0;
    for (int v = blk.y0; v < blk.y1; ++v) {
        for (int u = blk.x0; u < blk.x1; ++u) {
            const DWORD p = src.Read(u, v);
            // Direct3D 32 bpp counts only opaque pixels when the key is honoured.
            if (nFlags == 1 && DDEffectIsTransparent(p, nBpp)) continue;
            EffectRgb c = DDEffectSplit(p);
            if (bUnits255) c = {to255(c.r, sc.dwMaxR), to255(c.g, sc.dwMaxG), to255(c.b, sc.dwMaxB)};
            sr += c.r, sg += c.g, sb += c.b, ++count;
        }
    }
    if (count == 0) return std::nullopt;
    EffectRgb avg{static_cast<DWORD>(sr / count), static_cast<DWORD>(sg / count), static_cast<DWORD>(sb / count)};
    if (bUnits255) avg = {avg.r * sc.dwMaxR / 255, avg.g * sc.dwMaxG / 255, avg.b * sc.dwMaxB / 255};
    const DWORD colour = DDEffectJoin(avg, 0, bScreen);
    if (!lpDTCon && nFlags == 1 && DDEffectIsTransparent(colour, nBpp)) return std::nullopt;
    return colour;
}

}  // namespace

BOOL DDMosaic(DDSURFACEDATA* lpDstSD, int x, int y, int nWidth, int nHeight, int nBlock, DDSURFACEDATA* lpSrcSD, int sx,
              int sy, int nFlags)
{
    if (nBlock <= 0) return TRUE;
    if (lpDstSD == nullptr || lpSrcSD == nullptr || (!lpDTCon && !lpDDCon)) return FALSE;
    const RECT area = DDEffectArea(x, y, nWidth, nHeight);
    cEffectLocks locks(lpDstSD, lpSrcSD, &area);
    if (!locks.IsLocked()) return FALSE;
    if (nScreenBpp != 8 && nScreenBpp != 16 && nScreenBpp != 32) return TRUE;
    const DDSURFACEDATA* src = locks.Src().Surface();
    if (!DDClipToSource(&x, &y, &nWidth, &nHeight, &sx, &sy, src->nWidth, src->nHeight)) return TRUE;
    const bool bScreen = DDIsFullScreenBackBuffer(locks.Dst().Surface()) != FALSE;
    const bool bKeepFourth = !lpDTCon && nScreenBpp == 32;
    for (long long by = 0; by < nHeight; by += nBlock) {
        for (long long bx = 0; bx < nWidth; bx += nBlock) {
            const int i0 = static_cast<int>(bx), j0 = static_cast<int>(by);
            const int i1 = static_cast<int>(std::min<long long>(bx + nBlock, nWidth));
            const int j1 = static_cast<int>(std::min<long long>(by + nBlock, nHeight));
            const std::optional<DWORD> colour =
                BlockColour(locks.Src(), Block{sx + i0, sy + j0, sx + i1, sy + j1}, nFlags, bScreen);
            if (!colour) continue;
            for (int j = j0; j < j1; ++j) {
                for (int i = i0; i < i1; ++i) {
                    const int dx = x + i, dy = y + j;
                    if (!locks.DstInside(dx, dy)) continue;
                    const DWORD keep = bKeepFourth ? locks.Dst().Read(dx, dy) & 0xFF000000u : 0;
                    locks.Dst().Write(dx, dy, keep | (bKeepFourth ? *colour & 0xFFFFFFu : *colour));
                }
            }
        }
    }
    return TRUE;
}
