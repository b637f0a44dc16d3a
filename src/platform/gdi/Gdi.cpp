#include "platform/gdi/Gdi.h"

#include <algorithm>

#include "platform/gdi/BmpFile.h"
#include "platform/gdi/GdiBitmap.h"
#include "platform/gdi/GdiDc.h"
#include "platform/gdi/GdiHandles.h"
#include "platform/win/SystemInfo.h"

namespace {

GdiDc* LookupDc(HDC hdc)
{
    return GdiLookup<GdiDc>(hdc, GdiObject::Kind::Dc);
}
GdiBitmap* LookupBitmap(HGDIOBJ h)
{
    return GdiLookup<GdiBitmap>(h, GdiObject::Kind::Bitmap);
}

HGDIOBJ SelectBitmap(HDC hdc, GdiDc& dc, HGDIOBJ h, GdiBitmap& bitmap)
{
    if (dc.GetType() != GdiDc::Type::Memory) return nullptr;
    if (bitmap.SelectedInto() != nullptr && bitmap.SelectedInto() != hdc && h != GdiBitmap::StockHandle())
        return nullptr;
    HGDIOBJ previous = dc.SelectedBitmap();
    if (auto* old = LookupBitmap(previous); old != nullptr && previous != GdiBitmap::StockHandle())
        old->SetSelectedInto(nullptr);
    if (h != GdiBitmap::StockHandle()) bitmap.SetSelectedInto(hdc);
    dc.SetSelectedBitmap(h);
    return previous;
}

}  // namespace

HANDLE LoadImageA(HINSTANCE hInst, const char* szName, UINT uType, int cx, int cy, UINT fuLoad)
{
    if (hInst != nullptr || uType != IMAGE_BITMAP || cx != 0 || cy != 0 || (fuLoad & LR_LOADFROMFILE) == 0)
        return nullptr;
    BmpImage image;
    if (!LoadBmpFile(szName, image)) return nullptr;
    return GdiRegisterObject(std::make_unique<GdiBitmap>(std::move(image)));
}

int GetObjectA(HGDIOBJ h, int cb, void* pv)
{
    GdiObject* object = GdiLookupObject(h);
    if (object == nullptr || cb < 0) return 0;
    return object->Describe(cb, pv);
}

UINT GetDIBColorTable(HDC hdc, UINT iStart, UINT cEntries, RGBQUAD* prgbq)
{
    GdiDc* dc = LookupDc(hdc);
    if (dc == nullptr || prgbq == nullptr || dc->GetType() != GdiDc::Type::Memory) return 0;
    GdiBitmap* bitmap = LookupBitmap(dc->SelectedBitmap());
    if (bitmap == nullptr) return 0;
    const auto& table = bitmap->ColorTable();
    if (iStart >= table.size()) return 0;
    const UINT n = std::min<UINT>(cEntries, static_cast<UINT>(table.size()) - iStart);
    std::copy_n(table.begin() + iStart, n, prgbq);
    return n;
}

HDC CreateCompatibleDC(HDC)
{
    return static_cast<HDC>(GdiRegisterObject(GdiDc::CreateMemory()));
}

HGDIOBJ SelectObject(HDC hdc, HGDIOBJ h)
{
    GdiDc* dc = LookupDc(hdc);
    GdiObject* object = GdiLookupObject(h);
    if (dc == nullptr || object == nullptr) return nullptr;
    switch (object->GetKind()) {
    case GdiObject::Kind::Bitmap: return SelectBitmap(hdc, *dc, h, static_cast<GdiBitmap&>(*object));
    case GdiObject::Kind::Font: {
        HGDIOBJ previous = dc->SelectedFont();
        dc->SetSelectedFont(h);
        return previous;
    }
    case GdiObject::Kind::Dc: return nullptr;
    }
    return nullptr;
}

BOOL DeleteObject(HGDIOBJ h)
{
    if (h == GdiBitmap::StockHandle()) return TRUE;
    GdiObject* object = GdiLookupObject(h);
    if (object == nullptr || object->GetKind() == GdiObject::Kind::Dc) return FALSE;
    if (object->GetKind() == GdiObject::Kind::Bitmap && static_cast<GdiBitmap*>(object)->SelectedInto() != nullptr)
        return FALSE;
    return GdiDestroyObject(h) ? TRUE : FALSE;
}

BOOL DeleteDC(HDC hdc)
{
    GdiDc* dc = LookupDc(hdc);
    if (dc == nullptr || dc->GetType() != GdiDc::Type::Memory) return FALSE;
    if (auto* bitmap = LookupBitmap(dc->SelectedBitmap()); bitmap != nullptr && bitmap->SelectedInto() == hdc)
        bitmap->SetSelectedInto(nullptr);
    return GdiDestroyObject(hdc) ? TRUE : FALSE;
}

HDC GetDC(HWND hWnd)
{
    return static_cast<HDC>(GdiRegisterObject(GdiDc::CreateWindow(hWnd)));
}

int ReleaseDC(HWND, HDC hdc)
{
    GdiDc* dc = LookupDc(hdc);
    if (dc == nullptr || dc->GetType() != GdiDc::Type::Window) return 0;
    return GdiDestroyObject(hdc) ? 1 : 0;
}

int GetDeviceCaps(HDC hdc, int index)
{
    GdiDc* dc = LookupDc(hdc);
    if (dc == nullptr) return 0;
    switch (index) {
    case BITSPIXEL: return dc->BitsPerPixel();
    case PLANES: return 1;
    case HORZRES: return GetSystemFacts().desktopWidth;
    case VERTRES: return GetSystemFacts().desktopHeight;
    default: return 0;
    }
}
