#include "platform/gdi/GdiText.h"

#include <string_view>

#include "platform/gdi/GdiDc.h"
#include "platform/gdi/GdiFont.h"
#include "platform/gdi/GdiHandles.h"
#include "platform/gdi/GdiTextState.h"
#include "platform/gdi/PixelView.h"

namespace {

constexpr DWORD kOpaqueBackground = 0x00FFFFFF;  // white: GDI's background colour of a new DC

GdiDc* LookupDc(HDC hdc)
{
    return GdiLookup<GdiDc>(hdc, GdiObject::Kind::Dc);
}

DWORD ColorRefToXrgb(COLORREF c)
{
    return (static_cast<DWORD>(GetRValue(c)) << 16) | (static_cast<DWORD>(GetGValue(c)) << 8) | GetBValue(c);
}

void FillBox(const PixelView& view, int x, int y, int width, int height, DWORD raw)
{
    for (int row = y; row < y + height; ++row) {
        for (int col = x; col < x + width; ++col) {
            if (view.Contains(col, row)) WriteRaw(view, col, row, raw);
        }
    }
}

void DrawGlyph(const PixelView& view, int x, int y, const GlyphImage& glyph, DWORD raw)
{
    for (int gy = 0; gy < glyph.height; ++gy) {
        const int py = y + glyph.top + gy;
        if (py < 0 || py >= view.height) continue;
        for (int gx = 0; gx < glyph.width; ++gx) {
            const int px = x + glyph.left + gx;
            if (glyph.InkAt(gx, gy) && px >= 0 && px < view.width) WriteRaw(view, px, py, raw);
        }
    }
}

}  // namespace

HFONT CreateFontA(int cHeight, int, int, int, int cWeight, DWORD, DWORD, DWORD, DWORD, DWORD, DWORD, DWORD, DWORD,
                  const char* pszFaceName)
{
    const std::string_view face = pszFaceName != nullptr ? std::string_view(pszFaceName) : std::string_view();
    auto font = std::make_unique<GdiFont>(FontFace::Create(face, cHeight, cWeight));
    return static_cast<HFONT>(GdiRegisterObject(std::move(font)));
}

int SetBkMode(HDC hdc, int mode)
{
    if (LookupDc(hdc) == nullptr || (mode != TRANSPARENT && mode != OPAQUE)) return 0;
    GdiTextState state = GdiGetTextState(hdc);
    const int previous = state.bkMode;
    state.bkMode = mode;
    GdiSetTextState(hdc, state);
    return previous;
}

COLORREF SetTextColor(HDC hdc, COLORREF color)
{
    if (LookupDc(hdc) == nullptr) return CLR_INVALID;
    GdiTextState state = GdiGetTextState(hdc);
    const COLORREF previous = state.textColor;
    state.textColor = color & 0x00FFFFFF;
    GdiSetTextState(hdc, state);
    return previous;
}

BOOL TextOutA(HDC hdc, int x, int y, const char* lpString, int c)
{
    GdiDc* dc = LookupDc(hdc);
    if (dc == nullptr || c < 0 || (lpString == nullptr && c > 0)) return FALSE;
    PixelView view;
    if (!dc->GetView(view) || !view.IsWritable()) return FALSE;
    const std::shared_ptr<FontFace> font = GdiFontOfSelected(dc->SelectedFont());
    const GdiTextState state = GdiGetTextState(hdc);
    const std::vector<PlacedGlyph> glyphs = font->Layout(std::string_view(lpString, static_cast<size_t>(c)));
    if (state.bkMode == OPAQUE) {
        int width = 0;
        for (const PlacedGlyph& g : glyphs) width += g.glyph->advance;
        FillBox(view, x, y, width, font->CellHeight(), XRGBToRaw(view, kOpaqueBackground));
    }
    const DWORD ink = XRGBToRaw(view, ColorRefToXrgb(state.textColor));
    for (const PlacedGlyph& g : glyphs) DrawGlyph(view, x + g.penX, y, *g.glyph, ink);
    return TRUE;
}

BOOL GetTextExtentPoint32A(HDC hdc, const char* lpString, int c, SIZE* psizl)
{
    GdiDc* dc = LookupDc(hdc);
    if (dc == nullptr || c < 0 || (lpString == nullptr && c > 0) || psizl == nullptr) return FALSE;
    const std::shared_ptr<FontFace> font = GdiFontOfSelected(dc->SelectedFont());
    psizl->cx = font->TextWidth(std::string_view(lpString, static_cast<size_t>(c)));
    psizl->cy = font->CellHeight();
    return TRUE;
}
