#include "platform/ddraw/SurfacePixels.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

template <class T>
void CopyKeyedRow(T* d, const T* s, int w, T key, T mask)
{
    // Written unconditionally so that the compiler can vectorise the select.
    for (int i = 0; i < w; ++i) {
        const T p = s[i];
        d[i] = static_cast<T>(p & mask) == key ? d[i] : p;
    }
}

template <class T>
void CopyRangeKeyedRow(T* d, const T* s, int w, T low, T high, T mask)
{
    for (int i = 0; i < w; ++i) {
        const T v = static_cast<T>(s[i] & mask);
        if (v < low || v > high) d[i] = s[i];
    }
}

template <class T>
void CopyKeyed(const PixelBlock& dst, int dx, int dy, const PixelBlock& src, int sx, int sy, int w, int h,
               const KeyRange& key)
{
    const T mask = static_cast<T>(key.mask);
    const T low = static_cast<T>(key.low & key.mask);
    const T high = static_cast<T>(key.high & key.mask);
    for (int r = 0; r < h; ++r) {
        T* d = reinterpret_cast<T*>(dst.At(dx, dy + r));
        const T* s = reinterpret_cast<const T*>(src.At(sx, sy + r));
        if (low == high)
            CopyKeyedRow<T>(d, s, w, low, mask);
        else
            CopyRangeKeyedRow<T>(d, s, w, low, high, mask);
    }
}

template <class T>
void StretchRows(const PixelBlock& dst, const RECT& clip, const PixelBlock& src, const std::vector<int>& cols,
                 const std::vector<int>& rows, const KeyRange* key)
{
    const int w = static_cast<int>(cols.size());
    const T mask = key ? static_cast<T>(key->mask) : T(0);
    const T low = key ? static_cast<T>(key->low & key->mask) : T(0);
    const T high = key ? static_cast<T>(key->high & key->mask) : T(0);
    for (size_t r = 0; r < rows.size(); ++r) {
        T* d = reinterpret_cast<T*>(dst.At(clip.left, clip.top + static_cast<int>(r)));
        const T* s = reinterpret_cast<const T*>(src.At(0, rows[r]));
        for (int i = 0; i < w; ++i) {
            const T p = s[cols[static_cast<size_t>(i)]];
            if (key) {
                const T v = static_cast<T>(p & mask);
                if (v >= low && v <= high) continue;
            }
            d[i] = p;
        }
    }
}

// Source positions for destination positions [clipFrom, clipTo) of a run starting at dstFrom.
std::vector<int> SampleAxis(int dstFrom, int dstExtent, int clipFrom, int clipTo, int srcFrom, int srcExtent)
{
    std::vector<int> out;
    out.reserve(static_cast<size_t>(std::max(0, clipTo - clipFrom)));
    for (int p = clipFrom; p < clipTo; ++p) {
        const long long i = p - dstFrom;
        out.push_back(srcFrom + static_cast<int>(i * srcExtent / dstExtent));
    }
    return out;
}

}  // namespace

void CopyPixels(const PixelBlock& dst, int dx, int dy, const PixelBlock& src, int sx, int sy, int w, int h,
                const KeyRange* key)
{
    if (w <= 0 || h <= 0) return;
    if (key == nullptr) {
        const size_t rowBytes = static_cast<size_t>(w) * dst.bytesPerPixel;
        for (int r = 0; r < h; ++r) std::memcpy(dst.At(dx, dy + r), src.At(sx, sy + r), rowBytes);
        return;
    }
    switch (dst.bytesPerPixel) {
    case 1: CopyKeyed<std::uint8_t>(dst, dx, dy, src, sx, sy, w, h, *key); break;
    case 2: CopyKeyed<std::uint16_t>(dst, dx, dy, src, sx, sy, w, h, *key); break;
    default: CopyKeyed<std::uint32_t>(dst, dx, dy, src, sx, sy, w, h, *key); break;
    }
}

void StretchPixels(const PixelBlock& dst, const RECT& dstRect, const RECT& clip, const PixelBlock& src,
                   const RECT& srcRect, const KeyRange* key)
{
    if (clip.right <= clip.left || clip.bottom <= clip.top) return;
    const std::vector<int> cols = SampleAxis(dstRect.left, dstRect.right - dstRect.left, clip.left, clip.right,
                                             srcRect.left, srcRect.right - srcRect.left);
    const std::vector<int> rows = SampleAxis(dstRect.top, dstRect.bottom - dstRect.top, clip.top, clip.bottom,
                                             srcRect.top, srcRect.bottom - srcRect.top);
    switch (dst.bytesPerPixel) {
    case 1: StretchRows<std::uint8_t>(dst, clip, src, cols, rows, key); break;
    case 2: StretchRows<std::uint16_t>(dst, clip, src, cols, rows, key); break;
    default: StretchRows<std::uint32_t>(dst, clip, src, cols, rows, key); break;
    }
}

void FillPixels(const PixelBlock& dst, const RECT& r, DWORD value)
{
    const int w = r.right - r.left;
    if (w <= 0) return;
    for (int y = r.top; y < r.bottom; ++y) {
        BYTE* row = dst.At(r.left, y);
        switch (dst.bytesPerPixel) {
        case 1: std::memset(row, static_cast<int>(value & 0xFF), static_cast<size_t>(w)); break;
        case 2: std::fill_n(reinterpret_cast<std::uint16_t*>(row), w, static_cast<std::uint16_t>(value)); break;
        default: std::fill_n(reinterpret_cast<std::uint32_t*>(row), w, value); break;
        }
    }
}
