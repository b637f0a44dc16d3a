// The blur filter through locked pixel access. The source rectangle is first taken as it stands
// (its channels and which pixels count); each destination row is then averaged from column sums
// over the rows of its window, which are kept up to date as the window slides down, and their
// running sums along the row. The cost does not grow with the radius, and besides the copy of the
// rectangle the memory grows with its width only.
#include "graphics/Blur.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "core/ReportLog.h"
#include "core/TextHelpers.h"
#include "graphics/BackEnd.h"
#include "graphics/EffectPixels.h"

namespace {

// A source pixel as the blur counts it: its channels (bytes at 32 bpp, channel values at 16 bpp)
// and n = 1; a transparent pixel of a keyed blur is all zero.
struct BlurSample {
    BYTE r, g, b, n;
};

// Channel sums and the count of counted pixels, in 64 bits so that no picture size overflows them.
struct BlurSums {
    std::uint64_t r, g, b, n;
};

// One blur call after clipping: the rectangle nWidth x nHeight at (sx, sy) of the source is drawn
// at (x, y) of the destination.
struct BlurJob {
    const cLockSD* dst;
    const cLockSD* src;
    int x, y, nWidth, nHeight, nRadiusX, nRadiusY, sx, sy;
    bool bKeyed;
    EffectKey key;
    cEffectChannels channels;
};

// Quotients s / n where s <= 255 n (an average of channels). Up to kMagicLimit the quotient is
// (s x ceil(2^32 / n)) >> 32, which is exact while n^2 < 2^32 / 255; above it s / n.
class cBlurDivider {
public:
    static constexpr std::uint64_t kMagicLimit = 4096;

