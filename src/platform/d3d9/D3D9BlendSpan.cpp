#include "platform/d3d9/D3D9BlendSpan.h"

#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif
#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
#include <immintrin.h>
#define QB_BLEND_AVX2 1
#endif

#include "platform/d3d9/D3D9PixelPipeline.h"

namespace {

#if defined(__SSE2__)
// Two pixels widened to 16-bit lanes: s x a + d x (255 - a) + 127, divided by 255 exactly
// ((t + 1 + (t >> 8)) >> 8; t stays below 65535).
inline __m128i LerpLanes(__m128i s, __m128i d)
{
    const __m128i a = _mm_shufflehi_epi16(_mm_shufflelo_epi16(s, 0xFF), 0xFF);
    const __m128i na = _mm_sub_epi16(_mm_set1_epi16(255), a);
    __m128i t = _mm_add_epi16(_mm_mullo_epi16(s, a), _mm_mullo_epi16(d, na));
    t = _mm_add_epi16(t, _mm_set1_epi16(127));
    t = _mm_add_epi16(t, _mm_add_epi16(_mm_set1_epi16(1), _mm_srli_epi16(t, 8)));
    return _mm_srli_epi16(t, 8);
}

// The same with the source part s x a + 127 already made (sa) and 255 - a in every lane (na).
inline __m128i LerpLanesFixed(__m128i sa, __m128i na, __m128i d)
{
    __m128i t = _mm_add_epi16(sa, _mm_mullo_epi16(d, na));
    t = _mm_add_epi16(t, _mm_add_epi16(_mm_set1_epi16(1), _mm_srli_epi16(t, 8)));
    return _mm_srli_epi16(t, 8);
}
#endif

#if defined(__SSE2__)
// Four texels over four pixels; x holds the fourth byte to set in every result (0 or 0xFF000000).
template <bool kKeepClear>
inline void BlendFour(BYTE* dst, const BYTE* texels, __m128i x)
{
    const __m128i zero = _mm_setzero_si128();
    const __m128i alpha = _mm_set1_epi32(static_cast<int>(0xFF000000u));
    const __m128i s = _mm_loadu_si128(reinterpret_cast<const __m128i*>(texels));
    const __m128i d = _mm_loadu_si128(reinterpret_cast<const __m128i*>(dst));
    const __m128i sAlpha = _mm_and_si128(s, alpha);
    const __m128i opaque = _mm_cmpeq_epi32(sAlpha, alpha);
    const __m128i clear = _mm_cmpeq_epi32(sAlpha, zero);
    if (_mm_movemask_epi8(_mm_or_si128(opaque, clear)) == 0xFFFF) {
        // Keyed pictures: every alpha is 0 or 255, where the blend gives d or s exactly.
        const __m128i under = kKeepClear ? d : _mm_or_si128(d, x);
        const __m128i out = _mm_or_si128(_mm_and_si128(opaque, _mm_or_si128(s, x)), _mm_andnot_si128(opaque, under));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(dst), out);
        return;
    }
    const __m128i lo = LerpLanes(_mm_unpacklo_epi8(s, zero), _mm_unpacklo_epi8(d, zero));
    const __m128i hi = LerpLanes(_mm_unpackhi_epi8(s, zero), _mm_unpackhi_epi8(d, zero));
    __m128i out = _mm_or_si128(_mm_packus_epi16(lo, hi), x);
    if constexpr (kKeepClear) out = _mm_or_si128(_mm_and_si128(clear, d), _mm_andnot_si128(clear, out));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(dst), out);
}

// Eight texels of alpha 0 or 255 selected over eight pixels, as BlendFour does them; false
// (nothing written) when a texel has another alpha.
template <bool kKeepClear>
inline bool SelectEight(BYTE* dst, const BYTE* texels, __m128i x)
{
    const __m128i zero = _mm_setzero_si128();
    const __m128i alpha = _mm_set1_epi32(static_cast<int>(0xFF000000u));
    const __m128i s0 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(texels));
    const __m128i s1 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(texels + 16));
    const __m128i a0 = _mm_and_si128(s0, alpha), a1 = _mm_and_si128(s1, alpha);
    const __m128i opaque0 = _mm_cmpeq_epi32(a0, alpha), opaque1 = _mm_cmpeq_epi32(a1, alpha);
    const __m128i keyed = _mm_and_si128(_mm_or_si128(opaque0, _mm_cmpeq_epi32(a0, zero)),
                                        _mm_or_si128(opaque1, _mm_cmpeq_epi32(a1, zero)));
    if (_mm_movemask_epi8(keyed) != 0xFFFF) return false;
    const __m128i d0 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(dst));
    const __m128i d1 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(dst + 16));
    const __m128i under0 = kKeepClear ? d0 : _mm_or_si128(d0, x);
    const __m128i under1 = kKeepClear ? d1 : _mm_or_si128(d1, x);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(dst),
                     _mm_or_si128(_mm_and_si128(opaque0, _mm_or_si128(s0, x)), _mm_andnot_si128(opaque0, under0)));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(dst + 16),
                     _mm_or_si128(_mm_and_si128(opaque1, _mm_or_si128(s1, x)), _mm_andnot_si128(opaque1, under1)));
    return true;
}
#endif

