#include "graphics/LoadedBitmap.h"

#include <cstddef>

#include "platform/gdi/ChannelMask.h"
#include "platform/gdi/Gdi.h"

cLoadedBitmap::~cLoadedBitmap()
{
    if (m_hBitmap != nullptr) DeleteObject(m_hBitmap);
}

bool cLoadedBitmap::Load(const char* szPath)
{
    if (m_hBitmap != nullptr) DeleteObject(m_hBitmap);
    m_hBitmap = nullptr;
    if (szPath == nullptr || szPath[0] == '\0') return false;
    m_hBitmap =
        static_cast<HBITMAP>(LoadImageA(nullptr, szPath, IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION));
    if (m_hBitmap == nullptr) return false;
    if (GetObjectA(m_hBitmap, sizeof(m_ds), &m_ds) < static_cast<int>(sizeof(m_ds)) || m_ds.dsBm.bmBits == nullptr) {
        DeleteObject(m_hBitmap);
        m_hBitmap = nullptr;
        return false;
    }
    return true;
}

const BYTE* cLoadedBitmap::Row(int y) const
{
    const BYTE* bits = static_cast<const BYTE*>(m_ds.dsBm.bmBits);
    const bool bottomUp = m_ds.dsBmih.biHeight > 0;
    const int stored = bottomUp ? Height() - 1 - y : y;
    return bits + static_cast<std::ptrdiff_t>(stored) * m_ds.dsBm.bmWidthBytes;
}

DWORD cLoadedBitmap::RawPixel(int x, int y) const
{
    const BYTE* row = Row(y);
    switch (BitCount()) {
    case 1: return (row[x / 8] >> (7 - x % 8)) & 1u;
    case 4: return (row[x / 2] >> (x % 2 == 0 ? 4 : 0)) & 0xFu;
    case 8: return row[x];
    case 16: return static_cast<DWORD>(row[x * 2] | (row[x * 2 + 1] << 8));
    case 24: return static_cast<DWORD>(row[x * 3] | (row[x * 3 + 1] << 8) | (row[x * 3 + 2] << 16));
    case 32:
        return static_cast<DWORD>(row[x * 4] | (row[x * 4 + 1] << 8) | (row[x * 4 + 2] << 16)) |
               (static_cast<DWORD>(row[x * 4 + 3]) << 24);
    default: return 0;
    }
}

DWORD cLoadedBitmap::PixelXRGB(int x, int y) const
{
    const DWORD raw = RawPixel(x, y);
    if (BitCount() <= 8) {
        RGBQUAD table[256];
        const UINT n = ColorTable(table, 256);
        if (raw >= n) return 0;
        return (static_cast<DWORD>(table[raw].rgbRed) << 16) | (static_cast<DWORD>(table[raw].rgbGreen) << 8) |
               table[raw].rgbBlue;
    }
    if (BitCount() == 24) return raw & 0x00FFFFFF;
    const ChannelMask red = ChannelMask::From(m_ds.dsBitfields[0]);
    const ChannelMask green = ChannelMask::From(m_ds.dsBitfields[1]);
    const ChannelMask blue = ChannelMask::From(m_ds.dsBitfields[2]);
    return (red.ReadScaled(raw) << 16) | (green.ReadScaled(raw) << 8) | blue.ReadScaled(raw);
}

UINT cLoadedBitmap::ColorTable(RGBQUAD* pTable, UINT nEntries) const
{
    if (m_hBitmap == nullptr || BitCount() > 8) return 0;
    HDC hdc = CreateCompatibleDC(nullptr);
    HGDIOBJ previous = SelectObject(hdc, m_hBitmap);
    const UINT n = GetDIBColorTable(hdc, 0, nEntries, pTable);
    SelectObject(hdc, previous);
    DeleteDC(hdc);
    return n;
}
