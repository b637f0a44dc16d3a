#include "platform/d3d9/D3D9Rasterizer.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "platform/d3d9/D3D9BlendSpan.h"
#include "platform/d3d9/D3D9TriangleSpan.h"

namespace {

bool Finite(const D3D9TLVertex& v)
{
    return std::isfinite(v.x) && std::isfinite(v.y);
}

// First pixel centre at or after edge e, clamped to [0, limit].
int FirstCentre(double e, int limit)
{
    const double c = std::ceil(e);
    if (c <= 0) return 0;
    if (c >= limit) return limit;
    return static_cast<int>(c);
}

// out[p - first] for the pixels p of [first, last) along one axis: the texel index (wrapped) of
// the texture coordinate start + (p - origin) x step in a texture of `size` texels; 0 for every
// pixel when size is 0 (no texture). The same arithmetic as WrapColumn and WrapRow; SSE2 works out
// two pixels at a time with the same IEEE operations.
void MapAxis(int first, int last, double origin, double start, double step, int size, int* out)
{
    if (size == 0) {
        std::fill(out, out + (last - first), 0);
        return;
    }
    int p = first;
#if defined(__SSE2__)
    const __m128d o = _mm_set1_pd(origin), s = _mm_set1_pd(start), d = _mm_set1_pd(step);
    const __m128d n = _mm_set1_pd(size), zero = _mm_setzero_pd();
    for (; p + 2 <= last; p += 2) {
        const __m128d at = _mm_set_pd(p + 1, p);
        const __m128d t = _mm_mul_pd(_mm_add_pd(s, _mm_mul_pd(_mm_sub_pd(at, o), d)), n);
        // Inside the texture truncation is the floor; anything else goes through the wrap.
        if (_mm_movemask_pd(_mm_and_pd(_mm_cmpge_pd(t, zero), _mm_cmplt_pd(t, n))) == 3) {
            const __m128i i = _mm_cvttpd_epi32(t);
            out[p - first] = _mm_cvtsi128_si32(i);
            out[p + 1 - first] = _mm_cvtsi128_si32(_mm_srli_si128(i, 4));
            continue;
        }
        double both[2];
        _mm_storeu_pd(both, t);
        out[p - first] = D3D9WrapIndex(both[0], size);
        out[p + 1 - first] = D3D9WrapIndex(both[1], size);
    }
#endif
    for (; p < last; ++p) out[p - first] = D3D9WrapIndex((start + (p - origin) * step) * size, size);
}

std::uint32_t Channel(std::uint32_t c, int shift)
{
    return (c >> shift) & 0xFF;
}

}  // namespace

D3D9Rasterizer::D3D9Rasterizer(D3D9PixelBuffer& target, const D3D9PixelBuffer* texture,
                               const D3D9PixelPipeline& pipeline, DWORD cullMode, D3D9RasterScratch& scratch)
    : target_(target), texture_(texture), pipeline_(pipeline), cullMode_(cullMode), columns_(scratch.columns),
      rows_(scratch.rows), fragments_(scratch.fragments)
{}

void D3D9Rasterizer::Draw(D3DPRIMITIVETYPE type, const D3D9TLVertex* v, UINT n)
{
    switch (type) {
    case D3DPT_TRIANGLELIST:
        for (UINT i = 0; i + 2 < n; i += 3) Triangle(v[i], v[i + 1], v[i + 2]);
        break;
    case D3DPT_TRIANGLESTRIP:
        if (n == 4 && TryAxisAlignedQuad(v)) break;
        for (UINT i = 0; i + 2 < n; ++i) {
            // Every second triangle is turned round so that all keep the winding of the first.
            if (i % 2 == 0)
                Triangle(v[i], v[i + 1], v[i + 2]);
            else
                Triangle(v[i + 1], v[i], v[i + 2]);
        }
        break;
    case D3DPT_TRIANGLEFAN:
        for (UINT i = 1; i + 1 < n; ++i) Triangle(v[0], v[i], v[i + 1]);
        break;
    default: break;
    }
}

bool D3D9Rasterizer::Culled(double area) const
{
    // area > 0: clockwise on the screen.
    if (cullMode_ == D3DCULL_CW) return area > 0;
    if (cullMode_ == D3DCULL_CCW) return area < 0;
    return false;
}

