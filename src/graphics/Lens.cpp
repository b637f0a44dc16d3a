// The lens through locked pixel access, in floating point.
#include "graphics/Lens.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "graphics/BackEnd.h"
#include "graphics/EffectPixels.h"
#include "graphics/Pixel16.h"

BOOL DDBltLens(DDSURFACEDATA* lpDstSD, int cx, int cy, int nRadius, int nDepth, DDSURFACEDATA* lpSrcSD, int scx,
               int scy, int nFlags, BOOL bClear)
{
    if (nDepth < 0 || nRadius < 0) return FALSE;
    const double r = nRadius, depth = nDepth;
    const long long F = static_cast<long long>(std::sqrt(r * r + depth * depth));
    if (F <= nDepth) return FALSE;
    if (lpDstSD == nullptr || lpSrcSD == nullptr || (!lpDTCon && !lpDDCon)) return FALSE;
    cEffectLocks locks(lpDstSD, lpSrcSD);
    if (!locks.IsLocked()) return FALSE;
    const int nBpp = nScreenBpp;
    if (nBpp != 16 && nBpp != 32 && !(lpDDCon && nBpp == 8)) return TRUE;
    const bool bClearing = bClear && lpDTCon && nBpp == 32;
    const bool bKeyed = !(lpDTCon && nBpp == 16) || nFlags == 1;
    const bool bScreen = lpDTCon && nBpp == 16 && DDIsFullScreenBackBuffer(locks.Dst().Surface());
    const DDSURFACEDATA* dst = locks.Dst().Surface();
    const long long r2 = static_cast<long long>(nRadius) * nRadius;
    // Only the part of the square inside the destination is visited.
    const long long j0 = std::max<long long>(-nRadius, -static_cast<long long>(cy));
    const long long j1 = std::min<long long>(nRadius, static_cast<long long>(dst->nHeight) - 1 - cy);
    const long long i0 = std::max<long long>(-nRadius, -static_cast<long long>(cx));
    const long long i1 = std::min<long long>(nRadius, static_cast<long long>(dst->nWidth) - 1 - cx);
    for (long long j = j0; j <= j1; ++j) {
        for (long long i = i0; i <= i1; ++i) {
            const int dx = static_cast<int>(cx + i), dy = static_cast<int>(cy + j);
            const long long d2 = i * i + j * j;
            auto clear = [&] {
                if (bClearing) locks.Dst().Write(dx, dy, 0);
            };
            if (d2 > r2) {
                clear();
                continue;
            }
            const double Z = std::sqrt(static_cast<double>(F * F - d2));
            long long ox = i, oy = j;
            if (Z != 0) {
                ox = static_cast<long long>(static_cast<double>(i * nDepth) / Z + 0.5);
                oy = static_cast<long long>(static_cast<double>(j * nDepth) / Z + 0.5);
            }
            const long long u = scx + ox, v = scy + oy;
            if (u < INT32_MIN || u > INT32_MAX || v < INT32_MIN || v > INT32_MAX ||
                !locks.SrcInside(static_cast<int>(u), static_cast<int>(v))) {
                clear();
                continue;
            }
            const DWORD p = locks.Src().Read(static_cast<int>(u), static_cast<int>(v));
            if (bKeyed && DDEffectIsTransparent(p, nBpp)) {
                clear();
                continue;
            }
            locks.Dst().Write(dx, dy, bScreen ? DDTextureToScreen16(static_cast<WORD>(p)) : p);
        }
    }
    return TRUE;
}
