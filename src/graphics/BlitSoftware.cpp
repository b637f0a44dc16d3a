// The Direct3D software blit: pixels copied through locks, for targets that are not render
// targets and for sources in system memory.
#include <algorithm>
#include <climits>
#include <optional>
#include <vector>

#include "graphics/BackEnd.h"
#include "graphics/DrawInternal.h"
#include "graphics/LockSD.h"
#include "graphics/Pixel16.h"

namespace {

constexpr int kUnused = INT_MIN;

// Offsets into the source of target steps first .. end - 1 along one axis, kUnused for steps that
// fall outside the source rectangle. Same size: step i reads i. Stretched: step i reads
// trunc(i x srcLen / len) (single precision); a negative source length reads leftwards from the
// origin, so that step 0 takes the pixel just before it, as the mirrored quad does.
std::vector<int> SourceOffsets(int first, int end, int len, int srcLen)
{
    std::vector<int> offsets(static_cast<std::size_t>(std::max(end - first, 0)), kUnused);
    const float scale = static_cast<float>(srcLen) / static_cast<float>(len);
    for (int i = first; i < end; ++i) {
        int o = i;
        if (srcLen != len) {
            o = static_cast<int>(static_cast<float>(i) * scale);
            if (srcLen > 0) {
                if (o < 0 || o >= srcLen) continue;
            } else {
                if (o <= srcLen || o >= 1) continue;
                o -= 1;
            }
        }
        offsets[static_cast<std::size_t>(i - first)] = o;
    }
    return offsets;
}

bool IsTransparent(DWORD pixel, int nBpp)
{
    if (nBpp == 32) return (pixel >> 24) == 0;
    // Transparent at 16 bits only when both bit 15 (alpha) and bit 13 are clear: a texel with
    // bit 13 set is drawn whatever its alpha bit, as the games drawn on this path expect.
    if (nBpp == 16) return (pixel & 0xA000) == 0;
    return false;
}

}  // namespace

BOOL DDStretchBltLocked(DDSURFACEDATA* lpDst, int x, int y, int nWidth, int nHeight, DDSURFACEDATA* lpSrc, int sx,
                        int sy, int nSrcWidth, int nSrcHeight, int nFlags)
{
    if (lpDst == nullptr || lpSrc == nullptr) return FALSE;
    if (nWidth <= 0 || nHeight <= 0 || nSrcWidth == 0 || nSrcHeight == 0) return TRUE;
    cLockSD target(lpDst, nScreenBpp);
    if (!target.IsLocked()) return FALSE;
    std::optional<cLockSD> ownSource;
    if (lpSrc != lpDst) ownSource.emplace(lpSrc, nScreenBpp);
    const cLockSD& source = ownSource ? *ownSource : target;
    if (!source.IsLocked()) return FALSE;

    const DDSURFACEDATA& dst = *target.Surface();
    const DDSURFACEDATA& src = *source.Surface();
    // Only the steps that land inside the target are walked.
    const int firstCol = std::max(0, -x);
    const int endCol = static_cast<int>(std::min<long long>(nWidth, static_cast<long long>(dst.nWidth) - x));
    const int firstRow = std::max(0, -y);
    const int endRow = static_cast<int>(std::min<long long>(nHeight, static_cast<long long>(dst.nHeight) - y));
    if (firstCol >= endCol || firstRow >= endRow) return TRUE;
    const std::vector<int> cols = SourceOffsets(firstCol, endCol, nWidth, nSrcWidth);
    const std::vector<int> rows = SourceOffsets(firstRow, endRow, nHeight, nSrcHeight);
    const bool bKeyed = nFlags == 1;
    const bool bToScreen16 = nScreenBpp == 16 && DDIsFullScreenBackBuffer(&dst);

    for (int r = firstRow; r < endRow; ++r) {
        const int ro = rows[static_cast<std::size_t>(r - firstRow)];
        if (ro == kUnused) continue;
        const long long srcRow = static_cast<long long>(sy) + ro;
        if (srcRow < 0 || srcRow >= src.nHeight) continue;
        for (int c = firstCol; c < endCol; ++c) {
            const int co = cols[static_cast<std::size_t>(c - firstCol)];
            if (co == kUnused) continue;
            const long long srcCol = static_cast<long long>(sx) + co;
            if (srcCol < 0 || srcCol >= src.nWidth) continue;
            DWORD pixel = source.Read(static_cast<int>(srcCol), static_cast<int>(srcRow));
            if (bKeyed && IsTransparent(pixel, nScreenBpp)) continue;
            if (bToScreen16) pixel = DDTextureToScreen16(static_cast<WORD>(pixel));
            target.Write(x + c, y + r, pixel);
        }
    }
    return TRUE;
}