std::uint32_t D3D9Rasterizer::Texel(int col, int row) const
{
    if (!texture_) return 0xFFFFFFFFu;
    return texture_->ReadARGB(static_cast<UINT>(col), static_cast<UINT>(row));
}

int D3D9Rasterizer::WrapColumn(double u) const
{
    return texture_ ? D3D9WrapIndex(u * texture_->Width(), static_cast<int>(texture_->Width())) : 0;
}

int D3D9Rasterizer::WrapRow(double v) const
{
    return texture_ ? D3D9WrapIndex(v * texture_->Height(), static_cast<int>(texture_->Height())) : 0;
}

bool D3D9Rasterizer::TryAxisAlignedQuad(const D3D9TLVertex* v)
{
    for (int i = 0; i < 4; ++i)
        if (!Finite(v[i]) || v[i].diffuse != v[0].diffuse) return false;
    // v0 and v3 are opposite corners, v1 and v2 the other two (in either order).
    const D3D9TLVertex& a = v[0];
    const D3D9TLVertex& d = v[3];
    if (a.x == d.x || a.y == d.y) return false;
    const D3D9TLVertex* sameX = nullptr;  // the corner (a.x, d.y)
    const D3D9TLVertex* sameY = nullptr;  // the corner (d.x, a.y)
    for (int i : {1, 2}) {
        if (v[i].x == a.x && v[i].y == d.y) sameX = &v[i];
        if (v[i].x == d.x && v[i].y == a.y) sameY = &v[i];
    }
    if (!sameX || !sameY) return false;
    // u must follow x only and v follow y only, so that the two triangles are one affine map.
    if (sameX->u != a.u || sameY->u != d.u || sameY->v != a.v || sameX->v != d.v) return false;

    const double area = (static_cast<double>(v[1].x) - v[0].x) * (static_cast<double>(v[2].y) - v[0].y) -
                        (static_cast<double>(v[2].x) - v[0].x) * (static_cast<double>(v[1].y) - v[0].y);
    if (Culled(area)) return true;

    const bool aLeft = a.x < d.x;
    const bool aTop = a.y < d.y;
    const double l = aLeft ? a.x : d.x, r = aLeft ? d.x : a.x;
    const double t = aTop ? a.y : d.y, b = aTop ? d.y : a.y;
    const double uL = aLeft ? a.u : d.u, uR = aLeft ? d.u : a.u;
    const double vT = aTop ? a.v : d.v, vB = aTop ? d.v : a.v;

    RectJob job;
    job.x0 = FirstCentre(l, static_cast<int>(target_.Width()));
    job.x1 = FirstCentre(r, static_cast<int>(target_.Width()));
    job.y0 = FirstCentre(t, static_cast<int>(target_.Height()));
    job.y1 = FirstCentre(b, static_cast<int>(target_.Height()));
    job.diffuse = a.diffuse;
    ++fastQuads_;
    if (job.x0 >= job.x1 || job.y0 >= job.y1) return true;

    const int texWidth = texture_ ? static_cast<int>(texture_->Width()) : 0;
    const int texHeight = texture_ ? static_cast<int>(texture_->Height()) : 0;
    columns_.resize(static_cast<std::size_t>(job.x1 - job.x0));
    MapAxis(job.x0, job.x1, l, uL, (uR - uL) / (r - l), texWidth, columns_.data());
    rows_.resize(static_cast<std::size_t>(job.y1 - job.y0));
    MapAxis(job.y0, job.y1, t, vT, (vB - vT) / (b - t), texHeight, rows_.data());

    switch (target_.Format()) {
    case D3DFMT_A8R8G8B8: FillRect<D3DFMT_A8R8G8B8>(job); break;
    case D3DFMT_X8R8G8B8: FillRect<D3DFMT_X8R8G8B8>(job); break;
    case D3DFMT_R5G6B5: FillRect<D3DFMT_R5G6B5>(job); break;
    case D3DFMT_A1R5G5B5: FillRect<D3DFMT_A1R5G5B5>(job); break;
    case D3DFMT_X1R5G5B5: FillRect<D3DFMT_X1R5G5B5>(job); break;
    default: break;
    }
    return true;
}

