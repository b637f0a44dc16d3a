// A device context: a memory DC (draws into the bitmap selected into it), a surface DC (draws
// into a DirectDraw surface while the surface's DC is out) or a window DC (answers queries only).
#pragma once

#include <array>
#include <functional>
#include <memory>

#include "platform/gdi/GdiObject.h"
#include "platform/gdi/PixelView.h"

class GdiDc : public GdiObject {
public:
    enum class Type { Memory, Surface, Window };
    // Fills the colours of an 8-bit surface's indices and returns how many are valid.
    using PaletteSource = std::function<int(std::array<RGBQUAD, 256>&)>;

    // A memory DC with the stock 1 x 1 bitmap selected.
    static std::unique_ptr<GdiDc> CreateMemory();
    // A DC drawing into the pixels of view (which stay valid until the DC is destroyed); an 8-bit
    // view takes its colours from palette at every use.
    static std::unique_ptr<GdiDc> CreateSurface(const PixelView& view, PaletteSource palette);
    static std::unique_ptr<GdiDc> CreateWindow(HWND hWnd);

    Type GetType() const { return m_type; }
    HWND GetWindow() const { return m_hWnd; }

    // The pixels this DC draws into, with the colours current now; false when there are none.
    bool GetView(PixelView& out) const;
    // Bits per pixel GetDeviceCaps(BITSPIXEL) reports.
    int BitsPerPixel() const;

    // The bitmap selected into a memory DC (the stock bitmap at first).
    HGDIOBJ SelectedBitmap() const { return m_bitmap; }
    void SetSelectedBitmap(HGDIOBJ h) { m_bitmap = h; }
    // The font selected (null: the default font).
    HGDIOBJ SelectedFont() const { return m_font; }
    void SetSelectedFont(HGDIOBJ h) { m_font = h; }

private:
    explicit GdiDc(Type type) : GdiObject(Kind::Dc), m_type(type) {}

    Type m_type;
    HWND m_hWnd = nullptr;
    HGDIOBJ m_bitmap = nullptr;
    HGDIOBJ m_font = nullptr;
    PixelView m_surface;
    PaletteSource m_palette;
};

// For the DirectDraw stand-in: a surface DC as a handle, and its end.
HDC GdiCreateSurfaceDc(const PixelView& view, GdiDc::PaletteSource palette);
bool GdiDestroySurfaceDc(HDC hdc);
