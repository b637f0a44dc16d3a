// The blit-composed effects: every piece is a DDBlt or DDStretchBlt inside one sprite batch.
#include "graphics/BlitEffects.h"

#include <algorithm>
#include <cmath>

#include "graphics/BackEnd.h"
#include "graphics/Blit.h"
#include "graphics/SpriteBatch.h"

namespace {

constexpr double kDegToRad = 0.017453292519943295;

// Opens the unsorted sprite batch for one effect and closes it again.
class cEffectBatch {
public:
    cEffectBatch() { DDBeginBatch(0); }
    ~cEffectBatch()
    {
        if (!m_bClosed) DDEndBatch();
    }
    cEffectBatch(const cEffectBatch&) = delete;
    cEffectBatch& operator=(const cEffectBatch&) = delete;
    BOOL Close()
    {
        m_bClosed = true;
        return DDEndBatch();
    }

private:
    bool m_bClosed = false;
};

// A double offset as an int, truncated toward zero and held inside the int range.
int ToOffset(double v)
{
    if (!(v == v)) return 0;
    return static_cast<int>(std::clamp(v, -2147483647.0, 2147483647.0));
}

}  // namespace

void DDBltWave(DDSURFACEDATA* lpDstSD, int x, int y, int nWidth, int nHeight, int nFrequency, double dAmplitude,
               int nPhase, int nBand, DDSURFACEDATA* lpSrcSD, int sx, int sy, int nFlags, BOOL bVertical)
{
    if (nBand <= 0) return;
    cEffectBatch batch;
    const int N = bVertical ? nWidth : nHeight;
    if (N <= 0) return;
    double dStep = 360.0 / N;
    if (nBand > 1) dStep *= nBand;
    double dSum = 0;
    for (long long start = 0; start < N; start += nBand) {
        dSum += dStep;
        const int off = ToOffset(dAmplitude * std::sin((nPhase + dSum) * nFrequency * kDegToRad));
        const int s = static_cast<int>(start);
        const int size = static_cast<int>(std::min<long long>(nBand, N - start));
        if (bVertical)
            DDBlt(lpDstSD, x + s, y + off, size, nHeight, lpSrcSD, sx + s, sy, nFlags);
        else
            DDBlt(lpDstSD, x + off, y + s, nWidth, size, lpSrcSD, sx, sy + s, nFlags);
    }
}

void DDBltSplit(DDSURFACEDATA* lpDstSD, int x, int y, int nWidth, int nHeight, int nBand, int nShift,
                DDSURFACEDATA* lpSrcSD, int sx, int sy, int nFlags, BOOL bVertical)
{
    if (nBand < 0) return;
    if (nBand == 0) {
        DDBlt(lpDstSD, x, y, nWidth, nHeight, lpSrcSD, sx, sy, nFlags);
        return;
    }
    cEffectBatch batch;
    const int n = (bVertical ? nWidth : nHeight) / nBand;
    auto band = [&](int k, int shift) {
        const int at = k * nBand;
        if (bVertical)
            DDBlt(lpDstSD, x + at, y + shift, nBand, nHeight, lpSrcSD, sx + at, sy, nFlags);
        else
            DDBlt(lpDstSD, x + shift, y + at, nWidth, nBand, lpSrcSD, sx, sy + at, nFlags);
    };
    if (n > 1)
        for (int k = 1; k < n; k += 2) band(k, -nShift);
    if (n > 0)
        for (int k = 0; k < n; k += 2) band(k, nShift);
}

void DDBltTurn(DDSURFACEDATA* lpDstSD, int x, int y, int nWidth, int nHeight, DDSURFACEDATA* lpFrontSD, int fx, int fy,
               DDSURFACEDATA* lpBackSD, int bx, int by, int nSrcWidth, int nSrcHeight, int nFlags, int nStep,
               int nDirection)
{
    if (nDirection != 0 && nDirection != 1) return;
    const int size = nDirection == 0 ? nWidth : nHeight;
    // The phase arithmetic divides by half the size.
    if (size < 2) return;
    const long long u = size >> 1, step = nStep;
    const long long v = (step / u) % 2 == 0 ? step % u : u - step % u - 1;
    const bool bBack = ((u + step) / size) % 2 != 0;
    DDSURFACEDATA* face = bBack ? lpBackSD : lpFrontSD;
    const int fsx = bBack ? bx : fx, fsy = bBack ? by : fy;
    const int vv = static_cast<int>(v), narrowed = static_cast<int>(size - 2 * v);
    if (nDirection == 0)
        DDStretchBlt(lpDstSD, x + vv, y, narrowed, nHeight, face, fsx, fsy, nSrcWidth, nSrcHeight, nFlags);
    else
        DDStretchBlt(lpDstSD, x, y + vv, nWidth, narrowed, face, fsx, fsy, nSrcWidth, nSrcHeight, nFlags);
}