    // Prepares the multipliers for counts up to nMaxCount.
    explicit cBlurDivider(std::uint64_t nMaxCount)
    {
        const std::uint64_t n = std::min(nMaxCount, kMagicLimit);
        m_magic.resize(static_cast<size_t>(n) + 1);
        for (std::uint64_t k = 1; k <= n; ++k) m_magic[k] = ((std::uint64_t{1} << 32) + k - 1) / k;
    }
    DWORD Divide(std::uint64_t s, std::uint64_t n) const
    {
        if (n < m_magic.size()) return static_cast<DWORD>((s * m_magic[n]) >> 32);
        return static_cast<DWORD>(s / n);
    }

private:
    std::vector<std::uint64_t> m_magic;
};

// The source rectangle as it is before anything is written (the source may be the destination).
template <typename T>
const std::vector<BlurSample>& TakeSource(const BlurJob& job)
{
    static thread_local std::vector<BlurSample> samples;
    const size_t w = static_cast<size_t>(job.nWidth);
    samples.resize(w * static_cast<size_t>(job.nHeight));
    for (int j = 0; j < job.nHeight; ++j) {
        const BYTE* row = DDEffectRow(*job.src, static_cast<long long>(job.sy) + j);
        BlurSample* out = samples.data() + static_cast<size_t>(j) * w;
        for (int i = 0; i < job.nWidth; ++i) {
            const DWORD p = DDLoadPixel<T>(row, static_cast<long long>(job.sx) + i);
            if (job.bKeyed && job.key.IsTransparent(p)) {
                out[i] = BlurSample{0, 0, 0, 0};
                continue;
            }
            const EffectRgb c = job.channels.Split(p);
            out[i] = BlurSample{static_cast<BYTE>(c.r), static_cast<BYTE>(c.g), static_cast<BYTE>(c.b), 1};
        }
    }
    return samples;
}

// columns[i] += in[i] - out[i] for every column (64-bit sums), and with kRunning the running sums
// running[i + 1] = running[i] + columns[i] (running[0] stays 0). SSE2 takes one column in two
// registers where the compiler has it.
template <bool kRunning>
void StepColumns(const BlurSample* in, const BlurSample* out, BlurSums* columns, BlurSums* running, size_t nWidth)
{
#if defined(__SSE2__)
    const __m128i zero = _mm_setzero_si128();
    __m128i run0 = zero, run1 = zero;
    auto widen = [&](const BlurSample* p) {
        std::int32_t bytes;
        std::memcpy(&bytes, p, 4);
        return _mm_unpacklo_epi16(_mm_unpacklo_epi8(_mm_cvtsi32_si128(bytes), zero), zero);
    };
    for (size_t i = 0; i < nWidth; ++i) {
        // The difference of the four channels, -255 .. 255, sign-extended to 64 bits.
        const __m128i d = _mm_sub_epi32(widen(in + i), widen(out + i));
        const __m128i sign = _mm_srai_epi32(d, 31);
        __m128i* c = reinterpret_cast<__m128i*>(columns + i);
        const __m128i c0 = _mm_add_epi64(_mm_loadu_si128(c), _mm_unpacklo_epi32(d, sign));
        const __m128i c1 = _mm_add_epi64(_mm_loadu_si128(c + 1), _mm_unpackhi_epi32(d, sign));
        _mm_storeu_si128(c, c0);
        _mm_storeu_si128(c + 1, c1);
        if constexpr (kRunning) {
            run0 = _mm_add_epi64(run0, c0);
            run1 = _mm_add_epi64(run1, c1);
            __m128i* r = reinterpret_cast<__m128i*>(running + i + 1);
            _mm_storeu_si128(r, run0);
            _mm_storeu_si128(r + 1, run1);
        }
    }
#else
    BlurSums run{0, 0, 0, 0};
    for (size_t i = 0; i < nWidth; ++i) {
        BlurSums& c = columns[i];
        c.r += in[i].r, c.r -= out[i].r;
        c.g += in[i].g, c.g -= out[i].g;
        c.b += in[i].b, c.b -= out[i].b;
        c.n += in[i].n, c.n -= out[i].n;
        if constexpr (kRunning) {
            run.r += c.r, run.g += c.g, run.b += c.b, run.n += c.n;
            running[i + 1] = run;
        }
    }
#endif
}

// Sums of one window of source rows for every column, and their running sums along the row.
class cBlurWindow {
public:
    cBlurWindow(const std::vector<BlurSample>& samples, int nWidth)
        : m_samples(samples), m_nWidth(static_cast<size_t>(nWidth)), m_none(m_nWidth, BlurSample{0, 0, 0, 0}),
          m_columns(m_nWidth, BlurSums{0, 0, 0, 0}), m_running(m_nWidth + 1, BlurSums{0, 0, 0, 0})
    {}

    // Moves the window to rows [j0, j1); both edges only ever move down. Rows enter and leave one
    // at a time; the running sums are made with the last step.
    void Slide(long long j0, long long j1)
    {
        while (m_j1 < j1 || m_j0 < j0) {
            const BlurSample* in = m_j1 < j1 ? Row(m_j1++) : m_none.data();
            const BlurSample* out = m_j0 < j0 ? Row(m_j0++) : m_none.data();
            if (m_j1 < j1 || m_j0 < j0)
                StepColumns<false>(in, out, m_columns.data(), m_running.data(), m_nWidth);
            else
                StepColumns<true>(in, out, m_columns.data(), m_running.data(), m_nWidth);
        }
    }

    // Sums over columns [i0, i1) of the window.
    BlurSums Window(size_t i0, size_t i1) const
    {
        const BlurSums& a = m_running[i1];
        const BlurSums& b = m_running[i0];
        return {a.r - b.r, a.g - b.g, a.b - b.b, a.n - b.n};
    }

private:
    const BlurSample* Row(long long j) const { return m_samples.data() + static_cast<size_t>(j) * m_nWidth; }

