// The palette-index map of a true-colour surface, for the effects that work in palette numbers.
#include <algorithm>
#include <cstddef>

#include "graphics/BackEnd.h"
#include "graphics/LockSD.h"
#include "graphics/Palette.h"
#include "graphics/Surfaces.h"

namespace {

struct Rgb {
    int r, g, b;
};

bool IsColorKeyed(const DDSURFACEDATA* lpSD)
{
    if (lpSD->lpDT) return lpSD->lpDT->bColorKey != 0;
    if (!lpSD->lpDDS || lpSD->lpDDS->lpDDSurface == nullptr) return false;
    DDCOLORKEY key;
    return SUCCEEDED(lpSD->lpDDS->lpDDSurface->GetColorKey(DDCKEY_SRCBLT, &key));
}

bool IsTransparent(DWORD pixel)
{
    if (lpDTCon) return nScreenBpp == 16 ? (pixel & 0x8000) == 0 : (pixel >> 24) == 0;
    return pixel == dwColorKey;
}

int Channel(DWORD pixel, DWORD shift, DWORD max)
{
    return static_cast<int>((pixel >> shift) & max);
}

// The pixel's colour in the units the palette holds: 0..255, except DirectDraw at 16 bpp, whose
// palette (read from the palette image's pixels) holds the channel values themselves.
Rgb ColourOf(DWORD pixel)
{
    const CHANNELINFO& c = SurfaceChannels;
    if (nScreenBpp != 16)
        return Rgb{static_cast<int>((pixel >> 16) & 0xFF), static_cast<int>((pixel >> 8) & 0xFF),
                   static_cast<int>(pixel & 0xFF)};
    const int r = Channel(pixel, c.dwShiftR, c.dwMaxR);
    const int g = Channel(pixel, c.dwShiftG, c.dwMaxG);
    const int b = Channel(pixel, c.dwShiftB, c.dwMaxB);
    if (!lpDTCon) return Rgb{r, g, b};
    auto scale = [](int v, DWORD max) { return max == 0 ? 0 : static_cast<int>(v * 255 / static_cast<int>(max)); };
    return Rgb{scale(r, c.dwMaxR), scale(g, c.dwMaxG), scale(b, c.dwMaxB)};
}

// The first entry of exactly this colour, else the nearest one.
BYTE PaletteIndexOf(const Rgb& colour)
{
    int best = 0;
    long bestDistance = -1;
    for (int i = 0; i < 256; ++i) {
        const long dr = Palette[i].peRed - colour.r;
        const long dg = Palette[i].peGreen - colour.g;
        const long db = Palette[i].peBlue - colour.b;
        const long distance = dr * dr + dg * dg + db * db;
        if (distance == 0) return static_cast<BYTE>(i);
        if (bestDistance < 0 || distance < bestDistance) {
            bestDistance = distance;
            best = i;
        }
    }
    return static_cast<BYTE>(best);
}

}  // namespace

BOOL DDMakeIndexMap(std::vector<BYTE>* pMap, int* pPitch, DDSURFACEDATA* lpSD)
{
    if (pMap == nullptr || pPitch == nullptr || lpSD == nullptr) return FALSE;
    pMap->clear();
    *pPitch = 0;
    const bool bKeyed = IsColorKeyed(lpSD);
    cLockSD lock(lpSD, nScreenBpp);
    if (!lock.IsLocked()) return FALSE;
    const int pitch = lock.Pitch();
    const int width = std::min(lpSD->nWidth, pitch);
    pMap->assign(static_cast<std::size_t>(lpSD->nHeight) * static_cast<std::size_t>(pitch), 0);
    for (int y = 0; y < lpSD->nHeight; ++y) {
        for (int x = 0; x < width; ++x) {
            const DWORD pixel = lock.Read(x, y);
            BYTE& index = (*pMap)[static_cast<std::size_t>(y) * pitch + x];
            index = (bKeyed && IsTransparent(pixel)) ? 0 : PaletteIndexOf(ColourOf(pixel));
        }
    }
    *pPitch = pitch;
    return TRUE;
}