// True when all n values have alpha 255 (their fourth byte already holds any X bits).
bool AllOpaque(const BYTE* texels, std::size_t n)
{
    std::size_t i = 0;
#if defined(__SSE2__)
    const __m128i alpha = _mm_set1_epi32(static_cast<int>(0xFF000000u));
    for (; i + 8 <= n; i += 8) {
        const __m128i s0 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(texels + i * 4));
        const __m128i s1 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(texels + i * 4 + 16));
        if (_mm_movemask_epi8(_mm_cmpeq_epi32(_mm_and_si128(_mm_and_si128(s0, s1), alpha), alpha)) != 0xFFFF)
            return false;
    }
#endif
    for (; i < n; ++i)
        if (texels[i * 4 + 3] != 0xFF) return false;
    return true;
}

#if defined(QB_BLEND_AVX2)
// Sixteen texels of alpha 0 or 255 selected over sixteen pixels, as SelectEight does them, with
// the processor's 256-bit registers; false (nothing written) when a texel has another alpha.
template <bool kKeepClear>
__attribute__((target("avx2"))) inline bool SelectSixteen(BYTE* dst, const BYTE* texels, __m256i x)
{
    const __m256i alpha = _mm256_set1_epi32(static_cast<int>(0xFF000000u));
    const __m256i zero = _mm256_setzero_si256();
    const __m256i s0 = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(texels));
    const __m256i s1 = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(texels + 32));
    const __m256i a0 = _mm256_and_si256(s0, alpha), a1 = _mm256_and_si256(s1, alpha);
    const __m256i opaque0 = _mm256_cmpeq_epi32(a0, alpha), opaque1 = _mm256_cmpeq_epi32(a1, alpha);
    const __m256i keyed = _mm256_and_si256(_mm256_or_si256(opaque0, _mm256_cmpeq_epi32(a0, zero)),
                                           _mm256_or_si256(opaque1, _mm256_cmpeq_epi32(a1, zero)));
    if (_mm256_movemask_epi8(keyed) != -1) return false;
    const __m256i d0 = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(dst));
    const __m256i d1 = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(dst + 32));
    const __m256i under0 = kKeepClear ? d0 : _mm256_or_si256(d0, x);
    const __m256i under1 = kKeepClear ? d1 : _mm256_or_si256(d1, x);
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(dst), _mm256_blendv_epi8(under0, _mm256_or_si256(s0, x), opaque0));
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(dst + 32),
                        _mm256_blendv_epi8(under1, _mm256_or_si256(s1, x), opaque1));
    return true;
}

// The keyed part of BlendOver32 on processors with AVX2: whole groups of sixteen texels; returns
// how many values it has done (the rest is left to the caller).
template <bool kKeepClear>
__attribute__((target("avx2"))) std::size_t BlendSixteens(BYTE* dst, const BYTE* texels, std::size_t n,
                                                          std::uint32_t xMask)
{
    const __m256i x = _mm256_set1_epi32(static_cast<int>(xMask));
    const __m128i x4 = _mm_set1_epi32(static_cast<int>(xMask));
    std::size_t i = 0;
    for (; i + 16 <= n; i += 16) {
        if (SelectSixteen<kKeepClear>(dst + i * 4, texels + i * 4, x)) continue;
        for (std::size_t k = 0; k < 16; k += 4) BlendFour<kKeepClear>(dst + (i + k) * 4, texels + (i + k) * 4, x4);
    }
    return i;
}

bool HasAvx2()
{
    static const bool has = __builtin_cpu_supports("avx2") != 0;
    return has;
}
#endif