template <D3DFORMAT F>
void D3D9Rasterizer::StoreSpan(BYTE* dst, const std::uint32_t* fragments, std::size_t n) const
{
    constexpr bool kTarget32 = F == D3DFMT_A8R8G8B8 || F == D3DFMT_X8R8G8B8;
    if constexpr (kTarget32) {
        const BYTE* bytes = reinterpret_cast<const BYTE*>(fragments);
        if (pipeline_.BlendsOff()) return D3D9CopyTexels32(dst, bytes, n, F == D3DFMT_X8R8G8B8);
        if (pipeline_.BlendsSourceAlpha()) return D3D9BlendFragmentsOver32(dst, fragments, n, F == D3DFMT_X8R8G8B8);
    }
    constexpr UINT kBpp = kTarget32 ? 4 : 2;
    for (std::size_t i = 0; i < n; ++i, dst += kBpp) pipeline_.BlendStore<F>(dst, fragments[i]);
}

template <D3DFORMAT F>
void D3D9Rasterizer::StoreConstant(BYTE* dst, std::uint32_t fragment, std::size_t n) const
{
    constexpr bool kTarget32 = F == D3DFMT_A8R8G8B8 || F == D3DFMT_X8R8G8B8;
    if constexpr (kTarget32) {
        if (pipeline_.BlendsOff()) return D3D9FillColour32(dst, fragment, n, F == D3DFMT_X8R8G8B8);
        if (pipeline_.BlendsSourceAlpha()) return D3D9BlendColourOver32(dst, fragment, n, F == D3DFMT_X8R8G8B8);
    }
    constexpr UINT kBpp = kTarget32 ? 4 : 2;
    for (std::size_t i = 0; i < n; ++i, dst += kBpp) pipeline_.BlendStore<F>(dst, fragment);
}

template <D3DFORMAT F>
void D3D9Rasterizer::BlitTexels32(BYTE* dst, const BYTE* texels, std::size_t n) const
{
    if (pipeline_.BlendsOff())
        D3D9CopyTexels32(dst, texels, n, F == D3DFMT_X8R8G8B8);
    else
        D3D9BlendTexelsOver32(dst, texels, n, F == D3DFMT_X8R8G8B8);
}

template <D3DFORMAT F>
void D3D9Rasterizer::FillRect(const RectJob& job)
{
    const std::size_t width = static_cast<std::size_t>(job.x1 - job.x0);
    // Stage 0 without the texture: one fragment for the whole quad (the fade's veil, the fills).
    if (!pipeline_.UsesTexture()) {
        const std::uint32_t fragment = pipeline_.Shade(0xFFFFFFFFu, job.diffuse);
        for (int y = job.y0; y < job.y1; ++y)
            StoreConstant<F>(target_.At(static_cast<UINT>(job.x0), static_cast<UINT>(y)), fragment, width);
        return;
    }
    const bool direct = pipeline_.ShadeIsTexel(job.diffuse);
    // The common blit: the texels of an A8R8G8B8 texture copied or blended into a 32-bit target by
    // the blit's own loops (which write the fourth byte of an X8R8G8B8 pixel under a clear texel).
    const bool raw32 = texture_ && texture_->Format() == D3DFMT_A8R8G8B8;
    constexpr bool kTarget32 = F == D3DFMT_A8R8G8B8 || F == D3DFMT_X8R8G8B8;
    const bool blit32 = kTarget32 && raw32 && direct && (pipeline_.BlendsSourceAlpha() || pipeline_.BlendsOff());
    // Plain pointers: stores through them cannot be taken to change the vectors themselves.
    const int* columns = columns_.data();
    bool contiguous = true;
    for (std::size_t i = 1; i < width && contiguous; ++i) contiguous = columns[i] == columns[0] + static_cast<int>(i);
    fragments_.resize(width);
    std::uint32_t* fragments = fragments_.data();
    int madeRow = -1;  // the texel row whose final fragments the buffer holds (a stretch repeats rows)
    for (int y = job.y0; y < job.y1; ++y) {
        BYTE* dst = target_.At(static_cast<UINT>(job.x0), static_cast<UINT>(y));
        const int row = rows_[static_cast<std::size_t>(y - job.y0)];
        if (row == madeRow) {
            if (blit32)
                BlitTexels32<F>(dst, reinterpret_cast<const BYTE*>(fragments), width);
            else
                StoreSpan<F>(dst, fragments, width);
            continue;
        }
        madeRow = -1;
        if (raw32) {
            const BYTE* src = texture_->Row(static_cast<UINT>(row));
            if (contiguous && blit32) {
                BlitTexels32<F>(dst, src + static_cast<std::size_t>(columns[0]) * 4, width);
                continue;
            }
            for (std::size_t i = 0; i < width; ++i)
                std::memcpy(&fragments[i], src + static_cast<std::size_t>(columns[i]) * 4, 4);
        } else {
            for (std::size_t i = 0; i < width; ++i) fragments[i] = Texel(columns[i], row);
        }
        madeRow = row;
        if (blit32) {
            BlitTexels32<F>(dst, reinterpret_cast<const BYTE*>(fragments), width);
            continue;
        }
        if (!direct)
            for (std::size_t i = 0; i < width; ++i) fragments[i] = pipeline_.Shade(fragments[i], job.diffuse);
        StoreSpan<F>(dst, fragments, width);
    }
}

