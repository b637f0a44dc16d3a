// The rotation: a textured quad under Direct3D, fixed-point inverse mapping elsewhere.
#include "graphics/Rotation.h"

#include <algorithm>
#include <climits>
#include <cmath>

#include "graphics/BackEnd.h"
#include "graphics/DrawInternal.h"
#include "graphics/EffectPixels.h"
#include "graphics/QuadDraw.h"

namespace {

// Degrees to radians with pi taken as 3.14159265358979.
constexpr double kDegToRad = 0.017453292519943278;

void BlendStateStages(DWORD)
{
    DDSetQuadStageStates(lpDTCon->dwColorOp, lpDTCon->dwAlphaOp);
}

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

// A factor in fixed point with 10 fraction bits, truncated toward zero.
long long Fixed10(double v)
{
    return static_cast<long long>(v * 1024);
}

long long Shift10(long long v)
{
    return v >> 10;
}

// The inverse map of the locked path, pixel by pixel: destination pixel (cx + dx, cy + dy) with
// dx = X - px, dy = Y - py shows image pixel (px + ((ci dx - si dy) >> 10), py + ((si dx + ci dy) >> 10)).
struct RotateJob {
    const cEffectLocks* locks;
    EffectSource src;
    int cx, cy, nWidth, nHeight;
    long long px, py, si, ci;
    long long x0, x1, y0, y1;  // the box of X and Y to walk
    bool bKeyed;
    EffectKey key;
};

// Pixels of T (BYTE, WORD or DWORD). Along a row the products grow by ci and si a step, so they are
// carried from pixel to pixel (whole numbers: the same values as multiplying anew).
template <typename T>
void CopyRotated(const RotateJob& job)
{
    const cLockSD& dst = job.locks->Dst();
    const cLockSD& src = job.locks->Src();
    const DDSURFACEDATA* srcSD = src.Surface();
    for (long long Y = job.y0; Y < job.y1; ++Y) {
        const long long dy = Y - job.py;
        const long long ty = job.cy + dy;
        if (ty < 0 || ty >= dst.Surface()->nHeight) continue;
        BYTE* dstRow = DDEffectRow(dst, ty);
        long long U = job.ci * (job.x0 - job.px) - job.si * dy;
        long long V = job.si * (job.x0 - job.px) + job.ci * dy;
        for (long long X = job.x0; X < job.x1; ++X, U += job.ci, V += job.si) {
            const long long u = job.px + Shift10(U), v = job.py + Shift10(V);
            if (u < 0 || u >= job.nWidth || v < 0 || v >= job.nHeight) continue;
            const long long su = job.src.Column(static_cast<int>(u)), sv = job.src.Row(static_cast<int>(v));
            if (su < 0 || sv < 0 || su >= srcSD->nWidth || sv >= srcSD->nHeight) continue;
            const long long tx = job.cx + (X - job.px);
            if (tx < 0 || tx >= dst.Surface()->nWidth) continue;
            const DWORD p = DDLoadPixel<T>(DDEffectRow(src, sv), su);
            if (job.bKeyed && job.key.IsTransparent(p)) continue;
            // Copied as stored, also into the full-screen back buffer.
            DDStorePixel<T>(dstRow, tx, p);
        }
    }
}

// The key of the locked path: a pixel equal to dwColorKey, on both back-ends (under Direct3D the
// opaque key texel at 16 bits, 0 at 32 bits).
EffectKey ColourKey(int nBpp)
{
    if (!lpDTCon) return DDEffectKey(nBpp);
    return nBpp == 16 ? EffectKey{0xFFFFu, dwColorKey & 0xFFFFu} : EffectKey{0xFFFFFFFFu, dwColorKey};
}

BOOL RotateLocked(DDSURFACEDATA* lpDst, int cx, int cy, int nWidth, int nHeight, int nPivotX, int nPivotY, int nAngle,
                  DDSURFACEDATA* lpSrc, const EffectSource& src, int nFlags)
{
    cEffectLocks locks(lpDst, lpSrc);
    if (!locks.IsLocked()) return FALSE;
    const int nBpp = nScreenBpp;
    if (nBpp != 16 && nBpp != 32 && !(lpDDCon && nBpp == 8)) return TRUE;
    if (nWidth <= 0 || nHeight <= 0) return TRUE;
    const double a = nAngle * kDegToRad;
    // Truncated toward zero (sin 30 degrees gives 511, not 512); right angles stay exact, since
    // the sine of 90 degrees with this constant is 1.0 in double precision.
    const long long s = Fixed10(std::sin(a)), c = Fixed10(std::cos(a));
    const long long si = Fixed10(std::sin(-a)), ci = Fixed10(std::cos(-a));
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
    RotateJob job{&locks,
                  src,
                  cx,
                  cy,
                  nWidth,
                  nHeight,
                  px,
                  py,
                  si,
                  ci,
                  std::max(minX - 2, px - cx),
                  std::min(maxX + 2, px - cx + dst->nWidth),
                  std::max(minY - 2, py - cy),
                  std::min(maxY + 2, py - cy + dst->nHeight),
                  nFlags == 1,
                  ColourKey(nBpp)};
    if (nBpp == 8)
        CopyRotated<BYTE>(job);
    else if (nBpp == 16)
        CopyRotated<WORD>(job);
    else
        CopyRotated<DWORD>(job);
    return TRUE;
}

}  // namespace

BOOL DDBltRotate(DDSURFACEDATA* lpDstSD, int cx, int cy, int nWidth, int nHeight, int nPivotX, int nPivotY, int nAngle,
                 DDSURFACEDATA* lpSrcSD, int sx, int sy, int nFlags)
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