void DDBltBurst(DDSURFACEDATA* lpDstSD, int x, int y, int nWidth, int nHeight, DDSURFACEDATA* lpSrcSD, int sx, int sy,
                int nDistance, int nFlags)
{
    cEffectBatch batch;
    const int hw = nWidth >> 1, hh = nHeight >> 1, d = nDistance;
    DDBlt(lpDstSD, x - d, y - d, hw, hh, lpSrcSD, sx, sy, nFlags);
    DDBlt(lpDstSD, x + hw + d, y - d, hw, hh, lpSrcSD, sx + hw, sy, nFlags);
    DDBlt(lpDstSD, x - d, y + hh + d, hw, hh, lpSrcSD, sx, sy + hh, nFlags);
    DDBlt(lpDstSD, x + hw + d, y + hh + d, hw, hh, lpSrcSD, sx + hw, sy + hh, nFlags);
}

int DDBltCircle(DDSURFACEDATA* lpDstSD, int cx, int cy, int nHalfWidth, int nHalfHeight, int nRadius, int nBand,
                DDSURFACEDATA* lpSrcSD, int scx, int scy, int nFlags)
{
    if (nRadius <= 0 || nBand <= 0) return 0;
    if (lpDstSD == nullptr || lpSrcSD == nullptr) return 0;
    // DDStretchBlt redirects a shared record itself and mirrors its frames on the way.
    const long long left = std::max(static_cast<long long>(scx) - nHalfWidth, 0LL);
    const long long right = std::min(static_cast<long long>(scx) + nHalfWidth, static_cast<long long>(lpSrcSD->nWidth));
    const long long r = nRadius;
    cEffectBatch batch;
    // One row (or strip of nRows rows) at i, with its chord taken at distance m from the centre.
    auto strip = [&](long long i, long long m, int nRows) {
        if (m * m > r * r) return;
        long long h = static_cast<long long>(std::sqrt(static_cast<double>(r * r - m * m)));
        if (h >= r) h = r - 1;
        long long s0 = scx - h, d0 = cx - h;
        long long s1 = scx + h;
        if (s0 < left) {
            d0 += left - s0;
            s0 = left;
        }
        if (s1 > right) s1 = right;
        if (s1 <= s0) return;
        const int dx = static_cast<int>(d0), dy = static_cast<int>(cy + i), w = static_cast<int>(s1 - s0);
        const int srcX = static_cast<int>(s0), srcY = static_cast<int>(scy + i);
        if (lpDTCon)
            DDStretchBlt(lpDstSD, dx, dy, w, nRows, lpSrcSD, srcX, srcY, w, nRows, nFlags);
        else
            DDBlt(lpDstSD, dx, dy, w, nRows, lpSrcSD, srcX, srcY, nFlags);
    };
    const long long hh = nHalfHeight;
    // Rows outside the source draw nothing: the loops start at the last source row and end at the
    // first, whatever the sizes say.
    const long long below = static_cast<long long>(lpSrcSD->nHeight) - scy, above = -static_cast<long long>(scy);
    if (nBand == 1) {
        for (long long i = std::min({r - 1, hh - 1, below - 1}); i >= -r; --i) {
            if (i < -hh || i < above) break;
            strip(i, i, 1);
        }
    } else {
        const long long limit = std::min(hh, below);
        long long first = r - nBand;
        if (first >= limit) first -= ((first - limit) / nBand + 1) * nBand;
        for (long long i = first; i >= -r; i -= nBand) {
            if (i + nBand <= -hh || i + nBand <= above) break;
            long long at = i;
            if (at + nBand > hh) at = hh - nBand;
            if (at < -hh) at = -hh;
            strip(at, at + (nBand >> 1), nBand);
        }
    }
    return batch.Close();
}
