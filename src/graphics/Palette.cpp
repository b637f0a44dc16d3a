// The palette: reading it from the palette bitmap, and turning palette numbers into device colours.
#include "graphics/Palette.h"

#include <string>

#include "core/ReportLog.h"
#include "core/TextHelpers.h"
#include "graphics/BackEnd.h"
#include "graphics/LoadedBitmap.h"
#include "graphics/LockSD.h"
#include "graphics/Surfaces.h"

PALETTEENTRY Palette[256];
PALETTEENTRY PaletteBackup[256];

namespace {

void CopyColourTable(PALETTEENTRY* pPal, const cLoadedBitmap& bitmap, bool bDirectDrawFlags)
{
    RGBQUAD table[256];
    const UINT n = bitmap.ColorTable(table, 256);
    for (UINT i = 0; i < n; ++i) {
        pPal[i].peRed = table[i].rgbRed;
        pPal[i].peGreen = table[i].rgbGreen;
        pPal[i].peBlue = table[i].rgbBlue;
        if (bDirectDrawFlags) {
            pPal[i].peFlags = (i < 10 || i >= 246) ? PC_EXPLICIT : PC_RESERVED;
        } else {
            pPal[i].peFlags = 255;
        }
    }
}

// The palette from the pixels of the bitmap, loaded into a temporary system-memory surface.
void ReadPaletteFromPixels(PALETTEENTRY* pPal, const char* szPath, int nBpp)
{
    DDSURFACEDATA temporary;
    const int result = DDCreateSurfaceFromFile(&temporary, szPath, 0, nBpp, 1, DTMEMORYTYPE_SYSTEM, 0, 0, 0, 0, 0);
    if (result == DDSURFACE_OK) DDSetPalette_UnPal(pPal, &temporary);
    DDReleaseSurface(&temporary);
}

BYTE Scale255(DWORD value, DWORD max)
{
    return static_cast<BYTE>(max == 0 ? 0 : value * 255 / max);
}

}  // namespace

BOOL DDLoadPaletteFromFile(PALETTEENTRY* pPal, const char* szPath, int nBpp)
{
    if (pPal == nullptr) return FALSE;
    cLoadedBitmap bitmap;
    if (!bitmap.Load(szPath)) return FALSE;
    const bool bIndexed = bitmap.BitCount() == 8;
    if (lpDTCon && bIndexed) CopyColourTable(pPal, bitmap, false);
    if (!lpDTCon && nBpp == 8 && bIndexed) {
        CopyColourTable(pPal, bitmap, true);
        if (lpDDCon && lpDDPalette != nullptr) lpDDPalette->SetEntries(0, 0, 256, pPal);
    }
    if (nBpp == 16 || nBpp == 24 || nBpp == 32) {
        // The pixels override what the colour table gave; a picture that cannot be read this way
        // leaves the palette as it is and the start goes on.
        ReadPaletteFromPixels(pPal, szPath, nBpp);
    }
    return TRUE;
}

int DDSetPalette_UnPal(PALETTEENTRY* pPal, DDSURFACEDATA* lpSD)
{
    if (pPal == nullptr || lpSD == nullptr) return 0;
    if (nScreenBpp == 8) return 1;
    if (lpSD->nWidth < 16 || lpSD->nHeight < 24) {
        // Only the part of the 16 x 16 grid the picture holds is read; the other entries stay.
        ECLogF("DDSetPalette_UnPal Size Err (%d,%d)", lpSD->nWidth, lpSD->nHeight);
    }
    cLockSD lock(lpSD, nScreenBpp);
    if (!lock.IsLocked()) {
        if (lpDTCon) ECLog("DDSetPalette_UnPal Lock Err");
        return 0;
    }
    const CHANNELINFO& c = SurfaceChannels;
    for (int i = 0; i < 256; ++i) {
        const int x = i % 16, y = 8 + i / 16;
        if (x >= lpSD->nWidth || y >= lpSD->nHeight) continue;
        const DWORD p = lock.Read(x, y);
        PALETTEENTRY& e = pPal[i];
        if (nScreenBpp == 16) {
            const DWORD r = (p >> c.dwShiftR) & c.dwMaxR;
            const DWORD g = (p >> c.dwShiftG) & c.dwMaxG;
            const DWORD b = (p >> c.dwShiftB) & c.dwMaxB;
            if (lpDTCon) {
                if ((p & 0x8000) == 0) continue;  // transparent: the entry stays
                e.peRed = Scale255(r, c.dwMaxR);
                e.peGreen = Scale255(g, c.dwMaxG);
                e.peBlue = Scale255(b, c.dwMaxB);
            } else {
                e.peRed = static_cast<BYTE>(r);
                e.peGreen = static_cast<BYTE>(g);
                e.peBlue = static_cast<BYTE>(b);
            }
        } else if (nScreenBpp == 32) {
            if (lpDTCon && (p >> 24) == 0) continue;
            e.peRed = static_cast<BYTE>(p >> 16);
            e.peGreen = static_cast<BYTE>(p >> 8);
            e.peBlue = static_cast<BYTE>(p);
            e.peFlags = static_cast<BYTE>(p >> 24);
        }
    }
    return 1;
}

DWORD PalNumToRGB(DWORD dwPalNum)
{
    if (dwPalNum > 255) {
        ECLogF("PalNumToRGB(DWORD dwPalNum) Err dwPalNum = %d", static_cast<int>(dwPalNum));
        return 0;
    }
    const PALETTEENTRY& e = Palette[dwPalNum];
    const DWORD rgb = (static_cast<DWORD>(e.peRed) << 16) | (static_cast<DWORD>(e.peGreen) << 8) | e.peBlue;
    if (lpDTCon) return dwPalNum == 0 ? lpDTCon->dwTransmitClear : 0xFF000000u | rgb;
    if (!lpDDCon) return 0;
    switch (nScreenBpp) {
    case 8: return dwPalNum;
    case 16: return DDPalToRGB16(e);
    case 24:
    case 32: return rgb;
    default: return 0;
    }
}

WORD DDPalToRGB16(const PALETTEENTRY& entry)
{
    if (lpDTCon) {
        static const std::string kText = Sjis("DDPalToRGB16はDirect3Dでは未対応");
        ECLog(kText.c_str());
        return 0;
    }
    const CHANNELINFO& c = SurfaceChannels;
    return static_cast<WORD>(((entry.peRed & c.dwMaxR) << c.dwShiftR) | ((entry.peGreen & c.dwMaxG) << c.dwShiftG) |
                             ((entry.peBlue & c.dwMaxB) << c.dwShiftB));
}
