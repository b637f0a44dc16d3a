// The rotation: a textured quad under Direct3D, fixed-point inverse mapping elsewhere.
#include "graphics/Rotation.h"

#include <algorithm>
#include <climits>
#include <cmath>

#include "graphics/BackEnd.h"
#include "graphics/DrawInternal.h"
#include "graphics/EffectPixels.h"
#include "graphics/Pixel16.h"
#include "graphics/QuadDraw.h"

namespace {

// Degrees to radians with pi taken as 3.14159265358979.
constexpr double kDegToRad = 0.017453292519943278;

void BlendStateStages(DWORD) { DDSetQuadStageStates(lpDTCon->dwColorOp, lpDTCon->dwAlphaOp); }

BOOL RotateQuad(DDSURFACEDATA* lpDst, int cx, int cy, int nWidth, int nHeight, int nPivotX, int nPivotY, int nAngle,
                DDSURFACEDATA* lpSrc, const EffectSource& src)
{
    const double a = nAngle * kDegToRad;
    const float s = static_cast<float>(std::sin(a)), c = static_cast<float>(std::cos(a));
    D3D9TLVertex quad[4];
    DDMakeQuad(quad, 0, 0, nWidth, nHeight, src.sx, src.sy, src.nWidth, src.nHeight, lpSrc->nTexWidth,
               lpSrc->nTexHeight, lpDTCon->dwDiffuse);
    const float ox = static_cast<float>(cx) - 0.5f + static_cast<float>(nPivotX - (nWidth >> 1));
    const float oy = static_cast<float>(cy) - 0.5f + static_cast<float>(nPivotY - (nHeight >> 1));
    const float left = static_cast<float>(-nPivotX), right = static_cast<float>(nWidth - nPivotX);
    const float top = static_cast<float>(-nPivotY), bottom = static_cast<float>(nHeight - nPivotY);
    const float corners[4][2] = {{left, top}, {left, bottom}, {right, top}, {right, bottom}};
    for (int k = 0; k < 4; ++k) {
        const float dx = corners[k][0], dy = corners[k][1];
        quad[k].x = ox + dx * c - dy * s;
        quad[k].y = oy + dx * s + dy * c;
    }
    return DDDrawEffectVertices(lpDst, lpSrc, quad, BlendStateStages, 0);
}

long long Shift10(long long v) { return v >> 10; }

BOOL RotateLocked(DDSURFACEDATA* lpDst, int cx, int cy, int nWidth, int nHeight, int nPivotX, int nPivotY,
                  int nAngle, DDSURFACEDATA* lpSrc, const EffectSource& src, int nFlags)
{
    cEffectLocks locks(lpDst, lpSrc);
    if (!locks.IsLocked()) return FALSE;
    const int nBpp = nScreenBpp;
    if (nBpp != 16 && nBpp != 32 && !(lpDDCon && nBpp == 8)) return TRUE;
    if (nWidth <= 0 || nHeight <= 0) return TRUE;
    const double a = nAngle * kDegToRad;
    // Rounded, not truncated: sin 90 x 1024 truncates to 1023, which shifts every other line by a
    // pixel and doubles a row; rounding keeps right angles exact.
    const long long s = std::llround(std::sin(a) * 1024), c = std::llround(std::cos(a) * 1024);
    const long long si = std::llround(std::sin(-a) * 1024), ci = std::llround(std::cos(-a) * 1024);
    const long long px = nPivotX, py = nPivotY;
    long long minX = LLONG_MAX, maxX = LLONG_MIN, minY = LLONG_MAX, maxY = LLONG_MIN;
    for (long long dx : {-px, nWidth - 1 - px}) {
        for (long long dy : {-py, nHeight - 1 - py}) {
            const long long X = px + Shift10(c * dx - s * dy), Y = py + Shift10(s * dx + c * dy);
            minX = std::min(minX, X), maxX = std::max(maxX, X);
            minY = std::min(minY, Y), maxY = std::max(maxY, Y);
        }
    }
    // The box, narrowed to the rows and columns that land inside the destination.
    const DDSURFACEDATA* dst = locks.Dst().Surface();
    const long long x0 = std::max(minX - 2, px - cx), x1 = std::min(maxX + 2, px - cx + dst->nWidth);
    const long long y0 = std::max(minY - 2, py - cy), y1 = std::min(maxY + 2, py - cy + dst->nHeight);
    const DDSURFACEDATA* srcSD = locks.Src().Surface();
    const bool bScreen = lpDTCon && nBpp == 16 && DDIsFullScreenBackBuffer(dst);
    for (long long Y = y0; Y < y1; ++Y) {
        for (long long X = x0; X < x1; ++X) {
            const long long dx = X - px, dy = Y - py;
            const long long u = px + Shift10(ci * dx - si * dy), v = py + Shift10(si * dx + ci * dy);
            if (u < 0 || u >= nWidth || v < 0 || v >= nHeight) continue;
            const long long su = src.Column(static_cast<int>(u)), sv = src.Row(static_cast<int>(v));
            if (su < 0 || sv < 0 || su >= srcSD->nWidth || sv >= srcSD->nHeight) continue;
            const int tx = static_cast<int>(cx + dx), ty = static_cast<int>(cy + dy);
            if (!locks.DstInside(tx, ty)) continue;
            const DWORD p = locks.Src().Read(static_cast<int>(su), static_cast<int>(sv));
            if (nFlags == 1 && DDEffectIsTransparent(p, nBpp)) continue;
            // Texels become pixels of the full-screen back buffer's own format.
            locks.Dst().Write(tx, ty, bScreen ? DDTextureToScreen16(static_cast<WORD>(p)) : p);
        }
    }
    return TRUE;
}

}  // namespace

BOOL DDBltRotate(DDSURFACEDATA* lpDstSD, int cx, int cy, int nWidth, int nHeight, int nPivotX, int nPivotY,
                 int nAngle, DDSURFACEDATA* lpSrcSD, int sx, int sy, int nFlags)
{
    if (lpDTCon) {
        if (lpDstSD == nullptr || lpSrcSD == nullptr) return TRUE;
        const EffectSource src = DDEffectSource(lpSrcSD, sx, sy, nWidth, nHeight);
        DDSURFACEDATA* dst = lpDstSD;
        DDSURFACEDATA* source = lpSrcSD;
        if (DDEffectQuadApplies(&dst, &source))
            return RotateQuad(dst, cx, cy, nWidth, nHeight, nPivotX, nPivotY, nAngle, source, src);
        return RotateLocked(lpDstSD, cx, cy, nWidth, nHeight, nPivotX, nPivotY, nAngle, lpSrcSD, src, nFlags);
    }
    if (!lpDDCon || lpDstSD == nullptr || lpSrcSD == nullptr) return FALSE;
    return RotateLocked(lpDstSD, cx, cy, nWidth, nHeight, nPivotX, nPivotY, nAngle, lpSrcSD,
                        EffectSource{sx, sy, nWidth, nHeight}, nFlags);
}
