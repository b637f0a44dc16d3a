// The transparent colour, kept in every form the two back-ends use.
#include <string>

#include "core/ReportLog.h"
#include "core/TextHelpers.h"
#include "graphics/BackEnd.h"
#include "graphics/Boxes.h"
#include "graphics/LoadedBitmap.h"
#include "graphics/LockSD.h"
#include "graphics/Palette.h"
#include "graphics/Surfaces.h"

namespace {

RGBTRIPLE TripleOf(DWORD xrgb)
{
    RGBTRIPLE t;
    t.rgbtBlue = static_cast<BYTE>(xrgb);
    t.rgbtGreen = static_cast<BYTE>(xrgb >> 8);
    t.rgbtRed = static_cast<BYTE>(xrgb >> 16);
    return t;
}

DWORD Channel(DWORD pixel, DWORD shift, DWORD max)
{
    return (pixel >> shift) & max;
}

// Direct3D 16 bpp: the opaque key texel, the colour the 16-bit texture loads key out, and the
// transparent colour from the texel's channels. FALSE when the bitmap cannot be read again.
BOOL SetTransDirect3D16(const char* szPath, DWORD texel)
{
    dwColorKey = texel & 0xFFFF;
    cLoadedBitmap bitmap;
    if (!bitmap.Load(szPath)) return FALSE;
    if (bitmap.BitCount() == 8) {
        RGBQUAD entry0;
        if (bitmap.ColorTable(&entry0, 1) == 1) {
            lpDTCon->rgbPalTransmit.rgbtBlue = entry0.rgbBlue;
            lpDTCon->rgbPalTransmit.rgbtGreen = entry0.rgbGreen;
            lpDTCon->rgbPalTransmit.rgbtRed = entry0.rgbRed;
        }
    } else {
        // A true-colour palette bitmap has no colour table: its first pixel is the colour to key out
        // (otherwise black would be keyed out of every picture).
        lpDTCon->rgbPalTransmit = TripleOf(bitmap.PixelXRGB(0, 0));
    }
    const CHANNELINFO& c = SurfaceChannels;
    DDSetTransmit(static_cast<BYTE>(Channel(texel, c.dwShiftR, c.dwMaxR)),
                  static_cast<BYTE>(Channel(texel, c.dwShiftG, c.dwMaxG)),
                  static_cast<BYTE>(Channel(texel, c.dwShiftB, c.dwMaxB)));
    ECLogF("SetTrans(filename) lpDTCon->wTransmit_16 = (%x)", static_cast<unsigned>(lpDTCon->wTransmit_16));
    return TRUE;
}

// Reads the first pixel of the locked picture into the transparent colour.
BOOL TakeFirstPixel(const cLockSD& lock, const char* szPath)
{
    const DWORD pixel = lock.Read(0, 0);
    if (lpDTCon) {
        if (nScreenBpp == 32) {
            DDSetTransmit(static_cast<BYTE>(pixel >> 16), static_cast<BYTE>(pixel >> 8), static_cast<BYTE>(pixel));
            return TRUE;
        }
        return SetTransDirect3D16(szPath, pixel);
    }
    switch (nScreenBpp) {
    case 8: dwColorKey = pixel & 0xFF; break;
    case 16: {
        dwColorKey = pixel & 0xFFFF;
        // The colour the 16-bit loader keys out of true-colour bitmaps: the same first pixel (left
        // at black, it would key out black and leave the transparent colour visible).
        cLoadedBitmap bitmap;
        if (bitmap.Load(szPath)) lpDDCon->rgbPalTransmit = TripleOf(bitmap.PixelXRGB(0, 0));
        break;
    }
    case 32:
        dwColorKey = pixel;
        lpDDCon->rgbTransmit = TripleOf(pixel);
        break;
    default: break;  // no colour key at other depths
    }
    return TRUE;
}

}  // namespace

