// The lens through locked pixel access, in floating point.
//
// Each destination pixel (cx + i, cy + j) of the disc reads the source pixel (scx + ox, scy + oy),
// ox = round(i x depth / Z) and oy = round(j x depth / Z) with Z = sqrt(F^2 - i^2 - j^2) (ox = i,
// oy = j where Z is 0; round adds 0.5 and truncates). The square roots and quotients of a run of
// pixels are worked out together first (two at a time with SSE2, the same IEEE operations as one
// at a time), then the run is copied pixel by pixel in the order of the plain loop.
#include "graphics/Lens.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "graphics/BackEnd.h"
#include "graphics/EffectPixels.h"
#include "graphics/Pixel16.h"

namespace {

// Pixels of one row worked out at a time (the quotient arrays live on the stack).
constexpr int kRun = 64;

// What every pixel of one call shares.
struct LensJob {
    int cx, cy, scx, scy;
    long long nDepth;
    long long F2;  // F x F
    long long r2;  // radius x radius
    bool bClearing, bKeyed, bScreen;
    EffectKey key;
};

// The quotients of one run of a row: for pixel k, z[k] = Z (0 on the rim of the sphere),
// qx[k] = i x depth / Z and qy[k] = j x depth / Z (meaningless where Z is 0 or the pixel lies
// outside the disc).
struct LensRun {
    double z[kRun];
    double qx[kRun];
    double qy[kRun];
};

// Fills run for the pixels i = iFirst .. iFirst + n - 1 of row j (n <= kRun).
void WorkOutRun(const LensJob& job, long long j, long long iFirst, int n, LensRun& run)
{
    double num[kRun];
    const double jNum = static_cast<double>(j * job.nDepth);
    for (int k = 0; k < n; ++k) {
        const long long i = iFirst + k;
        const long long d2 = i * i + j * j;
        // Outside the disc the root is of no use; 1 keeps the arithmetic quiet.
        run.z[k] = d2 > job.r2 ? 1.0 : static_cast<double>(job.F2 - d2);
        num[k] = static_cast<double>(i * job.nDepth);
    }
    int k = 0;
#if defined(__SSE2__)
    const __m128d jn = _mm_set1_pd(jNum);
    for (; k + 2 <= n; k += 2) {
        const __m128d z = _mm_sqrt_pd(_mm_loadu_pd(run.z + k));
        _mm_storeu_pd(run.z + k, z);
        _mm_storeu_pd(run.qx + k, _mm_div_pd(_mm_loadu_pd(num + k), z));
        _mm_storeu_pd(run.qy + k, _mm_div_pd(jn, z));
    }
#endif
    for (; k < n; ++k) {
        run.z[k] = std::sqrt(run.z[k]);
        run.qx[k] = num[k] / run.z[k];
        run.qy[k] = jNum / run.z[k];
    }
}

// Copies the pixels of one run of row j into the destination row, in the order of i.
template <typename T>
void CopyRun(const LensJob& job, const cEffectLocks& locks, long long j, long long iFirst, int n, const LensRun& run)
{
    BYTE* dstRow = DDEffectRow(locks.Dst(), job.cy + j);
    const DDSURFACEDATA* src = locks.Src().Surface();
    for (int k = 0; k < n; ++k) {
        const long long i = iFirst + k;
        const long long dx = job.cx + i;
        auto clear = [&] {
            if (job.bClearing) DDStorePixel<T>(dstRow, dx, 0);
        };
        if (i * i + j * j > job.r2) {
            clear();
            continue;
        }
        long long ox = i, oy = j;
        if (run.z[k] != 0) {
            ox = static_cast<long long>(run.qx[k] + 0.5);
            oy = static_cast<long long>(run.qy[k] + 0.5);
        }
        const long long u = job.scx + ox, v = job.scy + oy;
        if (u < 0 || v < 0 || u >= src->nWidth || v >= src->nHeight) {
            clear();
            continue;
        }
        const DWORD p = DDLoadPixel<T>(DDEffectRow(locks.Src(), v), u);
        if (job.bKeyed && job.key.IsTransparent(p)) {
            clear();
            continue;
        }
        DDStorePixel<T>(dstRow, dx, job.bScreen ? DDTextureToScreen16(static_cast<WORD>(p)) : p);
    }
}

template <typename T>
void LensRows(const LensJob& job, const cEffectLocks& locks, long long j0, long long j1, long long i0, long long i1)
{
    LensRun run;
    for (long long j = j0; j <= j1; ++j)
        for (long long i = i0; i <= i1; i += kRun) {
            const int n = static_cast<int>(std::min<long long>(kRun, i1 - i + 1));
            WorkOutRun(job, j, i, n, run);
            CopyRun<T>(job, locks, j, i, n, run);
        }
}

}  // namespace

BOOL DDBltLens(DDSURFACEDATA* lpDstSD, int cx, int cy, int nRadius, int nDepth, DDSURFACEDATA* lpSrcSD, int scx,
               int scy, int nFlags, BOOL bClear)
{
    if (nDepth < 0 || nRadius < 0) return FALSE;
    const double r = nRadius, depth = nDepth;
    const long long F = static_cast<long long>(std::sqrt(r * r + depth * depth));
    if (F <= nDepth) return FALSE;
    if (lpDstSD == nullptr || lpSrcSD == nullptr || (!lpDTCon && !lpDDCon)) return FALSE;
    const RECT area = DDEffectArea(static_cast<long long>(cx) - nRadius, static_cast<long long>(cy) - nRadius,
                                   2LL * nRadius + 1, 2LL * nRadius + 1);
    cEffectLocks locks(lpDstSD, lpSrcSD, &area);
    if (!locks.IsLocked()) return FALSE;
    const int nBpp = nScreenBpp;
    if (nBpp != 16 && nBpp != 32 && !(lpDDCon && nBpp == 8)) return TRUE;
    LensJob job;
    job.cx = cx, job.cy = cy, job.scx = scx, job.scy = scy;
    job.nDepth = nDepth;
    job.F2 = F * F;
    job.r2 = static_cast<long long>(nRadius) * nRadius;
    job.bClearing = bClear && lpDTCon && nBpp == 32;
    job.bKeyed = !(lpDTCon && nBpp == 16) || nFlags == 1;
    job.bScreen = lpDTCon && nBpp == 16 && DDIsFullScreenBackBuffer(locks.Dst().Surface());
    job.key = DDEffectKey(nBpp);
    const DDSURFACEDATA* dst = locks.Dst().Surface();
    // Only the part of the square inside the destination is visited.
    const long long j0 = std::max<long long>(-nRadius, -static_cast<long long>(cy));
    const long long j1 = std::min<long long>(nRadius, static_cast<long long>(dst->nHeight) - 1 - cy);
    const long long i0 = std::max<long long>(-nRadius, -static_cast<long long>(cx));
    const long long i1 = std::min<long long>(nRadius, static_cast<long long>(dst->nWidth) - 1 - cx);
    if (nBpp == 8)
        LensRows<BYTE>(job, locks, j0, j1, i0, i1);
    else if (nBpp == 16)
        LensRows<WORD>(job, locks, j0, j1, i0, i1);
    else
        LensRows<DWORD>(job, locks, j0, j1, i0, i1);
    return TRUE;
}
