#include "platform/d3d9/D3D9TriangleSpan.h"

#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

// The texel at (col, row), both inside the texture. kRaw32: an A8R8G8B8 texture, read as stored.
template <bool kRaw32>
std::uint32_t Fetch(const D3D9PixelBuffer& texture, int col, int row)
{
    if constexpr (kRaw32) {
        std::uint32_t texel;
        std::memcpy(&texel, texture.Row(static_cast<UINT>(row)) + static_cast<std::size_t>(col) * 4, 4);
        return texel;
    } else {
        return texture.ReadARGB(static_cast<UINT>(col), static_cast<UINT>(row));
    }
}

// One pixel, as the rasteriser's pixel-by-pixel walk computes it.
template <bool kRaw32>
std::uint32_t SamplePixel(const D3D9SpanWeights& w, const D3D9PixelBuffer& texture, int x)
{
    double l[3];
    for (int k = 0; k < 3; ++k) l[k] = (w.rowTerm[k] - w.dy[k] * (x - w.ax[k])) / w.area;
    const double u = l[0] * w.u[0] + l[1] * w.u[1] + l[2] * w.u[2];
    const double v = l[0] * w.v[0] + l[1] * w.v[1] + l[2] * w.v[2];
    const int width = static_cast<int>(texture.Width()), height = static_cast<int>(texture.Height());
    return Fetch<kRaw32>(texture, D3D9WrapIndex(u * texture.Width(), width),
                         D3D9WrapIndex(v * texture.Height(), height));
}

#if defined(__SSE2__)
// Pixels x and x + 1. Lanes whose u x width and v x height both lie in [0, size) take the truncated
// value as the index (floor and wrap change nothing there); other lanes go through D3D9WrapIndex.
template <bool kRaw32>
void SamplePair(const D3D9SpanWeights& w, const D3D9PixelBuffer& texture, __m128d x, std::uint32_t* out)
{
    const __m128d area = _mm_set1_pd(w.area);
    __m128d l[3];
    for (int k = 0; k < 3; ++k) {
        const __m128d offset = _mm_sub_pd(x, _mm_set1_pd(w.ax[k]));
        l[k] = _mm_div_pd(_mm_sub_pd(_mm_set1_pd(w.rowTerm[k]), _mm_mul_pd(_mm_set1_pd(w.dy[k]), offset)), area);
    }
    auto weighted = [&](const double* c) {
        const __m128d first = _mm_add_pd(_mm_mul_pd(l[0], _mm_set1_pd(c[0])), _mm_mul_pd(l[1], _mm_set1_pd(c[1])));
        return _mm_add_pd(first, _mm_mul_pd(l[2], _mm_set1_pd(c[2])));
    };
    const __m128d width = _mm_set1_pd(texture.Width()), height = _mm_set1_pd(texture.Height());
    const __m128d tu = _mm_mul_pd(weighted(w.u), width);
    const __m128d tv = _mm_mul_pd(weighted(w.v), height);
    const __m128d zero = _mm_setzero_pd();
    const __m128d inside = _mm_and_pd(_mm_and_pd(_mm_cmpge_pd(tu, zero), _mm_cmplt_pd(tu, width)),
                                      _mm_and_pd(_mm_cmpge_pd(tv, zero), _mm_cmplt_pd(tv, height)));
    const int w0 = static_cast<int>(texture.Width()), h0 = static_cast<int>(texture.Height());
    if (_mm_movemask_pd(inside) == 3) {
        const __m128i cu = _mm_cvttpd_epi32(tu), cv = _mm_cvttpd_epi32(tv);
        out[0] = Fetch<kRaw32>(texture, _mm_cvtsi128_si32(cu), _mm_cvtsi128_si32(cv));
        out[1] =
            Fetch<kRaw32>(texture, _mm_cvtsi128_si32(_mm_srli_si128(cu, 4)), _mm_cvtsi128_si32(_mm_srli_si128(cv, 4)));
        return;
    }
    double us[2], vs[2];
    _mm_storeu_pd(us, tu);
    _mm_storeu_pd(vs, tv);
    for (int i = 0; i < 2; ++i) out[i] = Fetch<kRaw32>(texture, D3D9WrapIndex(us[i], w0), D3D9WrapIndex(vs[i], h0));
}
#endif

template <bool kRaw32>
void SampleSpan(const D3D9SpanWeights& w, const D3D9PixelBuffer& texture, int xa, std::size_t n, std::uint32_t* out)
{
    std::size_t i = 0;
#if defined(__SSE2__)
    __m128d x = _mm_set_pd(static_cast<double>(xa) + 1, static_cast<double>(xa));
    const __m128d two = _mm_set1_pd(2.0);
    for (; i + 2 <= n; i += 2, x = _mm_add_pd(x, two)) SamplePair<kRaw32>(w, texture, x, out + i);
#endif
    for (; i < n; ++i) out[i] = SamplePixel<kRaw32>(w, texture, xa + static_cast<int>(i));
}

}  // namespace

void D3D9SampleSpan(const D3D9SpanWeights& w, const D3D9PixelBuffer* texture, int xa, std::size_t n, std::uint32_t* out)
{
    if (texture == nullptr) {
        for (std::size_t i = 0; i < n; ++i) out[i] = 0xFFFFFFFFu;
        return;
    }
    if (texture->Format() == D3DFMT_A8R8G8B8)
        SampleSpan<true>(w, *texture, xa, n, out);
    else
        SampleSpan<false>(w, *texture, xa, n, out);
}