BOOL SetTrans(const char* szPath)
{
    if (szPath == nullptr || (!lpDTCon && !lpDDCon)) return FALSE;
    const std::string path = szPath;
    DDSURFACEDATA temporary;
    if (DDCreateSurfaceFromFile(&temporary, path.c_str(), 0, nScreenBpp, 1, DTMEMORYTYPE_SYSTEM, 0, 0, 0, 0, 0) !=
        DDSURFACE_OK) {
        static const std::string kText = Sjis("%s 作成失敗！");
        ECLogF(kText.c_str(), path.c_str());
        DDReleaseSurface(&temporary);
        return FALSE;
    }
    BOOL bOk = FALSE;
    {
        cLockSD lock(&temporary, nScreenBpp);
        if (lock.IsLocked()) {
            bOk = TakeFirstPixel(lock, path.c_str());
        } else {
            static const std::string kText = Sjis("Lock 失敗！");
            ECLog(kText.c_str());
        }
    }
    DDReleaseSurface(&temporary);
    return bOk;
}

void DDSetTransmit(BYTE cbRed, BYTE cbGreen, BYTE cbBlue)
{
    const CHANNELINFO& c = SurfaceChannels;
    if (lpDTCon) {
        DTCONTROL& con = *lpDTCon;
        con.rgbTransmit.rgbtBlue = cbBlue;
        con.rgbTransmit.rgbtGreen = cbGreen;
        con.rgbTransmit.rgbtRed = cbRed;
        ECLogF("SetTrans lpDTCon->rgbTransmit.rgbtRed = %d,lpDTCon->rgbTransmit.rgbtGreen = %d,"
               "lpDTCon->rgbTransmit.rgbtBlue = %d",
               cbRed, cbGreen, cbBlue);
        con.dwTransmitClear = 0;
        con.dwTransmitARGB =
            0xFF000000u | (static_cast<DWORD>(cbRed) << 16) | (static_cast<DWORD>(cbGreen) << 8) | cbBlue;
        if (nScreenBpp == 16) {
            // The arguments are channel values, and the opaque colour above takes them as they are:
            // magenta (31, 0, 31) gives 0xFF1F001F, the colour new surfaces without a colour key
            // are cleared to.
            con.wTransmit_16 = 0;
            con.wTransmitKey_16 =
                static_cast<WORD>(((cbBlue & c.dwMaxB) << c.dwShiftB) | ((cbGreen & c.dwMaxG) << c.dwShiftG) |
                                  ((cbRed & c.dwMaxR) << c.dwShiftR) | ((c.dwMaxA & 1) << c.dwShiftA));
        } else {
            con.wTransmit_16 = 0;
            con.wTransmitKey_16 = 0;
            dwColorKey = con.dwTransmitClear;
        }
        return;
    }
    if (!lpDDCon) return;
    if (nScreenBpp == 16) {
        const DWORD r = cbRed * c.dwMaxR / 255;
        const DWORD g = cbGreen * c.dwMaxG / 255;
        const DWORD b = cbBlue * c.dwMaxB / 255;
        dwColorKey = (b << c.dwShiftB) | (g << c.dwShiftG) | (r << c.dwShiftR);
        static const std::string kText =
            Sjis("※16bit色で　DDSetTransmit(BYTE cbRed,BYTE cbGreen,BYTE cbBlue)　は未対応！");
        ECLog(kText.c_str());
        DebugErrorBoxF("Tr %d RGB32(%d,%d,%d) -> RGB16(%d,%d,%d)", static_cast<int>(dwColorKey), cbRed, cbGreen, cbBlue,
                       static_cast<int>(r), static_cast<int>(g), static_cast<int>(b));
    } else if (nScreenBpp == 32) {
        dwColorKey = (static_cast<DWORD>(cbRed) << 16) | (static_cast<DWORD>(cbGreen) << 8) | cbBlue;
        lpDDCon->rgbTransmit.rgbtBlue = cbBlue;
        lpDDCon->rgbTransmit.rgbtGreen = cbGreen;
        lpDDCon->rgbTransmit.rgbtRed = cbRed;
    }
}
