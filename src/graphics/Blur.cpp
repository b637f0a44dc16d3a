// The blur filter through locked pixel access. The window sums come from running sums over the
// rectangle, so the cost does not grow with the radius.
#include "graphics/Blur.h"

#include <algorithm>
#include <vector>

#include "core/ReportLog.h"
#include "core/TextHelpers.h"
#include "graphics/BackEnd.h"
#include "graphics/EffectPixels.h"

namespace {

// Running sums over the rectangle: entry (i, j) holds the sums of all counted pixels of columns
// < i and rows < j, in 64 bits so that no picture size overflows them.
class cBlurSums {
public:
    cBlurSums(const cLockSD& src, int sx, int sy, int nWidth, int nHeight, int nFlags)
        : m_nStride(static_cast<size_t>(nWidth) + 1), m_sums(m_nStride * (static_cast<size_t>(nHeight) + 1))
    {
        for (int j = 0; j < nHeight; ++j) {
            Sum row{};
            for (int i = 0; i < nWidth; ++i) {
                const DWORD p = src.Read(sx + i, sy + j);
                if (!(nFlags == 1 && DDEffectIsTransparent(p, nScreenBpp))) {
                    const EffectRgb c = DDEffectSplit(p);
                    row.r += c.r, row.g += c.g, row.b += c.b, ++row.n;
                }
                const Sum& above = At(i + 1, j);
                At(i + 1, j + 1) = {above.r + row.r, above.g + row.g, above.b + row.b, above.n + row.n};
            }
        }
    }

    // The average over columns i0 .. i1 - 1 and rows j0 .. j1 - 1; false when nothing counted.
    bool Average(int i0, int j0, int i1, int j1, EffectRgb* out) const
    {
        const Sum &a = At(i1, j1), &b = At(i0, j1), &c = At(i1, j0), &d = At(i0, j0);
        const unsigned long long n = a.n - b.n - c.n + d.n;
        if (n == 0) return false;
        out->r = static_cast<DWORD>((a.r - b.r - c.r + d.r) / n);
        out->g = static_cast<DWORD>((a.g - b.g - c.g + d.g) / n);
        out->b = static_cast<DWORD>((a.b - b.b - c.b + d.b) / n);
        return true;
    }

private:
    struct Sum {
        unsigned long long r = 0, g = 0, b = 0, n = 0;
    };
    Sum& At(int i, int j) { return m_sums[static_cast<size_t>(j) * m_nStride + static_cast<size_t>(i)]; }
    const Sum& At(int i, int j) const { return m_sums[static_cast<size_t>(j) * m_nStride + static_cast<size_t>(i)]; }

    size_t m_nStride;
    std::vector<Sum> m_sums;
};

}  // namespace

BOOL DDBlur(DDSURFACEDATA* lpDstSD, int x, int y, int nWidth, int nHeight, int nRadiusX, int nRadiusY,
            DDSURFACEDATA* lpSrcSD, int sx, int sy, int nFlags)
{
    if (nRadiusX <= 0 || nRadiusY <= 0) return TRUE;
    if (lpDstSD == nullptr || lpSrcSD == nullptr || (!lpDTCon && !lpDDCon)) return FALSE;
    cEffectLocks locks(lpDstSD, lpSrcSD);
    if (!locks.IsLocked()) return FALSE;
    if (nScreenBpp == 8) {
        static const std::string kText = Sjis("8ビットぼかしは不可能！");
        ECLogF("%s", kText.c_str());
        return TRUE;
    }
    if (nScreenBpp != 16 && nScreenBpp != 32) return TRUE;
    const DDSURFACEDATA* src = locks.Src().Surface();
    if (!DDClipToSource(&x, &y, &nWidth, &nHeight, &sx, &sy, src->nWidth, src->nHeight)) return TRUE;
    const cBlurSums sums(locks.Src(), sx, sy, nWidth, nHeight, nFlags);
    const bool bScreen = DDIsFullScreenBackBuffer(locks.Dst().Surface()) != FALSE;
    for (int j = 0; j < nHeight; ++j) {
        for (int i = 0; i < nWidth; ++i) {
            const int dx = x + i, dy = y + j;
            if (!locks.DstInside(dx, dy)) continue;
            if (nFlags == 1 && DDEffectIsTransparent(locks.Src().Read(sx + i, sy + j), nScreenBpp)) continue;
            const int i0 = static_cast<int>(std::max(0LL, static_cast<long long>(i) - nRadiusX));
            const int j0 = static_cast<int>(std::max(0LL, static_cast<long long>(j) - nRadiusY));
            const int i1 = static_cast<int>(std::min(static_cast<long long>(nWidth), static_cast<long long>(i) + nRadiusX));
            const int j1 = static_cast<int>(std::min(static_cast<long long>(nHeight), static_cast<long long>(j) + nRadiusY));
            EffectRgb avg;
            if (!sums.Average(i0, j0, i1, j1, &avg)) continue;
            locks.Dst().Write(dx, dy, DDEffectJoin(avg, locks.Dst().Read(dx, dy), bScreen));
        }
    }
    return TRUE;
}
