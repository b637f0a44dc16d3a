#include "platform/gdi/PixelView.h"

namespace {

DWORD ReadRaw(const PixelView& v, int x, int y)
{
    const BYTE* row = v.Row(y);
    switch (v.bitCount) {
    case 1: return (row[x >> 3] >> (7 - (x & 7))) & 1u;
    case 4: return (x & 1) ? (row[x >> 1] & 0x0Fu) : (row[x >> 1] >> 4);
    case 8: return row[x];
    case 16: return static_cast<DWORD>(row[x * 2] | (row[x * 2 + 1] << 8));
    case 24: return static_cast<DWORD>(row[x * 3] | (row[x * 3 + 1] << 8) | (row[x * 3 + 2] << 16));
    case 32:
        return static_cast<DWORD>(row[x * 4]) | (static_cast<DWORD>(row[x * 4 + 1]) << 8) |
               (static_cast<DWORD>(row[x * 4 + 2]) << 16) | (static_cast<DWORD>(row[x * 4 + 3]) << 24);
    default: return 0;
    }
}

DWORD QuadToXRGB(const RGBQUAD& q)
{
    return (static_cast<DWORD>(q.rgbRed) << 16) | (static_cast<DWORD>(q.rgbGreen) << 8) | q.rgbBlue;
}

}  // namespace

DWORD ReadXRGB(const PixelView& view, int x, int y)
{
    const DWORD raw = ReadRaw(view, x, y);
    switch (view.bitCount) {
    case 1:
    case 4:
    case 8: return static_cast<int>(raw) < view.paletteCount ? QuadToXRGB(view.palette[raw]) : 0;
    case 24: return raw;
    default: return (view.red.ReadScaled(raw) << 16) | (view.green.ReadScaled(raw) << 8) | view.blue.ReadScaled(raw);
    }
}

DWORD XRGBToRaw(const PixelView& view, DWORD xrgb)
{
    const DWORD r = (xrgb >> 16) & 0xFF;
    const DWORD g = (xrgb >> 8) & 0xFF;
    const DWORD b = xrgb & 0xFF;
    switch (view.bitCount) {
    case 8: return static_cast<DWORD>(NearestPaletteIndex(view.palette.data(), view.paletteCount, xrgb));
    case 24: return xrgb & 0x00FFFFFF;
    default: return view.red.PlaceTruncated(r) | view.green.PlaceTruncated(g) | view.blue.PlaceTruncated(b);
    }
}

void WriteRaw(const PixelView& view, int x, int y, DWORD raw)
{
    BYTE* row = view.Row(y);
    switch (view.bitCount) {
    case 8: row[x] = static_cast<BYTE>(raw); break;
    case 16:
        row[x * 2] = static_cast<BYTE>(raw);
        row[x * 2 + 1] = static_cast<BYTE>(raw >> 8);
        break;
    case 24:
        row[x * 3] = static_cast<BYTE>(raw);
        row[x * 3 + 1] = static_cast<BYTE>(raw >> 8);
        row[x * 3 + 2] = static_cast<BYTE>(raw >> 16);
        break;
    case 32:
        row[x * 4] = static_cast<BYTE>(raw);
        row[x * 4 + 1] = static_cast<BYTE>(raw >> 8);
        row[x * 4 + 2] = static_cast<BYTE>(raw >> 16);
        row[x * 4 + 3] = static_cast<BYTE>(raw >> 24);
        break;
    default: break;
    }
}

void WriteXRGB(const PixelView& view, int x, int y, DWORD xrgb)
{
    WriteRaw(view, x, y, XRGBToRaw(view, xrgb));
}

int NearestPaletteIndex(const RGBQUAD* palette, int count, DWORD xrgb)
{
    const int r = static_cast<int>((xrgb >> 16) & 0xFF);
    const int g = static_cast<int>((xrgb >> 8) & 0xFF);
    const int b = static_cast<int>(xrgb & 0xFF);
    int best = 0;
    long bestDistance = -1;
    for (int i = 0; i < count; ++i) {
        const int dr = palette[i].rgbRed - r;
        const int dg = palette[i].rgbGreen - g;
        const int db = palette[i].rgbBlue - b;
        const long d = static_cast<long>(dr) * dr + static_cast<long>(dg) * dg + static_cast<long>(db) * db;
        if (d == 0) return i;
        if (bestDistance < 0 || d < bestDistance) {
            best = i;
            bestDistance = d;
        }
    }
    return best;
}