void D3D9Rasterizer::Triangle(const D3D9TLVertex& a, const D3D9TLVertex& b, const D3D9TLVertex& c)
{
    if (!Finite(a) || !Finite(b) || !Finite(c)) return;
    double area = (static_cast<double>(b.x) - a.x) * (static_cast<double>(c.y) - a.y) -
                  (static_cast<double>(c.x) - a.x) * (static_cast<double>(b.y) - a.y);
    if (area == 0 || Culled(area)) return;
    // Make the winding clockwise (area > 0) so that the inside has positive edge values.
    const D3D9TLVertex* v[3] = {&a, &b, &c};
    if (area < 0) {
        std::swap(v[1], v[2]);
        area = -area;
    }
    switch (target_.Format()) {
    case D3DFMT_A8R8G8B8: FillTriangle<D3DFMT_A8R8G8B8>(v, area); break;
    case D3DFMT_X8R8G8B8: FillTriangle<D3DFMT_X8R8G8B8>(v, area); break;
    case D3DFMT_R5G6B5: FillTriangle<D3DFMT_R5G6B5>(v, area); break;
    case D3DFMT_A1R5G5B5: FillTriangle<D3DFMT_A1R5G5B5>(v, area); break;
    case D3DFMT_X1R5G5B5: FillTriangle<D3DFMT_X1R5G5B5>(v, area); break;
    default: break;
    }
}

void D3D9Rasterizer::ClipSpan(const Edge& ed, double rowTerm, int& xa, int& xb)
{
    // The value at a pixel is computed exactly as the per-pixel walk computes it; along a row it
    // is monotone (each rounding step is), so the inside pixels form a prefix or a suffix.
    auto inside = [&](int x) {
        const double w = rowTerm - ed.dy * (x - ed.ax);
        return w > 0 || (w == 0 && ed.topLeft);
    };
    if (xa >= xb) return;
    if (ed.dy == 0) {
        if (!inside(xa)) xb = xa;
        return;
    }
    const bool prefix = ed.dy > 0;  // the value falls as x grows
    int lo = xa, hi = xb;           // first x of [xa, xb) where inside(x) != prefix
    while (lo < hi) {
        const int mid = lo + (hi - lo) / 2;
        if (inside(mid) == prefix)
            lo = mid + 1;
        else
            hi = mid;
    }
    if (prefix)
        xb = lo;
    else
        xa = lo;
}