// The blend loop of both span functions; with kKeepClear a value of alpha 0 leaves its pixel
// exactly as it was (the per-pixel pipeline's rule), else its fourth byte takes setX as well.
// A row of opaque values (an opaque picture) is their copy, made by the library's block copy.
template <bool kKeepClear>
void BlendOver32(BYTE* dst, const BYTE* texels, std::size_t n, bool setX)
{
    if (AllOpaque(texels, n)) {
        std::memmove(dst, texels, n * 4);
        return;
    }
    const std::uint32_t xMask = setX ? 0xFF000000u : 0u;
    std::size_t i = 0;
#if defined(QB_BLEND_AVX2)
    if (HasAvx2()) i = BlendSixteens<kKeepClear>(dst, texels, n, xMask);
#endif
#if defined(__SSE2__)
    const __m128i x = _mm_set1_epi32(static_cast<int>(xMask));
    for (; i + 8 <= n; i += 8) {
        if (SelectEight<kKeepClear>(dst + i * 4, texels + i * 4, x)) continue;
        BlendFour<kKeepClear>(dst + i * 4, texels + i * 4, x);
        BlendFour<kKeepClear>(dst + i * 4 + 16, texels + i * 4 + 16, x);
    }
    for (; i + 4 <= n; i += 4) BlendFour<kKeepClear>(dst + i * 4, texels + i * 4, x);
#endif
    for (; i < n; ++i) {
        std::uint32_t s;
        std::memcpy(&s, texels + i * 4, 4);
        const std::uint32_t a = s >> 24;
        if (kKeepClear && a == 0) continue;
        std::uint32_t out = s;
        if (a != 255) {
            std::uint32_t d;
            std::memcpy(&d, dst + i * 4, 4);
            out = a == 0 ? d : D3D9PixelPipeline::Lerp(s, d, a);
        }
        out |= xMask;
        std::memcpy(dst + i * 4, &out, 4);
    }
}

}  // namespace

void D3D9BlendTexelsOver32(BYTE* dst, const BYTE* texels, std::size_t n, bool setX)
{
    BlendOver32<false>(dst, texels, n, setX);
}

void D3D9BlendFragmentsOver32(BYTE* dst, const std::uint32_t* fragments, std::size_t n, bool setX)
{
    BlendOver32<true>(dst, reinterpret_cast<const BYTE*>(fragments), n, setX);
}

void D3D9CopyTexels32(BYTE* dst, const BYTE* texels, std::size_t n, bool setX)
{
    if (!setX) {
        std::memmove(dst, texels, n * 4);
        return;
    }
    for (std::size_t i = 0; i < n; ++i) {
        std::uint32_t v;
        std::memcpy(&v, texels + i * 4, 4);
        v |= 0xFF000000u;
        std::memcpy(dst + i * 4, &v, 4);
    }
}

void D3D9BlendColourOver32(BYTE* dst, std::uint32_t colour, std::size_t n, bool setX)
{
    const std::uint32_t a = colour >> 24;
    if (a == 0) return;  // every pixel stays exactly as it is, its fourth byte too
    if (a == 255) {
        D3D9FillColour32(dst, colour, n, setX);
        return;
    }
    const std::uint32_t xMask = setX ? 0xFF000000u : 0u;
    std::size_t i = 0;
#if defined(__SSE2__)
    const __m128i zero = _mm_setzero_si128();
    const __m128i x = _mm_set1_epi32(static_cast<int>(xMask));
    const __m128i s = _mm_unpacklo_epi8(_mm_set1_epi32(static_cast<int>(colour)), zero);
    const __m128i av = _mm_set1_epi16(static_cast<short>(a));
    const __m128i sa = _mm_add_epi16(_mm_mullo_epi16(s, av), _mm_set1_epi16(127));
    const __m128i na = _mm_set1_epi16(static_cast<short>(255 - a));
    for (; i + 4 <= n; i += 4) {
        const __m128i d = _mm_loadu_si128(reinterpret_cast<const __m128i*>(dst + i * 4));
        const __m128i lo = LerpLanesFixed(sa, na, _mm_unpacklo_epi8(d, zero));
        const __m128i hi = LerpLanesFixed(sa, na, _mm_unpackhi_epi8(d, zero));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(dst + i * 4), _mm_or_si128(_mm_packus_epi16(lo, hi), x));
    }
#endif
    for (; i < n; ++i) {
        std::uint32_t d;
        std::memcpy(&d, dst + i * 4, 4);
        const std::uint32_t out = D3D9PixelPipeline::Lerp(colour, d, a) | xMask;
        std::memcpy(dst + i * 4, &out, 4);
    }
}

void D3D9FillColour32(BYTE* dst, std::uint32_t colour, std::size_t n, bool setX)
{
    const std::uint32_t v = setX ? colour | 0xFF000000u : colour;
    for (std::size_t i = 0; i < n; ++i) std::memcpy(dst + i * 4, &v, 4);
}
