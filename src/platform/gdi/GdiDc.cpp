#include "platform/gdi/GdiDc.h"

#include "platform/gdi/GdiBitmap.h"
#include "platform/gdi/GdiHandles.h"
#include "platform/win/SystemInfo.h"

std::unique_ptr<GdiDc> GdiDc::CreateMemory()
{
    std::unique_ptr<GdiDc> dc(new GdiDc(Type::Memory));
    dc->m_bitmap = GdiBitmap::StockHandle();
    return dc;
}

std::unique_ptr<GdiDc> GdiDc::CreateSurface(const PixelView& view, PaletteSource palette)
{
    std::unique_ptr<GdiDc> dc(new GdiDc(Type::Surface));
    dc->m_surface = view;
    dc->m_palette = std::move(palette);
    return dc;
}

std::unique_ptr<GdiDc> GdiDc::CreateWindow(HWND hWnd)
{
    std::unique_ptr<GdiDc> dc(new GdiDc(Type::Window));
    dc->m_hWnd = hWnd;
    return dc;
}

bool GdiDc::GetView(PixelView& out) const
{
    switch (m_type) {
    case Type::Memory: {
        auto* bitmap = GdiLookup<GdiBitmap>(m_bitmap, Kind::Bitmap);
        if (bitmap == nullptr) return false;
        out = bitmap->View();
        return true;
    }
    case Type::Surface:
        out = m_surface;
        if (out.bitCount <= 8) out.paletteCount = m_palette ? m_palette(out.palette) : 0;
        return out.top != nullptr;
    case Type::Window: return false;
    }
    return false;
}

int GdiDc::BitsPerPixel() const
{
    if (m_type == Type::Surface) return m_surface.bitCount;
    return GetSystemFacts().desktopBitsPerPixel;
}

HDC GdiCreateSurfaceDc(const PixelView& view, GdiDc::PaletteSource palette)
{
    return static_cast<HDC>(GdiRegisterObject(GdiDc::CreateSurface(view, std::move(palette))));
}

bool GdiDestroySurfaceDc(HDC hdc)
{
    auto* dc = GdiLookup<GdiDc>(hdc, GdiObject::Kind::Dc);
    if (dc == nullptr || dc->GetType() != GdiDc::Type::Surface) return false;
    return GdiDestroyObject(hdc);
}
