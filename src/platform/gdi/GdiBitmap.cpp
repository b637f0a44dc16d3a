#include "platform/gdi/GdiBitmap.h"

#include <algorithm>
#include <cstring>

#include "platform/gdi/GdiHandles.h"

GdiBitmap::GdiBitmap(BmpImage image) : GdiObject(Kind::Bitmap), m_image(std::move(image))
{
    if (!m_image.bottomUp) return;
    // Decoded rows are top-down; a bottom-up file keeps its bottom row first in memory.
    std::vector<BYTE> row(static_cast<size_t>(m_image.stride));
    for (int top = 0, bottom = m_image.height - 1; top < bottom; ++top, --bottom) {
        BYTE* a = m_image.bits.data() + static_cast<size_t>(top) * m_image.stride;
        BYTE* b = m_image.bits.data() + static_cast<size_t>(bottom) * m_image.stride;
        std::memcpy(row.data(), a, row.size());
        std::memcpy(a, b, row.size());
        std::memcpy(b, row.data(), row.size());
    }
}

HGDIOBJ GdiBitmap::StockHandle()
{
    static const HGDIOBJ handle = [] {
        BmpImage one;
        one.width = one.height = 1;
        one.bitCount = 1;
        one.stride = 4;
        one.bits.assign(4, 0);
        one.colorTable.resize(2);
        one.colorTable[1] = RGBQUAD{255, 255, 255, 0};
        one.bottomUp = true;
        one.header.biSize = 40;
        one.header.biWidth = 1;
        one.header.biHeight = 1;
        one.header.biPlanes = 1;
        one.header.biBitCount = 1;
        return GdiRegisterObject(std::make_unique<GdiBitmap>(std::move(one)));
    }();
    return handle;
}

int GdiBitmap::Describe(int cb, void* lpv) const
{
    BITMAP bm;
    bm.bmType = 0;
    bm.bmWidth = m_image.width;
    bm.bmHeight = m_image.height;
    bm.bmWidthBytes = m_image.stride;
    bm.bmPlanes = 1;
    bm.bmBitsPixel = static_cast<WORD>(m_image.bitCount);
    bm.bmBits = const_cast<BYTE*>(m_image.bits.data());
    if (lpv == nullptr) return static_cast<int>(sizeof(DIBSECTION));
    if (cb >= static_cast<int>(sizeof(DIBSECTION))) {
        DIBSECTION ds;
        ds.dsBm = bm;
        ds.dsBmih = m_image.header;
        ds.dsBmih.biSize = sizeof(BITMAPINFOHEADER);
        ds.dsBmih.biSizeImage = static_cast<DWORD>(m_image.bits.size());
        ds.dsBmih.biClrUsed = static_cast<DWORD>(m_image.colorTable.size());
        ds.dsBitfields[0] = m_image.redMask;
        ds.dsBitfields[1] = m_image.greenMask;
        ds.dsBitfields[2] = m_image.blueMask;
        std::memcpy(lpv, &ds, sizeof(ds));
        return static_cast<int>(sizeof(ds));
    }
    if (cb >= static_cast<int>(sizeof(BITMAP))) {
        std::memcpy(lpv, &bm, sizeof(bm));
        return static_cast<int>(sizeof(bm));
    }
    return 0;
}

PixelView GdiBitmap::View()
{
    PixelView v;
    v.width = m_image.width;
    v.height = m_image.height;
    v.bitCount = m_image.bitCount;
    if (m_image.bottomUp) {
        v.top = m_image.bits.data() + static_cast<size_t>(m_image.height - 1) * m_image.stride;
        v.rowStep = -static_cast<std::ptrdiff_t>(m_image.stride);
    } else {
        v.top = m_image.bits.data();
        v.rowStep = m_image.stride;
    }
    v.red = ChannelMask::From(m_image.redMask);
    v.green = ChannelMask::From(m_image.greenMask);
    v.blue = ChannelMask::From(m_image.blueMask);
    v.paletteCount = static_cast<int>(std::min<size_t>(m_image.colorTable.size(), v.palette.size()));
    std::copy_n(m_image.colorTable.begin(), v.paletteCount, v.palette.begin());
    return v;
}
