// Clipping of blit rectangles, and the pre-mirrored slots under Direct3D.
//
// A rectangle that reaches out of the target on one side is shortened on that side, and the source
// rectangle with it (in proportion when the blit stretches), so those pixels stay in place. A
// source rectangle that starts before its picture (negative sx or sy) is cut to start at 0 while
// the target keeps its position: the picture's first column or row is drawn at x or y, not where
// the unclipped blit would have put it. Games are drawn with that placement, so it stays.
// Arithmetic runs in 64 bits so that sizes from game data cannot overflow.
#include <climits>
#include <cstdint>

#include "graphics/BackEnd.h"
#include "graphics/Blit.h"

namespace {

using Int64 = std::int64_t;

// One axis of a blit: target position and length, source position and length.
struct Axis {
    Int64 pos;
    Int64 len;
    Int64 srcPos;
    Int64 srcLen;
};

// Same size: cut at both ends of the source (the start without moving the target), then at both
// ends of the target (the source following).
bool ClipSameSize(Axis& a, Int64 targetSize, Int64 sourceSize)
{
    if (a.srcPos < 0) {
        a.len += a.srcPos;
        a.srcPos = 0;
    }
    if (a.srcPos + a.len > sourceSize) a.len = sourceSize - a.srcPos;
    if (a.pos < 0) {
        a.srcPos -= a.pos;
        a.len += a.pos;
        a.pos = 0;
    }
    if (a.pos + a.len > targetSize) a.len = targetSize - a.pos;
    a.srcLen = a.len;
    return a.len > 0;
}

// Stretched, source side: the source rectangle is cut to the picture; the target keeps its
// position and its length shrinks in proportion, truncated. A negative source length (Direct3D
// mirroring) shows the source's high end at the target's left.
bool ClipStretchedSource(Axis& a, Int64 sourceSize)
{
    const bool mirrored = a.srcLen < 0;
    const Int64 length = mirrored ? -a.srcLen : a.srcLen;
    const Int64 low = mirrored ? a.srcPos + a.srcLen : a.srcPos;
    const Int64 high = low + length;
    const Int64 clippedLow = low < 0 ? 0 : low;
    const Int64 clippedHigh = high > sourceSize ? sourceSize : high;
    if (clippedHigh <= clippedLow) return false;
    const Int64 remaining = clippedHigh - clippedLow;
    a.len = a.len * remaining / length;
    if (mirrored) {
        a.srcPos = clippedHigh;
        a.srcLen = -remaining;
    } else {
        a.srcPos = clippedLow;
        a.srcLen = remaining;
    }
    return true;
}

// Stretched, target side (DirectDraw, which cannot draw outside its surfaces): the source follows
// the cut target in proportion, truncated.
bool ClipStretchedTarget(Axis& a, Int64 targetSize)
{
    if (a.len <= 0) return false;
    if (a.pos < 0) {
        if (a.pos + a.len <= 0) return false;
        const Int64 cut = -a.pos * a.srcLen / a.len;
        a.srcPos += cut;
        a.srcLen -= cut;
        a.len += a.pos;
        a.pos = 0;
    }
    if (a.pos + a.len > targetSize) {
        if (a.pos >= targetSize) return false;
        a.srcLen = (targetSize - a.pos) * a.srcLen / a.len;
        a.len = targetSize - a.pos;
    }
    return true;
}

bool FitsInt(const Axis& a)
{
    auto fits = [](Int64 v) { return v >= INT_MIN && v <= INT_MAX; };
    return fits(a.pos) && fits(a.len) && fits(a.srcPos) && fits(a.srcLen);
}

bool ClipAxis(Axis& a, Int64 targetSize, Int64 sourceSize, bool bSameSize, bool bDirect3D)
{
    if (bSameSize) return ClipSameSize(a, targetSize, sourceSize);
    if (!ClipStretchedSource(a, sourceSize)) return false;
    if (!bDirect3D && !ClipStretchedTarget(a, targetSize)) return false;
    return a.len > 0 && a.srcLen != 0;
}

// A rectangle of a mirrored frame of width nFrame as the reversed rectangle of the same frame on
// the shared texture: a whole frame starts one frame further on; a part of a frame starts at the
// mirror image of its left edge. Values that would leave the int range are left alone.
void MirrorAxis(int nFrame, int* pos, int* len)
{
    if (nFrame <= 0 || *len > nFrame || *len == INT_MIN) return;
    const Int64 p = *pos;
    const Int64 mirrored = *len == nFrame ? p + nFrame : p + nFrame - 2 * (p % nFrame);
    if (mirrored < INT_MIN || mirrored > INT_MAX) return;
    *pos = static_cast<int>(mirrored);
    *len = -*len;
}

}  // namespace

BOOL DDClipBltRect(DDSURFACEDATA* lpDst, int* x, int* y, int* nWidth, int* nHeight, DDSURFACEDATA* lpSrc, int* sx,
                   int* sy, int* nSrcWidth, int* nSrcHeight)
{
    if (lpDst == nullptr || lpSrc == nullptr) return FALSE;
    if (*nWidth <= 0 || *nHeight <= 0 || *nSrcWidth == 0 || *nSrcHeight == 0) return FALSE;
    const bool bDirect3D = lpDTCon != nullptr;
    // DirectDraw mirrors only through the pre-mirrored slots; an inverted source draws nothing.
    if (!bDirect3D && (*nSrcWidth < 0 || *nSrcHeight < 0)) return FALSE;
    Axis h{*x, *nWidth, *sx, *nSrcWidth};
    Axis v{*y, *nHeight, *sy, *nSrcHeight};
    const bool bSameSize = *nSrcWidth == *nWidth && *nSrcHeight == *nHeight;
    if (!ClipAxis(h, lpDst->nWidth, lpSrc->nWidth, bSameSize, bDirect3D)) return FALSE;
    if (!ClipAxis(v, lpDst->nHeight, lpSrc->nHeight, bSameSize, bDirect3D)) return FALSE;
    if (!FitsInt(h) || !FitsInt(v)) return FALSE;
    *x = static_cast<int>(h.pos);
    *nWidth = static_cast<int>(h.len);
    *sx = static_cast<int>(h.srcPos);
    *nSrcWidth = static_cast<int>(h.srcLen);
    *y = static_cast<int>(v.pos);
    *nHeight = static_cast<int>(v.len);
    *sy = static_cast<int>(v.srcPos);
    *nSrcHeight = static_cast<int>(v.srcLen);
    return TRUE;
}

void DDMirrorSrcRect(DDSURFACEDATA* lpSrc, int* sx, int* sy, int* nSrcWidth, int* nSrcHeight)
{
    if (!lpDTCon || lpSrc == nullptr || lpSrc->lpShareSD == nullptr) return;
    MirrorAxis(lpSrc->nMirrorW, sx, nSrcWidth);
    MirrorAxis(lpSrc->nMirrorH, sy, nSrcHeight);
}