template <D3DFORMAT F>
void D3D9Rasterizer::FillTriangle(const D3D9TLVertex* v[3], double area)
{
    // Edge k runs from v[k+1] to v[k+2] (opposite vertex k).
    Edge edges[3];
    for (int k = 0; k < 3; ++k) {
        const D3D9TLVertex& s = *v[(k + 1) % 3];
        const D3D9TLVertex& e = *v[(k + 2) % 3];
        Edge& ed = edges[k];
        ed.ax = s.x;
        ed.ay = s.y;
        ed.dx = static_cast<double>(e.x) - s.x;
        ed.dy = static_cast<double>(e.y) - s.y;
        ed.topLeft = ed.dy < 0 || (ed.dy == 0 && ed.dx > 0);
    }
    const double minX = std::min({v[0]->x, v[1]->x, v[2]->x});
    const double maxX = std::max({v[0]->x, v[1]->x, v[2]->x});
    const double minY = std::min({v[0]->y, v[1]->y, v[2]->y});
    const double maxY = std::max({v[0]->y, v[1]->y, v[2]->y});
    const int w = static_cast<int>(target_.Width());
    const int h = static_cast<int>(target_.Height());
    const int x0 = FirstCentre(minX, w);
    const int y0 = FirstCentre(minY, h);
    // One past the last pixel centre at or before the maximum, clamped to [0, size].
    const int x1 = static_cast<int>(std::clamp(std::floor(maxX) + 1, 0.0, static_cast<double>(w)));
    const int y1 = static_cast<int>(std::clamp(std::floor(maxY) + 1, 0.0, static_cast<double>(h)));
    const bool flat = v[0]->diffuse == v[1]->diffuse && v[0]->diffuse == v[2]->diffuse;
    const bool sampled = pipeline_.UsesTexture();
    const bool direct = flat && pipeline_.ShadeIsTexel(v[0]->diffuse);
    D3D9SpanWeights weights;
    for (int k = 0; k < 3; ++k) {
        weights.dy[k] = edges[k].dy;
        weights.ax[k] = edges[k].ax;
        weights.u[k] = v[k]->u;
        weights.v[k] = v[k]->v;
    }
    weights.area = area;
    for (int y = y0; y < y1; ++y) {
        double* rowTerm = weights.rowTerm;
        int xa = x0, xb = x1;
        for (int k = 0; k < 3; ++k) {
            rowTerm[k] = edges[k].dx * (y - edges[k].ay);
            ClipSpan(edges[k], rowTerm[k], xa, xb);
        }
        if (xa >= xb) continue;
        BYTE* dst = target_.At(static_cast<UINT>(xa), static_cast<UINT>(y));
        const std::size_t n = static_cast<std::size_t>(xb - xa);
        if (flat && !sampled) {
            StoreConstant<F>(dst, pipeline_.Shade(0xFFFFFFFFu, v[0]->diffuse), n);
            continue;
        }
        fragments_.resize(n);
        if (flat) {
            D3D9SampleSpan(weights, texture_, xa, n, fragments_.data());
            if (!direct)
                for (std::uint32_t& f : fragments_) f = pipeline_.Shade(f, v[0]->diffuse);
            StoreSpan<F>(dst, fragments_.data(), n);
            continue;
        }
        // Colours that vary over the triangle: weights, colour and texel pixel by pixel.
        for (int x = xa; x < xb; ++x) {
            double wk[3];
            for (int k = 0; k < 3; ++k) wk[k] = rowTerm[k] - edges[k].dy * (x - edges[k].ax);
            const double l0 = wk[0] / area, l1 = wk[1] / area, l2 = wk[2] / area;
            std::uint32_t diffuse = 0;
            for (int shift : {0, 8, 16, 24}) {
                const double c = l0 * Channel(v[0]->diffuse, shift) + l1 * Channel(v[1]->diffuse, shift) +
                                 l2 * Channel(v[2]->diffuse, shift);
                const double rounded = std::floor(c + 0.5);
                diffuse |= static_cast<std::uint32_t>(std::clamp(rounded, 0.0, 255.0)) << shift;
            }
            std::uint32_t texel = 0xFFFFFFFFu;
            if (sampled) {
                const double u = l0 * v[0]->u + l1 * v[1]->u + l2 * v[2]->u;
                const double tv = l0 * v[0]->v + l1 * v[1]->v + l2 * v[2]->v;
                texel = Texel(WrapColumn(u), WrapRow(tv));
            }
            fragments_[static_cast<std::size_t>(x - xa)] = pipeline_.Shade(texel, diffuse);
        }
        StoreSpan<F>(dst, fragments_.data(), n);
    }
}