    const std::vector<BlurSample>& m_samples;
    size_t m_nWidth;
    std::vector<BlurSample> m_none;  // a row of nothing, for steps where no row enters or leaves
    long long m_j0 = 0;
    long long m_j1 = 0;
    std::vector<BlurSums> m_columns;
    std::vector<BlurSums> m_running;
};

// Pixels of T: WORD at 16 bpp, DWORD at 32 bpp.
template <typename T>
void RunBlur(const BlurJob& job)
{
    cBlurWindow window(TakeSource<T>(job), job.nWidth);
    const std::uint64_t nCols = std::min<std::uint64_t>(static_cast<std::uint64_t>(job.nWidth), 2ull * job.nRadiusX);
    const std::uint64_t nRows = std::min<std::uint64_t>(static_cast<std::uint64_t>(job.nHeight), 2ull * job.nRadiusY);
    const cBlurDivider divider(nCols * nRows);
    const DDSURFACEDATA* dst = job.dst->Surface();
    // Columns of the rectangle that land inside the destination.
    const long long iStart = std::max(0LL, -static_cast<long long>(job.x));
    const long long iEnd = std::min(static_cast<long long>(job.nWidth), static_cast<long long>(dst->nWidth) - job.x);
    for (long long j = 0; j < job.nHeight; ++j) {
        window.Slide(std::max(0LL, j - job.nRadiusY), std::min(static_cast<long long>(job.nHeight), j + job.nRadiusY));
        const long long dy = job.y + j;
        if (dy < 0 || dy >= dst->nHeight) continue;
        BYTE* dstRow = DDEffectRow(*job.dst, dy);
        const BYTE* srcRow = DDEffectRow(*job.src, job.sy + j);
        for (long long i = iStart; i < iEnd; ++i) {
            // Read now, as the pixel stands (an earlier write may have changed it).
            if (job.bKeyed && job.key.IsTransparent(DDLoadPixel<T>(srcRow, job.sx + i))) continue;
            const long long i0 = std::max(0LL, i - job.nRadiusX);
            const long long i1 = std::min(static_cast<long long>(job.nWidth), i + job.nRadiusX);
            const BlurSums sums = window.Window(static_cast<size_t>(i0), static_cast<size_t>(i1));
            if (sums.n == 0) continue;
            const EffectRgb avg{divider.Divide(sums.r, sums.n), divider.Divide(sums.g, sums.n),
                                divider.Divide(sums.b, sums.n)};
            const long long dx = job.x + i;
            DDStorePixel<T>(dstRow, dx, job.channels.Join(avg, DDLoadPixel<T>(dstRow, dx)));
        }
    }
}

}  // namespace

BOOL DDBlur(DDSURFACEDATA* lpDstSD, int x, int y, int nWidth, int nHeight, int nRadiusX, int nRadiusY,
            DDSURFACEDATA* lpSrcSD, int sx, int sy, int nFlags)
{
    if (nRadiusX <= 0 || nRadiusY <= 0) return TRUE;
    if (lpDstSD == nullptr || lpSrcSD == nullptr || (!lpDTCon && !lpDDCon)) return FALSE;
    const RECT area = DDEffectArea(x, y, nWidth, nHeight);
    cEffectLocks locks(lpDstSD, lpSrcSD, &area);
    if (!locks.IsLocked()) return FALSE;
    if (nScreenBpp == 8) {
        static const std::string kText = Sjis("8ビットぼかしは不可能！");
        ECLogF("%s", kText.c_str());
        return TRUE;
    }
    if (nScreenBpp != 16 && nScreenBpp != 32) return TRUE;
    const DDSURFACEDATA* src = locks.Src().Surface();
    if (!DDClipToSource(&x, &y, &nWidth, &nHeight, &sx, &sy, src->nWidth, src->nHeight)) return TRUE;
    const bool bScreen = DDIsFullScreenBackBuffer(locks.Dst().Surface()) != FALSE;
    const BlurJob job{&locks.Dst(),
                      &locks.Src(),
                      x,
                      y,
                      nWidth,
                      nHeight,
                      nRadiusX,
                      nRadiusY,
                      sx,
                      sy,
                      nFlags == 1,
                      DDEffectKey(nScreenBpp),
                      cEffectChannels(bScreen)};
    if (nScreenBpp == 16)
        RunBlur<WORD>(job);
    else
        RunBlur<DWORD>(job);
    return TRUE;
}
