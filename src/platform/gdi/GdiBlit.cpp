// BitBlt and StretchBlt: pixel transfer between two device contexts with colour conversion.
#include <algorithm>
#include <array>
#include <cstdlib>
#include <vector>

#include "platform/gdi/Gdi.h"
#include "platform/gdi/GdiDc.h"
#include "platform/gdi/GdiHandles.h"

namespace {

// Positions along one axis: for each step k of the destination that lands inside the destination
// and samples a position inside the source, the pair (destination, source).
struct AxisMap {
    std::vector<int> dst;
    std::vector<int> src;
};

AxisMap MapAxis(int d0, int dExtent, int dLimit, int s0, int sExtent, int sLimit)
{
    AxisMap m;
    const long long dn = std::llabs(dExtent);
    const long long sn = std::llabs(sExtent);
    for (long long k = 0; k < dn; ++k) {
        const long long d = dExtent > 0 ? d0 + k : d0 - 1 - k;
        if (d < 0 || d >= dLimit) continue;
        const long long step = k * sn / dn;
        const long long s = sExtent > 0 ? s0 + step : s0 - 1 - step;
        if (s < 0 || s >= sLimit) continue;
        m.dst.push_back(static_cast<int>(d));
        m.src.push_back(static_cast<int>(s));
    }
    return m;
}

bool GetViews(HDC hdcDest, HDC hdcSrc, PixelView& d, PixelView& s)
{
    auto* dd = GdiLookup<GdiDc>(hdcDest, GdiObject::Kind::Dc);
    auto* sd = GdiLookup<GdiDc>(hdcSrc, GdiObject::Kind::Dc);
    if (dd == nullptr || sd == nullptr) return false;
    if (!dd->GetView(d) || !sd->GetView(s)) return false;
    return d.IsWritable();
}

// The palette index at (x, y) of a 1-, 4- or 8-bit view.
DWORD ReadIndex(const PixelView& v, int x, int y)
{
    const BYTE* row = v.Row(y);
    if (v.bitCount == 8) return row[x];
    if (v.bitCount == 4) return (x & 1) ? (row[x >> 1] & 0x0Fu) : (row[x >> 1] >> 4);
    return (row[x >> 3] >> (7 - (x & 7))) & 1u;
}

// Converts the source pixels named by the two axis maps into the destination.
void Transfer(const PixelView& d, const PixelView& s, const AxisMap& cols, const AxisMap& rows)
{
    if (s.bitCount <= 8) {
        std::array<DWORD, 256> lut{};
        const int entries = 1 << s.bitCount;
        for (int i = 0; i < entries; ++i) {
            const RGBQUAD& q = s.palette[static_cast<size_t>(i)];
            const DWORD xrgb = i < s.paletteCount ? (static_cast<DWORD>(q.rgbRed) << 16) |
                                                        (static_cast<DWORD>(q.rgbGreen) << 8) | q.rgbBlue
                                                  : 0;
            lut[static_cast<size_t>(i)] = XRGBToRaw(d, xrgb);
        }
        for (size_t r = 0; r < rows.dst.size(); ++r) {
            for (size_t c = 0; c < cols.dst.size(); ++c)
                WriteRaw(d, cols.dst[c], rows.dst[r], lut[ReadIndex(s, cols.src[c], rows.src[r])]);
        }
        return;
    }
    DWORD lastXRGB = 0xFFFFFFFF;
    DWORD lastRaw = 0;
    for (size_t r = 0; r < rows.dst.size(); ++r) {
        for (size_t c = 0; c < cols.dst.size(); ++c) {
            const DWORD xrgb = ReadXRGB(s, cols.src[c], rows.src[r]);
            if (xrgb != lastXRGB) {
                lastXRGB = xrgb;
                lastRaw = XRGBToRaw(d, xrgb);
            }
            WriteRaw(d, cols.dst[c], rows.dst[r], lastRaw);
        }
    }
}

BOOL Blit(HDC hdcDest, int xDest, int yDest, int wDest, int hDest, HDC hdcSrc, int xSrc, int ySrc, int wSrc, int hSrc,
          DWORD rop)
{
    if (rop != SRCCOPY) return FALSE;
    PixelView d;
    PixelView s;
    if (!GetViews(hdcDest, hdcSrc, d, s)) return FALSE;
    if (wDest == 0 || hDest == 0 || wSrc == 0 || hSrc == 0) return TRUE;
    std::vector<BYTE> copy;
    if (d.top == s.top) {
        // The same pixels on both sides: read from a snapshot so that overlapping copies work.
        const std::ptrdiff_t step = s.rowStep < 0 ? -s.rowStep : s.rowStep;
        copy.resize(static_cast<size_t>(step) * s.height);
        for (int y = 0; y < s.height; ++y)
            std::copy_n(s.Row(y), static_cast<size_t>(step), copy.data() + static_cast<size_t>(step) * y);
        s.top = copy.data();
        s.rowStep = step;
    }
    const AxisMap cols = MapAxis(xDest, wDest, d.width, xSrc, wSrc, s.width);
    const AxisMap rows = MapAxis(yDest, hDest, d.height, ySrc, hSrc, s.height);
    Transfer(d, s, cols, rows);
    return TRUE;
}

}  // namespace

BOOL BitBlt(HDC hdc, int x, int y, int cx, int cy, HDC hdcSrc, int x1, int y1, DWORD rop)
{
    if (cx < 0 || cy < 0) return TRUE;  // nothing: BitBlt does not mirror
    return Blit(hdc, x, y, cx, cy, hdcSrc, x1, y1, cx, cy, rop);
}

BOOL StretchBlt(HDC hdcDest, int xDest, int yDest, int wDest, int hDest, HDC hdcSrc, int xSrc, int ySrc, int wSrc,
                int hSrc, DWORD rop)
{
    return Blit(hdcDest, xDest, yDest, wDest, hDest, hdcSrc, xSrc, ySrc, wSrc, hSrc, rop);
}
